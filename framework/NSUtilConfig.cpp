// NSUtil::config: the configuration resource, an XML property list read with
// libplist and turned into the program's value type once.
#include <plist/plist.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <memory>
#include <mutex>
#include <optional>
#include <sstream>
#include <string>

#include "framework/NSUtil.h"
#include "platform/AppHome.h"
#include "platform/Log.h"

namespace tovera {

namespace {

struct PlistFree {
    void operator()(plist_t node) const { plist_free(node); }
};
using PlistPtr = std::unique_ptr<void, PlistFree>;

struct MallocFree {
    void operator()(void* p) const { std::free(p); }
};
using CString = std::unique_ptr<char, MallocFree>;

std::string realLiteral(double value) {
    std::ostringstream out;
    out.precision(std::numeric_limits<double>::max_digits10);
    out << value;
    return out.str();
}

Value toValue(plist_t node, int depth);

Dict toDict(plist_t node, int depth) {
    Dict dict;
    plist_dict_iter iter = nullptr;
    plist_dict_new_iter(node, &iter);
    for (;;) {
        char* rawKey = nullptr;
        plist_t item = nullptr;
        plist_dict_next_item(node, iter, &rawKey, &item);
        CString key(rawKey);
        if (!item) break;
        dict.set(key ? key.get() : "", toValue(item, depth + 1));
    }
    std::free(iter);
    return dict;
}

Value toValue(plist_t node, int depth) {
    // A property list cannot nest deeper than its parser allows; this guards
    // against a crafted file all the same.
    constexpr int kMaxDepth = 64;
    if (depth > kMaxDepth) return {};
    switch (plist_get_node_type(node)) {
        case PLIST_DICT:
            return toDict(node, depth);
        case PLIST_ARRAY: {
            Array items;
            const std::uint32_t count = plist_array_get_size(node);
            items.reserve(count);
            for (std::uint32_t i = 0; i < count; ++i)
                items.push_back(toValue(plist_array_get_item(node, i), depth + 1));
            return items;
        }
        case PLIST_STRING:
        case PLIST_KEY: {
            char* raw = nullptr;
            plist_get_string_val(node, &raw);
            CString text(raw);
            return std::string(text ? text.get() : "");
        }
        case PLIST_UINT: {
            std::uint64_t n = 0;
            plist_get_uint_val(node, &n);
            // Negative integers arrive as their 64-bit two's complement.
            return Number{std::to_string(static_cast<std::int64_t>(n))};
        }
        case PLIST_REAL: {
            double d = 0;
            plist_get_real_val(node, &d);
            return Number{realLiteral(d)};
        }
        case PLIST_BOOLEAN: {
            std::uint8_t b = 0;
            plist_get_bool_val(node, &b);
            return b != 0;
        }
        case PLIST_DATA: {
            char* raw = nullptr;
            std::uint64_t length = 0;
            plist_get_data_val(node, &raw, &length);
            CString bytes(raw);
            return Data{std::string(bytes ? bytes.get() : "", bytes ? length : 0)};
        }
        default:
            return {};
    }
}

// Reads the resource; on failure returns nothing and says why in `reason`.
std::optional<Dict> readConfig(const std::string& path, std::string& reason) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        reason = "cannot open " + path;
        return std::nullopt;
    }
    std::ostringstream buffer;
    buffer << in.rdbuf();
    const std::string bytes = std::move(buffer).str();
    if (bytes.empty() || bytes.size() > std::numeric_limits<std::uint32_t>::max()) {
        reason = "no property list in " + path;
        return std::nullopt;
    }
    plist_t raw = nullptr;
    plist_from_memory(bytes.data(), static_cast<std::uint32_t>(bytes.size()), &raw);
    PlistPtr root(raw);
    if (!root) {
        reason = "no property list in " + path;
        return std::nullopt;
    }
    if (plist_get_node_type(root.get()) != PLIST_DICT) {
        reason = "the property list in " + path + " is not a dictionary";
        return std::nullopt;
    }
    return toDict(root.get(), 0);
}

struct ConfigCache {
    std::mutex mutex;
    std::string path;  // the file the cached values came from
    Dict values;
};

}  // namespace

Value NSUtil::config(std::string_view key) {
    static ConfigCache cache;
    const std::string path =
        (std::filesystem::path(platform::resourceDirectory()) / "config.plist").string();
    std::lock_guard lock(cache.mutex);
    if (cache.path != path) {
        cache.path = path;
        std::string reason;
        auto values = readConfig(path, reason);
        cache.values = values ? std::move(*values) : Dict();
        if (!values) platform::logLine("Failed to read names. Error: " + reason);
    }
    return cache.values[key];
}

}  // namespace tovera
