#include "subtitles/CueSearch.h"

#include <QCoreApplication>
#include <QStringView>

#include <algorithm>
#include <vector>

namespace {

// Lookarounds rather than \b, so that a pattern that begins or ends with punctuation
// ("Mr.") still finds its whole words.
const QString kWordsBefore = QStringLiteral("(?<!\\w)(?:");
const QString kWordsAfter = QStringLiteral(")(?!\\w)");

/// The error of `expression`, its offset moved back by `shift` and kept within the pattern.
QString Reason(const QRegularExpression& expression, qsizetype shift, qsizetype patternLength) {
    const qsizetype offset =
        std::clamp<qsizetype>(expression.patternErrorOffset() - shift, 0, patternLength);
    return QCoreApplication::translate("Message", "Invalid regular expression: %1 at offset %2")
        .arg(expression.errorString())
        .arg(offset);
}

/// A part of a replacement: text as it is, or the number of a capture to insert.
struct Piece {
    QString literal;
    int capture = -1;
};

/// The ASCII digit at `i`, -1 for anything else or past the end.
int DigitAt(const QString& text, qsizetype i) {
    if (i >= text.size() || text[i] < QChar('0') || text[i] > QChar('9')) {
        return -1;
    }
    return text[i].unicode() - '0';
}

/// `replacement` of a regular expression with `captures` captures, taken apart once for all
/// its matches. A two-digit reference is taken when that capture exists; a reference to no
/// capture stays as it is.
std::vector<Piece> ParseReplacement(const QString& replacement, int captures) {
    std::vector<Piece> pieces(1);
    for (qsizetype i = 0; i < replacement.size(); ++i) {
        const QChar c = replacement[i];
        const int digit = c == QChar('\\') ? DigitAt(replacement, i + 1) : -1;
        if (digit >= 0 && digit <= captures) {
            int number = digit;
            ++i;
            const int next = DigitAt(replacement, i + 1);
            if (next >= 0 && number * 10 + next <= captures) {
                number = number * 10 + next;
                ++i;
            }
            pieces.push_back({QString(), number});
            pieces.emplace_back();
        } else if (c == QChar('\\') && i + 1 < replacement.size() &&
                   replacement[i + 1] == QChar('\\')) {
            pieces.back().literal += c;
            ++i;
        } else {
            pieces.back().literal += c;
        }
    }
    return pieces;
}

} // namespace

CueSearch::CueSearch(const CueQuery& query) : m_bRegex(query.regex) {
    const QString pattern = query.regex ? query.pattern : QRegularExpression::escape(query.pattern);
    QRegularExpression::PatternOptions options = QRegularExpression::UseUnicodePropertiesOption;
    if (!query.matchCase) {
        options |= QRegularExpression::CaseInsensitiveOption;
    }
    if (query.regex && query.wholeWords) {
        // Checked alone first: the wrapping could close a stray parenthesis of the pattern,
        // and the offset of an error should point into the pattern as typed.
        const QRegularExpression bare(pattern, options);
        if (!bare.isValid()) {
            m_error = Reason(bare, 0, pattern.size());
            return;
        }
    }
    m_expression = QRegularExpression(
        query.wholeWords ? kWordsBefore + pattern + kWordsAfter : pattern, options);
    if (!m_expression.isValid()) {
        m_error =
            Reason(m_expression, query.wholeWords ? kWordsBefore.size() : 0, query.pattern.size());
        return;
    }
    m_expression.optimize();
    m_bUsable = !query.pattern.isEmpty();
}

bool CueSearch::Matches(const QString& text) const {
    return m_bUsable && m_expression.match(text).hasMatch();
}

int CueSearch::Find(const CueList& cues, int from, bool backward) const {
    const int count = cues.Count();
    if (!m_bUsable || count == 0) {
        return -1;
    }
    // The index just "before" the first one looked at, in the direction of the search.
    const int origin = cues.IsValidIndex(from) ? from : (backward ? 0 : count - 1);
    for (int k = 1; k <= count; ++k) {
        const int i = backward ? (origin - k + count) % count : (origin + k) % count;
        if (Matches(cues.Text(i))) {
            return i;
        }
    }
    return -1;
}

TextReplacement CueSearch::Replace(const QString& text, const QString& replacement) const {
    if (!m_bUsable) {
        return {text, 0};
    }
    QRegularExpressionMatchIterator it = m_expression.globalMatch(text);
    if (!it.hasNext()) {
        return {text, 0};
    }
    const std::vector<Piece> pieces =
        m_bRegex ? ParseReplacement(replacement, m_expression.captureCount())
                 : std::vector<Piece>{{replacement}};
    TextReplacement out;
    qsizetype done = 0;
    while (it.hasNext()) {
        const QRegularExpressionMatch match = it.next();
        out.text += QStringView(text).mid(done, match.capturedStart() - done);
        for (const Piece& piece : pieces) {
            out.text +=
                piece.capture < 0 ? QStringView(piece.literal) : match.capturedView(piece.capture);
        }
        done = match.capturedEnd();
        ++out.count;
    }
    out.text += QStringView(text).mid(done);
    return out;
}
