#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

struct _modbus;
struct _modbus_mapping_t;

// A libmodbus RTU slave serving one station from its own thread. It sits on
// one pseudo-terminal; a second pseudo-terminal is the client's line, and a
// relay thread joins the two master ends as a null-modem cable would. The
// test exchanges raw bytes on the client line (Exchange) or opens its path as
// a serial port (ClientPath). The tables may be read and changed between
// exchanges.
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

    // The pseudo-terminal end a client opens ("/dev/pts/N"), when the test
    // talks through a serial port instead of Exchange.
    const std::string& ClientPath() const { return m_clientPath; }

    // The next `times` replies come `delayMs` after their requests.
    void ReplyLate(int delayMs, int times = 1);

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
    std::atomic<bool> m_stop {false};
    std::atomic<int> m_lateReplies {0};
    std::atomic<int> m_lateDelayMs {0};
    std::thread m_server;
    std::thread m_relay;
};
