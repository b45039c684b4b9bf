#pragma once

#include <QString>
#include <QStringList>

/// What one run of the real tarn-cli binary gave.
struct CliRun {
    int status = -1; ///< exit status; -1 when it crashed or did not finish
    QString out;
    QString err;
};

/// Runs tarn-cli with `args` and waits for it (a minute at most).
CliRun RunCli(const QStringList& args);
