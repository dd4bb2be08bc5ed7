// "相册": the picture albums of a project, as a grid of three columns. In
// category mode ("grid") each item is one album with its cover; choosing it
// opens a gallery of that album's pictures ("gallery"); choosing a picture
// opens the shared picture viewer at it. A gallery may also show a list it
// is given ("photos", setIcons()). The service answers ten items at a time:
// the gallery asks on until it holds every one.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "framework/GridView.h"
#include "framework/QXViewController.h"

namespace tovera {

class Gallery : public QXViewController, public GridViewDataSource {
    Q_OBJECT
public:
    /// Set `rid` (the project) and call getGrid(), or set `type` and `api`
    /// "gallery", or call setIcons(); the view may then be embedded as a
    /// page of another screen or the gallery pushed.
    explicit Gallery(QObject* parent = nullptr);

    /// Category mode: `type` "0", `api` "grid", then the first page.
    void getGrid();
    /// A given list of pictures ({"picico_url", "picbig_url", "picname"}).
    void setIcons(const Array& photos);
    /// The albums whose pictures make up the album of category 0 ("全部"),
    /// which the service itself answers with the album list. A gallery
    /// given them reads them in turn instead of its own `type`.
    void setCategories(std::vector<std::string> types) { categories_ = std::move(types); }

    void reloadData() override;
    void doRequest() override;
    void didLoad(const Value& reply, QXRequest* request) override;
    void requestDidLoad(QXRequest* request, const Value& reply) override;
    void requestDidFailWithError(QXRequest* request, const Error& error) override;

    GridView* gridView() const { return gridView_; }
    /// The caption of `item` in the current mode.
    QString caption(const Dict& item);

    int numberOfItems(GridView* gridView) override;
    platform::ui::View* viewForItemAtPosition(GridView* gridView, int position) override;
    void didSelectItemAtPosition(GridView* gridView, int position) override;

protected:
    void loadView() override;
    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;

private:
    bool gridMode() { return param().api() == "grid"; }
    /// Asks for the first page of the next album of category 0; false when
    /// none is left.
    bool nextCategory();
    /// The pictures in the shared viewer at `position`, captioned by `nameKey`.
    void showPictures(int position, const char* nameKey);

    GridView* gridView_ = nullptr;
    std::vector<std::string> categories_;
    std::deque<std::string> pending_;
    /// Items of the album being read that have arrived.
    int albumHeld_ = 0;
    /// A first page is on its way (showing the gallery then asks for no other).
    bool awaitingFirst_ = false;
};

}  // namespace tovera
