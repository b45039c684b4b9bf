#pragma once

#include "actions/PhraseCommands.h"
#include "recording/PhraseDetection.h"

#include <QDialog>

class QCheckBox;
class QDialogButtonBox;
class QDoubleSpinBox;
class QLabel;
class QRadioButton;
class QSpinBox;
class QTimer;

/// "Detect phrases...": the four settings (remembered between runs), how the phrases are
/// used, and a count of what the settings find on the measured levels, made again once the
/// changes pause for 200 ms.
class CDetectPhrasesDlg : public QDialog {
    Q_OBJECT

public:
    /// `placeholderChars`: the characters of each text a script laying would use.
    CDetectPhrasesDlg(LevelTrack levels, qint32 rate, std::vector<int> placeholderChars,
                      QWidget* parent = nullptr);

    PhraseSettings Settings() const;
    PhraseUse Use() const;
    /// The phrases the settings find (those of the settings as accepted).
    const std::vector<FrameRange>& Phrases() const { return m_phrases; }
    const LevelTrack& Levels() const { return m_levels; }

    /// Keeps the settings for the next time.
    void accept() override;

private:
    void Recount();

    LevelTrack m_levels;
    qint32 m_nRate;
    std::vector<int> m_placeholderChars;
    std::vector<FrameRange> m_phrases;
    QDoubleSpinBox* m_threshold;
    QCheckBox* m_automatic;
    QSpinBox* m_minSilence;
    QSpinBox* m_minPhrase;
    QSpinBox* m_pad;
    QRadioButton* m_newCues;
    QRadioButton* m_layScript;
    QLabel* m_count;
    QDialogButtonBox* m_buttons;
    QTimer* m_recount; ///< restarted by every change, counts when it runs out
};
