// The list picker panel shown at the bottom of a form: a bar with "取消"
// (tag 1) and "确定" (tag 2) above a one-column picker of option titles.
// A press on either button hides the panel and is reported to the delegate
// as qxView(panel, button); tag 2 confirms, the others cancel. The screen
// keeps on the panel which field it is choosing for and whether it still
// waits for the service's options.
#pragma once

#include <QStringList>

#include "framework/PickerPanel.h"
#include "platform/ui/overlays/PickerView.h"

namespace tovera::platform::ui {
class ScrollView;
}  // namespace tovera::platform::ui

namespace tovera {

class JVPickView : public PickerPanel,
                   public platform::ui::PickerViewDataSource,
                   public platform::ui::PickerViewDelegate {
    Q_OBJECT
public:
    explicit JVPickView(double width, QWidget* parent = nullptr);

    /// A hidden panel as wide as `parent`, reporting to
    /// `delegate`.
    static JVPickView* hiddenIn(platform::ui::View* parent, QXViewDelegate* delegate);

    /// Shows the panel with `titles` at the bottom of its superview, in
    /// front, and ends the scrolling `form` above it.
    void showUnder(platform::ui::ScrollView* form, const QStringList& titles);
    /// Hides the panel; `form` takes its superview's height again.
    void hideUnder(platform::ui::ScrollView* form);
    /// The rows to choose from; the first is selected.
    void setTitles(const QStringList& titles);
    const QStringList& titles() const { return titles_; }
    /// The row selected on the picker (-1 when there is none).
    int selectedRow() const;
    /// Selects `row` when it is one of the titles.
    void selectRow(int row);

    /// Set while the options are still on their way from the service.
    bool waiting() const { return waiting_; }
    void setWaiting(bool waiting) { waiting_ = waiting; }

    platform::ui::PickerView* pickerView() const { return picker_; }

    // PickerViewDataSource / PickerViewDelegate
    int numberOfRowsInComponent(platform::ui::PickerView*, int component) override;
    QString titleForRow(platform::ui::PickerView*, int row, int component) override;

private:
    QStringList titles_;
    bool waiting_ = false;
    platform::ui::PickerView* picker_ = nullptr;
};

}  // namespace tovera
