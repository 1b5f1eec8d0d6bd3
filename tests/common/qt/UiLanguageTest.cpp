#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTranslator>

#include "common/qt/UiLanguage.h"

namespace kit {
namespace {

using enum UiLanguage;

TEST(UiLanguageTest, TheChoiceTheLocaleAndTheProgramsOwnLanguage) {
    const QStringList japanese{"ja-JP", "ja-Jpan-JP", "ja"};
    const QStringList english{"en-US", "en-Latn-US", "en"};
    struct Case {
        QString setting;
        QStringList uiLanguages;
        UiLanguage fallback;
        UiLanguage expected;
    } cases[] = {
        {"", japanese, English, Japanese},
        {"", english, Japanese, English},
        {"system", japanese, English, Japanese},
        {"", {"C"}, Japanese, Japanese},  // scripts under the C locale see today's language
        {"", {"C"}, English, English},
        {"", {"POSIX"}, Japanese, Japanese},
        {"", {}, Japanese, Japanese},
        {"", {"fr-FR", "fr"}, Japanese, English},     // neither: the language more people read
        {"", {"fr-FR", "ja-JP"}, English, Japanese},  // LANGUAGE=fr:ja
        {"", {"jam"}, Japanese, English},             // Jamaican Creole is not Japanese
        {"en", japanese, Japanese, English},          // View → Language overrides the locale
        {"ja", english, English, Japanese},
        {"ja", {"C"}, English, Japanese},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(chooseUiLanguage(c.setting, c.uiLanguages, c.fallback), c.expected)
            << c.setting.toStdString() << " / " << c.uiLanguages.join(',').toStdString();
    }
}

// main() set a Japanese locale before Qt started, as LANG=ja_JP.UTF-8 would.
TEST(UiLanguageTest, AJapaneseLocaleGivesQtsOwnButtonsInJapanese) {
    ASSERT_EQ(setUpUiLanguage(*qApp, QStringLiteral("tessel"), English), Japanese);
    QMessageBox box(QMessageBox::Question, QString(), QString(),
                    QMessageBox::Yes | QMessageBox::No);
    EXPECT_TRUE(box.button(QMessageBox::Yes)->text().contains(QStringLiteral("はい")));
    EXPECT_TRUE(box.button(QMessageBox::No)->text().contains(QStringLiteral("いいえ")));
    QDialogButtonBox buttons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("キャンセル"));
    // The shared Language menu follows as well.
    EXPECT_EQ(QCoreApplication::translate("kit::LanguageMenu", "Japanese"),
              QStringLiteral("日本語"));
    for (QTranslator* translator : qApp->findChildren<QTranslator*>()) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
}

TEST(UiLanguageTest, TheLanguageMenuRemembersTheChoice) {
    QMenu view;
    QMenu* menu = addLanguageMenu(view);
    ASSERT_EQ(menu->actions().size(), 3);
    EXPECT_TRUE(menu->actions()[2]->isChecked());  // nothing chosen yet: follow the system
    menu->actions()[1]->trigger();
    EXPECT_EQ(QSettings().value(kLanguageSettingKey).toString(), QStringLiteral("en"));
    EXPECT_EQ(chooseUiLanguage(QSettings().value(kLanguageSettingKey).toString(), {"ja"}, Japanese),
              English);
    QMenu again;
    EXPECT_TRUE(addLanguageMenu(again)->actions()[1]->isChecked());
    QSettings().remove(kLanguageSettingKey);
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
    QApplication::setApplicationName(QStringLiteral("kit-qt-tests"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
