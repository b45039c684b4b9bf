#include "subtitles/ClipExport.h"

#include "base/Host.h"
#include "base/TextFile.h"
#include "subtitles/CueFormats.h"
#include "subtitles/CueList.h"
#include "subtitles/CueText.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <optional>
#include <utility>

namespace {

/// The folder (with its "/") and the first number of the export target chosen in a dialog
/// that starts in `folder`.
std::optional<std::pair<QString, qint64>> AskExportTarget(Host& host, const QString& folder) {
    const std::optional<QString> chosen =
        host.AskSavePath({QCoreApplication::translate("Message", "Save clip to file", "export"),
                          QCoreApplication::translate("Message", "Wave files(*.wav)"),
                          QStringLiteral(".wav"), folder});
    if (!chosen) {
        return std::nullopt;
    }
    const QString path = chosen->isEmpty() ? QString() : QFileInfo(*chosen).absoluteFilePath();
    const qsizetype slash = path.lastIndexOf(QChar('/'));
    if (slash < 0) {
        host.ShowMessage(QCoreApplication::translate("Message", "Can not find \\"));
        return std::nullopt;
    }
    return std::pair(path.left(slash + 1), qint64(LeadingInt(QStringView(path).sliced(slash + 1))));
}

using SaveWave = std::function<bool(const QString& path, int a, int b)>;

bool SaveClip(const SaveWave& saveWave, const QString& path, int start, int end, Host& host) {
    if (!saveWave(path, start, end)) {
        host.ShowMessage(QCoreApplication::translate("Message", "Open error %1").arg(path));
        return false;
    }
    return true;
}

bool WriteClipText(const QString& path, const QString& text, Host& host) {
    if (!WriteTextFile(path, text)) {
        host.ShowMessage(QCoreApplication::translate("Message", "open file error %1").arg(path));
        return false;
    }
    return true;
}

} // namespace

void ExportCueClips(const CueList& cues, Host& host, bool pairs, const QString& startFolder,
                    const SaveWave& saveWave) {
    const auto target = AskExportTarget(host, startFolder);
    if (!target) {
        return;
    }
    const auto& [folder, firstNumber] = *target;
    const int step = pairs ? 2 : 1;
    const int total = (cues.Count() + step - 1) / step;
    const QString task = pairs ? QCoreApplication::translate("Message", "Save Vorn")
                               : QCoreApplication::translate("Message", "Save Vorn(2)");
    bool allTexts = true;
    for (int i = 0; i < cues.Count(); i += step) {
        if (!host.ReportProgress(task, i / step, total)) {
            return;
        }
        const QString stem = folder + QString::number(firstNumber + i / step);
        if (!SaveClip(saveWave, stem + QStringLiteral(".wav"), cues.Start(i), cues.End(i), host)) {
            return;
        }
        // An odd last cue of a pair export stands alone: its own clip and text, no companion.
        QString text = cues.Text(i) + QChar('\n');
        if (pairs && i + 1 < cues.Count()) {
            if (!SaveClip(saveWave, stem + QStringLiteral("v.wav"), cues.Start(i + 1),
                          cues.End(i + 1), host)) {
                return;
            }
            text = MergePairText(cues.Text(i), cues.Text(i + 1));
        }
        allTexts =
            WriteClipText(stem + QStringLiteral(".txt"), NormalizeCueText(text), host) && allTexts;
    }
    host.ReportProgress(task, total, total);
    // A text that could not be written was told in its own message; no confirmation then.
    if (!allTexts) {
        return;
    }
    host.ShowStatus(QCoreApplication::translate("Message", "Saved %1 clips and %2 texts in %3")
                        .arg(cues.Count())
                        .arg(total)
                        .arg(QDir::toNativeSeparators(folder)));
}
