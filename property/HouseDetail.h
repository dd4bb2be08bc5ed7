// "<kind>详情": one second-hand ("api" "oldhouse") or rental ("rent")
// listing, param "id". Three buttons switch the content area between the
// summary ("概况"), the full description ("详细") and the pictures
// ("图片"); the tab bar reports the listing, recommends it to friends or
// offers to call its contact. The detail is asked for once, when the screen
// is first shown, and the current page is rebuilt on every showing.
#pragma once

#include <memory>

#include "framework/QXViewController.h"
#include "platform/ui/navigation/TabBar.h"

namespace tovera::platform::ui {
class Button;
class ScrollView;
}  // namespace tovera::platform::ui

namespace tovera {

class ButtonsView;
class DetailPages;
class ListingPreview;

class HouseDetail : public QXViewController, public platform::ui::TabBarDelegate {
    Q_OBJECT
public:
    /// The page buttons, in order.
    enum Page { kPreview, kDetail, kPictures };
    /// The tab bar items, in order.
    enum Tab { kReport, kRecommend, kCall };

    explicit HouseDetail(QObject* parent = nullptr);
    ~HouseDetail() override;

    /// Whether the listing is a rental.
    bool rental();

    /// Shows the loading overlay and asks for the detail.
    void reloadData() override;
    /// Merges the reply into the detail and rebuilds the current page.
    void didLoad(const Value& reply, QXRequest* request) override;
    /// Any answer, refusals included, ends the wait for the detail.
    void requestDidLoad(QXRequest* request, const Value& reply) override;
    void requestDidFailWithError(QXRequest* request, const Error& error) override;

    /// Fills the content area with the page of `button`.
    void btnPressed(platform::ui::Button* button);
    /// Rebuilds the selected page (the summary when none is selected).
    void selectButton();

    void tabBarDidSelectItem(platform::ui::TabBar* tabBar, platform::ui::TabBarItem* item) override;

    /// The description of `detail` as plain text (its markup taken out).
    static QString descriptionText(const Dict& detail);

    const Dict& detail() const { return detail_; }
    ButtonsView* btnView() const { return btnView_; }
    platform::ui::ScrollView* contentView() const { return contentView_; }
    platform::ui::TabBar* tabBar() const { return tabBar_; }
    /// The summary page, once made.
    ListingPreview* preview() const { return preview_; }
    /// The page shown in the content area.
    QWidget* currentPage() const;

protected:
    void loadView() override;
    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;

private:
    /// A centred, read-only text page of `text` in 15 pt ("暂无" when empty).
    QWidget* textPage(const QString& text);
    std::string listingId();

    ButtonsView* btnView_ = nullptr;
    platform::ui::ScrollView* contentView_ = nullptr;
    platform::ui::TabBar* tabBar_ = nullptr;
    ListingPreview* preview_ = nullptr;
    std::unique_ptr<DetailPages> pages_;
    Dict detail_;
    bool loading_ = false;
};

}  // namespace tovera
