#pragma once

#include "base/Host.h"

#include <QStringList>

#include <deque>
#include <vector>

/// A scripted host: records every message and request, answers questions from queues.
class FakeHost : public Host {
public:
    void ShowMessage(const QString& text) override { messages << text; }
    std::optional<QString> AskSavePath(const SavePathRequest& request) override;
    std::optional<QString> AskText(const QString& title, const QString& initial) override;
    bool AskYesNo(const QString& question) override {
        questions << question;
        const bool yes = !answers.empty() && answers.front();
        if (!answers.empty()) {
            answers.pop_front();
        }
        return yes;
    }
    quint32 TickCount() override { return tick; }
    void AddToRecentFileList(const QString& path) override { recentFiles << path; }
    void ShowStatus(const QString& text) override { statuses << text; }

    QStringList messages;
    QStringList recentFiles;
    QStringList statuses;
    std::vector<SavePathRequest> saveRequests;
    QStringList textTitles;
    QStringList textRequests;
    QStringList questions;
    /// Answers to the yes/no questions, in order; No when exhausted.
    std::deque<bool> answers;
    /// Answers, in order; an empty optional stands for Cancel. Cancel when exhausted.
    std::deque<std::optional<QString>> savePaths;
    std::deque<std::optional<QString>> texts;
    quint32 tick = 0;
};
