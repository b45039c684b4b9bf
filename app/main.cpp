#include "app/AppSettings.h"
#include "app/CtarnApp.h"
#include "app/Translation.h"

#include <QApplication>
#include <QIcon>
#include <QLocale>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tarn"));
    QApplication::setDesktopFileName(QStringLiteral("tarn"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/tarn.svg")));
    InstallTranslation(QLocale::system());
    TakeOverOldSettings();
    CtarnApp tarn;
    if (!tarn.InitInstance(QApplication::arguments())) {
        return 1;
    }
    return QApplication::exec();
}
