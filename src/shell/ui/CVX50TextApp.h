#pragma once

#include "shell/ui/RecentFileList.h"

#include <QStringList>

#include <functional>
#include <memory>

class CMainFrame;
class CVX50TextDoc;
class GuiUserInterface;
class QSettings;
class QTranslator;

// The application: the start-up sequence, opening projects named by the
// command line or dropped on the window, and the exit. One object lives for
// the run, beside the QApplication.
class CVX50TextApp {
public:
    // Makes the user interface the model talks to; the plain GUI one when
    // none is given (tests give one that answers message boxes).
    using UiFactory = std::function<std::unique_ptr<GuiUserInterface>(CMainFrame&)>;

    explicit CVX50TextApp(UiFactory makeUi = {});
    ~CVX50TextApp();
    CVX50TextApp(const CVX50TextApp&) = delete;
    CVX50TextApp& operator=(const CVX50TextApp&) = delete;

    // The start-up sequence; `arguments` as QCoreApplication::arguments().
    // The main window is shown maximised unless `show` is false.
    bool InitInstance(const QStringList& arguments, bool show = true);
    // Saves the profile and gives back the optional resource file.
    int ExitInstance();

    // A project named by the desktop or dropped on the window.
    bool OpenDocumentFile(const QString& path);
    // Runs File New without the device question, then reads the project at
    // `path` (used as given); a project read joins the recent-file list.
    // False only when there is no main window.
    bool OpenProject(const QString& path);
    // File Open: the file dialog, then the project is opened.
    void OnFileOpen();

    CVX50TextDoc& Document() const { return *m_document; }
    CMainFrame* MainFrame() const { return m_frame.get(); }
    RecentFileList& RecentFiles() { return m_recentFiles; }

    static CVX50TextApp* Instance() { return s_instance; }

private:
    UiFactory m_makeUi;
    // Qt's own texts (standard buttons, file dialogs) in Simplified Chinese,
    // like the rest of the program.
    std::unique_ptr<QTranslator> m_qtTexts;
    std::unique_ptr<QSettings> m_settings;
    RecentFileList m_recentFiles;
    std::unique_ptr<CVX50TextDoc> m_document;
    std::unique_ptr<CMainFrame> m_frame;
    std::unique_ptr<GuiUserInterface> m_ui;

    static inline CVX50TextApp* s_instance = nullptr;
};
