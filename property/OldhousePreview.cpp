#include "property/OldhousePreview.h"

namespace tovera {

OldhousePreview::OldhousePreview(const QRectF& frame, QWidget* parent)
    : ListingPreview("价格:\t%1万元", "面积:\t%1平方米", {{"产权性质:\t%1", "nature"}}, frame,
                     parent) {}

}  // namespace tovera
