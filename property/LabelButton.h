// One field of the filter form: the caption "%@:" on the left and a button
// showing the chosen option on the right. The row's tag is its field number
// (from 1); the button's title label's tag holds the chosen value (0 until
// something is chosen); the caption label's tag is a scratch value of the
// field (the district field keeps its city there).
#pragma once

#include "platform/ui/views/View.h"

namespace tovera::platform::ui {
class Button;
class Label;
}  // namespace tovera::platform::ui

namespace tovera {

class LabelButton : public platform::ui::View {
    Q_OBJECT
public:
    static constexpr double kHeight = 36;

    LabelButton(const QString& name, double width, QWidget* parent = nullptr);

    const QString& name() const { return name_; }
    platform::ui::Label* lbl() const { return lbl_; }
    platform::ui::Button* btn() const { return btn_; }

    /// The chosen value (0 until something is chosen).
    int value() const;
    /// Shows `title` on the button and keeps `value`.
    void choose(const QString& title, int value);
    /// The title shown on the button.
    QString chosenTitle() const;

private:
    QString name_;
    platform::ui::Label* lbl_ = nullptr;
    platform::ui::Button* btn_ = nullptr;
};

}  // namespace tovera
