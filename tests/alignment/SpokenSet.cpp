#include "alignment/SpokenSet.h"

#include "support/WavBytes.h"

#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>

namespace {

/// The samples of the data chunk of a 16-bit mono WAV file.
std::vector<qint16> DataSamples(const QByteArray& file) {
    const qsizetype at = file.indexOf("data");
    std::vector<qint16> samples;
    for (qsizetype i = at + 8; at >= 0 && i + 1 < file.size(); i += 2) {
        samples.push_back(qint16(quint8(file[i]) | (quint8(file[i + 1]) << 8)));
    }
    return samples;
}

std::vector<qint16> Spoken(const QString& text, const QString& folder) {
    const QString path = folder + QStringLiteral("/sentence.wav");
    QProcess flite;
    flite.start(QStringLiteral("flite"), {QStringLiteral("-voice"), QStringLiteral("slt"),
                                          QStringLiteral("-t"), text, QStringLiteral("-o"), path});
    if (!flite.waitForFinished(30000) || flite.exitCode() != 0) {
        return {};
    }
    std::vector<qint16> samples = DataSamples(wav::ReadFile(path));
    int peak = 0;
    for (const qint16 s : samples) {
        peak = std::max(peak, std::abs(int(s)));
    }
    const auto loud = [peak](qint16 s) { return std::abs(int(s)) * 100 > peak; };
    const auto first = std::find_if(samples.begin(), samples.end(), loud);
    const auto last = std::find_if(samples.rbegin(), samples.rend(), loud).base();
    return first < last ? std::vector<qint16>(first, last) : std::vector<qint16>();
}

} // namespace

SpokenSet SpokenSet::Make(const QStringList& sentences, const std::vector<int>& pausesMs,
                          int edgeMs, bool edgeNoise) {
    QTemporaryDir folder;
    SpokenSet set;
    const auto silence = [&set](int ms) {
        set.samples.insert(set.samples.end(), size_t(ms * kRate / 1000), 0);
    };
    silence(edgeMs);
    for (int k = 0; k < sentences.size(); ++k) {
        const std::vector<qint16> speech = Spoken(sentences[k], folder.path());
        if (speech.empty()) {
            return {};
        }
        const int at = int(set.samples.size());
        set.samples.insert(set.samples.end(), speech.begin(), speech.end());
        set.truth.push_back({at, int(set.samples.size())});
        silence(size_t(k) < pausesMs.size() ? pausesMs[size_t(k)] : 0);
    }
    silence(edgeMs);

    double sum = 0;
    qint64 count = 0;
    for (const FrameRange& span : set.truth) {
        for (int i = span.lo; i < span.hi; ++i) {
            sum += double(set.samples[size_t(i)]) * set.samples[size_t(i)];
        }
        count += span.Length();
    }
    const double speechRms = std::sqrt(sum / double(std::max<qint64>(count, 1)));
    quint32 state = 12345;
    const auto white = [&state] {
        state = state * 1664525u + 1013904223u;
        return (double(state >> 8) / double(1 << 24) - 0.5) * std::sqrt(12.0);
    };
    const int edge = edgeMs * kRate / 1000;
    const auto total = int(set.samples.size());
    for (int i = 0; i < total; ++i) {
        const bool inEdge = i < edge || i >= total - edge;
        const double level =
            speechRms * std::pow(10.0, (inEdge && edgeNoise ? -25.0 : -35.0) / 20.0);
        set.samples[size_t(i)] =
            qint16(std::clamp(set.samples[size_t(i)] + level * white(), -32768.0, 32767.0));
    }
    return set;
}

bool SpokenSet::Write(const QString& path) const {
    std::vector<qint16> stereo;
    for (const qint16 s : samples) {
        stereo.push_back(s);
        stereo.push_back(s);
    }
    return wav::WriteFile(path, wav::Simple(2, kRate, stereo));
}
