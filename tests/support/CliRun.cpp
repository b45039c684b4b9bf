#include "support/CliRun.h"

#include <QProcess>

CliRun RunCli(const QStringList& args) {
    QProcess process;
    process.start(QStringLiteral(TARN_CLI_PATH), args);
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}
