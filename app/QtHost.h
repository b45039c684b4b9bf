#pragma once

#include "document/Host.h"

#include <QElapsedTimer>

#include <functional>

class QWidget;

/// The host of the program: message boxes, file dialogs and the text entry dialog.
class QtHost : public Host {
public:
    QtHost();

    /// Dialogs open over this window.
    void SetParentWindow(QWidget* parent) { m_parent = parent; }
    /// Called with every file that goes on the recent-file list.
    void SetRecentFileSink(std::function<void(const QString&)> sink) { m_recent = std::move(sink); }

    void ShowMessage(const QString& text) override;
    std::optional<QString> AskSavePath(const SavePathRequest& request) override;
    std::optional<QString> AskText(const QString& initial) override;
    quint32 TickCount() override;
    void AddToRecentFileList(const QString& path) override;

private:
    QWidget* m_parent = nullptr;
    std::function<void(const QString&)> m_recent;
    QElapsedTimer m_clock;
};
