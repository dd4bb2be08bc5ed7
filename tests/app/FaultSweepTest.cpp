// Every screen the tour reaches, opened while the service fails in each way
// it can: unreachable, refusing with a "code", answering what is not JSON,
// answering a list where an object belongs, and answering so late that the
// user has left the screen. No screen may crash; an alert, when one shows,
// is one of the failure alerts; and the home list keeps what it showed.
// Screens join the sweep by being in the tour.
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QStringList>

#include <chrono>
#include <functional>
#include <string>

#include "app/Tour.h"
#include "core/ServiceSettings.h"
#include "platform/ui/testing/Overlays.h"
#include "platform/ui/testing/Wait.h"
#include "property/Tovera.h"
#include "tests/app/ServiceHome.h"
#include "tests/app/TourApp.h"

using namespace tovera;
using namespace tovera::app;
using platform::ui::testing::answerAlert;
using platform::ui::testing::currentAlert;
using platform::ui::testing::processEvents;
using platform::ui::testing::waitFor;
using service::Fault;
using tovera::testing::ServiceHome;
using tovera::testing::TourApp;

namespace {

constexpr const char* kRefusalText = "服务维护中";

// A loopback port on which nothing listens.
int unusedPort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    ::close(fd);
    return ntohs(address.sin_port);
}

Fault everyRequest(Fault::Kind kind) {
    Fault fault;
    fault.kind = kind;
    fault.count = 1 << 30;
    fault.msg = kRefusalText;
    fault.delay = std::chrono::seconds(3);
    return fault;
}

struct ServiceFailure {
    const char* name;
    std::function<void(ServiceHome&)> start;
    /// Whether the failure calls for failure alerts (a list where an object
    /// belongs reads as an empty answer, which shows nothing).
    bool alerts = true;
    /// The user leaves each screen before its answers arrive.
    bool leaveAtOnce = false;
};

const ServiceFailure kFailures[] = {
    {"Unreachable",
     [](ServiceHome&) {
         serviceSettings().serviceHost = "http://127.0.0.1:" + std::to_string(unusedPort());
     }},
    {"Refusal",
     [](ServiceHome& home) {
         home.service().injectFault("*", everyRequest(Fault::Kind::kRefusal));
     }},
    {"NotJson",
     [](ServiceHome& home) {
         home.service().injectFault("*", everyRequest(Fault::Kind::kGarbage));
     }},
    {"ListForAnObject",
     [](ServiceHome& home) { home.service().injectFault("*", everyRequest(Fault::Kind::kArray)); },
     false},
    {"LateWhileTheUserLeaves",
     [](ServiceHome& home) { home.service().injectFault("*", everyRequest(Fault::Kind::kDelay)); },
     false, true},
};

class FaultSweep : public ::testing::TestWithParam<ServiceFailure> {
protected:
    Tovera* home() const { return app_.home(); }
    void leave() { app_.leave(); }

    // Answers every alert showing, checking that each is a failure alert.
    void answerAlerts(const std::string& stop) {
        const QStringList expected = {QStringLiteral("加载失败，请重试!"), QStringLiteral("出错了"),
                                      QString::fromUtf8(kRefusalText),
                                      QStringLiteral("您还没有登录，请登录!")};
        for (int shown = 0; shown < 10; ++shown) {
            const auto alert = currentAlert();
            if (!alert) return;
            EXPECT_TRUE(expected.contains(alert->message))
                << stop << ": " << alert->message.toStdString();
            // Away from the alert without retrying or signing in (a screen's
            // own retry alert offers "返回" for that).
            int away = int(alert->buttons.indexOf(QStringLiteral("取消")));
            if (away < 0) away = int(alert->buttons.indexOf(QStringLiteral("返回")));
            answerAlert(away >= 0 ? away : 0);
            ++alertsSeen_;
            processEvents();
        }
        ADD_FAILURE() << stop << ": alerts keep coming";
    }

    ServiceHome service_;
    TourApp app_;
    int alertsSeen_ = 0;
};

TEST_P(FaultSweep, NoScreenCrashesOrMisleads) {
    const ServiceFailure& failure = GetParam();
    ASSERT_TRUE(app_.launch());
    const std::size_t homeRows = home()->dataArray().size();

    failure.start(service_);
    Tour tour(app_.app());
    tour.setPatience(std::chrono::milliseconds(failure.leaveAtOnce ? 200 : 1500));
    for (const TourStop& stop : tourStops()) {
        SCOPED_TRACE(stop.name);
        stop.arrive(tour);
        if (failure.leaveAtOnce) {
            leave();
            // The late answers arrive at screens that are gone.
            waitFor([] { return false; }, std::chrono::milliseconds(3300));
        }
        answerAlerts(stop.name);
        leave();
        answerAlerts(stop.name);
        ASSERT_TRUE(home());
        EXPECT_EQ(home()->dataArray().size(), homeRows) << "the home list keeps its rows";
    }
    if (failure.alerts) {
        EXPECT_GT(alertsSeen_, 0) << "the failures reached the screens";
    }
}

INSTANTIATE_TEST_SUITE_P(EveryFailure, FaultSweep, ::testing::ValuesIn(kFailures),
                         [](const ::testing::TestParamInfo<ServiceFailure>& failure) {
                             return std::string(failure.param.name);
                         });

}  // namespace
