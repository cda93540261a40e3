// The panel-settings dialog on the offscreen platform: how it opens, its
// enable rules, the registers it names, the number fields, the checks on OK
// and what the command stores.

#include "StringIds.h"
#include "base/GbkText.h"
#include "model/CVX50TextDoc.h"
#include "settings/ui/CPanelSettingsDlg.h"
#include "support/DialogTesting.h"
#include "support/PageTesting.h"
#include "support/ScriptedEditor.h"
#include "support/TableGroups.h"
#include "widgets/CElementNameCombo.h"
#include "widgets/CSpinEdit.h"
#include "widgets/UiText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

AddressTable WordTable()
{
    return {MakeGroup("M", BitElementType, 1, {{"M0", 0, 0}}),
            MakeGroup("D", Word16ElementType, 2, {{"D0", 0, 0}, {"D1", 1, 0}, {"D2", 2, 0}}),
            MakeGroup("R", Word16ElementType, 2, {{"R7", 7, 0}})};
}

QLineEdit* EditOf(QDialog& dialog, const char* name)
{
    return NamedChild<CSpinEdit>(dialog, name)->Edit();
}

} // namespace

class PanelSettingsDlgTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_programFolder;

private slots:
    void initTestCase() { QVERIFY(UseProgramFolderWithShippedDevice(m_programFolder.path())); }

    void aNewProjectOpensWithItsDefaults()
    {
        CVX50TextDoc doc;
        doc.AddressTable = WordTable();
        doc.DefaultPort = 1;
        CPanelSettingsDlg dialog(doc, nullptr);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("设置VX系列"));
        QCOMPARE(EditOf(dialog, "mainScreen")->text(), QStringLiteral("1"));
        QCOMPARE(EditOf(dialog, "saverScreen")->text(), QStringLiteral("1"));
        QCOMPARE(EditOf(dialog, "station")->text(), QStringLiteral("1"));
        QCOMPARE(EditOf(dialog, "commTime")->text(), QStringLiteral("20"));
        QCOMPARE(EditOf(dialog, "timeout")->text(), QStringLiteral("300"));
        QCOMPARE(NamedChild<QComboBox>(dialog, "saverIndex")->currentText(), QStringLiteral("无"));
        QVERIFY(!NamedChild<QCheckBox>(dialog, "autoSwitch")->isChecked());
        QVERIFY(!NamedChild<QCheckBox>(dialog, "reportScreen")->isChecked());
        QVERIFY(NamedChild<QRadioButton>(dialog, "com1")->isChecked()); // the device's default port
        for (const char* name : {"group", "element", "station"})
            QVERIFY2(!NamedChild<QWidget>(dialog, name)->isEnabled(), name);
        QVERIFY(!NamedChild<QRadioButton>(dialog, "rs485")->isEnabled());
        QCOMPARE(NamedChild<QComboBox>(dialog, "group")->count(), 2); // the 16-bit word groups
        QCOMPARE(NamedChild<QComboBox>(dialog, "group")->currentText(), QStringLiteral("D"));
        QCOMPARE(NamedChild<CElementNameCombo>(dialog, "element")->currentText(), QStringLiteral("D0"));
        for (const char* name : {"showSaverScreen", "backlightOff", "saverScreen", "clearAfterSwitch"})
            QVERIFY2(!NamedChild<QWidget>(dialog, name)->isEnabled(), name);
        dialog.resize(dialog.sizeHint());
        QVERIFY(SavePicture(&dialog, QStringLiteral("PanelSettingsDlg.png")));
    }

    void noScreenSaverDisablesItsControls()
    {
        CVX50TextDoc doc;
        CPanelSettingsDlg dialog(doc, nullptr);
        ShowActive(dialog);
        auto* index = NamedChild<QComboBox>(dialog, "saverIndex");
        auto* show = NamedChild<QCheckBox>(dialog, "showSaverScreen");
        auto* backlight = NamedChild<QCheckBox>(dialog, "backlightOff");
        auto* saverScreen = NamedChild<CSpinEdit>(dialog, "saverScreen");

        ChooseText(index, QStringLiteral("3分钟后"));
        QVERIFY(show->isEnabled());
        QVERIFY(backlight->isEnabled());
        QVERIFY(!saverScreen->isEnabled()); // only once the screen is shown
        ClickButton(show);
        QVERIFY(saverScreen->isEnabled());
        ClickButton(backlight);

        ChooseText(index, QStringLiteral("无"));
        QVERIFY(!show->isEnabled());
        QVERIFY(!backlight->isEnabled());
        QVERIFY(!saverScreen->isEnabled());
        QVERIFY(!show->isChecked());
        QVERIFY(!backlight->isChecked());
        QCOMPARE(dialog.Values().ShowSaverScreen, 0);
        QCOMPARE(dialog.Values().BacklightOffOnSaver, 0);
        QCOMPARE(dialog.Values().ScreenSaverIndex, 0);
    }

    void aStoredIndexWithoutAnEntryIsKept()
    {
        CVX50TextDoc doc;
        doc.Panel.ScreenSaverIndex = 9;
        CPanelSettingsDlg dialog(doc, nullptr);
        QCOMPARE(NamedChild<QComboBox>(dialog, "saverIndex")->currentIndex(), -1);
        QVERIFY(NamedChild<QCheckBox>(dialog, "showSaverScreen")->isEnabled());
        ShowActive(dialog);
        ClickOk(dialog);
        QCOMPARE(dialog.Values().ScreenSaverIndex, 9);
    }

    void interactionChecksNameTheirRegisters()
    {
        CVX50TextDoc doc;
        doc.AddressTable = WordTable();
        CPanelSettingsDlg dialog(doc, nullptr);
        ShowActive(dialog);
        auto* autoSwitch = NamedChild<QCheckBox>(dialog, "autoSwitch");
        auto* report = NamedChild<QCheckBox>(dialog, "reportScreen");
        auto* controlText = NamedChild<QLabel>(dialog, "controlRegister");
        auto* reportText = NamedChild<QLabel>(dialog, "reportRegister");

        ClickButton(autoSwitch);
        QVERIFY(autoSwitch->isChecked());
        QCOMPARE(controlText->text(), QStringLiteral("对应  D0"));
        QVERIFY(NamedChild<QCheckBox>(dialog, "clearAfterSwitch")->isEnabled());
        QVERIFY(NamedChild<QComboBox>(dialog, "group")->isEnabled());
        QVERIFY(NamedChild<CSpinEdit>(dialog, "station")->isEnabled());
        ClickButton(report);
        QCOMPARE(reportText->text(), QStringLiteral("对应  D1"));

        // The last element of its group has no report register after it.
        auto* element = NamedChild<CElementNameCombo>(dialog, "element");
        QVERIFY(PickWithMouse(element, QStringLiteral("D2")));
        QCOMPARE(element->count(), 1);
        QCOMPARE(element->currentText(), QStringLiteral("D2"));
        QCOMPARE(controlText->text(), QStringLiteral("对应  D2"));
        QVERIFY(!report->isChecked());
        QCOMPARE(reportText->text(), QString());
        ClickButton(report);
        QVERIFY(!report->isChecked());

        // Typing a name of the group takes it.
        EnterText(element->lineEdit(), QStringLiteral("D1"));
        QVERIFY(element->IsListOpen());
        element->hidePopup();
        QCOMPARE(element->count(), 1);
        QCOMPARE(controlText->text(), QStringLiteral("对应  D1"));

        // A group of one element: the report switches off.
        ClickButton(report);
        QVERIFY(report->isChecked());
        ChooseText(NamedChild<QComboBox>(dialog, "group"), QStringLiteral("R"));
        QCOMPARE(element->currentText(), QStringLiteral("R7"));
        QVERIFY(!report->isChecked());
        QCOMPARE(controlText->text(), QStringLiteral("对应  R7"));

        ClickButton(autoSwitch);
        QCOMPARE(controlText->text(), QString());
        QVERIFY(!NamedChild<QCheckBox>(dialog, "clearAfterSwitch")->isEnabled());
        QVERIFY(!NamedChild<QComboBox>(dialog, "group")->isEnabled());
    }

    // Picked with the mouse or the keys, the name is the control register
    // that OK stores and the dialog shows again.
    void aControlRegisterPickedInTheListIsStored()
    {
        for (const auto pick : {&PickWithMouse, &PickWithKeys}) {
            ScriptedEditor editor;
            editor.document.AddressTable = WordTable();
            const auto pickD2 = [pick](CPanelSettingsDlg& dialog) {
                ClickButton(NamedChild<QCheckBox>(dialog, "autoSwitch"));
                auto* element = NamedChild<CElementNameCombo>(dialog, "element");
                QVERIFY(pick(element, QStringLiteral("D2")));
                QCOMPARE(element->currentText(), QStringLiteral("D2"));
                QCOMPARE(NamedChild<QLabel>(dialog, "controlRegister")->text(), QStringLiteral("对应  D2"));
                ClickOk(dialog);
            };
            QVERIFY(RunDialogCommand<CPanelSettingsDlg>(editor, Cmd::PanelSettings, pickD2));
            QCOMPARE(editor.document.Panel.ControlElementName, std::string("D2"));
            const auto shown = [](CPanelSettingsDlg& dialog) {
                QCOMPARE(NamedChild<CElementNameCombo>(dialog, "element")->currentText(), QStringLiteral("D2"));
            };
            RunDialogCommand<CPanelSettingsDlg>(editor, Cmd::PanelSettings, shown);
        }
    }

    void withoutWordGroupsTheChecksAreRefused()
    {
        CVX50TextDoc doc;
        doc.AddressTable = {MakeGroup("M", BitElementType, 1, {{"M0", 0, 0}})};
        CPanelSettingsDlg dialog(doc, nullptr);
        ShowActive(dialog);
        QCOMPARE(NamedChild<QComboBox>(dialog, "group")->count(), 0);
        for (const char* name : {"autoSwitch", "reportScreen"}) {
            auto* check = NamedChild<QCheckBox>(dialog, name);
            ClickButton(check);
            QVERIFY2(!check->isChecked(), name);
        }
        QVERIFY(!NamedChild<QComboBox>(dialog, "group")->isEnabled());
    }

    void numberFieldsTakeBackRefusedTexts()
    {
        ScriptedEditor editor; // message boxes are answered by the script
        CPanelSettingsDlg dialog(editor.document, nullptr);
        QLineEdit* station = EditOf(dialog, "station");
        EnterText(station, QStringLiteral("300"));
        QCOMPARE(station->text(), QStringLiteral("1"));
        QCOMPARE(editor.ui->shown.size(), 1);
        EnterText(station, QStringLiteral("0"));
        QCOMPARE(dialog.Values().PanelStation, 0);

        QLineEdit* main = EditOf(dialog, "mainScreen");
        EnterText(main, QStringLiteral("12x"));
        QCOMPARE(main->text(), QStringLiteral("1"));
        QCOMPARE(editor.ui->shown.size(), 2);
        EnterText(main, QStringLiteral("70000")); // judged on OK
        QCOMPARE(dialog.Values().MainScreen, 70000);

        QLineEdit* timeout = EditOf(dialog, "timeout");
        EnterText(timeout, QStringLiteral("70000"));
        QCOMPARE(timeout->text(), QStringLiteral("300"));
        QCOMPARE(editor.ui->shown.size(), 2); // silently
        EnterText(timeout, QStringLiteral("1001"));
        QCOMPARE(dialog.Values().Timeout, 1001);
    }

    void okChecksInOrderAndKeepsTheDialogOpen()
    {
        ScriptedEditor editor;
        CVX50TextDoc& doc = editor.document;
        const PanelSettings before = doc.Panel;
        CPanelSettingsDlg dialog(doc, nullptr);
        ShowActive(dialog);
        EnterText(EditOf(dialog, "commTime"), QStringLiteral("99"));
        EnterText(EditOf(dialog, "timeout"), QStringLiteral("99"));
        EnterText(EditOf(dialog, "mainScreen"), QStringLiteral("0"));
        const std::pair<const char*, QString> steps[] = {
            {"commTime", QStringLiteral("10")}, {"timeout", QStringLiteral("1000")},
            {"mainScreen", QStringLiteral("65535")}};
        const int messages[] = {IdsCommunicationTimeBad, IdsTimeoutBad, IdsEnterInteger1To65535};
        for (int i = 0; i < 3; ++i) {
            editor.ui->shown.clear();
            ClickOk(dialog);
            QCOMPARE(editor.ui->shown, QStringList{UiText(messages[i])});
            QCOMPARE(dialog.result(), int(QDialog::Rejected));
            QVERIFY(doc.Panel == before);
            // The refused field has the focus with its text selected: the
            // keys typed next replace it.
            QLineEdit* refused = EditOf(dialog, steps[i].first);
            QCOMPARE(QApplication::focusWidget(), refused);
            QVERIFY(!refused->text().isEmpty());
            QCOMPARE(refused->selectedText(), refused->text());
            QTest::keyClicks(QApplication::focusWidget(), steps[i].second);
            QCOMPARE(refused->text(), steps[i].second);
        }
        editor.ui->shown.clear();
        ClickOk(dialog);
        QVERIFY(editor.ui->shown.isEmpty());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(doc.Panel.CommTime, 10);
        QCOMPARE(doc.Panel.Timeout, 1000);
        QCOMPARE(doc.Panel.MainScreen, before.MainScreen); // the command copies it
    }

    void theCommandStoresEverythingOnOkAndNothingOnCancel()
    {
        ScriptedEditor editor;
        CVX50TextDoc& doc = editor.document;
        doc.AddressTable = WordTable();
        doc.ProjectModified = 0;
        const PanelSettings before = doc.Panel;
        auto fill = [](QDialog& dialog) {
            ShowActive(dialog);
            EnterText(EditOf(dialog, "mainScreen"), QStringLiteral("3"));
            ChooseText(NamedChild<QComboBox>(dialog, "saverIndex"), QStringLiteral("一小时后"));
            ClickButton(NamedChild<QCheckBox>(dialog, "showSaverScreen"));
            EnterText(EditOf(dialog, "saverScreen"), QStringLiteral("4"));
            ClickButton(NamedChild<QCheckBox>(dialog, "backlightOff"));
            ClickButton(NamedChild<QCheckBox>(dialog, "autoSwitch"));
            ClickButton(NamedChild<QCheckBox>(dialog, "reportScreen"));
            ClickButton(NamedChild<QCheckBox>(dialog, "clearAfterSwitch"));
            ChooseText(NamedChild<QComboBox>(dialog, "group"), QStringLiteral("D"));
            auto* element = NamedChild<CElementNameCombo>(dialog, "element");
            EnterText(element->lineEdit(), QStringLiteral("D1"));
            element->hidePopup();
            ClickButton(NamedChild<QRadioButton>(dialog, "com1"));
            EnterText(EditOf(dialog, "station"), QStringLiteral("0"));
            ClickButton(NamedChild<QCheckBox>(dialog, "encrypt"));
            EnterText(EditOf(dialog, "commTime"), QStringLiteral("45"));
            EnterText(EditOf(dialog, "timeout"), QStringLiteral("900"));
        };
        editor.ui->dialogs.push_back([&fill](QDialog& dialog) {
            fill(dialog);
            ClickCancel(dialog);
            return dialog.result();
        });
        editor.frame->ExecuteCommand(Cmd::PanelSettings);
        QCOMPARE(editor.ui->dialogsRun, 1);
        QVERIFY(doc.Panel == before);
        QCOMPARE(doc.ProjectModified, 0);

        editor.ui->dialogs.push_back([&fill](QDialog& dialog) {
            fill(dialog);
            ClickOk(dialog);
            return dialog.result();
        });
        editor.frame->ExecuteCommand(Cmd::PanelSettings);
        PanelSettings expected;
        expected.MainScreen = 3;
        expected.ScreenSaverIndex = 8;
        expected.ShowSaverScreen = 1;
        expected.SaverScreen = 4;
        expected.BacklightOffOnSaver = 1;
        expected.AutoScreenSwitch = 1;
        expected.ReportScreen = 1;
        expected.ClearAfterSwitch = 1;
        expected.ControlGroupName = "D";
        expected.ControlElementName = "D1";
        expected.ControlPort = 1;
        expected.PanelStation = 0;
        expected.EncryptProject = 1;
        expected.CommTime = 45;
        expected.Timeout = 900;
        QVERIFY(doc.Panel == expected);
        QCOMPARE(doc.ProjectModified, 1);

        // OK marks the project modified also when nothing changed.
        doc.ProjectModified = 0;
        editor.ui->dialogs.push_back([](QDialog& dialog) {
            ShowActive(dialog);
            ClickOk(dialog);
            return dialog.result();
        });
        editor.frame->ExecuteCommand(Cmd::PanelSettings);
        QVERIFY(doc.Panel == expected);
        QCOMPARE(doc.ProjectModified, 1);
    }
};

QTEST_MAIN(PanelSettingsDlgTest)
#include "PanelSettingsDlgTest.moc"
