#include "app/Translation.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>

QTranslator* InstallTranslation(const QLocale& locale) {
    auto* translator = new QTranslator(QCoreApplication::instance());
    // Each of the locale's languages is tried whole and then shortened ("en-GB" finds tarn_en);
    // the C locale's only language is "C", for which there is no file.
    if (!translator->load(locale, QStringLiteral("tarn"), QStringLiteral("_"),
                          QStringLiteral(":/i18n")) ||
        !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return nullptr;
    }
    return translator;
}
