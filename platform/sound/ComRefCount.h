#pragma once
// Reference counting in the platform's object style: created with one reference, deleted when
// the last Release drops it.
#include "platform/sound/SoundTypes.h"

template <class Derived>
class ComRefCount {
public:
    ComRefCount() = default;
    ComRefCount(const ComRefCount&) = delete;
    ComRefCount& operator=(const ComRefCount&) = delete;

    ULONG AddRef() { return ++references; }
    ULONG Release()
    {
        const ULONG left = --references;
        if (left == 0)
            delete static_cast<Derived*>(this);
        return left;
    }

private:
    ULONG references = 1;
};
