#include "comments/PostReply.h"

#include "core/DSTovera.h"
#include "framework/ActivityView.h"
#include "framework/NSUtil.h"
#include "framework/QXViewController.h"
#include "framework/RootScreenServices.h"
#include "platform/ui/navigation/NavigationController.h"

namespace tovera {

void PostReply::send(QXViewController& screen, const QString& text) {
    DSTovera* session = RootScreenServices::shared().session();
    if (!session) return;
    if (ActivityView* overlay = screen.activityView()) overlay->show(&screen);
    screen.param().param().set("text", text.toStdString());
    if (session->userId()) screen.param().setUid(*session->userId());
    session->userMessagePost(screen.param().param(), &screen);
}

void PostReply::finish(QXViewController& screen, const Value& reply, bool refreshBeneath) {
    NSUtil::makeText(reply.getStringValueForKey("msg", "发布成功!")).show();
    if (refreshBeneath) PostReply::refreshBeneath(screen);
    platform::ui::NavigationController* nav = screen.navigationController();
    if (nav && nav->topViewController() == &screen) nav->popViewControllerAnimated(true);
}

void PostReply::refreshBeneath(platform::ui::ViewController& screen) {
    platform::ui::NavigationController* nav = screen.navigationController();
    if (!nav) return;
    const QList<platform::ui::ViewController*> stack = nav->viewControllers();
    const qsizetype index = stack.indexOf(&screen);
    if (index <= 0) return;
    platform::ui::ViewController* beneath = stack[index - 1];
    QList<QXViewController*> lists;
    if (auto* list = qobject_cast<QXViewController*>(beneath))
        lists << list;
    else
        lists = beneath->findChildren<QXViewController*>(Qt::FindDirectChildrenOnly);
    for (QXViewController* list : lists)
        list->param().param().set("refresh", "YES");
}

}  // namespace tovera
