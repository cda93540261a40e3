#pragma once

#include <atomic>

// An atomic value that copies as the value it holds at the moment of the
// copy, so that the class holding it keeps the compiler's copy constructor
// and assignment.
template <class T>
class CopyableAtomic : public std::atomic<T> {
public:
    using std::atomic<T>::atomic;
    using std::atomic<T>::operator=;

    CopyableAtomic() = default;
    CopyableAtomic(const CopyableAtomic& other) : std::atomic<T>(other.load()) {}
    CopyableAtomic& operator=(const CopyableAtomic& other)
    {
        this->store(other.load());
        return *this;
    }
};
