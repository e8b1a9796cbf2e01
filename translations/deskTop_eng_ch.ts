<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>BackgroundSelector</name>
    <message>
        <source>Color</source>
        <translation>颜色</translation>
    </message>
    <message>
        <source>Please Select background picture</source>
        <translation>请选择背景图片</translation>
    </message>
    <message>
        <source>Tile</source>
        <translation>平铺</translation>
    </message>
    <message>
        <source>Stretch</source>
        <translation>拉伸</translation>
    </message>
    <message>
        <source>Transparent</source>
        <translation>透明</translation>
    </message>
</context>
<context>
    <name>BootSetupWin</name>
    <message>
        <source>Started with the session by the lumora-player.service unit</source>
        <translation>由 lumora-player.service 单元随会话启动</translation>
    </message>
    <message>
        <source>Startup settings</source>
        <translation>启动设置</translation>
    </message>
    <message>
        <source>Start-up</source>
        <translation>开机启动</translation>
    </message>
    <message>
        <source>Auto play</source>
        <translation>自动播放</translation>
    </message>
    <message>
        <source>Option</source>
        <translation>选项</translation>
    </message>
    <message>
        <source>Select the scheme</source>
        <translation>选择方案</translation>
    </message>
    <message>
        <source>Play the last play scheme</source>
        <translation>播放上次播放的方案</translation>
    </message>
    <message>
        <source>select</source>
        <translation>选择</translation>
    </message>
    <message>
        <source>ok</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>打开</translation>
    </message>
    <message>
        <source>Schedule(*.schx)</source>
        <translation>播放方案(*.schx)</translation>
    </message>
</context>
<context>
    <name>CommonPlayWindow</name>
    <message>
        <source>Digital Clock</source>
        <translation>数字时钟</translation>
    </message>
    <message>
        <source>Digital Timer</source>
        <translation>计时器</translation>
    </message>
    <message>
        <source>Analog Clock</source>
        <translation>模拟时钟</translation>
    </message>
    <message>
        <source>URL</source>
        <translation>网页</translation>
    </message>
    <message>
        <source>Streaming Media</source>
        <translation>流媒体</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>视频设备</translation>
    </message>
    <message>
        <source>Weather</source>
        <translation>天气</translation>
    </message>
    <message>
        <source>Simple Text</source>
        <translation>简单文本</translation>
    </message>
    <message>
        <source>Single - row text</source>
        <translation>单行文本</translation>
    </message>
    <message>
        <source>Scrolling Text</source>
        <translation>滚动文本</translation>
    </message>
    <message>
        <source>success</source>
        <translation>成功</translation>
    </message>
</context>
<context>
    <name>CountTimerPanel</name>
    <message>
        <source>Background:</source>
        <translation>背景：</translation>
    </message>
    <message>
        <source>Transparency:</source>
        <translation>透明度：</translation>
    </message>
    <message>
        <source>Decrease progressively</source>
        <translation>递减（倒计时）</translation>
    </message>
    <message>
        <source>Increase progressively</source>
        <translation>递增（正计时）</translation>
    </message>
    <message>
        <source>Stopwatch type:</source>
        <translation>计时方式：</translation>
    </message>
    <message>
        <source>Number color:</source>
        <translation>数字颜色：</translation>
    </message>
    <message>
        <source>Target time:</source>
        <translation>目标时间：</translation>
    </message>
</context>
<context>
    <name>DisplaySettingsDialog</name>
    <message>
        <source>Led Display Parameter Setting</source>
        <translation>LED显示屏参数设置</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>名称：</translation>
    </message>
    <message>
        <source>X:</source>
        <translation>X：</translation>
    </message>
    <message>
        <source>Y:</source>
        <translation>Y：</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>宽度：</translation>
    </message>
    <message>
        <source>Height:</source>
        <translation>高度：</translation>
    </message>
    <message>
        <source>Never</source>
        <translation>从不</translation>
    </message>
    <message>
        <source>Always</source>
        <translation>总是</translation>
    </message>
    <message>
        <source>Playing</source>
        <translation>播放时</translation>
    </message>
    <message>
        <source>On Top:</source>
        <translation>置顶：</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>info</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>Name can not be empty!</source>
        <translation>名称不能为空！</translation>
    </message>
    <message>
        <source>The name already exists, please Reinput!</source>
        <translation>名称已存在，请重新输入！</translation>
    </message>
</context>
<context>
    <name>ExtendWin</name>
    <message>
        <source>Backstage setting</source>
        <translation>后台设置</translation>
    </message>
    <message>
        <source>Screen selection:</source>
        <translation>屏幕选择：</translation>
    </message>
    <message>
        <source>ok</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>ImagePanel</name>
    <message>
        <source>File:</source>
        <translation>文件：</translation>
    </message>
    <message>
        <source>Background:</source>
        <translation>背景：</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>浏览…</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>移除</translation>
    </message>
    <message>
        <source>Background music:</source>
        <translation>背景音乐：</translation>
    </message>
    <message>
        <source>Speed:</source>
        <translation>速度：</translation>
    </message>
    <message>
        <source>0.1s</source>
        <translation>×0.1秒</translation>
    </message>
    <message>
        <source>Entry effect</source>
        <translation>进场特效</translation>
    </message>
    <message>
        <source>Exit effect</source>
        <translation>出场特效</translation>
    </message>
    <message>
        <source>Scale:</source>
        <translation>缩放：</translation>
    </message>
    <message>
        <source>Stay Time:</source>
        <translation>停留时间：</translation>
    </message>
    <message>
        <source>seconds</source>
        <translation>秒</translation>
    </message>
    <message>
        <source>Transparency:</source>
        <translation>透明度：</translation>
    </message>
    <message>
        <source>Rotation angle:</source>
        <translation>旋转角度：</translation>
    </message>
    <message>
        <source>Background music</source>
        <translation>背景音乐</translation>
    </message>
</context>
<context>
    <name>ImportProgressDialog</name>
    <message>
        <source>Add Media</source>
        <translation>添加媒体</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Importing...</source>
        <translation>正在导入...</translation>
    </message>
    <message>
        <source>Importing %1 (%2 of %3)</source>
        <translation>正在导入 %1（第 %2 个，共 %3 个）</translation>
    </message>
    <message>
        <source>Importing %1 (%2 of %3), pages: %4</source>
        <translation>正在导入 %1（第 %2 个，共 %3 个），已转换 %4 页</translation>
    </message>
</context>
<context>
    <name>JournalWin</name>
    <message>
        <source>The device's own local time, as it logged the row</source>
        <translation>设备记录该行时的本地时间</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>设备</translation>
    </message>
    <message>
        <source>Device:</source>
        <translation>设备：</translation>
    </message>
    <message>
        <source>Group:</source>
        <translation>分组：</translation>
    </message>
    <message>
        <source>All devices</source>
        <translation>全部设备</translation>
    </message>
    <message>
        <source>All groups</source>
        <translation>全部分组</translation>
    </message>
    <message>
        <source>Central log…</source>
        <translation>中心日志…</translation>
    </message>
    <message>
        <source>This player's log</source>
        <translation>本机播放日志</translation>
    </message>
    <message>
        <source>Address:</source>
        <translation>地址：</translation>
    </message>
    <message>
        <source>The central play log's PostgreSQL address, for example postgresql://user@host/database or postgresql://user@/database?host=/socket/folder. It is only read, never written.</source>
        <translation>中心播放日志的 PostgreSQL 地址，例如 postgresql://user@host/database 或 postgresql://user@/database?host=/socket/folder。只读取，从不写入。</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>打开</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Connecting to the central log at %1…</source>
        <translation>正在连接中心日志 %1…</translation>
    </message>
    <message>
        <source>Only the first %1 rows are listed; the summary and the CSV export count every row.</source>
        <translation>仅列出前 %1 行；汇总和 CSV 导出包含全部行。</translation>
    </message>
    <message>
        <source>Central log, in each device's local time</source>
        <translation>中心日志（各设备的本地时间）</translation>
    </message>
    <message>
        <source>The central log at %1 cannot be reached: %2</source>
        <translation>无法连接中心日志 %1：%2</translation>
    </message>
    <message>
        <source>%1 holds no central play log (lumora-fleet collect makes it).</source>
        <translation>%1 中没有中心播放日志（由 lumora-fleet collect 创建）。</translation>
    </message>
    <message>
        <source>The central log at %1 was made by a newer Lumora and cannot be read here.</source>
        <translation>%1 的中心日志由更新版本的 Lumora 创建，此处无法读取。</translation>
    </message>
    <message>
        <source>The central log cannot be read: %1</source>
        <translation>无法读取中心日志：%1</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名称</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>时长</translation>
    </message>
    <message>
        <source>StartTime</source>
        <translation>开始时间</translation>
    </message>
    <message>
        <source>StopTime</source>
        <translation>结束时间</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>结果</translation>
    </message>
    <message>
        <source>Log plat</source>
        <translation>播放日志</translation>
    </message>
    <message>
        <source>date:  from</source>
        <translation>日期:  从</translation>
    </message>
    <message>
        <source>to</source>
        <translation>到</translation>
    </message>
    <message>
        <source>keyword:</source>
        <translation>关键字:</translation>
    </message>
    <message>
        <source>Look up</source>
        <translation>查询</translation>
    </message>
    <message>
        <source>Export CSV</source>
        <translation>导出 CSV</translation>
    </message>
    <message>
        <source>Plays</source>
        <translation>播放次数</translation>
    </message>
    <message>
        <source>Summary</source>
        <translation>汇总</translation>
    </message>
    <message>
        <source>Seconds shown</source>
        <translation>播放秒数</translation>
    </message>
    <message>
        <source>First play</source>
        <translation>首次播放</translation>
    </message>
    <message>
        <source>Last play</source>
        <translation>末次播放</translation>
    </message>
    <message>
        <source>Nothing has been played yet: there is no play log.</source>
        <translation>尚未播放任何内容：没有播放日志。</translation>
    </message>
    <message>
        <source>The play log stayed in use by the player; look up again in a moment.</source>
        <translation>播放日志正被播放器占用，请稍后再查询。</translation>
    </message>
    <message>
        <source>The play log is damaged and cannot be read: %1</source>
        <translation>播放日志已损坏，无法读取：%1</translation>
    </message>
    <message>
        <source>The play log cannot be read: %1</source>
        <translation>无法读取播放日志：%1</translation>
    </message>
    <message>
        <source>A damaged play log was set aside as %1; the rows shown come from the current log.</source>
        <translation>损坏的播放日志已另存为 %1；此处显示的是当前日志中的记录。</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>CSV 文件 (*.csv)</translation>
    </message>
    <message>
        <source>The CSV file %1 could not be written.</source>
        <translation>无法写入 CSV 文件 %1。</translation>
    </message>
    <message>
        <source>All plays</source>
        <translation>全部播放记录</translation>
    </message>
</context>
<context>
    <name>LanguageSetupWin</name>
    <message>
        <source>Language setting</source>
        <translation>语言设置</translation>
    </message>
    <message>
        <source>ok</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>MainMenuBKLabel</name>
    <message>
        <source>Weather service</source>
        <translation>天气服务</translation>
    </message>
    <message>
        <source>solution</source>
        <translation>方案</translation>
    </message>
    <message>
        <source>New</source>
        <translation>新建</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>打开</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>SaveAs</source>
        <translation>另存为</translation>
    </message>
    <message>
        <source>control</source>
        <translation>控制</translation>
    </message>
    <message>
        <source>play</source>
        <translation>播放</translation>
    </message>
    <message>
        <source>pause</source>
        <translation>暂停</translation>
    </message>
    <message>
        <source>stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>set system</source>
        <translation>系统设置</translation>
    </message>
    <message>
        <source>SetBoot</source>
        <translation>开机设置</translation>
    </message>
    <message>
        <source>SetPlay</source>
        <translation>播放日志</translation>
    </message>
    <message>
        <source>language</source>
        <translation>语言</translation>
    </message>
    <message>
        <source>help</source>
        <translation>帮助</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>撤销</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>重做</translation>
    </message>
    <message>
        <source>Undo %1</source>
        <translation>撤销%1</translation>
    </message>
    <message>
        <source>Redo %1</source>
        <translation>重做%1</translation>
    </message>
    <message>
        <source>Screens</source>
        <translation>屏幕</translation>
    </message>
</context>
<context>
    <name>MediaImport</name>
    <message>
        <source>info</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>These text files are longer than 1 MiB; only their first 1 MiB was imported:
%1</source>
        <translation>以下文本文件超过 1 MiB，只导入了前 1 MiB：
%1</translation>
    </message>
</context>
<context>
    <name>MonitorWin</name>
    <message>
        <source>monitor</source>
        <translation>监视</translation>
    </message>
</context>
<context>
    <name>OfficePipeline</name>
    <message>
        <source>%1 is not an office document.</source>
        <translation>%1 不是办公文档。</translation>
    </message>
    <message>
        <source>%1 cannot be found and has no converted copy.</source>
        <translation>找不到 %1，也没有它的转换副本。</translation>
    </message>
    <message>
        <source>%1 could not be converted: %2 did not finish within %3 seconds.</source>
        <translation>%1 无法转换：%2 未在 %3 秒内完成。</translation>
    </message>
    <message>
        <source>The conversion of %1 was cancelled.</source>
        <translation>%1 的转换已取消。</translation>
    </message>
    <message>
        <source>%1 could not be converted: the PDF %2 wrote cannot be read.</source>
        <translation>%1 无法转换：%2 写出的 PDF 无法读取。</translation>
    </message>
    <message>
        <source>%1 could not be converted: %2 wrote no PDF.</source>
        <translation>%1 无法转换：%2 没有写出 PDF。</translation>
    </message>
    <message>
        <source>Application failed to create. Please ensure that %1 is installed!</source>
        <translation>应用程序创建失败，请确认已安装 %1！</translation>
    </message>
    <message>
        <source>%1 could not be converted: the cache folder %2 cannot be written.</source>
        <translation>%1 无法转换：缓存文件夹 %2 无法写入。</translation>
    </message>
    <message>
        <source>%1 could not be shown: its PDF cannot be read.</source>
        <translation>%1 无法显示：它的 PDF 无法读取。</translation>
    </message>
    <message>
        <source>%1 could not be converted.</source>
        <translation>%1 无法转换。</translation>
    </message>
</context>
<context>
    <name>OfficeProgressDialog</name>
    <message>
        <source>Office document</source>
        <translation>办公文档</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Converting %1</source>
        <translation>正在转换 %1</translation>
    </message>
    <message>
        <source>Pages: %1</source>
        <translation>页数：%1</translation>
    </message>
</context>
<context>
    <name>PanelKit</name>
    <message>
        <source>Random</source>
        <translation>随机</translation>
    </message>
    <message>
        <source>Slide from right</source>
        <translation>从右滑入</translation>
    </message>
    <message>
        <source>Slide from left</source>
        <translation>从左滑入</translation>
    </message>
    <message>
        <source>Slide from top</source>
        <translation>从上滑入</translation>
    </message>
    <message>
        <source>Slide from bottom</source>
        <translation>从下滑入</translation>
    </message>
    <message>
        <source>Slide from bottom right</source>
        <translation>从右下滑入</translation>
    </message>
    <message>
        <source>Slide from bottom left</source>
        <translation>从左下滑入</translation>
    </message>
    <message>
        <source>Slide from top left</source>
        <translation>从左上滑入</translation>
    </message>
    <message>
        <source>Slide from top right</source>
        <translation>从右上滑入</translation>
    </message>
    <message>
        <source>Reveal from right</source>
        <translation>从右展开</translation>
    </message>
    <message>
        <source>Reveal from left</source>
        <translation>从左展开</translation>
    </message>
    <message>
        <source>Reveal from top </source>
        <translation>从上展开</translation>
    </message>
    <message>
        <source>Reveal from bottom</source>
        <translation>从下展开</translation>
    </message>
    <message>
        <source>Reveal out left and right from middle</source>
        <translation>从中间向左右展开</translation>
    </message>
    <message>
        <source>Reveal in from left and right</source>
        <translation>左右向中间展开</translation>
    </message>
    <message>
        <source>Reveal out up and down from middle</source>
        <translation>从中间向上下展开</translation>
    </message>
    <message>
        <source>Reveal in from top and bottom</source>
        <translation>上下向中间展开</translation>
    </message>
    <message>
        <source>Reveal in to center</source>
        <translation>向中心收缩展开</translation>
    </message>
    <message>
        <source>Reveal out from center</source>
        <translation>从中心向外展开</translation>
    </message>
    <message>
        <source>None</source>
        <translation>无</translation>
    </message>
    <message>
        <source>Horizontal gradient(six colors)</source>
        <translation>水平渐变（六色）</translation>
    </message>
    <message>
        <source>Vertical gradient(six colors)</source>
        <translation>垂直渐变（六色）</translation>
    </message>
    <message>
        <source>Angle gradient(six colors)</source>
        <translation>斜向渐变（六色）</translation>
    </message>
    <message>
        <source>Three color streamer word</source>
        <translation>三色流光字</translation>
    </message>
    <message>
        <source>Rainbow streamer word</source>
        <translation>彩虹流光字</translation>
    </message>
    <message>
        <source>Fill</source>
        <translation>填充</translation>
    </message>
    <message>
        <source>Original Scale</source>
        <translation>原始比例</translation>
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
        <translation>从右到左</translation>
    </message>
    <message>
        <source>Left toRight</source>
        <translation>从左到右</translation>
    </message>
</context>
<context>
    <name>Prodoc</name>
    <message>
        <source>two display windows are named "%1"</source>
        <translation>有两个显示窗口都名为“%1”</translation>
    </message>
</context>
<context>
    <name>ProjectTree</name>
    <message>
        <source>%1 pasted window(s) did not fit the display window of %2 x %3 and were moved or made smaller.</source>
        <translation>%1 个粘贴的窗口超出了 %2 x %3 的显示窗口，已移入或缩小。</translation>
    </message>
    <message>
        <source>info</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>The schedule is empty,please add program!</source>
        <translation>播放计划为空，请添加节目！</translation>
    </message>
    <message>
        <source>Program</source>
        <translation>节目</translation>
    </message>
    <message>
        <source>Add Schedule</source>
        <translation>添加播放计划</translation>
    </message>
    <message>
        <source>General Segment</source>
        <translation>普通时段</translation>
    </message>
    <message>
        <source>Common Window</source>
        <translation>普通窗口</translation>
    </message>
    <message>
        <source>Add Common Segment</source>
        <translation>添加普通时段</translation>
    </message>
    <message>
        <source>Add Inserted Segment</source>
        <translation>添加插播时段</translation>
    </message>
    <message>
        <source>Timing Inserted</source>
        <translation>定时插播</translation>
    </message>
    <message>
        <source>Cycle Inserted</source>
        <translation>循环插播</translation>
    </message>
    <message>
        <source>Add Copied Segment</source>
        <translation>添加复制的时段</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>清空</translation>
    </message>
    <message>
        <source>Add Programs</source>
        <translation>添加节目</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>复制</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>粘贴</translation>
    </message>
    <message>
        <source>Move Up</source>
        <translation>上移</translation>
    </message>
    <message>
        <source>Move Down</source>
        <translation>下移</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>Clear Programs</source>
        <translation>清空节目</translation>
    </message>
    <message>
        <source>Add Common Window</source>
        <translation>添加普通窗口</translation>
    </message>
    <message>
        <source>Add Copied Window</source>
        <translation>添加复制的窗口</translation>
    </message>
    <message>
        <source>Clear Window</source>
        <translation>清空窗口</translation>
    </message>
    <message>
        <source>File</source>
        <translation>文件</translation>
    </message>
    <message>
        <source>Simple Text</source>
        <translation>简单文本</translation>
    </message>
    <message>
        <source>Single-row Text</source>
        <translation>单行文本</translation>
    </message>
    <message>
        <source>Scrolling Text</source>
        <translation>滚动文本</translation>
    </message>
    <message>
        <source>Analog Clock</source>
        <translation>模拟时钟</translation>
    </message>
    <message>
        <source>Digital Clock</source>
        <translation>数字时钟</translation>
    </message>
    <message>
        <source>Digital Timer</source>
        <translation>计时器</translation>
    </message>
    <message>
        <source>Weather</source>
        <translation>天气</translation>
    </message>
    <message>
        <source>Url</source>
        <translation>网页</translation>
    </message>
    <message>
        <source>Streaming</source>
        <translation>流媒体</translation>
    </message>
    <message>
        <source>Video Device</source>
        <translation>视频设备</translation>
    </message>
    <message>
        <source>Add Media</source>
        <translation>添加媒体</translation>
    </message>
    <message>
        <source>Clear Media</source>
        <translation>清空媒体</translation>
    </message>
    <message>
        <source>Window Position</source>
        <translation>窗口位置</translation>
    </message>
    <message>
        <source>Window Size</source>
        <translation>窗口大小</translation>
    </message>
    <message>
        <source>Move Up by One Layer</source>
        <translation>上移一层</translation>
    </message>
    <message>
        <source>Move Down by One Layer</source>
        <translation>下移一层</translation>
    </message>
    <message>
        <source>Center</source>
        <translation>居中</translation>
    </message>
    <message>
        <source>Horizontally Center</source>
        <translation>水平居中</translation>
    </message>
    <message>
        <source>Vertically Center</source>
        <translation>垂直居中</translation>
    </message>
    <message>
        <source>Placed to the Left</source>
        <translation>靠左</translation>
    </message>
    <message>
        <source>Placed to the  Right</source>
        <translation>靠右</translation>
    </message>
    <message>
        <source>Placed at the Top</source>
        <translation>靠上</translation>
    </message>
    <message>
        <source>Placed at the Bottom</source>
        <translation>靠下</translation>
    </message>
    <message>
        <source>Full-screen</source>
        <translation>全屏</translation>
    </message>
    <message>
        <source>Horizontal Full-screen</source>
        <translation>水平全屏</translation>
    </message>
    <message>
        <source>Horizontal 1/2</source>
        <translation>水平 1/2</translation>
    </message>
    <message>
        <source>Horizontal 1/3</source>
        <translation>水平 1/3</translation>
    </message>
    <message>
        <source>Horizontal 1/4</source>
        <translation>水平 1/4</translation>
    </message>
    <message>
        <source>Vertical Full-screen</source>
        <translation>垂直全屏</translation>
    </message>
    <message>
        <source>Vertical 1/2</source>
        <translation>垂直 1/2</translation>
    </message>
    <message>
        <source>Vertical 1/3</source>
        <translation>垂直 1/3</translation>
    </message>
    <message>
        <source>Vertical 1/4</source>
        <translation>垂直 1/4</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>打开</translation>
    </message>
    <message>
        <source>Cycle Inserted Segment</source>
        <translation>循环插播节目段</translation>
    </message>
    <message>
        <source>Timing Inserted Segment</source>
        <translation>定时插播节目段</translation>
    </message>
    <message>
        <source>Are you sure to delete the current segment?</source>
        <translation>确定要删除当前节目段吗？</translation>
    </message>
    <message>
        <source>Are you sure to delete all the segments?</source>
        <translation>确定要删除所有节目段吗？</translation>
    </message>
    <message>
        <source>Are you sure to delete all the program pages of the current segment?</source>
        <translation>确定要删除当前节目段的所有节目页吗？</translation>
    </message>
    <message>
        <source>Are you sure to delete the current program page?</source>
        <translation>确定要删除当前节目页吗？</translation>
    </message>
    <message>
        <source>Are you sure to delete the current window?</source>
        <translation>确定要删除当前窗口吗？</translation>
    </message>
    <message>
        <source>Are you sure to clear all the windows of current program page?</source>
        <translation>确定要清空当前节目页的所有窗口吗？</translation>
    </message>
    <message>
        <source>Are you sure to delete all the media of the current window?</source>
        <translation>确定要删除当前窗口的所有媒体吗？</translation>
    </message>
</context>
<context>
    <name>SchemeChecker</name>
    <message>
        <source>video &quot;%1&quot; has no stored length and its file does not tell one (%2): it shows for at most %3 s</source>
        <translation>视频“%1”没有保存的时长，其文件也无法给出时长（%2）：最多显示 %3 秒</translation>
    </message>
    <message>
        <source>%1 cannot be read (%2) and shows nothing: %3</source>
        <translation>%1 无法读取（%2），不显示任何内容：%3</translation>
    </message>
    <message>
        <source>video cannot be opened (%1) and shows nothing: %2</source>
        <translation>视频无法打开（%1），不显示任何内容：%2</translation>
    </message>
    <message>
        <source>%1 of the %2 time points of &quot;%3&quot; come less than %4 s after the one that started the insert, while its first page still shows, and do not start it again</source>
        <translation>“%3”的 %2 个时间点中有 %1 个在启动插播的时间点之后不到 %4 秒到来，此时插播的第一个节目仍在显示，不会再次启动插播</translation>
    </message>
    <message>
        <source>%1 is an empty file and shows nothing: %2</source>
        <translation>%1 是空文件，不显示任何内容：%2</translation>
    </message>
    <message>
        <source>cycle segment &quot;%1&quot; comes every %2 minutes and is inserted every minute</source>
        <translation>循环时段“%1”每 %2 分钟插播一次，将按每分钟插播</translation>
    </message>
    <message>
        <source>display window &quot;%1&quot; of %2x%3 at (%4, %5) is played at %6x%7 at (%8, %9)</source>
        <translation>显示窗口“%1”（%2x%3，位于 (%4, %5)）按 %6x%7、位于 (%8, %9) 播放</translation>
    </message>
    <message>
        <source>display window &quot;%1&quot; has no area (%2x%3) and shows nothing</source>
        <translation>显示窗口“%1”没有面积（%2x%3），不显示任何内容</translation>
    </message>
    <message>
        <source>item stays %1 s and is shown for 1 s</source>
        <translation>媒体停留 %1 秒，将显示 1 秒</translation>
    </message>
    <message>
        <source>segment has nothing to show and is passed over</source>
        <translation>时段没有可显示的内容，将被跳过</translation>
    </message>
    <message>
        <source>program &quot;%1&quot; has nothing to show and is passed over</source>
        <translation>节目“%1”没有可显示的内容，将被跳过</translation>
    </message>
    <message>
        <source>window &quot;%1&quot; has no media item and stays empty</source>
        <translation>窗口“%1”没有媒体，保持为空</translation>
    </message>
    <message>
        <source>display window "%1" has no media item; its schedule cannot play</source>
        <translation>显示窗口“%1”没有任何媒体，其播放计划无法播放</translation>
    </message>
    <message>
        <source>segment "%1" has no weekday and never plays</source>
        <translation>时段“%1”没有选择星期，永远不会播放</translation>
    </message>
    <message>
        <source>segment "%1"</source>
        <translation>时段“%1”</translation>
    </message>
    <message>
        <source>segment "%1" has an incomplete time range and never plays</source>
        <translation>时段“%1”的时间范围不完整，永远不会播放</translation>
    </message>
    <message>
        <source>segment "%1" has a time range %2-%3 that crosses midnight and never plays</source>
        <translation>时段“%1”的时间范围 %2-%3 跨越午夜，永远不会播放</translation>
    </message>
    <message>
        <source>%1 has an incomplete date range and never plays</source>
        <translation>%1 的日期范围不完整，永远不会播放</translation>
    </message>
    <message>
        <source>%1 has a date range from %2 to %3 that ends before it starts and never plays</source>
        <translation>%1 的日期范围从 %2 到 %3，结束早于开始，永远不会播放</translation>
    </message>
    <message>
        <source>timing segment "%1" has no time point and never plays</source>
        <translation>定时插播时段“%1”没有时间点，永远不会播放</translation>
    </message>
    <message>
        <source>time point %1 of "%2"</source>
        <translation>“%2”的时间点 %1</translation>
    </message>
    <message>
        <source>%1 has no time and never fires</source>
        <translation>%1 没有设置时间，永远不会触发</translation>
    </message>
    <message>
        <source>%1 has no weekday and never fires</source>
        <translation>%1 没有选择星期，永远不会触发</translation>
    </message>
    <message>
        <source>background picture of program "%1"</source>
        <translation>节目“%1”的背景图片</translation>
    </message>
    <message>
        <source>background music of program "%1"</source>
        <translation>节目“%1”的背景音乐</translation>
    </message>
    <message>
        <source>window "%1" has no area (%2x%3)</source>
        <translation>窗口“%1”没有面积（%2x%3）</translation>
    </message>
    <message>
        <source>window "%1" at (%2, %3) size %4x%5 lies outside its display window "%6" (%7x%8)</source>
        <translation>窗口“%1”位于 (%2, %3)，大小 %4x%5，超出了其显示窗口“%6”（%7x%8）</translation>
    </message>
    <message>
        <source>%1 has no file</source>
        <translation>%1 没有文件</translation>
    </message>
    <message>
        <source>%1 does not exist: %2</source>
        <translation>%1 不存在：%2</translation>
    </message>
    <message>
        <source>background picture</source>
        <translation>背景图片</translation>
    </message>
    <message>
        <source>video</source>
        <translation>视频</translation>
    </message>
    <message>
        <source>office document</source>
        <translation>办公文档</translation>
    </message>
    <message>
        <source>picture</source>
        <translation>图片</translation>
    </message>
    <message>
        <source>music</source>
        <translation>音乐</translation>
    </message>
</context>
<context>
    <name>SchemeJson</name>
    <message>
        <source>expected an object</source>
        <translation>应为对象</translation>
    </message>
    <message>
        <source>missing</source>
        <translation>缺失</translation>
    </message>
    <message>
        <source>expected 0 or 1</source>
        <translation>应为 0 或 1</translation>
    </message>
    <message>
        <source>expected true or false</source>
        <translation>应为 true 或 false</translation>
    </message>
    <message>
        <source>expected [red, green, blue]</source>
        <translation>应为 [红, 绿, 蓝]</translation>
    </message>
    <message>
        <source>expected 0 to 255</source>
        <translation>应为 0 到 255</translation>
    </message>
    <message>
        <source>expected a date "yyyy-MM-dd" or null</source>
        <translation>应为日期“yyyy-MM-dd”或 null</translation>
    </message>
    <message>
        <source>expected a list of day names</source>
        <translation>应为星期名称列表</translation>
    </message>
    <message>
        <source>expected one of Monday, Tuesday, Wednesday, Thursday, Friday, Saturday, Sunday</source>
        <translation>应为 Monday、Tuesday、Wednesday、Thursday、Friday、Saturday、Sunday 之一</translation>
    </message>
    <message>
        <source>%1 is listed twice</source>
        <translation>%1 重复出现</translation>
    </message>
    <message>
        <source>expected a list</source>
        <translation>应为列表</translation>
    </message>
    <message>
        <source>unknown key</source>
        <translation>未知的键</translation>
    </message>
    <message>
        <source>expected a whole number in the 32-bit range</source>
        <translation>应为 32 位范围内的整数</translation>
    </message>
    <message>
        <source>expected a string or null</source>
        <translation>应为字符串或 null</translation>
    </message>
    <message>
        <source>expected a time "HH:mm:ss.zzz" or null</source>
        <translation>应为时间“HH:mm:ss.zzz”或 null</translation>
    </message>
    <message>
        <source>expected a time "HH:mm:ss" or null</source>
        <translation>应为时间“HH:mm:ss”或 null</translation>
    </message>
    <message>
        <source>not valid JSON at offset %1: %2</source>
        <translation>偏移 %1 处不是有效的 JSON：%2</translation>
    </message>
    <message>
        <source>the top level must be an object</source>
        <translation>顶层必须是对象</translation>
    </message>
</context>
<context>
    <name>SchemeReader</name>
    <message>
        <source>a text of %1 bytes is longer than the %2 bytes that remain</source>
        <translation>长度为 %1 字节的文本超过了剩余的 %2 字节</translation>
    </message>
    <message>
        <source>colour (%1, %2, %3) is out of range</source>
        <translation>颜色 (%1, %2, %3) 超出范围</translation>
    </message>
    <message>
        <source>negative %1 count %2</source>
        <translation>%1 数量为负数 %2</translation>
    </message>
    <message>
        <source>%1 count %2 needs at least %3 bytes but only %4 remain</source>
        <translation>%1 数量 %2 至少需要 %3 字节，但只剩 %4 字节</translation>
    </message>
    <message>
        <source>the data ends %1 bytes short of the next field</source>
        <translation>数据在下一个字段之前提前结束，缺少 %1 字节</translation>
    </message>
    <message>
        <source>display window</source>
        <translation>显示窗口</translation>
    </message>
    <message>
        <source>%1 bytes follow the end of the scheme</source>
        <translation>方案结束后还有 %1 字节</translation>
    </message>
    <message>
        <source>general segment</source>
        <translation>普通时段</translation>
    </message>
    <message>
        <source>cycle segment</source>
        <translation>循环插播时段</translation>
    </message>
    <message>
        <source>timing segment</source>
        <translation>定时插播时段</translation>
    </message>
    <message>
        <source>time point</source>
        <translation>时间点</translation>
    </message>
    <message>
        <source>program</source>
        <translation>节目</translation>
    </message>
    <message>
        <source>background music</source>
        <translation>背景音乐</translation>
    </message>
    <message>
        <source>window</source>
        <translation>窗口</translation>
    </message>
    <message>
        <source>media item</source>
        <translation>媒体</translation>
    </message>
    <message>
        <source>Cannot open %1: %2</source>
        <translation>无法打开 %1：%2</translation>
    </message>
    <message>
        <source>%1 is larger than %2 bytes and is no scheme</source>
        <translation>%1 大于 %2 字节，不是方案文件</translation>
    </message>
    <message>
        <source>Cannot read %1: %2</source>
        <translation>无法读取 %1：%2</translation>
    </message>
    <message>
        <source>The data is larger than %1 bytes and is no scheme</source>
        <translation>数据大于 %1 字节，不是方案文件</translation>
    </message>
    <message>
        <source>The scheme is damaged at byte %1: %2</source>
        <translation>方案文件在第 %1 字节处损坏：%2</translation>
    </message>
</context>
<context>
    <name>SchemeWriter</name>
    <message>
        <source>Cannot write %1: what was written does not read back (%2)</source>
        <translation>无法写入 %1：写入的内容无法读回（%2）</translation>
    </message>
    <message>
        <source>the scheme would take %1 MiB, more than the %2 MiB a scheme file can hold; nothing was written</source>
        <translation>方案将占用 %1 MiB，超过方案文件可容纳的 %2 MiB；未写入任何内容</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>无法写入 %1：%2</translation>
    </message>
</context>
<context>
    <name>StreamingPanel</name>
    <message>
        <source>Url Address:</source>
        <translation>地址：</translation>
    </message>
    <message>
        <source>Volume:</source>
        <translation>音量：</translation>
    </message>
    <message>
        <source>Play time:</source>
        <translation>播放时长：</translation>
    </message>
</context>
<context>
    <name>SummaryChart</name>
    <message>
        <source>Plays per hour</source>
        <translation>每小时播放次数</translation>
    </message>
    <message>
        <source>Plays per day</source>
        <translation>每日播放次数</translation>
    </message>
    <message>
        <source>Plays</source>
        <translation>播放次数</translation>
    </message>
</context>
<context>
    <name>TextPanel</name>
    <message>
        <source>Text:</source>
        <translation>文字：</translation>
    </message>
    <message>
        <source>Font:</source>
        <translation>字体：</translation>
    </message>
    <message>
        <source>Size(px):</source>
        <translation>字号(px)：</translation>
    </message>
    <message>
        <source>Bold</source>
        <translation>粗体</translation>
    </message>
    <message>
        <source>Italic</source>
        <translation>斜体</translation>
    </message>
    <message>
        <source>Underline</source>
        <translation>下划线</translation>
    </message>
    <message>
        <source>Style:</source>
        <translation>字形：</translation>
    </message>
    <message>
        <source>Color:</source>
        <translation>颜色：</translation>
    </message>
    <message>
        <source>Colorful characters:</source>
        <translation>炫彩字：</translation>
    </message>
    <message>
        <source>Align Left</source>
        <translation>左对齐</translation>
    </message>
    <message>
        <source>Align Right</source>
        <translation>右对齐</translation>
    </message>
    <message>
        <source>Center</source>
        <translation>居中</translation>
    </message>
    <message>
        <source>Align Top</source>
        <translation>顶端对齐</translation>
    </message>
    <message>
        <source>Align Bottom</source>
        <translation>底端对齐</translation>
    </message>
    <message>
        <source>Horizontal alignment:</source>
        <translation>水平对齐：</translation>
    </message>
    <message>
        <source>Vertical alignment:</source>
        <translation>垂直对齐：</translation>
    </message>
    <message>
        <source>Spacing:</source>
        <translation>行间距：</translation>
    </message>
    <message>
        <source>Kerning:</source>
        <translation>字间距：</translation>
    </message>
    <message>
        <source>Background:</source>
        <translation>背景：</translation>
    </message>
    <message>
        <source>Speed:</source>
        <translation>速度：</translation>
    </message>
    <message>
        <source>0.1s</source>
        <translation>×0.1秒</translation>
    </message>
    <message>
        <source>Entry effect</source>
        <translation>进场特效</translation>
    </message>
    <message>
        <source>Exit effect</source>
        <translation>出场特效</translation>
    </message>
    <message>
        <source>Stay Time:</source>
        <translation>停留时间：</translation>
    </message>
    <message>
        <source>seconds</source>
        <translation>秒</translation>
    </message>
    <message>
        <source>Rolling Direction:</source>
        <translation>滚动方向：</translation>
    </message>
    <message>
        <source>Rolling speed:</source>
        <translation>滚动速度：</translation>
    </message>
    <message>
        <source>End to end</source>
        <translation>首尾相接</translation>
    </message>
    <message>
        <source>Interval of Cycles:</source>
        <translation>循环间隔：</translation>
    </message>
    <message>
        <source>CompletePlay</source>
        <translation>完整播放</translation>
    </message>
    <message>
        <source>Play Duration:</source>
        <translation>播放时长：</translation>
    </message>
</context>
<context>
    <name>TitleBar</name>
    <message>
        <source>minimization</source>
        <translation>最小化</translation>
    </message>
    <message>
        <source>maximization</source>
        <translation>最大化</translation>
    </message>
    <message>
        <source>restore</source>
        <translation>还原</translation>
    </message>
    <message>
        <source>close</source>
        <translation>关闭</translation>
    </message>
</context>
<context>
    <name>VideoCoverTextDialog</name>
    <message>
        <source>Overlayed Text</source>
        <translation>叠加文字</translation>
    </message>
    <message>
        <source>Text:</source>
        <translation>文字：</translation>
    </message>
    <message>
        <source>Default font</source>
        <translation>默认字体</translation>
    </message>
    <message>
        <source>Font:</source>
        <translation>字体：</translation>
    </message>
    <message>
        <source>Bold</source>
        <translation>粗体</translation>
    </message>
    <message>
        <source>Italic</source>
        <translation>斜体</translation>
    </message>
    <message>
        <source>Underline</source>
        <translation>下划线</translation>
    </message>
    <message>
        <source>Size:</source>
        <translation>字号：</translation>
    </message>
    <message>
        <source>Color:</source>
        <translation>颜色：</translation>
    </message>
    <message>
        <source>Colorful characters:</source>
        <translation>炫彩字：</translation>
    </message>
    <message>
        <source>Rolling</source>
        <translation>滚动</translation>
    </message>
    <message>
        <source>Speed:</source>
        <translation>速度：</translation>
    </message>
    <message>
        <source>Rolling text Y:</source>
        <translation>滚动文字Y：</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>VideoPanel</name>
    <message>
        <source>File:</source>
        <translation>文件：</translation>
    </message>
    <message>
        <source>Length:</source>
        <translation>时长：</translation>
    </message>
    <message>
        <source>Position:</source>
        <translation>播放位置：</translation>
    </message>
    <message>
        <source>Sound</source>
        <translation>声音</translation>
    </message>
    <message>
        <source>Volume:</source>
        <translation>音量：</translation>
    </message>
    <message>
        <source>Overlayed Text</source>
        <translation>叠加文字</translation>
    </message>
    <message>
        <source>Edit Text</source>
        <translation>编辑文字</translation>
    </message>
    <message>
        <source>Except</source>
        <translation>截取片段</translation>
    </message>
    <message>
        <source>Starting time:</source>
        <translation>开始时间：</translation>
    </message>
    <message>
        <source>End time:</source>
        <translation>结束时间：</translation>
    </message>
    <message>
        <source>Scale:</source>
        <translation>缩放：</translation>
    </message>
    <message>
        <source>Rotation angle:</source>
        <translation>旋转角度：</translation>
    </message>
    <message>
        <source>Background:</source>
        <translation>背景：</translation>
    </message>
</context>
<context>
    <name>WeatherReplyParser</name>
    <message>
        <source>Wind %1 km/h</source>
        <translation>风速 %1 公里/小时</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>晴</translation>
    </message>
    <message>
        <source>Partly cloudy</source>
        <translation>多云</translation>
    </message>
    <message>
        <source>Overcast</source>
        <translation>阴</translation>
    </message>
    <message>
        <source>Fog</source>
        <translation>雾</translation>
    </message>
    <message>
        <source>Drizzle</source>
        <translation>毛毛雨</translation>
    </message>
    <message>
        <source>Light rain</source>
        <translation>小雨</translation>
    </message>
    <message>
        <source>Rain</source>
        <translation>中雨</translation>
    </message>
    <message>
        <source>Heavy rain</source>
        <translation>大雨</translation>
    </message>
    <message>
        <source>Freezing rain</source>
        <translation>冻雨</translation>
    </message>
    <message>
        <source>Light snow</source>
        <translation>小雪</translation>
    </message>
    <message>
        <source>Snow</source>
        <translation>中雪</translation>
    </message>
    <message>
        <source>Heavy snow</source>
        <translation>大雪</translation>
    </message>
    <message>
        <source>Thunderstorm</source>
        <translation>雷阵雨</translation>
    </message>
    <message>
        <source>Thunderstorm with hail</source>
        <translation>雷阵雨伴有冰雹</translation>
    </message>
</context>
<context>
    <name>WeatherService</name>
    <message>
        <source>No weather service is configured</source>
        <translation>未配置天气服务</translation>
    </message>
</context>
<context>
    <name>Widget</name>
    <message>
        <source>%1 cannot be written: %2 will not be kept.</source>
        <translation>无法写入 %1：%2 将不会保存。</translation>
    </message>
    <message>
        <source>the pages of office documents</source>
        <translation>办公文档的页面</translation>
    </message>
    <message>
        <source>the play log and the copies of unsaved changes</source>
        <translation>播放日志和未保存修改的副本</translation>
    </message>
    <message>
        <source>the settings (language, start-up, weather service)</source>
        <translation>设置（语言、开机启动、天气服务）</translation>
    </message>
    <message>
        <source>cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Play anyway</source>
        <translation>仍然播放</translation>
    </message>
    <message>
        <source>Problems found: %1. The schedule does not play as it is set up. Play anyway?</source>
        <translation>发现问题：%1 个。日程不会按设置播放。仍要播放吗？</translation>
    </message>
    <message>
        <source>and %1 more (see the problems list)</source>
        <translation>另有 %1 个（见问题列表）</translation>
    </message>
    <message>
        <source>Problems</source>
        <translation>问题</translation>
    </message>
    <message>
        <source>problems</source>
        <translation>问题</translation>
    </message>
    <message>
        <source>problems (%1)</source>
        <translation>问题 (%1)</translation>
    </message>
    <message>
        <source>Could not open %1: %2</source>
        <translation>无法打开 %1：%2</translation>
    </message>
    <message>
        <source>Lumora did not close normally. Changes to %1 that were not saved were kept on %2. Open them?</source>
        <translation>Lumora 上次未正常关闭。%1 中未保存的修改已于 %2 保留下来。要打开吗？</translation>
    </message>
    <message>
        <source>pause</source>
        <translation>暂停</translation>
    </message>
    <message>
        <source>play</source>
        <translation>播放</translation>
    </message>
    <message>
        <source>menu</source>
        <translation>菜单</translation>
    </message>
    <message>
        <source>monitor</source>
        <translation>监视</translation>
    </message>
    <message>
        <source>frontground</source>
        <translation>前台</translation>
    </message>
    <message>
        <source>background</source>
        <translation>后台</translation>
    </message>
    <message>
        <source>win-show</source>
        <translation>展开</translation>
    </message>
    <message>
        <source>win-up</source>
        <translation>收起</translation>
    </message>
    <message>
        <source>winunlock</source>
        <translation>解锁</translation>
    </message>
    <message>
        <source>winlock</source>
        <translation>锁定</translation>
    </message>
    <message>
        <source>winshow</source>
        <translation>显示</translation>
    </message>
    <message>
        <source>winhide</source>
        <translation>隐藏</translation>
    </message>
    <message>
        <source>stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>Display window</source>
        <translation>显示窗口</translation>
    </message>
    <message>
        <source>Schedule(*.schx)</source>
        <translation>播放方案(*.schx)</translation>
    </message>
    <message>
        <source>info</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>Do you want to save the current schedule?</source>
        <translation>是否保存当前播放方案？</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>另存为</translation>
    </message>
    <message>
        <source>Saved successfully,%1</source>
        <translation>保存成功，%1</translation>
    </message>
    <message>
        <source>Could not save %1: %2</source>
        <translation>无法保存 %1：%2</translation>
    </message>
    <message>
        <source>Could not open %1: %2
The current schedule is unchanged.</source>
        <translation>无法打开 %1：%2
当前播放方案未改变。</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>打开</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Could not open %1: no such file</source>
        <translation>无法打开 %1：文件不存在</translation>
    </message>
    <message>
        <source>The settings could not be saved to:
%1
The folder may be read-only; they stay in effect until the program ends.</source>
        <translation>设置无法保存到：
%1
该文件夹可能是只读的；设置在程序结束前仍然有效。</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>未命名</translation>
    </message>
    <message>
        <source>Delete the display window &quot;%1&quot; and its whole schedule?</source>
        <translation>删除显示窗口“%1”及其全部播放计划吗？</translation>
    </message>
    <message>
        <source>Add Display Window</source>
        <translation>添加显示窗口</translation>
    </message>
    <message>
        <source>Edit Display Window</source>
        <translation>修改显示窗口</translation>
    </message>
    <message>
        <source>Delete Display Window</source>
        <translation>删除显示窗口</translation>
    </message>
    <message>
        <source>Add Time Point</source>
        <translation>添加时间点</translation>
    </message>
    <message>
        <source>Edit Time Point</source>
        <translation>修改时间点</translation>
    </message>
    <message>
        <source>Delete Time Point</source>
        <translation>删除时间点</translation>
    </message>
    <message>
        <source>Edit Segment</source>
        <translation>修改时段</translation>
    </message>
    <message>
        <source>Edit Page</source>
        <translation>修改节目</translation>
    </message>
    <message>
        <source>Edit Window</source>
        <translation>修改窗口</translation>
    </message>
    <message>
        <source>Edit Media</source>
        <translation>修改媒体</translation>
    </message>
    <message>
        <source>Delete Media</source>
        <translation>删除媒体</translation>
    </message>
    <message>
        <source>Paste Media</source>
        <translation>粘贴媒体</translation>
    </message>
    <message>
        <source>Move Media</source>
        <translation>移动媒体</translation>
    </message>
    <message>
        <source>Add Media</source>
        <translation>添加媒体</translation>
    </message>
</context>
<context>
    <name>dataBaseConn</name>
    <message>
        <source>unable to open database:%1</source>
        <translation>无法打开数据库：%1</translation>
    </message>
</context>
<context>
    <name>digitalClockWidget</name>
    <message>
        <source>Monday</source>
        <translation>星期一</translation>
    </message>
    <message>
        <source>Tuesday</source>
        <translation>星期二</translation>
    </message>
    <message>
        <source>Wednesday</source>
        <translation>星期三</translation>
    </message>
    <message>
        <source>Thursday</source>
        <translation>星期四</translation>
    </message>
    <message>
        <source>Friday</source>
        <translation>星期五</translation>
    </message>
    <message>
        <source>Saturday</source>
        <translation>星期六</translation>
    </message>
    <message>
        <source>Sunday</source>
        <translation>星期日</translation>
    </message>
    <message>
        <source>AM</source>
        <translation>上午</translation>
    </message>
    <message>
        <source>PM</source>
        <translation>下午</translation>
    </message>
</context>
<context>
    <name>newDisplayWindowButton</name>
    <message>
        <source>Led Display Parameter Setting</source>
        <translation>LED显示屏参数设置</translation>
    </message>
    <message>
        <source>Add Play Window</source>
        <translation>添加显示窗口</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>删除</translation>
    </message>
</context>
<context><name>NodePanel</name><message>
        <source>en_US</source>
        <translation>zh_CN</translation>
    </message>
</context><context><name>ProgramPanel</name><message>
        <source>Name:</source>
        <translation>名称：</translation>
    </message>
    <message>
        <source>Background Color:</source>
        <translation>背景颜色：</translation>
    </message>
    <message>
        <source>Background Picture:</source>
        <translation>背景图片：</translation>
    </message>
    <message>
        <source>Display Type:</source>
        <translation>显示方式：</translation>
    </message>
    <message>
        <source>Stretch</source>
        <translation>拉伸</translation>
    </message>
    <message>
        <source>Tile</source>
        <translation>平铺</translation>
    </message>
    <message>
        <source>Back Music:</source>
        <translation>背景音乐：</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>添加</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>Move Up</source>
        <translation>上移</translation>
    </message>
    <message>
        <source>Move Down</source>
        <translation>下移</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>清空</translation>
    </message>
    <message>
        <source>Specify number of times:</source>
        <translation>指定播放次数：</translation>
    </message>
    <message>
        <source>Specify duration:</source>
        <translation>指定播放时长：</translation>
    </message>
    <message>
        <source>Cycle:</source>
        <translation>循环播放：</translation>
    </message>
    <message>
        <source>No background picture</source>
        <translation>无背景图片</translation>
    </message>
    <message>
        <source>Please Select background picture</source>
        <translation>请选择背景图片</translation>
    </message>
</context>
<context>
    <name>ScheduleView</name>
    <message>
        <source>Nothing plays on this day.</source>
        <translation>这一天没有要播放的内容。</translation>
    </message>
    <message>
        <source>Nothing plays in these seven days.</source>
        <translation>这七天没有要播放的内容。</translation>
    </message>
    <message>
        <source>Simulating… %1</source>
        <translation>正在模拟… %1</translation>
    </message>
    <message>
        <source>As the player plays the scheme from midnight. Hover a bar to see what shows; the wheel zooms, a double click shows the whole day.</source>
        <translation>按播放器从零点起播放本方案的情形模拟。鼠标停在色条上可查看播放的内容；滚轮缩放，双击显示全天。</translation>
    </message>
    <message>
        <source>Week</source>
        <translation>周</translation>
    </message>
    <message>
        <source>Day</source>
        <translation>日</translation>
    </message>
    <message>
        <source>Today</source>
        <translation>今天</translation>
    </message>
    <message>
        <source>Later</source>
        <translation>往后</translation>
    </message>
    <message>
        <source>Earlier</source>
        <translation>往前</translation>
    </message>
    <message>
        <source>Days</source>
        <translation>日程表</translation>
    </message>
    <message>
        <source>Timeline</source>
        <translation>时间轴</translation>
    </message>
    <message>
        <source>Data Range of Schedule</source>
        <translation>日程日期范围</translation>
    </message>
    <message>
        <source>From</source>
        <translation>从</translation>
    </message>
    <message>
        <source>to</source>
        <translation>到</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>刷新</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>日期</translation>
    </message>
    <message>
        <source>General Segment</source>
        <translation>普通时段</translation>
    </message>
    <message>
        <source>Inserted Segment</source>
        <translation>插播时段</translation>
    </message>
    <message>
        <source>About Priority&amp;nbsp;:&amp;nbsp;&amp;nbsp;</source>
        <translation>关于优先级&amp;nbsp;：&amp;nbsp;&amp;nbsp;</translation>
    </message>
    <message>
        <source>The timing inserted has higher priority than the cycle inserted one.</source>
        <translation>定时插播的优先级高于循环插播。</translation>
    </message>
    <message>
        <source>The latter segment has higher priority in the same type.&amp;nbsp;&amp;nbsp;</source>
        <translation>同一类型中，排在后面的时段优先级更高。&amp;nbsp;&amp;nbsp;</translation>
    </message>
    <message>
        <source>%1 every %2 min</source>
        <translation>%1 每 %2 分钟</translation>
    </message>
</context><context><name>SegmentPanel</name><message>
        <source>Name:</source>
        <translation>名称：</translation>
    </message>
    <message>
        <source>Play Property</source>
        <translation>播放属性</translation>
    </message>
    <message>
        <source>Every</source>
        <translation>每隔</translation>
    </message>
    <message>
        <source>minutes</source>
        <translation>分钟</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>播放</translation>
    </message>
    <message>
        <source>seconds</source>
        <translation>秒</translation>
    </message>
    <message>
        <source>times</source>
        <translation>次</translation>
    </message>
    <message>
        <source>Specified date</source>
        <translation>指定日期</translation>
    </message>
    <message>
        <source>From</source>
        <translation>从</translation>
    </message>
    <message>
        <source>to</source>
        <translation>到</translation>
    </message>
    <message>
        <source>Effective Day of the Work</source>
        <translation>生效的星期</translation>
    </message>
    <message>
        <source>Monday</source>
        <translation>星期一</translation>
    </message>
    <message>
        <source>Tuesday</source>
        <translation>星期二</translation>
    </message>
    <message>
        <source>Wednesday</source>
        <translation>星期三</translation>
    </message>
    <message>
        <source>Thursday</source>
        <translation>星期四</translation>
    </message>
    <message>
        <source>Friday</source>
        <translation>星期五</translation>
    </message>
    <message>
        <source>Saturday</source>
        <translation>星期六</translation>
    </message>
    <message>
        <source>Sunday</source>
        <translation>星期日</translation>
    </message>
    <message>
        <source>Effective Time of the Day</source>
        <translation>每天的生效时间</translation>
    </message>
    <message>
        <source>All Day</source>
        <translation>全天</translation>
    </message>
</context><context><name>TimePointText</name><message>
        <source>Monday,</source>
        <translation>星期一,</translation>
    </message>
    <message>
        <source>Tuesday,</source>
        <translation>星期二,</translation>
    </message>
    <message>
        <source>Wednesday,</source>
        <translation>星期三,</translation>
    </message>
    <message>
        <source>Thursday,</source>
        <translation>星期四,</translation>
    </message>
    <message>
        <source>Friday,</source>
        <translation>星期五,</translation>
    </message>
    <message>
        <source>Saturday,</source>
        <translation>星期六,</translation>
    </message>
    <message>
        <source>Sunday,</source>
        <translation>星期日,</translation>
    </message>
    <message>
        <source> to </source>
        <translation> 至 </translation>
    </message>
</context><context><name>TimingSegmentPanel</name><message>
        <source>Name:</source>
        <translation>名称：</translation>
    </message>
    <message>
        <source>Time Point List</source>
        <translation>时间点列表</translation>
    </message>
    <message>
        <source>When reached the
 time point,</source>
        <translation>到达时间点时，</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>播放</translation>
    </message>
    <message>
        <source>minutes</source>
        <translation>分钟</translation>
    </message>
    <message>
        <source>seconds</source>
        <translation>秒</translation>
    </message>
    <message>
        <source>times</source>
        <translation>次</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>添加</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>编辑</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>info</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>please select the time point to edit!</source>
        <translation>请选择要编辑的时间点！</translation>
    </message>
    <message>
        <source>please select the time point to delete!</source>
        <translation>请选择要删除的时间点！</translation>
    </message>
    <message>
        <source>Are you sure to delete the selected time point?</source>
        <translation>确定要删除选中的时间点吗？</translation>
    </message>
</context><context><name>TimingSegmentTimePropertyWin</name><message>
        <source>Time Point Information</source>
        <translation>时间点信息</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>时间</translation>
    </message>
    <message>
        <source>Specified date</source>
        <translation>指定日期</translation>
    </message>
    <message>
        <source>From</source>
        <translation>从</translation>
    </message>
    <message>
        <source>To</source>
        <translation>到</translation>
    </message>
    <message>
        <source>Day</source>
        <translation>星期</translation>
    </message>
    <message>
        <source>Monday</source>
        <translation>星期一</translation>
    </message>
    <message>
        <source>Tuesday</source>
        <translation>星期二</translation>
    </message>
    <message>
        <source>Wednesday</source>
        <translation>星期三</translation>
    </message>
    <message>
        <source>Thursday</source>
        <translation>星期四</translation>
    </message>
    <message>
        <source>Friday</source>
        <translation>星期五</translation>
    </message>
    <message>
        <source>Saturday</source>
        <translation>星期六</translation>
    </message>
    <message>
        <source>Sunday</source>
        <translation>星期日</translation>
    </message>
    <message>
        <source>ok</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>cancel</source>
        <translation>取消</translation>
    </message>
</context><context><name>WindowPanel</name><message>
        <source>Name:</source>
        <translation>名称：</translation>
    </message>
    <message>
        <source>Frame</source>
        <translation>边框</translation>
    </message>
    <message>
        <source>Frame width:</source>
        <translation>边框宽度：</translation>
    </message>
    <message>
        <source>X:</source>
        <translation>X：</translation>
    </message>
    <message>
        <source>Y:</source>
        <translation>Y：</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>宽度：</translation>
    </message>
    <message>
        <source>Height:</source>
        <translation>高度：</translation>
    </message>
    <message>
        <source>Media List</source>
        <translation>媒体列表</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>复制</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>粘贴</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>Move Up</source>
        <translation>上移</translation>
    </message>
    <message>
        <source>Move Down</source>
        <translation>下移</translation>
    </message>
    <message>
        <source>Simple Text</source>
        <translation>简单文本</translation>
    </message>
    <message>
        <source>Single-row Text</source>
        <translation>单行文本</translation>
    </message>
    <message>
        <source>Scrolling Text</source>
        <translation>滚动文本</translation>
    </message>
    <message>
        <source>Analog Clock</source>
        <translation>模拟时钟</translation>
    </message>
    <message>
        <source>Digital Clock</source>
        <translation>数字时钟</translation>
    </message>
    <message>
        <source>Digital Timer</source>
        <translation>计时器</translation>
    </message>
    <message>
        <source>Weather</source>
        <translation>天气</translation>
    </message>
    <message>
        <source>Url</source>
        <translation>网页</translation>
    </message>
    <message>
        <source>Streaming</source>
        <translation>流媒体</translation>
    </message>
    <message>
        <source>Video Device</source>
        <translation>视频设备</translation>
    </message>
</context><context><name>AnalogClockPanel</name><message>
        <source>Display attribute</source>
        <translation>显示属性</translation>
    </message>
    <message>
        <source>Dial</source>
        <translation>表盘</translation>
    </message>
    <message>
        <source>Texts</source>
        <translation>文字</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>时间</translation>
    </message>
    <message>
        <source>Scales</source>
        <translation>刻度</translation>
    </message>
    <message>
        <source>Hands</source>
        <translation>指针</translation>
    </message>
    <message>
        <source>Background:</source>
        <translation>背景：</translation>
    </message>
    <message>
        <source>Text:</source>
        <translation>文字：</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>日期</translation>
    </message>
    <message>
        <source>Day month</source>
        <translation>日 月</translation>
    </message>
    <message>
        <source>Month day</source>
        <translation>月 日</translation>
    </message>
    <message>
        <source>Week</source>
        <translation>星期</translation>
    </message>
    <message>
        <source>Font</source>
        <translation>字体</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>颜色</translation>
    </message>
    <message>
        <source>Time difference:</source>
        <translation>时差：</translation>
    </message>
    <message>
        <source>Ahead</source>
        <translation>超前</translation>
    </message>
    <message>
        <source>Behind</source>
        <translation>落后</translation>
    </message>
    <message>
        <source>Play time:</source>
        <translation>播放时长：</translation>
    </message>
    <message>
        <source>Time Scale:</source>
        <translation>时刻度：</translation>
    </message>
    <message>
        <source>M Scale:</source>
        <translation>分刻度：</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>宽度：</translation>
    </message>
    <message>
        <source>Height:</source>
        <translation>高度：</translation>
    </message>
    <message>
        <source>Round</source>
        <translation>圆形</translation>
    </message>
    <message>
        <source>Rectangle</source>
        <translation>矩形</translation>
    </message>
    <message>
        <source>Hour:</source>
        <translation>时针：</translation>
    </message>
    <message>
        <source>Minute:</source>
        <translation>分针：</translation>
    </message>
    <message>
        <source>Second:</source>
        <translation>秒针：</translation>
    </message>
</context><context><name>BackgroundControls</name><message>
        <source>Color</source>
        <translation>颜色</translation>
    </message>
    <message>
        <source>Please Select background picture</source>
        <translation>请选择背景图片</translation>
    </message>
    <message>
        <source>Tile</source>
        <translation>平铺</translation>
    </message>
    <message>
        <source>Stretch</source>
        <translation>拉伸</translation>
    </message>
    <message>
        <source>Background color</source>
        <translation>背景颜色</translation>
    </message>
    <message>
        <source>Picture layout</source>
        <translation>图片布局</translation>
    </message>
    <message>
        <source>Transparent</source>
        <translation>透明</translation>
    </message>
    <message>
        <source>image(*.jpg *.png *.jpeg *.gif)</source>
        <translation>图片(*.jpg *.png *.jpeg *.gif)</translation>
    </message>
</context><context><name>ColorButton</name><message>
        <source>Select Color</source>
        <translation>选择颜色</translation>
    </message>
</context><context><name>DigitalClockPanel</name><message>
        <source>Basic Property</source>
        <translation>基本属性</translation>
    </message>
    <message>
        <source>Display Style</source>
        <translation>显示样式</translation>
    </message>
    <message>
        <source>Appearance</source>
        <translation>外观</translation>
    </message>
    <message>
        <source>Date and play time</source>
        <translation>日期与播放时长</translation>
    </message>
    <message>
        <source>Shown parts</source>
        <translation>显示内容</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>格式</translation>
    </message>
    <message>
        <source>Background:</source>
        <translation>背景：</translation>
    </message>
    <message>
        <source>Date Style:</source>
        <translation>日期格式：</translation>
    </message>
    <message>
        <source>Month day year</source>
        <translation>月 日 年</translation>
    </message>
    <message>
        <source>Day month year</source>
        <translation>日 月 年</translation>
    </message>
    <message>
        <source>Year month day</source>
        <translation>年 月 日</translation>
    </message>
    <message>
        <source>Fixed Text:</source>
        <translation>固定文字：</translation>
    </message>
    <message>
        <source>Font:</source>
        <translation>字体：</translation>
    </message>
    <message>
        <source>Size(px):</source>
        <translation>字号(px)：</translation>
    </message>
    <message>
        <source>Style:</source>
        <translation>字形：</translation>
    </message>
    <message>
        <source>Bold</source>
        <translation>粗体</translation>
    </message>
    <message>
        <source>Italic</source>
        <translation>斜体</translation>
    </message>
    <message>
        <source>Underline</source>
        <translation>下划线</translation>
    </message>
    <message>
        <source>Text color</source>
        <translation>文字颜色</translation>
    </message>
    <message>
        <source>Colorful characters:</source>
        <translation>炫彩字：</translation>
    </message>
    <message>
        <source>None</source>
        <translation>无</translation>
    </message>
    <message>
        <source>Horizontal gradient(six colors)</source>
        <translation>水平渐变(六色)</translation>
    </message>
    <message>
        <source>Vertical gradient(six colors)</source>
        <translation>垂直渐变(六色)</translation>
    </message>
    <message>
        <source>Angle gradient(six colors)</source>
        <translation>斜角渐变(六色)</translation>
    </message>
    <message>
        <source>Three color streamer word</source>
        <translation>三色流光字</translation>
    </message>
    <message>
        <source>Rainbow streamer word</source>
        <translation>彩虹流光字</translation>
    </message>
    <message>
        <source>Play time:</source>
        <translation>播放时长：</translation>
    </message>
    <message>
        <source>Year</source>
        <translation>年</translation>
    </message>
    <message>
        <source>Month</source>
        <translation>月</translation>
    </message>
    <message>
        <source>Day</source>
        <translation>日</translation>
    </message>
    <message>
        <source>Hour</source>
        <translation>时</translation>
    </message>
    <message>
        <source>Minute</source>
        <translation>分</translation>
    </message>
    <message>
        <source>Second</source>
        <translation>秒</translation>
    </message>
    <message>
        <source>Half Day</source>
        <translation>上午/下午</translation>
    </message>
    <message>
        <source>Week</source>
        <translation>星期</translation>
    </message>
    <message>
        <source>Year digits:</source>
        <translation>年份位数：</translation>
    </message>
    <message>
        <source>4-bit Years</source>
        <translation>四位年份</translation>
    </message>
    <message>
        <source>2-bit Years</source>
        <translation>两位年份</translation>
    </message>
    <message>
        <source>Rows:</source>
        <translation>行数：</translation>
    </message>
    <message>
        <source>Single-row</source>
        <translation>单行</translation>
    </message>
    <message>
        <source>Multi-row</source>
        <translation>多行</translation>
    </message>
    <message>
        <source>Hour system:</source>
        <translation>小时制：</translation>
    </message>
    <message>
        <source>24 Hours</source>
        <translation>24小时制</translation>
    </message>
    <message>
        <source>12 Hours</source>
        <translation>12小时制</translation>
    </message>
    <message>
        <source>Time difference:</source>
        <translation>时差：</translation>
    </message>
    <message>
        <source>Ahead</source>
        <translation>超前</translation>
    </message>
    <message>
        <source>Behind</source>
        <translation>落后</translation>
    </message>
</context><context><name>UrlPanel</name><message>
        <source>Web page</source>
        <translation>网页</translation>
    </message>
    <message>
        <source>Url Address:</source>
        <translation>网址：</translation>
    </message>
    <message>
        <source>Local Url</source>
        <translation>本地网页</translation>
    </message>
    <message>
        <source>Transparency</source>
        <translation>透明度：</translation>
    </message>
    <message>
        <source>Show Position:</source>
        <translation>显示位置：</translation>
    </message>
    <message>
        <source>X:</source>
        <translation>X：</translation>
    </message>
    <message>
        <source>Y:</source>
        <translation>Y：</translation>
    </message>
    <message>
        <source>Play time:</source>
        <translation>播放时长：</translation>
    </message>
    <message>
        <source>web file(*.html *.htm)</source>
        <translation>网页文件(*.html *.htm)</translation>
    </message>
</context><context><name>VideoDevicePanel</name><message>
        <source>Capture device</source>
        <translation>采集设备</translation>
    </message>
    <message>
        <source>Background:</source>
        <translation>背景：</translation>
    </message>
    <message>
        <source>Play time:</source>
        <translation>播放时长：</translation>
    </message>
</context><context><name>WeatherPanel</name>
    <message>
        <source>No weather from the service: %1</source>
        <translation>未从服务获得天气：%1</translation>
    </message>
    <message>
        <source>Weather</source>
        <translation>天气</translation>
    </message>
    <message>
        <source>Background:</source>
        <translation>背景：</translation>
    </message>
    <message>
        <source>City</source>
        <translation>城市：</translation>
    </message>
    <message>
        <source>Province</source>
        <translation>省份</translation>
    </message>
    <message>
        <source>Update cycle:</source>
        <translation>更新周期：</translation>
    </message>
    <message>
        <source>minutes</source>
        <translation>分钟</translation>
    </message>
    <message>
        <source>Play time:</source>
        <translation>播放时长：</translation>
    </message>
</context><context>
    <name>PlayLog</name>
    <message>
        <source>cut short at midnight</source>
        <translation>零点重启中断</translation>
    </message>
    <message>
        <source>cut short by a stop</source>
        <translation>被停止中断</translation>
    </message>
    <message>
        <source>cut short by the schedule</source>
        <translation>被节目时间中断</translation>
    </message>
    <message>
        <source>cut short by an insert</source>
        <translation>被插播中断</translation>
    </message>
    <message>
        <source>stream unreachable</source>
        <translation>流媒体无法连接</translation>
    </message>
    <message>
        <source>could not be opened</source>
        <translation>无法打开</translation>
    </message>
    <message>
        <source>file missing</source>
        <translation>文件缺失</translation>
    </message>
</context>
<context>
    <name>WeatherSetupWin</name>
    <message>
        <source>No weather from the service: %1</source>
        <translation>未从服务获得天气：%1</translation>
    </message>
    <message>
        <source>The service answers.</source>
        <translation>服务已应答。</translation>
    </message>
    <message>
        <source>Asking the service…</source>
        <translation>正在询问服务……</translation>
    </message>
    <message>
        <source>Enter the service&apos;s address first.</source>
        <translation>请先填写服务地址。</translation>
    </message>
    <message>
        <source>cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>ok</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Test</source>
        <translation>测试</translation>
    </message>
    <message>
        <source>City:</source>
        <translation>城市：</translation>
    </message>
    <message>
        <source>built-in key</source>
        <translation>内置密钥</translation>
    </message>
    <message>
        <source>Access key:</source>
        <translation>访问密钥：</translation>
    </message>
    <message>
        <source>Address:</source>
        <translation>地址：</translation>
    </message>
    <message>
        <source>No weather (weather items show their background)</source>
        <translation>不使用天气（天气项只显示背景）</translation>
    </message>
    <message>
        <source>Weather service at an address</source>
        <translation>指定地址的天气服务</translation>
    </message>
    <message>
        <source>Open-Meteo forecasts (no key needed)</source>
        <translation>Open-Meteo 天气预报（无需密钥）</translation>
    </message>
    <message>
        <source>Weather service</source>
        <translation>天气服务</translation>
    </message>
</context>
<context>
    <name>TimelineChart</name>
    <message>
        <source>Nothing plays.</source>
        <translation>没有要播放的内容。</translation>
    </message>
    <message>
        <source>Page: %1 of %2 (%3)</source>
        <translation>节目：%1，属于 %2（%3）</translation>
    </message>
    <message>
        <source>Cycle insert: %1 (%2)</source>
        <translation>循环插播：%1（%2）</translation>
    </message>
    <message>
        <source>Timing insert: %1 (%2)</source>
        <translation>定时插播：%1（%2）</translation>
    </message>
    <message>
        <source>Segment: %1 (%2)</source>
        <translation>时段：%1（%2）</translation>
    </message>
    <message>
        <source>Not simulated yet.</source>
        <translation>尚未模拟到这一时刻。</translation>
    </message>
    <message>
        <source>Page</source>
        <translation>节目</translation>
    </message>
    <message>
        <source>Insert</source>
        <translation>插播</translation>
    </message>
    <message>
        <source>Segment</source>
        <translation>时段</translation>
    </message>
</context>
<context>
    <name>TimelineRun</name>
    <message>
        <source>The simulation program could not be started: %1</source>
        <translation>无法启动模拟程序：%1</translation>
    </message>
    <message>
        <source>The simulation refused the scheme: %1</source>
        <translation>模拟程序拒绝了此方案：%1</translation>
    </message>
    <message>
        <source>exit status %1</source>
        <translation>退出状态 %1</translation>
    </message>
    <message>
        <source>The simulation stopped unexpectedly.</source>
        <translation>模拟程序意外终止。</translation>
    </message>
    <message>
        <source>The simulation printed something that is not a timeline: %1</source>
        <translation>模拟程序输出了无法识别的内容：%1</translation>
    </message>
    <message>
        <source>The scheme could not be written for the simulation: %1</source>
        <translation>无法为模拟写出方案：%1</translation>
    </message>
    <message>
        <source>The simulation program is missing: %1</source>
        <translation>缺少模拟程序：%1</translation>
    </message>
</context>
<context>
    <name>ProblemsWin</name>
    <message>
        <source>item %1 (%2)</source>
        <translation>第 %1 项（%2）</translation>
    </message>
    <message>
        <source>item %1</source>
        <translation>第 %1 项</translation>
    </message>
    <message>
        <source>time point %1</source>
        <translation>时间点 %1</translation>
    </message>
    <message>
        <source>Problems found: %1. Click one to select its place in the schedule.</source>
        <translation>发现问题：%1 个。单击一项可在日程中选中其位置。</translation>
    </message>
    <message>
        <source>No problems found: the scheme plays as it is set up.</source>
        <translation>未发现问题：方案将按设置播放。</translation>
    </message>
    <message>
        <source>close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Problems</source>
        <translation>问题</translation>
    </message>
</context>
<context>
    <name>ScreensWin</name>
    <message>
        <source>Screens</source>
        <translation>屏幕</translation>
    </message>
    <message>
        <source>Fleet folder…</source>
        <translation>屏群文件夹…</translation>
    </message>
    <message>
        <source>Publish</source>
        <translation>发布</translation>
    </message>
    <message>
        <source>Screenshot</source>
        <translation>截图</translation>
    </message>
    <message>
        <source>Screen</source>
        <translation>屏幕</translation>
    </message>
    <message>
        <source>State</source>
        <translation>状态</translation>
    </message>
    <message>
        <source>Bundle</source>
        <translation>节目包</translation>
    </message>
    <message>
        <source>Playing</source>
        <translation>正在播放</translation>
    </message>
    <message>
        <source>Last seen</source>
        <translation>最后联系</translation>
    </message>
    <message>
        <source>Last error</source>
        <translation>最近错误</translation>
    </message>
    <message>
        <source>No fleet in %1. An operator makes one with &quot;lumora-fleet ca init&quot;.</source>
        <translation>%1 中没有屏群。操作员可用 &quot;lumora-fleet ca init&quot; 创建。</translation>
    </message>
    <message>
        <source>Fleet %1, broker %2: %3</source>
        <translation>屏群 %1，消息服务器 %2：%3</translation>
    </message>
    <message>
        <source>connected</source>
        <translation>已连接</translation>
    </message>
    <message>
        <source>not connected</source>
        <translation>未连接</translation>
    </message>
    <message>
        <source>Not in a group</source>
        <translation>未分组</translation>
    </message>
    <message>
        <source>making the bundle</source>
        <translation>正在生成节目包</translation>
    </message>
    <message>
        <source>uploading %1 %</source>
        <translation>正在上传 %1 %</translation>
    </message>
    <message>
        <source>active</source>
        <translation>已生效</translation>
    </message>
    <message>
        <source>refused: %1</source>
        <translation>被拒绝：%1</translation>
    </message>
    <message>
        <source>ready, switches at %1</source>
        <translation>已就绪，%1 切换</translation>
    </message>
    <message>
        <source>ready</source>
        <translation>已就绪</translation>
    </message>
    <message>
        <source>fetching %1 %</source>
        <translation>正在下载 %1 %</translation>
    </message>
    <message>
        <source>sent, waiting for the device</source>
        <translation>已发送，等待设备</translation>
    </message>
    <message>
        <source>online</source>
        <translation>在线</translation>
    </message>
    <message>
        <source>offline</source>
        <translation>离线</translation>
    </message>
    <message>
        <source>never seen</source>
        <translation>从未联系</translation>
    </message>
    <message>
        <source>%1 %2 (%3 here)</source>
        <translation>%1 %2（本地 %3）</translation>
    </message>
    <message>
        <source>No screenshot</source>
        <translation>没有截图</translation>
    </message>
    <message>
        <source>Version: %1</source>
        <translation>版本：%1</translation>
    </message>
    <message>
        <source>Free disk: %1 MB</source>
        <translation>可用磁盘：%1 MB</translation>
    </message>
    <message>
        <source>Previous bundle: %1</source>
        <translation>上一个节目包：%1</translation>
    </message>
    <message>
        <source>Player: %1</source>
        <translation>播放器：%1</translation>
    </message>
    <message>
        <source>Player crashes since the last switch: %1</source>
        <translation>上次切换后播放器崩溃次数：%1</translation>
    </message>
    <message>
        <source>Fleet folder</source>
        <translation>屏群文件夹</translation>
    </message>
    <message>
        <source>Asked %1 for a screenshot.</source>
        <translation>已请求 %1 截图。</translation>
    </message>
    <message>
        <source>Save the scheme first: a bundle is made from the saved file.</source>
        <translation>请先保存方案：节目包由已保存的文件生成。</translation>
    </message>
    <message>
        <source>Publishing %1 to %2.</source>
        <translation>正在将 %1 发布到 %2。</translation>
    </message>
    <message>
        <source>Not published: %1</source>
        <translation>未发布：%1</translation>
    </message>
    <message>
        <source>Not published: the bundle could not be signed</source>
        <translation>未发布：节目包无法签名</translation>
    </message>
    <message>
        <source>Bundle %1 sent.</source>
        <translation>节目包 %1 已发送。</translation>
    </message>
    <message>
        <source>running</source>
        <translation>运行中</translation>
    </message>
    <message>
        <source>none (headless agent)</source>
        <translation>无（无界面代理）</translation>
    </message>
    <message>
        <source>not running</source>
        <translation>未运行</translation>
    </message>
    <message>
        <source>Cancel publish</source>
        <translation>取消发布</translation>
    </message>
    <message>
        <source>The selected screens keep what they play and drop a bundle still on its way or waiting for its time.</source>
        <translation>所选屏幕继续播放当前内容，并丢弃仍在下载或等待切换时间的节目包。</translation>
    </message>
    <message>
        <source>Remove device</source>
        <translation>移除设备</translation>
    </message>
    <message>
        <source>Not cancelled: the broker cannot be reached.</source>
        <translation>未取消：无法连接消息服务器。</translation>
    </message>
    <message>
        <source>Cancelling the publish to %1…</source>
        <translation>正在取消对 %1 的发布…</translation>
    </message>
    <message>
        <source>Remove %1 from the fleet? Its certificate is revoked in the CA folder&apos;s crl.pem, its retained state on the broker is cleared and this folder forgets it.

The broker and the content server refuse it once they have that crl.pem; its section in the broker&apos;s ACL file stays until you take it out.</source>
        <translation>从屏群中移除 %1？将在 CA 文件夹的 crl.pem 中吊销它的证书，清除它在消息服务器上保留的状态，本文件夹也不再记录它。

消息服务器和内容服务器拿到这份 crl.pem 后即拒绝它；它在消息服务器 ACL 文件中的条目在您删除之前仍然存在。</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>移除</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Not removed: %1</source>
        <translation>未移除：%1</translation>
    </message>
    <message>
        <source>Not removed: the broker cannot be reached.</source>
        <translation>未移除：无法连接消息服务器。</translation>
    </message>
    <message>
        <source>Removing %1…</source>
        <translation>正在移除 %1…</translation>
    </message>
    <message>
        <source>Publish cancelled for %1: the screens keep what they play and drop a bundle not yet playing.</source>
        <translation>已取消对 %1 的发布：屏幕继续播放当前内容，并丢弃尚未播放的节目包。</translation>
    </message>
    <message>
        <source>%1 is forgotten and its certificate revoked. Copy crl.pem from the CA folder to the broker and the content server, restart the broker and have nginx read it again (kill -HUP); take its section out of the broker&apos;s ACL file.</source>
        <translation>已移除 %1，并已吊销它的证书。请将 CA 文件夹中的 crl.pem 复制到消息服务器和内容服务器，重启消息服务器，并让 nginx 重新读取（kill -HUP）；再从消息服务器的 ACL 文件中删除它的条目。</translation>
    </message>
    <message>
        <source>%1 is forgotten, but this CA folder knows no certificate of it: revoke its certificate by hand and take its section out of the broker&apos;s ACL file.</source>
        <translation>已移除 %1，但本 CA 文件夹中没有它的证书记录：请手动吊销它的证书，并从消息服务器的 ACL 文件中删除它的条目。</translation>
    </message>
    <message>
        <source>cancelled</source>
        <translation>已取消</translation>
    </message>
    <message>
        <source>Play log</source>
        <translation>播放日志</translation>
    </message>
    <message>
        <source>online, a screen is dark</source>
        <translation>在线，有屏幕黑屏</translation>
    </message>
    <message>
        <source>delivered up to %1</source>
        <translation>已送达至 %1</translation>
    </message>
    <message>
        <source>nothing delivered yet</source>
        <translation>尚未送达</translation>
    </message>
    <message>
        <source>%1; rows waiting: %2</source>
        <translation>%1；待发送行数：%2</translation>
    </message>
</context>
<context>
    <name>MqttLink</name>
    <message>
        <source>the file is no PEM certificate</source>
        <translation>该文件不是 PEM 证书</translation>
    </message>
    <message>
        <source>by this device&apos;s clock it has expired</source>
        <translation>按本设备时钟，它已过期</translation>
    </message>
    <message>
        <source>by this device&apos;s clock it is not valid yet</source>
        <translation>按本设备时钟，它尚未生效</translation>
    </message>
    <message>
        <source>it does not come from the fleet&apos;s CA (%1)</source>
        <translation>它不是由屏群的 CA 签发的（%1）</translation>
    </message>
    <message>
        <source>The broker at %1:%2 did not answer within %3 seconds.</source>
        <translation>%1:%2 上的消息服务器 %3 秒内没有应答。</translation>
    </message>
    <message>
        <source>The link was stopped.</source>
        <translation>连接已停止。</translation>
    </message>
    <message>
        <source>The broker&apos;s name %1 cannot be resolved: %2.</source>
        <translation>无法解析消息服务器名称 %1：%2。</translation>
    </message>
    <message>
        <source>The MQTT client cannot be created (client id &quot;%1&quot;).</source>
        <translation>无法创建 MQTT 客户端（客户端标识 &quot;%1&quot;）。</translation>
    </message>
    <message>
        <source>The TLS files cannot be used (CA %1, certificate %2, key %3): %4.</source>
        <translation>无法使用 TLS 文件（CA %1，证书 %2，密钥 %3）：%4。</translation>
    </message>
    <message>
        <source>The last will on %1 cannot be set: %2.</source>
        <translation>无法在 %1 上设置遗嘱消息：%2。</translation>
    </message>
    <message>
        <source>The broker at %1:%2 does not speak MQTT 5; the link speaks MQTT 3.1.1 to it.</source>
        <translation>%1:%2 上的消息服务器不支持 MQTT 5；改用 MQTT 3.1.1。</translation>
    </message>
    <message>
        <source>The broker at %1:%2 refused the connection: %3.</source>
        <translation>%1:%2 上的消息服务器拒绝了连接：%3。</translation>
    </message>
    <message>
        <source>The broker refused this device&apos;s certificate: it has expired (%1).</source>
        <translation>消息服务器拒绝了本设备的证书：证书已过期（%1）。</translation>
    </message>
    <message>
        <source>The broker refused this device&apos;s certificate: it has been revoked (%1).</source>
        <translation>消息服务器拒绝了本设备的证书：证书已被吊销（%1）。</translation>
    </message>
    <message>
        <source>The broker refused this device&apos;s certificate: it does not come from a CA the broker trusts (%1).</source>
        <translation>消息服务器拒绝了本设备的证书：签发它的 CA 不受信任（%1）。</translation>
    </message>
    <message>
        <source>The broker refused this device&apos;s certificate (%1).</source>
        <translation>消息服务器拒绝了本设备的证书（%1）。</translation>
    </message>
    <message>
        <source>The broker refused this device&apos;s certificate (%1): %2.</source>
        <translation>消息服务器拒绝了本设备的证书（%1）：%2。</translation>
    </message>
    <message>
        <source>The broker&apos;s certificate was not accepted: it is not made out to %1.</source>
        <translation>未接受消息服务器的证书：它不是签发给 %1 的。</translation>
    </message>
    <message>
        <source>The broker&apos;s certificate was not accepted: it does not come from the fleet&apos;s CA (%1), or it has expired.</source>
        <translation>未接受消息服务器的证书：它不是由屏群的 CA（%1）签发的，或已过期。</translation>
    </message>
    <message>
        <source>The TLS connection to the broker failed: %1.</source>
        <translation>与消息服务器的 TLS 连接失败：%1。</translation>
    </message>
    <message>
        <source>The broker at %1 ended the connection right after the TLS handshake, before answering: it most likely refused this device&apos;s certificate (%2).</source>
        <translation>%1 上的消息服务器在 TLS 握手后、应答前断开了连接：很可能拒绝了本设备的证书（%2）。</translation>
    </message>
    <message>
        <source>The broker at %1 ended the connection right after the TLS handshake, before answering: it most likely refused this device&apos;s certificate (%2): %3.</source>
        <translation>%1 上的消息服务器在 TLS 握手后、应答前断开了连接：很可能拒绝了本设备的证书（%2）：%3。</translation>
    </message>
    <message>
        <source>The broker at %1 closed the connection: %2.</source>
        <translation>%1 上的消息服务器关闭了连接：%2。</translation>
    </message>
    <message>
        <source>The broker at %1 did not answer within the keepalive (%2 s): the route to it is dead.</source>
        <translation>%1 上的消息服务器在保活时间（%2 秒）内没有应答：线路已断。</translation>
    </message>
    <message>
        <source>The broker at %1 closed the connection.</source>
        <translation>%1 上的消息服务器关闭了连接。</translation>
    </message>
    <message>
        <source>The broker at %1 closed the connection before accepting it.</source>
        <translation>%1 上的消息服务器在接受连接前关闭了它。</translation>
    </message>
    <message>
        <source>The TLS handshake with the broker at %1 failed.</source>
        <translation>与 %1 上的消息服务器的 TLS 握手失败。</translation>
    </message>
    <message>
        <source>The broker&apos;s name %1 cannot be resolved.</source>
        <translation>无法解析消息服务器名称 %1。</translation>
    </message>
    <message>
        <source>The broker at %1 refused the connection (nothing listens there).</source>
        <translation>%1 上的消息服务器拒绝了连接（那里没有服务在监听）。</translation>
    </message>
    <message>
        <source>The broker at %1 reset the connection.</source>
        <translation>%1 上的消息服务器重置了连接。</translation>
    </message>
    <message>
        <source>The TLS connection to the broker at %1 broke off.</source>
        <translation>与 %1 上的消息服务器的 TLS 连接中断。</translation>
    </message>
    <message>
        <source>The connection to the broker at %1 timed out.</source>
        <translation>与 %1 上的消息服务器的连接超时。</translation>
    </message>
    <message>
        <source>The broker at %1 cannot be reached (no route).</source>
        <translation>无法到达 %1 上的消息服务器（无路由）。</translation>
    </message>
    <message>
        <source>The connection to the broker at %1 failed: %2.</source>
        <translation>与 %1 上的消息服务器的连接失败：%2。</translation>
    </message>
</context>
</TS>
