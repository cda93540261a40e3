#include "base/PackedText.h"

#include <atomic>
#include <cstring>
#include <new>
#include <ostream>

// The bytes of a long text follow the block's header. Blocks come from
// operator new, so their address is even: its lowest bit tells them from
// bytes in place.
struct PackedText::Block {
    std::atomic<std::uint32_t> references{1};
    std::uint32_t size = 0;

    char* Bytes() { return reinterpret_cast<char*>(this + 1); }
};

static_assert(sizeof(PackedText) == sizeof(void*));

PackedText::PackedText(std::string_view text)
{
    if (text.empty())
        return;
    if (text.size() <= kInPlaceBytes) {
        m_bytes[0] = static_cast<unsigned char>(text.size() * 2 + 1);
        std::memcpy(m_bytes + 1, text.data(), text.size());
        return;
    }
    void* memory = ::operator new(sizeof(Block) + text.size());
    Block* block = new (memory) Block;
    block->size = static_cast<std::uint32_t>(text.size());
    std::memcpy(block->Bytes(), text.data(), text.size());
    std::memcpy(m_bytes, &block, sizeof block);
}

PackedText::PackedText(const PackedText& other)
{
    std::memcpy(m_bytes, other.m_bytes, sizeof m_bytes);
    if (Block* block = HeldBlock())
        block->references.fetch_add(1, std::memory_order_relaxed);
}

PackedText::PackedText(PackedText&& other) noexcept
{
    std::memcpy(m_bytes, other.m_bytes, sizeof m_bytes);
    std::memset(other.m_bytes, 0, sizeof other.m_bytes);
}

PackedText& PackedText::operator=(const PackedText& other)
{
    if (this != &other) {
        PackedText copy(other);
        *this = std::move(copy);
    }
    return *this;
}

PackedText& PackedText::operator=(PackedText&& other) noexcept
{
    if (this != &other) {
        Release();
        std::memcpy(m_bytes, other.m_bytes, sizeof m_bytes);
        std::memset(other.m_bytes, 0, sizeof other.m_bytes);
    }
    return *this;
}

PackedText& PackedText::operator=(std::string_view text)
{
    // Made first: `text` may view this very text.
    return *this = PackedText(text);
}

PackedText::~PackedText()
{
    Release();
}

PackedText::Block* PackedText::HeldBlock() const
{
    if (InPlace())
        return nullptr;
    Block* block = nullptr;
    std::memcpy(&block, m_bytes, sizeof block);
    return block;
}

void PackedText::Release()
{
    Block* block = HeldBlock();
    if (block && block->references.fetch_sub(1, std::memory_order_acq_rel) == 1) {
        block->~Block();
        ::operator delete(block);
    }
    std::memset(m_bytes, 0, sizeof m_bytes);
}

std::string_view PackedText::View() const
{
    if (InPlace())
        return {reinterpret_cast<const char*>(m_bytes + 1), static_cast<std::size_t>(m_bytes[0] >> 1)};
    if (Block* block = HeldBlock())
        return {block->Bytes(), block->size};
    return {};
}

std::ostream& operator<<(std::ostream& out, const PackedText& text)
{
    return out << text.View();
}
