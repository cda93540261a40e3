// The simulation's port against a libmodbus slave: exchanges queued from
// other threads are made by the worker between two of its own, each caller
// gets its own whole reply, and a reply the buffer cannot take is not asked
// for.

#include "modbusslave/ModbusSlave.h"
#include "simulator/DeviceCommand.h"
#include "simulator/SimulationPort.h"
#include "transfer/ProtocolLibrary.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

constexpr int Station = 1;

class SimulationPortTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(LoadProtocolLibrary("ModBus Slave.dll", ProtocolUse::CompileOrSimulate, protocol));
        ASSERT_TRUE(port.Serial().InitComm(QString::fromStdString(slave.ClientPath()), 115200, 8, 0, 1.0f, 2048,
            2048));
        for (int a = 0; a < 200; ++a)
            slave.SetRegister(a, static_cast<std::uint16_t>(a * 3 + 1));
    }

    // Whether `reply` carries registers `first` to `first + count - 1`.
    bool Carries(const DeviceCommand& read, const SimulationPort::Reply& reply, int first, int count)
    {
        const DeviceReply data = ReplyTo(protocol, read, reply);
        bool right = reply.error == kSerialOk && reply.received == read.ReplyLength()
            && ReplyPassesCheck(reply.Received(), true);
        for (int k = 0; right && k < count; ++k)
            right = ReplyWord(data, read.dataPosition + 2 * k) == (first + k) * 3 + 1;
        return right;
    }

    ModbusSlave slave{Station};
    ProtocolFunctionTable protocol;
    SimulationPort port;
};

TEST_F(SimulationPortTest, ExchangesQueuedFromOtherThreadsComeBetweenTheWorkersOwn)
{
    // Two threads queue reads of their own registers, a different count each
    // time, while the worker reads its own and makes the queued ones before
    // each of its exchanges.
    std::atomic<int> queuedWrong = 0;
    std::atomic<int> answered = 0;
    const auto queuer = [&](int first) {
        for (int i = 0; i < 40; ++i) {
            const int count = 1 + i % 7;
            const DeviceCommand read = BuildReadRegister(protocol, Station, first, count);
            port.QueueExchange(read.Bytes(), read.ReplyLength(),
                [&, read, first, count](const SimulationPort::Reply& reply) {
                    queuedWrong += Carries(read, reply, first, count) ? 0 : 1;
                    ++answered;
                });
        }
    };
    std::atomic<bool> queuersDone = false;
    int ownWrong = 0;
    int ownReads = 0;
    std::thread worker([&] {
        while (!queuersDone || port.ExchangesQueued()) {
            port.RunQueuedExchanges();
            const int count = 1 + ownReads % 7;
            const DeviceCommand read = BuildReadRegister(protocol, Station, 150, count);
            ownWrong += Carries(read, port.Exchange(read.Bytes(), read.ReplyLength()), 150, count) ? 0 : 1;
            ++ownReads;
        }
    });
    std::thread a(queuer, 10);
    queuer(100);
    a.join();
    queuersDone = true;
    worker.join();

    EXPECT_EQ(answered, 80);
    EXPECT_EQ(queuedWrong, 0);
    EXPECT_EQ(ownWrong, 0);
    EXPECT_EQ(slave.RequestCount(), 80 + ownReads);
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
