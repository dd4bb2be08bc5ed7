#include "ask/AskDestinations.h"

#include "ask/AskDetail.h"
#include "ask/AskForm.h"
#include "ask/AskHome.h"
#include "ask/AskList.h"
#include "framework/Navigator.h"

namespace tovera {

void registerAskDestinations() {
    using D = Destination;
    Navigator::registerBuilder(D::AskHome, [](const Route&) { return new AskHome; });
    // A question keeps its own title whatever the opening place calls it.
    Navigator::registerBuilder(D::Question, [](const Route& route) {
        auto* detail = new AskDetail;
        detail->setParam(route.param);
        return detail;
    });
    Navigator::registerBuilder(D::ProjectQuestions,
                               [](const Route& route) { return withRoute(new AskList, route); });
    Navigator::registerBuilder(D::AskForm,
                               [](const Route& route) { return withRoute(new AskForm, route); });
}

}  // namespace tovera
