#pragma once

#include "transfer/PanelSerial.h"

#include <QString>

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>

class UserInterface;

// What a command that talks to the panel holds while it runs: the progress
// window, the PC port and the progress position. Every way out of the command
// ends with Finish, which names the clean-up of that way out in its order (a
// message before or after the end exchange, the port closed, the window
// removed). Whatever is still open when the session is destroyed (an
// exception on the way) is undone then: the port closed, the window removed.
class TransferSession {
public:
    enum class CleanUp {
        Message,        // the message of this way out
        EndTransfer,    // the end exchange: up to 3 tries, 61214 after the third
        ClosePort,
        RemoveProgress,
    };

    // How one exchange with the panel went.
    enum class Reply {
        Accepted,
        NotSent, // no complete exchange: the command was not sent or no reply came
        Refused, // a reply with another function code
    };

    // The line speed of every exchange with the panel.
    static constexpr int kPanelBaud = 19200;

    explicit TransferSession(UserInterface& ui);
    ~TransferSession();
    TransferSession(const TransferSession&) = delete;
    TransferSession& operator=(const TransferSession&) = delete;

    UserInterface& Ui() const { return m_ui; }

    // Shows the progress window with the range 0 to `maximum`, its caption
    // and text line by string id; false, after the failure was shown, when no
    // window could be created.
    bool ShowProgress(int maximum, int captionId, int textId);
    // The bar's position; builders that move it on count from here.
    int& Position() { return m_position; }
    void StepTo(int position);
    void Step(int by = 1) { StepTo(m_position + by); }
    // A new range for the window shown, keeping the position.
    void SetRange(int maximum);

    // Opens `portName` at 19200 baud, 8 data bits, no parity; false after the
    // failure was shown (61208).
    bool OpenPort(const QString& portName, float stopBits);
    CPanelSerial& Port() { return m_port; }

    // One request and its reply of `replyLength` bytes, accepted when the
    // reply's byte 1 is `function`.
    Reply Exchange(const std::uint8_t* frame, std::size_t length, int replyLength, std::uint8_t function);
    template <std::size_t N>
    Reply Exchange(const std::array<std::uint8_t, N>& frame, int replyLength, std::uint8_t function)
    {
        return Exchange(frame.data(), N, replyLength, function);
    }
    // The block frame that writes the 256 bytes at `bytes` into block `block`.
    Reply SendBlock(const std::uint8_t* bytes, std::uint8_t block);
    // Reads block `block` into the 256 bytes at `bytes`. A reply is taken
    // only with its function code, block number and CRC right: a corrupt
    // reply never becomes image data.
    Reply ReadBlock(std::uint8_t block, std::uint8_t* bytes);

    // Runs the clean-up of one way out, in the order given; `messageId` is
    // the message of CleanUp::Message. Steps that have nothing left to do
    // (a closed port, a removed window) are skipped.
    void Finish(std::initializer_list<CleanUp> steps, int messageId = 0);

private:
    UserInterface& m_ui;
    CPanelSerial m_port;
    bool m_progressShown = false;
    int m_position = 0;
};
