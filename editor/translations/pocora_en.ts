<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ja">
<context>
    <name>pocora::FindBar</name>
    <message>
        <source>大文字と小文字を区別</source>
        <translation>Match case</translation>
    </message>
    <message>
        <source>単語単位</source>
        <translation>Whole word</translation>
    </message>
    <message>
        <source>置換</source>
        <translation>Replace</translation>
    </message>
    <message>
        <source>すべて置換</source>
        <translation>Replace all</translation>
    </message>
    <message>
        <source>置換後の文字列</source>
        <translation>Replace with</translation>
    </message>
    <message>
        <source>行へ移動</source>
        <translation>Go to line</translation>
    </message>
    <message>
        <source>検索</source>
        <translation>Find</translation>
    </message>
</context>
<context>
    <name>pocora::PocoraWindow</name>
    <message>
        <source>ポコラエジタ</source>
        <translation>Pocora Editor</translation>
    </message>
    <message>
        <source>表示(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>無題</source>
        <translation>Untitled</translation>
    </message>
    <message>
        <source>注意</source>
        <translation>Caution</translation>
    </message>
    <message>
        <source>文書が変更されています。保存しますか？</source>
        <translation>The document has changed. Save it?</translation>
    </message>
    <message>
        <source>ファイル(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>新規作成(&amp;N)</source>
        <translation>&amp;New</translation>
    </message>
    <message>
        <source>開く(&amp;O)</source>
        <translation>&amp;Open</translation>
    </message>
    <message>
        <source>上書き保存(&amp;S)</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>名前を付けて保存(&amp;A)</source>
        <translation>Save &amp;As</translation>
    </message>
    <message>
        <source>コンパイル(&amp;C)</source>
        <translation>&amp;Compile</translation>
    </message>
    <message>
        <source>保存して実行(&amp;P)</source>
        <translation>Save and &amp;Play</translation>
    </message>
    <message>
        <source>最近使ったファイル(&amp;R)</source>
        <translation>&amp;Recent Files</translation>
    </message>
    <message>
        <source>タブを閉じる(&amp;W)</source>
        <translation>Close Tab</translation>
    </message>
    <message>
        <source>終了(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>編集(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>元に戻す(&amp;U)</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>やり直し(&amp;R)</source>
        <translation>&amp;Redo</translation>
    </message>
    <message>
        <source>切り取り(&amp;T)</source>
        <translation>Cu&amp;t</translation>
    </message>
    <message>
        <source>コピー(&amp;C)</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>貼り付け(&amp;P)</source>
        <translation>&amp;Paste</translation>
    </message>
    <message>
        <source>すべて選択(&amp;A)</source>
        <translation>Select &amp;All</translation>
    </message>
    <message>
        <source>検索(&amp;F)</source>
        <translation>&amp;Find</translation>
    </message>
    <message>
        <source>置換(&amp;H)</source>
        <translation>Replace</translation>
    </message>
    <message>
        <source>行へ移動(&amp;G)</source>
        <translation>&amp;Go to Line</translation>
    </message>
    <message>
        <source>エラー %1 件、警告 %2 件</source>
        <translation>%1 errors, %2 warnings</translation>
    </message>
    <message>
        <source>文字コード(&amp;E)</source>
        <translation>E&amp;ncoding</translation>
    </message>
    <message>
        <source>UTF-8 BOM 付き(&amp;B)</source>
        <translation>UTF-8 with &amp;BOM</translation>
    </message>
    <message>
        <source>%1 / %2 バイト</source>
        <translation>%1 / %2 bytes</translation>
    </message>
    <message>
        <source>を Shift-JIS にできないため、コンパイルできません。</source>
        <translation>cannot be converted to Shift-JIS, so the text cannot be compiled.</translation>
    </message>
    <message>
        <source>は Shift-JIS で保存できません。</source>
        <translation>cannot be saved in Shift-JIS.</translation>
    </message>
    <message>
        <source>%1行 %2列の文字「%3」(U+%4) %5</source>
        <translation>The character &quot;%3&quot; (U+%4) at line %1, column %2 %5</translation>
    </message>
    <message>
        <source>ファイルオープン！</source>
        <translation>Open File</translation>
    </message>
    <message>
        <source>ファイルサイズが大きすぎます</source>
        <translation>The file is too big</translation>
    </message>
    <message>
        <source>Shift-JIS のテキストとして読めない</source>
        <translation>A byte cannot be read as Shift-JIS text</translation>
    </message>
    <message>
        <source>Shift-JIS と UTF-8 のどちらとしても読めない</source>
        <translation>A byte can be read neither as Shift-JIS nor as UTF-8</translation>
    </message>
    <message>
        <source>バイトがあります（%1 バイト目）。

%2</source>
        <translation> (byte %1).

%2</translation>
    </message>
    <message>
        <source>ファイルを読み込めません。

%1</source>
        <translation>The file cannot be read.

%1</translation>
    </message>
    <message>
        <source>名前を付けて保存する！</source>
        <translation>Save As</translation>
    </message>
    <message>
        <source>%1 にコンパイルしました</source>
        <translation>Compiled into %1</translation>
    </message>
    <message>
        <source>ja</source>
        <comment>the language of the compiler&apos;s messages</comment>
        <translation>en</translation>
    </message>
    <message>
        <source>フォルダ</source>
        <translation>Folder</translation>
    </message>
    <message>
        <source>%1 はゲームの ev フォルダにありません。</source>
        <translation>%1 is not in a game&apos;s ev folder.</translation>
    </message>
    <message>
        <source>kit-game を起動できませんでした。</source>
        <translation>kit-game could not be started.</translation>
    </message>
    <message>
        <source>&#x3000;%1</source>
        <translation>  %1</translation>
    </message>
    <message>
        <source>ラベル</source>
        <translation>Labels</translation>
    </message>
    <message>
        <source>ラベルの定義へ移動(&amp;D)</source>
        <translation>Go to Label &amp;Definition</translation>
    </message>
    <message>
        <source>ラベルの定義へ移動できるのは .script ファイルだけです</source>
        <translation>Only .script files have label definitions to go to</translation>
    </message>
    <message>
        <source>カーソルの位置にラベル名がありません</source>
        <translation>There is no label name at the cursor</translation>
    </message>
    <message>
        <source>ラベル %1 は定義されていません</source>
        <translation>Label %1 is not defined</translation>
    </message>
    <message>
        <source>ラベル %1 はこの行より前に定義されていません</source>
        <translation>Label %1 is not defined above this line</translation>
    </message>
    <message>
        <source>ラベル %1 はこの行より後に定義されていません</source>
        <translation>Label %1 is not defined below this line</translation>
    </message>
</context>
</TS>
