#include "base/PackedText.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

// Element copies share their long texts, and copies are made on the editor's
// thread while the simulation worker copies and drops its own: the shared
// block's count must stay exact (ThreadSanitizer and the address sanitizer
// see a lost count as a race, a leak or a use after free).
TEST(PackedTextSharing, ThreadsCopyAndDropOneLongText)
{
    const std::string bytes = "\x31\x36\xCE\xBB\xD7\xD6\xD4\xAA\xBC\xFE";
    auto original = std::make_unique<PackedText>(bytes);
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&original, &bytes] {
            for (int i = 0; i < 20000; ++i) {
                PackedText copy(*original);
                PackedText again;
                again = copy;
                EXPECT_EQ(again.View(), bytes);
            }
        });
    for (std::thread& thread : threads)
        thread.join();
    const PackedText last(*original);
    original.reset();
    EXPECT_EQ(last.View(), bytes);
}
