#include "speech/EspeakVoice.h"

#include <espeak-ng/espeak_ng.h>
#include <espeak-ng/speak_lib.h>

#include <mutex>

namespace {

std::mutex& LibraryMutex() {
    static std::mutex mutex;
    return mutex;
}

int CollectSamples(short* samples, int count, espeak_EVENT* events) {
    auto* out = static_cast<std::vector<qint16>*>(events->user_data);
    if (samples != nullptr && count > 0) {
        out->insert(out->end(), samples, samples + count);
    }
    return 0;
}

/// Starts the library once, synchronous (the samples come back through the callback); the
/// sample rate, or 0 when its data cannot be found. Called with the library's mutex held.
int StartedLibrary() {
    static const int rate = [] {
        espeak_ng_InitializePath(nullptr);
        if (espeak_ng_Initialize(nullptr) != ENS_OK ||
            espeak_ng_InitializeOutput(ENOUTPUT_MODE_SYNCHRONOUS, 0, nullptr) != ENS_OK) {
            return 0;
        }
        espeak_SetSynthCallback(CollectSamples);
        return espeak_ng_GetSampleRate();
    }();
    return rate;
}

/// The language the library speaks now, so that a voice is loaded only when it changes.
QString& CurrentLanguage() {
    static QString language;
    return language;
}

bool UseLanguage(const QString& language) {
    if (CurrentLanguage() == language) {
        return true;
    }
    const QByteArray name = language.toUtf8();
    espeak_VOICE selector{};
    selector.languages = name.constData();
    if (espeak_ng_SetVoiceByProperties(&selector) != ENS_OK) {
        return false;
    }
    CurrentLanguage() = language;
    return true;
}

} // namespace

QStringList EspeakVoice::Languages() {
    std::lock_guard lock(LibraryMutex());
    QStringList languages;
    if (StartedLibrary() == 0) {
        return languages;
    }
    for (const espeak_VOICE** voice = espeak_ListVoices(nullptr); voice && *voice; ++voice) {
        // Each entry is a priority byte and a language name; the list ends with a zero byte.
        for (const char* entry = (*voice)->languages; entry && *entry; entry += strlen(entry) + 1) {
            const QString name = QString::fromUtf8(entry + 1);
            if (!name.isEmpty() && !languages.contains(name)) {
                languages << name;
            }
        }
    }
    languages.sort();
    return languages;
}

QString EspeakVoice::LanguageForLocale(const QString& name) {
    const QStringList languages = Languages();
    const QString full =
        name.section(QLatin1Char('.'), 0, 0).replace(QLatin1Char('_'), QLatin1Char('-')).toLower();
    const QString alone = full.section(QLatin1Char('-'), 0, 0);
    for (const QString& candidate : {full, alone}) {
        if (languages.contains(candidate)) {
            return candidate;
        }
    }
    return QStringLiteral("en");
}

EspeakVoice::EspeakVoice(QString language) : m_language(std::move(language)) {
    std::lock_guard lock(LibraryMutex());
    m_rate = StartedLibrary();
    m_ready = m_rate > 0 && !m_language.isEmpty() && UseLanguage(m_language);
}

std::vector<qint16> EspeakVoice::Speak(const QString& text) {
    std::vector<qint16> samples;
    std::lock_guard lock(LibraryMutex());
    if (!m_ready || !UseLanguage(m_language)) {
        return samples;
    }
    const QByteArray utf8 = text.toUtf8();
    espeak_ng_Synthesize(utf8.constData(), size_t(utf8.size()) + 1, 0, POS_CHARACTER, 0,
                         espeakCHARS_UTF8, nullptr, &samples);
    return samples;
}
