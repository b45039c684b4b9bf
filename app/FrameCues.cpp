// The main window's cue parts: the cue list, the overview, the current cue's figures in the
// status bar and the commands that move between cues.
#include "app/CMainFrame.h"

#include "actions/CueCommands.h"
#include "actions/CueFind.h"
#include "actions/RetimeCues.h"
#include "actions/TidyCues.h"
#include "app/AppSettings.h"
#include "app/CCueListDock.h"
#include "app/CFindDlg.h"
#include "app/CProfileDlg.h"
#include "app/CRetimeDlg.h"
#include "app/CTidyDlg.h"
#include "audio/Transport.h"
#include "document/CtarnDoc.h"
#include "models/CueChecks.h"
#include "models/CueTableModel.h"
#include "subtitles/CueFigures.h"
#include "view/COverview.h"
#include "view/CtarnView.h"

#include <QLabel>
#include <QStatusBar>
#include <QVBoxLayout>

namespace {

const char* const kPlayOnCurrentKey = "cues/playWhenCurrent";
const char* const kProfileKey = "rules/profile";

const char* const kCustomName = "custom";

/// The rules chosen last (built in, or the user's own), the adults' by default.
TimingProfile ChosenProfile() {
    const QString name = AppSettings().value(kProfileKey, QStringLiteral("netflix")).toString();
    if (name == QLatin1String(kCustomName)) {
        if (std::optional<TimingProfile> custom = StoredCustomProfile()) {
            return *custom;
        }
    }
    return BuiltInProfile(name).value_or(*BuiltInProfile(u"netflix"));
}

} // namespace

void CMainFrame::CreateCueParts() {
    auto* centre = new QWidget(this);
    auto* layout = new QVBoxLayout(centre);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(new COverview(m_doc, m_view.Strip(), centre));
    layout->addWidget(&m_view);
    setCentralWidget(centre);

    m_cueDock = new CCueListDock(m_doc, m_host, this);
    m_cueDock->makeCurrent = [this](int cue) { MakeCueCurrent(cue); };
    addDockWidget(Qt::BottomDockWidgetArea, m_cueDock);
    resizeDocks({m_cueDock}, {170}, Qt::Vertical);

    m_checks = new CueChecks(m_doc, ChosenProfile(), this);
    m_cueDock->Model()->SetChecks(m_checks);
    m_view.SetFlagged([this](int cue) { return bool(m_checks->Problems(cue)); });
    m_rulesLabel = new QLabel(this);
    m_rulesLabel->setObjectName(QStringLiteral("rulesPane"));
    statusBar()->insertPermanentWidget(0, m_rulesLabel);
    connect(m_checks, &CueChecks::checked, this, [this] {
        const int flagged = m_checks->FlaggedCount();
        m_rulesLabel->setText(flagged > 0 ? tr("%n cues break the rules", nullptr, flagged)
                                          : QString());
        m_view.Repaint();
    });

    m_cueLabel = new QLabel(this);
    m_cueLabel->setObjectName(QStringLiteral("cuePane"));
    statusBar()->insertPermanentWidget(0, m_cueLabel);
    const auto showCue = [this] { UpdateCueStatus(); };
    connect(&m_doc, &CtarnDoc::currentCueChanged, this, showCue);
    connect(&m_doc, &CtarnDoc::cuesChanged, this, showCue);
    connect(&m_doc, &CtarnDoc::documentReplaced, this, showCue);

    m_bPlayOnCurrent = AppSettings().value(kPlayOnCurrentKey, true).toBool();

    m_findDlg = new CFindDlg(this);
    m_findDlg->onFind = [this](bool backward) { FindCueAndShow(backward); };
    m_findDlg->onReplace = [this] {
        const int cue = m_doc.CurrentCue();
        const CueQuery query = m_findDlg->Query();
        if (m_doc.Cues().IsValidIndex(cue) && CueSearch(query).Matches(m_doc.Cues().Text(cue))) {
            ReplaceInCue(m_doc, m_host, query, m_findDlg->Replacement(), cue);
        }
        FindCueAndShow(false);
    };
    m_findDlg->onReplaceAll = [this] {
        ReplaceAll(m_doc, m_host, m_findDlg->Query(), m_findDlg->Replacement());
    };
}

void CMainFrame::OnRetimeCues() {
    const std::vector<int> chosen = m_cueDock->ChosenCues();
    CRetimeDlg dialog(m_doc.Cues().Count(), int(chosen.size()), this);
    if (dialog.exec() == QDialog::Accepted) {
        RetimeCues(m_doc, m_host, dialog.ChosenOnly() ? chosen : std::vector<int>{},
                   *dialog.Result());
    }
}

void CMainFrame::OnCustomRules() {
    CProfileDlg dialog(StoredCustomProfile().value_or(m_checks->Profile()), this);
    if (dialog.exec() == QDialog::Accepted) {
        StoreCustomProfile(*dialog.Result());
        AppSettings().setValue(kProfileKey, QString::fromLatin1(kCustomName));
        m_checks->SetProfile(*dialog.Result());
    }
}

void CMainFrame::OnTidyTiming() {
    const std::vector<int> chosen = m_cueDock->ChosenCues();
    const auto count = [this, &chosen](const TidySettings& settings,
                                       bool chosenOnly) -> std::optional<int> {
        // Snapping measures the whole recording: too long to repeat at every keystroke.
        if (settings.snap.num != 0) {
            return std::nullopt;
        }
        return CountTidiedCues(m_doc, chosenOnly ? chosen : std::vector<int>{}, settings);
    };
    CTidyDlg dialog(TidySettingsFor(m_checks->Profile()), int(chosen.size()), count, this);
    if (dialog.exec() == QDialog::Accepted) {
        TidyCues(m_doc, m_host, dialog.ChosenOnly() ? chosen : std::vector<int>{},
                 *dialog.Result());
    }
}

void CMainFrame::FindCueAndShow(bool backward) {
    if (m_findDlg->Query().pattern.isEmpty()) {
        m_findDlg->Open(false);
        return;
    }
    MakeCueCurrent(FindCue(m_doc, m_host, m_findDlg->Query(), backward));
}

void CMainFrame::AddCueCommands() {
    m_commands.Add({.text = QT_TRANSLATE_NOOP("Command", "Cue list"),
                    .prompt = QT_TRANSLATE_NOOP("Command", "Show or hide the list of cues"),
                    .menu = Menu::View,
                    .menuPlace = 104,
                    .handler = [this] { m_cueDock->setVisible(m_cueDock->isHidden()); },
                    .rule = [this] { return ToggleState(!m_cueDock->isHidden()); },
                    .checkable = true});
    m_commands.Add({.text = QT_TRANSLATE_NOOP("Command", "Play the cue when it becomes current"),
                    .prompt = QT_TRANSLATE_NOOP(
                        "Command", "Play a cue chosen in the list or by the next and previous "
                                   "cue keys"),
                    .menu = Menu::View,
                    .menuPlace = 105,
                    .handler =
                        [this] {
                            m_bPlayOnCurrent = !m_bPlayOnCurrent;
                            AppSettings().setValue(kPlayOnCurrentKey, m_bPlayOnCurrent);
                        },
                    .rule = [this] { return ToggleState(m_bPlayOnCurrent); },
                    .checkable = true});
    const Command::Rule hasCues = EnabledWhile([this] { return m_doc.Cues().Count() > 0; });
    m_commands.Add({.text = QT_TRANSLATE_NOOP("Command", "Find..."),
                    .prompt = QT_TRANSLATE_NOOP("Command", "Find a text among the cues"),
                    .keys = {"Ctrl+F"},
                    .menu = Menu::Edit,
                    .menuPlace = 301,
                    .handler = [this] { m_findDlg->Open(false); },
                    .rule = hasCues});
    m_commands.Add(
        {.text = QT_TRANSLATE_NOOP("Command", "Replace..."),
         .prompt = QT_TRANSLATE_NOOP("Command", "Replace a text in the cues with another"),
         .keys = {"Ctrl+H"},
         .menu = Menu::Edit,
         .menuPlace = 302,
         .handler = [this] { m_findDlg->Open(true); },
         .rule = hasCues});
    m_commands.Add(
        {.text = QT_TRANSLATE_NOOP("Command", "Find next"),
         .prompt = QT_TRANSLATE_NOOP("Command", "Make the next cue with the text current"),
         .keys = {"F3"},
         .menu = Menu::Edit,
         .menuPlace = 303,
         .handler = [this] { FindCueAndShow(false); },
         .rule = hasCues});
    m_commands.Add(
        {.text = QT_TRANSLATE_NOOP("Command", "Find previous"),
         .prompt = QT_TRANSLATE_NOOP("Command", "Make the previous cue with the text current"),
         .keys = {"Shift+F3"},
         .menu = Menu::Edit,
         .menuPlace = 304,
         .handler = [this] { FindCueAndShow(true); },
         .rule = hasCues});
    m_commands.Add({.text = QT_TRANSLATE_NOOP("Command", "Retime cues..."),
                    .prompt = QT_TRANSLATE_NOOP(
                        "Command", "Shift the cues, fit them to two times or carry them to "
                                   "another frame rate"),
                    .menu = Menu::Cues,
                    .menuPlace = 303,
                    .handler = [this] { OnRetimeCues(); },
                    .rule = hasCues});
    m_commands.Add(
        {.text = QT_TRANSLATE_NOOP("Command", "Next cue breaking a rule"),
         .prompt =
             QT_TRANSLATE_NOOP("Command", "Make the next cue that breaks a timing rule current"),
         .keys = {"F8"},
         .menu = Menu::Cues,
         .menuPlace = 501,
         .handler = [this] { MakeCueCurrent(m_checks->NextFlagged(m_doc.CurrentCue(), false)); },
         .rule = EnabledWhile([this] { return m_checks->FlaggedCount() > 0; })});
    m_commands.Add(
        {.text = QT_TRANSLATE_NOOP("Command", "Previous cue breaking a rule"),
         .prompt = QT_TRANSLATE_NOOP("Command",
                                     "Make the previous cue that breaks a timing rule current"),
         .keys = {"Shift+F8"},
         .menu = Menu::Cues,
         .menuPlace = 502,
         .handler = [this] { MakeCueCurrent(m_checks->NextFlagged(m_doc.CurrentCue(), true)); },
         .rule = EnabledWhile([this] { return m_checks->FlaggedCount() > 0; })});
    const struct {
        const char* text;
        const char* name;
        int place;
    } profiles[] = {
        {QT_TRANSLATE_NOOP("Command", "Rules: Netflix (adults)"), "netflix", 503},
        {QT_TRANSLATE_NOOP("Command", "Rules: Netflix (children)"), "netflix-children", 504},
    };
    for (const auto& p : profiles) {
        const QString name = QString::fromLatin1(p.name);
        m_commands.Add(
            {.text = p.text,
             .prompt = QT_TRANSLATE_NOOP("Command", "Check the cues against these timing rules"),
             .menu = Menu::Cues,
             .menuPlace = p.place,
             .handler =
                 [this, name] {
                     AppSettings().setValue(kProfileKey, name);
                     m_checks->SetProfile(*BuiltInProfile(name));
                 },
             .rule =
                 [this, name] {
                     return ToggleState(m_checks->Profile().name == BuiltInProfile(name)->name);
                 },
             .checkable = true});
    }
    m_commands.Add({.text = QT_TRANSLATE_NOOP("Command", "Tidy timing..."),
                    .prompt = QT_TRANSLATE_NOOP(
                        "Command", "Snap, lengthen and space the cues to meet the timing rules"),
                    .menu = Menu::Cues,
                    .menuPlace = 304,
                    .handler = [this] { OnTidyTiming(); },
                    .rule = hasCues});
    m_commands.Add(
        {.text = QT_TRANSLATE_NOOP("Command", "Rules: Custom..."),
         .prompt = QT_TRANSLATE_NOOP("Command", "Set and use timing rules of your own"),
         .menu = Menu::Cues,
         .menuPlace = 505,
         .handler = [this] { OnCustomRules(); },
         .rule =
             [this] { return ToggleState(m_checks->Profile().name == QLatin1String("Custom")); },
         .checkable = true});
    m_commands.Add({.text = QT_TRANSLATE_NOOP("Command", "Next cue"),
                    .prompt = QT_TRANSLATE_NOOP("Command", "Make the next cue current"),
                    .keys = {"Alt+Down"},
                    .menu = Menu::Cues,
                    .menuPlace = 401,
                    .handler = [this] { MakeCueCurrent(NeighbourCue(m_doc, true)); },
                    .rule = hasCues});
    m_commands.Add({.text = QT_TRANSLATE_NOOP("Command", "Previous cue"),
                    .prompt = QT_TRANSLATE_NOOP("Command", "Make the previous cue current"),
                    .keys = {"Alt+Up"},
                    .menu = Menu::Cues,
                    .menuPlace = 402,
                    .handler = [this] { MakeCueCurrent(NeighbourCue(m_doc, false)); },
                    .rule = hasCues});
}

std::vector<int> CMainFrame::ChosenCues() const {
    return m_cueDock->ChosenCues();
}

void CMainFrame::MakeCueCurrent(int cue) {
    if (!m_doc.Cues().IsValidIndex(cue)) {
        return;
    }
    m_doc.SetCurrentCue(cue);
    SelectCueSpan(m_doc, cue);
    if (m_bPlayOnCurrent) {
        m_transport.PlayRange(m_doc.SelStart(), m_doc.SelEnd());
    }
}

void CMainFrame::UpdateCueStatus() {
    const int cue = m_doc.CurrentCue();
    m_cueLabel->setText(m_doc.Cues().IsValidIndex(cue)
                            ? CueStatusText(m_doc.Cues(), cue, m_doc.GetRecording().SampleRate())
                            : QString());
}
