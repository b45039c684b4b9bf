#include "app/QtHost.h"

#include "app/CDlgString.h"
#include "app/DialogFolder.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QProgressDialog>

QtHost::QtHost() {
    m_clock.start();
}

QtHost::~QtHost() = default;

void QtHost::ShowMessage(const QString& text) {
    QMessageBox::information(m_parent, QApplication::applicationName(), text, QMessageBox::Ok);
}

std::optional<QString> QtHost::AskSavePath(const SavePathRequest& request) {
    const QFileInfo start(DialogFolder(request.start));
    QFileDialog dialog(m_parent, request.title);
    if (start.isDir()) {
        dialog.setDirectory(start.absoluteFilePath());
    } else if (!start.filePath().isEmpty()) {
        dialog.setDirectory(start.absolutePath());
        dialog.selectFile(start.fileName());
    }
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(request.filter);
    dialog.setDefaultSuffix(
        request.defaultExtension.mid(request.defaultExtension.startsWith('.') ? 1 : 0));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    RememberDialogFolder(dialog.selectedFiles().constFirst());
    return dialog.selectedFiles().constFirst();
}

bool QtHost::AskYesNo(const QString& question) {
    return QMessageBox::question(m_parent, QStringLiteral("tarn"), question,
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

std::optional<QString> QtHost::AskText(const QString& title, const QString& initial) {
    CDlgString dialog(m_parent);
    dialog.setWindowTitle(title);
    dialog.SetText(initial);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.GetText();
}

quint32 QtHost::TickCount() {
    return quint32(m_clock.elapsed());
}

void QtHost::AddToRecentFileList(const QString& path) {
    if (m_recent) {
        m_recent(path);
    }
}

bool QtHost::ReportProgress(const QString& task, int done, int total) {
    if (done >= total) {
        m_progress.reset();
        return true;
    }
    if (!m_progress) {
        m_progress = std::make_unique<QProgressDialog>(
            task, QCoreApplication::translate("QtHost", "Cancel"), 0, total, m_parent);
        m_progress->setWindowModality(Qt::WindowModal);
        // Short exports finish before the dialog would show.
        m_progress->setMinimumDuration(500);
    }
    m_progress->setValue(done);
    // Until the dialog shows, the window must not take clicks or keys that would start
    // another task in the middle of this one; they wait until the dialog blocks them.
    QApplication::processEvents(m_progress->isVisible() ? QEventLoop::AllEvents
                                                        : QEventLoop::ExcludeUserInputEvents);
    const bool goOn = !m_progress->wasCanceled();
    if (!goOn) {
        m_progress.reset();
    }
    return goOn;
}
