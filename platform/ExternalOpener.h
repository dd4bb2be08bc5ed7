// What hands an address to a program outside the app (the desktop's
// telephone or web browser). Every request is recorded, so tests and a
// desktop user can see what was asked for; only an address its kind of
// opener accepts reaches the handler the toolkit installs.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tovera::platform {

class ExternalOpener {
public:
    /// Takes an accepted address; returns whether it was opened.
    using Handler = std::function<bool(const std::string& address)>;

    void setHandler(Handler handler) { handler_ = std::move(handler); }

    /// Every address asked for, in order (accepted or not).
    const std::vector<std::string>& requests() const { return requests_; }
    void clearRequests() { requests_.clear(); }

protected:
    ExternalOpener() = default;
    ~ExternalOpener() = default;

    /// Records `address` (logged after `verb`), then hands it on when
    /// `accepted`; true when a handler opened it.
    bool hand(std::string_view address, bool accepted, std::string_view verb);

private:
    Handler handler_;
    std::vector<std::string> requests_;
};

}  // namespace tovera::platform
