#include "property/RentPreview.h"

namespace tovera {

RentPreview::RentPreview(const QRectF& frame, QWidget* parent)
    : ListingPreview("价格:\t%1元/月", "面积:\t%1平米",
                     {{"租赁方式:\t%1", "rent_method"}, {"支付方式:\t%1", "pay_method"}}, frame,
                     parent) {}

}  // namespace tovera
