// Exchanges with a panel emulated on a pseudo-terminal.

#include "StringIds.h"
#include "base/GbkText.h"
#include "base/StringTable.h"
#include "emulator/ComPortOverride.h"
#include "emulator/PanelEmulator.h"
#include "support/RecordingUserInterface.h"
#include "transfer/ComPortNames.h"
#include "transfer/ComPortNumber.h"
#include "transfer/FirmwareVersionCommand.h"
#include "transfer/PanelExchanges.h"
#include "transfer/PanelFrames.h"
#include "transfer/PanelSerial.h"
#include "transfer/PortOpenReport.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <chrono>
#include <numeric>
#include <thread>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using Fault = PanelEmulator::Fault;
using Clock = std::chrono::steady_clock;

long long MsSince(Clock::time_point start)
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

class PanelLinkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(panel.Start());
        ASSERT_TRUE(port.InitComm(QString::fromStdString(panel.DevicePath()), 19200, 8, 0, 1.0f, 2048, 2048));
    }

    template <std::size_t N>
    ErrType Exchange(const std::array<std::uint8_t, N>& frame, std::vector<std::uint8_t>& reply)
    {
        return port.CommandSend(frame.data(), static_cast<int>(N), reply.data(), static_cast<int>(reply.size()));
    }

    PanelEmulator panel;
    CPanelSerial port;
    RecordingUserInterface ui;
};

TEST_F(PanelLinkTest, FirmwareVersionIsShownInTenths)
{
    panel.SetFirmwareVersion(0x23);
    EXPECT_EQ(Utf8FromGbk(QueryFirmwareVersion(port)), "下位机版本:  V2.3");
    EXPECT_TRUE(ui.messages.empty());

    const std::pair<std::uint8_t, double> numbers[] = {{0x23, 2.3}, {0x1B, 0.1}, {0xA0, 0.0}, {0x99, 9.9}};
    for (const auto& [code, version] : numbers)
        EXPECT_DOUBLE_EQ(FirmwareVersionNumber(code), version) << int(code);
}

TEST_F(PanelLinkTest, VersionGoesIntoAReplacedTextWithoutFormattingIt)
{
    OverrideStrings({{IdsFirmwareVersionFormat, "%s%s%n V%.1f"}}); // as a resource file may hold it
    panel.SetFirmwareVersion(0x23);
    const std::string version = QueryFirmwareVersion(port);
    OverrideStrings({});
    EXPECT_EQ(version, "%s%s%n V2.3");
}

TEST_F(PanelLinkTest, FailedVersionQueryShowsCommunicationErrorAndGivesNoText)
{
    // A wrong code, a corrupt reply and a reply cut short are all failures;
    // a corrupt version byte must not be shown as the panel's version.
    for (Fault fault : {Fault::WrongCode, Fault::BadCrc, Fault::ShortReply, Fault::NoReply}) {
        ui.messages.clear();
        panel.InjectFault(kFunctionVersion, fault);
        EXPECT_EQ(QueryFirmwareVersion(port), "") << int(fault);
        EXPECT_EQ(ui.MessageIds(), std::vector<int>{61213}) << int(fault);
    }
    ui.messages.clear();
    EXPECT_FALSE(QueryFirmwareVersion(port).empty()); // the panel answers again
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(PanelLinkTest, EndTransferSucceedingAtTheThirdTryShowsNothing)
{
    panel.InjectFault(kFunctionEnd, Fault::NoReply);
    panel.InjectFault(kFunctionEnd, Fault::WrongCode);
    EXPECT_TRUE(EndTransfer(port));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(panel.FrameCount(kFunctionEnd), 3);
    EXPECT_TRUE(port.IsOpen());
}

TEST_F(PanelLinkTest, EndTransferFailingThreeTimesShowsOneMessage)
{
    panel.InjectFault(kFunctionEnd, Fault::WrongCode, 3);
    EXPECT_FALSE(EndTransfer(port));
    EXPECT_EQ(ui.MessageIds(), std::vector<int>{61214});
    EXPECT_EQ(panel.FrameCount(kFunctionEnd), 3);
    EXPECT_TRUE(port.IsOpen());
}

TEST_F(PanelLinkTest, MissingReplyEndsWithinTheTimeOut)
{
    panel.InjectFault(kFunctionVersion, Fault::NoReply);
    std::vector<std::uint8_t> reply(kVersionReplyLength);
    const int timeoutMs = port.ReplyTimeoutMs(kVersionFrame.size(), kVersionReplyLength);
    const auto start = Clock::now();
    EXPECT_EQ(Exchange(kVersionFrame, reply), kSerialNoReply);
    EXPECT_GE(MsSince(start), timeoutMs - 10);
    EXPECT_LT(MsSince(start), timeoutMs + 300);
    EXPECT_EQ(port.ReceivedCount(), 0);
}

TEST_F(PanelLinkTest, SlowReplyWithinTheTimeOutIsTaken)
{
    panel.InjectFault(kFunctionVersion, Fault::SlowReply, 1, CSerial::kReplyLatencyMs / 2);
    EXPECT_EQ(Utf8FromGbk(QueryFirmwareVersion(port)), "下位机版本:  V2.3");
}

TEST_F(PanelLinkTest, LateReplyOfAnEarlierExchangeIsNeverTakenForTheNext)
{
    const int timeoutMs = port.ReplyTimeoutMs(kVersionFrame.size(), kVersionReplyLength);
    panel.InjectFault(kFunctionVersion, Fault::SlowReply, 1, timeoutMs + 100);
    EXPECT_EQ(QueryFirmwareVersion(port), "");
    const auto start = Clock::now(); // wait for the late version reply
    while (port.PendingInput() == 0 && MsSince(start) < 2000)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ASSERT_GT(port.PendingInput(), 0);

    ui.messages.clear();
    EXPECT_TRUE(EndTransfer(port));
    EXPECT_EQ(panel.FrameCount(kFunctionEnd), 1); // first try: not the version reply
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(PanelLinkTest, LateReplyComingDuringTheNextExchangeIsNotTakenForItsReply)
{
    // Each late reply comes 200 ms after its exchange gave up, while the next
    // request would be waiting for its own reply.
    panel.LoadArea(kFirstHeaderBlock, std::vector<std::uint8_t>(kBlockSize, 0xA0));
    panel.LoadArea(kFirstHeaderBlock + 4, std::vector<std::uint8_t>(kBlockSize, 0xA4));
    const int blockTimeoutMs = port.ReplyTimeoutMs(5, kBlockReadReplyLength);
    panel.InjectFault(kFunctionBlockRead, Fault::SlowReply, 1, blockTimeoutMs + 200);
    std::vector<std::uint8_t> reply(kBlockReadReplyLength);
    EXPECT_EQ(Exchange(BuildBlockReadFrame(kFirstHeaderBlock), reply), kSerialNoReply);
    ASSERT_EQ(Exchange(BuildBlockReadFrame(kFirstHeaderBlock + 4), reply), kSerialOk);
    EXPECT_TRUE(DataReplyIsValid(reply.data(), port.ReceivedCount(), kFunctionBlockRead));
    EXPECT_EQ(reply[2], kFirstHeaderBlock + 4);
    EXPECT_EQ(reply[3], 0xA4);

    const int versionTimeoutMs = port.ReplyTimeoutMs(kVersionFrame.size(), kVersionReplyLength);
    panel.InjectFault(kFunctionVersion, Fault::SlowReply, 1, versionTimeoutMs + 200);
    EXPECT_EQ(QueryFirmwareVersion(port), "");
    panel.SetFirmwareVersion(0x12);
    EXPECT_EQ(Utf8FromGbk(QueryFirmwareVersion(port)), "下位机版本:  V1.2");
}

TEST_F(PanelLinkTest, ExchangeAfterAFailureWaitsOnlyForTheLineToFallQuiet)
{
    panel.InjectFault(kFunctionVersion, Fault::NoReply);
    std::vector<std::uint8_t> reply(kVersionReplyLength);
    EXPECT_EQ(Exchange(kVersionFrame, reply), kSerialNoReply);
    auto start = Clock::now();
    EXPECT_EQ(Exchange(kVersionFrame, reply), kSerialOk);
    EXPECT_GE(MsSince(start), CSerial::kLateReplyWindowMs - 50);
    EXPECT_LT(MsSince(start), CSerial::kLateReplyWindowMs + 500);

    // After a success the next exchange starts at once.
    start = Clock::now();
    EXPECT_EQ(Exchange(kVersionFrame, reply), kSerialOk);
    EXPECT_LT(MsSince(start), 300);
}

TEST_F(PanelLinkTest, ShortRepliesCountForThePanelPortOnly)
{
    std::vector<std::uint8_t> reply(kEndReplyLength);
    panel.InjectFault(kFunctionEnd, Fault::ShortReply);
    EXPECT_EQ(Exchange(kEndFrame, reply), kSerialOk);
    EXPECT_EQ(port.ReceivedCount(), 2);
    EXPECT_EQ(reply[1], kFunctionEnd);

    CSerial plain(port); // a copy shares the open port
    panel.InjectFault(kFunctionEnd, Fault::ShortReply);
    EXPECT_EQ(plain.CommandSend(kEndFrame.data(), 4, reply.data(), 4), kSerialShortReply);
    EXPECT_EQ(plain.ReceivedCount(), 2);
    EXPECT_EQ(reply[2], 0); // the reply buffer is cleared before each exchange
}

TEST_F(PanelLinkTest, WrittenBlocksAreStoredAndReadBack)
{
    std::vector<std::uint8_t> reply(kBlockReadReplyLength);
    EXPECT_EQ(Exchange(kBeginFrame, reply), kSerialOk);
    EXPECT_EQ(reply[1], kFunctionBegin);
    EXPECT_TRUE(panel.InWrite());

    std::array<std::uint8_t, kBlockSize> data{};
    std::iota(data.begin(), data.end(), 7);
    std::array<std::uint8_t, kBlockFrameLength> frame{};
    for (std::uint8_t block : {kFirstMainBlock, static_cast<std::uint8_t>(kFirstMainBlock + 1), kFirstHeaderBlock}) {
        BuildPageFrame(data.data(), frame.data(), block);
        ASSERT_EQ(port.CommandSend(frame.data(), frame.size(), reply.data(), kBlockWriteReplyLength), kSerialOk);
        EXPECT_EQ(reply[1], kFunctionBlockWrite);
        EXPECT_EQ(reply[2], block);
    }
    EXPECT_TRUE(EndTransfer(port));
    EXPECT_FALSE(panel.InWrite());
    EXPECT_EQ(panel.StoredArea(kFirstMainBlock).size(), 2 * kBlockSize);
    EXPECT_EQ(panel.StoredBlock(kFirstHeaderBlock), data);

    EXPECT_EQ(Exchange(BuildBlockReadFrame(kFirstHeaderBlock), reply), kSerialOk);
    EXPECT_TRUE(DataReplyIsValid(reply.data(), port.ReceivedCount(), kFunctionBlockRead));
    EXPECT_TRUE(std::equal(data.begin(), data.end(), reply.begin() + 3));
}

TEST_F(PanelLinkTest, FaultsQueueSoThatALaterFrameFails)
{
    panel.InjectFault(kFunctionBlockRead, Fault::None, 2);
    panel.InjectFault(kFunctionBlockRead, Fault::WrongCode);
    std::vector<std::uint8_t> reply(kBlockReadReplyLength);
    std::vector<std::uint8_t> codes;
    for (int i = 0; i < 4; ++i) {
        ASSERT_EQ(Exchange(BuildBlockReadFrame(kFirstHeaderBlock + i), reply), kSerialOk);
        codes.push_back(reply[1]);
    }
    EXPECT_EQ(codes, (std::vector<std::uint8_t>{0x07, 0x07, 0x7F, 0x07}));
}

TEST_F(PanelLinkTest, BlockWriteOutsideAWriteIsRefused)
{
    std::array<std::uint8_t, kBlockSize> data{};
    std::array<std::uint8_t, kBlockFrameLength> frame{};
    BuildPageFrame(data.data(), frame.data(), kFirstMainBlock);
    std::vector<std::uint8_t> reply(kBlockWriteReplyLength);
    EXPECT_EQ(Exchange(frame, reply), kSerialOk);
    EXPECT_NE(reply[1], kFunctionBlockWrite);
    EXPECT_FALSE(panel.StoredBlock(kFirstMainBlock));
}

TEST_F(PanelLinkTest, LockedPanelReadsOnlyAfterTheRightPassword)
{
    panel.LoadArea(kFirstHeaderBlock, std::vector<std::uint8_t>(10, 0x5A));
    panel.SetLock(PanelEmulator::Lock::Password, 1234);
    std::vector<std::uint8_t> reply(kBlockReadReplyLength);

    EXPECT_EQ(Exchange(kLockQueryFrame, reply), kSerialOk);
    EXPECT_EQ(reply[1], kFunctionLockQuery);
    EXPECT_EQ(reply[2], kLockAsksPassword);
    EXPECT_EQ(Exchange(BuildBlockReadFrame(kFirstHeaderBlock), reply), kSerialOk);
    EXPECT_NE(reply[1], kFunctionBlockRead);

    EXPECT_EQ(Exchange(BuildPasswordFrame(4321), reply), kSerialOk);
    EXPECT_NE(reply[1], kFunctionBegin);
    EXPECT_EQ(Exchange(BuildPasswordFrame(1234), reply), kSerialOk);
    EXPECT_EQ(reply[1], kFunctionBegin);

    EXPECT_EQ(Exchange(BuildBlockReadFrame(kFirstHeaderBlock), reply), kSerialOk);
    EXPECT_TRUE(DataReplyIsValid(reply.data(), kBlockReadReplyLength, kFunctionBlockRead));
    EXPECT_EQ(reply[3 + 9], 0x5A);
    EXPECT_EQ(reply[3 + 10], 0x00); // the loaded block is padded with zeros

    panel.SetLock(PanelEmulator::Lock::Refuse);
    EXPECT_EQ(Exchange(kLockQueryFrame, reply), kSerialOk);
    EXPECT_EQ(reply[2], kLockRefusesRead);
}

TEST_F(PanelLinkTest, DamagedFramesGetNoReply)
{
    auto frame = BuildBlockReadFrame(kFirstMainBlock);
    frame[4] ^= 1;
    std::vector<std::uint8_t> reply(kBlockReadReplyLength);
    EXPECT_EQ(Exchange(frame, reply), kSerialNoReply);
    EXPECT_EQ(panel.ReceivedFrames().back(), std::vector<std::uint8_t>(frame.begin(), frame.end()));
}

TEST_F(PanelLinkTest, PortWorksFromAnotherThreadAndThroughItsComName)
{
    port.Close();
    ComPortOverride com12(12, panel.DevicePath());
    ASSERT_TRUE(port.InitComm(PanelPortName(12), 19200, 8, 0, 1.0f, 2048, 2048));
    std::string version;
    std::thread worker([&] { version = QueryFirmwareVersion(port); });
    worker.join();
    EXPECT_EQ(Utf8FromGbk(version), "下位机版本:  V2.3");
}

TEST_F(PanelLinkTest, ClosedPortFailsEveryExchange)
{
    CPanelSerial copy(port);
    copy.Close(); // closes the port for every copy
    EXPECT_FALSE(port.IsOpen());
    std::vector<std::uint8_t> reply(kEndReplyLength);
    EXPECT_EQ(Exchange(kEndFrame, reply), kSerialNotOpen);
    EXPECT_FALSE(EndTransfer(port));
    EXPECT_EQ(ui.MessageIds(), std::vector<int>{61214});
}

// The message names the device (or the port name that maps to none) and
// why it did not open, after the common text.
TEST(PortOpenTest, FailuresNameTheDeviceAndWhy)
{
    PanelEmulator panel;
    ASSERT_TRUE(panel.Start());
    const QString terminal = QString::fromStdString(panel.DevicePath());
    CPanelSerial holder; // another program holding the terminal
    ASSERT_TRUE(holder.InitComm(terminal, 19200, 8, 0, 1.0f, 2048, 2048));
    struct Row {
        const char* why;
        QString portName;
        int parity;
        PortOpenError error;
        QString detail;
    };
    const Row rows[] = {
        {"no such device", "/dev/vx50-no-such-port", 0, PortOpenError::NotFound, "找不到设备 /dev/vx50-no-such-port。"},
        {"a COM number without a device", PanelPortName(32), 0, PortOpenError::NotFound,
            "\\\\.\\COM32 没有对应的串口设备。"},
        {"in use", terminal, 0, PortOpenError::Busy, terminal + " 正被其他程序使用。"},
        {"line settings refused", "/dev/null", 3, PortOpenError::Unsupported, "/dev/null 不支持所设的通信参数。"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        RecordingUserInterface ui;
        CPanelSerial port;
        EXPECT_FALSE(port.InitComm(row.portName, 19200, 8, row.parity, 1.0f, 2048, 2048));
        EXPECT_EQ(port.LastOpenError(), row.error);
        EXPECT_FALSE(port.IsOpen());
        ReportPortOpenFailure(port);
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(Utf8FromGbk(ui.messages[0].gbkText), ("通信口打开失败!\n" + row.detail).toStdString());
    }
}

TEST(PortOpenTest, UnsupportedLineSettingsAreRefused)
{
    PanelEmulator panel;
    ASSERT_TRUE(panel.Start());
    CPanelSerial port;
    EXPECT_FALSE(port.InitComm(QString::fromStdString(panel.DevicePath()), 19200, 8, 3, 1.0f, 2048, 2048));
    EXPECT_EQ(port.LastOpenError(), PortOpenError::Unsupported);
    EXPECT_FALSE(port.InitComm(QString::fromStdString(panel.DevicePath()), 19200, 8, 0, 3.0f, 2048, 2048));
    EXPECT_TRUE(port.InitComm(QString::fromStdString(panel.DevicePath()), 9600, 7, 2, 2.0f, 1000, 2048, 2048));
}

} // namespace

namespace {

TEST(FirmwareVersionCommandTest, OpensTheProgramsComPortAndAsksThePanel)
{
    RecordingUserInterface ui;
    PanelEmulator panel;
    ASSERT_TRUE(panel.Start());
    panel.SetFirmwareVersion(0x12);
    ComPortOverride com4(4, panel.DevicePath());
    SetComPortNumber(4);
    EXPECT_EQ(Utf8FromGbk(RunFirmwareVersionCommand()), "下位机版本:  V1.2");
    EXPECT_TRUE(ui.messages.empty());

    panel.InjectFault(kFunctionVersion, Fault::WrongCode);
    EXPECT_EQ(RunFirmwareVersionCommand(), "");
    EXPECT_EQ(ui.MessageIds(), std::vector<int>{61213});

    ComPortOverride com5(5, "/dev/vx50-no-such-port");
    SetComPortNumber(5);
    ui.messages.clear();
    EXPECT_EQ(RunFirmwareVersionCommand(), "");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(Utf8FromGbk(ui.messages[0].gbkText), "通信口打开失败!\n找不到设备 /dev/vx50-no-such-port。");
    SetComPortNumber(1);
}

} // namespace

namespace {

// Opens a device that this user may not open. As root (which may open
// anything) the attempt runs in a child process that has become "nobody".
TEST(PortOpenTest, PermissionFailureNamesTheGroupToJoin)
{
    QTemporaryDir folder;
    const QString device = folder.filePath("ttyLocked");
    QFile file(device);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    ASSERT_TRUE(file.setPermissions({}));
    ::chmod(QFile::encodeName(folder.path()).constData(), 0755);

    const auto attempt = [&device]() -> int {
        RecordingUserInterface ui;
        CPanelSerial port;
        if (port.InitComm(device, 19200, 8, 0, 1.0f, 2048, 2048))
            return 1;
        if (port.LastOpenError() != PortOpenError::PermissionDenied)
            return 2;
        ReportPortOpenFailure(port);
        if (ui.messages.size() != 1 || ui.messages[0].stringId != 0)
            return 3;
        const std::string text = Utf8FromGbk(ui.messages[0].gbkText);
        const bool namesEverything = text.rfind("通信口打开失败!", 0) == 0
            && text.find(device.toStdString()) != std::string::npos && text.find("\"root\"") != std::string::npos;
        return namesEverything ? 0 : 4;
    };
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to own the device as another user";
    constexpr int kCannotBecomeNobody = 9;
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0)
            ::_exit(kCannotBecomeNobody);
        ::_exit(attempt());
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == kCannotBecomeNobody)
        GTEST_SKIP() << "root here may not change its user";
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

} // namespace
