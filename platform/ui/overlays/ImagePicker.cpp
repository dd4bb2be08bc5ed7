#include "platform/ui/overlays/ImagePicker.h"

#include "platform/Log.h"
#include "platform/ui/navigation/Window.h"

#include <QFileDialog>
#include <QImageReader>
#include <QStandardPaths>

namespace tovera::platform::ui {

namespace {

std::optional<std::optional<QImage>>& nextResult() {
    static std::optional<std::optional<QImage>> result;
    return result;
}

}  // namespace

ImagePicker::ImagePicker(QObject* parent) : QObject(parent) {}

ImagePicker::~ImagePicker() {
    if (dialog_) dialog_->deleteLater();
}

bool ImagePicker::isSourceTypeAvailable(SourceType type) {
    return type != SourceType::Camera;
}

void ImagePicker::setNextResult(const std::optional<QImage>& image) {
    nextResult() = image;
}

QImage ImagePicker::readPicture(const QString& path) {
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    if (!size.isValid() || size.width() > kMaxSide || size.height() > kMaxSide) return {};
    return reader.read();
}

void ImagePicker::present() {
    if (presented_) return;
    presented_ = true;
    if (nextResult()) {
        const std::optional<QImage> result = *nextResult();
        nextResult().reset();
        QPointer<ImagePicker> guard(this);
        QMetaObject::invokeMethod(
            this,
            [guard, result] {
                if (guard) guard->finish(result ? *result : QImage());
            },
            Qt::QueuedConnection);
        return;
    }
    QStringList pictures = QStandardPaths::standardLocations(QStandardPaths::PicturesLocation);
    auto* dialog = new QFileDialog(Window::keyWindow(), QStringLiteral("选择图片"),
                                   pictures.value(0, QDir::homePath()),
                                   QStringLiteral("图片 (*.png *.jpg *.jpeg *.gif *.bmp *.webp)"));
    dialog->setFileMode(QFileDialog::ExistingFile);
    dialog_ = dialog;
    connect(dialog, &QFileDialog::fileSelected, this, [this](const QString& path) {
        const QImage image = readPicture(path);
        if (image.isNull()) logLine("picked file is not a usable picture");
        finish(image);
    });
    connect(dialog, &QDialog::rejected, this, [this] { finish(QImage()); });
    connect(dialog, &QDialog::finished, dialog, &QObject::deleteLater);
    dialog->open();
}

void ImagePicker::dismiss() {
    presented_ = false;
    if (dialog_) {
        disconnect(dialog_, nullptr, this, nullptr);
        dialog_->close();
    }
}

void ImagePicker::finish(const QImage& image) {
    if (!presented_) return;
    presented_ = false;
    auto* d = delegate_.get();
    if (!d) return;
    if (image.isNull())
        d->imagePickerDidCancel(this);
    else
        d->imagePickerDidFinishPicking(this, image);
}

}  // namespace tovera::platform::ui
