#include "StringIds.h"
#include "devices/AddressTableFile.h"
#include "model/CVX50TextDoc.h"
#include "devices/DeviceDataFile.h"
#include "devices/DeviceKeys.h"
#include "model/HeldRefreshes.h"
#include "model/elements/ElementFactory.h"
#include "base/FileIo.h"
#include "base/FileTooLargeMessage.h"
#include "base/FormatError.h"
#include "devices/PresetRegisterFile.h"
#include "devices/PresetTextFile.h"
#include "base/ProgramPaths.h"
#include "model/projectfile/ProjectFile.h"
#include "model/projectfile/ProjectOpenFailure.h"
#include "model/projectfile/ProjectSections.h"
#include "base/ShortText.h"
#include "model/UnnumberedElements.h"
#include "base/UserInterface.h"

#include <QtGlobal>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <utility>

namespace {

constexpr int MaxScreens = 256;
constexpr std::size_t DescriptionCapacity = 1000;

// The largest project file that is read. The longest element record is a
// static text of 65,526 bytes, just over 64 KiB (a picture takes 48 KiB); a
// file of 256 screens of 255 such elements, with the largest address table
// embedded and the project-wide sections (a few MB at most, their counts
// being one byte each), stays below this bound of about 5.1 GB.
constexpr std::uint64_t LargestElementRecord = 68 * 1024;
constexpr std::uint64_t MaxProjectFileBytes = MaxScreens * (DescriptionCapacity + 16 + 255 * LargestElementRecord)
    + kMaxTableFileBytes + 64 * 1024 * 1024;
constexpr char FallbackProtocol[] = "ModBus Slave.dll";

// The decimal value of a version text: its leading digits after optional
// blanks and sign; 0 when there are none. A value past the range of int is
// held at its end, so that it still reads as newer (or older) than any
// version this program knows.
int VersionOf(const std::string& text)
{
    const long value = std::strtol(text.c_str(), nullptr, 10);
    return static_cast<int>(std::clamp<long>(value, INT_MIN, INT_MAX));
}

// A failure that ends reading with a message of its own.
struct ReadAbort {
    int messageId;
    std::string reason;
};

// Reads a whole file into a document that nothing else sees meanwhile; the
// device's table file that a user-defined device's project embeds is held
// back until the file has been read to its end and the document has become
// the open project.
class ProjectReader {
public:
    ProjectReader(CVX50TextDoc& doc, std::string_view bytes, bool& displaySetting)
        : m_doc(doc), m_in(bytes), m_displaySetting(displaySetting)
    {
    }

    // Throws ReadAbort or FormatError for a file that cannot be taken.
    void Run()
    {
        m_doc.TableExtended = 0;
        ReadVersion();
        m_screenCount = ReadHead();
        ReadDevice();
        m_ui.DeviceLoaded();
        LoadPresets();
        m_ui.ProgressStep(1);
        m_ui.ProgressStep(2);
        for (int i = 0; i < m_screenCount; ++i) {
            ReadScreen(i);
            m_ui.ProgressStep(i + 3);
        }
        ReadSections();
        TakeEditedScreen();
    }

    // Once `doc`, the open project, holds what Run() read: writes what
    // reading held back and refreshes the windows.
    void Complete(CVX50TextDoc& doc)
    {
        // The project opens without its device's file as well; the user
        // learns that the table was not kept.
        if (m_embeddedTable && !WriteDeviceDataFile(DeviceTablePath(doc.DeviceName), *m_embeddedTable))
            m_ui.ShowMessage(IdsSaveAddressTableFailed);
        m_ui.RebuildProjectTree();
        m_ui.ShowScreenPage();
        m_ui.RedrawCanvas();
        m_ui.ProgressStep(m_screenCount + 4);
        m_ui.ProgressEnd();
        if (doc.TableExtended) {
            doc.TableEditable = IsBuiltInDeviceName(doc.DeviceName) ? 0 : 1;
            if (!doc.DeviceName.empty())
                doc.WriteAddressTable(DeviceTablePath(doc.DeviceName));
        }
        if (m_unnumberedRead)
            NumberUnnumberedElements(doc);
        doc.ResetUndoHistory();
        m_ui.RefreshElementList(true);
    }

private:
    void ReadVersion()
    {
        m_doc.ReadingVersion = VersionOf(ReadShortText(m_in));
        if (m_doc.ReadingVersion > ProjectFileVersion)
            throw ReadAbort{IdsSoftwareTooOld, "version " + std::to_string(m_doc.ReadingVersion) + " is newer than "
                                       + std::to_string(ProjectFileVersion)};
    }

    int ReadHead()
    {
        const int flags = m_in.U8();
        const int screenCount = m_in.U16Le();
        const int buffer = m_in.U8();
        if (screenCount > MaxScreens)
            throw FormatError("more than 256 screens");
        if (!(flags & DisplaySettingFlag))
            m_displaySetting = false;
        // The file tells how its elements store addresses: the project open
        // before has no say in it.
        m_doc.UseProtocolLibrary = (flags & PlainAddressesFlag) ? 0 : 1;
        if (flags & Interval2Flag)
            m_doc.Register32Interval = 2;
        m_doc.CommBufferLength = buffer * 10;
        m_ui.ProgressBegin(screenCount + 4);
        m_ui.ProgressCaption(IdsOpenProjectCaption, IdsOpenProjectProgress); // "打开工程", "正在打开工程..."
        return screenCount;
    }

    // The device name, the embedded table (the device's file for a
    // user-defined device, written once the whole file was read) and the
    // device's keys and table.
    void ReadDevice()
    {
        m_doc.DeviceName = ReadShortText(m_in);
        // A name that could lead out of the Device folder is no device name.
        if (!m_doc.DeviceName.empty() && !IsSafeDeviceName(m_doc.DeviceName))
            throw FormatError("device name names a folder");
        const bool named = !m_doc.DeviceName.empty();
        if (m_doc.ReadingVersion >= 10 && m_in.U8() == 1) {
            std::string embedded = m_in.Bytes(m_in.U32Be());
            if (named && !IsBuiltInDeviceName(m_doc.DeviceName))
                m_embeddedTable = std::move(embedded);
        }
        ReadDeviceTable(named);
    }

    void ReadDeviceTable(bool named)
    {
        m_doc.TableMissing = 0;
        const std::optional<std::string> file = m_embeddedTable ? m_embeddedTable
            : named ? ReadDeviceTableFile()
                    : std::nullopt;
        if (!file) {
            m_doc.ProtocolLibraryName = FallbackProtocol;
            m_doc.TableEditable = 1;
            m_doc.HighFront = 0;
            m_doc.AddressTable.clear();
            m_doc.TableMissing = 1;
            m_doc.TableExtended = 1;
            return;
        }
        DeviceKeys keys = m_doc.GetDeviceKeys();
        const bool hasProtocol = ReadDeviceKeys(*file, keys);
        m_doc.ProtocolLibraryName = keys.dllName;
        m_doc.TableEditable = keys.canEdit;
        m_doc.CommBufferLength = keys.commBuffLength;
        m_doc.HighFront = keys.highFront;
        if (!hasProtocol)
            throw ReadAbort{IdsNoDeviceOrBadTable, "the address table of device " + m_doc.DeviceName + " names no protocol"};
        // The table part of the bytes already read; a refused table shows
        // the table reader's message before the load's own.
        if (!ReadAddressTableOfFile(*file, DeviceTablePath(m_doc.DeviceName), m_doc.AddressTable))
            throw ReadAbort{IdsNoDeviceOrBadTable, "the address table of device " + m_doc.DeviceName + " is refused"};
    }

    // The device's address-table file; nothing when it is missing. A file
    // too large for any table ends reading.
    std::optional<std::string> ReadDeviceTableFile()
    {
        const std::string path = DeviceTablePath(m_doc.DeviceName);
        FileContents file = ReadBoundedFileWithMessage(path, kMaxTableFileBytes);
        if (file.status == FileContents::Status::TooLarge)
            throw ReadAbort{IdsNoDeviceOrBadTable, "the address table of device " + m_doc.DeviceName + " is too large"};
        if (!file.IsRead())
            return std::nullopt;
        return std::move(file.bytes);
    }

    void LoadPresets()
    {
        if (m_doc.DeviceName.empty())
            return;
        if (auto texts = ReadPresetTextFile(PresetTextPath(m_doc.DeviceName)))
            m_doc.PresetTexts = std::move(*texts);
        if (auto registers = ReadPresetRegisterFile(PresetRegisterPath(m_doc.DeviceName)))
            m_doc.PresetRegisters = std::move(*registers);
    }

    void ReadScreen(int index)
    {
        const std::size_t length = m_in.U16Be();
        if (length >= DescriptionCapacity)
            throw FormatError("screen description of 1000 bytes or more");
        const std::string text = m_in.Bytes(length + 1);
        ScreenRecord record;
        record.Description = text.substr(0, text.find('\0'));
        record.Number = m_in.U16Le();
        record.UpKeyScreen = m_in.U16Le();
        record.DownKeyScreen = m_in.U16Le();
        const int elementCount = m_in.U8();
        record.Port = m_in.U8();

        m_doc.WorkingElements.clear();
        // The first screen takes the place of File New's screen.
        if (index == 0 && !m_doc.Screens.empty())
            m_doc.Screens.front() = record;
        else
            m_doc.Screens.push_back(record);
        m_doc.CurrentScreenNumber = record.Number;
        for (int k = 0; k < elementCount; ++k)
            ReadElement(index);
    }

    void ReadElement(int screenIndex)
    {
        const int kind = m_in.U8();
        int subKind = 0;
        if (kind == KindText || kind == KindGraph)
            subKind = m_in.U8();
        // A text is static (0) or dynamic (1); a graph is a curve for 1 and a
        // bar for any other value.
        if (kind == KindText && subKind > 1)
            throw FormatError("unknown text kind");
        const std::shared_ptr<CScreenElement> element = CreateElement(kind, subKind).element;
        if (!element)
            throw FormatError("unknown element kind");
        element->ReadProjectRecord(m_in, m_doc, screenIndex);
        // Seen here, while the element is at hand: a pass over every element
        // of a large project afterwards costs more than the numbering.
        m_unnumberedRead = m_unnumberedRead || element->Number == 0;
    }

    void ReadSections()
    {
        ReadAlarmSection(m_in, m_doc);
        ReadGlobalButtonSection(m_in, m_doc);
        ReadPasswordSection(m_in, m_doc);
        const int copyGroups = ReadSettingsSection(m_in, m_doc);
        if (m_doc.ReadingVersion >= 4)
            ReadCopyRegisterSection(m_in, m_doc, copyGroups);
        if (m_doc.ReadingVersion >= 5)
            ReadTrailerSection(m_in, m_doc);
    }

    // The working list becomes the edited screen's elements.
    void TakeEditedScreen()
    {
        const ScreenRecord* edited = m_doc.FindScreenByNumber(m_doc.CurrentScreenNumber);
        if (!edited)
            throw ReadAbort{IdsProjectDataError, "the edited screen " + std::to_string(m_doc.CurrentScreenNumber)
                                       + " is not in the file"};
        m_doc.WorkingElements = edited->Elements;
    }

    CVX50TextDoc& m_doc;
    ByteReader m_in;
    bool& m_displaySetting;
    UserInterface& m_ui = CurrentUi();
    int m_screenCount = 0;
    bool m_unnumberedRead = false; // an element of an old file without its number
    std::optional<std::string> m_embeddedTable;
};

// Logs why a file was refused; the user sees the message alone.
void LogRefusal(const std::string& reason)
{
    qWarning("Project file refused: %s", reason.c_str());
}

} // namespace

bool ReadProject(CVX50TextDoc& doc, std::string_view bytes, bool& displaySetting)
{
    UserInterface& ui = CurrentUi();
    // The read-in project starts with its own history (Complete resets it).
    CVX50TextDoc read = doc.CopyWithoutHistory();
    bool readDisplaySetting = displaySetting;
    // The windows show `doc` until the project read replaces it: the
    // refreshes that reading asks for wait until then, and run once.
    HeldRefreshes refreshes;
    ProjectReader reader(read, bytes, readDisplaySetting);
    try {
        reader.Run();
    } catch (const ReadAbort& abort) {
        LogRefusal(abort.reason);
        ui.ProgressEnd();
        ui.ShowMessage(abort.messageId);
        return false;
    } catch (const FormatError& error) {
        LogRefusal(error.what());
        ui.ProgressEnd();
        ui.ShowMessage(IdsProjectDataError);
        return false;
    }
    doc = std::move(read);
    displaySetting = readDisplaySetting;
    reader.Complete(doc);
    refreshes.Release();
    return true;
}

bool OpenProjectFile(CVX50TextDoc& doc, const std::string& path, bool& displaySetting)
{
    const FileContents file = ReadBoundedFileWithMessage(path, MaxProjectFileBytes);
    if (file.status == FileContents::Status::TooLarge) {
        qWarning("Project file %s is too large", path.c_str());
        return false;
    }
    if (!file.IsRead() || !StartsAsProjectFile(file.bytes)) {
        const ProjectOpenFailure failure =
            file.IsRead() ? ProjectOpenFailure::NotAProjectFile : UnreadableFileFailure(path);
        qWarning("Project file %s cannot be read", path.c_str());
        CurrentUi().ShowMessageText(ProjectOpenFailureText(path, failure));
        return false;
    }
    return ReadProject(doc, file.bytes, displaySetting);
}
