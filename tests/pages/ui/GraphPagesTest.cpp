// The bar graph and curve graph pages in the editor, on a document with the
// shipped device: sizes, the bar's direction, the register count, the
// format and the scale texts with their spins, the curve's data points and
// interval, and what a saved project keeps.

#include "model/elements/CGraphElement.h"
#include "pages/ui/CBarGraphPropertyDlg.h"
#include "pages/ui/CCurvePropertyDlg.h"
#include "shell/ui/ProjectOpen.h"
#include "support/PageTesting.h"
#include "support/ScriptedEditor.h"
#include "support/TableGroups.h"
#include "widgets/CElementNameCombo.h"

#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct GraphEditor : ScriptedEditor {
    std::shared_ptr<CGraphElement> PlaceGraph(int tool, QPoint at = {100, 40})
    {
        Place(tool, at);
        return std::dynamic_pointer_cast<CGraphElement>(document.GetWorkingElements().back().element);
    }
    std::shared_ptr<CGraphElement> PlaceBar() { return PlaceGraph(Cmd::ToolBarGraph); }
    std::shared_ptr<CGraphElement> PlaceCurve(QPoint at = {100, 40}) { return PlaceGraph(Cmd::ToolCurve, at); }
    CPropertyDlg* Page() const { return VisiblePages().front(); }
    template <class Field>
    Field* Field_(const char* label) const
    {
        return FieldOf<Field>(Page(), QString::fromUtf8(label));
    }
    QLineEdit* Edit(const char* label) const { return Field_<QLineEdit>(label); }
    QComboBox* Combo(const char* label) const { return Field_<QComboBox>(label); }
    template <class Button>
    Button* ButtonOf(const char* text) const
    {
        for (Button* button : Page()->findChildren<Button*>())
            if (button->text() == QString::fromUtf8(text))
                return button;
        return nullptr;
    }
    // Chooses entry `index` of the combo as a user would, with the keyboard.
    void Choose(QComboBox* combo, int index)
    {
        combo->setFocus();
        while (combo->currentIndex() != index)
            QTest::keyClick(combo, combo->currentIndex() < index ? Qt::Key_Down : Qt::Key_Up);
    }
    // Presses the up (+1) or down (-1) arrow beside the field `label`.
    void Step(const char* label, int delta) { ClickArrow(Edit(label), delta); }
    std::size_t Snapshots() const { return document.UndoHistory.size(); }
};

// A 16-bit group whose second element has no element at the next word.
ElementGroup GapGroup()
{
    return MakeGroup("Gap", Word16ElementType, CoilOrMultiWriteMode, {{"G0", 0, 0}, {"G5", 5, 0}, {"G6", 6, 0}});
}

} // namespace

class GraphPagesTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_folder;

private slots:
    void initTestCase() { QVERIFY(UseProgramFolderWithShippedDevice(m_folder.path())); }

    void aPlacedBarShowsItsDefaults()
    {
        GraphEditor editor;
        QVERIFY(QTest::qWaitForWindowExposed(editor.frame.get()));
        const auto bar = editor.PlaceBar();
        QCOMPARE(editor.VisiblePages(), std::vector<CPropertyDlg*>{editor.View().BarGraphPage});
        QCOMPARE(editor.Edit("满额度值:")->text(), QString("65535"));
        QCOMPARE(editor.Edit("零额度值:")->text(), QString("0"));
        QVERIFY(editor.ButtonOf<QRadioButton>("十进制")->isChecked());
        QVERIFY(!editor.ButtonOf<QCheckBox>("有符号数")->isChecked());
        QCOMPARE(editor.Edit("寄存器个数:")->text(), QString("1"));
        QCOMPARE(editor.Combo("方向:")->currentText(), QString("向上"));
        QCOMPARE(editor.Combo("类型:")->currentText(), QString("16位字元件"));
        QCOMPARE(editor.Combo("元件组名:")->currentText(), QString("Register"));
        QCOMPARE(bar->ElementName, std::string("R0"));
        QCOMPARE(editor.Edit("宽:")->text(), QString("16"));
        QCOMPARE(bar->PreviewValue, 21845);
        QVERIFY(ShowsWholeLayout(editor.Page()));
        QVERIFY(SavePicture(editor.frame.get(), "bar-page.png"));
    }

    void barSizesAndTurns()
    {
        GraphEditor editor;
        ShowActive(*editor.frame);
        const auto bar = editor.PlaceBar();
        EnterText(editor.Edit("X:"), "176");
        std::size_t snapshots = editor.Snapshots();
        // Width 15, or one that passes the edge, stays in the field only.
        for (const char* refused : {"15", "17"}) {
            EnterText(editor.Edit("宽:"), refused);
            QCOMPARE(bar->GetSize().width, 16);
            QCOMPARE(editor.Edit("宽:")->text(), QString(refused));
        }
        // Leaving the field shows the kept width again.
        QTest::keyClick(editor.Edit("宽:"), Qt::Key_Tab);
        QCOMPARE(editor.Edit("宽:")->text(), QString("16"));
        QCOMPARE(editor.Snapshots(), snapshots);

        // 12 x 60 at x 180 turned left: 60 x 12 at x 132; back up: 12 x 60.
        bar->SetPosition(180, 0);
        bar->SetSize(12, 60);
        editor.View().BarGraphPage->LoadFromElement();
        // Up to down keeps the box.
        editor.Choose(editor.Combo("方向:"), 1);
        QCOMPARE(bar->GetBox(), (DotBox{180, 0, 12, 60}));
        QCOMPARE(bar->GetDirection(), 2);
        QCOMPARE(editor.Snapshots(), ++snapshots);
        editor.Choose(editor.Combo("方向:"), 2);
        QCOMPARE(bar->GetBox(), (DotBox{132, 0, 60, 12}));
        QCOMPARE(bar->GetDirection(), 3);
        QCOMPARE(editor.Edit("X:")->text(), QString("132"));
        QCOMPARE(editor.Edit("宽:")->text(), QString("60"));
        QCOMPARE(editor.Snapshots(), ++snapshots);
        editor.Choose(editor.Combo("方向:"), 3);
        QCOMPARE(bar->GetBox(), (DotBox{132, 0, 60, 12}));
        editor.Choose(editor.Combo("方向:"), 0);
        QCOMPARE(bar->GetBox(), (DotBox{132, 0, 12, 60}));
    }

    void scaleTextsFollowTheFormatAndTheWidth()
    {
        GraphEditor editor;
        const auto bar = editor.PlaceBar();
        QLineEdit* full = editor.Edit("满额度值:");
        QLineEdit* zero = editor.Edit("零额度值:");

        // A refused text gives way to the last one accepted.
        EnterText(full, "65536");
        QCOMPARE(full->text(), QString("65535"));
        EnterText(full, "1000");
        QCOMPARE(bar->FullScale, 1000);
        QCOMPARE(bar->PreviewValue, 333);

        // The 32-bit type widens a full scale at the 16-bit maximum, and back.
        EnterText(full, "65535");
        editor.Choose(editor.Combo("类型:"), 1);
        QCOMPARE(full->text(), QString("4294967295"));
        QCOMPARE(bar->FullScale, -1);
        editor.Choose(editor.Combo("类型:"), 0);
        QCOMPARE(full->text(), QString("65535"));

        // Signed: a lone minus is 0; HEX/BCD then gives "FFFF" and "0".
        ClickButton(editor.ButtonOf<QCheckBox>("有符号数"));
        QCOMPARE(full->text(), QString("32767"));
        EnterText(zero, "-");
        QCOMPARE(bar->Zero, 0);
        EnterText(zero, "-100");
        QCOMPARE(bar->Zero, -100);
        EnterText(zero, "1-2");
        QCOMPARE(zero->text(), QString("-100"));
        std::size_t snapshots = editor.Snapshots();
        ClickButton(editor.ButtonOf<QRadioButton>("HEX/BCD"));
        QCOMPARE(full->text(), QString("FFFF"));
        QCOMPARE(zero->text(), QString("0"));
        QVERIFY(!editor.ButtonOf<QCheckBox>("有符号数")->isEnabled());
        QCOMPARE(editor.Snapshots(), ++snapshots);
        EnterText(full, "ffff");
        QCOMPARE(full->text(), QString("FFFF"));
        EnterText(full, "1FFFF");
        QCOMPARE(full->text(), QString("FFFF"));

        // The full scale's down arrow stops at the zero scale.
        EnterText(zero, "FFFD");
        editor.Step("满额度值:", -1);
        editor.Step("满额度值:", -1);
        QCOMPARE(full->text(), QString("FFFD"));
        editor.Step("满额度值:", -1);
        QCOMPARE(full->text(), QString("FFFD"));
        QCOMPARE(bar->FullScale, 0xFFFD);
        editor.Step("零额度值:", 1);
        QCOMPARE(bar->Zero, 0xFFFD);
    }

    void theRegisterCountNeedsTheNextWord()
    {
        GraphEditor editor;
        editor.document.AddressTable.push_back(GapGroup());
        const auto bar = editor.PlaceBar();
        QLineEdit* count = editor.Edit("寄存器个数:");
        // R0 has R1 beside it: two registers, the scale widened.
        EnterText(count, "2");
        QCOMPARE(bar->BarRegisterCount, 2);
        QCOMPARE(editor.Edit("满额度值:")->text(), QString("4294967295"));
        EnterText(count, "3");
        QCOMPARE(editor.ui->shown.last(), QString("请填入一个在1和2之间的整数!"));
        QCOMPARE(count->text(), QString("2"));

        // Another group: one register again, the address text "0".
        bar->AddressText = "7";
        editor.Choose(editor.Combo("元件组名:"), 1);
        QCOMPARE(bar->GroupName, std::string("Gap"));
        QCOMPARE(bar->ElementName, std::string("G0"));
        QCOMPARE(bar->BarRegisterCount, 1);
        QCOMPARE(bar->AddressText, std::string("0"));
        QCOMPARE(editor.Edit("满额度值:")->text(), QString("65535"));
        // The group has no word 1 beside G0: 2 stays 1.
        EnterText(count, "2");
        QCOMPARE(bar->BarRegisterCount, 1);
        QCOMPARE(count->text(), QString("1"));

        // A 32-bit word counts one register.
        editor.Choose(editor.Combo("类型:"), 1);
        EnterText(count, "2");
        QCOMPARE(bar->BarRegisterCount, 1);
        QCOMPARE(count->text(), QString("1"));
    }

    void aPlacedCurveShowsItsDefaultsAndSamples()
    {
        GraphEditor editor;
        QVERIFY(QTest::qWaitForWindowExposed(editor.frame.get()));
        const auto curve = editor.PlaceCurve();
        QCOMPARE(editor.VisiblePages(), std::vector<CPropertyDlg*>{editor.View().CurvePage});
        QCOMPARE(editor.Edit("数据采集:")->text(), QString("4"));
        QCOMPARE(editor.Edit("采样间隔:")->text(), QString("2"));
        QCOMPARE(editor.Edit("满额度值:")->text(), QString("65535"));
        QCOMPARE(editor.Edit("零额度值:")->text(), QString("0"));
        QCOMPARE(curve->PreviewSamples, (std::vector<int>{0, 43690, 21845, 32767, 21845}));
        QVERIFY(ShowsWholeLayout(editor.Page()));
        QVERIFY(SavePicture(editor.frame.get(), "curve-page.png"));
    }

    void theCurvesWidthAndDataPointsHoldEachOther()
    {
        GraphEditor editor;
        ShowActive(*editor.frame);
        const auto curve = editor.PlaceCurve();
        EnterText(editor.Edit("X:"), "0");
        EnterText(editor.Edit("宽:"), "100");
        EnterText(editor.Edit("数据采集:"), "98");
        QCOMPARE(curve->DataPoints, 98);
        std::size_t snapshots = editor.Snapshots();
        EnterText(editor.Edit("宽:"), "50");
        QCOMPARE(curve->GetSize().width, 50);
        QCOMPARE(curve->DataPoints, 48);
        QCOMPARE(curve->PreviewSamples.size(), std::size_t(49));
        QCOMPARE(editor.Edit("数据采集:")->text(), QString("48"));
        QCOMPARE(editor.Snapshots(), ++snapshots);

        // At x 100, 90 points reach the edge; 91 are refused.
        EnterText(editor.Edit("X:"), "100");
        EnterText(editor.Edit("数据采集:"), "90");
        QCOMPARE(curve->DataPoints, 90);
        QCOMPARE(curve->GetSize().width, 92);
        QCOMPARE(editor.Edit("宽:")->text(), QString("92"));
        EnterText(editor.Edit("数据采集:"), "91");
        QCOMPARE(curve->DataPoints, 90);
        QCOMPARE(editor.Edit("数据采集:")->text(), QString("91"));
        QTest::keyClick(editor.Edit("数据采集:"), Qt::Key_Tab);
        QCOMPARE(editor.Edit("数据采集:")->text(), QString("90"));

        // Intervals of 1 to 65535 seconds; a refused one comes back at once.
        for (const char* refused : {"0", "65536"}) {
            EnterText(editor.Edit("采样间隔:"), refused);
            QCOMPARE(curve->SampleInterval, 2);
            QCOMPARE(editor.Edit("采样间隔:")->text(), QString("2"));
        }
        EnterText(editor.Edit("采样间隔:"), "65535");
        QCOMPARE(curve->SampleInterval, 65535);
    }

    void theCurvesRegisterCountFollowsTheRuleOfTheNextWord()
    {
        GraphEditor editor;
        const auto curve = editor.PlaceCurve();
        QLineEdit* count = editor.Edit("寄存器个数:");
        EnterText(count, "2");
        QCOMPARE(curve->CurveRegisterCount, 2);
        QCOMPARE(curve->BarRegisterCount, 1);
        // Entering 2 again, the up arrow at 2 and a refused count keep two
        // registers and the 32-bit full scale they allow.
        EnterText(editor.Edit("满额度值:"), "100000");
        QCOMPARE(curve->FullScale, 100000);
        EnterText(count, "2");
        QCOMPARE(curve->CurveRegisterCount, 2);
        editor.Step("寄存器个数:", 1);
        QCOMPARE(curve->CurveRegisterCount, 2);
        EnterText(count, "3");
        QCOMPARE(curve->CurveRegisterCount, 2);
        QCOMPARE(count->text(), QString("2"));
        QCOMPARE(curve->FullScale, 100000);
        EnterText(count, "1");
        QCOMPARE(curve->CurveRegisterCount, 1);
        QCOMPARE(editor.Edit("满额度值:")->text(), QString("65535"));
        // Any other count typed is put back without a prompt.
        editor.ui->shown.clear();
        QTest::keyClick(count, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(count, "3");
        QCOMPARE(count->text(), QString("1"));
        QCOMPARE(curve->CurveRegisterCount, 1);
        QCOMPARE(editor.ui->shown, QStringList());

        // Signed on a 32-bit curve: a full scale of 65535 becomes the maximum,
        // and the scales step past each other.
        curve->AddressText = "5";
        editor.Choose(editor.Combo("类型:"), 1);
        QCOMPARE(curve->AddressText, std::string("0"));
        EnterText(editor.Edit("满额度值:"), "65535");
        ClickButton(editor.ButtonOf<QCheckBox>("有符号数"));
        QCOMPARE(editor.Edit("满额度值:")->text(), QString("2147483647"));
        EnterText(editor.Edit("满额度值:"), "0");
        editor.Step("满额度值:", -1);
        QCOMPARE(curve->FullScale, -1);
        QCOMPARE(curve->PreviewSamples.front(), 0);
    }

    void aSavedProjectKeepsWhatTheGraphPagesSet()
    {
        GraphEditor editor;
        const auto bar = editor.PlaceBar();
        EnterText(editor.Edit("X:"), "10");
        editor.Choose(editor.Combo("方向:"), 3);
        EnterText(editor.Edit("局号:"), "12");
        EnterText(editor.Edit("寄存器个数:"), "2");
        ClickButton(editor.ButtonOf<QCheckBox>("有符号数"));
        EnterText(editor.Edit("零额度值:"), "-70000");
        const auto curve = editor.PlaceCurve({300, 40});
        ClickButton(editor.ButtonOf<QCheckBox>("有符号数"));
        EnterText(editor.Edit("零额度值:"), "-300");
        EnterText(editor.Edit("数据采集:"), "30");
        EnterText(editor.Edit("采样间隔:"), "9");

        QTemporaryDir folder;
        const QString path = folder.filePath("graphs.opf");
        editor.ui->files = {path};
        editor.frame->ExecuteCommand(Cmd::FileSave);
        QVERIFY(OpenProjectInto(*editor.frame, path));
        const ElementList& elements = editor.document.FindScreenByNumber(1)->Elements;
        QCOMPARE(elements.size(), std::size_t(2));
        const std::shared_ptr<CGraphElement> placed[] = {bar, curve};
        for (std::size_t k = 0; k < 2; ++k) {
            const auto& before = placed[k];
            const auto back = std::dynamic_pointer_cast<CGraphElement>(elements[k].element);
            QVERIFY(back);
            QCOMPARE(back->IsCurve(), before->IsCurve());
            QCOMPARE(back->GetBox(), before->GetBox());
            QCOMPARE(back->GetStation(), before->GetStation());
            QCOMPARE(back->GetDirection(), before->GetDirection());
            QCOMPARE(back->RegisterCount(), before->RegisterCount());
            QCOMPARE(back->IsSigned(), before->IsSigned());
            QCOMPARE(back->IsHexBcd(), before->IsHexBcd());
            QCOMPARE(back->Zero, before->Zero);
            QCOMPARE(back->FullScale, before->FullScale);
            QCOMPARE(back->PreviewValue, before->PreviewValue);
            QCOMPARE(back->PreviewSamples, before->PreviewSamples);
            QCOMPARE(back->DataPoints, before->DataPoints);
            QCOMPARE(back->SampleInterval, before->SampleInterval);
            QCOMPARE(back->WordSize, before->WordSize);
            QCOMPARE(back->GroupName, before->GroupName);
            QCOMPARE(back->ElementName, before->ElementName);
        }
        QCOMPARE(bar->Zero, -70000);
        QCOMPARE(curve->Zero, -300);
    }
};

QTEST_MAIN(GraphPagesTest)
#include "GraphPagesTest.moc"
