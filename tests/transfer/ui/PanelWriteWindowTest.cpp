// Write, compile and page download from the editor's window, against the
// panel emulated on a pseudo-terminal: the commands' wiring, the progress
// window that goes on painting while the editor takes no input, and the
// usage chart after a compile (saved as a PNG under the build tree).

#include "emulator/ComPortOverride.h"
#include "emulator/PanelEmulator.h"
#include "model/elements/CPictureElement.h"
#include "shell/ui/CProgressDlg.h"
#include "support/IsolatedSettings.h"
#include "support/ScriptedEditor.h"
#include "transfer/ComPortNumber.h"
#include "transfer/PanelFrames.h"
#include "transfer/ui/CChartValues.h"
#include "transfer/ui/CPageSetDlg.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QtTest>

#include <fstream>

namespace {

// Counts the paint events of the object it watches.
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

QString ScreenshotPath(const QString& name)
{
    const QString folder = QCoreApplication::applicationDirPath() + QStringLiteral("/../screenshots");
    QDir().mkpath(folder);
    return folder + QStringLiteral("/") + name;
}

} // namespace

class PanelWriteWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_settings.IsValid());
        QVERIFY(UseProgramFolderWithShippedDeviceAndProtocols(m_folder.path()));
    }

    void writeSendsTheImageAndShowsTheVersion()
    {
        PanelEmulator panel;
        QVERIFY(panel.Start());
        panel.SetFirmwareVersion(0x24);
        ComPortOverride com6(6, panel.DevicePath());
        SetComPortNumber(6);
        ScriptedEditor editor;
        editor.ui->answers = {IdYes}; // write the descriptions

        editor.frame->ExecuteCommand(Cmd::WritePanel);
        QCOMPARE(editor.ui->shown.first(), QStringLiteral("您是否要下载画面描述吗?"));
        QCOMPARE(editor.ui->shown.last(), QStringLiteral("写下位机完成!"));
        QCOMPARE(editor.frame->PaneText(3), QStringLiteral("下位机版本:  V2.4"));
        QVERIFY(!editor.View().ProgressWindow);
        QVERIFY(panel.StoredBlock(kFirstMainBlock));
        QVERIFY(panel.StoredBlock(kFirstHeaderBlock));

        // With "write descriptions" on, nothing is asked.
        editor.frame->ExecuteCommand(Cmd::WriteDescriptions);
        editor.ui->shown.clear();
        editor.frame->ExecuteCommand(Cmd::WritePanel);
        QCOMPARE(editor.ui->shown, QStringList{QStringLiteral("写下位机完成!")});
        SetComPortNumber(1);
    }

    void theProgressWindowPaintsWhileTheEditorTakesNoInput()
    {
        PanelEmulator panel;
        QVERIFY(panel.Start());
        ComPortOverride com6(6, panel.DevicePath());
        SetComPortNumber(6);
        ScriptedEditor editor;
        editor.frame->ExecuteCommand(Cmd::WriteDescriptions);
        panel.InjectFault(kFunctionBlockWrite, PanelEmulator::Fault::SlowReply, 4, 150);

        // While the blocks go out: a click with the static-text tool armed on
        // the canvas, a key and a request to close the main window.
        editor.frame->ExecuteCommand(Cmd::ToolStaticText);
        const std::size_t elements = editor.document.GetWorkingElements().size();
        PaintCounter counter;
        std::vector<int> positions;
        bool inputSent = false;
        QTimer ticks;
        QObject::connect(&ticks, &QTimer::timeout, [&] {
            CProgressDlg* progress = editor.View().ProgressWindow;
            if (!progress || !progress->isVisible())
                return;
            if (positions.empty())
                progress->installEventFilter(&counter);
            positions.push_back(progress->Position());
            if (!inputSent) {
                inputSent = true;
                QTest::mouseClick(&editor.Canvas(), Qt::LeftButton, {}, QPoint(40, 40));
                QCoreApplication::postEvent(&editor.Canvas(),
                    new QMouseEvent(QEvent::MouseButtonPress, QPointF(60, 60), QPointF(60, 60), Qt::LeftButton,
                        Qt::LeftButton, Qt::NoModifier));
                QTest::keyClick(editor.frame.get(), Qt::Key_N, Qt::ControlModifier);
                editor.frame->close();
            }
        });
        ticks.start(20);
        editor.frame->ExecuteCommand(Cmd::WritePanel);
        ticks.stop();

        QVERIFY(inputSent);
        QVERIFY(positions.size() >= 2);
        QVERIFY(std::is_sorted(positions.begin(), positions.end()));
        QVERIFY(positions.back() > positions.front());
        QVERIFY(counter.paints > 0);
        QCOMPARE(editor.document.GetWorkingElements().size(), elements);
        QVERIFY(editor.frame->isVisible());
        QCOMPARE(editor.ui->shown, QStringList{QStringLiteral("写下位机完成!")});

        // Afterwards the same click places the text: the input was dropped,
        // not held back.
        QTest::mouseClick(&editor.Canvas(), Qt::LeftButton, {}, QPoint(40, 40));
        QCOMPARE(editor.document.GetWorkingElements().size(), elements + 1);
        SetComPortNumber(1);
    }

    void compileShowsTheUsageInTheChart()
    {
        ScriptedEditor editor;
        CChartValues& values = *editor.View().UsageValues;
        QCOMPARE(values.GetValue(0), 1);
        QCOMPARE(values.GetValue(1), 36864);
        editor.document.Screens[0].Description = "AB";

        editor.frame->ExecuteCommand(Cmd::Compile);
        // One empty screen described "AB": T = 21.
        QCOMPARE(editor.ui->shown, QStringList{QStringLiteral("已用空间:0.06%")});
        QCOMPARE(values.GetValue(0), 21);
        QCOMPARE(values.GetValue(1), 36864 - 21);
        QVERIFY(!editor.View().ProgressWindow);

        // Three pictures of the whole display take an eighth of the panel,
        // as the chart beside the canvas shows.
        for (int k = 0; k < 3; ++k) {
            auto picture = std::make_shared<CPictureElement>();
            picture->SetPixelStore(std::vector<std::uint8_t>(CPictureElement::kPixelStoreSize, 0));
            picture->SetSize(192, 64);
            editor.document.GetWorkingElements().push_back({KindPicture, picture});
        }
        editor.frame->ExecuteCommand(Cmd::Compile);
        QCOMPARE(editor.ui->shown.last(), QStringLiteral("已用空间:12.87%"));
        QCOMPARE(values.GetValue(0), 4743); // 2 + 8 + 3 x (8 + 1536) + 6 and 19 x 5
        const QImage window = editor.frame->grab().toImage();
        QVERIFY(window.save(ScreenshotPath(QStringLiteral("compile-chart.png"))));
        const QRect chart = editor.View().UsageChartRect.translated(editor.View().mapTo(editor.frame.get(),
            QPoint(0, 0)));
        QCOMPARE(window.pixelColor(chart.left() + 2, chart.bottom() - 2), QColor(214, 211, 206));
        // The used slice runs down from the left; the free bytes fill the rest.
        const QPoint centre(chart.left() + chart.width() / 2, chart.top() + 20 + 107);
        QCOMPARE(window.pixelColor(centre + QPoint(-28, 10)), QColor(0, 255, 0));
        QCOMPARE(window.pixelColor(centre + QPoint(0, -30)), QColor(0, 0, 255));
        QCOMPARE(window.pixelColor(centre + QPoint(0, 30)), QColor(0, 0, 255));
    }

    void pageDownloadSendsTheChosenPages()
    {
        PanelEmulator panel;
        QVERIFY(panel.Start());
        ComPortOverride com1(1, panel.DevicePath());
        const QString file = m_folder.path() + QStringLiteral("/pages.bin");
        std::ofstream(file.toStdString(), std::ios::binary) << std::string(1024, 'p');
        ScriptedEditor editor;
        QStringList filters;
        std::pair<int, int> proposed;
        editor.ui->dialogs.push_back([&filters, file](QDialog& dialog) {
            auto& files = dynamic_cast<QFileDialog&>(dialog);
            filters = files.nameFilters();
            files.selectFile(file);
            return int(QDialog::Accepted);
        });
        editor.ui->dialogs.push_back([&proposed](QDialog& dialog) {
            auto& pages = dynamic_cast<CPageSetDlg&>(dialog);
            proposed = {pages.StartPage(), pages.EndPage()};
            dialog.findChild<QSpinBox*>(QStringLiteral("startPage"))->setValue(2);
            dialog.findChild<QSpinBox*>(QStringLiteral("endPage"))->setValue(3);
            return int(QDialog::Accepted);
        });

        editor.frame->ExecuteCommand(Cmd::PageDownload);
        QCOMPARE(editor.ui->dialogsRun, 2);
        QCOMPARE(filters, QStringList{QStringLiteral("二进制文件(*.bin)")});
        QCOMPARE(proposed, std::pair(40, 40));
        QCOMPARE(editor.frame->PageStart, 2);
        QCOMPARE(editor.frame->PageEnd, 3);
        QCOMPARE(editor.ui->shown, QStringList{QStringLiteral("正常结束!")});
        QCOMPARE(panel.StoredArea(2), std::vector<std::uint8_t>(512, 'p'));
    }

private:
    IsolatedSettings m_settings{QStringLiteral("PanelWriteWindowTest")};
    QTemporaryDir m_folder;
};

QTEST_MAIN(PanelWriteWindowTest)
#include "PanelWriteWindowTest.moc"
