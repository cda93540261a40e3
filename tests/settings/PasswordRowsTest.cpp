#include "settings/PasswordRows.h"

#include "model/CVX50TextDoc.h"
#include "model/elements/CFuncKeyElement.h"
#include "support/RecordingUserInterface.h"

#include <gtest/gtest.h>

TEST(PasswordRows, DigitsAreOverwrittenOneAtATime)
{
    struct Case {
        const char* before;
        const char* now;
        int caret;
        const char* text;
        int selected;
    };
    const Case cases[] = {
        {"1234", "1934", 2, "1934", 2}, // second digit selected, 9 typed: the third is selected next
        {"1234", "194", 2, "1900", 2},  // middle two selected, 9 typed
        {"1234", "124", 2, "1200", 2},  // third selected, Backspace
        {"1234", "", 0, "0000", 0},     // everything deleted
        {"1234", "5", 1, "5000", 1},    // everything selected, 5 typed
        {"1234", "123", 3, "1230", 3},  // last digit deleted
        {"1234", "1235", 4, "1235", 4}, // the last digit overwritten: nothing left to select
        {"1234", "12a4", 3, "1234", -1},// a letter puts the text back
        {"1234", "-234", 1, "1234", -1},
        {"1234", "12345", 5, "1234", -1},
    };
    for (const Case& c : cases) {
        const DigitEditResult result = OverwriteDigits(c.before, c.now, c.caret);
        EXPECT_EQ(result.text, c.text) << c.before << " -> " << c.now;
        EXPECT_EQ(result.selected, c.selected) << c.before << " -> " << c.now;
    }
}

TEST(PasswordRows, RowsOpenFromTheTableWithLevelsKeptInRange)
{
    const std::vector<PasswordEntry> table = {
        {0, 2, "1111"}, {3, 3, "4444"}, {7, 1, "9999"}, {4, 0, "5555"}, {5, 9, "6666"}};
    const PasswordRows rows = RowsFromPasswordTable(table);
    EXPECT_EQ(rows[0], (PasswordRow{true, 1, "1111"}));
    EXPECT_EQ(rows[1], PasswordRow{});
    EXPECT_EQ(rows[2], PasswordRow{});
    EXPECT_EQ(rows[3], (PasswordRow{true, 2, "4444"}));
    // Levels outside 1 to 3 show as the nearest level instead of none.
    EXPECT_EQ(rows[4], (PasswordRow{true, 0, "5555"}));
    EXPECT_EQ(rows[5], (PasswordRow{true, 2, "6666"}));
    EXPECT_EQ(PasswordRow{}.password, "5917");
}

TEST(PasswordRows, OkBuildsTheTableFromTheEnabledRows)
{
    RecordingUserInterface ui;
    CVX50TextDoc doc;
    PasswordRows rows;
    rows[0] = {true, 1, "1234"};
    rows[2] = {false, 2, "0000"};
    rows[3] = {true, 2, "9876"};
    StorePasswordRows(doc, rows);
    EXPECT_EQ(doc.PasswordTable, (std::vector<PasswordEntry>{{0, 2, "1234"}, {3, 3, "9876"}}));
    EXPECT_EQ(doc.HighestPasswordLevel, 3);
    EXPECT_EQ(doc.ProjectModified, 1);

    // A level stored out of range survives a dialog opened and confirmed.
    const std::vector<PasswordEntry> damaged = {{1, 0, "1111"}};
    StorePasswordRows(doc, RowsFromPasswordTable(damaged));
    EXPECT_EQ(doc.PasswordTable, (std::vector<PasswordEntry>{{1, 1, "1111"}}));
    EXPECT_EQ(doc.HighestPasswordLevel, 1);
}

TEST(PasswordRows, NoRowEnabledEmptiesTheTableAndClearsAllProtection)
{
    RecordingUserInterface ui;
    CVX50TextDoc doc;
    doc.PasswordTable = {{0, 3, "1234"}};
    doc.HighestPasswordLevel = 3;
    auto key = std::make_shared<CFuncKeyElement>();
    key->SetPasswordProtected(1);
    key->PasswordLevel = 0;
    doc.GetWorkingElements().push_back({KindFuncKey, key});
    GlobalButton button;
    button.Flags = GlobalButton::ProtectedFlag;
    button.UserLevel = 2;
    doc.GlobalButtons = {button};

    StorePasswordRows(doc, PasswordRows{});
    EXPECT_TRUE(doc.PasswordTable.empty());
    EXPECT_EQ(doc.HighestPasswordLevel, 0);
    EXPECT_EQ(key->IsPasswordProtected(), 0);
    EXPECT_EQ(doc.GlobalButtons[0].Flags & GlobalButton::ProtectedFlag, 0);
    EXPECT_EQ(doc.GlobalButtons[0].UserLevel, 0);
    EXPECT_EQ(doc.ProjectModified, 1);
}
