// "新房详情": one new-build project. Seven buttons switch the content area
// between the overview, the introduction, the transport page, the albums,
// the questions, the news and the comments of the project; the tab bar
// comments, reports an error, asks, recommends or calls the sales office;
// the right bar button follows or unfollows the project. Its failures have
// an alert of their own that retries or leaves.
#pragma once

#include <memory>

#include "framework/Destination.h"
#include "framework/QXViewController.h"
#include "framework/QXViewDelegate.h"
#include "platform/ui/navigation/TabBar.h"

namespace tovera::platform::ui {
class Button;
class ScrollView;
}  // namespace tovera::platform::ui

namespace tovera {

class ButtonsView;
class DetailPages;
class HousePreview;

class ToveraDetail : public QXViewController,
                     public QXViewDelegate,
                     public platform::ui::TabBarDelegate {
    Q_OBJECT
public:
    /// The page buttons, in order.
    enum Page { kPreview, kIntro, kSupport, kGallery, kAsk, kNews, kComment };
    /// The tab bar items, in order.
    enum Tab { kWriteComment, kCorrection, kAskQuestion, kRecommend, kCall };

    explicit ToveraDetail(QObject* parent = nullptr);
    ~ToveraDetail() override;

    /// The project id (param `rid`) as a number, and setting it.
    int hid();
    void setHid(int hid);

    /// Shows the loading overlay and asks for the detail.
    void reloadData() override;
    /// Asks for the latest sale news of the project.
    void getSellList();
    void didLoad(const Value& reply, QXRequest* request) override;
    void requestDidFailWithError(QXRequest* request, const Error& error) override;

    /// Follows the project when it is not followed, else unfollows it.
    void setFoucus();
    /// Fills the content area with the page of `button`.
    void btnPressed(platform::ui::Button* button);
    /// Shows the selected page again (the overview when none is selected).
    void selectButton();

    /// A photo tapped in the overview opens the picture viewer there.
    void qxView(platform::ui::View* view, platform::ui::Button* button) override;
    void tabBarDidSelectItem(platform::ui::TabBar* tabBar, platform::ui::TabBarItem* item) override;

    const Dict& detail() const { return detail_; }
    const Array& dataArray() const { return dataArray_; }
    HousePreview* hf() const { return hf_; }
    ButtonsView* btnView() const { return btnView_; }
    platform::ui::ScrollView* contentView() const { return contentView_; }
    platform::ui::TabBar* tabBar() const { return tabBar_; }
    /// The page shown in the content area.
    QWidget* currentPage() const;
    /// The screen whose view is the current page, when it is one.
    platform::ui::ViewController* pageScreen() const;

protected:
    void loadView() override;
    void viewDidLoad() override;
    void viewDidAppear(bool animated) override;

private:
    void setFocusButton();
    /// The screens beneath whose lists depend on what the user follows
    /// reload when they are shown again.
    void markFollowedListsForRefresh();
    void showFailure(const Error& error);
    std::string projectId();
    /// Opens `to` for this project with the type (and ptype, when given).
    void openForProject(Destination to, const char* type, const char* ptype);

    ButtonsView* btnView_ = nullptr;
    platform::ui::ScrollView* contentView_ = nullptr;
    platform::ui::TabBar* tabBar_ = nullptr;
    HousePreview* hf_ = nullptr;
    std::unique_ptr<DetailPages> pages_;
    Dict detail_;
    Array dataArray_;
    bool errAlertShowing_ = false;
};

}  // namespace tovera
