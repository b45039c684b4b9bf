#pragma once

#include "subtitles/CueList.h"

#include <QRegularExpression>
#include <QString>

/// What find and replace look for in the cue texts.
struct CueQuery {
    QString pattern;
    bool matchCase = false;
    /// Matches only where neither end touches a letter, digit or underscore.
    bool wholeWords = false;
    /// The pattern is a regular expression (Perl syntax) rather than plain text.
    bool regex = false;
};

/// A text after a replacement, and how many matches were replaced in it.
struct TextReplacement {
    QString text;
    int count = 0;
};

/// A query compiled once, for matching it against many cue texts. An empty pattern matches
/// nothing, and so does an invalid regular expression, which tells why in Error.
class CueSearch {
public:
    explicit CueSearch(const CueQuery& query);

    bool IsValid() const { return m_error.isEmpty(); }
    /// Why the regular expression cannot be used, with where in the pattern; empty when valid.
    const QString& Error() const { return m_error; }

    bool Matches(const QString& text) const;
    /// The first cue after `from` (before it when `backward`) whose text matches, wrapping
    /// around the list and ending with `from` itself; -1 (or any index that is no cue) starts
    /// at the first (last) cue. -1 when no cue matches.
    int Find(const CueList& cues, int from, bool backward) const;
    /// `text` with every match replaced by `replacement`. For a regular expression \1 to \99
    /// there stand for its captures, \0 for the whole match and \\ for a backslash; a plain
    /// query inserts it as it is.
    TextReplacement Replace(const QString& text, const QString& replacement) const;

private:
    QRegularExpression m_expression;
    bool m_bRegex = false;
    bool m_bUsable = false;
    QString m_error;
};
