#include "service/Router.h"

#include "service/Portal.h"

namespace tovera::service {

std::string Call::pictureUrl(std::string_view name) const {
    if (name.empty()) return {};
    std::string url = "http://" + portal.hostFor(request.host) + "/";
    if (name.substr(0, 7) != "upload/") url += "pic/";
    url += name;
    return url;
}

std::string Call::pictureUrls(std::string_view names) const {
    std::string out;
    while (!names.empty()) {
        std::size_t bar = names.find('|');
        std::string_view name = names.substr(0, bar);
        names.remove_prefix(bar == std::string_view::npos ? names.size() : bar + 1);
        if (name.empty()) continue;
        if (!out.empty()) out += '|';
        out += pictureUrl(name);
    }
    return out;
}

void Call::linkPictures(Dict& row, std::initializer_list<std::string_view> keys) const {
    for (std::string_view key : keys) {
        if (const Value* v = row.find(key)) row.set(key, pictureUrls(v->toText()));
    }
}

void Call::linkPictures(Array& rows, std::initializer_list<std::string_view> keys) const {
    for (Value& row : rows) {
        if (Dict* fields = row.dict()) linkPictures(*fields, keys);
    }
}

std::string Call::linkPicturesInHtml(std::string_view html) const {
    constexpr std::string_view kMarker = "{pic}";
    std::string base = "http://" + portal.hostFor(request.host) + "/pic/";
    std::string out;
    out.reserve(html.size() + 256);
    while (true) {
        std::size_t at = html.find(kMarker);
        out.append(html.substr(0, at));
        if (at == std::string_view::npos) return out;
        out += base;
        html.remove_prefix(at + kMarker.size());
    }
}

void Router::addOperation(std::string path, Operation operation) {
    operations_[std::move(path)] = std::move(operation);
}

void Router::addPage(std::string path, Page page, bool prefix) {
    (prefix ? prefixPages_ : pages_)[std::move(path)] = std::move(page);
}

void Router::addPostKind(std::string type, Operation operation) {
    postKinds_[std::move(type)] = std::move(operation);
}

const Operation* Router::postKind(std::string_view type) const {
    auto it = postKinds_.find(type);
    return it == postKinds_.end() ? nullptr : &it->second;
}

void Router::addCloseKind(std::string type, Operation operation) {
    closeKinds_[std::move(type)] = std::move(operation);
}

const Operation* Router::closeKind(std::string_view type) const {
    auto it = closeKinds_.find(type);
    return it == closeKinds_.end() ? nullptr : &it->second;
}

const Operation* Router::operation(std::string_view path) const {
    auto it = operations_.find(path);
    return it == operations_.end() ? nullptr : &it->second;
}

const Page* Router::page(std::string_view urlPath) const {
    if (auto it = pages_.find(urlPath); it != pages_.end()) return &it->second;
    for (const auto& [prefix, page] : prefixPages_) {
        if (urlPath.substr(0, prefix.size()) == prefix) return &page;
    }
    return nullptr;
}

}  // namespace tovera::service
