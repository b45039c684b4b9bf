#pragma once

#include <QString>

class QWidget;

/// Where a file dialog starts: `folder` when given (the open file's), else the folder the
/// user last chose a file or folder in, remembered between runs.
QString DialogFolder(const QString& folder);

/// Remembers where `chosen` is for DialogFolder: the folder of a file, or a folder itself.
void RememberDialogFolder(const QString& chosen);

/// An open-file dialog over `parent` starting in DialogFolder(folder), showing the files
/// `filter` names; the chosen file, remembered for the next dialog, or empty on Cancel.
QString AskOpenFile(QWidget* parent, const QString& title, const QString& folder,
                    const QString& filter);
