// The simulation's port thread against a libmodbus slave: callers on several
// threads each get their own whole reply, and a reply the buffer cannot take
// is not asked for.

#include "modbusslave/ModbusSlave.h"
#include "simulator/DeviceCommand.h"
#include "simulator/SimulationPort.h"
#include "transfer/ProtocolLibrary.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace {

constexpr int Station = 1;

class SimulationPortTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(LoadProtocolLibrary("ModBus Slave.dll", ProtocolUse::CompileOrSimulate, protocol));
        bool opened = false;
        port.Run([&](CPanelSerial& serial) {
            opened = serial.InitComm(QString::fromStdString(slave.ClientPath()), 115200, 8, 0, 1.0f, 2048, 2048);
        });
        ASSERT_TRUE(opened);
        for (int a = 0; a < 200; ++a)
            slave.SetRegister(a, static_cast<std::uint16_t>(a * 3 + 1));
    }

    ModbusSlave slave{Station};
    ProtocolFunctionTable protocol;
    SimulationPort port;
};

TEST_F(SimulationPortTest, CallersOnSeveralThreadsGetTheirOwnReplies)
{
    // Each thread reads its own registers, a different count each time.
    const auto reader = [this](int first, int& wrong) {
        for (int i = 0; i < 40; ++i) {
            const int count = 1 + i % 7;
            const DeviceCommand read = BuildReadRegister(protocol, Station, first, count);
            const SimulationPort::Reply reply = port.Exchange(read.Bytes(), read.ReplyLength());
            const DeviceReply data = ReplyTo(protocol, read, reply);
            bool right = reply.error == kSerialOk && reply.received == read.ReplyLength()
                && ReplyPassesCheck(reply.Received(), true);
            for (int k = 0; right && k < count; ++k)
                right = ReplyWord(data, read.dataPosition + 2 * k) == (first + k) * 3 + 1;
            wrong += right ? 0 : 1;
        }
    };
    int wrong[3] = {};
    std::thread a(reader, 10, std::ref(wrong[0]));
    std::thread b(reader, 100, std::ref(wrong[1]));
    reader(150, wrong[2]);
    a.join();
    b.join();
    EXPECT_EQ(wrong[0] + wrong[1] + wrong[2], 0);
    EXPECT_EQ(slave.RequestCount(), 120);
}

TEST_F(SimulationPortTest, ReplyLongerThanTheBufferIsNotAskedFor)
{
    const DeviceCommand read = BuildReadRegister(protocol, Station, 0, 1);
    EXPECT_EQ(port.Exchange(read.Bytes(), SimulationPort::kBufferSize + 1).error, kSerialBadArgument);
    EXPECT_EQ(slave.RequestCount(), 0);
    EXPECT_EQ(port.Exchange(read.Bytes(), read.ReplyLength()).error, kSerialOk);
    EXPECT_EQ(slave.RequestCount(), 1);
}

} // namespace
