// The background of the button strips (news categories, detail and map
// tabs): the skin's "top_tab_bg" stretched over the view, loaded on the
// first drawing.
#pragma once

#include <optional>

#include "platform/ui/views/Image.h"
#include "platform/ui/views/View.h"

namespace tovera {

class ButtonsView : public platform::ui::View {
    Q_OBJECT
public:
    explicit ButtonsView(const QRectF& frame = {}, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::optional<platform::ui::Image> background_;
};

}  // namespace tovera
