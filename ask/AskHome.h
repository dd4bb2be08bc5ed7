// "咨询": the question centre. A strip of five listings ("待解决", "已解决",
// "我的咨询", "我参与的", "好友咨询") over the question list, and "发表咨询"
// to ask. A question posted from here marks the centre for refresh, and the
// listing shown loads again when it reappears.
#pragma once

#include <QPointer>

#include "framework/QXViewController.h"

namespace tovera::platform::ui {
class Button;
}  // namespace tovera::platform::ui

namespace tovera {

class AskList;
class ButtonsView;

class AskHome : public QXViewController {
    Q_OBJECT
public:
    explicit AskHome(QObject* parent = nullptr);

    /// Opens the form for a new question.
    void showAskForm();
    /// Selects the listing of `button` and loads it.
    void btnPressed(platform::ui::Button* button);

    ButtonsView* btnView() const { return btnView_; }
    platform::ui::View* contentView() const { return contentView_; }
    AskList* asklistController() const { return asklistController_; }

protected:
    void loadView() override;
    void viewDidLoad() override;
    void viewDidAppear(bool animated) override;

private:
    ButtonsView* btnView_ = nullptr;
    platform::ui::View* contentView_ = nullptr;
    QPointer<AskList> asklistController_;
};

}  // namespace tovera
