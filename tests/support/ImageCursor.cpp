#include "support/ImageCursor.h"

unsigned WalkedField::Value() const
{
    unsigned value = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i)
        value = value * 256 + static_cast<std::uint8_t>(bytes[highFirst ? i : bytes.size() - 1 - i]);
    return value;
}

const WalkedField& WalkedRecord::Field(std::string_view name) const
{
    for (const WalkedField& field : fields)
        if (field.name == name)
            return field;
    throw WalkError(kind + " at " + std::to_string(offset) + " has no field " + std::string(name));
}

bool WalkedRecord::Has(std::string_view name) const
{
    for (const WalkedField& field : fields)
        if (field.name == name)
            return true;
    return false;
}

WalkedRecord ImageCursor::Begin(std::string kind) const
{
    WalkedRecord record;
    record.kind = std::move(kind);
    record.offset = m_at;
    record.end = m_at;
    return record;
}

const WalkedField& ImageCursor::Take(WalkedRecord& record, std::string name, std::size_t count)
{
    Expect(count <= m_end - m_at, "room for " + name);
    WalkedField field{std::move(name), m_at,
        std::string(reinterpret_cast<const char*>(m_bytes.data() + m_at), count)};
    m_at += count;
    record.end = m_at;
    record.fields.push_back(std::move(field));
    return record.fields.back();
}

unsigned ImageCursor::U16Be(WalkedRecord& record, std::string name)
{
    Take(record, std::move(name), 2);
    record.fields.back().highFirst = true;
    return record.fields.back().Value();
}

const WalkedField& ImageCursor::Counted(WalkedRecord& record, std::string name)
{
    const unsigned count = U8(record, name + " length");
    return Take(record, std::move(name), count);
}

const WalkedField& ImageCursor::Characters(WalkedRecord& record, std::string name)
{
    const unsigned characters = U8(record, name + " characters");
    std::size_t bytes = 0;
    for (unsigned c = 0; c < characters; ++c) {
        Expect(m_at + bytes < m_end, "room for " + name);
        bytes += m_bytes[m_at + bytes] >= 0x80 ? 2 : 1;
    }
    return Take(record, std::move(name), bytes);
}

void ImageCursor::Expect(bool ok, std::string_view what) const
{
    if (!ok)
        throw WalkError("at " + std::to_string(m_at) + ": " + std::string(what));
}
