#include "model/CVX50TextDoc.h"
#include "model/projectfile/ProjectSections.h"
#include "model/projectfile/SectionAddress.h"

namespace {

void WritePort(ByteWriter& out, const PortSettings& port, int defaultPort)
{
    out.U32Le(static_cast<std::uint32_t>(port.baud));
    out.U8(static_cast<std::uint8_t>(port.dataBits));
    out.U8(static_cast<std::uint8_t>(port.stopBits));
    out.U8(static_cast<std::uint8_t>(port.parity + 16 * defaultPort));
}

// Baud, data bits and stop bits; the byte after them carries the parity in
// its low nibble and is left to the caller.
void ReadPortHead(ByteReader& in, PortSettings& port)
{
    port.baud = in.I32Le();
    port.dataBits = in.U8();
    port.stopBits = in.U8();
}

// The main-control register as the settings record stores it: a 16-bit
// word of group "WORD<index>" when the table lacks it.
AddressRepairPlan ControlRepair(int word, int g)
{
    return SectionRepairPlan(g, word, 0, GeneratedGroupName("WORD%d", g), Word16ElementType, WordBitMode, 0,
                             GeneratedElementName("W%x", word));
}

// The control register's names; created in the table only when the panel
// uses the register (automatic screen switch or screen report).
void RestoreControlRegister(CVX50TextDoc& doc, int word, int g)
{
    if (g == NoGroupIndex)
        return;
    AddressNames names = LookUpSectionAddress(doc, g, word, 0);
    if (names.group.empty() && names.element.empty() && (doc.Panel.AutoScreenSwitch || doc.Panel.ReportScreen)) {
        names = RepairAddress(doc, ControlRepair(word, g));
        // The report register follows the control register.
        if (doc.Panel.ReportScreen)
            RepairAddress(doc, ControlRepair(word + 1, g));
    }
    doc.Panel.ControlGroupName = std::move(names.group);
    doc.Panel.ControlElementName = std::move(names.element);
}

} // namespace

void WriteSettingsSection(ByteWriter& out, const CVX50TextDoc& doc)
{
    WritePort(out, doc.Rs485Port, doc.DefaultPort);
    out.U8(static_cast<std::uint8_t>((doc.Panel.ShowSaverScreen & 1) | (doc.Panel.BacklightOffOnSaver & 1) << 1));
    out.U8(static_cast<std::uint8_t>(doc.Panel.ScreenSaverIndex));
    out.U8(static_cast<std::uint8_t>(doc.Panel.PanelStation));
    out.U8(static_cast<std::uint8_t>((doc.Panel.AutoScreenSwitch & 1) | (doc.Panel.ClearAfterSwitch & 1) << 1));
    out.U8(static_cast<std::uint8_t>(doc.Panel.ControlPort));
    out.U8(static_cast<std::uint8_t>(doc.Panel.ReportScreen));
    out.U16Le(static_cast<std::uint16_t>(doc.Panel.SaverScreen));
    out.U16Le(static_cast<std::uint16_t>(doc.Panel.MainScreen));
    out.U16Le(static_cast<std::uint16_t>(doc.CurrentScreenNumber));
    WriteSectionWord(out, doc.AddressTable, doc.Panel.ControlGroupName, doc.Panel.ControlElementName);
    out.U8(SectionGroupIndex(doc.AddressTable, doc.Panel.ControlGroupName));
    out.U8(static_cast<std::uint8_t>(doc.Panel.EncryptProject));
    WritePort(out, doc.Com1Port, doc.DefaultPort);
}

int ReadSettingsSection(ByteReader& in, CVX50TextDoc& doc)
{
    const int version = doc.ReadingVersion;
    ReadPortHead(in, doc.Rs485Port);
    const int parityAndPort = in.U8();
    doc.Rs485Port.parity = parityAndPort & 0x0F;
    doc.DefaultPort = parityAndPort >> 4;
    const int saver = in.U8();
    if (version >= 7) {
        doc.Panel.ShowSaverScreen = saver & 1;
        doc.Panel.BacklightOffOnSaver = (saver >> 1) & 1;
    } else {
        doc.Panel.ShowSaverScreen = (saver & 1) ? 0 : 1;
    }
    doc.Panel.ScreenSaverIndex = in.U8();
    doc.Panel.PanelStation = in.U8();
    const int switching = in.U8();
    doc.Panel.AutoScreenSwitch = switching & 1;
    doc.Panel.ClearAfterSwitch = (switching >> 1) & 1;
    doc.Panel.ControlPort = in.U8();
    doc.Panel.ReportScreen = in.U8();
    doc.Panel.SaverScreen = in.U16Le();
    doc.Panel.MainScreen = in.U16Le();
    doc.CurrentScreenNumber = in.U16Le();
    const int controlWord = in.U16Le();
    const int controlGroup = in.U8();
    if (version >= 3)
        doc.Panel.EncryptProject = in.U8();
    RestoreControlRegister(doc, controlWord, controlGroup);

    if (version < 4)
        return 0;
    ReadPortHead(in, doc.Com1Port);
    doc.Com1Port.parity = in.U8() & 0x0F;
    return in.U8();
}
