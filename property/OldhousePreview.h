// "概况" of a second-hand listing: total price in ten thousand yuan, floor
// area in square metres, and the property-right type.
#pragma once

#include "property/ListingPreview.h"

namespace tovera {

class OldhousePreview : public ListingPreview {
    Q_OBJECT
public:
    explicit OldhousePreview(const QRectF& frame, QWidget* parent = nullptr);
};

}  // namespace tovera
