#pragma once

#include "base/Host.h"

#include <QElapsedTimer>

#include <functional>
#include <memory>

class QProgressDialog;
class QWidget;

/// The host of the program: message boxes, file dialogs and the text entry dialog.
class QtHost : public Host {
public:
    QtHost();
    ~QtHost() override;

    /// Dialogs open over this window.
    void SetParentWindow(QWidget* parent) { m_parent = parent; }
    /// Called with every file that goes on the recent-file list.
    void SetRecentFileSink(std::function<void(const QString&)> sink) { m_recent = std::move(sink); }
    /// Called with every quiet confirmation (the status bar shows it).
    void SetStatusSink(std::function<void(const QString&)> sink) { m_status = std::move(sink); }

    void ShowMessage(const QString& text) override;
    /// A dialog without a start of its own starts where the user last chose a file.
    std::optional<QString> AskSavePath(const SavePathRequest& request) override;
    std::optional<QString> AskText(const QString& title, const QString& initial) override;
    bool AskYesNo(const QString& question) override;
    quint32 TickCount() override;
    void AddToRecentFileList(const QString& path) override;
    void ShowStatus(const QString& text) override {
        if (m_status) {
            m_status(text);
        }
    }
    /// Shows a progress dialog with Cancel once a task takes longer than a moment.
    bool ReportProgress(const QString& task, int done, int total) override;

private:
    QWidget* m_parent = nullptr;
    std::function<void(const QString&)> m_recent;
    std::function<void(const QString&)> m_status;
    QElapsedTimer m_clock;
    std::unique_ptr<QProgressDialog> m_progress;
};
