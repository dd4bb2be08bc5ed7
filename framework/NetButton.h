// A button that shows a remote picture, drawn aspect-fit; it keeps every
// piece of its URL field (a gallery button opens them all).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "framework/RemoteImage.h"
#include "platform/ui/views/Button.h"

namespace tovera {

class NetButton : public platform::ui::Button {
    Q_OBJECT
public:
    explicit NetButton(const QRectF& frame = {}, QWidget* parent = nullptr);

    void setImgUrl(std::string_view text) { picture_.setImgUrl(text); }
    void load() { picture_.load(); }

    const std::string& imgUrl() const { return picture_.imgUrl(); }
    const std::vector<std::string>& imgurlArray() const { return picture_.imgurlArray(); }
    const platform::ui::Image& netimg() const { return picture_.netimg(); }

private:
    RemoteImage picture_;
};

}  // namespace tovera
