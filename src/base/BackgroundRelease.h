#pragma once

#include <functional>
#include <memory>
#include <utility>

// Hands a release to one thread kept for it, so that the user does not wait
// while a large value (an old project's undo history) gives its memory back.
// Releases run in the order they were handed over; the program's exit waits
// for those still queued.
void RunReleaseInBackground(std::function<void()> release);

// Destroys `value` on the release thread. The value must own what it holds
// alone: nothing else may use it once it is handed over.
template <class Value>
void ReleaseInBackground(Value&& value)
{
    auto held = std::make_shared<std::decay_t<Value>>(std::forward<Value>(value));
    RunReleaseInBackground([held = std::move(held)]() mutable { held.reset(); });
}
