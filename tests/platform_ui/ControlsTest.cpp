#include "platform/ui/navigation/TabBar.h"
#include "platform/ui/overlays/DatePicker.h"
#include "platform/ui/overlays/ImagePicker.h"
#include "platform/ui/overlays/PickerView.h"
#include "platform/ui/testing/Find.h"
#include "platform/ui/testing/Input.h"
#include "platform/ui/testing/Snapshot.h"
#include "platform/ui/testing/UiTest.h"
#include "platform/ui/testing/Wait.h"
#include "platform/ui/views/ActivityIndicatorView.h"
#include "platform/ui/views/Font.h"
#include "platform/ui/views/ImageView.h"
#include "platform/ui/views/Label.h"
#include "platform/ui/views/PageControl.h"
#include "platform/ui/views/SegmentedControl.h"
#include "platform/ui/views/Switch.h"
#include "platform/ui/views/TapGestureRecognizer.h"
#include "platform/ui/views/TextField.h"
#include "platform/ui/views/TextView.h"
#include "platform/ui/web/WebView.h"

#include <QApplication>
#include <QFontInfo>
#include <QStringList>

using namespace tovera::platform::ui;
using namespace tovera::platform::ui::testing;

namespace {

struct TabRecorder : TabBarDelegate {
    QList<int> tags;
    void tabBarDidSelectItem(TabBar* bar, TabBarItem* item) override {
        tags << item->tag();
        bar->setSelectedItem(nullptr);  // screens clear the selection after acting
    }
};

struct Rows : PickerViewDataSource, PickerViewDelegate {
    QStringList titles{"1km", "3km", "5km", "10km"};
    QList<int> chosen;
    int numberOfRowsInComponent(PickerView*, int) override { return int(titles.size()); }
    QString titleForRow(PickerView*, int row, int) override { return titles[row]; }
    void didSelectRow(PickerView*, int row, int) override { chosen << row; }
};

struct Picked : ImagePickerDelegate {
    QImage image;
    int cancels = 0;
    void imagePickerDidFinishPicking(ImagePicker*, const QImage& i) override { image = i; }
    void imagePickerDidCancel(ImagePicker*) override { ++cancels; }
};

using ControlsTest = UiTest;

}  // namespace

TEST_F(ControlsTest, TabBarSelectsBadgesAndKeepsItemsTakenOff) {
    TabRecorder recorder;
    auto* bar = new TabBar(QRectF(0, 431, 320, 49));
    bar->setDelegate(&recorder);
    QList<TabBarItem*> all;
    for (int i = 0; i < 3; ++i)
        all << new TabBarItem(QString("项%1").arg(i), {}, 10 + i);
    bar->setItems(all);
    window()->addSubview(bar);
    all[1]->setBadgeValue("12");
    ASSERT_TRUE(tap(findByText(bar, "项2")));
    EXPECT_EQ(recorder.tags, QList<int>{12});
    EXPECT_EQ(bar->selectedItem(), nullptr);
    bar->setItems({all[0]});  // show only a part
    EXPECT_EQ(findByText(bar, "项2"), nullptr);
    bar->setItems(all);  // the others are still there
    EXPECT_NE(findByText(bar, "项2"), nullptr);
    bar->setSelectedItem(all[0]);
    EXPECT_EQ(bar->selectedItem(), all[0]);
}

TEST_F(ControlsTest, SwitchSegmentsAndPageDotsReportTheirValue) {
    auto* toggle = new Switch(window());
    toggle->setFrame(QRectF(20, 100, 79, 27));
    auto* segments = new SegmentedControl({"正在进行", "历史活动"}, window());
    segments->setFrame(QRectF(20, 150, 200, 30));
    auto* dots = new PageControl(QRectF(0, 200, 320, 36), window());
    dots->setNumberOfPages(3);
    QStringList changes;
    QObject::connect(toggle, &Control::valueChanged, [&] { changes << "switch"; });
    QObject::connect(segments, &Control::valueChanged, [&] {
        changes << QString("segment%1").arg(segments->selectedSegmentIndex());
    });
    QObject::connect(dots, &Control::valueChanged,
                     [&] { changes << QString("page%1").arg(dots->currentPage()); });
    tap(toggle);
    EXPECT_TRUE(toggle->isOn());
    tapAt(segments, QPointF(150, 15));
    tapAt(dots, QPointF(300, 18));  // right of the middle: next page
    tapAt(dots, QPointF(300, 18));
    tapAt(dots, QPointF(300, 18));  // no page after the last
    tapAt(dots, QPointF(10, 18));
    EXPECT_EQ(changes, (QStringList{"switch", "segment1", "page1", "page2", "page1"}));
    toggle->setOn(false);
    EXPECT_EQ(changes.count("switch"), 1) << "set by code: no value-changed";
}

TEST_F(ControlsTest, SpinnerShowsWhileTurningOrWhenToldToStayVisible) {
    auto* spinner = new ActivityIndicatorView(ActivityIndicatorView::Style::Gray, window());
    EXPECT_TRUE(spinner->isHidden());
    spinner->startAnimating();
    EXPECT_FALSE(spinner->isHidden());
    spinner->stopAnimating();
    EXPECT_TRUE(spinner->isHidden());
    spinner->setHidesWhenStopped(false);
    EXPECT_FALSE(spinner->isHidden()) << "a stopped spinner that does not hide shows its spokes";
    spinner->startAnimating();
    spinner->stopAnimating();
    EXPECT_FALSE(spinner->isHidden());
    spinner->setHidesWhenStopped(true);
    EXPECT_TRUE(spinner->isHidden());
}

TEST_F(ControlsTest, SingleTapWaitsForADoubleTapToFail) {
    auto* view = new ImageView(QRectF(0, 20, 320, 460), window());
    auto* single = new TapGestureRecognizer(view, 1);
    auto* twice = new TapGestureRecognizer(view, 2);
    single->requireToFail(twice);
    QStringList seen;
    QObject::connect(single, &TapGestureRecognizer::recognized, [&] { seen << "single"; });
    QObject::connect(twice, &TapGestureRecognizer::recognized, [&] { seen << "double"; });
    doubleTap(view, QPointF(100, 100));
    fastForward(std::chrono::milliseconds(1000));
    EXPECT_EQ(seen, QStringList{"double"});
    tap(view);
    EXPECT_EQ(seen, QStringList{"double"}) << "the single tap waits";
    fastForward(std::chrono::milliseconds(1000));
    EXPECT_EQ(seen, (QStringList{"double", "single"}));
    drag(view, QPointF(50, 50), QPointF(0, 80));
    fastForward(std::chrono::milliseconds(1000));
    EXPECT_EQ(seen.size(), 2) << "a drag is no tap";
}

TEST_F(ControlsTest, PickersChooseRowsAndDates) {
    Rows rows;
    auto* picker = new PickerView(QRectF(0, 264, 320, 216), window());
    picker->setDataSource(&rows);
    picker->setDelegate(&rows);
    picker->reloadAllComponents();
    picker->selectRow(1, 0);
    EXPECT_EQ(picker->visibleText(), "3km");
    // A tap one row below the middle chooses the next row; a drag up by two rows two more.
    tapAt(picker, QPointF(160, 108 + 44));
    drag(picker, QPointF(160, 150), QPointF(0, -88));
    EXPECT_EQ(rows.chosen, (QList<int>{2, 3}));
    EXPECT_EQ(picker->selectedRowInComponent(0), 3);

    auto* dates = new DatePicker(window());
    QStringList values;
    QObject::connect(dates, &Control::valueChanged,
                     [&] { values << dates->date().toString("yyyy-MM-dd"); });
    dates->setDate(QDate(2012, 1, 31));
    dates->pickerView()->chooseRow(1, 1);  // February: the 31st becomes the 29th
    dates->setMinimumDate(QDate(2000, 1, 1));
    dates->setMaximumDate(QDate(2010, 12, 31));
    EXPECT_EQ(values, QStringList{"2012-02-29"});
    EXPECT_EQ(dates->date(), QDate(2010, 12, 31)) << "kept within the range";
    EXPECT_EQ(dates->visibleText(), "2010-12-31");
}

TEST_F(ControlsTest, PhotoPickerHandsBackThePictureOrACancel) {
    Picked picked;
    ImagePicker picker;
    picker.setDelegate(&picked);
    EXPECT_FALSE(ImagePicker::isSourceTypeAvailable(ImagePicker::SourceType::Camera));
    QImage photo(640, 960, QImage::Format_RGB32);
    photo.fill(Qt::blue);
    ImagePicker::setNextResult(photo);
    picker.present();
    ASSERT_TRUE(waitFor([&] { return !picked.image.isNull(); }));
    EXPECT_EQ(picked.image.size(), QSize(640, 960));
    ImagePicker::setNextResult(QImage());
    picker.present();
    ASSERT_TRUE(waitFor([&] { return picked.cancels == 1; }));
    EXPECT_TRUE(ImagePicker::readPicture("/nonexistent.png").isNull());
}

TEST_F(ControlsTest, TypedEmojiAreDrawnInColourInEveryFont) {
    const QString smile = QStringLiteral("好😀");
    const QList<QFont> fonts{Font::system(15), Font::boldSystem(17),
                             Font::named(QStringLiteral("No Such Family"), 13)};
    for (const QFont& font : fonts) {
        auto* field = new TextField(QRectF(10, 80, 300, 36));
        auto* text = new TextView(QRectF(10, 130, 300, 60));
        auto* label = new Label(QRectF(10, 200, 300, 30));
        const QList<View*> views{field, text, label};
        for (View* view : views)
            window()->addSubview(view);
        field->setFont(font);
        text->setFont(font);
        label->setFont(font);
        ASSERT_TRUE(type(field, smile));
        ASSERT_TRUE(type(text, smile));
        label->setText(smile);
        processEvents();
        EXPECT_EQ(field->text(), smile);
        EXPECT_EQ(text->text(), smile);
        for (View* view : views) {
            EXPECT_FALSE(boundsWhere(renderAsShown(view), isColourful).isEmpty())
                << font.family().toStdString() << " " << view->metaObject()->className();
            delete view;
        }
    }
}

TEST_F(ControlsTest, HtmlTextDrawsEmojiInColourAndDigitsInItsTextFont) {
    auto* web = new WebView(QRectF(0, 64, 320, 100));
    window()->addSubview(web);
    web->loadHTMLString(QStringLiteral("<p>1334套😀</p>"));
    ASSERT_TRUE(waitFor([&] { return !web->isLoading(); }));
    processEvents();
    EXPECT_FALSE(boundsWhere(renderAsShown(web), isColourful).isEmpty());
    // The emoji font only stands in for what the text font lacks.
    EXPECT_NE(QFontInfo(QApplication::font()).family(), QStringLiteral("Noto Color Emoji"));
}
