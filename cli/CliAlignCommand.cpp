#include "cli/CliAlignCommand.h"

#include "actions/AlignCues.h"
#include "cli/CliCommands.h"
#include "cli/CliHost.h"
#include "cli/CliSupport.h"
#include "document/CtarnDoc.h"
#include "speech/EspeakVoice.h"

#include <QLocale>

#include <cstdio>
#include <optional>

namespace {

struct AlignRequest {
    QString language;
    AlignChoice choice = AlignChoice::Placeholders;
};

/// The options of align; nothing when one is malformed or repeated.
std::optional<AlignRequest> ParseAlignOptions(const QStringList& args) {
    AlignRequest request;
    bool languageGiven = false;
    bool cuesGiven = false;
    for (int i = 0; i + 1 < args.size(); i += 2) {
        const QString& value = args[i + 1];
        if (args[i] == "--language" && !languageGiven && !value.isEmpty()) {
            request.language = value;
            languageGiven = true;
        } else if (args[i] == "--cues" && !cuesGiven &&
                   (value == "placeholders" || value == "all")) {
            request.choice = value == "all" ? AlignChoice::All : AlignChoice::Placeholders;
            cuesGiven = true;
        } else {
            return std::nullopt;
        }
    }
    if (args.size() % 2 != 0) {
        return std::nullopt;
    }
    if (!languageGiven) {
        request.language = EspeakVoice::LanguageForLocale(QLocale::system().name());
    }
    return request;
}

} // namespace

int RunAlign(const QStringList& args) {
    if (args.size() < 2) {
        return kCliUsage;
    }
    const std::optional<AlignRequest> request = ParseAlignOptions(args.mid(2));
    if (!request) {
        return kCliUsage;
    }
    if (!EspeakVoice::Languages().contains(request->language)) {
        std::fprintf(stderr, "unknown language: %s\n", request->language.toUtf8().constData());
        return kCliMessageShown;
    }
    EspeakVoice voice(request->language);
    return OnOpened(args[0], [&](CtarnDoc& doc, CliHost& host) {
        const AlignOutcome outcome =
            AlignCues(doc, host, CuesToAlign(doc.Cues(), request->choice, {}), voice);
        if (outcome.cues.empty() || !doc.OnSaveDocument(args[1])) {
            return;
        }
        for (const AlignedCue& cue : outcome.cues) {
            Out() << cue.span.lo << ' ' << cue.span.hi << ' '
                  << QString::number(double(cue.confidence), 'f', 2) << '\n';
        }
        Out().flush();
    });
}
