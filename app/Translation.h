#pragma once

class QLocale;
class QTranslator;

/// Installs tarn's translation for `locale` on the application: English (tarn_en) for an
/// English locale. The C locale and Chinese locales get none: they read the source texts.
/// Returns the installed translator, owned by the application (deleting it uninstalls it), or
/// nullptr when there is no translation for the locale.
QTranslator* InstallTranslation(const QLocale& locale);
