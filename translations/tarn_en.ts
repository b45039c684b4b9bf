<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>Align</name>
    <message numerus="yes">
        <source>Aligned %n cues; %1 uncertain</source>
        <translation>
            <numerusform>Aligned %n cue; %1 uncertain</numerusform>
            <numerusform>Aligned %n cues; %1 uncertain</numerusform>
        </translation>
    </message>
    <message>
        <source>Aligning the script</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There are no cues to align: add the script as placeholder cues (&quot;#&quot;), or choose the cues to align.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The voice speaks nothing of the texts of these cues.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is no sound to align the cues to.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CAboutDlg</name>
    <message>
        <source>关于 tarn</source>
        <translation>About tarn</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Version: %1
Build: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CAlignScriptDlg</name>
    <message numerus="yes">
        <source>Placeholder cues (&quot;#&quot;): %n</source>
        <translation>
            <numerusform>Placeholder cues (&quot;#&quot;): %n</numerusform>
            <numerusform>Placeholder cues (&quot;#&quot;): %n</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Chosen cues: %n</source>
        <translation>
            <numerusform>Chosen cues: %n</numerusform>
            <numerusform>Chosen cues: %n</numerusform>
        </translation>
    </message>
    <message>
        <source>All cues, keeping their texts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Align script</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Language:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Each cue&apos;s text is spoken by a voice of that language and laid where the recording says it, within the selection (or all of it). Cues the alignment is unsure of are marked &quot;uncertain&quot; for review.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Align:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CCueListDock</name>
    <message>
        <source>Cues</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CDetectPhrasesDlg</name>
    <message>
        <source>Detect phrases</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New cues, one &quot;#&quot; cue per phrase</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lay the script: the %1 placeholder cues onto the phrases</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Threshold:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Minimum silence:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Minimum phrase:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Padding:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 phrases found.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Laying %1 placeholder cues: %2 joined, %3 split.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Automatic (%1 dBFS)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CDlgString</name>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Subtitle text (Ctrl+Enter for a new line):</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CExportClipsDlg</name>
    <message>
        <source>Export clips</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>{n}: the clip&apos;s number, {n:03} with 3 digits; {text}: the cue&apos;s first line; {start}: its start (h-mm-ss.mmm); {base}: the recording&apos;s name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All cues</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The current cue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The cues that overlap the selection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Include placeholder cues (&quot;#&quot;)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fade in and out (10 ms)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>WAV 16-bit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>FLAC</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MP3 (VBR, quality 2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Opus in Ogg (96 kbit/s)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Index file:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tab-separated, one row per clip, in the folder of the clips</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Folder:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Names:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>from</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preview:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cues:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Padding:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>before</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>after</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Format:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export clips to</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>... %1 clips in all</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No cue to export.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>As recorded</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Peak to -1 dBFS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Loudness</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Integrated loudness (EBU R128), the true peak at most -1.5 dBTP; a clip under 400 ms is brought to its peak instead</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 LUFS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>never</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Consecutive cues this close make one clip, their texts on separate lines</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The texts before and after each clip</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Translation from:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A still of the video at each clip, high:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> px</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Deck package (.apkg), deck:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Level:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Join cues closer than:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Translation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Subtitles (*.srt *.vtt *.ass *.ssa *.sbv *.txt *.tsv);;All files (*)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CFindDlg</name>
    <message>
        <source>Replace with:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Match case</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Whole words</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Regular expression</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replace</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replace all</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find next</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find previous</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CMainFrame</name>
    <message>
        <source>最近的文件</source>
        <translation>Recent Files</translation>
    </message>
    <message>
        <source>工具栏</source>
        <translation>Toolbar</translation>
    </message>
    <message>
        <source>就绪</source>
        <translation>Ready</translation>
    </message>
    <message>
        <source>控制栏</source>
        <translation>Console Bar</translation>
    </message>
    <message numerus="yes">
        <source>%n cues break the rules</source>
        <translation>
            <numerusform>%n cue breaks the rules</numerusform>
            <numerusform>%n cues break the rules</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>CProfileDlg</name>
    <message>
        <source>Custom timing rules</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Most characters per second:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shortest duration (ms):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Longest duration (ms):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Least gap (frames):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Frames per second:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Most characters per line:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Most lines:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type a number of 0 or more (above 0 for the speed and the frame rate; whole for frames, characters and lines).</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CRetimeDlg</name>
    <message>
        <source>Shift by (ms, negative: earlier):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Two-point sync:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change the frame rate from:</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>The %n chosen cues</source>
        <translation>
            <numerusform>The chosen cue</numerusform>
            <numerusform>The %n chosen cues</numerusform>
        </translation>
    </message>
    <message>
        <source>Retime cues</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All cues</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>to</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type the shift as a number of milliseconds, such as -250 or 1500.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type the frame rates as numbers, such as 25 or 23.976.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CShortcutsDlg</name>
    <message>
        <source>Keys</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>What it does</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CTidyDlg</name>
    <message numerus="yes">
        <source>The %n chosen cues</source>
        <translation>
            <numerusform>The chosen cue</numerusform>
            <numerusform>The %n chosen cues</numerusform>
        </translation>
    </message>
    <message>
        <source>Tidy timing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Snap to speech within (ms, 0: off):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lead-in (ms):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lead-out (ms):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close gaps shorter than (ms):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Minimum gap (ms):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Minimum duration (ms):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All cues</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type each length as milliseconds, 0 or more.</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n cues would change.</source>
        <translation>
            <numerusform>%n cue would change.</numerusform>
            <numerusform>%n cues would change.</numerusform>
        </translation>
    </message>
    <message>
        <source>With snapping, the cues are counted as they are tidied.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Command</name>
    <message>
        <source>新建(&amp;N)	Ctrl+N</source>
        <translation>&amp;New	Ctrl+N</translation>
    </message>
    <message>
        <source>创建新文档</source>
        <translation>Create a new document</translation>
    </message>
    <message>
        <source>新建</source>
        <translation>New</translation>
    </message>
    <message>
        <source>打开(&amp;O)...	Ctrl+O</source>
        <translation>&amp;Open...	Ctrl+O</translation>
    </message>
    <message>
        <source>打开现有文档</source>
        <translation>Open an existing document</translation>
    </message>
    <message>
        <source>打开</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>保存(&amp;S)	Ctrl+S</source>
        <translation>&amp;Save	Ctrl+S</translation>
    </message>
    <message>
        <source>保存活动文档</source>
        <translation>Save the active document</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>另存为(&amp;A)...</source>
        <translation>Save &amp;As...</translation>
    </message>
    <message>
        <source>用新名称保存活动文档</source>
        <translation>Save the active document with a new name</translation>
    </message>
    <message>
        <source>另存为</source>
        <translation>Save As</translation>
    </message>
    <message>
        <source>Save Vorn</source>
        <translation>Export cue pairs...</translation>
    </message>
    <message>
        <source>Save Vorn(2)</source>
        <translation>Export cues as clips...</translation>
    </message>
    <message>
        <source>打印(&amp;P)...	Ctrl+P</source>
        <translation>&amp;Print...	Ctrl+P</translation>
    </message>
    <message>
        <source>打印活动文档</source>
        <translation>Print the active document</translation>
    </message>
    <message>
        <source>打印</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>退出(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>退出应用程序；提示保存文档</source>
        <translation>Quit the program; asks to save the document</translation>
    </message>
    <message>
        <source>退出</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>撤消(&amp;U)	Ctrl+Z</source>
        <translation>&amp;Undo	Ctrl+Z</translation>
    </message>
    <message>
        <source>撤消上一操作</source>
        <translation>Undo the last action</translation>
    </message>
    <message>
        <source>撤消</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>重做(&amp;R)	Ctrl+Y</source>
        <translation>&amp;Redo	Ctrl+Y</translation>
    </message>
    <message>
        <source>重做上次撤消的操作</source>
        <translation>Redo the last undone action</translation>
    </message>
    <message>
        <source>重做</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>剪切(&amp;T)	Ctrl+X</source>
        <translation>Cu&amp;t	Ctrl+X</translation>
    </message>
    <message>
        <source>剪切所选内容，并将其放到剪贴板上</source>
        <translation>Cut the selection and put it on the clipboard</translation>
    </message>
    <message>
        <source>剪切</source>
        <translation>Cut</translation>
    </message>
    <message>
        <source>复制(&amp;C)	Ctrl+C</source>
        <translation>&amp;Copy	Ctrl+C</translation>
    </message>
    <message>
        <source>复制所选内容，将其放入剪贴板</source>
        <translation>Copy the selection and put it on the clipboard</translation>
    </message>
    <message>
        <source>复制</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>粘贴(&amp;P)	Ctrl+V</source>
        <translation>&amp;Paste	Ctrl+V</translation>
    </message>
    <message>
        <source>插入剪贴板内容</source>
        <translation>Insert the clipboard contents</translation>
    </message>
    <message>
        <source>粘贴</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>工具栏(&amp;T)</source>
        <translation>&amp;Toolbar</translation>
    </message>
    <message>
        <source>显示或隐藏工具栏</source>
        <translation>Show or hide the toolbar</translation>
    </message>
    <message>
        <source>切换工具栏</source>
        <translation>Toggle Toolbar</translation>
    </message>
    <message>
        <source>状态栏(&amp;S)</source>
        <translation>&amp;Status Bar</translation>
    </message>
    <message>
        <source>显示或隐藏状态栏</source>
        <translation>Show or hide the status bar</translation>
    </message>
    <message>
        <source>切换状态栏</source>
        <translation>Toggle Status Bar</translation>
    </message>
    <message>
        <source>控制栏(&amp;C)</source>
        <translation>&amp;Console Bar</translation>
    </message>
    <message>
        <source>关于 tarn(&amp;A)...</source>
        <translation>&amp;About tarn...</translation>
    </message>
    <message>
        <source>显示程序信息、版本号和版权信息</source>
        <translation>Show the program information, version number and copyright</translation>
    </message>
    <message>
        <source>关于</source>
        <translation>About</translation>
    </message>
    <message>
        <source>切换到下一个窗口窗格</source>
        <translation>Switch to the next window pane</translation>
    </message>
    <message>
        <source>下一窗格</source>
        <translation>Next Pane</translation>
    </message>
    <message>
        <source>切换回上一个窗口窗格</source>
        <translation>Switch back to the previous window pane</translation>
    </message>
    <message>
        <source>上一窗格</source>
        <translation>Previous Pane</translation>
    </message>
    <message>
        <source>Zoom out</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom in</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save clip</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Decrease volume</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Increase volume</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Play</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Atach</source>
        <translation>Attach</translation>
    </message>
    <message>
        <source>Add Subtitle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete Subtitle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check Conflict</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Detect phrases...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find the spoken phrases by their silences and make cues of them</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Detect phrases</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop the sound and the play cursor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Play or stop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Play the selection, or stop what is playing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Play before start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Play the half second before the selection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Play start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Play the first half second of the selection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Play end</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Play the last half second of the selection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Play after end</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Play the half second after the selection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start 10 ms earlier</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move the current cue&apos;s start 10 ms earlier</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start 10 ms later</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move the current cue&apos;s start 10 ms later</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>End 10 ms earlier</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move the current cue&apos;s end 10 ms earlier</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>End 10 ms later</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move the current cue&apos;s end 10 ms later</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start 100 ms earlier</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move the current cue&apos;s start 100 ms earlier</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start 100 ms later</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move the current cue&apos;s start 100 ms later</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>End 100 ms earlier</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move the current cue&apos;s end 100 ms earlier</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>End 100 ms later</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move the current cue&apos;s end 100 ms later</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Go to start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scroll to the start of the recording</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Go to end</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scroll to the end of the recording</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keyboard shortcuts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>List every key and mouse gesture</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>EXEC</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>编辑(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>视图(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>Cues</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>帮助(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>Undo %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Redo %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import subtitles...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replace the cues with those of an SRT, WebVTT, ASS, SBV or label file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export subtitles...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write the cues as an SRT, WebVTT, ASS, SBV or label file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export clips...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write every cue as a clip of its own, named by number and text, with an index for flashcards</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cue list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show or hide the list of cues</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Play the cue when it becomes current</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Play a cue chosen in the list or by the next and previous cue keys</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find a text among the cues</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replace...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replace a text in the cues with another</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find next</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Make the next cue with the text current</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find previous</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Make the previous cue with the text current</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Retime cues...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shift the cues, fit them to two times or carry them to another frame rate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Next cue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Make the next cue current</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Previous cue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Make the previous cue current</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit cue text...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit the text of the current cue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select the cue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move the selection to the current cue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Go to time...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bring a time of the recording into view</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Next cue breaking a rule</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Make the next cue that breaks a timing rule current</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Previous cue breaking a rule</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Make the previous cue that breaks a timing rule current</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rules: Netflix (adults)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rules: Netflix (children)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check the cues against these timing rules</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tidy timing...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Snap, lengthen and space the cues to meet the timing rules</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rules: Custom...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set and use timing rules of your own</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Accept timing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Accepts the current cue&apos;s timing: it is no longer marked uncertain</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Align script...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lay the script&apos;s cues where their texts are spoken</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Align script</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Playback speed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Slower</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Play a tenth slower, the pitch kept</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Faster</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Play a tenth faster, the pitch kept</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Normal speed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Play at the recorded speed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Loop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Play the selection over and over until stopped</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Spectrogram</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show each channel as a spectrogram, not a waveform</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Linear frequencies</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lay the spectrogram&apos;s frequencies out evenly, not by octaves</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Waveform over the spectrogram</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Draw the waveform thin over the spectrogram</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Amplitude zoom in</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Magnify the waveform&apos;s height twice (up to x64)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Amplitude zoom out</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Halve the waveform&apos;s magnification</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CtarnApp</name>
    <message>
        <source>Wave Files (*.wav)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save changes to %1?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>另存为</source>
        <translation>Save As</translation>
    </message>
    <message>
        <source>Audio and video files (*.wav *.mp3 *.m4a *.aac *.flac *.ogg *.oga *.opus *.wma *.aif *.aiff *.caf *.mp4 *.m4v *.mov *.mkv *.webm *.avi *.mpg *.ts);;Wave Files (*.wav);;All files (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import subtitles</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Subtitles (*.srt *.vtt *.ass *.ssa *.sbv *.txt *.tsv);;All files (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No voice speaks %1.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CtarnView</name>
    <message>
        <source>Open a recording (Ctrl+O) or drop a file here</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 dB</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Message</name>
    <message>
        <source>falkfdfjsew</source>
        <translation>The sound output device cannot be opened.</translation>
    </message>
    <message>
        <source>memory alloc failure!</source>
        <comment>play</comment>
        <translation type="vanished">There is not enough memory to play this part of the recording.</translation>
    </message>
    <message>
        <source>Jkldjsklfeew</source>
        <translation>The sound to play could not be prepared for the output device.</translation>
    </message>
    <message>
        <source>GOOD MRONG</source>
        <translation>The sound could not be handed to the output device.</translation>
    </message>
    <message>
        <source>open file error1</source>
        <translation>The savetest command cannot write the cue file.</translation>
    </message>
    <message>
        <source>unknow command</source>
        <translation>Unknown command</translation>
    </message>
    <message>
        <source>cannot read %1</source>
        <translation>Cannot read %1.</translation>
    </message>
    <message>
        <source>not a PCM WAV file</source>
        <translation>This is not a PCM WAV file.</translation>
    </message>
    <message>
        <source>memory alloc failure!</source>
        <comment>open</comment>
        <translation>There is not enough memory to open this file.</translation>
    </message>
    <message>
        <source>Saved %1 with its .txt, .sbv and .ass</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>alloc memory 0 failure</source>
        <comment>undo</comment>
        <translation>There is not enough memory to undo or redo this step.</translation>
    </message>
    <message>
        <source>noname</source>
        <translation>Untitled</translation>
    </message>
    <message>
        <source>write file error %1</source>
        <translation>Cannot write %1.</translation>
    </message>
    <message>
        <source>Save clip to file</source>
        <translation>Save the selection as a clip</translation>
    </message>
    <message>
        <source>Wave files(*.wav)</source>
        <translation>Wave files (*.wav)</translation>
    </message>
    <message>
        <source>Saved clip %1 (%2 frames)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>alloc memory 0 failure</source>
        <comment>volume</comment>
        <translation>There is not enough memory to change the volume of the selection.</translation>
    </message>
    <message>
        <source>alloc memory0 failure</source>
        <translation>There is not enough memory to copy the selection.</translation>
    </message>
    <message>
        <source>alloc memory 0 failure</source>
        <comment>paste</comment>
        <translation>There is not enough memory to paste.</translation>
    </message>
    <message>
        <source>alloc memory 0 failure</source>
        <comment>cut or paste</comment>
        <translation>There is not enough memory for this edit.</translation>
    </message>
    <message>
        <source>The threshold must be at most 0 dBFS.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lengths must not be negative.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Recover unsaved changes to %1?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> The file no longer exists: only the cues can be recovered.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> The file changed since: only the cues can be recovered.</source>
        <translation> The file has changed since: only the cues can be recovered.</translation>
    </message>
    <message>
        <source>The recovery record %1 cannot be read and was set aside</source>
        <translation>The recovery record %1 cannot be read and was set aside.</translation>
    </message>
    <message>
        <source>bitsPerSample must equ 16 or 8</source>
        <translation>Only WAV files with 8-bit or 16-bit samples can be opened.</translation>
    </message>
    <message>
        <source>AudioFormat must equ 1</source>
        <translation>Only uncompressed PCM WAV files can be opened.</translation>
    </message>
    <message>
        <source>NumOfChannel must be 1 or 2</source>
        <translation>Only mono and stereo WAV files can be opened.</translation>
    </message>
    <message>
        <source>Save clip to file</source>
        <comment>export</comment>
        <translation>Export clips: choose the folder and the first number</translation>
    </message>
    <message>
        <source>Can not find \</source>
        <translation>The chosen name has no folder to export the clips into.</translation>
    </message>
    <message>
        <source>Open error %1</source>
        <translation>Cannot write the clip %1.</translation>
    </message>
    <message>
        <source>open file error %1</source>
        <translation>Cannot write the clip text %1.</translation>
    </message>
    <message>
        <source>Save Vorn</source>
        <translation>Exporting cue pairs...</translation>
    </message>
    <message>
        <source>Save Vorn(2)</source>
        <translation>Exporting cues as clips...</translation>
    </message>
    <message>
        <source>Saved %1 clips and %2 texts in %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>left=%1 right=%2</source>
        <translation>Select at least 10 frames to attach the cue to (the selection runs from frame %1 to %2).</translation>
    </message>
    <message>
        <source>NOT FOUND</source>
        <translation>No cues overlap.</translation>
    </message>
    <message>
        <source>Move cue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>open file error3 %1</source>
        <translation>Cannot write the cue file %1.</translation>
    </message>
    <message>
        <source>open file error4</source>
        <translation>Cannot write the .sbv cue file.</translation>
    </message>
    <message>
        <source>open file error2</source>
        <translation>Cannot write the .ass cue file.</translation>
    </message>
    <message>
        <source>Decoding %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>mono</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>stereo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 channels</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Opened %1: %2 Hz %3, decoded to 16 bits</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 (imported)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 has unsaved changes. Replace its cues with those of %2?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot read %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No cues found in %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is the cue file of %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot write %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export subtitles</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SRT subtitles (*.srt);;WebVTT subtitles (*.vtt);;ASS subtitles (*.ass);;SBV subtitles (*.sbv);;Label files (*.txt)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exported %1 cues to %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>Replace %n existing files?</source>
        <translation>
            <numerusform>Replace the existing file?</numerusform>
            <numerusform>Replace %n existing files?</numerusform>
        </translation>
    </message>
    <message>
        <source>Cannot create the folder %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export clips</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The export stopped: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No file was written.</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n files were written:</source>
        <translation>
            <numerusform>%n file was written:</numerusform>
            <numerusform>%n files were written:</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Export cancelled: %n clips written to %1</source>
        <translation>
            <numerusform>Export cancelled: %n clip written to %1</numerusform>
            <numerusform>Export cancelled: %n clips written to %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Exported %n clips to %1</source>
        <translation>
            <numerusform>Exported %n clip to %1</numerusform>
            <numerusform>Exported %n clips to %1</numerusform>
        </translation>
    </message>
    <message>
        <source>no encoder for %1 files</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%1 is shorter than its header says: %n frames read</source>
        <translation>
            <numerusform>%1 is shorter than its header says: %n frame read</numerusform>
            <numerusform>%1 is shorter than its header says: %n frames read</numerusform>
        </translation>
    </message>
    <message>
        <source>Recover unsaved changes to a new document?</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>; skipped %n malformed blocks (first at line %1)</source>
        <translation>
            <numerusform>; skipped %n malformed block (line %1)</numerusform>
            <numerusform>; skipped %n malformed blocks (first at line %1)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Read %1 as a plain script: %n cues</source>
        <translation>
            <numerusform>Read %1 as a plain script: %n cue</numerusform>
            <numerusform>Read %1 as a plain script: %n cues</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Imported %n cues</source>
        <translation>
            <numerusform>Imported %n cue</numerusform>
            <numerusform>Imported %n cues</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>; %n cues lie past the end of the recording</source>
        <translation>
            <numerusform>; %n cue lies past the end of the recording</numerusform>
            <numerusform>; %n cues lie past the end of the recording</numerusform>
        </translation>
    </message>
    <message>
        <source>The last save of %1 did not finish: its cues may not match its audio</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The format changed at %1: %2, %3 Hz</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>(%n changes in all)</source>
        <translation>
            <numerusform>(%n change in all)</numerusform>
            <numerusform>(%n changes in all)</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 cannot be opened as audio: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 has no audio</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing found</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>Replaced %n occurrences in %1</source>
        <translation>
            <numerusform>Replaced %n occurrence in %1</numerusform>
            <numerusform>Replaced %n occurrences in %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n cues</source>
        <translation>
            <numerusform>%n cue</numerusform>
            <numerusform>%n cues</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Retimed %n cues</source>
        <translation>
            <numerusform>Retimed %n cue</numerusform>
            <numerusform>Retimed %n cues</numerusform>
        </translation>
    </message>
    <message>
        <source>Go to time (h:mm:ss.mmm, mm:ss.mmm or seconds)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cue %1: %2 - %3 (%4)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invalid regular expression: %1 at offset %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is no cue %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose two different cues.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cues %1 and %2 start together: choose two cues that start apart.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cue %1 starts before cue %2, so its new time must be the earlier one.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Frame rates must be greater than 0.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The shift would move cue %1 before the start of the recording.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The sync would move cue %1 before the start of the recording.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The frame rate change would move cue %1 before the start of the recording.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The retiming would move cue %1 past %2, the latest time a cue can have.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type a time as h:mm:ss.mmm, mm:ss.mmm or seconds.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A time cannot be negative.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Minutes and seconds must be less than 60.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A time cannot be longer than 10000 hours.</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>Tidied %n cues</source>
        <translation>
            <numerusform>Tidied %n cue</numerusform>
            <numerusform>Tidied %n cues</numerusform>
        </translation>
    </message>
    <message>
        <source>Cannot read the translation %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 has no picture to take stills of</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>; %n too short for loudness, peak-normalised</source>
        <translation>
            <numerusform>; %n too short for loudness, peak-normalised</numerusform>
            <numerusform>; %n too short for loudness, peak-normalised</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 cannot be opened as video: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 has no picture</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a still cannot be %1 pixels high</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 gives no still at %2: %3</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QtHost</name>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Shortcuts</name>
    <message>
        <source>Left click</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move the selection&apos;s start there and play two seconds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Right click</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move the selection&apos;s end there and play up to it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+left click / Ctrl+right click</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select from the start / to the end of the recording</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shift+left click</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move the nearer edge of the selection there</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Left drag</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select from where the button went down to where it comes up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click on a cue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Make it current, select and play it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Double click on a cue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit its text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Drag a cue&apos;s left or right edge</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move its start or end; edges snap to other cues and the selection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Drag inside a cue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move the whole cue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Alt while dragging a cue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No snapping</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wheel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scroll</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+wheel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom in or out around the pointer</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Step</name>
    <message>
        <source>Decrease volume</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Increase volume</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cut</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paste</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Recover cues</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Subtitle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete Subtitle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Atach</source>
        <translation>Attach</translation>
    </message>
    <message>
        <source>Edit Subtitle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Detect phrases</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import subtitles</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete Subtitles</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replace all</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replace</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Retime cues</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tidy timing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Align script</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Accept timing</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Times</name>
    <message>
        <source>Pointer %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
