#pragma once
#include <string>
#include <string_view>

namespace kyrel {

// Every text Kyrel shows, as Shift-JIS bytes (the comment gives each in readable form).
// "%s" marks where formatMessage puts a name.
namespace text {

inline constexpr std::string_view kCaptionError = "Error";
inline constexpr std::string_view kCaptionKyrel = "Kyrel";

// "%s を開けません"
inline constexpr std::string_view kCannotOpen = "%s \x82\xf0\x8aJ\x82\xaf\x82\xdc\x82\xb9\x82\xf1";

// "%s は壊れているか、途中で切れています"
inline constexpr std::string_view kDamagedProject =
    "%s \x82\xcd\x89\xf3\x82\xea\x82\xc4\x82\xa2\x82\xe9\x82\xa9\x81"
    "A\x93r\x92\x86\x82\xc5\x90\xd8\x82\xea\x82\xc4\x82\xa2\x82\xdc\x82\xb7";

// "Kyrelのファイルではありません"
inline constexpr std::string_view kNotKyrelFile =
    "Kyrel\x82\xcc\x83t\x83@\x83"
    "C\x83\x8b\x82\xc5\x82\xcd\x82\xa0\x82\xe8\x82\xdc\x82\xb9\x82\xf1";

// "%s は対応していないバージョンです"
inline constexpr std::string_view kUnsupportedVersion =
    "%s "
    "\x82\xcd\x91\xce\x89\x9e\x82\xb5\x82\xc4\x82\xa2\x82\xc8\x82\xa2\x83o\x81["
    "\x83W\x83\x87\x83\x93\x82\xc5\x82\xb7";

// "%s は変更されています。保存しますか？"
inline constexpr std::string_view kAskSaveChanges =
    "%s \x82\xcd\x95\xcf\x8dX\x82\xb3\x82\xea\x82\xc4\x82\xa2\x82\xdc\x82\xb7\x81"
    "B\x95\xdb\x91\xb6\x82\xb5\x82\xdc\x82\xb7\x82\xa9\x81H";

// "すべてのデータが初期化されます。よろしいですか？"
inline constexpr std::string_view kAskResetAll =
    "\x82\xb7\x82\xd7\x82\xc4\x82\xcc\x83"
    "f\x81[\x83^\x82\xaa\x8f\x89\x8a\xfa\x89\xbb\x82\xb3\x82\xea\x82\xdc\x82\xb7\x81"
    "B\x82\xe6\x82\xeb\x82\xb5\x82\xa2\x82\xc5\x82\xb7\x82\xa9\x81H";

// "%s へ上書きします"
inline constexpr std::string_view kAskOverwrite =
    "%s \x82\xd6\x8f\xe3\x8f\x91\x82\xab\x82\xb5\x82\xdc\x82\xb7";

// "上書き保存しました"
inline constexpr std::string_view kSavedOver =
    "\x8f\xe3\x8f\x91\x82\xab\x95\xdb\x91\xb6\x82\xb5\x82\xdc\x82\xb5\x82\xbd";

// "保存しました"
inline constexpr std::string_view kSaved = "\x95\xdb\x91\xb6\x82\xb5\x82\xdc\x82\xb5\x82\xbd";

// "新規作成.kyl"
inline constexpr std::string_view kNewDocumentName = "\x90V\x8bK\x8d\xec\x90\xac.kyl";

// "有効トラックがありません"
inline constexpr std::string_view kNoEnabledTrack =
    "\x97L\x8c\xf8\x83g\x83\x89\x83"
    "b\x83N\x82\xaa\x82\xa0\x82\xe8\x82\xdc\x82\xb9\x82\xf1";

// "Waveファイルを作成中です"
inline constexpr std::string_view kCreatingWav =
    "Wave\x83t\x83@\x83"
    "C\x83\x8b\x82\xf0\x8d\xec\x90\xac\x92\x86\x82\xc5\x82\xb7";

// "サウンドデバイスがないため再生できません（Waveファイルの作成はできます）"
inline constexpr std::string_view kNoSoundDevice =
    "\x83T\x83"
    "E\x83\x93\x83h\x83"
    "f\x83o\x83"
    "C\x83X\x82\xaa\x82\xc8\x82\xa2\x82\xbd\x82\xdf\x8d\xc4\x90\xb6\x82\xc5\x82\xab\x82"
    "\xdc\x82\xb9\x82\xf1\x81iWave\x83t\x83@\x83"
    "C\x83\x8b\x82\xcc\x8d\xec\x90\xac\x82\xcd\x82\xc5\x82\xab\x82\xdc\x82\xb7\x81j";

// "無音のため音量を揃えられません"
inline constexpr std::string_view kNothingToNormalize =
    "\x96\xb3\x89\xb9\x82\xcc\x82\xbd\x82\xdf\x89\xb9\x97\xca\x82\xf0\x91\xb5\x82\xa6\x82"
    "\xe7\x82\xea\x82\xdc\x82\xb9\x82\xf1";

// "音量を揃えました"
inline constexpr std::string_view kNormalized =
    "\x89\xb9\x97\xca\x82\xf0\x91\xb5\x82\xa6\x82\xdc\x82\xb5\x82\xbd";

// "%s はsfxrの音として読めません"
inline constexpr std::string_view kNotSfxrSound =
    "%s \x82\xcdsfxr\x82\xcc\x89\xb9\x82\xc6\x82\xb5\x82\xc4\x93\xc7\x82\xdf\x82\xdc\x82\xb9"
    "\x82\xf1";

// "Kyrelで表せない設定を除きました: %s"
inline constexpr std::string_view kDroppedSettings =
    "Kyrel\x82\xc5\x95\x5c\x82\xb9\x82\xc8\x82\xa2\x90\xdd\x92\xe8\x82\xf0\x8f\x9c\x82\xab\x82"
    "\xdc\x82\xb5\x82\xbd: %s";

// "sfxrの音 (*.sfxj *.json)|*.sfxj;*.json|All Files (*.*)|*.*||"
inline constexpr std::string_view kSfxrFilter =
    "sfxr\x82\xcc\x89\xb9 (*.sfxj *.json)|*.sfxj;*.json|All Files (*.*)|*.*||";

// "Waveファイルを作成しました"
inline constexpr std::string_view kWavCreated =
    "Wave\x83t\x83@\x83"
    "C\x83\x8b\x82\xf0\x8d\xec\x90\xac\x82\xb5\x82\xdc\x82\xb5\x82\xbd";

// "再生中は終了できません"
inline constexpr std::string_view kCannotQuitWhilePlaying =
    "\x8d\xc4\x90\xb6\x92\x86\x82\xcd\x8fI\x97\xb9\x82\xc5\x82\xab\x82\xdc\x82\xb9\x82\xf1";

// "Kyrel (*.kyl)|*.kyl|All Files (*.*)|*.*||"
inline constexpr std::string_view kProjectFilter = "Kyrel (*.kyl)|*.kyl|All Files (*.*)|*.*||";

// "Waveファイル (*.wav)|*.wav|All Files (*.*)|*.*||"
inline constexpr std::string_view kWavFilter =
    "Wave\x83t\x83@\x83"
    "C\x83\x8b (*.wav)|*.wav|All Files (*.*)|*.*||";

// "%s に書き込めません"
inline constexpr std::string_view kCannotWrite =
    "%s \x82\xc9\x8f\x91\x82\xab\x8d\x9e\x82\xdf\x82\xdc\x82\xb9\x82\xf1";

// "%s が範囲外です"
inline constexpr std::string_view kSettingOutOfRange =
    "%s \x82\xaa\x94\xcd\x88\xcd\x8aO\x82\xc5\x82\xb7";

// "再生時間（ミリ秒）"
inline constexpr std::string_view kLabelDuration =
    "\x8d\xc4\x90\xb6\x8e\x9e\x8a\xd4\x81i\x83~\x83\x8a\x95"
    "b\x81j";

// "量子化ビット数"
inline constexpr std::string_view kLabelBits =
    "\x97\xca\x8eq\x89\xbb\x83r\x83"
    "b\x83g\x90\x94";

// "サンプリング周波数"
inline constexpr std::string_view kLabelRate =
    "\x83T\x83\x93\x83v\x83\x8a\x83\x93\x83O\x8e\xfc\x94g\x90\x94";

// "チャンネル（ﾓﾉﾗﾙ/ｽﾃﾚｵ）"
inline constexpr std::string_view kLabelChannels =
    "\x83`\x83\x83\x83\x93\x83l\x83\x8b\x81i\xd3\xc9\xd7\xd9/\xbd\xc3\xda\xb5\x81j";

}  // namespace text

// Replaces the first "%s" of the Shift-JIS pattern with `arg` (Shift-JIS as well).
std::string formatMessage(std::string_view pattern, std::string_view arg);

// A file-system name (UTF-8 on this system) as Shift-JIS for a message or title; characters
// that Shift-JIS cannot hold become '?'.
std::string nameForMessage(std::string_view utf8Name);

}  // namespace kyrel
