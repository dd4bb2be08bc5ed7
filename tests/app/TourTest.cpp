// `tovera --tour DIR` walks every screen offscreen and writes a picture of
// each; none may be blank, and the walk must end normally.
#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include "platform/ui/testing/Snapshot.h"

using tovera::platform::ui::testing::looksBlank;

TEST(Tour, WritesAPictureOfEveryScreenAndNoneIsBlank) {
    QTemporaryDir out;
    ASSERT_TRUE(out.isValid());
    QProcess tour;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.remove("TOVERA_SERVICE");
    tour.setProcessEnvironment(environment);
    tour.start(TOVERA_PROGRAM, {"--tour", out.path()});
    ASSERT_TRUE(tour.waitForFinished(120000));
    ASSERT_EQ(tour.exitStatus(), QProcess::NormalExit) << tour.readAllStandardError().toStdString();
    ASSERT_EQ(tour.exitCode(), 0) << tour.readAllStandardError().toStdString();

    const QStringList pictures =
        QString::fromLocal8Bit(tour.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    ASSERT_GE(pictures.size(), 2);
    EXPECT_TRUE(pictures.first().endsWith("01-splash.png")) << pictures.first().toStdString();
    for (const QString& path : pictures) {
        const QImage picture(path);
        EXPECT_FALSE(picture.isNull()) << path.toStdString();
        EXPECT_FALSE(looksBlank(picture)) << path.toStdString();
    }
}
