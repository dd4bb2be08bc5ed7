// A one-line editor bar with "确定" and "取消" that sits right above the
// keyboard while it is shown, and goes when the keyboard goes: the remark
// editor of the friend list and the group-name editor of the groups.
#pragma once

#include <functional>

#include "platform/ui/views/View.h"

namespace tovera::platform::ui {
class Button;
class TextField;
struct KeyboardInfo;
}  // namespace tovera::platform::ui

namespace tovera {

class NameEditor : public platform::ui::View {
    Q_OBJECT
public:
    static constexpr double kHeight = 44;

    /// Hidden until open(); `confirm` hears "确定".
    NameEditor(const QString& placeholder, std::function<void()> confirm, QWidget* parent);

    /// Shows the editor in front with `text` and gives it the keyboard.
    void open(const QString& text);
    /// Hides the editor and takes the keyboard away.
    void close();
    /// "取消": the text goes and the editor closes.
    void cancel();

    platform::ui::TextField* field() const { return field_; }
    platform::ui::Button* confirmButton() const { return ok_; }
    platform::ui::Button* cancelButton() const { return no_; }

private:
    void place(const platform::ui::KeyboardInfo& info);

    platform::ui::TextField* field_ = nullptr;
    platform::ui::Button* ok_ = nullptr;
    platform::ui::Button* no_ = nullptr;
};

}  // namespace tovera
