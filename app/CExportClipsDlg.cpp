#include "app/CExportClipsDlg.h"

#include "actions/ClipSetRun.h"
#include "app/AppSettings.h"
#include "app/DialogFolder.h"
#include "document/CtarnDoc.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr int kPreviewNames = 3;
constexpr int kReplanDelayMs = 200;

QSpinBox* MsBox(int value, QWidget* parent) {
    auto* box = new QSpinBox(parent);
    box->setRange(0, kMaxClipPadMs);
    box->setSuffix(QStringLiteral(" ms"));
    box->setValue(value);
    return box;
}

/// A row of widgets as one cell of the form.
QHBoxLayout* Row(std::initializer_list<QWidget*> widgets) {
    auto* row = new QHBoxLayout;
    for (QWidget* widget : widgets) {
        row->addWidget(widget);
    }
    return row;
}

} // namespace

CExportClipsDlg::CExportClipsDlg(const CtarnDoc& doc, QWidget* parent)
    : QDialog(parent), m_doc(doc) {
    setWindowTitle(tr("Export clips"));
    const ClipSetOptions defaults;
    QSettings stored = AppSettings();

    m_folder = new QLineEdit(stored.value("clips/folder").toString(), this);
    auto* browse = new QPushButton(tr("Browse..."), this);
    m_pattern = new QLineEdit(stored.value("clips/pattern", defaults.pattern).toString(), this);
    m_pattern->setObjectName(QStringLiteral("pattern"));
    m_pattern->setToolTip(tr("{n}: the clip's number, {n:03} with 3 digits; {text}: the cue's "
                             "first line; {start}: its start (h-mm-ss.mmm); {base}: the "
                             "recording's name"));
    m_startNumber = new QSpinBox(this);
    m_startNumber->setRange(0, kMaxClipStartNumber);
    m_startNumber->setValue(stored.value("clips/start", defaults.startNumber).toInt());
    m_preview = new QLabel(this);
    m_preview->setObjectName(QStringLiteral("preview"));
    m_preview->setTextFormat(Qt::PlainText);

    m_allCues = new QRadioButton(tr("All cues"), this);
    m_currentCue = new QRadioButton(tr("The current cue"), this);
    m_currentCue->setEnabled(doc.Cues().IsValidIndex(doc.CurrentCue()));
    m_selectionCues = new QRadioButton(tr("The cues that overlap the selection"), this);
    m_selectionCues->setEnabled(doc.SelStart() != doc.SelEnd());
    // The choices in the order of ClipCues; one that does not apply now falls back to all cues.
    QRadioButton* const choices[] = {m_allCues, m_currentCue, m_selectionCues};
    const int storedCues = stored.value("clips/cues", int(defaults.cues)).toInt();
    QRadioButton* chosen = storedCues > 0 && storedCues < 3 ? choices[storedCues] : m_allCues;
    (chosen->isEnabled() ? chosen : m_allCues)->setChecked(true);
    m_placeholders = new QCheckBox(tr("Include placeholder cues (\"#\")"), this);
    m_placeholders->setChecked(stored.value("clips/placeholders", defaults.placeholders).toBool());

    m_padBefore = MsBox(stored.value("clips/padBefore", defaults.padBeforeMs).toInt(), this);
    m_padAfter = MsBox(stored.value("clips/padAfter", defaults.padAfterMs).toInt(), this);
    m_fade = new QCheckBox(tr("Fade in and out (10 ms)"), this);
    m_fade->setChecked(stored.value("clips/fade", defaults.fade).toBool());
    m_format = new QComboBox(this);
    m_format->addItem(tr("WAV 16-bit"), int(ClipFormat::Wav));
    m_format->addItem(tr("FLAC"), int(ClipFormat::Flac));
    m_format->addItem(tr("MP3 (VBR, quality 2)"), int(ClipFormat::Mp3));
    m_format->addItem(tr("Opus in Ogg (96 kbit/s)"), int(ClipFormat::Opus));
    const QString format = stored.value("clips/format", ClipExtension(defaults.format)).toString();
    for (int i = 0; i < m_format->count(); ++i) {
        if (ClipExtension(ClipFormat(m_format->itemData(i).toInt())) == format) {
            m_format->setCurrentIndex(i);
        }
    }
    m_normalize = new QCheckBox(tr("Normalise each clip to -1 dBFS"), this);
    m_normalize->setChecked(stored.value("clips/normalize", defaults.normalize).toBool());
    m_index = new QCheckBox(tr("Index file:"), this);
    m_index->setChecked(stored.value("clips/index", true).toBool());
    const QString defaultIndex = QFileInfo(DefaultClipIndexPath(QString())).fileName();
    m_indexName = new QLineEdit(stored.value("clips/indexName", defaultIndex).toString(), this);
    m_indexName->setEnabled(m_index->isChecked());
    m_indexName->setToolTip(tr("Tab-separated, one row per clip, in the folder of the clips"));
    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);

    auto* form = new QFormLayout;
    form->addRow(tr("Folder:"), Row({m_folder, browse}));
    form->addRow(tr("Names:"), Row({m_pattern, new QLabel(tr("from"), this), m_startNumber}));
    form->addRow(tr("Preview:"), m_preview);
    auto* cues = new QVBoxLayout;
    cues->addWidget(m_allCues);
    cues->addWidget(m_currentCue);
    cues->addWidget(m_selectionCues);
    cues->addWidget(m_placeholders);
    form->addRow(tr("Cues:"), cues);
    form->addRow(tr("Padding:"), Row({new QLabel(tr("before"), this), m_padBefore,
                                      new QLabel(tr("after"), this), m_padAfter, m_fade}));
    form->addRow(tr("Format:"), Row({m_format, m_normalize}));
    form->addRow(m_index, m_indexName);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_buttons);

    // Planning tens of thousands of cues takes a while: the preview follows once typing pauses.
    m_replan = new QTimer(this);
    m_replan->setObjectName(QStringLiteral("replan"));
    m_replan->setSingleShot(true);
    m_replan->setInterval(kReplanDelayMs);
    connect(m_replan, &QTimer::timeout, this, [this] { Replan(); });
    connect(browse, &QPushButton::clicked, this, [this] { Browse(); });
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    for (QLineEdit* edit : {m_folder, m_pattern, m_indexName}) {
        connect(edit, &QLineEdit::textChanged, m_replan, qOverload<>(&QTimer::start));
    }
    for (QSpinBox* box : {m_startNumber, m_padBefore, m_padAfter}) {
        connect(box, &QSpinBox::valueChanged, m_replan, qOverload<>(&QTimer::start));
    }
    for (QAbstractButton* button : std::initializer_list<QAbstractButton*>{
             m_allCues, m_currentCue, m_selectionCues, m_placeholders, m_index}) {
        connect(button, &QAbstractButton::toggled, m_replan, qOverload<>(&QTimer::start));
    }
    connect(m_format, &QComboBox::currentIndexChanged, m_replan, qOverload<>(&QTimer::start));
    connect(m_index, &QCheckBox::toggled, m_indexName, &QWidget::setEnabled);
    Replan();
}

ClipSetOptions CExportClipsDlg::Options() const {
    ClipSetOptions options;
    const QString folder = m_folder->text().trimmed();
    options.folder = folder.isEmpty() ? QString() : QDir::cleanPath(folder);
    options.pattern = m_pattern->text();
    options.startNumber = m_startNumber->value();
    options.cues = m_currentCue->isChecked()      ? ClipCues::Current
                   : m_selectionCues->isChecked() ? ClipCues::Selection
                                                  : ClipCues::All;
    options.placeholders = m_placeholders->isChecked();
    options.padBeforeMs = m_padBefore->value();
    options.padAfterMs = m_padAfter->value();
    options.fade = m_fade->isChecked();
    options.format = ClipFormat(m_format->currentData().toInt());
    options.normalize = m_normalize->isChecked();
    const QString index = m_indexName->text().trimmed();
    if (m_index->isChecked() && !index.isEmpty() && !options.folder.isEmpty()) {
        options.indexPath = QDir(options.folder).filePath(index);
    }
    return options;
}

void CExportClipsDlg::Browse() {
    // The folder already chosen, else beside the recording.
    const QString chosen = m_folder->text().trimmed();
    const QString folder = QFileDialog::getExistingDirectory(
        this, tr("Export clips to"),
        chosen.isEmpty() ? DialogFolder(m_doc.File().SourceFolder()) : chosen);
    if (!folder.isEmpty()) {
        RememberDialogFolder(folder);
        m_folder->setText(QDir::toNativeSeparators(folder));
    }
}

void CExportClipsDlg::Replan() {
    const ClipSetOptions options = Options();
    const std::vector<PlannedClip> plan = PlanDocumentClips(m_doc, options);
    QStringList lines;
    for (size_t i = 0; i < plan.size() && i < size_t(kPreviewNames); ++i) {
        lines << plan[i].fileName;
    }
    if (plan.size() > size_t(kPreviewNames)) {
        lines << tr("... %1 clips in all").arg(plan.size());
    }
    m_preview->setText(plan.empty() ? tr("No cue to export.") : lines.join(QChar('\n')));
    m_buttons->button(QDialogButtonBox::Ok)
        ->setEnabled(!options.folder.isEmpty() && !options.pattern.trimmed().isEmpty() &&
                     !plan.empty());
}

void CExportClipsDlg::accept() {
    // A change still waiting for its plan may have emptied it or the pattern.
    if (m_replan->isActive()) {
        m_replan->stop();
        Replan();
    }
    if (!m_buttons->button(QDialogButtonBox::Ok)->isEnabled()) {
        return;
    }
    QSettings stored = AppSettings();
    const ClipSetOptions options = Options();
    stored.setValue("clips/folder", m_folder->text().trimmed());
    stored.setValue("clips/pattern", options.pattern);
    stored.setValue("clips/start", options.startNumber);
    stored.setValue("clips/cues", int(options.cues));
    stored.setValue("clips/placeholders", options.placeholders);
    stored.setValue("clips/padBefore", options.padBeforeMs);
    stored.setValue("clips/padAfter", options.padAfterMs);
    stored.setValue("clips/fade", options.fade);
    stored.setValue("clips/format", ClipExtension(options.format));
    stored.setValue("clips/normalize", options.normalize);
    stored.setValue("clips/index", m_index->isChecked());
    stored.setValue("clips/indexName", m_indexName->text().trimmed());
    QDialog::accept();
}
