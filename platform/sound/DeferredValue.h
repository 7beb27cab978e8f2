#pragma once
// One 3D setting: the value in force and, when set with DS3D_DEFERRED, the value that the next
// commit puts in force.
#include <optional>

#include "platform/sound/SoundTypes.h"

template <class T>
class DeferredValue {
public:
    explicit DeferredValue(const T& initial) : applied(initial) {}

    // True when the value is in force now (DS3D_IMMEDIATE); an immediate setting also drops a
    // pending one.
    bool Set(const T& value, DWORD apply)
    {
        if (apply == DS3D_DEFERRED) {
            pending = value;
            return false;
        }
        applied = value;
        pending.reset();
        return true;
    }
    // True when a pending value came into force.
    bool Commit()
    {
        if (!pending)
            return false;
        applied = *pending;
        pending.reset();
        return true;
    }
    const T& Applied() const { return applied; }

private:
    T applied;
    std::optional<T> pending;
};
