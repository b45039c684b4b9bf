#include "app/CExportClipsDlg.h"

#include "app/AppSettings.h"
#include "document/CtarnDoc.h"
#include "support/DocAccess.h"
#include "support/FakeHost.h"
#include "support/WavBytes.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

class CExportClipsDlgTest : public ::testing::Test {
protected:
    void SetUp() override {
        AppSettings().remove("clips");
        ASSERT_TRUE(wav::WriteFile(dir.filePath("talk.wav"),
                                   wav::Simple(2, 8000, std::vector<qint16>(2 * 80000))));
        ASSERT_TRUE(doc.OnOpenDocument(dir.filePath("talk.wav")));
        AddCues(
            doc,
            {{8000, 9000, "Hello"}, {16000, 17000, "b"}, {24000, 25000, "c"}, {32000, 33000, "d"}});
    }
    void TearDown() override { AppSettings().remove("clips"); }

    QTemporaryDir dir;
    FakeHost host;
    CtarnDoc doc{host};
};

TEST_F(CExportClipsDlgTest, PreviewsTheFirstThreeNamesAsThePatternChanges) {
    CExportClipsDlg dialog(doc);
    auto* preview = dialog.findChild<QLabel*>("preview");
    EXPECT_EQ(preview->text(), "talk 001 Hello.wav\ntalk 002 b.wav\ntalk 003 c.wav\n"
                               "... 4 clips in all");
    dialog.findChild<QLineEdit*>("pattern")->setText("{n:02}-{text}");
    dialog.findChild<QSpinBox*>()->setValue(9);
    dialog.findChild<QComboBox*>()->setCurrentIndex(2);
    EXPECT_TRUE(preview->text().startsWith("talk 001")) << "planned before the pause";
    const QTimer* replan = dialog.findChild<QTimer*>("replan");
    ASSERT_TRUE(QTest::qWaitFor([replan] { return !replan->isActive(); }));
    EXPECT_EQ(preview->text(), "09-Hello.mp3\n10-b.mp3\n11-c.mp3\n... 4 clips in all");
    // No folder yet, and no current cue to choose.
    EXPECT_FALSE(dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->isEnabled());
    EXPECT_FALSE(dialog.findChildren<QRadioButton*>().at(1)->isEnabled());
}

TEST_F(CExportClipsDlgTest, RemembersTheChoicesOfAnAcceptedDialog) {
    {
        CExportClipsDlg dialog(doc);
        dialog.findChild<QLineEdit*>()->setText(dir.filePath("clips"));
        dialog.findChild<QLineEdit*>("pattern")->setText("{text}");
        dialog.findChild<QComboBox*>()->setCurrentIndex(3);
        auto* loudness = dialog.findChild<QComboBox*>("loudness");
        EXPECT_FALSE(loudness->isEnabled()) << "asked only for the loudness";
        auto* level = dialog.findChild<QComboBox*>("level");
        level->setCurrentIndex(level->findData("loudness"));
        EXPECT_TRUE(loudness->isEnabled());
        loudness->setCurrentIndex(loudness->findData(-19));
        dialog.accept();
    }
    {
        // Accepted before the plan caught up with a pattern that names nothing.
        CExportClipsDlg dialog(doc);
        dialog.findChild<QLineEdit*>("pattern")->setText(" ");
        dialog.accept();
        EXPECT_NE(dialog.result(), QDialog::Accepted);
    }
    const ClipSetOptions options = CExportClipsDlg(doc).Options();
    EXPECT_EQ(options.folder, dir.filePath("clips"));
    EXPECT_EQ(options.pattern, "{text}");
    EXPECT_EQ(options.format, ClipFormat::Opus);
    EXPECT_EQ(options.indexPath, dir.filePath("clips/index.tsv"));
    EXPECT_EQ(options.padBeforeMs, 150);
    EXPECT_EQ(options.loudnessLufs, -19.0);
    EXPECT_FALSE(options.normalize);
}

} // namespace
