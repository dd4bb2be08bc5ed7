// The main() of toolkit and screen tests: Qt on the offscreen platform (unless
// QT_QPA_PLATFORM says otherwise), at scale 2, with the toolkit runtime
// installed and animations off.
#include "platform/ui/runtime/Application.h"
#include "platform/ui/views/Animation.h"

#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
    using namespace tovera::platform::ui;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    Application::prepare(Application::takeScaleArgument(argc, argv, 2));
    QApplication app(argc, argv);
    Application runtime;
    Animation::setEnabled(false);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
