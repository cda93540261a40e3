// The canvas keeps each element's drawing between paints; what it shows must
// always be what drawing everything afresh shows.
#include "shell/ui/CPaneCtrl.h"
#include "support/CanvasRendering.h"
#include "model/CVX50TextDoc.h"
#include "model/elements/CFuncKeyElement.h"
#include "model/elements/CGraphElement.h"
#include "model/elements/CLampElement.h"
#include "model/elements/CPictureElement.h"
#include "model/elements/CRegisterElement.h"
#include "model/elements/CTextElement.h"
#include "shell/ElementPlacement.h"

#include <QPainter>
#include <QTest>

#include <functional>

namespace {

constexpr int W = 486;
constexpr int H = 178;

// Every kind the tools place, twice, the second round overlapping the first;
// the pictures of black and white columns.
void FillScreen(CVX50TextDoc& doc)
{
    const ToolCode tools[] = {ToolLamp, ToolFuncKey, ToolStaticText, ToolDynamicText, ToolRegister, ToolBarGraph,
        ToolCurveGraph, ToolPicture};
    PictureDots picture{8, 8, {}};
    for (int dot = 0; dot < 64; ++dot) {
        const std::uint8_t grey = dot % 2 ? 0xFF : 0;
        picture.pixels.insert(picture.pixels.end(), {grey, grey, grey, 0});
    }
    for (int round = 0; round < 2; ++round)
        for (std::size_t i = 0; i < std::size(tools); ++i)
            PlaceToolElement(doc, tools[i], static_cast<int>(20 + 50 * i + 25 * round), 20 + 20 * round, W, H,
                &picture);
}

template <class Element> std::shared_ptr<Element> FirstOf(CVX50TextDoc& doc)
{
    for (const ElementRef& ref : doc.GetWorkingElements())
        if (auto element = std::dynamic_pointer_cast<Element>(ref.element))
            return element;
    return nullptr;
}

QImage RenderedAfresh(CVX50TextDoc& doc)
{
    CPaneCtrl canvas(doc, nullptr);
    canvas.resize(W, H);
    return Rendered(canvas);
}

} // namespace

class CanvasKeptDrawingTest : public QObject {
    Q_OBJECT
private slots:
    void keptDrawingEqualsDirectDrawing()
    {
        CVX50TextDoc doc;
        FillScreen(doc);
        for (const ElementRef& ref : doc.GetWorkingElements())
            ref.element->Selected = 0; // no frames
        const int grid = CPaneCtrl::GridFlag;
        CPaneCtrl::GridFlag = 0;
        QImage direct(W, H, QImage::Format_RGB32);
        direct.fill(Qt::white);
        {
            QPainter painter(&direct);
            for (const ElementRef& ref : doc.GetWorkingElements())
                ref.element->Draw(painter, QRect(0, 0, W, H), false);
        }
        const QImage kept = RenderedAfresh(doc);
        CPaneCtrl::GridFlag = grid;
        QCOMPARE(kept, direct);
    }

    void changesShowAtTheNextPaint_data()
    {
        QTest::addColumn<std::function<void(CVX50TextDoc&)>>("change");
        using Change = std::function<void(CVX50TextDoc&)>;
        QTest::newRow("text changed") << Change([](CVX50TextDoc& doc) { FirstOf<CTextElement>(doc)->SetText("ABC"); });
        QTest::newRow("element moved") << Change([](CVX50TextDoc& doc) {
            doc.GetWorkingElements()[3].element->SetPosition(100, 30);
        });
        QTest::newRow("selection changed") << Change([](CVX50TextDoc& doc) {
            for (const ElementRef& ref : doc.GetWorkingElements())
                ref.element->Selected = ref.element->Selected ? 0 : 1;
        });
        QTest::newRow("picture pixels replaced") << Change([](CVX50TextDoc& doc) {
            FirstOf<CPictureElement>(doc)->SetPixelStore(std::vector<std::uint8_t>(8 * 8 * 4, 0xFF));
        });
        QTest::newRow("picture box resized") << Change([](CVX50TextDoc& doc) {
            FirstOf<CPictureElement>(doc)->SetBoxSize(30, 20);
        });
        QTest::newRow("lamp logic") << Change([](CVX50TextDoc& doc) { FirstOf<CLampElement>(doc)->SetLogic(0); });
        QTest::newRow("key inverse") << Change([](CVX50TextDoc& doc) { FirstOf<CFuncKeyElement>(doc)->SetInverse(1); });
        QTest::newRow("register preview") << Change([](CVX50TextDoc& doc) {
            FirstOf<CRegisterElement>(doc)->SetPreviewText("-7");
        });
        QTest::newRow("graph direction") << Change([](CVX50TextDoc& doc) {
            for (const ElementRef& ref : doc.GetWorkingElements())
                if (auto graph = std::dynamic_pointer_cast<CGraphElement>(ref.element); graph && !graph->IsCurve())
                    graph->SetDirection(4);
        });
        QTest::newRow("curve samples") << Change([](CVX50TextDoc& doc) {
            for (const ElementRef& ref : doc.GetWorkingElements())
                if (auto graph = std::dynamic_pointer_cast<CGraphElement>(ref.element); graph && graph->IsCurve())
                    graph->PreviewSamples = {0, 0xFFFF, 0};
        });
        QTest::newRow("layer order") << Change([](CVX50TextDoc& doc) {
            auto& elements = doc.GetWorkingElements();
            std::rotate(elements.begin(), elements.begin() + 1, elements.end());
        });
        QTest::newRow("element deleted") << Change([](CVX50TextDoc& doc) {
            doc.GetWorkingElements().erase(doc.GetWorkingElements().begin() + 2);
        });
        QTest::newRow("undo") << Change([](CVX50TextDoc& doc) {
            doc.OnEditUndo(); // back to the screen as filled
        });
        QTest::newRow("grid off") << Change([](CVX50TextDoc&) { CPaneCtrl::GridFlag = 0; });
    }

    void changesShowAtTheNextPaint()
    {
        QFETCH(std::function<void(CVX50TextDoc&)>, change);
        CVX50TextDoc doc;
        FillScreen(doc);
        doc.PushUndoSnapshot();
        // Something to undo: a text of other words, with its snapshot.
        FirstOf<CTextElement>(doc)->SetText("WXYZ");
        doc.PushUndoSnapshot();
        CPaneCtrl canvas(doc, nullptr);
        canvas.resize(W, H);
        const QImage before = Rendered(canvas);
        QCOMPARE(Rendered(canvas), before); // a paint with nothing changed

        const int grid = CPaneCtrl::GridFlag;
        change(doc);
        const QImage kept = Rendered(canvas);
        const QImage afresh = RenderedAfresh(doc);
        CPaneCtrl::GridFlag = grid;
        QVERIFY(kept != before);
        QCOMPARE(kept, afresh);
    }

    void everyDragStepShows()
    {
        CVX50TextDoc doc;
        FillScreen(doc);
        CPaneCtrl canvas(doc, nullptr);
        canvas.resize(W, H);
        canvas.show();
        const auto& lamp = doc.GetWorkingElements().front().element;
        lamp->Selected = 1;
        const int startX = lamp->GetPosition().x;
        Rendered(canvas);
        const PixelRect box = lamp->BoxOnDisplay(W, H);
        const QPoint grip((box.left + box.right) / 2, (box.top + box.bottom) / 2);
        QTest::mousePress(&canvas, Qt::LeftButton, Qt::NoModifier, grip);
        for (int step = 1; step <= 3; ++step) {
            const QPoint to = grip + QPoint(10 * step, 5 * step);
            QMouseEvent move(QEvent::MouseMove, to, canvas.mapToGlobal(to), Qt::NoButton, Qt::LeftButton,
                Qt::NoModifier);
            QApplication::sendEvent(&canvas, &move);
            QCOMPARE(Rendered(canvas), RenderedAfresh(doc));
        }
        QTest::mouseRelease(&canvas, Qt::LeftButton, Qt::NoModifier, grip + QPoint(30, 15));
        QVERIFY(lamp->GetPosition().x > startX);
        QCOMPARE(Rendered(canvas), RenderedAfresh(doc));
    }
};

QTEST_MAIN(CanvasKeptDrawingTest)
#include "CanvasKeptDrawingTest.moc"
