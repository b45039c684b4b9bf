#include "cli/CliCommands.h"

#include "actions/ClipSaves.h"
#include "actions/PhraseCommands.h"
#include "audio/PlayCursor.h"
#include "audio/Transport.h"
#include "cli/CliAlignCommand.h"
#include "cli/CliCheckCommands.h"
#include "cli/CliCueCommands.h"
#include "cli/CliHost.h"
#include "cli/CliMediaCommands.h"
#include "cli/CliRenderCommand.h"
#include "cli/CliSupport.h"
#include "cli/CliTidyCommands.h"
#include "commands/CommandTable.h"
#include "commands/ConsoleInterpreter.h"
#include "commands/CoreCommands.h"
#include "document/CtarnDoc.h"
#include "geometry/StripState.h"
#include "geometry/Zoom.h"
#include "qtaudio/QtWaveOut.h"

#include <QEventLoop>
#include <QTextStream>
#include <QTimer>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace {

int CountOverlapping(const CueList& cues) {
    int n = 0;
    for (int i = 0; i < cues.Count(); ++i) {
        n += cues.Overlap(i) != 0 ? 1 : 0;
    }
    return n;
}

int RunInfo(const QStringList& args) {
    if (args.size() != 1) {
        return kCliUsage;
    }
    return OnOpened(args[0], [](CtarnDoc& doc, CliHost&) {
        const WaveHeader& header = doc.GetRecording().Header();
        Out() << "frames: " << doc.GetRecording().Frames() << '\n'
              << "rate: " << header.SampleRate << '\n'
              << "channels: " << header.NumOfChannel << '\n'
              << "bits: " << header.bitsPerSample << '\n'
              << "cues: " << doc.Cues().Count() << '\n'
              << "overlaps: " << CountOverlapping(doc.Cues()) << Qt::endl;
    });
}

int RunSave(const QStringList& args) {
    if (args.size() != 1 && args.size() != 2) {
        return kCliUsage;
    }
    const QString out = args.value(1, args[0]);
    return OnOpened(args[0], [&out](CtarnDoc& doc, CliHost&) { doc.OnSaveDocument(out); });
}

int RunClip(const QStringList& args) {
    if (args.size() != 4) {
        return kCliUsage;
    }
    const std::optional<int> start = ParseInt(args[1]);
    const std::optional<int> end = ParseInt(args[2]);
    if (!start || !end) {
        return kCliUsage;
    }
    return OnOpened(args[0], [&](CtarnDoc& doc, CliHost& host) {
        doc.SetSelection(*start, *end);
        host.SetSavePath(args[3]);
        OnSaveClip(doc, host);
    });
}

/// What the operations of `edit` work on: the document and the commands both programs run
/// on it, taken from the same table as the window's.
struct EditSession {
    EditSession(CtarnDoc& d, CliHost& h) : doc(d), host(h), transport(d, h), strip(d) {
        AddCoreCommands(commands, {doc, host, transport, strip});
    }

    /// Runs the command `name` whatever its rule says: the command line is obeyed as given.
    void Run(const QString& name) const { commands.FindByName(name)->handler(); }

    CtarnDoc& doc;
    CliHost& host;
    Transport transport;
    StripState strip;
    CommandTable commands;
};

using EditOperation = std::function<void(EditSession&)>;

/// Parses the operations of `edit` from args[from], each a command of `commands` by its name
/// with the arguments it takes; nothing when one is malformed.
std::optional<std::vector<EditOperation>> ParseOperations(const CommandTable& commands,
                                                          const QStringList& args, int from) {
    std::vector<EditOperation> ops;
    for (int i = from; i < args.size(); ++i) {
        const QString& op = args[i];
        const int left = int(args.size()) - i - 1;
        if (op == "select" && left >= 2) {
            const std::optional<int> a = ParseInt(args[i + 1]);
            const std::optional<int> b = ParseInt(args[i + 2]);
            if (!a || !b) {
                return std::nullopt;
            }
            i += 2;
            ops.push_back([a = *a, b = *b](EditSession& s) { s.doc.SetSelection(a, b); });
        } else if (op == "add" && left >= 1) {
            QString text = args[++i];
            text.replace(QStringLiteral("\\n"), QStringLiteral("\n"));
            ops.push_back([text](EditSession& s) {
                s.host.SetText(text);
                s.Run(QStringLiteral("add"));
            });
        } else if ((op == "delete" || op == "attach") && left >= 1) {
            const std::optional<int> index = ParseInt(args[++i]);
            if (!index) {
                return std::nullopt;
            }
            ops.push_back([index = *index, op](EditSession& s) {
                s.doc.SetCurrentCue(index);
                s.Run(op);
            });
        } else if (op == "check") {
            ops.push_back([](EditSession& s) {
                s.Run(QStringLiteral("check"));
                if (s.host.MessageCount() == 0) {
                    Out() << s.doc.CurrentCue() << Qt::endl;
                }
            });
        } else if (op != "add" && op != "delete" && op != "attach" &&
                   commands.FindByName(op) != nullptr) {
            ops.push_back([op](EditSession& s) { s.Run(op); });
        } else {
            return std::nullopt;
        }
    }
    return ops;
}

int RunEdit(const QStringList& args) {
    if (args.size() < 2) {
        return kCliUsage;
    }
    CliHost host;
    CtarnDoc doc(host);
    EditSession session(doc, host);
    const std::optional<std::vector<EditOperation>> ops =
        ParseOperations(session.commands, args, 2);
    if (!ops) {
        return kCliUsage;
    }
    if (!doc.OnOpenDocument(args[0])) {
        return StatusAfter(host);
    }
    // A note from opening the file is no operation's refusal: the edit goes on.
    const int opened = host.MessageCount();
    for (const EditOperation& op : *ops) {
        op(session);
        if (host.MessageCount() > opened) {
            return StatusAfter(host);
        }
    }
    doc.OnSaveDocument(args[1]);
    return StatusAfter(host);
}

int RunExport(const QStringList& args) {
    if (args.size() != 3 || (args[2] != "--pairs" && args[2] != "--single")) {
        return kCliUsage;
    }
    return OnOpened(args[0], [&](CtarnDoc& doc, CliHost& host) {
        host.SetSavePath(args[1]);
        if (args[2] == "--pairs") {
            OnSaveVorn(doc, host);
        } else {
            OnSaveVorn2(doc, host);
        }
    });
}

int RunExec(const QStringList& args) {
    if (args.size() != 2) {
        return kCliUsage;
    }
    return OnOpened(args[0],
                    [&](CtarnDoc& doc, CliHost& host) { RunConsoleCommand(doc, host, args[1]); });
}

/// Runs the event loop until the recorded play has elapsed and the device has nothing
/// left to sound (or, should it never say so, a few seconds later).
void WaitUntilPlayed(const CtarnDoc& doc, const Transport& transport, const WaveOut& output,
                     CliHost& host) {
    constexpr quint32 kGraceMs = 5000;
    QEventLoop loop;
    QTimer poll;
    poll.setInterval(20);
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        const PlayRecord& play = transport.PlayState();
        const qint64 frame =
            PlayCursorFrame(play, host.TickCount(), doc.GetRecording().SampleRate());
        const qint64 graceFrames = qint64(kGraceMs) * doc.GetRecording().SampleRate() / 1000;
        const bool elapsed = frame >= play.end;
        if ((elapsed && !output.IsPlaying()) || frame >= play.end + graceFrames) {
            loop.quit();
        }
    });
    poll.start();
    loop.exec();
}

int RunPlay(QStringList args) {
    std::optional<int> speed = PlaySpeed::kNormal;
    if (args.size() >= 2 && args[args.size() - 2] == QLatin1String("--speed")) {
        speed = ParseSpeed(args.takeLast());
        args.removeLast();
    }
    if (args.size() != 1 && args.size() != 3) {
        return kCliUsage;
    }
    std::optional<int> start = 0;
    std::optional<int> end = 0;
    if (args.size() == 3) {
        start = ParseInt(args[1]);
        end = ParseInt(args[2]);
    }
    if (!start || !end || !speed) {
        return kCliUsage;
    }
    QtWaveOut output;
    return OnOpened(args[0], [&](CtarnDoc& doc, CliHost& host) {
        Transport transport(doc, host, &output);
        transport.SetSpeedTenths(*speed);
        transport.PlayRange(*start, *end);
        if (host.MessageCount() == 0 && transport.PlayState().IsShowing()) {
            WaitUntilPlayed(doc, transport, output, host);
        }
    });
}

std::optional<qint64> ParseCount(const QString& text) {
    bool ok = false;
    const qint64 value = text.toLongLong(&ok);
    return ok && value >= 0 ? std::optional<qint64>(value) : std::nullopt;
}

/// Appends `value` and a separator to `line`.
void AppendNumber(std::string& line, qint64 value, char separator) {
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    line.append(digits, end);
    line.push_back(separator);
}

/// Prints the envelope entries of the columns first .. first + count - 1 that exist, a few
/// thousand columns at a time, so that nothing is built for columns that are not printed.
void PrintPeaks(const StripState& strip, qint64 first, qint64 count) {
    constexpr int kColumnsPerBatch = 4096;
    const qint64 columns = strip.StripColumns();
    const qint64 end = first < columns ? first + std::min(count, columns - first) : first;
    std::vector<qint16> entries[2];
    std::string text;
    for (qint64 from = first; from < end; from += kColumnsPerBatch) {
        const int n = int(std::min<qint64>(kColumnsPerBatch, end - from));
        strip.BuildEnvelope(0, from, n, entries[0]);
        strip.BuildEnvelope(1, from, n, entries[1]);
        text.clear();
        for (int i = 0; i < n; ++i) {
            AppendNumber(text, from + i, ' ');
            for (int e = 0; e < 8; ++e) {
                AppendNumber(text, entries[e / 4][size_t(4 * i + e % 4)], e == 7 ? '\n' : ' ');
            }
        }
        std::fwrite(text.data(), 1, text.size(), stdout);
    }
    std::fflush(stdout);
}

int RunPeaks(const QStringList& args) {
    if (args.size() != 4) {
        return kCliUsage;
    }
    const std::optional<int> zoom = ParseInt(args[1]);
    const std::optional<qint64> first = ParseCount(args[2]);
    const std::optional<qint64> count = ParseCount(args[3]);
    const bool powerOfTwo =
        zoom && *zoom >= kMinZoom && *zoom <= kMaxZoom && (*zoom & (*zoom - 1)) == 0;
    if (!powerOfTwo || !first || !count) {
        return kCliUsage;
    }
    return OnOpened(args[0], [&](CtarnDoc& doc, CliHost&) {
        StripState strip(doc);
        strip.SetZoom(*zoom);
        PrintPeaks(strip, *first, *count);
    });
}

/// The settings and use of `phrases` from its options; nothing (after telling what was
/// wrong with a value) when one is malformed or refused.
std::optional<std::pair<PhraseSettings, PhraseUse>> ParsePhraseOptions(const QStringList& args) {
    PhraseSettings settings;
    PhraseUse use = PhraseUse::NewCues;
    for (int i = 0; i < args.size(); ++i) {
        const QString& option = args[i];
        if (option == "--script") {
            use = PhraseUse::LayScript;
            continue;
        }
        if (i + 1 >= args.size()) {
            return std::nullopt;
        }
        const QString& value = args[++i];
        if (option == "--threshold") {
            bool ok = value == "auto";
            if (ok) {
                settings.thresholdDb.reset();
            } else {
                settings.thresholdDb = value.toDouble(&ok);
            }
            if (!ok) {
                return std::nullopt;
            }
            continue;
        }
        const std::optional<int> ms = ParseInt(value);
        int* field = option == "--min-silence"  ? &settings.minSilenceMs
                     : option == "--min-phrase" ? &settings.minPhraseMs
                     : option == "--pad"        ? &settings.padMs
                                                : nullptr;
        if (!ms || field == nullptr) {
            return std::nullopt;
        }
        *field = *ms;
    }
    const QString refused = CheckPhraseSettings(settings);
    if (!refused.isEmpty()) {
        std::fprintf(stderr, "%s\n", refused.toUtf8().constData());
        return std::nullopt;
    }
    return std::pair(settings, use);
}

int RunPhrases(const QStringList& args) {
    if (args.size() < 2) {
        return kCliUsage;
    }
    const auto options = ParsePhraseOptions(args.mid(2));
    if (!options) {
        return kCliUsage;
    }
    const PhraseSettings& settings = options->first;
    const PhraseUse use = options->second;
    return OnOpened(args[0], [&](CtarnDoc& doc, CliHost& host) {
        const LevelTrack levels =
            MeasureLevels(doc.GetRecording(), {0, doc.GetRecording().Frames()});
        const std::vector<FrameRange> phrases =
            FindPhrases(levels, settings, doc.GetRecording().SampleRate());
        const PhraseOutcome outcome = ApplyPhrases(doc, phrases, levels, settings, use);
        const int before = host.MessageCount();
        doc.OnSaveDocument(args[1]);
        if (host.MessageCount() > before) {
            return;
        }
        for (const FrameRange& span : outcome.spans) {
            Out() << span.lo << ' ' << span.hi << '\n';
        }
        Out() << Qt::flush;
    });
}

/// Opens any audio or video file as the program does (through the WAV reader when it takes
/// the file, else decoded) and saves it to OUT as save does.
} // namespace

QString CliUsage() {
    return QStringLiteral(
        "usage:\n"
        "  tarn-cli info WAV                  print frames, rate, channels, bits, cues, overlaps\n"
        "  tarn-cli save WAV [OUT]            save WAV and its .txt, .sbv, .ass sidecars to OUT\n"
        "  tarn-cli clip WAV START END OUT    write frames START..END as a new WAV file\n"
        "  tarn-cli edit WAV OUT OP...        apply the operations in order, then save to OUT\n"
        "  tarn-cli export WAV PATH --pairs|--single\n"
        "                                     write every pair of cues (\"Save Vorn\") or every\n"
        "                                     cue (\"Save Vorn(2)\") as numbered clips beside "
        "PATH\n"
        "  tarn-cli exec WAV TEXT             run TEXT as a console command\n"
        "  tarn-cli play WAV [START END] [--speed S]\n"
        "                                     play frames START..END (default: all) and wait;\n"
        "                                     S from 0.5 to 2 in tenths (\"0.7\"), pitch kept\n"
        "  tarn-cli peaks WAV ZOOM FIRST COUNT\n"
        "                                     print the envelope entries of COUNT columns from\n"
        "                                     FIRST at ZOOM frames per column (1, 2, 4 ... "
        "4096):\n"
        "                                     one line per column, \"c l0 l1 l2 l3 r0 r1 r2 "
        "r3\"\n"
        "  tarn-cli phrases WAV OUT [--threshold DB|auto] [--min-silence MS] [--min-phrase MS]\n"
        "                   [--pad MS] [--script]\n"
        "                                     find the spoken phrases by their silences, add a "
        "\"#\"\n"
        "                                     cue for each (--script: lay the placeholder cues on\n"
        "                                     them), save to OUT and print \"start end\" per "
        "phrase\n"
        "  tarn-cli import SRC OUT.wav        decode any audio or video file and save it as a\n"
        "                                     16-bit WAV file with its .txt, .sbv, .ass sidecars\n"
        "  tarn-cli import-subs WAV SUBFILE OUT\n"
        "                                     replace the cues with those of an SRT, WebVTT, ASS,\n"
        "                                     SBV or label file and save to OUT\n"
        "  tarn-cli export-subs WAV OUT [--format srt|vtt|ass|sbv|labels]\n"
        "                                     write the cues as a subtitle file (format from\n"
        "                                     OUT's extension when not given)\n"
        "  tarn-cli export-clips SOURCE DIR [--pattern P] [--start N] [--cues all|placeholders]\n"
        "                   [--pad-before MS] [--pad-after MS] [--fade]\n"
        "                   [--normalize|--loudness LUFS]\n"
        "                   [--format wav|flac|mp3|opus] [--index FILE|--no-index]\n"
        "                   [--join-gap MS] [--context] [--translation FILE]\n"
        "                   [--snapshot [--snapshot-height PX]] [--apkg FILE [--deck NAME]]\n"
        "                                     write every cue as a clip in DIR (names from P,\n"
        "                                     default \"{base} {n:03} {text}\") and an index for\n"
        "                                     flashcards (default DIR/index.tsv); print each "
        "file\n"
        "                                     written; existing files are not replaced;\n"
        "                                     N from 0 to 999999, MS from 0 to 10000;\n"
        "                                     --normalize: each clip's peak to -1 dBFS;\n"
        "                                     --loudness: its loudness to LUFS (-14, -16,\n"
        "                                     -19 or -23), true peak at most -1.5 dBTP;\n"
        "                                     SOURCE any audio or video file; --join-gap: cues\n"
        "                                     this close make one clip; --context,\n"
        "                                     --translation: index columns; --snapshot: a\n"
        "                                     still of the video per clip (PX high, 360);\n"
        "                                     --apkg: a deck package of the clips (deck NAME)\n"
        "  tarn-cli cues WAV                  print \"n<TAB>start<TAB>end<TAB>text\" per cue:\n"
        "                                     n from 1, frames, a line break in text as \\n\n"
        "  tarn-cli retime WAV OUT (--shift MS | --sync N=TIME M=TIME | --fps F1 F2)\n"
        "                   [--cues I-J]\n"
        "                                     retime cues I to J (default: all), save to OUT:\n"
        "                                     move them by MS milliseconds (signed, decimals\n"
        "                                     allowed), lay them so that cues N and M start\n"
        "                                     at their TIMEs, or carry them from F1 to F2\n"
        "                                     frames per second; TIME as h:mm:ss.mmm,\n"
        "                                     mm:ss.mmm or seconds\n"
        "  tarn-cli check WAV [--profile netflix|netflix-children] [--fps F] [--max-cps X]\n"
        "                   [--min-duration MS] [--max-duration MS] [--min-gap MS]\n"
        "                   [--max-chars N] [--max-lines N]\n"
        "                                     hold the cues to reading-speed and timing rules\n"
        "                                     (default netflix, 24 fps; options override it):\n"
        "                                     print \"n<TAB>rule<TAB>value<TAB>limit\" per\n"
        "                                     problem, status 1 when there is any\n"
        "  tarn-cli tidy WAV OUT [--profile netflix|netflix-children] [--fps F] [--snap MS]\n"
        "                   [--lead-in MS] [--lead-out MS] [--close-gaps MS] [--min-gap MS]\n"
        "                   [--min-duration MS]\n"
        "                                     tidy the timing of every cue and save to OUT:\n"
        "                                     snap to speech, lead in and out, lengthen short\n"
        "                                     cues, close small gaps (default under 12 frames)\n"
        "                                     to the minimum gap; print \"N cues changed\"\n"
        "  tarn-cli align WAV OUT [--language LANG] [--cues placeholders|all]\n"
        "                                     lay the placeholder cues (or all cues, keeping\n"
        "                                     their texts) where their texts are spoken, save\n"
        "                                     to OUT and print \"start end confidence\" per cue\n"
        "                                     (frames, frames, 0 to 1); LANG one of the voice\n"
        "                                     languages, such as en, en-us, de (default: the\n"
        "                                     locale's)\n"
        "  tarn-cli render WAV OUT.png [--zoom Z] [--first COLUMN] [--width W] [--height H]\n"
        "                   [--view waveform|spectrogram]\n"
        "                                     draw what the view shows of columns COLUMN on\n"
        "                                     (default 0) at Z frames a column (1 to 4096,\n"
        "                                     default 256) into a W x H PNG (default\n"
        "                                     1200 x 400), without a display\n"
        "  tarn-cli --help                    print this text\n"
        "\n"
        "operations of edit:\n"
        "  select A B   selection start and end, in frames\n"
        "  softer       lower the volume of the selection by a tenth\n"
        "  louder       raise the volume of the selection by a tenth\n"
        "  cut          move the selection to the clipboard\n"
        "  copy         copy the selection to the clipboard\n"
        "  paste        replace the selection with the clipboard\n"
        "  add TEXT     add a cue over the selection (\\n in TEXT is a line break)\n"
        "  delete I     delete cue I (0-based)\n"
        "  attach I     attach cue I to the selection\n"
        "  check        print the index of the first overlapping cue\n"
        "  undo         undo the last edit (nothing when there is none)\n"
        "  redo         do the last undone edit again (nothing when there is none)\n"
        "\n"
        "exit status: 0 done, 1 a message was shown (on standard error), 2 wrong usage\n");
}

int RunCliCommand(const QStringList& args) {
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        Out() << CliUsage() << Qt::flush;
        return kCliOk;
    }
    static const std::vector<std::pair<QString, std::function<int(const QStringList&)>>> commands =
        {{"info", RunInfo},
         {"save", RunSave},
         {"clip", RunClip},
         {"edit", RunEdit},
         {"export", RunExport},
         {"exec", RunExec},
         {"play", RunPlay},
         {"peaks", RunPeaks},
         {"phrases", RunPhrases},
         {"import", RunImport},
         {"import-subs", RunImportSubs},
         {"export-subs", RunExportSubs},
         {"export-clips", RunExportClips},
         {"cues", RunCues},
         {"retime", RunRetime},
         {"check", RunCheck},
         {"tidy", RunTidy},
         {"align", RunAlign},
         {"render", RunRender}};
    int status = kCliUsage;
    if (!args.isEmpty()) {
        for (const auto& [name, run] : commands) {
            if (name == args[0]) {
                status = run(args.mid(1));
            }
        }
    }
    if (status == kCliUsage) {
        std::fprintf(stderr, "%s", CliUsage().toUtf8().constData());
    }
    return status;
}
