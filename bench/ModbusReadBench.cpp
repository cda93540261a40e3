// Reads of 10 holding registers from a libmodbus slave on a pseudo-terminal:
// through the editor's port class and the Modbus protocol library, side by
// side with libmodbus's own client on the same line. 1000 reads each.

#include "SideBySide.h"
#include "modbusslave/ModbusSlave.h"
#include "transfer/PanelSerial.h"
#include "transfer/ProtocolLibrary.h"

#include <modbus/modbus.h>

#include <memory>

namespace {

constexpr int Station = 1;
constexpr int Baud = 115200;
constexpr int FirstRegister = 100;
constexpr int RegisterCount = 10;
constexpr int Reads = 1000;

ModbusSlave& Slave()
{
    static ModbusSlave slave(Station);
    return slave;
}

void LibraryThroughPanelSerial(benchmark::State& state)
{
    ProtocolFunctionTable protocol;
    CPanelSerial port;
    if (!LoadProtocolLibrary("ModBus Slave.dll", ProtocolUse::CompileOrSimulate, protocol)
        || !port.InitComm(QString::fromStdString(Slave().ClientPath()), Baud, 8, 0, 1.0f, 2048, 2048)) {
        state.SkipWithError("the library or the port did not open");
        return;
    }
    for (auto _ : state) {
        std::uint8_t command[256] = {};
        std::uint8_t aux[255] = {};
        std::uint8_t reply[256] = {};
        int format = 0, length = 0, spare = 0, dataPosition = 0;
        protocol.ReadRegister(Station, FirstRegister >> 8, FirstRegister & 0xFF, RegisterCount, command, &format,
            &length, &spare, &dataPosition, aux);
        const int replyLength = aux[0] | (aux[1] << 8);
        if (port.CommandSend(command, length, reply, replyLength) != 0) {
            state.SkipWithError("exchange failed");
            break;
        }
        benchmark::DoNotOptimize(reply[dataPosition]);
    }
    port.Close();
}

void LibmodbusClient(benchmark::State& state)
{
    std::unique_ptr<modbus_t, void (*)(modbus_t*)> client(
        modbus_new_rtu(Slave().ClientPath().c_str(), Baud, 'N', 8, 1), modbus_free);
    if (!client || modbus_set_slave(client.get(), Station) != 0 || modbus_connect(client.get()) != 0) {
        state.SkipWithError("libmodbus client did not open");
        return;
    }
    for (auto _ : state) {
        std::uint16_t values[RegisterCount];
        if (modbus_read_registers(client.get(), FirstRegister, RegisterCount, values) != RegisterCount) {
            state.SkipWithError("read failed");
            break;
        }
        benchmark::DoNotOptimize(values[0]);
    }
    modbus_close(client.get());
}

} // namespace

BENCHMARK(LibraryThroughPanelSerial)->Iterations(Reads)->Apply(SideBySide);
BENCHMARK(LibmodbusClient)->Iterations(Reads)->Apply(SideBySide);

int main(int argc, char** argv)
{
    return RunSideBySide(argc, argv);
}
