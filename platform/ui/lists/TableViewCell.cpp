#include "platform/ui/lists/TableViewCell.h"

#include "platform/ui/lists/TableView.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/Control.h"
#include "platform/ui/views/Font.h"
#include "platform/ui/views/ImageView.h"
#include "platform/ui/views/Label.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace tovera::platform::ui {

namespace {

constexpr double kMargin = 10;

Image drawnAccessory(bool check) {
    const double scale = 2;
    const QSizeF size = check ? QSizeF(14, 14) : QSizeF(9, 13);
    QImage image((size * scale).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.scale(scale, scale);
    p.setRenderHint(QPainter::Antialiasing);
    if (check) {
        p.setPen(QPen(QColor(0x32, 0x4F, 0x85), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF{{2, 7.5}, {5.5, 11}, {12, 3}});
    } else {
        p.setPen(QPen(QColor(0x80, 0x80, 0x80), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF{{2, 1.5}, {7, 6.5}, {2, 11.5}});
    }
    p.end();
    return Image(image, scale);
}

View* defaultSelectedBackground(TableViewCell::SelectionStyle style) {
    auto* view = new View;
    view->setBackgroundColor(style == TableViewCell::SelectionStyle::Gray
                                 ? QColor(0xD9, 0xD9, 0xD9)
                                 : QColor(0x05, 0x8C, 0xF5));
    return view;
}

}  // namespace

TableViewCell::TableViewCell(Style style, const QString& reuseIdentifier, QWidget* parent)
    : View(QRectF(0, 0, kScreenWidth, 44), parent),
      style_(style),
      reuseIdentifier_(reuseIdentifier) {
    setBackgroundColor(Qt::white);
    contentView_ = new View(bounds(), this);
    separator_ = new View(this);
    separator_->setBackgroundColor(QColor(0xE0, 0xE0, 0xE0));
    separator_->setUserInteractionEnabled(false);
    layoutSubviews();
}

Label* TableViewCell::textLabel() {
    if (!textLabel_) {
        textLabel_ = new Label(contentView_);
        const double size = style_ == Style::Value2 ? 12 : (style_ == Style::Subtitle ? 16 : 18);
        textLabel_->setFont(Font::boldSystem(size));
        textLabel_->setHighlightedTextColor(Qt::white);
        if (style_ == Style::Value2) textLabel_->setTextColor(QColor(0x52, 0x66, 0x8A));
        layoutSubviews();
    }
    return textLabel_;
}

Label* TableViewCell::detailTextLabel() {
    if (style_ == Style::Default) return nullptr;
    if (!detailLabel_) {
        detailLabel_ = new Label(contentView_);
        detailLabel_->setHighlightedTextColor(Qt::white);
        switch (style_) {
            case Style::Value1:
                detailLabel_->setFont(Font::system(17));
                detailLabel_->setTextColor(QColor(0x38, 0x54, 0x87));
                detailLabel_->setTextAlignment(Qt::AlignRight);
                break;
            case Style::Value2:
                detailLabel_->setFont(Font::boldSystem(15));
                break;
            default:
                detailLabel_->setFont(Font::system(13));
                detailLabel_->setTextColor(QColor(0x80, 0x80, 0x80));
                break;
        }
        layoutSubviews();
    }
    return detailLabel_;
}

ImageView* TableViewCell::imageView() {
    if (!imageView_) {
        imageView_ = new ImageView(contentView_);
        imageView_->setContentMode(ContentMode::ScaleAspectFit);
        // Like the standard labels, it never takes a tap from the cell's own views.
        imageView_->setUserInteractionEnabled(false);
        layoutSubviews();
    }
    return imageView_;
}

void TableViewCell::setAccessoryType(Accessory accessory) {
    if (accessory == accessory_) return;
    accessory_ = accessory;
    if (standardAccessory_) standardAccessory_->deleteLater();
    standardAccessory_ = nullptr;
    switch (accessory) {
        case Accessory::None:
            break;
        case Accessory::DisclosureIndicator:
        case Accessory::Checkmark:
            standardAccessory_ =
                new ImageView(drawnAccessory(accessory == Accessory::Checkmark), this);
            break;
        case Accessory::DetailDisclosureButton: {
            Button* button = Button::withType(Button::Type::DetailDisclosure, this);
            connect(button, &Control::touchUpInside, this, [this] {
                if (TableView* table = tableView()) table->accessoryTapped(this);
            });
            standardAccessory_ = button;
            break;
        }
    }
    if (standardAccessory_) standardAccessory_->setHidden(accessoryView_ != nullptr);
    layoutSubviews();
}

void TableViewCell::setAccessoryView(View* view) {
    if (view == accessoryView_) return;
    if (accessoryView_) accessoryView_->deleteLater();
    accessoryView_ = view;
    if (view) addSubview(view);
    if (standardAccessory_) standardAccessory_->setHidden(view != nullptr);
    layoutSubviews();
}

void TableViewCell::setBackgroundView(View* view) {
    if (view == backgroundView_) return;
    if (backgroundView_) backgroundView_->deleteLater();
    backgroundView_ = view;
    if (view) {
        addSubview(view);
        view->lower();
    }
    layoutSubviews();
}

View* TableViewCell::selectedBackgroundView() {
    if (!selectedBackgroundView_ && selectionStyle_ != SelectionStyle::None) {
        View* view = defaultSelectedBackground(selectionStyle_);
        view->setProperty("toveraDefaultSelection", true);
        setSelectedBackgroundView(view);
    }
    return selectedBackgroundView_;
}

void TableViewCell::setSelectedBackgroundView(View* view) {
    if (view == selectedBackgroundView_) return;
    if (selectedBackgroundView_) selectedBackgroundView_->deleteLater();
    selectedBackgroundView_ = view;
    if (view) {
        addSubview(view);
        view->stackUnder(contentView_);
        view->setHidden(true);
    }
    updateSelectionLook();
    layoutSubviews();
}

void TableViewCell::setSelectionStyle(SelectionStyle style) {
    selectionStyle_ = style;
    if (selectedBackgroundView_ &&
        selectedBackgroundView_->property("toveraDefaultSelection").toBool()) {
        selectedBackgroundView_->deleteLater();
        selectedBackgroundView_ = nullptr;
    }
    updateSelectionLook();
}

void TableViewCell::setSelected(bool selected, bool) {
    if (selected == selected_) return;
    selected_ = selected;
    updateSelectionLook();
}

void TableViewCell::setHighlighted(bool highlighted, bool) {
    if (highlighted == highlighted_) return;
    highlighted_ = highlighted;
    updateSelectionLook();
}

void TableViewCell::updateSelectionLook() {
    const bool on = (selected_ || highlighted_) && selectionStyle_ != SelectionStyle::None;
    if (on) {
        if (View* background = selectedBackgroundView()) {
            background->setFrame(bounds());
            background->stackUnder(contentView_);
            background->setHidden(false);
        }
    } else if (selectedBackgroundView_) {
        selectedBackgroundView_->setHidden(true);
    }
    for (Label* label : contentView_->findChildren<Label*>())
        label->setHighlighted(on);
    update();
}

void TableViewCell::prepareForReuse() {
    setSelected(false);
    setHighlighted(false);
    pressed_ = false;
}

TableView* TableViewCell::tableView() const {
    for (QWidget* w = parentWidget(); w; w = w->parentWidget())
        if (auto* table = qobject_cast<TableView*>(w)) return table;
    return nullptr;
}

QString TableViewCell::visibleText() const {
    return textLabel_ ? textLabel_->text() : QString();
}

void TableViewCell::setGroupPosition(int position) {
    if (position == groupPosition_) return;
    groupPosition_ = position;
    setBackgroundColor(position < 0 ? QColor(Qt::white) : QColor(Qt::transparent));
    if (position >= 0 && !backgroundView_) {
        // A grouped cell draws its part of the section's rounded box.
        auto* box = new View(this);
        box->setProperty("toveraGroupBox", true);
        box->setUserInteractionEnabled(false);
        setBackgroundView(box);
    }
    if (backgroundView_ && backgroundView_->property("toveraGroupBox").toBool()) {
        const bool first = position & 1;
        const bool last = position & 2;
        backgroundView_->setBackgroundColor(Qt::white);
        backgroundView_->setBorder(1, QColor(0xAB, 0xAB, 0xAB));
        backgroundView_->setCornerRadius(first || last ? 8 : 0);
    }
    layoutSubviews();
}

void TableViewCell::layoutSubviews() {
    if (!contentView_) return;
    const QRectF b = bounds();
    double accessoryWidth = 0;
    View* accessory = accessoryView_ ? accessoryView_.data() : standardAccessory_.data();
    if (accessory) {
        const QSizeF size = accessory->frame().size();
        accessoryWidth = size.width() + kMargin;
        accessory->setFrame(QRectF(b.width() - size.width() - kMargin,
                                   (b.height() - size.height()) / 2, size.width(), size.height()));
        accessory->raise();
    }
    contentView_->setFrame(QRectF(0, 0, std::max(0.0, b.width() - accessoryWidth), b.height()));
    if (backgroundView_) {
        QRectF box = b;
        // Interior cells of a group overlap by a point so borders do not double.
        if (groupPosition_ >= 0 && !(groupPosition_ & 2)) box.adjust(0, 0, 0, 1);
        backgroundView_->setFrame(box);
    }
    if (selectedBackgroundView_) selectedBackgroundView_->setFrame(b);
    separator_->setFrame(QRectF(groupPosition_ >= 0 ? 0 : kMargin, b.height() - 1, b.width(), 1));
    separator_->raise();

    const QRectF content = contentView_->bounds();
    double x = kMargin;
    if (imageView_ && !imageView_->image().isNull()) {
        QSizeF size = imageView_->image().size();
        if (size.height() > content.height() - 4)
            size = size.scaled(QSizeF(content.height(), content.height() - 4), Qt::KeepAspectRatio);
        imageView_->setFrame(
            QRectF(x, (content.height() - size.height()) / 2, size.width(), size.height()));
        x += size.width() + kMargin;
    }
    const double width = std::max(0.0, content.width() - x - kMargin);
    if (textLabel_ && style_ == Style::Value2) {
        textLabel_->setTextAlignment(Qt::AlignRight);
        textLabel_->setFrame(QRectF(x, 0, 67, content.height()));
        if (detailLabel_)
            detailLabel_->setFrame(QRectF(x + 73, 0, std::max(0.0, width - 73), content.height()));
        return;
    }
    if (style_ == Style::Subtitle && detailLabel_ && !detailLabel_->text().isEmpty()) {
        const double top = textLabel_ ? textLabel_->sizeThatFits({width, 0}).height() : 0;
        const double bottom = detailLabel_->sizeThatFits({width, 0}).height();
        const double y = (content.height() - top - bottom) / 2;
        if (textLabel_) textLabel_->setFrame(QRectF(x, y, width, top));
        detailLabel_->setFrame(QRectF(x, y + top, width, bottom));
        return;
    }
    if (style_ == Style::Value1 && detailLabel_) {
        const double detailWidth = std::min(width, detailLabel_->sizeThatFits({width, 0}).width());
        detailLabel_->setFrame(QRectF(x + width - detailWidth, 0, detailWidth, content.height()));
        if (textLabel_)
            textLabel_->setFrame(
                QRectF(x, 0, std::max(0.0, width - detailWidth - 6), content.height()));
        return;
    }
    if (textLabel_) textLabel_->setFrame(QRectF(x, 0, width, content.height()));
    if (detailLabel_) detailLabel_->setFrame(QRectF());
}

void TableViewCell::mousePressEvent(QMouseEvent* event) {
    TableView* table = tableView();
    if (event->button() != Qt::LeftButton || !table || !table->allowsSelection()) {
        event->ignore();
        return;
    }
    pressed_ = true;
    setHighlighted(true);
    event->accept();
}

void TableViewCell::mouseReleaseEvent(QMouseEvent* event) {
    if (!pressed_ || event->button() != Qt::LeftButton) return;
    pressed_ = false;
    const bool inside = rect().contains(event->position().toPoint());
    if (!inside) {
        setHighlighted(false);
        return;
    }
    if (TableView* table = tableView()) table->cellTapped(this);
    setHighlighted(false);
}

bool TableViewCell::event(QEvent* event) {
    if (event->type() == Control::touchCancelEventType()) {
        pressed_ = false;
        setHighlighted(false);
        return true;
    }
    return View::event(event);
}

}  // namespace tovera::platform::ui
