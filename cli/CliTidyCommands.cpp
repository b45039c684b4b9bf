#include "cli/CliTidyCommands.h"

#include "actions/TidyCues.h"
#include "cli/CliCommands.h"
#include "cli/CliHost.h"
#include "cli/CliSupport.h"
#include "document/CtarnDoc.h"

#include <QSet>

#include <optional>
#include <utility>
#include <vector>

namespace {

/// Milliseconds of at least 0 as a time.
std::optional<ExactSeconds> ParseMs(const QString& text) {
    const std::optional<TypedDecimal> ms = ParseTypedDecimal(text);
    return ms && ms->units >= 0 ? std::optional(MillisecondsToSeconds(*ms)) : std::nullopt;
}

/// The settings the options ask for; nothing when one is unknown, repeated, malformed or
/// without its value.
std::optional<TidySettings> ParseTidyOptions(const QStringList& args) {
    if (args.size() % 2 != 0) {
        return std::nullopt;
    }
    std::optional<TimingProfile> profile = BuiltInProfile(u"netflix");
    std::vector<std::pair<QString, ExactSeconds>> times;
    QSet<QString> seen;
    for (int i = 0; i < args.size(); i += 2) {
        const QString& option = args[i];
        const QString& value = args[i + 1];
        if (seen.contains(option)) {
            return std::nullopt;
        }
        seen.insert(option);
        if (option == "--profile") {
            const TypedDecimal fps = profile->fps;
            profile = BuiltInProfile(value);
            if (!profile) {
                return std::nullopt;
            }
            profile->fps = seen.contains("--fps") ? fps : profile->fps;
        } else if (option == "--fps") {
            const std::optional<TypedDecimal> fps = ParseTypedDecimal(value);
            if (!fps || fps->units <= 0) {
                return std::nullopt;
            }
            profile->fps = *fps;
        } else {
            const std::optional<ExactSeconds> time = ParseMs(value);
            if (!time) {
                return std::nullopt;
            }
            times.emplace_back(option, *time);
        }
    }
    TidySettings settings = TidySettingsFor(*profile);
    for (const auto& [option, time] : times) {
        ExactSeconds* field = option == "--snap"           ? &settings.snap
                              : option == "--lead-in"      ? &settings.leadIn
                              : option == "--lead-out"     ? &settings.leadOut
                              : option == "--close-gaps"   ? &settings.closeGaps
                              : option == "--min-gap"      ? &settings.minGap
                              : option == "--min-duration" ? &settings.minDuration
                                                           : nullptr;
        if (field == nullptr) {
            return std::nullopt;
        }
        *field = time;
    }
    return settings;
}

} // namespace

int RunTidy(const QStringList& args) {
    if (args.size() < 2) {
        return kCliUsage;
    }
    const std::optional<TidySettings> settings = ParseTidyOptions(args.mid(2));
    if (!settings) {
        return kCliUsage;
    }
    return OnOpened(args[0], [&](CtarnDoc& doc, CliHost& host) {
        const int changed = TidyCues(doc, host, {}, *settings);
        const int before = host.MessageCount();
        doc.OnSaveDocument(args[1]);
        if (host.MessageCount() == before) {
            Out() << changed << " cues changed" << Qt::endl;
        }
    });
}
