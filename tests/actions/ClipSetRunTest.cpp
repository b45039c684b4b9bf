#include "actions/ClipSetRun.h"

#include "document/CtarnDoc.h"
#include "support/DocAccess.h"
#include "support/FakeHost.h"
#include "support/WavBytes.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class CancellingHost : public FakeHost {
public:
    bool ReportProgress(const QString&, int, int) override { return !cancel; }
    bool cancel = false;
};

/// WAV, but a clip longer than `failAbove` frames fails as a full disk would.
class FailingEncoder : public WavClipEncoder {
public:
    bool Encode(ClipFormat format, const qint16* left, const qint16* right, int frames, qint32 rate,
                QByteArray& out, QString& error) override {
        if (frames > failAbove) {
            error = QStringLiteral("disk full");
            return false;
        }
        return WavClipEncoder::Encode(format, left, right, frames, rate, out, error);
    }
    int failAbove = 1 << 30;
};

struct RunCase {
    const char* name;
    bool existing = false; ///< 1.wav is there before the export
    std::deque<bool> answers;
    int failAbove = 1 << 30;
    bool cancel = false;
    QString status;              ///< a pattern of the status line, the folder at "%1"
    QString message;             ///< the message, the folder at "%1"
    const char* first = nullptr; ///< what 1.wav begins with afterwards; unchecked if null
};

TEST(ClipSetRunTest, AsksOnceThenSaysWhatWasWritten) {
    const RunCase cases[] = {
        {"replace refused", true, {false}, 1 << 30, false, {}, {}, "old"},
        {"replaced", true, {true}, 1 << 30, false, "Exported 2 clips to %1", {}, "RIFF"},
        {"second fails",
         false,
         {},
         4500, // 4200 frames with padding, and 5200
         false,
         {},
         "The export stopped: %1/2.wav: disk full\n\n1 files were written:\n1.wav",
         "RIFF"},
        {"cancelled", false, {}, 1 << 30, true, "Export cancelled: [0-2] clips written to %1", {}},
    };
    for (const RunCase& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        const QString wave = dir.filePath("talk.wav");
        ASSERT_TRUE(wav::WriteFile(wave, wav::Simple(2, 8000, std::vector<qint16>(2 * 8000, 99))));
        CancellingHost host;
        host.answers = c.answers;
        host.cancel = c.cancel;
        CtarnDoc doc(host);
        ASSERT_TRUE(doc.OnOpenDocument(wave));
        AddCues(doc, {{1000, 2000, "a"}, {3000, 5000, "b"}});
        ClipSetOptions options;
        options.folder = dir.filePath("clips");
        options.pattern = QStringLiteral("{n}");
        options.indexPath = options.folder + QStringLiteral("/index.tsv");
        ASSERT_TRUE(QDir().mkpath(options.folder));
        if (c.existing) {
            ASSERT_TRUE(wav::WriteFile(options.folder + QStringLiteral("/1.wav"), "old"));
        }
        FailingEncoder encoder;
        encoder.failAbove = c.failAbove;

        ExportClipSet(doc, host, options, encoder);

        EXPECT_EQ(host.questions,
                  c.existing ? QStringList{"Replace 1 existing files?"} : QStringList{});
        // The clips in hand when Cancel comes are still written.
        ASSERT_EQ(host.statuses.size(), c.status.isEmpty() ? 0 : 1);
        if (!c.status.isEmpty()) {
            const QRegularExpression status(QRegularExpression::anchoredPattern(
                c.status.arg(QRegularExpression::escape(options.folder))));
            EXPECT_TRUE(status.match(host.statuses[0]).hasMatch())
                << host.statuses[0].toStdString();
        }
        EXPECT_EQ(host.messages,
                  c.message.isEmpty() ? QStringList{} : QStringList{c.message.arg(options.folder)});
        if (c.first) {
            EXPECT_EQ(wav::ReadFile(options.folder + QStringLiteral("/1.wav")).left(4), c.first);
        }
    }
}

} // namespace
