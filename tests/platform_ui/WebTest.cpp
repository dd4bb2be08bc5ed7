#include "platform/ui/testing/Input.h"
#include "platform/ui/testing/Snapshot.h"
#include "platform/ui/testing/UiTest.h"
#include "platform/ui/testing/Wait.h"
#include "platform/ui/web/TextWebEngine.h"
#include "platform/ui/web/WebView.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>

#include <vector>

using namespace tovera::platform::ui;
using namespace tovera::platform::ui::testing;

namespace {

struct Recorder : WebViewDelegate {
    std::vector<std::pair<QUrl, NavigationType>> asked;
    int finished = 0;
    int failed = 0;
    bool allow = true;
    bool shouldStartLoadWithRequest(WebView*, const QUrl& url, NavigationType type) override {
        asked.emplace_back(url, type);
        // Pictures are refused and shown elsewhere, as the article screen does.
        return allow && !url.path().endsWith(".jpg");
    }
    void webViewDidFinishLoad(WebView*) override { ++finished; }
    void didFailLoadWithError(WebView*, const QString&) override { ++failed; }
};

// Where the anchor with `text` sits in the text engine's viewport.
QPointF anchorPoint(TextWebEngine* engine, const QString& text) {
    QTextDocument* doc = engine->document();
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.charFormat().isAnchor() && fragment.text().contains(text)) {
                QTextCursor cursor(doc);
                cursor.setPosition(fragment.position() + 1);
                return engine->cursorRect(cursor).center();
            }
        }
    return QPointF(-1, -1);
}

class WebTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        ASSERT_TRUE(dir.isValid());
        write("style.css", "p { color: #333333; }");
        web = new WebView(QRectF(0, 64, 320, 300));
        web->setDelegate(&recorder);
        window()->addSubview(web);
    }
    void TearDown() override {
        WebView::setPictureLoader({});
        UiTest::TearDown();
    }
    void write(const QString& name, const QByteArray& bytes) {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QUrl base() const { return QUrl::fromLocalFile(dir.path() + "/"); }
    TextWebEngine* textEngine() const { return web->findChild<TextWebEngine*>(); }

    QTemporaryDir dir;
    Recorder recorder;
    WebView* web = nullptr;
};

}  // namespace

TEST_F(WebTest, LinksAreOfferedToTheDelegateBeforeAnythingHappens) {
    web->loadHTMLString(
        "<html><link rel=\"stylesheet\" type=\"text/css\" href=\"style.css\"><body>"
        "<p><a href=\"big.jpg\">图片</a></p><p><a href=\"big.JPG\">大写</a></p></body></html>",
        base());
    ASSERT_TRUE(waitFor([&] { return recorder.finished == 1; }));
    EXPECT_EQ(web->engine(), WebView::Engine::Text);
    EXPECT_TRUE(web->visibleText().contains("图片"));

    ASSERT_TRUE(tapAt(textEngine()->viewport(), anchorPoint(textEngine(), "图片")));
    ASSERT_EQ(recorder.asked.size(), 1u);
    EXPECT_EQ(recorder.asked[0].first, QUrl::fromLocalFile(dir.path() + "/big.jpg"));
    EXPECT_EQ(recorder.asked[0].second, NavigationType::LinkClicked);
    EXPECT_EQ(web->engine(), WebView::Engine::Text) << "a refused link changes nothing";

    // The upper-case picture link is let through: it opens inside the web
    // view, on the page engine.
    tapAt(textEngine()->viewport(), anchorPoint(textEngine(), "大写"));
    ASSERT_GE(recorder.asked.size(), 2u);
    EXPECT_TRUE(recorder.asked[1].first.path().endsWith("big.JPG"));
    EXPECT_EQ(web->engine(), WebView::Engine::Page);
    EXPECT_TRUE(
        waitFor([&] { return recorder.failed + recorder.finished > 1; }, std::chrono::seconds(30)));
}

TEST_F(WebTest, ContentHeightCountsPicturesThatArriveLater) {
    std::vector<WebViewEngine::PictureDone> waiting;
    WebView::setPictureLoader([&](const QUrl& url, WebViewEngine::PictureDone done) {
        EXPECT_EQ(url, QUrl("http://pictures.example/p1.png"));
        waiting.push_back(std::move(done));
    });
    web->setOpaque(false);
    web->loadHTMLString("<p>第一段</p><img src=\"http://pictures.example/p1.png\"/><p>末段</p>",
                        base());
    processEvents();
    ASSERT_EQ(waiting.size(), 1u);
    EXPECT_EQ(recorder.finished, 0) << "the load ends when the picture is there";
    const double before = web->contentHeight();
    QImage picture(100, 300, QImage::Format_RGB32);
    picture.fill(Qt::red);
    waiting[0](picture);
    ASSERT_TRUE(waitFor([&] { return recorder.finished == 1; }));
    EXPECT_GE(web->contentHeight(), 300);
    // Meanwhile the picture took the room of its small placeholder only.
    EXPECT_GT(web->contentHeight(), before + 300 - 60 - 10);

    // Longer text makes a taller page.
    web->loadHTMLString(QString("<p>行</p>").repeated(40), base());
    ASSERT_TRUE(waitFor([&] { return recorder.finished == 2; }));
    EXPECT_GT(web->contentHeight(), 40 * 15);
}

TEST_F(WebTest, PicturesShrinkToThePageAndFollowItsWidth) {
    WebView::setPictureLoader([](const QUrl&, WebViewEngine::PictureDone done) {
        QImage picture(600, 300, QImage::Format_RGB32);
        picture.fill(Qt::red);
        done(picture);
    });
    web->loadHTMLString("<p>x</p><img src=\"http://pictures.example/wide.png\"/><p>y</p>", base());
    ASSERT_TRUE(waitFor([&] { return recorder.finished == 1; }));
    const auto drawnWidth = [&] {
        processEvents();
        const QImage page = renderAsShown(web);
        return boundsWhere(page, [](const QColor& c) { return c == QColor(Qt::red); }).width() /
               page.devicePixelRatio();
    };
    EXPECT_NEAR(drawnWidth(), 320 - 16, 1);
    web->setFrame(QRectF(0, 64, 200, 300));
    EXPECT_NEAR(drawnWidth(), 200 - 16, 1);
}

TEST_F(WebTest, LocalResourcesComeOnlyFromTheBaseDirectory) {
    QDir(dir.path()).mkdir("res");
    write("secret.css", "p { color: red; }");
    write("res/face3.png", QByteArray());
    web->loadHTMLString("<p>x</p>", QUrl::fromLocalFile(dir.path() + "/res"));
    TextWebEngine* engine = textEngine();
    ASSERT_NE(engine, nullptr);
    EXPECT_TRUE(engine->isAllowedLocalFile(QUrl::fromLocalFile(dir.path() + "/res/face3.png")));
    EXPECT_FALSE(
        engine->isAllowedLocalFile(QUrl::fromLocalFile(dir.path() + "/res/../secret.css")));
    EXPECT_FALSE(engine->isAllowedLocalFile(QUrl::fromLocalFile("/etc/passwd")));
    EXPECT_FALSE(engine->isAllowedLocalFile(QUrl("http://example.com/a.png")));
}

TEST_F(WebTest, PagesByAddressGoBackAndAnswerScripts) {
    write("one.html",
          "<html><body><p id=\"code\">7</p><a href=\"two.html\">next</a></body></html>");
    write("two.html", "<html><body><p id=\"code\">0</p></body></html>");
    web->loadRequest(QUrl::fromLocalFile(dir.filePath("one.html")));
    ASSERT_TRUE(waitFor([&] { return recorder.finished == 1; }, std::chrono::seconds(30)))
        << "failed: " << recorder.failed;
    EXPECT_EQ(web->engine(), WebView::Engine::Page);
    EXPECT_FALSE(web->canGoBack());

    std::optional<QString> code;
    bool answered = false;
    const QString script = "document.getElementById(\"code\").innerText";
    web->evaluateJavaScript(script, [&](const std::optional<QString>& r) {
        code = r;
        answered = true;
    });
    ASSERT_TRUE(waitFor([&] { return answered; }));
    EXPECT_EQ(code, QString("7"));

    web->loadRequest(QUrl::fromLocalFile(dir.filePath("two.html")));
    ASSERT_TRUE(waitFor([&] { return recorder.finished == 2; }, std::chrono::seconds(30)));
    EXPECT_TRUE(web->canGoBack());
    web->goBack();
    ASSERT_TRUE(waitFor([&] { return recorder.finished == 3; }, std::chrono::seconds(30)));
    answered = false;
    web->evaluateJavaScript("undefined", [&](const std::optional<QString>& r) {
        code = r;
        answered = true;
    });
    ASSERT_TRUE(waitFor([&] { return answered; }));
    EXPECT_FALSE(code.has_value());
    EXPECT_FALSE(recorder.asked.empty());
}
