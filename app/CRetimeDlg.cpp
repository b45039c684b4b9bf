#include "app/CRetimeDlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>

#include <algorithm>

namespace {

QComboBox* RateBox(const QString& rate, QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setEditable(true);
    box->addItems({"23.976", "24", "25", "29.97", "30", "50", "59.94", "60"});
    box->setCurrentText(rate);
    return box;
}

} // namespace

CRetimeDlg::CRetimeDlg(int cues, int chosen, QWidget* parent)
    : QDialog(parent), m_shift(new QRadioButton(tr("Shift by (ms, negative: earlier):"), this)),
      m_sync(new QRadioButton(tr("Two-point sync:"), this)),
      m_rate(new QRadioButton(tr("Change the frame rate from:"), this)),
      m_shiftMs(new QLineEdit(QStringLiteral("0"), this)), m_firstCue(new QSpinBox(this)),
      m_firstTime(new QLineEdit(this)), m_secondCue(new QSpinBox(this)),
      m_secondTime(new QLineEdit(this)), m_fromRate(RateBox(QStringLiteral("25"), this)),
      m_toRate(RateBox(QStringLiteral("23.976"), this)),
      m_chosenOnly(new QRadioButton(tr("The %n chosen cues", nullptr, chosen), this)),
      m_problem(new QLabel(this)) {
    setWindowTitle(tr("Retime cues"));
    m_shift->setChecked(true);
    for (QSpinBox* box : {m_firstCue, m_secondCue}) {
        box->setRange(1, std::max(cues, 1));
    }
    m_secondCue->setValue(cues);
    m_firstTime->setPlaceholderText(QStringLiteral("h:mm:ss.mmm"));
    m_secondTime->setPlaceholderText(QStringLiteral("h:mm:ss.mmm"));
    auto* all = new QRadioButton(tr("All cues"), this);
    (chosen > 1 ? m_chosenOnly : all)->setChecked(true);
    m_chosenOnly->setEnabled(chosen > 0);
    m_problem->setStyleSheet(QStringLiteral("color: #b00020"));
    m_problem->setWordWrap(true);

    auto* layout = new QGridLayout(this);
    layout->addWidget(m_shift, 0, 0);
    layout->addWidget(m_shiftMs, 0, 1, 1, 3);
    layout->addWidget(m_sync, 1, 0);
    layout->addWidget(new QLabel(tr("cue"), this), 1, 1);
    layout->addWidget(m_firstCue, 1, 2);
    layout->addWidget(m_firstTime, 1, 3);
    layout->addWidget(new QLabel(tr("cue"), this), 2, 1);
    layout->addWidget(m_secondCue, 2, 2);
    layout->addWidget(m_secondTime, 2, 3);
    layout->addWidget(m_rate, 3, 0);
    layout->addWidget(m_fromRate, 3, 1);
    layout->addWidget(new QLabel(tr("to"), this), 3, 2);
    layout->addWidget(m_toRate, 3, 3);
    layout->addWidget(all, 4, 0);
    layout->addWidget(m_chosenOnly, 4, 1, 1, 3);
    layout->addWidget(m_problem, 5, 0, 1, 4);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons, 6, 0, 1, 4);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

bool CRetimeDlg::ChosenOnly() const {
    return m_chosenOnly->isChecked();
}

void CRetimeDlg::accept() {
    m_result = Read();
    if (m_result) {
        QDialog::accept();
    }
}

std::optional<Retiming> CRetimeDlg::Read() {
    const auto refuse = [this](const QString& why) {
        m_problem->setText(why);
        return std::nullopt;
    };
    if (m_shift->isChecked()) {
        const std::optional<TypedDecimal> ms = ParseTypedDecimal(m_shiftMs->text());
        if (!ms) {
            return refuse(tr("Type the shift as a number of milliseconds, such as -250 or 1500."));
        }
        return Retiming{CueShift{*ms}};
    }
    if (m_sync->isChecked()) {
        const TypedTime first = ParseTypedTime(m_firstTime->text());
        const TypedTime second = ParseTypedTime(m_secondTime->text());
        if (!first.ms || !second.ms) {
            return refuse(first.ms ? second.refusal : first.refusal);
        }
        return Retiming{
            CueSync{m_firstCue->value() - 1, *first.ms, m_secondCue->value() - 1, *second.ms}};
    }
    const std::optional<TypedDecimal> from = ParseTypedDecimal(m_fromRate->currentText());
    const std::optional<TypedDecimal> to = ParseTypedDecimal(m_toRate->currentText());
    if (!from || !to) {
        return refuse(tr("Type the frame rates as numbers, such as 25 or 23.976."));
    }
    return Retiming{FrameRateChange{*from, *to}};
}
