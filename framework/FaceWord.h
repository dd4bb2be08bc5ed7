// A text view that shows emoticon codes ("[Face3]") as their pictures.
// Codes match their asset without regard to case ("face3.png"); the rest of
// the text, brackets naming no asset included, is shown as typed. Runs are
// laid out left to right and wrap within the view's width less 20 points.
#pragma once

#include <QFont>
#include <QList>
#include <QString>

#include <functional>

#include "platform/ui/views/Image.h"
#include "platform/ui/views/View.h"

namespace tovera {

class FaceWord : public platform::ui::View {
    Q_OBJECT
public:
    /// One run of the text: text, or an emoticon picture.
    struct Run {
        QString text;  // a text run's text; a picture's asset name ("face3.png")
        bool picture = false;
        platform::ui::Image image;
        friend bool operator==(const Run& a, const Run& b) {
            return a.text == b.text && a.picture == b.picture;
        }
    };
    /// One drawn piece: a line of text or a picture, in view coordinates.
    struct Placed {
        QRectF rect;
        QString text;  // empty for a picture
        platform::ui::Image image;
    };

    explicit FaceWord(const QRectF& frame = {}, QWidget* parent = nullptr);

    /// Splits `text` into runs; `assetFor` gives the picture of an asset
    /// name (null when there is none).
    static QList<Run> splitRuns(const QString& text,
                                const std::function<platform::ui::Image(const QString&)>& assetFor);

    /// Replaces the runs with those of `text` (pictures from the resources).
    void setContentStr(const QString& text);
    const QList<Run>& faceWord() const { return faceWord_; }

    /// Lays the runs out for `width` and sets the frame at `origin`, as
    /// high as the runs need.
    void measure(const QPointF& origin, double width);
    /// The pieces as laid out for the view's width.
    QList<Placed> layout(double width, double* height = nullptr) const;

    static QFont textFont();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QList<Run> faceWord_;
};

}  // namespace tovera
