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
    const auto toggle = [this](bool LaneLook::*part) {
        return [this, part] {
            LaneLook look = m_look;
            look.*part = !(look.*part);
            SetLook(look);
        };
    };
    table.Add({.text = QT_TRANSLATE_NOOP("Command", "Spectrogram"),
               .prompt = QT_TRANSLATE_NOOP("Command",
                                           "Show each channel as a spectrogram, not a waveform"),
               .menu = Menu::View,
               .menuPlace = 301,
               .handler = toggle(&LaneLook::spectrogram),
               .rule = [this] { return ToggleState(m_look.spectrogram); },
               .checkable = true});
    table.Add({.text = QT_TRANSLATE_NOOP("Command", "Linear frequencies"),
               .prompt = QT_TRANSLATE_NOOP(
                   "Command", "Lay the spectrogram's frequencies out evenly, not by octaves"),
               .menu = Menu::View,
               .menuPlace = 302,
               .handler = toggle(&LaneLook::linearFrequency),
               .rule = [this] { return ToggleState(m_look.linearFrequency); },
               .checkable = true});
    table.Add(
        {.text = QT_TRANSLATE_NOOP("Command", "Waveform over the spectrogram"),
         .prompt = QT_TRANSLATE_NOOP("Command", "Draw the waveform thin over the spectrogram"),
         .menu = Menu::View,
         .menuPlace = 303,
         .handler = toggle(&LaneLook::waveOverSpectrogram),
         .rule = [this] { return ToggleState(m_look.waveOverSpectrogram); },
         .checkable = true});
    const auto canMagnify = [this](bool in) {
        return EnabledWhile([this, in] {
            return m_strip && (in ? m_strip->Amplitude() < StripState::kMaxAmplitude
                                  : m_strip->Amplitude() > 1);
        });
    };
    table.Add(
        {.text = QT_TRANSLATE_NOOP("Command", "Amplitude zoom in"),
         .prompt = QT_TRANSLATE_NOOP("Command", "Magnify the waveform's height twice (up to x64)"),
         .keys = {"Ctrl+Shift+Up"},
         .menu = Menu::View,
         .menuPlace = 206,
         .handler = [this] { m_strip->SetAmplitude(m_strip->Amplitude() * 2); },
         .rule = canMagnify(true)});
    table.Add({.text = QT_TRANSLATE_NOOP("Command", "Amplitude zoom out"),
               .prompt = QT_TRANSLATE_NOOP("Command", "Halve the waveform's magnification"),
               .keys = {"Ctrl+Shift+Down"},
               .menu = Menu::View,
               .menuPlace = 207,
               .handler = [this] { m_strip->SetAmplitude(m_strip->Amplitude() / 2); },
               .rule = canMagnify(false)});
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
