// "修改密码": changes the signed-in user's password. After the change the
// session signs in again with the new password before its next request,
// since the service stops accepting the old credentials.
#pragma once

#include "framework/QXViewController.h"

namespace tovera::platform::ui {
class TextField;
}  // namespace tovera::platform::ui

namespace tovera {

class DSTovera;

class Editpassword : public QXViewController {
    Q_OBJECT
public:
    explicit Editpassword(QObject* parent = nullptr);

    void loadView() override;

    /// "提交": checks the fields in order, then asks the service.
    void commit();
    void didLoad(const Value& reply, QXRequest* request) override;

    platform::ui::TextField* originalField() const { return originalField_; }
    platform::ui::TextField* newField() const { return newField_; }
    platform::ui::TextField* confirmField() const { return confirmField_; }

private:
    /// Focuses `field` and shows `text` in the alert "提示".
    static void refuse(platform::ui::TextField* field, const char* text);

    platform::ui::TextField* originalField_ = nullptr;
    platform::ui::TextField* newField_ = nullptr;
    platform::ui::TextField* confirmField_ = nullptr;
};

}  // namespace tovera
