// "转载话题": reposts a topic with the user's reason ("转载" sends it), and
// with the check box also posts the reason as a reply to the source. The
// source's text shows on top as "转载:<text>". A successful repost is
// toasted with the service's message, and the list beneath reloads.
#pragma once

#include "framework/QXViewController.h"

namespace tovera::platform::ui {
class Button;
class Label;
class TextView;
class ViewController;
}  // namespace tovera::platform::ui

namespace tovera {

class FowardForm : public QXViewController {
    Q_OBJECT
public:
    explicit FowardForm(QObject* parent = nullptr);

    /// Opens the form for topic `id` with its text over `from` (the
    /// application's stack when null), once the user is signed in.
    static FowardForm* open(platform::ui::ViewController* from, const QString& original, int id);

    /// Shows "转载:<original>".
    void setOriginal(const QString& original);
    /// Toggles "also post as a reply".
    void fowardComment();
    /// Sends the repost; an empty reason sends nothing.
    void postFoward();

    void didLoad(const Value& reply, QXRequest* request) override;

    platform::ui::Label* originalLbl() const { return originalLbl_; }
    platform::ui::TextView* commentText() const { return commentText_; }
    platform::ui::Button* fcommentBtn() const { return fcommentBtn_; }

protected:
    void loadView() override;
    void viewDidAppear(bool animated) override;

private:
    QString original_;
    platform::ui::Label* originalLbl_ = nullptr;
    platform::ui::TextView* commentText_ = nullptr;
    platform::ui::Button* fcommentBtn_ = nullptr;
};

}  // namespace tovera
