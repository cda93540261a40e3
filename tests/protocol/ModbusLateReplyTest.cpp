// A slave that answers after the port's time-out: its late reply must not be
// taken for the reply of the read that follows.

#include "modbusslave/ModbusSlave.h"
#include "protocol/ModbusEntries.h"
#include "transfer/PanelSerial.h"

#include <gtest/gtest.h>

#include <QString>

namespace {

constexpr int Station = 3;

ErrType Send(CPanelSerial& port, const BuiltCommand& command, std::vector<std::uint8_t>& reply)
{
    reply.assign(static_cast<std::size_t>(command.replyLength), 0);
    return port.CommandSend(command.bytes.data(), static_cast<int>(command.bytes.size()), reply.data(),
        command.replyLength);
}

TEST(ModbusLateReply, ReplyAfterTheTimeOutIsNotTakenForTheNextRead)
{
    ModbusSlave slave(Station);
    slave.Registers()[10] = 0x1010;
    slave.Registers()[20] = 0x2020;
    CPanelSerial port;
    ASSERT_TRUE(port.InitComm(QString::fromStdString(slave.ClientPath()), 115200, 8, 0, 1.0f, 2048, 2048));

    const BuiltCommand first = BuildReadRegister(Station, 10, 1);
    const BuiltCommand second = BuildReadRegister(Station, 20, 1);
    std::vector<std::uint8_t> reply;
    ASSERT_EQ(Send(port, first, reply), kSerialOk);
    EXPECT_EQ(reply[first.out4] << 8 | reply[first.out4 + 1], 0x1010);

    // The first read's reply comes 200 ms after its time-out, while the second
    // read would be waiting for its own.
    const int timeoutMs = port.ReplyTimeoutMs(static_cast<int>(first.bytes.size()), first.replyLength);
    slave.ReplyLate(timeoutMs + 200);
    EXPECT_EQ(Send(port, first, reply), kSerialNoReply);
    ASSERT_EQ(Send(port, second, reply), kSerialOk);
    EXPECT_EQ(reply[second.out4] << 8 | reply[second.out4 + 1], 0x2020);
    ASSERT_EQ(Send(port, first, reply), kSerialOk);
    EXPECT_EQ(reply[first.out4] << 8 | reply[first.out4 + 1], 0x1010);
}

} // namespace
