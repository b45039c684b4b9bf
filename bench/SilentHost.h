#pragma once

#include "base/Host.h"

/// The host of the benchmarks: no dialogs, and every question answered with nothing.
/// Messages are counted, because one means the operation gave up and its time is worthless.
class SilentHost : public Host {
public:
    void ShowMessage(const QString& text) override {
        ++m_nMessages;
        m_lastMessage = text;
    }
    std::optional<QString> AskSavePath(const SavePathRequest&) override { return std::nullopt; }
    std::optional<QString> AskText(const QString&, const QString&) override { return std::nullopt; }
    quint32 TickCount() override { return 0; }
    void AddToRecentFileList(const QString&) override {}

    int MessageCount() const { return m_nMessages; }
    const QString& LastMessage() const { return m_lastMessage; }

private:
    int m_nMessages = 0;
    QString m_lastMessage;
};
