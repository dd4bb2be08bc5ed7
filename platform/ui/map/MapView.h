// The map: no tile server is reachable, so the map draws the shipped
// offline base layer (land, coastline, provinces and the service's cities,
// see BaseMap) under a faint graticule, with annotations on it. Drag to pan, wheel or double tap to
// zoom. Tapping an annotation selects it and shows its callout; a tap on a callout accessory
// reaches the delegate. The user's position comes from the location service.
#pragma once

#include "platform/Location.h"
#include "platform/ui/map/AnnotationView.h"
#include "platform/ui/map/MapProjection.h"
#include "platform/ui/runtime/WeakDelegate.h"
#include "platform/ui/views/View.h"

#include <QHash>
#include <QList>
#include <QPointer>

#include <memory>
#include <vector>

namespace tovera::platform::ui {

class Control;
class Label;
class MapView;

class MapViewDelegate {
public:
    virtual ~MapViewDelegate() = default;
    /// The view for an annotation (null: a red pin). Not asked for the
    /// user's position, which has its own marker.
    virtual AnnotationView* viewForAnnotation(MapView*, const std::shared_ptr<MapAnnotation>&) {
        return nullptr;
    }
    virtual void didSelectAnnotationView(MapView*, AnnotationView*) {}
    virtual void didDeselectAnnotationView(MapView*, AnnotationView*) {}
    virtual void calloutAccessoryControlTapped(MapView*, AnnotationView*, Control*) {}
    virtual void didUpdateUserLocation(MapView*, const Coordinate&) {}
    virtual void didFailToLocateUser(MapView*, const LocationError&) {}
    virtual void regionDidChange(MapView*, bool /*animated*/) {}
};

class MapView : public View, private LocationListener {
    Q_OBJECT
public:
    explicit MapView(QWidget* parent = nullptr);
    explicit MapView(const QRectF& frame, QWidget* parent = nullptr);
    ~MapView() override;

    MapViewDelegate* delegate() const { return delegate_.get(); }
    void setDelegate(MapViewDelegate* delegate) { delegate_ = delegate; }

    /// The region shown (its spans follow the view's shape).
    CoordinateRegion region() const;
    void setRegion(const CoordinateRegion& region, bool animated = false);
    Coordinate centerCoordinate() const { return center_; }
    void setCenterCoordinate(const Coordinate& center, bool animated = false);

    void addAnnotation(const std::shared_ptr<MapAnnotation>& annotation);
    void addAnnotations(const std::vector<std::shared_ptr<MapAnnotation>>& annotations);
    void removeAnnotation(const std::shared_ptr<MapAnnotation>& annotation);
    void removeAnnotations(const std::vector<std::shared_ptr<MapAnnotation>>& annotations);
    /// Every annotation, the user's position included when shown.
    std::vector<std::shared_ptr<MapAnnotation>> annotations() const;
    AnnotationView* viewForAnnotation(const std::shared_ptr<MapAnnotation>& annotation) const;
    AnnotationView* dequeueReusableAnnotationViewWithIdentifier(const QString& identifier);

    void selectAnnotation(const std::shared_ptr<MapAnnotation>& annotation, bool animated);
    void deselectAnnotation(const std::shared_ptr<MapAnnotation>& annotation, bool animated);
    std::shared_ptr<MapAnnotation> selectedAnnotation() const { return selected_; }
    /// The callout on screen, or null.
    View* calloutView() const { return callout_; }

    bool showsUserLocation() const { return showsUser_; }
    void setShowsUserLocation(bool shows);
    /// The user's position once known.
    std::optional<Coordinate> userLocation() const { return userLocation_; }
    /// The annotation that stands for the user's position (while shown).
    std::shared_ptr<MapAnnotation> userLocationAnnotation() const { return userAnnotation_; }
    bool isUserLocationVisible() const;

    void setScrollEnabled(bool enabled) { scrollEnabled_ = enabled; }
    void setZoomEnabled(bool enabled) { zoomEnabled_ = enabled; }

    QPointF convertCoordinate(const Coordinate& coordinate) const;
    Coordinate convertPoint(const QPointF& point) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void layoutSubviews() override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void locationDidUpdate(const Coordinate& position) override;
    void locationDidFail(const LocationError& error) override;

    MapProjection projection() const;
    void setProjection(const Coordinate& center, double scale, bool animated);
    void placeAnnotations();
    void place(AnnotationView* view);
    AnnotationView* makeView(const std::shared_ptr<MapAnnotation>& annotation);
    void showCallout(AnnotationView* view);
    void hideCallout();
    void positionCallout();
    void zoomAt(const QPointF& point, double factor);
    AnnotationView* annotationViewAt(const QPointF& point) const;

    WeakDelegate<MapViewDelegate> delegate_;
    Coordinate center_{Location::kDefaultPosition};
    double scale_ = 20000;  // points per radian of longitude
    std::vector<std::shared_ptr<MapAnnotation>> annotations_;
    QHash<const MapAnnotation*, QPointer<AnnotationView>> views_;
    QHash<QString, QList<QPointer<AnnotationView>>> reusable_;
    std::shared_ptr<MapAnnotation> selected_;
    QPointer<View> callout_;
    QPointer<AnnotationView> calloutOwner_;
    QList<QPointer<View>> calloutAccessories_;
    bool showsUser_ = false;
    std::optional<Coordinate> userLocation_;
    std::shared_ptr<MapAnnotation> userAnnotation_;
    bool scrollEnabled_ = true;
    bool zoomEnabled_ = true;
    bool panning_ = false;
    bool pressed_ = false;
    QPointF pressPos_;
    Coordinate pressCenter_;
};

}  // namespace tovera::platform::ui
