// The purchase records list as the profile screen embeds it, against the
// demo service: the rows' texts, the empty list, deleting with a
// confirmation (only what the service removed goes), and the neighbour
// search.
#include "framework/Navigator.h"
#include "platform/ui/lists/TableView.h"
#include "platform/ui/testing/Find.h"
#include "platform/ui/testing/Input.h"
#include "platform/ui/testing/Overlays.h"
#include "platform/ui/testing/Wait.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/Label.h"
#include "property/BuyStateItem.h"
#include "property/MyHouseListView.h"
#include "service/DemoService.h"
#include "tests/news/NewsListsUiTest.h"

using namespace tovera;
using namespace tovera::platform::ui;
using namespace tovera::platform::ui::testing;

namespace {

Dict record(const char* id, const char* house, const char* hid = "1001") {
    return Dict{{"id", id},   {"state", "已签约"}, {"location", "合肥"}, {"house", house},
                {"hid", hid}, {"build", "5"},      {"unit", "3"},        {"num", "1804"}};
}

class PurchaseRecords : public tovera::testing::NewsListsUiTest {
protected:
    MyHouseListView* showList(const Array& records) {
        if (!nav()) showRoot(new ViewController);
        auto* list = new MyHouseListView(QRectF(0, 0, 320, 400), top()->view(), records);
        list->show();
        processEvents();
        return list;
    }

    BuyStateItem* row(MyHouseListView* list, int index) {
        return qobject_cast<BuyStateItem*>(list->tableView()->cellForRowAtIndexPath({0, index}));
    }

    std::vector<std::string> ids(MyHouseListView* list) {
        std::vector<std::string> out;
        for (const Value& r : list->dataArray())
            out.push_back(r.getStringValueForKey("id", ""));
        return out;
    }

    /// Taps "删除" of row `index` and confirms.
    bool deleteRow(MyHouseListView* list, int index) {
        BuyStateItem* cell = row(list, index);
        if (!cell || !tap(cell->button(BuyStateItem::kDelete))) return false;
        if (!currentAlert() || currentAlert()->buttons.value(0) != QStringLiteral("确定"))
            return false;
        return answerAlert(0);
    }
};

TEST_F(PurchaseRecords, RowsShowTheRecordAndAnEmptyListSaysSo) {
    MyHouseListView* list = showList({});
    EXPECT_TRUE(list->tableView()->tableFooterView());
    EXPECT_TRUE(findByText(list, QStringLiteral("暂无")));
    list->setDataArray({record("9", "翠湖名邸"), Dict{{"id", "10"}}});
    EXPECT_FALSE(list->tableView()->tableFooterView());
    BuyStateItem* cell = row(list, 0);
    ASSERT_TRUE(cell);
    EXPECT_EQ(cell->buyLbl()->text(), QStringLiteral("购房状态:\t已签约"));
    EXPECT_EQ(cell->locationLbl()->text(), QStringLiteral("所在城市:\t合肥"));
    EXPECT_EQ(cell->buildLbl()->text(), QStringLiteral("翠湖名邸"));
    EXPECT_EQ(cell->unitLbl()->text(), QStringLiteral("房号:\t5栋3单元1804室"));
    EXPECT_EQ(row(list, 1)->unitLbl()->text(), QStringLiteral("房号:\t栋单元室"));
}

TEST_F(PurchaseRecords, DeletingTheSecondOfThreeLeavesTheFirstAndThird) {
    useDemo();
    signIn();
    MyHouseListView* list = showList(
        {record("100001", "翠湖名邸"), record("100002", "滨湖花园"), record("100003", "天鹅湖")});
    // Declining the confirmation sends nothing.
    ASSERT_TRUE(tap(row(list, 1)->button(BuyStateItem::kDelete)));
    ASSERT_TRUE(answerAlert(1));
    processEvents();
    EXPECT_TRUE(requestsTo("user/setinfo.aspx").empty());

    ASSERT_TRUE(deleteRow(list, 1));
    ASSERT_TRUE(waitFor([&] { return list->dataArray().size() == 2; }));
    EXPECT_EQ(ids(list), (std::vector<std::string>{"100001", "100003"}));
    const std::vector<Dict> sent = requestsTo("user/setinfo.aspx");
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].getStringValueForKey("id", ""), "100002");
    EXPECT_EQ(sent[0].getStringValueForKey("type", ""), "3");
    EXPECT_FALSE(sent[0].contains("state"));
    ASSERT_TRUE(currentAlert().has_value());
    EXPECT_EQ(currentAlert()->message, QStringLiteral("删除成功"));
    answerAlert(0);

    // Another user's record is refused: the row stays and the reason shows.
    ASSERT_TRUE(deleteRow(list, 1));
    ASSERT_TRUE(waitFor([] { return currentAlert().has_value(); }));
    EXPECT_EQ(currentAlert()->message, QStringLiteral("记录不存在"));
    answerAlert(0);
    EXPECT_EQ(ids(list), (std::vector<std::string>{"100001", "100003"}));
}

TEST_F(PurchaseRecords, ADeleteAnsweredAfterTheRowsMovedRemovesItsOwnRecord) {
    useDemo();
    signIn();
    service::Fault slow;
    slow.kind = service::Fault::Kind::kDelay;
    slow.delay = std::chrono::milliseconds(300);
    demoService()->injectFault("user/setinfo.aspx", slow);
    MyHouseListView* list = showList({record("100001", "翠湖名邸"), record("100002", "滨湖花园")});
    ASSERT_TRUE(deleteRow(list, 1));
    // The profile reloads its records while the delete is on its way.
    list->setDataArray({record("100002", "滨湖花园"), record("100001", "翠湖名邸")});
    ASSERT_TRUE(waitFor([&] { return list->dataArray().size() == 1; }));
    EXPECT_EQ(ids(list), (std::vector<std::string>{"100001"}));
}

TEST_F(PurchaseRecords, NeighboursNeedAProjectAndEditOpensTheEditor) {
    useDemo();
    MyHouseListView* list = showList({record("1", ""), record("2", "翠湖名邸", "1001")});
    ViewController* root = top();
    ASSERT_TRUE(tap(row(list, 0)->button(BuyStateItem::kNeighbours)));
    EXPECT_EQ(currentToast(), QStringLiteral("请完善楼盘信息后搜索!"));
    EXPECT_EQ(top(), root);

    ASSERT_TRUE(tap(row(list, 1)->button(BuyStateItem::kNeighbours)));
    ASSERT_TRUE(waitFor([&] { return top() != root; }));
    // The member search of that project, a real screen.
    EXPECT_EQ(top()->title(), QStringLiteral("搜索购买楼盘"));
    nav()->popViewControllerAnimated(false);
    processEvents();
    // Signed out, the search's refusal may still be on screen.
    if (currentAlert()) answerAlert(0);

    ASSERT_TRUE(tap(row(list, 1)->button(BuyStateItem::kEdit)));
    ASSERT_TRUE(waitFor([&] { return top() != root; }));
    EXPECT_EQ(top()->title(), QStringLiteral("修改邻里会"));
}

}  // namespace
