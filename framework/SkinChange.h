// The moment the user picks another skin. The choice is stored at once, and
// every live screen and skinned widget that follows the change re-reads its
// pictures and colours. Followers restyle only: they send no request and
// build nothing, so a change can come at any time.
#pragma once

#include <QObject>

#include <string_view>
#include <utility>

namespace tovera {

class SkinChange : public QObject {
    Q_OBJECT
public:
    static SkinChange& shared();

    /// Stores `skin` as the skin in use, writes the preferences out (a
    /// restart keeps the choice), then tells every follower.
    static void choose(std::string_view skin);

    /// Calls `restyle` after each change for as long as `context` lives.
    template <class Restyle>
    static void follow(QObject* context, Restyle&& restyle) {
        connect(&shared(), &SkinChange::changed, context, std::forward<Restyle>(restyle));
    }

signals:
    void changed();
};

}  // namespace tovera
