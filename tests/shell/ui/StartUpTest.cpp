// Start-up: the COM-port number from "PZ.DAT" and a project named on the
// command line, opened without the device question.

#include "shell/ui/CCJTreeCtrl.h"
#include "shell/ui/CMainFrame.h"
#include "shell/ui/CPaneCtrl.h"
#include "shell/ui/CVX50TextApp.h"
#include "shell/ui/CVX50TextView.h"
#include "model/CVX50TextDoc.h"
#include "transfer/ComPortFile.h"
#include "base/GbkText.h"
#include "base/ProgramPaths.h"
#include "model/projectfile/ProjectFile.h"
#include "support/IsolatedSettings.h"
#include "support/ScriptedGuiUserInterface.h"
#include "support/ShippedDeviceFolder.h"
#include "support/UnprivilegedUser.h"
#include "transfer/ComPortNumber.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

namespace {

// A saved project of screens 1 and 3 on the shipped device.
void SaveTwoScreenProject(const std::string& path)
{
    CVX50TextDoc doc;
    doc.DeviceName = GbkFromUtf8("ModBus Slave");
    doc.ProtocolLibraryName = GbkFromUtf8("ModBus Slave.dll");
    doc.TableEditable = 0;
    ScreenRecord third;
    third.Number = 3;
    third.Description = GbkFromUtf8("第三");
    third.UpKeyScreen = third.DownKeyScreen = 1;
    doc.GetScreens().push_back(third);
    QVERIFY(SaveProjectFile(doc, path, true));
}

// The application with message boxes answered OK (and noted) instead of shown.
struct ScriptedApp : CVX50TextApp {
    ScriptedGuiUserInterface* ui = nullptr;
    ScriptedApp()
        : CVX50TextApp([this](CMainFrame& frame) {
            auto scripted = std::make_unique<ScriptedGuiUserInterface>(frame);
            ui = scripted.get();
            return std::unique_ptr<GuiUserInterface>(std::move(scripted));
        })
    {
    }
};

} // namespace

class StartUpTest : public QObject {
    Q_OBJECT

private:
    IsolatedSettings m_settings{QStringLiteral("vx50-startup-test")};
    QTemporaryDir m_programFolder;
    QString m_pzDat;

private slots:
    void initTestCase()
    {
        QVERIFY(UseProgramFolderWithShippedDevice(m_programFolder.path()));
        m_pzDat = m_programFolder.path() + "/PZ.DAT";
    }

    void cleanup()
    {
        QFile::remove(m_pzDat);
        SetComPortNumber(1);
    }

    void theWindowWritesTheNumberBackWhenItGoes()
    {
        {
            ScriptedApp app;
            QVERIFY(app.InitInstance({"vx50"}, false));
            SetComPortNumber(4);
        }
        QCOMPARE(ReadComPortFile(m_pzDat.toStdString()), 4);
    }

    void theWholeProgramKeepsOneProfile()
    {
        // The recent-file list and whatever else keeps settings through the
        // plain QSettings() (the COM-port map) share one profile.
        ScriptedApp app;
        QVERIFY(app.InitInstance({"vx50"}, false));
        app.RecentFiles().Add(QStringLiteral("/projects/a.opf"));
        app.ExitInstance();
        QCOMPARE(QSettings().value(QStringLiteral("Recent File List/File1")).toString(),
                 QStringLiteral("/projects/a.opf"));
    }

    void qtsOwnTextsAreChineseAfterStartUp()
    {
        ScriptedApp app;
        QVERIFY(app.InitInstance({"vx50"}, false));
        QMessageBox box(QMessageBox::Question, QString(), QString(),
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel | QMessageBox::Ok);
        QCOMPARE(box.button(QMessageBox::Yes)->text(), QStringLiteral("是(&Y)"));
        QCOMPARE(box.button(QMessageBox::No)->text(), QStringLiteral("否(&N)"));
        QCOMPARE(box.button(QMessageBox::Cancel)->text(), QStringLiteral("取消"));
        QCOMPARE(box.button(QMessageBox::Ok)->text(), QStringLiteral("确定"));

        // The file dialog's own labels ("Look in", "File name", "Files of type").
        QFileDialog dialog;
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        QStringList labels;
        for (const QLabel* label : dialog.findChildren<QLabel*>())
            labels << label->text();
        labels.sort();
        QCOMPARE(labels, (QStringList{"文件名称(&N)：", "文件类型：", "查找范围："}));
    }

    void startsWithTheComPortNumberOfPzDat()
    {
        QVERIFY(WriteComPortFile(m_pzDat.toStdString(), 7));
        ScriptedApp app;
        QVERIFY(app.InitInstance({"vx50"}, false));
        QCOMPARE(ComPortNumber(), 7);
        QVERIFY(!app.MainFrame()->GetActiveView()->GetCanvas());
    }

    void opensTheProjectNamedOnTheCommandLine()
    {
        QTemporaryDir folder;
        // The path keeps its folders: nothing is cut at a "/".
        const QString path = folder.path() + "/sub/project.opf";
        QVERIFY(QDir(folder.path()).mkpath("sub"));
        SaveTwoScreenProject(path.toStdString());

        ScriptedApp app;
        QVERIFY(app.InitInstance({"vx50", path}, false));
        CMainFrame& frame = *app.MainFrame();
        CVX50TextDoc& doc = app.Document();
        QVERIFY(frame.GetActiveView()->GetCanvas());
        QCOMPARE(doc.GetScreens().size(), size_t(2));
        QCOMPARE(doc.ProjectPath, path.toStdString());
        QCOMPARE(doc.ProjectModified, 0);
        QCOMPARE(frame.windowTitle(), "VX系列 画面设置工具-" + path);
        QCOMPARE(frame.PaneText(1), QString("ModBus Slave"));
        QCOMPARE(frame.PaneText(2), QString("ModBus Slave"));
        const QTreeWidgetItem* root = frame.GetTreeCtrl()->ScreensRoot();
        QCOMPARE(root->childCount(), 2);
        QCOMPARE(root->child(1)->text(0), QString("第三"));
        QCOMPARE(frame.GetActiveView()->AskDeviceOnNew, 1);
        QVERIFY(app.ui->shown.isEmpty());
    }

    // A file that does not open is named with the reason; the editor is left
    // with a new project without a path.
    void aProjectThatCannotBeOpenedIsNamedWithTheReason_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("contents"); // null: no file
        QTest::addColumn<int>("mode");             // 0: a folder
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing") << "missing.opf" << QByteArray() << 0644 << "文件不存在。";
        QTest::newRow("missing folder") << "gone/project.opf" << QByteArray() << 0644 << "文件不存在。";
        QTest::newRow("no permission") << "locked.opf" << QByteArray("\x02" "11\x01") << 0200
                                       << "没有读取这个文件的权限。";
        QTest::newRow("folder") << "folder.opf" << QByteArray("") << 0 << "这是文件夹或设备, 不是工程文件。";
        QTest::newRow("text") << "notes.txt" << QByteArray("just some notes\n") << 0644 << "不是工程文件。";
        QTest::newRow("empty") << "empty.opf" << QByteArray("") << 0644 << "不是工程文件。";
        QTest::newRow("version not digits") << "odd.opf" << QByteArray("\x02" "1a", 3) << 0644 << "不是工程文件。";
    }

    void aProjectThatCannotBeOpenedIsNamedWithTheReason()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, contents);
        QFETCH(int, mode);
        QFETCH(QString, reason);
        QTemporaryDir folder;
        const QString path = folder.path() + "/" + name;
        if (mode == 0) {
            QVERIFY(QDir(folder.path()).mkdir(name));
        } else if (!contents.isNull()) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QCOMPARE(file.write(contents), contents.size());
            file.close();
            QVERIFY(chmod(QFile::encodeName(path).constData(), static_cast<mode_t>(mode)) == 0);
        }

        // Without root's right to read everything, as a user starts it; the
        // program folder and the file's folder let that user in.
        for (const QString& open : {m_programFolder.path(), folder.path()})
            QVERIFY(chmod(QFile::encodeName(open).constData(), 0755) == 0);
        ScriptedApp app;
        AsUnprivilegedUser([&] { QVERIFY(app.InitInstance({"vx50", path}, false)); });
        QVERIFY(app.MainFrame()->GetActiveView()->GetCanvas());
        QVERIFY(app.Document().ProjectPath.empty());
        QCOMPARE(app.ui->shown, QStringList{"保存或打开文件出错!\n" + path + "\n" + reason});
        QCOMPARE(app.Document().GetScreens().size(), size_t(1));
        QCOMPARE(app.MainFrame()->windowTitle(), QString("VX系列 画面设置工具-"));
    }
};

QTEST_MAIN(StartUpTest)
#include "StartUpTest.moc"
