// A pin of the map screen: the thing it stands for (a project, a listing or
// a user, by `pid`), what the map and its callout show, and the kind of
// thing it is, so that its callout opens the right screen whatever kind is
// chosen on the map later.
#pragma once

#include <QString>

#include <string>

#include "platform/ui/map/MapAnnotation.h"

namespace tovera {

class JVAnnotation : public platform::ui::MapAnnotation {
public:
    /// The kind of a pin given by its opener rather than loaded.
    static constexpr int kSinglePin = -1;

    platform::Coordinate coordinate() const override { return coordinate_; }
    void setCoordinate(const platform::Coordinate& coordinate) { coordinate_ = coordinate; }
    QString title() const override { return title_; }
    void setTitle(const QString& title) { title_ = title; }
    QString subtitle() const override { return subtitle_; }
    void setSubtitle(const QString& subtitle) { subtitle_ = subtitle; }

    /// The id of the project, listing or user, as decimal text.
    const std::string& pid() const { return pid_; }
    void setPid(std::string pid) { pid_ = std::move(pid); }
    /// The thumbnail of the callout.
    const std::string& imgUrl() const { return imgUrl_; }
    void setImgUrl(std::string url) { imgUrl_ = std::move(url); }
    /// The map kind the pin was loaded for (0 new-build to 4 users), or kSinglePin.
    int kind() const { return kind_; }
    void setKind(int kind) { kind_ = kind; }

private:
    platform::Coordinate coordinate_;
    QString title_;
    QString subtitle_;
    std::string pid_;
    std::string imgUrl_;
    int kind_ = kSinglePin;
};

}  // namespace tovera
