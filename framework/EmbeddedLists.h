// Lists that one subsystem shows inside another's screen (the purchase
// records inside the profile). The owning subsystem registers a builder, so
// the host screen builds the list without including it, as screens open
// each other through destinations.
#pragma once

#include <QRectF>

#include <functional>

#include "core/Value.h"

class QWidget;

namespace tovera::platform::ui {
class View;
}  // namespace tovera::platform::ui

namespace tovera {

enum class EmbeddedList {
    PurchaseRecords,  ///< A user's bought homes: the profile reply's "buyinfo".
};

/// A list view that shows the records it is given.
class RecordsView {
public:
    virtual ~RecordsView() = default;
    virtual void setDataArray(const Array& records) = 0;
};

class EmbeddedLists {
public:
    /// Builds the list's view in `frame` of `parent`; the view is also a
    /// RecordsView.
    using Builder = std::function<platform::ui::View*(const QRectF& frame, QWidget* parent)>;

    static void registerBuilder(EmbeddedList list, Builder builder);
    /// The list's view, or null when no subsystem builds it.
    static platform::ui::View* build(EmbeddedList list, const QRectF& frame, QWidget* parent);
};

}  // namespace tovera
