#pragma once

#include <QString>
#include <QtGlobal>

#include <vector>

/// Speaks texts in one voice and language: what the alignment hears the script as.
class SpeechSynthesizer {
public:
    virtual ~SpeechSynthesizer() = default;
    /// The rate of what Speak returns, in samples per second.
    virtual qint32 SampleRate() const = 0;
    /// `text` spoken, as mono 16-bit samples; empty when nothing in it is spoken.
    virtual std::vector<qint16> Speak(const QString& text) = 0;
};
