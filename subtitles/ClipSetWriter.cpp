#include "subtitles/ClipSet.h"

#include "base/WholeFile.h"
#include "recording/Recording.h"
#include "subtitles/ClipLoudness.h"

#include <QCoreApplication>
#include <QDir>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace {

/// Cuts, shapes, encodes and writes one clip; false with the reason. `peakRule` says whether
/// a clip too short for its loudness was brought to its peak instead.
bool WriteClip(const Recording& recording, const PlannedClip& clip, const ClipSetOptions& options,
               ClipEncoder& encoder, const QString& path, QString& reason, bool& peakRule) {
    const int lo = std::clamp(clip.start, 0, recording.Frames());
    const int hi = std::clamp(clip.end, lo, recording.Frames());
    std::vector<qint16> channels[2];
    for (int c = 0; c < 2; ++c) {
        channels[c].assign(recording.Samples(c).begin() + lo, recording.Samples(c).begin() + hi);
    }
    ShapeClip(channels[0], channels[1], recording.SampleRate(), options.fade,
              options.normalize && !options.loudnessLufs);
    peakRule = options.loudnessLufs &&
               NormaliseLoudness(channels[0], channels[1], recording.SampleRate(),
                                 *options.loudnessLufs) == LoudnessOutcome::PeakRule;
    QByteArray bytes;
    return encoder.Encode(options.format, channels[0].data(), channels[1].data(), hi - lo,
                          recording.SampleRate(), bytes, reason) &&
           WriteWholeFile(path, bytes, &reason);
}

/// Takes the still at the middle of the clip's cues and writes it to `path`; false with the
/// reason.
bool WriteStill(StillGrabber& grabber, const PlannedClip& clip, int height, qint32 rate,
                const QString& path, QString& reason) {
    const qint64 middle = (qint64(clip.cueStart) + clip.cueEnd) / 2;
    QByteArray jpeg;
    return grabber.GrabJpeg(middle * 1000 / std::max(rate, 1), height, jpeg, reason) &&
           WriteWholeFile(path, jpeg, &reason);
}

QString Failure(const QString& path, const QString& reason) {
    return QDir::toNativeSeparators(path) + QStringLiteral(": ") + reason;
}

} // namespace

void ShapeClip(std::vector<qint16>& left, std::vector<qint16>& right, qint32 rate, bool fade,
               bool normalize) {
    const size_t n = std::min(left.size(), right.size());
    if (fade) {
        const size_t ramp = std::min(size_t(std::max(rate / 100, 1)), n / 2);
        for (size_t i = 0; i < ramp; ++i) {
            const double gain = double(i) / double(ramp);
            for (std::vector<qint16>* channel : {&left, &right}) {
                qint16* s = channel->data();
                s[i] = qint16(std::lround(s[i] * gain));
                s[n - 1 - i] = qint16(std::lround(s[n - 1 - i] * gain));
            }
        }
    }
    if (normalize) {
        NormalisePeak(left, right);
    }
}

ClipSetResult WriteClipSet(const Recording& recording, const std::vector<PlannedClip>& plan,
                           const ClipSetOptions& options, ClipEncoder& encoder,
                           const std::function<bool(int done, int total)>& progress,
                           const StillSource& stills) {
    ClipSetResult result;
    const int total = int(plan.size());
    if (total == 0) {
        return result;
    }
    const QDir folder(options.folder);
    const int workers = int(std::clamp(std::thread::hardware_concurrency(), 1u, unsigned(total)));
    std::atomic<int> next{0};
    std::atomic<bool> stop{false};
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<char> written(plan.size(), 0);
    std::vector<char> stillWritten(plan.size(), 0);
    int done = 0;
    int running = workers;

    const auto work = [&] {
        QString reason;
        bool peakRule = false;
        const std::unique_ptr<StillGrabber> grabber = options.stills && stills ? stills() : nullptr;
        for (int i = next++; i < total && !stop; i = next++) {
            const PlannedClip& clip = plan[size_t(i)];
            QString path = folder.filePath(clip.fileName);
            const bool clipWritten =
                WriteClip(recording, clip, options, encoder, path, reason, peakRule);
            bool ok = clipWritten;
            bool still = false;
            if (clipWritten && grabber && !clip.stillName.isEmpty()) {
                path = folder.filePath(clip.stillName);
                ok = still = WriteStill(*grabber, clip, options.stillHeight, recording.SampleRate(),
                                        path, reason);
            }
            const std::lock_guard lock(mutex);
            written[size_t(i)] = char(clipWritten);
            stillWritten[size_t(i)] = char(still);
            if (ok) {
                ++done;
                result.peakRuleClips += int(peakRule);
            } else if (result.error.isEmpty()) {
                result.error = Failure(path, reason);
                stop = true;
            }
            changed.notify_one();
        }
        const std::lock_guard lock(mutex);
        --running;
        changed.notify_one();
    };
    std::vector<std::thread> threads;
    for (int k = 0; k < workers; ++k) {
        threads.emplace_back(work);
    }
    {
        // Asked at least every 50 ms, so that a progress dialog stays responsive during
        // long clips.
        std::unique_lock lock(mutex);
        while (running > 0) {
            const int seen = done;
            if (!result.cancelled) {
                lock.unlock();
                const bool go = progress(seen, total);
                lock.lock();
                if (!go && !stop) {
                    result.cancelled = true;
                    stop = true;
                }
            }
            changed.wait_for(lock, std::chrono::milliseconds(50),
                             [&] { return done != seen || running == 0; });
        }
    }
    for (std::thread& t : threads) {
        t.join();
    }
    if (!result.cancelled) {
        progress(done, total);
    }

    for (int i = 0; i < total; ++i) {
        if (written[size_t(i)]) {
            result.written << folder.filePath(plan[size_t(i)].fileName);
        }
        if (stillWritten[size_t(i)]) {
            result.written << folder.filePath(plan[size_t(i)].stillName);
        }
    }
    if (result.cancelled || !result.error.isEmpty() || options.indexPath.isEmpty()) {
        return result;
    }
    QString reason;
    if (WriteWholeFile(options.indexPath, ClipIndexText(plan, recording.SampleRate(), options),
                       &reason)) {
        result.written << options.indexPath;
    } else {
        result.error = Failure(options.indexPath, reason);
    }
    return result;
}
