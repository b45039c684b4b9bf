#pragma once

#include "commands/CommandTable.h"
#include "commands/LockKeys.h"

#include <QMainWindow>
#include <QTimer>

#include <functional>
#include <map>

class CCueListDock;
class CFindDlg;
class CueChecks;
class CtarnDoc;
class CtarnView;
class Host;
class Transport;
class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QToolBar;

/// The main window: menu bar, toolbar, status bar with the lock-key indicators, and the
/// console bar (hidden until first shown); its size, place and bars are kept from one run to
/// the next. Every menu item, button and accelerator is a QAction made from a row of the
/// command table; the row's rule decides whether it may run.
class CMainFrame : public QMainWindow {
    Q_OBJECT

public:
    /// Adds the frame's own rows (bars, console, exit, help) to `commands`, which holds every
    /// other command already, and makes the window's actions, menus and toolbar from it.
    /// The console's messages go through `host`.
    CMainFrame(CtarnDoc& doc, CtarnView& view, Transport& transport, Host& host,
               CommandTable& commands);

    /// Enables, disables and checks every action by its command's rule.
    void RefreshCommandStates();
    /// Runs a command if its rule allows it and refreshes the states.
    void Execute(int id);

    void SetRecentFiles(const QStringList& files);
    /// "tarn - <document title>".
    void UpdateTitle();

    /// The cues chosen in the cue list, the current cue alone when none is.
    std::vector<int> ChosenCues() const;
    /// Makes `cue` current and selects its span, playing it when the setting says so; nothing
    /// when it is no cue.
    void MakeCueCurrent(int cue);
    CCueListDock* CueList() const { return m_cueDock; }

    QAction* Action(int id) const;
    /// Shows a quiet confirmation in the status bar for a few seconds; the pointer's
    /// diagnostics and the tips of buttons and menu items wait until it has gone.
    void ShowNotice(const QString& text);
    /// The permanent pane with the selection's and the pointer's times.
    QLabel* TimesPane() const { return m_timesLabel; }
    QToolBar* MainToolBar() const { return m_toolBar; }
    QToolBar* ConsoleBar() const { return m_consoleBar; }
    QLineEdit* ConsoleEdit() const { return m_consoleEdit; }
    QPushButton* ExecButton() const { return m_execButton; }

    /// Called with a file dropped on the window.
    std::function<void(const QString&)> onFileDropped;
    /// Asked before the window closes; false keeps it open.
    std::function<bool()> canClose;

protected:
    bool event(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    void CreateConsoleBar();
    void AddFrameCommands();
    /// The cue list, the overview above the waveform and the current cue's pane.
    void CreateCueParts();
    /// The lanes' look as last chosen (waveform or spectrogram), kept when it changes.
    void FollowLaneLook();
    void AddCueCommands();
    /// The current cue's figures in the status bar, or nothing.
    void UpdateCueStatus();
    /// Makes the next (previous) cue with the find dialog's text current; opens the dialog
    /// when it has no text yet.
    void FindCueAndShow(bool backward);
    /// "Retime cues...": asks how, then retimes the chosen cues or all of them.
    void OnRetimeCues();
    /// "Tidy timing...": asks how, showing how many cues it would change, then tidies.
    void OnTidyTiming();
    /// "Rules: Custom...": the user's own rules, edited and then used.
    void OnCustomRules();
    /// Refreshes the command states once the event loop comes round, however many changes
    /// were announced in between.
    void ScheduleRefresh();
    /// The size, place and bars the window had when it was last closed.
    void RestoreLayout();
    void SaveLayout();
    QAction* AddAction(int id, const QString& text);
    void ShowLockKeys(const LockKeyStates& keys);
    void UpdateTimes();

    CtarnDoc& m_doc;
    CtarnView& m_view;
    Transport& m_transport;
    Host& m_host;
    CommandTable& m_commands;
    QTimer m_refreshTimer;
    std::map<int, QAction*> m_actions;
    QMenu* m_fileMenu = nullptr;
    QAction* m_recentAnchor = nullptr;
    std::vector<QAction*> m_recentActions;
    QToolBar* m_toolBar = nullptr;
    QToolBar* m_consoleBar = nullptr;
    QLineEdit* m_consoleEdit = nullptr;
    QPushButton* m_execButton = nullptr;
    bool m_bConsoleVisible = false;
    QLabel* m_lockLabels[3] = {};
    QTimer m_lockTimer;
    QLabel* m_timesLabel = nullptr;
    QLabel* m_cueLabel = nullptr;
    CCueListDock* m_cueDock = nullptr;
    CFindDlg* m_findDlg = nullptr;
    CueChecks* m_checks = nullptr;
    QLabel* m_rulesLabel = nullptr;
    bool m_bPlayOnCurrent = true;
    qint64 m_nPointerFrame = 0;
    QTimer m_noticeTimer;     ///< runs while a confirmation is showing
    QString m_strPointerLine; ///< the pointer's latest line, shown again once a notice has gone
};
