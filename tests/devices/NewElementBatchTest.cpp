#include "devices/NewElementBatch.h"

#include "base/StringTable.h"
#include "devices/AddressTableRows.h"
#include "support/RecordingUserInterface.h"
#include "support/TableGroups.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

NewElementRequest Batch(std::string group, std::string prefix, int count, int base, std::string start,
                        std::string address, int interval = 1, int position = 0)
{
    NewElementRequest r;
    r.groupName = std::move(group);
    r.name = std::move(prefix);
    r.batch = true;
    r.count = count;
    r.base = base;
    r.startNumber = std::move(start);
    r.startAddress = std::move(address);
    r.interval = interval;
    r.position = position;
    return r;
}

std::vector<std::string> Addresses(const ElementGroup& group)
{
    std::vector<std::string> texts;
    for (const auto& e : group.elements)
        texts.push_back(ElementAddressText(group, e));
    return texts;
}

} // namespace

TEST(NewElementBatch, RunningNumbersAreWrittenInTheChosenBase)
{
    const struct {
        int base;
        const char* start;
        std::vector<std::string> names;
    } cases[] = {
        {OctalBase, "7", {"X7", "X10", "X11"}},
        {DecimalBase, "9", {"X9", "X10", "X11"}},
        {HexBase, "F", {"XF", "X10", "X11"}},
        {HexBase, "19", {"X19", "X1A", "X1B"}},
        {HexBase, "1a", {"X1A", "X1B", "X1C"}},
    };
    for (const auto& c : cases) {
        AddressTable groups = {MakeGroup("Y", Word16ElementType, CoilOrMultiWriteMode)};
        RecordingUserInterface ui;
        CreateElements(groups, Batch("Y", "  X ", 3, c.base, c.start, "100"), ui);
        EXPECT_EQ(ElementNames(groups[0]), c.names) << c.start;
        EXPECT_TRUE(ui.messages.empty());
    }
}

TEST(NewElementBatch, BitBatchesStepTheWordByTheIntervalEverySixteenBits)
{
    const struct {
        int interval;
        std::vector<std::string> addresses;
    } cases[] = {
        {1, {"10.E", "10.F", "11.0", "11.1"}},
        {2, {"10.E", "10.F", "12.0", "12.1"}},
    };
    for (const auto& c : cases) {
        AddressTable groups = {MakeGroup("M", BitElementType, WordBitMode)};
        RecordingUserInterface ui;
        CreateElements(groups, Batch("M", "M", 4, DecimalBase, "0", "10.E", c.interval), ui);
        EXPECT_EQ(Addresses(groups[0]), c.addresses) << c.interval;
    }
}

TEST(NewElementBatch, WordBatchesStepByTheIntervalAndStopAfterFFFF)
{
    AddressTable groups = {MakeGroup("D", Word16ElementType, SingleWriteMode),
                           MakeGroup("DD", Word32ElementType, CoilOrMultiWriteMode, {}, 2)};
    RecordingUserInterface ui;
    CreateElements(groups, Batch("D", "D", 5, DecimalBase, "0", "FFFD"), ui);
    EXPECT_EQ(Addresses(groups[0]), (std::vector<std::string>{"FFFD", "FFFE", "FFFF"}));
    CreateElements(groups, Batch("DD", "DD", 3, DecimalBase, "0", "10", 2), ui);
    EXPECT_EQ(Addresses(groups[1]), (std::vector<std::string>{"10", "12", "14"}));
    // A bit batch stops at the word as well.
    groups.push_back(MakeGroup("M", BitElementType, SingleWriteMode));
    CreateElements(groups, Batch("M", "M", 4, DecimalBase, "0", "FFFF.E"), ui);
    EXPECT_EQ(Addresses(groups[2]), (std::vector<std::string>{"FFFF.E", "FFFF.F"}));
    EXPECT_TRUE(ui.messages.empty());
}

TEST(NewElementBatch, NewElementsGoAfterThePositionAndAnExistingNameIsOfferedForReplacement)
{
    const ElementGroup original =
        MakeGroup("D", Word16ElementType, CoilOrMultiWriteMode, {{"D0", 0, 0}, {"D1", 1, 0}, {"D5", 5, 0}});
    // The batch D1, D2, D3 at words 20, 21, 22: D1 exists.
    const struct {
        int position;
        int answer;
        std::vector<std::string> names;
        int d1Word;
    } cases[] = {
        {0, IdYes, {"D2", "D3", "D0", "D1", "D5"}, 0x20},
        {1, IdNo, {"D0", "D2", "D3", "D1", "D5"}, 1},
        {2, IdYes, {"D0", "D1", "D2", "D3", "D5"}, 0x20},
        {99, IdNo, {"D0", "D1", "D5", "D2", "D3"}, 1},
    };
    for (const auto& c : cases) {
        AddressTable groups = {original};
        RecordingUserInterface ui;
        ui.ScriptAnswers({c.answer});
        CreateElements(groups, Batch("D", "D", 3, DecimalBase, "1", "20", 1, c.position), ui);
        EXPECT_EQ(ElementNames(groups[0]), c.names) << c.position;
        const auto d1 = std::find_if(groups[0].elements.begin(), groups[0].elements.end(),
                                     [](const DeviceElement& e) { return e.name == "D1"; });
        EXPECT_EQ(d1->wordAddress, c.d1Word);
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].gbkText, StringGbk(61284) + "D1" + StringGbk(61285));
        EXPECT_EQ(ui.messages[0].flags, MbYesNo | MbIconInformation);
    }
}

TEST(NewElementBatch, ASingleElementTakesTheNameAndAddressAsTheyAre)
{
    AddressTable groups = {MakeGroup("A", Word16ElementType, 1), MakeGroup("M", BitElementType, WordBitMode)};
    NewElementRequest single;
    single.groupName = "M";
    single.name = "Start";
    single.startAddress = "12.";
    RecordingUserInterface ui;
    CreateElements(groups, single, ui);
    EXPECT_EQ(groups[1].elements, (std::vector<DeviceElement>{{"Start", 0x12, 0}}));
    EXPECT_TRUE(groups[0].elements.empty());

    // A group that is gone changes nothing.
    single.groupName = "Gone";
    CreateElements(groups, single, ui);
    EXPECT_EQ(groups[1].elements.size(), 1u);
}

TEST(NewElementBatch, StartNumbersReadInTheirBaseUpTo65535)
{
    const struct {
        const char* text;
        int base;
        std::optional<int> value;
    } cases[] = {
        {"", DecimalBase, 0},         {"17", OctalBase, 15},          {"18", OctalBase, std::nullopt},
        {"ff", HexBase, 255},         {"FFFF", HexBase, 65535},       {"10000", HexBase, std::nullopt},
        {"65535", DecimalBase, 65535}, {"65536", DecimalBase, std::nullopt},
        {"99999999999", DecimalBase, std::nullopt}, {"-1", DecimalBase, std::nullopt},
        {"1A", DecimalBase, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseStartNumber(c.text, c.base), c.value) << c.text;

    EXPECT_TRUE(StartNumberFits("65535", DecimalBase, 1));
    EXPECT_FALSE(StartNumberFits("65535", DecimalBase, 2));
    EXPECT_FALSE(StartNumberFits("1Z", HexBase, 1));
    EXPECT_EQ(RebaseStartNumber("17", OctalBase, DecimalBase), "15");
    EXPECT_EQ(RebaseStartNumber("255", DecimalBase, HexBase), "FF");
    EXPECT_EQ(RebaseStartNumber("ff", HexBase, OctalBase), "377");
    EXPECT_EQ(RebaseStartNumber("", HexBase, OctalBase), "");
}

TEST(NewElementBatch, OkRefusesWhatCannotBecomeElements)
{
    const AddressTable groups = {MakeGroup("M", BitElementType, WordBitMode),
                                 MakeGroup("D", Word16ElementType, SingleWriteMode)};
    const auto request = [](std::string group, std::string name, std::string address, bool batch = false,
                            std::string start = "") {
        NewElementRequest r = Batch(std::move(group), std::move(name), 1, DecimalBase, std::move(start),
                                    std::move(address));
        r.batch = batch;
        return r;
    };
    const struct {
        const char* what;
        NewElementRequest request;
        int refusal;
    } cases[] = {
        {"bit address", request("M", "A", "12.F"), 0},
        {"bit address without bit", request("M", "A", "12."), 0},
        {"word address", request("D", "A", "12"), 0},
        {"empty name", request("M", "", "12.0"), 61206},
        {"blanks-only name", request("M", "   ", "12.0"), 61206},
        {"unknown group", request("Q", "A", "12.0"), 61283},
        {"batch without start number", request("D", "A", "12", true), 61410},
        {"batch with start number", request("D", "A", "12", true, "0"), 0},
        {"bit address without point", request("M", "A", "12"), 61233},
        {"bit address with two bit characters", request("M", "A", "12.10"), 61233},
        {"bit address with two points", request("M", "A", "1.2.3"), 61233},
        {"word address with point", request("D", "A", "12.0"), 61233},
        {"word address with other character", request("D", "A", "1G"), 61230},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NewElementRefusal(c.request, groups), c.refusal) << c.what;
    EXPECT_EQ(NewElementRefusal(request("M", "A", "12.0"), {}), 61206);

    NewElementRequest tooHigh = request("D", "A", "12", true, "65535");
    tooHigh.count = 2;
    EXPECT_EQ(NewElementRefusal(tooHigh, groups), 61278);
}
