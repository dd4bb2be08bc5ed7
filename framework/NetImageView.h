// An image view that shows a remote picture: from memory, the picture cache
// or the network, with the loading and no-picture placeholders meanwhile.
#pragma once

#include <string>
#include <string_view>

#include "framework/RemoteImage.h"
#include "platform/ui/views/ImageView.h"

namespace tovera {

class NetImageView : public platform::ui::ImageView {
    Q_OBJECT
public:
    explicit NetImageView(const QRectF& frame = {}, QWidget* parent = nullptr);

    /// A URL field (pieces split by "|" or ","); the first piece is shown.
    void setImgUrl(std::string_view text) { picture_.setImgUrl(text); }
    /// Loads the picture (lazily: list rows call it when shown).
    void load() { picture_.load(); }

    const std::string& imgUrl() const { return picture_.imgUrl(); }
    const platform::ui::Image& netimg() const { return picture_.netimg(); }
    bool isLoading() const { return picture_.isLoading(); }

private:
    RemoteImage picture_;
};

}  // namespace tovera
