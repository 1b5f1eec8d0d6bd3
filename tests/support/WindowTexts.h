#pragma once
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QStringList>
#include <QTranslator>
#include <QWidget>

#include "common/qt/UiLanguage.h"

namespace kit::testing {

// Kana, kanji, full-width forms and half-width katakana: what an English window must not show.
inline bool hasJapanese(const QString& text) {
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if ((u >= 0x3000 && u <= 0x9fff) || (u >= 0xff00 && u <= 0xffef)) return true;
    }
    return false;
}

// Every text `root` and the widgets and actions below it show: titles, labels, buttons, group
// boxes, list entries, menus and actions with their tips.
inline QStringList shownTexts(const QWidget& root) {
    QStringList texts{root.windowTitle(), root.toolTip(), root.statusTip()};
    for (const QWidget* widget : root.findChildren<QWidget*>()) {
        texts << widget->windowTitle() << widget->toolTip() << widget->statusTip();
        if (const auto* label = qobject_cast<const QLabel*>(widget)) texts << label->text();
        if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
            texts << button->text();
        if (const auto* group = qobject_cast<const QGroupBox*>(widget)) texts << group->title();
        if (const auto* menu = qobject_cast<const QMenu*>(widget)) texts << menu->title();
        if (const auto* combo = qobject_cast<const QComboBox*>(widget)) {
            for (int i = 0; i < combo->count(); ++i) texts << combo->itemText(i);
        }
    }
    for (const QAction* action : root.findChildren<QAction*>())
        texts << action->text() << action->toolTip() << action->statusTip();
    return texts;
}

// The texts of `root` with a Japanese character in them.
inline QStringList japaneseTexts(const QWidget& root) {
    QStringList found;
    for (const QString& text : shownTexts(root)) {
        if (hasJapanese(text)) found << text;
    }
    return found;
}

// The program's, the shared and Qt's translations for one language while it lives.
class ScopedUiLanguage {
  public:
    ScopedUiLanguage(const QString& program, UiLanguage language) {
        installUiTranslations(*qApp, program, language);
    }
    ~ScopedUiLanguage() {
        for (QTranslator* translator : qApp->findChildren<QTranslator*>()) {
            QCoreApplication::removeTranslator(translator);
            delete translator;
        }
    }
    ScopedUiLanguage(const ScopedUiLanguage&) = delete;
    ScopedUiLanguage& operator=(const ScopedUiLanguage&) = delete;
};

}  // namespace kit::testing
