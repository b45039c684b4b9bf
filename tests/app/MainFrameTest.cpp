#include "app/CMainFrame.h"

#include "app/AppSettings.h"
#include "app/CAboutDlg.h"
#include "app/CtarnApp.h"
#include "commands/CommandIds.h"
#include "document/CtarnDoc.h"
#include "support/WavBytes.h"
#include "view/CtarnView.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include <gtest/gtest.h>

using namespace CommandId;

namespace {

constexpr int kFrames = 1000;
const QString kSep = QStringLiteral("---");

/// Closes the next modal message box while a nested event loop runs, keeping its text.
class MessageCatcher {
public:
    MessageCatcher() {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box) {
                m_timer.stop();
                texts << box->text();
                box->done(QMessageBox::Ok);
            }
        });
        m_timer.start();
    }
    QStringList texts;

private:
    QTimer m_timer;
};

class MainFrameTest : public ::testing::Test {
protected:
    /// The recent-file list persists between runs; every case starts from an empty one.
    static bool ClearSettings() {
        AppSettings().clear();
        return true;
    }

    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        std::vector<qint16> samples(2 * kFrames);
        for (size_t i = 0; i < samples.size(); ++i) {
            samples[i] = qint16(i % 200);
        }
        ASSERT_TRUE(wav::WriteFile(Path("a.wav"), wav::Simple(2, 8000, samples)));
        ASSERT_TRUE(wav::WriteFile(Path("other.wav"), wav::Simple(2, 8000, samples)));
    }

    QString Path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

    /// Opens a.wav as if named on the command line and waits until keys reach the window.
    void OpenA() {
        ASSERT_TRUE(app.InitInstance({QStringLiteral("tarn"), Path("a.wav")}));
        CMainFrame& frame = app.MainFrame();
        frame.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
        frame.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    }

    QTemporaryDir dir;
    bool cleared = ClearSettings(); // before the app loads the list
    CtarnApp app;
};

QStringList Texts(const QList<QAction*>& actions) {
    QStringList texts;
    for (const QAction* a : actions) {
        texts << (a->isSeparator() ? kSep : a->text());
    }
    return texts;
}

TEST_F(MainFrameTest, MenusHoldTheirItemsInOrder) {
    const struct {
        QString title;
        QStringList items;
    } menus[] = {
        {"文件(&F)",
         {"新建(&N)\tCtrl+N", "打开(&O)...\tCtrl+O", "保存(&S)\tCtrl+S", "另存为(&A)...",
          "Save Vorn", "Save Vorn(2)", "Import subtitles...", "Export subtitles...",
          "Export clips...", kSep, "最近的文件", kSep, "退出(&X)"}},
        {"编辑(&E)",
         {"撤消(&U)\tCtrl+Z", "重做(&R)\tCtrl+Y", kSep, "剪切(&T)\tCtrl+X", "复制(&C)\tCtrl+C",
          "粘贴(&P)\tCtrl+V", kSep, "Find...", "Replace...", "Find next", "Find previous"}},
        {"视图(&V)",
         {"工具栏(&T)", "状态栏(&S)", "控制栏(&C)", "Cue list",
          "Play the cue when it becomes current", kSep, "Zoom in", "Zoom out", "Go to start",
          "Go to end", "Go to time...", "Amplitude zoom in", "Amplitude zoom out", kSep,
          "Spectrogram", "Linear frequencies", "Waveform over the spectrogram"}},
        {"Play",
         {"Play", "Play or stop", "Stop", "Loop", kSep, "Play before start", "Play start",
          "Play end", "Play after end", kSep, "Slower", "Faster", "Normal speed"}},
        {"Cues",
         {"Add Subtitle",
          "Delete Subtitle",
          "Atach",
          "Check Conflict",
          "Edit cue text...",
          "Select the cue",
          "Accept timing",
          kSep,
          "Start 10 ms earlier",
          "Start 10 ms later",
          "End 10 ms earlier",
          "End 10 ms later",
          kSep,
          "Detect phrases...",
          "Align script...",
          "Retime cues...",
          "Tidy timing...",
          kSep,
          "Next cue",
          "Previous cue",
          kSep,
          "Next cue breaking a rule",
          "Previous cue breaking a rule",
          "Rules: Netflix (adults)",
          "Rules: Netflix (children)",
          "Rules: Custom..."}},
        {"帮助(&H)", {"Keyboard shortcuts", "关于 tarn(&A)..."}},
    };
    const QList<QAction*> bar = app.MainFrame().menuBar()->actions();
    ASSERT_EQ(size_t(bar.size()), std::size(menus));
    for (size_t i = 0; i < std::size(menus); ++i) {
        SCOPED_TRACE(menus[i].title.toStdString());
        EXPECT_EQ(bar[i]->text(), menus[i].title);
        ASSERT_NE(bar[i]->menu(), nullptr);
        EXPECT_EQ(Texts(bar[i]->menu()->actions()), menus[i].items);
    }
    const QAction* placeholder = bar[0]->menu()->actions()[10];
    EXPECT_FALSE(placeholder->isEnabled());
    EXPECT_TRUE(placeholder->isVisible());
}

TEST_F(MainFrameTest, ToolbarButtonsInOrderWithIcons) {
    constexpr int kSpeedBox = -1;
    const int ids[] = {
        kFileNew,        kFileOpen,      kFileSave,      kZoomOut,    kZoomIn,   0,
        kEditCut,        kEditCopy,      kEditPaste,     0,           kSaveClip, kVolumeDown,
        kVolumeUp,       kPlay,          kStop,          kSpeedBox,   kAtach,    kAddSubtitle,
        kDeleteSubtitle, kCheckConflict, kDetectPhrases, kAlignScript};
    CMainFrame& frame = app.MainFrame();
    const QList<QAction*> actions = frame.MainToolBar()->actions();
    ASSERT_EQ(size_t(actions.size()), std::size(ids));
    for (size_t i = 0; i < std::size(ids); ++i) {
        SCOPED_TRACE(i);
        if (ids[i] == 0) {
            EXPECT_TRUE(actions[i]->isSeparator());
            continue;
        }
        if (ids[i] == kSpeedBox) {
            const QWidget* box = frame.MainToolBar()->widgetForAction(actions[i]);
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->objectName(), "speedBox");
            continue;
        }
        EXPECT_EQ(actions[i], frame.Action(ids[i]));
        EXPECT_FALSE(actions[i]->icon().pixmap(32, 32).isNull());
    }
}

TEST_F(MainFrameTest, TitleNamesTheDocument) {
    ASSERT_TRUE(app.InitInstance({QStringLiteral("tarn")}));
    EXPECT_EQ(app.MainFrame().windowTitle(), QStringLiteral("tarn - noname[*]"));
    EXPECT_FALSE(app.MainFrame().isWindowModified());

    CtarnApp opened;
    ASSERT_TRUE(opened.InitInstance({QStringLiteral("tarn"), Path("a.wav")}));
    EXPECT_EQ(opened.MainFrame().windowTitle(), QStringLiteral("tarn - a.wav[*]"));
    EXPECT_EQ(opened.Document().GetRecording().Frames(), kFrames);
}

TEST_F(MainFrameTest, TheSpectrogramStaysOnForTheNextStart) {
    ASSERT_TRUE(app.InitInstance({QStringLiteral("tarn")}));
    QAction* spectrogram = nullptr;
    for (QAction* action : app.MainFrame().findChildren<QAction*>()) {
        spectrogram = action->text() == "Spectrogram" ? action : spectrogram;
    }
    ASSERT_NE(spectrogram, nullptr);
    spectrogram->trigger();
    EXPECT_TRUE(app.View().Look().spectrogram);

    CtarnApp next;
    ASSERT_TRUE(next.InitInstance({QStringLiteral("tarn")}));
    EXPECT_TRUE(next.View().Look().spectrogram);
    spectrogram->trigger();
    EXPECT_FALSE(AppSettings().value("view/spectrogram").toBool());
}

TEST_F(MainFrameTest, MissingFileOnTheCommandLineFails) {
    MessageCatcher catcher;
    EXPECT_FALSE(app.InitInstance({QStringLiteral("tarn"), Path("missing.wav")}));
    EXPECT_EQ(catcher.texts.size(), 1);
}

TEST_F(MainFrameTest, DisabledCommandsIgnoreTheirKeys) {
    OpenA();
    CMainFrame& frame = app.MainFrame();
    CtarnDoc& doc = app.Document();
    ASSERT_EQ(doc.SelStart(), doc.SelEnd());
    EXPECT_FALSE(frame.Action(kEditPaste)->isEnabled());
    EXPECT_FALSE(frame.Action(kEditCopy)->isEnabled());
    QTest::keyClick(&frame, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(&frame, Qt::Key_Insert, Qt::ShiftModifier);
    QTest::keyClick(&frame, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(doc.GetRecording().Frames(), kFrames);
    EXPECT_EQ(doc.GetRecording().ClipLength(), 0);
    EXPECT_FALSE(doc.IsModified());
    // Save is off while nothing changed: its key must not write the sidecars.
    EXPECT_FALSE(frame.Action(kFileSave)->isEnabled());
    QTest::keyClick(&frame, Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(QFile::exists(QFileInfo(doc.File().GetPathName()).path() + "/a.sbv"));

    doc.SetSelection(0, 100);
    frame.RefreshCommandStates();
    QTest::keyClick(&frame, Qt::Key_C, Qt::ControlModifier);
    ASSERT_EQ(doc.GetRecording().ClipLength(), 100);
    doc.SetSelection(200, 200);
    frame.RefreshCommandStates();
    QTest::keyClick(&frame, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(doc.GetRecording().Frames(), kFrames + 100);
    EXPECT_TRUE(doc.IsModified());

    EXPECT_TRUE(frame.isWindowModified());
}

TEST_F(MainFrameTest, UndoAndRedoKeysFollowTheHistory) {
    OpenA();
    CMainFrame& frame = app.MainFrame();
    CtarnDoc& doc = app.Document();
    EXPECT_FALSE(frame.Action(kEditUndo)->isEnabled());
    EXPECT_FALSE(frame.Action(kEditRedo)->isEnabled());
    doc.SetSelection(0, 100);
    frame.RefreshCommandStates();
    QTest::keyClick(&frame, Qt::Key_X, Qt::ControlModifier);
    ASSERT_EQ(doc.GetRecording().Frames(), kFrames - 100);
    EXPECT_EQ(frame.Action(kEditUndo)->statusTip(), QStringLiteral("Undo Cut"));
    EXPECT_TRUE(frame.isWindowModified());

    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int frames;
        bool modified;
    } keys[] = {
        {Qt::Key_Z, Qt::ControlModifier, kFrames, false},
        {Qt::Key_Z, Qt::ControlModifier, kFrames, false}, // nothing left to undo
        {Qt::Key_Y, Qt::ControlModifier, kFrames - 100, true},
        {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier, kFrames - 100,
         true}, // nothing to redo
        {Qt::Key_Backspace, Qt::AltModifier, kFrames, false},
        {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier, kFrames - 100, true},
    };
    for (const auto& k : keys) {
        QTest::keyClick(&frame, k.key, k.modifiers);
        EXPECT_EQ(doc.GetRecording().Frames(), k.frames);
        EXPECT_EQ(doc.IsModified(), k.modified);
        EXPECT_EQ(frame.isWindowModified(), k.modified);
    }
    EXPECT_FALSE(frame.Action(kEditRedo)->isEnabled());
    EXPECT_EQ(frame.Action(kEditRedo)->statusTip(), QStringLiteral("重做上次撤消的操作"));
}

TEST_F(MainFrameTest, ControlBarToggles) {
    OpenA();
    CMainFrame& frame = app.MainFrame();
    QAction* item = frame.Action(kViewControlBar);
    EXPECT_FALSE(frame.ConsoleBar()->isVisible());
    EXPECT_FALSE(item->isChecked());
    for (const bool shown : {true, false}) {
        item->trigger();
        EXPECT_EQ(frame.ConsoleBar()->isVisible(), shown);
        EXPECT_EQ(item->isChecked(), shown);
    }
}

TEST_F(MainFrameTest, ExecRunsTheConsoleCommand) {
    OpenA();
    CMainFrame& frame = app.MainFrame();
    frame.Action(kViewControlBar)->trigger();
    ASSERT_TRUE(frame.ConsoleBar()->isVisible());

    QTest::keyClicks(frame.ConsoleEdit(), "savetest");
    QTest::mouseClick(frame.ExecButton(), Qt::LeftButton);
    const QByteArray txt = wav::ReadFile(Path("a.txt"));
    EXPECT_TRUE(txt.startsWith("\xEF\xBB\xBF"));
    EXPECT_EQ(frame.ConsoleEdit()->text(), QStringLiteral("savetest"));

    frame.ConsoleEdit()->setText(QStringLiteral("nonsense"));
    MessageCatcher catcher;
    QTest::mouseClick(frame.ExecButton(), Qt::LeftButton);
    EXPECT_EQ(catcher.texts, QStringList{QStringLiteral("unknow command")});
}

TEST_F(MainFrameTest, AboutBoxText) {
    EXPECT_EQ(CAboutDlg::VersionText(), QStringLiteral("Version: 0.7.29\nBuild: 2024-11-25"));
    CAboutDlg dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("关于 tarn"));
}

TEST_F(MainFrameTest, OpeningOverUnsavedChangesAsksFirst) {
    const struct {
        const char* name;
        QMessageBox::StandardButton answer;
        bool opened;
        const char* path;
        bool menu; ///< through File > Open and its file dialog
    } cases[] = {
        {"cancel keeps the old document", QMessageBox::Cancel, false, "a.wav", false},
        {"no opens the other file", QMessageBox::No, true, "other.wav", false},
        {"file open asks once", QMessageBox::No, true, "other.wav", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CtarnApp local;
        ASSERT_TRUE(local.InitInstance({QStringLiteral("tarn"), Path("a.wav")}));
        local.Document().SetModifiedFlag(true);
        QStringList questions;
        local.askSaveChanges = [&](const QString& q) {
            questions << q;
            return c.answer;
        };
        if (c.menu) {
            local.askOpenPath = [&] { return Path("other.wav"); };
            local.OnFileOpen();
        } else {
            EXPECT_EQ(local.OpenDocumentFile(Path("other.wav")), c.opened);
        }
        EXPECT_EQ(questions, QStringList{QStringLiteral("Save changes to a.wav?")});
        EXPECT_EQ(local.Document().File().GetPathName(), Path(c.path));
    }
}

} // namespace
