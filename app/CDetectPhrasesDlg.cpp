#include "app/CDetectPhrasesDlg.h"

#include "app/AppSettings.h"
#include "subtitles/PhraseFitting.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr int kMaxLengthMs = 60000;
constexpr int kRecountDelayMs = 200;

QSpinBox* MsBox(int value, QWidget* parent) {
    auto* box = new QSpinBox(parent);
    box->setRange(0, kMaxLengthMs);
    box->setSuffix(QStringLiteral(" ms"));
    box->setValue(value);
    return box;
}

} // namespace

CDetectPhrasesDlg::CDetectPhrasesDlg(LevelTrack levels, qint32 rate,
                                     std::vector<int> placeholderChars, QWidget* parent)
    : QDialog(parent), m_levels(std::move(levels)), m_nRate(rate),
      m_placeholderChars(std::move(placeholderChars)) {
    const int placeholders = int(m_placeholderChars.size());
    setWindowTitle(tr("Detect phrases"));
    const PhraseSettings defaults;
    QSettings stored = AppSettings();

    m_threshold = new QDoubleSpinBox(this);
    // Up to +20 so that a value above full scale can be typed and then refused.
    m_threshold->setRange(-120.0, 20.0);
    m_threshold->setDecimals(1);
    m_threshold->setSuffix(QStringLiteral(" dBFS"));
    m_threshold->setValue(stored.value("phrases/threshold", *defaults.thresholdDb).toDouble());
    // The levels stay as measured while the dialog is open, and so does what automatic finds.
    m_automatic = new QCheckBox(
        tr("Automatic (%1 dBFS)").arg(locale().toString(AutomaticThreshold(m_levels), 'f', 1)),
        this);
    m_automatic->setChecked(stored.value("phrases/automatic", false).toBool());
    m_threshold->setDisabled(m_automatic->isChecked());
    m_minSilence = MsBox(stored.value("phrases/minSilence", defaults.minSilenceMs).toInt(), this);
    m_minPhrase = MsBox(stored.value("phrases/minPhrase", defaults.minPhraseMs).toInt(), this);
    m_pad = MsBox(stored.value("phrases/pad", defaults.padMs).toInt(), this);

    m_newCues = new QRadioButton(tr("New cues, one \"#\" cue per phrase"), this);
    m_layScript = new QRadioButton(
        tr("Lay the script: the %1 placeholder cues onto the phrases").arg(placeholders), this);
    m_layScript->setEnabled(placeholders > 0);
    (placeholders > 0 ? m_layScript : m_newCues)->setChecked(true);
    m_count = new QLabel(this);
    m_count->setWordWrap(true);
    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);

    auto* form = new QFormLayout;
    auto* thresholdRow = new QHBoxLayout;
    thresholdRow->addWidget(m_threshold);
    thresholdRow->addWidget(m_automatic);
    form->addRow(tr("Threshold:"), thresholdRow);
    form->addRow(tr("Minimum silence:"), m_minSilence);
    form->addRow(tr("Minimum phrase:"), m_minPhrase);
    form->addRow(tr("Padding:"), m_pad);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_newCues);
    layout->addWidget(m_layScript);
    layout->addWidget(m_count);
    layout->addWidget(m_buttons);

    // A count over hours of windows takes a while: it follows once the changes pause.
    m_recount = new QTimer(this);
    m_recount->setObjectName(QStringLiteral("recount"));
    m_recount->setSingleShot(true);
    m_recount->setInterval(kRecountDelayMs);
    connect(m_recount, &QTimer::timeout, this, [this] { Recount(); });
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_threshold, &QDoubleSpinBox::valueChanged, m_recount, qOverload<>(&QTimer::start));
    connect(m_automatic, &QCheckBox::toggled, m_recount, qOverload<>(&QTimer::start));
    connect(m_automatic, &QCheckBox::toggled, m_threshold, &QWidget::setDisabled);
    for (QSpinBox* box : {m_minSilence, m_minPhrase, m_pad}) {
        connect(box, &QSpinBox::valueChanged, m_recount, qOverload<>(&QTimer::start));
    }
    connect(m_layScript, &QRadioButton::toggled, m_recount, qOverload<>(&QTimer::start));
    Recount();
}

PhraseSettings CDetectPhrasesDlg::Settings() const {
    PhraseSettings settings;
    settings.thresholdDb =
        m_automatic->isChecked() ? std::nullopt : std::optional<double>(m_threshold->value());
    settings.minSilenceMs = m_minSilence->value();
    settings.minPhraseMs = m_minPhrase->value();
    settings.padMs = m_pad->value();
    return settings;
}

PhraseUse CDetectPhrasesDlg::Use() const {
    return m_layScript->isChecked() ? PhraseUse::LayScript : PhraseUse::NewCues;
}

void CDetectPhrasesDlg::Recount() {
    const PhraseSettings settings = Settings();
    const QString refused = CheckPhraseSettings(settings);
    m_buttons->button(QDialogButtonBox::Ok)->setEnabled(refused.isEmpty());
    if (!refused.isEmpty()) {
        m_phrases.clear();
        m_count->setText(refused);
        return;
    }
    m_phrases = FindPhrases(m_levels, settings, m_nRate);
    QString text = tr("%1 phrases found.").arg(m_phrases.size());
    if (Use() == PhraseUse::LayScript) {
        const FittedPhrases fitted =
            FitPhrases(m_phrases, m_placeholderChars, m_levels, settings, m_nRate);
        text += tr(" Laying %1 placeholder cues: %2 joined, %3 split.")
                    .arg(m_placeholderChars.size())
                    .arg(fitted.joined)
                    .arg(fitted.split);
    }
    m_count->setText(text);
}

void CDetectPhrasesDlg::accept() {
    // The phrases handed on must be those of the settings as they are now.
    if (m_recount->isActive()) {
        m_recount->stop();
        Recount();
    }
    if (!m_buttons->button(QDialogButtonBox::Ok)->isEnabled()) {
        return;
    }
    QSettings stored = AppSettings();
    stored.setValue("phrases/threshold", m_threshold->value());
    stored.setValue("phrases/automatic", m_automatic->isChecked());
    stored.setValue("phrases/minSilence", m_minSilence->value());
    stored.setValue("phrases/minPhrase", m_minPhrase->value());
    stored.setValue("phrases/pad", m_pad->value());
    QDialog::accept();
}
