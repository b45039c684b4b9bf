#pragma once

#include "actions/Recovery.h"
#include "app/QtHost.h"
#include "audio/Transport.h"
#include "commands/CommandTable.h"
#include "commands/RecentFileList.h"
#include "document/CtarnDoc.h"
#include "qtaudio/QtWaveOut.h"

#include <QMessageBox>
#include <QObject>

#include <functional>
#include <memory>

class CMainFrame;
class CtarnView;

/// The program: one document, the transport that plays it, its view and the main window, the
/// table of every command, the recent-file list, the file commands with their questions, and
/// the recovery record of unsaved changes.
class CtarnApp : public QObject {
    Q_OBJECT

public:
    CtarnApp();
    ~CtarnApp() override;

    /// Opens the WAV file named in `args` (after the program name), or starts a new document,
    /// and shows the main window; offers the recovery record of the file (or, without one,
    /// the newest record left behind). False when the named file could not be opened.
    bool InitInstance(const QStringList& args);

    CMainFrame& MainFrame() { return *m_frame; }
    CtarnDoc& Document() { return m_doc; }
    Transport& GetTransport() { return m_transport; }
    const CommandTable& Commands() const { return m_commands; }
    CtarnView& View() { return *m_view; }
    const RecentFileList& RecentFiles() const { return m_recent; }

    /// Opens a file as File Open does, first asking about unsaved changes.
    bool OpenDocumentFile(const QString& path);
    void OnFileNew();
    void OnFileOpen();
    bool OnFileSave();
    bool OnFileSaveAs();
    void OnAppAbout();
    /// Asks for the clip set's choices and writes it through FFmpeg's encoders.
    void OnExportClips();
    /// "Detect phrases...": measures the selection (or everything), asks for the settings
    /// and makes the phrases cues.
    void OnDetectPhrases();
    /// "Align script...": asks the language and which cues, then aligns them.
    void OnAlignScript();
    /// Asks "Save changes to <title>?" while the document is modified; false on Cancel or
    /// when the save failed. No gives the changes up, and their recovery record with them.
    bool SaveModified();

    /// The questions, replaceable by tests.
    std::function<QMessageBox::StandardButton(const QString& question)> askSaveChanges;
    std::function<QString()> askOpenPath;
    /// Asks where to save, starting at `proposed` (may be empty); nothing on Cancel.
    std::function<std::optional<QString>(const QString& proposed)> askSavePath;
    std::function<QString()> askSubtitlePath;

private:
    /// The file commands, the recent files and About.
    void AddApplicationCommands();
    void AddToRecentFileList(const QString& path);
    bool SaveTo(const QString& path);
    /// Opens `path` once the question about unsaved changes has been answered.
    bool OpenAnswered(const QString& path);
    /// Reads `path` into the document: through the WAV reader when it takes the file, else
    /// decoded (with progress and Cancel). False, the document unchanged, when it was not read.
    bool ReadDocument(const QString& path);

    QtHost m_host;
    QtWaveOut m_output;
    CtarnDoc m_doc;
    Transport m_transport;
    CtarnView* m_view;
    CommandTable m_commands;
    RecentFileList m_recent;
    RecoveryKeeper m_recovery;
    std::unique_ptr<CMainFrame> m_frame;
};
