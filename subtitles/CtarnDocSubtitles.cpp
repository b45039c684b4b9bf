// The document's cue sidecars and batch clip export.
#include "document/CtarnDoc.h"

#include "subtitles/CueFormats.h"
#include "subtitles/CueText.h"
#include "subtitles/TextFile.h"

#include <QFileInfo>

bool CtarnDoc::WriteCueTxt(const QString& path) {
    if (!WriteTextFile(path, FormatCueTxt(m_cues))) {
        m_host.ShowMessage(QStringLiteral("open file error3 ") + path);
        return false;
    }
    return true;
}

bool CtarnDoc::WriteCueSbv(const QString& path) {
    if (!WriteTextFile(path, FormatCueSbv(m_cues, m_header.SampleRate))) {
        m_host.ShowMessage(QStringLiteral("open file error4"));
        return false;
    }
    return true;
}

bool CtarnDoc::WriteCueAss(const QString& path) {
    if (!WriteTextFile(path, FormatCueAss(m_cues, m_header.SampleRate))) {
        m_host.ShowMessage(QStringLiteral("open file error2"));
        return false;
    }
    return true;
}

void CtarnDoc::WriteClipText(const QString& path, const QString& text) {
    if (!WriteTextFile(path, text)) {
        m_host.ShowMessage(QStringLiteral("open file error ") + path);
    }
}

std::optional<std::pair<QString, qint64>> CtarnDoc::AskExportTarget() {
    const std::optional<QString> chosen =
        m_host.AskSavePath({QStringLiteral("Save clip to file"),
                            QStringLiteral("Wave files(*.wav)"), QStringLiteral(".wav")});
    if (!chosen) {
        return std::nullopt;
    }
    const QString path = chosen->isEmpty() ? QString() : QFileInfo(*chosen).absoluteFilePath();
    const qsizetype slash = path.lastIndexOf(QChar('/'));
    if (slash < 0) {
        m_host.ShowMessage(QStringLiteral("Can not find \\"));
        return std::nullopt;
    }
    return std::pair(path.left(slash + 1), qint64(LeadingInt(QStringView(path).sliced(slash + 1))));
}

void CtarnDoc::OnSaveVorn() {
    ExportClips(true);
}

void CtarnDoc::OnSaveVorn2() {
    ExportClips(false);
}

void CtarnDoc::ExportClips(bool pairs) {
    const auto target = AskExportTarget();
    if (!target) {
        return;
    }
    const auto& [folder, firstNumber] = *target;
    const int step = pairs ? 2 : 1;
    const int total = (m_cues.Count() + step - 1) / step;
    const QString task = pairs ? QStringLiteral("Save Vorn") : QStringLiteral("Save Vorn(2)");
    for (int i = 0; i < m_cues.Count(); i += step) {
        if (!m_host.ReportProgress(task, i / step, total)) {
            return;
        }
        const QString stem = folder + QString::number(firstNumber + i / step);
        const QString clip = stem + QStringLiteral(".wav");
        if (!SaveWave(clip, m_cues.Start(i), m_cues.End(i))) {
            m_host.ShowMessage(QStringLiteral("Open error ") + clip);
            return;
        }
        // An odd last cue of a pair export stands alone: its own clip and text, no companion.
        QString text = m_cues.Text(i) + QChar('\n');
        if (pairs && i + 1 < m_cues.Count()) {
            const QString companion = stem + QStringLiteral("v.wav");
            if (!SaveWave(companion, m_cues.Start(i + 1), m_cues.End(i + 1))) {
                m_host.ShowMessage(QStringLiteral("Open error ") + companion);
                return;
            }
            text = MergePairText(m_cues.Text(i), m_cues.Text(i + 1));
        }
        WriteClipText(stem + QStringLiteral(".txt"), NormalizeCueText(text));
    }
    m_host.ReportProgress(task, total, total);
}
