#pragma once

#include <QString>

#include <functional>
#include <optional>

class UserInterface;

// The hidden page download: sends chosen 256-byte pages of a file of raw
// bytes to the panel, page p (bytes 256 p to 256 p + 255 of the file) as the
// block frame of block number p, between the probe frame and the end frame.
//
// In order: the port (always "COM1", 2 stop bits), the file (its first 65536
// bytes; pages beyond a shorter file are zeros), the probe exchange, the page
// range, the pages from the start page up to the end page (none when the
// start is above the end), the end exchange and 61216 "正常结束!".
// A page answered with another function code is sent again, at most
// kPageSendTries times in all; then, as after a page that could not be sent,
// the transfer is ended before the message (61209, 61213) and the port
// closed.
struct PageRange {
    int start = 0;
    int end = 0;
};

struct PageDownloadChoices {
    // The file to send; nothing when the user cancelled.
    std::function<std::optional<QString>()> chooseFile;
    // The pages to send; nothing when the user cancelled (the transfer is
    // still ended).
    std::function<std::optional<PageRange>()> choosePages;
};

inline constexpr int kPageSendTries = 3;

// True when the end exchange closed the download (61216 shown).
bool RunPageDownload(UserInterface& ui, const QString& portName, const PageDownloadChoices& choices);
