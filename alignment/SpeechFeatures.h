#pragma once

#include <QtGlobal>

#include <memory>
#include <vector>

/// Spectral features of a signal, one row of kFeatureDims values every 10 ms, each dimension
/// normalised to mean 0 and deviation 1 over the signal, so that two signals recorded at
/// different levels, rates and through different channels compare row by row.
struct FeatureMatrix {
    static constexpr int kCepstra = 13;
    static constexpr int kDims = 2 * kCepstra; ///< the cepstra and how fast each changes

    std::vector<float> values; ///< row after row

    qint64 Rows() const { return qint64(values.size()) / kDims; }
    const float* Row(qint64 row) const { return values.data() + row * kDims; }
    /// The matrix with every `factor` rows averaged into one (the last ones as they come).
    FeatureMatrix Coarsened(qint64 factor) const;
};

/// The distance between two feature rows.
float FeatureDistance(const float* a, const float* b);

/// Turns a stream of samples into mel-band energies, 10 ms at a time, a 25 ms Hann window
/// each; Finish makes them the features. The band layout depends on `topHz` alone, so that
/// two extractors with the same top give rows that compare whatever their rates.
class FeatureExtractor {
public:
    /// `expectedSamples`: how many samples will come, when known, so that the rows are
    /// allocated once.
    FeatureExtractor(qint32 rate, double topHz, qint64 expectedSamples = 0);
    ~FeatureExtractor();
    FeatureExtractor(const FeatureExtractor&) = delete;
    FeatureExtractor& operator=(const FeatureExtractor&) = delete;

    /// Samples of one channel, scaled to -1 .. 1, continuing the ones before.
    void Append(const float* samples, qint64 count);
    /// Adds `count` samples of silence.
    void AppendSilence(qint64 count);
    /// Rows made so far: a row starts every hop, the first at the first sample.
    qint64 Rows() const;
    /// The features of everything appended; the extractor is spent.
    FeatureMatrix Finish();

    /// The highest frequency both signals can carry, for two rates.
    static double CommonTopHz(qint32 rateA, qint32 rateB);

private:
    struct Transform;

    void MakeRow();

    qint64 m_hop;
    qint64 m_window;
    qint64 m_appended = 0;
    std::vector<float> m_pending; ///< samples not yet past a whole hop
    std::vector<float> m_bands;   ///< mel energies, row after row
    std::unique_ptr<Transform> m_transform;
};
