// The pull-to-refresh header above a table's first row: pulling the list
// down past 65 points and letting go asks the delegate to reload; while it
// loads, the header holds the list 60 points down.
#pragma once

#include <QDateTime>
#include <QPointer>

#include <optional>

#include "platform/ui/runtime/WeakDelegate.h"
#include "platform/ui/views/View.h"

namespace tovera::platform::ui {
class ActivityIndicatorView;
class Label;
class ScrollView;
}  // namespace tovera::platform::ui

namespace tovera {

class RefreshTableHeaderView;

enum class RefreshState { Pulling = 0, Normal = 1, Loading = 2 };

class RefreshTableHeaderDelegate {
public:
    virtual ~RefreshTableHeaderDelegate() = default;
    virtual void refreshTableHeaderDidTriggerRefresh(RefreshTableHeaderView* view) = 0;
    virtual bool refreshTableHeaderDataSourceIsLoading(RefreshTableHeaderView* view) = 0;
    /// When the data was last loaded; nothing clears the time label.
    virtual std::optional<QDateTime> refreshTableHeaderDataSourceLastUpdated(
        RefreshTableHeaderView*) {
        return std::nullopt;
    }
};

class RefreshTableHeaderView : public platform::ui::View {
    Q_OBJECT
public:
    /// How far the list must be pulled (points) before a release refreshes.
    static constexpr double kPullThreshold = 65;
    /// How far the list stays down while loading.
    static constexpr double kLoadingInset = 60;

    /// With the arrow "blueArrow.png" and the text colour (87, 108, 137).
    explicit RefreshTableHeaderView(const QRectF& frame);
    RefreshTableHeaderView(const QRectF& frame, const QString& arrowImageName,
                           const QColor& textColor);

    RefreshTableHeaderDelegate* delegate() const { return delegate_.get(); }
    void setDelegate(RefreshTableHeaderDelegate* delegate) { delegate_ = delegate; }

    RefreshState state() const { return state_; }
    void setState(RefreshState state);
    /// "上次刷新时间: <date and time>" from the delegate, also kept in the
    /// preference "RefreshTableView_LastRefresh"; cleared without a date.
    void refreshLastUpdatedDate();

    void refreshScrollViewDidScroll(platform::ui::ScrollView* scrollView);
    void refreshScrollViewDidEndDragging(platform::ui::ScrollView* scrollView);
    /// Starts a refresh as a long enough pull does (the F5 key).
    void beginRefreshing(platform::ui::ScrollView* scrollView);
    void refreshScrollViewDataSourceDidFinishedLoading(platform::ui::ScrollView* scrollView);

    platform::ui::Label* statusLabel() const { return statusLabel_; }
    platform::ui::Label* lastUpdatedLabel() const { return lastUpdatedLabel_; }
    platform::ui::ActivityIndicatorView* activityView() const { return activityView_; }
    /// The arrow's turn in degrees (0 upright, 180 turned) and whether it shows.
    double arrowRotation() const;
    bool arrowShown() const;

private:
    class Arrow;

    bool delegateIsLoading();
    void turnArrow(double degrees);
    /// Sets the table's top inset, keeping the list from resting above it.
    static void setTopInset(platform::ui::ScrollView* scrollView, double top);
    void animateTopInset(platform::ui::ScrollView* scrollView, double to, int milliseconds);

    platform::ui::WeakDelegate<RefreshTableHeaderDelegate> delegate_;
    RefreshState state_ = RefreshState::Normal;
    platform::ui::Label* lastUpdatedLabel_ = nullptr;
    platform::ui::Label* statusLabel_ = nullptr;
    Arrow* arrowImage_ = nullptr;
    platform::ui::ActivityIndicatorView* activityView_ = nullptr;
};

}  // namespace tovera
