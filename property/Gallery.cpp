#include "property/Gallery.h"

#include "core/DSTovera.h"
#include "framework/ButtonItem.h"
#include "framework/ImageViewShow.h"
#include "framework/NSUtil.h"
#include "framework/Navigator.h"
#include "platform/ui/navigation/Window.h"
#include "platform/ui/views/Label.h"

namespace tovera {

using platform::ui::View;

namespace {
constexpr double kItemSide = 70;
constexpr int kColumns = 3;

std::vector<std::string> column(const Array& items, std::string_view key) {
    std::vector<std::string> out;
    out.reserve(items.size());
    for (const Value& item : items)
        out.push_back(item.getStringValueForKey(key, ""));
    return out;
}
}  // namespace

Gallery::Gallery(QObject* parent) : QXViewController(true, parent) {
    setTitle(QStringLiteral("相册"));
}

void Gallery::loadView() {
    gridView_ = new GridView(QRectF(0, 0, 320, 416));
    gridView_->setAutoresizingMask(View::FlexibleSize);
    setView(gridView_);
}

void Gallery::viewDidLoad() {
    QXViewController::viewDidLoad();
    gridView_->setColumNum(kColumns);
    gridView_->setGridDelegate(this);
    gridView_->setBackgroundColor(NSUtil::listview_item());
    // Items given, or answered, before the view was made.
    gridView_->reloadData();
}

void Gallery::viewWillAppear(bool) {
    if (items().empty() && !awaitingFirst_ && param().rid() != "0") reloadData();
}

void Gallery::getGrid() {
    param().setType("0");
    param().setApi("grid");
    reloadData();
}

void Gallery::setIcons(const Array& photos) {
    param().setApi("photos");
    items() = photos;
    if (gridView_) gridView_->reloadData();
}

void Gallery::reloadData() {
    albumHeld_ = 0;
    // The album of category 0 is made of the other albums, read one by one.
    pending_.assign(categories_.begin(), categories_.end());
    if (!pending_.empty()) {
        param().setType(pending_.front());
        pending_.pop_front();
    }
    awaitingFirst_ = true;
    loadFirstPage();
}

void Gallery::doRequest() {
    session().getHouseGallery(param().param(), this);
}

bool Gallery::nextCategory() {
    if (pending_.empty()) return false;
    param().setType(pending_.front());
    pending_.pop_front();
    albumHeld_ = 0;
    param().setPage("0");
    dataGrow();
    return true;
}

void Gallery::didLoad(const Value& reply, QXRequest*) {
    if (pageDeclined(reply)) return;
    const std::size_t before = items().size();
    appendPage(reply, nullptr);
    const int arrived = int(items().size() - before);
    albumHeld_ += arrived;
    if (gridView_) {
        gridView_->setBackgroudView(items().empty() ? noItemView() : nullptr);
        gridView_->reloadData();
    }
    // On to the rest of the album; a page that brings nothing ends it, so a
    // total the service overstates cannot keep the gallery asking.
    if (arrived > 0 && albumHeld_ < total()) {
        dataGrow();
        return;
    }
    nextCategory();
}

// Any answer, refusals included, ends the wait for the first page.
void Gallery::requestDidLoad(QXRequest* request, const Value& reply) {
    awaitingFirst_ = false;
    QXViewController::requestDidLoad(request, reply);
}

void Gallery::requestDidFailWithError(QXRequest* request, const Error& error) {
    awaitingFirst_ = false;
    QXViewController::requestDidFailWithError(request, error);
}

QString Gallery::caption(const Dict& item) {
    std::string title = item.getStringValueForKey("title", "");
    if (title.empty()) {
        // An index outside the album names yields no name rather than a
        // neighbour's.
        title = gridMode()
                    ? NSUtil::config("galleryname")[item.getIntValueForKey("type", 0)].toText()
                    : item.getStringValueForKey("picname", "");
    }
    return QString::fromStdString(title);
}

int Gallery::numberOfItems(GridView*) {
    return int(items().size());
}

View* Gallery::viewForItemAtPosition(GridView* grid, int position) {
    const Dict* item = items()[position].dict();
    if (!item) return nullptr;
    auto* button = qobject_cast<ButtonItem*>(grid->getItemAtPosition(position));
    if (!button) button = new ButtonItem(QRectF(0, 0, kItemSide, kItemSide));
    button->setIconUrl(item->getStringValueForKey("picico_url", ""));
    button->setLable(caption(*item));
    return button;
}

void Gallery::didSelectItemAtPosition(GridView*, int position) {
    const Dict* item = items()[position].dict();
    if (!item) return;
    const std::string api = param().api();
    if (api == "grid") {
        auto* album = new Gallery;
        album->param().setRid(param().rid());
        album->param().setType(item->getStringValueForKey("type", "0"));
        album->param().setApi("gallery");
        // Category 0 asks the service for the album list: its pictures are
        // those of the other albums.
        if (Value(album->param().type()).intValue() <= 0) {
            std::vector<std::string> others;
            for (const Value& category : items()) {
                const std::string type = category.getStringValueForKey("type", "0");
                if (Value(type).intValue() > 0) others.push_back(type);
            }
            album->setCategories(std::move(others));
        }
        // Embedded as a page of another screen, the gallery is on no stack
        // of its own: the album goes on the application's.
        Navigator::push(navigationController() ? this : nullptr, album);
    } else if (api == "gallery") {
        showPictures(position, "title");
    } else if (api == "photos") {
        showPictures(position, "picname");
    }
}

void Gallery::showPictures(int position, const char* nameKey) {
    ImageViewShow* viewer = ImageViewShow::inWindow(platform::ui::Window::keyWindow());
    if (!viewer) return;
    viewer->setPicsArray(column(items(), "picbig_url"));
    viewer->setNameArray(column(items(), nameKey));
    viewer->setIdx(position);
    viewer->setHidden(false);
}

}  // namespace tovera
