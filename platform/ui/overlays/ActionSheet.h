// An action sheet: an optional title and a column of buttons rising from the
// bottom of the window (the destructive one red, the cancel one apart),
// non-blocking; the delegate (and the optional handler) hear the index.
#pragma once

#include "platform/ui/overlays/ModalOverlay.h"
#include "platform/ui/runtime/WeakDelegate.h"

class QWidget;

namespace tovera::platform::ui {

class ActionSheet;

class ActionSheetDelegate {
public:
    virtual ~ActionSheetDelegate() = default;
    virtual void actionSheetClickedButtonAtIndex(ActionSheet*, int /*index*/) {}
    virtual void actionSheetWillDismiss(ActionSheet*, int /*index*/) {}
    virtual void actionSheetDidDismiss(ActionSheet*, int /*index*/) {}
};

class ActionSheet : public ModalOverlay {
    Q_OBJECT
public:
    /// `buttons` in display order (the cancel button, when set, is drawn
    /// last and apart whatever its index).
    ActionSheet(const QString& title, ActionSheetDelegate* delegate, const QStringList& buttons,
                QObject* parent = nullptr);
    /// The usual layout: the destructive button first (index 0), then the
    /// others, then the cancel button; empty titles are left out.
    static ActionSheet* create(const QString& title, ActionSheetDelegate* delegate,
                               const QString& cancel, const QString& destructive,
                               const QStringList& others, QObject* parent = nullptr);

    ActionSheetDelegate* delegate() const { return delegate_.get(); }
    void setDelegate(ActionSheetDelegate* delegate) { delegate_ = delegate; }

    /// Shows the sheet on the window of `view` (the key window when null).
    void showInView(QWidget* view);

    /// The newest visible action sheet, if any.
    static ActionSheet* current();

protected:
    void buildPresentation(View* dimmer) override;
    void notifyClicked(int index) override;
    void notifyWillDismiss(int index) override;
    void notifyDidDismiss(int index) override;

private:
    WeakDelegate<ActionSheetDelegate> delegate_;
};

}  // namespace tovera::platform::ui
