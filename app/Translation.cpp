#include "app/Translation.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>

QTranslator* InstallTranslation(const QLocale& locale) {
    // The source texts are Chinese: only a Chinese locale reads them as they stand. Every
    // other locale, the C locale of containers included, reads English, the one translation.
    if (locale.language() == QLocale::Chinese) {
        return nullptr;
    }
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(QStringLiteral("tarn_en"), QStringLiteral(":/i18n")) ||
        !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return nullptr;
    }
    return translator;
}
