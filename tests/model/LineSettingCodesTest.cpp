#include "model/LineSettingCodes.h"
#include "model/CVX50TextDoc.h"

#include <gtest/gtest.h>

TEST(LineSettingCodes, BaudCodesBothWays)
{
    const std::pair<int, int> table[] = {{4800, 143}, {9600, 71}, {19200, 35}, {38400, 17}, {57600, 11}, {115200, 5}};
    for (const auto& [baud, code] : table) {
        EXPECT_EQ(BaudToDivisorCode(baud), code);
        EXPECT_EQ(BaudFromDivisorCode(code), baud);
        EXPECT_EQ(11059200 / (16 * baud) - 1, code);
    }
    EXPECT_EQ(BaudToDivisorCode(14400), -1);
    EXPECT_EQ(BaudFromDivisorCode(36), std::nullopt);
}

TEST(LineSettingCodes, LineControlByte)
{
    struct Case {
        int dataBits, stopBits, parity, code;
    };
    const Case cases[] = {
        {8, 1, 0, 0x06}, {7, 2, 1, 0x3C}, {7, 1, 2, 0x24}, {6, 1, 0, 0x02},
        {5, 1, 0, 0x00}, {9, 3, 3, 0x00}, {8, 2, 2, 0x2E},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LineControlCode({19200, c.parity, c.dataBits, c.stopBits}), c.code)
            << c.dataBits << c.stopBits << c.parity;
}

TEST(LineSettingCodes, ReadingBackChangesOnlyNamedFields)
{
    PortSettings port{9600, 0, 8, 1};
    ApplyLineCodes(port, 35, 0x3C);
    EXPECT_EQ(port.baud, 19200);
    EXPECT_EQ(port.dataBits, 7);
    EXPECT_EQ(port.stopBits, 2);
    EXPECT_EQ(port.parity, 1);

    // Code 36 names no baud; parity field 0x10 names no parity.
    ApplyLineCodes(port, 36, 0x10 | 0x06);
    EXPECT_EQ(port.baud, 19200);
    EXPECT_EQ(port.dataBits, 8);
    EXPECT_EQ(port.stopBits, 1);
    EXPECT_EQ(port.parity, 1);

    EXPECT_EQ(DataBitsFromCode(0x00), 5);
    EXPECT_EQ(DataBitsFromCode(0x02), 6);
    EXPECT_EQ(DataBitsFromCode(0x01), std::nullopt);
    EXPECT_EQ(StopBitsFromCode(0x04), std::nullopt);
    EXPECT_EQ(ParityFromCode(0x20), 2);
}

TEST(LineSettingCodes, ScreenSaverSeconds)
{
    const int seconds[] = {0, 180, 300, 600, 900, 1200, 1800, 2700, 3600, 20};
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(ScreenSaverSeconds(i), seconds[i]) << i;
    EXPECT_EQ(ScreenSaverSeconds(10), -1);
    EXPECT_EQ(ScreenSaverSeconds(-1), -1);
}

TEST(LineSettingCodes, DocumentCodesFollowThePortSelector)
{
    CVX50TextDoc doc;
    doc.Rs485Port = {9600, 1, 7, 2};
    doc.Com1Port = {115200, 2, 8, 1};
    EXPECT_EQ(doc.BaudToDivisorCode(0), 71);
    EXPECT_EQ(doc.LineControlCode(0), 0x3C);
    for (const int com1 : {1, 2, -1}) {
        EXPECT_EQ(doc.BaudToDivisorCode(com1), 5) << com1;
        EXPECT_EQ(doc.LineControlCode(com1), 0x26) << com1;
    }
    doc.Com1Port.baud = 14400;
    EXPECT_EQ(doc.BaudToDivisorCode(1), -1);

    doc.Panel.ScreenSaverIndex = 9;
    EXPECT_EQ(doc.ScreenSaverSeconds(), 20);
    doc.Panel.ScreenSaverIndex = 10;
    EXPECT_EQ(doc.ScreenSaverSeconds(), -1);
}

TEST(LineSettingCodes, DocumentSettersChangeOnlyTheirFieldOfTheChosenPort)
{
    CVX50TextDoc doc;
    const PortSettings com1 = doc.Com1Port;
    const int lineControl = 0x3C; // 7 data bits, 2 stop bits, odd parity
    doc.SetBaudFromDivisorCode(143, 0);
    EXPECT_EQ(doc.Rs485Port, (PortSettings{4800, 0, 8, 1}));
    doc.SetDataBitsFromCode(lineControl & 0x06, 0);
    EXPECT_EQ(doc.Rs485Port, (PortSettings{4800, 0, 7, 1}));
    doc.SetStopBitsFromCode(lineControl & 0x08, 0);
    EXPECT_EQ(doc.Rs485Port, (PortSettings{4800, 0, 7, 2}));
    doc.SetParityFromCode(lineControl & 0x30, 0);
    EXPECT_EQ(doc.Rs485Port, (PortSettings{4800, 1, 7, 2}));
    EXPECT_EQ(doc.Com1Port, com1);

    // Codes that name no setting leave the field as it is.
    doc.SetBaudFromDivisorCode(36, 1);
    doc.SetDataBitsFromCode(0x01, 1);
    doc.SetStopBitsFromCode(0x04, 1);
    doc.SetParityFromCode(0x10, 1);
    EXPECT_EQ(doc.Com1Port, com1);
    doc.SetParityFromCode(0x20, 1);
    doc.SetBaudFromDivisorCode(17, 1);
    EXPECT_EQ(doc.Com1Port, (PortSettings{38400, 2, 8, 1}));
    EXPECT_EQ(doc.Rs485Port, (PortSettings{4800, 1, 7, 2}));
}
