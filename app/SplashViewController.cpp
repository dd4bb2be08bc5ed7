#include "app/SplashViewController.h"

#include <QImage>
#include <QImageReader>

#include <QPointer>

#include <filesystem>
#include <future>
#include <optional>

#include "platform/Log.h"
#include "platform/MainQueue.h"
#include "platform/ui/navigation/Window.h"
#include "platform/ui/views/Animation.h"
#include "platform/ui/views/ImageView.h"

namespace tovera::app {

using platform::ui::Animation;
using platform::ui::Image;
using platform::ui::ImageView;
using platform::ui::View;

namespace {

// The stored picture being decoded ahead, and the file it comes from.
struct DecodingAhead {
    std::string path;
    std::filesystem::file_time_type modified;
    std::future<QImage> picture;
};

std::optional<DecodingAhead>& decodingAhead() {
    static std::optional<DecodingAhead> ahead;
    return ahead;
}

double scaleOf(const std::string& path) {
    return path.find("@2x.") != std::string::npos ? 2 : 1;
}

}  // namespace

SplashViewController::SplashViewController(QObject* parent) : ViewController(parent) {}

void SplashViewController::decodeAhead() {
    const std::optional<std::string> path = SplashPicture::storedPicturePath();
    std::error_code ec;
    const auto modified =
        path ? std::filesystem::last_write_time(*path, ec) : std::filesystem::file_time_type{};
    if (!path || ec) return;
    decodingAhead() = DecodingAhead{*path, modified, std::async(std::launch::async, [file = *path] {
                                        // As Image::fromFile reads it.
                                        QImageReader reader(QString::fromStdString(file));
                                        reader.setAutoTransform(true);
                                        return reader.read();
                                    })};
}

SplashViewController::~SplashViewController() {
    joinFinishedRefreshes(true);
}

void SplashViewController::loadView() {
    auto* container = new View(QRectF(QPointF(), platform::ui::Window::applicationFrame().size()));
    container->setAutoresizingMask(View::FlexibleSize);
    container->setBackgroundColor(Qt::black);
    setView(container);
    loadPicture();
    startRefresh();
}

Image SplashViewController::currentPicture() {
    const std::optional<std::string> path = SplashPicture::storedPicturePath();
    std::error_code ec;
    const auto modified =
        path ? std::filesystem::last_write_time(*path, ec) : std::filesystem::file_time_type{};
    if (path && !ec) {
        if (decoded_.path == *path && decoded_.modified == modified && !decoded_.picture.isNull())
            return decoded_.picture;
        Image picture;
        if (std::optional<DecodingAhead>& ahead = decodingAhead();
            ahead && ahead->path == *path && ahead->modified == modified)
            picture = Image(ahead->picture.get(), scaleOf(*path));
        decodingAhead().reset();
        if (picture.isNull()) picture = Image::fromFile(QString::fromStdString(*path));
        if (!picture.isNull()) {
            decoded_ = DecodedPicture{*path, modified, picture};
            return picture;
        }
    }
    return Image::named(QStringLiteral("splash.png"));
}

void SplashViewController::loadPicture() {
    auto* pictureView = new ImageView(QRectF(0, 0, 320, 480));
    pictureView->setImage(currentPicture());
    view()->addSubview(pictureView);
    if (splashImageView_) delete splashImageView_;
    splashImageView_ = pictureView;
}

void SplashViewController::show() {
    Animation::cancel(fade_);
    fade_ = 0;
    View* splash = view();
    splash->setAlpha(1);
    if (View* parent = splash->superview()) parent->bringSubviewToFront(splash);
    splash->setHidden(false);
}

void SplashViewController::showWithAnimation() {
    show();
    loadPicture();
    startRefresh();
}

void SplashViewController::hidde() {
    view()->setHidden(true);
}

void SplashViewController::fadeScreen() {
    QPointer<View> splash = view();
    Animation::cancel(fade_);
    fade_ = Animation::run(
        splash, kFadeDuration, [splash](double t) { splash->setAlpha(1 - t); },
        [this] { finishedFading(); });
}

void SplashViewController::finishedFading() {
    QPointer<View> splash = view();
    hidde();
    fade_ = Animation::run(splash, kFadeDuration, [splash](double t) { splash->setAlpha(t); });
}

bool SplashViewController::isRefreshing() const {
    for (const Refresh& refresh : refreshes_)
        if (!*refresh.done) return true;
    return false;
}

void SplashViewController::startRefresh() {
    joinFinishedRefreshes(false);
    QPointer<SplashViewController> self(this);
    auto done = std::make_shared<std::atomic<bool>>(false);
    std::thread thread([self, done, timeOut = timeOut_] {
        SplashPicture::Outcome outcome = SplashPicture::Outcome::kNoAnswer;
        try {
            outcome = SplashPicture::refresh(timeOut, [](std::string_view bytes) {
                // Whole, and a picture the screen can show.
                QImage picture;
                return SplashPicture::looksWhole(bytes) &&
                       picture.loadFromData(reinterpret_cast<const uchar*>(bytes.data()),
                                            int(bytes.size()));
            });
        } catch (const std::exception& e) {
            platform::logLine(std::string("splash refresh failed: ") + e.what());
        }
        platform::mainQueue().post([self, outcome] {
            if (self) self->refreshEnded(outcome);
        });
        *done = true;
    });
    refreshes_.push_back(Refresh{std::move(thread), std::move(done)});
}

void SplashViewController::refreshEnded(SplashPicture::Outcome outcome) {
    emit refreshFinished(outcome);
    fadeScreen();
}

void SplashViewController::joinFinishedRefreshes(bool all) {
    for (auto it = refreshes_.begin(); it != refreshes_.end();) {
        if (all || *it->done) {
            if (it->thread.joinable()) it->thread.join();
            it = refreshes_.erase(it);
        } else {
            ++it;
        }
    }
}

}  // namespace tovera::app
