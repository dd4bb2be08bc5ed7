// The splash screen: a full-screen picture over the whole user interface at
// start and whenever the application comes back, while a worker thread asks
// the service whether there is a newer picture. When that ends the splash
// fades out. The picture is the downloaded one named by the preference
// "splash", else the shipped "splash.png".
#pragma once

#include <atomic>
#include <chrono>
#include <filesystem>
#include <memory>
#include <thread>
#include <vector>

#include "core/SplashPicture.h"
#include "platform/Timers.h"
#include "platform/ui/navigation/ViewController.h"
#include "platform/ui/views/Image.h"

namespace tovera::platform::ui {
class ImageView;
}

namespace tovera::app {

class SplashViewController : public platform::ui::ViewController {
    Q_OBJECT
public:
    static constexpr platform::Timers::Duration kFadeDuration{750};

    explicit SplashViewController(QObject* parent = nullptr);
    /// Starts decoding the stored picture on a worker thread, so that the
    /// splash built a little later finds it decoded while the launch builds
    /// the window meanwhile.
    static void decodeAhead();
    /// Waits for the refreshes still running (each gives up after the
    /// splash time-out).
    ~SplashViewController() override;

    /// Builds the view that fills the area below the status bar, with the
    /// 320 x 480 picture at its top-left, and starts a refresh.
    void loadView() override;
    /// Brings the splash to the front of its superview and shows it.
    void show();
    /// Shows the splash with a fresh picture view and starts a new refresh.
    void showWithAnimation();
    void hidde();
    /// Fades the splash out; finishedFading() follows.
    void fadeScreen();
    /// Hides the splash and brings its opacity back to 1 for the next showing.
    void finishedFading();

    platform::ui::ImageView* splashImageView() const { return splashImageView_; }
    /// Whether a refresh is still running.
    bool isRefreshing() const;
    /// The time-out of later refreshes (tests shorten it).
    void setRefreshTimeOut(std::chrono::milliseconds timeOut) { timeOut_ = timeOut; }

signals:
    /// A refresh ended (before the fade starts).
    void refreshFinished(tovera::SplashPicture::Outcome outcome);

private:
    struct Refresh {
        std::thread thread;
        std::shared_ptr<std::atomic<bool>> done;
    };

    /// The downloaded picture when it decodes, else the shipped one.
    platform::ui::Image currentPicture();
    void loadPicture();
    /// onTimer: the refresh on its own thread; the fade on the main thread.
    void startRefresh();
    void refreshEnded(SplashPicture::Outcome outcome);
    void joinFinishedRefreshes(bool all);

    // The downloaded picture decoded last and the file it came from: coming
    // back shows it again without decoding it again.
    struct DecodedPicture {
        std::string path;
        std::filesystem::file_time_type modified;
        platform::ui::Image picture;
    };

    platform::ui::ImageView* splashImageView_ = nullptr;
    DecodedPicture decoded_;
    std::vector<Refresh> refreshes_;
    std::chrono::milliseconds timeOut_ = SplashPicture::kTimeOut;
    platform::TimerId fade_ = 0;
};

}  // namespace tovera::app
