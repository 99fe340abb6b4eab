<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>CAboutDlg</name>
    <message>
        <location filename="../AboutDlg.cpp" line="13"/>
        <source>About Radview</source>
        <translation>Radviewのﾊﾞｰｼﾞｮﾝ情報</translation>
    </message>
    <message>
        <location filename="../AboutDlg.cpp" line="19"/>
        <source>Radview Version 5.0</source>
        <translation>Radview Version 5.0</translation>
    </message>
    <message>
        <location filename="../AboutDlg.cpp" line="22"/>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>CChildFrame</name>
    <message>
        <location filename="../ChildFrame.cpp" line="78"/>
        <source>Save As</source>
        <translation>名前を付けて保存</translation>
    </message>
    <message>
        <location filename="../ChildFrame.cpp" line="82"/>
        <location filename="../ChildFrame.cpp" line="105"/>
        <location filename="../ChildFrame.cpp" line="113"/>
        <source>Radview</source>
        <translation>Radview</translation>
    </message>
    <message>
        <location filename="../ChildFrame.cpp" line="83"/>
        <source>The file %1 has been changed by another program since it was opened.
Reload it and lose your changes, or overwrite it?</source>
        <translation>ファイル %1 は開いた後に他のプログラムによって変更されています。
再読み込みして変更を破棄しますか、それとも上書きしますか?</translation>
    </message>
    <message>
        <location filename="../ChildFrame.cpp" line="87"/>
        <source>&amp;Reload</source>
        <translation>再読み込み(&amp;R)</translation>
    </message>
    <message>
        <location filename="../ChildFrame.cpp" line="88"/>
        <source>&amp;Overwrite</source>
        <translation>上書き(&amp;O)</translation>
    </message>
    <message>
        <location filename="../ChildFrame.cpp" line="105"/>
        <source>The file %1 could not be written.</source>
        <translation>ファイル %1 に書き込めませんでした。</translation>
    </message>
    <message>
        <location filename="../ChildFrame.cpp" line="113"/>
        <source>Save changes to %1?</source>
        <translation>%1 への変更を保存しますか?</translation>
    </message>
</context>
<context>
    <name>CConfDlg</name>
    <message>
        <location filename="../ConfDlg.cpp" line="43"/>
        <source>From</source>
        <translation>最小値</translation>
    </message>
    <message>
        <location filename="../ConfDlg.cpp" line="44"/>
        <source>To</source>
        <translation>最大値</translation>
    </message>
    <message>
        <location filename="../ConfDlg.cpp" line="52"/>
        <source>CSV Settings</source>
        <translation>データ設定</translation>
    </message>
    <message>
        <location filename="../ConfDlg.cpp" line="64"/>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <location filename="../ConfDlg.cpp" line="65"/>
        <source>Cancel</source>
        <translation>ｷｬﾝｾﾙ</translation>
    </message>
    <message>
        <location filename="../ConfDlg.cpp" line="77"/>
        <source>Wavelength Interval</source>
        <translation>CSVデータ波形</translation>
    </message>
    <message>
        <location filename="../ConfDlg.cpp" line="78"/>
        <source>Raw</source>
        <translation>オリジナル</translation>
    </message>
    <message>
        <location filename="../ConfDlg.cpp" line="79"/>
        <source>1nm</source>
        <translation>1nm</translation>
    </message>
    <message>
        <location filename="../ConfDlg.cpp" line="92"/>
        <source>Wavelength Range(nm)</source>
        <translation>CSV波長範囲(nm)</translation>
    </message>
    <message>
        <location filename="../ConfDlg.cpp" line="97"/>
        <source>Data Selection</source>
        <translation>データ選択</translation>
    </message>
    <message>
        <location filename="../ConfDlg.cpp" line="105"/>
        <source>Merge</source>
        <translation>マージ</translation>
    </message>
    <message>
        <location filename="../ConfDlg.cpp" line="114"/>
        <source>Integration Range(nm)</source>
        <translation>積分区間(nm)</translation>
    </message>
    <message>
        <location filename="../ConfDlg.cpp" line="159"/>
        <source>Please enter an integer.</source>
        <translation>整数を入力してください。</translation>
    </message>
</context>
<context>
    <name>CMainFrame</name>
    <message>
        <location filename="../Commands.cpp" line="8"/>
        <source>&amp;Open...	Ctrl+O</source>
        <translation>開く(&amp;O)...	Ctrl+O</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="8"/>
        <source>Open Data File</source>
        <translation>既存のﾌｧｲﾙを開く</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="8"/>
        <location filename="../MainCommands.cpp" line="46"/>
        <source>Open</source>
        <translation>開く</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="9"/>
        <source>&amp;Close</source>
        <translation>閉じる(&amp;C)</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="9"/>
        <source>Close Current Data</source>
        <translation>作業中のﾌｧｲﾙを閉じる</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="10"/>
        <source>&amp;Save	Ctrl+S</source>
        <translation>上書き保存(&amp;S)	Ctrl+S</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="10"/>
        <source>Save Current Data</source>
        <translation>作業中のﾌｧｲﾙを上書きして保存</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="10"/>
        <source>Save</source>
        <translation>上書き保存</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="11"/>
        <source>Save &amp;As...</source>
        <translation>名前を付けて保存(&amp;A)...</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="11"/>
        <source>Save Current Data with New Name</source>
        <translation>作業中のﾌｧｲﾙを新しい名前で保存</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="12"/>
        <source>Save as CSV(Spectral Data)</source>
        <translation>測定値CSV保存</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="12"/>
        <source>Save Data as CSV Format</source>
        <translation>測定値をＣＳＶ形式で保存する</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="13"/>
        <source>Save as CSV</source>
        <translation>CSV保存</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="14"/>
        <source>Save as CSV(Calculated Data)</source>
        <translation>計算値CSV保存</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="14"/>
        <source>Save Calcurated Data as CSV Format</source>
        <translation>計算値をＣＳＶ形式で保存する</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="15"/>
        <source>CSV Settings</source>
        <translation>データ設定</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="15"/>
        <source>Data settings for displaying data</source>
        <translation>データ設定</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="15"/>
        <source>Data Settings</source>
        <translation>データ設定</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="16"/>
        <source>Print Pre&amp;view</source>
        <translation>印刷ﾌﾟﾚﾋﾞｭｰ(&amp;V)</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="16"/>
        <source>Print Preview</source>
        <translation>印刷ｲﾒｰｼﾞを表示</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="17"/>
        <source>&amp;Print...	Ctrl+P</source>
        <translation>印刷(&amp;P)...	Ctrl+P</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="17"/>
        <source>Print Current Data</source>
        <translation>作業中のﾌｧｲﾙを印刷</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="17"/>
        <source>Print</source>
        <translation>印刷</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="18"/>
        <source>P&amp;rinter Settings...</source>
        <translation>ﾌﾟﾘﾝﾀの設定(&amp;R)...</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="18"/>
        <source>Change Printer Setup</source>
        <translation>ﾌﾟﾘﾝﾀ/印刷ｵﾌﾟｼｮﾝの変更</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="19"/>
        <source>E&amp;xit</source>
        <translation>アプリケーションの終了(&amp;X)</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="19"/>
        <source>Quit the application</source>
        <translation>ｱﾌﾟﾘｹｰｼｮﾝを終了し、ﾌｧｲﾙの保存を指示</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="20"/>
        <source>Se&amp;lect All</source>
        <translation>すべて選択(&amp;L)</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="20"/>
        <source>Select All Data</source>
        <translation>すべてを選択</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="21"/>
        <source>&amp;Copy	Ctrl+C</source>
        <translation>ｺﾋﾟｰ(&amp;C)	Ctrl+C</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="21"/>
        <source>Copy Selected Data to Clipboard</source>
        <translation>選択したﾃﾞｰﾀをｺﾋﾟｰしてｸﾘｯﾌﾟﾎﾞｰﾄﾞに保存</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="21"/>
        <source>Copy</source>
        <translation>ｺﾋﾟｰ</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="22"/>
        <source>&amp;Paste	Ctrl+V</source>
        <translation>貼り付け(&amp;P)	Ctrl+V</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="22"/>
        <source>Insert Clipboard contents</source>
        <translation>ｸﾘｯﾌﾟﾎﾞｰﾄﾞの内容を挿入</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="22"/>
        <source>Paste</source>
        <translation>貼り付け</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="23"/>
        <source>&amp;Delete</source>
        <translation>削除(&amp;D)</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="23"/>
        <source>Delete Selected Data</source>
        <translation>選択されたデータの削除</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="24"/>
        <source>&amp;Tool Bar</source>
        <translation>ﾂｰﾙ ﾊﾞｰ(&amp;T)</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="24"/>
        <source>Show or hide the toolbar</source>
        <translation>ﾂｰﾙ ﾊﾞｰの表示/非表示</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="25"/>
        <source>&amp;Status Bar</source>
        <translation>ｽﾃｰﾀｽ ﾊﾞｰ(&amp;S)</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="25"/>
        <source>Show or hide the status bar</source>
        <translation>ｽﾃｰﾀｽ ﾊﾞｰの表示/非表示</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="26"/>
        <source>Ti&amp;led Data</source>
        <translation>一覧表示(&amp;C)</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="26"/>
        <source>Back to tiled data view</source>
        <translation>一覧表示に戻す</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="26"/>
        <source>Tiled Data</source>
        <translation>一覧表示</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="27"/>
        <source>S&amp;elected Data</source>
        <translation>詳細表示(&amp;D)</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="27"/>
        <source>Show Selected Data</source>
        <translation>フォーカス図形を詳細表示する</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="27"/>
        <source>Selected Data</source>
        <translation>詳細表示</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="28"/>
        <source>&amp;Graph Settings</source>
        <translation>グラフ設定(&amp;G)</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="28"/>
        <source>Graph Setting</source>
        <translation>グラフの設定</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="28"/>
        <source>Graph</source>
        <translation>グラフ</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="29"/>
        <source>Tile Si&amp;ze</source>
        <translation>一覧表示サイズ(&amp;Z)</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="29"/>
        <source>Change Tiled Data Size</source>
        <translation>一覧表示サイズの設定</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="30"/>
        <source>&amp;Next Data</source>
        <translation>次のデータ(&amp;N)</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="30"/>
        <source>Go to Next Data</source>
        <translation>次のデータに移動する</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="30"/>
        <source>Next Data</source>
        <translation>次のデータ</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="31"/>
        <source>&amp;Previous Data</source>
        <translation>前のデータ(&amp;P)</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="31"/>
        <source>Go to Previous Data</source>
        <translation>手前のデータに移動する</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="31"/>
        <source>Previous Data</source>
        <translation>前のデータ</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="32"/>
        <source>&amp;Cascade</source>
        <translation>重ねて表示(&amp;C)</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="32"/>
        <source>Arrange Window as Cascade</source>
        <translation>ｳｨﾝﾄﾞｳを重ねて表示</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="33"/>
        <source>&amp;Tile</source>
        <translation>並べて表示(&amp;T)</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="33"/>
        <source>Arrange Windows as Tiled</source>
        <translation>ｳｨﾝﾄﾞｳを並べて表示</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="34"/>
        <source>&amp;About Radview...</source>
        <translation>Radview のﾊﾞｰｼﾞｮﾝ情報(&amp;A)...</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="34"/>
        <source>Display program information, version number and copyright</source>
        <translation>ﾌﾟﾛｸﾞﾗﾑの情報、ﾊﾞｰｼﾞｮﾝ、著作権を表示</translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="35"/>
        <source>About</source>
        <translation>ﾊﾞｰｼﾞｮﾝ情報</translation>
    </message>
    <message>
        <location filename="../MainActions.cpp" line="101"/>
        <source>File(&amp;F)</source>
        <translation>ﾌｧｲﾙ(&amp;F)</translation>
    </message>
    <message>
        <location filename="../MainActions.cpp" line="112"/>
        <source>Recent Files</source>
        <translation>最近使ったﾌｧｲﾙ</translation>
    </message>
    <message>
        <location filename="../MainActions.cpp" line="118"/>
        <source>Edit(&amp;E)</source>
        <translation>編集(&amp;E)</translation>
    </message>
    <message>
        <location filename="../MainActions.cpp" line="121"/>
        <source>View(&amp;V)</source>
        <translation>表示(&amp;V)</translation>
    </message>
    <message>
        <location filename="../MainActions.cpp" line="130"/>
        <source>Window(&amp;W)</source>
        <translation>ｳｨﾝﾄﾞｳ(&amp;W)</translation>
    </message>
    <message>
        <location filename="../MainActions.cpp" line="133"/>
        <source>&amp;Help</source>
        <translation>ﾍﾙﾌﾟ(&amp;H)</translation>
    </message>
    <message>
        <location filename="../MainActions.cpp" line="138"/>
        <source>Standard</source>
        <translation>標準</translation>
    </message>
    <message>
        <location filename="../MainActions.cpp" line="179"/>
        <source>Ready</source>
        <translation>ﾚﾃﾞｨ</translation>
    </message>
    <message>
        <location filename="../MainCommands.cpp" line="22"/>
        <source>Save with CSV Format</source>
        <translation>Save with CSV Format</translation>
    </message>
    <message>
        <location filename="../MainCommands.cpp" line="25"/>
        <source>CSV Files(*.csv)</source>
        <translation>CSV Files(*.csv)</translation>
    </message>
    <message>
        <location filename="../MainCommands.cpp" line="25"/>
        <source>All files(*.*)</source>
        <translation>All files(*.*)</translation>
    </message>
    <message>
        <location filename="../MainCommands.cpp" line="33"/>
        <source>RSD Files (*.rsd *.RSD)</source>
        <translation>RSD ﾌｧｲﾙ (*.rsd *.RSD)</translation>
    </message>
    <message>
        <location filename="../MainCommands.cpp" line="69"/>
        <location filename="../MainFrame.cpp" line="30"/>
        <location filename="../MainFrame.cpp" line="140"/>
        <source>Radview</source>
        <translation>Radview</translation>
    </message>
    <message>
        <location filename="../MainCommands.cpp" line="161"/>
        <source>&amp;Copy</source>
        <comment>context menu</comment>
        <translation>コピー</translation>
    </message>
    <message>
        <location filename="../MainCommands.cpp" line="161"/>
        <source>&amp;Delete</source>
        <comment>context menu</comment>
        <translation>削除(&amp;D)</translation>
    </message>
    <message>
        <location filename="../MainCommands.cpp" line="162"/>
        <source>Tiled Data</source>
        <comment>context menu</comment>
        <translation>一覧表示</translation>
    </message>
    <message>
        <location filename="../MainCommands.cpp" line="162"/>
        <source>Selected Data</source>
        <comment>context menu</comment>
        <translation>詳細表示</translation>
    </message>
    <message>
        <location filename="../MainCommands.cpp" line="163"/>
        <source>&amp;Graph Settings</source>
        <comment>context menu</comment>
        <translation>グラフ設定</translation>
    </message>
    <message>
        <location filename="../MainFrame.cpp" line="62"/>
        <source>Cannot open %1: %2</source>
        <translation>%1 を開けません: %2</translation>
    </message>
    <message>
        <location filename="../MainFrame.cpp" line="83"/>
        <source>Opening files...</source>
        <translation>ファイルを開いています...</translation>
    </message>
    <message>
        <location filename="../MainFrame.cpp" line="83"/>
        <source>Cancel</source>
        <translation>ｷｬﾝｾﾙ</translation>
    </message>
    <message>
        <location filename="../MainFrame.cpp" line="139"/>
        <source>Radview - %1</source>
        <translation>Radview - %1</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <location filename="../main.cpp" line="24"/>
        <source>Viewer of RSD spectrum files</source>
        <translation>RSD 分光データファイルのビューア</translation>
    </message>
    <message>
        <location filename="../main.cpp" line="28"/>
        <source>Settings profile to use.</source>
        <translation>使用する設定ファイル。</translation>
    </message>
    <message>
        <location filename="../main.cpp" line="32"/>
        <source>RSD files to open.</source>
        <translation>開く RSD ファイル。</translation>
    </message>
</context>
</TS>
