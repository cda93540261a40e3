#pragma once

// A member that its owner's copy leaves out: a copy starts with a new T and
// an assignment keeps the target's own. It holds what belongs to one object
// only (values a worker thread writes, the mutex guarding them, painting
// state), so that the owner still takes its copy constructor and assignment
// from the compiler. T's members are reached directly.
template <class T>
class NotCopied : public T {
public:
    NotCopied() = default;
    NotCopied(const NotCopied&) : T() {}
    NotCopied& operator=(const NotCopied&) { return *this; }
};
