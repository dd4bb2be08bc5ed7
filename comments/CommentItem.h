// The cell of one comment: the commented object's caption (site-wide
// listings only), the author and date, the body rendered as HTML with the
// emoticon codes turned into the emoticon pictures, and the bar with reply,
// agree and disagree. The cell sends its own votes and hears their replies.
#pragma once

#include <QString>

#include "core/QXParam.h"
#include "core/QXRequestDelegate.h"
#include "framework/CustomCell.h"

namespace tovera::platform::ui {
class Label;
class View;
class WebView;
}  // namespace tovera::platform::ui

namespace tovera {

class CommentItem : public CustomCell, public QXRequestDelegate {
    Q_OBJECT
public:
    explicit CommentItem(QWidget* parent = nullptr);

    /// The HTML page of a comment body: every code "[face<n>]" (one or two
    /// digits; "F" and "|" also open it) becomes the local picture named by
    /// the code in lower case, and the page links the shared "style.css".
    static QString localContentHtml(const QString& text);

    void setInfo(const Dict& info) override;
    /// Shows or hides the caption row; with it shown the row can be chosen.
    void hiddeTitle(bool hidden);
    /// Body height + bar height + body top.
    double contentHeight() const;
    /// The height the cell's row needs now (the block's bottom): kept apart
    /// from the cell's frame, which the table sets to the row height it
    /// used last.
    double rowHeight() const;
    /// The body finished rendering: the body, the bar, the block and the
    /// cell take their heights from it.
    void webViewDidFinishLoad(platform::ui::WebView* webView);

    void agree();
    void disAgree();
    void replyComment();
    void sourceDetail();
    void btnPressed(platform::ui::Button* button) override;

    void requestDidLoad(QXRequest* request, const Value& reply) override;

    platform::ui::Button* titleBtn() const { return titleBtn_; }
    platform::ui::View* mainView() const { return mainView_; }
    platform::ui::Button* userBtn() const { return userBtn_; }
    platform::ui::Label* dateLable() const { return dateLable_; }
    platform::ui::WebView* commentWeb() const { return commentWeb_; }
    platform::ui::View* btnView() const { return btnView_; }
    platform::ui::Button* agreeBtn() const { return agreeBtn_; }
    platform::ui::Button* disBtn() const { return disBtn_; }
    platform::ui::Button* replyBtn() const { return replyBtn_; }
    QXParam& param() { return param_; }

private:
    void vote(platform::ui::Button* button, const char* operate);
    /// "支持(%d)" or "反对(%d)" with the count the button's tag holds.
    void showCount(platform::ui::Button* button);

    platform::ui::Button* titleBtn_ = nullptr;
    platform::ui::View* mainView_ = nullptr;
    platform::ui::Button* userBtn_ = nullptr;
    platform::ui::Label* dateLable_ = nullptr;
    platform::ui::WebView* commentWeb_ = nullptr;
    platform::ui::View* btnView_ = nullptr;
    platform::ui::Button* replyBtn_ = nullptr;
    platform::ui::Button* agreeBtn_ = nullptr;
    platform::ui::Button* disBtn_ = nullptr;
    QXParam param_;
    /// The counter of the vote waiting for its reply.
    platform::ui::Button* voted_ = nullptr;
};

}  // namespace tovera
