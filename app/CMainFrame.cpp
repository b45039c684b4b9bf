#include "app/CMainFrame.h"

#include "app/AppSettings.h"
#include "app/CShortcutsDlg.h"
#include "app/ToolbarIcons.h"
#include "base/ClockText.h"
#include "commands/CommandCatalog.h"
#include "commands/CommandIds.h"
#include "commands/ConsoleInterpreter.h"
#include "document/CtarnDoc.h"
#include "view/CtarnView.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QStatusBar>
#include <QToolBar>

namespace {

constexpr int kLockPollMs = 250;
/// How long a confirmation stays in the status bar.
constexpr int kNoticeMs = 5000;
const char* const kLockTexts[3] = {"CAP", "NUM", "SCRL"};
const char* const kGeometryKey = "window/geometry";
const char* const kBarsKey = "window/bars";
const char* const kStatusBarKey = "window/statusBar";

/// A text of the command catalog in the user's language.
QString CommandText(const QString& source) {
    return QCoreApplication::translate("Command", source.toUtf8().constData());
}

} // namespace

CMainFrame::CMainFrame(CtarnDoc& doc, CtarnView& view, CommandRouter& route)
    : m_doc(doc), m_view(view), m_route(route) {
    setCentralWidget(&m_view);
    setAcceptDrops(true);
    resize(1100, 520);
    CreateActions();
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();
    CreateConsoleBar();
    AddFrameCommands();
    RestoreLayout();

    connect(&m_view, &CtarnView::statusTextChanged, this, [this](const QString& text) {
        m_strPointerLine = text;
        if (!m_noticeTimer.isActive()) {
            statusBar()->showMessage(text);
        }
    });
    connect(&m_view, &CtarnView::pointerFrameChanged, this, [this](qint64 frame) {
        m_nPointerFrame = frame;
        UpdateTimes();
    });
    connect(&m_view, &CtarnView::stateChanged, this, &CMainFrame::RefreshCommandStates);
    connect(&m_doc, &CtarnDoc::selectionChanged, this, &CMainFrame::UpdateTimes);
    connect(&m_doc, &CtarnDoc::playStateChanged, this, &CMainFrame::RefreshCommandStates);
    connect(&m_doc, &CtarnDoc::modifiedChanged, this, [this] {
        UpdateTitle();
        RefreshCommandStates();
    });
    connect(&m_doc, &CtarnDoc::viewsUpdateRequested, this, [this] {
        UpdateTitle();
        RefreshCommandStates();
        UpdateTimes();
    });
    UpdateTitle();
}

QAction* CMainFrame::AddAction(int id, const QString& text) {
    auto* action = new QAction(text, this);
    m_actions[id] = action;
    connect(action, &QAction::triggered, this, [this, id] { Execute(id); });
    // Keys work whether or not the command shows in a menu or on the toolbar.
    addAction(action);
    return action;
}

void CMainFrame::CreateActions() {
    for (const CommandInfo& info : CommandCatalog()) {
        if (info.id == CommandId::kExec) {
            continue;
        }
        QAction* action = AddAction(info.id, CommandText(info.text));
        action->setStatusTip(CommandText(info.prompt));
        QString tooltip = CommandText(info.tooltip.isEmpty() ? info.text : info.tooltip);
        const QString key = info.shortcuts.isEmpty() ? info.tooltipKeys : info.shortcuts.first();
        if (!key.isEmpty()) {
            tooltip +=
                QStringLiteral(" (%1)").arg(QKeySequence(key).toString(QKeySequence::NativeText));
        }
        action->setToolTip(tooltip);
        action->setCheckable(info.checkable);
        QList<QKeySequence> keys;
        for (const QString& key : info.shortcuts) {
            keys << QKeySequence(key);
        }
        action->setShortcuts(keys);
        if (!info.icon.isEmpty()) {
            action->setIcon(ToolbarIcon(info.icon));
        }
    }
}

void CMainFrame::CreateMenus() {
    for (const MenuLayout& layout : MenuBarLayout()) {
        QMenu* menu = menuBar()->addMenu(CommandText(layout.title));
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::RefreshCommandStates);
        for (int id : layout.items) {
            if (id == kSeparator) {
                menu->addSeparator();
            } else if (id == kRecentFiles) {
                m_fileMenu = menu;
                m_recentAnchor = menu->addAction(tr("最近的文件"));
                m_recentAnchor->setEnabled(false);
            } else {
                menu->addAction(Action(id));
            }
        }
    }
}

void CMainFrame::CreateToolBar() {
    m_toolBar = addToolBar(tr("工具栏"));
    m_toolBar->setObjectName(QStringLiteral("toolbar"));
    m_toolBar->setIconSize(QSize(32, 32));
    for (int id : ToolBarLayout()) {
        if (id == kSeparator) {
            m_toolBar->addSeparator();
        } else {
            m_toolBar->addAction(Action(id));
        }
    }
}

void CMainFrame::CreateStatusBar() {
    m_strPointerLine = tr("就绪");
    statusBar()->showMessage(m_strPointerLine);
    m_timesLabel = new QLabel(this);
    m_timesLabel->setObjectName(QStringLiteral("timesPane"));
    m_timesLabel->setFrameShape(QFrame::Panel);
    m_timesLabel->setFrameShadow(QFrame::Sunken);
    statusBar()->addPermanentWidget(m_timesLabel);
    m_noticeTimer.setSingleShot(true);
    m_noticeTimer.setInterval(kNoticeMs);
    connect(&m_noticeTimer, &QTimer::timeout, this,
            [this] { statusBar()->showMessage(m_strPointerLine); });
    UpdateTimes();
    for (int i = 0; i < 3; ++i) {
        m_lockLabels[i] = new QLabel(this);
        m_lockLabels[i]->setAlignment(Qt::AlignCenter);
        m_lockLabels[i]->setMinimumWidth(
            m_lockLabels[i]->fontMetrics().horizontalAdvance(QString::fromLatin1(kLockTexts[i])) +
            12);
        m_lockLabels[i]->setFrameShape(QFrame::Panel);
        m_lockLabels[i]->setFrameShadow(QFrame::Sunken);
        statusBar()->addPermanentWidget(m_lockLabels[i]);
    }
    m_lockTimer.setInterval(kLockPollMs);
    connect(&m_lockTimer, &QTimer::timeout, this, [this] { ShowLockKeys(ReadLockKeys()); });
    m_lockTimer.start();
    ShowLockKeys(ReadLockKeys());
}

void CMainFrame::UpdateTimes() {
    const qint32 rate = m_doc.SampleRate();
    m_timesLabel->setText(SelectionTimesText(m_doc.SelStart(), m_doc.SelEnd(), rate) +
                          QStringLiteral("   ") + PointerTimeText(m_nPointerFrame, rate));
}

void CMainFrame::ShowNotice(const QString& text) {
    statusBar()->showMessage(text);
    m_noticeTimer.start();
}

bool CMainFrame::event(QEvent* event) {
    // Passing over a button or a menu item would put its tip in the status bar, and leaving
    // it would clear the bar: a confirmation keeps the bar for its whole time.
    if (event->type() == QEvent::StatusTip && m_noticeTimer.isActive()) {
        return true;
    }
    return QMainWindow::event(event);
}

void CMainFrame::ShowLockKeys(const LockKeyStates& keys) {
    const bool on[3] = {keys.caps, keys.num, keys.scroll};
    for (int i = 0; i < 3; ++i) {
        m_lockLabels[i]->setText(on[i] ? QString::fromLatin1(kLockTexts[i]) : QString());
    }
}

void CMainFrame::CreateConsoleBar() {
    m_consoleBar = new QToolBar(tr("控制栏"), this);
    m_consoleBar->setObjectName(QStringLiteral("consoleBar"));
    m_consoleBar->setAllowedAreas(Qt::TopToolBarArea | Qt::BottomToolBarArea);
    m_consoleEdit = new QLineEdit(m_consoleBar);
    m_consoleEdit->setObjectName(QStringLiteral("IDC_COMMAND_EDIT"));
    m_consoleEdit->setFixedWidth(240);
    m_execButton = new QPushButton(QStringLiteral("EXEC"), m_consoleBar);
    m_execButton->setObjectName(QStringLiteral("IDC_EXEC"));
    m_execButton->setFixedWidth(100);
    m_execButton->setDefault(true);
    m_consoleBar->addWidget(m_consoleEdit);
    m_consoleBar->addWidget(m_execButton);
    // Same row as the main toolbar, right of it.
    addToolBar(Qt::TopToolBarArea, m_consoleBar);
    m_consoleBar->setVisible(m_bConsoleVisible);
    connect(m_execButton, &QPushButton::clicked, this, [this] { Execute(CommandId::kExec); });
    connect(m_consoleEdit, &QLineEdit::returnPressed, this, [this] { Execute(CommandId::kExec); });
}

void CMainFrame::AddFrameCommands() {
    using namespace CommandId;
    m_commands.On(kExec, [this] { RunConsoleCommand(m_doc, m_consoleEdit->text()); });
    m_commands.On(kViewControlBar, [this] {
        m_bConsoleVisible = !m_bConsoleVisible;
        m_consoleBar->setVisible(m_bConsoleVisible);
    });
    m_commands.Update(kViewControlBar, [this] { return ToggleState(m_bConsoleVisible); });
    m_commands.On(kViewToolbar, [this] { m_toolBar->setVisible(!m_toolBar->isVisible()); });
    m_commands.Update(kViewToolbar, [this] { return ToggleState(m_toolBar->isVisible()); });
    m_commands.On(kViewStatusBar, [this] { statusBar()->setVisible(!statusBar()->isVisible()); });
    m_commands.Update(kViewStatusBar, [this] { return ToggleState(statusBar()->isVisible()); });
    // The one view is never split, so both pane keys lead back to it.
    m_commands.On(kNextPane, [this] { m_view.setFocus(); });
    m_commands.On(kPrevPane, [this] { m_view.setFocus(); });
    m_commands.On(kAppExit, [this] { close(); });
    m_commands.On(kKeyboardShortcuts, [this] {
        CShortcutsDlg dialog(this);
        dialog.exec();
    });
}

QAction* CMainFrame::Action(int id) const {
    const auto it = m_actions.find(id);
    return it == m_actions.end() ? nullptr : it->second;
}

void CMainFrame::Execute(int id) {
    m_route.Execute(id);
    RefreshCommandStates();
}

void CMainFrame::RefreshCommandStates() {
    for (const auto& [id, action] : m_actions) {
        const CommandState state = m_route.State(id);
        action->setEnabled(state.enabled);
        if (const CommandInfo* info = FindCommand(id)) {
            action->setStatusTip(state.statusTip.value_or(CommandText(info->prompt)));
        }
        if (action->isCheckable()) {
            action->setChecked(state.checked.value_or(false));
        }
    }
    m_execButton->setEnabled(m_route.State(CommandId::kExec).enabled);
}

void CMainFrame::SetRecentFiles(const QStringList& files) {
    for (QAction* action : m_recentActions) {
        m_fileMenu->removeAction(action);
        m_actions.erase(action->data().toInt());
        delete action;
    }
    m_recentActions.clear();
    m_recentAnchor->setVisible(files.isEmpty());
    for (int i = 0; i < files.size(); ++i) {
        const int id = CommandId::kFileMruFile1 + i;
        auto* action = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(files[i]), this);
        action->setData(id);
        connect(action, &QAction::triggered, this, [this, id] { Execute(id); });
        m_fileMenu->insertAction(m_recentAnchor, action);
        m_recentActions.push_back(action);
        m_actions[id] = action;
    }
}

void CMainFrame::UpdateTitle() {
    // "[*]" is where Qt shows the modified mark while the window is marked modified.
    setWindowTitle(QStringLiteral("tarn - ") + m_doc.GetTitle() + QStringLiteral("[*]"));
    setWindowModified(m_doc.IsModified());
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls() && event->mimeData()->urls().constFirst().isLocalFile()) {
        event->acceptProposedAction();
    }
}

void CMainFrame::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (!urls.isEmpty() && urls.constFirst().isLocalFile() && onFileDropped) {
        event->acceptProposedAction();
        onFileDropped(urls.constFirst().toLocalFile());
    }
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (canClose && !canClose()) {
        event->ignore();
        return;
    }
    SaveLayout();
    event->accept();
}

void CMainFrame::RestoreLayout() {
    const QSettings stored = AppSettings();
    restoreGeometry(stored.value(kGeometryKey).toByteArray());
    restoreState(stored.value(kBarsKey).toByteArray());
    // The status bar is no dock bar: the window's state leaves it out.
    if (!stored.value(kStatusBarKey, true).toBool()) {
        statusBar()->hide();
    }
    m_bConsoleVisible = !m_consoleBar->isHidden();
}

void CMainFrame::SaveLayout() {
    QSettings stored = AppSettings();
    stored.setValue(kGeometryKey, saveGeometry());
    stored.setValue(kBarsKey, saveState());
    stored.setValue(kStatusBarKey, !statusBar()->isHidden());
}
