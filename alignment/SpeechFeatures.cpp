#include "alignment/SpeechFeatures.h"

#include "base/FftPlannerLock.h"

#include <fftw3.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

namespace {

constexpr int kBands = 26;
constexpr double kLowestHz = 60.0;
constexpr double kHighestHz = 7600.0;
/// Energies more than 15 dB under a band's mean count as that much: both signals' silences,
/// digital zeros or room noise, then look alike, and the loud parts of speech decide.
constexpr double kBandFloor = 3e-2;

double HzToMel(double hz) {
    return 2595.0 * std::log10(1.0 + hz / 700.0);
}

double MelToHz(double mel) {
    return 700.0 * (std::pow(10.0, mel / 2595.0) - 1.0);
}

/// One triangular band: its weights for the bins first .. first + weights.size() - 1.
struct MelBand {
    int first = 0;
    std::vector<float> weights;
};

std::vector<MelBand> MakeBands(qint32 rate, int size, double topHz) {
    const double lowMel = HzToMel(kLowestHz);
    const double highMel = HzToMel(topHz);
    std::vector<double> edges(kBands + 2);
    for (int k = 0; k < kBands + 2; ++k) {
        edges[size_t(k)] = MelToHz(lowMel + (highMel - lowMel) * k / (kBands + 1));
    }
    const double binHz = double(rate) / size;
    std::vector<MelBand> bands(kBands);
    for (int b = 0; b < kBands; ++b) {
        const double lo = edges[size_t(b)];
        const double mid = edges[size_t(b) + 1];
        const double hi = edges[size_t(b) + 2];
        MelBand& band = bands[size_t(b)];
        band.first = int(std::ceil(lo / binHz));
        for (int bin = band.first; bin * binHz < hi && bin <= size / 2; ++bin) {
            const double hz = bin * binHz;
            band.weights.push_back(
                float(hz < mid ? (hz - lo) / (mid - lo) : (hi - hz) / (hi - mid)));
        }
        // A band narrower than a bin at a low rate still takes its nearest bin.
        if (band.weights.empty()) {
            band.first = std::min(int(std::lround(mid / binHz)), size / 2);
            band.weights.push_back(1.0f);
        }
    }
    return bands;
}

} // namespace

struct FeatureExtractor::Transform {
    int size = 0;
    float* in = nullptr;
    fftwf_complex* out = nullptr;
    fftwf_plan plan = nullptr;
    std::vector<float> hann;
    std::vector<MelBand> bands;

    Transform(qint32 rate, qint64 window, double topHz) {
        size = 1;
        while (size < window) {
            size *= 2;
        }
        std::lock_guard lock(FftPlannerMutex());
        in = fftwf_alloc_real(size_t(size));
        out = fftwf_alloc_complex(size_t(size / 2 + 1));
        plan = fftwf_plan_dft_r2c_1d(size, in, out, FFTW_ESTIMATE);
        std::fill(in, in + size, 0.0f);
        hann.resize(size_t(window));
        for (qint64 n = 0; n < window; ++n) {
            hann[size_t(n)] = float(
                0.5 - 0.5 * std::cos(2.0 * std::numbers::pi * double(n) / double(window - 1)));
        }
        bands = MakeBands(rate, size, topHz);
    }
    ~Transform() {
        std::lock_guard lock(FftPlannerMutex());
        fftwf_destroy_plan(plan);
        fftwf_free(in);
        fftwf_free(out);
    }
    Transform(const Transform&) = delete;
    Transform& operator=(const Transform&) = delete;
};

FeatureExtractor::FeatureExtractor(qint32 rate, double topHz, qint64 expectedSamples)
    : m_hop(std::max<qint64>(1, rate / 100)),
      m_window(std::max<qint64>(2, std::llround(rate * 0.025))),
      m_transform(std::make_unique<Transform>(rate, m_window, topHz)) {
    m_bands.reserve(size_t((expectedSamples / m_hop + 1) * kBands));
}

FeatureExtractor::~FeatureExtractor() = default;

double FeatureExtractor::CommonTopHz(qint32 rateA, qint32 rateB) {
    return std::min(kHighestHz, 0.45 * std::min(rateA, rateB));
}

void FeatureExtractor::Append(const float* samples, qint64 count) {
    m_appended += count;
    qint64 taken = 0;
    while (taken < count) {
        const qint64 room = m_window - qint64(m_pending.size());
        const qint64 part = std::min(room, count - taken);
        m_pending.insert(m_pending.end(), samples + taken, samples + taken + part);
        taken += part;
        if (qint64(m_pending.size()) == m_window) {
            MakeRow();
            m_pending.erase(m_pending.begin(), m_pending.begin() + m_hop);
        }
    }
}

void FeatureExtractor::AppendSilence(qint64 count) {
    const std::vector<float> zeros(size_t(std::clamp<qint64>(count, 0, 4096)), 0.0f);
    for (qint64 left = count; left > 0; left -= qint64(zeros.size())) {
        Append(zeros.data(), std::min<qint64>(left, qint64(zeros.size())));
    }
}

qint64 FeatureExtractor::Rows() const {
    return qint64(m_bands.size()) / kBands;
}

void FeatureExtractor::MakeRow() {
    Transform& t = *m_transform;
    for (qint64 n = 0; n < m_window; ++n) {
        t.in[n] = m_pending[size_t(n)] * t.hann[size_t(n)];
    }
    fftwf_execute_dft_r2c(t.plan, t.in, t.out);
    for (const MelBand& band : t.bands) {
        double energy = 0;
        for (size_t k = 0; k < band.weights.size(); ++k) {
            const fftwf_complex& bin = t.out[size_t(band.first) + k];
            energy += band.weights[k] * (double(bin[0]) * bin[0] + double(bin[1]) * bin[1]);
        }
        m_bands.push_back(float(energy));
    }
}

FeatureMatrix FeatureExtractor::Finish() {
    // Every sample starts a row's hop; the last rows are padded with silence.
    const qint64 wanted = (m_appended + m_hop - 1) / m_hop;
    while (Rows() < wanted) {
        AppendSilence(m_window - qint64(m_pending.size()));
    }
    const qint64 rows = Rows();
    std::vector<double> floor(kBands, 0.0);
    for (qint64 r = 0; r < rows; ++r) {
        for (int b = 0; b < kBands; ++b) {
            floor[size_t(b)] += m_bands[size_t(r * kBands + b)];
        }
    }
    for (double& f : floor) {
        f = std::max(f / double(std::max<qint64>(rows, 1)) * kBandFloor, 1e-12);
    }
    // The features take the bands' place row by row: as many values a row, so no second
    // copy of an hour's rows is ever held.
    static_assert(FeatureMatrix::kDims == kBands);
    std::vector<double> cosines(size_t(FeatureMatrix::kCepstra * kBands));
    for (int c = 0; c < FeatureMatrix::kCepstra; ++c) {
        for (int b = 0; b < kBands; ++b) {
            cosines[size_t(c * kBands + b)] = std::cos(std::numbers::pi * c * (b + 0.5) / kBands);
        }
    }
    std::vector<double> logs(kBands);
    for (qint64 r = 0; r < rows; ++r) {
        float* row = m_bands.data() + r * kBands;
        for (int b = 0; b < kBands; ++b) {
            logs[size_t(b)] = std::log(row[b] + floor[size_t(b)]);
        }
        // The cepstrum: a DCT-II of the log energies.
        for (int c = 0; c < FeatureMatrix::kCepstra; ++c) {
            double sum = 0;
            for (int b = 0; b < kBands; ++b) {
                sum += logs[size_t(b)] * cosines[size_t(c * kBands + b)];
            }
            row[c] = float(sum);
        }
    }
    FeatureMatrix features;
    features.values = std::exchange(m_bands, {});
    m_pending = {};
    // How each cepstrum changes: the slope over two rows on either side.
    constexpr int kDims = FeatureMatrix::kDims;
    for (qint64 r = 0; r < rows; ++r) {
        const float* before1 = features.values.data() + std::max<qint64>(r - 1, 0) * kDims;
        const float* before2 = features.values.data() + std::max<qint64>(r - 2, 0) * kDims;
        const float* after1 = features.values.data() + std::min(r + 1, rows - 1) * kDims;
        const float* after2 = features.values.data() + std::min(r + 2, rows - 1) * kDims;
        float* out = features.values.data() + r * kDims + FeatureMatrix::kCepstra;
        for (int c = 0; c < FeatureMatrix::kCepstra; ++c) {
            out[c] = ((after1[c] - before1[c]) + 2 * (after2[c] - before2[c])) / 10.0f;
        }
    }
    for (int c = 0; c < FeatureMatrix::kDims; ++c) {
        double sum = 0;
        double squares = 0;
        for (qint64 r = 0; r < rows; ++r) {
            const double v = features.values[size_t(r * FeatureMatrix::kDims + c)];
            sum += v;
            squares += v * v;
        }
        const double mean = rows > 0 ? sum / double(rows) : 0.0;
        const double deviation =
            rows > 0 ? std::sqrt(std::max(squares / double(rows) - mean * mean, 1e-12)) : 1.0;
        for (qint64 r = 0; r < rows; ++r) {
            float& v = features.values[size_t(r * FeatureMatrix::kDims + c)];
            v = float((v - mean) / deviation);
        }
    }
    return features;
}

FeatureMatrix FeatureMatrix::Coarsened(qint64 factor) const {
    FeatureMatrix coarse;
    const qint64 rows = Rows();
    coarse.values.resize(size_t((rows + factor - 1) / factor * kDims));
    for (qint64 r = 0; r < rows; r += factor) {
        const qint64 count = std::min(factor, rows - r);
        float* out = coarse.values.data() + r / factor * kDims;
        for (qint64 k = 0; k < count; ++k) {
            const float* row = Row(r + k);
            for (int c = 0; c < kDims; ++c) {
                out[c] += row[c];
            }
        }
        for (int c = 0; c < kDims; ++c) {
            out[c] /= float(count);
        }
    }
    return coarse;
}

float FeatureDistance(const float* a, const float* b) {
    float sum = 0;
    for (int c = 0; c < FeatureMatrix::kDims; ++c) {
        const float d = a[c] - b[c];
        sum += d * d;
    }
    return std::sqrt(sum);
}
