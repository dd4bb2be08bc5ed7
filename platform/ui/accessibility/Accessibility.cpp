#include "platform/ui/accessibility/Accessibility.h"

#include "platform/ui/lists/TableView.h"
#include "platform/ui/lists/TableViewCell.h"
#include "platform/ui/map/AnnotationView.h"
#include "platform/ui/map/MapAnnotation.h"
#include "platform/ui/navigation/TabBar.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/ImageView.h"
#include "platform/ui/views/Label.h"
#include "platform/ui/views/PageControl.h"
#include "platform/ui/views/SearchBar.h"
#include "platform/ui/views/SegmentedControl.h"
#include "platform/ui/views/Switch.h"
#include "platform/ui/views/TextField.h"
#include "platform/ui/views/TextView.h"

#include <QAccessibleWidget>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace tovera::platform::ui::accessibility {

namespace {

const QString kPress = QAccessibleActionInterface::pressAction();

// A caption without its closing colon: "主题:" is read as "主题".
QString caption(QString text) {
    text = text.simplified();
    while (text.endsWith(':') || text.endsWith(QChar(0xFF1A)))
        text.chop(1);
    return text;
}

// What the views inside `view` show, in reading order: the texts of its
// labels and text boxes, else the names of the pictures it holds.
QString shownInside(const QWidget* view) {
    QList<QPair<QPoint, QString>> texts, pictures;
    for (const QWidget* child : view->findChildren<const QWidget*>()) {
        if (!child->isVisibleTo(view)) continue;
        QString text;
        if (auto* label = qobject_cast<const Label*>(child))
            text = label->text();
        else if (auto* box = qobject_cast<const TextView*>(child))
            text = box->text();
        const QPoint at = child->mapTo(view, QPoint());
        if (!text.trimmed().isEmpty())
            texts.append({at, text.simplified()});
        else if (qobject_cast<const Button*>(child) && !child->accessibleName().isEmpty())
            pictures.append({at, child->accessibleName()});
    }
    QList<QPair<QPoint, QString>>& found = texts.isEmpty() ? pictures : texts;
    std::stable_sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
        return a.first.y() != b.first.y() ? a.first.y() < b.first.y() : a.first.x() < b.first.x();
    });
    QStringList parts;
    for (const auto& part : found)
        parts << part.second;
    return parts.join(' ');
}

// The caption a form shows for `field`: a label on its row to its left, or
// else one just above it, in the field's own view or the one holding that.
QString captionBeside(const QWidget* field) {
    for (const QWidget* holder = field->parentWidget(); holder && holder != field->window();
         holder = holder->parentWidget()) {
        const QRect box(field->mapTo(holder, QPoint()), field->size());
        const Label* best = nullptr;
        int bestDistance = 0;
        for (const Label* label : holder->findChildren<const Label*>()) {
            if (!label->isVisibleTo(holder) || label->text().trimmed().isEmpty() ||
                field->isAncestorOf(label))
                continue;
            const QRect at(label->mapTo(holder, QPoint()), label->size());
            int distance = -1;
            if (at.right() <= box.left() + 4 && at.bottom() >= box.center().y() &&
                at.top() <= box.center().y())
                distance = box.left() - at.right();  // on the row, to the left
            else if (at.bottom() <= box.top() + 2 && box.top() - at.bottom() < 30 &&
                     at.left() < box.right() && at.right() > box.left())
                distance = 100 + box.top() - at.bottom();  // just above
            if (distance >= 0 && (!best || distance < bestDistance)) {
                best = label;
                bestDistance = distance;
            }
        }
        if (best) return caption(best->text());
        if (qobject_cast<const TableViewCell*>(holder)) break;  // a row's caption is its own
    }
    return {};
}

// A text field's or text box's name: what the screen set, its placeholder,
// or its caption.
QString fieldName(const QWidget* field) {
    if (!field->accessibleName().isEmpty()) return field->accessibleName();
    if (auto* text = qobject_cast<const TextField*>(field); text && !text->placeholder().isEmpty())
        return text->placeholder();
    if (auto* search = qobject_cast<const SearchBar*>(field))
        return search->placeholder().isEmpty() ? QStringLiteral("搜索") : search->placeholder();
    return captionBeside(field);
}

// The view of ours that an editor belongs to (a text field, text box or
// search bar), or null for any other editor.
const QWidget* editorOwner(const QWidget* editor) {
    for (const QWidget* w = editor->parentWidget(); w; w = w->parentWidget()) {
        if (qobject_cast<const TextField*>(w) || qobject_cast<const TextView*>(w)) {
            if (auto* search = qobject_cast<const SearchBar*>(w->parentWidget())) return search;
            return w;
        }
        if (qobject_cast<const View*>(w)) return nullptr;
    }
    return nullptr;
}

bool isTabItem(const QWidget* widget) {
    return qobject_cast<const Control*>(widget) &&
           qobject_cast<const TabBar*>(widget->parentWidget());
}

bool isChosenTab(const QWidget* item) {
    auto* bar = qobject_cast<const TabBar*>(item->parentWidget());
    return bar && bar->selectedItem() && bar->viewForItem(bar->selectedItem()) == item;
}

bool isEditableBox(const QWidget* widget) {
    auto* box = qobject_cast<const TextView*>(widget);
    return box && box->isEditable();
}

// Whether a button shows a different picture or title when selected: a
// check box or a choice, whose selection a reader says.
bool isCheckable(const Button* button) {
    return !(button->imageForState(Button::Selected) == button->imageForState(Button::Normal)) ||
           button->titleForState(Button::Selected) != button->titleForState(Button::Normal);
}

class ViewInterface : public QAccessibleWidget {
public:
    explicit ViewInterface(QWidget* widget) : QAccessibleWidget(widget, roleOf(widget)) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) return nameOf(widget());
        if (t == QAccessible::Value) {
            if (auto* text = qobject_cast<const TextField*>(widget()))
                return text->isSecureTextEntry() ? QString() : text->text();
            if (auto* segments = qobject_cast<const SegmentedControl*>(widget()))
                return segments->visibleText();
        }
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        if (auto* control = qobject_cast<const Control*>(widget())) {
            if (!control->isEnabled()) s.disabled = true;
            if (auto* toggle = qobject_cast<const Switch*>(control)) {
                s.checkable = true;
                s.checked = toggle->isOn();
            } else if (auto* button = qobject_cast<const Button*>(control);
                       button && isCheckable(button)) {
                s.checkable = true;
                s.checked = button->isSelected();
            } else if (isTabItem(control)) {
                s.selectable = true;
                s.selected = isChosenTab(control);
            }
        }
        if (auto* cell = qobject_cast<const TableViewCell*>(widget())) {
            s.selectable = true;
            s.selected = cell->isSelected();
        }
        return s;
    }

    QStringList actionNames() const override {
        return qobject_cast<const Control*>(widget()) ||
                       qobject_cast<const TableViewCell*>(widget())
                   ? QStringList{kPress}
                   : QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override {
        if (action != kPress) return QAccessibleWidget::doAction(action);
        if (auto* control = qobject_cast<Control*>(widget())) control->sendTap();
        if (auto* cell = qobject_cast<TableViewCell*>(widget()))
            if (TableView* table = cell->tableView())
                if (const auto path = table->indexPathForCell(cell))
                    table->chooseRowAtIndexPath(*path);
    }
};

QAccessibleInterface* factory(const QString& className, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget) return nullptr;
    // The editors inside our fields keep Qt's own interface (it reads and
    // edits the text); they only take their field's name.
    if (className == QLatin1String("QLineEdit") || className == QLatin1String("QPlainTextEdit")) {
        // Naming it announces the change, which asks for its interface again.
        static bool naming = false;
        if (naming) return nullptr;
        if (const QWidget* owner = editorOwner(widget); owner && widget->accessibleName().isEmpty())
            if (const QString name = fieldName(owner); !name.isEmpty()) {
                naming = true;
                widget->setAccessibleName(name);
                naming = false;
            }
        return nullptr;
    }
    if (!qobject_cast<View*>(widget) || !className.startsWith(QLatin1String("tovera::"))) {
        // Only the most derived class of ours answers, once.
        return nullptr;
    }
    return new ViewInterface(widget);
}

}  // namespace

void install() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    QAccessible::installFactory(factory);
}

QAccessible::Role roleOf(const QWidget* widget) {
    if (isTabItem(widget)) return QAccessible::PageTab;
    if (qobject_cast<const Switch*>(widget)) return QAccessible::CheckBox;
    if (auto* button = qobject_cast<const Button*>(widget))
        return isCheckable(button) ? QAccessible::CheckBox : QAccessible::Button;
    if (qobject_cast<const SegmentedControl*>(widget)) return QAccessible::PageTabList;
    if (qobject_cast<const PageControl*>(widget)) return QAccessible::Indicator;
    if (qobject_cast<const TextField*>(widget) || isEditableBox(widget) ||
        qobject_cast<const SearchBar*>(widget))
        return QAccessible::EditableText;
    if (qobject_cast<const TextView*>(widget)) return QAccessible::StaticText;
    if (qobject_cast<const TableViewCell*>(widget)) return QAccessible::ListItem;
    if (qobject_cast<const AnnotationView*>(widget)) return QAccessible::Button;
    if (qobject_cast<const Control*>(widget)) return QAccessible::Button;
    if (qobject_cast<const Label*>(widget)) return QAccessible::StaticText;
    if (qobject_cast<const ImageView*>(widget)) return QAccessible::Graphic;
    if (qobject_cast<const ScrollView*>(widget)) return QAccessible::List;
    return QAccessible::Pane;
}

QString nameOf(const QWidget* widget) {
    if (!widget) return {};
    if (const QWidget* owner = editorOwner(widget)) return fieldName(owner);
    if (qobject_cast<const TextField*>(widget) || isEditableBox(widget) ||
        qobject_cast<const SearchBar*>(widget))
        return fieldName(widget);
    if (!widget->accessibleName().isEmpty()) return widget->accessibleName();
    if (auto* pin = qobject_cast<const AnnotationView*>(widget); pin && pin->annotation())
        return pin->annotation()->title();
    auto* view = qobject_cast<const View*>(widget);
    if (!view) return {};
    if (const QString shown = view->visibleText().simplified(); !shown.isEmpty()) return shown;
    if (qobject_cast<const Switch*>(widget)) return captionBeside(widget);
    if (qobject_cast<const ImageView*>(widget)) return {};  // a picture says only what it was given
    return shownInside(widget);
}

bool isInteractive(const QWidget* widget) {
    if (qobject_cast<const Control*>(widget) || qobject_cast<const TableViewCell*>(widget) ||
        isEditableBox(widget) || qobject_cast<const AnnotationView*>(widget))
        return true;
    if (qobject_cast<const QLineEdit*>(widget)) return editorOwner(widget);
    const QWidget* owner =
        qobject_cast<const QPlainTextEdit*>(widget) ? editorOwner(widget) : nullptr;
    return owner && (!qobject_cast<const TextView*>(owner) || isEditableBox(owner));
}

}  // namespace tovera::platform::ui::accessibility
