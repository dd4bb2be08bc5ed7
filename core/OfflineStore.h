// Kept copies of the service's replies, for reading without the network and
// for searching everything the user has read. A copy is the reply as it
// arrived (JSON text, GB18030 on disk like the other tables), with its kind,
// the id of what it shows, a title and text for search (an FTS5 table with
// the trigram tokenizer, UTF-8 as that tokenizer needs, for words of three
// characters or more, and beside it an index of the texts' two-character
// pieces for shorter words; both keyed by the copy's row), the time it was
// saved and last opened, and its size. The store keeps to a size bound by
// removing the least recently opened copies first; favourite articles are
// never removed. Used only from the main thread.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Value.h"

struct sqlite3;

namespace tovera {

/// Which reply of an operation is kept, and under what key.
struct KeepRule {
    /// "article", "project", "listing", "rental", "question", "topic",
    /// "activity" (searched), "page" (a part of a detail screen) or "list".
    std::string kind;
    /// The operation and what identifies its reply (never the token).
    std::string key;
    /// The id of the object shown; empty for lists and pages.
    std::string id;
};

/// A kept reply as a screen reads it, with the time it was saved (seconds
/// on the store's clock).
struct KeptReply {
    Value reply;
    double saved = 0;
};

/// One search result: what to open and the text to show.
struct KeptHit {
    std::string kind;
    std::string id;
    std::string title;
    /// A stretch of the kept text around the first match (UTF-8).
    std::string snippet;
};

class OfflineStore {
public:
    /// The schema version this build writes.
    static constexpr int kSchemaVersion = 2;
    /// Default size bound, in megabytes (preference "offlinelimit").
    static constexpr int kDefaultLimitMegabytes = 200;
    /// Results returned by one search at most.
    static constexpr std::size_t kMaxHits = 100;

    /// Brings a database of any earlier version up to kSchemaVersion: the
    /// tables of kept replies and their search indexes (the index of short
    /// words made from the kept texts when a version 1 store lacks it), and
    /// every article the article table holds kept again there (favourites
    /// stay marked where they were). Run once per open, after the older
    /// tables exist.
    static void migrate(sqlite3* db);

    /// The rule for a GET of `path` with `query` (the parameters as sent,
    /// token left out) by the user `userId`; nothing for operations whose
    /// replies are not kept, and for pages after the first.
    static std::optional<KeepRule> ruleFor(std::string_view path, const Dict& query,
                                           const std::optional<std::string>& userId);
    /// Keeps `reply` under `rule`, replacing an earlier copy. The copy is
    /// written a second later together with the others kept by then (one
    /// transaction, off the path of the screen that is opening), and in any
    /// case before the next read, search or close; then the store is kept to
    /// its bound.
    static void keep(const KeepRule& rule, const Value& reply);
    /// Writes the copies kept since the last write. Returns whether they were
    /// written (true when there were none).
    static bool flush();
    /// The copy kept under `key`, if any; marks it opened now.
    static std::optional<KeptReply> kept(std::string_view key);
    /// Marks the copy kept under `key` opened now (an article the article
    /// table answered for).
    static void markOpened(std::string_view key);
    /// The words of a search text: split at spaces (the ideographic one
    /// too), ASCII letters in lower case, 16 at most.
    static std::vector<std::string> words(std::string_view text);
    /// Kept copies whose title or text holds every word of `text` (words are
    /// split at spaces; each is matched as plain text, whatever characters
    /// it holds), grouped by kind, most recently opened first in a kind.
    static std::vector<KeptHit> search(std::string_view text);

    /// The size bound in bytes (preference "offlinelimit" in megabytes).
    static std::int64_t limitBytes();
    /// The bytes the kept copies take.
    static std::int64_t keptBytes();
    /// Removes the least recently opened copies (never a favourite article)
    /// until the kept copies fit the bound.
    static void keepToBound();
};

}  // namespace tovera
