<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>tessel::DoorDialog</name>
    <message>
        <source>Door of mark %1</source>
        <translation>目印 %1 の扉</translation>
    </message>
    <message>
        <source>Remove door</source>
        <translation>扉を外す</translation>
    </message>
    <message>
        <source>To map:</source>
        <translation>行き先のマップ:</translation>
    </message>
    <message>
        <source>Arrival (click the cell):</source>
        <translation>到着位置（マスをクリック）:</translation>
    </message>
    <message>
        <source>Facing:</source>
        <translation>向き:</translation>
    </message>
    <message>
        <source>Fade (steps a frame, 0 cuts):</source>
        <translation>フェード（1フレームの段階、0 で切り替え）:</translation>
    </message>
    <message>
        <source>column %1, row %2</source>
        <translation>列 %1、行 %2</translation>
    </message>
    <message>
        <source>no cell chosen</source>
        <translation>マスが選ばれていません</translation>
    </message>
    <message>
        <source>down</source>
        <translation>下</translation>
    </message>
    <message>
        <source>left</source>
        <translation>左</translation>
    </message>
    <message>
        <source>up</source>
        <translation>上</translation>
    </message>
    <message>
        <source>right</source>
        <translation>右</translation>
    </message>
</context>
<context>
    <name>tessel::EditCommands</name>
    <message>
        <source>Toggle blocking of tile %1</source>
        <translation>タイル %1 の通行止めの切り替え</translation>
    </message>
</context>
<context>
    <name>tessel::EditorModel</name>
    <message>
        <source>Paste</source>
        <translation>貼り付け</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>削除</translation>
    </message>
    <message>
        <source>Remove door</source>
        <translation>扉を外す</translation>
    </message>
    <message>
        <source>Door</source>
        <translation>扉</translation>
    </message>
</context>
<context>
    <name>tessel::MapCanvas</name>
    <message>
        <source>Fill</source>
        <translation>塗りつぶし</translation>
    </message>
    <message>
        <source>Rectangle</source>
        <translation>四角形</translation>
    </message>
    <message>
        <source>Erase</source>
        <translation>消去</translation>
    </message>
    <message>
        <source>Pencil</source>
        <translation>ペン</translation>
    </message>
    <message>
        <source>Move</source>
        <translation>移動</translation>
    </message>
</context>
<context>
    <name>tessel::MapSettingsDialog</name>
    <message>
        <source>New map</source>
        <translation>新しいマップ</translation>
    </message>
    <message>
        <source>Map settings</source>
        <translation>マップの設定</translation>
    </message>
    <message>
        <source>&amp;Width (tiles)</source>
        <translation>幅（タイル）(&amp;W)</translation>
    </message>
    <message>
        <source>&amp;Height (tiles)</source>
        <translation>高さ（タイル）(&amp;H)</translation>
    </message>
    <message>
        <source>Keep the map at</source>
        <translation>マップを寄せる位置</translation>
    </message>
    <message>
        <source>&amp;Tile set</source>
        <translation>タイルセット(&amp;T)</translation>
    </message>
</context>
<context>
    <name>tessel::TesselDialogs</name>
    <message>
        <source>Maps (*.qd *.QD);;All files (*)</source>
        <translation>マップ (*.qd *.QD);;すべてのファイル (*)</translation>
    </message>
    <message>
        <source>Maps (*.qd *.QD *.map);;All files (*)</source>
        <translation>マップ (*.qd *.QD *.map);;すべてのファイル (*)</translation>
    </message>
    <message>
        <source>Save the changes to %1?</source>
        <translation>%1 の変更を保存しますか？</translation>
    </message>
    <message>
        <source>Open map</source>
        <translation>マップを開く</translation>
    </message>
    <message>
        <source>Save map as</source>
        <translation>マップに名前をつけて保存</translation>
    </message>
    <message>
        <source>Open game directory</source>
        <translation>ゲームのフォルダーを開く</translation>
    </message>
</context>
<context>
    <name>tessel::TesselWindow</name>
    <message>
        <source>Marks and doors</source>
        <translation>目印と扉</translation>
    </message>
    <message>
        <source>World</source>
        <translation>ワールド</translation>
    </message>
    <message>
        <source>%1: door to %2, column %3, row %4</source>
        <translation>%1: %2 への扉、列 %3、行 %4</translation>
    </message>
    <message>
        <source>%1: PLC%2</source>
        <translation>%1: PLC%2</translation>
    </message>
    <message>
        <source>%1: no door and no PLC%2 in ev/START</source>
        <translation>%1: 扉がなく、ev/START に PLC%2 もありません</translation>
    </message>
    <message>
        <source>Select a marked cell, or choose a mark on the marks layer, to give it a door.</source>
        <translation>扉をつけるには、目印のあるマスを選ぶか、目印レイヤーで目印を置いてください。</translation>
    </message>
    <message>
        <source>%1 is not a directory.</source>
        <translation>%1 はフォルダーではありません。</translation>
    </message>
    <message>
        <source>the new map</source>
        <translation>新しいマップ</translation>
    </message>
    <message>
        <source>The map was not saved: %1</source>
        <translation>マップを保存できませんでした: %1</translation>
    </message>
    <message>
        <source>The game could not be started (%1).</source>
        <translation>ゲームを起動できませんでした（%1）。</translation>
    </message>
    <message>
        <source>Map settings</source>
        <translation>マップの設定</translation>
    </message>
    <message>
        <source>untitled</source>
        <translation>無題</translation>
    </message>
    <message>
        <source>Ground</source>
        <translation>地面</translation>
    </message>
    <message>
        <source>Upper</source>
        <translation>上層</translation>
    </message>
    <message>
        <source>Marks</source>
        <translation>目印</translation>
    </message>
    <message>
        <source>Overlay</source>
        <translation>重ね</translation>
    </message>
    <message>
        <source>Pencil</source>
        <translation>ペン</translation>
    </message>
    <message>
        <source>Rectangle</source>
        <translation>四角形</translation>
    </message>
    <message>
        <source>Fill</source>
        <translation>塗りつぶし</translation>
    </message>
    <message>
        <source>Eyedropper</source>
        <translation>スポイト</translation>
    </message>
    <message>
        <source>Eraser</source>
        <translation>消しゴム</translation>
    </message>
    <message>
        <source>Select</source>
        <translation>選択</translation>
    </message>
    <message>
        <source>Tools</source>
        <translation>ツール</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>ファイル(&amp;F)</translation>
    </message>
    <message>
        <source>Open &amp;game directory...</source>
        <translation>ゲームのフォルダーを開く(&amp;G)...</translation>
    </message>
    <message>
        <source>Ctrl+Shift+O</source>
        <translation>Ctrl+Shift+O</translation>
    </message>
    <message>
        <source>&amp;Open map...</source>
        <translation>マップを開く(&amp;O)...</translation>
    </message>
    <message>
        <source>&amp;New map...</source>
        <translation>新しいマップ(&amp;N)...</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>上書き保存(&amp;S)</translation>
    </message>
    <message>
        <source>Save &amp;as...</source>
        <translation>名前をつけて保存(&amp;A)...</translation>
    </message>
    <message>
        <source>&amp;Recent files</source>
        <translation>最近使ったファイル(&amp;R)</translation>
    </message>
    <message>
        <source>Save and &amp;play</source>
        <translation>保存して遊ぶ(&amp;P)</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>終了(&amp;Q)</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>編集(&amp;E)</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>元に戻す(&amp;U)</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>やり直す(&amp;R)</translation>
    </message>
    <message>
        <source>Ctrl+Y</source>
        <translation>Ctrl+Y</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>切り取り(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>コピー(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>貼り付け(&amp;P)</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>削除(&amp;D)</translation>
    </message>
    <message>
        <source>Select &amp;all</source>
        <translation>すべて選択(&amp;A)</translation>
    </message>
    <message>
        <source>Select &amp;none</source>
        <translation>選択の解除(&amp;N)</translation>
    </message>
    <message>
        <source>Selection takes all &amp;layers</source>
        <translation>選択はすべてのレイヤーから(&amp;L)</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>表示(&amp;V)</translation>
    </message>
    <message>
        <source>Zoom &amp;in</source>
        <translation>拡大(&amp;I)</translation>
    </message>
    <message>
        <source>Ctrl+=</source>
        <translation>Ctrl+=</translation>
    </message>
    <message>
        <source>Zoom &amp;out</source>
        <translation>縮小(&amp;O)</translation>
    </message>
    <message>
        <source>&amp;Grid</source>
        <translation>グリッド(&amp;G)</translation>
    </message>
    <message>
        <source>Ctrl+G</source>
        <translation>Ctrl+G</translation>
    </message>
    <message>
        <source>&amp;Blocking tiles</source>
        <translation>通行止めのタイル(&amp;B)</translation>
    </message>
    <message>
        <source>Ctrl+B</source>
        <translation>Ctrl+B</translation>
    </message>
    <message>
        <source>&amp;Screen frame</source>
        <translation>画面の枠(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Layer</source>
        <translation>レイヤー(&amp;L)</translation>
    </message>
    <message>
        <source>&amp;Map</source>
        <translation>マップ(&amp;M)</translation>
    </message>
    <message>
        <source>Map &amp;settings...</source>
        <translation>マップの設定(&amp;S)...</translation>
    </message>
    <message>
        <source>Ctrl+M</source>
        <translation>Ctrl+M</translation>
    </message>
    <message>
        <source>&amp;Door to...</source>
        <translation>扉の行き先(&amp;D)...</translation>
    </message>
    <message>
        <source>Ctrl+D</source>
        <translation>Ctrl+D</translation>
    </message>
    <message>
        <source>Click switches &quot;blocks&quot;</source>
        <translation>クリックで「通行止め」を切り替え</translation>
    </message>
    <message>
        <source>Palette</source>
        <translation>パレット</translation>
    </message>
    <message>
        <source>Layers</source>
        <translation>レイヤー</translation>
    </message>
    <message>
        <source>Maps</source>
        <translation>マップ</translation>
    </message>
    <message>
        <source> (PLC%1)</source>
        <translation>（PLC%1）</translation>
    </message>
    <message>
        <source>column %1, row %2 | ground %3, upper %4, marks %5%6, overlay %7</source>
        <translation>列 %1、行 %2 | 地面 %3、上層 %4、目印 %5%6、重ね %7</translation>
    </message>
    <message>
        <source>, blocks</source>
        <translation>、通行止め</translation>
    </message>
    <message>
        <source> | f 5: P0 = %1, P1 = %2 | x %3, y %4</source>
        <translation> | f 5: P0 = %1、P1 = %2 | x %3、y %4</translation>
    </message>
    <message>
        <source>%1[*] - Tessel</source>
        <translation>%1[*] - Tessel</translation>
    </message>
</context>
<context>
    <name>tessel::TilePalette</name>
    <message>
        <source>none</source>
        <translation>なし</translation>
    </message>
</context>
</TS>
