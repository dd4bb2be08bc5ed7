#include "tests/ask/AskUiTest.h"

#include "framework/ActivityView.h"
#include "framework/Navigator.h"
#include "framework/PhotoPreview.h"
#include "platform/ui/overlays/ImagePicker.h"
#include "platform/ui/overlays/Keyboard.h"
#include "platform/ui/testing/Input.h"
#include "platform/ui/testing/Overlays.h"
#include "platform/ui/testing/Wait.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/TextField.h"
#include "platform/ui/views/TextView.h"
#include "service/DemoService.h"

namespace tovera::testing {

using namespace platform::ui::testing;

void AskUiTest::SetUp() {
    NewsUiTest::SetUp();
    startDemoService();
}

AskForm* AskUiTest::openForm(const std::string& type, const std::string& rid) {
    Route route{Destination::AskForm};
    route.param.setType(type);
    if (!rid.empty()) route.param.setRid(rid);
    auto* form = qobject_cast<AskForm*>(Navigator::build(route));
    EXPECT_NE(form, nullptr);
    if (form) open(form);
    return form;
}

void AskUiTest::pickPhoto(AskForm* form, const QImage& image, int source) {
    platform::ui::ImagePicker::setNextResult(image);
    // The keyboard put away first, as a user does to reach the button.
    platform::ui::Keyboard::shared().dismiss();
    processEvents();
    ASSERT_TRUE(tapSettled(form->photoBtn()));
    const std::optional<OverlayInfo> sheet = currentActionSheet();
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->title, QStringLiteral("选择上传方式"));
    ASSERT_TRUE(answerActionSheet(source));
    processEvents();
    ASSERT_TRUE(waitFor([&] { return form->photosScaling() == 0; }));
    processEvents();
}

QImage AskUiTest::picture(int width, int height, QColor color) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

void AskUiTest::fill(AskForm* form, const QString& subject, const QString& body) {
    if (!subject.isEmpty()) {
        ASSERT_TRUE(type(form->titleField(), subject));
    }
    if (!body.isEmpty()) {
        ASSERT_TRUE(type(form->contentText(), body));
    }
}

void AskUiTest::submit(AskForm* form) {
    tapRightButton(form);
    processEvents();
    ASSERT_TRUE(waitFor([] { return !ActivityView::shared()->isShowing(); }));
    processEvents();
}

Value AskUiTest::post(Dict params) {
    RecordedReply reply;
    session().userMessagePost(params, &reply);
    EXPECT_TRUE(waitFor([&] { return reply.done; }));
    return reply.answer;
}

std::size_t AskUiTest::postsReceived() {
    return demoService()->requestsTo("user/messagepost.aspx").size();
}

}  // namespace tovera::testing
