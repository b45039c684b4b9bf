#pragma once

#include <QString>
#include <QStringList>

#include <optional>

/// The subtitle formats cues are imported from and exported to.
enum class SubtitleFormat { Srt, WebVtt, Ass, Sbv, Labels };

/// The extension without its dot ("srt", "vtt", "ass", "sbv", "txt" for labels).
QString SubtitleExtension(SubtitleFormat format);

/// The format named by a command-line word: srt, vtt, ass, sbv or labels.
std::optional<SubtitleFormat> SubtitleFormatNamed(const QString& name);

/// The format a file name's extension stands for (.ssa counts as ASS; .txt and .tsv as
/// labels); nothing for any other.
std::optional<SubtitleFormat> SubtitleFormatOfName(const QString& fileName);

/// The format the first lines of a file are written in, or nothing when they fit none.
/// `fileName` only decides between formats the lines fit equally well (a cue time line
/// with "-->" fits SRT and WebVTT) and names the format when the lines fit none.
std::optional<SubtitleFormat> DetectSubtitleFormat(const QStringList& firstLines,
                                                   const QString& fileName);
