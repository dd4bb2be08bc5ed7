// The base of views embedded in a screen that issue requests of their own
// (a project's introduction, a comment block, a pager of replies): a
// parameter record, the shared overlay, the same reply and failure checks as
// QXViewController (refusals titled "出错了"), an empty label, a title strip
// and a two-button pager. Its screen hears its buttons through `delegate`.
#pragma once

#include <QPointer>

#include "core/QXParam.h"
#include "core/QXRequestDelegate.h"
#include "framework/QXViewDelegate.h"
#include "platform/ui/runtime/WeakDelegate.h"
#include "platform/ui/views/View.h"

namespace tovera::platform::ui {
class Button;
class Label;
}  // namespace tovera::platform::ui

namespace tovera {

class ActivityView;
class ImageTitle;

class QXRequestView : public platform::ui::View, public QXRequestDelegate {
    Q_OBJECT
public:
    explicit QXRequestView(const QRectF& frame = {}, QWidget* parent = nullptr);
    ~QXRequestView() override;

    QXParam& param() { return param_; }
    QXViewDelegate* delegate() const { return delegate_.get(); }
    void setDelegate(QXViewDelegate* delegate) { delegate_ = delegate; }

    /// Shows the loading overlay.
    virtual void reloadData();
    /// Issues the view's request (hook).
    virtual void doRequest() {}
    /// Marks `button` selected, then doRequest().
    virtual void dataGrow(platform::ui::Button* button);
    /// Marks `button` selected, then dataGrow().
    void loadMore(platform::ui::Button* button);
    /// The pager's actions (hooks).
    virtual void prePage() {}
    virtual void nextPage() {}
    /// The reply, once it passed the checks (hook).
    virtual void didLoad(const Value& reply, QXRequest* request);

    void requestDidLoad(QXRequest* request, const Value& reply) override;
    void requestDidFailWithError(QXRequest* request, const Error& error) override;

    /// "暂无": as wide as the view, 44 points high.
    platform::ui::Label* noItemView();
    /// A 37-point strip whose title reads "最新评论".
    ImageTitle* headerView();
    /// A 44-point strip: "上一页" (prePage) and "下一页" (nextPage), half each.
    platform::ui::View* loadMoreView();
    ActivityView* activityView();

private:
    QXParam param_;
    platform::ui::WeakDelegate<QXViewDelegate> delegate_;
    QPointer<platform::ui::Label> noItem_;
    QPointer<platform::ui::View> loadMore_;
    QPointer<ImageTitle> headerView_;
};

}  // namespace tovera
