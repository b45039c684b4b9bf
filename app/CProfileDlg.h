#pragma once

#include "subtitles/TimingRules.h"

#include <QDialog>

#include <optional>

class QLabel;
class QLineEdit;

/// "Rules: Custom...": the numbers of the user's own timing rules.
class CProfileDlg : public QDialog {
    Q_OBJECT

public:
    CProfileDlg(const TimingProfile& start, QWidget* parent = nullptr);

    /// The rules typed, named "Custom"; there once the dialog was accepted.
    const std::optional<TimingProfile>& Result() const { return m_result; }

    void accept() override;

private:
    /// The rules the fields spell, or nothing after saying which one is wrong.
    std::optional<TimingProfile> Read();

    enum Field { kMaxCps, kMinDuration, kMaxDuration, kMinGap, kFps, kLineChars, kLines, kFields };
    QLineEdit* m_fields[kFields];
    QLabel* m_problem;
    std::optional<TimingProfile> m_result;
};

/// The custom rules kept in the settings, or nothing when none were made.
std::optional<TimingProfile> StoredCustomProfile();
/// Keeps `profile` as the custom rules.
void StoreCustomProfile(const TimingProfile& profile);
