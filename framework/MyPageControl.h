// The viewer's page dots, drawn with "pagelarge.png" for the current page
// and "pagesmall.png" for the others. A tap right of the middle goes to the
// next page when there is one, left of it to the previous one.
#pragma once

#include "platform/ui/views/PageControl.h"

namespace tovera {

class MyPageControl : public platform::ui::PageControl {
    Q_OBJECT
public:
    explicit MyPageControl(const QRectF& frame = {}, QWidget* parent = nullptr);
};

}  // namespace tovera
