#pragma once

#include <QDockWidget>

#include <functional>
#include <vector>

class CtarnDoc;
class CueTableModel;
class Host;
class QTableView;

/// The cue list beside the waveform: a row per cue with its times, reading speed and text,
/// edited in place. Choosing a row makes its cue current (as `makeCurrent` does it); a cue
/// made current anywhere else is chosen here. Several rows can be chosen for the commands
/// that take more than one cue.
class CCueListDock : public QDockWidget {
    Q_OBJECT

public:
    CCueListDock(CtarnDoc& doc, Host& host, QWidget* parent = nullptr);
    ~CCueListDock() override;

    /// What choosing a row does with its cue.
    std::function<void(int cue)> makeCurrent;

    /// The chosen rows, in order; the current cue alone when no row is chosen.
    std::vector<int> ChosenCues() const;
    QTableView* Table() const { return m_table; }
    CueTableModel* Model() const { return m_model; }

private:
    /// Chooses the row of `cue` (none for -1) without making anything current again.
    void ShowCurrent(int cue);

    CtarnDoc& m_doc;
    CueTableModel* m_model;
    QTableView* m_table;
    bool m_bFollowing = false; ///< choosing a row because the document said so
};
