#include "cli/CliCommands.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>

namespace {

// Standard error carries the program's own messages, one per line; Qt's diagnostics
// (a missing sound server, say) would only garble them.
void DropQtDiagnostics(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "%s\n", qPrintable(text));
        std::abort();
    }
}

} // namespace

int main(int argc, char* argv[]) {
    qInstallMessageHandler(DropQtDiagnostics);
    QCoreApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    return RunCliCommand(args);
}
