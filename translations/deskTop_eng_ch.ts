<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>AnalogClockPanel</name>
    <message>
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
</context>
<context>
    <name>BackgroundControls</name>
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
</context>
<context>
    <name>BootSetupWin</name>
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
    <name>ColorButton</name>
    <message>
        <source>Select Color</source>
        <translation>选择颜色</translation>
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
    <name>DigitalClockPanel</name>
    <message>
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
    <name>Prodoc</name>
    <message>
        <source>two display windows are named &quot;%1&quot;</source>
        <translation>有两个显示窗口都名为“%1”</translation>
    </message>
</context>
<context>
    <name>ProjectTree</name>
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
        <source>display window &quot;%1&quot; has no media item; its schedule cannot play</source>
        <translation>显示窗口“%1”没有任何媒体，其播放计划无法播放</translation>
    </message>
    <message>
        <source>segment &quot;%1&quot; has no weekday and never plays</source>
        <translation>时段“%1”没有选择星期，永远不会播放</translation>
    </message>
    <message>
        <source>segment &quot;%1&quot;</source>
        <translation>时段“%1”</translation>
    </message>
    <message>
        <source>segment &quot;%1&quot; has an incomplete time range and never plays</source>
        <translation>时段“%1”的时间范围不完整，永远不会播放</translation>
    </message>
    <message>
        <source>segment &quot;%1&quot; has a time range %2-%3 that crosses midnight and never plays</source>
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
        <source>timing segment &quot;%1&quot; has no time point and never plays</source>
        <translation>定时插播时段“%1”没有时间点，永远不会播放</translation>
    </message>
    <message>
        <source>time point %1 of &quot;%2&quot;</source>
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
        <source>background picture of program &quot;%1&quot;</source>
        <translation>节目“%1”的背景图片</translation>
    </message>
    <message>
        <source>background music of program &quot;%1&quot;</source>
        <translation>节目“%1”的背景音乐</translation>
    </message>
    <message>
        <source>window &quot;%1&quot; has no area (%2x%3)</source>
        <translation>窗口“%1”没有面积（%2x%3）</translation>
    </message>
    <message>
        <source>window &quot;%1&quot; at (%2, %3) size %4x%5 lies outside its display window &quot;%6&quot; (%7x%8)</source>
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
        <source>expected a date &quot;yyyy-MM-dd&quot; or null</source>
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
        <source>expected a time &quot;HH:mm:ss.zzz&quot; or null</source>
        <translation>应为时间“HH:mm:ss.zzz”或 null</translation>
    </message>
    <message>
        <source>expected a time &quot;HH:mm:ss&quot; or null</source>
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
        <source>Cannot write %1: %2</source>
        <translation>无法写入 %1：%2</translation>
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
    <name>UrlPanel</name>
    <message>
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
</context>
<context>
    <name>VideoDevicePanel</name>
    <message>
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
</context>
<context>
    <name>WeatherPanel</name>
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
</TS>
