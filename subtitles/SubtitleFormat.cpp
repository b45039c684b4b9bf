#include "subtitles/SubtitleFormat.h"

#include <QFileInfo>
#include <QRegularExpression>

#include <vector>

namespace {

struct FormatName {
    SubtitleFormat format;
    const char* word;
    const char* extension;
};

const FormatName kNames[] = {
    {SubtitleFormat::Srt, "srt", "srt"},       {SubtitleFormat::WebVtt, "vtt", "vtt"},
    {SubtitleFormat::Ass, "ass", "ass"},       {SubtitleFormat::Sbv, "sbv", "sbv"},
    {SubtitleFormat::Labels, "labels", "txt"},
};

/// The formats one line of a file fits, best first; empty when it tells nothing.
std::vector<SubtitleFormat> FormatsOfLine(const QString& line, bool first) {
    static const QRegularExpression sbvTimes(
        QStringLiteral(R"(^\d+:\d{1,2}:\d{1,2}\.\d+,\d+:\d{1,2}:\d{1,2}\.\d+\s*$)"));
    static const QRegularExpression labelTimes(
        QStringLiteral(R"(^\d+(\.\d*)?\t\d+(\.\d*)?(\t|$))"));
    const QString trimmed = line.trimmed();
    if (first && trimmed.startsWith(QLatin1String("WEBVTT"))) {
        return {SubtitleFormat::WebVtt};
    }
    if (trimmed.compare(QLatin1String("[Script Info]"), Qt::CaseInsensitive) == 0 ||
        trimmed.startsWith(QLatin1String("Dialogue:")) ||
        trimmed.compare(QLatin1String("[Events]"), Qt::CaseInsensitive) == 0) {
        return {SubtitleFormat::Ass};
    }
    if (trimmed.contains(QLatin1String("-->"))) {
        return {SubtitleFormat::Srt, SubtitleFormat::WebVtt};
    }
    if (sbvTimes.match(trimmed).hasMatch()) {
        return {SubtitleFormat::Sbv};
    }
    if (labelTimes.match(line).hasMatch()) {
        return {SubtitleFormat::Labels};
    }
    return {};
}

} // namespace

QString SubtitleExtension(SubtitleFormat format) {
    for (const FormatName& n : kNames) {
        if (n.format == format) {
            return QLatin1String(n.extension);
        }
    }
    return {};
}

std::optional<SubtitleFormat> SubtitleFormatNamed(const QString& name) {
    for (const FormatName& n : kNames) {
        if (name == QLatin1String(n.word)) {
            return n.format;
        }
    }
    return std::nullopt;
}

std::optional<SubtitleFormat> SubtitleFormatOfName(const QString& fileName) {
    const QString extension = QFileInfo(fileName).suffix().toLower();
    if (extension == QLatin1String("ssa")) {
        return SubtitleFormat::Ass;
    }
    if (extension == QLatin1String("tsv")) {
        return SubtitleFormat::Labels;
    }
    for (const FormatName& n : kNames) {
        if (extension == QLatin1String(n.extension)) {
            return n.format;
        }
    }
    return std::nullopt;
}

std::optional<SubtitleFormat> DetectSubtitleFormat(const QStringList& firstLines,
                                                   const QString& fileName) {
    const std::optional<SubtitleFormat> named = SubtitleFormatOfName(fileName);
    bool first = true;
    for (const QString& line : firstLines) {
        if (line.trimmed().isEmpty()) {
            continue;
        }
        const std::vector<SubtitleFormat> fits = FormatsOfLine(line, first);
        first = false;
        if (fits.empty()) {
            continue;
        }
        for (SubtitleFormat f : fits) {
            if (f == named) {
                return f;
            }
        }
        return fits.front();
    }
    return named;
}
