#include "app/CtarnApp.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tarn"));
    QApplication::setDesktopFileName(QStringLiteral("tarn"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/tarn.svg")));
    CtarnApp tarn;
    if (!tarn.InitInstance(QApplication::arguments())) {
        return 1;
    }
    return QApplication::exec();
}
