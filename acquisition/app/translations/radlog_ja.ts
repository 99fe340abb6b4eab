<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja" sourcelanguage="en">
<context>
    <name>CAboutDlg</name>
    <message>
        <source>About Radlog</source>
        <translation>Radlog のバージョン情報</translation>
    </message>
    <message>
        <source>Spectral irradiance logger for QS-series sensors</source>
        <translation>QSシリーズ分光放射計の分光放射照度ロガー</translation>
    </message>
</context>
<context>
    <name>CConfDlg</name>
    <message>
        <source>Measuring every %1 seconds (set on the command line)</source>
        <translation>%1 秒毎に計測（コマンドラインで指定）</translation>
    </message>
    <message>
        <source>Please enter a finish time after the start time.</source>
        <translation>終了時刻には開始時刻より後の時刻を入力してください。</translation>
    </message>
    <message>
        <source>RSD File Folder</source>
        <translation>RSDファイルの保存先</translation>
    </message>
    <message>
        <source>CSV File Folder</source>
        <translation>CSVファイルの保存先</translation>
    </message>
    <message>
        <source>From</source>
        <translation>最小値</translation>
    </message>
    <message>
        <source>To</source>
        <translation>最大値</translation>
    </message>
    <message>
        <source>Measurement Settings</source>
        <translation>計測設定</translation>
    </message>
    <message>
        <source>User Comment</source>
        <translation>データメモ</translation>
    </message>
    <message>
        <source>Auto-Start  after
Software Starting</source>
        <translation>ソフトウェア起動時に
計測を自動で開始する</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>ｷｬﾝｾﾙ</translation>
    </message>
    <message>
        <source>COM Port</source>
        <translation>COMポート</translation>
    </message>
    <message>
        <source>Integration Range(nm)</source>
        <translation>積分区間(nm)</translation>
    </message>
    <message>
        <source>Measurement Time</source>
        <translation>計測時間</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>開始</translation>
    </message>
    <message>
        <source>Finish</source>
        <translation>終了</translation>
    </message>
    <message>
        <source>:</source>
        <translation>：</translation>
    </message>
    <message>
        <source>Every %1 minutes</source>
        <translation>%1 分毎</translation>
    </message>
    <message>
        <source>RSD Format data</source>
        <translation>RSD形式データ</translation>
    </message>
    <message>
        <source>File Name:&quot;YYYYMMDD.rsd&quot; (Daily)</source>
        <translation>ファイル名：&quot;YYYYMMDD.rsd&quot; (日毎）</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>参照</translation>
    </message>
    <message>
        <source>CSV Format data</source>
        <translation>CSV形式データ</translation>
    </message>
    <message>
        <source>Save - File Name:&quot;YYYYMMDDhh.csv&quot; (Hourly)</source>
        <translation>保存する - ファイル名：&quot;YYYYMMDDhh.csv&quot; (時間毎）</translation>
    </message>
    <message>
        <source>Wavelength Interval</source>
        <translation>波長ピッチ</translation>
    </message>
    <message>
        <source>Raw</source>
        <translation>オリジナル</translation>
    </message>
    <message>
        <source>Wavelength Range(nm)</source>
        <translation>波長範囲(nm)</translation>
    </message>
    <message>
        <source>Data Selection</source>
        <translation>データ選択</translation>
    </message>
    <message>
        <source>Merge</source>
        <translation>マージ</translation>
    </message>
    <message>
        <source>At most 31 bytes (10 Japanese characters), no commas</source>
        <translation>半角31文字（全角10文字）まで、カンマは使えません</translation>
    </message>
</context>
<context>
    <name>CIntDlg</name>
    <message>
        <source>Abort</source>
        <translation>中止</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>ｷｬﾝｾﾙ</translation>
    </message>
</context>
<context>
    <name>CMainFrame</name>
    <message>
        <source>Radlog cannot close while a measurement runs.</source>
        <translation>計測中は Radlog を終了できません。</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>ﾚﾃﾞｨ</translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation>ﾂｰﾙ ﾊﾞｰ</translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation>印刷(&amp;P)...</translation>
    </message>
    <message>
        <source>Print Current Data
Print</source>
        <translation>作業中のﾌｧｲﾙを印刷
印刷</translation>
    </message>
    <message>
        <source>Print Pre&amp;view</source>
        <translation>印刷ﾌﾟﾚﾋﾞｭｰ(&amp;V)</translation>
    </message>
    <message>
        <source>Print Preview
Print Preview</source>
        <translation>印刷ｲﾒｰｼﾞを表示
印刷ﾌﾟﾚﾋﾞｭｰ</translation>
    </message>
    <message>
        <source>P&amp;rinter Setup...</source>
        <translation>ﾌﾟﾘﾝﾀの設定(&amp;R)...</translation>
    </message>
    <message>
        <source>Change Printer Setup
Print Setup</source>
        <translation>ﾌﾟﾘﾝﾀ/印刷ｵﾌﾟｼｮﾝの変更
印刷設定</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>ｱﾌﾟﾘｹｰｼｮﾝの終了(&amp;X)</translation>
    </message>
    <message>
        <source>Exit Radlog</source>
        <translation>ｱﾌﾟﾘｹｰｼｮﾝを終了し、ﾌｧｲﾙの保存を指示
終了</translation>
    </message>
    <message>
        <source>&amp;Measurement Settings</source>
        <translation>計測設定(&amp;M)</translation>
    </message>
    <message>
        <source>Measurement Settings
Settings</source>
        <translation>計測設定
計測設定</translation>
    </message>
    <message>
        <source>Manual Measurement</source>
        <translation>マニュアル計測開始(&amp;A)</translation>
    </message>
    <message>
        <source>Start Manual Measurement
Start</source>
        <translation>マニュアル計測を開始する
マニュアル計測開始</translation>
    </message>
    <message>
        <source>&amp;Start Interval Measurement</source>
        <translation>インターバル計測開始(&amp;S)</translation>
    </message>
    <message>
        <source>Start Interval Measurement
Start</source>
        <translation>インターバル計測を開始する
インターバル計測開始</translation>
    </message>
    <message>
        <source>&amp;Graph Settings</source>
        <translation>グラフ設定(&amp;G)</translation>
    </message>
    <message>
        <source>Graph Settings
Graph</source>
        <translation>グラフ表示の設定
グラフ設定</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>ｺﾋﾟｰ(&amp;C)</translation>
    </message>
    <message>
        <source>Copy Current Data to Clipboard
Copy</source>
        <translation>選択範囲をｺﾋﾟｰしてｸﾘｯﾌﾟﾎﾞｰﾄﾞに保存
ｺﾋﾟｰ</translation>
    </message>
    <message>
        <source>&amp;Toolbar</source>
        <translation>ﾂｰﾙ ﾊﾞｰ(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;Status Bar</source>
        <translation>ｽﾃｰﾀｽ ﾊﾞｰ(&amp;S)</translation>
    </message>
    <message>
        <source>Show or hide the toolbar
Toggle ToolBar</source>
        <translation>ﾂｰﾙ ﾊﾞｰの表示/非表示
ﾂｰﾙ ﾊﾞｰの表示/非表示</translation>
    </message>
    <message>
        <source>Show or hide the status bar
Toggle StatusBar</source>
        <translation>ｽﾃｰﾀｽ ﾊﾞｰの表示/非表示
ｽﾃｰﾀｽ ﾊﾞｰの表示/非表示</translation>
    </message>
    <message>
        <source>&amp;About Radlog...</source>
        <translation>Radlog のﾊﾞｰｼﾞｮﾝ情報(&amp;A)...</translation>
    </message>
    <message>
        <source>Display program information, version number and copyright
About</source>
        <translation>ﾌﾟﾛｸﾞﾗﾑ情報、ﾊﾞｰｼﾞｮﾝ、著作権を表示
ﾊﾞｰｼﾞｮﾝ情報</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>ﾌｧｲﾙ(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;Measure</source>
        <translation>計測</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>表示(&amp;V)</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>ﾍﾙﾌﾟ(&amp;H)</translation>
    </message>
</context>
<context>
    <name>CRadlogApp</name>
    <message>
        <source>A measurement is running. Stop it and close Radlog?</source>
        <translation>計測中です。計測を中止して Radlog を終了しますか？</translation>
    </message>
    <message>
        <source>Stop and Close</source>
        <translation>中止して終了</translation>
    </message>
</context>
<context>
    <name>CTodayDock</name>
    <message>
        <source>Today</source>
        <translation>今日</translation>
    </message>
    <message>
        <source>PPFD (umol/m2/s):</source>
        <translation>PPFD (umol/m2/s):</translation>
    </message>
    <message>
        <source>DLI so far (mol/m2):</source>
        <translation>今日の積算光量子量 DLI (mol/m2):</translation>
    </message>
    <message>
        <source>UV index:</source>
        <translation>UVインデックス:</translation>
    </message>
</context>
</TS>
