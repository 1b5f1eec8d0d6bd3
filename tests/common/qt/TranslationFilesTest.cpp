#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QXmlStreamReader>

namespace {

// The translation sources of the kit's window programs.
const char* const kTranslationFiles[] = {
    "common/qt/translations/kitqt_ja.ts",
    "designer/ui/translations/kyrel_en.ts",
    "editor/translations/pocora_en.ts",
    "mapeditor/ui/translations/tessel_ja.ts",
};

struct Entry {
    QString context;
    QString source;
    QString translation;
    QString type;  // "unfinished", "obsolete", "vanished" or empty when done
};

std::vector<Entry> readEntries(const QString& path, QString& error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = "cannot open " + path;
        return {};
    }
    std::vector<Entry> entries;
    QString context;
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("message")) {
            entries.push_back({context, {}, {}, {}});
        } else if (xml.name() == QLatin1String("source") && !entries.empty()) {
            entries.back().source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation") && !entries.empty()) {
            entries.back().type = xml.attributes().value(QLatin1String("type")).toString();
            entries.back().translation = xml.readElementText();
        }
    }
    if (xml.hasError()) error = path + ": " + xml.errorString();
    return entries;
}

// The %1, %2 ... and %s an entry fills in; a translation must keep every one.
QSet<QString> placeholders(const QString& text) {
    QSet<QString> found;
    static const QRegularExpression pattern(QStringLiteral("%[0-9s]"));
    for (const QRegularExpressionMatch& match : pattern.globalMatch(text))
        found << match.captured();
    return found;
}

TEST(TranslationFilesTest, EveryEntryIsTranslatedAndKeepsItsPlaceholders) {
    for (const char* name : kTranslationFiles) {
        QString error;
        const std::vector<Entry> entries =
            readEntries(QDir(KIT_SOURCE_DIR).filePath(QString::fromUtf8(name)), error);
        ASSERT_TRUE(error.isEmpty()) << error.toStdString();
        EXPECT_FALSE(entries.empty()) << name;
        for (const Entry& entry : entries) {
            const std::string where = std::string(name) + ": " + entry.context.toStdString() +
                                      ": " + entry.source.toStdString();
            EXPECT_TRUE(entry.type.isEmpty()) << where << " is " << entry.type.toStdString();
            EXPECT_FALSE(entry.translation.trimmed().isEmpty()) << where;
            EXPECT_EQ(placeholders(entry.translation), placeholders(entry.source)) << where;
        }
    }
}

}  // namespace
