#include "designer/ui/CoreTexts.h"

#include <QCoreApplication>
#include <QStringList>
#include <optional>

#include "designer/ui/QtText.h"

namespace kyrel {

namespace {

constexpr const char* kContext = "kyrel::CoreTexts";

// The core's texts (designer/core/KyrelTexts.h, EditTexts.h and the windows' own Shift-JIS
// messages) in readable form.
constexpr const char* kPatterns[] = {
    QT_TRANSLATE_NOOP("kyrel::CoreTexts", "%s を開けません"),
    QT_TRANSLATE_NOOP("kyrel::CoreTexts", "%s は壊れているか、途中で切れています"),
    QT_TRANSLATE_NOOP("kyrel::CoreTexts", "Kyrelのファイルではありません"),
    QT_TRANSLATE_NOOP("kyrel::CoreTexts", "%s は対応していないバージョンです"),
    QT_TRANSLATE_NOOP("kyrel::CoreTexts", "%s は変更されています。保存しますか？"),
    QT_TRANSLATE_NOOP("kyrel::CoreTexts", "すべてのデータが初期化されます。よろしいですか？"),
    QT_TRANSLATE_NOOP("kyrel::CoreTexts", "%s へ上書きします"),
    QT_TRANSLATE_NOOP("kyrel::CoreTexts", "上書き保存しました"),
    QT_TRANSLATE_NOOP("kyrel::CoreTexts", "保存しました"),
    QT_TRANSLATE_NOOP("kyrel::CoreTexts", "新規作成.kyl"),
    QT_TRANSLATE_NOOP("kyrel::CoreTexts", "有効トラックがありません"),
    QT_TRANSLATE_NOOP("kyrel::CoreTexts", "Waveファイルを作成中です"),
    QT_TRANSLATE_NOOP("kyrel::CoreTexts",
                      "サウンドデバイスがないため再生できません（Waveファイルの作成はできます）"),
    QT_TRANSLATE_NOOP("kyrel::CoreTexts", "無音のため音量を揃えられません"),
    QT_TRANSLATE_NOOP("kyrel::CoreTexts", "音量を揃えました"),
    QT_TRANSLATE_NOOP("kyrel::CoreTexts", "%s はsfxrの音として読めません"),
    QT_TRANSLATE_NOOP("kyrel::CoreTexts", "Kyrelで表せない設定を除きました: %s"),
    QT_TRANSLATE_NOOP("kyrel::CoreTexts",
                      "sfxrの音 (*.sfxj *.json)|*.sfxj;*.json|All Files (*.*)|*.*||"),
    QT_TRANSLATE_NOOP("kyrel::CoreTexts", "Waveファイルを作成しました"),
    QT_TRANSLATE_NOOP("kyrel::CoreTexts", "再生中は終了できません"),
    QT_TRANSLATE_NOOP("kyrel::CoreTexts", "Waveファイル (*.wav)|*.wav|All Files (*.*)|*.*||"),
    QT_TRANSLATE_NOOP("kyrel::CoreTexts", "%s に書き込めません"),
    QT_TRANSLATE_NOOP("kyrel::CoreTexts", "%s が範囲外です"),
    QT_TRANSLATE_NOOP("kyrel::CoreTexts", "再生時間（ミリ秒）"),
    QT_TRANSLATE_NOOP("kyrel::CoreTexts", "量子化ビット数"),
    QT_TRANSLATE_NOOP("kyrel::CoreTexts", "サンプリング周波数"),
    QT_TRANSLATE_NOOP("kyrel::CoreTexts", "チャンネル（ﾓﾉﾗﾙ/ｽﾃﾚｵ）"),
    QT_TRANSLATE_NOOP("kyrel::CoreTexts", "元に戻すは出来ません"),
    QT_TRANSLATE_NOOP("kyrel::CoreTexts", "やり直しは出来ません"),
    QT_TRANSLATE_NOOP("kyrel::CoreTexts", "整数を入力してください。"),
    QT_TRANSLATE_NOOP("kyrel::CoreTexts", "%1 から %2 までの整数を入力してください。"),
    QT_TRANSLATE_NOOP("kyrel::CoreTexts", "警告"),
    QT_TRANSLATE_NOOP("kyrel::CoreTexts",
                      "値が上限または加減を越えました。正しい波形が作成できませ"
                      "ん。それでも波形を作成しますか？"),
    QT_TRANSLATE_NOOP("kyrel::CoreTexts", "数値を入力してください"),
    QT_TRANSLATE_NOOP("kyrel::CoreTexts", "シードは 0 から 4294967295 までの整数です"),
};

// The loudness a render puts after its message (designer/core/PeakLevel): " ピーク -3.2 dBFS" or
// " ピーク 無音", with "（振り切れ N サンプル）" when samples stand at full scale.
constexpr const char* kPeakWords[] = {
    QT_TRANSLATE_NOOP("kyrel::CoreTexts", " ピーク "),
    QT_TRANSLATE_NOOP("kyrel::CoreTexts", "無音"),
    QT_TRANSLATE_NOOP("kyrel::CoreTexts", "（振り切れ "),
    QT_TRANSLATE_NOOP("kyrel::CoreTexts", " サンプル）"),
};

// The pattern's fixed pieces around its placeholders ("%s", "%1", "%2").
QStringList patternPieces(const QString& pattern, QStringList& placeholders) {
    QStringList pieces;
    int start = 0;
    for (int i = 0; i + 1 < pattern.size(); ++i) {
        const QChar next = pattern[i + 1];
        if (pattern[i] != QLatin1Char('%') ||
            (next != QLatin1Char('s') && next != QLatin1Char('1') && next != QLatin1Char('2')))
            continue;
        pieces << pattern.mid(start, i - start);
        placeholders << pattern.mid(i, 2);
        start = i + 2;
        ++i;
    }
    pieces << pattern.mid(start);
    return pieces;
}

// What the placeholders stand for in `text`, or nothing when `text` does not follow `pattern`.
std::optional<QStringList> matchPattern(const QString& pattern, const QString& text,
                                        QStringList& placeholders) {
    const QStringList pieces = patternPieces(pattern, placeholders);
    if (!text.startsWith(pieces.front())) return std::nullopt;
    QStringList values;
    qsizetype at = pieces.front().size();
    for (qsizetype p = 1; p < pieces.size(); ++p) {
        const bool last = p == pieces.size() - 1;
        const qsizetype end = last ? text.size() - pieces[p].size() : text.indexOf(pieces[p], at);
        if (end < at || (last && !text.endsWith(pieces[p]))) return std::nullopt;
        values << text.mid(at, end - at);
        at = end + pieces[p].size();
    }
    if (pieces.size() == 1 && text.size() != pieces.front().size()) return std::nullopt;
    return values;
}

}  // namespace

QString coreText(const QString& text) {
    const qsizetype peak = text.indexOf(QString::fromUtf8(kPeakWords[0]));
    if (peak > 0) {
        QString level = text.mid(peak);
        for (const char* word : kPeakWords)
            level.replace(QString::fromUtf8(word), QCoreApplication::translate(kContext, word));
        return coreText(text.left(peak)) + level;
    }
    for (const char* pattern : kPatterns) {
        QStringList placeholders;
        const std::optional<QStringList> values =
            matchPattern(QString::fromUtf8(pattern), text, placeholders);
        if (!values) continue;
        QString translated = QCoreApplication::translate(kContext, pattern);
        for (qsizetype i = 0; i < values->size(); ++i)
            translated.replace(placeholders[i], (*values)[i]);
        return translated;
    }
    return text;
}

std::span<const char* const> coreTextPatterns() {
    return kPatterns;
}

QString coreText(std::string_view sjis) {
    return coreText(fromSjis(sjis));
}

}  // namespace kyrel
