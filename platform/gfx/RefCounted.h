#pragma once
// Reference counting for the layer's objects, and the count of live DEFAULT-pool resources that
// a device reset has to wait for.
#include <memory>

#include "platform/gfx/D3D9.h"

template <typename Interface>
class RefCounted : public Interface {
public:
    ULONG AddRef() override { return ++references; }
    ULONG Release() override
    {
        const ULONG left = --references;
        if (left == 0)
            delete this;
        return left;
    }

private:
    ULONG references = 1;
};

// Stores next in slot, taking a reference on it and dropping the one on the old object.
template <typename T>
void SetReferenced(T*& slot, T* next)
{
    if (next)
        next->AddRef();
    if (slot)
        slot->Release();
    slot = next;
}

// Held by every resource made in the DEFAULT pool; the device counts them.
class DefaultPoolTicket {
public:
    DefaultPoolTicket(std::shared_ptr<int> counter, D3DPOOL pool)
        : counter_(pool == D3DPOOL_DEFAULT ? std::move(counter) : nullptr)
    {
        if (counter_)
            ++*counter_;
    }
    ~DefaultPoolTicket()
    {
        if (counter_)
            --*counter_;
    }
    DefaultPoolTicket(const DefaultPoolTicket&) = delete;
    DefaultPoolTicket& operator=(const DefaultPoolTicket&) = delete;

private:
    std::shared_ptr<int> counter_;
};
