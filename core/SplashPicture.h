// The splash picture kept in the documents directory: its file name is the
// preference "splash". The refresh asks the service for the address of the
// current picture and downloads it when it is not the one kept. It blocks,
// so the splash screen runs it on a worker thread; every failure leaves the
// kept picture as it was.
#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace tovera {

class SplashPicture {
public:
    /// Asked under the service base; answers the address of the current picture.
    static constexpr std::string_view kQuery =
        "system/splash.aspx?length=480&wide=320&version=iosv0.1.0";
    static constexpr std::string_view kPreferenceKey = "splash";
    /// Each of the two fetches gives up after this long, so a hanging network
    /// cannot keep the splash on screen.
    static constexpr std::chrono::seconds kTimeOut{10};
    /// Longest file name taken from an answer.
    static constexpr std::size_t kMaxNameBytes = 200;

    enum class Outcome {
        kCurrent,         // the kept picture is the current one
        kDownloaded,      // a new picture was written and its name stored
        kNoAnswer,        // the service did not answer (or not with text)
        kRefusedName,     // the answer names no acceptable file name
        kDownloadFailed,  // the picture did not arrive
        kWriteFailed,     // the picture could not be written
        kNotAPicture,     // what arrived is no whole picture
    };

    /// Whether bytes hold a whole picture that can be shown.
    using PictureCheck = std::function<bool(std::string_view bytes)>;
    /// Without a decoder at hand: a PNG from its signature to its closing
    /// IEND chunk, or a JPEG from its start to its end marker, so that a
    /// truncated download does not count.
    static bool looksWhole(std::string_view bytes);

    /// Logs "LOAD", asks the service, and downloads the picture when its name
    /// is not the stored one, or the stored file is gone or fails `isWhole`;
    /// writes a download that passes `isWhole` atomically and stores its name
    /// in "splash".
    static Outcome refresh(std::chrono::milliseconds timeOut = kTimeOut,
                           const PictureCheck& isWhole = looksWhole);

    /// The file name an answer names: the part after its last "/" (the whole
    /// answer without one), surrounding blanks removed; nothing when that is
    /// not an acceptable name.
    static std::optional<std::string> fileNameOf(std::string_view answer);

    /// Whether a name that came from the network may name the picture's
    /// file: not empty, ".", "..", or hidden; no "/", "\" or control
    /// character; valid UTF-8 of at most kMaxNameBytes bytes; and never a
    /// file the application keeps (the database and its side files, the
    /// preferences).
    static bool isAcceptableName(std::string_view name);

    /// The kept picture's path, when "splash" holds an acceptable name of a
    /// file that exists. A stored name whose file is gone no longer counts.
    static std::optional<std::string> storedPicturePath();
};

}  // namespace tovera
