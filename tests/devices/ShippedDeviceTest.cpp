#include "devices/AddressLookup.h"
#include "devices/AddressTableFile.h"
#include "support/TestFiles.h"
#include "support/TestPaths.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

// The generic Modbus device that comes with the program: its file reads
// without a message and is exactly what the writer makes of its table.
TEST(ShippedDevice, ModbusSlaveFileIsWhatTheWriterWrites)
{
    const auto bytes = ReadTestFile(SourceDir() + "/data/Device/ModBus SlaveCommunication.add");
    ASSERT_TRUE(bytes.has_value());

    DeviceKeys keys;
    ASSERT_TRUE(ReadDeviceKeys(*bytes, keys));
    EXPECT_EQ(keys.dllName, "ModBus Slave.dll");
    EXPECT_EQ(keys.canEdit, 1);
    EXPECT_EQ(keys.commBuffLength, 256);
    EXPECT_EQ(keys.highFront, 1);

    AddressTable table;
    ASSERT_TRUE(ParseAddressTable(*bytes, table));
    ASSERT_EQ(table.size(), 3u);
    struct Expected {
        const char* name;
        int type, mode, interval;
        std::size_t count;
    };
    const Expected groups[] = {
        {"Coil", BitElementType, CoilOrMultiWriteMode, 1, 256},
        {"Register", Word16ElementType, SingleWriteMode, 1, 256},
        {"Register32", Word32ElementType, CoilOrMultiWriteMode, 2, 128},
    };
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(table[i].name, groups[i].name);
        EXPECT_EQ(table[i].elementType, groups[i].type);
        EXPECT_EQ(table[i].accessMode, groups[i].mode);
        EXPECT_EQ(table[i].interval32, groups[i].interval);
        EXPECT_EQ(table[i].elements.size(), groups[i].count);
    }
    EXPECT_EQ(FindElementAddress(table, "Coil", "C200"), 200);
    EXPECT_EQ(FindElementAddress(table, "Register", "R17"), 17);
    EXPECT_EQ(FindElementAddress(table, "Register32", "RR254"), 254);

    EXPECT_EQ(FormatAddressTable(keys, "ModBus Slave", table), *bytes);

    // The build copies it into the program folder beside the tests.
    const auto copied = ReadTestFile(QCoreApplication::applicationDirPath().toStdString()
                                      + "/Device/ModBus SlaveCommunication.add");
    EXPECT_EQ(copied, bytes);
}
