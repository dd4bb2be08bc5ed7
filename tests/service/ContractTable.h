// The table-driven contract check: each case sends one operation as the
// client does and checks the envelope, the presence of "code" and every
// listed reply key with its type.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "ServiceHarness.h"

namespace tovera::test {

// Expected keys: name and type ('T' text, 'I' integer, 'L' list, 'O' object).
using Keys = std::vector<std::pair<std::string, char>>;

enum class Who { kAnonymous, kDemo };
enum class Route { kGet, kForm, kMultipart };
// What the reply must say about "code": absent (reads, login), or 0 with a "msg".
enum class Code { kAbsent, kZero };

struct OperationCase {
    std::string name;
    std::string path;
    Params params;
    Who who;
    Route route;
    Code code;
    Keys top;
    Keys element;  // keys of every "result" element (or of `list`)
    std::string list = "result";
    std::string picturePart = {};  // a multipart picture part to attach, e.g. "pic1"
};

inline const Keys kList = {{"result", 'L'}, {"total", 'I'}};
inline const Keys kAction = {{"code", 'I'}, {"msg", 'T'}};
inline const Keys kPosted = {{"code", 'I'}, {"msg", 'T'}, {"id", 'T'}};

/// Runs every case, in order, against one fresh service (the demo user
/// signed in once).
void expectOperationReplies(const std::vector<OperationCase>& cases);

}  // namespace tovera::test
