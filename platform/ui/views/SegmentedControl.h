// A row of segments of which one is selected (or none); choosing one sends
// value-changed.
#pragma once

#include "platform/ui/views/Control.h"

#include <QStringList>

namespace tovera::platform::ui {

class SegmentedControl : public Control {
    Q_OBJECT
public:
    explicit SegmentedControl(const QStringList& items = {}, QWidget* parent = nullptr);

    int numberOfSegments() const { return int(items_.size()); }
    QString titleForSegmentAtIndex(int index) const { return items_.value(index); }
    void setTitleForSegmentAtIndex(const QString& title, int index);
    void insertSegmentWithTitle(const QString& title, int index);
    void removeAllSegments();

    /// -1 when none is selected.
    int selectedSegmentIndex() const { return selected_; }
    /// Selects without sending value-changed.
    void setSelectedSegmentIndex(int index);
    /// Chooses a segment as a tap would (value-changed is sent).
    void chooseSegment(int index);
    /// A momentary control shows no lasting selection.
    void setMomentary(bool momentary) { momentary_ = momentary; }
    void setTintColor(const QColor& color);

    QRectF rectForSegment(int index) const;
    QString visibleText() const override { return items_.value(selected_); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QStringList items_;
    int selected_ = -1;
    bool momentary_ = false;
    QColor tint_{0x4F, 0x6E, 0x97};
};

}  // namespace tovera::platform::ui
