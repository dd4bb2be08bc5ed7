// tovera-demo-pictures: draws the demo seed's pictures (building facades,
// floor plans, rooms, article charts, avatars, activity posters and the two
// splash pictures) into a folder. Deterministic; run by hand when the seed's
// pictures change:  tovera-demo-pictures resources/demo/pic
#include <QColor>
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QString>

#include <cstdio>
#include <random>

namespace {

using Random = std::mt19937;

int between(Random& random, int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
}

QColor pastel(Random& random) {
    return QColor::fromHsv(between(random, 0, 359), between(random, 40, 90),
                           between(random, 200, 245));
}

QFont font(int pixels, bool bold = false) {
    QFont f(QStringLiteral("Noto Sans CJK SC"));
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

bool save(const QImage& image, const QDir& dir, const QString& name) {
    bool png = name.endsWith(QStringLiteral(".png"));
    bool ok = image.save(dir.filePath(name), png ? "PNG" : "JPG", png ? -1 : 80);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(dir.filePath(name)));
    return ok;
}

void drawSky(QPainter& p, const QRect& area, const QColor& top, const QColor& bottom) {
    QLinearGradient sky(area.topLeft(), area.bottomLeft());
    sky.setColorAt(0, top);
    sky.setColorAt(1, bottom);
    p.fillRect(area, sky);
}

void drawTree(QPainter& p, int x, int ground, int size) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(110, 80, 50));
    p.drawRect(x - size / 10, ground - size, size / 5, size);
    p.setBrush(QColor(70, 140, 70));
    p.drawEllipse(QPoint(x, ground - size), size / 2, size * 2 / 3);
}

// A tower with a grid of windows; some windows lit.
void drawTower(QPainter& p, Random& random, QRect body) {
    QColor wall = pastel(random);
    p.setPen(QPen(wall.darker(130), 2));
    p.setBrush(wall);
    p.drawRect(body);
    int columns = std::max(2, body.width() / 26);
    int rows = std::max(3, body.height() / 24);
    double cw = double(body.width()) / columns;
    double rh = double(body.height()) / rows;
    p.setPen(Qt::NoPen);
    for (int r = 0; r < rows - 1; ++r) {
        for (int c = 0; c < columns; ++c) {
            bool lit = between(random, 0, 9) == 0;
            p.setBrush(lit ? QColor(255, 230, 150) : QColor(120, 160, 200));
            p.drawRect(QRectF(body.left() + c * cw + cw * 0.2, body.top() + r * rh + rh * 0.25,
                              cw * 0.6, rh * 0.5));
        }
    }
    p.setBrush(wall.darker(150));
    p.drawRect(QRect(body.left() - 4, body.top() - 8, body.width() + 8, 8));
}

QImage facade(int index) {
    Random random(1000 + index);
    QImage image(480, 360, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    drawSky(p, image.rect(), QColor::fromHsv(between(random, 195, 215), 120, 235),
            QColor(235, 245, 255));
    int ground = 300;
    p.fillRect(QRect(0, ground, 480, 60), QColor(120, 170, 100));
    p.fillRect(QRect(0, ground + 20, 480, 18), QColor(180, 180, 175));
    int towers = between(random, 2, 4);
    for (int t = 0; t < towers; ++t) {
        int width = between(random, 70, 120);
        int height = between(random, 150, 260);
        int x = 20 + t * (440 / towers) + between(random, 0, 20);
        drawTower(p, random, QRect(x, ground - height, width, height));
    }
    for (int x = 15; x < 480; x += between(random, 45, 80))
        drawTree(p, x, ground + 8, between(random, 22, 36));
    p.setPen(QColor(255, 255, 255));
    p.setFont(font(14));
    p.drawText(QRect(0, 336, 470, 22), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("效果图仅供参考"));
    return image;
}

QImage floorPlan(int index) {
    Random random(2000 + index);
    QImage image(480, 360, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QRect outer(40, 50, 400, 270);
    int split = between(random, 170, 230);
    int middle = between(random, 150, 190);
    struct Room {
        QRect rect;
        const char* name;
    };
    Room rooms[] = {
        {QRect(outer.left(), outer.top(), split - outer.left(), middle - outer.top()), "主卧"},
        {QRect(split, outer.top(), 120, middle - outer.top()), "次卧"},
        {QRect(split + 120, outer.top(), outer.right() - split - 120, middle - outer.top()),
         "书房"},
        {QRect(outer.left(), middle, 250, outer.bottom() - middle), "客厅"},
        {QRect(outer.left() + 250, middle, 80, (outer.bottom() - middle) / 2), "卫生间"},
        {QRect(outer.left() + 250, middle + (outer.bottom() - middle) / 2, 80,
               (outer.bottom() - middle) / 2),
         "厨房"},
        {QRect(outer.left() + 330, middle, outer.right() - outer.left() - 330,
               outer.bottom() - middle),
         "餐厅"},
    };
    p.setFont(font(15));
    for (const Room& room : rooms) {
        p.setPen(QPen(QColor(60, 60, 60), 3));
        p.setBrush(room.name == std::string_view("客厅") ? QColor(250, 240, 220)
                                                         : QColor(245, 245, 240));
        p.drawRect(room.rect);
        p.setPen(QColor(80, 80, 80));
        p.drawText(room.rect, Qt::AlignCenter, QString::fromUtf8(room.name));
    }
    p.setPen(QPen(QColor(30, 30, 30), 6));
    p.setBrush(Qt::NoBrush);
    p.drawRect(outer);
    p.setPen(QPen(QColor(150, 150, 150), 1));
    p.fillRect(QRect(outer.left() + 60, outer.bottom() - 3, 90, 6), QColor(170, 210, 240));
    p.drawArc(QRect(split - 30, middle - 30, 60, 60), 180 * 16, 90 * 16);
    p.setPen(QColor(40, 40, 40));
    p.setFont(font(18, true));
    int area = between(random, 85, 145);
    p.drawText(
        QRect(0, 8, 480, 34), Qt::AlignCenter,
        QStringLiteral("%1户型  三室两厅  约%2平方米").arg(QChar('A' + index % 6)).arg(area));
    p.setFont(font(12));
    p.drawText(QRect(outer.left(), outer.bottom() + 6, outer.width(), 18), Qt::AlignCenter,
               QStringLiteral("%1").arg(between(random, 9000, 14000)));
    return image;
}

QImage roomPhoto(int index) {
    Random random(3000 + index);
    QImage image(480, 360, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QColor wall = pastel(random);
    p.fillRect(QRect(0, 0, 480, 250), wall);
    QPolygon floor({QPoint(0, 250), QPoint(480, 250), QPoint(480, 360), QPoint(0, 360)});
    p.setPen(Qt::NoPen);
    p.setBrush(QColor::fromHsv(30, between(random, 60, 120), between(random, 150, 200)));
    p.drawPolygon(floor);
    for (int x = -200; x < 480; x += 60) {
        p.setPen(QPen(QColor(0, 0, 0, 30), 2));
        p.drawLine(x + 240, 250, x * 2 + 240, 360);
    }
    QRect window(between(random, 40, 90), 50, 150, 130);
    drawSky(p, window, QColor(120, 180, 235), QColor(220, 240, 255));
    p.setPen(QPen(Qt::white, 6));
    p.setBrush(Qt::NoBrush);
    p.drawRect(window);
    p.drawLine(window.center().x(), window.top(), window.center().x(), window.bottom());
    QColor fabric = QColor::fromHsv(between(random, 0, 359), 90, 170);
    p.setPen(Qt::NoPen);
    if (index % 3 == 0) {  // bedroom: bed with headboard and pillows
        p.setBrush(QColor(120, 85, 60));
        p.drawRoundedRect(QRect(230, 150, 220, 70), 10, 10);
        p.setBrush(fabric);
        p.drawRect(QRect(230, 215, 220, 90));
        p.setBrush(Qt::white);
        p.drawRoundedRect(QRect(245, 195, 80, 28), 8, 8);
        p.drawRoundedRect(QRect(355, 195, 80, 28), 8, 8);
    } else if (index % 3 == 1) {  // living room: sofa and low table
        p.setBrush(fabric);
        p.drawRoundedRect(QRect(240, 200, 200, 70), 12, 12);
        p.setBrush(fabric.darker(115));
        p.drawRoundedRect(QRect(240, 170, 200, 45), 12, 12);
        p.setBrush(QColor(90, 60, 40));
        p.drawRect(QRect(150, 285, 140, 14));
        p.drawRect(QRect(160, 299, 8, 30));
        p.drawRect(QRect(272, 299, 8, 30));
    } else {  // dining room: table and chairs
        p.setBrush(QColor(150, 105, 70));
        p.drawRect(QRect(230, 230, 200, 16));
        p.drawRect(QRect(245, 246, 10, 70));
        p.drawRect(QRect(405, 246, 10, 70));
        p.setBrush(fabric);
        for (int x : {215, 420})
            p.drawRoundedRect(QRect(x, 200, 28, 110), 6, 6);
    }
    p.setBrush(QColor(250, 240, 200));
    p.drawEllipse(QRect(420, 60, 40, 30));
    p.setPen(QPen(QColor(80, 80, 80), 2));
    p.drawLine(440, 0, 440, 60);
    p.setPen(QPen(QColor(120, 90, 60), 5));
    p.setBrush(pastel(random));
    p.drawRect(QRect(280, 60, 110, 70));
    return image;
}

QImage articleChart(int index) {
    Random random(4000 + index);
    QImage image(480, 320, QImage::Format_RGB32);
    image.fill(QColor(252, 252, 250));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QRect plot(60, 50, 390, 220);
    p.setPen(QPen(QColor(200, 200, 200), 1));
    for (int i = 0; i <= 4; ++i)
        p.drawLine(plot.left(), plot.top() + i * 55, plot.right(), plot.top() + i * 55);
    p.setPen(QPen(QColor(60, 60, 60), 2));
    p.drawLine(plot.bottomLeft(), plot.bottomRight());
    p.drawLine(plot.bottomLeft(), plot.topLeft());
    p.setFont(font(12));
    bool bars = index % 2 == 1;
    QPainterPath line;
    for (int m = 0; m < 12; ++m) {
        int value = between(random, 40, 210);
        int x = plot.left() + 10 + m * 32;
        if (bars) {
            p.fillRect(QRect(x, plot.bottom() - value, 20, value), QColor(232, 96, 10));
        } else {
            QPointF point(x + 10, plot.bottom() - value);
            m == 0 ? line.moveTo(point) : line.lineTo(point);
        }
        p.setPen(QColor(80, 80, 80));
        p.drawText(QRect(x - 6, plot.bottom() + 4, 32, 16), Qt::AlignCenter,
                   QStringLiteral("%1月").arg(m + 1));
    }
    if (!bars) {
        p.setPen(QPen(QColor(30, 110, 200), 3));
        p.setBrush(Qt::NoBrush);
        p.drawPath(line);
    }
    p.setPen(QColor(40, 40, 40));
    p.setFont(font(17, true));
    p.drawText(QRect(0, 10, 480, 30), Qt::AlignCenter,
               bars ? QStringLiteral("月度新房成交量（套）")
                    : QStringLiteral("新房均价走势（元/平方米）"));
    return image;
}

QImage avatar(int index) {
    Random random(5000 + index);
    QImage image(160, 160, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    image.fill(pastel(random));
    p.setPen(Qt::NoPen);
    QColor clothes = QColor::fromHsv(between(random, 0, 359), 120, 160);
    p.setBrush(clothes);
    p.drawEllipse(QRect(25, 105, 110, 110));
    p.setBrush(QColor::fromHsv(25, 120, between(random, 30, 90)));
    p.drawEllipse(QRect(44, 26, 72, 70));
    p.setBrush(QColor(245, 210, 180));
    p.drawEllipse(QRect(52, 44, 56, 64));
    return image;
}

QImage poster(int index) {
    static const char* const kTitles[] = {"看房团",   "样板间开放日", "家装团购会",
                                          "购房讲座", "业主联谊会",   "开盘直播"};
    Random random(6000 + index);
    QImage image(480, 270, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QColor base = QColor::fromHsv(between(random, 0, 40), 200, 230);
    drawSky(p, image.rect(), base, base.darker(140));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 40));
    for (int i = 0; i < 6; ++i)
        p.drawEllipse(QPoint(between(random, 0, 480), between(random, 0, 270)), 40, 40);
    p.setPen(Qt::white);
    p.setFont(font(44, true));
    p.drawText(QRect(0, 70, 480, 70), Qt::AlignCenter, QString::fromUtf8(kTitles[index % 6]));
    p.setFont(font(18));
    p.drawText(QRect(0, 150, 480, 40), Qt::AlignCenter, QStringLiteral("名额有限  报名从速"));
    return image;
}

QImage splash(int version) {
    QImage image(320, 480, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    drawSky(p, image.rect(), version == 1 ? QColor(240, 120, 40) : QColor(40, 110, 200),
            version == 1 ? QColor(255, 210, 150) : QColor(170, 215, 250));
    Random random(7000 + version);
    for (int x = 0; x < 320;) {
        int width = between(random, 30, 60);
        int height = between(random, 60, 170);
        p.fillRect(QRect(x, 480 - height, width - 4, height), QColor(255, 255, 255, 90));
        x += width;
    }
    p.setPen(Qt::white);
    p.setFont(font(40, true));
    p.drawText(QRect(0, 140, 320, 60), Qt::AlignCenter, QStringLiteral("Tovera"));
    p.setFont(font(20));
    p.drawText(QRect(0, 200, 320, 40), Qt::AlignCenter,
               version == 1 ? QStringLiteral("安家 · 从这里开始")
                            : QStringLiteral("看房 · 买房 · 住好房"));
    return image;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: tovera-demo-pictures OUTPUT_DIR\n");
        return 2;
    }
    QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!dir.mkpath(QStringLiteral("."))) return 1;
    bool ok = true;
    auto name = [](const char* prefix, int i) {
        return QStringLiteral("%1_%2.jpg").arg(prefix).arg(i, 2, 10, QChar('0'));
    };
    for (int i = 1; i <= 16; ++i)
        ok &= save(facade(i), dir, name("facade", i));
    for (int i = 1; i <= 8; ++i)
        ok &= save(floorPlan(i), dir, name("plan", i));
    for (int i = 1; i <= 12; ++i)
        ok &= save(roomPhoto(i), dir, name("room", i));
    for (int i = 1; i <= 10; ++i)
        ok &= save(articleChart(i), dir, name("article", i));
    for (int i = 1; i <= 20; ++i)
        ok &= save(avatar(i), dir, name("avatar", i));
    for (int i = 1; i <= 6; ++i)
        ok &= save(poster(i), dir, name("activity", i));
    ok &= save(splash(1), dir, QStringLiteral("splash_v1.png"));
    ok &= save(splash(2), dir, QStringLiteral("splash_v2.png"));
    return ok ? 0 : 1;
}
