<?xml version='1.0' encoding='utf-8'?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
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
    <name>ProjectTree</name>
    <message>
        <source>info</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>The schedule is empty,please add program!</source>
        <translation>播放计划为空，请添加节目！</translation>
    </message>
</context>
<context>
    <name>SchemeChecker</name>
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
        <source>Cannot write %1: %2</source>
        <translation>无法写入 %1：%2</translation>
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
</context>
<context>
    <name>dataBaseConn</name>
    <message>
        <source>unable to open database:%1</source>
        <translation>无法打开数据库：%1</translation>
    </message>
</context>
</TS>