#pragma once

#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

// A VX50 panel on a pseudo-terminal, for tests and for trying the editor
// without hardware. Start() opens the terminal pair; the program under test
// opens DevicePath() like any serial port. A worker thread reads frames and
// answers them as the panel does:
//
//   begin 01 02 81 E1 E1 81 02 01 / probe 01 02 81 E1 -> 01 02 CRC (a write begins)
//   block write 01 05 n data[256] CRC               -> 01 05 n CRC (stored; only inside a write)
//   block read 01 07 n CRC                         -> 01 07 n data[256] CRC
//   version 01 08 01 E6                            -> 01 08 v CRC
//   lock query 01 09 0C 26 26 0C 09 01             -> 01 09 lock 00 00 00 CRC
//   password 01 0A lo hi CRC                       -> 01 02 lo hi CRC, or 01 8A lo hi CRC when wrong
//   end 01 10 01 EC                                -> 01 10 CRC (the write ends)
//
// A request the panel cannot serve gets its function code with bit 7 set: a
// block write outside a write, a block read while the lock holds. A frame
// with a bad CRC, a wrong fixed frame or an unknown code gets no reply.
// Blocks never written read as 0xFF (erased flash).
class PanelEmulator {
public:
    using Block = std::array<std::uint8_t, 256>;

    enum class Lock : std::uint8_t {
        None = 0,     // reads are free
        Password = 1, // reads need the password frame first
        Refuse = 2,   // reads are refused
    };

    enum class Fault {
        None,       // answered as usual: queue it to let earlier frames pass
        NoReply,    // the frame is swallowed
        WrongCode,  // the reply carries function code 0x7F
        BadCrc,     // the reply's CRC is damaged
        SlowReply,  // the reply comes after the fault's delay
        ShortReply, // only the first 2 bytes of the reply come
    };

    PanelEmulator();
    ~PanelEmulator();
    PanelEmulator(const PanelEmulator&) = delete;
    PanelEmulator& operator=(const PanelEmulator&) = delete;

    // Opens the pseudo-terminal and starts answering; false when no terminal
    // could be had.
    bool Start();
    void Stop();
    // The path a program opens to talk to the panel, e.g. /dev/pts/3.
    std::string DevicePath() const;

    // Paces the replies as a serial line of `baud` baud would (10 bits a
    // character): a reply is complete no earlier than the time its frame's
    // first byte came in, plus the time the frame and the reply take on the
    // line. 0, the default, answers as soon as a frame is complete.
    void SetLineSpeed(int baud);

    void SetFirmwareVersion(std::uint8_t code);
    void SetLock(Lock lock, std::uint16_t password = 0);

    // Makes the next `times` frames with `function` fail with `fault`;
    // faults of one function code queue in order, so
    //   InjectFault(kFunctionBlockRead, Fault::None, 3);
    //   InjectFault(kFunctionBlockRead, Fault::WrongCode);
    // fails the fourth block read.
    void InjectFault(std::uint8_t function, Fault fault, int times = 1, int delayMs = 0);
    void ClearFaults();

    // Stored blocks (written by block frames or loaded).
    std::optional<Block> StoredBlock(std::uint8_t number) const;
    // The bytes of consecutive stored blocks from `firstBlock` on.
    std::vector<std::uint8_t> StoredArea(std::uint8_t firstBlock) const;
    // Stores `bytes` in blocks from `firstBlock` on (the last block padded
    // with zeros), as a panel that was written before.
    void LoadArea(std::uint8_t firstBlock, const std::vector<std::uint8_t>& bytes);
    void ClearBlocks();

    // Whether a write has begun and not ended.
    bool InWrite() const;
    // Every frame received, in order, with those that got no reply.
    std::vector<std::vector<std::uint8_t>> ReceivedFrames() const;
    int FrameCount(std::uint8_t function) const;
    // Every byte received, frame or not.
    std::size_t ReceivedByteCount() const { return m_bytesReceived; }
    // Waits until `count` frames have been received in all; false on time-out.
    bool WaitForFrames(std::size_t count, int timeoutMs) const;

private:
    struct PendingFault {
        Fault fault;
        int delayMs;
    };

    using Clock = std::chrono::steady_clock;

    void Run();
    void ParseInput(std::vector<std::uint8_t>& input, Clock::time_point& frameStart);
    std::vector<std::uint8_t> Answer(const std::vector<std::uint8_t>& frame);
    std::vector<std::uint8_t> AnswerBlockRead(std::uint8_t number);
    // Sends `reply` no earlier than `due`, later when a fault delays it.
    void SendReply(std::uint8_t function, std::vector<std::uint8_t> reply, Clock::time_point due);
    // When the reply to a frame of `frameLength` bytes, whose first byte came
    // at `frameStart`, is complete on a line of the paced speed.
    Clock::time_point ReplyDue(Clock::time_point frameStart, std::size_t frameLength, std::size_t replyLength) const;

    int m_master = -1;
    int m_slaveKeeper = -1; // keeps the terminal up while no client has it open
    std::string m_slavePath;
    std::thread m_worker;
    std::atomic<bool> m_stop{false};
    std::atomic<int> m_baud{0};
    std::atomic<std::size_t> m_bytesReceived{0};

    mutable std::mutex m_mutex;
    mutable std::condition_variable m_frameArrived;
    std::uint8_t m_version = 0x23;
    Lock m_lock = Lock::None;
    std::uint16_t m_password = 0;
    bool m_unlocked = false;
    bool m_inWrite = false;
    std::map<std::uint8_t, Block> m_blocks;
    std::map<std::uint8_t, std::deque<PendingFault>> m_faults;
    std::vector<std::vector<std::uint8_t>> m_frames;
};
