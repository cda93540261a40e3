#pragma once

// A failed check while the header area is built. The write shows the message
// only after it has ended the transfer with the panel, so the build carries
// the message id back instead of showing it.
struct HeaderCheckFailed {
    int messageId = 0;
};

[[noreturn]] inline void FailHeader(int messageId)
{
    throw HeaderCheckFailed{messageId};
}
