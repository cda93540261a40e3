#include "transfer/Serial.h"

#include "transfer/ComPortNames.h"

#include <QFile>
#include <QSerialPort>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstring>
#include <optional>

#include <poll.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <termios.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

int MsUntil(Clock::time_point deadline)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return static_cast<int>(std::max<long long>(left, 0));
}

// Waits until `fd` can be read (POLLIN) or written (POLLOUT): 1 ready, 0 time
// out, -1 error or hang-up. `timeoutMs` kInfinite waits without limit.
int WaitFor(int fd, short events, int timeoutMs)
{
    pollfd entry{fd, events, 0};
    for (;;) {
        const int result = ::poll(&entry, 1, timeoutMs);
        if (result < 0 && errno == EINTR)
            continue;
        if (result <= 0)
            return result;
        return (entry.revents & events) ? 1 : -1;
    }
}

// The deadline of a wait of `timeoutMs`, or none for kInfinite.
Clock::time_point DeadlineAfter(int timeoutMs)
{
    return timeoutMs < 0 ? Clock::time_point::max() : Clock::now() + std::chrono::milliseconds(timeoutMs);
}

int WaitLeft(Clock::time_point deadline)
{
    return deadline == Clock::time_point::max() ? CSerial::kInfinite : MsUntil(deadline);
}

// Moves `size` bytes through `fd` with `step` (one ::read or ::write of what
// is left after `done` bytes) each time poll reports `events`, until all are
// moved or `timeoutMs` passes: the bytes moved, or -1 when the port fails. A
// read that finds nothing although the port was readable is a hang-up.
template <typename Step> int TransferWithin(int fd, short events, int size, int timeoutMs, Step step)
{
    const auto deadline = DeadlineAfter(timeoutMs);
    int done = 0;
    while (done < size) {
        const int ready = WaitFor(fd, events, WaitLeft(deadline));
        if (ready < 0)
            return -1;
        if (ready == 0)
            break;
        const ssize_t count = step(done);
        if (count < 0 && (errno == EINTR || errno == EAGAIN))
            continue;
        if (count < 0 || (count == 0 && events == POLLIN))
            return -1;
        done += static_cast<int>(count);
    }
    return done;
}

PortOpenError ClassifyOpenFailure(const QString& path, QSerialPort::SerialPortError error)
{
    const QByteArray nativePath = QFile::encodeName(path);
    if (::access(nativePath.constData(), F_OK) != 0)
        return PortOpenError::NotFound;
    if (::access(nativePath.constData(), R_OK | W_OK) != 0 && errno == EACCES)
        return PortOpenError::PermissionDenied;
    switch (error) {
    case QSerialPort::PermissionError: // accessible, yet refused: locked or held open
        return PortOpenError::Busy;
    case QSerialPort::DeviceNotFoundError:
        return PortOpenError::NotFound;
    default:
        return PortOpenError::Other;
    }
}

bool LineSettingsAreValid(int baud, int dataBits, int parity, float stopBits)
{
    return baud > 0 && dataBits >= 5 && dataBits <= 8 && parity >= 0 && parity <= 2
        && (stopBits == 1.0f || stopBits == 1.5f || stopBits == 2.0f);
}

// Pseudo-terminals (UNIX98 slaves, majors 136 to 143) have no line: they keep
// 8 data bits without parity whatever is asked, and that is no fault.
bool IsPseudoTerminal(const QString& path)
{
    struct stat info{};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0 || !S_ISCHR(info.st_mode))
        return false;
    const unsigned deviceMajor = major(info.st_rdev);
    return deviceMajor >= 136 && deviceMajor <= 143;
}

bool ApplyLineSettings(QSerialPort& port, int baud, int dataBits, int parity, float stopBits)
{
    static constexpr QSerialPort::Parity parities[] = {QSerialPort::NoParity, QSerialPort::OddParity,
        QSerialPort::EvenParity};
    QSerialPort::StopBits stops = QSerialPort::OneStop;
    if (stopBits == 1.5f)
        stops = QSerialPort::OneAndHalfStop;
    else if (stopBits == 2.0f)
        stops = QSerialPort::TwoStop;
    return port.setBaudRate(baud) && port.setDataBits(static_cast<QSerialPort::DataBits>(dataBits))
        && port.setParity(parities[parity]) && port.setStopBits(stops)
        && port.setFlowControl(QSerialPort::NoFlowControl);
}

} // namespace

struct CSerial::OpenPort {
    QSerialPort port;
    // When the last exchange failed after its command went out; empty once
    // the line has been found quiet.
    std::optional<Clock::time_point> failedAt;
};

CSerial::CSerial() = default;
CSerial::CSerial(const CSerial& other) = default;
CSerial& CSerial::operator=(const CSerial& other) = default;
CSerial::~CSerial() = default;

bool CSerial::InitComm(const QString& portName, int baud, int dataBits, int parity, float stopBits, int inputSize,
    int outputSize)
{
    Close();
    m_openError = PortOpenError::None;
    m_portName = portName;
    m_devicePath = ResolvePortDevice(portName);
    if (m_devicePath.isEmpty() || !LineSettingsAreValid(baud, dataBits, parity, stopBits)) {
        m_openError = m_devicePath.isEmpty() ? PortOpenError::NotFound : PortOpenError::Unsupported;
        return false;
    }
    auto open = std::make_shared<OpenPort>();
    QSerialPort& port = open->port;
    port.setPortName(m_devicePath);
    if (!port.open(QIODevice::ReadWrite)) {
        m_openError = ClassifyOpenFailure(m_devicePath, port.error());
        return false;
    }
    if (!ApplyLineSettings(port, baud, dataBits, parity, stopBits) && !IsPseudoTerminal(m_devicePath)) {
        port.close();
        m_openError = PortOpenError::Unsupported;
        return false;
    }
    // No thread's event loop may read from the port behind the exchanges'
    // back: the port object belongs to no thread from here on.
    port.moveToThread(nullptr);
    m_open = std::move(open);
    m_baud = baud;
    m_bitsPerCharacter = 1 + dataBits + (parity != 0 ? 1 : 0) + static_cast<int>(std::ceil(stopBits));
    return true;
}

bool CSerial::InitComm(const QString& portName, int baud, int dataBits, int parity, float stopBits, int inputSize,
    int outputSize, int writeSize)
{
    return InitComm(portName, baud, dataBits, parity, stopBits, inputSize, outputSize);
}

ErrType CSerial::CommandSend(const std::uint8_t* command, int commandLength, std::uint8_t* reply, int replyLength)
{
    if (const ErrType refused = StartExchange(command, commandLength, reply, replyLength); refused != kSerialOk)
        return refused;
    DiscardInput();
    return Finished(
        Exchange(command, commandLength, reply, replyLength, ReplyTimeoutMs(commandLength, replyLength)));
}

ErrType CSerial::CommandSendAfterUnanswered(const std::uint8_t* command, int commandLength, std::uint8_t* reply,
    int replyLength, int firstReplyMs, const ReplyTest& isEarlierReply)
{
    if (const ErrType refused = StartExchange(command, commandLength, reply, replyLength); refused != kSerialOk)
        return refused;
    ErrType result = Exchange(command, commandLength, reply, replyLength, firstReplyMs);
    if (result == kSerialOk && isEarlierReply(reply, m_received)) {
        m_received = 0;
        std::memset(reply, 0, static_cast<std::size_t>(replyLength));
        result = Receive(reply, replyLength, ReplyTimeoutMs(commandLength, replyLength));
    }
    return Finished(result);
}

ErrType CSerial::StartExchange(const std::uint8_t* command, int commandLength, std::uint8_t* reply, int replyLength)
{
    m_received = 0;
    if (!IsOpen())
        return kSerialNotOpen;
    if (!command || !reply || commandLength < 1 || replyLength < 1)
        return kSerialBadArgument;
    std::memset(reply, 0, static_cast<std::size_t>(replyLength));
    // A late reply to an earlier failed exchange must not pass for this one's.
    SettleAfterFailure();
    return kSerialOk;
}

ErrType CSerial::Finished(ErrType result)
{
    if (result != kSerialOk)
        m_open->failedAt = Clock::now();
    return result;
}

ErrType CSerial::Exchange(const std::uint8_t* command, int commandLength, std::uint8_t* reply, int replyLength,
    int replyWaitMs)
{
    if (!WriteAll(command, commandLength, ReplyTimeoutMs(commandLength, replyLength)))
        return kSerialWriteFailed;
    return Receive(reply, replyLength, replyWaitMs);
}

ErrType CSerial::Receive(std::uint8_t* reply, int replyLength, int timeoutMs)
{
    const int fd = m_open->port.handle();
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    const int gapMs = InterByteGapMs();
    while (m_received < replyLength) {
        int waitMs = MsUntil(deadline);
        if (m_received > 0)
            waitMs = std::min(waitMs, gapMs);
        const int ready = WaitFor(fd, POLLIN, waitMs);
        if (ready < 0)
            return kSerialReadFailed;
        if (ready == 0)
            break;
        const ssize_t count = ::read(fd, reply + m_received, static_cast<std::size_t>(replyLength - m_received));
        if (count < 0 && (errno == EINTR || errno == EAGAIN))
            continue;
        if (count <= 0)
            return kSerialReadFailed;
        m_received += static_cast<int>(count);
    }
    if (m_received == replyLength)
        return kSerialOk;
    if (m_received == 0)
        return kSerialNoReply;
    return CheckLength(reply, m_received) ? kSerialOk : kSerialShortReply;
}

int CSerial::Read(std::uint8_t* buffer, int size, int timeoutMs)
{
    if (!IsOpen() || !buffer || size < 0)
        return -1;
    const int fd = m_open->port.handle();
    return TransferWithin(fd, POLLIN, size, timeoutMs,
        [&](int done) { return ::read(fd, buffer + done, static_cast<std::size_t>(size - done)); });
}

int CSerial::Write(const std::uint8_t* bytes, int size, int timeoutMs)
{
    if (!IsOpen() || !bytes || size < 0)
        return -1;
    const int fd = m_open->port.handle();
    return TransferWithin(fd, POLLOUT, size, timeoutMs,
        [&](int done) { return ::write(fd, bytes + done, static_cast<std::size_t>(size - done)); });
}

int CSerial::PendingInput() const
{
    int count = 0;
    if (!IsOpen() || ::ioctl(m_open->port.handle(), FIONREAD, &count) != 0)
        return 0;
    return count;
}

void CSerial::Close()
{
    if (m_open)
        m_open->port.close();
    m_open.reset();
}

bool CSerial::IsOpen() const
{
    return m_open && m_open->port.isOpen();
}

int CSerial::ReplyTimeoutMs(int commandLength, int replyLength) const
{
    return kReplyLatencyMs + static_cast<int>(std::ceil(2 * (commandLength + replyLength) * CharacterMs()));
}

bool CSerial::CheckLength(const std::uint8_t* reply, int received) const
{
    return false;
}

double CSerial::CharacterMs() const
{
    return 1000.0 * m_bitsPerCharacter / m_baud;
}

int CSerial::InterByteGapMs() const
{
    return std::max(kInterByteGapMs, static_cast<int>(std::ceil(20 * CharacterMs())));
}

void CSerial::SettleAfterFailure()
{
    if (!m_open->failedAt)
        return;
    const int fd = m_open->port.handle();
    const auto gap = std::chrono::milliseconds(InterByteGapMs());
    auto quietUntil = *m_open->failedAt + std::chrono::milliseconds(kLateReplyWindowMs);
    // A line that never falls quiet is given up on: the exchange then runs.
    const auto giveUp = std::max(quietUntil, Clock::now()) + std::chrono::milliseconds(kLateReplyWindowMs);
    std::uint8_t sink[256];
    while (Clock::now() < giveUp) {
        const int ready = WaitFor(fd, POLLIN, MsUntil(std::min(quietUntil, giveUp)));
        if (ready <= 0) // quiet, or a failing port that the exchange will report
            break;
        const ssize_t count = ::read(fd, sink, sizeof sink);
        if (count <= 0 && !(count < 0 && (errno == EINTR || errno == EAGAIN)))
            break;
        quietUntil = std::max(quietUntil, Clock::now() + gap);
    }
    m_open->failedAt.reset();
}

void CSerial::DiscardInput()
{
    if (IsOpen())
        ::tcflush(m_open->port.handle(), TCIFLUSH);
}

bool CSerial::WriteAll(const std::uint8_t* bytes, int size, int timeoutMs)
{
    return Write(bytes, size, timeoutMs) == size;
}
