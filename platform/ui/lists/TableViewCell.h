// A row of a table list: a content view for the cell's own subviews, the
// standard labels and image of its style, an accessory, a background and a
// selected background, and a reuse identifier under which the table keeps
// it for another row once it scrolls away.
#pragma once

#include "platform/ui/views/View.h"

#include <QPointer>

namespace tovera::platform::ui {

class Button;
class ImageView;
class Label;
class TableView;

class TableViewCell : public View {
    Q_OBJECT
public:
    enum class Style { Default, Value1, Value2, Subtitle };
    enum class Accessory { None, DisclosureIndicator, DetailDisclosureButton, Checkmark };
    enum class SelectionStyle { None, Blue, Gray };

    explicit TableViewCell(Style style = Style::Default, const QString& reuseIdentifier = {},
                           QWidget* parent = nullptr);

    Style cellStyle() const { return style_; }
    QString reuseIdentifier() const { return reuseIdentifier_; }

    /// Where the cell's own subviews go.
    View* contentView() const { return contentView_; }
    Label* textLabel();
    /// Present in the value and subtitle styles only.
    Label* detailTextLabel();
    ImageView* imageView();

    Accessory accessoryType() const { return accessory_; }
    void setAccessoryType(Accessory accessory);
    /// A view shown instead of the standard accessory (owned).
    View* accessoryView() const { return accessoryView_; }
    void setAccessoryView(View* view);

    View* backgroundView() const { return backgroundView_; }
    void setBackgroundView(View* view);
    /// Shown while the cell is highlighted or selected (a default one per
    /// selection style when none is set).
    View* selectedBackgroundView();
    void setSelectedBackgroundView(View* view);
    SelectionStyle selectionStyle() const { return selectionStyle_; }
    void setSelectionStyle(SelectionStyle style);

    bool isSelected() const { return selected_; }
    void setSelected(bool selected, bool animated = false);
    bool isHighlighted() const { return highlighted_; }
    void setHighlighted(bool highlighted, bool animated = false);

    /// Called before the table hands the cell out again for another row.
    virtual void prepareForReuse();
    /// The table that shows the cell, if any.
    TableView* tableView() const;

    QString visibleText() const override;

protected:
    void layoutSubviews() override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;

private:
    friend class TableView;
    void updateSelectionLook();
    /// Rounded background of a grouped table: position in its section.
    void setGroupPosition(int position);

    Style style_;
    QString reuseIdentifier_;
    View* contentView_ = nullptr;
    QPointer<Label> textLabel_;
    QPointer<Label> detailLabel_;
    QPointer<ImageView> imageView_;
    Accessory accessory_ = Accessory::None;
    QPointer<View> accessoryView_;
    QPointer<View> standardAccessory_;
    QPointer<View> backgroundView_;
    QPointer<View> selectedBackgroundView_;
    View* separator_ = nullptr;
    SelectionStyle selectionStyle_ = SelectionStyle::Blue;
    bool selected_ = false;
    bool highlighted_ = false;
    bool pressed_ = false;
    int groupPosition_ = -1;  // -1 plain; otherwise bit 1 first, bit 2 last
};

}  // namespace tovera::platform::ui
