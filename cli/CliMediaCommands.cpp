#include "cli/CliMediaCommands.h"

#include "actions/ClipSetRun.h"
#include "actions/OpenDocument.h"
#include "actions/SubtitleTransfer.h"
#include "cli/CliCommands.h"
#include "cli/CliHost.h"
#include "cli/CliSupport.h"
#include "document/CtarnDoc.h"
#include "media/FfmpegDecoder.h"
#include "media/FfmpegEncoder.h"
#include "media/FfmpegStillGrabber.h"
#include "recording/DecodedAudio.h"
#include "subtitles/ClipSet.h"
#include "subtitles/SubtitleFormat.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace {

/// The options of export-clips for the folder; nothing when one is malformed or out of range.
std::optional<ClipSetOptions> ParseClipOptions(const QStringList& args, const QString& folder) {
    static const std::vector<std::pair<QString, ClipFormat>> formats = {{"wav", ClipFormat::Wav},
                                                                        {"flac", ClipFormat::Flac},
                                                                        {"mp3", ClipFormat::Mp3},
                                                                        {"opus", ClipFormat::Opus}};
    // The loudness targets of common players and broadcasters, in LUFS.
    static const std::vector<int> loudnesses = {-14, -16, -19, -23};
    ClipSetOptions options;
    options.folder = folder;
    options.indexPath = DefaultClipIndexPath(folder);
    const std::vector<std::pair<QString, bool*>> flags = {{"--fade", &options.fade},
                                                          {"--normalize", &options.normalize},
                                                          {"--context", &options.context},
                                                          {"--snapshot", &options.stills}};
    bool heightGiven = false;
    bool deckGiven = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString& option = args[i];
        const auto flag = std::find_if(flags.begin(), flags.end(),
                                       [&](const auto& f) { return f.first == option; });
        if (flag != flags.end()) {
            *flag->second = true;
            continue;
        }
        if (option == "--no-index") {
            options.indexPath.clear();
            continue;
        }
        if (i + 1 >= args.size()) {
            return std::nullopt;
        }
        const QString& value = args[++i];
        const auto format = std::find_if(formats.begin(), formats.end(),
                                         [&](const auto& f) { return f.first == value; });
        const std::optional<int> number = ParseInt(value, 0, kMaxClipStartNumber);
        const std::optional<int> padMs = ParseInt(value, 0, kMaxClipPadMs);
        const auto loudness =
            std::find(loudnesses.begin(), loudnesses.end(), ParseInt(value, -23, -14).value_or(0));
        if (option == "--pattern") {
            options.pattern = value;
        } else if (option == "--index") {
            options.indexPath = value;
        } else if (option == "--cues" && (value == "all" || value == "placeholders")) {
            options.placeholders = value == "placeholders";
        } else if (option == "--format" && format != formats.end()) {
            options.format = format->second;
        } else if (option == "--start" && number) {
            options.startNumber = *number;
        } else if (option == "--pad-before" && padMs) {
            options.padBeforeMs = *padMs;
        } else if (option == "--pad-after" && padMs) {
            options.padAfterMs = *padMs;
        } else if (option == "--loudness" && loudness != loudnesses.end()) {
            options.loudnessLufs = *loudness;
        } else if (option == "--join-gap" && padMs) {
            options.joinGapMs = *padMs;
        } else if (option == "--translation" && !value.isEmpty()) {
            options.translationPath = value;
        } else if (option == "--snapshot-height" &&
                   ParseInt(value, kMinStillHeight, kMaxStillHeight)) {
            options.stillHeight = *ParseInt(value, kMinStillHeight, kMaxStillHeight);
            heightGiven = true;
        } else if (option == "--apkg" && !value.isEmpty()) {
            options.deckPath = value;
        } else if (option == "--deck" && !value.isEmpty()) {
            options.deckName = value;
            deckGiven = true;
        } else {
            return std::nullopt;
        }
    }
    // A height is for stills, a deck name for a package.
    if ((heightGiven && !options.stills) || (deckGiven && options.deckPath.isEmpty())) {
        return std::nullopt;
    }
    // Either level rule, not both.
    if (options.normalize && options.loudnessLufs) {
        return std::nullopt;
    }
    return options;
}

} // namespace

int RunImport(const QStringList& args) {
    if (args.size() != 2) {
        return kCliUsage;
    }
    CliHost host;
    CtarnDoc doc(host);
    if (ReadDocument(doc, host, args[0], OpenAudioFile)) {
        doc.OnSaveDocument(args[1]);
    }
    return StatusAfter(host);
}

/// Replaces the cues of WAV with those of a subtitle file and saves to OUT as edit does; what
/// came in goes to standard error, and only an import of no cue at all is a failure.
int RunImportSubs(const QStringList& args) {
    if (args.size() != 3) {
        return kCliUsage;
    }
    return OnOpened(args[0], [&](CtarnDoc& doc, CliHost& host) {
        const QString report = ImportSubtitles(doc, host, args[1]).report;
        if (!report.isEmpty()) {
            std::fprintf(stderr, "%s\n", report.toUtf8().constData());
            doc.OnSaveDocument(args[2]);
        }
    });
}

/// Writes the cues of WAV as a subtitle file, in the format named by --format or else by
/// OUT's extension.
int RunExportSubs(const QStringList& args) {
    const bool named = args.size() == 4 && args[2] == "--format";
    if (args.size() != 2 && !named) {
        return kCliUsage;
    }
    const std::optional<SubtitleFormat> format =
        named ? SubtitleFormatNamed(args[3]) : SubtitleFormatOfName(args[1]);
    if (!format) {
        return kCliUsage;
    }
    return OnOpened(args[0], [&](CtarnDoc& doc, CliHost& host) {
        ExportSubtitles(doc, host, args[1], *format);
    });
}

/// Writes every cue of WAV as a clip in DIR and prints each file written. Files of the same
/// names are not replaced: the program's question is the message, and nothing is written.
int RunExportClips(const QStringList& args) {
    if (args.size() < 2) {
        return kCliUsage;
    }
    const std::optional<ClipSetOptions> options = ParseClipOptions(args.mid(2), args[1]);
    if (!options) {
        return kCliUsage;
    }
    // Any audio or video file, decoded as import decodes it; a WAV read as open reads it.
    CliHost host;
    CtarnDoc doc(host);
    if (!ReadDocument(doc, host, args[0], OpenAudioFile)) {
        return StatusAfter(host);
    }
    const QString source =
        doc.File().ImportSource().isEmpty() ? doc.File().GetPathName() : doc.File().ImportSource();
    FfmpegClipEncoder encoder;
    const ClipSetRun run = RunClipSet(
        doc, host, PlanDocumentClips(doc, *options), *options, encoder,
        [](int, int) { return true; },
        [source] { return std::make_unique<FfmpegStillGrabber>(source); });
    // The program's question is the message: nothing is replaced without a yes.
    if (!run.declined.isEmpty()) {
        host.ShowMessage(run.declined);
    }
    const ClipSetResult& result = run.result;
    for (const QString& path : result.written) {
        Out() << path << '\n';
    }
    Out() << Qt::flush;
    if (!result.error.isEmpty()) {
        host.ShowMessage(result.error);
    }
    return StatusAfter(host);
}
