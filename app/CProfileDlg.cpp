#include "app/CProfileDlg.h"

#include "app/AppSettings.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

namespace {

const char* const kCustomKey = "rules/custom";

} // namespace

CProfileDlg::CProfileDlg(const TimingProfile& start, QWidget* parent)
    : QDialog(parent), m_problem(new QLabel(this)) {
    setWindowTitle(tr("Custom timing rules"));
    const QString values[kFields] = {DecimalText(start.maxCps),
                                     MillisecondsText(start.minDuration),
                                     MillisecondsText(start.maxDuration),
                                     QString::number(start.minGapFrames),
                                     DecimalText(start.fps),
                                     QString::number(start.maxLineChars),
                                     QString::number(start.maxLines)};
    const QString labels[kFields] = {tr("Most characters per second:"),
                                     tr("Shortest duration (ms):"),
                                     tr("Longest duration (ms):"),
                                     tr("Least gap (frames):"),
                                     tr("Frames per second:"),
                                     tr("Most characters per line:"),
                                     tr("Most lines:")};
    auto* layout = new QFormLayout(this);
    for (int i = 0; i < kFields; ++i) {
        m_fields[i] = new QLineEdit(values[i], this);
        layout->addRow(labels[i], m_fields[i]);
    }
    m_problem->setWordWrap(true);
    layout->addRow(m_problem);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void CProfileDlg::accept() {
    m_result = Read();
    if (m_result) {
        QDialog::accept();
    }
}

std::optional<TimingProfile> CProfileDlg::Read() {
    std::optional<TypedDecimal> numbers[kFields];
    for (int i = 0; i < kFields; ++i) {
        numbers[i] = ParseTypedDecimal(m_fields[i]->text());
        const bool whole = i == kMinGap || i == kLineChars || i == kLines;
        const bool positive = i == kFps || i == kMaxCps;
        if (!numbers[i] || numbers[i]->units < 0 || (positive && numbers[i]->units == 0) ||
            (whole && numbers[i]->places != 0)) {
            m_problem->setText(tr("Type a number of 0 or more (above 0 for the speed and the "
                                  "frame rate; whole for frames, characters and lines)."));
            m_fields[i]->setFocus();
            return std::nullopt;
        }
    }
    TimingProfile profile;
    profile.name = QStringLiteral("Custom");
    profile.maxCps = *numbers[kMaxCps];
    profile.minDuration = MillisecondsToSeconds(*numbers[kMinDuration]);
    profile.maxDuration = MillisecondsToSeconds(*numbers[kMaxDuration]);
    profile.minGapFrames = int(numbers[kMinGap]->units);
    profile.fps = *numbers[kFps];
    profile.maxLineChars = int(numbers[kLineChars]->units);
    profile.maxLines = int(numbers[kLines]->units);
    return profile;
}

std::optional<TimingProfile> StoredCustomProfile() {
    const QStringList stored = AppSettings().value(kCustomKey).toStringList();
    if (stored.size() != 7) {
        return std::nullopt;
    }
    const auto decimal = [&stored](int i) { return ParseTypedDecimal(stored[i]); };
    const auto maxCps = decimal(0);
    const auto minMs = decimal(1);
    const auto maxMs = decimal(2);
    const auto fps = decimal(4);
    if (!maxCps || !minMs || !maxMs || !fps || fps->units <= 0) {
        return std::nullopt;
    }
    return TimingProfile{QStringLiteral("Custom"),
                         *maxCps,
                         MillisecondsToSeconds(*minMs),
                         MillisecondsToSeconds(*maxMs),
                         stored[3].toInt(),
                         *fps,
                         std::nullopt,
                         stored[5].toInt(),
                         stored[6].toInt()};
}

void StoreCustomProfile(const TimingProfile& profile) {
    AppSettings().setValue(
        kCustomKey,
        QStringList{DecimalText(profile.maxCps), MillisecondsText(profile.minDuration),
                    MillisecondsText(profile.maxDuration), QString::number(profile.minGapFrames),
                    DecimalText(profile.fps), QString::number(profile.maxLineChars),
                    QString::number(profile.maxLines)});
}
