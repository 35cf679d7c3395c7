<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>BoardDelegate</name>
    <message>
        <source>Waiting for the camera&apos;s view…</source>
        <translation>正在等待摄像机画面…</translation>
    </message>
    <message>
        <source>No picture</source>
        <translation>无画面</translation>
    </message>
    <message>
        <source>No picture: %1</source>
        <translation>无画面：%1</translation>
    </message>
    <message>
        <source>Empty</source>
        <translation>空</translation>
    </message>
    <message>
        <source>Live</source>
        <translation>实时</translation>
    </message>
    <message>
        <source>speed %1</source>
        <translation>速度 %1</translation>
    </message>
</context>
<context>
    <name>BoardMenu</name>
    <message>
        <source>Preset board…</source>
        <translation>预置位总览…</translation>
    </message>
    <message>
        <source>Every camera&apos;s presets with their pictures, to recall and keep</source>
        <translation>所有摄像机的预置位及其画面，用于调用和维护</translation>
    </message>
</context>
<context>
    <name>BoardModel</name>
    <message>
        <source>Live</source>
        <translation>实时</translation>
    </message>
    <message>
        <source>Live view</source>
        <translation>实时画面</translation>
    </message>
    <message>
        <source>Preset %1, %2</source>
        <translation>预置位 %1，%2</translation>
    </message>
    <message>
        <source>Preset %1</source>
        <translation>预置位 %1</translation>
    </message>
    <message>
        <source>Click or Enter recalls it; right-click or the menu key for more.</source>
        <translation>单击或按 Enter 调用；右键单击或按菜单键查看更多操作。</translation>
    </message>
    <message>
        <source>Right-click or the menu key to store here.</source>
        <translation>右键单击或按菜单键在此存储。</translation>
    </message>
    <message>
        <source>Live view of %1, waiting for the camera&apos;s view</source>
        <translation>%1 的实时画面，正在等待摄像机画面</translation>
    </message>
    <message>
        <source>Live view of %1</source>
        <translation>%1 的实时画面</translation>
    </message>
    <message>
        <source>Empty</source>
        <translation>空</translation>
    </message>
    <message>
        <source>Stored</source>
        <translation>已存储</translation>
    </message>
    <message>
        <source>with its picture</source>
        <translation>有画面</translation>
    </message>
    <message>
        <source>no picture: %1</source>
        <translation>无画面：%1</translation>
    </message>
    <message>
        <source>no picture yet</source>
        <translation>尚无画面</translation>
    </message>
    <message>
        <source>recalled at speed %1</source>
        <translation>以速度 %1 调用</translation>
    </message>
</context>
<context>
    <name>CameraSelector</name>
    <message>
        <source>Answering since %1</source>
        <translation>自 %1 起正常响应</translation>
    </message>
    <message>
        <source>Slow: answers take more than half a second, since %1</source>
        <translation>缓慢：响应超过半秒，自 %1 起</translation>
    </message>
    <message>
        <source>Not answering since %1; the panel keeps trying</source>
        <translation>自 %1 起无响应；面板正在重试</translation>
    </message>
    <message>
        <source>Refuses its user name or password since %1</source>
        <translation>自 %1 起拒绝用户名或密码</translation>
    </message>
    <message>
        <source>Busy: another program holds it, since %1</source>
        <translation>忙：另一个程序正在使用，自 %1 起</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>MainWindow</source>
        <translation>PTZ Panel</translation>
    </message>
</context>
<context>
    <name>PresetBoard</name>
    <message>
        <source>Preset board – PTZ Panel</source>
        <translation>预置位总览 – PTZ Panel</translation>
    </message>
    <message>
        <source>Cameras</source>
        <translation>摄像机</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>状态</translation>
    </message>
    <message>
        <source>Click a preset to recall it at its own speed; right-click it, or press the menu key or Shift+F10, for more.</source>
        <translation>单击预置位，以其自身速度调用；右键单击，或按菜单键或 Shift+F10，查看更多操作。</translation>
    </message>
    <message>
        <source>No camera is attached.</source>
        <translation>面板未接入摄像机。</translation>
    </message>
    <message>
        <source>Presets of %1</source>
        <translation>%1 的预置位</translation>
    </message>
    <message>
        <source>The arrow keys choose a preset, Enter recalls it, the menu key or Shift+F10 offers the rest.</source>
        <translation>方向键选择预置位，Enter 调用，菜单键或 Shift+F10 提供其他操作。</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1：%2</translation>
    </message>
    <message>
        <source>Recall</source>
        <translation>调用</translation>
    </message>
    <message>
        <source>Store here</source>
        <translation>存储到此处</translation>
    </message>
    <message>
        <source>Retake picture</source>
        <translation>重新截取画面</translation>
    </message>
    <message>
        <source>Rename…</source>
        <translation>重命名…</translation>
    </message>
    <message>
        <source>Speed</source>
        <translation>速度</translation>
    </message>
    <message>
        <source>As the camera recalls it</source>
        <translation>按摄像机自身的调用速度</translation>
    </message>
    <message>
        <source>1 (slowest)</source>
        <translation>1（最慢）</translation>
    </message>
    <message>
        <source>%1 (fastest)</source>
        <translation>%1（最快）</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>清除</translation>
    </message>
    <message>
        <source>Store where %1 looks now as preset %2? Its position and picture are replaced.</source>
        <translation>将 %1 当前的朝向存储为预置位 %2？其位置和画面将被替换。</translation>
    </message>
    <message>
        <source>Store where %1 looks now as preset %2, %3? Its position and picture are replaced.</source>
        <translation>将 %1 当前的朝向存储为预置位 %2（%3）？其位置和画面将被替换。</translation>
    </message>
    <message>
        <source>Rename preset</source>
        <translation>重命名预置位</translation>
    </message>
    <message>
        <source>Name of preset %1 of %2 (empty: none):</source>
        <translation>%2 的预置位 %1 的名称（留空：无名称）：</translation>
    </message>
    <message>
        <source>Clear preset %1 of %2? Its position and picture are lost.</source>
        <translation>清除 %2 的预置位 %1？其位置和画面将丢失。</translation>
    </message>
    <message>
        <source>Clear preset %1, %2, of %3? Its position and picture are lost.</source>
        <translation>清除 %3 的预置位 %1（%2）？其位置和画面将丢失。</translation>
    </message>
    <message>
        <source>%1 is on program. Move it anyway?</source>
        <translation>%1 正在播出。仍要移动吗？</translation>
    </message>
    <message>
        <source>Shots and tours</source>
        <translation>镜头组与巡航</translation>
    </message>
    <message>
        <source>%1. Move the cameras on program anyway?</source>
        <translation>%1。仍要移动正在播出的摄像机吗?</translation>
    </message>
</context>
<context>
    <name>ShotDialog</name>
    <message>
        <source>New shot</source>
        <translation>新建镜头组</translation>
    </message>
    <message>
        <source>Change shot %1</source>
        <translation>修改镜头组 %1</translation>
    </message>
    <message>
        <source>&amp;Name:</source>
        <translation>名称(&amp;N):</translation>
    </message>
    <message>
        <source>Preset of %1</source>
        <translation>%1 的预置位</translation>
    </message>
    <message>
        <source>Stays where it is</source>
        <translation>保持不动</translation>
    </message>
    <message>
        <source> s</source>
        <translation> 秒</translation>
    </message>
    <message>
        <source>Each at its own speed</source>
        <translation>各自按自身速度</translation>
    </message>
    <message>
        <source>Time for the cameras to arrive together</source>
        <translation>摄像机同时到达所用的时间</translation>
    </message>
    <message>
        <source>&amp;Together in:</source>
        <translation>同时到达用时(&amp;T):</translation>
    </message>
    <message>
        <source>%1 – %2</source>
        <translation>%1 – %2</translation>
    </message>
    <message>
        <source>Give the shot a name.</source>
        <translation>请为镜头组命名。</translation>
    </message>
    <message>
        <source>Choose a preset for at least one camera.</source>
        <translation>请至少为一台摄像机选择预置位。</translation>
    </message>
</context>
<context>
    <name>ShowsPage</name>
    <message>
        <source>Shots</source>
        <translation>镜头组</translation>
    </message>
    <message>
        <source>Enter or a click recalls the shot: each of its cameras to its preset.</source>
        <translation>单击或按 Enter 调用镜头组：其中每台摄像机转到各自的预置位。</translation>
    </message>
    <message>
        <source>&amp;Shots</source>
        <translation>镜头组(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;New shot…</source>
        <translation>新建镜头组(&amp;N)…</translation>
    </message>
    <message>
        <source>C&amp;hange…</source>
        <translation>修改(&amp;H)…</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>删除(&amp;D)</translation>
    </message>
    <message>
        <source>Tours</source>
        <translation>巡航</translation>
    </message>
    <message>
        <source>Enter or a double-click starts the tour, or stops it while it runs.</source>
        <translation>回车或双击开始巡航,运行中则停止。</translation>
    </message>
    <message>
        <source>&amp;Tours</source>
        <translation>巡航(&amp;T)</translation>
    </message>
    <message>
        <source>St&amp;art</source>
        <translation>开始(&amp;A)</translation>
    </message>
    <message>
        <source>De&amp;lete</source>
        <translation>删除(&amp;L)</translation>
    </message>
    <message>
        <source>%1, together in %2 s</source>
        <translation>%1,%2 秒内同时到达</translation>
    </message>
    <message>
        <source>%1 for %2 s</source>
        <translation>%1 停留 %2 秒</translation>
    </message>
    <message>
        <source>%1 – %2, running: step %3</source>
        <translation>%1 – %2,运行中:第 %3 步</translation>
    </message>
    <message>
        <source>%1 – %2</source>
        <translation>%1 – %2</translation>
    </message>
    <message>
        <source>%1, again and again</source>
        <translation>%1,循环往复</translation>
    </message>
    <message>
        <source>Delete the shot %1? Its cameras&apos; presets stay.</source>
        <translation>删除镜头组 %1?其摄像机的预置位保留。</translation>
    </message>
    <message>
        <source>Delete the tour %1? Its camera&apos;s presets stay.</source>
        <translation>删除巡航 %1?其摄像机的预置位保留。</translation>
    </message>
    <message>
        <source>St&amp;op</source>
        <translation>停止(&amp;O)</translation>
    </message>
</context>
<context>
    <name>WinLeft</name>
    <message>
        <source>Brightness</source>
        <comment>accessible name</comment>
        <translation>亮度</translation>
    </message>
    <message>
        <source>Brightness of the picture</source>
        <translation>画面亮度</translation>
    </message>
    <message>
        <source>Contrast</source>
        <comment>accessible name</comment>
        <translation>对比度</translation>
    </message>
    <message>
        <source>Contrast of the picture</source>
        <translation>画面对比度</translation>
    </message>
    <message>
        <source>Hue</source>
        <comment>accessible name</comment>
        <translation>色调</translation>
    </message>
    <message>
        <source>Shifts the colours</source>
        <translation>偏移颜色</translation>
    </message>
    <message>
        <source>Saturation</source>
        <comment>accessible name</comment>
        <translation>饱和度</translation>
    </message>
    <message>
        <source>Strength of the colours</source>
        <translation>颜色浓度</translation>
    </message>
    <message>
        <source>Sharpness</source>
        <comment>accessible name</comment>
        <translation>锐度</translation>
    </message>
    <message>
        <source>Sharpness of the picture</source>
        <translation>画面锐度</translation>
    </message>
    <message>
        <source>Gamma</source>
        <comment>accessible name</comment>
        <translation>伽马</translation>
    </message>
    <message>
        <source>Brightens or darkens the mid-tones</source>
        <translation>调亮或调暗中间调</translation>
    </message>
    <message>
        <source>Backlight compensation</source>
        <comment>accessible name</comment>
        <translation>背光补偿</translation>
    </message>
    <message>
        <source>Brightens a subject in front of a bright background</source>
        <translation>调亮明亮背景前的主体</translation>
    </message>
    <message>
        <source>Automatic white balance</source>
        <comment>accessible name</comment>
        <translation>自动白平衡</translation>
    </message>
    <message>
        <source>The camera sets the white balance itself</source>
        <translation>由摄像机自行调整白平衡</translation>
    </message>
    <message>
        <source>White balance</source>
        <comment>accessible name</comment>
        <translation>白平衡</translation>
    </message>
    <message>
        <source>Colour temperature, while automatic white balance is off</source>
        <translation>色温（自动白平衡关闭时）</translation>
    </message>
    <message>
        <source>Anti-flicker</source>
        <comment>accessible name</comment>
        <translation>防闪烁</translation>
    </message>
    <message>
        <source>Matches the mains frequency of the lights: off, 50 Hz or 60 Hz</source>
        <translation>匹配照明的电源频率：关闭、50 Hz 或 60 Hz</translation>
    </message>
    <message>
        <source>Infrared off</source>
        <comment>accessible name</comment>
        <translation>红外关闭</translation>
    </message>
    <message>
        <source>Switches the infrared light on and off</source>
        <translation>开关红外灯</translation>
    </message>
    <message>
        <source>Day mode</source>
        <comment>accessible name</comment>
        <translation>白天模式</translation>
    </message>
    <message>
        <source>Switches between day and night mode</source>
        <translation>在白天和夜间模式之间切换</translation>
    </message>
    <message>
        <source>Flip</source>
        <comment>accessible name</comment>
        <translation>垂直翻转</translation>
    </message>
    <message>
        <source>Turns the picture upside down, and back</source>
        <translation>将画面上下颠倒，再恢复</translation>
    </message>
    <message>
        <source>Mirror</source>
        <comment>accessible name</comment>
        <translation>镜像</translation>
    </message>
    <message>
        <source>Mirrors the picture left to right, and back</source>
        <translation>将画面左右镜像，再恢复</translation>
    </message>
    <message>
        <source>On-screen menu off</source>
        <comment>accessible name</comment>
        <translation>屏幕菜单关闭</translation>
    </message>
    <message>
        <source>Shows and hides the camera&apos;s own on-screen menu</source>
        <translation>显示或隐藏摄像机自身的屏幕菜单</translation>
    </message>
    <message>
        <source>Home</source>
        <comment>accessible name</comment>
        <translation>归位</translation>
    </message>
    <message>
        <source>Moves to the home position (key: Home)</source>
        <translation>移动到归位位置（按键：Home）</translation>
    </message>
    <message>
        <source>Automatic framing</source>
        <comment>accessible name</comment>
        <translation>自动构图</translation>
    </message>
    <message>
        <source>Switches automatic framing of the people in view on and off</source>
        <translation>开关对画面中人物的自动构图</translation>
    </message>
    <message>
        <source>End automatic framing</source>
        <comment>accessible name</comment>
        <translation>结束自动构图</translation>
    </message>
    <message>
        <source>Ends automatic framing and keeps the view as it is</source>
        <translation>结束自动构图并保持当前画面</translation>
    </message>
    <message>
        <source>Reset image</source>
        <comment>accessible name</comment>
        <translation>重置图像</translation>
    </message>
    <message>
        <source>Sets the image values back to the camera&apos;s defaults</source>
        <translation>将图像参数恢复为摄像机默认值</translation>
    </message>
    <message>
        <source>Reset pan, tilt and zoom</source>
        <comment>accessible name</comment>
        <translation>重置水平、俯仰和变焦</translation>
    </message>
    <message>
        <source>Recalibrates pan, tilt and zoom</source>
        <translation>重新校准水平、俯仰和变焦</translation>
    </message>
    <message>
        <source>Infrared on</source>
        <comment>accessible name</comment>
        <translation>红外开启</translation>
    </message>
    <message>
        <source>Night mode</source>
        <comment>accessible name</comment>
        <translation>夜间模式</translation>
    </message>
    <message>
        <source>On-screen menu on</source>
        <comment>accessible name</comment>
        <translation>屏幕菜单开启</translation>
    </message>
    <message>
        <source>Manual framing</source>
        <comment>accessible name</comment>
        <translation>手动构图</translation>
    </message>
    <message>
        <source>%1: value</source>
        <translation>%1：数值</translation>
    </message>
    <message>
        <source>No camera is connected.</source>
        <translation>未连接摄像机。</translation>
    </message>
    <message>
        <source>Works on %1.</source>
        <translation>作用于 %1。</translation>
    </message>
    <message>
        <source>Greyed: %1 cannot do this.</source>
        <translation>已变灰：%1 不支持此功能。</translation>
    </message>
    <message>
        <source>Hue</source>
        <translation>色调</translation>
    </message>
    <message>
        <source>Gamma</source>
        <translation>伽马</translation>
    </message>
    <message>
        <source>WhiteBalance</source>
        <translation>白平衡</translation>
    </message>
    <message>
        <source>Contrast</source>
        <translation>对比度</translation>
    </message>
    <message>
        <source>Brightness</source>
        <translation>亮度</translation>
    </message>
    <message>
        <source>Saturation</source>
        <translation>饱和度</translation>
    </message>
    <message>
        <source>Sharpness</source>
        <translation>锐度</translation>
    </message>
    <message>
        <source>Flicker</source>
        <translation>闪烁</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>关</translation>
    </message>
    <message>
        <source>50Hz</source>
        <translation>50Hz</translation>
    </message>
    <message>
        <source>60Hz</source>
        <translation>60Hz</translation>
    </message>
    <message>
        <source>Mirror</source>
        <translation>镜像</translation>
    </message>
    <message>
        <source>Flip</source>
        <translation>翻转</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>归位</translation>
    </message>
    <message>
        <source>Menu OFF</source>
        <translation>菜单关</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>重置</translation>
    </message>
    <message>
        <source>Push</source>
        <translation>固定</translation>
    </message>
    <message>
        <source>Framing</source>
        <translation>构图</translation>
    </message>
    <message>
        <source>10000</source>
        <translation>10000</translation>
    </message>
    <message>
        <source>1000</source>
        <translation>1000</translation>
    </message>
    <message>
        <source>BackLight</source>
        <translation>背光补偿</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>自动</translation>
    </message>
    <message>
        <source>IR OFF</source>
        <translation>红外关</translation>
    </message>
    <message>
        <source>DAY</source>
        <translation>白天</translation>
    </message>
    <message>
        <source>RST-PTZ</source>
        <translation>PTZ复位</translation>
    </message>
    <message>
        <source>Menu ON</source>
        <translation>菜单开</translation>
    </message>
    <message>
        <source>Manual</source>
        <translation>手动</translation>
    </message>
    <message>
        <source>IR ON</source>
        <translation>红外开</translation>
    </message>
    <message>
        <source>NIGHT</source>
        <translation>夜间</translation>
    </message>
</context>
<context>
    <name>WinRight</name>
    <message>
        <source>Image settings</source>
        <comment>accessible name</comment>
        <translation>图像设置</translation>
    </message>
    <message>
        <source>Opens and shuts the image settings</source>
        <translation>打开或关闭图像设置</translation>
    </message>
    <message>
        <source>Stay on top</source>
        <comment>accessible name</comment>
        <translation>置顶</translation>
    </message>
    <message>
        <source>Keeps the panel above other windows while pressed in</source>
        <translation>按下时面板保持在其他窗口之上</translation>
    </message>
    <message>
        <source>Close</source>
        <comment>accessible name</comment>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Closes the panel</source>
        <translation>关闭面板</translation>
    </message>
    <message>
        <source>Camera</source>
        <comment>accessible name</comment>
        <translation>摄像机</translation>
    </message>
    <message>
        <source>The camera the panel controls</source>
        <translation>面板控制的摄像机</translation>
    </message>
    <message>
        <source>Joystick</source>
        <comment>accessible name</comment>
        <translation>摇杆</translation>
    </message>
    <message>
        <source>Drag to pan and tilt, faster the farther. Keys: arrows, with Shift faster, with Ctrl slower</source>
        <translation>拖动以水平和俯仰转动，越远越快。按键：方向键，加 Shift 更快，加 Ctrl 更慢</translation>
    </message>
    <message>
        <source>Set position</source>
        <comment>accessible name</comment>
        <translation>设定位置</translation>
    </message>
    <message>
        <source>Moves the camera to the pan and tilt typed below</source>
        <translation>将摄像机移动到下方输入的水平和俯仰值</translation>
    </message>
    <message>
        <source>Get position</source>
        <comment>accessible name</comment>
        <translation>读取位置</translation>
    </message>
    <message>
        <source>Reads the camera&apos;s pan and tilt into the fields below</source>
        <translation>将摄像机的水平和俯仰值读入下方字段</translation>
    </message>
    <message>
        <source>Pan to set</source>
        <comment>accessible name</comment>
        <translation>要设定的水平值</translation>
    </message>
    <message>
        <source>The pan the Set position key moves to</source>
        <translation>“设定位置”键移动到的水平值</translation>
    </message>
    <message>
        <source>Tilt to set</source>
        <comment>accessible name</comment>
        <translation>要设定的俯仰值</translation>
    </message>
    <message>
        <source>The tilt the Set position key moves to</source>
        <translation>“设定位置”键移动到的俯仰值</translation>
    </message>
    <message>
        <source>Pan read</source>
        <comment>accessible name</comment>
        <translation>读取的水平值</translation>
    </message>
    <message>
        <source>The pan the camera last reported</source>
        <translation>摄像机最近报告的水平值</translation>
    </message>
    <message>
        <source>Tilt read</source>
        <comment>accessible name</comment>
        <translation>读取的俯仰值</translation>
    </message>
    <message>
        <source>The tilt the camera last reported</source>
        <translation>摄像机最近报告的俯仰值</translation>
    </message>
    <message>
        <source>Zoom</source>
        <comment>accessible name</comment>
        <translation>变焦</translation>
    </message>
    <message>
        <source>Drag right to zoom in, left to zoom out; it springs back. Keys: + and -, Page Up and Page Down</source>
        <translation>向右拖动放大，向左拖动缩小；松开后回弹。按键：+ 和 -、Page Up 和 Page Down</translation>
    </message>
    <message>
        <source>Store mode</source>
        <comment>accessible name</comment>
        <translation>存储模式</translation>
    </message>
    <message>
        <source>Press, then a preset key, to store the position there (keys: Ctrl+0 to Ctrl+8)</source>
        <translation>按下后再按预置位键，将位置存储到该预置位（按键：Ctrl+0 至 Ctrl+8）</translation>
    </message>
    <message>
        <source>Clear mode</source>
        <comment>accessible name</comment>
        <translation>清除模式</translation>
    </message>
    <message>
        <source>Press, then a preset key, to clear that preset</source>
        <translation>按下后再按预置位键，清除该预置位</translation>
    </message>
    <message>
        <source>Preset %1</source>
        <translation>预置位 %1</translation>
    </message>
    <message>
        <source>Recalls preset %1; after Store or Clear mode, stores or clears it. Key: %1, with Ctrl stores</source>
        <translation>调用预置位 %1；在存储或清除模式后则存储或清除。按键：%1，加 Ctrl 存储</translation>
    </message>
    <message>
        <source>Form</source>
        <translation>窗体</translation>
    </message>
    <message>
        <source>0</source>
        <translation>0</translation>
    </message>
    <message>
        <source>1</source>
        <translation>1</translation>
    </message>
    <message>
        <source>2</source>
        <translation>2</translation>
    </message>
    <message>
        <source>5</source>
        <translation>5</translation>
    </message>
    <message>
        <source>4</source>
        <translation>4</translation>
    </message>
    <message>
        <source>7</source>
        <translation>7</translation>
    </message>
    <message>
        <source>8</source>
        <translation>8</translation>
    </message>
    <message>
        <source>6</source>
        <translation>6</translation>
    </message>
    <message>
        <source>3</source>
        <translation>3</translation>
    </message>
    <message>
        <source>Set</source>
        <translation>存储</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>清除</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>设备</translation>
    </message>
    <message>
        <source>PAN</source>
        <translation>水平</translation>
    </message>
    <message>
        <source>TILT</source>
        <translation>俯仰</translation>
    </message>
    <message>
        <source>SET/PT</source>
        <translation>设定PT</translation>
    </message>
    <message>
        <source>GET/PT</source>
        <translation>读取PT</translation>
    </message>
    <message>
        <source>Preset %1: %2</source>
        <translation>预置位 %1：%2</translation>
    </message>
    <message>
        <source>Stored.</source>
        <translation>已存储。</translation>
    </message>
    <message>
        <source>Not stored.</source>
        <translation>未存储。</translation>
    </message>
</context>
</TS>
