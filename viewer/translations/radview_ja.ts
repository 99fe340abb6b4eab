<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>CAboutDlg</name>
    <message>
        <location filename="../AboutDlg.cpp" line="18"/>
        <source>About Radview</source>
        <translation>Radviewのﾊﾞｰｼﾞｮﾝ情報</translation>
    </message>
    <message>
        <location filename="../AboutDlg.cpp" line="24"/>
        <source>Radview Version 5.0</source>
        <translation>Radview Version 5.0</translation>
    </message>
    <message>
        <location filename="../AboutDlg.cpp" line="27"/>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>CChildFrame</name>
    <message>
        <location filename="../ChildFrame.cpp" line="83"/>
        <source>Save As</source>
        <translation>名前を付けて保存</translation>
    </message>
    <message>
        <location filename="../ChildFrame.cpp" line="90"/>
        <location filename="../ChildFrame.cpp" line="113"/>
        <location filename="../ChildFrame.cpp" line="120"/>
        <source>Radview</source>
        <translation>Radview</translation>
    </message>
    <message>
        <location filename="../ChildFrame.cpp" line="91"/>
        <source>The file %1 has been changed by another program since it was opened.
Reload it and lose your changes, or overwrite it?</source>
        <translation>ファイル %1 は開いた後に他のプログラムによって変更されています。
再読み込みして変更を破棄しますか、それとも上書きしますか?</translation>
    </message>
    <message>
        <location filename="../ChildFrame.cpp" line="95"/>
        <source>&amp;Reload</source>
        <translation>再読み込み(&amp;R)</translation>
    </message>
    <message>
        <location filename="../ChildFrame.cpp" line="96"/>
        <source>&amp;Overwrite</source>
        <translation>上書き(&amp;O)</translation>
    </message>
    <message>
        <location filename="../ChildFrame.cpp" line="113"/>
        <source>The file %1 could not be written.</source>
        <translation>ファイル %1 に書き込めませんでした。</translation>
    </message>
    <message>
        <location filename="../ChildFrame.cpp" line="120"/>
        <source>Save changes to %1?</source>
        <translation>%1 への変更を保存しますか?</translation>
    </message>
</context>
<context>
    <name>CConfDlg</name>
    <message>
        <location filename="../ConfDlg.cpp" line="35"/>
        <source>From</source>
        <translation>最小値</translation>
    </message>
    <message>
        <location filename="../ConfDlg.cpp" line="36"/>
        <source>To</source>
        <translation>最大値</translation>
    </message>
    <message>
        <location filename="../ConfDlg.cpp" line="43"/>
        <source>CSV Settings</source>
        <translation>データ設定</translation>
    </message>
    <message>
        <location filename="../ConfDlg.cpp" line="55"/>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <location filename="../ConfDlg.cpp" line="56"/>
        <source>Cancel</source>
        <translation>ｷｬﾝｾﾙ</translation>
    </message>
    <message>
        <location filename="../ConfDlg.cpp" line="67"/>
        <source>Wavelength Interval</source>
        <translation>CSVデータ波形</translation>
    </message>
    <message>
        <location filename="../ConfDlg.cpp" line="68"/>
        <source>Raw</source>
        <translation>オリジナル</translation>
    </message>
    <message>
        <location filename="../ConfDlg.cpp" line="69"/>
        <source>1nm</source>
        <translation>1nm</translation>
    </message>
    <message>
        <location filename="../ConfDlg.cpp" line="81"/>
        <source>Wavelength Range(nm)</source>
        <translation>CSV波長範囲(nm)</translation>
    </message>
    <message>
        <location filename="../ConfDlg.cpp" line="85"/>
        <source>Data Selection</source>
        <translation>データ選択</translation>
    </message>
    <message>
        <location filename="../ConfDlg.cpp" line="94"/>
        <source>Merge</source>
        <translation>マージ</translation>
    </message>
    <message>
        <location filename="../ConfDlg.cpp" line="102"/>
        <source>Integration Range(nm)</source>
        <translation>積分区間(nm)</translation>
    </message>
</context>
<context>
    <name>CDayView</name>
    <message>
        <location filename="../DayView.cpp" line="72"/>
        <source>Colour Map</source>
        <translation>カラーマップ</translation>
    </message>
    <message>
        <source>Save Picture...</source>
        <translation>画像の保存...</translation>
    </message>
    <message>
        <source>The light quantity drawn over the time of day</source>
        <translation>時刻に沿って描く光の量</translation>
    </message>
    <message>
        <source>Show the spectra of the records as a colour map instead of the curve</source>
        <translation>曲線の代わりに各データのスペクトルをカラーマップで表示します</translation>
    </message>
    <message>
        <source>The day shown (Page Up, Page Down), or all days together (Home)</source>
        <translation>表示する日 (Page Up、Page Down)、または全日 (Home)</translation>
    </message>
    <message>
        <source>Save the day page as a PNG, SVG or PDF picture of a chosen size</source>
        <translation>日ページを指定したサイズの PNG、SVG、PDF 画像として保存します</translation>
    </message>
    <message>
        <source>Hold the left button to read values; wheel or Shift+drag to zoom the time; double-click a point to open its record, elsewhere to show the whole day</source>
        <translation>左ボタンを押している間は値を表示、ホイールまたは Shift+ドラッグで時間軸を拡大、点をダブルクリックするとそのデータを開き、それ以外の場所では一日全体を表示します</translation>
    </message>
    <message>
        <source>All days</source>
        <translation>全日</translation>
    </message>
    <message>
        <source>Save Picture</source>
        <translation>画像の保存</translation>
    </message>
    <message>
        <source>PNG picture (*.png);;SVG picture (*.svg);;PDF document (*.pdf)</source>
        <translation>PNG 画像 (*.png);;SVG 画像 (*.svg);;PDF 文書 (*.pdf)</translation>
    </message>
    <message>
        <source>Picture Size</source>
        <translation>画像サイズ</translation>
    </message>
    <message>
        <source> px</source>
        <translation> px</translation>
    </message>
    <message>
        <source>Width of the picture (points for a PDF page)</source>
        <translation>画像の幅 (PDF ではポイント)</translation>
    </message>
    <message>
        <source>Height of the picture (points for a PDF page)</source>
        <translation>画像の高さ (PDF ではポイント)</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>幅</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>高さ</translation>
    </message>
    <message>
        <source>The picture %1 could not be written: %2.</source>
        <translation>画像 %1 に書き込めませんでした: %2。</translation>
    </message>
</context>
<context>
    <name>CMainFrame</name>
    <message>
        <source>No record is shown.</source>
        <translation>表示中のデータはありません。</translation>
    </message>
    <message>
        <source>Select records and choose Selected Data (or double-click a tile) to list their quantities here.</source>
        <translation>データを選択して「詳細表示」を選ぶ（または一覧のグラフをダブルクリックする）と、その光の量がここに表示されます。</translation>
    </message>
    <message>
        <source>Double-click a point of the day curve to list that record's quantities here.</source>
        <translation>日変化グラフの点をダブルクリックすると、そのデータの光の量がここに表示されます。</translation>
    </message>
    <message>
        <source>Open a file and show its records in detail to list their quantities here.</source>
        <translation>ファイルを開いてデータを詳細表示すると、光の量がここに表示されます。</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="8"/>
        <source>&amp;Open...	Ctrl+O</source>
        <translation>開く(&amp;O)...	Ctrl+O</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="9"/>
        <source>Open Data File</source>
        <translation>既存のﾌｧｲﾙを開く</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="9"/>
        <location filename="../MainCommands.cpp" line="48"/>
        <source>Open</source>
        <translation>開く</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="10"/>
        <source>&amp;Close</source>
        <translation>閉じる(&amp;C)</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="11"/>
        <source>Close Current Data</source>
        <translation>作業中のﾌｧｲﾙを閉じる</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="12"/>
        <source>&amp;Save	Ctrl+S</source>
        <translation>上書き保存(&amp;S)	Ctrl+S</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="13"/>
        <source>Save Current Data</source>
        <translation>作業中のﾌｧｲﾙを上書きして保存</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="13"/>
        <source>Save</source>
        <translation>上書き保存</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="14"/>
        <source>Save &amp;As...</source>
        <translation>名前を付けて保存(&amp;A)...</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="15"/>
        <source>Save Current Data with New Name</source>
        <translation>作業中のﾌｧｲﾙを新しい名前で保存</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="16"/>
        <source>Save as CSV(Spectral Data)</source>
        <translation>測定値CSV保存</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="17"/>
        <source>Save Data as CSV Format</source>
        <translation>測定値をＣＳＶ形式で保存する</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="18"/>
        <source>Save as CSV</source>
        <translation>CSV保存</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="19"/>
        <source>Save as CSV(Calculated Data)</source>
        <translation>計算値CSV保存</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="20"/>
        <source>Save Calcurated Data as CSV Format</source>
        <translation>計算値をＣＳＶ形式で保存する</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="21"/>
        <source>CSV Settings</source>
        <translation>データ設定</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="22"/>
        <source>Data settings for displaying data</source>
        <translation>データ設定</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="23"/>
        <source>Data Settings</source>
        <translation>データ設定</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="24"/>
        <source>Print Pre&amp;view</source>
        <translation>印刷ﾌﾟﾚﾋﾞｭｰ(&amp;V)</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="25"/>
        <source>Print Preview</source>
        <translation>印刷ｲﾒｰｼﾞを表示</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="26"/>
        <source>&amp;Print...	Ctrl+P</source>
        <translation>印刷(&amp;P)...	Ctrl+P</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="27"/>
        <source>Print Current Data</source>
        <translation>作業中のﾌｧｲﾙを印刷</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="28"/>
        <source>Print</source>
        <translation>印刷</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="29"/>
        <source>P&amp;rinter Settings...</source>
        <translation>ﾌﾟﾘﾝﾀの設定(&amp;R)...</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="30"/>
        <source>Change Printer Setup</source>
        <translation>ﾌﾟﾘﾝﾀ/印刷ｵﾌﾟｼｮﾝの変更</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="31"/>
        <source>E&amp;xit</source>
        <translation>アプリケーションの終了(&amp;X)</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="32"/>
        <source>Quit the application</source>
        <translation>ｱﾌﾟﾘｹｰｼｮﾝを終了し、ﾌｧｲﾙの保存を指示</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="33"/>
        <source>Se&amp;lect All</source>
        <translation>すべて選択(&amp;L)</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="34"/>
        <source>Select All Data</source>
        <translation>すべてを選択</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="35"/>
        <source>&amp;Copy	Ctrl+C</source>
        <translation>ｺﾋﾟｰ(&amp;C)	Ctrl+C</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="36"/>
        <source>Copy Selected Data to Clipboard</source>
        <translation>選択したﾃﾞｰﾀをｺﾋﾟｰしてｸﾘｯﾌﾟﾎﾞｰﾄﾞに保存</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="37"/>
        <source>Copy</source>
        <translation>ｺﾋﾟｰ</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="38"/>
        <source>&amp;Paste	Ctrl+V</source>
        <translation>貼り付け(&amp;P)	Ctrl+V</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="39"/>
        <source>Insert Clipboard contents</source>
        <translation>ｸﾘｯﾌﾟﾎﾞｰﾄﾞの内容を挿入</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="40"/>
        <source>Paste</source>
        <translation>貼り付け</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="41"/>
        <source>&amp;Delete</source>
        <translation>削除(&amp;D)</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="42"/>
        <source>Delete Selected Data</source>
        <translation>選択されたデータの削除</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="43"/>
        <source>&amp;Tool Bar</source>
        <translation>ﾂｰﾙ ﾊﾞｰ(&amp;T)</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="44"/>
        <source>Show or hide the toolbar</source>
        <translation>ﾂｰﾙ ﾊﾞｰの表示/非表示</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="45"/>
        <source>&amp;Status Bar</source>
        <translation>ｽﾃｰﾀｽ ﾊﾞｰ(&amp;S)</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="46"/>
        <source>Show or hide the status bar</source>
        <translation>ｽﾃｰﾀｽ ﾊﾞｰの表示/非表示</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="47"/>
        <source>Ti&amp;led Data</source>
        <translation>一覧表示(&amp;C)</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="48"/>
        <source>Back to tiled data view</source>
        <translation>一覧表示に戻す</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="49"/>
        <source>Tiled Data</source>
        <translation>一覧表示</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="50"/>
        <source>S&amp;elected Data</source>
        <translation>詳細表示(&amp;D)</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="51"/>
        <source>Show Selected Data</source>
        <translation>フォーカス図形を詳細表示する</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="52"/>
        <source>Selected Data</source>
        <translation>詳細表示</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="53"/>
        <source>&amp;Day View</source>
        <translation>日変化表示(&amp;D)</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="54"/>
        <source>Show every record over the time of day</source>
        <translation>全データを時刻に沿って表示</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="55"/>
        <source>Day View</source>
        <translation>日変化表示</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="56"/>
        <source>Save as CSV(Day Series)</source>
        <translation>CSV形式で保存(日変化)</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="57"/>
        <source>Save the light quantities of every record as CSV</source>
        <translation>全データの光量をCSV形式で保存</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="58"/>
        <source>&amp;Quantities</source>
        <translation>光量(&amp;Q)</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="59"/>
        <source>Show or hide the quantities of the shown records</source>
        <translation>表示中データの光量の表示/非表示</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="60"/>
        <source>&amp;Graph Settings</source>
        <translation>グラフ設定(&amp;G)</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="61"/>
        <source>Graph Setting</source>
        <translation>グラフの設定</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="61"/>
        <source>Graph</source>
        <translation>グラフ</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="62"/>
        <source>Tile Si&amp;ze</source>
        <translation>一覧表示サイズ(&amp;Z)</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="63"/>
        <source>Change Tiled Data Size</source>
        <translation>一覧表示サイズの設定</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="64"/>
        <source>&amp;Next Data</source>
        <translation>次のデータ(&amp;N)</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="65"/>
        <source>Go to Next Data</source>
        <translation>次のデータに移動する</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="66"/>
        <source>Next Data</source>
        <translation>次のデータ</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="67"/>
        <source>&amp;Previous Data</source>
        <translation>前のデータ(&amp;P)</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="68"/>
        <source>Go to Previous Data</source>
        <translation>手前のデータに移動する</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="69"/>
        <source>Previous Data</source>
        <translation>前のデータ</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="70"/>
        <source>&amp;Cascade</source>
        <translation>重ねて表示(&amp;C)</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="71"/>
        <source>Arrange Window as Cascade</source>
        <translation>ｳｨﾝﾄﾞｳを重ねて表示</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="72"/>
        <source>&amp;Tile</source>
        <translation>並べて表示(&amp;T)</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="73"/>
        <source>Arrange Windows as Tiled</source>
        <translation>ｳｨﾝﾄﾞｳを並べて表示</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="74"/>
        <source>&amp;About Radview...</source>
        <translation>Radview のﾊﾞｰｼﾞｮﾝ情報(&amp;A)...</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="75"/>
        <source>Display program information, version number and copyright</source>
        <translation>ﾌﾟﾛｸﾞﾗﾑの情報、ﾊﾞｰｼﾞｮﾝ、著作権を表示</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="76"/>
        <source>About</source>
        <translation>ﾊﾞｰｼﾞｮﾝ情報</translation>
    </message>
    <message>
        <location filename="../MainActions.cpp" line="100"/>
        <source>File(&amp;F)</source>
        <translation>ﾌｧｲﾙ(&amp;F)</translation>
    </message>
    <message>
        <location filename="../MainActions.cpp" line="113"/>
        <source>Recent Files</source>
        <translation>最近使ったﾌｧｲﾙ</translation>
    </message>
    <message>
        <location filename="../MainActions.cpp" line="119"/>
        <source>Edit(&amp;E)</source>
        <translation>編集(&amp;E)</translation>
    </message>
    <message>
        <location filename="../MainActions.cpp" line="122"/>
        <source>View(&amp;V)</source>
        <translation>表示(&amp;V)</translation>
    </message>
    <message>
        <location filename="../MainActions.cpp" line="132"/>
        <source>Window(&amp;W)</source>
        <translation>ｳｨﾝﾄﾞｳ(&amp;W)</translation>
    </message>
    <message>
        <location filename="../MainActions.cpp" line="135"/>
        <source>&amp;Help</source>
        <translation>ﾍﾙﾌﾟ(&amp;H)</translation>
    </message>
    <message>
        <location filename="../MainActions.cpp" line="160"/>
        <source>Standard</source>
        <translation>標準</translation>
    </message>
    <message>
        <location filename="../MainActions.cpp" line="210"/>
        <location filename="../MainActions.cpp" line="212"/>
        <source>Ready</source>
        <translation>ﾚﾃﾞｨ</translation>
    </message>
    <message>
        <location filename="../MainCommands.cpp" line="25"/>
        <source>Save with CSV Format</source>
        <translation>Save with CSV Format</translation>
    </message>
    <message>
        <location filename="../MainCommands.cpp" line="28"/>
        <source>CSV Files(*.csv)</source>
        <translation>CSV Files(*.csv)</translation>
    </message>
    <message>
        <location filename="../MainCommands.cpp" line="28"/>
        <source>All files(*.*)</source>
        <translation>All files(*.*)</translation>
    </message>
    <message>
        <location filename="../MainCommands.cpp" line="36"/>
        <source>RSD Files (*.rsd *.RSD)</source>
        <translation>RSD ﾌｧｲﾙ (*.rsd *.RSD)</translation>
    </message>
    <message>
        <location filename="../MainCommands.cpp" line="68"/>
        <location filename="../MainCommands.cpp" line="125"/>
        <location filename="../MainFrame.cpp" line="44"/>
        <location filename="../MainFrame.cpp" line="205"/>
        <source>Radview</source>
        <translation>Radview</translation>
    </message>
    <message>
        <source>The CSV file %1 could not be written: %2.</source>
        <translation>CSVファイル %1 に書き込めませんでした: %2。</translation>
    </message>
    <message>
        <source>the wavelength range is not an increasing range within 0..%1 nm</source>
        <translation>波長範囲が 0～%1 nm の中で最小値＜最大値になっていません</translation>
    </message>
    <message>
        <location filename="../MainCommands.cpp" line="174"/>
        <source>&amp;Copy</source>
        <comment>context menu</comment>
        <translation>コピー</translation>
    </message>
    <message>
        <location filename="../MainCommands.cpp" line="175"/>
        <source>&amp;Delete</source>
        <comment>context menu</comment>
        <translation>削除(&amp;D)</translation>
    </message>
    <message>
        <location filename="../MainCommands.cpp" line="176"/>
        <source>Tiled Data</source>
        <comment>context menu</comment>
        <translation>一覧表示</translation>
    </message>
    <message>
        <location filename="../MainCommands.cpp" line="177"/>
        <source>Selected Data</source>
        <comment>context menu</comment>
        <translation>詳細表示</translation>
    </message>
    <message>
        <location filename="../MainCommands.cpp" line="178"/>
        <source>Day View</source>
        <comment>context menu</comment>
        <translation>日変化表示</translation>
    </message>
    <message>
        <location filename="../MainCommands.cpp" line="179"/>
        <source>&amp;Graph Settings</source>
        <comment>context menu</comment>
        <translation>グラフ設定</translation>
    </message>
    <message>
        <location filename="../MainFrame.cpp" line="114"/>
        <source>Cannot open %1: %2</source>
        <translation>%1 を開けません: %2</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>%1 を書き込めません: %2</translation>
    </message>
    <message>
        <location filename="../MainFrame.cpp" line="78"/>
        <source>Opening files...</source>
        <translation>ファイルを開いています...</translation>
    </message>
    <message>
        <location filename="../MainFrame.cpp" line="137"/>
        <source>Cancel</source>
        <translation>ｷｬﾝｾﾙ</translation>
    </message>
    <message>
        <location filename="../MainFrame.cpp" line="207"/>
        <source>Radview - %1</source>
        <translation>Radview - %1</translation>
    </message>
    <message>
        <source>Save the light quantities of every record and the summary of every day as CSV</source>
        <translation>全データの光の量と各日の集計を CSV で保存します</translation>
    </message>
    <message>
        <source>Save Day View Picture...</source>
        <translation>日表示の画像を保存...</translation>
    </message>
    <message>
        <source>Save the day page as a PNG, SVG or PDF picture</source>
        <translation>日ページを PNG、SVG、PDF 画像として保存します</translation>
    </message>
    <message>
        <source>Ne&amp;xt Day	PgDown</source>
        <translation>次の日(&amp;X)	PgDown</translation>
    </message>
    <message>
        <source>Show the next day of the file</source>
        <translation>ファイルの次の日を表示します</translation>
    </message>
    <message>
        <source>Pre&amp;vious Day	PgUp</source>
        <translation>前の日(&amp;V)	PgUp</translation>
    </message>
    <message>
        <source>Show the previous day of the file</source>
        <translation>ファイルの前の日を表示します</translation>
    </message>
    <message>
        <source>&amp;All Days	Home</source>
        <translation>全日(&amp;A)	Home</translation>
    </message>
    <message>
        <source>Show every day of the file on a date and time axis</source>
        <translation>ファイルの全日を日時軸で表示します</translation>
    </message>
</context>
<context>
    <name>CQuantitiesPanel</name>
    <message>
        <source>Quantity</source>
        <translation>項目</translation>
    </message>
    <message>
        <source>Quality flags</source>
        <translation>品質フラグ</translation>
    </message>
    <message>
        <location filename="../QuantitiesPanel.cpp" line="11"/>
        <source>Quantities</source>
        <translation>光量</translation>
    </message>
</context>
<context>
    <name>DayGraph</name>
    <message>
        <location filename="../DayGraph.cpp" line="51"/>
        <source>Records: %1</source>
        <translation>データ数: %1</translation>
    </message>
    <message>
        <location filename="../DayGraph.cpp" line="52"/>
        <source>Max PPFD: %1 at %2</source>
        <translation>最大PPFD: %1 (%2)</translation>
    </message>
    <message>
        <location filename="../DayGraph.cpp" line="54"/>
        <source>Mean R:FR: %1</source>
        <translation>平均R:FR比: %1</translation>
    </message>
    <message>
        <location filename="../DayGraph.cpp" line="55"/>
        <source>Max UV index: %1</source>
        <translation>最大UVインデックス: %1</translation>
    </message>
    <message>
        <location filename="../DayGraph.cpp" line="107"/>
        <source>Irradiance(W/m2/um)</source>
        <translation>放射照度(W/m2/um)</translation>
    </message>
    <message>
        <location filename="../DayGraph.cpp" line="188"/>
        <source>DLI not available</source>
        <translation>DLI 算出不可</translation>
    </message>
    <message>
        <location filename="../DayGraph.cpp" line="214"/>
        <source>Wavelength (nm)</source>
        <translation>波長 (nm)</translation>
    </message>
    <message>
        <location filename="../DayGraph.cpp" line="271"/>
        <source>Time = %1 %2 = %3</source>
        <translation>時刻 = %1 %2 = %3</translation>
    </message>
    <message>
        <source>Photoperiod: %1 h</source>
        <translation>日長: %1 h</translation>
    </message>
    <message>
        <source>Clear-sky DLI: %1 mol/m2/d</source>
        <translation>晴天 DLI: %1 mol/m2/d</translation>
    </message>
    <message>
        <source>DLI / clear sky: %1</source>
        <translation>DLI / 晴天: %1</translation>
    </message>
    <message>
        <source>Days: %1</source>
        <translation>日数: %1</translation>
    </message>
    <message>
        <source>Date and time</source>
        <translation>日時</translation>
    </message>
    <message>
        <source>Time of day</source>
        <translation>時刻</translation>
    </message>
    <message>
        <source>coverage of the shown time %1 %</source>
        <translation>表示範囲のカバー率 %1 %</translation>
    </message>
    <message>
        <source>DLI %1 mol/m2/d</source>
        <translation>DLI %1 mol/m2/d</translation>
    </message>
    <message>
        <source>Mean DLI %1 mol/m2/d over %2 days</source>
        <translation>平均 DLI %1 mol/m2/d (%2 日間)</translation>
    </message>
    <message>
        <source>Time = %1 WL = %2 nm Irr = %3 W/m2/um</source>
        <translation>時刻 = %1 波長 = %2 nm 放射照度 = %3 W/m2/um</translation>
    </message>
</context>
<context>
    <name>FileError</name>
    <message>
        <source>no such file or directory</source>
        <translation>ファイルまたはフォルダがありません</translation>
    </message>
    <message>
        <source>a part of the path is not a directory</source>
        <translation>パスの一部がフォルダではありません</translation>
    </message>
    <message>
        <source>is a directory</source>
        <translation>フォルダです</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>通常のファイルではありません</translation>
    </message>
    <message>
        <source>file name too long</source>
        <translation>ファイル名が長すぎます</translation>
    </message>
    <message>
        <source>permission denied</source>
        <translation>アクセスが拒否されました</translation>
    </message>
    <message>
        <source>operation not permitted</source>
        <translation>操作が許可されていません</translation>
    </message>
    <message>
        <source>read-only file system</source>
        <translation>読み取り専用のファイルシステムです</translation>
    </message>
    <message>
        <source>no space left on device</source>
        <translation>ディスクの空き容量がありません</translation>
    </message>
    <message>
        <source>disk quota exceeded</source>
        <translation>ディスク容量の制限を超えました</translation>
    </message>
    <message>
        <source>file too large</source>
        <translation>ファイルが大きすぎます</translation>
    </message>
    <message>
        <source>input/output error</source>
        <translation>入出力エラー</translation>
    </message>
    <message>
        <source>not enough memory</source>
        <translation>メモリが足りません</translation>
    </message>
    <message>
        <source>too many open files</source>
        <translation>開いているファイルが多すぎます</translation>
    </message>
</context>
<context>
    <name>QuantityName</name>
    <message>
        <location filename="../QuantityNames.cpp" line="11"/>
        <source>UV-B photons(umol/m2/s)</source>
        <translation>UV-B光量子(umol/m2/s)</translation>
    </message>
    <message>
        <location filename="../QuantityNames.cpp" line="12"/>
        <source>UV-A photons(umol/m2/s)</source>
        <translation>UV-A光量子(umol/m2/s)</translation>
    </message>
    <message>
        <location filename="../QuantityNames.cpp" line="13"/>
        <source>Blue photons(umol/m2/s)</source>
        <translation>青色光量子(umol/m2/s)</translation>
    </message>
    <message>
        <location filename="../QuantityNames.cpp" line="14"/>
        <source>Green photons(umol/m2/s)</source>
        <translation>緑色光量子(umol/m2/s)</translation>
    </message>
    <message>
        <location filename="../QuantityNames.cpp" line="15"/>
        <source>Red photons(umol/m2/s)</source>
        <translation>赤色光量子(umol/m2/s)</translation>
    </message>
    <message>
        <location filename="../QuantityNames.cpp" line="16"/>
        <source>Far-red photons(umol/m2/s)</source>
        <translation>遠赤色光量子(umol/m2/s)</translation>
    </message>
    <message>
        <location filename="../QuantityNames.cpp" line="17"/>
        <source>ePAR(umol/m2/s)</source>
        <translation>ePAR(umol/m2/s)</translation>
    </message>
    <message>
        <location filename="../QuantityNames.cpp" line="18"/>
        <source>UV-B(W/m2)</source>
        <translation>UV-B(W/m2)</translation>
    </message>
    <message>
        <location filename="../QuantityNames.cpp" line="19"/>
        <source>UV-A(W/m2)</source>
        <translation>UV-A(W/m2)</translation>
    </message>
    <message>
        <location filename="../QuantityNames.cpp" line="20"/>
        <source>Blue(W/m2)</source>
        <translation>青色(W/m2)</translation>
    </message>
    <message>
        <location filename="../QuantityNames.cpp" line="21"/>
        <source>Green(W/m2)</source>
        <translation>緑色(W/m2)</translation>
    </message>
    <message>
        <location filename="../QuantityNames.cpp" line="22"/>
        <source>Red(W/m2)</source>
        <translation>赤色(W/m2)</translation>
    </message>
    <message>
        <location filename="../QuantityNames.cpp" line="23"/>
        <source>Far-red(W/m2)</source>
        <translation>遠赤色(W/m2)</translation>
    </message>
    <message>
        <location filename="../QuantityNames.cpp" line="24"/>
        <source>ePAR band(W/m2)</source>
        <translation>ePAR帯域(W/m2)</translation>
    </message>
    <message>
        <location filename="../QuantityNames.cpp" line="25"/>
        <source>PAR(W/m2)</source>
        <translation>PAR(W/m2)</translation>
    </message>
    <message>
        <location filename="../QuantityNames.cpp" line="26"/>
        <source>PPFD(umol/m2/s)</source>
        <translation>光量子束密度PPFD(umol/m2/s)</translation>
    </message>
    <message>
        <location filename="../QuantityNames.cpp" line="27"/>
        <source>Illuminance(lx)</source>
        <translation>照度(lx)</translation>
    </message>
    <message>
        <location filename="../QuantityNames.cpp" line="28"/>
        <source>R:FR</source>
        <translation>R:FR比</translation>
    </message>
    <message>
        <location filename="../QuantityNames.cpp" line="29"/>
        <source>B:R</source>
        <translation>B:R比</translation>
    </message>
    <message>
        <location filename="../QuantityNames.cpp" line="30"/>
        <source>B:G</source>
        <translation>B:G比</translation>
    </message>
    <message>
        <location filename="../QuantityNames.cpp" line="31"/>
        <source>Erythemal UV(W/m2)</source>
        <translation>紅斑紫外線(W/m2)</translation>
    </message>
    <message>
        <location filename="../QuantityNames.cpp" line="32"/>
        <source>UV index</source>
        <translation>UVインデックス</translation>
    </message>
    <message>
        <location filename="../QuantityNames.cpp" line="33"/>
        <source>x</source>
        <translation>色度x</translation>
    </message>
    <message>
        <location filename="../QuantityNames.cpp" line="34"/>
        <source>y</source>
        <translation>色度y</translation>
    </message>
    <message>
        <location filename="../QuantityNames.cpp" line="35"/>
        <source>CCT(K)</source>
        <translation>相関色温度(K)</translation>
    </message>
    <message>
        <location filename="../QuantityNames.cpp" line="36"/>
        <source>Duv</source>
        <translation>Duv</translation>
    </message>
    <message>
        <location filename="../QuantityNames.cpp" line="37"/>
        <source>Melanopic(W/m2)</source>
        <translation>メラノピック放射照度(W/m2)</translation>
    </message>
    <message>
        <location filename="../QuantityNames.cpp" line="38"/>
        <source>Melanopic EDI(lx)</source>
        <translation>メラノピックEDI(lx)</translation>
    </message>
    <message>
        <location filename="../QuantityNames.cpp" line="39"/>
        <source>APE(eV)</source>
        <translation>平均光子エネルギー(eV)</translation>
    </message>
    <message>
        <source>Sun zenith(deg)</source>
        <translation>太陽天頂角(deg)</translation>
    </message>
    <message>
        <source>Sun azimuth(deg)</source>
        <translation>太陽方位角(deg)</translation>
    </message>
    <message>
        <source>Clear-sky PPFD(umol/m2/s)</source>
        <translation>晴天 PPFD(umol/m2/s)</translation>
    </message>
    <message>
        <source>Clear-sky index</source>
        <translation>晴天指数</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <location filename="../main.cpp" line="28"/>
        <source>Viewer of RSD spectrum files</source>
        <translation>RSD 分光データファイルのビューア</translation>
    </message>
    <message>
        <location filename="../main.cpp" line="32"/>
        <source>Settings profile to use.</source>
        <translation>使用する設定ファイル。</translation>
    </message>
    <message>
        <location filename="../main.cpp" line="36"/>
        <source>RSD files to open.</source>
        <translation>開く RSD ファイル。</translation>
    </message>
    <message>
        <source>Time zone of the record times (Asia/Tokyo, +09:00); default: the file&apos;s TZ where it differs from this machine&apos;s.</source>
        <translation>記録時刻のタイムゾーン (Asia/Tokyo, +09:00)。既定: このマシンと異なる場合はファイルの TZ。</translation>
    </message>
</context>
</TS>
