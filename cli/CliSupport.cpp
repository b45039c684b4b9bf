#include "cli/CliSupport.h"

#include "cli/CliCommands.h"
#include "cli/CliHost.h"
#include "document/CtarnDoc.h"

QTextStream& Out() {
    static QTextStream out(stdout);
    return out;
}

std::optional<int> ParseInt(const QString& text) {
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

std::optional<int> ParseInt(const QString& text, int lo, int hi) {
    const std::optional<int> value = ParseInt(text);
    return value && *value >= lo && *value <= hi ? value : std::nullopt;
}

int StatusAfter(const CliHost& host) {
    return host.MessageCount() > 0 ? kCliMessageShown : kCliOk;
}

int OnOpened(const QString& path, const std::function<void(CtarnDoc&, CliHost&)>& work) {
    CliHost host;
    CtarnDoc doc(host);
    if (doc.OnOpenDocument(path)) {
        work(doc, host);
    }
    return StatusAfter(host);
}
