// What alerts and action sheets share: a title, buttons in order with a
// cancel and a destructive index, a tag, and a non-blocking presentation
// over the whole window that ends when a button is chosen. Visible overlays
// are listed (newest last) so tests find and answer them.
#pragma once

#include "platform/ui/views/View.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>

#include <functional>

namespace tovera::platform::ui {

class Button;

class ModalOverlay : public QObject {
    Q_OBJECT
public:
    /// An overlay without a Qt parent is deleted after it is dismissed; one
    /// with a parent stays and can be shown again.
    explicit ModalOverlay(const QString& title, const QStringList& buttons,
                          QObject* parent = nullptr);
    ~ModalOverlay() override;

    QString title() const { return title_; }
    void setTitle(const QString& title) { title_ = title; }
    int tag() const { return tag_; }
    void setTag(int tag) { tag_ = tag; }

    int addButtonWithTitle(const QString& title);
    int numberOfButtons() const { return int(buttons_.size()); }
    QString buttonTitleAtIndex(int index) const { return buttons_.value(index); }
    QStringList buttonTitles() const { return buttons_; }
    int cancelButtonIndex() const { return cancelIndex_; }
    void setCancelButtonIndex(int index) { cancelIndex_ = index; }
    int destructiveButtonIndex() const { return destructiveIndex_; }
    void setDestructiveButtonIndex(int index) { destructiveIndex_ = index; }

    /// Also told the index of the chosen button (after the delegate's click).
    void setOnButton(std::function<void(int)> handler) { onButton_ = std::move(handler); }

    bool isVisible() const { return presentation_ != nullptr; }
    /// Ends the presentation as if the button at `index` was chosen.
    void dismissWithClickedButtonIndex(int index, bool animated = false);

    /// Every overlay on screen, oldest first.
    static QList<ModalOverlay*> visibleOverlays();

protected:
    /// Builds the panel inside `dimmer` (which covers the window) and wires
    /// each button to choose(index).
    virtual void buildPresentation(View* dimmer) = 0;
    virtual void notifyClicked(int index) = 0;
    virtual void notifyWillDismiss(int index) = 0;
    virtual void notifyDidDismiss(int index) = 0;
    /// Presents on the key window; false when there is none.
    bool present();
    Button* makeButton(View* parent, int index);

private:
    QString title_;
    QStringList buttons_;
    int tag_ = 0;
    int cancelIndex_ = -1;
    int destructiveIndex_ = -1;
    std::function<void(int)> onButton_;
    QPointer<View> presentation_;
};

}  // namespace tovera::platform::ui
