#pragma once

// Reading a panel image area back field by field: the records a walk finds
// and the cursor that reads them (see PanelImageWalker.h).

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// A byte that does not fit the layout, or a read past the area's end; the
// text names the offset.
class WalkError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct WalkedField {
    std::string name;
    std::size_t offset = 0; // in its area
    std::string bytes;
    bool highFirst = false; // the number's byte order

    // The bytes as a number.
    unsigned Value() const;
};

struct WalkedRecord {
    std::string kind;
    std::size_t offset = 0;
    std::size_t end = 0;
    std::vector<WalkedField> fields;

    // The first field of that name; a WalkError when there is none.
    const WalkedField& Field(std::string_view name) const;
    unsigned Value(std::string_view name) const { return Field(name).Value(); }
    bool Has(std::string_view name) const;
    std::size_t Size() const { return end - offset; }
};

// Reads fields into records from an area's bytes, from `at` up to `end`.
class ImageCursor {
public:
    ImageCursor(const std::vector<std::uint8_t>& bytes, std::size_t at, std::size_t end)
        : m_bytes(bytes), m_at(at), m_end(end)
    {
    }

    std::size_t At() const { return m_at; }
    std::size_t End() const { return m_end; }

    WalkedRecord Begin(std::string kind) const;
    void Finish(WalkedRecord& record) const { record.end = m_at; }

    unsigned U8(WalkedRecord& record, std::string name) { return Take(record, std::move(name), 1).Value(); }
    unsigned U16(WalkedRecord& record, std::string name) { return Take(record, std::move(name), 2).Value(); }
    unsigned U32(WalkedRecord& record, std::string name) { return Take(record, std::move(name), 4).Value(); }
    unsigned U16Be(WalkedRecord& record, std::string name);
    const WalkedField& Take(WalkedRecord& record, std::string name, std::size_t count);
    // [n][n bytes]: a device command or a coded text counted in bytes.
    const WalkedField& Counted(WalkedRecord& record, std::string name);
    // [n][n characters]: a static text, whose double-byte characters take
    // two coded bytes each.
    const WalkedField& Characters(WalkedRecord& record, std::string name);

    // A WalkError naming the cursor's offset unless `ok`.
    void Expect(bool ok, std::string_view what) const;

private:
    const std::vector<std::uint8_t>& m_bytes;
    std::size_t m_at;
    std::size_t m_end;
};
