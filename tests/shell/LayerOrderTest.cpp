#include "model/elements/CLampElement.h"
#include "shell/LayerOrder.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

// Lamps numbered 1 to `count`; those in `selected` (by number) selected.
ElementList Lamps(int count, std::initializer_list<int> selected)
{
    ElementList list;
    for (int number = 1; number <= count; ++number) {
        auto lamp = std::make_shared<CLampElement>();
        lamp->Number = static_cast<std::uint16_t>(number);
        lamp->Selected = std::find(selected.begin(), selected.end(), number) != selected.end() ? 1 : 0;
        list.push_back({KindLamp, lamp});
    }
    return list;
}

std::string Order(const ElementList& list)
{
    std::string order;
    for (const ElementRef& ref : list)
        order += std::to_string(ref.element->Number) + (ref.element->Selected ? "*" : "");
    return order;
}

} // namespace

TEST(LayerOrder, OperationsAndTheirGuards)
{
    struct Case {
        const char* what;
        std::function<bool(ElementList&)> operation;
        int count;
        std::initializer_list<int> selected;
        const char* order;
        bool changed;
    };
    const Case cases[] = {
        {"send to bottom", SendToBottom, 5, {2, 4}, "2*4*135", true},
        {"send to bottom with the bottom selected moves the others", SendToBottom, 4, {1, 3}, "1*3*24", true},
        {"send to bottom, nothing selected", SendToBottom, 3, {}, "123", false},
        {"bring to top", BringToTop, 4, {1, 3}, "241*3*", true},
        {"bring to top with the topmost selected", BringToTop, 4, {1, 4}, "1*234*", false},
        {"move down a run", MoveDownOne, 4, {2, 3}, "2*3*14", true},
        {"move down two apart", MoveDownOne, 5, {3, 5}, "13*25*4", true},
        {"move down with the bottom selected", MoveDownOne, 4, {1, 3}, "1*23*4", false},
        {"move up a run", MoveUpOne, 4, {2, 3}, "142*3*", true},
        {"move up with the topmost selected", MoveUpOne, 4, {2, 4}, "12*34*", false},
        {"empty list", MoveUpOne, 0, {}, "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ElementList list = Lamps(c.count, c.selected);
        EXPECT_EQ(c.operation(list), c.changed);
        EXPECT_EQ(Order(list), c.order);
    }
}
