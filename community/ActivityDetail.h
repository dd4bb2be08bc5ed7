// "活动详情": one activity. Its name, city, sign-up deadline, the count of
// people signed up and the contact telephone, the description (service
// HTML) in a web view, the three newest comments under it, "评论(n)" to all
// comments, and a tab bar: comment, sign up (while sign-up is open) and call
// (when there is a telephone). Opened with param `rid` = the activity id; it
// loads again when a screen above sets its refresh flag or a sign-up went
// through.
#pragma once

#include <QPointer>

#include "framework/QXViewController.h"
#include "framework/QXViewDelegate.h"
#include "platform/ui/navigation/TabBar.h"
#include "platform/ui/web/WebView.h"

namespace tovera::platform::ui {
class Label;
class ScrollView;
class TabBarItem;
}  // namespace tovera::platform::ui

namespace tovera {

class CommentTableView;

class ActivityDetail : public QXViewController,
                       public platform::ui::WebViewDelegate,
                       public platform::ui::TabBarDelegate,
                       public QXViewDelegate {
    Q_OBJECT
public:
    enum TabItem { kComment = 0, kApply = 1, kCall = 2 };

    explicit ActivityDetail(QObject* parent = nullptr);

    /// The overlay, an empty record, then the request for the activity.
    void reloadData() override;
    /// Merges the reply into the record and shows it.
    void didLoad(const Value& reply, QXRequest* request) override;
    /// Fills the labels and the description, and offers the tab items the
    /// activity allows.
    void updateView();
    /// Places the comment block under the description and sizes the scroll
    /// area; "评论(n)" shows the comment total.
    void fitSize();
    /// "评论": all comments of the activity.
    void commentList();
    /// The comment form for the activity.
    void postComment();
    /// The sign-up page.
    void applyActivity();
    /// Offers to dial the telephone ("拨打:<tel>?"); the toast when the
    /// activity gives none.
    void call();

    const Dict& detail() const { return detail_; }
    platform::ui::Label* nameLbl() const { return nameLbl_; }
    platform::ui::Label* cityLbl() const { return cityLbl_; }
    platform::ui::Label* dateLbl() const { return dateLbl_; }
    platform::ui::Label* joinsLbl() const { return joinsLbl_; }
    platform::ui::Label* telLbl() const { return telLbl_; }
    platform::ui::WebView* infoWeb() const { return infoWeb_; }
    CommentTableView* commentTable() const { return commentList_; }
    platform::ui::TabBar* tabBar() const { return tabBar_; }
    platform::ui::ScrollView* scrollView() const { return scrollView_; }

    /// Links in the description open nothing: it is the service's text, not
    /// a page to leave the screen for.
    bool shouldStartLoadWithRequest(platform::ui::WebView* webView, const QUrl& url,
                                    platform::ui::NavigationType type) override;
    void webViewDidFinishLoad(platform::ui::WebView* webView) override;
    void tabBarDidSelectItem(platform::ui::TabBar* tabBar, platform::ui::TabBarItem* item) override;
    /// The comment block's height may have changed.
    void qxView(platform::ui::View* view, platform::ui::Button* button) override;

protected:
    void loadView() override;
    void viewDidLoad() override;
    void viewDidAppear(bool animated) override;

private:
    /// The activity's "id" ("0" when unknown).
    std::string activityId() const;
    void getComments();

    Dict detail_;
    platform::ui::ScrollView* scrollView_ = nullptr;
    platform::ui::Label* nameLbl_ = nullptr;
    platform::ui::Label* cityLbl_ = nullptr;
    platform::ui::Label* dateLbl_ = nullptr;
    platform::ui::Label* joinsLbl_ = nullptr;
    platform::ui::Label* telLbl_ = nullptr;
    platform::ui::WebView* infoWeb_ = nullptr;
    CommentTableView* commentList_ = nullptr;
    platform::ui::TabBar* tabBar_ = nullptr;
    /// The bar's items as built, in order: comment, sign up, call.
    QList<platform::ui::TabBarItem*> tabbarItems_;
};

}  // namespace tovera
