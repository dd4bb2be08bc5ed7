// What the topic list row and the topic detail row share: reading a topic
// record, measuring wrapped text, the repost source a record carries, the
// source box's background, and showing a topic's picture full screen.
#pragma once

#include <QFont>
#include <QRectF>
#include <QString>

#include <string_view>

#include "core/Value.h"

namespace tovera::platform::ui {
class Button;
class ImageView;
class Label;
class View;
class ViewController;
}  // namespace tovera::platform::ui

namespace tovera {

class NetButton;

namespace topic {

/// The record's `key` as text ("" when missing).
QString text(const Dict& info, std::string_view key);
/// The height `value` takes wrapped to `width` in `font` (one line when empty).
double textHeight(const QString& value, const QFont& font, double width);
/// A small link-coloured button in `parent`, its title on the left.
platform::ui::Button* linkButton(const QRectF& frame, platform::ui::View* parent);
/// A small grey label in `parent`.
platform::ui::Label* smallLabel(const QRectF& frame, platform::ui::View* parent);
/// The source topic a repost carries: the first element of "reprs" when it
/// is a record; null when "reprs" is missing, empty or not a list.
const Dict* source(const Dict& info);
/// The source box's background, stretched with caps `leftCap` and 7, behind
/// every other child of `parent`.
platform::ui::ImageView* sourceBackground(platform::ui::View* parent, int leftCap);
/// Opens the window's picture viewer on the button's picture.
void showPicture(NetButton* picture);
/// Opens the posting form "回复话题" for a reply to topic `id` over `from`
/// (the application's stack when null), once the user is signed in.
void reply(platform::ui::ViewController* from, int id);

}  // namespace topic
}  // namespace tovera
