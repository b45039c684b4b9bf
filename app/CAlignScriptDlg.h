#pragma once

#include "actions/AlignCues.h"

#include <QDialog>

class QComboBox;
class QRadioButton;

/// "Align script...": the language the script is spoken in and which cues are aligned, both
/// remembered between runs.
class CAlignScriptDlg : public QDialog {
    Q_OBJECT

public:
    /// `placeholders` and `chosen`: how many cues each choice would align.
    CAlignScriptDlg(int placeholders, int chosen, QWidget* parent = nullptr);

    QString Language() const;
    AlignChoice Choice() const;

    /// Keeps the choices for the next time.
    void accept() override;

private:
    QComboBox* m_language;
    QRadioButton* m_placeholders;
    QRadioButton* m_chosen;
    QRadioButton* m_all;
};
