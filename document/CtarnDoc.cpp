#include "document/CtarnDoc.h"

#include "base/ProgressWait.h"
#include "recording/DecodedAudio.h"
#include "recording/Envelope.h"
#include "recording/WaveChunks.h"
#include "subtitles/CueFormats.h"
#include "subtitles/Sidecars.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <future>

CtarnDoc::CtarnDoc(Host& host, QObject* parent) : QObject(parent), m_host(host) {}

bool CtarnDoc::OnNewDocument() {
    emit samplesAboutToChange();
    m_recording.Clear();
    m_nSelStart = 0;
    m_nSelEnd = 0;
    m_cues.Clear();
    m_nCurCue = -1;
    ResetHistory();
    m_file.Set({}, {});
    SetModifiedFlag(false);
    emit documentReplaced();
    emit selectionChanged();
    emit currentCueChanged(-1);
    return true;
}

bool CtarnDoc::OnOpenDocument(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_host.ShowMessage(QCoreApplication::translate("Message", "cannot read %1").arg(path));
        return false;
    }
    const std::optional<WaveChunks> chunks = ReadChunks(file);
    if (!chunks) {
        m_host.ShowMessage(QCoreApplication::translate("Message", "not a PCM WAV file"));
        return false;
    }
    file.close();
    SplitResult split = SplitChannels(chunks->header, path, chunks->dataOffset, chunks->dataSize);
    switch (split.status) {
    case SplitResult::Status::Ok:
        break;
    case SplitResult::Status::BadFormat:
        m_host.ShowMessage(split.message);
        return false;
    case SplitResult::Status::NoMemory:
        m_host.ShowMessage(QCoreApplication::translate("Message", "memory alloc failure!", "open"));
        return false;
    case SplitResult::Status::ReadError:
        m_host.ShowMessage(QCoreApplication::translate("Message", "cannot read %1").arg(path));
        return false;
    }

    const QString fullPath = QFileInfo(path).absoluteFilePath();
    std::vector<Cue> cues =
        ReadCueSidecar(SidecarBase(fullPath) + QStringLiteral(".txt"), split.samples.Frames());

    // Everything was read: only now does the document give up what it held.
    Adopt({chunks->header, chunks->fmtExtra, chunks->fact, chunks->list}, std::move(split.samples),
          std::move(cues), fullPath, {});
    if (chunks->dataCut) {
        // What is there opens all the same; the user should know that the end is missing.
        m_host.ShowStatus(QCoreApplication::translate(
                              "Message", "%1 is shorter than its header says: %n frames read",
                              nullptr, m_recording.Frames())
                              .arg(QFileInfo(fullPath).fileName()));
    }
    if (SaveMarked(fullPath)) {
        m_host.ShowMessage(QCoreApplication::translate(
                               "Message", "The last save of %1 did not finish: its cues may not "
                                          "match its audio")
                               .arg(QFileInfo(fullPath).fileName()));
    }
    return true;
}

bool CtarnDoc::OnImportDocument(const QString& source, AudioDecoder& decoder) {
    constexpr int kSteps = 1000;
    const QFileInfo info(source);
    const QString task = QCoreApplication::translate("Message", "Decoding %1").arg(info.fileName());
    const qint64 expected = decoder.ExpectedFrames();
    std::atomic<bool> stop = false;
    std::atomic<qint64> done = 0;
    std::future<DecodeOutcome> decoding =
        std::async(std::launch::async, [&] { return DecodeAll(decoder, stop, done); });
    WaitShowingProgress(
        decoding, m_host, task, kSteps,
        [&] { return expected > 0 ? int(std::min<qint64>(done * kSteps / expected, kSteps)) : 0; },
        stop);
    DecodeOutcome outcome = decoding.get();
    if (outcome.status == DecodeOutcome::Status::Stopped) {
        return false;
    }
    if (outcome.status == DecodeOutcome::Status::NoMemory) {
        m_host.ShowMessage(QCoreApplication::translate("Message", "memory alloc failure!", "open"));
        return false;
    }

    WaveFormatData format;
    format.header.SampleRate = decoder.SampleRate();
    format.header.NumOfChannel = quint16(decoder.Channels());
    format.header.BlockAlign = quint16(decoder.Channels() * 2);
    format.header.ByteRate = quint32(decoder.SampleRate()) * format.header.BlockAlign;
    const QString fullSource = info.absoluteFilePath();
    std::vector<Cue> cues =
        ReadCueSidecar(SidecarBase(fullSource) + QStringLiteral(".txt"), outcome.samples.Frames());
    Adopt(std::move(format), std::move(outcome.samples), std::move(cues), {}, fullSource);
    m_host.ShowStatus(ImportStatus(info.fileName(), decoder));
    return true;
}

void CtarnDoc::Adopt(WaveFormatData format, ChannelSamples samples, std::vector<Cue> cues,
                     const QString& path, const QString& importSource) {
    emit samplesAboutToChange();
    m_recording.Replace(std::move(format), std::move(samples));
    m_nSelStart = 0;
    m_nSelEnd = 0;
    m_cues.Clear();
    m_cues.AddCues(std::move(cues));
    m_nCurCue = -1;
    ResetHistory();
    m_file.Set(path, importSource);
    SetModifiedFlag(false);
    emit documentReplaced();
    emit selectionChanged();
    emit currentCueChanged(-1);
}

// The sidecars follow only a WAV that was written, so that a failed write leaves all four
// files as they were; the mark stands until they agree again (see MarkSave).
bool CtarnDoc::OnSaveDocument(const QString& path) {
    const QString fullPath = QFileInfo(path).absoluteFilePath();
    const bool marked = SaveMarked(fullPath);
    if (!marked && !MarkSave(fullPath)) {
        m_host.ShowMessage(
            QCoreApplication::translate("Message", "write file error %1").arg(fullPath));
        return false;
    }
    if (!SaveWave(fullPath, 0, m_recording.Frames())) {
        m_host.ShowMessage(
            QCoreApplication::translate("Message", "write file error %1").arg(fullPath));
        if (!marked) {
            UnmarkSave(fullPath);
        }
        return false;
    }
    m_file.Set(fullPath, {});
    const QString base = SidecarBase(fullPath);
    const bool txt = WriteCueTxt(base + QStringLiteral(".txt"), m_cues, m_host);
    const bool sbv = WriteCueSbv(base + QStringLiteral(".sbv"), m_recording, m_cues, m_host);
    const bool ass = WriteCueAss(base + QStringLiteral(".ass"), m_recording, m_cues, m_host);
    if (!txt || !sbv || !ass) {
        return false;
    }
    UnmarkSave(fullPath);
    SetModifiedFlag(false);
    m_host.ShowStatus(
        QCoreApplication::translate("Message", "Saved %1 with its .txt, .sbv and .ass")
            .arg(QFileInfo(fullPath).fileName()));
    return true;
}

void CtarnDoc::SetModifiedFlag(bool modified) {
    m_bMarkedModified = modified;
    if (!modified) {
        m_history.MarkClean();
    }
    UpdateModified();
}

void CtarnDoc::UpdateModified() {
    const bool modified = m_bMarkedModified || !m_history.IsClean();
    if (m_bModified == modified) {
        return;
    }
    m_bModified = modified;
    emit modifiedChanged(modified);
}

void CtarnDoc::ResetHistory() {
    // A quarter of the recording's samples, but room for a few minutes of edits on short ones.
    constexpr qint64 kLeastCapacity = qint64(64) << 20;
    const qint64 recordingBytes = qint64(m_recording.Frames()) * 2 * qint64(sizeof(qint16));
    m_history.Clear();
    m_history.SetCapacity(std::max(kLeastCapacity, recordingBytes / 4));
    emit historyChanged(HistoryChange::Reset);
}

EditStep CtarnDoc::StartStep(const QString& name) const {
    EditStep step;
    step.name = name;
    step.selStart = m_nSelStart;
    step.selEnd = m_nSelEnd;
    step.curCue = m_nCurCue;
    return step;
}

void CtarnDoc::PushStep(EditStep step) {
    m_history.Push(std::move(step));
    UpdateModified();
    emit historyChanged(HistoryChange::Pushed);
}

void CtarnDoc::LoadCues(std::vector<Cue> cues) {
    const int removed = m_cues.Count();
    m_cues.Clear();
    m_cues.AddCues(std::move(cues));
    m_nCurCue = -1;
    ResetHistory();
    emit cuesChanged({0, removed, m_cues.Count()});
    emit currentCueChanged(-1);
}

void CtarnDoc::ChangeCues(const QString& name, const std::function<void(CueList&)>& change) {
    EditStep step = StartStep(name);
    const std::vector<Cue> before = m_cues.Records(0, m_cues.Count());
    change(m_cues);
    PushCueStep(std::move(step), before);
}

int CtarnDoc::ChangeCuesToCurrent(const QString& name, const std::function<int(CueList&)>& change) {
    EditStep step = StartStep(name);
    const std::vector<Cue> before = m_cues.Records(0, m_cues.Count());
    const int current = change(m_cues);
    step.current = EditStep::CurrentCues{m_nCurCue, current};
    m_nCurCue = current;
    PushCueStep(std::move(step), before);
    emit currentCueChanged(current);
    return current;
}

void CtarnDoc::PushCueStep(EditStep step, const std::vector<Cue>& before) {
    step.cues = CueDifference(before, m_cues);
    if (!step.cues) {
        return;
    }
    const CueSwap& swap = *step.cues;
    const CueChange change{swap.first, int(swap.records.size()), swap.count};
    PushStep(std::move(step));
    emit cuesChanged(change);
}

bool CtarnDoc::Exchange(EditStep& step) {
    if (step.samples) {
        SampleSwap& swap = *step.samples;
        const int length = int(swap.frames[0].size());
        emit samplesAboutToChange();
        if (!m_recording.Swap(swap.at, swap.length, swap.frames)) {
            m_host.ShowMessage(
                QCoreApplication::translate("Message", "alloc memory 0 failure", "undo"));
            return false;
        }
        const SampleChange change{SampleChange::Kind::Exchanged, swap.at, swap.length, length};
        swap.length = length;
        emit samplesChanged(change);
    }
    if (step.cues) {
        CueSwap& swap = *step.cues;
        const int count = int(swap.records.size());
        swap.records = m_cues.ReplaceRecords(swap.first, swap.count, std::move(swap.records));
        const CueChange change{swap.first, swap.count, count};
        swap.count = count;
        emit cuesChanged(change);
    }
    std::swap(step.selStart, m_nSelStart);
    std::swap(step.selEnd, m_nSelEnd);
    std::swap(step.curCue, m_nCurCue);
    return true;
}

void CtarnDoc::OnEditUndo() {
    if (!m_history.CanUndo() || !Exchange(m_history.UndoStep())) {
        return;
    }
    if (const auto& current = m_history.UndoStep().current) {
        m_nCurCue = current->before;
    }
    m_history.MarkUndone();
    Exchanged(HistoryChange::Undone);
}

void CtarnDoc::OnEditRedo() {
    if (!m_history.CanRedo() || !Exchange(m_history.RedoStep())) {
        return;
    }
    if (const auto& current = m_history.RedoStep().current) {
        m_nCurCue = current->after;
    }
    m_history.MarkRedone();
    Exchanged(HistoryChange::Redone);
}

void CtarnDoc::Exchanged(HistoryChange change) {
    DropLostCurrentCue();
    UpdateModified();
    emit selectionChanged();
    emit historyChanged(change);
    // Last, so that a view has laid the strip out again and can scroll to the cue.
    emit currentCueChanged(m_nCurCue);
}

void CtarnDoc::DropLostCurrentCue() {
    if (!m_cues.IsValidIndex(m_nCurCue)) {
        m_nCurCue = -1;
    }
}

void CtarnDoc::SetCurrentCue(int index) {
    m_nCurCue = index;
    emit currentCueChanged(index);
}

void CtarnDoc::SetSelection(qint64 start, qint64 end) {
    const auto clamp = [this](qint64 v) {
        return int(std::clamp<qint64>(v, 0, m_recording.Frames()));
    };
    m_nSelStart = clamp(start);
    m_nSelEnd = clamp(end);
    emit selectionChanged();
}

FrameRange CtarnDoc::SelectionForEdit() const {
    return EditRange(m_nSelStart, m_nSelEnd, m_recording.Frames());
}

bool CtarnDoc::SaveWave(const QString& path, int a, int b) {
    return m_recording.SaveWave(path, OrderedRange(a, b, m_recording.Frames()));
}

void CtarnDoc::ScaleSelection(int k) {
    const FrameRange range = SelectionForEdit();
    EditStep step = StartStep(k < 10 ? QCoreApplication::translate("Step", "Decrease volume")
                                     : QCoreApplication::translate("Step", "Increase volume"));
    SampleSwap swap{range.lo, range.Length(), {}};
    if (!m_recording.CopyFrames(range, swap.frames)) {
        m_host.ShowMessage(
            QCoreApplication::translate("Message", "alloc memory 0 failure", "volume"));
        return;
    }
    step.samples = std::move(swap);
    step.replay = ReplayOp{ReplayOp::Kind::Scale, range, k, {}};
    emit samplesAboutToChange();
    m_recording.Scale(range, k);
    PushStep(std::move(step));
    emit samplesChanged({SampleChange::Kind::Scaled, range.lo, range.Length(), range.Length()});
}

void CtarnDoc::OnEditCopy() {
    const FrameRange range = SelectionForEdit();
    if (!range.IsEmpty() && !m_recording.Copy(range)) {
        m_host.ShowMessage(QCoreApplication::translate("Message", "alloc memory0 failure"));
    }
}

void CtarnDoc::OnEditCut() {
    const FrameRange range = SelectionForEdit();
    if (range.IsEmpty()) {
        return;
    }
    OnEditCopy();
    SampleVector nothing[2];
    ReplaceFrames(QCoreApplication::translate("Step", "Cut"), range, nothing,
                  ReplayOp{ReplayOp::Kind::Erase, range, 10, {}});
}

void CtarnDoc::OnEditPaste() {
    if (m_recording.ClipLength() <= 0) {
        return;
    }
    const FrameRange range = SelectionForEdit();
    ReplayOp replay{ReplayOp::Kind::Replace, range, 10, {}};
    SampleVector clip[2];
    if (!m_recording.CopyClip(replay.frames) || !m_recording.CopyClip(clip)) {
        m_host.ShowMessage(
            QCoreApplication::translate("Message", "alloc memory 0 failure", "paste"));
        return;
    }
    ReplaceFrames(QCoreApplication::translate("Step", "Paste"), range, clip, std::move(replay));
}

void CtarnDoc::ReplaceFrames(const QString& name, FrameRange range, SampleVector (&frames)[2],
                             ReplayOp replay) {
    EditStep step = StartStep(name);
    const int inserted = int(frames[0].size());
    const std::vector<Cue> cuesBefore = m_cues.Records(0, m_cues.Count());
    const int oldLength = m_recording.Frames();
    emit samplesAboutToChange();
    if (!m_recording.Swap(range.lo, range.Length(), frames)) {
        m_host.ShowMessage(
            QCoreApplication::translate("Message", "alloc memory 0 failure", "cut or paste"));
        return;
    }
    // The recording handed back what it replaced: undoing puts it in again.
    step.samples = SampleSwap{range.lo, inserted, {std::move(frames[0]), std::move(frames[1])}};
    step.replay = std::move(replay);
    m_cues.ShiftCues(range, m_recording.Frames() - oldLength, range.lo + inserted);
    step.cues = CueDifference(cuesBefore, m_cues);
    std::optional<CueChange> cueChange;
    if (step.cues) {
        cueChange = CueChange{step.cues->first, int(step.cues->records.size()), step.cues->count};
    }
    m_nSelStart = range.lo;
    m_nSelEnd = range.lo + inserted;
    const int currentBefore = m_nCurCue;
    DropLostCurrentCue();
    PushStep(std::move(step));
    emit samplesChanged({SampleChange::Kind::Replaced, range.lo, range.Length(), inserted});
    if (cueChange) {
        emit cuesChanged(*cueChange);
    }
    emit selectionChanged();
    if (m_nCurCue != currentBefore) {
        emit currentCueChanged(m_nCurCue);
    }
}

void CtarnDoc::ReplayEdit(const ReplayOp& op) {
    const FrameRange range = EditRange(op.range.lo, op.range.hi, m_recording.Frames());
    switch (op.kind) {
    case ReplayOp::Kind::Scale:
        SetSelection(range.lo, range.hi);
        ScaleSelection(op.k);
        break;
    case ReplayOp::Kind::Erase: {
        SampleVector nothing[2];
        ReplaceFrames(QCoreApplication::translate("Step", "Cut"), range, nothing, op);
        break;
    }
    case ReplayOp::Kind::Replace: {
        ReplayOp replay = op;
        SampleVector frames[2] = {op.frames[0], op.frames[1]};
        ReplaceFrames(QCoreApplication::translate("Step", "Paste"), range, frames,
                      std::move(replay));
        break;
    }
    }
}
