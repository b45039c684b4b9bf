#pragma once

#include "subtitles/TidyTiming.h"

#include <QDialog>

#include <functional>
#include <optional>

class QLabel;
class QLineEdit;
class QRadioButton;
class QTimer;

/// "Tidy timing...": the snap distance, the lead-in and lead-out, the gap closing, the
/// minimum gap and duration, for the chosen cues or all, with how many cues it would change.
class CTidyDlg : public QDialog {
    Q_OBJECT

public:
    /// Starts from `defaults`; `count` tells how many cues settings would change (for the
    /// chosen cues only, or all), or nothing when that would take long (snapping on).
    CTidyDlg(const TidySettings& defaults, int chosen,
             std::function<std::optional<int>(const TidySettings&, bool chosenOnly)> count,
             QWidget* parent = nullptr);

    /// The settings typed; there once the dialog was accepted.
    const std::optional<TidySettings>& Result() const { return m_result; }
    bool ChosenOnly() const;

    void accept() override;

private:
    /// The settings the fields spell, or nothing after saying which field is wrong.
    std::optional<TidySettings> Read();
    void Preview();

    QLineEdit* m_fields[6];
    QRadioButton* m_chosenOnly;
    QLabel* m_preview;
    QTimer* m_recount;
    std::function<std::optional<int>(const TidySettings&, bool)> m_count;
    std::optional<TidySettings> m_result;
};
