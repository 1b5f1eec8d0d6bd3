#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>

#include "common/qt/UiLanguage.h"

namespace kit {
namespace {

using enum UiLanguage;

TEST(UiLanguageTest, TheChoiceTheLocaleAndTheProgramsOwnLanguage) {
    const QStringList japanese{"ja-JP", "ja"}, english{"en-US", "en"};
    const std::tuple<QString, QStringList, UiLanguage, UiLanguage> cases[] = {
        // setting, the locale's languages, the program's own language, the result
        {"", japanese, English, Japanese},
        {"system", english, Japanese, English},
        {"", {"C"}, Japanese, Japanese},  // scripts under the C locale see today's language
        {"", {"POSIX"}, English, English},
        {"", {}, Japanese, Japanese},
        {"", {"fr-FR", "fr"}, Japanese, English},     // neither: the language more people read
        {"", {"fr-FR", "ja-JP"}, English, Japanese},  // LANGUAGE=fr:ja
        {"", {"jam"}, Japanese, English},             // Jamaican Creole is not Japanese
        {"en", japanese, Japanese, English},          // View → Language overrides the locale
        {"ja", {"C"}, English, Japanese},
    };
    for (const auto& [setting, languages, fallback, expected] : cases) {
        EXPECT_EQ(chooseUiLanguage(setting, languages, fallback), expected)
            << setting.toStdString() << " / " << languages.join(',').toStdString();
    }
}

// main() set a Japanese locale before Qt started, as LANG=ja_JP.UTF-8 would.
TEST(UiLanguageTest, AJapaneseLocaleGivesJapaneseQtButtonsAndTheMenuRemembersTheChoice) {
    ASSERT_EQ(setUpUiLanguage(*qApp, QStringLiteral("tessel"), English), Japanese);
    QMessageBox box(QMessageBox::Question, {}, {}, QMessageBox::Yes | QMessageBox::No);
    EXPECT_TRUE(box.button(QMessageBox::Yes)->text().contains(QStringLiteral("はい")));
    EXPECT_TRUE(box.button(QMessageBox::No)->text().contains(QStringLiteral("いいえ")));
    QMenu view;
    const QList<QAction*> choices = addLanguageMenu(view)->actions();
    ASSERT_EQ(choices.size(), 3);
    EXPECT_EQ(choices[0]->text(), QStringLiteral("日本語"));
    EXPECT_TRUE(choices[2]->isChecked());  // nothing chosen yet: follow the system
    choices[1]->trigger();
    EXPECT_EQ(setUpUiLanguage(*qApp, QStringLiteral("tessel"), Japanese), English);
    EXPECT_TRUE(addLanguageMenu(view)->actions()[1]->isChecked());
}

}  // namespace
}  // namespace kit

int main(int argc, char** argv) {
    for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES"}) qunsetenv(name);
    qputenv("LANG", "ja_JP.UTF-8");
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QTemporaryDir settings;
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
    QApplication::setOrganizationName(QStringLiteral("kit-tests"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
