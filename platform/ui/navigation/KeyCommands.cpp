#include "platform/ui/navigation/KeyCommands.h"

#include "platform/ui/lists/TableView.h"
#include "platform/ui/navigation/BarButtonItem.h"
#include "platform/ui/navigation/FocusChain.h"
#include "platform/ui/navigation/NavigationController.h"
#include "platform/ui/navigation/NavigationItem.h"
#include "platform/ui/navigation/Stage.h"
#include "platform/ui/navigation/TabBar.h"
#include "platform/ui/navigation/Window.h"
#include "platform/ui/overlays/AlertView.h"
#include "platform/ui/overlays/Keyboard.h"
#include "platform/ui/overlays/ModalOverlay.h"
#include "platform/ui/views/Control.h"
#include "platform/ui/views/SearchBar.h"

#include <QApplication>
#include <QKeyEvent>

#include <algorithm>

namespace tovera::platform::ui {

namespace {

// The screen the user looks at: the top of the innermost stack, following
// presented screens.
ViewController* visibleScreen(Window* window) {
    ViewController* screen = window->rootViewController();
    for (int depth = 0; screen && depth < 16; ++depth) {
        ViewController* next = nullptr;
        if (auto* nav = qobject_cast<NavigationController*>(screen))
            next = nav->visibleViewController();
        else
            next = screen->modalViewController();
        if (!next || next == screen) break;
        screen = next;
    }
    return screen;
}

// Where `widget` stands among the window's own children (later is in front).
int stackingOf(QWidget* widget, Window* window) {
    while (widget && widget->parentWidget() != window)
        widget = widget->parentWidget();
    return widget ? int(window->children().indexOf(widget)) : -1;
}

// The frontmost control on screen with `role`, or null.
Control* frontControl(Window* window, Control::KeyRole role) {
    Control* found = nullptr;
    int foundStacking = -1;
    for (Control* control : window->findChildren<Control*>()) {
        if (control->keyRole() != role || !control->isVisible() || !control->isEnabled()) continue;
        const int stacking = stackingOf(control, window);
        if (stacking >= foundStacking) {
            found = control;
            foundStacking = stacking;
        }
    }
    return found;
}

// The list a screen is about: its largest visible table.
TableView* mainTable(ViewController* screen) {
    if (!screen || !screen->isViewLoaded()) return nullptr;
    TableView* found = nullptr;
    double area = 0;
    for (TableView* table : screen->view()->findChildren<TableView*>()) {
        if (!table->isVisible()) continue;
        const double a = table->frame().width() * table->frame().height();
        if (a > area) {
            found = table;
            area = a;
        }
    }
    return found;
}

// The row after (or before) `from` across sections, if any.
std::optional<IndexPath> neighbour(const TableView* table, std::optional<IndexPath> from,
                                   int step) {
    const int sections = table->numberOfSections();
    int section = from ? from->section : (step > 0 ? 0 : sections - 1);
    int row = from ? from->row + step : (step > 0 ? 0 : table->numberOfRowsInSection(section) - 1);
    while (section >= 0 && section < sections) {
        if (row >= 0 && row < table->numberOfRowsInSection(section)) return IndexPath{section, row};
        section += step;
        if (section >= 0 && section < sections)
            row = step > 0 ? 0 : table->numberOfRowsInSection(section) - 1;
    }
    return std::nullopt;
}

}  // namespace

KeyCommands::KeyCommands(Window* window) : QObject(window), window_(window) {}

void KeyCommands::install(Window* window) {
    qApp->installEventFilter(new KeyCommands(window));
}

bool KeyCommands::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || Window::of(widget) != window_) return false;
    // A key is a command once, where it is first delivered: a field that
    // ignores Return passes it on to its parents after acting on it, and by
    // then an alert it opened may have the focus.
    auto* key = static_cast<QKeyEvent*>(event);
    if (key == lastKey_ && key->timestamp() == lastTimestamp_) return false;
    lastKey_ = key;
    lastTimestamp_ = key->timestamp();
    return handle(key);
}

bool KeyCommands::zoom(int key) {
    Stage* stage = Stage::of(window_);
    if (!stage) return false;
    switch (key) {
        case Qt::Key_Equal:
        case Qt::Key_Plus:
            stage->zoomIn();
            return true;
        case Qt::Key_Minus:
            stage->zoomOut();
            return true;
        case Qt::Key_0:
            stage->resetZoom();
            return true;
        default:
            return false;
    }
}

bool KeyCommands::handle(QKeyEvent* event) {
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    const int key = event->key();
    if (key == Qt::Key_Escape || (key == Qt::Key_Left && mods == Qt::AltModifier)) return goBack();
    // Ctrl+Shift+= types Ctrl++ on most layouts.
    if ((mods & ~Qt::ShiftModifier) == Qt::ControlModifier && zoom(key)) return true;
    if (mods == Qt::ControlModifier) {
        if (key >= Qt::Key_1 && key <= Qt::Key_5) return chooseTab(key - Qt::Key_1);
        if (key == Qt::Key_R) return refresh();
        if (key == Qt::Key_F) return focusSearch();
        if (key == Qt::Key_Q) {
            QApplication::quit();
            return true;
        }
        return false;
    }
    if (key == Qt::Key_F5 && mods == Qt::NoModifier) return refresh();
    if (key == Qt::Key_Backtab || (key == Qt::Key_Tab && (mods & Qt::ShiftModifier)))
        return FocusChain::move(window_, false);
    if (key == Qt::Key_Tab && mods == Qt::NoModifier) return FocusChain::move(window_, true);
    // Other keys typed into a field are the field's.
    if (mods != Qt::NoModifier || Keyboard::isTextInput(QApplication::focusWidget())) return false;
    if (Control* focused = FocusChain::focusedControl(window_);
        focused && (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space)) {
        focused->sendTap();
        return true;
    }
    switch (key) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return confirm();
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_Home:
        case Qt::Key_End:
            return moveSelection(key);
        default:
            return false;
    }
}

bool KeyCommands::goBack() {
    if (Keyboard::shared().isVisible()) {
        Keyboard::shared().dismiss();
        return true;
    }
    if (const QList<ModalOverlay*> overlays = ModalOverlay::visibleOverlays();
        !overlays.isEmpty()) {
        ModalOverlay* overlay = overlays.last();
        const int cancel = overlay->cancelButtonIndex() >= 0 ? overlay->cancelButtonIndex()
                           : overlay->numberOfButtons() == 1 ? 0
                                                             : -1;
        if (cancel >= 0) overlay->dismissWithClickedButtonIndex(cancel);
        return true;
    }
    if (Control* cancel = frontControl(window_, Control::KeyRole::Cancel)) {
        cancel->sendTap();
        return true;
    }
    ViewController* screen = visibleScreen(window_);
    if (!screen) return false;
    NavigationController* stack = screen->navigationController();
    const bool pushed =
        stack && stack->topViewController() == screen && stack->viewControllers().size() > 1;
    const bool presented =
        screen->presentingViewController() || (stack && stack->presentingViewController());
    if (!pushed && !presented) return false;
    // The screen's own back button first: it may ask before leaving.
    if (BarButtonItem* back = screen->navigationItem()->leftBarButtonItem();
        back && back->isEnabled()) {
        back->trigger();
    } else if (pushed) {
        stack->popViewControllerAnimated(true);
    } else {
        screen->dismissModalViewControllerAnimated(true);
    }
    return true;
}

bool KeyCommands::confirm() {
    if (const QList<ModalOverlay*> overlays = ModalOverlay::visibleOverlays();
        !overlays.isEmpty()) {
        ModalOverlay* overlay = overlays.last();
        if (!qobject_cast<AlertView*>(overlay)) return true;  // a sheet has no default
        // The one button that is not the cancel button, or the only button.
        int chosen = -1, others = 0;
        for (int i = 0; i < overlay->numberOfButtons(); ++i)
            if (i != overlay->cancelButtonIndex()) {
                chosen = i;
                ++others;
            }
        if (others == 0) chosen = overlay->cancelButtonIndex();
        if (others <= 1 && chosen >= 0) overlay->dismissWithClickedButtonIndex(chosen);
        return true;
    }
    if (Control* chosen = frontControl(window_, Control::KeyRole::Default)) {
        chosen->sendTap();
        return true;
    }
    TableView* table = mainTable(visibleScreen(window_));
    if (!table || !table->indexPathForSelectedRow()) return false;
    table->chooseRowAtIndexPath(*table->indexPathForSelectedRow());
    return true;
}

bool KeyCommands::moveSelection(int key) {
    if (!ModalOverlay::visibleOverlays().isEmpty()) return false;
    TableView* table = mainTable(visibleScreen(window_));
    if (!table) return false;
    const double page = table->frame().height();
    const double bottom =
        std::max(0.0, table->contentSize().height() + table->contentInset().bottom - page);
    const double top = -table->contentInset().top;
    QPointF offset = table->contentOffset();
    switch (key) {
        case Qt::Key_Up:
        case Qt::Key_Down: {
            const auto next =
                neighbour(table, table->indexPathForSelectedRow(), key == Qt::Key_Down ? 1 : -1);
            if (!next) return true;
            table->selectRowAtIndexPath(next, false, TableView::ScrollPosition::None);
            table->scrollRectToVisible(table->rectForRowAtIndexPath(*next), false);
            return true;
        }
        case Qt::Key_PageUp:
            offset.setY(offset.y() - page);
            break;
        case Qt::Key_PageDown:
            offset.setY(offset.y() + page);
            break;
        case Qt::Key_Home:
            offset.setY(top);
            break;
        default:
            offset.setY(bottom);
            break;
    }
    offset.setY(std::clamp(offset.y(), top, std::max(top, bottom)));
    table->setContentOffset(offset, false);
    return true;
}

bool KeyCommands::chooseTab(int index) {
    if (!ModalOverlay::visibleOverlays().isEmpty()) return false;
    auto* stack = qobject_cast<NavigationController*>(window_->rootViewController());
    if (!stack || stack->modalViewController() || stack->viewControllers().isEmpty()) return false;
    ViewController* home = stack->viewControllers().first();
    if (!home->isViewLoaded()) return false;
    // The home screen's own tab bar is its lowest one.
    TabBar* bar = nullptr;
    for (TabBar* candidate : home->view()->findChildren<TabBar*>())
        if (!bar ||
            candidate->mapTo(home->view(), QPoint()).y() > bar->mapTo(home->view(), QPoint()).y())
            bar = candidate;
    if (!bar || index >= bar->items().size()) return false;
    if (stack->topViewController() != home) stack->popToRootViewControllerAnimated(false);
    bar->chooseItem(index);
    return true;
}

bool KeyCommands::refresh() {
    ViewController* screen = visibleScreen(window_);
    return screen && screen->refreshFromKeyboard();
}

bool KeyCommands::focusSearch() {
    ViewController* screen = visibleScreen(window_);
    if (!screen || !screen->isViewLoaded()) return false;
    if (screen->searchFromKeyboard()) return true;
    for (SearchBar* bar : screen->view()->findChildren<SearchBar*>())
        if (bar->isVisible()) return bar->becomeFirstResponder();
    return false;
}

}  // namespace tovera::platform::ui
