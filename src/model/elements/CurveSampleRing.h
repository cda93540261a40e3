#pragma once

#include <deque>
#include <mutex>
#include <vector>

// The samples a curve collected while simulating, oldest first. The simulation
// worker appends and the painting reads a copy, so every access is locked.
class CurveSampleRing {
public:
    void Clear();

    // Appends a sample; when the ring already holds `capacity` samples (at
    // least one is always kept) the oldest is dropped first.
    void Push(int sample, int capacity);

    std::vector<int> Values() const;

private:
    mutable std::mutex m_mutex;
    std::deque<int> m_samples;
};
