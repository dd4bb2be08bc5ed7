// A picture load queued by a list screen for one row: it runs on the
// screen's own operation queue and hands [picture, row index] to its
// receiver (the row's cell) on the main thread. The receiver compares the
// index with the row it shows now and ignores pictures meant for another.
#pragma once

#include <QPointer>

#include <memory>
#include <optional>
#include <string>

#include "platform/ui/views/Image.h"

namespace tovera {

class OperationQueue;

/// What a cell implements to take the pictures of its rows.
class ImageDidLoadReceiver {
public:
    virtual ~ImageDidLoadReceiver() = default;
    virtual void imageDidLoad(const platform::ui::Image& image, int index) = 0;
};

class GetImageOperation {
public:
    /// `receiver` must be a QObject (a cell); a receiver destroyed before
    /// the picture arrives hears nothing.
    GetImageOperation(int index, ImageDidLoadReceiver* receiver);

    void setImageURL(std::string url) { imageURL_ = std::move(url); }
    const std::optional<std::string>& imageURL() const { return imageURL_; }
    int photoIndex() const { return photoIndex_; }

    /// Queues the load on `queue` (the screen's queue). With a URL: the
    /// cached picture, else the fetched one, else "global_nopic.png".
    /// Without one (or an empty one): the sample picture "<index>.jpg",
    /// else "global_nopic.png".
    static void enqueue(std::unique_ptr<GetImageOperation> operation, OperationQueue& queue);

private:
    int photoIndex_;
    ImageDidLoadReceiver* receiver_;
    QPointer<QObject> receiverObject_;
    std::optional<std::string> imageURL_;
};

}  // namespace tovera
