// An alert: title, message and buttons, shown over the window without
// blocking; the delegate (and the optional handler) hear the chosen index.
#pragma once

#include "platform/ui/overlays/ModalOverlay.h"
#include "platform/ui/runtime/WeakDelegate.h"

namespace tovera::platform::ui {

class AlertView;

class AlertViewDelegate {
public:
    virtual ~AlertViewDelegate() = default;
    virtual void alertViewClickedButtonAtIndex(AlertView*, int /*index*/) {}
    virtual void alertViewWillDismiss(AlertView*, int /*index*/) {}
    virtual void alertViewDidDismiss(AlertView*, int /*index*/) {}
};

class AlertView : public ModalOverlay {
    Q_OBJECT
public:
    /// `buttons` in display order; the index a delegate hears is the position.
    AlertView(const QString& title, const QString& message, AlertViewDelegate* delegate,
              const QStringList& buttons, QObject* parent = nullptr);

    QString message() const { return message_; }
    void setMessage(const QString& message) { message_ = message; }
    AlertViewDelegate* delegate() const { return delegate_.get(); }
    void setDelegate(AlertViewDelegate* delegate) { delegate_ = delegate; }

    /// Shows the alert above everything on the key window.
    void show();

    /// The newest visible alert, if any.
    static AlertView* current();

protected:
    void buildPresentation(View* dimmer) override;
    void notifyClicked(int index) override;
    void notifyWillDismiss(int index) override;
    void notifyDidDismiss(int index) override;

private:
    QString message_;
    WeakDelegate<AlertViewDelegate> delegate_;
};

}  // namespace tovera::platform::ui
