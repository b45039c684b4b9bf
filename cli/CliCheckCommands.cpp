#include "cli/CliCheckCommands.h"

#include "cli/CliCommands.h"
#include "cli/CliSupport.h"
#include "document/CtarnDoc.h"
#include "subtitles/TimingRules.h"

#include <QHash>

#include <limits>
#include <optional>

namespace {

/// The status when any cue breaks a rule.
constexpr int kProblemsFound = 1;

const QStringList kCheckOptions = {"--profile",      "--fps",     "--max-cps",   "--min-duration",
                                   "--max-duration", "--min-gap", "--max-chars", "--max-lines"};

/// A decimal of at least 0 (above 0 when `positive`).
std::optional<TypedDecimal> ParseLimit(const QString& text, bool positive) {
    const std::optional<TypedDecimal> value = ParseTypedDecimal(text);
    return value && (value->units > 0 || (!positive && value->units == 0)) ? value : std::nullopt;
}

std::optional<int> ParseCount(const QString& text) {
    return ParseInt(text, 0, std::numeric_limits<int>::max());
}

/// The profile named by --profile (netflix without it) with the other options laid over
/// it, whatever their order; nothing when an option is unknown, repeated, without its value
/// or malformed.
std::optional<TimingProfile> ParseCheckOptions(const QStringList& args) {
    QHash<QString, QString> values;
    for (int i = 0; i < args.size(); i += 2) {
        if (!kCheckOptions.contains(args[i]) || i + 1 >= args.size() || values.contains(args[i])) {
            return std::nullopt;
        }
        values.insert(args[i], args[i + 1]);
    }
    std::optional<TimingProfile> profile =
        BuiltInProfile(values.value(QStringLiteral("--profile"), QStringLiteral("netflix")));
    if (!profile) {
        return std::nullopt;
    }
    bool ok = true;
    const auto decimal = [&](const char* option, bool positive, auto apply) {
        if (ok && values.contains(option)) {
            const std::optional<TypedDecimal> value = ParseLimit(values[option], positive);
            ok = value.has_value();
            if (ok) {
                apply(*value);
            }
        }
    };
    const auto count = [&](const char* option, int& field) {
        if (ok && values.contains(option)) {
            const std::optional<int> value = ParseCount(values[option]);
            ok = value.has_value();
            field = value.value_or(field);
        }
    };
    decimal("--fps", true, [&](TypedDecimal v) { profile->fps = v; });
    decimal("--max-cps", false, [&](TypedDecimal v) { profile->maxCps = v; });
    decimal("--min-duration", false,
            [&](TypedDecimal v) { profile->minDuration = MillisecondsToSeconds(v); });
    decimal("--max-duration", false,
            [&](TypedDecimal v) { profile->maxDuration = MillisecondsToSeconds(v); });
    decimal("--min-gap", false,
            [&](TypedDecimal v) { profile->minGap = MillisecondsToSeconds(v); });
    count("--max-chars", profile->maxLineChars);
    count("--max-lines", profile->maxLines);
    return ok ? profile : std::nullopt;
}

} // namespace

int RunCheck(const QStringList& args) {
    if (args.isEmpty()) {
        return kCliUsage;
    }
    const std::optional<TimingProfile> profile = ParseCheckOptions(args.mid(1));
    if (!profile) {
        return kCliUsage;
    }
    bool found = false;
    const int status = OnOpened(args[0], [&](CtarnDoc& doc, CliHost&) {
        const CueList& cues = doc.Cues();
        const qint32 rate = doc.GetRecording().SampleRate();
        QTextStream& out = Out();
        for (int i = 0; i < cues.Count(); ++i) {
            const TimingProblems problems = CueTimingProblems(cues, i, rate, *profile);
            for (const TimingProblem problem : kTimingProblems) {
                if (problems.testFlag(problem)) {
                    const TimingFigures figures = ProblemFigures(cues, i, rate, *profile, problem);
                    out << i + 1 << '\t' << TimingProblemName(problem) << '\t' << figures.value
                        << '\t' << figures.limit << '\n';
                    found = true;
                }
            }
        }
        out << Qt::flush;
    });
    return status == kCliOk && found ? kProblemsFound : status;
}
