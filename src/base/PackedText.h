#pragma once

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>

// A text of raw bytes (GBK) in the room of one pointer, for the texts every
// screen element keeps (names, type and address texts): a large project holds
// tens of thousands of them, most empty or a few bytes long, where a
// std::string takes 32 bytes each. Up to 7 bytes sit in place; a longer text
// sits in an immutable block that copies share. The block's count is atomic,
// so a copy may be made on any thread while others read.
//
// It reads as a std::string_view and converts to a std::string where one is
// needed; it is made from bytes only explicitly, so that a comparison with a
// std::string never has two meanings.
class PackedText {
public:
    PackedText() = default;
    explicit PackedText(std::string_view text);
    PackedText(const PackedText& other);
    PackedText(PackedText&& other) noexcept;
    PackedText& operator=(const PackedText& other);
    PackedText& operator=(PackedText&& other) noexcept;
    PackedText& operator=(std::string_view text);
    ~PackedText();

    std::string_view View() const;
    operator std::string_view() const { return View(); }
    operator std::string() const { return std::string(View()); }

    bool empty() const { return !InPlace() && HeldBlock() == nullptr; }
    std::size_t size() const { return View().size(); }
    const char* data() const { return View().data(); }
    void clear() { *this = PackedText(); }

    friend bool operator==(const PackedText& a, const PackedText& b) { return a.View() == b.View(); }
    friend bool operator==(const PackedText& a, std::string_view b) { return a.View() == b; }
    // Joined texts are std::strings.
    friend std::string operator+(const PackedText& a, std::string_view b) { return std::string(a.View()).append(b); }
    friend std::string operator+(std::string_view a, const PackedText& b) { return std::string(a).append(b.View()); }
    friend std::string operator+(const PackedText& a, const PackedText& b) { return a + b.View(); }
    friend std::ostream& operator<<(std::ostream& out, const PackedText& text);

private:
    struct Block;
    static constexpr std::size_t kInPlaceBytes = 7;

    // Either all zero (empty), or a first byte of length * 2 + 1 followed by
    // the bytes in place, or a Block pointer (whose lowest bit is 0).
    bool InPlace() const { return (m_bytes[0] & 1) != 0; }
    Block* HeldBlock() const;
    void Release();

    alignas(std::uintptr_t) unsigned char m_bytes[sizeof(void*)] = {};
};
