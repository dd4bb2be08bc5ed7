#include "platform/ui/map/MapView.h"

#include "platform/ui/lists/DragTracker.h"
#include "platform/ui/map/BaseMap.h"
#include "platform/ui/views/Animation.h"
#include "platform/ui/views/Control.h"
#include "platform/ui/views/Font.h"
#include "platform/ui/views/Label.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <cmath>
#include <numbers>

namespace tovera::platform::ui {

namespace {

constexpr double kMinSpanDegrees = 0.0005;
constexpr double kCalloutHeight = 48;
constexpr double kCalloutMaxWidth = 300;
constexpr Timers::Duration kDropDuration{400};
constexpr Timers::Duration kMoveDuration{350};

class UserLocationAnnotation : public MapAnnotation {
public:
    explicit UserLocationAnnotation(const Coordinate& c) : coordinate_(c) {}
    Coordinate coordinate() const override { return coordinate_; }
    QString title() const override { return QStringLiteral("当前位置"); }
    void setCoordinate(const Coordinate& c) { coordinate_ = c; }

private:
    Coordinate coordinate_;
};

// Grid spacing in degrees for a span: about four lines across the view.
double gridStep(double span) {
    for (double step : {0.005, 0.01, 0.02, 0.05, 0.1, 0.2, 0.5, 1.0, 2.0, 5.0, 10.0, 20.0, 30.0})
        if (span / step <= 6) return step;
    return 45;
}

}  // namespace

MapView::MapView(QWidget* parent) : MapView(QRectF(), parent) {}

MapView::MapView(const QRectF& frame, QWidget* parent) : View(frame, parent) {
    // The map pans itself; an enclosing scroll view leaves its drags alone.
    setProperty("toveraHandlesDrag", true);
    // The sea; the base map draws the land over it.
    setBackgroundColor(QColor(0xB5, 0xD3, 0xE7));
    setRegion({Location::kDefaultPosition, {0.2, 0.2}});
}

MapView::~MapView() {
    Location::shared().stopUpdatingLocation(this);
}

MapProjection MapView::projection() const {
    return MapProjection(center_, scale_, frame().size());
}

CoordinateRegion MapView::region() const {
    return projection().region();
}

QPointF MapView::convertCoordinate(const Coordinate& coordinate) const {
    return projection().pointFor(coordinate);
}

Coordinate MapView::convertPoint(const QPointF& point) const {
    return projection().coordinateFor(point);
}

void MapView::setRegion(const CoordinateRegion& region, bool animated) {
    if (!region.center.isValid()) return;
    const QSizeF size =
        frame().size().isEmpty() ? QSizeF(kScreenWidth, kScreenWidth) : frame().size();
    const MapProjection fit = MapProjection::fitting(region, size);
    setProjection(fit.center(), fit.scale(), animated);
}

void MapView::setCenterCoordinate(const Coordinate& center, bool animated) {
    if (!center.isValid()) return;
    setProjection(center, scale_, animated);
}

void MapView::setProjection(const Coordinate& center, double scale, bool animated) {
    const double width = std::max(1.0, frame().width());
    const double radians = std::numbers::pi / 180.0;
    // Between the whole world and a few tens of metres across.
    const double minScale = width / (360.0 * radians);
    const double maxScale = width / (kMinSpanDegrees * radians);
    scale = std::clamp(scale, minScale, maxScale);
    auto apply = [this](const Coordinate& c, double s) {
        const MapProjection p(c, s, frame().size());
        center_ = p.center();
        scale_ = s;
        placeAnnotations();
        update();
    };
    if (!animated || !Animation::isEnabled()) {
        apply(center, scale);
        if (auto* d = delegate_.get()) d->regionDidChange(this, false);
        return;
    }
    const Coordinate from = center_;
    const double fromScale = scale_;
    QPointer<MapView> guard(this);
    Animation::run(
        this, kMoveDuration,
        [apply, from, fromScale, center, scale](double t) {
            const Coordinate c{from.latitude + (center.latitude - from.latitude) * t,
                               from.longitude + (center.longitude - from.longitude) * t};
            apply(c, fromScale * std::pow(scale / fromScale, t));
        },
        [guard] {
            if (guard)
                if (auto* d = guard->delegate_.get()) d->regionDidChange(guard, true);
        });
}

void MapView::addAnnotation(const std::shared_ptr<MapAnnotation>& annotation) {
    if (!annotation || views_.contains(annotation.get())) return;
    annotations_.push_back(annotation);
    AnnotationView* view = makeView(annotation);
    views_.insert(annotation.get(), view);
    addSubview(view);
    view->show();
    place(view);
    if (callout_) callout_->raise();
    if (view->animatesDrop() && Animation::isEnabled()) {
        const QRectF target = view->frame();
        QPointer<AnnotationView> guard(view);
        Animation::run(view, kDropDuration, [this, guard, target](double t) {
            if (!guard) return;
            guard->setFrame(target.translated(0, -(target.bottom() + 20) * (1 - t)));
            // A plain pin is drawn by the map.
            update();
        });
    }
}

void MapView::addAnnotations(const std::vector<std::shared_ptr<MapAnnotation>>& annotations) {
    for (const auto& a : annotations)
        addAnnotation(a);
}

void MapView::removeAnnotation(const std::shared_ptr<MapAnnotation>& annotation) {
    if (!annotation || annotation == userAnnotation_) return;
    if (selected_ == annotation) deselectAnnotation(annotation, false);
    annotations_.erase(std::remove(annotations_.begin(), annotations_.end(), annotation),
                       annotations_.end());
    QPointer<AnnotationView> view = views_.take(annotation.get());
    if (!view) return;
    view->hide();
    update();
    if (view->reuseIdentifier().isEmpty())
        view->deleteLater();
    else
        reusable_[view->reuseIdentifier()].append(view);
}

void MapView::removeAnnotations(const std::vector<std::shared_ptr<MapAnnotation>>& annotations) {
    for (const auto& a : std::vector<std::shared_ptr<MapAnnotation>>(annotations))
        removeAnnotation(a);
}

std::vector<std::shared_ptr<MapAnnotation>> MapView::annotations() const {
    return annotations_;
}

AnnotationView* MapView::viewForAnnotation(const std::shared_ptr<MapAnnotation>& annotation) const {
    return annotation ? views_.value(annotation.get()) : nullptr;
}

AnnotationView* MapView::dequeueReusableAnnotationViewWithIdentifier(const QString& identifier) {
    auto it = reusable_.find(identifier);
    if (it == reusable_.end()) return nullptr;
    while (!it->isEmpty()) {
        QPointer<AnnotationView> view = it->takeLast();
        if (view) return view;
    }
    return nullptr;
}

AnnotationView* MapView::makeView(const std::shared_ptr<MapAnnotation>& annotation) {
    if (annotation == userAnnotation_) return AnnotationView::userLocationView(annotation);
    AnnotationView* view = nullptr;
    if (auto* d = delegate_.get()) view = d->viewForAnnotation(this, annotation);
    if (!view) {
        view = new AnnotationView(annotation);
        view->setCanShowCallout(true);
    }
    if (view->annotation() != annotation) view->setAnnotation(annotation);
    return view;
}

void MapView::place(AnnotationView* view) {
    if (!view || !view->annotation()) return;
    const QPointF at = convertCoordinate(view->annotation()->coordinate());
    const QSizeF size = view->frame().size();
    const QPointF center = at + view->centerOffset();
    view->setFrame(QRectF(center - QPointF(size.width() / 2, size.height() / 2), size));
}

void MapView::placeAnnotations() {
    for (const auto& view : views_)
        place(view);
    positionCallout();
    update();
}

void MapView::selectAnnotation(const std::shared_ptr<MapAnnotation>& annotation, bool) {
    if (!annotation || annotation == selected_) return;
    AnnotationView* view = views_.value(annotation.get());
    if (!view) return;
    if (selected_) deselectAnnotation(selected_, false);
    selected_ = annotation;
    view->setSelected(true);
    view->raise();
    if (view->canShowCallout()) showCallout(view);
    if (auto* d = delegate_.get()) d->didSelectAnnotationView(this, view);
}

void MapView::deselectAnnotation(const std::shared_ptr<MapAnnotation>& annotation, bool) {
    if (!annotation || annotation != selected_) return;
    hideCallout();
    selected_.reset();
    AnnotationView* view = views_.value(annotation.get());
    if (!view) return;
    view->setSelected(false);
    if (auto* d = delegate_.get()) d->didDeselectAnnotationView(this, view);
}

void MapView::showCallout(AnnotationView* view) {
    hideCallout();
    if (!view || !view->annotation()) return;
    auto* bubble = new View(this);
    bubble->setBackgroundColor(QColor(0x22, 0x2A, 0x36, 235));
    bubble->setCornerRadius(8);
    double left = 8;
    double right = 8;
    QPointer<AnnotationView> guard(view);
    for (View* accessory : {view->leftCalloutAccessoryView(), view->rightCalloutAccessoryView()}) {
        if (!accessory) continue;
        accessory->setParent(bubble);
        accessory->show();
        calloutAccessories_ << accessory;
        if (auto* control = qobject_cast<Control*>(accessory))
            connect(control, &Control::touchUpInside, bubble, [this, guard](Control* sender) {
                if (!guard) return;
                if (auto* d = delegate_.get())
                    d->calloutAccessoryControlTapped(this, guard, sender);
            });
    }
    View* leftView = view->leftCalloutAccessoryView();
    View* rightView = view->rightCalloutAccessoryView();
    if (leftView) left += leftView->frame().width() + 6;
    if (rightView) right += rightView->frame().width() + 6;
    auto* title = new Label(bubble);
    title->setFont(Font::boldSystem(15));
    title->setTextColor(Qt::white);
    title->setText(view->annotation()->title());
    auto* subtitle = new Label(bubble);
    subtitle->setFont(Font::system(12));
    subtitle->setTextColor(QColor(0xDD, 0xDD, 0xDD));
    subtitle->setText(view->annotation()->subtitle());
    const double textWidth =
        std::max(title->sizeThatFits({1e6, 0}).width(), subtitle->sizeThatFits({1e6, 0}).width());
    const double width = std::min(kCalloutMaxWidth, std::max(80.0, left + textWidth + right));
    const double textRoom = width - left - right;
    const bool twoLines = !subtitle->text().isEmpty();
    title->setFrame(QRectF(left, twoLines ? 5 : 0, textRoom, twoLines ? 20 : kCalloutHeight));
    subtitle->setFrame(QRectF(left, 25, textRoom, 18));
    subtitle->setHidden(!twoLines);
    if (leftView)
        leftView->setFrame(QRectF(QPointF(8, (kCalloutHeight - leftView->frame().height()) / 2),
                                  leftView->frame().size()));
    if (rightView)
        rightView->setFrame(QRectF(QPointF(width - 8 - rightView->frame().width(),
                                           (kCalloutHeight - rightView->frame().height()) / 2),
                                   rightView->frame().size()));
    bubble->setFrame(QRectF(0, 0, width, kCalloutHeight));
    bubble->show();
    callout_ = bubble;
    calloutOwner_ = view;
    positionCallout();
}

void MapView::positionCallout() {
    if (!callout_ || !calloutOwner_) return;
    const QRectF pin = calloutOwner_->frame();
    const double width = callout_->frame().width();
    double x = pin.center().x() - width / 2;
    x = std::clamp(x, 4.0, std::max(4.0, frame().width() - width - 4));
    callout_->setFrame(QRectF(x, pin.top() - kCalloutHeight - 4, width, kCalloutHeight));
    callout_->raise();
}

void MapView::hideCallout() {
    AnnotationView* owner = calloutOwner_;
    for (const auto& accessory : calloutAccessories_) {
        if (!accessory) continue;
        accessory->hide();
        accessory->setParent(owner);
        accessory->disconnect(callout_);
    }
    calloutAccessories_.clear();
    if (callout_) {
        callout_->hide();
        callout_->deleteLater();
    }
    callout_ = nullptr;
    calloutOwner_ = nullptr;
}

void MapView::setShowsUserLocation(bool shows) {
    if (shows == showsUser_) return;
    showsUser_ = shows;
    if (shows) {
        Location::shared().startUpdatingLocation(this);
        return;
    }
    Location::shared().stopUpdatingLocation(this);
    if (userAnnotation_) {
        auto user = userAnnotation_;
        userAnnotation_.reset();
        removeAnnotation(user);
    }
}

bool MapView::isUserLocationVisible() const {
    if (!userLocation_ || !showsUser_) return false;
    return QRectF(QPointF(), frame().size()).contains(convertCoordinate(*userLocation_));
}

void MapView::locationDidUpdate(const Coordinate& position) {
    if (!showsUser_) return;
    userLocation_ = position;
    if (!userAnnotation_) {
        userAnnotation_ = std::make_shared<UserLocationAnnotation>(position);
        addAnnotation(userAnnotation_);
    } else {
        static_cast<UserLocationAnnotation*>(userAnnotation_.get())->setCoordinate(position);
        place(views_.value(userAnnotation_.get()));
    }
    if (auto* d = delegate_.get()) d->didUpdateUserLocation(this, position);
}

void MapView::locationDidFail(const LocationError& error) {
    if (auto* d = delegate_.get()) d->didFailToLocateUser(this, error);
}

AnnotationView* MapView::annotationViewAt(const QPointF& point) const {
    AnnotationView* found = nullptr;
    // The topmost view under the point wins.
    for (QWidget* child : subviews())
        if (auto* view = qobject_cast<AnnotationView*>(child);
            view && view->isVisible() && view->frame().contains(point))
            found = view;
    return found;
}

void MapView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    pressed_ = true;
    panning_ = false;
    pressPos_ = event->position();
    pressCenter_ = center_;
    event->accept();
}

void MapView::mouseMoveEvent(QMouseEvent* event) {
    if (!pressed_ || !scrollEnabled_) return;
    const QPointF delta = event->position() - pressPos_;
    if (!panning_ && std::hypot(delta.x(), delta.y()) < DragTracker::kDragThreshold) return;
    panning_ = true;
    const MapProjection start(pressCenter_, scale_, frame().size());
    const QPointF middle(frame().width() / 2, frame().height() / 2);
    const MapProjection moved(start.coordinateFor(middle - delta), scale_, frame().size());
    center_ = moved.center();
    placeAnnotations();
    update();
}

void MapView::mouseReleaseEvent(QMouseEvent* event) {
    if (!pressed_ || event->button() != Qt::LeftButton) return;
    pressed_ = false;
    if (panning_) {
        panning_ = false;
        if (auto* d = delegate_.get()) d->regionDidChange(this, false);
        return;
    }
    if (AnnotationView* view = annotationViewAt(event->position())) {
        selectAnnotation(view->annotation(), true);
        return;
    }
    if (callout_ && callout_->frame().contains(event->position())) return;
    if (selected_) deselectAnnotation(selected_, true);
}

void MapView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (zoomEnabled_ && event->button() == Qt::LeftButton) zoomAt(event->position(), 2);
}

void MapView::wheelEvent(QWheelEvent* event) {
    if (!zoomEnabled_) {
        event->ignore();
        return;
    }
    zoomAt(event->position(), std::pow(1.25, event->angleDelta().y() / 120.0));
    event->accept();
}

void MapView::zoomAt(const QPointF& point, double factor) {
    // The place under the pointer stays under it.
    const Coordinate anchor = convertPoint(point);
    const MapProjection scaled(center_, scale_ * factor, frame().size());
    const QPointF shift = scaled.pointFor(anchor) - point;
    const QPointF middle(frame().width() / 2, frame().height() / 2);
    setProjection(scaled.coordinateFor(middle + shift), scale_ * factor, false);
}

void MapView::layoutSubviews() {
    placeAnnotations();
}

void MapView::paintEvent(QPaintEvent* event) {
    View::paintEvent(event);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const MapProjection p = projection();
    const CoordinateRegion r = p.region();
    const QSizeF size = frame().size();
    if (const BaseMap* base = BaseMap::shared()) {
        constexpr double kDegrees = 180.0 / std::numbers::pi;
        base->draw(painter, {QPointF(center_.longitude,
                                     MapProjection::mercatorY(center_.latitude) * kDegrees),
                             scale_ / kDegrees, size});
    }
    // Graticule, faint over the land.
    const double step = gridStep(std::max(r.span.latitudeDelta, r.span.longitudeDelta));
    painter.setPen(QPen(QColor(0x90, 0x90, 0x90, 40), 1));
    const Coordinate topLeft = p.coordinateFor(QPointF(0, 0));
    const Coordinate bottomRight = p.coordinateFor(QPointF(size.width(), size.height()));
    for (double lon = std::floor(topLeft.longitude / step) * step; lon <= bottomRight.longitude;
         lon += step) {
        const double x = p.pointFor({r.center.latitude, lon}).x();
        painter.drawLine(QPointF(x, 0), QPointF(x, size.height()));
    }
    for (double lat = std::floor(bottomRight.latitude / step) * step; lat <= topLeft.latitude;
         lat += step) {
        const double y = p.pointFor({lat, r.center.longitude}).y();
        painter.drawLine(QPointF(0, y), QPointF(size.width(), y));
    }
    // The plain pins, in their stacking order.
    for (QWidget* child : subviews())
        if (auto* pin = qobject_cast<AnnotationView*>(child);
            pin && !pin->isHidden() && pin->drawnByMap())
            pin->drawPin(painter);
}

}  // namespace tovera::platform::ui
