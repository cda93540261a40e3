#include "modbusslave/ModbusSlave.h"

#include <modbus/modbus.h>

#include <cerrno>
#include <chrono>
#include <poll.h>
#include <pty.h>
#include <stdexcept>
#include <termios.h>
#include <unistd.h>

namespace {

// Opens a pseudo-terminal pair whose slave end passes bytes unchanged.
void OpenRawPair(int& master, int& slave, std::string& path)
{
    char name[64] = {};
    if (openpty(&master, &slave, name, nullptr, nullptr) != 0)
        throw std::runtime_error("openpty failed");
    termios settings {};
    tcgetattr(slave, &settings);
    cfmakeraw(&settings);
    tcsetattr(slave, TCSANOW, &settings);
    path = name;
}

// Copies what is waiting on `from` to `to`, its first byte flipped when
// `corrupt`.
void Forward(int from, int to, bool corrupt)
{
    std::uint8_t buffer[512];
    const ssize_t n = read(from, buffer, sizeof buffer);
    if (n > 0 && corrupt)
        buffer[0] ^= 0xFF;
    for (ssize_t done = 0; n > 0 && done < n;) {
        const ssize_t written = write(to, buffer + done, static_cast<size_t>(n - done));
        if (written <= 0)
            return;
        done += written;
    }
}

} // namespace

ModbusSlave::ModbusSlave(int station)
{
    std::string serverPath;
    OpenRawPair(m_serverMaster, m_serverEnd, serverPath);
    OpenRawPair(m_clientMaster, m_clientEnd, m_clientPath);

    m_context = modbus_new_rtu(serverPath.c_str(), 115200, 'N', 8, 1);
    m_mapping = modbus_mapping_new(TableSize, 0, TableSize, 0);
    if (!m_context || !m_mapping || modbus_set_slave(m_context, station) != 0 || modbus_connect(m_context) != 0)
        throw std::runtime_error("libmodbus slave could not start");
    // The serving loop wakes up this often to notice the stop request.
    modbus_set_indication_timeout(m_context, 0, 100000);

    m_server = std::thread([this] { Serve(); });
    m_relay = std::thread([this] { Relay(); });
}

ModbusSlave::~ModbusSlave()
{
    m_stop = true;
    m_server.join();
    m_relay.join();
    modbus_close(m_context);
    modbus_free(m_context);
    modbus_mapping_free(m_mapping);
    for (int fd : {m_serverMaster, m_serverEnd, m_clientMaster, m_clientEnd})
        close(fd);
}

std::uint8_t* ModbusSlave::Coils() { return m_mapping->tab_bits; }

void ModbusSlave::SetCoil(int address, bool on)
{
    std::lock_guard lock(m_tables);
    m_mapping->tab_bits[address] = on ? 1 : 0;
}

void ModbusSlave::SetRegister(int address, std::uint16_t value)
{
    std::lock_guard lock(m_tables);
    m_mapping->tab_registers[address] = value;
}

bool ModbusSlave::Coil(int address)
{
    std::lock_guard lock(m_tables);
    return m_mapping->tab_bits[address] != 0;
}

std::uint16_t ModbusSlave::Register(int address)
{
    std::lock_guard lock(m_tables);
    return m_mapping->tab_registers[address];
}

std::uint16_t* ModbusSlave::Registers() { return m_mapping->tab_registers; }

void ModbusSlave::Serve()
{
    std::uint8_t request[MODBUS_RTU_MAX_ADU_LENGTH];
    while (!m_stop) {
        const int length = modbus_receive(m_context, request);
        if (length <= 0)
            continue;
        {
            // RTU: station, function code, address high and low byte.
            std::lock_guard lock(m_logMutex);
            m_log.push_back({request[1], request[2] << 8 | request[3]});
        }
        ++m_requests;
        if (m_silent)
            continue;
        if (m_lateReplies > 0) {
            --m_lateReplies;
            std::this_thread::sleep_for(std::chrono::milliseconds(m_lateDelayMs.load()));
        }
        std::lock_guard lock(m_tables);
        modbus_reply(m_context, request, length, m_mapping);
    }
}

std::vector<ModbusSlave::Request> ModbusSlave::Requests() const
{
    std::lock_guard lock(m_logMutex);
    return m_log;
}

void ModbusSlave::ReplyLate(int delayMs, int times)
{
    m_lateDelayMs = delayMs;
    m_lateReplies = times;
}

void ModbusSlave::Relay()
{
    pollfd fds[2] = {{m_serverMaster, POLLIN, 0}, {m_clientMaster, POLLIN, 0}};
    while (!m_stop) {
        if (poll(fds, 2, 50) <= 0)
            continue;
        if (fds[0].revents & POLLIN)
            Forward(m_serverMaster, m_clientMaster, m_corrupt);
        if (fds[1].revents & POLLIN)
            Forward(m_clientMaster, m_serverMaster, false);
    }
}

std::vector<std::uint8_t> ModbusSlave::Exchange(const std::uint8_t* command, int length, int replyLength)
{
    tcflush(m_clientEnd, TCIFLUSH);
    if (write(m_clientEnd, command, static_cast<size_t>(length)) != length)
        throw std::runtime_error("write to the client line failed");
    std::vector<std::uint8_t> reply;
    pollfd fd {m_clientEnd, POLLIN, 0};
    while (static_cast<int>(reply.size()) < replyLength && poll(&fd, 1, 500) > 0) {
        std::uint8_t buffer[512];
        const ssize_t n = read(m_clientEnd, buffer, sizeof buffer);
        if (n <= 0)
            break;
        reply.insert(reply.end(), buffer, buffer + n);
    }
    return reply;
}
