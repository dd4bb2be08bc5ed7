// A GoogleTest fixture for toolkit and screen tests: a fresh key window on
// the offscreen platform, animations off, and everything it showed cleaned
// up afterwards.
#pragma once

#include "platform/ui/navigation/Window.h"

#include <gtest/gtest.h>

#include <QPointer>
#include <QString>

#include <ostream>

// Lets GoogleTest print Qt texts (and lists of them) readably.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace tovera::platform::ui::testing {

class UiTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    Window* window() const { return window_; }

private:
    QPointer<Window> window_;
};

}  // namespace tovera::platform::ui::testing
