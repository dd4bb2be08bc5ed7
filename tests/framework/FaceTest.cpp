#include <QFontMetricsF>

#include "framework/FaceController.h"
#include "framework/FaceWord.h"
#include "framework/RootScreenServices.h"
#include "platform/ui/testing/Input.h"
#include "platform/ui/testing/Wait.h"
#include "tests/framework/FrameworkUiTest.h"

using namespace tovera;
using namespace tovera::platform::ui;
using namespace tovera::platform::ui::testing;

namespace {

class Faces : public tovera::testing::FrameworkUiTest {};

// The runs as text: "T:<text>" or "P:<asset>".
QStringList describe(const QList<FaceWord::Run>& runs) {
    QStringList out;
    for (const auto& run : runs)
        out << (run.picture ? "P:" : "T:") + run.text;
    return out;
}

TEST_F(Faces, CodesBecomePicturesAndEverythingElseStaysAsTyped) {
    const struct {
        const char* text;
        QStringList runs;
    } cases[] = {
        {"好[Face3]好", {"T:好", "P:face3.png", "T:好"}},
        {"[face11]", {"T:[face11]"}},
        {"a[b", {"T:a[b"}},
        {"a]b", {"T:a]b"}},
        {"[Face1][face2][FACE10]", {"P:face1.png", "P:face2.png", "P:face10.png"}},
        {"Hello[FACE1]World", {"T:Hello", "P:face1.png", "T:World"}},
        {"[x[face1]]", {"T:[x", "P:face1.png", "T:]"}},
        {"[../face1]", {"T:[../face1]"}},
        {"", {}},
    };
    FaceWord word;
    for (const auto& c : cases) {
        word.setContentStr(QString::fromUtf8(c.text));
        EXPECT_EQ(describe(word.faceWord()), c.runs) << c.text;
        for (const auto& run : word.faceWord())
            EXPECT_EQ(run.picture, !run.image.isNull()) << c.text;
    }
}

TEST_F(Faces, RunsWrapWithinTheWidthLessTwentyPoints) {
    const double width = 200;
    const QFontMetricsF metrics(FaceWord::textFont());
    const double lineHeight = metrics.height() + 2;
    FaceWord word;
    const struct {
        const char* text;
        int lines;
    } cases[] = {
        {"短", 1},
        {"[face1][face2][face3][face4][face5][face6][face7][face8]", 2},  // 8 x 25 > 180
        {"这是一段很长的评论文字，它会在一百八十点的宽度里换行好几次才能放下。", 3},
        {"[face1][face2][face3][face4][face5][face6]x中文也要换行", 2},
    };
    for (const auto& c : cases) {
        word.setContentStr(QString::fromUtf8(c.text));
        double height = 0;
        const QList<FaceWord::Placed> placed = word.layout(width, &height);
        double lowest = 0;
        for (const auto& piece : placed) {
            EXPECT_GE(piece.rect.left(), 1) << c.text;
            EXPECT_GE(piece.rect.width(), 0) << c.text;
            EXPECT_LE(piece.rect.right(), width - 20 + metrics.horizontalAdvance("中")) << c.text;
            lowest = std::max(lowest, piece.rect.top());
        }
        EXPECT_GE(height, lowest + lineHeight) << c.text;
        word.measure(QPointF(5, 7), width);
        EXPECT_EQ(word.frame().topLeft(), QPointF(5, 7));
        EXPECT_EQ(word.frame().height(), height);
        int lines = 1;
        for (int i = 1; i < placed.size(); ++i)
            if (placed[i].rect.top() > placed[i - 1].rect.top()) ++lines;
        EXPECT_GE(lines, c.lines) << c.text;
    }
    // No room left for even one character: the run moves on, never splits
    // at a negative length.
    word.setContentStr(QString::fromUtf8("[face1][face2][face3][face4][face5][face6][face7]中"));
    const QList<FaceWord::Placed> placed = word.layout(200);
    ASSERT_FALSE(placed.isEmpty());
    EXPECT_EQ(placed.back().text, QStringLiteral("中"));
}

TEST_F(Faces, ThePickerLeavesTheChosenFaceForTheWritingScreen) {
    auto* writing = new ViewController;
    showRoot(writing);
    auto* picker = new FaceController;
    nav()->pushViewController(picker, false);
    processEvents();
    EXPECT_EQ(picker->title(), QStringLiteral("表情"));
    ASSERT_EQ(picker->dataArray().size(), 10);
    EXPECT_EQ(picker->dataArray().front(), QStringLiteral("face1.png"));
    EXPECT_EQ(picker->gridView()->columNum(), 5);
    ASSERT_TRUE(tap(picker->gridView()->getItemAtPosition(0)));
    processEvents();
    EXPECT_EQ(nav()->topViewController(), writing);
    const Value face = RootScreenServices::shared().getParam("face");
    EXPECT_EQ(face, Value("face1.png"));
    EXPECT_EQ(FaceController::faceCode(QString::fromStdString(*face.string())),
              QStringLiteral("[Face1]"));
    EXPECT_EQ(FaceController::faceCode(QStringLiteral("face10.png")), QStringLiteral("[Face10]"));
    EXPECT_FALSE(FaceController::faceCode(QStringLiteral("a.png")));
    RootScreenServices::shared().removeParam("face");
}

}  // namespace
