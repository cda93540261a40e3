#pragma once

// For tests of writes onto a full disk: a check runs in a child process that
// limits the size of the files it writes (RLIMIT_FSIZE). SIGXFSZ is ignored
// there, so a write past the limit fails with EFBIG, as a write onto a full
// file system fails, instead of ending the process. Header-only.

#include <gtest/gtest.h>

#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <sys/resource.h>

// From now on no file of this process grows past `bytes`.
inline bool LimitFileSize(std::uint64_t bytes)
{
    const rlimit limit{static_cast<rlim_t>(bytes), static_cast<rlim_t>(bytes)};
    return setrlimit(RLIMIT_FSIZE, &limit) == 0;
}

// Runs `check` in a child process with SIGXFSZ ignored. The test runs again
// up to this call there, so everything `check` needs is made anew; it sets
// the limit with LimitFileSize once its files are prepared and returns an
// empty text when it saw what it expected, otherwise what went wrong.
template <class Check>
void ExpectInFileSizeLimitedChild(Check check)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            std::signal(SIGXFSZ, SIG_IGN);
            const std::string failure = check();
            std::fputs(failure.c_str(), stderr);
            std::_Exit(failure.empty() ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}
