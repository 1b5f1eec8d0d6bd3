#include <gtest/gtest.h>

#include <QDialog>
#include <QPushButton>
#include <QTextBrowser>

#include "UiTestSupport.h"
#include "designer/core/KyrelTexts.h"
#include "designer/core/PeakLevel.h"
#include "designer/ui/CommandIds.h"
#include "designer/ui/CoreTexts.h"
#include "designer/ui/HelpWindow.h"
#include "tests/support/WindowTexts.h"

namespace kyrel {
namespace {

using kit::testing::hasJapanese;
using kit::testing::japaneseTexts;

class EnglishWindows : public testing::KyrelWindows {
  protected:
    kit::testing::ScopedUiLanguage english{QStringLiteral("kyrel"), kit::UiLanguage::English};
};

TEST_F(EnglishWindows, MenusToolbarsDialogsAndHelpShowNoJapanese) {
    start();
    window(CurveKind::Waveform);
    QStringList found = japaneseTexts(frame());
    // Every dialog the menus open without a file, the track details from the effect settings.
    prompts.dialogHandler = [&](QDialog& dialog) {
        dialog.show();
        for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
            if (button->text() == QLatin1String("Details")) button->click();
        }
        found << japaneseTexts(dialog);
        return int(QDialog::Rejected);
    };
    for (int id : {kCmdGenerator, kCmdTypeValue, kCmdEffectSettings, kCmdWaveSettings,
                   kCmdCopyTrack, kCmdAbout, kCmdHelp})
        command(id);
    auto* help = frame().findChild<HelpWindow*>();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->toPlainText().contains(QLatin1String("Sound Effect Designer")));
    found << help->toPlainText().split(QLatin1Char('\n'));
    found.removeIf([](const QString& text) { return !hasJapanese(text); });
    EXPECT_TRUE(found.isEmpty()) << found.join(QLatin1String(" | ")).toStdString();
    EXPECT_EQ(frame().windowTitle(), QStringLiteral("Kyrel - [Untitled.kyl]"));
}

TEST_F(EnglishWindows, CoreMessagesAreTranslatedWithTheirNames) {
    for (const char* pattern : coreTextPatterns()) {
        EXPECT_FALSE(hasJapanese(coreText(QString::fromUtf8(pattern)))) << pattern;
    }
    EXPECT_EQ(coreText(formatMessage(text::kCannotOpen, "sound.kyl")),
              QStringLiteral("Cannot open sound.kyl"));
    EXPECT_EQ(coreText(formatMessage(text::kDroppedSettings, "phaser, filter")),
              QStringLiteral("Left out settings Kyrel cannot express: phaser, filter"));
    EXPECT_EQ(coreText(QStringLiteral("1 から 30000 までの整数を入力してください。")),
              QStringLiteral("Please enter a whole number from 1 to 30000."));
    // A render's message with the loudness after it.
    EXPECT_EQ(coreText(std::string(text::kWavCreated) + peakStatus({-3.21, false, 5})),
              QStringLiteral("WAV file created, peak -3.2 dBFS (clipped 5 samples)"));
    // A text of no pattern, such as a file name, stays as it is.
    EXPECT_EQ(coreText(QStringLiteral("効果音.kyl")), QStringLiteral("効果音.kyl"));
    EXPECT_EQ(coreText(QStringLiteral("x を開けません!")), QStringLiteral("x を開けません!"));
}

}  // namespace
}  // namespace kyrel
