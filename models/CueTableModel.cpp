#include "models/CueTableModel.h"

#include "actions/CueMoves.h"
#include "base/ClockText.h"
#include "document/CtarnDoc.h"
#include "models/CueChecks.h"
#include "subtitles/CueFigures.h"
#include "subtitles/CueText.h"
#include "subtitles/TypedTime.h"

#include <QCoreApplication>
#include <QStringList>

#include <algorithm>
#include <limits>

namespace {

/// Shown in place of a line break, so that every cue keeps one line of the table.
constexpr char16_t kLineBreakMark = u'\u21B5';

QString Reason(const char* text) {
    return QCoreApplication::translate("Message", text);
}

} // namespace

CueTableModel::CueTableModel(CtarnDoc& doc, Host& host, QObject* parent)
    : QAbstractTableModel(parent), m_doc(doc), m_host(host), m_nRows(doc.Cues().Count()) {
    connect(&doc, &CtarnDoc::cuesChanged, this,
            [this](const CueChange& change) { OnCuesChanged(change); });
    connect(&doc, &CtarnDoc::documentReplaced, this, [this] {
        beginResetModel();
        m_nRows = m_doc.Cues().Count();
        endResetModel();
    });
}

void CueTableModel::OnCuesChanged(const CueChange& change) {
    const int kept = std::min(change.removed, change.inserted);
    if (change.removed > change.inserted) {
        beginRemoveRows({}, change.first + kept, change.first + change.removed - 1);
        m_nRows -= change.removed - change.inserted;
        endRemoveRows();
    } else if (change.inserted > change.removed) {
        beginInsertRows({}, change.first + kept, change.first + change.inserted - 1);
        m_nRows += change.inserted - change.removed;
        endInsertRows();
    }
    // The rows that stayed may hold other cues now; after an insertion or a removal every
    // later number moved too.
    const int last = change.removed == change.inserted ? change.first + kept - 1 : m_nRows - 1;
    if (last >= change.first) {
        emit dataChanged(index(change.first, 0), index(last, kColumns - 1));
    }
}

void CueTableModel::SetChecks(const CueChecks* checks) {
    m_pChecks = checks;
    connect(checks, &CueChecks::checked, this, [this](int first, int last) {
        if (first <= last && last < m_nRows) {
            emit dataChanged(index(first, 0), index(last, kColumns - 1));
        }
    });
}

bool CueTableModel::BreaksRule(int row, int column) const {
    const TimingProblems problems = m_pChecks ? m_pChecks->Problems(row) : TimingProblems();
    return (column == kCps && problems.testFlag(TimingProblem::Cps)) ||
           (column == kDuration && (problems & (TimingProblem::Short | TimingProblem::Long))) ||
           (column == kEnd && (problems & (TimingProblem::Gap | TimingProblem::Overlap))) ||
           (column == kText && (problems & (TimingProblem::Line | TimingProblem::Lines))) ||
           (column == kProblems && problems);
}

int CueTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_nRows;
}

int CueTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumns;
}

QVariant CueTableModel::data(const QModelIndex& index, int role) const {
    const CueList& cues = m_doc.Cues();
    const int row = index.row();
    if (!index.isValid() || !cues.IsValidIndex(row)) {
        return {};
    }
    if (role == kBrokenRuleRole) {
        return BreaksRule(row, index.column());
    }
    if (role != Qt::DisplayRole && role != Qt::EditRole && role != Qt::TextAlignmentRole) {
        return {};
    }
    if (role == Qt::TextAlignmentRole) {
        return index.column() == kText || index.column() == kProblems
                   ? QVariant()
                   : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    }
    const qint32 rate = m_doc.GetRecording().SampleRate();
    const qint64 start = cues.Start(row);
    const qint64 end = cues.End(row);
    switch (index.column()) {
    case kNumber:
        return row + 1;
    case kStart:
        return FormatClock(start, rate);
    case kEnd:
        return FormatClock(end, rate);
    case kDuration:
        return ClockText(FrameMilliseconds(end, rate) - FrameMilliseconds(start, rate));
    case kCps:
        return CpsText(CharsPerSecond(cues.Text(row), start, end, rate));
    case kProblems: {
        QStringList names;
        const TimingProblems problems = m_pChecks ? m_pChecks->Problems(row) : TimingProblems();
        for (const TimingProblem problem : kTimingProblems) {
            if (problems.testFlag(problem)) {
                names << TimingProblemName(problem);
            }
        }
        return names.join(QStringLiteral(", "));
    }
    case kText:
        return role == Qt::EditRole
                   ? cues.Text(row)
                   : QString(cues.Text(row)).replace(QChar('\n'), QChar(kLineBreakMark));
    default:
        return {};
    }
}

QVariant CueTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return {};
    }
    static const char* const kHeaders[kColumns] = {
        QT_TRANSLATE_NOOP("CueTable", "#"),    QT_TRANSLATE_NOOP("CueTable", "Start"),
        QT_TRANSLATE_NOOP("CueTable", "End"),  QT_TRANSLATE_NOOP("CueTable", "Duration"),
        QT_TRANSLATE_NOOP("CueTable", "CPS"),  QT_TRANSLATE_NOOP("CueTable", "Problems"),
        QT_TRANSLATE_NOOP("CueTable", "Text"),
    };
    return section >= 0 && section < kColumns
               ? QCoreApplication::translate("CueTable", kHeaders[section])
               : QVariant();
}

Qt::ItemFlags CueTableModel::flags(const QModelIndex& index) const {
    const Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    const int column = index.column();
    const bool editable =
        column == kStart || column == kEnd || column == kDuration || column == kText;
    return editable ? flags | Qt::ItemIsEditable : flags;
}

bool CueTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole || !m_doc.Cues().IsValidIndex(index.row())) {
        return false;
    }
    return index.column() == kText ? SetText(index.row(), value.toString())
                                   : SetTime(index.row(), index.column(), value.toString());
}

bool CueTableModel::SetTime(int row, int column, const QString& typed) {
    const TypedTime time = ParseTypedTime(typed);
    if (!time.ms) {
        m_host.ShowMessage(time.refusal);
        return false;
    }
    const CueList& cues = m_doc.Cues();
    const qint32 rate = m_doc.GetRecording().SampleRate();
    const qint64 frames = MillisecondsToFrames(*time.ms, rate);
    qint64 start = cues.Start(row);
    qint64 end = cues.End(row);
    if (column == kStart) {
        start = frames;
    } else if (column == kEnd) {
        end = frames;
    } else {
        end = start + frames;
    }
    if (start >= end) {
        m_host.ShowMessage(Reason("A cue must end after it starts."));
        return false;
    }
    if (end > std::numeric_limits<int>::max()) {
        m_host.ShowMessage(Reason("That time lies too far beyond the recording."));
        return false;
    }
    MoveCue(m_doc, row, int(start), int(end));
    return true;
}

bool CueTableModel::SetText(int row, const QString& typed) {
    const QString text = NormalizeCueText(typed);
    if (text.isEmpty()) {
        m_host.ShowMessage(Reason("A cue needs a text: to remove the cue, delete it."));
        return false;
    }
    m_doc.ChangeCuesToCurrent(QCoreApplication::translate("Step", "Edit Subtitle"),
                              [row, &text](CueList& list) {
                                  list.SetText(row, text);
                                  return row;
                              });
    return true;
}
