<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ja">
<context>
    <name>kyrel::AboutDialog</name>
    <message>
        <source>Kyrelのバージョン情報</source>
        <translation>About Kyrel</translation>
    </message>
    <message>
        <source>効果音デザイナー — 六つのトラックから効果音を作ります。</source>
        <translation>Sound effect designer — makes sound effects from six tracks.</translation>
    </message>
</context>
<context>
    <name>kyrel::AutoPlay</name>
    <message>
        <source>編集後に自動再生(&amp;A)</source>
        <translation>&amp;Auto Play After Editing</translation>
    </message>
    <message>
        <source>編集を終えるたびに音を再生します</source>
        <translation>Plays the sound each time an edit is finished</translation>
    </message>
</context>
<context>
    <name>kyrel::CChildFrame</name>
    <message>
        <source>波形</source>
        <translation>Waveform</translation>
    </message>
    <message>
        <source>周波数</source>
        <translation>Frequency</translation>
    </message>
    <message>
        <source>音量</source>
        <translation>Volume</translation>
    </message>
    <message>
        <source>定位</source>
        <translation>Pan</translation>
    </message>
</context>
<context>
    <name>kyrel::CEffectSettingsDlg</name>
    <message>
        <source>詳細設定</source>
        <translation>Details</translation>
    </message>
    <message>
        <source>新しいシード</source>
        <translation>New Seed</translation>
    </message>
    <message>
        <source>効果音の設定</source>
        <translation>Sound Effect Settings</translation>
    </message>
    <message>
        <source>ボリューム</source>
        <translation>Volume</translation>
    </message>
    <message>
        <source>トラックの使用</source>
        <translation>Tracks in Use</translation>
    </message>
    <message>
        <source>モード１</source>
        <translation>Mode 1</translation>
    </message>
    <message>
        <source>モード２</source>
        <translation>Mode 2</translation>
    </message>
    <message>
        <source>周波数の計算</source>
        <translation>Frequency Computation</translation>
    </message>
    <message>
        <source>ばらつきのシード</source>
        <translation>Seed of the Spread</translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>kyrel::CMainFrame</name>
    <message>
        <source>新規作成(&amp;N)</source>
        <translation>&amp;New</translation>
    </message>
    <message>
        <source>新規にドキュメントを作成します
新規作成</source>
        <translation>Creates a new document
New</translation>
    </message>
    <message>
        <source>開く(&amp;O)...</source>
        <translation>&amp;Open...</translation>
    </message>
    <message>
        <source>既存のドキュメントを開きます
開く</source>
        <translation>Opens an existing document
Open</translation>
    </message>
    <message>
        <source>閉じる(&amp;C)</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>作業中のウィンドウを閉じます
閉じる</source>
        <translation>Closes the active window
Close</translation>
    </message>
    <message>
        <source>上書き保存(&amp;S)</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>作業中のドキュメントを上書きして保存します
保存</source>
        <translation>Saves the active document over its file
Save</translation>
    </message>
    <message>
        <source>名前をつけて保存(&amp;A)...</source>
        <translation>Save &amp;As...</translation>
    </message>
    <message>
        <source>作業中のドキュメントを名前をつけて保存します
名前をつけて保存</source>
        <translation>Saves the active document under a new name
Save As</translation>
    </message>
    <message>
        <source>Kyrelの終了(&amp;X)</source>
        <translation>E&amp;xit Kyrel</translation>
    </message>
    <message>
        <source>Kyrelを終了します
終了</source>
        <translation>Quits Kyrel
Exit</translation>
    </message>
    <message>
        <source>波形</source>
        <translation>Waveform</translation>
    </message>
    <message>
        <source>波形のエディットウィンドウを開きます
波形</source>
        <translation>Opens the waveform edit window
Waveform</translation>
    </message>
    <message>
        <source>周波数</source>
        <translation>Frequency</translation>
    </message>
    <message>
        <source>周波数のエディットウィンドウを開きます
周波数</source>
        <translation>Opens the frequency edit window
Frequency</translation>
    </message>
    <message>
        <source>音量</source>
        <translation>Volume</translation>
    </message>
    <message>
        <source>音量のエディットウィンドウを開きます
音量</source>
        <translation>Opens the volume edit window
Volume</translation>
    </message>
    <message>
        <source>定位</source>
        <translation>Pan</translation>
    </message>
    <message>
        <source>定位のエディットウィンドウを開きます
定位</source>
        <translation>Opens the pan edit window
Pan</translation>
    </message>
    <message>
        <source>元に戻す(&amp;U)</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>直前の編集を元に戻します
元に戻す</source>
        <translation>Undoes the last edit
Undo</translation>
    </message>
    <message>
        <source>やり直す(&amp;R)</source>
        <translation>&amp;Redo</translation>
    </message>
    <message>
        <source>元に戻した編集をやり直します
やり直す</source>
        <translation>Redoes the edit undone
Redo</translation>
    </message>
    <message>
        <source>コピー(&amp;C)</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>選択範囲をクリップボードにコピーします
コピー</source>
        <translation>Copies the selection to the clipboard
Copy</translation>
    </message>
    <message>
        <source>貼り付け(&amp;P)</source>
        <translation>&amp;Paste</translation>
    </message>
    <message>
        <source>クリップボードの内容を貼り付けます
貼り付け</source>
        <translation>Pastes the clipboard
Paste</translation>
    </message>
    <message>
        <source>すべて選択(&amp;A)</source>
        <translation>Select &amp;All</translation>
    </message>
    <message>
        <source>曲線全体を選択します
すべて選択</source>
        <translation>Selects the whole curve
Select All</translation>
    </message>
    <message>
        <source>選択</source>
        <translation>Select</translation>
    </message>
    <message>
        <source>範囲を選択するツール
選択</source>
        <translation>The tool that selects a range
Select</translation>
    </message>
    <message>
        <source>フリーハンド</source>
        <translation>Freehand</translation>
    </message>
    <message>
        <source>自由に曲線を描くツール
フリーハンド</source>
        <translation>The tool that draws a curve freely
Freehand</translation>
    </message>
    <message>
        <source>ライン</source>
        <translation>Line</translation>
    </message>
    <message>
        <source>直線を引くツール
ライン</source>
        <translation>The tool that draws straight lines
Line</translation>
    </message>
    <message>
        <source>トラック %1</source>
        <translation>Track %1</translation>
    </message>
    <message>
        <source>トラック %1 を編集します
トラック %1</source>
        <translation>Edits track %1
Track %1</translation>
    </message>
    <message>
        <source>値を入力(&amp;V)...</source>
        <translation>Type &amp;Value...</translation>
    </message>
    <message>
        <source>選択範囲（または曲線全体）の値を曲線の単位で入力します
値を入力</source>
        <translation>Types the value of the selection (or the whole curve) in the curve&apos;s unit
Type Value</translation>
    </message>
    <message>
        <source>トラックのコピー(&amp;K)...</source>
        <translation>Copy Trac&amp;k...</translation>
    </message>
    <message>
        <source>現在のトラックを別のトラックにコピーします
トラックのコピー</source>
        <translation>Copies the current track to another track
Copy Track</translation>
    </message>
    <message>
        <source>波形ジェネレーター(&amp;G)...</source>
        <translation>Waveform &amp;Generator...</translation>
    </message>
    <message>
        <source>波形を計算で作ります
波形ジェネレーター</source>
        <translation>Computes a waveform
Waveform Generator</translation>
    </message>
    <message>
        <source>ツールバーを表示する(&amp;T)</source>
        <translation>Show &amp;Toolbars</translation>
    </message>
    <message>
        <source>ツールバーを表示します
ツールバー</source>
        <translation>Shows the toolbars
Toolbars</translation>
    </message>
    <message>
        <source>ステータスバー(&amp;S)</source>
        <translation>&amp;Status Bar</translation>
    </message>
    <message>
        <source>ステータスバーの表示を切り替えます
ステータスバー</source>
        <translation>Shows or hides the status bar
Status Bar</translation>
    </message>
    <message>
        <source>停止(&amp;S)</source>
        <translation>&amp;Stop</translation>
    </message>
    <message>
        <source>再生を停止します
停止</source>
        <translation>Stops playing
Stop</translation>
    </message>
    <message>
        <source>再生(&amp;P)</source>
        <translation>&amp;Play</translation>
    </message>
    <message>
        <source>使用するトラックを再生します
再生</source>
        <translation>Plays the tracks in use
Play</translation>
    </message>
    <message>
        <source>編集トラックの再生(&amp;Q)</source>
        <translation>Play Edited Trac&amp;k</translation>
    </message>
    <message>
        <source>現在編集中のトラックのみを再生する
編集中のトラックを再生</source>
        <translation>Plays only the track being edited
Play Edited Track</translation>
    </message>
    <message>
        <source>Waveファイル作成(&amp;W)...</source>
        <translation>Create &amp;WAV File...</translation>
    </message>
    <message>
        <source>Waveファイルを作成します
Waveファイル作成</source>
        <translation>Creates a WAV file
Create WAV File</translation>
    </message>
    <message>
        <source>効果音の設定(&amp;T)...</source>
        <translation>Sound Effec&amp;t Settings...</translation>
    </message>
    <message>
        <source>トラックの音量と使用を設定します
効果音の設定</source>
        <translation>Sets the tracks&apos; volumes and which are in use
Sound Effect Settings</translation>
    </message>
    <message>
        <source>インポート(&amp;I)...</source>
        <translation>&amp;Import...</translation>
    </message>
    <message>
        <source>sfxr-qt (.sfxj) や jsfxr (JSON) の音を読み込みます
インポート</source>
        <translation>Reads a sound of sfxr-qt (.sfxj) or jsfxr (JSON)
Import</translation>
    </message>
    <message>
        <source>音量を揃える(&amp;N)</source>
        <translation>&amp;Normalize Volume</translation>
    </message>
    <message>
        <source>今のシードの音がピーク -1 dBFS になるよう音量を揃えます
音量を揃える</source>
        <translation>Sets the volume so that the current seed&apos;s sound peaks at -1 dBFS
Normalize Volume</translation>
    </message>
    <message>
        <source>ループ再生(&amp;L)</source>
        <translation>&amp;Loop Play</translation>
    </message>
    <message>
        <source>停止するまで音を繰り返し再生します
ループ再生</source>
        <translation>Plays the sound again and again until stopped
Loop Play</translation>
    </message>
    <message>
        <source>Waveファイルの設定(&amp;D)...</source>
        <translation>WAV File Settings...</translation>
    </message>
    <message>
        <source>長さと形式を設定します
Waveファイルの設定</source>
        <translation>Sets the length and the format
WAV File Settings</translation>
    </message>
    <message>
        <source>重ねて表示(&amp;C)</source>
        <translation>&amp;Cascade</translation>
    </message>
    <message>
        <source>ウィンドウを重ねて表示します
重ねて表示</source>
        <translation>Arranges the windows overlapping
Cascade</translation>
    </message>
    <message>
        <source>並べて表示(&amp;T)</source>
        <translation>&amp;Tile</translation>
    </message>
    <message>
        <source>ウィンドウを並べて表示します
並べて表示</source>
        <translation>Arranges the windows side by side
Tile</translation>
    </message>
    <message>
        <source>アイコンの整列(&amp;A)</source>
        <translation>&amp;Arrange Icons</translation>
    </message>
    <message>
        <source>アイコンをウィンドウの下に整列します
アイコンの整列</source>
        <translation>Arranges the icons at the bottom of the window
Arrange Icons</translation>
    </message>
    <message>
        <source>Kyrelのヘルプ(&amp;H)</source>
        <translation>Kyrel &amp;Help</translation>
    </message>
    <message>
        <source>ヘルプを表示します
ヘルプ</source>
        <translation>Shows the help
Help</translation>
    </message>
    <message>
        <source>Kyrel のバージョン情報(&amp;A)...</source>
        <translation>&amp;About Kyrel...</translation>
    </message>
    <message>
        <source>プログラムの情報とバージョンを表示します
バージョン情報</source>
        <translation>Shows the program&apos;s information and version
About</translation>
    </message>
    <message>
        <source>次のウィンドウ</source>
        <translation>Next Window</translation>
    </message>
    <message>
        <source>次のウィンドウに切り替えます
次のウィンドウ</source>
        <translation>Switches to the next window
Next Window</translation>
    </message>
    <message>
        <source>前のウィンドウ</source>
        <translation>Previous Window</translation>
    </message>
    <message>
        <source>前のウィンドウに切り替えます
前のウィンドウ</source>
        <translation>Switches to the previous window
Previous Window</translation>
    </message>
    <message>
        <source>エディットウィンドウ(&amp;E)</source>
        <translation>&amp;Edit Windows</translation>
    </message>
    <message>
        <source>最近使ったファイル(&amp;R)</source>
        <translation>&amp;Recent Files</translation>
    </message>
    <message>
        <source>ファイル(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>編集(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>表示(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>ウィンドウ(&amp;W)</source>
        <translation>&amp;Window</translation>
    </message>
    <message>
        <source>ヘルプ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>（なし）</source>
        <translation>(none)</translation>
    </message>
    <message>
        <source>ツールバー</source>
        <translation>Toolbar</translation>
    </message>
    <message>
        <source>トラック</source>
        <translation>Track</translation>
    </message>
</context>
<context>
    <name>kyrel::CProgressDlg</name>
    <message>
        <source>作成中</source>
        <translation>Creating</translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>kyrel::CTrackCopyDlg</name>
    <message>
        <source>トラックのコピー</source>
        <translation>Copy Track</translation>
    </message>
    <message>
        <source>トラック %1</source>
        <translation>Track %1</translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>トラック %1 のコピー先</source>
        <translation>Copy track %1 to</translation>
    </message>
</context>
<context>
    <name>kyrel::CTrackDetailDlg</name>
    <message>
        <source>波形を直接書き込む（周波数計算を無効にする）</source>
        <translation>Write the waveform directly (no frequency computation)</translation>
    </message>
    <message>
        <source>詳細なトラックの設定</source>
        <translation>Track Details</translation>
    </message>
    <message>
        <source>トラック</source>
        <translation>Track</translation>
    </message>
    <message>
        <source>詳細設定</source>
        <translation>Details</translation>
    </message>
    <message>
        <source>周波数の分散度</source>
        <translation>Frequency spread</translation>
    </message>
    <message>
        <source>音量の分散度</source>
        <translation>Volume spread</translation>
    </message>
    <message>
        <source>波形の分散度</source>
        <translation>Waveform spread</translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>kyrel::CTypedValueDlg</name>
    <message>
        <source>終わりの値まで直線で</source>
        <translation>Straight line to the end value</translation>
    </message>
    <message>
        <source>値を入力</source>
        <translation>Type Value</translation>
    </message>
    <message>
        <source>単位</source>
        <translation>Unit</translation>
    </message>
    <message>
        <source>値</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>終わりの値</source>
        <translation>End value</translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Hz（聞こえる高さ）</source>
        <translation>Hz (heard pitch)</translation>
    </message>
    <message>
        <source>%（音の大きさ）</source>
        <translation>% (loudness)</translation>
    </message>
    <message>
        <source>%（振幅、-100 … 100）</source>
        <translation>% (amplitude, -100 … 100)</translation>
    </message>
</context>
<context>
    <name>kyrel::CWaveGenDlg</name>
    <message>
        <source>現在の波形との加算</source>
        <translation>Add to the current waveform</translation>
    </message>
    <message>
        <source>ノイズの大きさもランダム</source>
        <translation>Random noise size too</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>リセット</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>波形ジェネレーター</source>
        <translation>Waveform Generator</translation>
    </message>
    <message>
        <source>サイン波</source>
        <translation>Sine</translation>
    </message>
    <message>
        <source>矩形波</source>
        <translation>Square</translation>
    </message>
    <message>
        <source>三角波</source>
        <translation>Triangle</translation>
    </message>
    <message>
        <source>ノコギリ波</source>
        <translation>Sawtooth</translation>
    </message>
    <message>
        <source>ランダムノイズ</source>
        <translation>Random noise</translation>
    </message>
    <message>
        <source>出現確率(0-1000)</source>
        <translation>Chance (0-1000)</translation>
    </message>
    <message>
        <source>波形の大きさ&#x3000;0-1000</source>
        <translation>Waveform size 0-1000</translation>
    </message>
    <message>
        <source>波形の周波数&#x3000;1-100</source>
        <translation>Waveform cycles 1-100</translation>
    </message>
    <message>
        <source>波形のかたち</source>
        <translation>Waveform shape</translation>
    </message>
    <message>
        <source>ランダムノイズの設定</source>
        <translation>Random noise settings</translation>
    </message>
</context>
<context>
    <name>kyrel::CWaveSettingsDlg</name>
    <message>
        <source>Waveファイルの設定</source>
        <translation>WAV File Settings</translation>
    </message>
    <message>
        <source>1（モノラル）</source>
        <translation>1 (mono)</translation>
    </message>
    <message>
        <source>2（ステレオ）</source>
        <translation>2 (stereo)</translation>
    </message>
    <message>
        <source>再生時間（ミリ秒）</source>
        <translation>Duration (milliseconds)</translation>
    </message>
    <message>
        <source>量子化ビット数</source>
        <translation>Bits per sample</translation>
    </message>
    <message>
        <source>サンプリング周波数</source>
        <translation>Sampling rate</translation>
    </message>
    <message>
        <source>チャンネル（ﾓﾉﾗﾙ/ｽﾃﾚｵ）</source>
        <translation>Channels (mono/stereo)</translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>kyrel::CoreTexts</name>
    <message>
        <source>%s を開けません</source>
        <translation>Cannot open %s</translation>
    </message>
    <message>
        <source>%s は壊れているか、途中で切れています</source>
        <translation>%s is damaged or cut short</translation>
    </message>
    <message>
        <source>Kyrelのファイルではありません</source>
        <translation>This is not a Kyrel file</translation>
    </message>
    <message>
        <source>%s は対応していないバージョンです</source>
        <translation>%s is of a version Kyrel does not read</translation>
    </message>
    <message>
        <source>%s は変更されています。保存しますか？</source>
        <translation>%s has changed. Save it?</translation>
    </message>
    <message>
        <source>すべてのデータが初期化されます。よろしいですか？</source>
        <translation>All data will be reset. Continue?</translation>
    </message>
    <message>
        <source>%s へ上書きします</source>
        <translation>Overwriting %s</translation>
    </message>
    <message>
        <source>上書き保存しました</source>
        <translation>Saved</translation>
    </message>
    <message>
        <source>保存しました</source>
        <translation>Saved</translation>
    </message>
    <message>
        <source>新規作成.kyl</source>
        <translation>Untitled.kyl</translation>
    </message>
    <message>
        <source>有効トラックがありません</source>
        <translation>No track is in use</translation>
    </message>
    <message>
        <source>Waveファイルを作成中です</source>
        <translation>Creating the WAV file</translation>
    </message>
    <message>
        <source>サウンドデバイスがないため再生できません（Waveファイルの作成はできます）</source>
        <translation>Cannot play without a sound device (WAV files can still be created)</translation>
    </message>
    <message>
        <source>無音のため音量を揃えられません</source>
        <translation>Cannot normalize silence</translation>
    </message>
    <message>
        <source>音量を揃えました</source>
        <translation>Volume normalized</translation>
    </message>
    <message>
        <source>%s はsfxrの音として読めません</source>
        <translation>%s cannot be read as an sfxr sound</translation>
    </message>
    <message>
        <source>Kyrelで表せない設定を除きました: %s</source>
        <translation>Left out settings Kyrel cannot express: %s</translation>
    </message>
    <message>
        <source>sfxrの音 (*.sfxj *.json)|*.sfxj;*.json|All Files (*.*)|*.*||</source>
        <translation>sfxr sounds (*.sfxj *.json)|*.sfxj;*.json|All Files (*.*)|*.*||</translation>
    </message>
    <message>
        <source>Waveファイルを作成しました</source>
        <translation>WAV file created</translation>
    </message>
    <message>
        <source>再生中は終了できません</source>
        <translation>Cannot quit while playing</translation>
    </message>
    <message>
        <source>Waveファイル (*.wav)|*.wav|All Files (*.*)|*.*||</source>
        <translation>WAV files (*.wav)|*.wav|All Files (*.*)|*.*||</translation>
    </message>
    <message>
        <source>%s に書き込めません</source>
        <translation>Cannot write %s</translation>
    </message>
    <message>
        <source>%s が範囲外です</source>
        <translation>%s is out of range</translation>
    </message>
    <message>
        <source>再生時間（ミリ秒）</source>
        <translation>Duration (milliseconds)</translation>
    </message>
    <message>
        <source>量子化ビット数</source>
        <translation>Bits per sample</translation>
    </message>
    <message>
        <source>サンプリング周波数</source>
        <translation>Sampling rate</translation>
    </message>
    <message>
        <source>チャンネル（ﾓﾉﾗﾙ/ｽﾃﾚｵ）</source>
        <translation>Channels (mono/stereo)</translation>
    </message>
    <message>
        <source>元に戻すは出来ません</source>
        <translation>Nothing to undo</translation>
    </message>
    <message>
        <source>やり直しは出来ません</source>
        <translation>Nothing to redo</translation>
    </message>
    <message>
        <source>整数を入力してください。</source>
        <translation>Please enter a whole number.</translation>
    </message>
    <message>
        <source>%1 から %2 までの整数を入力してください。</source>
        <translation>Please enter a whole number from %1 to %2.</translation>
    </message>
    <message>
        <source>警告</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>値が上限または加減を越えました。正しい波形が作成できません。それでも波形を作成しますか？</source>
        <translation>Values went past the upper or lower limit. The waveform cannot be made correctly. Make the waveform anyway?</translation>
    </message>
    <message>
        <source>数値を入力してください</source>
        <translation>Please enter a number</translation>
    </message>
    <message>
        <source>シードは 0 から 4294967295 までの整数です</source>
        <translation>The seed is a whole number from 0 to 4294967295</translation>
    </message>
    <message>
        <source> ピーク </source>
        <translation>, peak </translation>
    </message>
    <message>
        <source>無音</source>
        <translation>silent</translation>
    </message>
    <message>
        <source>（振り切れ </source>
        <translation> (clipped </translation>
    </message>
    <message>
        <source> サンプル）</source>
        <translation> samples)</translation>
    </message>
</context>
<context>
    <name>kyrel::CurveScale</name>
    <message>
        <source>上端 %1、目盛り %2 / %3 / %4</source>
        <translation>top %1, marks %2 / %3 / %4</translation>
    </message>
    <message>
        <source>周波数 Hz（モード%1）：</source>
        <translation>Frequency Hz (mode %1): </translation>
    </message>
    <message>
        <source>音量 %：</source>
        <translation>Volume %: </translation>
    </message>
    <message>
        <source>定位：上端 %1、中央 %2、下端 %3</source>
        <translation>Pan: top %1, middle %2, bottom %3</translation>
    </message>
    <message>
        <source>波形（一周期）：上端 -100%、中央 0、下端 +100%</source>
        <translation>Waveform (one cycle): top -100%, middle 0, bottom +100%</translation>
    </message>
    <message>
        <source> 点</source>
        <translation> points</translation>
    </message>
    <message>
        <source> ms&#x3000;</source>
        <translation> ms  </translation>
    </message>
    <message>
        <source>点 %1&#x3000;</source>
        <translation>point %1  </translation>
    </message>
    <message>
        <source>（カーソル %1）</source>
        <translation> (cursor %1)</translation>
    </message>
</context>
<context>
    <name>kyrel::HelpWindow</name>
    <message>
        <source>Kyrelのヘルプ</source>
        <translation>Kyrel Help</translation>
    </message>
    <message>
        <source>qrc:/kyrel/help/kyrel-help.html</source>
        <translation>qrc:/kyrel/help/kyrel-help-en.html</translation>
    </message>
</context>
<context>
    <name>kyrel::PresetMenu</name>
    <message>
        <source>コイン(&amp;C)</source>
        <translation>&amp;Coin</translation>
    </message>
    <message>
        <source>レーザー(&amp;L)</source>
        <translation>&amp;Laser</translation>
    </message>
    <message>
        <source>爆発(&amp;E)</source>
        <translation>&amp;Explosion</translation>
    </message>
    <message>
        <source>パワーアップ(&amp;P)</source>
        <translation>&amp;Power-up</translation>
    </message>
    <message>
        <source>ヒット(&amp;H)</source>
        <translation>&amp;Hit</translation>
    </message>
    <message>
        <source>ジャンプ(&amp;J)</source>
        <translation>&amp;Jump</translation>
    </message>
    <message>
        <source>ブリップ(&amp;B)</source>
        <translation>&amp;Blip</translation>
    </message>
    <message>
        <source>ランダム(&amp;R)</source>
        <translation>&amp;Random</translation>
    </message>
    <message>
        <source>プリセット(&amp;P)</source>
        <translation>&amp;Preset</translation>
    </message>
    <message>
        <source>この種類の効果音を新しく作ります（元に戻せます）</source>
        <translation>Makes a new sound effect of this kind (can be undone)</translation>
    </message>
    <message>
        <source>変異(&amp;M)</source>
        <translation>&amp;Mutate</translation>
    </message>
    <message>
        <source>今の効果音を少しだけ変えます（元に戻せます）</source>
        <translation>Changes the current sound effect a little (can be undone)</translation>
    </message>
</context>
</TS>
