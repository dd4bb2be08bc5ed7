// The record in which a screen collects the parameters of its service
// operations: named properties over one dictionary of text values. Many wire
// keys are single letters; the property names give them meaning.
#pragma once

#include <string>
#include <string_view>

#include "core/Value.h"

namespace tovera {

class QXParam {
public:
    QXParam() = default;

    /// The dictionary itself (not a copy): the facade changes it in place.
    Dict& param() { return param_; }
    const Dict& param() const { return param_; }

    /// Merges every entry of `values` as it is (pictures and data included).
    void setParam(const Dict& values) { param_.merge(values); }
    /// Stores the text form of a present value under any key.
    void setString(const Value& value, std::string_view key) { param_.setString(value, key); }

    std::string rid() const { return text("id", "0"); }
    void setRid(const Value& v) { put(v, "id"); }
    std::string uid() const { return text("uid", "0"); }
    void setUid(const Value& v) { put(v, "uid"); }
    std::string cid() const { return text("cid", "0"); }
    void setCid(const Value& v) { put(v, "cid"); }
    std::string hid() const { return text("hid", "0"); }
    void setHid(const Value& v) { put(v, "hid"); }
    /// The city of the record, else the chosen city of the preferences (which
    /// is not sent: the facade fills "cityid" from the session).
    std::string cityid() const;
    void setCityid(const Value& v) { put(v, "cityid"); }
    std::string page() const { return text("page", "1"); }
    void setPage(const Value& v) { put(v, "page"); }
    std::string size() const { return text("size", "10"); }
    /// Writes "size" and "count".
    void setSize(const Value& v) { put(v, "size", "count"); }
    std::string limit() const { return text("limit", "0"); }
    void setLimit(const Value& v) { put(v, "limit"); }
    /// Reads "t".
    std::string type() const { return text("t", ""); }
    /// Writes "t" and "type".
    void setType(const Value& v) { put(v, "t", "type"); }
    /// Reads "operate".
    std::string operate() const { return text("operate", "0"); }
    /// Writes "operate" and "code".
    void setOperate(const Value& v) { put(v, "operate", "code"); }
    /// Client-side selector between sibling operations; never sent.
    std::string api() const { return text("api", "oldhouse"); }
    void setApi(const Value& v) { put(v, "api"); }
    std::string more() const { return text("more", ""); }
    void setMore(const Value& v) { put(v, "more"); }
    std::string caches() const { return text("caches", ""); }
    void setCaches(const Value& v) { put(v, "caches"); }
    /// Reads "force" as a bool.
    bool search() const { return param_.getBoolValueForKey("force", false); }
    /// With true stores "force" = "1"; with false does nothing.
    void setSearch(bool on) {
        if (on) param_.set("force", "1");
    }
    std::string keyWord() const { return text("q", ""); }
    void setKeyWord(const Value& v) { put(v, "q"); }
    std::string name() const { return text("name", ""); }
    void setName(const Value& v) { put(v, "name"); }
    std::string order() const { return text("o", ""); }
    void setOrder(const Value& v) { put(v, "o"); }
    std::string price() const { return text("p", ""); }
    void setPrice(const Value& v) { put(v, "p"); }
    /// District: an id for new-build searches, a name for listing searches.
    std::string area() const { return text("a", ""); }
    void setArea(const Value& v) { put(v, "a"); }
    std::string quyu() const { return text("c", ""); }
    void setQuyu(const Value& v) { put(v, "c"); }
    std::string shangquan() const { return text("d", ""); }
    void setShangquan(const Value& v) { put(v, "d"); }
    std::string huxing() const { return text("r", ""); }
    void setHuxing(const Value& v) { put(v, "r"); }
    std::string square() const { return text("m", ""); }
    void setSquare(const Value& v) { put(v, "m"); }
    std::string source() const { return text("u", ""); }
    void setSource(const Value& v) { put(v, "u"); }
    std::string hot() const { return text("h", ""); }
    void setHot(const Value& v) { put(v, "h"); }
    /// `jian` and `remcommand` share the key "j".
    std::string jian() const { return text("j", ""); }
    void setJian(const Value& v) { put(v, "j"); }
    std::string remcommand() const { return text("j", ""); }
    void setRemcommand(const Value& v) { put(v, "j"); }
    std::string state() const { return text("s", ""); }
    void setState(const Value& v) { put(v, "s"); }
    std::string character() const { return text("l", ""); }
    void setCharacter(const Value& v) { put(v, "l"); }
    std::string ptype() const { return text("ptype", ""); }
    void setPtype(const Value& v) { put(v, "ptype"); }
    std::string lat() const { return text("lat", "0"); }
    void setLat(const Value& v) { put(v, "lat"); }
    std::string lon() const { return text("lon", "0"); }
    void setLon(const Value& v) { put(v, "lon"); }

private:
    std::string text(std::string_view key, std::string_view defaultValue) const {
        return param_.getStringValueForKey(key, defaultValue);
    }
    void put(const Value& v, std::string_view key) { param_.setString(v, key); }
    void put(const Value& v, std::string_view key, std::string_view alsoKey) {
        param_.setString(v, key);
        param_.setString(v, alsoKey);
    }

    Dict param_;
};

}  // namespace tovera
