#include "tests/framework/FrameworkUiTest.h"

#include "framework/RootScreenServices.h"

#include "core/DBConnection.h"
#include "core/ServiceSettings.h"
#include "framework/ImageLoader.h"
#include "platform/AppHome.h"
#include "platform/Log.h"
#include "platform/ui/navigation/Window.h"
#include "platform/ui/testing/Wait.h"
#include "platform/ui/views/Image.h"
#include "platform/ui/web/WebView.h"
#include "service/DemoService.h"

namespace tovera::testing {

FrameworkUiTest::FrameworkUiTest() = default;
FrameworkUiTest::~FrameworkUiTest() = default;

void FrameworkUiTest::SetUp() {
    UiTest::SetUp();
    home_ = std::make_unique<TempHome>();
    platform::setResourceDirectory(TOVERA_RESOURCE_DIR);
    platform::ui::Image::setSearchPaths({QStringLiteral(TOVERA_RESOURCE_DIR)});
    // As the application does at start.
    ImageLoader::installWebPictureLoader();
    platform::setLogSink([this](std::string_view line) {
        std::lock_guard lock(logMutex_);
        logs_.emplace_back(line);
    });
    session_ = std::make_unique<DSTovera>(std::nullopt, std::nullopt, "3401");
    // The screens reach it as they reach the home screen's.
    RootScreenServices::shared().setSession(session_.get());
}

void FrameworkUiTest::TearDown() {
    UiTest::TearDown();
    platform::ui::testing::processEvents();
    demo_.reset();
    demoData_.reset();
    RootScreenServices::shared().setSession(nullptr);
    session_.reset();
    DSTovera::forgetTypedPassword();
    DBConnection::closeDatabase();
    serviceSettings() = ServiceSettings();
    platform::setLogSink({});
    platform::ui::WebView::setPictureLoader({});
    platform::ui::WebView::setPicturePlaceholders({}, {});
    platform::setResourceDirectory("");
    home_.reset();
}

void FrameworkUiTest::useService(const std::string& base) {
    serviceSettings().serviceHost = normalisedHost(base);
}

std::string FrameworkUiTest::startDemoService() {
    demoData_ = std::make_unique<TempDir>();
    service::ServiceOptions options;
    options.dataDir = demoData_->path().string();
    demo_ = std::make_unique<service::DemoService>(options);
    std::string error;
    EXPECT_TRUE(demo_->start(&error)) << error;
    useService(demo_->baseUrl());
    return demo_->baseUrl();
}

platform::ui::NavigationController* FrameworkUiTest::showRoot(
    platform::ui::ViewController* screen) {
    nav_ = new platform::ui::NavigationController(screen);
    window()->setRootViewController(nav_);
    platform::ui::testing::processEvents();
    return nav_;
}

bool FrameworkUiTest::logged(const std::string& text) const {
    std::lock_guard lock(logMutex_);
    for (const std::string& line : logs_)
        if (line.find(text) != std::string::npos) return true;
    return false;
}

}  // namespace tovera::testing
