// The view's command table and printing.
#include "view/CtarnView.h"

#include "app/CommandIds.h"
#include "app/DocumentCommands.h"
#include "view/WaveformPainter.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

void CtarnView::AddCommands() {
    using namespace CommandId;
    m_commands.On(kZoomIn, [this] { OnZoomIn(); });
    m_commands.On(kZoomOut, [this] { OnZoomOut(); });
    m_commands.On(kVolumeDown, [this] { OnVolumeDown(); });
    m_commands.On(kVolumeUp, [this] { OnVolumeUp(); });
    m_commands.On(kAddSubtitle, [this] { OnAddSubtitle(); });
    m_commands.On(kDeleteSubtitle, [this] { OnDeleteSubtitle(); });
    m_commands.On(kAtach, [this] { OnAtach(); });
    m_commands.On(kCheckConflict, [this] { OnCheckConflict(); });
    m_commands.On(kFilePrint, [this] { OnFilePrint(); });
    m_commands.On(kFilePrintDirect, [this] { OnFilePrintDirect(); });
    m_commands.On(kFilePrintPreview, [this] { OnFilePrintPreview(); });
    AddViewRules(m_commands, [this] { return m_nCurCue; });
}

void CtarnView::PrintOn(QPrinter& printer) {
    QPainter painter(&printer);
    const QRect page = painter.viewport();
    const int width = viewport()->width();
    const int height = viewport()->height();
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

void CtarnView::OnFilePrintDirect() {
    QPrinter printer;
    PrintOn(printer);
}

void CtarnView::OnFilePrintPreview() {
    QPrinter printer;
    QPrintPreviewDialog preview(&printer, this);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* target) { PrintOn(*target); });
    preview.exec();
}
