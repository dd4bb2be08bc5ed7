// tovera-skin-art: draws the client's pictures into the resources folder:
// for each skin ("orange", "black", "default") the navigation bar and button
// backgrounds and the home-menu icons under their skinned names, plus the
// placeholders, the pull-to-refresh arrow, page dots, check mark, badge,
// emoticons and splash. Every picture is written at twice its size in
// points ("@2x"). Deterministic; run by hand when the pictures change:
//   tovera-skin-art resources
#include <QColor>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QString>

#include <cmath>
#include <cstdio>
#include <functional>

namespace {

constexpr double kScale = 2;

struct Skin {
    QString name;
    QColor base;  // the skin colour
    QColor bar;   // bar top
    QColor deep;  // bar bottom, icon tiles, selected tabs
};

const Skin kSkins[] = {
    {"orange", QColor(0xEF, 0xC6, 0x9C), QColor(0xF0, 0x9A, 0x4C), QColor(0xD9, 0x6B, 0x1C)},
    {"black", QColor(0x30, 0x30, 0x32), QColor(0x4A, 0x4A, 0x4E), QColor(0x22, 0x22, 0x24)},
    {"default", QColor(0x9C, 0xC5, 0xF0), QColor(0x6F, 0xA8, 0xE4), QColor(0x3C, 0x7B, 0xC6)},
};

QDir outDir;

// `c` mixed with white: `amount` 0 keeps it, 1 gives white.
QColor towardWhite(const QColor& c, double amount) {
    auto mix = [amount](int v) { return int(std::lround(v + (255 - v) * amount)); };
    return QColor(mix(c.red()), mix(c.green()), mix(c.blue()));
}
int failures = 0;

// A picture of `w` x `h` points drawn by `draw` in point coordinates.
void picture(const QString& name, double w, double h, const std::function<void(QPainter&)>& draw) {
    QImage image(int(std::lround(w * kScale)), int(std::lround(h * kScale)),
                 QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(kScale, kScale);
        draw(p);
    }
    const QString file = name + QStringLiteral("@2x.png");
    if (!image.save(outDir.filePath(file), "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
        ++failures;
    }
}

QString skinned(const Skin& skin, const QString& name) {
    // The same rule as NSUtil::skin: "_" among the first five characters.
    QString out;
    for (qsizetype i = 0; i < name.size(); ++i)
        out +=
            (i < 5 && name[i] == u'_') ? QStringLiteral("_%1_").arg(skin.name) : QString(name[i]);
    return out;
}

// ---- Bars and buttons -------------------------------------------------------

void bars(const Skin& skin) {
    picture(skinned(skin, "top_bg"), 320, 44, [&](QPainter& p) {
        QLinearGradient g(0, 0, 0, 44);
        g.setColorAt(0, skin.bar);
        g.setColorAt(1, skin.deep);
        p.fillRect(QRectF(0, 0, 320, 44), g);
        p.fillRect(QRectF(0, 43, 320, 1), skin.deep.darker(130));
    });
    auto buttonFill = [&](QPainter& p, const QPainterPath& path) {
        QLinearGradient g(0, 0, 0, 30);
        g.setColorAt(0, skin.deep.lighter(115));
        g.setColorAt(1, skin.deep.darker(115));
        p.fillPath(path, g);
        p.setPen(QPen(skin.deep.darker(150), 1));
        p.drawPath(path);
    };
    picture(skinned(skin, "top_back"), 50, 30, [&](QPainter& p) {
        QPainterPath path;
        path.moveTo(1, 15);
        path.lineTo(13, 1.5);
        path.lineTo(45, 1.5);
        path.quadTo(48.5, 1.5, 48.5, 5);
        path.lineTo(48.5, 25);
        path.quadTo(48.5, 28.5, 45, 28.5);
        path.lineTo(13, 28.5);
        path.closeSubpath();
        buttonFill(p, path);
    });
    picture(skinned(skin, "top_btn_bg"), 40, 30, [&](QPainter& p) {
        QPainterPath path;
        path.addRoundedRect(QRectF(1.5, 1.5, 37, 27), 5, 5);
        buttonFill(p, path);
    });
    picture(skinned(skin, "top_tab_bg"), 320, 44, [&](QPainter& p) {
        QLinearGradient g(0, 0, 0, 44);
        g.setColorAt(0, QColor(0xFA, 0xFA, 0xFB));
        g.setColorAt(1, towardWhite(skin.base, 0.55));
        p.fillRect(QRectF(0, 0, 320, 44), g);
        p.fillRect(QRectF(0, 43, 320, 1), towardWhite(skin.deep, 0.3));
    });
    picture(skinned(skin, "top_tab_on_bg"), 40, 28, [&](QPainter& p) {
        QPainterPath path;
        path.addRoundedRect(QRectF(0.5, 0.5, 39, 27), 6, 6);
        p.fillPath(path, skin.deep);
    });
}

// ---- Home-menu icons ----------------------------------------------------------

// Glyphs are drawn white in a 48-point box on a rounded tile of the skin.
using Glyph = std::function<void(QPainter&)>;

QPen stroke(double width = 3) {
    return QPen(Qt::white, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void house(QPainter& p, double x, double y, double s) {
    QPainterPath roof;
    roof.moveTo(x, y + s * 0.45);
    roof.lineTo(x + s / 2, y);
    roof.lineTo(x + s, y + s * 0.45);
    p.setPen(stroke());
    p.drawPath(roof);
    p.drawRect(QRectF(x + s * 0.15, y + s * 0.42, s * 0.7, s * 0.58));
}

void person(QPainter& p, double cx, double top, double s) {
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(cx, top + s * 0.22), s * 0.2, s * 0.2);
    QPainterPath body;
    body.moveTo(cx - s * 0.38, top + s);
    body.quadTo(cx - s * 0.38, top + s * 0.5, cx, top + s * 0.5);
    body.quadTo(cx + s * 0.38, top + s * 0.5, cx + s * 0.38, top + s);
    body.closeSubpath();
    p.drawPath(body);
}

void star(QPainter& p, QPointF c, double r) {
    QPainterPath path;
    for (int i = 0; i < 10; ++i) {
        const double a = M_PI / 2 + i * M_PI / 5;
        const double rr = i % 2 ? r * 0.45 : r;
        const QPointF pt(c.x() + rr * std::cos(a), c.y() - rr * std::sin(a));
        i ? path.lineTo(pt) : path.moveTo(pt);
    }
    path.closeSubpath();
    p.setPen(Qt::NoPen);
    p.fillPath(path, Qt::white);
}

void bubble(QPainter& p, QRectF r) {
    QPainterPath path;
    path.addRoundedRect(r, 6, 6);
    QPainterPath tail;
    tail.moveTo(r.left() + 8, r.bottom() - 1);
    tail.lineTo(r.left() + 6, r.bottom() + 7);
    tail.lineTo(r.left() + 16, r.bottom() - 1);
    p.setPen(stroke());
    p.drawPath(path.united(tail));
}

void tag(QPainter& p) {
    QPainterPath t;
    t.moveTo(10, 22);
    t.lineTo(24, 8);
    t.lineTo(38, 8);
    t.lineTo(38, 22);
    t.lineTo(24, 36);
    t.closeSubpath();
    p.setPen(stroke());
    p.drawPath(t);
    p.drawEllipse(QPointF(32, 14), 2.5, 2.5);
}

const std::pair<const char*, Glyph> kIcons[] = {
    {"fic_news",
     [](QPainter& p) {
         p.setPen(stroke());
         p.drawRoundedRect(QRectF(9, 9, 30, 30), 3, 3);
         p.fillRect(QRectF(14, 14, 9, 9), Qt::white);
         for (double y : {16.0, 21.0})
             p.drawLine(QPointF(27, y), QPointF(34, y));
         for (double y : {28.0, 33.0})
             p.drawLine(QPointF(14, y), QPointF(34, y));
     }},
    {"fic_saleinfo", [](QPainter& p) { tag(p); }},
    {"fic_tovera",
     [](QPainter& p) {
         house(p, 8, 8, 32);
         p.fillRect(QRectF(21, 30, 6, 10), Qt::white);
     }},
    {"fic_oldhouse",
     [](QPainter& p) {
         p.setPen(stroke());
         p.drawLine(QPointF(31, 12), QPointF(31, 6));
         house(p, 8, 8, 32);
         p.drawLine(QPointF(15, 30), QPointF(33, 30));
     }},
    {"fic_renthouse",
     [](QPainter& p) {
         p.setPen(stroke());
         p.drawEllipse(QPointF(17, 24), 7, 7);
         p.drawLine(QPointF(24, 24), QPointF(40, 24));
         p.drawLine(QPointF(35, 24), QPointF(35, 30));
         p.drawLine(QPointF(40, 24), QPointF(40, 30));
     }},
    {"fic_location",
     [](QPainter& p) {
         QPainterPath pin;
         pin.moveTo(24, 42);
         pin.cubicTo(10, 26, 12, 8, 24, 8);
         pin.cubicTo(36, 8, 38, 26, 24, 42);
         p.setPen(stroke());
         p.drawPath(pin);
         p.drawEllipse(QPointF(24, 20), 4, 4);
     }},
    {"fic_ask",
     [](QPainter& p) {
         bubble(p, QRectF(8, 8, 32, 26));
         QFont f;
         f.setPixelSize(20);
         f.setBold(true);
         p.setFont(f);
         p.drawText(QRectF(8, 8, 32, 26), Qt::AlignCenter, QStringLiteral("?"));
     }},
    {"fic_activity",
     [](QPainter& p) {
         p.setPen(stroke());
         p.drawLine(QPointF(13, 8), QPointF(13, 41));
         QPainterPath flag;
         flag.moveTo(13, 10);
         flag.quadTo(24, 6, 36, 12);
         flag.lineTo(36, 26);
         flag.quadTo(24, 20, 13, 24);
         p.setBrush(Qt::white);
         p.drawPath(flag);
     }},
    {"fic_comment",
     [](QPainter& p) {
         bubble(p, QRectF(8, 9, 32, 25));
         for (double y : {17.0, 23.0, 28.0})
             p.drawLine(QPointF(14, y), QPointF(34, y));
     }},
    {"fic_tools",
     [](QPainter& p) {
         p.setPen(stroke());
         p.drawRoundedRect(QRectF(12, 7, 24, 34), 3, 3);
         p.fillRect(QRectF(16, 11, 16, 7), Qt::white);
         for (int r = 0; r < 3; ++r)
             for (int c = 0; c < 3; ++c)
                 p.fillRect(QRectF(16 + c * 6, 22 + r * 6, 3.5, 3.5), Qt::white);
     }},
    {"fic_friend",
     [](QPainter& p) {
         person(p, 18, 12, 24);
         person(p, 31, 14, 22);
     }},
    {"fic_recommend", [](QPainter& p) { star(p, QPointF(24, 25), 16); }},
    {"fic_focus",
     [](QPainter& p) {
         house(p, 7, 10, 26);
         QPainterPath heart;
         heart.moveTo(34, 40);
         heart.cubicTo(22, 31, 28, 22, 34, 28);
         heart.cubicTo(40, 22, 46, 31, 34, 40);
         p.setPen(Qt::NoPen);
         p.fillPath(heart, Qt::white);
     }},
    {"fic_salefocus",
     [](QPainter& p) {
         tag(p);
         star(p, QPointF(20, 28), 5);
     }},
    {"fic_rss",
     [](QPainter& p) {
         p.setPen(Qt::NoPen);
         p.setBrush(Qt::white);
         p.drawEllipse(QPointF(14, 35), 3.5, 3.5);
         p.setPen(stroke(3.5));
         p.setBrush(Qt::NoBrush);
         p.drawArc(QRectF(-2, 19, 32, 32), 0, 90 * 16);
         p.drawArc(QRectF(-14, 7, 56, 56), 0, 90 * 16);
     }},
    {"fic_message",
     [](QPainter& p) {
         p.setPen(stroke());
         p.drawRoundedRect(QRectF(8, 13, 32, 22), 3, 3);
         p.drawPolyline(QList<QPointF>{{9, 15}, {24, 26}, {39, 15}});
     }},
    {"fic_login",
     [](QPainter& p) {
         person(p, 19, 10, 28);
         p.setPen(stroke());
         p.drawLine(QPointF(33, 24), QPointF(43, 24));
         p.drawPolyline(QList<QPointF>{{39, 20}, {43, 24}, {39, 28}});
     }},
    {"fic_logout",
     [](QPainter& p) {
         p.setPen(stroke());
         p.drawPolyline(QList<QPointF>{{28, 14}, {28, 9}, {10, 9}, {10, 39}, {28, 39}, {28, 34}});
         p.drawLine(QPointF(20, 24), QPointF(40, 24));
         p.drawPolyline(QList<QPointF>{{35, 19}, {40, 24}, {35, 29}});
     }},
    {"fic_messageset",
     [](QPainter& p) {
         QPainterPath bell;
         bell.moveTo(11, 34);
         bell.quadTo(15, 30, 15, 22);
         bell.cubicTo(15, 10, 33, 10, 33, 22);
         bell.quadTo(33, 30, 37, 34);
         bell.closeSubpath();
         p.setPen(stroke());
         p.drawPath(bell);
         p.drawEllipse(QPointF(24, 38), 3, 3);
     }},
    {"fic_fav", [](QPainter& p) { star(p, QPointF(24, 25), 17); }},
    {"fic_password",
     [](QPainter& p) {
         p.setPen(stroke());
         p.drawArc(QRectF(16, 8, 16, 18), 0, 180 * 16);
         p.drawLine(QPointF(16, 17), QPointF(16, 21));
         p.drawLine(QPointF(32, 17), QPointF(32, 21));
         p.setPen(Qt::NoPen);
         p.setBrush(Qt::white);
         p.drawRoundedRect(QRectF(11, 21, 26, 19), 3, 3);
     }},
    {"fic_profile",
     [](QPainter& p) {
         p.setPen(stroke());
         p.drawRoundedRect(QRectF(7, 11, 34, 26), 3, 3);
         p.setPen(Qt::NoPen);
         p.setBrush(Qt::white);
         p.drawEllipse(QPointF(17, 20), 4, 4);
         p.drawRect(QRectF(11, 26, 12, 6));
         p.setPen(stroke(2.5));
         for (double y : {19.0, 25.0, 31.0})
             p.drawLine(QPointF(28, y), QPointF(36, y));
     }},
    {"fic_purchase",
     [](QPainter& p) {
         house(p, 6, 8, 26);
         p.setPen(Qt::NoPen);
         p.setBrush(Qt::white);
         p.drawEllipse(QPointF(33, 32), 9, 9);
         QFont f;
         f.setPixelSize(12);
         f.setBold(true);
         p.setFont(f);
         p.setPen(QColor(0, 0, 0, 150));
         p.drawText(QRectF(24, 23, 18, 18), Qt::AlignCenter, QStringLiteral("¥"));
     }},
    {"fic_status",
     [](QPainter& p) {
         for (double x : {4.0, 18.0, 32.0})
             house(p, x, 16, 12);
         p.setPen(stroke(2.5));
         p.drawLine(QPointF(5, 36), QPointF(43, 36));
     }},
    {"fic_setting",
     [](QPainter& p) {
         QPainterPath gear;
         for (int i = 0; i < 32; ++i) {
             const double a = (i - 0.5) * M_PI / 16;
             const double r = (i / 2) % 2 ? 11.5 : 16;
             const QPointF pt(24 + r * std::cos(a), 24 + r * std::sin(a));
             i ? gear.lineTo(pt) : gear.moveTo(pt);
         }
         gear.closeSubpath();
         QPainterPath hole;
         hole.addEllipse(QPointF(24, 24), 5, 5);
         p.setPen(Qt::NoPen);
         p.fillPath(gear.subtracted(hole), Qt::white);
     }},
    {"fic_topic",
     [](QPainter& p) {
         p.setPen(stroke());
         p.drawLine(QPointF(20, 9), QPointF(16, 39));
         p.drawLine(QPointF(32, 9), QPointF(28, 39));
         p.drawLine(QPointF(10, 19), QPointF(39, 19));
         p.drawLine(QPointF(9, 30), QPointF(38, 30));
     }},
    {"fic_live",
     [](QPainter& p) {
         p.setPen(stroke());
         p.drawEllipse(QPointF(24, 24), 15, 15);
         QPainterPath play;
         play.moveTo(20, 16);
         play.lineTo(32, 24);
         play.lineTo(20, 32);
         play.closeSubpath();
         p.setPen(Qt::NoPen);
         p.fillPath(play, Qt::white);
     }},
};

void icons(const Skin& skin) {
    for (const auto& [key, glyph] : kIcons) {
        picture(skinned(skin, key), 48, 48, [&](QPainter& p) {
            QPainterPath tile;
            tile.addRoundedRect(QRectF(1, 1, 46, 46), 10, 10);
            QLinearGradient g(0, 0, 0, 48);
            g.setColorAt(0, skin.bar);
            g.setColorAt(1, skin.deep);
            p.fillPath(tile, g);
            glyph(p);
        });
    }
}

// ---- Pictures shared by every skin ------------------------------------------

void placeholder(const QString& name, bool crossed) {
    picture(name, 80, 60, [&](QPainter& p) {
        p.fillRect(QRectF(0, 0, 80, 60), QColor(0xE4, 0xE4, 0xE8));
        const QColor ink(0xB4, 0xB4, 0xBC);
        p.setPen(QPen(ink, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawRoundedRect(QRectF(24, 16, 32, 26), 3, 3);
        QPainterPath hills;
        hills.moveTo(26, 40);
        hills.lineTo(35, 29);
        hills.lineTo(41, 35);
        hills.lineTo(46, 31);
        hills.lineTo(54, 40);
        p.drawPath(hills);
        p.drawEllipse(QPointF(48, 23), 2.5, 2.5);
        if (crossed) {
            p.setPen(QPen(QColor(0xC8, 0x60, 0x60), 2.5, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(20, 12), QPointF(60, 46));
        } else {
            p.setPen(Qt::NoPen);
            p.setBrush(ink);
            for (int i = 0; i < 3; ++i)
                p.drawEllipse(QPointF(33 + i * 7, 50), 2, 2);
        }
    });
}

void shared() {
    placeholder("global_loadpic", false);
    placeholder("global_nopic", true);
    picture("blueArrow", 30, 55, [](QPainter& p) {
        const QColor blue(0x36, 0x6F, 0xC4);
        p.fillRect(QRectF(11, 4, 8, 34), blue);
        QPainterPath head;
        head.moveTo(2, 34);
        head.lineTo(28, 34);
        head.lineTo(15, 52);
        head.closeSubpath();
        p.fillPath(head, blue);
    });
    picture("pagelarge", 8, 8, [](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawEllipse(QRectF(0.5, 0.5, 7, 7));
    });
    picture("pagesmall", 6, 6, [](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 110));
        p.drawEllipse(QRectF(0.5, 0.5, 5, 5));
    });
    picture("selected", 20, 20, [](QPainter& p) {
        p.setPen(QPen(QColor(0x2E, 0x9B, 0x3C), 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QList<QPointF>{{3.5, 10.5}, {8, 15}, {16.5, 5}});
    });
    // The filter form's check boxes.
    for (bool checked : {false, true}) {
        picture(checked ? "form_checkbox_checked" : "form_checkbox", 20, 20,
                [checked](QPainter& p) {
                    p.setPen(QPen(QColor(0x8A, 0x8A, 0x8A), 1.2));
                    p.setBrush(Qt::white);
                    p.drawRoundedRect(QRectF(2.5, 2.5, 15, 15), 2.5, 2.5);
                    if (!checked) return;
                    p.setPen(QPen(QColor(0x2E, 0x9B, 0x3C), 2.4, Qt::SolidLine, Qt::RoundCap,
                                  Qt::RoundJoin));
                    p.drawPolyline(QList<QPointF>{{5.5, 10}, {9, 13.5}, {15, 6.5}});
                });
    }
    // A question row's state: answered (a green tick) or still open (an
    // orange question mark).
    picture("ask_ok", 30, 30, [](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x2E, 0x9B, 0x3C));
        p.drawEllipse(QRectF(1.5, 1.5, 27, 27));
        p.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QList<QPointF>{{8.5, 15.5}, {13, 20}, {21.5, 10}});
    });
    picture("ask_help", 30, 30, [](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xF0, 0x8A, 0x24));
        p.drawEllipse(QRectF(1.5, 1.5, 27, 27));
        QFont font;
        font.setPixelSize(20);
        font.setBold(true);
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(QRectF(1.5, 1.5, 27, 27), Qt::AlignCenter, QStringLiteral("?"));
    });
    picture("number_bg", 25, 25, [](QPainter& p) {
        p.setPen(QPen(Qt::white, 2));
        p.setBrush(QColor(0xD8, 0x20, 0x20));
        p.drawEllipse(QRectF(1.5, 1.5, 22, 22));
    });
}

// ---- Emoticons ----------------------------------------------------------------

void face(int n) {
    picture(QStringLiteral("face%1").arg(n), 24, 24, [n](QPainter& p) {
        const QColor skinTone = n == 6 ? QColor(0xF2, 0x6B, 0x4A) : QColor(0xFF, 0xCC, 0x33);
        p.setPen(QPen(QColor(0xC8, 0x8A, 0x10), 1));
        p.setBrush(skinTone);
        p.drawEllipse(QRectF(1.5, 1.5, 21, 21));
        const QColor ink(0x5A, 0x3A, 0x10);
        QPen line(ink, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        auto eyes = [&](double h) {
            p.setPen(Qt::NoPen);
            p.setBrush(ink);
            p.drawEllipse(QPointF(8.5, 9.5), 1.5, h);
            p.drawEllipse(QPointF(15.5, 9.5), 1.5, h);
        };
        auto mouth = [&](double y, double curve) {
            QPainterPath m;
            m.moveTo(7.5, y);
            m.quadTo(12, y + curve, 16.5, y);
            p.setPen(line);
            p.setBrush(Qt::NoBrush);
            p.drawPath(m);
        };
        switch (n) {
            case 1:  // smile
                eyes(1.8);
                mouth(14.5, 4);
                break;
            case 2:  // laugh
                eyes(1.8);
                p.setPen(Qt::NoPen);
                p.setBrush(ink);
                p.drawChord(QRectF(7, 10, 10, 9), 180 * 16, 180 * 16);
                break;
            case 3:  // wink
                p.setPen(line);
                p.drawLine(QPointF(7, 9.5), QPointF(10, 9.5));
                p.setPen(Qt::NoPen);
                p.setBrush(ink);
                p.drawEllipse(QPointF(15.5, 9.5), 1.5, 1.8);
                mouth(14.5, 4);
                break;
            case 4:  // sad
                eyes(1.8);
                mouth(17, -3.5);
                break;
            case 5:  // surprised
                eyes(2.2);
                p.setPen(line);
                p.setBrush(Qt::NoBrush);
                p.drawEllipse(QPointF(12, 16), 2.2, 2.6);
                break;
            case 6:  // angry
                p.setPen(line);
                p.drawLine(QPointF(6.5, 7), QPointF(10, 9));
                p.drawLine(QPointF(17.5, 7), QPointF(14, 9));
                eyes(1.4);
                mouth(17, -3);
                break;
            case 7:  // cool
                p.setPen(Qt::NoPen);
                p.setBrush(ink);
                p.drawRoundedRect(QRectF(5, 7.5, 6, 4), 1.5, 1.5);
                p.drawRoundedRect(QRectF(13, 7.5, 6, 4), 1.5, 1.5);
                p.fillRect(QRectF(10, 8.5, 4, 1.2), ink);
                mouth(15, 3);
                break;
            case 8:  // tongue
                eyes(1.8);
                mouth(14.5, 2);
                p.setPen(Qt::NoPen);
                p.setBrush(QColor(0xE8, 0x4A, 0x5F));
                p.drawEllipse(QRectF(10, 15, 4.5, 5));
                break;
            case 9: {  // love
                for (double cx : {8.5, 15.5}) {
                    QPainterPath heart;
                    heart.moveTo(cx, 12);
                    heart.cubicTo(cx - 4, 9, cx - 2, 6, cx, 8);
                    heart.cubicTo(cx + 2, 6, cx + 4, 9, cx, 12);
                    p.fillPath(heart, QColor(0xE0, 0x30, 0x40));
                }
                mouth(15, 3.5);
                break;
            }
            default:  // sleepy
                p.setPen(line);
                p.drawLine(QPointF(7, 10), QPointF(10, 10));
                p.drawLine(QPointF(14, 10), QPointF(17, 10));
                p.drawLine(QPointF(10, 16), QPointF(14, 16));
                QFont f;
                f.setPixelSize(6);
                f.setBold(true);
                p.setFont(f);
                p.drawText(QPointF(17, 6), QStringLiteral("z"));
                break;
        }
    });
}

void splash() {
    picture("splash", 320, 480, [](QPainter& p) {
        QLinearGradient sky(0, 0, 0, 480);
        sky.setColorAt(0, QColor(0xF7, 0xB2, 0x6A));
        sky.setColorAt(0.6, QColor(0xFB, 0xE3, 0xC4));
        sky.setColorAt(1, QColor(0xFF, 0xF6, 0xEA));
        p.fillRect(QRectF(0, 0, 320, 480), sky);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 150));
        p.drawEllipse(QPointF(232, 150), 42, 42);
        // A skyline of towers, nearer ones darker.
        const double towers[][3] = {{10, 60, 190},  {66, 44, 240},  {116, 56, 170},
                                    {178, 40, 260}, {224, 52, 205}, {282, 34, 150}};
        for (const auto& t : towers) {
            p.setBrush(QColor(0xB8, 0x6B, 0x3C, 200));
            p.drawRect(QRectF(t[0], 480 - t[2] - 40, t[1], t[2] + 40));
            p.setBrush(QColor(255, 240, 210, 170));
            for (double y = 480 - t[2] - 28; y < 440; y += 16)
                for (double x = t[0] + 8; x < t[0] + t[1] - 8; x += 12)
                    p.drawRect(QRectF(x, y, 5, 8));
        }
        p.setBrush(QColor(0x8C, 0x4A, 0x26));
        p.drawRect(QRectF(0, 440, 320, 40));
    });
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: tovera-skin-art RESOURCES_DIR\n");
        return 2;
    }
    outDir = QDir(QString::fromLocal8Bit(argv[1]));
    if (!outDir.exists() && !QDir().mkpath(outDir.path())) return 1;
    for (const Skin& skin : kSkins) {
        bars(skin);
        icons(skin);
    }
    shared();
    for (int n = 1; n <= 10; ++n)
        face(n);
    splash();
    return failures == 0 ? 0 : 1;
}
