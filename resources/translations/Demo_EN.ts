<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="zh_CN">
<context>
    <name>AnalysisKeeper</name>
    <message>
        <source>分析未能保存：%1</source>
        <translation>The analysis could not be saved: %1</translation>
    </message>
</context>
<context>
    <name>AnalysisStore</name>
    <message>
        <source>提示</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>分析数据库已损坏或来自更新的版本，已移至：
%1
已新建一个数据库。</source>
        <translation>The analysis database was damaged or made by a newer version and has been moved to:
%1
A new database was made.</translation>
    </message>
</context>
<context>
    <name>Analysis_Widget</name>
    <message>
        <source>图像信息</source>
        <translation>Pictorial Information</translation>
    </message>
    <message>
        <source>温度信息</source>
        <translation>Temperature information</translation>
    </message>
    <message>
        <source>文件名称:</source>
        <translation>File name:</translation>
    </message>
    <message>
        <source>文件大小:</source>
        <translation>File size:</translation>
    </message>
    <message>
        <source>时间:</source>
        <translation>Time:</translation>
    </message>
    <message>
        <source>发射率:</source>
        <translation>Emissivity:</translation>
    </message>
    <message>
        <source>大小:</source>
        <translation>Size:</translation>
    </message>
    <message>
        <source>单位:</source>
        <translation>Unit:</translation>
    </message>
    <message>
        <source>中心温度:</source>
        <translation>Midpoint temperature:</translation>
    </message>
    <message>
        <source>最高温度:</source>
        <translation>Maximum temperature:</translation>
    </message>
    <message>
        <source>最低温度:</source>
        <translation>Minimum temperature:</translation>
    </message>
    <message>
        <source>平均温度:</source>
        <translation>Average temperature:</translation>
    </message>
    <message>
        <source>名称</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>类型</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>高</source>
        <translation>High</translation>
    </message>
    <message>
        <source>低</source>
        <translation>Low</translation>
    </message>
    <message>
        <source>平均</source>
        <translation>Average</translation>
    </message>
    <message>
        <source>点</source>
        <translation>Point</translation>
    </message>
    <message>
        <source>线</source>
        <translation>Line</translation>
    </message>
    <message>
        <source>矩形</source>
        <translation>Rect</translation>
    </message>
    <message>
        <source>圆</source>
        <translation>Circle</translation>
    </message>
    <message>
        <source>保存的文件</source>
        <translation>Saved file</translation>
    </message>
    <message>
        <source>测温信息</source>
        <translation>Temperature measurement information</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>导出文件成功!</source>
        <translation>Export file successful!</translation>
    </message>
    <message>
        <source>选择</source>
        <translation>Select</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>清除</source>
        <translation>Clear all</translation>
    </message>
    <message>
        <source>颜色</source>
        <translation>Color</translation>
    </message>
    <message>
        <source>导出报告</source>
        <translation>Export report</translation>
    </message>
    <message>
        <source>导出</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>温度数据 (CSV)</source>
        <translation>Temperatures (CSV)</translation>
    </message>
    <message>
        <source>测量结果 (CSV)</source>
        <translation>Measurements (CSV)</translation>
    </message>
    <message>
        <source>图片 (PNG)</source>
        <translation>Picture (PNG)</translation>
    </message>
    <message>
        <source>警告</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>无法写入文件：%1</source>
        <translation>The file could not be written: %1</translation>
    </message>
    <message>
        <source>图表</source>
        <translation>Charts</translation>
    </message>
    <message>
        <source>温度剖面</source>
        <translation>Line profile</translation>
    </message>
    <message>
        <source>保存剖面 (CSV)</source>
        <translation>Save profile (CSV)</translation>
    </message>
    <message>
        <source>直方图</source>
        <translation>Histogram</translation>
    </message>
    <message>
        <source>等温线</source>
        <translation>Isotherm</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Off</translation>
    </message>
    <message>
        <source>高于下限</source>
        <translation>Above low</translation>
    </message>
    <message>
        <source>低于上限</source>
        <translation>Below high</translation>
    </message>
    <message>
        <source>上下限之间</source>
        <translation>Between</translation>
    </message>
    <message>
        <source>下限</source>
        <translation>Low</translation>
    </message>
    <message>
        <source>上限</source>
        <translation>High</translation>
    </message>
    <message>
        <source>锁定色标</source>
        <translation>Locked scale</translation>
    </message>
    <message>
        <source>所有图片使用同一温度范围</source>
        <translation>Same span for every picture</translation>
    </message>
    <message>
        <source>发现</source>
        <translation>Finding</translation>
    </message>
    <message>
        <source>标题</source>
        <translation>Title</translation>
    </message>
    <message>
        <source>设备或位置</source>
        <translation>Equipment or location</translation>
    </message>
    <message>
        <source>参考温度</source>
        <translation>Reference</translation>
    </message>
    <message>
        <source>严重程度</source>
        <translation>Severity</translation>
    </message>
    <message>
        <source>建议</source>
        <translation>Suggest</translation>
    </message>
    <message>
        <source>按ΔT使用建议的等级</source>
        <translation>Use the class suggested from ΔT</translation>
    </message>
    <message>
        <source>观察与建议</source>
        <translation>Observation and recommendation</translation>
    </message>
    <message>
        <source>分析数据库已损坏或来自更新的版本，已移至：
%1
已新建一个数据库。</source>
        <translation type="vanished">The analysis database was damaged or made by a newer version and has been moved to:
%1
A new database was made.</translation>
    </message>
    <message>
        <source>分析已恢复 — %1</source>
        <translation>Analysis restored — %1</translation>
    </message>
</context>
<context>
    <name>ChartPanel</name>
    <message>
        <source>距离 (像素)</source>
        <translation>Distance (pixels)</translation>
    </message>
    <message>
        <source>像素</source>
        <translation>Pixels</translation>
    </message>
    <message>
        <source>%1 – %2 %3：%4 个像素</source>
        <translation>%1 – %2 %3: %4 pixels</translation>
    </message>
    <message>
        <source>温度</source>
        <translation>Temperature</translation>
    </message>
    <message>
        <source>等温线颜色</source>
        <translation>Isotherm colour</translation>
    </message>
    <message>
        <source>请选择一条线</source>
        <translation>Select a line</translation>
    </message>
    <message>
        <source>整幅图像</source>
        <translation>Whole picture</translation>
    </message>
</context>
<context>
    <name>FindingPanel</name>
    <message>
        <source>无</source>
        <translation>None</translation>
    </message>
    <message>
        <source>输入的温度</source>
        <translation>Typed temperature</translation>
    </message>
    <message>
        <source>%1 最高</source>
        <translation>%1 maximum</translation>
    </message>
    <message>
        <source>%1 平均</source>
        <translation>%1 average</translation>
    </message>
    <message>
        <source>由您选择；建议：%1</source>
        <translation>Chosen by you; suggested: %1</translation>
    </message>
    <message>
        <source>按最大ΔT（%1 %2）建议</source>
        <translation>Suggested from the largest ΔT (%1 %2)</translation>
    </message>
    <message>
        <source>设置参考温度后将给出建议</source>
        <translation>Set a reference to have a class suggested</translation>
    </message>
</context>
<context>
    <name>Findings</name>
    <message>
        <source>重大缺陷；立即维修</source>
        <translation>major discrepancy; repair immediately</translation>
    </message>
    <message>
        <source>持续监测直至修复</source>
        <translation>monitor until corrected</translation>
    </message>
    <message>
        <source>很可能存在缺陷；择时维修</source>
        <translation>probable deficiency; repair as time permits</translation>
    </message>
    <message>
        <source>可能存在缺陷；需调查</source>
        <translation>possible deficiency; investigate</translation>
    </message>
    <message>
        <source>无</source>
        <translation>None</translation>
    </message>
</context>
<context>
    <name>InspectionReport</name>
    <message>
        <source>输入的温度 %1 %2</source>
        <translation type="vanished">Typed temperature %1 %2</translation>
    </message>
    <message>
        <source>%1 最高</source>
        <translation>%1 maximum</translation>
    </message>
    <message>
        <source>%1 平均</source>
        <translation>%1 average</translation>
    </message>
    <message>
        <source>无</source>
        <translation>None</translation>
    </message>
    <message>
        <source>热成像检测报告</source>
        <translation>Thermographic inspection report</translation>
    </message>
    <message>
        <source>公司</source>
        <translation>Company</translation>
    </message>
    <message>
        <source>客户</source>
        <translation>Customer</translation>
    </message>
    <message>
        <source>现场</source>
        <translation>Site</translation>
    </message>
    <message>
        <source>检测人员</source>
        <translation>Inspector</translation>
    </message>
    <message>
        <source>日期</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>热像仪</source>
        <translation>Imager</translation>
    </message>
    <message>
        <source>图片</source>
        <translation>Picture</translation>
    </message>
    <message>
        <source>发现</source>
        <translation type="vanished">Findings</translation>
    </message>
    <message>
        <source>发现汇总</source>
        <translation>Summary of findings</translation>
    </message>
    <message>
        <source>没有发现。</source>
        <translation>No findings.</translation>
    </message>
    <message>
        <source>位置</source>
        <translation>Location</translation>
    </message>
    <message>
        <source>标题</source>
        <translation>Title</translation>
    </message>
    <message>
        <source>最高温度</source>
        <translation>Maximum</translation>
    </message>
    <message>
        <source>严重程度</source>
        <translation>Severity</translation>
    </message>
    <message>
        <source>建议措施</source>
        <translation>Recommended action</translation>
    </message>
    <message>
        <source>这张图片无法读取。</source>
        <translation>This picture could not be read.</translation>
    </message>
    <message>
        <source>（建议）</source>
        <translation>(suggested)</translation>
    </message>
    <message>
        <source>参考温度</source>
        <translation>Reference</translation>
    </message>
    <message>
        <source>测量（%1）</source>
        <translation>Measurements (%1)</translation>
    </message>
    <message>
        <source>观察与建议</source>
        <translation>Observation and recommendation</translation>
    </message>
    <message>
        <source>无法读取的图片</source>
        <translation>Pictures that could not be read</translation>
    </message>
    <message>
        <source>第 %1 页，共 %2 页</source>
        <translation>Page %1 of %2</translation>
    </message>
    <message>
        <source>图片数量</source>
        <translation>Pictures</translation>
    </message>
    <message>
        <source>发现数量</source>
        <translation>Findings</translation>
    </message>
    <message>
        <source>输入的温度 %1</source>
        <translation>Typed temperature %1</translation>
    </message>
</context>
<context>
    <name>InspectionReportDialog</name>
    <message>
        <source>检测报告</source>
        <translation>Inspection report</translation>
    </message>
    <message>
        <source>公司</source>
        <translation>Company</translation>
    </message>
    <message>
        <source>标志图片</source>
        <translation>Logo</translation>
    </message>
    <message>
        <source>客户</source>
        <translation>Customer</translation>
    </message>
    <message>
        <source>现场</source>
        <translation>Site</translation>
    </message>
    <message>
        <source>检测人员</source>
        <translation>Inspector</translation>
    </message>
    <message>
        <source>日期</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>选择标志图片</source>
        <translation>Choose a logo</translation>
    </message>
    <message>
        <source>图片 (*.png *.jpg *.jpeg *.bmp *.svg)</source>
        <translation>Pictures (*.png *.jpg *.jpeg *.bmp *.svg)</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>正在等待连接...</source>
        <translation>Waiting for a connection...</translation>
    </message>
    <message>
        <source>文件</source>
        <translation>File</translation>
    </message>
    <message>
        <source>连接</source>
        <translation>Connect</translation>
    </message>
    <message>
        <source>断开</source>
        <translation>Disconnect</translation>
    </message>
    <message>
        <source>选项</source>
        <translation>Option</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>帮助</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>用户手册</source>
        <translation>User&apos;s manual</translation>
    </message>
    <message>
        <source>投屏模式</source>
        <translation>Screen mode</translation>
    </message>
    <message>
        <source>U盘模式</source>
        <translation>USB flash drive mode</translation>
    </message>
    <message>
        <source>已断开连接</source>
        <translation>Disconnected</translation>
    </message>
    <message>
        <source>打开文件夹...</source>
        <translation>Open folder...</translation>
    </message>
    <message>
        <source>选择一个目录</source>
        <translation>Select a folder</translation>
    </message>
    <message>
        <source>文件夹：%1</source>
        <translation>Folder: %1</translation>
    </message>
    <message>
        <source>打开录像...</source>
        <translation>Open recording...</translation>
    </message>
    <message>
        <source>演示</source>
        <translation>Demo</translation>
    </message>
    <message>
        <source>打开录像</source>
        <translation>Open recording</translation>
    </message>
    <message>
        <source>录像 (*.mkv)</source>
        <translation>Recordings (*.mkv)</translation>
    </message>
    <message>
        <source>找不到文件：%1</source>
        <translation>The file %1 does not exist.</translation>
    </message>
    <message>
        <source>%1 不是 VX305 的录像，无法回放。</source>
        <translation>%1 is not a VX305 recording and cannot be replayed.</translation>
    </message>
    <message>
        <source>%1 已损坏或不是视频文件，无法回放。</source>
        <translation>%1 is damaged or not a video and cannot be replayed.</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Notice</translation>
    </message>
    <message>
        <source>回放：%1</source>
        <translation>Replay: %1</translation>
    </message>
    <message>
        <source>没有热像仪也可以试用本软件。
要观看实时画面的演示（一段录像），还是打开演示图片？</source>
        <translation>You can try the software without an imager.
Show the live demo (a recording) or open the demo pictures?</translation>
    </message>
    <message>
        <source>实时画面</source>
        <translation>Live demo</translation>
    </message>
    <message>
        <source>图片</source>
        <translation>Pictures</translation>
    </message>
</context>
<context>
    <name>TrendChart</name>
    <message>
        <source>报警时段</source>
        <translation>Alarm periods</translation>
    </message>
    <message>
        <source>最大温度</source>
        <translation>Max temperature</translation>
    </message>
    <message>
        <source>报警阈值</source>
        <translation>Alarm value</translation>
    </message>
</context>
<context>
    <name>VideoExport</name>
    <message>
        <source>最大温度 %1   报警阈值 %2</source>
        <translation>Max %1   Threshold %2</translation>
    </message>
</context>
<context>
    <name>camer_window</name>
    <message>
        <source>VX305</source>
        <translation>VX305</translation>
    </message>
    <message>
        <source>图像</source>
        <translation>Video</translation>
    </message>
    <message>
        <source>报警历史</source>
        <translation>History</translation>
    </message>
    <message>
        <source>拍照</source>
        <translation>Capture Image</translation>
    </message>
    <message>
        <source>报警设置</source>
        <translation>Alarm setting</translation>
    </message>
    <message>
        <source>启用报警</source>
        <translation>Enable alarm</translation>
    </message>
    <message>
        <source>声音报警</source>
        <translation>Sound alarm</translation>
    </message>
    <message>
        <source>产生报警文件</source>
        <translation>Generate alarm file</translation>
    </message>
    <message>
        <source>报警信息</source>
        <translation>Alarm information</translation>
    </message>
    <message>
        <source>最大温度</source>
        <translation>Max temperature</translation>
    </message>
    <message>
        <source>报警阈值</source>
        <translation>Alarm value</translation>
    </message>
    <message>
        <source>发射率</source>
        <translation>Emissivity</translation>
    </message>
    <message>
        <source>停止当前报警</source>
        <translation>Stop Alarm</translation>
    </message>
    <message>
        <source>保存的文件</source>
        <translation>Saved file</translation>
    </message>
    <message>
        <source>警告</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>图片保存失败，请检查文件名和文件夹!</source>
        <translation>The picture could not be saved. Please check the file name and the folder!</translation>
    </message>
    <message>
        <source>热像仪的摄像头正被其他程序占用。请关闭该程序，然后重新连接。</source>
        <translation>The imager&apos;s camera is in use by another program. Close that program, then connect again.</translation>
    </message>
    <message>
        <source>没有打开热像仪摄像头（/dev/video*）的权限。请将您的用户加入 video 组，然后重新登录。</source>
        <translation>No permission to open the imager&apos;s camera (/dev/video*). Add your user to the group video, then log in again.</translation>
    </message>
    <message>
        <source>热像仪已停止发送图像。请检查连接线。</source>
        <translation>The imager stopped sending pictures. Check the cable.</translation>
    </message>
    <message>
        <source>无法启动摄像头：%1</source>
        <translation>The camera could not be started: %1</translation>
    </message>
    <message>
        <source>趋势</source>
        <translation>Trend</translation>
    </message>
    <message>
        <source>保存读数</source>
        <translation>Save readings</translation>
    </message>
    <message>
        <source>读数保存失败，请检查文件名和文件夹!</source>
        <translation>The readings could not be saved. Please check the file name and the folder!</translation>
    </message>
    <message>
        <source>暂停</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>单帧</source>
        <translation>Step</translation>
    </message>
    <message>
        <source>起点</source>
        <translation>Mark in</translation>
    </message>
    <message>
        <source>终点</source>
        <translation>Mark out</translation>
    </message>
    <message>
        <source>导出视频</source>
        <translation>Export video</translation>
    </message>
    <message>
        <source>录像</source>
        <translation>Record</translation>
    </message>
    <message>
        <source>报警片段</source>
        <translation>Alarm clips</translation>
    </message>
    <message>
        <source>报警前(秒)</source>
        <translation>Before (s)</translation>
    </message>
    <message>
        <source>报警后(秒)</source>
        <translation>After (s)</translation>
    </message>
    <message>
        <source>回放时也产生报警文件</source>
        <translation>Alarm files in replays</translation>
    </message>
    <message>
        <source>播放报警片段</source>
        <translation>Play alarm clip</translation>
    </message>
    <message>
        <source>无法播放录像：%1</source>
        <translation>The recording cannot be played: %1</translation>
    </message>
    <message>
        <source>导出视频...</source>
        <translation>Export video...</translation>
    </message>
    <message>
        <source>回放：%1</source>
        <translation>Replay: %1</translation>
    </message>
    <message>
        <source>播放</source>
        <translation>Play</translation>
    </message>
    <message>
        <source>无法开始录像：%1</source>
        <translation>The recording cannot start: %1</translation>
    </message>
    <message>
        <source>录像已停止：%1
已写入的部分可以播放：%2</source>
        <translation>The recording has stopped: %1
What was written can be played: %2</translation>
    </message>
    <message>
        <source>停止录像 %1 · %2</source>
        <translation>Stop %1 · %2</translation>
    </message>
    <message>
        <source>起点 %1</source>
        <translation>In %1</translation>
    </message>
    <message>
        <source>终点 %1</source>
        <translation>Out %1</translation>
    </message>
    <message>
        <source>正在导出视频...</source>
        <translation>Exporting the video...</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Notice</translation>
    </message>
    <message>
        <source>已导出 %1 帧：%2</source>
        <translation>%1 frames exported: %2</translation>
    </message>
    <message>
        <source>视频导出失败：%1</source>
        <translation>The video could not be exported: %1</translation>
    </message>
    <message>
        <source>MQTT：正在连接</source>
        <translation>MQTT: connecting</translation>
    </message>
    <message>
        <source>MQTT：已连接</source>
        <translation>MQTT: connected</translation>
    </message>
    <message>
        <source>MQTT：代理拒绝连接</source>
        <translation>MQTT: the broker refused</translation>
    </message>
    <message>
        <source>MQTT：无法连接代理</source>
        <translation>MQTT: broker unreachable</translation>
    </message>
    <message>
        <source>MQTT：连接中断，正在重连</source>
        <translation>MQTT: connection lost, reconnecting</translation>
    </message>
    <message>
        <source>MQTT：地址无效</source>
        <translation>MQTT: invalid address</translation>
    </message>
</context>
<context>
    <name>photo_window</name>
    <message>
        <source>VX305</source>
        <translation>VX305</translation>
    </message>
    <message>
        <source>文件</source>
        <translation>File</translation>
    </message>
    <message>
        <source>移动磁盘</source>
        <translation>Removable disk</translation>
    </message>
    <message>
        <source>图片信息</source>
        <translation>Viewer</translation>
    </message>
    <message>
        <source>编号</source>
        <translation>No</translation>
    </message>
    <message>
        <source>图像</source>
        <translation>Image</translation>
    </message>
    <message>
        <source>名称</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>时间</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>大小</source>
        <translation>Size</translation>
    </message>
    <message>
        <source>警告</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>该图片解析失败，请确认型号是否正确!</source>
        <translation>The picture parsing failed, please confirm whether the model is correct!</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>检查到U盘中同时含有VX300和VX305的文件
请选择打开哪一项？</source>
        <translation>Check the USB flash drive contains both VX300 and VX305 files
Please select which item to open?</translation>
    </message>
    <message>
        <source>未找到移动磁盘</source>
        <translation>No removable disk found.</translation>
    </message>
    <message>
        <source>所选磁盘中既没有VX305的“DCIM_100”文件夹，也没有VX300的“Images”文件夹</source>
        <translation>The selected disk holds neither the VX305 folder “DCIM_100” nor the VX300 folder “Images”.</translation>
    </message>
    <message>
        <source>为所选图片生成报告...</source>
        <translation>Reports for selection...</translation>
    </message>
    <message>
        <source>无法从文件夹判断图片的型号。
这些图片是哪一型号拍摄的？</source>
        <translation>The folder does not tell the model.
Which imager took these pictures?</translation>
    </message>
    <message>
        <source>选择保存报告的文件夹</source>
        <translation>Select the folder for the reports</translation>
    </message>
    <message>
        <source>所选文件夹中已有同名报告：%1 份。</source>
        <translation>Reports of the same name already exist in the chosen folder: %1.</translation>
    </message>
    <message>
        <source>全部替换</source>
        <translation>Replace all</translation>
    </message>
    <message>
        <source>全部跳过</source>
        <translation>Skip all</translation>
    </message>
    <message>
        <source>正在生成报告...</source>
        <translation>Writing reports...</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>正在生成报告 %1 / %2...</source>
        <translation>Writing report %1 of %2...</translation>
    </message>
    <message>
        <source>已取消。已生成的报告：%1 份。</source>
        <translation>Cancelled. Reports written: %1.</translation>
    </message>
    <message>
        <source>已生成的报告：%1 份。</source>
        <translation>Reports written: %1.</translation>
    </message>
    <message>
        <source>以下图片无法解析，已跳过：</source>
        <translation>These pictures could not be read and were skipped:</translation>
    </message>
    <message>
        <source>文件夹</source>
        <translation>Folder</translation>
    </message>
    <message>
        <source>为所选图片生成检测报告...</source>
        <translation>Inspection report of the selected pictures...</translation>
    </message>
    <message>
        <source>检测报告</source>
        <translation>Inspection report</translation>
    </message>
    <message>
        <source>保存的文件</source>
        <translation>Saved file</translation>
    </message>
    <message>
        <source>正在生成检测报告...</source>
        <translation>Writing the inspection report...</translation>
    </message>
    <message>
        <source>无法写入文件：%1</source>
        <translation>The file could not be written: %1</translation>
    </message>
    <message>
        <source>检测报告已生成，共 %1 页。</source>
        <translation>The inspection report was written: %1 pages.</translation>
    </message>
    <message>
        <source>以下图片无法解析，已列在报告末尾：</source>
        <translation>These pictures could not be read and are listed at the end of the report:</translation>
    </message>
</context>
<context>
    <name>seting</name>
    <message>
        <source>报警历史路径</source>
        <translation>Alarm history path</translation>
    </message>
    <message>
        <source>语言</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>Confirm</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>选择一个目录</source>
        <translation>Select a folder</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>改动将在应用重启后生效!</source>
        <translation>Changes will take effect after the application restarts!</translation>
    </message>
    <message>
        <source>路径中不能包含逗号“,”，请选择其他文件夹。</source>
        <translation>The path must not contain a comma &quot;,&quot;. Please choose another folder.</translation>
    </message>
    <message>
        <source>分析</source>
        <translation>Analyses</translation>
    </message>
    <message>
        <source>记住分析</source>
        <translation>Remember analyses</translation>
    </message>
    <message>
        <source>严重程度标准：ΔT 的下限（°C）</source>
        <translation>Severity criteria: lower bounds of ΔT (°C)</translation>
    </message>
    <message>
        <source>等级</source>
        <translation>Class</translation>
    </message>
    <message>
        <source>建议措施</source>
        <translation>Recommended action</translation>
    </message>
    <message>
        <source>对比同类部件</source>
        <translation>Similar component</translation>
    </message>
    <message>
        <source>对比环境空气</source>
        <translation>Ambient air</translation>
    </message>
    <message>
        <source>恢复默认</source>
        <translation>Restore defaults</translation>
    </message>
    <message>
        <source>将实时读数发布到 MQTT 代理</source>
        <translation>Publish the live readings to an MQTT broker</translation>
    </message>
    <message>
        <source>代理地址</source>
        <translation>Broker address</translation>
    </message>
    <message>
        <source>用户名</source>
        <translation>User</translation>
    </message>
    <message>
        <source>密码</source>
        <translation>Password</translation>
    </message>
    <message>
        <source>MQTT 代理地址无效：%1</source>
        <translation>The MQTT broker address is not valid: %1</translation>
    </message>
</context>
</TS>
