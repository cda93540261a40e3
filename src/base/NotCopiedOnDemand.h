#pragma once

#include <atomic>
#include <memory>

// A member that its owner's copy leaves out (like NotCopied) and that is made
// only when first reached: state that only a running simulation fills (live
// values, their locks, painting state) then costs one pointer in the many
// elements that never get any. The first reach may come from any thread;
// one T is made and every thread gets that one.
template <class T>
class NotCopiedOnDemand {
public:
    NotCopiedOnDemand() = default;
    NotCopiedOnDemand(const NotCopiedOnDemand&) {}
    NotCopiedOnDemand& operator=(const NotCopiedOnDemand&) { return *this; }
    ~NotCopiedOnDemand() { delete m_value.load(std::memory_order_acquire); }

    T& Get() const
    {
        T* value = m_value.load(std::memory_order_acquire);
        if (value)
            return *value;
        auto made = std::make_unique<T>();
        if (m_value.compare_exchange_strong(value, made.get(), std::memory_order_acq_rel, std::memory_order_acquire))
            return *made.release();
        return *value; // another thread made it first
    }
    T* operator->() const { return &Get(); }

private:
    mutable std::atomic<T*> m_value{nullptr};
};
