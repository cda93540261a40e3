// Device selection on the offscreen platform, the way a new user meets it:
// File New asks for the device, a new device is created with the Modbus
// library and filled in the address-table editor, an element placed on the
// canvas is bound to it, and the saved project opens bound to it again.
// Cancel puts back the device the dialog opened with.

#include "base/FileIo.h"
#include "base/GbkText.h"
#include "base/ProgramPaths.h"
#include "devices/AddressTableFile.h"
#include "devices/DeviceKeys.h"
#include "devices/NewGroupRules.h"
#include "devices/ui/CAddressTableDlg.h"
#include "devices/ui/CDeviceInfoDlg.h"
#include "devices/ui/CDeviceSelectDlg.h"
#include "model/elements/CLampElement.h"
#include "pages/ui/CLampPropertyDlg.h"
#include "shell/ui/ProjectOpen.h"
#include "support/AddressTableScripts.h"
#include "support/DialogTesting.h"
#include "support/PageTesting.h"
#include "support/ScriptedEditor.h"
#include "widgets/CElementNameCombo.h"

#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>

namespace {

QStringList Items(const QComboBox* combo)
{
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items.append(combo->itemText(i));
    return items;
}

// The new-device road of the device dialog: New Device, the device
// information dialog named `name` (whose protocol list lands in
// `protocols`), then the address-table editor with a bit group of four
// elements, where `inEditor` runs before OK; the device dialog then ends with
// `finish` (its OK or Cancel).
void ScriptNewDevice(ScriptedGuiUserInterface& ui, const QString& name, QStringList& protocols,
                     std::function<void(CDeviceSelectDlg&)> finish,
                     std::function<void(CAddressTableDlg&)> inEditor = [](CAddressTableDlg&) {})
{
    ui.confirmDevice = false;
    ui.dialogs = {
        [finish](QDialog& dialog) {
            auto& select = dynamic_cast<CDeviceSelectDlg&>(dialog);
            select.show();
            QTest::mouseClick(select.findChild<QPushButton*>("newDevice"), Qt::LeftButton);
            SavePicture(&select, "DeviceSelectDlg.png");
            finish(select);
            return select.result();
        },
        [name, &protocols](QDialog& dialog) {
            auto& info = dynamic_cast<CDeviceInfoDlg&>(dialog);
            info.show();
            protocols = Items(info.findChild<QComboBox*>("protocol"));
            Type(info.findChild<QLineEdit*>("name"), name);
            SavePicture(&info, "DeviceInfoDlg.png");
            ClickOk(info);
            return info.result();
        },
        [inEditor](QDialog& dialog) {
            auto& editor = dynamic_cast<CAddressTableDlg&>(dialog);
            editor.show();
            ChooseFromMenuBar(editor, editor.MenuAction(CAddressTableDlg::NewGroupCommand));
            ChooseFromMenuBar(editor, editor.MenuAction(CAddressTableDlg::NewElementCommand));
            inEditor(editor);
            ClickOk(editor);
            return editor.result();
        },
        NewGroup("M", 0, NoCoilCommands),
        NewBatch("M", 4, "0", "10.e"),
    };
}

} // namespace

class DeviceSelectDlgTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_folder;

private slots:
    void initTestCase()
    {
        QVERIFY(UseProgramFolderWithShippedDevice(m_folder.path()));
        const QString library = QStringLiteral("/Protocol/libModBus Slave.so");
        QVERIFY(QDir(m_folder.path()).mkpath("Protocol"));
        QVERIFY(QFile::copy(QCoreApplication::applicationDirPath() + library, m_folder.path() + library));
        // A library that new devices are not offered.
        QFile excluded(m_folder.path() + "/Protocol/libQM4.so");
        QVERIFY(excluded.open(QIODevice::WriteOnly));
    }

    void newDeviceIsWrittenBoundSavedAndReopened()
    {
        GuiEditor editor;
        editor.frame->show();
        QStringList protocols;
        ScriptNewDevice(*editor.ui, "TestDev", protocols, [](CDeviceSelectDlg& select) { ClickOk(select); });
        editor.frame->ExecuteCommand(Cmd::FileNew);

        QCOMPARE(editor.ui->dialogs.size(), size_t(0));
        QCOMPARE(protocols, QStringList{"ModBus Slave"});
        QVERIFY(editor.View().GetCanvas());
        CVX50TextDoc& doc = editor.document;
        QCOMPARE(doc.DeviceName, std::string("TestDev"));
        QCOMPARE(doc.TableEditable, 1);
        QCOMPARE(editor.frame->PaneText(1), QString("TestDev"));
        QCOMPARE(editor.frame->PaneText(2), QString("ModBus Slave"));

        // The device's file reads back with its keys and its elements.
        DeviceKeys keys;
        QCOMPARE(ReadDeviceKeysFile(DeviceTablePath("TestDev"), keys), std::optional<bool>(true));
        QCOMPARE(keys.dllName, std::string("ModBus Slave.dll"));
        QCOMPARE(keys.canEdit, 1);
        AddressTable table;
        QVERIFY(ReadAddressTableFile(DeviceTablePath("TestDev"), table));
        QCOMPARE(table.size(), size_t(1));
        QCOMPARE(table[0].elements.size(), size_t(4));
        QVERIFY(doc.AddressTable == table);

        // A lamp placed on the canvas and bound to M2 through its page.
        editor.frame->ExecuteCommand(Cmd::ToolLamp);
        QTest::mouseClick(editor.View().GetCanvas(), Qt::LeftButton, {}, QPoint(60, 40));
        QCOMPARE(doc.WorkingElements.size(), size_t(1));
        auto lamp = std::static_pointer_cast<CLampElement>(doc.WorkingElements[0].element);
        QWidget* page = editor.View().LampPage;
        auto* group = FieldOf<QComboBox>(page, "元件组名:");
        QVERIFY(group);
        ChooseEntry(group, group->findText("M"));
        auto* element = FieldOf<CElementNameCombo>(page, "元件名称:");
        QVERIFY(element);
        element->lineEdit()->setFocus();
        element->lineEdit()->selectAll();
        QTest::keyClicks(element->lineEdit(), "M2");
        QTest::keyClick(element->view(), Qt::Key_Return);
        QCOMPARE(lamp->GroupName, std::string("M"));
        QCOMPARE(lamp->ElementName, std::string("M2"));
        SavePicture(editor.frame.get(), "NewDeviceProject.png");

        const QString path = m_folder.filePath("bound.opf");
        editor.ui->files = {path};
        editor.frame->ExecuteCommand(Cmd::FileSave);
        QCOMPARE(doc.ProjectModified, 0);

        GuiEditor reopened;
        reopened.frame->show();
        QVERIFY(OpenProjectInto(*reopened.frame, path));
        QCOMPARE(reopened.document.DeviceName, std::string("TestDev"));
        QCOMPARE(reopened.document.ProtocolLibraryName, std::string("ModBus Slave.dll"));
        QVERIFY(reopened.document.AddressTable == table);
        const auto& elements = reopened.document.GetScreens().front().Elements;
        QCOMPARE(elements.size(), size_t(1));
        const auto& back = static_cast<const CLampElement&>(*elements[0].element);
        QCOMPARE(back.GroupName, std::string("M"));
        QCOMPARE(back.ElementName, std::string("M2"));
    }

    void theNewDevicesEditorRefusesSaveUntilItCloses()
    {
        ScriptedEditor editor;
        CVX50TextDoc& doc = editor.document;
        QStringList protocols;
        bool flagSet = false;
        ScriptNewDevice(
            *editor.ui, "Fresh", protocols, [](CDeviceSelectDlg& select) { ClickOk(select); },
            [&](CAddressTableDlg& table) {
                flagSet = doc.DeviceChange == 1;
                editor.ui->shown.clear();
                ChooseFromMenuBar(table, table.MenuAction(CAddressTableDlg::SaveCommand));
                QCOMPARE(editor.ui->shown, QStringList{"设备名不能为空!"});
                // Nothing was committed: the project's table is still empty.
                QVERIFY(doc.AddressTable.empty());
            });
        editor.frame->ExecuteCommand(Cmd::Device);
        QVERIFY(flagSet);
        QCOMPARE(doc.DeviceChange, 0);
        QCOMPARE(doc.DeviceName, std::string("Fresh"));
        QCOMPARE(doc.AddressTable.size(), std::size_t(1));
    }

    void cancellingTheNewDevicesInformationEndsTheFlag()
    {
        ScriptedEditor editor;
        editor.ui->confirmDevice = false;
        editor.ui->dialogs = {
            [](QDialog& dialog) {
                auto& select = dynamic_cast<CDeviceSelectDlg&>(dialog);
                select.show();
                QTest::mouseClick(select.findChild<QPushButton*>("newDevice"), Qt::LeftButton);
                ClickCancel(select);
                return select.result();
            },
            [](QDialog& dialog) {
                dialog.show();
                ClickCancel(dialog);
                return dialog.result();
            },
        };
        editor.frame->ExecuteCommand(Cmd::Device);
        QCOMPARE(editor.ui->dialogsRun, 2);
        QCOMPARE(editor.document.DeviceChange, 0);
    }

    void cancelAfterANewDeviceRestoresTheDevice()
    {
        ScriptedEditor editor; // bound to the device of the last choice
        CVX50TextDoc& doc = editor.document;
        const DeviceState before = CaptureDeviceState(doc);
        const int modified = doc.ProjectModified;
        QStringList protocols;
        ScriptNewDevice(*editor.ui, "Other", protocols, [](CDeviceSelectDlg& select) { ClickCancel(select); });
        editor.frame->ExecuteCommand(Cmd::Device);

        QCOMPARE(doc.DeviceName, before.name);
        QCOMPARE(doc.ProtocolLibraryName, before.keys.dllName);
        QCOMPARE(doc.TableEditable, before.keys.canEdit);
        QCOMPARE(doc.CommBufferLength, before.keys.commBuffLength);
        QCOMPARE(doc.HighFront, before.keys.highFront);
        QVERIFY(doc.AddressTable == before.table);
        QCOMPARE(doc.ProjectModified, modified);
        // The new device stays: its file and its entry.
        QVERIFY(QFile::exists(QString::fromStdString(DeviceTablePath("Other"))));
        QCOMPARE(doc.DeviceNames.back(), std::string("Other"));
    }

    void aFailedOkThenCancelLeavesTheProject()
    {
        ScriptedEditor editor;
        CVX50TextDoc& doc = editor.document;
        QVERIFY(WriteFileAtomically(DeviceTablePath("Broken"), "CANEDIT:1;\r\n[ADDRESS]\r\n"));
        const DeviceState before = CaptureDeviceState(doc);
        editor.ui->confirmDevice = false;
        bool stayedOpen = false;
        editor.ui->dialogs = {[&stayedOpen](QDialog& dialog) {
            dialog.show();
            ChooseText(dialog.findChild<QComboBox*>("device"), "Broken");
            dialog.findChild<QSpinBox*>("station")->setValue(9);
            ClickOk(dialog);
            stayedOpen = dialog.isVisible() && dialog.result() != QDialog::Accepted;
            ClickCancel(dialog);
            return dialog.result();
        }};
        editor.frame->ExecuteCommand(Cmd::Device);
        QVERIFY(stayedOpen);
        QCOMPARE(editor.ui->shown, QStringList{"没选设备或地址表文件出错!"});
        QCOMPARE(doc.DeviceName, before.name);
        QCOMPARE(doc.ProtocolLibraryName, before.keys.dllName);
        QVERIFY(doc.AddressTable == before.table);
        QCOMPARE(doc.DefaultStation, 1);
        QFile::remove(QString::fromStdString(DeviceTablePath("Broken")));
    }

    void deviceNamesKeepToTwentyBytes()
    {
        GuiEditor editor;
        CDeviceInfoDlg info(editor.document);
        auto* name = info.findChild<QLineEdit*>("name");
        Type(name, QString(21, u'a'));
        QCOMPARE(name->text(), QString(20, u'a'));
        QCOMPARE(info.findChild<QSpinBox*>("bufferLength")->value(), 30);
    }
};

QTEST_MAIN(DeviceSelectDlgTest)
#include "DeviceSelectDlgTest.moc"
