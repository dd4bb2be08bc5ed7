// "概况" of a rental listing: monthly rent, floor area, and the letting and
// payment methods.
#pragma once

#include "property/ListingPreview.h"

namespace tovera {

class RentPreview : public ListingPreview {
    Q_OBJECT
public:
    explicit RentPreview(const QRectF& frame, QWidget* parent = nullptr);
};

}  // namespace tovera
