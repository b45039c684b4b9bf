#pragma once

#include "subtitles/ClipSet.h"

#include <QDialog>

class CtarnDoc;
class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSpinBox;
class QTimer;

/// "Export clips...": where the clips go, how they are named (with a preview of the first
/// names, planned again once the changes pause for 200 ms), which cues, padding, fade,
/// format, level (none, peak or loudness), cues joined across short gaps, the index file with
/// the neighbours' texts, a translation and stills, and a deck package; every choice
/// remembered for the next time.
class CExportClipsDlg : public QDialog {
    Q_OBJECT

public:
    explicit CExportClipsDlg(const CtarnDoc& doc, QWidget* parent = nullptr);

    ClipSetOptions Options() const;

    /// Keeps the choices for the next time.
    void accept() override;

private:
    void Browse();
    void BrowseTranslation();
    void Replan();

    const CtarnDoc& m_doc;
    QLineEdit* m_folder;
    QLineEdit* m_pattern;
    QSpinBox* m_startNumber;
    QLabel* m_preview;
    QRadioButton* m_allCues;
    QRadioButton* m_currentCue;
    QRadioButton* m_selectionCues;
    QCheckBox* m_placeholders;
    QSpinBox* m_padBefore;
    QSpinBox* m_padAfter;
    QCheckBox* m_fade;
    QComboBox* m_format;
    QComboBox* m_level;    ///< none, peak or loudness, by their stored names
    QComboBox* m_loudness; ///< the target in LUFS
    QCheckBox* m_index;
    QLineEdit* m_indexName;
    QSpinBox* m_joinGap; ///< 0: off
    QCheckBox* m_context;
    QCheckBox* m_translation;
    QLineEdit* m_translationPath;
    QCheckBox* m_stills;
    QSpinBox* m_stillHeight;
    QCheckBox* m_deck;
    QLineEdit* m_deckName;
    QDialogButtonBox* m_buttons;
    QTimer* m_replan; ///< restarted by every change, plans when it runs out
};
