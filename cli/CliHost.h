#pragma once

#include "base/Host.h"

#include <QElapsedTimer>

#include <optional>

/// The host of the command-line front end: messages go to standard error, one line each,
/// and the questions are answered from the command's own arguments.
class CliHost : public Host {
public:
    CliHost();

    void ShowMessage(const QString& text) override;
    std::optional<QString> AskSavePath(const SavePathRequest& request) override;
    std::optional<QString> AskText(const QString& title, const QString& initial) override;
    quint32 TickCount() override;
    void AddToRecentFileList(const QString& path) override;

    /// The answer to the next save-path question.
    void SetSavePath(QString path) { m_savePath = std::move(path); }
    /// The answer to the next text question.
    void SetText(QString text) { m_text = std::move(text); }
    /// Messages shown so far.
    int MessageCount() const { return m_nMessages; }

private:
    std::optional<QString> m_savePath;
    std::optional<QString> m_text;
    QElapsedTimer m_clock;
    int m_nMessages = 0;
};
