#include "settings/PanelSettingsRules.h"

#include "StringIds.h"
#include "support/TableGroups.h"

#include <gtest/gtest.h>

namespace {

AddressTable ControlTable()
{
    return {MakeGroup("M", BitElementType, 1, {{"M0", 0, 0}}),
            MakeGroup("D", Word16ElementType, 2, {{"D0", 0, 0}, {"D1", 1, 0}, {"D2", 2, 0}}),
            MakeGroup("EMPTY", Word16ElementType, 2),
            MakeGroup("R", Word16ElementType, 2, {{"R5", 5, 0}})};
}

} // namespace

TEST(PanelSettingsRules, OkChecksRunInOrderAtTheirBoundaries)
{
    using Field = PanelSettingsField;
    struct Case {
        int commTime, timeout, saverScreen, mainScreen, message;
        Field field;
    };
    const Case cases[] = {
        {10, 100, 1, 1, 0, Field::None},
        {50, 1000, 65535, 65535, 0, Field::None},
        {9, 300, 1, 1, IdsCommunicationTimeBad, Field::CommTime},
        {51, 300, 1, 1, IdsCommunicationTimeBad, Field::CommTime},
        {20, 99, 1, 1, IdsTimeoutBad, Field::Timeout},
        {20, 1001, 1, 1, IdsTimeoutBad, Field::Timeout},
        {20, 300, 0, 1, IdsEnterInteger1To65535, Field::SaverScreen},
        {20, 300, 1, 65536, IdsEnterInteger1To65535, Field::MainScreen},
        // The first failing check names the message and the field.
        {9, 99, 0, 0, IdsCommunicationTimeBad, Field::CommTime},
        {20, 1001, 0, 0, IdsTimeoutBad, Field::Timeout},
        {20, 300, 0, 0, IdsEnterInteger1To65535, Field::SaverScreen},
    };
    for (const Case& c : cases) {
        PanelSettings edited;
        edited.CommTime = c.commTime;
        edited.Timeout = c.timeout;
        edited.SaverScreen = c.saverScreen;
        edited.MainScreen = c.mainScreen;
        EXPECT_EQ(PanelSettingsRefusal(edited), c.message)
            << c.commTime << " " << c.timeout << " " << c.saverScreen << " " << c.mainScreen;
        EXPECT_EQ(RefusedPanelSetting(edited), c.field)
            << c.commTime << " " << c.timeout << " " << c.saverScreen << " " << c.mainScreen;
    }
}

TEST(PanelSettingsRules, TheTwoHalvesOfTheStoreWriteAllFifteenValuesOnce)
{
    PanelSettings edited;
    edited.MainScreen = 7;
    edited.ScreenSaverIndex = 3;
    edited.ShowSaverScreen = 1;
    edited.SaverScreen = 9;
    edited.BacklightOffOnSaver = 1;
    edited.AutoScreenSwitch = 1;
    edited.ReportScreen = 1;
    edited.ClearAfterSwitch = 1;
    edited.ControlGroupName = "D";
    edited.ControlElementName = "D1";
    edited.ControlPort = 1;
    edited.PanelStation = 0;
    edited.EncryptProject = 1;
    edited.CommTime = 45;
    edited.Timeout = 900;

    PanelSettings dialogOnly;
    StoreDialogPanelSettings(edited, dialogOnly);
    PanelSettings viewOnly;
    StoreViewPanelSettings(edited, viewOnly);
    // Every field is written by exactly one half.
    const PanelSettings fresh;
    int writtenByDialog = 0;
    int writtenByView = 0;
    auto count = [&](auto member) {
        writtenByDialog += dialogOnly.*member != fresh.*member;
        writtenByView += viewOnly.*member != fresh.*member;
        EXPECT_NE(dialogOnly.*member != fresh.*member, viewOnly.*member != fresh.*member);
    };
    count(&PanelSettings::MainScreen);
    count(&PanelSettings::ScreenSaverIndex);
    count(&PanelSettings::ShowSaverScreen);
    count(&PanelSettings::SaverScreen);
    count(&PanelSettings::BacklightOffOnSaver);
    count(&PanelSettings::AutoScreenSwitch);
    count(&PanelSettings::ReportScreen);
    count(&PanelSettings::ClearAfterSwitch);
    count(&PanelSettings::ControlGroupName);
    count(&PanelSettings::ControlElementName);
    count(&PanelSettings::ControlPort);
    count(&PanelSettings::PanelStation);
    count(&PanelSettings::EncryptProject);
    count(&PanelSettings::CommTime);
    count(&PanelSettings::Timeout);
    EXPECT_EQ(writtenByDialog, 8);
    EXPECT_EQ(writtenByView, 7);

    PanelSettings both;
    StoreDialogPanelSettings(edited, both);
    StoreViewPanelSettings(edited, both);
    EXPECT_EQ(both, edited);
}

TEST(PanelSettingsRules, ControlRegisterOpensOnTheStoredElementOrTheFirstOne)
{
    const AddressTable table = ControlTable();

    struct Case {
        std::string group, element, openGroup, openElement;
    };
    const Case cases[] = {
        {"D", "D1", "D", "D1"},
        {"R", "R5", "R", "R5"},
        {"D", "GONE", "D", "D0"},     // an element the group lost: its first one
        {"", "", "D", "D0"},          // nothing stored: the first word group
        {"M", "M0", "D", "D0"},       // a bit group is no control group
        {"EMPTY", "X", "EMPTY", ""},  // a group without elements
    };
    for (const Case& c : cases) {
        PanelSettings stored;
        stored.ControlGroupName = c.group;
        stored.ControlElementName = c.element;
        const ControlRegisterNames names = OpeningControlRegister(table, stored);
        EXPECT_EQ(names.group, c.openGroup) << c.group << "/" << c.element;
        EXPECT_EQ(names.element, c.openElement) << c.group << "/" << c.element;
    }

    const ControlRegisterNames none = OpeningControlRegister({MakeGroup("M", BitElementType, 1)}, PanelSettings{});
    EXPECT_EQ(none.group, "");
    EXPECT_EQ(none.element, "");
}

TEST(PanelSettingsRules, ReportRegisterIsTheElementAfterTheControlRegister)
{
    const AddressTable table = ControlTable();
    EXPECT_EQ(ReportRegisterName(table, "D", "D0"), "D1");
    EXPECT_EQ(ReportRegisterName(table, "D", "D1"), "D2");
    EXPECT_EQ(ReportRegisterName(table, "D", "D2"), "");  // the last element has none
    EXPECT_EQ(ReportRegisterName(table, "R", "R5"), "");
    EXPECT_EQ(ReportRegisterName(table, "EMPTY", ""), "");
    EXPECT_EQ(ReportRegisterName(table, "D", "GONE"), "");
    EXPECT_EQ(ControlElementNames(table, "M"), std::vector<std::string>{}); // bit groups hold no control register
}
