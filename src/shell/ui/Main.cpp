// The editor's entry point. "vx50 FILE" opens a project; "vx50 --screenshot
// PNG" starts the editor, runs File New and writes the main window to PNG.

#include "base/FileIo.h"
#include "devices/ui/CDeviceSelectDlg.h"
#include "shell/ui/CMainFrame.h"
#include "shell/ui/CVX50TextApp.h"
#include "shell/ui/CVX50TextView.h"

#include <QApplication>
#include <QBuffer>
#include <QPixmap>
#include <QTimer>

namespace {

QString ScreenshotPath(const QStringList& arguments)
{
    const qsizetype at = arguments.indexOf(QStringLiteral("--screenshot"));
    return at > 0 && at + 1 < arguments.size() ? arguments[at + 1] : QString();
}

int WriteScreenshot(CVX50TextApp& app, const QString& path)
{
    CMainFrame& frame = *app.MainFrame();
    frame.resize(1280, 800);
    frame.show();
    // File New asks for the device; the screenshot takes the one shown.
    QTimer::singleShot(0, [] {
        if (auto* dialog = qobject_cast<CDeviceSelectDlg*>(QApplication::activeModalWidget()))
            dialog->OnOK();
    });
    frame.GetActiveView()->OnFileNew();
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
    QByteArray png;
    QBuffer buffer(&png);
    if (!buffer.open(QIODevice::WriteOnly) || !frame.grab().save(&buffer, "PNG"))
        return 1;
    return WriteFileAtomically(path.toStdString(), std::string_view(png.constData(), png.size())) ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);

    const QStringList arguments = QApplication::arguments();
    const QString screenshot = ScreenshotPath(arguments);

    CVX50TextApp app;
    app.InitInstance(arguments, screenshot.isEmpty());
    const int result = screenshot.isEmpty() ? QApplication::exec() : WriteScreenshot(app, screenshot);
    app.ExitInstance();
    return result;
}
