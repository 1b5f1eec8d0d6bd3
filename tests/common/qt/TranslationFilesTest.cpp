#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QXmlStreamReader>

// The %1, %2 ... and %s a text fills in; a translation must keep every one.
static QSet<QString> placeholders(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral("%[0-9s]"));
    QSet<QString> found;
    for (const QRegularExpressionMatch& match : pattern.globalMatch(text))
        found << match.captured();
    return found;
}

// Every entry of the window programs' translations is finished (not unfinished, obsolete or
// vanished), not empty, and keeps its source's placeholders.
TEST(TranslationFilesTest, EveryEntryIsTranslatedAndKeepsItsPlaceholders) {
    for (const char* name :
         {"common/qt/translations/kitqt_ja.ts", "designer/ui/translations/kyrel_en.ts",
          "editor/translations/pocora_en.ts", "mapeditor/ui/translations/tessel_ja.ts"}) {
        QFile file(QDir(KIT_SOURCE_DIR).filePath(QString::fromUtf8(name)));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name;
        QXmlStreamReader xml(&file);
        QString source;
        int entries = 0;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement) continue;
            if (xml.name() == QLatin1String("source")) source = xml.readElementText();
            if (xml.name() != QLatin1String("translation")) continue;
            ++entries;
            const std::string where = (QString::fromUtf8(name) + ": " + source).toStdString();
            EXPECT_TRUE(xml.attributes().value(QLatin1String("type")).isEmpty()) << where;
            const QString translation = xml.readElementText();
            EXPECT_FALSE(translation.trimmed().isEmpty()) << where;
            EXPECT_EQ(placeholders(translation), placeholders(source)) << where;
        }
        EXPECT_FALSE(xml.hasError()) << name << ": " << xml.errorString().toStdString();
        EXPECT_GT(entries, 0) << name;
    }
}
