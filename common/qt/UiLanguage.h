#pragma once
#include <QString>
#include <QStringList>

class QCoreApplication;
class QMenu;

namespace kit {

// The languages the kit's windows speak.
enum class UiLanguage { Japanese, English };

// The language a window program speaks. `setting` is the View → Language choice ("ja", "en", or
// anything else to follow the system); `uiLanguages` is the locale's list of languages, most
// preferred first (QLocale::system().uiLanguages()). A Japanese or English entry decides; the C
// locale keeps the program's own language (`fallback`), so scripts run under it see no change;
// any other language gets English, which more people read than Japanese.
UiLanguage chooseUiLanguage(const QString& setting, const QStringList& uiLanguages,
                            UiLanguage fallback);

// "ja" or "en".
QString uiLanguageCode(UiLanguage language);

// Installs the program's translation (the resource ":/i18n/PROGRAM_CODE.qm"), the shared one
// (":/i18n/kitqt_CODE.qm") and Qt's own (qtbase_CODE.qm from Qt's translations folder) for
// `language`. Missing files are skipped: the source texts stay. The translators are children of
// `app`. Returns false when Qt's own translation was not found.
bool installUiTranslations(QCoreApplication& app, const QString& program, UiLanguage language);

// The key of the View → Language choice in the program's QSettings.
inline constexpr const char* kLanguageSettingKey = "language";

// Reads the program's View → Language choice, follows the system locale without one, installs
// the translations and returns the language chosen. Call after the organization and
// application names are set (QSettings needs them).
UiLanguage setUpUiLanguage(QCoreApplication& app, const QString& program, UiLanguage fallback);

// Adds View → Language (Japanese, English, follow the system) to `viewMenu`. The choice is
// stored in QSettings and takes effect the next time the program starts.
QMenu* addLanguageMenu(QMenu& viewMenu);

}  // namespace kit
