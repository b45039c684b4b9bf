// The view's own commands and printing.
#include "view/CtarnView.h"

#include "commands/CommandIds.h"
#include "commands/CommandTable.h"
#include "view/WaveformPainter.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

void CtarnView::AddCommands(CommandTable& table) {
    using namespace CommandId;
    table.Add({.id = kFilePrint,
               .text = QT_TRANSLATE_NOOP("Command", "打印(&P)...\tCtrl+P"),
               .prompt = QT_TRANSLATE_NOOP("Command", "打印活动文档"),
               .tooltip = QT_TRANSLATE_NOOP("Command", "打印"),
               .keys = {"Ctrl+P"},
               .handler = [this] { OnFilePrint(); }});
    table.Add({.id = kGoToStart,
               .text = QT_TRANSLATE_NOOP("Command", "Go to start"),
               .prompt = QT_TRANSLATE_NOOP("Command", "Scroll to the start of the recording"),
               .keys = {"Home"},
               .menu = Menu::View,
               .menuPlace = 203,
               .handler = [this] { OnGoToStart(); }});
    table.Add({.id = kGoToEnd,
               .text = QT_TRANSLATE_NOOP("Command", "Go to end"),
               .prompt = QT_TRANSLATE_NOOP("Command", "Scroll to the end of the recording"),
               .keys = {"End"},
               .menu = Menu::View,
               .menuPlace = 204,
               .handler = [this] { OnGoToEnd(); }});
}

void CtarnView::PrintOn(QPrinter& printer) {
    const int width = viewport()->width();
    const int height = viewport()->height();
    if (width <= 0 || height <= 0) {
        return;
    }
    QPainter painter(&printer);
    const QRect page = painter.viewport();
    // The page shows what the window shows, scaled to fit and keeping its proportions.
    const double scale = std::min(double(page.width()) / width, double(page.height()) / height);
    painter.scale(scale, scale);
    OnDraw(painter, width, height);
}

void CtarnView::OnFilePrint() {
    QPrinter printer;
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted) {
        PrintOn(printer);
    }
}
