// "简介": a project's introduction, the service's HTML in a web view; a text
// of one character or less reads "暂无".
#pragma once

#include "property/ProjectWebPage.h"

namespace tovera {

class IntroView : public ProjectWebPage {
    Q_OBJECT
public:
    explicit IntroView(const QRectF& frame, QWidget* parent = nullptr);

    /// Shows the loading overlay and asks for the introduction of param `rid`.
    void reloadData() override;
    void didLoad(const Value& reply, QXRequest* request) override;
};

}  // namespace tovera
