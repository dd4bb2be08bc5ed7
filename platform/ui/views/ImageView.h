// A view that draws one picture (or its highlighted variant) as its content
// mode says.
#pragma once

#include "platform/ui/views/Image.h"
#include "platform/ui/views/View.h"

namespace tovera::platform::ui {

class ImageView : public View {
    Q_OBJECT
public:
    explicit ImageView(QWidget* parent = nullptr);
    explicit ImageView(const QRectF& frame, QWidget* parent = nullptr);
    /// A view the size of the picture, at the origin.
    explicit ImageView(const Image& image, QWidget* parent = nullptr);

    Image image() const { return image_; }
    void setImage(const Image& image);
    Image highlightedImage() const { return highlightedImage_; }
    void setHighlightedImage(const Image& image);
    bool isHighlighted() const { return highlighted_; }
    void setHighlighted(bool highlighted);
    /// Darkens the picture (a pressed button).
    void setDimmed(bool dimmed);

    ContentMode contentMode() const { return mode_; }
    void setContentMode(ContentMode mode);

    QSizeF sizeThatFits(const QSizeF& size) const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Image image_;
    Image highlightedImage_;
    ContentMode mode_ = ContentMode::ScaleToFill;
    bool highlighted_ = false;
    bool dimmed_ = false;
};

/// Draws `image` into `rect` darkened where it is opaque (pressed look).
void drawDimmed(QPainter& painter, const Image& image, const QRectF& rect, ContentMode mode);

}  // namespace tovera::platform::ui
