// The view's command table and printing.
#include "view/CtarnView.h"

#include "commands/CommandIds.h"
#include "commands/DocumentCommands.h"
#include "view/WaveformPainter.h"

#include <QPainter>
#include <QPrintDialog>
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
    m_commands.On(kGoToStart, [this] { OnGoToStart(); });
    m_commands.On(kGoToEnd, [this] { OnGoToEnd(); });
    // Nudges of the current cue's edges: 10 ms, or 100 ms with Ctrl.
    const struct {
        int id;
        CuePart edge;
        int ms;
    } nudges[] = {
        {kStartEarlier, CuePart::Start, -10},      {kStartLater, CuePart::Start, 10},
        {kEndEarlier, CuePart::End, -10},          {kEndLater, CuePart::End, 10},
        {kStartMuchEarlier, CuePart::Start, -100}, {kStartMuchLater, CuePart::Start, 100},
        {kEndMuchEarlier, CuePart::End, -100},     {kEndMuchLater, CuePart::End, 100},
    };
    for (const auto& nudge : nudges) {
        m_commands.On(nudge.id, [this, nudge] { OnNudge(nudge.edge, nudge.ms); });
    }
    AddViewRules(m_commands, [this] { return CurrentCue(); });
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
