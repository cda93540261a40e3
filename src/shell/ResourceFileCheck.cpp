#include "shell/ResourceFileCheck.h"

#include "base/ByteOrder.h"

#include <cstdint>
#include <vector>

namespace {

constexpr std::uint32_t kDirectoryFlag = 0x02;
constexpr std::uint32_t kZlibFlag = 0x01;
constexpr std::uint32_t kZstdFlag = 0x04;
constexpr std::uint32_t kZstdMagic = 0xFD2FB528;

// Whether a zstd frame states a content size that may be unpacked. A frame
// that states none is not unpacked by Qt at all.
bool ZstdContentSizeFits(std::string_view frame)
{
    if (frame.size() < 5 || LittleEndianAt(frame, 0, 4) != kZstdMagic)
        return false;
    const unsigned descriptor = static_cast<unsigned char>(frame[4]);
    const unsigned sizeFlag = descriptor >> 6;
    const bool singleSegment = (descriptor >> 5) & 1;
    static constexpr int kDictionaryIdBytes[] = {0, 1, 2, 4};
    static constexpr int kSizeBytes[] = {0, 2, 4, 8};
    const int sizeBytes = sizeFlag == 0 && singleSegment ? 1 : kSizeBytes[sizeFlag];
    if (sizeBytes == 0)
        return true; // no size stated: Qt unpacks nothing
    const std::uint64_t at = 5 + (singleSegment ? 0 : 1) + kDictionaryIdBytes[descriptor & 3];
    if (at + static_cast<std::uint64_t>(sizeBytes) > frame.size())
        return false;
    const std::uint64_t size = LittleEndianAt(frame, at, sizeBytes) + (sizeBytes == 2 ? 256 : 0);
    return size <= kMaxUnpackedResourceEntry;
}

class ResourceWalk {
public:
    explicit ResourceWalk(std::string_view bytes) : m_bytes(bytes) {}

    bool Run()
    {
        if (!Fits(0, 20) || m_bytes.substr(0, 4) != "qres")
            return false;
        const std::uint64_t version = BigEndianAt(m_bytes, 4, 4);
        if (version < 1 || version > 3)
            return false;
        if (!Offset(8, m_tree) || !Offset(16, m_names) || !Offset(12, m_data))
            return false;
        if (version >= 3) {
            if (!Fits(20, 4) || (BigEndianAt(m_bytes, 20, 4) & ~(kZlibFlag | kZstdFlag)) != 0)
                return false;
        }
        m_nodeSize = version >= 2 ? 22 : 14;
        m_visited.assign(m_bytes.size() / m_nodeSize + 1, false);
        return Nodes();
    }

private:
    bool Fits(std::uint64_t at, std::uint64_t length) const
    {
        return at <= m_bytes.size() && length <= m_bytes.size() - at;
    }

    // A header offset: Qt reads it as a signed number and wants it inside the file.
    bool Offset(std::uint64_t at, std::uint64_t& offset) const
    {
        offset = BigEndianAt(m_bytes, at, 4);
        return offset < m_bytes.size();
    }

    // A name inside the file that a path can reach: not empty, ".", ".." or
    // holding "/" (a directory of such a name would list itself for ever).
    bool Name(std::uint64_t node) const
    {
        const std::uint64_t at = m_names + BigEndianAt(m_bytes, node, 4);
        if (!Fits(at, 6))
            return false;
        const std::uint64_t length = BigEndianAt(m_bytes, at, 2);
        if (length == 0 || !Fits(at + 6, 2 * length))
            return false;
        std::uint64_t dots = 0;
        for (std::uint64_t k = 0; k < length; ++k) {
            const std::uint64_t unit = BigEndianAt(m_bytes, at + 6 + 2 * k, 2);
            if (unit == '/')
                return false;
            dots += unit == '.';
        }
        return dots != length || length > 2;
    }

    bool Data(std::uint64_t node, std::uint32_t flags) const
    {
        const std::uint64_t at = m_data + BigEndianAt(m_bytes, node + 10, 4);
        if (!Fits(at, 4))
            return false;
        const std::uint64_t size = BigEndianAt(m_bytes, at, 4);
        if (!Fits(at + 4, size))
            return false;
        const std::string_view payload = m_bytes.substr(at + 4, size);
        if ((flags & kZlibFlag) && (flags & kZstdFlag))
            return false;
        if (flags & kZlibFlag)
            return size >= 4 && BigEndianAt(payload, 0, 4) <= kMaxUnpackedResourceEntry;
        if (flags & kZstdFlag)
            return ZstdContentSizeFits(payload);
        return true;
    }

    // Every node from the root, each checked before Qt could follow it.
    bool Nodes()
    {
        std::vector<std::uint64_t> pending{0};
        while (!pending.empty()) {
            const std::uint64_t index = pending.back();
            pending.pop_back();
            const std::uint64_t node = m_tree + index * m_nodeSize;
            if (index >= m_visited.size() || m_visited[index] || !Fits(node, m_nodeSize))
                return false;
            m_visited[index] = true;
            if (!Name(node))
                return false;
            const auto flags = static_cast<std::uint32_t>(BigEndianAt(m_bytes, node + 4, 2));
            if (!(flags & kDirectoryFlag)) {
                if (!Data(node, flags))
                    return false;
                continue;
            }
            const std::uint64_t count = BigEndianAt(m_bytes, node + 6, 4);
            const std::uint64_t first = BigEndianAt(m_bytes, node + 10, 4);
            if (count > m_visited.size() || first > m_visited.size())
                return false;
            for (std::uint64_t child = first; child < first + count; ++child)
                pending.push_back(child);
        }
        return true;
    }

    std::string_view m_bytes;
    std::uint64_t m_tree = 0;
    std::uint64_t m_names = 0;
    std::uint64_t m_data = 0;
    std::uint64_t m_nodeSize = 0;
    std::vector<bool> m_visited;
};

} // namespace

bool IsSoundResourceFile(std::string_view bytes)
{
    return ResourceWalk(bytes).Run();
}
