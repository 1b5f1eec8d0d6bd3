#include "common/qt/UiLanguage.h"

#include <QActionGroup>
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QMenu>
#include <QSettings>
#include <QTranslator>

namespace kit {

namespace {

const QString kSettingJapanese = QStringLiteral("ja");
const QString kSettingEnglish = QStringLiteral("en");
const QString kSettingSystem = QStringLiteral("system");

bool isLanguage(const QString& tag, const QString& code) {
    return tag == code || tag.startsWith(code + QLatin1Char('-')) ||
           tag.startsWith(code + QLatin1Char('_'));
}

bool loadTranslator(QCoreApplication& app, const QString& name, const QString& folder) {
    auto* translator = new QTranslator(&app);
    if (!translator->load(name, folder)) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    return true;
}

}  // namespace

UiLanguage chooseUiLanguage(const QString& setting, const QStringList& uiLanguages,
                            UiLanguage fallback) {
    if (setting == kSettingJapanese) return UiLanguage::Japanese;
    if (setting == kSettingEnglish) return UiLanguage::English;
    for (const QString& tag : uiLanguages) {
        if (tag == QLatin1String("C") || tag == QLatin1String("POSIX")) return fallback;
        if (isLanguage(tag, kSettingJapanese)) return UiLanguage::Japanese;
        if (isLanguage(tag, kSettingEnglish)) return UiLanguage::English;
    }
    return uiLanguages.isEmpty() ? fallback : UiLanguage::English;
}

QString uiLanguageCode(UiLanguage language) {
    return language == UiLanguage::Japanese ? kSettingJapanese : kSettingEnglish;
}

bool installUiTranslations(QCoreApplication& app, const QString& program, UiLanguage language) {
    const QString code = uiLanguageCode(language);
    const QString resources = QStringLiteral(":/i18n");
    loadTranslator(app, program + QLatin1Char('_') + code, resources);
    loadTranslator(app, QStringLiteral("kitqt_") + code, resources);
    return loadTranslator(app, QStringLiteral("qtbase_") + code,
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

UiLanguage setUpUiLanguage(QCoreApplication& app, const QString& program, UiLanguage fallback) {
    const QString setting = QSettings().value(QLatin1String(kLanguageSettingKey)).toString();
    const UiLanguage language =
        chooseUiLanguage(setting, QLocale::system().uiLanguages(), fallback);
    installUiTranslations(app, program, language);
    return language;
}

QMenu* addLanguageMenu(QMenu& viewMenu) {
    QMenu* menu = viewMenu.addMenu(QCoreApplication::translate("kit::LanguageMenu", "&Language"));
    auto* group = new QActionGroup(menu);
    const QString current = QSettings().value(QLatin1String(kLanguageSettingKey)).toString();
    const QString tip = QCoreApplication::translate(
        "kit::LanguageMenu", "The language of the windows, from the next start of the program");
    const std::pair<QString, QString> choices[] = {
        {kSettingJapanese, QCoreApplication::translate("kit::LanguageMenu", "Japanese")},
        {kSettingEnglish, QCoreApplication::translate("kit::LanguageMenu", "English")},
        {kSettingSystem, QCoreApplication::translate("kit::LanguageMenu", "Follow the System")},
    };
    for (const auto& [value, text] : choices) {
        QAction* action = menu->addAction(text);
        action->setCheckable(true);
        action->setData(value);
        action->setStatusTip(tip);
        action->setToolTip(tip);
        const bool chosen = value == kSettingSystem
                                ? current != kSettingJapanese && current != kSettingEnglish
                                : current == value;
        action->setChecked(chosen);
        group->addAction(action);
        QObject::connect(action, &QAction::triggered, menu, [value] {
            QSettings().setValue(QLatin1String(kLanguageSettingKey), value);
        });
    }
    return menu;
}

}  // namespace kit
