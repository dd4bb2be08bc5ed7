// The view of one annotation on the map: a pin in a colour (or a picture),
// placed with its centre at the coordinate's point plus the centre offset
// (for a pin: half its height up, so the tip sits on the coordinate), with an optional callout
// holding the title, the subtitle and accessory views on either side.
#pragma once

#include "platform/ui/map/MapAnnotation.h"
#include "platform/ui/views/Image.h"
#include "platform/ui/views/View.h"

#include <QPixmap>
#include <QPointer>

#include <memory>

class QPainter;

namespace tovera::platform::ui {

class AnnotationView : public View {
    Q_OBJECT
public:
    enum class PinColor { Red, Green, Purple };

    explicit AnnotationView(std::shared_ptr<MapAnnotation> annotation,
                            const QString& reuseIdentifier = {}, QWidget* parent = nullptr);

    std::shared_ptr<MapAnnotation> annotation() const { return annotation_; }
    void setAnnotation(std::shared_ptr<MapAnnotation> annotation);
    QString reuseIdentifier() const { return reuseIdentifier_; }

    PinColor pinColor() const { return pinColor_; }
    void setPinColor(PinColor color);
    /// A picture instead of the pin (its middle then sits on the coordinate).
    void setImage(const Image& image);
    Image image() const { return image_; }
    /// Where the view's centre goes relative to the coordinate's point.
    QPointF centerOffset() const { return centerOffset_; }
    void setCenterOffset(const QPointF& offset) { centerOffset_ = offset; }

    bool canShowCallout() const { return canShowCallout_; }
    void setCanShowCallout(bool can) { canShowCallout_ = can; }
    /// Views at the left and right of the callout (owned by this view).
    View* leftCalloutAccessoryView() const { return left_; }
    void setLeftCalloutAccessoryView(View* view);
    View* rightCalloutAccessoryView() const { return right_; }
    void setRightCalloutAccessoryView(View* view);

    bool animatesDrop() const { return animatesDrop_; }
    void setAnimatesDrop(bool animates) { animatesDrop_ = animates; }
    bool isSelected() const { return selected_; }
    void setSelected(bool selected) { selected_ = selected; }

    /// The blue dot of the user's position.
    static AnnotationView* userLocationView(std::shared_ptr<MapAnnotation> annotation);
    bool isUserLocation() const { return userLocation_; }

    QString visibleText() const override;

    /// Whether the map draws this view (a plain pin) rather than the view
    /// painting itself (a picture, the user's position).
    bool drawnByMap() const;
    /// Draws the plain pin at the view's frame with the map's painter.
    void drawPin(QPainter& painter) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void adopt(QPointer<View>& slot, View* view);
    void updateDrawing();
    static QPixmap headPicture(PinColor color, int side, double ratio);

    std::shared_ptr<MapAnnotation> annotation_;
    QString reuseIdentifier_;
    PinColor pinColor_ = PinColor::Red;
    Image image_;
    QPointF centerOffset_;
    bool canShowCallout_ = false;
    QPointer<View> left_;
    QPointer<View> right_;
    bool animatesDrop_ = false;
    bool selected_ = false;
    bool userLocation_ = false;
};

}  // namespace tovera::platform::ui
