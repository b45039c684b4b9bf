#include "audio/Transport.h"
#include "commands/CommandIds.h"
#include "commands/CommandTable.h"
#include "commands/CoreCommands.h"
#include "commands/FileCommands.h"
#include "document/CtarnDoc.h"
#include "geometry/StripState.h"
#include "media/FfmpegDecoder.h"
#include "support/DocAccess.h"
#include "support/FakeHost.h"
#include "support/WavBytes.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <string>
#include <utility>
#include <vector>

namespace {

using namespace CommandId;

/// The program's commands without widgets: the real rows of the logic, with stand-in handlers
/// for the file commands and for the frame's, which only record that they ran.
struct Program {
    Program() {
        AddCoreCommands(commands, {doc, host, transport, strip});
        FileActions files;
        for (auto [action, id] : {std::pair{&files.newFile, kFileNew},
                                  {&files.open, kFileOpen},
                                  {&files.save, kFileSave},
                                  {&files.saveAs, kFileSaveAs}}) {
            *action = Note(id);
        }
        AddFileCommands(commands, doc, files);
        for (int id : {kExec, kAppExit, kAppAbout}) {
            commands.Add({.id = id, .handler = Note(id)});
        }
        commands.Add({.id = kViewControlBar, .handler = Note(kViewControlBar), .rule = [this] {
                          return ToggleState(barShown);
                      }});
    }

    Command::Handler Note(int id) {
        return [this, id] { ran.push_back(id); };
    }

    FakeHost host;
    CtarnDoc doc{host};
    Transport transport{doc, host};
    StripState strip{doc};
    bool barShown = false;
    std::vector<int> ran; ///< every stand-in handler run
    CommandTable commands;
};

/// The commands in the order of the marks in RuleRow::enabled.
const int kColumns[] = {kFileSave,       kFileSaveAs,    kSaveVorn, kSaveVorn2,   kEditCut,
                        kEditCopy,       kEditPaste,     kPlay,     kSaveClip,    kVolumeDown,
                        kVolumeUp,       kZoomIn,        kZoomOut,  kAddSubtitle, kAtach,
                        kDeleteSubtitle, kCheckConflict, kEditUndo, kFileNew,     kFileOpen,
                        kAppAbout,       kExec};

struct RuleRow {
    const char* name = "";
    int frames = 0; ///< 0: no file; otherwise a file of this many frames is opened
    int selStart = 0;
    int selEnd = 0;
    int zoom = 1;
    int cues = 0;
    int clipLen = 0;
    bool modified = false;
    int curCue = -1;
    const char* enabled = ""; ///< 'x' on, '.' off, per column; '|' only groups them
    bool imported = false;    ///< the file is a 24-bit one, decoded into the document
};

class CommandRulesTest : public ::testing::TestWithParam<RuleRow> {};

TEST_P(CommandRulesTest, EnablesWhatTheStateAllows) {
    const RuleRow& r = GetParam();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.wav"));
    wav::Format format;
    format.bits = r.imported ? 24 : 16;
    ASSERT_TRUE(wav::WriteFile(
        path, wav::File(format, wav::Chunk("data", QByteArray(r.frames * format.bits / 4, 0)))));

    Program p;
    // A stale flag that opening (or starting anew) must clear.
    p.doc.SetModifiedFlag(true);
    if (r.imported) {
        OpenedAudio audio = OpenAudioFile(path);
        ASSERT_TRUE(audio.decoder && p.doc.OnImportDocument(path, *audio.decoder));
    } else {
        ASSERT_TRUE(r.frames > 0 ? p.doc.OnOpenDocument(path) : p.doc.OnNewDocument());
    }
    ASSERT_EQ(p.doc.GetRecording().Frames(), r.frames);
    if (r.clipLen > 0) {
        p.doc.SetSelection(0, r.clipLen);
        p.doc.OnEditCopy();
    }
    p.doc.SetSelection(r.selStart, r.selEnd);
    p.strip.SetZoom(r.zoom);
    for (int i = 0; i < r.cues; ++i) {
        AddCues(p.doc, {{i * 100, i * 100 + 50, QStringLiteral("t")}});
    }
    if (r.modified) {
        p.doc.SetModifiedFlag(true);
    }
    p.doc.SetCurrentCue(r.curCue);

    std::string actual;
    size_t column = 0;
    for (const char* c = r.enabled; *c; ++c) {
        if (*c == '|') {
            actual += '|';
        } else {
            ASSERT_LT(column, std::size(kColumns));
            actual += p.commands.State(kColumns[column++]).enabled ? 'x' : '.';
        }
    }
    EXPECT_EQ(column, std::size(kColumns));
    EXPECT_EQ(actual, r.enabled);
    EXPECT_TRUE(p.ran.empty());
}

// clang-format off
// Columns:       Save SaveAs | Vorn Vorn2 | Cut Copy Paste | Play SaveClip VolDown VolUp |
//                ZoomIn ZoomOut | AddSubtitle Atach DeleteSubtitle | CheckConflict Undo |
//                New Open About Exec
INSTANTIATE_TEST_SUITE_P(
    Rows, CommandRulesTest,
    ::testing::Values(
        //       name                   frames  sel       zoom  cues clip  mod   cur
        RuleRow{"NoFileNoSelection",    0,      10, 500,  256,  0,   0,    false, -1, "..|..|...|....|xx|...|x.|xxxx"},
        RuleRow{"JustOpened",           1000,   0, 0,     256,  0,   0,    false, -1, "..|..|...|x...|xx|...|x.|xxxx"},
        RuleRow{"ReversedSelection",    1000,   500, 100, 256,  0,   0,    false, -1, "..|..|xx.|x..x|xx|...|x.|xxxx"},
        RuleRow{"Zoom1",                1000,   0, 0,     1,    0,   0,    false, -1, "..|..|...|x...|.x|...|x.|xxxx"},
        RuleRow{"Zoom4095",             1000,   0, 0,     4095, 0,   0,    false, -1, "..|..|...|x...|xx|...|x.|xxxx"},
        RuleRow{"Zoom4096",             1000,   0, 0,     4096, 0,   0,    false, -1, "..|..|...|x...|x.|...|x.|xxxx"},
        RuleRow{"Width10",              1000,   100, 110, 256,  0,   0,    false, -1, "..|..|xx.|xxxx|xx|...|x.|xxxx"},
        RuleRow{"Width11",              1000,   100, 111, 256,  0,   0,    false, -1, "..|..|xx.|xxxx|xx|x..|x.|xxxx"},
        RuleRow{"OneCue",               1000,   0, 0,     256,  1,   0,    false, -1, "..|.x|...|x...|xx|...|x.|xxxx"},
        RuleRow{"TwoCues",              1000,   0, 0,     256,  2,   0,    false, -1, "..|xx|...|x...|xx|...|x.|xxxx"},
        RuleRow{"ClipboardHeld",        1000,   0, 0,     256,  0,   50,   false, -1, "..|..|..x|x...|xx|...|x.|xxxx"},
        RuleRow{"Modified",             1000,   0, 0,     256,  0,   0,    true,  -1, "xx|..|...|x...|xx|...|x.|xxxx"},
        RuleRow{"CurCueEmptySelection", 1000,   0, 0,     256,  1,   0,    false, 0,  "..|.x|...|x...|xx|.xx|x.|xxxx"},
        RuleRow{"ImportedUnmodified",   1000,   0, 0,     256,  0,   0,    false, -1, "xx|..|...|x...|xx|...|x.|xxxx", true}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST(CommandTableTest, ControlBarShowsTheFramesCheckMark) {
    Program p;
    p.barShown = true;
    EXPECT_EQ(p.commands.State(kViewControlBar), ToggleState(true));
    p.barShown = false;
    EXPECT_EQ(p.commands.State(kViewControlBar), ToggleState(false));
}

TEST(CommandTableTest, ExecuteRunsOnlyAnEnabledHandler) {
    Program p;
    // Print has no row here, so no handler.
    EXPECT_FALSE(p.commands.Execute(kFilePrint));

    // The rule disables Paste while the clipboard is empty.
    ASSERT_EQ(p.doc.GetRecording().ClipLength(), 0);
    EXPECT_FALSE(p.commands.Execute(kEditPaste));

    EXPECT_TRUE(p.commands.Execute(kFileOpen));
    EXPECT_EQ(p.ran, std::vector<int>{kFileOpen});
}

TEST(CommandTableTest, ARowWithoutANumberGetsOneOfItsOwn) {
    CommandTable table;
    const int first = table.Add({.name = "first", .menu = Menu::Help, .menuPlace = 901});
    const int second = table.Add({.name = "second"});
    EXPECT_NE(first, 0);
    EXPECT_NE(first, second);
    EXPECT_EQ(table.FindByName("second"), table.Find(second));
    EXPECT_EQ(MenuBarLayout(table)[5].items, std::vector<int>{first});
}

TEST(CommandTableTest, MenusAndToolbarFollowTheRowsPlaces) {
    Program p;
    const std::vector<MenuLayout> menus = MenuBarLayout(p.commands);
    ASSERT_EQ(menus.size(), 6u);
    EXPECT_EQ(menus[1].items, (std::vector<int>{kEditUndo, kEditRedo, kSeparator, kEditCut,
                                                kEditCopy, kEditPaste}));
    EXPECT_EQ(menus[0].items,
              (std::vector<int>{kFileNew, kFileOpen, kFileSave, kFileSaveAs, kSaveVorn, kSaveVorn2,
                                kImportSubtitles, kExportSubtitles, kExportClips, kSeparator,
                                kRecentFiles}));
    const std::vector<int> tools = ToolBarLayout(p.commands);
    EXPECT_EQ(std::vector<int>(tools.begin(), tools.begin() + 9),
              (std::vector<int>{kFileNew, kFileOpen, kFileSave, kZoomOut, kZoomIn, kSeparator,
                                kEditCut, kEditCopy, kEditPaste}));
}

} // namespace
