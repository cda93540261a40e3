#include "support/PanelImageWalker.h"

#include <utility>

namespace {

constexpr unsigned kHeaderAddress = 0xF000;
constexpr unsigned kNone = 0xF000;
constexpr std::size_t kFixedLength = 61;

// The fixed part, byte by byte.
const std::pair<const char*, std::size_t> kFixedFields[] = {
    {"zero", 1}, {"rs485 baud", 1}, {"rs485 line", 1}, {"com1 baud", 1}, {"com1 line", 1},
    {"hex commands", 1}, {"head and tail", 1}, {"check type", 1}, {"frame address", 2},
    {"password address", 2}, {"default port", 1}, {"screen count", 2}, {"main screen", 2},
    {"first glyph", 2}, {"screen table address", 2}, {"alarm count", 1}, {"encrypt", 1},
    {"alarm address", 2}, {"button count", 1}, {"button address", 2}, {"screen switching", 1},
    {"control port", 1}, {"reserved 30", 1}, {"control read address", 2}, {"control write address", 2},
    {"report write address", 2}, {"saver seconds", 2}, {"saver screen", 2}, {"high front", 1},
    {"copy source count", 1}, {"copy source address", 2}, {"copy target count", 1},
    {"copy target address", 2}, {"device class", 1}, {"comm time", 1}, {"retries", 1}, {"reply wait", 1},
    {"not readable", 1}, {"reserved 53", 7}, {"version", 1},
};

class HeaderWalker {
public:
    explicit HeaderWalker(const std::vector<std::uint8_t>& bytes) : m_in(bytes, 0, bytes.size()) {}

    WalkedHeader Walk()
    {
        WalkFixedPart();
        const unsigned sources = Fixed("copy source count");
        m_in.Expect(Fixed("copy source address") == kHeaderAddress + kFixedLength, "copy source address");
        m_in.Expect(Fixed("copy target address") == kHeaderAddress + kFixedLength + 6 * sources,
            "copy target address");
        m_h.copySources = CopyEntries("copy source", sources);
        m_h.copyTargets = CopyEntries("copy target", Fixed("copy target count"));
        WalkScreenTable();
        WalkFrame();
        WalkControl();
        WalkAlarms();
        WalkPasswords();
        WalkSummary();
        WalkButtons();
        WalkCopyCommands();
        m_h.end = m_in.At();
        return std::move(m_h);
    }

private:
    unsigned Fixed(std::string_view name) const { return m_h.fixed.Value(name); }

    // The section that starts here is the one `slot` points at.
    void ExpectHere(std::string_view slot) const
    {
        m_in.Expect(Fixed(slot) == kHeaderAddress + m_in.At(), std::string(slot) + " points elsewhere");
    }

    void WalkFixedPart()
    {
        m_h.fixed = m_in.Begin("fixed part");
        for (const auto& [name, size] : kFixedFields)
            m_in.Take(m_h.fixed, name, size);
        m_in.Expect(m_in.At() == kFixedLength, "fixed part length");
        m_in.Expect(Fixed("version") == 11, "format version");
        m_in.Expect(Fixed("first glyph") == 0x6002, "first glyph address");
    }

    std::vector<WalkedRecord> CopyEntries(const std::string& kind, unsigned count)
    {
        std::vector<WalkedRecord> entries;
        for (unsigned k = 0; k < count; ++k) {
            WalkedRecord r = m_in.Begin(kind);
            m_in.U8(r, "port");
            m_in.U8(r, "commands");
            m_in.U16(r, "command address");
            m_in.U8(r, "buffer place");
            m_in.U8(r, "buffer bytes");
            entries.push_back(std::move(r));
        }
        return entries;
    }

    void WalkScreenTable()
    {
        ExpectHere("screen table address");
        m_h.screenTable = m_in.Begin("screen table");
        for (unsigned n = 1; n <= Fixed("screen count"); ++n)
            m_in.U16(m_h.screenTable, "screen " + std::to_string(n));
    }

    void WalkFrame()
    {
        ExpectHere("frame address");
        m_h.frame = m_in.Begin("frame");
        m_in.Counted(m_h.frame, "head");
        m_in.Counted(m_h.frame, "tail");
    }

    void WalkControl()
    {
        if (Fixed("control read address") == kNone) {
            m_in.Expect(Fixed("control write address") == kNone && Fixed("report write address") == kNone,
                "control writes without their read");
            return;
        }
        ExpectHere("control read address");
        WalkedRecord read = m_in.Begin("control read");
        m_in.Counted(read, "read");
        m_in.U8(read, "read format");
        m_in.Expect(m_in.U8(read, "items") == 1, "one control item");
        m_in.U8(read, "read data");
        m_in.U8(read, "slot");
        m_in.U8(read, "memory position");
        m_in.U8(read, "group");
        m_h.control.push_back(std::move(read));

        ExpectHere("control write address");
        WalkedRecord write = m_in.Begin("control write");
        m_in.Counted(write, "write");
        m_h.control.push_back(std::move(write));

        ExpectHere("report write address");
        WalkedRecord report = m_in.Begin("report write");
        m_in.Counted(report, "write");
        m_in.U8(report, "write format");
        m_in.U8(report, "write data");
        m_h.control.push_back(std::move(report));
    }

    void WalkAlarms()
    {
        const unsigned count = Fixed("alarm count");
        if (count == 0) {
            m_in.Expect(Fixed("alarm address") == kNone, "alarm address without blocks");
            return;
        }
        ExpectHere("alarm address");
        for (unsigned k = 0; k < count; ++k) {
            WalkedRecord r = m_in.Begin("alarm entry");
            m_in.U8(r, "port");
            m_in.U8(r, "one");
            m_in.U16(r, "read address");
            m_in.U8(r, "status word");
            m_h.alarms.push_back(std::move(r));
        }
    }

    void WalkPasswords()
    {
        ExpectHere("password address");
        m_h.passwords = m_in.Begin("passwords");
        const unsigned count = m_in.U8(m_h.passwords, "count");
        for (unsigned k = 0; k < count; ++k) {
            m_in.U8(m_h.passwords, "level " + std::to_string(k));
            m_in.U16(m_h.passwords, "password " + std::to_string(k));
        }
    }

    void WalkSummary()
    {
        m_h.summary = m_in.Begin("summary");
        m_in.U8(m_h.summary, "main blocks");
        m_in.U16Be(m_h.summary, "glyphs");
        m_in.U16(m_h.summary, "edited screen");
        m_in.U16(m_h.summary, "description table");
        m_in.Counted(m_h.summary, "device name");
    }

    void WalkButtons()
    {
        ExpectHere("button address");
        for (unsigned k = 0; k < Fixed("button count"); ++k) {
            WalkedRecord r = m_in.Begin("global button");
            const WalkedField& head = m_in.Take(r, "head", 3);
            m_in.Expect(head.bytes == std::string("\x07\x14\x1E", 3), "global-button head");
            m_in.U8(r, "level");
            m_in.U8(r, "key");
            const unsigned flags = m_in.U8(r, "flags");
            m_in.U8(r, "group");
            WalkKeyAction(m_in, r, m_in.U8(r, "action"), (flags & 0x10) != 0, false);
            m_h.buttons.push_back(std::move(r));
        }
    }

    void WalkCopyCommands()
    {
        for (const WalkedRecord& entry : m_h.copySources) {
            m_in.Expect(entry.Value("command address") == kHeaderAddress + m_in.At(), "copy read address");
            WalkedRecord r = m_in.Begin("copy read");
            m_in.Counted(r, "read");
            m_in.U8(r, "read data");
            m_in.U8(r, "group");
            m_in.U8(r, "zero");
            m_h.copyReads.push_back(std::move(r));
        }
        for (const WalkedRecord& entry : m_h.copyTargets) {
            m_in.Expect(entry.Value("command address") == kHeaderAddress + m_in.At(), "copy write address");
            WalkedRecord r = m_in.Begin("copy writes");
            for (unsigned k = 0; k < entry.Value("commands"); ++k) {
                m_in.Counted(r, "write");
                m_in.U8(r, "group");
                m_in.U8(r, "zero");
            }
            m_h.copyWrites.push_back(std::move(r));
        }
    }

    ImageCursor m_in;
    WalkedHeader m_h;
};

} // namespace

WalkedHeader WalkHeaderArea(const std::vector<std::uint8_t>& header)
{
    return HeaderWalker(header).Walk();
}
