#include "app/QtHost.h"

#include "app/CDlgString.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

QtHost::QtHost() {
    m_clock.start();
}

void QtHost::ShowMessage(const QString& text) {
    QMessageBox::information(m_parent, QApplication::applicationName(), text, QMessageBox::Ok);
}

std::optional<QString> QtHost::AskSavePath(const SavePathRequest& request) {
    QFileDialog dialog(m_parent, request.title);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(request.filter);
    dialog.setDefaultSuffix(
        request.defaultExtension.mid(request.defaultExtension.startsWith('.') ? 1 : 0));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().constFirst();
}

std::optional<QString> QtHost::AskText(const QString& initial) {
    CDlgString dialog(m_parent);
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
