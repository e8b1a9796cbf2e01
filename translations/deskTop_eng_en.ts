<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>BackgroundSelector</name>
    <message>
        <source>Color</source>
        <translation>Color</translation>
    </message>
    <message>
        <source>Please Select background picture</source>
        <translation>Select a background picture</translation>
    </message>
    <message>
        <source>Tile</source>
        <translation>Tile</translation>
    </message>
    <message>
        <source>Stretch</source>
        <translation>Stretch</translation>
    </message>
    <message>
        <source>Transparent</source>
        <translation>Transparent</translation>
    </message>
</context>
<context>
    <name>BootSetupWin</name>
    <message>
        <source>Started with the session by the lumora-player.service unit</source>
        <translation>Started with the session by the lumora-player.service unit</translation>
    </message>
    <message>
        <source>Startup settings</source>
        <translation>Startup Settings</translation>
    </message>
    <message>
        <source>Start-up</source>
        <translation>Start at login</translation>
    </message>
    <message>
        <source>Auto play</source>
        <translation>Play on startup</translation>
    </message>
    <message>
        <source>Option</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>Select the scheme</source>
        <translation>Play this scheme</translation>
    </message>
    <message>
        <source>Play the last play scheme</source>
        <translation>Play the last scheme played</translation>
    </message>
    <message>
        <source>select</source>
        <translation>Browse...</translation>
    </message>
    <message>
        <source>ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Schedule(*.schx)</source>
        <translation>Schemes (*.schx)</translation>
    </message>
</context>
<context>
    <name>CommonPlayWindow</name>
    <message>
        <source>Digital Clock</source>
        <translation>Digital clock</translation>
    </message>
    <message>
        <source>Digital Timer</source>
        <translation>Timer</translation>
    </message>
    <message>
        <source>Analog Clock</source>
        <translation>Analog clock</translation>
    </message>
    <message>
        <source>URL</source>
        <translation>Web page</translation>
    </message>
    <message>
        <source>Streaming Media</source>
        <translation>Streaming media</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>Video device</translation>
    </message>
    <message>
        <source>Weather</source>
        <translation>Weather</translation>
    </message>
    <message>
        <source>Simple Text</source>
        <translation>Simple text</translation>
    </message>
    <message>
        <source>Single - row text</source>
        <translation>Single-line text</translation>
    </message>
    <message>
        <source>Scrolling Text</source>
        <translation>Scrolling text</translation>
    </message>
    <message>
        <source>success</source>
        <translation>Shown</translation>
    </message>
</context>
<context>
    <name>CountTimerPanel</name>
    <message>
        <source>Background:</source>
        <translation>Background:</translation>
    </message>
    <message>
        <source>Transparency:</source>
        <translation>Transparency:</translation>
    </message>
    <message>
        <source>Decrease progressively</source>
        <translation>Count down</translation>
    </message>
    <message>
        <source>Increase progressively</source>
        <translation>Count up</translation>
    </message>
    <message>
        <source>Stopwatch type:</source>
        <translation>Counting:</translation>
    </message>
    <message>
        <source>Number color:</source>
        <translation>Number color:</translation>
    </message>
    <message>
        <source>Target time:</source>
        <translation>Target time:</translation>
    </message>
</context>
<context>
    <name>DisplaySettingsDialog</name>
    <message>
        <source>Led Display Parameter Setting</source>
        <translation>Display Window Settings</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>X:</source>
        <translation>X:</translation>
    </message>
    <message>
        <source>Y:</source>
        <translation>Y:</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>Width:</translation>
    </message>
    <message>
        <source>Height:</source>
        <translation>Height:</translation>
    </message>
    <message>
        <source>Never</source>
        <translation>Never</translation>
    </message>
    <message>
        <source>Always</source>
        <translation>Always</translation>
    </message>
    <message>
        <source>Playing</source>
        <translation>While playing</translation>
    </message>
    <message>
        <source>On Top:</source>
        <translation>On top:</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>info</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Name can not be empty!</source>
        <translation>The name cannot be empty.</translation>
    </message>
    <message>
        <source>The name already exists, please Reinput!</source>
        <translation>This name already exists. Please enter another one.</translation>
    </message>
</context>
<context>
    <name>ExtendWin</name>
    <message>
        <source>Backstage setting</source>
        <translation>Backstage Settings</translation>
    </message>
    <message>
        <source>Screen selection:</source>
        <translation>Screen:</translation>
    </message>
    <message>
        <source>ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>cancel</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>ImagePanel</name>
    <message>
        <source>File:</source>
        <translation>File:</translation>
    </message>
    <message>
        <source>Background:</source>
        <translation>Background:</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>Browse...</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Remove</translation>
    </message>
    <message>
        <source>Background music:</source>
        <translation>Background music:</translation>
    </message>
    <message>
        <source>Speed:</source>
        <translation>Speed:</translation>
    </message>
    <message>
        <source>0.1s</source>
        <translation>×0.1 s</translation>
    </message>
    <message>
        <source>Entry effect</source>
        <translation>Entry effect</translation>
    </message>
    <message>
        <source>Exit effect</source>
        <translation>Exit effect</translation>
    </message>
    <message>
        <source>Scale:</source>
        <translation>Scale:</translation>
    </message>
    <message>
        <source>Stay Time:</source>
        <translation>Stay time:</translation>
    </message>
    <message>
        <source>seconds</source>
        <translation>seconds</translation>
    </message>
    <message>
        <source>Transparency:</source>
        <translation>Transparency:</translation>
    </message>
    <message>
        <source>Rotation angle:</source>
        <translation>Rotation angle:</translation>
    </message>
    <message>
        <source>Background music</source>
        <translation>Background Music</translation>
    </message>
</context>
<context>
    <name>ImportProgressDialog</name>
    <message>
        <source>Add Media</source>
        <translation>Add Media</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Importing...</source>
        <translation>Importing…</translation>
    </message>
    <message>
        <source>Importing %1 (%2 of %3)</source>
        <translation>Importing %1 (%2 of %3)</translation>
    </message>
    <message>
        <source>Importing %1 (%2 of %3), pages: %4</source>
        <translation>Importing %1 (%2 of %3), pages: %4</translation>
    </message>
</context>
<context>
    <name>JournalWin</name>
    <message>
        <source>The device's own local time, as it logged the row</source>
        <translation>The device's own local time, as it logged the row</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>Device</translation>
    </message>
    <message>
        <source>Device:</source>
        <translation>Device:</translation>
    </message>
    <message>
        <source>Group:</source>
        <translation>Group:</translation>
    </message>
    <message>
        <source>All devices</source>
        <translation>All devices</translation>
    </message>
    <message>
        <source>All groups</source>
        <translation>All groups</translation>
    </message>
    <message>
        <source>Central log…</source>
        <translation>Central log…</translation>
    </message>
    <message>
        <source>This player's log</source>
        <translation>This player's log</translation>
    </message>
    <message>
        <source>Address:</source>
        <translation>Address:</translation>
    </message>
    <message>
        <source>The central play log's PostgreSQL address, for example postgresql://user@host/database or postgresql://user@/database?host=/socket/folder. It is only read, never written.</source>
        <translation>The central play log's PostgreSQL address, for example postgresql://user@host/database or postgresql://user@/database?host=/socket/folder. It is only read, never written.</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Connecting to the central log at %1…</source>
        <translation>Connecting to the central log at %1…</translation>
    </message>
    <message>
        <source>Only the first %1 rows are listed; the summary and the CSV export count every row.</source>
        <translation>Only the first %1 rows are listed; the summary and the CSV export count every row.</translation>
    </message>
    <message>
        <source>Central log, in each device's local time</source>
        <translation>Central log, in each device's local time</translation>
    </message>
    <message>
        <source>The central log at %1 cannot be reached: %2</source>
        <translation>The central log at %1 cannot be reached: %2</translation>
    </message>
    <message>
        <source>%1 holds no central play log (lumora-fleet collect makes it).</source>
        <translation>%1 holds no central play log (lumora-fleet collect makes it).</translation>
    </message>
    <message>
        <source>The central log at %1 was made by a newer Lumora and cannot be read here.</source>
        <translation>The central log at %1 was made by a newer Lumora and cannot be read here.</translation>
    </message>
    <message>
        <source>The central log cannot be read: %1</source>
        <translation>The central log cannot be read: %1</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>Duration</translation>
    </message>
    <message>
        <source>StartTime</source>
        <translation>Start Time</translation>
    </message>
    <message>
        <source>StopTime</source>
        <translation>Stop Time</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Result</translation>
    </message>
    <message>
        <source>Log plat</source>
        <translation>Play Log</translation>
    </message>
    <message>
        <source>date:  from</source>
        <translation>Date from</translation>
    </message>
    <message>
        <source>to</source>
        <translation>to</translation>
    </message>
    <message>
        <source>keyword:</source>
        <translation>Keyword:</translation>
    </message>
    <message>
        <source>Look up</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>Export CSV</source>
        <translation>Export CSV</translation>
    </message>
    <message>
        <source>Plays</source>
        <translation>Plays</translation>
    </message>
    <message>
        <source>Summary</source>
        <translation>Summary</translation>
    </message>
    <message>
        <source>Seconds shown</source>
        <translation>Seconds Shown</translation>
    </message>
    <message>
        <source>First play</source>
        <translation>First Play</translation>
    </message>
    <message>
        <source>Last play</source>
        <translation>Last Play</translation>
    </message>
    <message>
        <source>Nothing has been played yet: there is no play log.</source>
        <translation>Nothing has been played yet: there is no play log.</translation>
    </message>
    <message>
        <source>The play log stayed in use by the player; look up again in a moment.</source>
        <translation>The player is still using the play log; search again in a moment.</translation>
    </message>
    <message>
        <source>The play log is damaged and cannot be read: %1</source>
        <translation>The play log is damaged and cannot be read: %1</translation>
    </message>
    <message>
        <source>The play log cannot be read: %1</source>
        <translation>The play log cannot be read: %1</translation>
    </message>
    <message>
        <source>A damaged play log was set aside as %1; the rows shown come from the current log.</source>
        <translation>A damaged play log was set aside as %1; the rows shown come from the current log.</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>CSV files (*.csv)</translation>
    </message>
    <message>
        <source>The CSV file %1 could not be written.</source>
        <translation>The CSV file %1 could not be written.</translation>
    </message>
    <message>
        <source>All plays</source>
        <translation>All Plays</translation>
    </message>
</context>
<context>
    <name>LanguageSetupWin</name>
    <message>
        <source>Language setting</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>cancel</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>MainMenuBKLabel</name>
    <message>
        <source>Weather service</source>
        <translation>Weather Service</translation>
    </message>
    <message>
        <source>solution</source>
        <translation>Scheme</translation>
    </message>
    <message>
        <source>New</source>
        <translation>New</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Open...</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>SaveAs</source>
        <translation>Save As...</translation>
    </message>
    <message>
        <source>control</source>
        <translation>Control</translation>
    </message>
    <message>
        <source>play</source>
        <translation>Play</translation>
    </message>
    <message>
        <source>pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>stop</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>set system</source>
        <translation>System</translation>
    </message>
    <message>
        <source>SetBoot</source>
        <translation>Startup</translation>
    </message>
    <message>
        <source>SetPlay</source>
        <translation>Play Log</translation>
    </message>
    <message>
        <source>language</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>help</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>Undo %1</source>
        <translation>Undo %1</translation>
    </message>
    <message>
        <source>Redo %1</source>
        <translation>Redo %1</translation>
    </message>
    <message>
        <source>Screens</source>
        <translation>Screens</translation>
    </message>
</context>
<context>
    <name>MediaImport</name>
    <message>
        <source>info</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>These text files are longer than 1 MiB; only their first 1 MiB was imported:
%1</source>
        <translation>These text files are longer than 1 MiB; only their first 1 MiB was imported:
%1</translation>
    </message>
</context>
<context>
    <name>MonitorWin</name>
    <message>
        <source>monitor</source>
        <translation>Monitor</translation>
    </message>
</context>
<context>
    <name>OfficePipeline</name>
    <message>
        <source>%1 is not an office document.</source>
        <translation>%1 is not an office document.</translation>
    </message>
    <message>
        <source>%1 cannot be found and has no converted copy.</source>
        <translation>%1 cannot be found and has no converted copy.</translation>
    </message>
    <message>
        <source>%1 could not be converted: %2 did not finish within %3 seconds.</source>
        <translation>%1 could not be converted: %2 did not finish within %3 seconds.</translation>
    </message>
    <message>
        <source>The conversion of %1 was cancelled.</source>
        <translation>The conversion of %1 was cancelled.</translation>
    </message>
    <message>
        <source>%1 could not be converted: the PDF %2 wrote cannot be read.</source>
        <translation>%1 could not be converted: the PDF %2 wrote cannot be read.</translation>
    </message>
    <message>
        <source>%1 could not be converted: %2 wrote no PDF.</source>
        <translation>%1 could not be converted: %2 wrote no PDF.</translation>
    </message>
    <message>
        <source>Application failed to create. Please ensure that %1 is installed!</source>
        <translation>The converter could not be started. Please make sure that %1 is installed.</translation>
    </message>
    <message>
        <source>%1 could not be converted: the cache folder %2 cannot be written.</source>
        <translation>%1 could not be converted: the cache folder %2 cannot be written.</translation>
    </message>
    <message>
        <source>%1 could not be shown: its PDF cannot be read.</source>
        <translation>%1 could not be shown: its PDF cannot be read.</translation>
    </message>
    <message>
        <source>%1 could not be converted.</source>
        <translation>%1 could not be converted.</translation>
    </message>
</context>
<context>
    <name>OfficeProgressDialog</name>
    <message>
        <source>Office document</source>
        <translation>Office Document</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Converting %1</source>
        <translation>Converting %1</translation>
    </message>
    <message>
        <source>Pages: %1</source>
        <translation>Pages: %1</translation>
    </message>
</context>
<context>
    <name>PanelKit</name>
    <message>
        <source>Random</source>
        <translation>Random</translation>
    </message>
    <message>
        <source>Slide from right</source>
        <translation>Slide in from right</translation>
    </message>
    <message>
        <source>Slide from left</source>
        <translation>Slide in from left</translation>
    </message>
    <message>
        <source>Slide from top</source>
        <translation>Slide in from top</translation>
    </message>
    <message>
        <source>Slide from bottom</source>
        <translation>Slide in from bottom</translation>
    </message>
    <message>
        <source>Slide from bottom right</source>
        <translation>Slide in from bottom right</translation>
    </message>
    <message>
        <source>Slide from bottom left</source>
        <translation>Slide in from bottom left</translation>
    </message>
    <message>
        <source>Slide from top left</source>
        <translation>Slide in from top left</translation>
    </message>
    <message>
        <source>Slide from top right</source>
        <translation>Slide in from top right</translation>
    </message>
    <message>
        <source>Reveal from right</source>
        <translation>Reveal from right</translation>
    </message>
    <message>
        <source>Reveal from left</source>
        <translation>Reveal from left</translation>
    </message>
    <message>
        <source>Reveal from top </source>
        <translation>Reveal from top</translation>
    </message>
    <message>
        <source>Reveal from bottom</source>
        <translation>Reveal from bottom</translation>
    </message>
    <message>
        <source>Reveal out left and right from middle</source>
        <translation>Reveal from middle to left and right</translation>
    </message>
    <message>
        <source>Reveal in from left and right</source>
        <translation>Reveal from left and right to middle</translation>
    </message>
    <message>
        <source>Reveal out up and down from middle</source>
        <translation>Reveal from middle to top and bottom</translation>
    </message>
    <message>
        <source>Reveal in from top and bottom</source>
        <translation>Reveal from top and bottom to middle</translation>
    </message>
    <message>
        <source>Reveal in to center</source>
        <translation>Reveal toward center</translation>
    </message>
    <message>
        <source>Reveal out from center</source>
        <translation>Reveal from center</translation>
    </message>
    <message>
        <source>None</source>
        <translation>None</translation>
    </message>
    <message>
        <source>Horizontal gradient(six colors)</source>
        <translation>Horizontal gradient (six colors)</translation>
    </message>
    <message>
        <source>Vertical gradient(six colors)</source>
        <translation>Vertical gradient (six colors)</translation>
    </message>
    <message>
        <source>Angle gradient(six colors)</source>
        <translation>Diagonal gradient (six colors)</translation>
    </message>
    <message>
        <source>Three color streamer word</source>
        <translation>Three-color shimmer</translation>
    </message>
    <message>
        <source>Rainbow streamer word</source>
        <translation>Rainbow shimmer</translation>
    </message>
    <message>
        <source>Fill</source>
        <translation>Fill</translation>
    </message>
    <message>
        <source>Original Scale</source>
        <translation>Original size</translation>
    </message>
    <message>
        <source>90</source>
        <translation>90°</translation>
    </message>
    <message>
        <source>180</source>
        <translation>180°</translation>
    </message>
    <message>
        <source>270</source>
        <translation>270°</translation>
    </message>
    <message>
        <source>Right to Left</source>
        <translation>Right to left</translation>
    </message>
    <message>
        <source>Left toRight</source>
        <translation>Left to right</translation>
    </message>
</context>
<context>
    <name>Prodoc</name>
    <message>
        <source>two display windows are named "%1"</source>
        <translation>Two display windows are named "%1".</translation>
    </message>
</context>
<context>
    <name>ProjectTree</name>
    <message>
        <source>%1 pasted window(s) did not fit the display window of %2 x %3 and were moved or made smaller.</source>
        <translation>%1 pasted window(s) did not fit the display window of %2 x %3 and were moved or made smaller.</translation>
    </message>
    <message>
        <source>info</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>The schedule is empty,please add program!</source>
        <translation>The schedule is empty. Please add a page.</translation>
    </message>
    <message>
        <source>Program</source>
        <translation>Page </translation>
    </message>
    <message>
        <source>Add Schedule</source>
        <translation>Schedule</translation>
    </message>
    <message>
        <source>General Segment</source>
        <translation>General segment </translation>
    </message>
    <message>
        <source>Common Window</source>
        <translation>Window </translation>
    </message>
    <message>
        <source>Add Common Segment</source>
        <translation>Add General Segment</translation>
    </message>
    <message>
        <source>Add Inserted Segment</source>
        <translation>Add Insert</translation>
    </message>
    <message>
        <source>Timing Inserted</source>
        <translation>Timing Insert</translation>
    </message>
    <message>
        <source>Cycle Inserted</source>
        <translation>Cycle Insert</translation>
    </message>
    <message>
        <source>Add Copied Segment</source>
        <translation>Duplicate Segment</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>Add Programs</source>
        <translation>Add Page</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>Move Up</source>
        <translation>Move Up</translation>
    </message>
    <message>
        <source>Move Down</source>
        <translation>Move Down</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Clear Programs</source>
        <translation>Clear Pages</translation>
    </message>
    <message>
        <source>Add Common Window</source>
        <translation>Add Window</translation>
    </message>
    <message>
        <source>Add Copied Window</source>
        <translation>Duplicate Window</translation>
    </message>
    <message>
        <source>Clear Window</source>
        <translation>Clear Windows</translation>
    </message>
    <message>
        <source>File</source>
        <translation>File...</translation>
    </message>
    <message>
        <source>Simple Text</source>
        <translation>Simple Text</translation>
    </message>
    <message>
        <source>Single-row Text</source>
        <translation>Single-Line Text</translation>
    </message>
    <message>
        <source>Scrolling Text</source>
        <translation>Scrolling Text</translation>
    </message>
    <message>
        <source>Analog Clock</source>
        <translation>Analog Clock</translation>
    </message>
    <message>
        <source>Digital Clock</source>
        <translation>Digital Clock</translation>
    </message>
    <message>
        <source>Digital Timer</source>
        <translation>Timer</translation>
    </message>
    <message>
        <source>Weather</source>
        <translation>Weather</translation>
    </message>
    <message>
        <source>Url</source>
        <translation>Web Page</translation>
    </message>
    <message>
        <source>Streaming</source>
        <translation>Streaming Media</translation>
    </message>
    <message>
        <source>Video Device</source>
        <translation>Video Device</translation>
    </message>
    <message>
        <source>Add Media</source>
        <translation>Add Media</translation>
    </message>
    <message>
        <source>Clear Media</source>
        <translation>Clear Media</translation>
    </message>
    <message>
        <source>Window Position</source>
        <translation>Window Position</translation>
    </message>
    <message>
        <source>Window Size</source>
        <translation>Window Size</translation>
    </message>
    <message>
        <source>Move Up by One Layer</source>
        <translation>Bring Forward</translation>
    </message>
    <message>
        <source>Move Down by One Layer</source>
        <translation>Send Backward</translation>
    </message>
    <message>
        <source>Center</source>
        <translation>Center</translation>
    </message>
    <message>
        <source>Horizontally Center</source>
        <translation>Center Horizontally</translation>
    </message>
    <message>
        <source>Vertically Center</source>
        <translation>Center Vertically</translation>
    </message>
    <message>
        <source>Placed to the Left</source>
        <translation>Align Left</translation>
    </message>
    <message>
        <source>Placed to the  Right</source>
        <translation>Align Right</translation>
    </message>
    <message>
        <source>Placed at the Top</source>
        <translation>Align Top</translation>
    </message>
    <message>
        <source>Placed at the Bottom</source>
        <translation>Align Bottom</translation>
    </message>
    <message>
        <source>Full-screen</source>
        <translation>Full Screen</translation>
    </message>
    <message>
        <source>Horizontal Full-screen</source>
        <translation>Full Width</translation>
    </message>
    <message>
        <source>Horizontal 1/2</source>
        <translation>1/2 Width</translation>
    </message>
    <message>
        <source>Horizontal 1/3</source>
        <translation>1/3 Width</translation>
    </message>
    <message>
        <source>Horizontal 1/4</source>
        <translation>1/4 Width</translation>
    </message>
    <message>
        <source>Vertical Full-screen</source>
        <translation>Full Height</translation>
    </message>
    <message>
        <source>Vertical 1/2</source>
        <translation>1/2 Height</translation>
    </message>
    <message>
        <source>Vertical 1/3</source>
        <translation>1/3 Height</translation>
    </message>
    <message>
        <source>Vertical 1/4</source>
        <translation>1/4 Height</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Add Media</translation>
    </message>
    <message>
        <source>Cycle Inserted Segment</source>
        <translation>Cycle insert </translation>
    </message>
    <message>
        <source>Timing Inserted Segment</source>
        <translation>Timing insert </translation>
    </message>
    <message>
        <source>Are you sure to delete the current segment?</source>
        <translation>Delete the current segment?</translation>
    </message>
    <message>
        <source>Are you sure to delete all the segments?</source>
        <translation>Delete all segments?</translation>
    </message>
    <message>
        <source>Are you sure to delete all the program pages of the current segment?</source>
        <translation>Delete all pages of the current segment?</translation>
    </message>
    <message>
        <source>Are you sure to delete the current program page?</source>
        <translation>Delete the current page?</translation>
    </message>
    <message>
        <source>Are you sure to delete the current window?</source>
        <translation>Delete the current window?</translation>
    </message>
    <message>
        <source>Are you sure to clear all the windows of current program page?</source>
        <translation>Delete all windows of the current page?</translation>
    </message>
    <message>
        <source>Are you sure to delete all the media of the current window?</source>
        <translation>Delete all media of the current window?</translation>
    </message>
</context>
<context>
    <name>SchemeChecker</name>
    <message>
        <source>video &quot;%1&quot; has no stored length and its file does not tell one (%2): it shows for at most %3 s</source>
        <translation>video &quot;%1&quot; has no stored length and its file does not tell one (%2): it shows for at most %3 s</translation>
    </message>
    <message>
        <source>%1 cannot be read (%2) and shows nothing: %3</source>
        <translation>%1 cannot be read (%2) and shows nothing: %3</translation>
    </message>
    <message>
        <source>video cannot be opened (%1) and shows nothing: %2</source>
        <translation>video cannot be opened (%1) and shows nothing: %2</translation>
    </message>
    <message>
        <source>%1 of the %2 time points of &quot;%3&quot; come less than %4 s after the one that started the insert, while its first page still shows, and do not start it again</source>
        <translation>%1 of the %2 time points of &quot;%3&quot; come less than %4 s after the one that started the insert, while its first page still shows, and do not start it again</translation>
    </message>
    <message>
        <source>%1 is an empty file and shows nothing: %2</source>
        <translation>%1 is an empty file and shows nothing: %2</translation>
    </message>
    <message>
        <source>cycle segment &quot;%1&quot; comes every %2 minutes and is inserted every minute</source>
        <translation>cycle insert &quot;%1&quot; comes every %2 minutes and is inserted every minute</translation>
    </message>
    <message>
        <source>display window &quot;%1&quot; of %2x%3 at (%4, %5) is played at %6x%7 at (%8, %9)</source>
        <translation>display window &quot;%1&quot; of %2x%3 at (%4, %5) plays at %6x%7 at (%8, %9)</translation>
    </message>
    <message>
        <source>display window &quot;%1&quot; has no area (%2x%3) and shows nothing</source>
        <translation>display window &quot;%1&quot; has no area (%2x%3) and shows nothing</translation>
    </message>
    <message>
        <source>item stays %1 s and is shown for 1 s</source>
        <translation>media item stays %1 s and is shown for 1 s</translation>
    </message>
    <message>
        <source>segment has nothing to show and is passed over</source>
        <translation>segment has nothing to show and is skipped</translation>
    </message>
    <message>
        <source>program &quot;%1&quot; has nothing to show and is passed over</source>
        <translation>page &quot;%1&quot; has nothing to show and is skipped</translation>
    </message>
    <message>
        <source>window &quot;%1&quot; has no media item and stays empty</source>
        <translation>window &quot;%1&quot; has no media and stays empty</translation>
    </message>
    <message>
        <source>display window "%1" has no media item; its schedule cannot play</source>
        <translation>display window "%1" has no media; its schedule cannot play</translation>
    </message>
    <message>
        <source>segment "%1" has no weekday and never plays</source>
        <translation>segment "%1" has no weekday and never plays</translation>
    </message>
    <message>
        <source>segment "%1"</source>
        <translation>segment "%1"</translation>
    </message>
    <message>
        <source>segment "%1" has an incomplete time range and never plays</source>
        <translation>segment "%1" has an incomplete time range and never plays</translation>
    </message>
    <message>
        <source>segment "%1" has a time range %2-%3 that crosses midnight and never plays</source>
        <translation>segment "%1" has a time range %2-%3 that crosses midnight and never plays</translation>
    </message>
    <message>
        <source>%1 has an incomplete date range and never plays</source>
        <translation>%1 has an incomplete date range and never plays</translation>
    </message>
    <message>
        <source>%1 has a date range from %2 to %3 that ends before it starts and never plays</source>
        <translation>%1 has a date range from %2 to %3 that ends before it starts and never plays</translation>
    </message>
    <message>
        <source>timing segment "%1" has no time point and never plays</source>
        <translation>timing insert "%1" has no time point and never plays</translation>
    </message>
    <message>
        <source>time point %1 of "%2"</source>
        <translation>time point %1 of "%2"</translation>
    </message>
    <message>
        <source>%1 has no time and never fires</source>
        <translation>%1 has no time and never fires</translation>
    </message>
    <message>
        <source>%1 has no weekday and never fires</source>
        <translation>%1 has no weekday and never fires</translation>
    </message>
    <message>
        <source>background picture of program "%1"</source>
        <translation>background picture of page "%1"</translation>
    </message>
    <message>
        <source>background music of program "%1"</source>
        <translation>background music of page "%1"</translation>
    </message>
    <message>
        <source>window "%1" has no area (%2x%3)</source>
        <translation>window "%1" has no area (%2x%3)</translation>
    </message>
    <message>
        <source>window "%1" at (%2, %3) size %4x%5 lies outside its display window "%6" (%7x%8)</source>
        <translation>window "%1" at (%2, %3), size %4x%5, lies outside its display window "%6" (%7x%8)</translation>
    </message>
    <message>
        <source>%1 has no file</source>
        <translation>%1 has no file</translation>
    </message>
    <message>
        <source>%1 does not exist: %2</source>
        <translation>%1 does not exist: %2</translation>
    </message>
    <message>
        <source>background picture</source>
        <translation>background picture</translation>
    </message>
    <message>
        <source>video</source>
        <translation>video</translation>
    </message>
    <message>
        <source>office document</source>
        <translation>office document</translation>
    </message>
    <message>
        <source>picture</source>
        <translation>picture</translation>
    </message>
    <message>
        <source>music</source>
        <translation>music</translation>
    </message>
</context>
<context>
    <name>SchemeJson</name>
    <message>
        <source>expected an object</source>
        <translation>expected an object</translation>
    </message>
    <message>
        <source>missing</source>
        <translation>missing</translation>
    </message>
    <message>
        <source>expected 0 or 1</source>
        <translation>expected 0 or 1</translation>
    </message>
    <message>
        <source>expected true or false</source>
        <translation>expected true or false</translation>
    </message>
    <message>
        <source>expected [red, green, blue]</source>
        <translation>expected [red, green, blue]</translation>
    </message>
    <message>
        <source>expected 0 to 255</source>
        <translation>expected 0 to 255</translation>
    </message>
    <message>
        <source>expected a date "yyyy-MM-dd" or null</source>
        <translation>expected a date "yyyy-MM-dd" or null</translation>
    </message>
    <message>
        <source>expected a list of day names</source>
        <translation>expected a list of day names</translation>
    </message>
    <message>
        <source>expected one of Monday, Tuesday, Wednesday, Thursday, Friday, Saturday, Sunday</source>
        <translation>expected one of Monday, Tuesday, Wednesday, Thursday, Friday, Saturday, Sunday</translation>
    </message>
    <message>
        <source>%1 is listed twice</source>
        <translation>%1 is listed twice</translation>
    </message>
    <message>
        <source>expected a list</source>
        <translation>expected a list</translation>
    </message>
    <message>
        <source>unknown key</source>
        <translation>unknown key</translation>
    </message>
    <message>
        <source>expected a whole number in the 32-bit range</source>
        <translation>expected a whole number in the 32-bit range</translation>
    </message>
    <message>
        <source>expected a string or null</source>
        <translation>expected a string or null</translation>
    </message>
    <message>
        <source>expected a time "HH:mm:ss.zzz" or null</source>
        <translation>expected a time "HH:mm:ss.zzz" or null</translation>
    </message>
    <message>
        <source>expected a time "HH:mm:ss" or null</source>
        <translation>expected a time "HH:mm:ss" or null</translation>
    </message>
    <message>
        <source>not valid JSON at offset %1: %2</source>
        <translation>not valid JSON at offset %1: %2</translation>
    </message>
    <message>
        <source>the top level must be an object</source>
        <translation>the top level must be an object</translation>
    </message>
</context>
<context>
    <name>SchemeReader</name>
    <message>
        <source>a text of %1 bytes is longer than the %2 bytes that remain</source>
        <translation>a text of %1 bytes is longer than the %2 bytes that remain</translation>
    </message>
    <message>
        <source>colour (%1, %2, %3) is out of range</source>
        <translation>color (%1, %2, %3) is out of range</translation>
    </message>
    <message>
        <source>negative %1 count %2</source>
        <translation>negative %1 count %2</translation>
    </message>
    <message>
        <source>%1 count %2 needs at least %3 bytes but only %4 remain</source>
        <translation>%1 count %2 needs at least %3 bytes but only %4 remain</translation>
    </message>
    <message>
        <source>the data ends %1 bytes short of the next field</source>
        <translation>the data ends %1 bytes short of the next field</translation>
    </message>
    <message>
        <source>display window</source>
        <translation>display window</translation>
    </message>
    <message>
        <source>%1 bytes follow the end of the scheme</source>
        <translation>%1 bytes follow the end of the scheme</translation>
    </message>
    <message>
        <source>general segment</source>
        <translation>general segment</translation>
    </message>
    <message>
        <source>cycle segment</source>
        <translation>cycle insert</translation>
    </message>
    <message>
        <source>timing segment</source>
        <translation>timing insert</translation>
    </message>
    <message>
        <source>time point</source>
        <translation>time point</translation>
    </message>
    <message>
        <source>program</source>
        <translation>page</translation>
    </message>
    <message>
        <source>background music</source>
        <translation>background music</translation>
    </message>
    <message>
        <source>window</source>
        <translation>window</translation>
    </message>
    <message>
        <source>media item</source>
        <translation>media item</translation>
    </message>
    <message>
        <source>Cannot open %1: %2</source>
        <translation>Cannot open %1: %2</translation>
    </message>
    <message>
        <source>%1 is larger than %2 bytes and is no scheme</source>
        <translation>%1 is larger than %2 bytes and is not a scheme</translation>
    </message>
    <message>
        <source>Cannot read %1: %2</source>
        <translation>Cannot read %1: %2</translation>
    </message>
    <message>
        <source>The data is larger than %1 bytes and is no scheme</source>
        <translation>The data is larger than %1 bytes and is not a scheme</translation>
    </message>
    <message>
        <source>The scheme is damaged at byte %1: %2</source>
        <translation>The scheme is damaged at byte %1: %2</translation>
    </message>
</context>
<context>
    <name>SchemeWriter</name>
    <message>
        <source>Cannot write %1: what was written does not read back (%2)</source>
        <translation>Cannot write %1: what was written does not read back (%2)</translation>
    </message>
    <message>
        <source>the scheme would take %1 MiB, more than the %2 MiB a scheme file can hold; nothing was written</source>
        <translation>the scheme would take %1 MiB, more than the %2 MiB a scheme file can hold; nothing was written</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>Cannot write %1: %2</translation>
    </message>
</context>
<context>
    <name>StreamingPanel</name>
    <message>
        <source>Url Address:</source>
        <translation>URL:</translation>
    </message>
    <message>
        <source>Volume:</source>
        <translation>Volume:</translation>
    </message>
    <message>
        <source>Play time:</source>
        <translation>Play time:</translation>
    </message>
</context>
<context>
    <name>SummaryChart</name>
    <message>
        <source>Plays per hour</source>
        <translation>Plays per hour</translation>
    </message>
    <message>
        <source>Plays per day</source>
        <translation>Plays per day</translation>
    </message>
    <message>
        <source>Plays</source>
        <translation>Plays</translation>
    </message>
</context>
<context>
    <name>TextPanel</name>
    <message>
        <source>Text:</source>
        <translation>Text:</translation>
    </message>
    <message>
        <source>Font:</source>
        <translation>Font:</translation>
    </message>
    <message>
        <source>Size(px):</source>
        <translation>Size (px):</translation>
    </message>
    <message>
        <source>Bold</source>
        <translation>Bold</translation>
    </message>
    <message>
        <source>Italic</source>
        <translation>Italic</translation>
    </message>
    <message>
        <source>Underline</source>
        <translation>Underline</translation>
    </message>
    <message>
        <source>Style:</source>
        <translation>Style:</translation>
    </message>
    <message>
        <source>Color:</source>
        <translation>Color:</translation>
    </message>
    <message>
        <source>Colorful characters:</source>
        <translation>Color effect:</translation>
    </message>
    <message>
        <source>Align Left</source>
        <translation>Left</translation>
    </message>
    <message>
        <source>Align Right</source>
        <translation>Right</translation>
    </message>
    <message>
        <source>Center</source>
        <translation>Center</translation>
    </message>
    <message>
        <source>Align Top</source>
        <translation>Top</translation>
    </message>
    <message>
        <source>Align Bottom</source>
        <translation>Bottom</translation>
    </message>
    <message>
        <source>Horizontal alignment:</source>
        <translation>Horizontal alignment:</translation>
    </message>
    <message>
        <source>Vertical alignment:</source>
        <translation>Vertical alignment:</translation>
    </message>
    <message>
        <source>Spacing:</source>
        <translation>Line spacing:</translation>
    </message>
    <message>
        <source>Kerning:</source>
        <translation>Letter spacing:</translation>
    </message>
    <message>
        <source>Background:</source>
        <translation>Background:</translation>
    </message>
    <message>
        <source>Speed:</source>
        <translation>Speed:</translation>
    </message>
    <message>
        <source>0.1s</source>
        <translation>×0.1 s</translation>
    </message>
    <message>
        <source>Entry effect</source>
        <translation>Entry effect</translation>
    </message>
    <message>
        <source>Exit effect</source>
        <translation>Exit effect</translation>
    </message>
    <message>
        <source>Stay Time:</source>
        <translation>Stay time:</translation>
    </message>
    <message>
        <source>seconds</source>
        <translation>seconds</translation>
    </message>
    <message>
        <source>Rolling Direction:</source>
        <translation>Direction:</translation>
    </message>
    <message>
        <source>Rolling speed:</source>
        <translation>Speed:</translation>
    </message>
    <message>
        <source>End to end</source>
        <translation>Continuous</translation>
    </message>
    <message>
        <source>Interval of Cycles:</source>
        <translation>Gap:</translation>
    </message>
    <message>
        <source>CompletePlay</source>
        <translation>Play in full</translation>
    </message>
    <message>
        <source>Play Duration:</source>
        <translation>Play time:</translation>
    </message>
</context>
<context>
    <name>TitleBar</name>
    <message>
        <source>minimization</source>
        <translation>Minimize</translation>
    </message>
    <message>
        <source>maximization</source>
        <translation>Maximize</translation>
    </message>
    <message>
        <source>restore</source>
        <translation>Restore</translation>
    </message>
    <message>
        <source>close</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>VideoCoverTextDialog</name>
    <message>
        <source>Overlayed Text</source>
        <translation>Text Overlay</translation>
    </message>
    <message>
        <source>Text:</source>
        <translation>Text:</translation>
    </message>
    <message>
        <source>Default font</source>
        <translation>Default font</translation>
    </message>
    <message>
        <source>Font:</source>
        <translation>Font:</translation>
    </message>
    <message>
        <source>Bold</source>
        <translation>Bold</translation>
    </message>
    <message>
        <source>Italic</source>
        <translation>Italic</translation>
    </message>
    <message>
        <source>Underline</source>
        <translation>Underline</translation>
    </message>
    <message>
        <source>Size:</source>
        <translation>Size:</translation>
    </message>
    <message>
        <source>Color:</source>
        <translation>Color:</translation>
    </message>
    <message>
        <source>Colorful characters:</source>
        <translation>Color effect:</translation>
    </message>
    <message>
        <source>Rolling</source>
        <translation>Scroll</translation>
    </message>
    <message>
        <source>Speed:</source>
        <translation>Speed:</translation>
    </message>
    <message>
        <source>Rolling text Y:</source>
        <translation>Scroll Y:</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>VideoPanel</name>
    <message>
        <source>File:</source>
        <translation>File:</translation>
    </message>
    <message>
        <source>Length:</source>
        <translation>Length:</translation>
    </message>
    <message>
        <source>Position:</source>
        <translation>Position:</translation>
    </message>
    <message>
        <source>Sound</source>
        <translation>Sound</translation>
    </message>
    <message>
        <source>Volume:</source>
        <translation>Volume:</translation>
    </message>
    <message>
        <source>Overlayed Text</source>
        <translation>Text overlay</translation>
    </message>
    <message>
        <source>Edit Text</source>
        <translation>Edit Text...</translation>
    </message>
    <message>
        <source>Except</source>
        <translation>Trim</translation>
    </message>
    <message>
        <source>Starting time:</source>
        <translation>Start:</translation>
    </message>
    <message>
        <source>End time:</source>
        <translation>End:</translation>
    </message>
    <message>
        <source>Scale:</source>
        <translation>Scale:</translation>
    </message>
    <message>
        <source>Rotation angle:</source>
        <translation>Rotation angle:</translation>
    </message>
    <message>
        <source>Background:</source>
        <translation>Background:</translation>
    </message>
</context>
<context>
    <name>WeatherReplyParser</name>
    <message>
        <source>Wind %1 km/h</source>
        <translation>Wind %1 km/h</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>Partly cloudy</source>
        <translation>Partly cloudy</translation>
    </message>
    <message>
        <source>Overcast</source>
        <translation>Overcast</translation>
    </message>
    <message>
        <source>Fog</source>
        <translation>Fog</translation>
    </message>
    <message>
        <source>Drizzle</source>
        <translation>Drizzle</translation>
    </message>
    <message>
        <source>Light rain</source>
        <translation>Light rain</translation>
    </message>
    <message>
        <source>Rain</source>
        <translation>Rain</translation>
    </message>
    <message>
        <source>Heavy rain</source>
        <translation>Heavy rain</translation>
    </message>
    <message>
        <source>Freezing rain</source>
        <translation>Freezing rain</translation>
    </message>
    <message>
        <source>Light snow</source>
        <translation>Light snow</translation>
    </message>
    <message>
        <source>Snow</source>
        <translation>Snow</translation>
    </message>
    <message>
        <source>Heavy snow</source>
        <translation>Heavy snow</translation>
    </message>
    <message>
        <source>Thunderstorm</source>
        <translation>Thunderstorm</translation>
    </message>
    <message>
        <source>Thunderstorm with hail</source>
        <translation>Thunderstorm with hail</translation>
    </message>
</context>
<context>
    <name>WeatherService</name>
    <message>
        <source>No weather service is configured</source>
        <translation>No weather service is configured</translation>
    </message>
</context>
<context>
    <name>Widget</name>
    <message>
        <source>%1 cannot be written: %2 will not be kept.</source>
        <translation>%1 cannot be written: %2 will not be kept.</translation>
    </message>
    <message>
        <source>the pages of office documents</source>
        <translation>the pages of office documents</translation>
    </message>
    <message>
        <source>the play log and the copies of unsaved changes</source>
        <translation>the play log and the copies of unsaved changes</translation>
    </message>
    <message>
        <source>the settings (language, start-up, weather service)</source>
        <translation>the settings (language, start-up, weather service)</translation>
    </message>
    <message>
        <source>cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Play anyway</source>
        <translation>Play anyway</translation>
    </message>
    <message>
        <source>Problems found: %1. The schedule does not play as it is set up. Play anyway?</source>
        <translation>Problems found: %1. The schedule does not play as it is set up. Play anyway?</translation>
    </message>
    <message>
        <source>and %1 more (see the problems list)</source>
        <translation>and %1 more (see the problems list)</translation>
    </message>
    <message>
        <source>Problems</source>
        <translation>Problems</translation>
    </message>
    <message>
        <source>problems</source>
        <translation>Problems</translation>
    </message>
    <message>
        <source>problems (%1)</source>
        <translation>Problems (%1)</translation>
    </message>
    <message>
        <source>Could not open %1: %2</source>
        <translation>Could not open %1: %2</translation>
    </message>
    <message>
        <source>Lumora did not close normally. Changes to %1 that were not saved were kept on %2. Open them?</source>
        <translation>Lumora did not close normally. Unsaved changes to %1 were kept on %2. Open them?</translation>
    </message>
    <message>
        <source>pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>play</source>
        <translation>Play</translation>
    </message>
    <message>
        <source>menu</source>
        <translation>Menu</translation>
    </message>
    <message>
        <source>monitor</source>
        <translation>Monitor</translation>
    </message>
    <message>
        <source>frontground</source>
        <translation>Bring Back</translation>
    </message>
    <message>
        <source>background</source>
        <translation>Backstage</translation>
    </message>
    <message>
        <source>win-show</source>
        <translation>Expand</translation>
    </message>
    <message>
        <source>win-up</source>
        <translation>Collapse</translation>
    </message>
    <message>
        <source>winunlock</source>
        <translation>Unlock</translation>
    </message>
    <message>
        <source>winlock</source>
        <translation>Lock</translation>
    </message>
    <message>
        <source>winshow</source>
        <translation>Show</translation>
    </message>
    <message>
        <source>winhide</source>
        <translation>Hide</translation>
    </message>
    <message>
        <source>stop</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Display window</source>
        <translation>Display window </translation>
    </message>
    <message>
        <source>Schedule(*.schx)</source>
        <translation>Schemes (*.schx)</translation>
    </message>
    <message>
        <source>info</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Do you want to save the current schedule?</source>
        <translation>Save changes to the current scheme?</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>Save As</translation>
    </message>
    <message>
        <source>Saved successfully,%1</source>
        <translation>Saved to %1</translation>
    </message>
    <message>
        <source>Could not save %1: %2</source>
        <translation>Could not save %1: %2</translation>
    </message>
    <message>
        <source>Could not open %1: %2
The current schedule is unchanged.</source>
        <translation>Could not open %1: %2
The current scheme is unchanged.</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Could not open %1: no such file</source>
        <translation>Could not open %1: no such file</translation>
    </message>
    <message>
        <source>The settings could not be saved to:
%1
The folder may be read-only; they stay in effect until the program ends.</source>
        <translation>The settings could not be saved to:
%1
The folder may be read-only; they stay in effect until the program ends.</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>Untitled</translation>
    </message>
    <message>
        <source>Delete the display window &quot;%1&quot; and its whole schedule?</source>
        <translation>Delete the display window &quot;%1&quot; and its whole schedule?</translation>
    </message>
    <message>
        <source>Add Display Window</source>
        <translation>Add Display Window</translation>
    </message>
    <message>
        <source>Edit Display Window</source>
        <translation>Edit Display Window</translation>
    </message>
    <message>
        <source>Delete Display Window</source>
        <translation>Delete Display Window</translation>
    </message>
    <message>
        <source>Add Time Point</source>
        <translation>Add Time Point</translation>
    </message>
    <message>
        <source>Edit Time Point</source>
        <translation>Edit Time Point</translation>
    </message>
    <message>
        <source>Delete Time Point</source>
        <translation>Delete Time Point</translation>
    </message>
    <message>
        <source>Edit Segment</source>
        <translation>Edit Segment</translation>
    </message>
    <message>
        <source>Edit Page</source>
        <translation>Edit Page</translation>
    </message>
    <message>
        <source>Edit Window</source>
        <translation>Edit Window</translation>
    </message>
    <message>
        <source>Edit Media</source>
        <translation>Edit Media</translation>
    </message>
    <message>
        <source>Delete Media</source>
        <translation>Delete Media</translation>
    </message>
    <message>
        <source>Paste Media</source>
        <translation>Paste Media</translation>
    </message>
    <message>
        <source>Move Media</source>
        <translation>Move Media</translation>
    </message>
    <message>
        <source>Add Media</source>
        <translation>Add Media</translation>
    </message>
</context>
<context>
    <name>dataBaseConn</name>
    <message>
        <source>unable to open database:%1</source>
        <translation>Cannot open the play log database: %1</translation>
    </message>
</context>
<context>
    <name>digitalClockWidget</name>
    <message>
        <source>Monday</source>
        <translation>Monday</translation>
    </message>
    <message>
        <source>Tuesday</source>
        <translation>Tuesday</translation>
    </message>
    <message>
        <source>Wednesday</source>
        <translation>Wednesday</translation>
    </message>
    <message>
        <source>Thursday</source>
        <translation>Thursday</translation>
    </message>
    <message>
        <source>Friday</source>
        <translation>Friday</translation>
    </message>
    <message>
        <source>Saturday</source>
        <translation>Saturday</translation>
    </message>
    <message>
        <source>Sunday</source>
        <translation>Sunday</translation>
    </message>
    <message>
        <source>AM</source>
        <translation>AM</translation>
    </message>
    <message>
        <source>PM</source>
        <translation>PM</translation>
    </message>
</context>
<context>
    <name>newDisplayWindowButton</name>
    <message>
        <source>Led Display Parameter Setting</source>
        <translation>Display Window Settings</translation>
    </message>
    <message>
        <source>Add Play Window</source>
        <translation>Add Display Window</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Delete</translation>
    </message>
</context>
<context><name>NodePanel</name><message>
        <source>en_US</source>
        <translation>en_US</translation>
    </message>
</context><context><name>ProgramPanel</name><message>
        <source>Name:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>Background Color:</source>
        <translation>Background color:</translation>
    </message>
    <message>
        <source>Background Picture:</source>
        <translation>Background picture:</translation>
    </message>
    <message>
        <source>Display Type:</source>
        <translation>Picture layout:</translation>
    </message>
    <message>
        <source>Stretch</source>
        <translation>Stretch</translation>
    </message>
    <message>
        <source>Tile</source>
        <translation>Tile</translation>
    </message>
    <message>
        <source>Back Music:</source>
        <translation>Background music:</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Move Up</source>
        <translation>Move Up</translation>
    </message>
    <message>
        <source>Move Down</source>
        <translation>Move Down</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>Specify number of times:</source>
        <translation>Number of plays:</translation>
    </message>
    <message>
        <source>Specify duration:</source>
        <translation>Duration:</translation>
    </message>
    <message>
        <source>Cycle:</source>
        <translation>Loop</translation>
    </message>
    <message>
        <source>No background picture</source>
        <translation>No background picture</translation>
    </message>
    <message>
        <source>Please Select background picture</source>
        <translation>Select a background picture</translation>
    </message>
</context>
<context>
    <name>ScheduleView</name>
    <message>
        <source>Nothing plays on this day.</source>
        <translation>Nothing plays on this day.</translation>
    </message>
    <message>
        <source>Nothing plays in these seven days.</source>
        <translation>Nothing plays in these seven days.</translation>
    </message>
    <message>
        <source>Simulating… %1</source>
        <translation>Simulating… %1</translation>
    </message>
    <message>
        <source>As the player plays the scheme from midnight. Hover a bar to see what shows; the wheel zooms, a double click shows the whole day.</source>
        <translation>As the player plays the scheme from midnight. Hover a bar to see what shows; the wheel zooms, a double click shows the whole day.</translation>
    </message>
    <message>
        <source>Week</source>
        <translation>Week</translation>
    </message>
    <message>
        <source>Day</source>
        <translation>Day</translation>
    </message>
    <message>
        <source>Today</source>
        <translation>Today</translation>
    </message>
    <message>
        <source>Later</source>
        <translation>Later</translation>
    </message>
    <message>
        <source>Earlier</source>
        <translation>Earlier</translation>
    </message>
    <message>
        <source>Days</source>
        <translation>Days</translation>
    </message>
    <message>
        <source>Timeline</source>
        <translation>Timeline</translation>
    </message>
    <message>
        <source>Data Range of Schedule</source>
        <translation>Schedule Dates</translation>
    </message>
    <message>
        <source>From</source>
        <translation>From</translation>
    </message>
    <message>
        <source>to</source>
        <translation>to</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Refresh</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>General Segment</source>
        <translation>General Segments</translation>
    </message>
    <message>
        <source>Inserted Segment</source>
        <translation>Inserts</translation>
    </message>
    <message>
        <source>About Priority&amp;nbsp;:&amp;nbsp;&amp;nbsp;</source>
        <translation>Priority:&amp;nbsp;&amp;nbsp;</translation>
    </message>
    <message>
        <source>The timing inserted has higher priority than the cycle inserted one.</source>
        <translation>A timing insert comes before a cycle insert.</translation>
    </message>
    <message>
        <source>The latter segment has higher priority in the same type.&amp;nbsp;&amp;nbsp;</source>
        <translation>Of two segments of the same kind, the lower one in the list comes first.&amp;nbsp;&amp;nbsp;</translation>
    </message>
    <message>
        <source>%1 every %2 min</source>
        <translation>%1 every %2 min</translation>
    </message>
</context><context><name>SegmentPanel</name><message>
        <source>Name:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>Play Property</source>
        <translation>Play Settings</translation>
    </message>
    <message>
        <source>Every</source>
        <translation>Every</translation>
    </message>
    <message>
        <source>minutes</source>
        <translation>minutes</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Play</translation>
    </message>
    <message>
        <source>seconds</source>
        <translation>seconds</translation>
    </message>
    <message>
        <source>times</source>
        <translation>times</translation>
    </message>
    <message>
        <source>Specified date</source>
        <translation>Date range</translation>
    </message>
    <message>
        <source>From</source>
        <translation>From</translation>
    </message>
    <message>
        <source>to</source>
        <translation>to</translation>
    </message>
    <message>
        <source>Effective Day of the Work</source>
        <translation>Days of the Week</translation>
    </message>
    <message>
        <source>Monday</source>
        <translation>Monday</translation>
    </message>
    <message>
        <source>Tuesday</source>
        <translation>Tuesday</translation>
    </message>
    <message>
        <source>Wednesday</source>
        <translation>Wednesday</translation>
    </message>
    <message>
        <source>Thursday</source>
        <translation>Thursday</translation>
    </message>
    <message>
        <source>Friday</source>
        <translation>Friday</translation>
    </message>
    <message>
        <source>Saturday</source>
        <translation>Saturday</translation>
    </message>
    <message>
        <source>Sunday</source>
        <translation>Sunday</translation>
    </message>
    <message>
        <source>Effective Time of the Day</source>
        <translation>Time of Day</translation>
    </message>
    <message>
        <source>All Day</source>
        <translation>All day</translation>
    </message>
</context><context><name>TimePointText</name><message>
        <source>Monday,</source>
        <translation>Monday,</translation>
    </message>
    <message>
        <source>Tuesday,</source>
        <translation>Tuesday,</translation>
    </message>
    <message>
        <source>Wednesday,</source>
        <translation>Wednesday,</translation>
    </message>
    <message>
        <source>Thursday,</source>
        <translation>Thursday,</translation>
    </message>
    <message>
        <source>Friday,</source>
        <translation>Friday,</translation>
    </message>
    <message>
        <source>Saturday,</source>
        <translation>Saturday,</translation>
    </message>
    <message>
        <source>Sunday,</source>
        <translation>Sunday,</translation>
    </message>
    <message>
        <source> to </source>
        <translation> to </translation>
    </message>
</context><context><name>TimingSegmentPanel</name><message>
        <source>Name:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>Time Point List</source>
        <translation>Time Points</translation>
    </message>
    <message>
        <source>When reached the
 time point,</source>
        <translation>At each time point,</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Play</translation>
    </message>
    <message>
        <source>minutes</source>
        <translation>minutes</translation>
    </message>
    <message>
        <source>seconds</source>
        <translation>seconds</translation>
    </message>
    <message>
        <source>times</source>
        <translation>times</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>info</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>please select the time point to edit!</source>
        <translation>Please select the time point to edit.</translation>
    </message>
    <message>
        <source>please select the time point to delete!</source>
        <translation>Please select the time point to delete.</translation>
    </message>
    <message>
        <source>Are you sure to delete the selected time point?</source>
        <translation>Delete the selected time point?</translation>
    </message>
</context><context><name>TimingSegmentTimePropertyWin</name><message>
        <source>Time Point Information</source>
        <translation>Time Point</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Specified date</source>
        <translation>Date range</translation>
    </message>
    <message>
        <source>From</source>
        <translation>From</translation>
    </message>
    <message>
        <source>To</source>
        <translation>To</translation>
    </message>
    <message>
        <source>Day</source>
        <translation>Days</translation>
    </message>
    <message>
        <source>Monday</source>
        <translation>Monday</translation>
    </message>
    <message>
        <source>Tuesday</source>
        <translation>Tuesday</translation>
    </message>
    <message>
        <source>Wednesday</source>
        <translation>Wednesday</translation>
    </message>
    <message>
        <source>Thursday</source>
        <translation>Thursday</translation>
    </message>
    <message>
        <source>Friday</source>
        <translation>Friday</translation>
    </message>
    <message>
        <source>Saturday</source>
        <translation>Saturday</translation>
    </message>
    <message>
        <source>Sunday</source>
        <translation>Sunday</translation>
    </message>
    <message>
        <source>ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>cancel</source>
        <translation>Cancel</translation>
    </message>
</context><context><name>WindowPanel</name><message>
        <source>Name:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>Frame</source>
        <translation>Frame</translation>
    </message>
    <message>
        <source>Frame width:</source>
        <translation>Frame width:</translation>
    </message>
    <message>
        <source>X:</source>
        <translation>X:</translation>
    </message>
    <message>
        <source>Y:</source>
        <translation>Y:</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>Width:</translation>
    </message>
    <message>
        <source>Height:</source>
        <translation>Height:</translation>
    </message>
    <message>
        <source>Media List</source>
        <translation>Media</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Move Up</source>
        <translation>Move Up</translation>
    </message>
    <message>
        <source>Move Down</source>
        <translation>Move Down</translation>
    </message>
    <message>
        <source>Simple Text</source>
        <translation>Simple text</translation>
    </message>
    <message>
        <source>Single-row Text</source>
        <translation>Single-line text</translation>
    </message>
    <message>
        <source>Scrolling Text</source>
        <translation>Scrolling text</translation>
    </message>
    <message>
        <source>Analog Clock</source>
        <translation>Analog clock</translation>
    </message>
    <message>
        <source>Digital Clock</source>
        <translation>Digital clock</translation>
    </message>
    <message>
        <source>Digital Timer</source>
        <translation>Timer</translation>
    </message>
    <message>
        <source>Weather</source>
        <translation>Weather</translation>
    </message>
    <message>
        <source>Url</source>
        <translation>Web page</translation>
    </message>
    <message>
        <source>Streaming</source>
        <translation>Streaming media</translation>
    </message>
    <message>
        <source>Video Device</source>
        <translation>Video device</translation>
    </message>
</context><context><name>AnalogClockPanel</name><message>
        <source>Display attribute</source>
        <translation>Display</translation>
    </message>
    <message>
        <source>Dial</source>
        <translation>Dial</translation>
    </message>
    <message>
        <source>Texts</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Scales</source>
        <translation>Marks</translation>
    </message>
    <message>
        <source>Hands</source>
        <translation>Hands</translation>
    </message>
    <message>
        <source>Background:</source>
        <translation>Background:</translation>
    </message>
    <message>
        <source>Text:</source>
        <translation>Text:</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Day month</source>
        <translation>Day month</translation>
    </message>
    <message>
        <source>Month day</source>
        <translation>Month day</translation>
    </message>
    <message>
        <source>Week</source>
        <translation>Weekday</translation>
    </message>
    <message>
        <source>Font</source>
        <translation>Font</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>Color</translation>
    </message>
    <message>
        <source>Time difference:</source>
        <translation>Time offset:</translation>
    </message>
    <message>
        <source>Ahead</source>
        <translation>Ahead</translation>
    </message>
    <message>
        <source>Behind</source>
        <translation>Behind</translation>
    </message>
    <message>
        <source>Play time:</source>
        <translation>Play time:</translation>
    </message>
    <message>
        <source>Time Scale:</source>
        <translation>Hour marks:</translation>
    </message>
    <message>
        <source>M Scale:</source>
        <translation>Minute marks:</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>Width:</translation>
    </message>
    <message>
        <source>Height:</source>
        <translation>Height:</translation>
    </message>
    <message>
        <source>Round</source>
        <translation>Round</translation>
    </message>
    <message>
        <source>Rectangle</source>
        <translation>Rectangle</translation>
    </message>
    <message>
        <source>Hour:</source>
        <translation>Hour:</translation>
    </message>
    <message>
        <source>Minute:</source>
        <translation>Minute:</translation>
    </message>
    <message>
        <source>Second:</source>
        <translation>Second:</translation>
    </message>
</context><context><name>BackgroundControls</name><message>
        <source>Color</source>
        <translation>Color</translation>
    </message>
    <message>
        <source>Please Select background picture</source>
        <translation>Select a background picture</translation>
    </message>
    <message>
        <source>Tile</source>
        <translation>Tile</translation>
    </message>
    <message>
        <source>Stretch</source>
        <translation>Stretch</translation>
    </message>
    <message>
        <source>Background color</source>
        <translation>Background color</translation>
    </message>
    <message>
        <source>Picture layout</source>
        <translation>Picture layout</translation>
    </message>
    <message>
        <source>Transparent</source>
        <translation>Transparent</translation>
    </message>
    <message>
        <source>image(*.jpg *.png *.jpeg *.gif)</source>
        <translation>Pictures (*.jpg *.png *.jpeg *.gif)</translation>
    </message>
</context><context><name>ColorButton</name><message>
        <source>Select Color</source>
        <translation>Select Color</translation>
    </message>
</context><context><name>DigitalClockPanel</name><message>
        <source>Basic Property</source>
        <translation>Basic</translation>
    </message>
    <message>
        <source>Display Style</source>
        <translation>Display Style</translation>
    </message>
    <message>
        <source>Appearance</source>
        <translation>Appearance</translation>
    </message>
    <message>
        <source>Date and play time</source>
        <translation>Date and Play Time</translation>
    </message>
    <message>
        <source>Shown parts</source>
        <translation>Shown Parts</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>Background:</source>
        <translation>Background:</translation>
    </message>
    <message>
        <source>Date Style:</source>
        <translation>Date format:</translation>
    </message>
    <message>
        <source>Month day year</source>
        <translation>Month day year</translation>
    </message>
    <message>
        <source>Day month year</source>
        <translation>Day month year</translation>
    </message>
    <message>
        <source>Year month day</source>
        <translation>Year month day</translation>
    </message>
    <message>
        <source>Fixed Text:</source>
        <translation>Fixed text:</translation>
    </message>
    <message>
        <source>Font:</source>
        <translation>Font:</translation>
    </message>
    <message>
        <source>Size(px):</source>
        <translation>Size (px):</translation>
    </message>
    <message>
        <source>Style:</source>
        <translation>Style:</translation>
    </message>
    <message>
        <source>Bold</source>
        <translation>Bold</translation>
    </message>
    <message>
        <source>Italic</source>
        <translation>Italic</translation>
    </message>
    <message>
        <source>Underline</source>
        <translation>Underline</translation>
    </message>
    <message>
        <source>Text color</source>
        <translation>Text color</translation>
    </message>
    <message>
        <source>Colorful characters:</source>
        <translation>Color effect:</translation>
    </message>
    <message>
        <source>None</source>
        <translation>None</translation>
    </message>
    <message>
        <source>Horizontal gradient(six colors)</source>
        <translation>Horizontal gradient (six colors)</translation>
    </message>
    <message>
        <source>Vertical gradient(six colors)</source>
        <translation>Vertical gradient (six colors)</translation>
    </message>
    <message>
        <source>Angle gradient(six colors)</source>
        <translation>Diagonal gradient (six colors)</translation>
    </message>
    <message>
        <source>Three color streamer word</source>
        <translation>Three-color shimmer</translation>
    </message>
    <message>
        <source>Rainbow streamer word</source>
        <translation>Rainbow shimmer</translation>
    </message>
    <message>
        <source>Play time:</source>
        <translation>Play time:</translation>
    </message>
    <message>
        <source>Year</source>
        <translation>Year</translation>
    </message>
    <message>
        <source>Month</source>
        <translation>Month</translation>
    </message>
    <message>
        <source>Day</source>
        <translation>Day</translation>
    </message>
    <message>
        <source>Hour</source>
        <translation>Hour</translation>
    </message>
    <message>
        <source>Minute</source>
        <translation>Minute</translation>
    </message>
    <message>
        <source>Second</source>
        <translation>Second</translation>
    </message>
    <message>
        <source>Half Day</source>
        <translation>AM/PM</translation>
    </message>
    <message>
        <source>Week</source>
        <translation>Weekday</translation>
    </message>
    <message>
        <source>Year digits:</source>
        <translation>Year digits:</translation>
    </message>
    <message>
        <source>4-bit Years</source>
        <translation>4 digits</translation>
    </message>
    <message>
        <source>2-bit Years</source>
        <translation>2 digits</translation>
    </message>
    <message>
        <source>Rows:</source>
        <translation>Lines:</translation>
    </message>
    <message>
        <source>Single-row</source>
        <translation>Single line</translation>
    </message>
    <message>
        <source>Multi-row</source>
        <translation>Multiple lines</translation>
    </message>
    <message>
        <source>Hour system:</source>
        <translation>Clock:</translation>
    </message>
    <message>
        <source>24 Hours</source>
        <translation>24-hour</translation>
    </message>
    <message>
        <source>12 Hours</source>
        <translation>12-hour</translation>
    </message>
    <message>
        <source>Time difference:</source>
        <translation>Time offset:</translation>
    </message>
    <message>
        <source>Ahead</source>
        <translation>Ahead</translation>
    </message>
    <message>
        <source>Behind</source>
        <translation>Behind</translation>
    </message>
</context><context><name>UrlPanel</name><message>
        <source>Web page</source>
        <translation>Web Page</translation>
    </message>
    <message>
        <source>Url Address:</source>
        <translation>URL:</translation>
    </message>
    <message>
        <source>Local Url</source>
        <translation>Local page</translation>
    </message>
    <message>
        <source>Transparency</source>
        <translation>Transparency:</translation>
    </message>
    <message>
        <source>Show Position:</source>
        <translation>Scroll to:</translation>
    </message>
    <message>
        <source>X:</source>
        <translation>X:</translation>
    </message>
    <message>
        <source>Y:</source>
        <translation>Y:</translation>
    </message>
    <message>
        <source>Play time:</source>
        <translation>Play time:</translation>
    </message>
    <message>
        <source>web file(*.html *.htm)</source>
        <translation>Web pages (*.html *.htm)</translation>
    </message>
</context><context><name>VideoDevicePanel</name><message>
        <source>Capture device</source>
        <translation>Capture device</translation>
    </message>
    <message>
        <source>Background:</source>
        <translation>Background:</translation>
    </message>
    <message>
        <source>Play time:</source>
        <translation>Play time:</translation>
    </message>
</context><context><name>WeatherPanel</name>
    <message>
        <source>No weather from the service: %1</source>
        <translation>No weather from the service: %1</translation>
    </message>
    <message>
        <source>Weather</source>
        <translation>Weather</translation>
    </message>
    <message>
        <source>Background:</source>
        <translation>Background:</translation>
    </message>
    <message>
        <source>City</source>
        <translation>City:</translation>
    </message>
    <message>
        <source>Province</source>
        <translation>Province</translation>
    </message>
    <message>
        <source>Update cycle:</source>
        <translation>Update every:</translation>
    </message>
    <message>
        <source>minutes</source>
        <translation>minutes</translation>
    </message>
    <message>
        <source>Play time:</source>
        <translation>Play time:</translation>
    </message>
</context><context>
    <name>PlayLog</name>
    <message>
        <source>cut short at midnight</source>
        <translation>Cut short at midnight</translation>
    </message>
    <message>
        <source>cut short by a stop</source>
        <translation>Cut short by a stop</translation>
    </message>
    <message>
        <source>cut short by the schedule</source>
        <translation>Cut short by the schedule</translation>
    </message>
    <message>
        <source>cut short by an insert</source>
        <translation>Cut short by an insert</translation>
    </message>
    <message>
        <source>stream unreachable</source>
        <translation>Stream unreachable</translation>
    </message>
    <message>
        <source>could not be opened</source>
        <translation>Could not be opened</translation>
    </message>
    <message>
        <source>file missing</source>
        <translation>File missing</translation>
    </message>
</context>
<context>
    <name>WeatherSetupWin</name>
    <message>
        <source>No weather from the service: %1</source>
        <translation>No weather from the service: %1</translation>
    </message>
    <message>
        <source>The service answers.</source>
        <translation>The service answers.</translation>
    </message>
    <message>
        <source>Asking the service…</source>
        <translation>Asking the service…</translation>
    </message>
    <message>
        <source>Enter the service&apos;s address first.</source>
        <translation>Enter the service&apos;s address first.</translation>
    </message>
    <message>
        <source>cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Test</source>
        <translation>Test</translation>
    </message>
    <message>
        <source>City:</source>
        <translation>City:</translation>
    </message>
    <message>
        <source>built-in key</source>
        <translation>built-in key</translation>
    </message>
    <message>
        <source>Access key:</source>
        <translation>Access key:</translation>
    </message>
    <message>
        <source>Address:</source>
        <translation>Address:</translation>
    </message>
    <message>
        <source>No weather (weather items show their background)</source>
        <translation>No weather (weather items show their background)</translation>
    </message>
    <message>
        <source>Weather service at an address</source>
        <translation>Weather service at an address</translation>
    </message>
    <message>
        <source>Open-Meteo forecasts (no key needed)</source>
        <translation>Open-Meteo forecasts (no key needed)</translation>
    </message>
    <message>
        <source>Weather service</source>
        <translation>Weather Service</translation>
    </message>
</context>
<context>
    <name>TimelineChart</name>
    <message>
        <source>Nothing plays.</source>
        <translation>Nothing plays.</translation>
    </message>
    <message>
        <source>Page: %1 of %2 (%3)</source>
        <translation>Page: %1 of %2 (%3)</translation>
    </message>
    <message>
        <source>Cycle insert: %1 (%2)</source>
        <translation>Cycle insert: %1 (%2)</translation>
    </message>
    <message>
        <source>Timing insert: %1 (%2)</source>
        <translation>Timing insert: %1 (%2)</translation>
    </message>
    <message>
        <source>Segment: %1 (%2)</source>
        <translation>Segment: %1 (%2)</translation>
    </message>
    <message>
        <source>Not simulated yet.</source>
        <translation>Not simulated yet.</translation>
    </message>
    <message>
        <source>Page</source>
        <translation>Page</translation>
    </message>
    <message>
        <source>Insert</source>
        <translation>Insert</translation>
    </message>
    <message>
        <source>Segment</source>
        <translation>Segment</translation>
    </message>
</context>
<context>
    <name>TimelineRun</name>
    <message>
        <source>The simulation program could not be started: %1</source>
        <translation>The simulation program could not be started: %1</translation>
    </message>
    <message>
        <source>The simulation refused the scheme: %1</source>
        <translation>The simulation refused the scheme: %1</translation>
    </message>
    <message>
        <source>exit status %1</source>
        <translation>exit status %1</translation>
    </message>
    <message>
        <source>The simulation stopped unexpectedly.</source>
        <translation>The simulation stopped unexpectedly.</translation>
    </message>
    <message>
        <source>The simulation printed something that is not a timeline: %1</source>
        <translation>The simulation printed something that is not a timeline: %1</translation>
    </message>
    <message>
        <source>The scheme could not be written for the simulation: %1</source>
        <translation>The scheme could not be written for the simulation: %1</translation>
    </message>
    <message>
        <source>The simulation program is missing: %1</source>
        <translation>The simulation program is missing: %1</translation>
    </message>
</context>
<context>
    <name>ProblemsWin</name>
    <message>
        <source>item %1 (%2)</source>
        <translation>item %1 (%2)</translation>
    </message>
    <message>
        <source>item %1</source>
        <translation>item %1</translation>
    </message>
    <message>
        <source>time point %1</source>
        <translation>time point %1</translation>
    </message>
    <message>
        <source>Problems found: %1. Click one to select its place in the schedule.</source>
        <translation>Problems found: %1. Click one to select its place in the schedule.</translation>
    </message>
    <message>
        <source>No problems found: the scheme plays as it is set up.</source>
        <translation>No problems found: the scheme plays as it is set up.</translation>
    </message>
    <message>
        <source>close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Problems</source>
        <translation>Problems</translation>
    </message>
</context>
<context>
    <name>ScreensWin</name>
    <message>
        <source>Screens</source>
        <translation>Screens</translation>
    </message>
    <message>
        <source>Fleet folder…</source>
        <translation>Fleet folder…</translation>
    </message>
    <message>
        <source>Publish</source>
        <translation>Publish</translation>
    </message>
    <message>
        <source>Screenshot</source>
        <translation>Screenshot</translation>
    </message>
    <message>
        <source>Screen</source>
        <translation>Screen</translation>
    </message>
    <message>
        <source>State</source>
        <translation>State</translation>
    </message>
    <message>
        <source>Bundle</source>
        <translation>Bundle</translation>
    </message>
    <message>
        <source>Playing</source>
        <translation>Playing</translation>
    </message>
    <message>
        <source>Last seen</source>
        <translation>Last seen</translation>
    </message>
    <message>
        <source>Last error</source>
        <translation>Last error</translation>
    </message>
    <message>
        <source>No fleet in %1. An operator makes one with &quot;lumora-fleet ca init&quot;.</source>
        <translation>No fleet in %1. An operator makes one with &quot;lumora-fleet ca init&quot;.</translation>
    </message>
    <message>
        <source>Fleet %1, broker %2: %3</source>
        <translation>Fleet %1, broker %2: %3</translation>
    </message>
    <message>
        <source>connected</source>
        <translation>connected</translation>
    </message>
    <message>
        <source>not connected</source>
        <translation>not connected</translation>
    </message>
    <message>
        <source>Not in a group</source>
        <translation>Not in a group</translation>
    </message>
    <message>
        <source>making the bundle</source>
        <translation>making the bundle</translation>
    </message>
    <message>
        <source>uploading %1 %</source>
        <translation>uploading %1 %</translation>
    </message>
    <message>
        <source>active</source>
        <translation>active</translation>
    </message>
    <message>
        <source>refused: %1</source>
        <translation>refused: %1</translation>
    </message>
    <message>
        <source>ready, switches at %1</source>
        <translation>ready, switches at %1</translation>
    </message>
    <message>
        <source>ready</source>
        <translation>ready</translation>
    </message>
    <message>
        <source>fetching %1 %</source>
        <translation>fetching %1 %</translation>
    </message>
    <message>
        <source>sent, waiting for the device</source>
        <translation>sent, waiting for the device</translation>
    </message>
    <message>
        <source>online</source>
        <translation>online</translation>
    </message>
    <message>
        <source>offline</source>
        <translation>offline</translation>
    </message>
    <message>
        <source>never seen</source>
        <translation>never seen</translation>
    </message>
    <message>
        <source>%1 %2 (%3 here)</source>
        <translation>%1 %2 (%3 here)</translation>
    </message>
    <message>
        <source>No screenshot</source>
        <translation>No screenshot</translation>
    </message>
    <message>
        <source>Version: %1</source>
        <translation>Version: %1</translation>
    </message>
    <message>
        <source>Free disk: %1 MB</source>
        <translation>Free disk: %1 MB</translation>
    </message>
    <message>
        <source>Previous bundle: %1</source>
        <translation>Previous bundle: %1</translation>
    </message>
    <message>
        <source>Player: %1</source>
        <translation>Player: %1</translation>
    </message>
    <message>
        <source>Player crashes since the last switch: %1</source>
        <translation>Player crashes since the last switch: %1</translation>
    </message>
    <message>
        <source>Fleet folder</source>
        <translation>Fleet folder</translation>
    </message>
    <message>
        <source>Asked %1 for a screenshot.</source>
        <translation>Asked %1 for a screenshot.</translation>
    </message>
    <message>
        <source>Save the scheme first: a bundle is made from the saved file.</source>
        <translation>Save the scheme first: a bundle is made from the saved file.</translation>
    </message>
    <message>
        <source>Publishing %1 to %2.</source>
        <translation>Publishing %1 to %2.</translation>
    </message>
    <message>
        <source>Not published: %1</source>
        <translation>Not published: %1</translation>
    </message>
    <message>
        <source>Not published: the bundle could not be signed</source>
        <translation>Not published: the bundle could not be signed</translation>
    </message>
    <message>
        <source>Bundle %1 sent.</source>
        <translation>Bundle %1 sent.</translation>
    </message>
    <message>
        <source>running</source>
        <translation>running</translation>
    </message>
    <message>
        <source>none (headless agent)</source>
        <translation>none (headless agent)</translation>
    </message>
    <message>
        <source>not running</source>
        <translation>not running</translation>
    </message>
    <message>
        <source>Cancel publish</source>
        <translation>Cancel publish</translation>
    </message>
    <message>
        <source>The selected screens keep what they play and drop a bundle still on its way or waiting for its time.</source>
        <translation>The selected screens keep what they play and drop a bundle still on its way or waiting for its time.</translation>
    </message>
    <message>
        <source>Remove device</source>
        <translation>Remove device</translation>
    </message>
    <message>
        <source>Not cancelled: the broker cannot be reached.</source>
        <translation>Not cancelled: the broker cannot be reached.</translation>
    </message>
    <message>
        <source>Cancelling the publish to %1…</source>
        <translation>Cancelling the publish to %1…</translation>
    </message>
    <message>
        <source>Remove %1 from the fleet? Its certificate is revoked in the CA folder&apos;s crl.pem, its retained state on the broker is cleared and this folder forgets it.

The broker and the content server refuse it once they have that crl.pem; its section in the broker&apos;s ACL file stays until you take it out.</source>
        <translation>Remove %1 from the fleet? Its certificate is revoked in the CA folder&apos;s crl.pem, its retained state on the broker is cleared and this folder forgets it.

The broker and the content server refuse it once they have that crl.pem; its section in the broker&apos;s ACL file stays until you take it out.</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Remove</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Not removed: %1</source>
        <translation>Not removed: %1</translation>
    </message>
    <message>
        <source>Not removed: the broker cannot be reached.</source>
        <translation>Not removed: the broker cannot be reached.</translation>
    </message>
    <message>
        <source>Removing %1…</source>
        <translation>Removing %1…</translation>
    </message>
    <message>
        <source>Publish cancelled for %1: the screens keep what they play and drop a bundle not yet playing.</source>
        <translation>Publish cancelled for %1: the screens keep what they play and drop a bundle not yet playing.</translation>
    </message>
    <message>
        <source>%1 is forgotten and its certificate revoked. Copy crl.pem from the CA folder to the broker and the content server, restart the broker and have nginx read it again (kill -HUP); take its section out of the broker&apos;s ACL file.</source>
        <translation>%1 is forgotten and its certificate revoked. Copy crl.pem from the CA folder to the broker and the content server, restart the broker and have nginx read it again (kill -HUP); take its section out of the broker&apos;s ACL file.</translation>
    </message>
    <message>
        <source>%1 is forgotten, but this CA folder knows no certificate of it: revoke its certificate by hand and take its section out of the broker&apos;s ACL file.</source>
        <translation>%1 is forgotten, but this CA folder knows no certificate of it: revoke its certificate by hand and take its section out of the broker&apos;s ACL file.</translation>
    </message>
    <message>
        <source>cancelled</source>
        <translation>cancelled</translation>
    </message>
    <message>
        <source>Play log</source>
        <translation>Play log</translation>
    </message>
    <message>
        <source>online, a screen is dark</source>
        <translation>online, a screen is dark</translation>
    </message>
    <message>
        <source>delivered up to %1</source>
        <translation>delivered up to %1</translation>
    </message>
    <message>
        <source>nothing delivered yet</source>
        <translation>nothing delivered yet</translation>
    </message>
    <message>
        <source>%1; rows waiting: %2</source>
        <translation>%1; rows waiting: %2</translation>
    </message>
</context>
<context>
    <name>MqttLink</name>
    <message>
        <source>the file is no PEM certificate</source>
        <translation>the file is no PEM certificate</translation>
    </message>
    <message>
        <source>by this device&apos;s clock it has expired</source>
        <translation>by this device&apos;s clock it has expired</translation>
    </message>
    <message>
        <source>by this device&apos;s clock it is not valid yet</source>
        <translation>by this device&apos;s clock it is not valid yet</translation>
    </message>
    <message>
        <source>it does not come from the fleet&apos;s CA (%1)</source>
        <translation>it does not come from the fleet&apos;s CA (%1)</translation>
    </message>
    <message>
        <source>The broker at %1:%2 did not answer within %3 seconds.</source>
        <translation>The broker at %1:%2 did not answer within %3 seconds.</translation>
    </message>
    <message>
        <source>The link was stopped.</source>
        <translation>The link was stopped.</translation>
    </message>
    <message>
        <source>The broker&apos;s name %1 cannot be resolved: %2.</source>
        <translation>The broker&apos;s name %1 cannot be resolved: %2.</translation>
    </message>
    <message>
        <source>The MQTT client cannot be created (client id &quot;%1&quot;).</source>
        <translation>The MQTT client cannot be created (client id &quot;%1&quot;).</translation>
    </message>
    <message>
        <source>The TLS files cannot be used (CA %1, certificate %2, key %3): %4.</source>
        <translation>The TLS files cannot be used (CA %1, certificate %2, key %3): %4.</translation>
    </message>
    <message>
        <source>The last will on %1 cannot be set: %2.</source>
        <translation>The last will on %1 cannot be set: %2.</translation>
    </message>
    <message>
        <source>The broker at %1:%2 does not speak MQTT 5; the link speaks MQTT 3.1.1 to it.</source>
        <translation>The broker at %1:%2 does not speak MQTT 5; the link speaks MQTT 3.1.1 to it.</translation>
    </message>
    <message>
        <source>The broker at %1:%2 refused the connection: %3.</source>
        <translation>The broker at %1:%2 refused the connection: %3.</translation>
    </message>
    <message>
        <source>The broker refused this device&apos;s certificate: it has expired (%1).</source>
        <translation>The broker refused this device&apos;s certificate: it has expired (%1).</translation>
    </message>
    <message>
        <source>The broker refused this device&apos;s certificate: it has been revoked (%1).</source>
        <translation>The broker refused this device&apos;s certificate: it has been revoked (%1).</translation>
    </message>
    <message>
        <source>The broker refused this device&apos;s certificate: it does not come from a CA the broker trusts (%1).</source>
        <translation>The broker refused this device&apos;s certificate: it does not come from a CA the broker trusts (%1).</translation>
    </message>
    <message>
        <source>The broker refused this device&apos;s certificate (%1).</source>
        <translation>The broker refused this device&apos;s certificate (%1).</translation>
    </message>
    <message>
        <source>The broker refused this device&apos;s certificate (%1): %2.</source>
        <translation>The broker refused this device&apos;s certificate (%1): %2.</translation>
    </message>
    <message>
        <source>The broker&apos;s certificate was not accepted: it is not made out to %1.</source>
        <translation>The broker&apos;s certificate was not accepted: it is not made out to %1.</translation>
    </message>
    <message>
        <source>The broker&apos;s certificate was not accepted: it does not come from the fleet&apos;s CA (%1), or it has expired.</source>
        <translation>The broker&apos;s certificate was not accepted: it does not come from the fleet&apos;s CA (%1), or it has expired.</translation>
    </message>
    <message>
        <source>The TLS connection to the broker failed: %1.</source>
        <translation>The TLS connection to the broker failed: %1.</translation>
    </message>
    <message>
        <source>The broker at %1 ended the connection right after the TLS handshake, before answering: it most likely refused this device&apos;s certificate (%2).</source>
        <translation>The broker at %1 ended the connection right after the TLS handshake, before answering: it most likely refused this device&apos;s certificate (%2).</translation>
    </message>
    <message>
        <source>The broker at %1 ended the connection right after the TLS handshake, before answering: it most likely refused this device&apos;s certificate (%2): %3.</source>
        <translation>The broker at %1 ended the connection right after the TLS handshake, before answering: it most likely refused this device&apos;s certificate (%2): %3.</translation>
    </message>
    <message>
        <source>The broker at %1 closed the connection: %2.</source>
        <translation>The broker at %1 closed the connection: %2.</translation>
    </message>
    <message>
        <source>The broker at %1 did not answer within the keepalive (%2 s): the route to it is dead.</source>
        <translation>The broker at %1 did not answer within the keepalive (%2 s): the route to it is dead.</translation>
    </message>
    <message>
        <source>The broker at %1 closed the connection.</source>
        <translation>The broker at %1 closed the connection.</translation>
    </message>
    <message>
        <source>The broker at %1 closed the connection before accepting it.</source>
        <translation>The broker at %1 closed the connection before accepting it.</translation>
    </message>
    <message>
        <source>The TLS handshake with the broker at %1 failed.</source>
        <translation>The TLS handshake with the broker at %1 failed.</translation>
    </message>
    <message>
        <source>The broker&apos;s name %1 cannot be resolved.</source>
        <translation>The broker&apos;s name %1 cannot be resolved.</translation>
    </message>
    <message>
        <source>The broker at %1 refused the connection (nothing listens there).</source>
        <translation>The broker at %1 refused the connection (nothing listens there).</translation>
    </message>
    <message>
        <source>The broker at %1 reset the connection.</source>
        <translation>The broker at %1 reset the connection.</translation>
    </message>
    <message>
        <source>The TLS connection to the broker at %1 broke off.</source>
        <translation>The TLS connection to the broker at %1 broke off.</translation>
    </message>
    <message>
        <source>The connection to the broker at %1 timed out.</source>
        <translation>The connection to the broker at %1 timed out.</translation>
    </message>
    <message>
        <source>The broker at %1 cannot be reached (no route).</source>
        <translation>The broker at %1 cannot be reached (no route).</translation>
    </message>
    <message>
        <source>The connection to the broker at %1 failed: %2.</source>
        <translation>The connection to the broker at %1 failed: %2.</translation>
    </message>
</context>
</TS>
