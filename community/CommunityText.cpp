#include "community/CommunityText.h"

#include "framework/QXViewController.h"
#include "platform/ui/navigation/NavigationController.h"

namespace tovera {

QString recordText(const Dict& record, std::string_view key) {
    return QString::fromStdString(record.getStringValueForKey(key, ""));
}

QString shownName(const Value& record, std::string_view nameKey, std::string_view fallback) {
    const QString name = QString::fromStdString(record.getStringValueForKey(nameKey, fallback));
    const std::string remark = record.getStringValueForKey("remark", "");
    if (remark.empty()) return name;
    return QStringLiteral("%1(%2)").arg(name, QString::fromStdString(remark));
}

void flagScreenBeneath(platform::ui::ViewController* screen) {
    platform::ui::NavigationController* nav = screen ? screen->navigationController() : nullptr;
    if (!nav) return;
    const QList<platform::ui::ViewController*> stack = nav->viewControllers();
    const qsizetype at = stack.indexOf(screen);
    if (at < 1) return;
    if (auto* beneath = qobject_cast<QXViewController*>(stack[at - 1]))
        beneath->param().setString("YES", "refresh");
}

void popScreen(platform::ui::ViewController* screen) {
    platform::ui::NavigationController* nav = screen ? screen->navigationController() : nullptr;
    if (nav && nav->topViewController() == screen) nav->popViewControllerAnimated(true);
}

}  // namespace tovera
