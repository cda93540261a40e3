// The address-table editor on a table of 250 groups of 250 elements: how
// long it takes to open, and what one tab switch costs (the group being left
// taken back from the grid, the new group's rows built and painted). A
// person clicking through the tabs should not wait: the target is well
// under 50 ms per switch.
#include "devices/ui/CAddressTableDlg.h"
#include "model/CVX50TextDoc.h"
#include "widgets/CAddressListCtrl.h"
#include "widgets/InPlaceCellEdit.h"

#include <QApplication>
#include <QTabBar>

#include <benchmark/benchmark.h>

namespace {

constexpr int kGroups = 250;
constexpr int kElements = 250;

void FillTable(CVX50TextDoc& doc)
{
    doc.DeviceName = "Bench";
    doc.TableEditable = 1;
    for (int g = 0; g < kGroups; ++g) {
        ElementGroup group;
        group.name = "G" + std::to_string(g);
        group.elementType = g % 2 ? Word16ElementType : BitElementType;
        group.accessMode = g % 2 ? SingleWriteMode : WordBitMode;
        for (int e = 0; e < kElements; ++e)
            group.elements.push_back({"E" + std::to_string(e), e / 16, e % 16});
        doc.AddressTable.push_back(std::move(group));
    }
}

void BM_OpenEditor(benchmark::State& state)
{
    CVX50TextDoc doc;
    FillTable(doc);
    for (auto _ : state) {
        CAddressTableDlg dialog(doc, nullptr);
        dialog.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(dialog.Tabs()->count());
    }
}
BENCHMARK(BM_OpenEditor)->Unit(benchmark::kMillisecond);

void BM_SwitchTab(benchmark::State& state)
{
    CVX50TextDoc doc;
    FillTable(doc);
    CAddressTableDlg dialog(doc, nullptr);
    dialog.show();
    QApplication::processEvents();
    int tab = 0;
    for (auto _ : state) {
        tab = (tab + 97) % kGroups; // far-apart tabs, of both kinds
        dialog.Tabs()->setCurrentIndex(tab);
        QApplication::processEvents(); // the grid is painted
    }
    state.counters["rows"] = dialog.List()->rowCount();
}
BENCHMARK(BM_SwitchTab)->Unit(benchmark::kMillisecond);

} // namespace

#include "OffscreenBenchmarkMain.h"
