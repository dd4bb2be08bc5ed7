#include "news/NewsTargets.h"

#include "framework/UnavailableScreen.h"
#include "news/NewsInfo.h"
#include "platform/Log.h"
#include "platform/ui/NavigationController.h"

namespace tovera {

using platform::ui::NavigationController;
using platform::ui::ViewController;

void NewsTargets::push(ViewController* from, ViewController* target) {
    NavigationController* nav = from ? from->navigationController() : nullptr;
    if (!nav) {
        platform::logLine("no navigation stack to open " + target->title().toStdString());
        delete target;
        return;
    }
    nav->pushViewController(target, true);
}

void NewsTargets::openArticle(ViewController* from, const std::string& id) {
    auto* article = new NewsInfo;
    article->param().setRid(id);
    push(from, article);
}

void NewsTargets::openUnavailable(ViewController* from, const QString& title) {
    push(from, new UnavailableScreen(title));
}

}  // namespace tovera
