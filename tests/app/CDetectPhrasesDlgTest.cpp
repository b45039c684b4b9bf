#include "app/CDetectPhrasesDlg.h"

#include "app/AppSettings.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

/// Two loud stretches of 500 ms in 10 ms windows at 8000 Hz, 400 ms apart.
LevelTrack TwoPhrases() {
    LevelTrack levels;
    levels.windowFrames = 80;
    levels.db.assign(200, -70.0f);
    for (int w : {20, 110}) {
        std::fill(levels.db.begin() + w, levels.db.begin() + w + 50, -10.0f);
    }
    levels.range = {0, 200 * 80};
    return levels;
}

template <typename T> T* Child(QDialog& dialog, int index = 0) {
    return dialog.findChildren<T*>().at(index);
}

/// Waits for the count that follows a pause in the changes.
bool Settled(QDialog& dialog) {
    const QTimer* recount = dialog.findChild<QTimer*>("recount");
    return QTest::qWaitFor([recount] { return !recount->isActive(); });
}

TEST(CDetectPhrasesDlgTest, CountsOnceTheChangesPauseAndRefusesAThresholdAboveFullScale) {
    CDetectPhrasesDlg dialog(TwoPhrases(), 8000, {10, 10, 10});
    QLabel* count = nullptr;
    for (QLabel* label : dialog.findChildren<QLabel*>()) {
        if (label->text().contains("phrases found") || label->wordWrap()) {
            count = label;
        }
    }
    ASSERT_NE(count, nullptr);
    QPushButton* ok = Child<QDialogButtonBox>(dialog)->button(QDialogButtonBox::Ok);
    auto* threshold = Child<QDoubleSpinBox>(dialog);
    threshold->setValue(-40.0);
    auto* minSilence = Child<QSpinBox>(dialog, 0);
    minSilence->setValue(300);
    ASSERT_TRUE(Settled(dialog));
    EXPECT_TRUE(count->text().startsWith("2 phrases found."));
    // Three placeholder cues on two phrases: one of them is split.
    EXPECT_TRUE(count->text().contains("0 joined, 1 split")) << count->text().toStdString();
    EXPECT_EQ(dialog.Use(), PhraseUse::LayScript);

    minSilence->setValue(500); // the 400 ms silence no longer separates them
    EXPECT_TRUE(count->text().startsWith("2 phrases found.")) << "counted before the pause";
    ASSERT_TRUE(Settled(dialog));
    EXPECT_TRUE(count->text().startsWith("1 phrases found."));

    threshold->setValue(3.0);
    ASSERT_TRUE(Settled(dialog));
    EXPECT_FALSE(ok->isEnabled());
    EXPECT_EQ(count->text(), "The threshold must be at most 0 dBFS.");
    Child<QCheckBox>(dialog)->setChecked(true); // automatic ignores the typed value
    ASSERT_TRUE(Settled(dialog));
    EXPECT_TRUE(ok->isEnabled());
    EXPECT_FALSE(dialog.Settings().thresholdDb);
}

TEST(CDetectPhrasesDlgTest, AcceptedAtOnceHandsOnThePhrasesOfTheLastChange) {
    CDetectPhrasesDlg dialog(TwoPhrases(), 8000, {});
    Child<QDoubleSpinBox>(dialog)->setValue(-40.0);
    Child<QSpinBox>(dialog, 0)->setValue(300);
    ASSERT_TRUE(Settled(dialog));
    Child<QSpinBox>(dialog, 0)->setValue(500);
    dialog.accept();
    AppSettings().remove("phrases");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Phrases().size(), 1u);
}

TEST(CDetectPhrasesDlgTest, WithoutPlaceholdersOnlyNewCues) {
    CDetectPhrasesDlg dialog(TwoPhrases(), 8000, {});
    EXPECT_EQ(dialog.Use(), PhraseUse::NewCues);
    EXPECT_FALSE(Child<QRadioButton>(dialog, 1)->isEnabled());
}

} // namespace
