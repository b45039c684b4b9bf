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

#include <algorithm>

namespace {

constexpr int kPreviewNames = 3;
constexpr int kReplanDelayMs = 200;
constexpr int kDefaultLoudnessLufs = -16;
const QString kLevelNone = QStringLiteral("none");
const QString kLevelPeak = QStringLiteral("peak");
const QString kLevelLoudness = QStringLiteral("loudness");

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

/// Whether the recording was decoded from a file other than a WAV (a video, perhaps): only
/// such a source can give stills; the export checks that it has a picture.
bool HasVideoSource(const CtarnDoc& doc) {
    return !doc.File().ImportSource().isEmpty();
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
    m_level = new QComboBox(this);
    m_level->setObjectName(QStringLiteral("level"));
    m_level->addItem(tr("As recorded"), kLevelNone);
    m_level->addItem(tr("Peak to -1 dBFS"), kLevelPeak);
    m_level->addItem(tr("Loudness"), kLevelLoudness);
    // A choice kept before the loudness existed was the peak or nothing.
    const QString level =
        stored
            .value("clips/level",
                   stored.value("clips/normalize").toBool() ? kLevelPeak : kLevelNone)
            .toString();
    m_level->setCurrentIndex(std::max(m_level->findData(level), 0));
    m_loudness = new QComboBox(this);
    m_loudness->setObjectName(QStringLiteral("loudness"));
    m_loudness->setToolTip(tr("Integrated loudness (EBU R128), the true peak at most -1.5 dBTP; "
                              "a clip under 400 ms is brought to its peak instead"));
    for (const int lufs : {-14, -16, -19, -23}) {
        m_loudness->addItem(tr("%1 LUFS").arg(lufs), lufs);
    }
    const int lufs =
        m_loudness->findData(stored.value("clips/loudness", kDefaultLoudnessLufs).toInt());
    m_loudness->setCurrentIndex(lufs >= 0 ? lufs : m_loudness->findData(kDefaultLoudnessLufs));
    m_loudness->setEnabled(m_level->currentData() == kLevelLoudness);
    m_index = new QCheckBox(tr("Index file:"), this);
    m_index->setChecked(stored.value("clips/index", true).toBool());
    const QString defaultIndex = QFileInfo(DefaultClipIndexPath(QString())).fileName();
    m_indexName = new QLineEdit(stored.value("clips/indexName", defaultIndex).toString(), this);
    m_indexName->setEnabled(m_index->isChecked());
    m_indexName->setToolTip(tr("Tab-separated, one row per clip, in the folder of the clips"));
    m_joinGap = MsBox(stored.value("clips/joinGap", defaults.joinGapMs).toInt(), this);
    m_joinGap->setObjectName(QStringLiteral("joinGap"));
    m_joinGap->setSpecialValueText(tr("never"));
    m_joinGap->setToolTip(tr("Consecutive cues this close make one clip, their texts on "
                             "separate lines"));
    m_context = new QCheckBox(tr("The texts before and after each clip"), this);
    m_context->setChecked(stored.value("clips/context", false).toBool());
    m_translation = new QCheckBox(tr("Translation from:"), this);
    m_translation->setChecked(stored.value("clips/translation", false).toBool());
    m_translationPath = new QLineEdit(stored.value("clips/translationPath").toString(), this);
    m_translationPath->setObjectName(QStringLiteral("translationPath"));
    m_translationPath->setEnabled(m_translation->isChecked());
    auto* browseTranslation = new QPushButton(tr("Browse..."), this);
    m_stills = new QCheckBox(tr("A still of the video at each clip, high:"), this);
    m_stills->setChecked(stored.value("clips/stills", false).toBool());
    m_stills->setEnabled(HasVideoSource(doc));
    m_stillHeight = new QSpinBox(this);
    m_stillHeight->setRange(kMinStillHeight, kMaxStillHeight);
    m_stillHeight->setSuffix(tr(" px"));
    m_stillHeight->setValue(stored.value("clips/stillHeight", defaults.stillHeight).toInt());
    m_deck = new QCheckBox(tr("Deck package (.apkg), deck:"), this);
    m_deck->setChecked(stored.value("clips/deck", false).toBool());
    m_deckName = new QLineEdit(stored.value("clips/deckName").toString(), this);
    m_deckName->setPlaceholderText(ClipBaseName(doc));
    m_deckName->setEnabled(m_deck->isChecked());
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
    form->addRow(tr("Format:"), m_format);
    form->addRow(tr("Level:"), Row({m_level, m_loudness}));
    form->addRow(tr("Join cues closer than:"), m_joinGap);
    form->addRow(m_index, m_indexName);
    form->addRow(QString(), m_context);
    form->addRow(m_translation, Row({m_translationPath, browseTranslation}));
    form->addRow(m_stills, m_stillHeight);
    form->addRow(m_deck, m_deckName);
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
    connect(m_translation, &QCheckBox::toggled, m_translationPath, &QWidget::setEnabled);
    connect(m_deck, &QCheckBox::toggled, m_deckName, &QWidget::setEnabled);
    connect(browseTranslation, &QPushButton::clicked, this, [this] { BrowseTranslation(); });
    connect(m_joinGap, &QSpinBox::valueChanged, m_replan, qOverload<>(&QTimer::start));
    connect(m_stills, &QCheckBox::toggled, m_replan, qOverload<>(&QTimer::start));
    connect(m_level, &QComboBox::currentIndexChanged, this,
            [this] { m_loudness->setEnabled(m_level->currentData() == kLevelLoudness); });
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
    options.normalize = m_level->currentData() == kLevelPeak;
    if (m_level->currentData() == kLevelLoudness) {
        options.loudnessLufs = m_loudness->currentData().toInt();
    }
    const QString index = m_indexName->text().trimmed();
    if (m_index->isChecked() && !index.isEmpty() && !options.folder.isEmpty()) {
        options.indexPath = QDir(options.folder).filePath(index);
    }
    options.joinGapMs = m_joinGap->value();
    options.context = m_context->isChecked();
    if (m_translation->isChecked()) {
        options.translationPath = m_translationPath->text().trimmed();
    }
    options.stills = m_stills->isEnabled() && m_stills->isChecked();
    options.stillHeight = m_stillHeight->value();
    if (m_deck->isChecked() && !options.folder.isEmpty()) {
        options.deckName = m_deckName->text().trimmed();
        const QString deck = options.deckName.isEmpty() ? ClipBaseName(m_doc) : options.deckName;
        options.deckPath =
            QDir(options.folder).filePath(SafeFileText(deck) + QStringLiteral(".apkg"));
    }
    return options;
}

void CExportClipsDlg::BrowseTranslation() {
    const QString path = QFileDialog::getOpenFileName(
        this, tr("Translation"), DialogFolder(m_doc.File().SourceFolder()),
        tr("Subtitles (*.srt *.vtt *.ass *.ssa *.sbv *.txt *.tsv);;All files (*)"));
    if (!path.isEmpty()) {
        RememberDialogFolder(QFileInfo(path).absolutePath());
        m_translationPath->setText(QDir::toNativeSeparators(path));
    }
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
    stored.setValue("clips/level", m_level->currentData());
    stored.setValue("clips/loudness", m_loudness->currentData());
    stored.setValue("clips/index", m_index->isChecked());
    stored.setValue("clips/indexName", m_indexName->text().trimmed());
    stored.setValue("clips/joinGap", options.joinGapMs);
    stored.setValue("clips/context", options.context);
    stored.setValue("clips/translation", m_translation->isChecked());
    stored.setValue("clips/translationPath", m_translationPath->text().trimmed());
    stored.setValue("clips/stills", m_stills->isChecked());
    stored.setValue("clips/stillHeight", options.stillHeight);
    stored.setValue("clips/deck", m_deck->isChecked());
    stored.setValue("clips/deckName", m_deckName->text().trimmed());
    QDialog::accept();
}
