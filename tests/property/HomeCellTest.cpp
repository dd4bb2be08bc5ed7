// A home-list row: the name and price texts, the number that is dialled,
// and the telephone button's sheet (or toast when there is no number).
#include <QString>

#include "framework/ImageLoader.h"
#include "framework/NSUtil.h"
#include "platform/Dialer.h"
#include "platform/ui/lists/TableView.h"
#include "platform/ui/testing/Input.h"
#include "platform/ui/testing/Overlays.h"
#include "platform/ui/testing/Wait.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/ImageView.h"
#include "platform/ui/views/Label.h"
#include "property/HomeCell.h"
#include "tests/property/HomeScreenTest.h"

using namespace tovera;
using namespace tovera::platform::ui::testing;
using tovera::platform::Dialer;

namespace {

class HomeCellTest : public tovera::testing::HomeScreenTest {};

TEST(HomeCell, ShowsNameAndPriceWithOneHousePerPriceForNoPrice) {
    const struct {
        Dict row;
        const char* name;
        const char* price;
    } cases[] = {
        {Dict{{"type", "住宅"}, {"name", "滨湖花园"}, {"price", "12500"}}, "[住宅]滨湖花园",
         "均价:12500元/平方米"},
        {Dict{{"type", "别墅"}, {"name", "山庄"}, {"price", "0"}}, "[别墅]山庄", "均价:一房一价"},
        {Dict{{"name", "无价"}}, "[]无价", "均价:一房一价"},
        {Dict{{"price", ""}}, "[]", "均价:一房一价"},
        {Dict{{"price", "待定"}}, "[]", "均价:一房一价"},
    };
    HomeCell cell;
    for (const auto& c : cases) {
        cell.setInfo(c.row);
        EXPECT_EQ(cell.nameLbl()->text(), QString::fromUtf8(c.name));
        EXPECT_EQ(cell.priceLbl()->text(), QString::fromUtf8(c.price));
    }
}

TEST(HomeCell, DialsWithCommasForExtensionsAndWithoutSpaces) {
    const struct {
        const char* title;
        const char* dialled;
    } cases[] = {
        {"0551-1234 转 88", "0551-1234,88"},
        {"0551-12345678", "0551-12345678"},
        {" 400 800 转88转9 ", "400800,88,9"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NSUtil::dialNumber(c.title), c.dialled) << c.title;
}

TEST(HomeCell, APictureOfTheRowAReusedCellShowedBeforeIsDropped) {
    HomeCell cell;
    cell.setInfo(Dict{{"name", "御景苑"}});
    cell.setTag(3);
    QImage own(8, 8, QImage::Format_RGB32);
    own.fill(Qt::red);
    QImage earlier(8, 8, QImage::Format_RGB32);
    earlier.fill(Qt::blue);
    // The row's own picture first, then the late one of row 0.
    cell.imageDidLoad(platform::ui::Image(own), 3);
    cell.imageDidLoad(platform::ui::Image(earlier), 0);
    EXPECT_EQ(cell.iconView()->image().toImage().pixelColor(0, 0), QColor(Qt::red));
    // The late one first: the placeholder stays until the row's own comes.
    cell.setInfo(Dict{{"name", "紫荆壹号"}});
    cell.imageDidLoad(platform::ui::Image(earlier), 0);
    EXPECT_EQ(cell.iconView()->image().toImage(), ImageLoader::noPicture().toImage());
}

TEST_F(HomeCellTest, TheTelephoneButtonOffersTheNumberOrSaysThereIsNone) {
    const struct {
        const char* tel;
        const char* sheet;  // null: no sheet, the toast instead
        const char* dialled;
    } cases[] = {
        {"0551-1234 转 88", "拨打:0551-1234 转 88", "tel:0551-1234,88"},
        {"", nullptr, nullptr},
        {"  ", nullptr, nullptr},
    };
    prepare(false);
    startDemoService();
    openHome();
    auto* cell = qobject_cast<HomeCell*>(home_->tableView()->cellForRowAtIndexPath({0, 0}));
    ASSERT_TRUE(cell);
    for (const auto& c : cases) {
        Dialer::shared().clearRequests();
        cell->setInfo(Dict{{"tel", c.tel}, {"name", "x"}});
        ASSERT_TRUE(tap(cell->telBtn())) << c.tel;
        processEvents();
        const auto sheet = currentActionSheet();
        if (!c.sheet) {
            EXPECT_FALSE(sheet) << c.tel;
            EXPECT_EQ(currentToast(), QStringLiteral("没有提供相关号码!"));
            EXPECT_TRUE(Dialer::shared().requests().empty());
        } else {
            ASSERT_TRUE(sheet);
            EXPECT_EQ(sheet->title, QString::fromUtf8(c.sheet));
            EXPECT_EQ(sheet->buttons, (QStringList{"确定", "取消"}));
            // The row changes before the answer: the number offered is dialled.
            cell->setInfo(Dict{{"tel", "110"}});
            ASSERT_TRUE(answerActionSheet(0));
            processEvents();
            ASSERT_EQ(Dialer::shared().requests().size(), 1u);
            EXPECT_EQ(Dialer::shared().requests()[0], c.dialled);
        }
    }
}

}  // namespace
