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
/// format, normalisation and the index file; every choice remembered for the next time.
class CExportClipsDlg : public QDialog {
    Q_OBJECT

public:
    explicit CExportClipsDlg(const CtarnDoc& doc, QWidget* parent = nullptr);

    ClipSetOptions Options() const;

    /// Keeps the choices for the next time.
    void accept() override;

private:
    void Browse();
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
    QCheckBox* m_normalize;
    QCheckBox* m_index;
    QLineEdit* m_indexName;
    QDialogButtonBox* m_buttons;
    QTimer* m_replan; ///< restarted by every change, plans when it runs out
};
