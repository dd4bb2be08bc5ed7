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
    // The walk opens a web page; under the address sanitizer the page
    // engine's threads are still ending when the leak check stops the process
    // at exit, and the check's own tracer then crashes now and then. The
    // screens' leaks are checked by their own tests, so the walk runs without.
    if (environment.contains("ASAN_OPTIONS"))
        environment.insert("ASAN_OPTIONS", environment.value("ASAN_OPTIONS") + ":detect_leaks=0");
    tour.setProcessEnvironment(environment);
    tour.start(TOVERA_PROGRAM, {"--tour", out.path()});
    ASSERT_TRUE(tour.waitForFinished(120000));
    // The end of the walk's log says why it stopped; the start is the launch.
    const std::string log = tour.readAllStandardError().right(6000).toStdString();
    ASSERT_EQ(tour.exitStatus(), QProcess::NormalExit) << log;
    ASSERT_EQ(tour.exitCode(), 0) << log;

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
