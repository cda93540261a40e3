#pragma once

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

// Result of CSerial::CommandSend. 0 is success; every other value is a failed
// exchange, which callers report as a communication error.
using ErrType = int;
enum SerialError : ErrType {
    kSerialOk = 0,
    kSerialNotOpen = 1,      // no port is open
    kSerialBadArgument = 2,  // a null buffer or a length below 1
    kSerialWriteFailed = 3,  // the command did not go out within its time-out
    kSerialNoReply = 4,      // not one reply byte came within the reply time-out
    kSerialShortReply = 5,   // the reply stopped short and CheckLength refused it
    kSerialReadFailed = 6,   // the device failed while reading (adapter unplugged)
};

// Why InitComm could not open a port.
enum class PortOpenError {
    None,
    NotFound,         // no device behind the name
    PermissionDenied, // the device exists but this user may not open it
    Busy,             // another program holds the port
    Unsupported,      // the line settings were refused
    Other,
};

// A serial port with blocking request/reply exchanges.
//
// Qt Serial Port opens the device and sets its line; the exchanges then run
// on the port's descriptor with poll(), so they need no event loop and work on
// whichever thread holds the port (the simulation's worker exchanges on a
// port that the user-interface thread opened and later closes). Copies share
// the open port: closing one closes it for all.
//
// Time-outs scale with the line speed. One character takes
// (1 start + data + parity + stop bits) / baud seconds. A reply must begin
// within kReplyLatencyMs plus twice the time the command and the reply take on
// the line; once bytes flow, a silence of kInterByteGapMs (at least 20
// character times) ends the reply early.
//
// A reply may come after its exchange has given up on it. So that it can
// never pass for the reply of the next request, the exchange after a failed
// one first drains the input until the line has been quiet for
// kLateReplyWindowMs since the failure (and for the inter-byte gap since the
// last byte drained); exchanges after successful ones start at once.
class CSerial {
public:
    // Time the device may take to act on a command before it answers (the
    // panel writes each block into its flash memory before it replies).
    static constexpr int kReplyLatencyMs = 1000;
    // Silence that ends a reply that has begun.
    static constexpr int kInterByteGapMs = 50;
    // How long after a failed exchange its reply may still come in.
    static constexpr int kLateReplyWindowMs = 1000;
    // Write(bytes, size, kInfinite)/Read(...) wait without limit.
    static constexpr int kInfinite = -1;

    CSerial();
    CSerial(const CSerial& other);
    CSerial& operator=(const CSerial& other);
    virtual ~CSerial();

    // Opens `portName` ("COM3", "\\.\COM12" or a device path; see
    // ComPortNames.h for the mapping) with the line settings: parity 0 none,
    // 1 odd, 2 even; stop bits 1, 1.5 or 2. The buffer sizes are accepted
    // and not needed: the kernel buffers the line.
    // A pseudo-terminal takes any valid line settings (it keeps 8N1 itself).
    // Returns false when the port cannot be opened; LastOpenError() says why.
    bool InitComm(const QString& portName, int baud, int dataBits, int parity, float stopBits, int inputSize,
        int outputSize);
    bool InitComm(const QString& portName, int baud, int dataBits, int parity, float stopBits, int inputSize,
        int outputSize, int writeSize);

    // Discards stale input (after a failed exchange, once the line is quiet),
    // sends `commandLength` bytes and receives up to `replyLength` bytes into
    // `reply` (zero-filled first). A reply that stops short is still a success
    // when CheckLength accepts it; ReceivedCount() gives the bytes that came.
    ErrType CommandSend(const std::uint8_t* command, int commandLength, std::uint8_t* reply, int replyLength);
    int ReceivedCount() const { return m_received; }

    // Tells whether a reply of `received` bytes answers an earlier command.
    using ReplyTest = std::function<bool(const std::uint8_t* reply, int received)>;
    // CommandSend for a command that follows one sent with Write whose reply
    // was not awaited. The input is kept: the device answers in order, so
    // that reply, when it comes, comes first. The first reply that
    // `isEarlierReply` recognises is skipped, and the reply to `command` is
    // awaited for its own reply time-out from then on. The first reply may
    // take up to `firstReplyMs`.
    ErrType CommandSendAfterUnanswered(const std::uint8_t* command, int commandLength, std::uint8_t* reply,
        int replyLength, int firstReplyMs, const ReplyTest& isEarlierReply);

    // Raw reads and writes: the bytes transferred within `timeoutMs`
    // (kInfinite: no limit), or -1 when the port is not open or fails.
    int Read(std::uint8_t* buffer, int size, int timeoutMs = kInfinite);
    int Write(const std::uint8_t* bytes, int size, int timeoutMs);
    // Bytes waiting in the input queue, and throwing them away.
    int PendingInput() const;
    void DiscardInput();

    void Close();
    bool IsOpen() const;

    PortOpenError LastOpenError() const { return m_openError; }
    // The port name that the last InitComm was given, and the device path it
    // tried (empty when the name maps to no device).
    QString PortName() const { return m_portName; }
    QString DevicePath() const { return m_devicePath; }

    // The reply time-out of one exchange at the current line settings.
    int ReplyTimeoutMs(int commandLength, int replyLength) const;

protected:
    // Decides whether a reply of `received` bytes (at least 1, fewer than
    // expected) counts as received. The base accepts only complete replies.
    virtual bool CheckLength(const std::uint8_t* reply, int received) const;

private:
    // The open port and what the exchanges know of its line, shared by copies.
    struct OpenPort;

    double CharacterMs() const;
    int InterByteGapMs() const;
    ErrType StartExchange(const std::uint8_t* command, int commandLength, std::uint8_t* reply, int replyLength);
    // Sends `command`, then receives its reply within `replyWaitMs`.
    ErrType Exchange(const std::uint8_t* command, int commandLength, std::uint8_t* reply, int replyLength,
        int replyWaitMs);
    ErrType Receive(std::uint8_t* reply, int replyLength, int timeoutMs);
    ErrType Finished(ErrType result);
    void SettleAfterFailure();
    bool WriteAll(const std::uint8_t* bytes, int size, int timeoutMs);

    std::shared_ptr<OpenPort> m_open;
    int m_bitsPerCharacter = 10;
    int m_baud = 19200;
    int m_received = 0;
    PortOpenError m_openError = PortOpenError::None;
    QString m_portName;
    QString m_devicePath;
};
