// A section title strip: a light bar with an accent in the skin colour and
// a title button ("最新评论", "其他答案") at its left.
#pragma once

#include "platform/ui/views/View.h"

namespace tovera::platform::ui {
class Button;
}  // namespace tovera::platform::ui

namespace tovera {

class ImageTitle : public platform::ui::View {
    Q_OBJECT
public:
    static constexpr double kHeight = 37;

    explicit ImageTitle(const QRectF& frame, const QString& title = {});

    platform::ui::Button* titleBtn() const { return titleBtn_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    platform::ui::Button* titleBtn_ = nullptr;
};

}  // namespace tovera
