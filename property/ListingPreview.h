// "概况" of a listing: the heading, one "caption:\tvalue" line per detail
// field, the free texts on rooms, facilities and transport, the address
// (which opens the map when the listing has a position) and the contact
// telephone (which offers to call). A vertical scroll view; the second-hand
// and rental pages differ only in their lines and units.
#pragma once

#include <QPointer>
#include <QStringList>

#include <optional>
#include <vector>

#include "core/Value.h"
#include "platform/ui/lists/ScrollView.h"
#include "platform/ui/navigation/ViewController.h"
#include "property/HousePreview.h"

namespace tovera::platform::ui {
class Button;
class Label;
}  // namespace tovera::platform::ui

namespace tovera {

class ListingPreview : public platform::ui::ScrollView {
    Q_OBJECT
public:
    /// One line of the page: `format` with "%1" replaced by the value of
    /// `key` (empty when missing). The "price" line reads "价格:面议" for a
    /// price of 0 or below.
    struct Line {
        const char* format;
        const char* key;
    };

    /// Fills the page from the listing's detail.
    void setInfo(const Dict& info);
    /// The screen the page is shown in, which the map opens from.
    void setOwner(platform::ui::ViewController* owner) { owner_ = owner; }

    /// The address button: the map with the listing's pin (nothing without one).
    void getLocation();
    /// The telephone button: the call sheet, or the toast without a number.
    void btnCall();

    const std::optional<ProjectPin>& pin() const { return pin_; }
    platform::ui::Label* titleLbl() const { return titleLbl_; }
    platform::ui::Button* addressBtn() const { return addressBtn_; }
    platform::ui::Button* telBtn() const { return telBtn_; }
    /// The text of every line, top to bottom (the heading first).
    QStringList lines() const;
    /// The line built from `key`, or null.
    platform::ui::Label* lineFor(std::string_view key) const;

protected:
    /// The page with the lines both kinds share, the price and area lines
    /// in the kind's units, and the kind's own lines after the floor area.
    ListingPreview(const char* priceFormat, const char* sizeFormat, std::vector<Line> ownLines,
                   const QRectF& frame, QWidget* parent);

private:
    platform::ui::Label* addLabel(const QFont& font, const QColor& color);
    platform::ui::Button* addButton(const QColor& color);
    void layoutLines();

    std::vector<Line> layout_;
    std::optional<ProjectPin> pin_;
    QPointer<platform::ui::ViewController> owner_;
    platform::ui::Label* titleLbl_ = nullptr;
    std::vector<platform::ui::Label*> lineLbls_;
    platform::ui::Label* addressCaption_ = nullptr;
    platform::ui::Button* addressBtn_ = nullptr;
    platform::ui::Label* telCaption_ = nullptr;
    platform::ui::Button* telBtn_ = nullptr;
};

}  // namespace tovera
