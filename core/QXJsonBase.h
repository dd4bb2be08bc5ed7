// State shared by the JSON reader and writer: the depth limit and the trace
// of error records of the last call.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/Error.h"

namespace tovera {

/// Error domain of the JSON codec.
inline constexpr std::string_view kQXJsonErrorDomain = "QXJsonErrorDomain";

/// Error codes of the JSON codec.
inline constexpr int kQXJsonErrorUnsupported = 1;    // value the writer cannot write
inline constexpr int kQXJsonErrorNumber = 2;         // malformed number
inline constexpr int kQXJsonErrorParse = 3;          // unexpected byte
inline constexpr int kQXJsonErrorFragment = 4;       // top level is not an object or array
inline constexpr int kQXJsonErrorControl = 5;        // raw control character in a string
inline constexpr int kQXJsonErrorUnicode = 6;        // malformed \u escape
inline constexpr int kQXJsonErrorDepth = 7;          // nested too deep
inline constexpr int kQXJsonErrorEscape = 8;         // unknown escape
inline constexpr int kQXJsonErrorTrailingComma = 9;  // comma before '}'
inline constexpr int kQXJsonErrorGarbage = 10;       // text after the top-level value
inline constexpr int kQXJsonErrorEndOfInput = 11;    // input ended inside a value
inline constexpr int kQXJsonErrorInput = 12;         // no input, or bytes that are not GB18030

class QXJsonBase {
public:
    /// Nesting deeper than this is refused whatever maxDepth says: value trees
    /// are copied and destroyed recursively, so an unbounded tree could
    /// exhaust the stack of whoever holds it.
    static constexpr unsigned kDepthCeiling = 4096;

    /// Deepest nesting of objects and arrays allowed; 0 means no limit but
    /// kDepthCeiling.
    unsigned maxDepth() const { return maxDepth_; }
    void setMaxDepth(unsigned depth) { maxDepth_ = depth; }

    /// The error records of the last call, oldest first; each record after
    /// the first carries the one before it as its underlying error.
    const std::vector<Error>& errorTrace() const { return errorTrace_; }

protected:
    void clearErrorTrace() { errorTrace_.clear(); }
    void addErrorWithCode(int code, std::string description);

    /// Enters one level of nesting. Returns false, with "Nested too deep" in
    /// the trace, when the level passes maxDepth (if set) or kDepthCeiling.
    bool enterLevel();
    void leaveLevel() { --depth_; }

    unsigned maxDepth_ = 512;
    unsigned depth_ = 0;

private:
    std::vector<Error> errorTrace_;
};

}  // namespace tovera
