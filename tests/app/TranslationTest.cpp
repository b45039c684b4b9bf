#include "app/Translation.h"
#include "audio/Transport.h"

#include "app/CMainFrame.h"
#include "app/CtarnApp.h"
#include "commands/CommandIds.h"
#include "document/CtarnDoc.h"
#include "support/FakeHost.h"
#include "support/FakeWaveOut.h"
#include "support/WavBytes.h"

#include <QLocale>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTranslator>

#include <gtest/gtest.h>

#include <memory>

namespace {

struct LanguageCase {
    const char* name = "";
    const char* locale = "";
    bool translated = false;
    QString fileMenu;
    QString attach;
    QString noOutput; ///< what playing says when the sound output cannot be opened
};

class TranslationTest : public ::testing::TestWithParam<LanguageCase> {};

TEST_P(TranslationTest, MenusAndMessagesInTheLocalesLanguage) {
    const LanguageCase& c = GetParam();
    // Deleting the translator uninstalls it: the other tests see the source texts.
    const std::unique_ptr<QTranslator> translator(InstallTranslation(QLocale(c.locale)));
    EXPECT_EQ(translator != nullptr, c.translated);

    CtarnApp app;
    EXPECT_EQ(app.MainFrame().menuBar()->actions().value(0)->text(), c.fileMenu);
    EXPECT_EQ(app.MainFrame().Action(CommandId::kAtach)->text(), c.attach);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.wav"));
    ASSERT_TRUE(wav::WriteFile(path, wav::Simple(2, 8000, {1, 2, 3, 4})));
    FakeHost host;
    FakeWaveOut output;
    output.failOpen = true;
    CtarnDoc doc(host);
    Transport transport(doc, host, &output);
    ASSERT_TRUE(doc.OnOpenDocument(path));
    transport.OnPlay();
    EXPECT_EQ(host.messages, QStringList{c.noOutput});
}

const QString kEnglishNoOutput = QStringLiteral("The sound output device cannot be opened.");

INSTANTIATE_TEST_SUITE_P(
    Locales, TranslationTest,
    ::testing::Values(LanguageCase{"English", "en_US", true, "&File", "Attach", kEnglishNoOutput},
                      LanguageCase{"BritishEnglish", "en_GB", true, "&File", "Attach",
                                   kEnglishNoOutput},
                      LanguageCase{"C", "C", true, "&File", "Attach", kEnglishNoOutput},
                      LanguageCase{"German", "de_DE", true, "&File", "Attach", kEnglishNoOutput},
                      LanguageCase{"Chinese", "zh_CN", false, "文件(&F)", "Atach", "falkfdfjsew"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
