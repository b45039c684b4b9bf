#include "spectrum/SpectrogramColumns.h"

#include "base/FftPlannerLock.h"

#include <fftw3.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace {

constexpr double kLowestHz = 50.0;
constexpr double kFloorDb = -100.0;
constexpr double kFullScale = 32768.0;
constexpr int kLargestWindow = 1 << 16;

/// The frequency axis: position x (in rows above the bottom edge, 0 .. height) to hertz and
/// back.
struct Axis {
    double low = 0;
    double top = 0;
    int height = 1;
    bool log = true;

    Axis(qint32 rate, int rows, bool logFrequency)
        : top(rate / 2.0), height(std::max(rows, 1)), log(logFrequency) {
        // A rate too low for the axis' usual start still gets an octave to show.
        low = log ? std::min(kLowestHz, top / 2.0) : 0.0;
    }

    double Hz(double x) const {
        return log ? low * std::pow(top / low, x / height) : top * x / height;
    }
    double Position(double hz) const {
        if (log) {
            return hz <= 0 ? 0.0 : height * std::log(hz / low) / std::log(top / low);
        }
        return height * hz / top;
    }
};

/// The first and last bin of one pixel row.
struct RowBins {
    int first = 0;
    int last = 0;
};

/// Each row's bins, top row first: those whose frequency lies in its band, or the one nearest
/// the band's middle when none does.
std::vector<RowBins> MakeRowBins(const Axis& axis, qint32 rate, int window) {
    const double binHz = double(rate) / window;
    const int topBin = window / 2;
    std::vector<RowBins> rows(size_t(axis.height));
    for (int b = 0; b < axis.height; ++b) {
        RowBins bins;
        bins.first = int(std::ceil(axis.Hz(b) / binHz));
        bins.last = b == axis.height - 1 ? topBin : int(std::ceil(axis.Hz(b + 1) / binHz)) - 1;
        if (bins.first > bins.last) {
            bins.first = bins.last = int(std::lround(axis.Hz(b + 0.5) / binHz));
        }
        bins.first = std::clamp(bins.first, 0, topBin);
        bins.last = std::clamp(bins.last, bins.first, topBin);
        rows[size_t(axis.height - 1 - b)] = bins;
    }
    return rows;
}

std::array<quint32, 256> MakeColourTable() {
    // A polynomial fit of viridis: dark blue through green to yellow, brightness rising
    // evenly, readable for colour-blind eyes.
    static constexpr double kCoefficients[7][3] = {
        {0.2777273272234177, 0.005407344544966578, 0.3340998053353061},
        {0.1050930431085774, 1.404613529898575, 1.384590162594685},
        {-0.3308618287255563, 0.214847559468213, 0.09509516302823659},
        {-4.634230498983486, -5.799100973351585, -19.33244095627987},
        {6.228269936347081, 14.17993336680509, 56.69055260068105},
        {4.776384997670288, -13.74514537774601, -65.35303263337234},
        {-5.435455855934631, 4.645852612178535, 26.3124352495832},
    };
    std::array<quint32, 256> table{};
    for (size_t i = 0; i < table.size(); ++i) {
        const double t = double(i) / double(table.size() - 1);
        quint32 argb = 0xff000000u;
        for (int c = 0; c < 3; ++c) {
            double v = 0;
            for (int k = 6; k >= 0; --k) {
                v = v * t + kCoefficients[k][c];
            }
            argb |= quint32(std::lround(std::clamp(v, 0.0, 1.0) * 255.0)) << (16 - 8 * c);
        }
        table[i] = argb;
    }
    return table;
}

/// One transform's arrays and plan, and the window it applies.
class Transform {
public:
    explicit Transform(int size) : m_size(size), m_hann(size_t(size)) {
        {
            std::lock_guard lock(FftPlannerMutex());
            m_in = fftwf_alloc_real(size_t(size));
            m_out = fftwf_alloc_complex(size_t(size / 2 + 1));
            m_plan = fftwf_plan_dft_r2c_1d(size, m_in, m_out, FFTW_ESTIMATE);
        }
        double sum = 0;
        for (int n = 0; n < size; ++n) {
            // The periodic window: overlapping copies a quarter apart add up to a constant.
            m_hann[size_t(n)] = float(0.5 - 0.5 * std::cos(2.0 * std::numbers::pi * n / size));
            sum += m_hann[size_t(n)];
        }
        // A full-scale sine on a bin's centre then has power 1 (0 dB) in that bin.
        const double peak = sum / 2.0 * kFullScale;
        m_scale = 1.0 / (peak * peak);
    }
    ~Transform() {
        std::lock_guard lock(FftPlannerMutex());
        fftwf_destroy_plan(m_plan);
        fftwf_free(m_in);
        fftwf_free(m_out);
    }
    Transform(const Transform&) = delete;
    Transform& operator=(const Transform&) = delete;

    /// Adds the scaled power of each bin of the window starting at frame `start` to `power`.
    void AddPower(const SampleVector& samples, qint64 start, std::vector<double>& power) {
        const qint64 frames = qint64(samples.size());
        const qint64 from = std::clamp<qint64>(-start, 0, m_size);
        const qint64 to = std::clamp<qint64>(frames - start, from, m_size);
        std::fill(m_in, m_in + from, 0.0f);
        for (qint64 n = from; n < to; ++n) {
            m_in[n] = float(samples[size_t(start + n)]) * m_hann[size_t(n)];
        }
        std::fill(m_in + to, m_in + m_size, 0.0f);
        fftwf_execute_dft_r2c(m_plan, m_in, m_out);
        for (size_t k = 0; k < power.size(); ++k) {
            power[k] +=
                (double(m_out[k][0]) * m_out[k][0] + double(m_out[k][1]) * m_out[k][1]) * m_scale;
        }
    }

private:
    int m_size;
    std::vector<float> m_hann;
    double m_scale = 1;
    float* m_in = nullptr;
    fftwf_complex* m_out = nullptr;
    fftwf_plan m_plan = nullptr;
};

} // namespace

int SpectrogramWindow(qint32 rate) {
    const double wanted = 2048.0 * rate / 44100.0;
    int size = 256;
    // A hostile header's rate must not ask for a transform of gigabytes.
    while (size < kLargestWindow && (size * 2 <= wanted || wanted - size > size * 2 - wanted)) {
        size *= 2;
    }
    return size;
}

int RowOfFrequency(double hz, qint32 rate, int height, bool logFrequency) {
    if (rate <= 0 || height <= 0) {
        return std::max(height - 1, 0);
    }
    const Axis axis(rate, height, logFrequency);
    const int fromBottom = int(std::clamp(std::floor(axis.Position(hz)), 0.0, height - 1.0));
    return height - 1 - fromBottom;
}

quint32 SpectrogramColour(double db) {
    static const std::array<quint32, 256> table = MakeColourTable();
    const double t = std::clamp((db - kFloorDb) / -kFloorDb, 0.0, 1.0);
    return table[size_t(std::lround(t * double(table.size() - 1)))];
}

std::vector<quint32> SpectrogramColumns(const Recording& recording, int channel, qint64 first,
                                        int count, const SpectrogramLayout& layout) {
    const int height = std::max(layout.height, 0);
    const int columns = std::max(count, 0);
    const qint32 rate = recording.SampleRate();
    std::vector<quint32> pixels(size_t(columns) * size_t(height), SpectrogramColour(kFloorDb));
    if (rate <= 0 || height == 0 || recording.Frames() == 0) {
        return pixels;
    }
    const qint64 zoom = std::max(layout.zoom, 1);
    const int window = SpectrogramWindow(rate);
    const qint64 step = window / 4;
    const qint64 transforms = zoom <= step ? 1 : (zoom + step - 1) / step;
    const std::vector<RowBins> rows =
        MakeRowBins(Axis(rate, height, layout.logFrequency), rate, window);
    const SampleVector& samples = recording.Samples(channel);
    Transform transform(window);
    std::vector<double> power(size_t(window / 2 + 1));
    for (int c = 0; c < columns; ++c) {
        std::fill(power.begin(), power.end(), 0.0);
        const qint64 start = (first + c) * zoom;
        // The transforms' centres split the column into equal parts, at most a step apart.
        for (qint64 t = 0; t < transforms; ++t) {
            const qint64 centre = start + (2 * t + 1) * zoom / (2 * transforms);
            transform.AddPower(samples, centre - window / 2, power);
        }
        for (int r = 0; r < height; ++r) {
            const RowBins bins = rows[size_t(r)];
            const double strongest =
                *std::max_element(power.begin() + bins.first, power.begin() + bins.last + 1);
            const double db = 10.0 * std::log10(std::max(strongest / double(transforms), 1e-12));
            pixels[size_t(r) * size_t(columns) + size_t(c)] = SpectrogramColour(db);
        }
    }
    return pixels;
}
