#include "transfer/image/ScreenRebuild.h"

#include "base/FormatError.h"
#include "devices/AddressLookup.h"
#include "model/CVX50TextDoc.h"
#include "model/elements/CFuncKeyElement.h"
#include "model/elements/CGraphElement.h"
#include "model/elements/CLampElement.h"
#include "model/elements/CPictureElement.h"
#include "model/elements/CRegisterElement.h"
#include "model/elements/CTextElement.h"
#include "transfer/image/ImageLayout.h"
#include "transfer/image/KeyActionReader.h"

#include <algorithm>
#include <memory>
#include <optional>

namespace {

constexpr int kBitSlotLimit = 0x20;
constexpr int kWordBitSlot = 16;
constexpr int kWordBitReply = 0x80;
constexpr int kMostEntries = 500;
constexpr int kDisplayWidth = 192;
constexpr int kDisplayHeight = 64;
constexpr std::uint8_t kClearDot = 0xFF;
constexpr std::uint8_t kSetDot = 0;
constexpr int kSignedFormat = 3;

struct StoredItem {
    int reply = 0;
    int slot = 0;
    int memory = 0;
    int group = 0;
    bool IsBit() const { return slot < kBitSlotLimit; }
};

struct StoredPoll {
    std::string command;
    std::vector<StoredItem> items;
};

// An element's device address found through its poll item.
struct FoundAddress {
    int address = 0;
    int station = 0;
    int group = 0;
    int bit = 0;
    int slot = 0;
};

class ScreenReader {
public:
    ScreenReader(ByteReader& in, int screenIndex, const ScreenRebuildContext& context)
        : m_in(in), m_screen(screenIndex), m_context(context), m_doc(context.doc)
    {
    }

    void Read()
    {
        const int elements = m_in.U8();
        m_in.U8(); // register count: derived again by a write
        ScreenRecord& screen = m_doc.Screens[static_cast<std::size_t>(m_screen)];
        screen.UpKeyScreen = m_context.screenNumber(m_in.U16Le());
        screen.DownKeyScreen = m_context.screenNumber(m_in.U16Le());
        screen.Port = m_in.U8();
        const int polls = m_in.U8();
        for (int p = 0; p < polls; ++p)
            ReadPoll();
        m_doc.WorkingElements.clear();
        for (int e = 0; e < elements; ++e)
            ReadElement();
    }

private:
    // [n][read command][data format][c][c items].
    void ReadPoll()
    {
        StoredPoll poll;
        poll.command = ReadCommand(m_in);
        m_in.U8();
        const int items = m_in.U8();
        for (int k = 0; k < items; ++k) {
            StoredItem item;
            item.reply = m_in.U8();
            item.slot = m_in.U8();
            item.memory = m_in.U8();
            item.group = m_in.U8();
            poll.items.push_back(item);
        }
        m_polls.push_back(std::move(poll));
    }

    bool IsWideGroup(int group) const
    {
        const auto& table = m_doc.AddressTable;
        if (group < 0 || group >= static_cast<int>(table.size()))
            return false;
        const ElementGroup& g = table[static_cast<std::size_t>(group)];
        return g.elementType == Word32ElementType && g.interval32 == 1;
    }

    // The first item of the screen's polls that `matches`, with its address.
    template <typename Match> std::optional<FoundAddress> Find(Match matches) const
    {
        for (const StoredPoll& poll : m_polls)
            for (const StoredItem& item : poll.items)
                if (matches(item))
                    return AddressOf(poll, item);
        return std::nullopt;
    }

    // A word's address lies (reply position - data start) / width past the
    // read's start; two registers at one address of a 32-bit group of
    // interval 1 take 4 bytes. A bit's address is the library's: a coil's
    // bit number is 0, a bit in a word has its own.
    FoundAddress AddressOf(const StoredPoll& poll, const StoredItem& item) const
    {
        FoundAddress found;
        found.group = item.group;
        found.slot = item.slot;
        DecodedCommand decoded;
        if (item.IsBit()) {
            const bool wordBit = item.slot >= kWordBitSlot;
            decoded = m_context.decoder.Decode(0, poll.command, item.reply + (wordBit ? kWordBitReply : 0),
                item.memory % 16);
            found.bit = wordBit ? item.memory % 16 : 0;
            if (decoded.Ok())
                found.address = decoded.Address();
        } else {
            decoded = m_context.decoder.Decode(0, poll.command);
            if (decoded.Ok())
                found.address = decoded.Address() + (item.reply - decoded.out3) / (IsWideGroup(item.group) ? 4 : 2);
        }
        if (decoded.Ok())
            found.station = decoded.Station();
        return found;
    }

    std::optional<FoundAddress> FindWord(int position) const
    {
        return Find([&](const StoredItem& item) { return !item.IsBit() && item.memory == position; });
    }
    std::optional<FoundAddress> FindBit(int word, int bitIndex) const
    {
        return Find([&](const StoredItem& item) {
            return item.IsBit() && item.slot % 16 == word && item.memory / 16 == bitIndex;
        });
    }

    void ReadElement()
    {
        const int type = m_in.U8();
        switch (type) {
        case LampRecord:
            ReadLamp();
            break;
        case FuncKeyRecord:
            ReadFuncKey();
            break;
        case DynamicTextRecord:
            ReadDynamicText();
            break;
        case RegisterRecord:
            ReadRegister();
            break;
        case BarRecord:
        case CurveRecord:
            ReadGraph(type == CurveRecord);
            break;
        case StaticTextRecord:
            ReadStaticText();
            break;
        case PictureRecord:
            ReadPicture();
            break;
        default:
            throw FormatError("element record type " + std::to_string(type));
        }
    }

    // [6][x][y][word][bit index][style].
    void ReadLamp()
    {
        const int x = m_in.U8();
        const int y = m_in.U8();
        const int word = m_in.U8();
        const int bitIndex = m_in.U8();
        const int style = m_in.U8();
        const FoundAddress found = FindBit(word, bitIndex).value_or(FoundAddress{});
        auto lamp = std::make_shared<CLampElement>();
        lamp->LoadFromPanelRecord(m_doc, x, y, style, found.address, found.group, found.station, 0, 0, found.bit,
            m_screen);
    }

    // [9][x][y][password][register count - 1][group][settable][position]
    // [flags][decimals x 16 + digits][ordinal][limits][write command].
    void ReadRegister()
    {
        CRegisterElement::PanelRecord record;
        record.x = m_in.U8();
        record.y = m_in.U8();
        record.passwordValue = m_in.U8();
        record.registerCount = (m_in.U8() & 1) + 1;
        const int group = m_in.U8();
        record.settable = m_in.U8() == 1 ? 1 : 0;
        const int position = m_in.U8();
        record.flags = m_in.U8();
        const int digits = m_in.U8();
        record.digits = digits & 0x0F;
        record.decimals = digits >> 4;
        m_in.U8();
        const bool wide = record.registerCount == 2 || (record.flags & 0x10) != 0;
        const bool isSigned = ((record.flags >> 2) & 3) == kSignedFormat;
        record.wordSize = ((record.flags & 0x10) ? 32 : 16) / record.registerCount;
        record.rawUpper = ReadValue(m_in, wide, isSigned);
        record.rawLower = ReadValue(m_in, wide, isSigned);
        if (record.flags & 0x40) {
            record.engUpper = ReadValue(m_in, wide, isSigned);
            record.engLower = ReadValue(m_in, wide, isSigned);
        }
        std::string write;
        if (record.settable) {
            write = ReadCommand(m_in);
            m_in.Skip(2);
        }
        record.groupIndex = group;
        if (position == kUnpolledPosition) {
            // Not polled: the address is its own write command's, if any.
            record.station = 0;
            const DecodedCommand decoded = m_context.decoder.Decode(0, write);
            if (record.settable && decoded.Ok())
                record.wordAddress = decoded.Address();
        } else if (const std::optional<FoundAddress> found = FindWord(position)) {
            record.wordAddress = found->address;
            record.station = found->station;
            record.groupIndex = found->group;
        }
        // A register the image names only by its group (neither polled nor
        // settable) comes back unbound: a group without its element would be
        // saved as an address that opening enters into the device's table.
        auto reg = std::make_shared<CRegisterElement>();
        reg->LoadFromPanelRecord(m_doc, record, m_screen);
    }

    // Bar: [10][x][y][register count - 1][position][options][w][h][full][zero].
    // Curve: [11][x][bottom][register count - 1][w][h][position][options]
    // [points][interval][ordinal][first sample][full][zero].
    void ReadGraph(bool curve)
    {
        CGraphElement::PanelRecord record;
        record.x = m_in.U8();
        const int yOrBottom = m_in.U8();
        record.registerCount = (m_in.U8() & 1) + 1;
        int position = 0;
        if (curve) {
            record.width = m_in.U8();
            record.height = m_in.U8();
            position = m_in.U8();
            record.format = m_in.U8();
            record.dataPoints = m_in.U8();
            record.sampleInterval = m_in.U16Le();
            m_in.Skip(3);
            record.y = yOrBottom + 1 - record.height;
        } else {
            position = m_in.U8();
            record.format = m_in.U8();
            record.width = m_in.U8();
            record.height = m_in.U8();
            record.y = yOrBottom;
        }
        const bool wide = (record.format & 0x10) != 0;
        const bool isSigned = ((record.format >> 2) & 3) == kSignedFormat;
        record.wordSize = record.registerCount == 2 || !wide ? 16 : 32;
        record.fullScale = ReadValue(m_in, wide, isSigned);
        record.zero = ReadValue(m_in, wide, isSigned);
        if (!m_context.withoutLibrary) {
            const FoundAddress found = FindWord(position).value_or(FoundAddress{});
            record.wordAddress = found.address;
            record.station = found.station;
            record.groupIndex = found.group;
        }
        auto graph = std::make_shared<CGraphElement>(curve ? 1 : 0);
        graph->LoadFromPanelRecord(m_doc, record, m_screen);
        if (m_context.withoutLibrary)
            graph->AddressText = std::to_string(position);
    }

    // [1][x][y][flags][characters][units].
    void ReadStaticText()
    {
        CTextElement::PanelRecord record;
        record.x = m_in.U8();
        record.y = m_in.U8();
        record.flags = m_in.U8();
        record.texts.push_back(m_context.text.ReadUnits(m_in, m_in.U8()));
        auto text = std::make_shared<CTextElement>(0);
        text->LoadFromPanelRecord(m_doc, record, m_screen);
    }

    // [8][x][y][word][flags][entries or bit index][entries]. A word-bound
    // text's entries are [value][count][bytes]; a bit-bound one always has
    // two, for 0 and 1, and an empty one for 1 is dropped.
    void ReadDynamicText()
    {
        CTextElement::PanelRecord record;
        record.x = m_in.U8();
        record.y = m_in.U8();
        const int word = m_in.U8();
        record.flags = m_in.U8();
        const bool bitBound = (record.flags & 0x04) != 0;
        const int countOrBit = m_in.U8();
        std::optional<FoundAddress> found;
        if (bitBound) {
            record.wordSize = 0;
            for (int state = 0; state < 2; ++state) {
                std::string entry = m_context.text.ReadBytes(m_in, m_in.U8());
                if (state == 0 || !entry.empty()) {
                    record.texts.push_back(std::move(entry));
                    record.values.push_back(state);
                }
            }
            if (!m_context.withoutLibrary)
                found = FindBit(word, countOrBit);
        } else {
            record.wordSize = 16;
            if (countOrBit > kMostEntries)
                throw FormatError("a dynamic text of " + std::to_string(countOrBit) + " entries");
            for (int k = 0; k < countOrBit; ++k) {
                record.values.push_back(m_in.U16Le());
                record.texts.push_back(m_context.text.ReadBytes(m_in, m_in.U8()));
            }
            if (!m_context.withoutLibrary)
                found = FindWord(word);
        }
        if (found) {
            record.wordAddress = found->address;
            record.station = found->station;
            record.groupIndex = found->group;
            record.bit = found->bit;
        }
        auto text = std::make_shared<CTextElement>(1);
        text->LoadFromPanelRecord(m_doc, record, m_screen);
        if (m_context.withoutLibrary)
            text->AddressText = std::to_string(word);
    }

    // [2][x][y][w][h][bytes per dot][data length][data]: pages of 8 rows, w
    // bytes a page, bit 0 the top row. Only a picture the display can show
    // whose data fills exactly its pages is taken.
    void ReadPicture()
    {
        const int x = m_in.U8();
        const int y = m_in.U8();
        const int width = m_in.U8();
        const int height = m_in.U8();
        m_in.U8();
        const int length = m_in.U16Le();
        if (width < 1 || width > kDisplayWidth || height < 1 || height > kDisplayHeight
            || length != width * ((height + 7) / 8))
            throw FormatError("a picture of " + std::to_string(width) + " x " + std::to_string(height) + " with "
                + std::to_string(length) + " bytes");
        const std::string data = m_in.Bytes(static_cast<std::size_t>(length));
        std::string dots(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), static_cast<char>(kClearDot));
        for (int row = 0; row < height; ++row)
            for (int column = 0; column < width; ++column) {
                const auto byte = static_cast<std::uint8_t>(data[static_cast<std::size_t>(row / 8 * width + column)]);
                if (byte >> (row % 8) & 1)
                    dots[static_cast<std::size_t>(row * width + column)] = static_cast<char>(kSetDot);
            }
        auto picture = std::make_shared<CPictureElement>();
        picture->LoadFromPanelRecord(m_doc, x, y, width, height, length, dots, m_screen);
    }

    // [7][x][y][level + 1][key][flags][group][action code][action bytes].
    void ReadFuncKey()
    {
        const int x = m_in.U8();
        const int y = m_in.U8();
        const int level = m_in.U8();
        const int key = m_in.U8();
        const int flags = m_in.U8();
        const int group = m_in.U8();
        const int code = m_in.U8();
        KeyActionRead action = ReadKeyAction(m_in, code,
            {static_cast<std::uint8_t>(flags), true, m_doc.HighFront}, m_context.decoder);
        const AddressNames ownNames = FindPlainAddressNames(m_doc.AddressTable, group, action.addressByte);
        // Without the library only a jump is bound to no group.
        if (action.withoutLibrary && ownNames.group.empty() && action.action != DecrementAction)
            action.action = JumpAction;
        const int target = action.action == JumpAction ? m_context.screenNumber(action.targetScreen) : 1;
        auto element = std::make_shared<CFuncKeyElement>();
        element->LoadFromPanelRecord(m_doc, x, y, key, flags, action.address, action.station, action.action,
            action.coilOperation, target, action.registerCount, action.wordSize, group, action.bit, level,
            action.limit, action.step, m_screen);
        element->SetValue = action.value;
        if (action.withoutLibrary) {
            element->AddressText = std::to_string(action.addressByte);
            element->RawLowAddress = action.lowAddressByte;
            element->GroupName = ownNames.group;
            element->ElementName = ownNames.element;
        }
    }

    ByteReader& m_in;
    int m_screen;
    const ScreenRebuildContext& m_context;
    CVX50TextDoc& m_doc;
    std::vector<StoredPoll> m_polls;
};

} // namespace

void RebuildScreen(ByteReader& in, int screenIndex, const ScreenRebuildContext& context)
{
    ScreenReader(in, screenIndex, context).Read();
}
