// Numbers typed into the number fields of the property pages and of the
// dialogs: whatever is typed (INT_MAX, INT_MIN, -1, 0, the edges of every
// range the fields have), key by key as a user types, no field passes a
// number beyond its range into the element or the dialog's result, and
// nothing overflows on the way (the test build stops at any undefined
// arithmetic). And every value field is wide enough to show the longest
// value it accepts.

#include "devices/ui/CCopyRegEntryDlg.h"
#include "devices/ui/CCopyRegisterDlg.h"
#include "devices/ui/CNewElementDlg.h"
#include "devices/ui/CNewGroupDlg.h"
#include "devices/ui/CPresetRegDlg.h"
#include "model/CVX50TextDoc.h"
#include "model/elements/CFuncKeyElement.h"
#include "model/elements/CGraphElement.h"
#include "model/elements/CRegisterElement.h"
#include "settings/ui/CAlarmListDlg.h"
#include "settings/ui/CGlobalButtonDlg.h"
#include "settings/ui/CPanelSettingsDlg.h"
#include "support/PageTesting.h"
#include "support/ScriptedEditor.h"
#include "widgets/CSpinEdit.h"

#include <QComboBox>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTemporaryDir>
#include <QTest>

#include <climits>
#include <memory>

namespace {

// Far outside every range, then the edges of the ranges the fields have
// (0..64, 0..192, 16..64, 16..192, 2..190, 1..2, 1..5, 0..5, 1..8, 10..50,
// 100..1000, 0..255, 1..255, 0..10000, 1..65535, 0..65535) and one past each.
const QStringList kTyped = {QString::number(INT_MAX), QString::number(INT_MIN), "-1", "0", "1", "2", "3", "5",
    "6", "8", "9", "10", "15", "16", "17", "49", "50", "51", "63", "64", "65", "99", "100", "101", "189", "190",
    "191", "192", "193", "254", "255", "256", "999", "1000", "1001", "9999", "10000", "10001", "65535", "65536",
    "99999", "100000"};

// Types `text` over the whole field, key by key.
void TypeOver(QLineEdit* edit, const QString& text)
{
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(edit, text);
}

bool Within(long long value, long long min, long long max)
{
    return value >= min && value <= max;
}

// What is wrong with `element` after an entry, or nothing.
QString Unsound(const CScreenElement& element)
{
    const DotBox box = element.GetBox();
    if (!Within(box.x, 0, kDisplayWidth) || !Within(box.y, 0, kDisplayHeight) || box.w < 1 || box.h < 1
        || box.x + box.w > kDisplayWidth || box.y + box.h > kDisplayHeight)
        return QString("box %1,%2 %3x%4").arg(box.x).arg(box.y).arg(box.w).arg(box.h);
    if (!Within(element.GetStation(), 0, 255))
        return QString("station %1").arg(element.GetStation());
    if (const auto* graph = dynamic_cast<const CGraphElement*>(&element)) {
        if (!Within(graph->CurveRegisterCount, 1, 2) || !Within(graph->BarRegisterCount, 1, 2))
            return QString("graph registers %1/%2").arg(graph->CurveRegisterCount).arg(graph->BarRegisterCount);
        if (graph->IsCurve()
            && (!Within(graph->DataPoints, 2, box.w - 2) || !Within(graph->SampleInterval, 1, 65535)
                || graph->PreviewSamples.size() > std::size_t(graph->DataPoints) + 1))
            return QString("curve points %1 interval %2").arg(graph->DataPoints).arg(graph->SampleInterval);
    }
    if (const auto* key = dynamic_cast<const CFuncKeyElement*>(&element)) {
        if (!Within(key->TargetScreen, 1, 65535) || !Within(key->RegisterCount, 1, 2))
            return QString("key screen %1 registers %2").arg(key->TargetScreen).arg(key->RegisterCount);
    }
    if (const auto* reg = dynamic_cast<const CRegisterElement*>(&element)) {
        if (!Within(reg->Digits, 1, 10) || !Within(reg->Decimals, 0, reg->Digits)
            || !Within(reg->RegisterCount, 1, 2))
            return QString("register digits %1.%2 registers %3").arg(reg->Digits).arg(reg->Decimals).arg(
                reg->RegisterCount);
    }
    return {};
}

// The number fields of `window` that take typing now.
QList<CSpinEdit*> OpenNumberFields(QWidget* window)
{
    QList<CSpinEdit*> open;
    for (CSpinEdit* field : window->findChildren<CSpinEdit*>())
        if (field->isVisible() && field->isEnabled())
            open.append(field);
    return open;
}

// Whether `edit` shows its whole text at the narrowest its page's layout may
// make it (a page wider than the window is laid out at its minimum): the
// text with the caret fits the edit's text area, which is its contents
// rect less the text margins and the 2 dots the line edit keeps each side.
bool ShowsWholeText(QLineEdit* edit)
{
    const int narrowest = edit->minimumWidth() > 0 ? edit->minimumWidth() : edit->minimumSizeHint().width();
    QStyleOptionFrame option;
    option.initFrom(edit);
    option.rect.setWidth(narrowest);
    option.lineWidth = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit);
    const QRect contents = edit->style()->subElementRect(QStyle::SE_LineEditContents, &option, edit);
    const int textArea = contents.marginsRemoved(edit->textMargins()).width() - 2 * 2;
    return edit->fontMetrics().horizontalAdvance(edit->text()) + 1 <= textArea;
}

struct RangeEditor : ScriptedEditor {
    std::shared_ptr<CScreenElement> PlaceElement(int tool)
    {
        Place(tool, {100, 40});
        return document.GetWorkingElements().back().element;
    }
    CPropertyDlg* Page() const { return VisiblePages().front(); }
    QLineEdit* Edit(const char* label) const { return FieldOf<QLineEdit>(Page(), QString::fromUtf8(label)); }
    QComboBox* Combo(const char* label) const { return FieldOf<QComboBox>(Page(), QString::fromUtf8(label)); }
    QAbstractButton* Button(const char* text) const
    {
        return ButtonOf<QAbstractButton>(Page(), QString::fromUtf8(text));
    }
};

} // namespace

class NumberFieldRangesTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_folder;

private slots:
    void initTestCase() { QVERIFY(UseProgramFolderWithShippedDevice(m_folder.path())); }

    void everyPageHoldsWhatIsTypedToItsRange_data()
    {
        QTest::addColumn<int>("tool");
        QTest::newRow("function key") << int(Cmd::ToolFuncKey);
        QTest::newRow("lamp") << int(Cmd::ToolLamp);
        QTest::newRow("dynamic text") << int(Cmd::ToolDynText);
        QTest::newRow("register") << int(Cmd::ToolRegister);
        QTest::newRow("bar graph") << int(Cmd::ToolBarGraph);
        QTest::newRow("curve") << int(Cmd::ToolCurve);
    }

    void everyPageHoldsWhatIsTypedToItsRange()
    {
        QFETCH(int, tool);
        RangeEditor editor;
        const auto element = editor.PlaceElement(tool);
        const QList<CSpinEdit*> fields = OpenNumberFields(editor.Page());
        QVERIFY(fields.size() >= 3);
        for (CSpinEdit* field : fields) {
            for (const QString& typed : kTyped) {
                TypeOver(field->Edit(), typed);
                const QString problem = Unsound(*element);
                QVERIFY2(problem.isEmpty(), qPrintable(typed + ": " + problem));
            }
            // Leaving the field shows what the element kept.
            QTest::keyClick(field->Edit(), Qt::Key_Tab);
        }
    }

    void theScreenPageHoldsItsKeyScreens()
    {
        RangeEditor editor;
        const QList<CSpinEdit*> fields = OpenNumberFields(editor.Page());
        QCOMPARE(fields.size(), 2);
        for (CSpinEdit* field : fields) {
            for (const QString& typed : kTyped) {
                TypeOver(field->Edit(), typed);
                const auto [up, down] = editor.LinksOf(1);
                QVERIFY2(Within(up, 1, 65535) && Within(down, 1, 65535), qPrintable(typed));
            }
        }
    }

    // A field takes no more digits than its range has: the huge numbers
    // are cut where the range's digits end, whatever the page.
    void aFieldTakesNoMoreDigitsThanItsRange()
    {
        RangeEditor editor;
        editor.PlaceElement(Cmd::ToolCurve);
        const struct {
            const char* label;
            int digits;
        } cases[] = {{"X:", 3}, {"宽:", 3}, {"数据采集:", 3}, {"采样间隔:", 5}, {"寄存器个数:", 1}, {"局号:", 3}};
        for (const auto& c : cases) {
            for (const int typed : {INT_MAX, INT_MIN}) {
                TypeOver(editor.Edit(c.label), QString::number(typed));
                const QString shown = editor.Edit(c.label)->text();
                QVERIFY2(shown.count(QRegularExpression("[0-9]")) <= c.digits, qPrintable(c.label + (": " + shown)));
            }
        }
        // A width typed past its range stays until the field is left.
        TypeOver(editor.Edit("宽:"), QString::number(INT_MAX));
        QCOMPARE(editor.Edit("宽:")->text(), QString("214"));
    }

    void theSettingsDialogsHoldWhatIsTypedToItsRange()
    {
        RangeEditor editor;
        CPanelSettingsDlg panel(editor.document, editor.frame.get());
        ShowActive(panel);
        for (CSpinEdit* field : OpenNumberFields(&panel))
            for (const QString& typed : kTyped)
                TypeOver(field->Edit(), typed);
        // What the fields kept is taken by OK or refused with its message.
        ClickOk(panel);
        const PanelSettings& stored = editor.document.Panel;
        QVERIFY(Within(stored.MainScreen, 1, 65535));
        QVERIFY(Within(stored.SaverScreen, 1, 65535));
        QVERIFY(Within(stored.PanelStation, 0, 255));
        QVERIFY(Within(stored.CommTime, 10, 50));
        QVERIFY(Within(stored.Timeout, 100, 1000));

        // A coil button's station, a jump button's screen: each number
        // typed, then OK.
        for (const std::uint8_t function : {std::uint8_t{4}, std::uint8_t{0}}) {
            for (const QString& typed : kTyped) {
                GlobalButton kept;
                kept.Function = function;
                editor.document.GlobalButtons = {kept};
                CGlobalButtonDlg buttons(editor.document, editor.frame.get());
                ShowActive(buttons);
                const QList<CSpinEdit*> fields = OpenNumberFields(&buttons);
                QVERIFY(!fields.isEmpty());
                for (CSpinEdit* field : fields)
                    TypeOver(field->Edit(), typed);
                buttons.OnOK();
                const GlobalButton& button = editor.document.GlobalButtons.front();
                QVERIFY2(Within(button.Station, 0, 255) && Within(button.JumpScreen, 1, 65535)
                        && Within(button.RegisterCount, 1, 2),
                    qPrintable(typed));
            }
        }
    }

    // The device and settings dialogs whose number fields refuse or prompt
    // on their own: every number typed into every field they open, with
    // no field holding more digits than the widest range (65535) has.
    void theOtherDialogsTakeEveryNumberTyped_data()
    {
        QTest::addColumn<int>("which");
        QTest::newRow("copy registers") << 0;
        QTest::newRow("copy register entry") << 1;
        QTest::newRow("new group") << 2;
        QTest::newRow("preset registers") << 3;
        QTest::newRow("alarm list") << 4;
    }

    void theOtherDialogsTakeEveryNumberTyped()
    {
        QFETCH(int, which);
        RangeEditor editor;
        std::unique_ptr<QDialog> dialog;
        switch (which) {
        case 0: dialog = std::make_unique<CCopyRegisterDlg>(editor.document, editor.frame.get()); break;
        case 1: dialog = std::make_unique<CCopyRegEntryDlg>(editor.document, editor.frame.get()); break;
        case 2: dialog = std::make_unique<CNewGroupDlg>(editor.document.AddressTable, editor.frame.get()); break;
        case 3: dialog = std::make_unique<CPresetRegDlg>(editor.document, editor.frame.get()); break;
        default: dialog = std::make_unique<CAlarmListDlg>(editor.document, editor.frame.get()); break;
        }
        ShowActive(*dialog);
        // A new group's interval is open for 32-bit groups.
        if (auto* type = dialog->findChild<QComboBox*>("type"); type && which == 2)
            ChooseEntry(type, 2);
        const QList<CSpinEdit*> fields = OpenNumberFields(dialog.get());
        QVERIFY(!fields.isEmpty());
        for (CSpinEdit* field : fields) {
            for (const QString& typed : kTyped) {
                TypeOver(field->Edit(), typed);
                QVERIFY2(field->Text().count(QRegularExpression("[0-9]")) <= 5, qPrintable(typed));
            }
        }
    }

    void theNewElementDialogHoldsItsNumbers()
    {
        RangeEditor editor;
        CNewElementDlg dialog(editor.document.AddressTable, 0, editor.frame.get());
        ShowActive(dialog);
        ClickButton(dialog.findChild<QCheckBox*>("batch"));
        QVERIFY(dialog.findChild<QCheckBox*>("batch")->isChecked());
        auto* interval = dialog.findChild<CSpinEdit*>("interval");
        auto* position = dialog.findChild<CSpinEdit*>("position");
        auto* count = dialog.findChild<QLineEdit*>("count");
        for (const QString& typed : kTyped) {
            TypeOver(interval->Edit(), typed);
            TypeOver(position->Edit(), typed);
            TypeOver(count, typed);
            const NewElementRequest request = dialog.Request();
            QVERIFY2(Within(request.interval, 1, 65535), qPrintable(typed));
            QVERIFY2(Within(request.position, 0, 65535), qPrintable(typed));
            QVERIFY2(Within(request.count, 0, 10000), qPrintable(typed));
        }
        // Typed, the interval goes past its arrows' 8.
        TypeOver(interval->Edit(), "12");
        QCOMPARE(dialog.Request().interval, 12);
    }

    // The longest value each value field accepts is shown whole: the 32-bit
    // limits and scales in every format, the number fields' widest ends.
    void everyValueFieldShowsItsLongestValue()
    {
        RangeEditor editor;
        editor.frame->resize(1024, 768);
        // Each format's longest 32-bit value, into a field that takes it.
        const auto showsEachFormat = [&](const char* upper, const char* lower) {
            const struct {
                const char* format;
                const char* label;
                const char* value;
            } cases[] = {{"十进制", upper, "4294967295"}, {"有符号数", lower, "-2147483648"},
                {"HEX/BCD", upper, "FFFFFFFF"}};
            for (const auto& c : cases) {
                editor.Button(c.format)->click();
                TypeOver(editor.Edit(c.label), c.value);
                QCOMPARE(editor.Edit(c.label)->text(), QString(c.value));
                QVERIFY2(ShowsWholeText(editor.Edit(c.label)), c.value);
            }
        };
        editor.PlaceElement(Cmd::ToolRegister);
        editor.Button("设定")->click();
        TypeOver(editor.Edit("寄存器个数:"), "2");
        showsEachFormat("原始数据上限:", "原始数据下限:");
        QVERIFY(SavePicture(editor.frame.get(), "register-32-bit-limits.png"));
        editor.PlaceElement(Cmd::ToolCurve);
        ChooseEntry(editor.Combo("类型:"), 1);
        showsEachFormat("满额度值:", "零额度值:");

        for (const auto& [label, widest] : {std::pair{"采样间隔:", "65535"}, std::pair{"数据采集:", "190"},
                 std::pair{"宽:", "192"}, std::pair{"局号:", "255"}}) {
            TypeOver(editor.Edit(label), widest);
            QCOMPARE(editor.Edit(label)->text(), QString(widest));
            QVERIFY2(ShowsWholeText(editor.Edit(label)), label);
        }
    }
};

QTEST_MAIN(NumberFieldRangesTest)
#include "NumberFieldRangesTest.moc"
