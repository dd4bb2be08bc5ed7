// tovera-draw-splash: draws the splash picture shipped with the app
// (resources/splash.png at 320 x 480 and resources/splash@2x.png at
// 640 x 960). Deterministic; run by hand when the picture should change:
//   tovera-draw-splash resources
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>

namespace {

const QColor kOrange(0xF0, 0x82, 0x1E);
const QColor kInk(0x33, 0x33, 0x33);

QFont sans(int pixels, bool bold) {
    QFont font(QStringLiteral("Noto Sans CJK SC"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

// A house: a roof of two strokes over a square body with a door.
void drawMark(QPainter& p, QPointF centre) {
    QPainterPath roof;
    roof.moveTo(centre + QPointF(-46, -6));
    roof.lineTo(centre + QPointF(0, -46));
    roof.lineTo(centre + QPointF(46, -6));
    p.setPen(QPen(kOrange, 9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(roof);
    p.setPen(Qt::NoPen);
    p.setBrush(kOrange);
    p.drawRoundedRect(QRectF(centre + QPointF(-32, -8), QSizeF(64, 50)), 5, 5);
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(centre + QPointF(-9, 14), QSizeF(18, 28)), 3, 3);
}

// A row of towers along the bottom edge, in pale orange.
void drawSkyline(QPainter& p) {
    const int heights[] = {70, 110, 85, 140, 95, 120, 75, 105};
    p.setPen(Qt::NoPen);
    double x = 0;
    for (int i = 0; i < 8; ++i) {
        const double width = 40;
        QColor tone = kOrange;
        tone.setAlpha(i % 2 ? 46 : 70);
        p.setBrush(tone);
        p.drawRect(QRectF(x, 480 - heights[i], width - 3, heights[i]));
        x += width;
    }
}

QImage draw(int scale) {
    QImage image(320 * scale, 480 * scale, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(scale, scale);
    QLinearGradient background(0, 0, 0, 480);
    background.setColorAt(0, QColor(0xFF, 0xFB, 0xF6));
    background.setColorAt(1, QColor(0xFD, 0xE9, 0xD4));
    p.fillRect(QRectF(0, 0, 320, 480), background);
    drawSkyline(p);
    drawMark(p, QPointF(160, 170));

    p.setPen(kInk);
    p.setFont(sans(34, true));
    p.drawText(QRectF(0, 225, 320, 44), Qt::AlignCenter, QStringLiteral("Tovera"));
    p.setPen(QColor(0x77, 0x77, 0x77));
    p.setFont(sans(14, false));
    p.drawText(QRectF(0, 270, 320, 24), Qt::AlignCenter,
               QStringLiteral("看新房 · 找二手房 · 读楼市资讯"));
    return image;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QDir dir(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("resources"));
    bool ok = true;
    for (int scale : {1, 2}) {
        const QString name =
            scale == 1 ? QStringLiteral("splash.png") : QStringLiteral("splash@2x.png");
        const bool saved = draw(scale).save(dir.filePath(name), "PNG");
        std::printf("%s %s\n", saved ? "wrote" : "FAILED", qPrintable(dir.filePath(name)));
        ok = ok && saved;
    }
    return ok ? 0 : 1;
}
