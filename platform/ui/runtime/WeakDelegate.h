// A delegate pointer that notices when its delegate, if it is a QObject (every
// screen is), has been destroyed: the toolkit then skips the call instead of
// reaching a dead object. Plain (non-QObject) delegates must outlive the view.
#pragma once

#include <QObject>
#include <QPointer>

namespace tovera::platform::ui {

template <typename T>
class WeakDelegate {
public:
    WeakDelegate() = default;
    WeakDelegate(T* delegate) { *this = delegate; }  // NOLINT: implicit by design

    WeakDelegate& operator=(T* delegate) {
        ptr_ = delegate;
        guard_ = dynamic_cast<QObject*>(delegate);
        guarded_ = guard_ != nullptr;
        return *this;
    }

    /// The delegate, or null when none is set or a QObject delegate is gone.
    T* get() const {
        if (guarded_ && guard_.isNull()) return nullptr;
        return ptr_;
    }
    T* operator->() const { return get(); }
    explicit operator bool() const { return get() != nullptr; }

private:
    T* ptr_ = nullptr;
    QPointer<QObject> guard_;
    bool guarded_ = false;
};

}  // namespace tovera::platform::ui
