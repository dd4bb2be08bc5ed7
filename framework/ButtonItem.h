// A menu item: an icon (local or remote) with its caption below it, as one
// button that reports taps. A badge (NoticeView) added to it sits on the
// icon's top-right corner.
#pragma once

#include <string_view>

#include "platform/ui/views/Button.h"

namespace tovera::platform::ui {
class Label;
}  // namespace tovera::platform::ui

namespace tovera {

class NetImageView;
class NoticeView;

class ButtonItem : public platform::ui::Button {
    Q_OBJECT
public:
    explicit ButtonItem(const QRectF& frame = {}, QWidget* parent = nullptr);

    void setLable(const QString& text);
    void setIconImage(const platform::ui::Image& image);
    void setIconUrl(std::string_view url);

    NetImageView* icon() const { return icon_; }
    platform::ui::Label* label() const { return label_; }
    /// The badge child, if one was added.
    NoticeView* noticeView() const;

    QString visibleText() const override;

protected:
    void layoutSubviews() override;
    /// A badge added later is placed at once.
    void childEvent(QChildEvent* event) override;

private:
    NetImageView* icon_ = nullptr;
    platform::ui::Label* label_ = nullptr;
};

}  // namespace tovera
