// The windows of Pocora and Kyrel draw their Japanese texts (menus, captions, messages) with the
// fonts the kit installs; a character that no font holds would be drawn as an empty box.
#include <gtest/gtest.h>

#include <QDirIterator>
#include <QFontMetrics>
#include <QGuiApplication>
#include <map>

namespace {

// Every character beyond ASCII in the programs' sources, with a file that holds it. The texts
// kept as Shift-JIS bytes are spelled out in the comment above each.
std::map<char32_t, QString> charactersOfTheProgramsTexts() {
    std::map<char32_t, QString> found;
    for (const char* folder : {"/editor", "/designer"}) {
        QDirIterator files(KIT_SOURCE_DIR + QString(folder), {"*.cpp", "*.h", "*.html"},
                           QDir::Files, QDirIterator::Subdirectories);
        while (files.hasNext()) {
            QFile file(files.next());
            EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
            for (char32_t c : QString::fromUtf8(file.readAll()).toUcs4())
                if (c > 0x7F) found.emplace(c, file.fileName());
        }
    }
    return found;
}

TEST(FontCoverage, TheWindowsFontsDrawEveryCharacterOfPocoraAndKyrel) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 0;
    const QGuiApplication app(argc, nullptr);
    const auto characters = charactersOfTheProgramsTexts();
    ASSERT_GT(characters.size(), 200u);
    const QFont font = QGuiApplication::font();  // menus, captions and messages
    std::string missing;
    for (const auto& [c, file] : characters)
        if (!QFontMetrics(font).inFontUcs4(c))
            missing += " " + QString::fromUcs4(&c, 1).toStdString() + " (" +
                       file.section('/', -2).toStdString() + ")";
    EXPECT_EQ(missing, "") << font.family().toStdString()
                           << " lacks these; is a Japanese font installed (./kit deps)?";
}

}  // namespace
