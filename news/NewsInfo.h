// "资讯详情": one article. The headline, source and date, the body in a web
// view (a tapped picture link opens the picture viewer), the three newest
// comments under the body, the "评论(n)" button to all comments, and a tab
// bar: write a comment, report an error, favourite, recommend to friends.
// Opened with param `rid` = the article id. An article read once is kept in
// the local store and answered from there afterwards; its favourite mark
// lives in the same row.
#pragma once

#include <QPointer>

#include "framework/QXViewController.h"
#include "framework/QXViewDelegate.h"
#include "platform/ui/navigation/TabBar.h"
#include "platform/ui/web/WebView.h"

namespace tovera::platform::ui {
class Button;
class Label;
class ScrollView;
}  // namespace tovera::platform::ui

namespace tovera {

class CommentTableView;

class NewsInfo : public QXViewController,
                 public platform::ui::WebViewDelegate,
                 public platform::ui::TabBarDelegate,
                 public QXViewDelegate {
    Q_OBJECT
public:
    enum TabItem { kWriteComment = 0, kCorrection = 1, kFavorite = 2, kRecommend = 3 };

    explicit NewsInfo(QObject* parent = nullptr);

    /// Asks for the article (answered at once when it is kept).
    void reloadData() override;
    /// Merges the reply into the article, keeps it, and shows it.
    void didLoad(const Value& reply, QXRequest* request) override;
    void updateView();
    /// Places the comment block under the body and sizes the scroll area.
    void fitSize();
    /// Reloads the three newest comments.
    void getComments();
    /// "评论(n)": all comments of the article.
    void comment();
    /// Flips the favourite mark from `mark`. When the local store cannot
    /// keep the change, the mark stays what it was and "操作失败!" shows.
    void favorite(int mark);
    /// The favourite item reads "取消收藏" or "加入收藏".
    void setFavoriteTab();
    /// The shared picture viewer with `pictures` (a picture URL field).
    void showBigImage(const std::string& pictures);
    /// The viewer with the article's "images".
    void showImage();

    const Dict& newsDetail() const { return newsDetail_; }
    platform::ui::Label* titleLable() const { return titleLable_; }
    platform::ui::Label* msgLable() const { return msgLable_; }
    platform::ui::WebView* contentText() const { return contentText_; }
    platform::ui::Button* imgBtn() const { return imgBtn_; }
    CommentTableView* commentTable() const { return commentTable_; }
    platform::ui::TabBar* tabBar() const { return tabBar_; }
    platform::ui::ScrollView* scrollView() const { return scrollView_; }

    // Body web view
    bool shouldStartLoadWithRequest(platform::ui::WebView* webView, const QUrl& url,
                                    platform::ui::NavigationType type) override;
    void webViewDidFinishLoad(platform::ui::WebView* webView) override;
    // Tab bar
    void tabBarDidSelectItem(platform::ui::TabBar* tabBar, platform::ui::TabBarItem* item) override;
    // Comment block: its height may have changed.
    void qxView(platform::ui::View* view, platform::ui::Button* button) override;

protected:
    void loadView() override;
    void viewDidLoad() override;
    void viewDidAppear(bool animated) override;

private:
    /// The article's "id" ("0" when unknown).
    std::string articleId() const;
    /// Sizes the headline to its text and puts the source line and the
    /// picture button under it.
    void layoutHeader();
    void setCommentTitle(const QString& count);

    Dict newsDetail_;
    platform::ui::ScrollView* scrollView_ = nullptr;
    platform::ui::Label* titleLable_ = nullptr;
    platform::ui::Label* msgLable_ = nullptr;
    platform::ui::WebView* contentText_ = nullptr;
    platform::ui::Button* imgBtn_ = nullptr;
    CommentTableView* commentTable_ = nullptr;
    platform::ui::TabBar* tabBar_ = nullptr;
};

}  // namespace tovera
