#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct _modbus;
struct _modbus_mapping_t;

// A libmodbus RTU slave serving one station from its own thread. It sits on
// one pseudo-terminal; a second pseudo-terminal is the client's line, and a
// relay thread joins the two master ends as a null-modem cable would. The
// test exchanges raw bytes on the client line (Exchange) or opens its path as
// a serial port (ClientPath). The tables may be read and changed through the
// raw pointers between exchanges, or at any time through the locked
// accessors (for tests whose client runs on other threads).
//
// For the client's failure paths the slave can fall silent, answer late, or
// have the line flip a byte of every reply.
class ModbusSlave {
public:
    static constexpr int TableSize = 0x400;

    explicit ModbusSlave(int station);
    ~ModbusSlave();
    ModbusSlave(const ModbusSlave&) = delete;
    ModbusSlave& operator=(const ModbusSlave&) = delete;

    // The slave's coils and holding registers, addresses 0 to TableSize - 1.
    std::uint8_t* Coils();
    std::uint16_t* Registers();

    // The tables under the lock that the serving thread holds while it
    // answers.
    void SetCoil(int address, bool on);
    void SetRegister(int address, std::uint16_t value);
    bool Coil(int address);
    std::uint16_t Register(int address);

    // Requests are received but not answered while silent.
    void SetSilent(bool silent) { m_silent = silent; }
    // The next `times` replies come `delayMs` after their requests.
    void ReplyLate(int delayMs, int times = 1);
    // The line from the slave to the client flips the first byte of
    // whatever it carries.
    void SetCorruptReplies(bool corrupt) { m_corrupt = corrupt; }
    // Requests the slave has received.
    int RequestCount() const { return m_requests; }
    // Each request received, in order: its function code and first address.
    struct Request {
        int function = 0;
        int address = 0;
        bool operator==(const Request&) const = default;
    };
    std::vector<Request> Requests() const;

    // The pseudo-terminal end a client opens ("/dev/pts/N"), when the test
    // talks through a serial port instead of Exchange.
    const std::string& ClientPath() const { return m_clientPath; }

    // Sends `command` through the master end and returns the reply: up to
    // `replyLength` bytes, fewer when the slave stays silent for 500 ms.
    std::vector<std::uint8_t> Exchange(const std::uint8_t* command, int length, int replyLength);

private:
    void Serve();
    void Relay();

    int m_serverMaster = -1;
    int m_serverEnd = -1;  // held open so the line stays up while libmodbus reopens it
    int m_clientMaster = -1;
    int m_clientEnd = -1;  // the test's raw end of the client line
    std::string m_clientPath;
    _modbus* m_context = nullptr;
    _modbus_mapping_t* m_mapping = nullptr;
    std::mutex m_tables;
    mutable std::mutex m_logMutex;
    std::vector<Request> m_log;
    std::atomic<bool> m_silent {false};
    std::atomic<bool> m_corrupt {false};
    std::atomic<int> m_requests {0};
    std::atomic<bool> m_stop {false};
    std::atomic<int> m_lateReplies {0};
    std::atomic<int> m_lateDelayMs {0};
    std::thread m_server;
    std::thread m_relay;
};
