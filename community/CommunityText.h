// Small rules the friend, message and user screens share: how a person is
// named in a row, a record's text, and how a screen tells the one beneath it to reload.
#pragma once

#include <QString>

#include <string_view>

#include "core/Value.h"

namespace tovera::platform::ui {
class ViewController;
}  // namespace tovera::platform::ui

namespace tovera {

/// The record's `key` as text ("" when it has none).
QString recordText(const Dict& record, std::string_view key);

/// The record's `nameKey` text, followed by "(remark)" when the record
/// carries a remark that is not empty.
QString shownName(const Value& record, std::string_view nameKey = "name",
                  std::string_view fallback = "");

/// Sets the "refresh" flag ("YES") on the list screen right beneath
/// `screen` in its navigation stack, so that it reloads when shown again.
void flagScreenBeneath(platform::ui::ViewController* screen);

/// Pops `screen` when it is the top of its navigation stack.
void popScreen(platform::ui::ViewController* screen);

}  // namespace tovera
