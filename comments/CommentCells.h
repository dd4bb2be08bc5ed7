// The built cells of a comment table, shared by the comment list screen and
// the comment block under an article. Every row owns a web view, so a
// row's cell is built once per reply, when its height is first asked, and
// kept (never reused) until the next reply. When the last body of the table
// has rendered, every row is measured again once, half a second later.
#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

#include <functional>

#include "core/Value.h"
#include "platform/Timers.h"
#include "platform/ui/web/WebView.h"

namespace tovera {

class CommentItem;

class CommentCells : public QObject, public platform::ui::WebViewDelegate {
    Q_OBJECT
public:
    /// `prepare` readies a new cell before it takes its record (title shown
    /// or not, selection style); `finishLoading` runs after the re-measuring.
    CommentCells(std::function<void(CommentItem*)> prepare, std::function<void()> finishLoading,
                 QObject* parent = nullptr);
    ~CommentCells() override;

    /// The cell of `row`, built from `record` when the row has none yet.
    CommentItem* cellForRow(int row, const Value& record);
    /// The cell of `row` when built, else null.
    CommentItem* builtCell(int row) const;
    /// Forgets every cell (a new reply measures all rows again).
    void clear();
    int count() const { return int(cells_.size()); }

    /// Whether no cell's body is still rendering.
    bool needReload() const;
    /// Every cell runs its layout again.
    void fit2size();
    /// Whether the rows were measured again after their bodies rendered
    /// (since the last clear()).
    bool measured() const { return measured_; }

    void webViewDidFinishLoad(platform::ui::WebView* webView) override;

private:
    std::function<void(CommentItem*)> prepare_;
    std::function<void()> finishLoading_;
    QList<QPointer<CommentItem>> cells_;
    platform::TimerId finishTimer_ = 0;
    bool measured_ = false;
};

}  // namespace tovera
