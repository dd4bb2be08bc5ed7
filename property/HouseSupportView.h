// "交通": a project's nearest stop (marked red wherever it is named), the
// bus lines that serve it and the facilities around it.
#pragma once

#include "property/ProjectWebPage.h"

namespace tovera {

class HouseSupportView : public ProjectWebPage {
    Q_OBJECT
public:
    explicit HouseSupportView(const QRectF& frame, QWidget* parent = nullptr);

    /// Shows the loading overlay and asks for the transport of param `rid`.
    void reloadData() override;
    /// A refusal shows its "msg" as a toast and the page is still built.
    void requestDidLoad(QXRequest* request, const Value& reply) override;
    void didLoad(const Value& reply, QXRequest* request) override;

    /// The page of a transport reply. Every service text is escaped, and the
    /// stop name is marked only inside the texts, never inside the markup.
    static QString pageHtml(const Dict& reply);
};

}  // namespace tovera
