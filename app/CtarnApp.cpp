#include "app/CtarnApp.h"

#include "app/AppSettings.h"

#include "actions/ClipSetRun.h"
#include "actions/OpenDocument.h"
#include "actions/PhraseCommands.h"
#include "actions/SubtitleTransfer.h"
#include "app/CAboutDlg.h"
#include "app/CAlignScriptDlg.h"
#include "app/CDetectPhrasesDlg.h"
#include "app/CExportClipsDlg.h"
#include "app/CMainFrame.h"
#include "app/DialogFolder.h"
#include "commands/CommandIds.h"
#include "commands/CoreCommands.h"
#include "commands/FileCommands.h"
#include "media/FfmpegDecoder.h"
#include "media/FfmpegEncoder.h"
#include "media/FfmpegStillGrabber.h"
#include "recording/DecodedAudio.h"
#include "speech/EspeakVoice.h"
#include "view/CtarnView.h"

#include <QFileInfo>

CtarnApp::CtarnApp()
    : m_doc(m_host), m_transport(m_doc, m_host, &m_output), m_view(new CtarnView),
      m_recovery(m_doc, m_host, RecoveryFolder()) {
    // The icons live in the static library; keep its resources from being dropped.
    Q_INIT_RESOURCE(tarn);
    m_view->SetDocument(m_doc, m_transport, m_host);
    // The window chooses the cues for the commands that take several; it is made further on.
    AddCoreCommands(m_commands, {m_doc, m_host, m_transport, m_view->Strip(),
                                 [this] { return m_frame->ChosenCues(); }});
    AddApplicationCommands();
    m_view->AddCommands(m_commands);
    m_frame = std::make_unique<CMainFrame>(m_doc, *m_view, m_transport, m_host, m_commands);
    connect(&m_recovery, &RecoveryKeeper::recovered, m_view, &CtarnView::ShowSelection);
    m_host.SetParentWindow(m_frame.get());
    m_host.SetRecentFileSink([this](const QString& path) { AddToRecentFileList(path); });
    m_host.SetStatusSink([this](const QString& text) { m_frame->ShowNotice(text); });
    m_frame->onFileDropped = [this](const QString& path) { OpenDocumentFile(path); };
    m_frame->canClose = [this] { return SaveModified(); };
    m_recovery.SetSourceOpener([this](const QString& path) { return ReadDocument(path); });

    askSaveChanges = [this](const QString& question) {
        return QMessageBox::question(m_frame.get(), QStringLiteral("tarn"), question,
                                     QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    };
    askOpenPath = [this] {
        return AskOpenFile(
            m_frame.get(), QString(), m_doc.File().SourceFolder(),
            tr("Audio and video files (*.wav *.mp3 *.m4a *.aac *.flac *.ogg *.oga *.opus *.wma "
               "*.aif *.aiff *.caf *.mp4 *.m4v *.mov *.mkv *.webm *.avi *.mpg *.ts);;"
               "Wave Files (*.wav);;All files (*)"));
    };
    askSavePath = [this](const QString& proposed) {
        return m_host.AskSavePath(
            {tr("另存为"), tr("Wave Files (*.wav)"), QStringLiteral(".wav"), proposed});
    };
    askSubtitlePath = [this] {
        return AskOpenFile(
            m_frame.get(), tr("Import subtitles"), m_doc.File().SourceFolder(),
            tr("Subtitles (*.srt *.vtt *.ass *.ssa *.sbv *.txt *.tsv);;All files (*)"));
    };

    QSettings settings = AppSettings();
    m_recent.Load(settings);
    m_frame->SetRecentFiles(m_recent.Files());
}

CtarnApp::~CtarnApp() = default;

bool CtarnApp::InitInstance(const QStringList& args) {
    if (args.size() > 1) {
        if (!ReadDocument(args[1])) {
            return false;
        }
        AddToRecentFileList(args[1]);
        m_view->OnInitialUpdate();
        m_frame->show();
        m_recovery.OfferForOpenFile();
        return true;
    }
    m_doc.OnNewDocument();
    // Opening or the new document already told the frame to retitle and refresh its commands.
    m_view->OnInitialUpdate();
    m_frame->show();
    m_recovery.OfferAtStart();
    return true;
}

void CtarnApp::AddApplicationCommands() {
    using namespace CommandId;
    FileActions actions;
    actions.newFile = [this] { OnFileNew(); };
    actions.open = [this] { OnFileOpen(); };
    actions.save = [this] { OnFileSave(); };
    actions.saveAs = [this] { OnFileSaveAs(); };
    actions.importSubtitles = [this] {
        // A new cue list is read from its start.
        const QString path = askSubtitlePath();
        if (!path.isEmpty() && OnImportSubtitles(m_doc, m_host, path)) {
            m_view->OnGoToStart();
        }
    };
    actions.exportClips = [this] { OnExportClips(); };
    actions.detectPhrases = [this] { OnDetectPhrases(); };
    actions.alignScript = [this] { OnAlignScript(); };
    AddFileCommands(m_commands, m_doc, actions);
    for (int i = 0; i < RecentFileList::kMaxEntries; ++i) {
        m_commands.Add({.id = kFileMruFile1 + i, .handler = [this, i] {
                            if (i < m_recent.Files().size()) {
                                OpenDocumentFile(m_recent.Files()[i]);
                            }
                        }});
    }
    m_commands.Add({.id = kAppAbout,
                    .text = QT_TRANSLATE_NOOP("Command", "关于 tarn(&A)..."),
                    .prompt = QT_TRANSLATE_NOOP("Command", "显示程序信息、版本号和版权信息"),
                    .tooltip = QT_TRANSLATE_NOOP("Command", "关于"),
                    .menu = Menu::Help,
                    .menuPlace = 102,
                    .handler = [this] { OnAppAbout(); }});
}

bool CtarnApp::SaveModified() {
    if (!m_doc.IsModified()) {
        return true;
    }
    switch (askSaveChanges(tr("Save changes to %1?").arg(m_doc.File().GetTitle()))) {
    case QMessageBox::Yes:
        return OnFileSave();
    case QMessageBox::No:
        m_recovery.Discard();
        return true;
    default:
        return false;
    }
}

bool CtarnApp::OpenDocumentFile(const QString& path) {
    return SaveModified() && OpenAnswered(path);
}

bool CtarnApp::OpenAnswered(const QString& path) {
    if (!ReadDocument(path)) {
        m_recent.Remove(path);
        m_frame->SetRecentFiles(m_recent.Files());
        return false;
    }
    AddToRecentFileList(m_doc.File().ImportSource().isEmpty() ? m_doc.File().GetPathName()
                                                              : m_doc.File().ImportSource());
    m_recovery.OfferForOpenFile();
    return true;
}

bool CtarnApp::ReadDocument(const QString& path) {
    return ::ReadDocument(m_doc, m_host, path, OpenAudioFile);
}

void CtarnApp::OnFileNew() {
    if (SaveModified()) {
        m_doc.OnNewDocument();
    }
}

void CtarnApp::OnFileOpen() {
    if (!SaveModified()) {
        return;
    }
    const QString path = askOpenPath();
    if (!path.isEmpty()) {
        OpenAnswered(path);
    }
}

bool CtarnApp::OnFileSave() {
    return m_doc.File().GetPathName().isEmpty() ? OnFileSaveAs()
                                                : SaveTo(m_doc.File().GetPathName());
}

bool CtarnApp::OnFileSaveAs() {
    // A decoded file is proposed a WAV name beside its source, never the source itself.
    const QString& source = m_doc.File().ImportSource();
    const std::optional<QString> path =
        askSavePath(source.isEmpty() ? m_doc.File().GetPathName() : ImportSaveName(source));
    return path && SaveTo(*path);
}

bool CtarnApp::SaveTo(const QString& path) {
    const bool saved = m_doc.OnSaveDocument(path);
    if (m_doc.File().GetPathName() == QFileInfo(path).absoluteFilePath()) {
        AddToRecentFileList(path);
    }
    // The modified flag's signal refreshes the commands; only the title needs telling.
    m_frame->UpdateTitle();
    return saved;
}

void CtarnApp::OnAppAbout() {
    CAboutDlg dialog(m_frame.get());
    dialog.exec();
}

void CtarnApp::OnExportClips() {
    CExportClipsDlg dialog(m_doc, m_frame.get());
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    FfmpegClipEncoder encoder;
    const QString source = m_doc.File().ImportSource().isEmpty() ? m_doc.File().GetPathName()
                                                                 : m_doc.File().ImportSource();
    ExportClipSet(m_doc, m_host, dialog.Options(), encoder,
                  [source] { return std::make_unique<FfmpegStillGrabber>(source); });
}

void CtarnApp::OnDetectPhrases() {
    if (m_doc.GetRecording().Frames() <= 0) {
        return;
    }
    CDetectPhrasesDlg dialog(MeasureSelectionLevels(m_doc), m_doc.GetRecording().SampleRate(),
                             PlaceholderChars(m_doc.Cues()), m_frame.get());
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    ApplyPhrases(m_doc, dialog.Phrases(), dialog.Levels(), dialog.Settings(), dialog.Use());
    m_doc.SetCurrentCue(-1);
}

void CtarnApp::OnAlignScript() {
    const CueList& cues = m_doc.Cues();
    const std::vector<int> chosen = m_frame->ChosenCues();
    CAlignScriptDlg dialog(int(CuesToAlign(cues, AlignChoice::Placeholders, {}).size()),
                           int(CuesToAlign(cues, AlignChoice::Chosen, chosen).size()),
                           m_frame.get());
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    EspeakVoice voice(dialog.Language());
    if (!voice.IsReady()) {
        m_host.ShowMessage(tr("No voice speaks %1.").arg(dialog.Language()));
        return;
    }
    AlignCues(m_doc, m_host, CuesToAlign(cues, dialog.Choice(), chosen), voice);
}

void CtarnApp::AddToRecentFileList(const QString& path) {
    m_recent.Add(path);
    QSettings settings = AppSettings();
    m_recent.Save(settings);
    m_frame->SetRecentFiles(m_recent.Files());
}
