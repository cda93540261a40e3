#pragma once

#include <array>
#include <cstdint>

// The double-byte characters that the panel image's texts use, in the order
// of first use. Slot k holds a character's lead and trail byte; the image
// codes the character as slot k and carries its glyph at position k.
class UsedCharTable {
public:
    static constexpr int kSlotCount = 1500;
    // The panel holds the glyphs of at most this many characters.
    static constexpr int kCharacterLimit = 1200;

    struct Slot {
        std::uint8_t lead = 0;
        std::uint8_t trail = 0;
    };

    // Every slot zero, count 0: what compile and write start from.
    void Clear();

    // The slot whose two bytes equal (lead, trail), -1 when none does, -2
    // when `lead` is not above 0x80. All slots are compared, used or not.
    int FindUsedCharIndex(std::uint8_t lead, std::uint8_t trail) const;

    // Appends a character; the caller keeps the count within kCharacterLimit.
    int Add(std::uint8_t lead, std::uint8_t trail);

    int Count() const { return m_count; }
    bool IsFull() const { return m_count >= kCharacterLimit; }
    const Slot& operator[](int index) const { return m_slots[static_cast<std::size_t>(index)]; }

private:
    std::array<Slot, kSlotCount> m_slots{};
    int m_count = 0;
    // Slot of each (lead << 8 | trail), -1 for none: unused slots are zero
    // and never match a lead byte above 0x80, so this answers the same as a
    // scan of all slots, at once.
    std::array<std::int16_t, 0x10000> m_slotOf = Unused();

    static std::array<std::int16_t, 0x10000> Unused();
};
