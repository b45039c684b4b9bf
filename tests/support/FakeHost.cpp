#include "support/FakeHost.h"

namespace {

std::optional<QString> Next(std::deque<std::optional<QString>>& answers) {
    if (answers.empty()) {
        return std::nullopt;
    }
    std::optional<QString> answer = answers.front();
    answers.pop_front();
    return answer;
}

} // namespace

std::optional<QString> FakeHost::AskSavePath(const SavePathRequest& request) {
    saveRequests.push_back(request);
    return Next(savePaths);
}

std::optional<QString> FakeHost::AskText(const QString& title, const QString& initial) {
    textTitles << title;
    textRequests << initial;
    return Next(texts);
}
