// NSUtil's text helpers: splitting, the e-mail check and skinned picture names.
#include <string>

#include "core/PreferenceKeys.h"
#include "framework/NSUtil.h"
#include "platform/Preferences.h"

namespace tovera {

namespace {

std::vector<std::string> splitBy(std::string_view text, std::string_view separator) {
    std::vector<std::string> pieces;
    if (separator.empty()) {
        pieces.emplace_back(text);
        return pieces;
    }
    std::size_t start = 0;
    for (std::size_t at = text.find(separator); at != std::string_view::npos;
         at = text.find(separator, start)) {
        pieces.emplace_back(text.substr(start, at - start));
        start = at + separator.size();
    }
    pieces.emplace_back(text.substr(start));
    return pieces;
}

// Whether the byte starts a UTF-8 character (is not a continuation byte).
bool startsCharacter(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0) != 0x80;
}

}  // namespace

std::vector<std::string> NSUtil::explode(std::string_view text, std::string_view split) {
    if (text.empty()) return {};
    std::vector<std::string> pieces = splitBy(text, split);
    if (pieces.size() < 2) pieces = splitBy(text, ",");
    return pieces;
}

// A plausible address: one "@" with a name before it, and after it a
// domain of dot-separated labels (at least two, none empty); no spaces or
// control characters anywhere.
bool NSUtil::isEmailAddress(std::string_view text) {
    const std::size_t at = text.find('@');
    if (at == 0 || at == std::string_view::npos || text.find('@', at + 1) != std::string_view::npos)
        return false;
    for (const char c : text)
        if (static_cast<unsigned char>(c) <= ' ') return false;
    const std::string_view domain = text.substr(at + 1);
    if (domain.find('.') == std::string_view::npos) return false;
    for (const std::string& label : explode(domain, "."))
        if (label.empty()) return false;
    return true;
}

std::string NSUtil::dialNumber(std::string_view title) {
    static constexpr std::string_view kExtension = "转";
    std::string number;
    for (std::size_t i = 0; i < title.size();) {
        if (title.substr(i, kExtension.size()) == kExtension) {
            number += ',';
            i += kExtension.size();
            continue;
        }
        if (title[i] != ' ') number += title[i];
        ++i;
    }
    return number;
}

std::string NSUtil::skinName(std::string_view skin) {
    if (!skin.empty()) return std::string(skin);
    std::string chosen = platform::preferences().string(PrefKey::kSkin).value_or("");
    return chosen.empty() ? "orange" : chosen;
}

std::string NSUtil::skin(std::string_view skin, std::string_view image) {
    const std::string framed = "_" + skinName(skin) + "_";
    std::string out;
    int characters = 0;
    for (std::size_t i = 0; i < image.size(); ++i) {
        if (startsCharacter(image[i])) ++characters;
        if (characters <= 5 && image[i] == '_')
            out += framed;
        else
            out += image[i];
    }
    return out;
}

}  // namespace tovera
