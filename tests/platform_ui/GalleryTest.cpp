// Renders a screen that uses most of the toolkit's widgets and writes it as
// a PNG (for people to look at, under the build directory), checking that
// it shows something.
#include "platform/ui/lists/ScrollView.h"
#include "platform/ui/lists/TableView.h"
#include "platform/ui/map/MapView.h"
#include "platform/ui/navigation/BarButtonItem.h"
#include "platform/ui/navigation/NavigationController.h"
#include "platform/ui/navigation/TabBar.h"
#include "platform/ui/overlays/AlertView.h"
#include "platform/ui/overlays/Toast.h"
#include "platform/ui/testing/Overlays.h"
#include "platform/ui/testing/Snapshot.h"
#include "platform/ui/testing/UiTest.h"
#include "platform/ui/testing/Wait.h"
#include "platform/ui/views/ActivityIndicatorView.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/ImageView.h"
#include "platform/ui/views/Label.h"
#include "platform/ui/views/PageControl.h"
#include "platform/ui/views/SearchBar.h"
#include "platform/ui/views/SegmentedControl.h"
#include "platform/ui/views/Switch.h"
#include "platform/ui/views/TextField.h"
#include "platform/ui/views/TextView.h"
#include "platform/ui/web/WebView.h"

#include <QCoreApplication>
#include <QDir>
#include <QPainter>

using namespace tovera::platform::ui;
using namespace tovera::platform::ui::testing;

namespace {

Image swatch(const QColor& color) {
    QImage image(60, 60, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(color);
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(4, 4, 52, 52), 10, 10);
    return Image(image, 2);
}

class Gallery : public ViewController, public TableViewDataSource {
public:
    Gallery() { setTitle("组件"); }
    void loadView() override {
        auto* root = new View(QRectF(0, 0, 320, 416));
        root->setBackgroundColor(QColor(0xEC, 0xEC, 0xEF));
        auto* search = new SearchBar(QRectF(0, 0, 320, 44), root);
        search->setPlaceholder("搜索楼盘");
        auto* table = new TableView(QRectF(0, 44, 320, 132), TableView::Style::Plain, root);
        table->setDataSource(this);
        table->reloadData();
        auto* field = new TextField(QRectF(10, 184, 180, 31), root);
        field->setBorderStyle(TextField::BorderStyle::RoundedRect);
        field->setPlaceholder("用户名");
        auto* toggle = new Switch(root);
        toggle->setFrame(QRectF(220, 186, 79, 27));
        toggle->setOn(true);
        auto* segments = new SegmentedControl({"新房", "二手房", "租房"}, root);
        segments->setFrame(QRectF(10, 222, 300, 30));
        segments->setSelectedSegmentIndex(1);
        auto* text = new TextView(QRectF(10, 258, 150, 60), root);
        text->setText("纠错内容：价格已经更新。");
        auto* web = new WebView(QRectF(165, 258, 145, 60), root);
        web->loadHTMLString("<p><b>均价</b>:<font color=red>12000</font>元/平方米</p>");
        auto* button = Button::withType(Button::Type::RoundedRect, root);
        button->setFrame(QRectF(10, 326, 120, 37));
        button->setTitle("发表评论");
        auto* icon = new ImageView(swatch(QColor(0xEF, 0xC6, 0x9C)), root);
        icon->setFrame(QRectF(140, 326, 37, 37));
        auto* spinner = new ActivityIndicatorView(ActivityIndicatorView::Style::Gray, root);
        spinner->setFrame(QRectF(190, 334, 20, 20));
        spinner->startAnimating();
        auto* dots = new PageControl(QRectF(215, 326, 95, 37), root);
        dots->setBackgroundColor(QColor(0x40, 0x40, 0x40));
        dots->setNumberOfPages(4);
        dots->setCurrentPage(1);
        auto* tabs = new TabBar(QRectF(0, 367, 320, 49), root);
        QList<TabBarItem*> items;
        const QStringList titles{"首页", "资讯", "房产", "社区", "我的"};
        for (int i = 0; i < titles.size(); ++i)
            items << new TabBarItem(titles[i], swatch(QColor::fromHsv(i * 60, 140, 230)), i);
        tabs->setItems(items);
        items[1]->setBadgeValue("3");
        tabs->setSelectedItem(items[0]);
        setView(root);
    }
    int numberOfRowsInSection(TableView*, int) override { return 5; }
    TableViewCell* cellForRowAtIndexPath(TableView* table, const IndexPath& ip) override {
        TableViewCell* cell = table->dequeueReusableCellWithIdentifier("cell");
        if (!cell) cell = new TableViewCell(TableViewCell::Style::Subtitle, "cell");
        cell->textLabel()->setText(QString("[住宅]滨湖花园 %1期").arg(ip.row + 1));
        cell->detailTextLabel()->setText("均价:一房一价");
        cell->setAccessoryType(ip.row == 0 ? TableViewCell::Accessory::Checkmark
                                           : TableViewCell::Accessory::DisclosureIndicator);
        return cell;
    }
};

using GalleryTest = UiTest;

}  // namespace

TEST_F(GalleryTest, WidgetsRenderToANonBlankPicture) {
    auto* gallery = new Gallery;
    gallery->navigationItem()->setRightBarButtonItem(
        new BarButtonItem("提交", BarButtonItem::Style::Plain));
    auto* nav = new NavigationController(new ViewController);
    nav->pushViewController(gallery, false);
    window()->setRootViewController(nav);
    Toast::show("订阅成功!");
    processEvents();
    const QImage picture = render(window());
    EXPECT_EQ(picture.size(), window()->size() * window()->devicePixelRatio());
    EXPECT_FALSE(looksBlank(picture));
    QImage empty(32, 32, QImage::Format_RGB32);
    empty.fill(Qt::white);
    EXPECT_TRUE(looksBlank(empty));
    const QString dir = QCoreApplication::applicationDirPath() + "/gallery";
    EXPECT_TRUE(savePng(window(), dir + "/widgets.png"));

    // The map and the alert over it.
    auto* map = new MapView(QRectF(0, 0, 320, 416));
    auto* screen = new ViewController;
    screen->setTitle("地图");
    screen->setView(map);
    nav->pushViewController(screen, false);
    map->setRegion({{31.8206, 117.2272}, {1.2, 1.2}});
    auto* alert = new AlertView("提示", "请完善置业信息", nullptr, {"确定", "返回"});
    alert->show();
    processEvents();
    EXPECT_FALSE(looksBlank(render(window())));
    EXPECT_TRUE(savePng(window(), dir + "/map-alert.png"));
    answerAlert(0);
}
