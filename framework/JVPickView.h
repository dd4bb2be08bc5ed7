// The list picker panel shown at the bottom of a form: a bar with "取消"
// (tag 1) and "确定" (tag 2) above a one-column picker of option titles.
// A press on either button hides the panel and is reported to the delegate
// as qxView(panel, button); tag 2 confirms, the others cancel. The screen
// keeps on the panel which field it is choosing for and whether it still
// waits for the service's options.
#pragma once

#include <QStringList>

#include "framework/QXViewDelegate.h"
#include "platform/ui/overlays/PickerView.h"
#include "platform/ui/runtime/WeakDelegate.h"
#include "platform/ui/views/View.h"

namespace tovera::platform::ui {
class Button;
}  // namespace tovera::platform::ui

namespace tovera {

class JVPickView : public platform::ui::View,
                   public platform::ui::PickerViewDataSource,
                   public platform::ui::PickerViewDelegate {
    Q_OBJECT
public:
    static constexpr double kBarHeight = 44;
    static constexpr double kHeight = kBarHeight + 216;
    static constexpr int kCancelTag = 1;
    static constexpr int kConfirmTag = 2;

    explicit JVPickView(double width, QWidget* parent = nullptr);

    void setDelegate(QXViewDelegate* delegate) { delegate_ = delegate; }
    /// The rows to choose from; the first is selected.
    void setTitles(const QStringList& titles);
    const QStringList& titles() const { return titles_; }
    /// The row selected on the picker (-1 when there is none).
    int selectedRow() const;
    /// Selects `row` when it is one of the titles.
    void selectRow(int row);
    /// Shows the panel along the bottom of its superview, in front.
    void showAtBottom();

    /// Set while the options are still on their way from the service.
    bool waiting() const { return waiting_; }
    void setWaiting(bool waiting) { waiting_ = waiting; }

    platform::ui::PickerView* pickerView() const { return picker_; }
    platform::ui::Button* cancelButton() const { return cancel_; }
    platform::ui::Button* confirmButton() const { return confirm_; }

    // PickerViewDataSource / PickerViewDelegate
    int numberOfRowsInComponent(platform::ui::PickerView*, int component) override;
    QString titleForRow(platform::ui::PickerView*, int row, int component) override;

private:
    void pressed(platform::ui::Button* button);

    QStringList titles_;
    bool waiting_ = false;
    platform::ui::PickerView* picker_ = nullptr;
    platform::ui::Button* cancel_ = nullptr;
    platform::ui::Button* confirm_ = nullptr;
    platform::ui::WeakDelegate<QXViewDelegate> delegate_;
};

}  // namespace tovera
