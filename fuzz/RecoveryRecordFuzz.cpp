// The recovery record parser on damaged and hostile records, and a record it takes replayed
// on a document as the offer to recover does.
#include "FuzzCheck.h"

#include "base/Host.h"
#include "document/CtarnDoc.h"
#include "document/RecoveryRecord.h"

#include <QCoreApplication>

#include <cstddef>
#include <cstdint>

namespace {

/// Replaying copies each edited range into the history: larger records only cost time.
constexpr std::size_t kMaxReplayBytes = 1 << 16;

class QuietHost : public Host {
public:
    void ShowMessage(const QString&) override {}
    std::optional<QString> AskSavePath(const SavePathRequest&) override { return std::nullopt; }
    std::optional<QString> AskText(const QString&, const QString&) override { return std::nullopt; }
    quint32 TickCount() override { return 0; }
    void AddToRecentFileList(const QString&) override {}
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const std::optional<RecoveryRecord> record = ParseRecovery(bytes);
    if (!record) {
        return 0;
    }
    // The parser takes only what the writer writes: anything else slipped past a check.
    FUZZ_REQUIRE(SerializeRecovery(*record) == bytes);
    if (size > kMaxReplayBytes) {
        return 0;
    }
    QuietHost host;
    CtarnDoc doc(host);
    doc.OnNewDocument();
    for (const ReplayOp& op : record->ops) {
        doc.ReplayEdit(op);
    }
    doc.ChangeCues(QStringLiteral("Recover cues"), [&record](CueList& cues) {
        cues.Clear();
        cues.AddCues(record->cues);
    });
    doc.SetSelection(record->selStart, record->selEnd);
    return 0;
}
