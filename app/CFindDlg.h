#pragma once

#include "subtitles/CueSearch.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

/// Find and replace over the cue texts: the pattern, its options and, for replacing, what
/// takes its place. It stays open beside the window; its buttons ask the program to act.
class CFindDlg : public QDialog {
    Q_OBJECT

public:
    explicit CFindDlg(QWidget* parent = nullptr);

    /// Shows it for finding only, or with the replacement and its buttons.
    void Open(bool replacing);
    CueQuery Query() const;
    QString Replacement() const;

    /// What the buttons ask for: find (backward or not), replace the found one, replace all.
    std::function<void(bool backward)> onFind;
    std::function<void()> onReplace;
    std::function<void()> onReplaceAll;

    QLineEdit* PatternEdit() const { return m_pattern; }
    QLineEdit* ReplacementEdit() const { return m_replacement; }

private:
    QLineEdit* m_pattern;
    QLineEdit* m_replacement;
    QLabel* m_replacementLabel;
    QCheckBox* m_matchCase;
    QCheckBox* m_wholeWords;
    QCheckBox* m_regex;
    QPushButton* m_replace;
    QPushButton* m_replaceAll;
};
