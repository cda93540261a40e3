#include "support/PanelImageWalker.h"

#include <algorithm>

namespace {

constexpr unsigned kMainAddress = 0x6000;
constexpr unsigned kNoScreen = 0xFF01;
constexpr unsigned kNone = 0xF000;
constexpr std::size_t kGlyphBytes = 32;

class MainWalker {
public:
    MainWalker(const std::vector<std::uint8_t>& bytes, const WalkedHeader& header)
        : m_in(bytes, 0, bytes.size()), m_header(header)
    {
    }

    WalkedMainArea Walk()
    {
        WalkGlyphs();
        // The table's entries other than 01 FF are the screens, the last of
        // them the alarm screen when the project has alarm blocks.
        std::vector<unsigned> places;
        for (const WalkedField& entry : m_header.screenTable.fields)
            if (entry.Value() != kNoScreen)
                places.push_back(entry.Value());
        const bool alarms = m_header.fixed.Value("alarm count") > 0;
        m_in.Expect(places.size() >= (alarms ? 1u : 0u), "screen table without the alarm screen");
        const std::size_t screens = places.size() - (alarms ? 1 : 0);
        for (std::size_t k = 0; k < screens; ++k) {
            m_in.Expect(std::find(places.begin(), places.end(), Address()) != places.end(),
                "a screen record the screen table does not name");
            m_main.screens.push_back(WalkScreen());
        }
        if (alarms) {
            m_in.Expect(places.back() == Address(), "alarm screen place");
            m_main.alarmScreen = WalkAlarmScreen();
        }
        m_in.Expect(m_in.At() - m_main.projectDataOffset == m_header.summary.Value("description table"),
            "description table place");
        WalkDescriptions();
        if (m_header.fixed.Value("not readable") == 0) {
            WalkedRecord text = m_in.Begin("table text");
            m_in.Take(text, "text", m_in.U16Be(text, "length"));
            m_main.tableText = std::move(text);
        }
        m_main.end = m_in.At();
        return std::move(m_main);
    }

private:
    unsigned Address() const { return kMainAddress + static_cast<unsigned>(m_in.At()); }

    void WalkGlyphs()
    {
        WalkedRecord& r = m_main.glyphs = m_in.Begin("glyph table");
        const unsigned count = m_in.U16Be(r, "count");
        m_in.Expect(count == m_header.summary.Value("glyphs"), "glyph count against the summary");
        m_in.Take(r, "glyphs", kGlyphBytes * count);
        m_in.Take(r, "codes", 2 * count);
        m_main.projectDataOffset = m_in.At();
    }

    void WalkHead(WalkedScreen& screen)
    {
        WalkedRecord& r = screen.head = m_in.Begin("screen");
        m_in.U8(r, "elements");
        m_in.U8(r, "registers");
        m_in.U16(r, "up");
        m_in.U16(r, "down");
        m_in.U8(r, "port");
        m_in.U8(r, "polls");
    }

    WalkedScreen WalkScreen()
    {
        WalkedScreen screen;
        WalkHead(screen);
        const WalkedRecord& head = screen.head;
        for (unsigned p = 0; p < head.Value("polls"); ++p) {
            WalkedRecord r = m_in.Begin("poll");
            m_in.Counted(r, "read");
            m_in.U8(r, "format");
            m_in.Take(r, "items", 4 * m_in.U8(r, "item count"));
            screen.polls.push_back(std::move(r));
        }
        for (unsigned e = 0; e < head.Value("elements"); ++e)
            screen.elements.push_back(WalkElement());
        return screen;
    }

    WalkedRecord WalkElement()
    {
        WalkedRecord r = m_in.Begin("element");
        const unsigned type = m_in.U8(r, "type");
        switch (type) {
        case 1:
            r.kind = "static text";
            XY(r);
            m_in.U8(r, "flags");
            m_in.Characters(r, "text");
            break;
        case 2: {
            r.kind = "picture";
            XY(r);
            const unsigned w = m_in.U8(r, "w");
            const unsigned h = m_in.U8(r, "h");
            m_in.U8(r, "bytes per dot");
            const unsigned length = m_in.U16(r, "data length");
            m_in.Expect(length == w * ((h + 7) / 8), "picture data length");
            m_in.Take(r, "data", length);
            break;
        }
        case 6:
            r.kind = "lamp";
            XY(r);
            m_in.U8(r, "word");
            m_in.U8(r, "bit");
            m_in.U8(r, "style");
            break;
        case 7: {
            r.kind = "function key";
            XY(r);
            m_in.U8(r, "level");
            m_in.U8(r, "key");
            const unsigned flags = m_in.U8(r, "flags");
            m_in.U8(r, "group");
            WalkKeyAction(m_in, r, m_in.U8(r, "action"), (flags & 0x10) != 0, true);
            break;
        }
        case 8:
            WalkDynamicText(r);
            break;
        case 9:
            WalkRegister(r);
            break;
        case 10: {
            r.kind = "bar";
            XY(r);
            m_in.U8(r, "register count - 1");
            m_in.U8(r, "word");
            const bool wide = (m_in.U8(r, "options") & 0x10) != 0;
            m_in.U8(r, "w");
            m_in.U8(r, "h");
            Values(r, {"full scale", "zero"}, wide);
            break;
        }
        case 11: {
            r.kind = "curve";
            m_in.U8(r, "x");
            m_in.U8(r, "bottom");
            m_in.U8(r, "register count - 1");
            m_in.U8(r, "w");
            m_in.U8(r, "h");
            m_in.U8(r, "word");
            const bool wide = (m_in.U8(r, "options") & 0x10) != 0;
            m_in.U8(r, "points");
            m_in.U16(r, "interval");
            m_in.U8(r, "ordinal");
            m_in.U16(r, "sample start");
            Values(r, {"full scale", "zero"}, wide);
            break;
        }
        default:
            m_in.Expect(false, "element type " + std::to_string(type));
        }
        return r;
    }

    void XY(WalkedRecord& r)
    {
        m_in.U8(r, "x");
        m_in.U8(r, "y");
    }

    void Values(WalkedRecord& r, std::initializer_list<const char*> names, bool wide)
    {
        for (const char* name : names)
            m_in.Take(r, name, wide ? 4 : 2);
    }

    void WalkDynamicText(WalkedRecord& r)
    {
        r.kind = "dynamic text";
        XY(r);
        m_in.U8(r, "word");
        const unsigned flags = m_in.U8(r, "flags");
        const unsigned count = m_in.U8(r, "entries or bit");
        if (flags & 0x04) {
            m_in.Counted(r, "text 0");
            m_in.Counted(r, "text 1");
            return;
        }
        for (unsigned k = 0; k < count; ++k) {
            m_in.U16(r, "value " + std::to_string(k));
            m_in.Counted(r, "text " + std::to_string(k));
        }
    }

    void WalkRegister(WalkedRecord& r)
    {
        r.kind = "register";
        XY(r);
        m_in.U8(r, "level");
        const unsigned countCode = m_in.U8(r, "register count - 1");
        m_in.U8(r, "group");
        const unsigned settable = m_in.U8(r, "settable");
        m_in.U8(r, "word");
        const unsigned flags = m_in.U8(r, "flags");
        m_in.U8(r, "digits");
        m_in.U8(r, "ordinal");
        const bool wide = (countCode & 1) != 0 || (flags & 0x10) != 0;
        Values(r, {"raw upper", "raw lower"}, wide);
        if (flags & 0x40)
            Values(r, {"engineering upper", "engineering lower"}, wide);
        if (settable) {
            m_in.Counted(r, "write");
            m_in.U8(r, "write format");
            m_in.U8(r, "write data");
        }
    }

    WalkedScreen WalkAlarmScreen()
    {
        WalkedScreen screen;
        WalkHead(screen);
        const WalkedRecord& head = screen.head;
        m_in.Expect(head.Value("elements") == 1, "one alarm list");
        const unsigned blocks = m_header.fixed.Value("alarm count");
        m_in.Expect(head.Value("polls") == 0 || head.Value("polls") == blocks, "alarm reads");
        for (unsigned b = 0; b < head.Value("polls"); ++b) {
            const unsigned address = m_header.alarms[b].Value("read address");
            m_in.Expect(address == Address(), "alarm entry points at its read");
            WalkedRecord r = m_in.Begin("alarm poll");
            m_in.Counted(r, "read");
            m_in.U8(r, "format");
            m_in.U8(r, "one");
            m_in.U8(r, "reply position");
            m_in.U8(r, "bit");
            m_in.U8(r, "alarms");
            m_in.U8(r, "group");
            screen.polls.push_back(std::move(r));
        }
        if (head.Value("polls") == 0)
            for (const WalkedRecord& entry : m_header.alarms)
                m_in.Expect(entry.Value("read address") == kNone, "an alarm read that is not there");

        WalkedRecord list = m_in.Begin("alarm list");
        m_in.Expect(m_in.U8(list, "type") == 12, "alarm list type");
        m_in.Expect(m_in.U8(list, "blocks") == blocks, "alarm list blocks");
        for (unsigned b = 0; b < blocks; ++b) {
            const std::string block = "block " + std::to_string(b);
            const unsigned alarms = m_in.U8(list, block + " alarms");
            m_in.U8(list, block + " word");
            m_in.U8(list, block + " bit");
            for (unsigned a = 0; a < alarms; ++a)
                m_in.Counted(list, block + " text " + std::to_string(a));
        }
        screen.elements.push_back(std::move(list));
        return screen;
    }

    // [flag], then per screen its number and, with the flag, its description;
    // each number's table entry is the place its record was found at.
    void WalkDescriptions()
    {
        WalkedRecord& r = m_main.descriptions = m_in.Begin("descriptions");
        const unsigned withTexts = m_in.U8(r, "with descriptions");
        const auto& table = m_header.screenTable.fields;
        for (const WalkedScreen& screen : m_main.screens) {
            const unsigned number = m_in.U16(r, "number");
            if (withTexts == 1)
                m_in.Counted(r, "description");
            m_in.Expect(number >= 1 && number <= table.size()
                    && table[number - 1].Value() == kMainAddress + screen.head.offset,
                "screen " + std::to_string(number) + " is not where its table entry points");
        }
    }

    ImageCursor m_in;
    const WalkedHeader& m_header;
    WalkedMainArea m_main;
};

} // namespace

WalkedMainArea WalkMainArea(const std::vector<std::uint8_t>& main, const WalkedHeader& header)
{
    return MainWalker(main, header).Walk();
}
