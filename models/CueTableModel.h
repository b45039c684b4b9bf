#pragma once

#include <QAbstractTableModel>

class CtarnDoc;
class CueChecks;
class Host;
struct CueChange;

/// The document's cues as a table: number (as the boxes show it), start, end, duration,
/// characters per second and text. It follows the document's announcements row by row: an
/// edit inserts, removes or changes the rows it touched, only a new recording resets it.
/// Times and texts typed into it change the document, each as one undo step; what cannot be
/// taken is refused through the host with the reason, and nothing changes.
class CueTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { kNumber, kStart, kEnd, kDuration, kCps, kProblems, kText, kColumns };
    /// True for a cell whose figure breaks a timing rule (the view colours it).
    static constexpr int kBrokenRuleRole = Qt::UserRole + 1;

    CueTableModel(CtarnDoc& doc, Host& host, QObject* parent = nullptr);

    /// Shows the rules each cue breaks (their names, the offending cells coloured), as
    /// `checks` finds them; none without.
    void SetChecks(const CueChecks* checks);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

private:
    void OnCuesChanged(const CueChange& change);
    /// Takes a typed start, end or duration for cue `row`; false, with the reason told, when
    /// it cannot.
    bool SetTime(int row, int column, const QString& typed);
    bool SetText(int row, const QString& typed);

    /// Whether the figure of a cell breaks a rule.
    bool BreaksRule(int row, int column) const;

    CtarnDoc& m_doc;
    Host& m_host;
    const CueChecks* m_pChecks = nullptr;
    /// The rows the views know of: the document's count once each change is told.
    int m_nRows = 0;
};
