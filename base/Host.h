#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

/// What a save-path question shows: the dialog title, the file filter ("Wave files(*.wav)"),
/// the extension added to a name typed without one (".wav") and where the dialog starts: a
/// folder, or a file name proposed in its folder; empty leaves it to the host, which starts
/// where the user last chose a file.
struct SavePathRequest {
    QString title;
    QString filter;
    QString defaultExtension;
    QString start;
};

/// What the logic asks of the window system. The program answers with dialogs,
/// tarn-cli with standard error and its arguments, the tests with a scripted fake.
class Host {
public:
    virtual ~Host() = default;

    /// Shows a message with one OK button and returns once the user has seen it.
    virtual void ShowMessage(const QString& text) = 0;
    /// Asks where to save; nothing when the user cancels.
    virtual std::optional<QString> AskSavePath(const SavePathRequest& request) = 0;
    /// Asks for a text in the text entry dialog titled `title` (the command that asks, "Add
    /// Subtitle"), starting from `initial`; nothing on Cancel.
    virtual std::optional<QString> AskText(const QString& title, const QString& initial) = 0;
    /// A millisecond tick that wraps at 32 bits.
    virtual quint32 TickCount() = 0;
    /// Puts a file that was written or opened on the recent-file list.
    virtual void AddToRecentFileList(const QString& path) = 0;
    /// Asks a question with Yes and No; a host with nobody to ask answers No.
    virtual bool AskYesNo(const QString& question) {
        Q_UNUSED(question);
        return false;
    }
    /// Tells, without asking for an answer, that something was done ("Saved talk.wav ...");
    /// a host with nowhere quiet to say it says nothing.
    virtual void ShowStatus(const QString& text) { Q_UNUSED(text); }
    /// Tells how far a long task is (`done` of `total` steps); false when the user asked to
    /// stop it, which then ends after the step in hand.
    virtual bool ReportProgress(const QString& task, int done, int total) {
        Q_UNUSED(task);
        Q_UNUSED(done);
        Q_UNUSED(total);
        return true;
    }
};
