#include "shell/ui/CVX50TextApp.h"

#include "shell/ui/CMainFrame.h"
#include "shell/ui/GuiUserInterface.h"
#include "shell/ui/ProjectOpen.h"
#include "shell/ui/ResourceFile.h"
#include "model/CVX50TextDoc.h"
#include "shell/CommandIds.h"
#include "transfer/ComPortFile.h"
#include "base/ProgramPaths.h"
#include "transfer/ComPortNumber.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QSettings>
#include <QTranslator>

namespace {

// The profile keeps the recent-file list under these names.
const QString ProfileOrganisation = QStringLiteral("Local AppWizard-Generated Applications");
const QString ProfileApplication = QStringLiteral("VX50-TALVEN");

// The project named on the command line: the first argument that is no
// option.
QString CommandLineFile(const QStringList& arguments)
{
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == QStringLiteral("--screenshot")) {
            ++i;
            continue;
        }
        if (!arguments[i].startsWith(QStringLiteral("-")))
            return arguments[i];
    }
    return {};
}

// Qt's own translation of its texts into Simplified Chinese, from the Qt
// installation (the distribution's Qt translations package); nothing when it
// is not installed, and Qt's texts then stay English.
std::unique_ptr<QTranslator> InstallQtChineseTexts()
{
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))
        || !QCoreApplication::installTranslator(translator.get()))
        return nullptr;
    return translator;
}

} // namespace

CVX50TextApp::CVX50TextApp(UiFactory makeUi)
    : m_makeUi(std::move(makeUi))
{
    s_instance = this;
}

CVX50TextApp::~CVX50TextApp()
{
    // The window goes before the user interface that talks to it, both before
    // the document they show.
    m_ui.reset();
    m_frame.reset();
    m_document.reset();
    s_instance = nullptr;
}

bool CVX50TextApp::InitInstance(const QStringList& arguments, bool show)
{
    // One profile for the whole program: the recent-file list here and the
    // COM-port map of the port dialog alike use the plain QSettings().
    QCoreApplication::setOrganizationName(ProfileOrganisation);
    QCoreApplication::setApplicationName(ProfileApplication);
    m_settings = std::make_unique<QSettings>();
    m_recentFiles.Load(*m_settings);
    m_qtTexts = InstallQtChineseTexts(); // removed again when it is destroyed

    // The program folder (the executable's, unless set before) holds the
    // optional resource file, "PZ.DAT" and the device folders.
    ResourceFile::Load(QString::fromStdString(ProgramFolder()));

    m_document = std::make_unique<CVX50TextDoc>();
    m_frame = std::make_unique<CMainFrame>(*m_document);
    m_ui = m_makeUi ? m_makeUi(*m_frame) : std::make_unique<GuiUserInterface>(*m_frame);
    m_frame->setAcceptDrops(true);
    QObject::connect(m_frame.get(), &CMainFrame::FileDropped, m_frame.get(),
                     [this](const QString& path) { OpenDocumentFile(path); });
    m_frame->SetCommandHandler(Cmd::FileOpen, [this] { OnFileOpen(); });

    const QString file = CommandLineFile(arguments);
    if (show)
        m_frame->showMaximized();

    SetComPortNumber(ReadComPortFile(ComPortFilePath()));

    if (!file.isEmpty())
        OpenProject(file);
    return true;
}

int CVX50TextApp::ExitInstance()
{
    if (m_settings) {
        m_recentFiles.Save(*m_settings);
        m_settings->sync();
    }
    ResourceFile::Unload();
    return 0;
}

bool CVX50TextApp::OpenDocumentFile(const QString& path)
{
    if (path.isEmpty())
        return false;
    return OpenProject(path);
}

bool CVX50TextApp::OpenProject(const QString& path)
{
    if (!m_frame)
        return false;
    if (OpenProjectInto(*m_frame, path))
        m_recentFiles.Add(path);
    return true;
}

void CVX50TextApp::OnFileOpen()
{
    if (!m_frame)
        return;
    const QString opened = OpenProjectWithDialog(*m_frame);
    if (!opened.isEmpty())
        m_recentFiles.Add(opened);
}
