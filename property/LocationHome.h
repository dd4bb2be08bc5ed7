// "地图": what is near a position, on the map. In nearby mode a strip of
// five kind buttons (new-build projects, second-hand listings, rentals,
// friends, users) chooses what the service returns around the user's
// position (or the chosen city's, or the built-in default), "设置范围" sets
// how far to look, and each pin's callout opens the thing it stands for. In
// single-pin mode (kind -1, a project's or a listing's address) the map
// shows one given pin, with no strip, no range and no request.
#pragma once

#include <memory>
#include <vector>

#include "framework/QXViewController.h"
#include "framework/QXViewDelegate.h"
#include "platform/Location.h"
#include "platform/ui/map/MapView.h"
#include "property/JVAnnotation.h"

namespace tovera::platform::ui {
class Button;
}  // namespace tovera::platform::ui

namespace tovera {

class ButtonsView;
class JVPickView;

class LocationHome : public QXViewController,
                     public platform::ui::MapViewDelegate,
                     public QXViewDelegate {
    Q_OBJECT
public:
    /// The kinds, by kind button.
    enum Kind { kSinglePin = -1, kNewBuild, kSecondHand, kRental, kFriends, kUsers };

    explicit LocationHome(QObject* parent = nullptr);

    /// The kind: kSinglePin, or a kind button's index.
    int type() const { return type_; }
    void setType(int type);
    /// Single-pin mode's pin: the only pin, the centre of the map.
    void setAnnotaiton(std::shared_ptr<JVAnnotation> annotation);

    /// Asks for the pins of the current kind around the centre (nothing in
    /// single-pin mode).
    void reloadData() override;
    void didLoad(const Value& reply, QXRequest* request) override;

    /// A kind button: that kind is chosen, and loaded now when the position
    /// is known (or cannot be known), else on the next position report.
    void btnPressed(platform::ui::Button* button);
    /// "设置范围": the range picker.
    void setArea();
    /// The range picker's "取消"/"确定".
    void qxView(platform::ui::View* view, platform::ui::Button* button) override;
    /// Centres the map on `coordinate`, zoomed in to at most half a degree.
    void gotoLocation(const platform::Coordinate& coordinate);
    /// Puts the pins of dataArray() on the map in place of the ones there.
    void markAnnotation();
    /// Opens the screen of `pin`'s thing (its own kind decides which).
    void openPin(const JVAnnotation& pin);

    /// The span in degrees the map shows for range row `row`.
    static double spanForRange(int row);

    platform::ui::MapView* mapView() const { return mapView_; }
    ButtonsView* btnsView() const { return btnsView_; }
    const std::vector<std::shared_ptr<JVAnnotation>>& dataArray() const { return dataArray_; }
    platform::Coordinate coord() const { return coord_; }
    bool needUpdate() const { return needUpdate_; }
    JVPickView* pkView() const { return pkView_; }

    // MapViewDelegate
    platform::ui::AnnotationView* viewForAnnotation(
        platform::ui::MapView* map,
        const std::shared_ptr<platform::ui::MapAnnotation>& annotation) override;
    void calloutAccessoryControlTapped(platform::ui::MapView* map,
                                       platform::ui::AnnotationView* view,
                                       platform::ui::Control* control) override;
    void didUpdateUserLocation(platform::ui::MapView* map,
                               const platform::Coordinate& position) override;
    void didFailToLocateUser(platform::ui::MapView* map,
                             const platform::LocationError& error) override;

protected:
    void loadView() override;
    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;

private:
    /// Hides or shows the strip and the range button for the kind.
    void applyMode();
    /// A position report (or its failure) loads once after creation or a
    /// kind change.
    void loadIfNeeded();
    bool nearby() const { return type_ >= 0; }

    platform::ui::MapView* mapView_ = nullptr;
    ButtonsView* btnsView_ = nullptr;
    JVPickView* pkView_ = nullptr;
    std::vector<std::shared_ptr<JVAnnotation>> dataArray_;
    int type_ = kNewBuild;
    bool needUpdate_ = true;
    platform::Coordinate coord_;
    Array pkArray_;
};

}  // namespace tovera
