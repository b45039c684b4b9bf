#pragma once

class QLocale;
class QTranslator;

/// Installs tarn's English translation (tarn_en) on the application for every locale but the
/// Chinese ones, which read the source texts. Returns the installed translator, owned by the
/// application (deleting it uninstalls it), or nullptr when none was installed.
QTranslator* InstallTranslation(const QLocale& locale);
