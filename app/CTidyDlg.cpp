#include "app/CTidyDlg.h"

#include "subtitles/TypedTime.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTimer>

CTidyDlg::CTidyDlg(const TidySettings& defaults, int chosen,
                   std::function<std::optional<int>(const TidySettings&, bool)> count,
                   QWidget* parent)
    : QDialog(parent),
      m_chosenOnly(new QRadioButton(tr("The %n chosen cues", nullptr, chosen), this)),
      m_preview(new QLabel(this)), m_recount(new QTimer(this)), m_count(std::move(count)) {
    setWindowTitle(tr("Tidy timing"));
    const ExactSeconds* values[6] = {&defaults.snap,      &defaults.leadIn, &defaults.leadOut,
                                     &defaults.closeGaps, &defaults.minGap, &defaults.minDuration};
    const QString labels[6] = {tr("Snap to speech within (ms, 0: off):"),
                               tr("Lead-in (ms):"),
                               tr("Lead-out (ms):"),
                               tr("Close gaps shorter than (ms):"),
                               tr("Minimum gap (ms):"),
                               tr("Minimum duration (ms):")};
    auto* layout = new QFormLayout(this);
    for (int i = 0; i < 6; ++i) {
        m_fields[i] = new QLineEdit(MillisecondsText(*values[i]), this);
        layout->addRow(labels[i], m_fields[i]);
        connect(m_fields[i], &QLineEdit::textChanged, m_recount, qOverload<>(&QTimer::start));
    }
    auto* all = new QRadioButton(tr("All cues"), this);
    (chosen > 1 ? m_chosenOnly : all)->setChecked(true);
    m_chosenOnly->setEnabled(chosen > 0);
    layout->addRow(all, m_chosenOnly);
    layout->addRow(m_preview);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_chosenOnly, &QRadioButton::toggled, m_recount, qOverload<>(&QTimer::start));
    m_recount->setSingleShot(true);
    m_recount->setInterval(200);
    connect(m_recount, &QTimer::timeout, this, [this] { Preview(); });
    Preview();
}

bool CTidyDlg::ChosenOnly() const {
    return m_chosenOnly->isChecked();
}

void CTidyDlg::accept() {
    m_result = Read();
    if (m_result) {
        QDialog::accept();
    }
}

std::optional<TidySettings> CTidyDlg::Read() {
    ExactSeconds times[6];
    for (int i = 0; i < 6; ++i) {
        const std::optional<TypedDecimal> ms = ParseTypedDecimal(m_fields[i]->text());
        if (!ms || ms->units < 0) {
            m_preview->setText(tr("Type each length as milliseconds, 0 or more."));
            m_fields[i]->setFocus();
            return std::nullopt;
        }
        times[i] = MillisecondsToSeconds(*ms);
    }
    return TidySettings{times[0], times[1], times[2], times[3], times[4], times[5]};
}

void CTidyDlg::Preview() {
    const std::optional<TidySettings> settings = Read();
    if (!settings) {
        return;
    }
    const std::optional<int> changed = m_count(*settings, ChosenOnly());
    m_preview->setText(changed ? tr("%n cues would change.", nullptr, *changed)
                               : tr("With snapping, the cues are counted as they are tidied."));
}
