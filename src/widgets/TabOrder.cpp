#include "widgets/TabOrder.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QWidget>

#include <algorithm>
#include <tuple>
#include <vector>

namespace {

void CollectLayout(QLayout& layout, std::vector<QWidget*>& fields);

// A widget that takes Tab is a field; any other widget with a layout (a
// group box, a row of fields) is walked through.
void CollectWidget(QWidget& widget, std::vector<QWidget*>& fields)
{
    if (widget.isWindow())
        return;
    if (widget.focusPolicy() & Qt::TabFocus)
        fields.push_back(&widget);
    else if (widget.layout())
        CollectLayout(*widget.layout(), fields);
}

void CollectItem(QLayoutItem& item, std::vector<QWidget*>& fields)
{
    if (QWidget* widget = item.widget())
        CollectWidget(*widget, fields);
    else if (QLayout* layout = item.layout())
        CollectLayout(*layout, fields);
}

// The layout's items in the order they are shown.
std::vector<QLayoutItem*> ItemsInShownOrder(QLayout& layout)
{
    struct Placed {
        int row;
        int column;
        QLayoutItem* item;
    };
    std::vector<Placed> placed;
    for (int index = 0; index < layout.count(); ++index) {
        int row = 0;
        int column = index;
        if (auto* grid = qobject_cast<QGridLayout*>(&layout)) {
            int rowSpan = 0;
            int columnSpan = 0;
            grid->getItemPosition(index, &row, &column, &rowSpan, &columnSpan);
        } else if (auto* form = qobject_cast<QFormLayout*>(&layout)) {
            QFormLayout::ItemRole role = QFormLayout::LabelRole;
            form->getItemPosition(index, &row, &role);
            column = static_cast<int>(role);
        }
        placed.push_back({row, column, layout.itemAt(index)});
    }
    std::stable_sort(placed.begin(), placed.end(), [](const Placed& a, const Placed& b) {
        return std::tie(a.row, a.column) < std::tie(b.row, b.column);
    });
    std::vector<QLayoutItem*> items;
    for (const Placed& p : placed)
        items.push_back(p.item);
    return items;
}

void CollectLayout(QLayout& layout, std::vector<QWidget*>& fields)
{
    for (QLayoutItem* item : ItemsInShownOrder(layout))
        if (item)
            CollectItem(*item, fields);
}

} // namespace

void SetTabOrderByLayout(QWidget& root)
{
    std::vector<QWidget*> fields;
    if (root.layout())
        CollectLayout(*root.layout(), fields);
    for (std::size_t i = 1; i < fields.size(); ++i)
        QWidget::setTabOrder(fields[i - 1], fields[i]);
}
