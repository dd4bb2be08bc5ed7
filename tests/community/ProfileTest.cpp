// The own profile and its editor against the demo service: each section
// edited with its pickers, date and radio, the saved values read back (the
// property class included), the field checks and limits, the head photo
// upload, and a bought home keeping its place after an edit.
#include <QImage>

#include "community/ActivityHome.h"
#include "community/Profile.h"
#include "community/ProfileEdit.h"
#include "framework/JVDatePicker.h"
#include "framework/JVPickView.h"
#include "framework/NetButton.h"
#include "framework/QXRadio.h"
#include "platform/ui/lists/ScrollView.h"
#include "platform/ui/overlays/DatePicker.h"
#include "platform/ui/overlays/ImagePicker.h"
#include "platform/ui/overlays/Keyboard.h"
#include "platform/ui/testing/Input.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/Label.h"
#include "tests/community/CommunityUiTest.h"

using namespace tovera;
using namespace tovera::platform::ui;
using namespace tovera::platform::ui::testing;

namespace {

class ProfileScreens : public tovera::testing::CommunityUiTest {
protected:
    Profile* profile(const char* type) {
        auto* shown = new Profile;
        shown->param().setType(type);
        open(shown);
        EXPECT_TRUE(waitFor([shown] { return !shown->record().empty(); }));
        return shown;
    }
    // "修改": the editor of the section, bound.
    ProfileEdit* edit(Profile* shown) {
        tapRightButton(shown);
        auto* editor = qobject_cast<ProfileEdit*>(top());
        EXPECT_NE(editor, nullptr);
        return editor;
    }
    // Chooses `row` of the list picker of `tag`, as a user does.
    static void pick(ProfileEdit* editor, int tag, int row) {
        // The keyboard would cover the lower buttons; the button is scrolled
        // into sight, as a user would.
        Keyboard::shared().dismiss();
        processEvents();
        Button* button = editor->choice(tag);
        for (QWidget* up = button; up; up = up->parentWidget())
            if (auto* scroll = qobject_cast<ScrollView*>(up)) {
                scroll->scrollRectToVisible(button->frame(), false);
                break;
            }
        processEvents();
        ASSERT_TRUE(tapSettled(button));
        ASSERT_TRUE(waitFor([editor] { return !editor->pickView()->isHidden(); }));
        editor->pickView()->selectRow(row);
        ASSERT_TRUE(tap(editor->pickView()->confirmButton()));
    }
    // Saves; the saved request, once the editor is gone.
    Dict save(ProfileEdit* editor) {
        const std::size_t before = sent("user/setinfo.aspx").size();
        tapRightButton(editor);
        const Dict saved = nextRequest("user/setinfo.aspx", before);
        EXPECT_TRUE(waitFor([&] { return top() != editor; }));
        return saved;
    }
    // Wuhu chosen on the city list, which hands its choice over in the
    // editor's parameters as the editor shows again.
    void chooseCity(ProfileEdit* editor) {
        editor->param().param().set("citybtn", "芜湖");
        editor->param().param().set("cityids", "3402");
        open(new ViewController);
        nav()->popViewControllerAnimated(false);
        processEvents();
    }
    // The text of `key`'s line after the profile reloaded.
    static QString line(Profile* shown, const char* key) { return shown->label(key)->text(); }
};

TEST_F(ProfileScreens, PersonalDataSavedWithTheRadioAndPickerComesBack) {
    as("newbie");
    Profile* shown = profile("1");
    EXPECT_EQ(shown->title(), QStringLiteral("个人资料"));
    ProfileEdit* editor = edit(shown);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->title(), QStringLiteral("修改个人资料"));
    ASSERT_TRUE(type(editor->field("realname"), QStringLiteral("一二三四五六七八九十十一")));
    EXPECT_EQ(editor->field("realname")->text(), QStringLiteral("一二三四五六七八九十"));
    ASSERT_TRUE(type(editor->field("tel"), QStringLiteral("0551123456789999")));
    EXPECT_EQ(editor->field("tel")->text().size(), 12);
    // Pasted text is held to the limit as typed text is.
    EXPECT_FALSE(editor->shouldChangeCharactersInRange(editor->field("qq"), 0, 0,
                                                       QStringLiteral("123456789012345")));
    EXPECT_TRUE(editor->shouldChangeCharactersInRange(editor->field("qq"), 0, 0,
                                                      QStringLiteral("12345678901234")));
    ASSERT_TRUE(tap(editor->genderRadio()->buttons().value(2)));
    EXPECT_EQ(editor->genderRadio()->value(), QStringLiteral("女"));
    pick(editor, ProfileEdit::kPrivacy, 2);
    EXPECT_EQ(editor->choice(ProfileEdit::kPrivacy)->currentTitle(), QStringLiteral("完全公开"));

    ASSERT_TRUE(type(editor->field("email"), QStringLiteral("new@example")));
    const std::size_t before = sent("user/setinfo.aspx").size();
    tapRightButton(editor);
    EXPECT_EQ(currentToast(), QStringLiteral("请输入正确的邮件格式"));
    processEvents();
    EXPECT_EQ(sent("user/setinfo.aspx").size(), before);
    ASSERT_TRUE(type(editor->field("email"), QStringLiteral(".cn")));

    const Dict saved = save(editor);
    EXPECT_EQ(saved.getStringValueForKey("gander", ""), "女");
    EXPECT_EQ(saved.getStringValueForKey("privacy", ""), "2");
    EXPECT_EQ(saved.getStringValueForKey("mail", ""), "new@example.cn");
    EXPECT_EQ(saved.getStringValueForKey("uid", ""), "4");
    EXPECT_EQ(top(), shown);
    ASSERT_TRUE(waitFor([&] { return line(shown, "gander") == QStringLiteral("性别:女"); }));
    EXPECT_EQ(line(shown, "realname"), QStringLiteral("真实姓名:一二三四五六七八九十"));
    EXPECT_EQ(line(shown, "email"), QStringLiteral("邮箱:new@example.cn"));

    // The editor binds what was saved.
    editor = edit(shown);
    EXPECT_EQ(editor->genderRadio()->value(), QStringLiteral("女"));
    EXPECT_EQ(editor->choice(ProfileEdit::kPrivacy)->tag(), 2);
}

TEST_F(ProfileScreens, HomeBuyingChecksInOrderAndThePropertyClassComesBack) {
    as("newbie");
    Profile* shown = profile("2");
    ProfileEdit* editor = edit(shown);
    ASSERT_NE(editor, nullptr);
    editor->field("email")->setText(QStringLiteral("not-an-address"));
    tapRightButton(editor);
    EXPECT_EQ(currentToast(), QStringLiteral("请选择出生日期"));

    ASSERT_TRUE(tapSettled(editor->dateButton()));
    ASSERT_FALSE(editor->datePicker()->isHidden());
    editor->datePicker()->datePicker()->chooseDate(QDate(1990, 5, 6));
    ASSERT_TRUE(tap(editor->datePicker()->confirmButton()));
    EXPECT_EQ(editor->dateButton()->currentTitle(), QStringLiteral("1990-05-06"));
    tapRightButton(editor);
    EXPECT_EQ(currentToast(), QStringLiteral("请输入个人年收入")) << "before the e-mail check";
    for (const char* key : {"p_i", "f_i", "size", "price"})
        ASSERT_TRUE(type(editor->field(key), QStringLiteral("12")));
    tapRightButton(editor);
    EXPECT_EQ(currentToast(), QStringLiteral("请选择意向城市"));

    chooseCity(editor);
    EXPECT_EQ(editor->cityButton()->currentTitle(), QStringLiteral("芜湖"));
    EXPECT_FALSE(editor->param().param().contains("citybtn"));
    tapRightButton(editor);
    EXPECT_EQ(currentToast(), QStringLiteral("请输入正确的邮件格式"));
    editor->field("email")->setText(QString());

    pick(editor, ProfileEdit::kEducation, 3);
    pick(editor, ProfileEdit::kClassic, 2);
    pick(editor, ProfileEdit::kRooms, 2);
    EXPECT_EQ(editor->choice(ProfileEdit::kClassic)->currentTitle(), QStringLiteral("公寓"));
    const Dict saved = save(editor);
    EXPECT_EQ(saved.getStringValueForKey("classic", ""), "3");
    EXPECT_EQ(saved.getStringValueForKey("brithday", ""), "1990-05-06");
    EXPECT_EQ(saved.getStringValueForKey("city", ""), "3402");
    ASSERT_TRUE(waitFor([&] { return line(shown, "classic") == QStringLiteral("物业类别:公寓"); }));
    EXPECT_EQ(line(shown, "date"), QStringLiteral("出生日期:1990-05-06"));
    EXPECT_EQ(line(shown, "e"), QStringLiteral("学历:本科"));
    EXPECT_EQ(line(shown, "city"), QStringLiteral("意向城市:芜湖"));
    EXPECT_EQ(line(shown, "flat"), QStringLiteral("户型:3室0厅0卫"));

    // Saved unchanged, the class stays; the row before it is taken as chosen.
    save(edit(shown));
    editor = edit(shown);
    EXPECT_EQ(editor->choice(ProfileEdit::kClassic)->currentTitle(), QStringLiteral("公寓"));
    pick(editor, ProfileEdit::kClassic, 1);
    EXPECT_EQ(save(editor).getStringValueForKey("classic", ""), "2");
    EXPECT_TRUE(waitFor([&] { return line(shown, "classic") == QStringLiteral("物业类别:住宅"); }));
}

TEST_F(ProfileScreens, ThePreferredCityAloneIsEnoughFromTheActivities) {
    as("newbie");  // nothing of the home-buying section filled in
    auto* activities = open(new ActivityHome);
    tapRightButton(activities);
    ASSERT_TRUE(waitFor([&] { return qobject_cast<ProfileEdit*>(top()); }));
    auto* editor = qobject_cast<ProfileEdit*>(top());
    EXPECT_EQ(editor->title(), QStringLiteral("修改意向城市"));
    ASSERT_TRUE(waitFor([&] { return !editor->record().empty(); }));
    tapRightButton(editor);
    EXPECT_EQ(currentToast(), QStringLiteral("请选择意向城市"));

    chooseCity(editor);
    const Dict saved = save(editor);
    EXPECT_EQ(saved.getStringValueForKey("city", ""), "3402");
    EXPECT_EQ(saved.getStringValueForKey("t", ""), "2");
    EXPECT_EQ(top(), activities);
}

TEST_F(ProfileScreens, HeadPhotoIsScaledUploadedAndShown) {
    EXPECT_EQ(Profile::scaledForUpload(QImage(400, 100, QImage::Format_RGB32)).size(),
              QSize(200, 50));
    EXPECT_EQ(Profile::scaledForUpload(QImage(200, 120, QImage::Format_RGB32)).size(),
              QSize(200, 120));
    EXPECT_EQ(Profile::flatText("3,2"), QStringLiteral("户型:0室0厅0卫"));

    as("demo");
    Profile* shown = profile("1");
    const std::string before = shown->photoButton()->imgUrl();
    QImage picture(400, 100, QImage::Format_RGB32);
    picture.fill(Qt::darkGreen);
    ImagePicker::setNextResult(picture);
    ASSERT_TRUE(tapSettled(shown->photoButton()));
    ASSERT_TRUE(waitFor([] { return currentActionSheet().has_value(); }));
    EXPECT_EQ(currentActionSheet()->title, QStringLiteral("选择上传方式"));
    ASSERT_TRUE(answerActionSheet(1));
    ASSERT_TRUE(waitFor([&] { return !sent("user/headphoto.aspx").empty(); }));
    const service::RecordedRequest upload = sent("user/headphoto.aspx").back();
    ASSERT_EQ(upload.pictures.count("photo"), 1u);
    const std::string& bytes = upload.pictures.at("photo");
    EXPECT_EQ(
        QImage::fromData(reinterpret_cast<const uchar*>(bytes.data()), int(bytes.size())).size(),
        QSize(200, 50));
    EXPECT_TRUE(waitFor([&] { return currentToast() == QStringLiteral("修改头像成功!"); }));
    EXPECT_TRUE(waitFor([&] { return shown->photoButton()->imgUrl() != before; }))
        << "the new picture is shown";
}

TEST_F(ProfileScreens, ABoughtHomeKeepsItsPlaceAfterAnEdit) {
    as("demo");
    Profile* shown = profile("3");
    EXPECT_EQ(shown->title(), QStringLiteral("邻里会"));
    ASSERT_NE(shown->houseListView(), nullptr);
    const Value home = shown->record()["buyinfo"][0];
    ASSERT_TRUE(home.isDict());
    auto* editor = new ProfileEdit;
    editor->setRecord(*home.dict());
    editor->param().setType("3");
    open(editor);
    EXPECT_EQ(editor->choice(ProfileEdit::kHouse)->tag(), home.getIntValueForKey("hid", -1));
    pick(editor, ProfileEdit::kUnit, 5);
    const Dict saved = save(editor);
    EXPECT_EQ(saved.getStringValueForKey("id", ""), home["id"].toText());
    EXPECT_EQ(saved.getStringValueForKey("uid", ""), "1") << "the user, not the record";
    EXPECT_EQ(saved.getStringValueForKey("house", ""), home["hid"].toText());
    EXPECT_EQ(saved.getStringValueForKey("lid", ""), home["lid"].toText());
    EXPECT_EQ(saved.getStringValueForKey("build", ""), home["bid"].toText());
    EXPECT_EQ(saved.getStringValueForKey("unit", ""), "6");

    Profile* again = profile("3");
    for (const Value& record : again->record()["buyinfo"].items()) {
        if (record["id"].toText() != home["id"].toText()) continue;
        for (const char* key : {"cityid", "aid", "hid", "lid", "bid"})
            EXPECT_EQ(record[key].toText(), home[key].toText()) << key;
        EXPECT_EQ(record["unit"].toText(), "6");
    }
}

}  // namespace
