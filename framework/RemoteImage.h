// The picture state of a widget that shows a remote picture (NetImageView,
// NetButton): its URL pieces, the decoded picture once known, and the rules
// for what it shows meanwhile. A fetch whose URL is no longer the widget's
// (the widget was reused for another row) is discarded.
#pragma once

#include <QObject>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ui/views/Image.h"

namespace tovera {

class RemoteImage {
public:
    using Show = std::function<void(const platform::ui::Image&)>;

    /// `owner` is the widget (results for a destroyed widget are dropped);
    /// `show` puts a picture on it.
    RemoteImage(QObject* owner, Show show);

    /// Empty: shows "global_nopic.png". Otherwise keeps the first piece as
    /// the URL, and shows the cached picture or "global_loadpic.png".
    void setImgUrl(std::string_view text);
    /// Shows the picture when known or cached, otherwise fetches it in the
    /// background. Nothing without a URL.
    void load();

    const std::string& imgUrl() const { return imgUrl_; }
    const std::vector<std::string>& imgurlArray() const { return imgurlArray_; }
    const platform::ui::Image& netimg() const { return netimg_; }
    /// Whether a background fetch for the current URL is under way.
    bool isLoading() const { return !fetching_.empty() && fetching_ == imgUrl_; }

private:
    bool showCached();
    void fetched(const std::string& url, const QImage& image);

    QObject* owner_;
    Show show_;
    std::string imgUrl_;
    std::vector<std::string> imgurlArray_;
    platform::ui::Image netimg_;
    std::string fetching_;
};

}  // namespace tovera
