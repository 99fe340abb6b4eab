<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>CGraphDlg</name>
    <message>
        <source>Graph Settings</source>
        <translation>グラフ設定</translation>
    </message>
    <message>
        <source>Grid Line</source>
        <translation>罫線</translation>
    </message>
    <message>
        <source>Y-Axis</source>
        <translation>Ｙ軸</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>AUTO</translation>
    </message>
    <message>
        <source>AUTO</source>
        <translation>AUTO</translation>
    </message>
    <message>
        <source>X-Axis[nm]</source>
        <translation>Ｘ軸</translation>
    </message>
    <message>
        <source>X-Axis(nm)</source>
        <translation>Ｘ軸</translation>
    </message>
    <message>
        <source>From|To|</source>
        <translation>|nm ～|nm</translation>
    </message>
    <message>
        <source>Graph Color</source>
        <translation>グラフ色</translation>
    </message>
    <message>
        <source>Frame Color</source>
        <translation>フレーム色</translation>
    </message>
    <message>
        <source>Tile Size</source>
        <translation>一覧表示サイズ</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>適用</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>ｷｬﾝｾﾙ</translation>
    </message>
    <message>
        <source>Please enter a number.</source>
        <translation>数値を入力してください。</translation>
    </message>
</context>
<context>
    <name>GraphClipboard</name>
    <message>
        <source>Error(Copy to clipboard failed)</source>
        <translation>クリップボード転送に失敗しました</translation>
    </message>
    <message>
        <source>Clipboard Error</source>
        <translation>クリップボード転送に失敗しました</translation>
    </message>
</context>
<context>
    <name>WavelengthEdit</name>
    <message>
        <source>Please enter an integer.</source>
        <translation>整数を入力してください。</translation>
    </message>
    <message>
        <source>Please enter an integer between %1 and %2.</source>
        <translation>%1 から %2 までの整数を入力してください。</translation>
    </message>
    <message>
        <source>Please enter a number above %1 and at most %2.</source>
        <translation>%1 より大きく %2 以下の数値を入力してください。</translation>
    </message>
    <message>
        <source>Please enter a number.</source>
        <translation>数値を入力してください。</translation>
    </message>
    <message>
        <source>Please enter a number between %1 and %2.</source>
        <translation>%1 から %2 までの数値を入力してください。</translation>
    </message>
</context>
</TS>
