#include "model/elements/CGraphElement.h"
#include "model/elements/CRegisterElement.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

// The simulation worker writes live state while the painting reads it and
// the editor copies the elements; under ThreadSanitizer an unguarded text or
// sample list, or a copy that reads the live state, shows up here.
TEST(LiveStateSharing, WorkerWritesWhilePaintingReadsAndCopies)
{
    CRegisterElement reg;
    reg.RegisterCount = 2;
    reg.Digits = 10;
    CGraphElement curve(1);
    curve.DataPoints = 50;
    std::atomic<bool> done{false};

    std::thread worker([&] {
        for (int i = 0; i < 20000; ++i) {
            reg.ShowLiveValue(i * 104729, i % 2 ? 32 : 16);
            curve.ShowLiveValue(i, 16);
        }
        done = true;
    });
    size_t longest = 0;
    while (!done) {
        longest = std::max(longest, reg.GetEntryText().size());
        EXPECT_LE(curve.Live().PolledSamples.Values().size(), 51u);
        EXPECT_TRUE(reg.Clone() && curve.Clone());
    }
    worker.join();
    EXPECT_LE(longest, 10u);
    EXPECT_EQ(curve.Live().PolledSamples.Values().back(), 19999);
}
