// Shared utilities of the screens: named colours and fonts, the skins, the
// configuration resource, text splitting, photo scaling before uploads,
// tab-button rows, cache trimming and the toast.
//
// The configuration, text and cache helpers are plain C++ and build without
// the toolkit; the colour, font, image, button and toast helpers need Qt and
// are built only with the user interface.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Value.h"

class QByteArray;
class QString;
class QColor;
class QFont;
class QImage;
class QRectF;
class QSizeF;

namespace tovera::platform::ui {
class Button;
class Image;
class TabBarItem;
class View;
}  // namespace tovera::platform::ui

namespace tovera {

class NSUtil {
public:
    // ---- Configuration and text (no toolkit needed) ------------------------

    /// The value stored under `key` in the configuration resource (arrays,
    /// dictionaries, texts, numbers), or null when the key is absent or the
    /// resource cannot be read (logged once per reading). The file is read on
    /// first use and again only when the resource directory changes.
    static Value config(std::string_view key);

    /// Splits `text` at every `split` (empty pieces kept, the rest after the
    /// last separator always appended). When that gives fewer than two
    /// pieces the text is split by "," instead. An empty text gives no piece.
    static std::vector<std::string> explode(std::string_view text, std::string_view split);

    /// Whether the whole text matches "*@*.*": an at-sign with a dot after it.
    static bool isEmailAddress(std::string_view text);
    /// A telephone number as dialled: every "转" (extension) becomes "," and
    /// spaces go.
    static std::string dialNumber(std::string_view title);

    /// The skin in use: `skin` itself, else the preference "skin", else "orange".
    static std::string skinName(std::string_view skin = {});
    /// The picture name of `image` under a skin: every "_" among its first
    /// five characters becomes "_<skin>_" ("top_tab_on_bg" under "black" is
    /// "top_black_tab_on_bg"; "splash" stays "splash").
    static std::string skin(std::string_view skin, std::string_view image);
    /// The picture `image` under the skin in use.
    static platform::ui::Image skinImage(std::string_view image);

    /// Trims the documents directory (the picture cache) when it holds more
    /// than 100 files: every file but the newest goes, except the database
    /// and its side files, the preferences and the current splash picture.
    static void clearCache();

    // ---- Colours and fonts -------------------------------------------------

    /// An opaque colour of six hexadecimal digits "RRGGBB" (black when malformed).
    static QColor getColor(std::string_view rrggbb);
    static QColor click();
    static QColor gold();
    static QColor black();
    static QColor listview_item();
    static QColor bluecolor();
    static QColor redcolor();
    static QColor secondcolor();

    /// 13, 15 and 17 points; the named font when given and known, else the system font.
    static QFont smallFont(std::string_view fontName = {});
    static QFont normalFont(std::string_view fontName = {});
    static QFont bigFont(std::string_view fontName = {});

    /// The colour of a skin (empty: the skin in use): "black" 303032,
    /// "default" 9CC5F0, any other EFC69C. Names compare without case.
    static QColor skinColor(std::string_view skin = {});
    /// A row's selected background: the skin colour, following skin changes.
    static platform::ui::View* skinSelectionView();
    static platform::ui::View* skinSelectionView(const QRectF& frame);
    /// A tab bar item with the skinned picture `icon`, following skin changes.
    static platform::ui::TabBarItem* skinTabItem(const QString& title, std::string_view icon,
                                                 int tag);
    /// Gives a strip tab the skin's "top_tab_on_bg" behind its selected
    /// title (white), following skin changes.
    static void skinTabButton(platform::ui::Button* button);

    // ---- Photos before upload (any thread) ---------------------------------

    /// Shrinks `image` to fit `target` keeping its proportions (never
    /// enlarges), then passes it through JPEG at compressionQuality().
    static QImage imageByScalingAndCroppingForSize(const QImage& image, const QSizeF& target);
    /// 0.6 when the picture takes more than 12500 bytes as JPEG at quality 1, else 1.0.
    static double compressionQuality(const QImage& image);
    /// The picture as JPEG at `quality` (held between 0 and 1).
    static QByteArray compressedData(const QImage& image, double quality);

    // ---- Tab-button rows ---------------------------------------------------

    /// Replaces the subviews of `btnsView` with one button per title, side by
    /// side, each as wide as its share of the total title length. A tap on a
    /// button calls `action` with it.
    static void createBtns(const std::vector<std::string>& titles, platform::ui::View* btnsView,
                           std::function<void(platform::ui::Button*)> action);
    /// The first selected button among the container's subviews, else its
    /// first subview when that is a button, else null.
    static platform::ui::Button* getSelectedButton(platform::ui::View* btnsView);

    // ---- Toast -------------------------------------------------------------

    /// A transient message over the key window: `makeText(...)`, optionally
    /// adjusted, then `show()`.
    struct ToastText {
        enum class Gravity { Center, Top, Bottom };
        std::string text;
        Gravity gravity = Gravity::Center;
        double offsetLeft = 0;
        double offsetTop = 0;
        int duration = 1000;  // milliseconds

        ToastText& setGravity(Gravity g, double left = 0, double top = 0) {
            gravity = g;
            offsetLeft = left;
            offsetTop = top;
            return *this;
        }
        ToastText& setDuration(int milliseconds) {
            duration = milliseconds;
            return *this;
        }
        void show() const;
    };
    static ToastText makeText(std::string_view text) { return ToastText{std::string(text)}; }
};

}  // namespace tovera
