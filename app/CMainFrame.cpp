#include "app/CMainFrame.h"

#include "app/AppSettings.h"
#include "app/CShortcutsDlg.h"
#include "app/ToolbarIcons.h"
#include "audio/Transport.h"
#include "base/ClockText.h"
#include "commands/CommandIds.h"
#include "commands/ConsoleInterpreter.h"
#include "commands/RecentFileList.h"
#include "document/CtarnDoc.h"
#include "view/CtarnView.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
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

/// A text of the command table in the user's language.
QString CommandText(const char* source) {
    return QCoreApplication::translate("Command", source);
}

/// The speed the next plays start at, every speed to choose from; it follows the transport.
QComboBox* SpeedBox(Transport& transport, QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QStringLiteral("speedBox"));
    box->setToolTip(CommandText(QT_TRANSLATE_NOOP("Command", "Playback speed")));
    // Space, L and the other keys stay with the window.
    box->setFocusPolicy(Qt::NoFocus);
    for (int tenths = PlaySpeed::kSlowest; tenths <= PlaySpeed::kFastest; ++tenths) {
        box->addItem(SpeedText(tenths));
    }
    box->setCurrentIndex(transport.SpeedTenths() - PlaySpeed::kSlowest);
    QObject::connect(box, &QComboBox::activated, &transport, [&transport](int index) {
        transport.SetSpeedTenths(PlaySpeed::kSlowest + index);
    });
    QObject::connect(&transport, &Transport::speedChanged, box,
                     [box](int tenths) { box->setCurrentIndex(tenths - PlaySpeed::kSlowest); });
    return box;
}

} // namespace

CMainFrame::CMainFrame(CtarnDoc& doc, CtarnView& view, Transport& transport, Host& host,
                       CommandTable& commands)
    : m_doc(doc), m_view(view), m_transport(transport), m_host(host), m_commands(commands) {
    setAcceptDrops(true);
    resize(1100, 520);
    AddFrameCommands();
    AddCueCommands();
    CreateActions();
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();
    CreateCueParts();
    FollowLaneLook();
    CreateConsoleBar();
    RestoreLayout();
    m_refreshTimer.setSingleShot(true);
    m_refreshTimer.setInterval(0);
    connect(&m_refreshTimer, &QTimer::timeout, this, &CMainFrame::RefreshCommandStates);

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
    connect(&m_doc, &CtarnDoc::selectionChanged, this, [this] {
        UpdateTimes();
        ScheduleRefresh();
    });
    connect(&m_doc, &CtarnDoc::modifiedChanged, this, [this] {
        UpdateTitle();
        ScheduleRefresh();
    });
    connect(&m_doc, &CtarnDoc::documentReplaced, this, [this] {
        UpdateTitle();
        UpdateTimes();
        ScheduleRefresh();
    });
    connect(&m_doc, &CtarnDoc::samplesChanged, this, &CMainFrame::ScheduleRefresh);
    connect(&m_doc, &CtarnDoc::cuesChanged, this, &CMainFrame::ScheduleRefresh);
    connect(&m_doc, &CtarnDoc::currentCueChanged, this, &CMainFrame::ScheduleRefresh);
    connect(&m_doc, &CtarnDoc::historyChanged, this, &CMainFrame::ScheduleRefresh);
    connect(&transport, &Transport::playStateChanged, this, &CMainFrame::ScheduleRefresh);
    connect(&m_view.Strip(), &StripState::zoomChanged, this, &CMainFrame::ScheduleRefresh);
    UpdateTitle();
    RefreshCommandStates();
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
    for (const Command& info : m_commands.Rows()) {
        // The console's button is its own; the recent files get their actions as they come.
        const bool recentFile = info.id >= CommandId::kFileMruFile1 &&
                                info.id < CommandId::kFileMruFile1 + RecentFileList::kMaxEntries;
        if (info.id == CommandId::kExec || recentFile) {
            continue;
        }
        QAction* action = AddAction(info.id, CommandText(info.text));
        action->setStatusTip(CommandText(info.prompt));
        QString tooltip = CommandText(*info.tooltip != '\0' ? info.tooltip : info.text);
        const QString key =
            info.keys.isEmpty() ? QString::fromLatin1(info.tooltipKeys) : info.keys.first();
        if (!key.isEmpty()) {
            tooltip +=
                QStringLiteral(" (%1)").arg(QKeySequence(key).toString(QKeySequence::NativeText));
        }
        action->setToolTip(tooltip);
        action->setCheckable(info.checkable);
        QList<QKeySequence> keys;
        for (const QString& key : info.keys) {
            keys << QKeySequence(key);
        }
        action->setShortcuts(keys);
        if (*info.icon != '\0') {
            action->setIcon(ToolbarIcon(QString::fromLatin1(info.icon)));
        }
    }
}

void CMainFrame::CreateMenus() {
    for (const MenuLayout& layout : MenuBarLayout(m_commands)) {
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
    for (int id : ToolBarLayout(m_commands)) {
        if (id == kSeparator) {
            m_toolBar->addSeparator();
        } else {
            m_toolBar->addAction(Action(id));
        }
        if (id == CommandId::kStop) {
            m_toolBar->addWidget(SpeedBox(m_transport, m_toolBar));
        }
    }
    connect(&m_transport, &Transport::speedChanged, this, &CMainFrame::ScheduleRefresh);
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
    const qint32 rate = m_doc.GetRecording().SampleRate();
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
    m_commands.Add({.id = kExec, .text = QT_TRANSLATE_NOOP("Command", "EXEC"), .handler = [this] {
                        RunConsoleCommand(m_doc, m_host, m_consoleEdit->text());
                    }});
    m_commands.Add({.id = kViewToolbar,
                    .text = QT_TRANSLATE_NOOP("Command", "工具栏(&T)"),
                    .prompt = QT_TRANSLATE_NOOP("Command", "显示或隐藏工具栏"),
                    .tooltip = QT_TRANSLATE_NOOP("Command", "切换工具栏"),
                    .menu = Menu::View,
                    .menuPlace = 101,
                    .handler = [this] { m_toolBar->setVisible(!m_toolBar->isVisible()); },
                    .rule = [this] { return ToggleState(m_toolBar->isVisible()); },
                    .checkable = true});
    m_commands.Add({.id = kViewStatusBar,
                    .text = QT_TRANSLATE_NOOP("Command", "状态栏(&S)"),
                    .prompt = QT_TRANSLATE_NOOP("Command", "显示或隐藏状态栏"),
                    .tooltip = QT_TRANSLATE_NOOP("Command", "切换状态栏"),
                    .menu = Menu::View,
                    .menuPlace = 102,
                    .handler = [this] { statusBar()->setVisible(!statusBar()->isVisible()); },
                    .rule = [this] { return ToggleState(statusBar()->isVisible()); },
                    .checkable = true});
    m_commands.Add({.id = kViewControlBar,
                    .text = QT_TRANSLATE_NOOP("Command", "控制栏(&C)"),
                    .menu = Menu::View,
                    .menuPlace = 103,
                    .handler =
                        [this] {
                            m_bConsoleVisible = !m_bConsoleVisible;
                            m_consoleBar->setVisible(m_bConsoleVisible);
                        },
                    .rule = [this] { return ToggleState(m_bConsoleVisible); },
                    .checkable = true});
    // The one view is never split, so both pane keys lead back to it.
    m_commands.Add({.id = kNextPane,
                    .prompt = QT_TRANSLATE_NOOP("Command", "切换到下一个窗口窗格"),
                    .tooltip = QT_TRANSLATE_NOOP("Command", "下一窗格"),
                    .keys = {"F6"},
                    .handler = [this] { m_view.setFocus(); }});
    m_commands.Add({.id = kPrevPane,
                    .prompt = QT_TRANSLATE_NOOP("Command", "切换回上一个窗口窗格"),
                    .tooltip = QT_TRANSLATE_NOOP("Command", "上一窗格"),
                    .keys = {"Shift+F6"},
                    .handler = [this] { m_view.setFocus(); }});
    m_commands.Add({.id = kAppExit,
                    .text = QT_TRANSLATE_NOOP("Command", "退出(&X)"),
                    .prompt = QT_TRANSLATE_NOOP("Command", "退出应用程序；提示保存文档"),
                    .tooltip = QT_TRANSLATE_NOOP("Command", "退出"),
                    .menu = Menu::File,
                    .menuPlace = 301,
                    .handler = [this] { close(); }});
    m_commands.Add({.id = kKeyboardShortcuts,
                    .text = QT_TRANSLATE_NOOP("Command", "Keyboard shortcuts"),
                    .prompt = QT_TRANSLATE_NOOP("Command", "List every key and mouse gesture"),
                    .keys = {"F1"},
                    .menu = Menu::Help,
                    .menuPlace = 101,
                    .handler = [this] {
                        CShortcutsDlg dialog(m_commands, this);
                        dialog.exec();
                    }});
}

QAction* CMainFrame::Action(int id) const {
    const auto it = m_actions.find(id);
    return it == m_actions.end() ? nullptr : it->second;
}

void CMainFrame::Execute(int id) {
    m_commands.Execute(id);
    RefreshCommandStates();
}

void CMainFrame::ScheduleRefresh() {
    if (!m_refreshTimer.isActive()) {
        m_refreshTimer.start();
    }
}

void CMainFrame::RefreshCommandStates() {
    m_refreshTimer.stop();
    for (const auto& [id, action] : m_actions) {
        const CommandState state = m_commands.State(id);
        action->setEnabled(state.enabled);
        if (const Command* info = m_commands.Find(id)) {
            action->setStatusTip(state.statusTip.value_or(CommandText(info->prompt)));
        }
        if (action->isCheckable()) {
            action->setChecked(state.checked.value_or(false));
        }
    }
    m_execButton->setEnabled(m_commands.State(CommandId::kExec).enabled);
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
    setWindowTitle(QStringLiteral("tarn - ") + m_doc.File().GetTitle() + QStringLiteral("[*]"));
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

void CMainFrame::FollowLaneLook() {
    static const char* const kSpectrogram = "view/spectrogram";
    static const char* const kLinear = "view/linearFrequencies";
    static const char* const kWaveOver = "view/waveOverSpectrogram";
    const QSettings settings = AppSettings();
    CtarnView::LaneLook look;
    look.spectrogram = settings.value(kSpectrogram, false).toBool();
    look.linearFrequency = settings.value(kLinear, false).toBool();
    look.waveOverSpectrogram = settings.value(kWaveOver, false).toBool();
    m_view.SetLook(look);
    connect(&m_view, &CtarnView::lookChanged, this, [this] {
        QSettings stored = AppSettings();
        stored.setValue(kSpectrogram, m_view.Look().spectrogram);
        stored.setValue(kLinear, m_view.Look().linearFrequency);
        stored.setValue(kWaveOver, m_view.Look().waveOverSpectrogram);
    });
}
