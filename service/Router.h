// The routing table of the service: operations (JSON replies under
// /api/phone/) and pages (every other answer: pictures, web pages, plain
// text endpoints), with the per-call context handlers work in.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "core/Value.h"
#include "service/Database.h"
#include "service/Reply.h"
#include "service/ServiceRequest.h"

namespace tovera::service {

class Portal;

/// What an operation handler works with. The database lock is held for the
/// whole call.
struct Call {
    const ServiceRequest& request;
    Portal& portal;
    Database& db;

    /// The absolute URL of a stored picture name ("" stays ""): seed
    /// pictures live under /pic/, uploads under /upload/.
    std::string pictureUrl(std::string_view name) const;
    /// Every name of a "|"-joined list as an absolute URL, joined by "|".
    std::string pictureUrls(std::string_view names) const;
    /// Replaces the picture names under `keys` of `row` by their URLs.
    void linkPictures(Dict& row, std::initializer_list<std::string_view> keys) const;
    /// The same for every row of a list.
    void linkPictures(Array& rows, std::initializer_list<std::string_view> keys) const;
    /// Stored HTML with its picture links written "{pic}name.jpg": the links made absolute.
    std::string linkPicturesInHtml(std::string_view html) const;
};

using Operation = std::function<Dict(Call&)>;
using Page = std::function<Reply(const IncomingRequest&, Portal&)>;

class Router {
public:
    /// `path` below /api/phone/, e.g. "news/sort.aspx".
    void addOperation(std::string path, Operation operation);
    /// An exact URL path ("/maps/geo"), or with `prefix` every path under it ("/pic/").
    void addPage(std::string path, Page page, bool prefix = false);

    /// One kind ("type") of user/messagepost.aspx, the one path that posts everything.
    void addPostKind(std::string type, Operation operation);
    /// One kind ("type") of user/close.aspx: 1 question, 2 live room, 3 topic.
    void addCloseKind(std::string type, Operation operation);

    const Operation* operation(std::string_view path) const;
    const Page* page(std::string_view urlPath) const;
    const Operation* postKind(std::string_view type) const;
    const Operation* closeKind(std::string_view type) const;

private:
    std::map<std::string, Operation, std::less<>> operations_;
    std::map<std::string, Operation, std::less<>> postKinds_;
    std::map<std::string, Operation, std::less<>> closeKinds_;
    std::map<std::string, Page, std::less<>> pages_;
    std::map<std::string, Page, std::less<>> prefixPages_;
};

}  // namespace tovera::service
