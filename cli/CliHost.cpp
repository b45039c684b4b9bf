#include "cli/CliHost.h"

#include <cstdio>
#include <utility>

CliHost::CliHost() {
    m_clock.start();
}

void CliHost::ShowMessage(const QString& text) {
    ++m_nMessages;
    std::fprintf(stderr, "%s\n", text.toUtf8().constData());
    std::fflush(stderr);
}

std::optional<QString> CliHost::AskSavePath(const SavePathRequest&) {
    return std::exchange(m_savePath, std::nullopt);
}

std::optional<QString> CliHost::AskText(const QString&, const QString&) {
    return std::exchange(m_text, std::nullopt);
}

quint32 CliHost::TickCount() {
    return quint32(m_clock.elapsed());
}

void CliHost::AddToRecentFileList(const QString&) {}
