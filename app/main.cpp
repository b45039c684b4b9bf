#include "app/QtHost.h"
#include "audio/QtWaveOut.h"
#include "document/CtarnDoc.h"
#include "view/CtarnView.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tarn"));

    QtHost host;
    QtWaveOut output;
    CtarnDoc doc(host, &output);
    CtarnView view;
    host.SetParentWindow(&view);
    view.SetDocument(&doc);
    view.resize(1000, 400);

    const QStringList args = QApplication::arguments();
    const bool opened = args.size() > 1 && doc.OnOpenDocument(args[1]);
    if (!opened) {
        doc.OnNewDocument();
    }
    view.setWindowTitle(QStringLiteral("tarn - ") + doc.GetTitle());
    view.OnInitialUpdate();
    view.show();
    return QApplication::exec();
}
