<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>CAboutDlg</name>
    <message>
        <location filename="../AboutDlg.cpp" line="13"/>
        <source>About Radview</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../AboutDlg.cpp" line="19"/>
        <source>Radview Version 5.0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../AboutDlg.cpp" line="22"/>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CChildFrame</name>
    <message>
        <location filename="../ChildFrame.cpp" line="78"/>
        <source>Save As</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../ChildFrame.cpp" line="82"/>
        <location filename="../ChildFrame.cpp" line="105"/>
        <location filename="../ChildFrame.cpp" line="113"/>
        <source>Radview</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../ChildFrame.cpp" line="83"/>
        <source>The file %1 has been changed by another program since it was opened.
Reload it and lose your changes, or overwrite it?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../ChildFrame.cpp" line="87"/>
        <source>&amp;Reload</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../ChildFrame.cpp" line="88"/>
        <source>&amp;Overwrite</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../ChildFrame.cpp" line="105"/>
        <source>The file %1 could not be written.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../ChildFrame.cpp" line="113"/>
        <source>Save changes to %1?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CConfDlg</name>
    <message>
        <location filename="../ConfDlg.cpp" line="43"/>
        <source>From</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../ConfDlg.cpp" line="44"/>
        <source>To</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../ConfDlg.cpp" line="52"/>
        <source>CSV Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../ConfDlg.cpp" line="64"/>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../ConfDlg.cpp" line="65"/>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../ConfDlg.cpp" line="77"/>
        <source>Wavelength Interval</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../ConfDlg.cpp" line="78"/>
        <source>Raw</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../ConfDlg.cpp" line="79"/>
        <source>1nm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../ConfDlg.cpp" line="92"/>
        <source>Wavelength Range(nm)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../ConfDlg.cpp" line="97"/>
        <source>Data Selection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../ConfDlg.cpp" line="105"/>
        <source>Merge</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../ConfDlg.cpp" line="114"/>
        <source>Integration Range(nm)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../ConfDlg.cpp" line="159"/>
        <source>Please enter an integer.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CMainFrame</name>
    <message>
        <location filename="../Commands.cpp" line="8"/>
        <source>&amp;Open...	Ctrl+O</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="8"/>
        <source>Open Data File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="8"/>
        <location filename="../MainCommands.cpp" line="46"/>
        <source>Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="9"/>
        <source>&amp;Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="9"/>
        <source>Close Current Data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="10"/>
        <source>&amp;Save	Ctrl+S</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="10"/>
        <source>Save Current Data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="10"/>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="11"/>
        <source>Save &amp;As...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="11"/>
        <source>Save Current Data with New Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="12"/>
        <source>Save as CSV(Spectral Data)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="12"/>
        <source>Save Data as CSV Format</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="13"/>
        <source>Save as CSV</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="14"/>
        <source>Save as CSV(Calculated Data)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="14"/>
        <source>Save Calcurated Data as CSV Format</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="15"/>
        <source>CSV Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="15"/>
        <source>Data settings for displaying data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="15"/>
        <source>Data Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="16"/>
        <source>Print Pre&amp;view</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="16"/>
        <source>Print Preview</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="17"/>
        <source>&amp;Print...	Ctrl+P</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="17"/>
        <source>Print Current Data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="17"/>
        <source>Print</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="18"/>
        <source>P&amp;rinter Settings...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="18"/>
        <source>Change Printer Setup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="19"/>
        <source>E&amp;xit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="19"/>
        <source>Quit the application</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="20"/>
        <source>Se&amp;lect All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="20"/>
        <source>Select All Data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="21"/>
        <source>&amp;Copy	Ctrl+C</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="21"/>
        <source>Copy Selected Data to Clipboard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="21"/>
        <source>Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="22"/>
        <source>&amp;Paste	Ctrl+V</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="22"/>
        <source>Insert Clipboard contents</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="22"/>
        <source>Paste</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="23"/>
        <source>&amp;Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="23"/>
        <source>Delete Selected Data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="24"/>
        <source>&amp;Tool Bar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="24"/>
        <source>Show or hide the toolbar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="25"/>
        <source>&amp;Status Bar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="25"/>
        <source>Show or hide the status bar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="26"/>
        <source>Ti&amp;led Data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="26"/>
        <source>Back to tiled data view</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="26"/>
        <source>Tiled Data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="27"/>
        <source>S&amp;elected Data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="27"/>
        <source>Show Selected Data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="27"/>
        <source>Selected Data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="28"/>
        <source>&amp;Graph Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="28"/>
        <source>Graph Setting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="28"/>
        <source>Graph</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="29"/>
        <source>Tile Si&amp;ze</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="29"/>
        <source>Change Tiled Data Size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="30"/>
        <source>&amp;Next Data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="30"/>
        <source>Go to Next Data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="30"/>
        <source>Next Data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="31"/>
        <source>&amp;Previous Data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="31"/>
        <source>Go to Previous Data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="31"/>
        <source>Previous Data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="32"/>
        <source>&amp;Cascade</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="32"/>
        <source>Arrange Window as Cascade</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="33"/>
        <source>&amp;Tile</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="33"/>
        <source>Arrange Windows as Tiled</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="34"/>
        <source>&amp;About Radview...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="34"/>
        <source>Display program information, version number and copyright</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../Commands.cpp" line="35"/>
        <source>About</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../MainActions.cpp" line="99"/>
        <source>File(&amp;F)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../MainActions.cpp" line="110"/>
        <source>Recent Files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../MainActions.cpp" line="116"/>
        <source>Edit(&amp;E)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../MainActions.cpp" line="119"/>
        <source>View(&amp;V)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../MainActions.cpp" line="128"/>
        <source>Window(&amp;W)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../MainActions.cpp" line="131"/>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../MainActions.cpp" line="136"/>
        <source>Standard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../MainActions.cpp" line="177"/>
        <source>Ready</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../MainCommands.cpp" line="22"/>
        <source>Save with CSV Format</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../MainCommands.cpp" line="25"/>
        <source>CSV Files(*.csv)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../MainCommands.cpp" line="25"/>
        <source>All files(*.*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../MainCommands.cpp" line="33"/>
        <source>RSD Files (*.rsd *.RSD)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../MainCommands.cpp" line="69"/>
        <location filename="../MainFrame.cpp" line="30"/>
        <location filename="../MainFrame.cpp" line="139"/>
        <source>Radview</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../MainFrame.cpp" line="62"/>
        <source>Cannot open %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../MainFrame.cpp" line="82"/>
        <source>Opening files...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../MainFrame.cpp" line="82"/>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../MainFrame.cpp" line="138"/>
        <source>Radview - %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <location filename="../main.cpp" line="24"/>
        <source>Viewer of RSD spectrum files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../main.cpp" line="28"/>
        <source>Settings profile to use.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../main.cpp" line="32"/>
        <source>RSD files to open.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
