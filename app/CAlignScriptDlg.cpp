#include "app/CAlignScriptDlg.h"

#include "app/AppSettings.h"
#include "speech/EspeakVoice.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

const char* const kLanguageKey = "align/language";
const char* const kChoiceKey = "align/cues";

} // namespace

CAlignScriptDlg::CAlignScriptDlg(int placeholders, int chosen, QWidget* parent)
    : QDialog(parent), m_language(new QComboBox(this)),
      m_placeholders(
          new QRadioButton(tr("Placeholder cues (\"#\"): %n", nullptr, placeholders), this)),
      m_chosen(new QRadioButton(tr("Chosen cues: %n", nullptr, chosen), this)),
      m_all(new QRadioButton(tr("All cues, keeping their texts"), this)) {
    setWindowTitle(tr("Align script"));
    const QSettings settings = AppSettings();
    m_language->addItems(EspeakVoice::Languages());
    const QString language =
        settings.value(kLanguageKey, EspeakVoice::LanguageForLocale(QLocale::system().name()))
            .toString();
    m_language->setCurrentIndex(std::max(0, m_language->findText(language)));
    m_chosen->setEnabled(chosen > 0);
    const int choice = settings.value(kChoiceKey, int(AlignChoice::Placeholders)).toInt();
    QRadioButton* checked = choice == int(AlignChoice::All)                    ? m_all
                            : choice == int(AlignChoice::Chosen) && chosen > 0 ? m_chosen
                                                                               : m_placeholders;
    checked->setChecked(true);

    auto* form = new QFormLayout;
    form->addRow(tr("&Language:"), m_language);
    auto* explanation = new QLabel(
        tr("Each cue's text is spoken by a voice of that language and laid where the "
           "recording says it, within the selection (or all of it). Cues the alignment is "
           "unsure of are marked \"uncertain\" for review."),
        this);
    explanation->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setEnabled(m_language->count() > 0);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(explanation);
    layout->addLayout(form);
    layout->addWidget(new QLabel(tr("Align:"), this));
    layout->addWidget(m_placeholders);
    layout->addWidget(m_chosen);
    layout->addWidget(m_all);
    layout->addWidget(buttons);
}

QString CAlignScriptDlg::Language() const {
    return m_language->currentText();
}

AlignChoice CAlignScriptDlg::Choice() const {
    return m_all->isChecked()      ? AlignChoice::All
           : m_chosen->isChecked() ? AlignChoice::Chosen
                                   : AlignChoice::Placeholders;
}

void CAlignScriptDlg::accept() {
    QSettings settings = AppSettings();
    settings.setValue(kLanguageKey, Language());
    settings.setValue(kChoiceKey, int(Choice()));
    QDialog::accept();
}
