#pragma once

#include "subtitles/Retime.h"

#include <QDialog>

#include <optional>

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSpinBox;

/// "Retime cues...": shift by an offset, two-point sync or a frame-rate change, for the
/// chosen cues or all of them. OK is taken only once the numbers can be read; what cannot is
/// said in the dialog.
class CRetimeDlg : public QDialog {
    Q_OBJECT

public:
    /// `cues` is how many cues there are (the sync's numbers run from 1 to it), `chosen` how
    /// many are chosen.
    CRetimeDlg(int cues, int chosen, QWidget* parent = nullptr);

    /// The retiming asked for; there once the dialog was accepted.
    const std::optional<Retiming>& Result() const { return m_result; }
    /// Whether only the chosen cues are retimed.
    bool ChosenOnly() const;

    void accept() override;

private:
    /// The retiming the fields spell, or nothing after saying what is wrong.
    std::optional<Retiming> Read();

    QRadioButton* m_shift;
    QRadioButton* m_sync;
    QRadioButton* m_rate;
    QLineEdit* m_shiftMs;
    QSpinBox* m_firstCue;
    QLineEdit* m_firstTime;
    QSpinBox* m_secondCue;
    QLineEdit* m_secondTime;
    QComboBox* m_fromRate;
    QComboBox* m_toRate;
    QRadioButton* m_chosenOnly;
    QLabel* m_problem;
    std::optional<Retiming> m_result;
};
