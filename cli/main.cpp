#include "cli/CliCommands.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

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
    // Drawing needs fonts, hence a GUI application; it draws offscreen, with no display.
    const bool draws = argc > 1 && std::strcmp(argv[1], "render") == 0;
    if (draws) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    const std::unique_ptr<QCoreApplication> app =
        draws ? std::make_unique<QGuiApplication>(argc, argv)
              : std::make_unique<QCoreApplication>(argc, argv);
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    return RunCliCommand(args);
}
