// Page dots: one per page, the current one bright. A tap right of the
// middle moves to the next page, left of it to the previous one, and sends
// value-changed. Dots may be drawn with pictures instead.
#pragma once

#include "platform/ui/views/Control.h"
#include "platform/ui/views/Image.h"

namespace tovera::platform::ui {

class PageControl : public Control {
    Q_OBJECT
public:
    explicit PageControl(QWidget* parent = nullptr);
    explicit PageControl(const QRectF& frame, QWidget* parent = nullptr);

    int numberOfPages() const { return pages_; }
    void setNumberOfPages(int pages);
    int currentPage() const { return current_; }
    void setCurrentPage(int page);
    void setHidesForSinglePage(bool hides);
    /// Pictures for the current and the other dots (null: drawn dots).
    void setDotImages(const Image& current, const Image& other);

    /// Where the centre of dot `index` lies in the control.
    QPointF dotCenter(int index) const;
    static QSizeF sizeForNumberOfPages(int pages);

    QString visibleText() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void updateHidden();

    int pages_ = 0;
    int current_ = 0;
    bool hidesForSingle_ = false;
    Image currentImage_;
    Image otherImage_;
};

}  // namespace tovera::platform::ui
