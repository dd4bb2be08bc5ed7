// The article page as drawn: the body's pictures at the page width, a small
// placeholder where one cannot load, and a headline that wraps with the
// header growing under it.
#include <QBuffer>
#include <QFontMetricsF>
#include <QImage>

#include <cmath>

#include "core/Gb18030.h"
#include "news/NewsInfo.h"
#include "platform/ui/lists/ScrollView.h"
#include "platform/ui/testing/Input.h"
#include "platform/ui/testing/Snapshot.h"
#include "platform/ui/testing/Wait.h"
#include "platform/ui/views/Label.h"
#include "tests/framework/ScriptedServer.h"
#include "tests/news/NewsUiTest.h"

using namespace tovera;
using namespace tovera::platform::ui;
using namespace tovera::platform::ui::testing;

namespace {

QByteArray redPng(QSize size) {
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(Qt::red);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    return bytes;
}

bool isRed(const QColor& colour) {
    return colour.red() > 200 && colour.green() < 60 && colour.blue() < 60;
}

// How many separate bands of rows hold text: one per drawn line.
int inkBands(const QImage& image) {
    int bands = 0;
    bool inBand = false;
    for (int y = 0; y < image.height(); ++y) {
        bool ink = false;
        for (int x = 0; x < image.width() && !ink; ++x)
            ink = isInk(image.pixelColor(x, y));
        if (ink && !inBand) ++bands;
        inBand = ink;
    }
    return bands;
}

class NewsInfoPage : public tovera::testing::NewsUiTest {
protected:
    void SetUp() override {
        NewsUiTest::SetUp();
        useService(server_.base());
        server_.respond([this](const httplib::Request& request, httplib::Response& response) {
            if (request.path == "/pic/wide.png") {
                const QByteArray png = redPng({1000, 500});
                response.set_content(png.toStdString(), "image/png");
            } else if (request.path.rfind("/pic/", 0) == 0) {
                response.status = 404;
            } else if (request.path.find("news/detail.aspx") != std::string::npos) {
                const std::string article = R"({"error_code":200,"id":"7","title":")" + title_ +
                                            R"(","text":")" + body_ +
                                            R"(","source":"本站","update_at":"2026-01-02"})";
                response.set_content(gb18030::fromUtf8Lossy(article), "application/json");
            } else {
                response.set_content(R"({"error_code":200,"total":0,"result":[]})",
                                     "application/json");
            }
        });
    }

    NewsInfo* openLoaded(const std::string& id = "7") {
        auto* info = new NewsInfo;
        info->param().setRid(id);
        open(info);
        EXPECT_TRUE(waitFor([&] {
            return !info->titleLable()->text().isEmpty() && !info->contentText()->isLoading();
        }));
        processEvents();
        return info;
    }

    std::string title_ = "新盘加推";
    std::string body_ = "<p>正文</p>";
    tovera::testing::ScriptedServer server_;
};

TEST_F(NewsInfoPage, BodyPicturesFitThePageAndOneThatCannotLoadLeavesASmallPlaceholder) {
    // Spaced lines and a page margin, as the service's articles have them.
    body_ =
        "<html><head><style>body{line-height:1.7;margin:8px}</style></head><body><p>第一段</"
        "p><p><img src='" +
        server_.url("/pic/wide.png") + "'/></p><p>第二段</p><p><img src='" +
        server_.url("/pic/gone.png") + "' width='300'/></p><p>末段</p></body></html>";
    NewsInfo* info = openLoaded();
    WebView* body = info->contentText();
    const QImage page = render(body);
    const double scale = page.devicePixelRatio();
    // 1000 by 500 shrunk to the 288 points between the margins (8 of the
    // view and 8 of the page on either side).
    const QRect picture = boundsWhere(page, isRed);
    ASSERT_FALSE(picture.isEmpty()) << "the picture is drawn";
    EXPECT_NEAR(picture.width() / scale, 288, 2);
    EXPECT_NEAR(picture.height() / scale, 144, 2);
    EXPECT_LE(picture.right() / scale, 320 - 16 + 1);
    // The next paragraph follows the picture closely.
    const QImage below = page.copy(0, picture.bottom() + 1, page.width(), page.height());
    const QRect next = boundsWhere(below, isInk);
    ASSERT_FALSE(next.isEmpty());
    EXPECT_LT(next.top() / scale, 40) << "no screen of white under the picture";
    // The picture that did not come takes no more than its placeholder:
    // the page holds five short lines, the picture and 60 points more.
    EXPECT_LT(body->contentHeight(), 144 + 60 + 5 * 40);
    EXPECT_TRUE(body->visibleText().contains(QStringLiteral("末段")));
    // The page is as tall as its content, and the comments follow it.
    EXPECT_NEAR(body->frame().height(), body->contentHeight(), 1);
    EXPECT_GE(info->scrollView()->contentSize().height(), body->frame().bottom());
}

TEST_F(NewsInfoPage, ALongHeadlineWrapsAndTheHeaderGrowsUnderIt) {
    title_ = "瑶海区香樟御园加推1725套房源均价每平方米一万二千元起首付两成即可入住学区配套齐全";
    NewsInfo* info = openLoaded();
    Label* title = info->titleLable();
    const double lineHeight = QFontMetricsF(title->font()).lineSpacing();
    const int lines =
        int(std::lround(title->sizeThatFits({title->frame().width(), 0}).height() / lineHeight));
    ASSERT_GE(lines, 3);
    EXPECT_EQ(inkBands(render(title)), lines) << "every line is drawn";
    EXPECT_GE(info->msgLable()->frame().top(), title->frame().bottom());
    EXPECT_GE(info->contentText()->frame().top(), info->msgLable()->frame().bottom());
    // A short headline keeps the header as it was (another article: the
    // first is answered from the store now).
    title_ = "新盘加推";
    NewsInfo* shortOne = openLoaded("8");
    EXPECT_DOUBLE_EQ(shortOne->titleLable()->frame().height(), 44);
}

}  // namespace
