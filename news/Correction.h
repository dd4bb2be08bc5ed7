// "纠错": reporting an error in an article (or a project, a listing). The
// opener sets `rid` and `ptype`; an empty report is not sent, and a
// signed-out user is asked to log in first.
#pragma once

#include "framework/QXViewController.h"

namespace tovera::platform::ui {
class TextView;
}  // namespace tovera::platform::ui

namespace tovera {

class Correction : public QXViewController {
    Q_OBJECT
public:
    explicit Correction(QObject* parent = nullptr);

    /// "内容不能为空" for an empty text; otherwise sends the report.
    void postCorrection();
    void didLoad(const Value& reply, QXRequest* request) override;

    platform::ui::TextView* textView() const { return textView_; }

protected:
    void loadView() override;
    void viewDidAppear(bool animated) override;

private:
    platform::ui::TextView* textView_ = nullptr;
};

}  // namespace tovera
