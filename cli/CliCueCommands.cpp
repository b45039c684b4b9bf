#include "cli/CliCueCommands.h"

#include "actions/RetimeCues.h"
#include "cli/CliCommands.h"
#include "cli/CliHost.h"
#include "cli/CliSupport.h"
#include "document/CtarnDoc.h"
#include "subtitles/TypedTime.h"

#include <cstdio>
#include <limits>
#include <numeric>
#include <optional>
#include <utility>
#include <variant>
#include <vector>

namespace {

/// What retime was asked for, before the cues are known. Cues are indexes here.
struct RetimeRequest {
    std::optional<Retiming> how;
    std::optional<std::pair<int, int>> range; ///< the first and last cue retimed

    std::vector<int> Rows() const {
        std::vector<int> rows;
        if (range) {
            rows.resize(size_t(range->second - range->first + 1));
            std::iota(rows.begin(), rows.end(), range->first);
        }
        return rows;
    }
};

/// The index of a cue named by its number from 1.
std::optional<int> ParseCueNumber(const QString& text) {
    const std::optional<int> number = ParseInt(text, 1, std::numeric_limits<int>::max());
    return number ? std::optional<int>(*number - 1) : std::nullopt;
}

/// "N=TIME" of --sync: the cue's index and the time in milliseconds; nothing when malformed,
/// after telling why when it is the time that is refused.
std::optional<std::pair<int, qint64>> ParseSyncPoint(const QString& text) {
    const qsizetype equals = text.indexOf(QChar('='));
    const std::optional<int> cue = ParseCueNumber(text.left(equals));
    if (equals < 0 || !cue) {
        return std::nullopt;
    }
    const TypedTime time = ParseTypedTime(QStringView(text).mid(equals + 1));
    if (!time.ms) {
        std::fprintf(stderr, "%s\n", time.refusal.toUtf8().constData());
        return std::nullopt;
    }
    return std::pair(*cue, *time.ms);
}

/// "N-M" of --cues, as indexes with N <= M.
std::optional<std::pair<int, int>> ParseCueRange(const QString& text) {
    const QStringList ends = text.split(QChar('-'));
    if (ends.size() != 2) {
        return std::nullopt;
    }
    const std::optional<int> first = ParseCueNumber(ends[0]);
    const std::optional<int> last = ParseCueNumber(ends[1]);
    if (!first || !last || *first > *last) {
        return std::nullopt;
    }
    return std::pair(*first, *last);
}

std::optional<TypedDecimal> ParsePositive(const QString& text) {
    const std::optional<TypedDecimal> value = ParseTypedDecimal(text);
    return value && value->units > 0 ? value : std::nullopt;
}

/// The options of retime: exactly one way to retime and at most one range; nothing when an
/// option is malformed, repeated or missing.
std::optional<RetimeRequest> ParseRetimeOptions(const QStringList& args) {
    RetimeRequest request;
    for (int i = 0; i < args.size(); ++i) {
        const QString& option = args[i];
        const int left = int(args.size()) - i - 1;
        if (option == "--cues" && left >= 1 && !request.range) {
            request.range = ParseCueRange(args[++i]);
            if (!request.range) {
                return std::nullopt;
            }
        } else if (option == "--shift" && left >= 1 && !request.how) {
            const std::optional<TypedDecimal> ms = ParseTypedDecimal(args[++i]);
            if (!ms) {
                return std::nullopt;
            }
            request.how = CueShift{*ms};
        } else if (option == "--sync" && left >= 2 && !request.how) {
            const auto first = ParseSyncPoint(args[++i]);
            const auto second = first ? ParseSyncPoint(args[++i]) : std::nullopt;
            if (!second || first->first == second->first) {
                return std::nullopt;
            }
            request.how = CueSync{first->first, first->second, second->first, second->second};
        } else if (option == "--fps" && left >= 2 && !request.how) {
            const std::optional<TypedDecimal> from = ParsePositive(args[++i]);
            const std::optional<TypedDecimal> to = ParsePositive(args[++i]);
            if (!from || !to) {
                return std::nullopt;
            }
            request.how = FrameRateChange{*from, *to};
        } else {
            return std::nullopt;
        }
    }
    return request.how ? std::optional(request) : std::nullopt;
}

/// Whether every cue the request names is in `cues`, and the two cues of a sync start apart.
bool NamesCuesOf(const RetimeRequest& request, const CueList& cues) {
    if (request.range && !cues.IsValidIndex(request.range->second)) {
        return false;
    }
    const CueSync* sync = std::get_if<CueSync>(&*request.how);
    return sync == nullptr || (cues.IsValidIndex(sync->first) && cues.IsValidIndex(sync->second) &&
                               cues.Start(sync->first) != cues.Start(sync->second));
}

} // namespace

int RunCues(const QStringList& args) {
    if (args.size() != 1) {
        return kCliUsage;
    }
    return OnOpened(args[0], [](CtarnDoc& doc, CliHost&) {
        const CueList& cues = doc.Cues();
        QTextStream& out = Out();
        for (int i = 0; i < cues.Count(); ++i) {
            QString text = cues.Text(i);
            text.replace(QChar('\n'), QStringLiteral("\\n"));
            out << i + 1 << '\t' << cues.Start(i) << '\t' << cues.End(i) << '\t' << text << '\n';
        }
        out << Qt::flush;
    });
}

int RunRetime(const QStringList& args) {
    if (args.size() < 3) {
        return kCliUsage;
    }
    const std::optional<RetimeRequest> request = ParseRetimeOptions(args.mid(2));
    if (!request) {
        return kCliUsage;
    }
    bool named = true;
    const int status = OnOpened(args[0], [&](CtarnDoc& doc, CliHost& host) {
        named = NamesCuesOf(*request, doc.Cues());
        if (named && RetimeCues(doc, host, request->Rows(), *request->how)) {
            doc.OnSaveDocument(args[1]);
        }
    });
    return named ? status : kCliUsage;
}
