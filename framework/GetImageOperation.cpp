#include "framework/GetImageOperation.h"

#include <QImage>
#include <QString>

#include "framework/ImageLoader.h"
#include "framework/OperationQueue.h"
#include "platform/Log.h"
#include "platform/MainQueue.h"

namespace tovera {

using platform::ui::Image;

GetImageOperation::GetImageOperation(int index, ImageDidLoadReceiver* receiver)
    : photoIndex_(index), receiver_(receiver), receiverObject_(dynamic_cast<QObject*>(receiver)) {}

void GetImageOperation::enqueue(std::unique_ptr<GetImageOperation> operation,
                                OperationQueue& queue) {
    if (!operation) return;
    std::shared_ptr<GetImageOperation> op(std::move(operation));
    queue.addOperation([op] {
        QImage picture;
        const bool hasUrl = op->imageURL_ && !op->imageURL_->empty();
        if (hasUrl) {
            picture = ImageLoader::cachedImage(*op->imageURL_);
            if (picture.isNull()) picture = ImageLoader::fetchImage(*op->imageURL_);
        }
        // Named pictures come from the toolkit's cache, which lives on the
        // main thread: they are looked up there.
        platform::mainQueue().post([op, hasUrl, picture = std::move(picture)] {
            if (!op->receiverObject_) return;
            Image image(picture);
            if (!hasUrl) {
                const QString sample = QStringLiteral("%1.jpg").arg(op->photoIndex_);
                image = Image::named(sample);
                if (image.isNull())
                    platform::logLine("Unable to find sample image: " + sample.toStdString());
            }
            if (image.isNull()) image = ImageLoader::noPicture();
            op->receiver_->imageDidLoad(image, op->photoIndex_);
        });
    });
}

}  // namespace tovera
