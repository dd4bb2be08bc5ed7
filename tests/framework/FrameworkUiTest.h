// The fixture of the framework's screen tests: a fresh key window with a
// navigation stack, a temporary home, the shipped pictures, a captured log,
// and a session whose service is the one the test chooses.
#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "core/DSTovera.h"
#include "platform/ui/navigation/NavigationController.h"
#include "platform/ui/testing/UiTest.h"
#include "tests/support/TempHome.h"

namespace tovera::service {
class DemoService;
}  // namespace tovera::service

namespace tovera::testing {

class FrameworkUiTest : public platform::ui::testing::UiTest {
protected:
    FrameworkUiTest();
    ~FrameworkUiTest() override;

    void SetUp() override;
    void TearDown() override;

    /// Points the session at `base` ("http://127.0.0.1:<port>").
    void useService(const std::string& base);
    /// Starts the demo service on a temporary folder and uses it; its base.
    std::string startDemoService();
    /// The demo service started by startDemoService(), if any.
    service::DemoService* demoService() const { return demo_.get(); }
    /// Shows `screen` as the root of a navigation stack in the window.
    platform::ui::NavigationController* showRoot(platform::ui::ViewController* screen);
    /// Whether a log line containing `text` was written.
    bool logged(const std::string& text) const;

    DSTovera& session() { return *session_; }
    platform::ui::NavigationController* nav() const { return nav_; }

private:
    std::unique_ptr<TempDir> demoData_;
    std::unique_ptr<service::DemoService> demo_;
    mutable std::mutex logMutex_;  // lines may come from worker threads
    std::vector<std::string> logs_;
    std::unique_ptr<TempHome> home_;
    std::unique_ptr<DSTovera> session_;
    platform::ui::NavigationController* nav_ = nullptr;
};

}  // namespace tovera::testing
