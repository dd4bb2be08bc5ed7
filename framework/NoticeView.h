// A small badge with a number: the "number_bg.png" picture with a white
// number in the middle, hidden while the number is below 1.
#pragma once

#include "platform/ui/views/View.h"

namespace tovera::platform::ui {
class Label;
}  // namespace tovera::platform::ui

namespace tovera {

class NoticeView : public platform::ui::View {
    Q_OBJECT
public:
    explicit NoticeView(const QRectF& frame = {}, QWidget* parent = nullptr);

    void setNum(int number);
    int num() const { return num_; }
    platform::ui::Label* label() const { return label_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void layoutSubviews() override;

private:
    platform::ui::Label* label_ = nullptr;
    int num_ = 0;
};

}  // namespace tovera
