#include "framework/RefreshTableHeaderView.h"

#include <QPainter>
#include <QTransform>

#include <algorithm>

#include "core/PreferenceKeys.h"
#include "platform/Preferences.h"
#include "platform/ui/lists/ScrollView.h"
#include "platform/ui/views/ActivityIndicatorView.h"
#include "platform/ui/views/Animation.h"
#include "platform/ui/views/Font.h"
#include "platform/ui/views/Image.h"
#include "platform/ui/views/Label.h"

namespace tovera {

using platform::ui::ActivityIndicatorView;
using platform::ui::Animation;
using platform::ui::ContentMode;
using platform::ui::EdgeInsets;
using platform::ui::Font;
using platform::ui::Image;
using platform::ui::Label;
using platform::ui::ScrollView;

namespace {
constexpr int kArrowTurnMs = 180;
constexpr int kHoldMs = 200;
constexpr int kReleaseMs = 300;
}  // namespace

// The arrow picture, drawn aspect-fit and turned about its centre.
class RefreshTableHeaderView::Arrow : public platform::ui::View {
public:
    Arrow(const QRectF& frame, Image image) : View(frame), image_(std::move(image)) {}

    double rotation() const { return rotation_; }
    void setRotation(double degrees) {
        rotation_ = degrees;
        update();
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        View::paintEvent(event);
        QPainter painter(this);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        const QPointF centre = bounds().center();
        painter.translate(centre);
        painter.rotate(rotation_);
        painter.translate(-centre);
        image_.draw(painter, bounds(), ContentMode::ScaleAspectFit);
    }

private:
    Image image_;
    double rotation_ = 0;
};

RefreshTableHeaderView::RefreshTableHeaderView(const QRectF& frame)
    : RefreshTableHeaderView(frame, QStringLiteral("blueArrow.png"), QColor(87, 108, 137)) {}

RefreshTableHeaderView::RefreshTableHeaderView(const QRectF& frame, const QString& arrowImageName,
                                               const QColor& textColor)
    : View(frame) {
    const double w = frame.width();
    const double h = frame.height();
    setAutoresizingMask(FlexibleWidth);
    setBackgroundColor(QColor(226, 231, 237));

    auto makeLabel = [&](double y, const QFont& font) {
        auto* label = new Label(QRectF(0, y, w, 20));
        label->setAutoresizingMask(FlexibleWidth);
        label->setFont(font);
        label->setTextColor(textColor);
        label->setShadowColor(QColor::fromRgbF(0.9f, 0.9f, 0.9f));
        label->setShadowOffset(QPointF(0, 1));
        label->setTextAlignment(Qt::AlignHCenter);
        addSubview(label);
        return label;
    };
    lastUpdatedLabel_ = makeLabel(h - 30, Font::system(12));
    statusLabel_ = makeLabel(h - 48, Font::boldSystem(13));

    arrowImage_ = new Arrow(QRectF(25, h - 65, 30, 55), Image::named(arrowImageName));
    addSubview(arrowImage_);

    activityView_ = new ActivityIndicatorView(ActivityIndicatorView::Style::Gray);
    activityView_->setFrame(QRectF(25, h - 38, 20, 20));
    addSubview(activityView_);

    setState(RefreshState::Normal);
}

double RefreshTableHeaderView::arrowRotation() const {
    return arrowImage_->rotation();
}

bool RefreshTableHeaderView::arrowShown() const {
    return !arrowImage_->isHidden();
}

void RefreshTableHeaderView::refreshLastUpdatedDate() {
    std::optional<QDateTime> date;
    if (RefreshTableHeaderDelegate* d = delegate_.get())
        date = d->refreshTableHeaderDataSourceLastUpdated(this);
    if (!date) {
        lastUpdatedLabel_->setText(QString());
        return;
    }
    // The Chinese short form whatever the machine's locale, as every other
    // date the portal shows.
    const QString text =
        QStringLiteral("上次刷新时间: %1").arg(date->toString(QStringLiteral("yyyy-MM-dd HH:mm")));
    lastUpdatedLabel_->setText(text);
    platform::preferences().setString(PrefKey::kLastRefresh, text.toStdString());
}

void RefreshTableHeaderView::turnArrow(double degrees) {
    const double from = arrowImage_->rotation();
    Arrow* arrow = arrowImage_;
    Animation::run(
        arrow, std::chrono::milliseconds(kArrowTurnMs),
        [arrow, from, degrees](double t) { arrow->setRotation(from + (degrees - from) * t); }, {},
        Animation::Curve::Linear);
}

void RefreshTableHeaderView::setState(RefreshState state) {
    switch (state) {
        case RefreshState::Pulling:
            statusLabel_->setText(QStringLiteral("松开刷新"));
            turnArrow(180);
            break;
        case RefreshState::Normal:
            if (state_ == RefreshState::Pulling)
                turnArrow(0);
            else
                arrowImage_->setRotation(0);
            statusLabel_->setText(QStringLiteral("下拉刷新"));
            activityView_->stopAnimating();
            arrowImage_->setHidden(false);
            refreshLastUpdatedDate();
            break;
        case RefreshState::Loading:
            statusLabel_->setText(QStringLiteral("加载中..."));
            activityView_->startAnimating();
            arrowImage_->setHidden(true);
            break;
    }
    state_ = state;
}

bool RefreshTableHeaderView::delegateIsLoading() {
    RefreshTableHeaderDelegate* d = delegate_.get();
    return d && d->refreshTableHeaderDataSourceIsLoading(this);
}

void RefreshTableHeaderView::setTopInset(ScrollView* scrollView, double top) {
    EdgeInsets inset = scrollView->contentInset();
    inset.top = top;
    scrollView->setContentInset(inset);
}

void RefreshTableHeaderView::animateTopInset(ScrollView* scrollView, double to, int milliseconds) {
    const double from = scrollView->contentInset().top;
    QPointer<ScrollView> target(scrollView);
    Animation::run(this, std::chrono::milliseconds(milliseconds), [target, from, to](double t) {
        if (!target) return;
        setTopInset(target, from + (to - from) * t);
        // The list never rests higher than its inset allows once the header
        // lets it go (the pulled-down offset would otherwise stay).
        const QPointF offset = target->contentOffset();
        const double top = -target->contentInset().top;
        if (!target->isDragging() && offset.y() < top)
            target->setContentOffset(QPointF(offset.x(), top));
    });
}

void RefreshTableHeaderView::refreshScrollViewDidScroll(ScrollView* scrollView) {
    if (!scrollView) return;
    const double y = scrollView->contentOffset().y();
    if (state_ == RefreshState::Loading) {
        setTopInset(scrollView, std::min(std::max(-y, 0.0), kLoadingInset));
        return;
    }
    if (!scrollView->isDragging()) return;
    const bool loading = delegateIsLoading();
    if (state_ == RefreshState::Pulling && y > -kPullThreshold && y < 0 && !loading)
        setState(RefreshState::Normal);
    else if (state_ == RefreshState::Normal && y < -kPullThreshold && !loading)
        setState(RefreshState::Pulling);
    if (scrollView->contentInset().top != 0) setTopInset(scrollView, 0);
}

void RefreshTableHeaderView::refreshScrollViewDidEndDragging(ScrollView* scrollView) {
    if (!scrollView) return;
    if (scrollView->contentOffset().y() > -kPullThreshold) return;
    beginRefreshing(scrollView);
}

void RefreshTableHeaderView::beginRefreshing(ScrollView* scrollView) {
    if (!scrollView || delegateIsLoading()) return;
    if (RefreshTableHeaderDelegate* d = delegate_.get())
        d->refreshTableHeaderDidTriggerRefresh(this);
    setState(RefreshState::Loading);
    animateTopInset(scrollView, kLoadingInset, kHoldMs);
}

void RefreshTableHeaderView::refreshScrollViewDataSourceDidFinishedLoading(ScrollView* scrollView) {
    if (scrollView) animateTopInset(scrollView, 0, kReleaseMs);
    setState(RefreshState::Normal);
}

}  // namespace tovera
