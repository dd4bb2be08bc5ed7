// The photo picker. The library is a file dialog for pictures (the camera is
// not available here); the picked picture reaches the delegate decoded. A
// test hook hands back a given picture (or a cancellation) instead of
// opening the dialog.
#pragma once

#include "platform/ui/runtime/WeakDelegate.h"

#include <QImage>
#include <QObject>
#include <QPointer>

#include <optional>

class QFileDialog;
class QWidget;

namespace tovera::platform::ui {

class ImagePicker;

class ImagePickerDelegate {
public:
    virtual ~ImagePickerDelegate() = default;
    virtual void imagePickerDidFinishPicking(ImagePicker*, const QImage&) {}
    virtual void imagePickerDidCancel(ImagePicker*) {}
};

class ImagePicker : public QObject {
    Q_OBJECT
public:
    enum class SourceType { PhotoLibrary, Camera, SavedPhotosAlbum };

    explicit ImagePicker(QObject* parent = nullptr);
    ~ImagePicker() override;

    static bool isSourceTypeAvailable(SourceType type);
    /// An unavailable source (the camera) falls back to the library.
    void setSourceType(SourceType type) { source_ = type; }
    SourceType sourceType() const { return source_; }
    void setDelegate(ImagePickerDelegate* delegate) { delegate_ = delegate; }

    /// Opens the picker over the key window; the delegate hears the result.
    void present();
    /// Closes the picker if it is still open (no result is reported).
    void dismiss();
    bool isPresented() const { return presented_; }

    /// Test hook: the next presentation hands back `image` (a null image
    /// means the user cancels) without a dialog. Used once.
    static void setNextResult(const std::optional<QImage>& image);
    /// Pictures larger than this (pixels on a side) are refused.
    static constexpr int kMaxSide = 8192;

    /// Reads a picture file the way the picker does (orientation applied,
    /// size checked); a null image when it is not a usable picture.
    static QImage readPicture(const QString& path);

private:
    void finish(const QImage& image);

    SourceType source_ = SourceType::PhotoLibrary;
    WeakDelegate<ImagePickerDelegate> delegate_;
    QPointer<QFileDialog> dialog_;
    bool presented_ = false;
};

}  // namespace tovera::platform::ui
