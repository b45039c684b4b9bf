#pragma once

#include "alignment/SpeechSynthesizer.h"

#include <QStringList>

/// espeak-ng speaking one language. The library keeps one state for the whole program, so
/// the voices take turns: each Speak holds it for one text.
class EspeakVoice : public SpeechSynthesizer {
public:
    /// The languages espeak-ng speaks ("af", "en", "en-us" ...), sorted; empty when its data
    /// cannot be found.
    static QStringList Languages();
    /// The language of Languages() that fits the locale `name` ("de_DE", "en_US") best: the
    /// language with its country, else the language alone, else "en".
    static QString LanguageForLocale(const QString& name);

    /// A voice for `language`, one of Languages().
    explicit EspeakVoice(QString language);

    /// Whether espeak-ng is there and knows the language.
    bool IsReady() const { return m_ready; }

    qint32 SampleRate() const override { return m_rate; }
    std::vector<qint16> Speak(const QString& text) override;

private:
    QString m_language;
    qint32 m_rate = 0;
    bool m_ready = false;
};
