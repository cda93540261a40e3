#include "model/elements/CFuncKeyElement.h"
#include "model/elements/CGraphElement.h"
#include "model/elements/CLampElement.h"
#include "model/elements/CPictureElement.h"
#include "model/elements/CRegisterElement.h"
#include "model/elements/CTextElement.h"
#include "model/CVX50TextDoc.h"
#include "shell/ElementListRows.h"
#include "base/GbkText.h"
#include "model/UnnumberedElements.h"

#include <gtest/gtest.h>

namespace {

template <class Element, class... Args>
std::shared_ptr<Element> Make(ElementList& list, int number, Args... args)
{
    auto element = std::make_shared<Element>(args...);
    element->Number = static_cast<std::uint16_t>(number);
    list.push_back({element->Kind(), element});
    return element;
}

std::vector<std::string> Utf8Rows(const ElementList& list)
{
    std::vector<std::string> rows;
    for (const std::string& row : ElementListRows(list))
        rows.push_back(Utf8FromGbk(row));
    return rows;
}

} // namespace

TEST(ElementListRows, EveryKindTopmostFirst)
{
    ElementList list;
    Make<CFuncKeyElement>(list, 5)->SetKey(4);
    Make<CLampElement>(list, 1)->ElementName = "M0";
    Make<CRegisterElement>(list, 2)->ElementName = "D100";
    Make<CTextElement>(list, 1, 1)->ElementName = "D7";
    Make<CTextElement>(list, 3, 0)->SetText(GbkFromUtf8("温度"));
    Make<CGraphElement>(list, 1, 1)->ElementName = "D1";
    Make<CGraphElement>(list, 2, 0)->ElementName = "D2";
    auto picture = Make<CPictureElement>(list, 1);
    picture->SetPosition(10, 20);
    picture->SetSize(32, 16);
    const std::vector<std::string> expected = {
        "P_001 (10,20,32,16)", "H_002 D2", "G_001 D1", "T_003 温度", "DT_001 D7", "R_002 D100", "L_001 M0",
        "B_005 'ESC'键",
    };
    EXPECT_EQ(Utf8Rows(list), expected);
    EXPECT_TRUE(ElementListRows({}).empty());
}

TEST(ElementListRows, LeadingZerosFollowTheClassCounter)
{
    struct Case {
        const char* what;
        std::vector<int> numbers; // lamps in list order
        std::vector<std::string> rows;
    };
    const Case cases[] = {
        {"three keys in order", {1, 2, 3}, {"L_003 ", "L_002 ", "L_001 "}},
        {"the counter, not the number, decides", {9, 10, 2}, {"L_002 ", "L_0010 ", "L_009 "}},
        {"a hundred", {100}, {"L_100 "}},
        {"unnumbered lamps after a 4 count on", {4, 0, 0}, {"L_006 ", "L_005 ", "L_004 "}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ElementList list;
        for (int number : c.numbers)
            Make<CLampElement>(list, number);
        EXPECT_EQ(Utf8Rows(list), c.rows);
        // Listing never renumbers.
        for (std::size_t i = 0; i < c.numbers.size(); ++i)
            EXPECT_EQ(list[i].element->Number, c.numbers[i]);
    }
}

TEST(ElementListRows, FunctionKeyOutsideTheKeysShowsNoName)
{
    ElementList list;
    Make<CFuncKeyElement>(list, 1)->SetKey(24);
    EXPECT_EQ(Utf8Rows(list), std::vector<std::string>{"B_001 "});
}

TEST(UnnumberedElements, LoadedZerosTakeTheLowestFreeNumberOnce)
{
    CVX50TextDoc doc;
    ElementList& working = doc.GetWorkingElements();
    Make<CLampElement>(working, 2);
    auto first = Make<CLampElement>(working, 0);
    auto second = Make<CLampElement>(working, 0);
    auto key = Make<CFuncKeyElement>(working, 0);
    doc.CommitWorkingElements();
    ScreenRecord other;
    other.Number = 2;
    auto elsewhere = Make<CLampElement>(other.Elements, 0);
    doc.GetScreens().push_back(other);
    doc.ProjectModified = 0;

    EXPECT_TRUE(NumberUnnumberedElements(doc));
    EXPECT_EQ(first->Number, 1);
    EXPECT_EQ(second->Number, 3);
    EXPECT_EQ(key->Number, 1);
    EXPECT_EQ(elsewhere->Number, 1);
    EXPECT_EQ(doc.ProjectModified, 1);

    doc.ProjectModified = 0;
    EXPECT_FALSE(NumberUnnumberedElements(doc));
    EXPECT_EQ(doc.ProjectModified, 0);
}
