// One item of a tab bar: title, picture, optional badge text, tag.
#pragma once

#include "platform/ui/views/Image.h"

#include <QObject>
#include <QString>

namespace tovera::platform::ui {

class TabBarItem : public QObject {
    Q_OBJECT
public:
    explicit TabBarItem(const QString& title = {}, const Image& image = {}, int tag = 0,
                        QObject* parent = nullptr);

    QString title() const { return title_; }
    void setTitle(const QString& title);
    Image image() const { return image_; }
    void setImage(const Image& image);
    /// Shown instead of the picture while the item is selected (optional).
    Image selectedImage() const { return selectedImage_; }
    void setSelectedImage(const Image& image);
    /// A small red badge over the item; empty: none.
    QString badgeValue() const { return badge_; }
    void setBadgeValue(const QString& badge);
    int tag() const { return tag_; }
    void setTag(int tag) { tag_ = tag; }
    bool isEnabled() const { return enabled_; }
    void setEnabled(bool enabled);

signals:
    void changed();

private:
    QString title_;
    Image image_;
    Image selectedImage_;
    QString badge_;
    int tag_ = 0;
    bool enabled_ = true;
};

}  // namespace tovera::platform::ui
