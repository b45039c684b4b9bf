#include "app/DialogFolder.h"

#include "app/AppSettings.h"

#include <QFileDialog>
#include <QFileInfo>

namespace {

const char* const kLastFolderKey = "dialogs/lastFolder";

} // namespace

QString DialogFolder(const QString& folder) {
    return folder.isEmpty() ? AppSettings().value(kLastFolderKey).toString() : folder;
}

void RememberDialogFolder(const QString& chosen) {
    if (chosen.isEmpty()) {
        return;
    }
    const QFileInfo info(chosen);
    AppSettings().setValue(kLastFolderKey,
                           info.isDir() ? info.absoluteFilePath() : info.absolutePath());
}

QString AskOpenFile(QWidget* parent, const QString& title, const QString& folder,
                    const QString& filter) {
    const QString path = QFileDialog::getOpenFileName(parent, title, DialogFolder(folder), filter);
    RememberDialogFolder(path);
    return path;
}
