#pragma once

// Reads a panel image back field by field, the way the panel and the read
// command take it: the header area (fixed part and its eleven sections) and
// the main area (glyph table, screen records with their poll and element
// records, the alarm screen, the description table and the embedded
// address-table text). A walk checks what the image tells about itself: the
// header's address slots and the screen address table must point where the
// walk finds those parts, the counts must agree. Anything that does not fit
// throws WalkError naming the offset. Each walk reports where the area's
// bytes end, so a caller can check that every byte was taken.

#include "support/ImageCursor.h"

#include <optional>

struct WalkedScreen {
    WalkedRecord head;
    std::vector<WalkedRecord> polls;
    std::vector<WalkedRecord> elements;
};

struct WalkedHeader {
    WalkedRecord fixed; // fields named as the fixed part's bytes ("main screen" ...)
    std::vector<WalkedRecord> copySources;
    std::vector<WalkedRecord> copyTargets;
    WalkedRecord screenTable; // "screen n" for n = 1 to N
    WalkedRecord frame;
    std::vector<WalkedRecord> control; // control read, control write, report write; none when absent
    std::vector<WalkedRecord> alarms;
    WalkedRecord passwords;
    WalkedRecord summary;
    std::vector<WalkedRecord> buttons;
    std::vector<WalkedRecord> copyReads;
    std::vector<WalkedRecord> copyWrites; // one per target entry, holding its commands
    std::size_t end = 0;
};

struct WalkedMainArea {
    WalkedRecord glyphs;
    std::size_t projectDataOffset = 0; // G
    std::vector<WalkedScreen> screens; // in description-table order
    std::optional<WalkedScreen> alarmScreen;
    WalkedRecord descriptions;
    std::optional<WalkedRecord> tableText; // absent when the image is marked not readable
    std::size_t end = 0;
};

WalkedHeader WalkHeaderArea(const std::vector<std::uint8_t>& header);
// The main area needs its header: the screens' places, the counts and the
// summary.
WalkedMainArea WalkMainArea(const std::vector<std::uint8_t>& main, const WalkedHeader& header);

// The bytes after a key record's action code (byte 7): function keys in
// screen records and global buttons in the header share them; `wide` is the
// record's 32-bit flag, and only function keys carry bytes for code 7.
void WalkKeyAction(ImageCursor& in, WalkedRecord& record, unsigned code, bool wide, bool functionKey);
