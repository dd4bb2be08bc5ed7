// Comments: where a new comment lands, and how stored comments become the
// elements of "system/comment_list.aspx".
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "service/Database.h"

namespace tovera::service {

/// The objects comments are about (comment.root_kind).
enum class RootKind { kArticle = 1, kProject = 2, kActivity = 3, kLive = 4, kTopic = 5 };

/// What "ptype" a comment is posted on.
enum CommentTarget {
    kOnArticle = 1,
    kOnProject = 2,
    kOnActivity = 3,
    kOnLive = 4,     // a live room or one of its messages
    kOnTopic = 5,    // a topic reply
    kOnComment = 6,  // a reply to a comment, listed under the parent's object
    kOnTopicReply = 7,
};

/// Where a comment on (`ptype`, `id`) is stored and listed.
struct CommentPlace {
    int ptype = 0;
    std::int64_t target = 0;
    int anchorKind = 0;
    std::int64_t anchorId = 0;
    int rootKind = 0;
    std::int64_t rootId = 0;
    std::int64_t parent = 0;
    std::int64_t cityId = 0;  // 0 for a city-neutral object
};

/// The place of a comment on object `id` of kind `ptype`, or nothing when
/// there is no such object.
std::optional<CommentPlace> resolveCommentPlace(Database& db, int ptype, std::int64_t id);

struct NewComment {
    std::int64_t uid = 0;  // 0: anonymous
    std::string user;
    std::string text;
    std::string image;
    int requestCity = 3401;  // the city of a comment on a city-neutral object
};

/// Stores a comment; returns its id (from the sequence shared with topics).
std::int64_t insertComment(Database& db, const CommentPlace& place, const NewComment& comment);

/// True when `id` is a topic (not a comment of the shared id sequence).
bool isTopic(Database& db, std::int64_t id);

/// The comment list elements of the comments chosen by `tail` (conditions
/// on "c", ordering and limits, appended to the common SELECT).
template <typename... Args>
Array queryComments(Database& db, std::string_view tail, const Args&... args);

/// Internal: the SELECT all comment lists share, and the row conversion.
std::string commentSelect(std::string_view tail);
Array commentElements(Statement& statement);

template <typename... Args>
Array queryComments(Database& db, std::string_view tail, const Args&... args) {
    Statement statement(db, commentSelect(tail));
    bindAll(statement, args...);
    return commentElements(statement);
}

}  // namespace tovera::service
