#include "tests/framework/TestListScreen.h"

#include "framework/ImageLoader.h"
#include "framework/NSUtil.h"
#include "platform/ui/views/ImageView.h"
#include "platform/ui/views/Label.h"

namespace tovera::testing {

using platform::ui::IndexPath;
using platform::ui::TableView;
using platform::ui::TableViewCell;

ThumbCell::ThumbCell() : CustomCell(QStringLiteral("ThumbCell")) {
    thumb_ = new platform::ui::ImageView(QRectF(8, 6, 64, 48));
    thumb_->setContentMode(platform::ui::ContentMode::ScaleAspectFill);
    contentView()->addSubview(thumb_);
    name_ = new platform::ui::Label(QRectF(80, 6, 230, 48));
    name_->setFont(NSUtil::normalFont());
    contentView()->addSubview(name_);
}

void ThumbCell::setInfo(const Dict& info) {
    CustomCell::setInfo(info);
    name_->setText(QString::fromStdString(
        info.getStringValueForKey("name", info.getStringValueForKey("title", ""))));
    thumb_->setImage(ImageLoader::noPicture());
}

// A picture meant for the row this cell showed before it was reused is
// ignored: the cell keeps what its current row shows.
void ThumbCell::imageDidLoad(const platform::ui::Image& image, int index) {
    if (index == tag()) thumb_->setImage(image);
}

TestListScreen::TestListScreen(DSTovera& session, Issue issue)
    : session_(session), issue_(std::move(issue)) {
    setTitle(QStringLiteral("列表"));
    param().setType("4");
    if (!issue_)
        issue_ = [](DSTovera& s, Dict& params, QXRequestDelegate* d) { s.systemHome(params, d); };
}

void TestListScreen::loadView() {
    table_ = new TableView(QRectF(0, 0, 320, 416), TableView::Style::Plain);
    table_->setDataSource(this);
    table_->setDelegate(this);
    setView(table_);
}

void TestListScreen::viewDidLoad() {
    QXViewController::viewDidLoad();
    addRefreshHeader(table_);
}

void TestListScreen::viewWillAppear(bool) {
    reloadIfEmpty();
}

void TestListScreen::didLoad(const Value& reply, QXRequest*) {
    if (onDidLoad) onDidLoad(reply);
    ++didLoadCount;
    lastReply = reply;
    appendPage(reply, table_);
}

void TestListScreen::requestDidFailWithError(QXRequest* request, const Error& error) {
    ++failureCount;
    QXViewController::requestDidFailWithError(request, error);
}

int TestListScreen::numberOfRowsInSection(TableView*, int) {
    return int(items().size());
}

TableViewCell* TestListScreen::cellForRowAtIndexPath(TableView* table, const IndexPath& path) {
    auto* cell = qobject_cast<ThumbCell*>(table->dequeueReusableCellWithIdentifier("ThumbCell"));
    if (!cell) cell = new ThumbCell;
    const Value& row = items()[path.row];  // null past the end
    cell->setInfo(row.dict() ? *row.dict() : Dict());
    cell->setTag(path.row);
    auto operation = std::make_unique<GetImageOperation>(path.row, cell);
    operation->setImageURL(row.getStringValueForKey("image", ""));
    GetImageOperation::enqueue(std::move(operation), images_);
    return cell;
}

}  // namespace tovera::testing
