// A button of the navigation bar: a title (or a custom view), a style, a tag,
// enabled, and its action as the triggered signal.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

namespace tovera::platform::ui {

class BarButtonItem : public QObject {
    Q_OBJECT
public:
    enum class Style { Plain, Bordered, Done, Back };

    explicit BarButtonItem(const QString& title, Style style = Style::Bordered,
                           QObject* parent = nullptr);
    /// An item shown as `view` (taking ownership); its taps are the view's own.
    explicit BarButtonItem(QWidget* customView, QObject* parent = nullptr);
    ~BarButtonItem() override;

    QString title() const { return title_; }
    void setTitle(const QString& title);
    Style style() const { return style_; }
    void setStyle(Style style);
    int tag() const { return tag_; }
    void setTag(int tag) { tag_ = tag; }
    bool isEnabled() const { return enabled_; }
    void setEnabled(bool enabled);
    QWidget* customView() const { return customView_; }

    /// Plays a tap on the item (its action, or its custom view's tap).
    void trigger();

signals:
    /// The item's action.
    void triggered(tovera::platform::ui::BarButtonItem* sender);
    /// Title, style, enabled or view changed: the bar redraws it.
    void changed();

private:
    QString title_;
    Style style_;
    int tag_ = 0;
    bool enabled_ = true;
    QPointer<QWidget> customView_;
};

}  // namespace tovera::platform::ui
