<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja">
<context>
    <name>BoardDelegate</name>
    <message>
        <source>Waiting for the camera&apos;s view…</source>
        <translation>カメラの映像を待っています…</translation>
    </message>
    <message>
        <source>No picture</source>
        <translation>画像なし</translation>
    </message>
    <message>
        <source>No picture: %1</source>
        <translation>画像なし：%1</translation>
    </message>
    <message>
        <source>Empty</source>
        <translation>空き</translation>
    </message>
    <message>
        <source>Live</source>
        <translation>ライブ</translation>
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
        <translation>プリセットボード…</translation>
    </message>
    <message>
        <source>Every camera&apos;s presets with their pictures, to recall and keep</source>
        <translation>すべてのカメラのプリセットを画像付きで表示し、呼び出しと管理ができます</translation>
    </message>
</context>
<context>
    <name>BoardModel</name>
    <message>
        <source>Live</source>
        <translation>ライブ</translation>
    </message>
    <message>
        <source>Live view</source>
        <translation>ライブ映像</translation>
    </message>
    <message>
        <source>Preset %1, %2</source>
        <translation>プリセット %1、%2</translation>
    </message>
    <message>
        <source>Preset %1</source>
        <translation>プリセット %1</translation>
    </message>
    <message>
        <source>Click or Enter recalls it; right-click or the menu key for more.</source>
        <translation>クリックまたは Enter で呼び出します。右クリックまたはメニューキーでその他の操作ができます。</translation>
    </message>
    <message>
        <source>Right-click or the menu key to store here.</source>
        <translation>右クリックまたはメニューキーでここに登録できます。</translation>
    </message>
    <message>
        <source>Live view of %1, waiting for the camera&apos;s view</source>
        <translation>%1 のライブ映像（カメラの映像を待っています）</translation>
    </message>
    <message>
        <source>Live view of %1</source>
        <translation>%1 のライブ映像</translation>
    </message>
    <message>
        <source>Empty</source>
        <translation>空き</translation>
    </message>
    <message>
        <source>Stored</source>
        <translation>登録済み</translation>
    </message>
    <message>
        <source>with its picture</source>
        <translation>画像あり</translation>
    </message>
    <message>
        <source>no picture: %1</source>
        <translation>画像なし：%1</translation>
    </message>
    <message>
        <source>no picture yet</source>
        <translation>画像はまだありません</translation>
    </message>
    <message>
        <source>recalled at speed %1</source>
        <translation>速度 %1 で呼び出し</translation>
    </message>
</context>
<context>
    <name>CameraSelector</name>
    <message>
        <source>Answering since %1</source>
        <translation>%1 から応答しています</translation>
    </message>
    <message>
        <source>Slow: answers take more than half a second, since %1</source>
        <translation>低速: 応答に0.5秒以上かかります（%1 から）</translation>
    </message>
    <message>
        <source>Not answering since %1; the panel keeps trying</source>
        <translation>%1 から応答がありません。パネルが再接続を続けています</translation>
    </message>
    <message>
        <source>Refuses its user name or password since %1</source>
        <translation>%1 からユーザー名またはパスワードを拒否しています</translation>
    </message>
    <message>
        <source>Busy: another program holds it, since %1</source>
        <translation>使用中: 別のプログラムが使用しています（%1 から）</translation>
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
        <translation>プリセットボード – PTZ Panel</translation>
    </message>
    <message>
        <source>Cameras</source>
        <translation>カメラ</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>ステータス</translation>
    </message>
    <message>
        <source>Click a preset to recall it at its own speed; right-click it, or press the menu key or Shift+F10, for more.</source>
        <translation>プリセットをクリックすると、そのプリセット自身の速度で呼び出します。右クリック、またはメニューキーか Shift+F10 でその他の操作ができます。</translation>
    </message>
    <message>
        <source>No camera is attached.</source>
        <translation>パネルにカメラが接続されていません。</translation>
    </message>
    <message>
        <source>Presets of %1</source>
        <translation>%1 のプリセット</translation>
    </message>
    <message>
        <source>The arrow keys choose a preset, Enter recalls it, the menu key or Shift+F10 offers the rest.</source>
        <translation>矢印キーでプリセットを選び、Enter で呼び出します。メニューキーまたは Shift+F10 でその他の操作ができます。</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1：%2</translation>
    </message>
    <message>
        <source>Recall</source>
        <translation>呼び出し</translation>
    </message>
    <message>
        <source>Store here</source>
        <translation>ここに登録</translation>
    </message>
    <message>
        <source>Retake picture</source>
        <translation>画像を撮り直す</translation>
    </message>
    <message>
        <source>Rename…</source>
        <translation>名前を変更…</translation>
    </message>
    <message>
        <source>Speed</source>
        <translation>速度</translation>
    </message>
    <message>
        <source>As the camera recalls it</source>
        <translation>カメラの呼び出し速度のまま</translation>
    </message>
    <message>
        <source>1 (slowest)</source>
        <translation>1（最も遅い）</translation>
    </message>
    <message>
        <source>%1 (fastest)</source>
        <translation>%1（最も速い）</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>消去</translation>
    </message>
    <message>
        <source>Store where %1 looks now as preset %2? Its position and picture are replaced.</source>
        <translation>%1 の現在の向きをプリセット %2 として登録しますか？位置と画像は置き換えられます。</translation>
    </message>
    <message>
        <source>Store where %1 looks now as preset %2, %3? Its position and picture are replaced.</source>
        <translation>%1 の現在の向きをプリセット %2（%3）として登録しますか？位置と画像は置き換えられます。</translation>
    </message>
    <message>
        <source>Rename preset</source>
        <translation>プリセット名の変更</translation>
    </message>
    <message>
        <source>Name of preset %1 of %2 (empty: none):</source>
        <translation>%2 のプリセット %1 の名前（空欄：名前なし）：</translation>
    </message>
    <message>
        <source>Clear preset %1 of %2? Its position and picture are lost.</source>
        <translation>%2 のプリセット %1 を消去しますか？位置と画像は失われます。</translation>
    </message>
    <message>
        <source>Clear preset %1, %2, of %3? Its position and picture are lost.</source>
        <translation>%3 のプリセット %1（%2）を消去しますか？位置と画像は失われます。</translation>
    </message>
    <message>
        <source>%1 is on program. Move it anyway?</source>
        <translation>%1 はオンエア中です。それでも動かしますか？</translation>
    </message>
    <message>
        <source>Shots and tours</source>
        <translation>ショットとツアー</translation>
    </message>
    <message>
        <source>%1. Move the cameras on program anyway?</source>
        <translation>%1。オンエア中のカメラを動かしますか?</translation>
    </message>
</context>
<context>
    <name>ShotDialog</name>
    <message>
        <source>New shot</source>
        <translation>新しいショット</translation>
    </message>
    <message>
        <source>Change shot %1</source>
        <translation>ショット %1 を変更</translation>
    </message>
    <message>
        <source>&amp;Name:</source>
        <translation>名前(&amp;N):</translation>
    </message>
    <message>
        <source>Preset of %1</source>
        <translation>%1 のプリセット</translation>
    </message>
    <message>
        <source>Stays where it is</source>
        <translation>そのまま</translation>
    </message>
    <message>
        <source> s</source>
        <translation> 秒</translation>
    </message>
    <message>
        <source>Each at its own speed</source>
        <translation>それぞれの速度で</translation>
    </message>
    <message>
        <source>Time for the cameras to arrive together</source>
        <translation>カメラが同時に到着するまでの時間</translation>
    </message>
    <message>
        <source>&amp;Together in:</source>
        <translation>同時到着まで(&amp;T):</translation>
    </message>
    <message>
        <source>%1 – %2</source>
        <translation>%1 – %2</translation>
    </message>
    <message>
        <source>Give the shot a name.</source>
        <translation>ショットに名前を付けてください。</translation>
    </message>
    <message>
        <source>Choose a preset for at least one camera.</source>
        <translation>少なくとも 1 台のカメラのプリセットを選んでください。</translation>
    </message>
</context>
<context>
    <name>ShowsPage</name>
    <message>
        <source>Shots</source>
        <translation>ショット</translation>
    </message>
    <message>
        <source>Enter or a click recalls the shot: each of its cameras to its preset.</source>
        <translation>クリックまたは Enter でショットを呼び出します。各カメラがそれぞれのプリセットへ移動します。</translation>
    </message>
    <message>
        <source>&amp;Shots</source>
        <translation>ショット(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;New shot…</source>
        <translation>新しいショット(&amp;N)…</translation>
    </message>
    <message>
        <source>C&amp;hange…</source>
        <translation>変更(&amp;H)…</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>削除(&amp;D)</translation>
    </message>
    <message>
        <source>Tours</source>
        <translation>ツアー</translation>
    </message>
    <message>
        <source>Enter or a double-click starts the tour, or stops it while it runs.</source>
        <translation>Enter またはダブルクリックでツアーを開始し、実行中なら停止します。</translation>
    </message>
    <message>
        <source>&amp;Tours</source>
        <translation>ツアー(&amp;T)</translation>
    </message>
    <message>
        <source>St&amp;art</source>
        <translation>開始(&amp;A)</translation>
    </message>
    <message>
        <source>De&amp;lete</source>
        <translation>削除(&amp;L)</translation>
    </message>
    <message>
        <source>%1, together in %2 s</source>
        <translation>%1、%2 秒で同時に</translation>
    </message>
    <message>
        <source>%1 for %2 s</source>
        <translation>%1 で %2 秒</translation>
    </message>
    <message>
        <source>%1 – %2, running: step %3</source>
        <translation>%1 – %2、実行中: ステップ %3</translation>
    </message>
    <message>
        <source>%1 – %2</source>
        <translation>%1 – %2</translation>
    </message>
    <message>
        <source>%1, again and again</source>
        <translation>%1、繰り返し</translation>
    </message>
    <message>
        <source>Delete the shot %1? Its cameras&apos; presets stay.</source>
        <translation>ショット %1 を削除しますか? カメラのプリセットは残ります。</translation>
    </message>
    <message>
        <source>Delete the tour %1? Its camera&apos;s presets stay.</source>
        <translation>ツアー %1 を削除しますか? カメラのプリセットは残ります。</translation>
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
        <translation>明るさ</translation>
    </message>
    <message>
        <source>Brightness of the picture</source>
        <translation>映像の明るさ</translation>
    </message>
    <message>
        <source>Contrast</source>
        <comment>accessible name</comment>
        <translation>コントラスト</translation>
    </message>
    <message>
        <source>Contrast of the picture</source>
        <translation>映像のコントラスト</translation>
    </message>
    <message>
        <source>Hue</source>
        <comment>accessible name</comment>
        <translation>色相</translation>
    </message>
    <message>
        <source>Shifts the colours</source>
        <translation>色味をずらします</translation>
    </message>
    <message>
        <source>Saturation</source>
        <comment>accessible name</comment>
        <translation>彩度</translation>
    </message>
    <message>
        <source>Strength of the colours</source>
        <translation>色の濃さ</translation>
    </message>
    <message>
        <source>Sharpness</source>
        <comment>accessible name</comment>
        <translation>シャープネス</translation>
    </message>
    <message>
        <source>Sharpness of the picture</source>
        <translation>映像のシャープネス</translation>
    </message>
    <message>
        <source>Gamma</source>
        <comment>accessible name</comment>
        <translation>ガンマ</translation>
    </message>
    <message>
        <source>Brightens or darkens the mid-tones</source>
        <translation>中間調を明るくまたは暗くします</translation>
    </message>
    <message>
        <source>Backlight compensation</source>
        <comment>accessible name</comment>
        <translation>逆光補正</translation>
    </message>
    <message>
        <source>Brightens a subject in front of a bright background</source>
        <translation>明るい背景の前の被写体を明るくします</translation>
    </message>
    <message>
        <source>Automatic white balance</source>
        <comment>accessible name</comment>
        <translation>オートホワイトバランス</translation>
    </message>
    <message>
        <source>The camera sets the white balance itself</source>
        <translation>カメラがホワイトバランスを自動で調整します</translation>
    </message>
    <message>
        <source>White balance</source>
        <comment>accessible name</comment>
        <translation>ホワイトバランス</translation>
    </message>
    <message>
        <source>Colour temperature, while automatic white balance is off</source>
        <translation>色温度（オートホワイトバランスがオフのとき）</translation>
    </message>
    <message>
        <source>Anti-flicker</source>
        <comment>accessible name</comment>
        <translation>フリッカー低減</translation>
    </message>
    <message>
        <source>Matches the mains frequency of the lights: off, 50 Hz or 60 Hz</source>
        <translation>照明の電源周波数に合わせます：オフ、50 Hz、60 Hz</translation>
    </message>
    <message>
        <source>Infrared off</source>
        <comment>accessible name</comment>
        <translation>赤外線オフ</translation>
    </message>
    <message>
        <source>Switches the infrared light on and off</source>
        <translation>赤外線ライトをオン／オフします</translation>
    </message>
    <message>
        <source>Day mode</source>
        <comment>accessible name</comment>
        <translation>昼モード</translation>
    </message>
    <message>
        <source>Switches between day and night mode</source>
        <translation>昼モードと夜モードを切り替えます</translation>
    </message>
    <message>
        <source>Flip</source>
        <comment>accessible name</comment>
        <translation>上下反転</translation>
    </message>
    <message>
        <source>Turns the picture upside down, and back</source>
        <translation>映像を上下逆さまにし、元に戻します</translation>
    </message>
    <message>
        <source>Mirror</source>
        <comment>accessible name</comment>
        <translation>左右反転</translation>
    </message>
    <message>
        <source>Mirrors the picture left to right, and back</source>
        <translation>映像を左右反転し、元に戻します</translation>
    </message>
    <message>
        <source>On-screen menu off</source>
        <comment>accessible name</comment>
        <translation>オンスクリーンメニュー オフ</translation>
    </message>
    <message>
        <source>Shows and hides the camera&apos;s own on-screen menu</source>
        <translation>カメラ自身のオンスクリーンメニューを表示／非表示にします</translation>
    </message>
    <message>
        <source>Home</source>
        <comment>accessible name</comment>
        <translation>ホーム</translation>
    </message>
    <message>
        <source>Moves to the home position (key: Home)</source>
        <translation>ホームポジションへ移動します（キー：Home）</translation>
    </message>
    <message>
        <source>Automatic framing</source>
        <comment>accessible name</comment>
        <translation>自動フレーミング</translation>
    </message>
    <message>
        <source>Switches automatic framing of the people in view on and off</source>
        <translation>映っている人物の自動フレーミングをオン／オフします</translation>
    </message>
    <message>
        <source>End automatic framing</source>
        <comment>accessible name</comment>
        <translation>自動フレーミングを終了</translation>
    </message>
    <message>
        <source>Ends automatic framing and keeps the view as it is</source>
        <translation>自動フレーミングを終了し、現在の画角を保ちます</translation>
    </message>
    <message>
        <source>Reset image</source>
        <comment>accessible name</comment>
        <translation>映像をリセット</translation>
    </message>
    <message>
        <source>Sets the image values back to the camera&apos;s defaults</source>
        <translation>映像の設定値をカメラの既定値に戻します</translation>
    </message>
    <message>
        <source>Reset pan, tilt and zoom</source>
        <comment>accessible name</comment>
        <translation>パン・チルト・ズームをリセット</translation>
    </message>
    <message>
        <source>Recalibrates pan, tilt and zoom</source>
        <translation>パン・チルト・ズームを再調整します</translation>
    </message>
    <message>
        <source>Infrared on</source>
        <comment>accessible name</comment>
        <translation>赤外線オン</translation>
    </message>
    <message>
        <source>Night mode</source>
        <comment>accessible name</comment>
        <translation>夜モード</translation>
    </message>
    <message>
        <source>On-screen menu on</source>
        <comment>accessible name</comment>
        <translation>オンスクリーンメニュー オン</translation>
    </message>
    <message>
        <source>Manual framing</source>
        <comment>accessible name</comment>
        <translation>手動フレーミング</translation>
    </message>
    <message>
        <source>%1: value</source>
        <translation>%1：値</translation>
    </message>
    <message>
        <source>No camera is connected.</source>
        <translation>カメラが接続されていません。</translation>
    </message>
    <message>
        <source>Works on %1.</source>
        <translation>%1 に作用します。</translation>
    </message>
    <message>
        <source>Greyed: %1 cannot do this.</source>
        <translation>グレー表示：%1 はこれに対応していません。</translation>
    </message>
    <message>
        <source>Hue</source>
        <translation>色相</translation>
    </message>
    <message>
        <source>Gamma</source>
        <translation>ガンマ</translation>
    </message>
    <message>
        <source>WhiteBalance</source>
        <translation>Wバランス</translation>
    </message>
    <message>
        <source>Contrast</source>
        <translation>コントラ</translation>
    </message>
    <message>
        <source>Brightness</source>
        <translation>明るさ</translation>
    </message>
    <message>
        <source>Saturation</source>
        <translation>彩度</translation>
    </message>
    <message>
        <source>Sharpness</source>
        <translation>シャープ</translation>
    </message>
    <message>
        <source>Flicker</source>
        <translation>フリッカ</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>オフ</translation>
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
        <translation>左右</translation>
    </message>
    <message>
        <source>Flip</source>
        <translation>上下</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>ホーム</translation>
    </message>
    <message>
        <source>Menu OFF</source>
        <translation>メニュー切</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>既定値</translation>
    </message>
    <message>
        <source>Push</source>
        <translation>固定</translation>
    </message>
    <message>
        <source>Framing</source>
        <translation>構図</translation>
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
        <translation>逆光補正</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>自動</translation>
    </message>
    <message>
        <source>IR OFF</source>
        <translation>IR切</translation>
    </message>
    <message>
        <source>DAY</source>
        <translation>昼</translation>
    </message>
    <message>
        <source>RST-PTZ</source>
        <translation>PTZ初期</translation>
    </message>
    <message>
        <source>Menu ON</source>
        <translation>メニュー入</translation>
    </message>
    <message>
        <source>Manual</source>
        <translation>手動</translation>
    </message>
    <message>
        <source>IR ON</source>
        <translation>IR入</translation>
    </message>
    <message>
        <source>NIGHT</source>
        <translation>夜</translation>
    </message>
</context>
<context>
    <name>WinRight</name>
    <message>
        <source>Image settings</source>
        <comment>accessible name</comment>
        <translation>映像設定</translation>
    </message>
    <message>
        <source>Opens and shuts the image settings</source>
        <translation>映像設定を開閉します</translation>
    </message>
    <message>
        <source>Stay on top</source>
        <comment>accessible name</comment>
        <translation>常に手前に表示</translation>
    </message>
    <message>
        <source>Keeps the panel above other windows while pressed in</source>
        <translation>押し込まれている間、パネルを他のウィンドウより手前に保ちます</translation>
    </message>
    <message>
        <source>Close</source>
        <comment>accessible name</comment>
        <translation>閉じる</translation>
    </message>
    <message>
        <source>Closes the panel</source>
        <translation>パネルを閉じます</translation>
    </message>
    <message>
        <source>Camera</source>
        <comment>accessible name</comment>
        <translation>カメラ</translation>
    </message>
    <message>
        <source>The camera the panel controls</source>
        <translation>パネルが操作するカメラ</translation>
    </message>
    <message>
        <source>Joystick</source>
        <comment>accessible name</comment>
        <translation>ジョイスティック</translation>
    </message>
    <message>
        <source>Drag to pan and tilt, faster the farther. Keys: arrows, with Shift faster, with Ctrl slower</source>
        <translation>ドラッグでパン・チルト、遠いほど速く。キー：矢印（Shiftで速く、Ctrlで遅く）</translation>
    </message>
    <message>
        <source>Set position</source>
        <comment>accessible name</comment>
        <translation>位置を設定</translation>
    </message>
    <message>
        <source>Moves the camera to the pan and tilt typed below</source>
        <translation>下に入力したパンとチルトへカメラを動かします</translation>
    </message>
    <message>
        <source>Get position</source>
        <comment>accessible name</comment>
        <translation>位置を取得</translation>
    </message>
    <message>
        <source>Reads the camera&apos;s pan and tilt into the fields below</source>
        <translation>カメラのパンとチルトを下の欄に読み込みます</translation>
    </message>
    <message>
        <source>Pan to set</source>
        <comment>accessible name</comment>
        <translation>設定するパン</translation>
    </message>
    <message>
        <source>The pan the Set position key moves to</source>
        <translation>「位置を設定」キーで移動するパン</translation>
    </message>
    <message>
        <source>Tilt to set</source>
        <comment>accessible name</comment>
        <translation>設定するチルト</translation>
    </message>
    <message>
        <source>The tilt the Set position key moves to</source>
        <translation>「位置を設定」キーで移動するチルト</translation>
    </message>
    <message>
        <source>Pan read</source>
        <comment>accessible name</comment>
        <translation>取得したパン</translation>
    </message>
    <message>
        <source>The pan the camera last reported</source>
        <translation>カメラが最後に報告したパン</translation>
    </message>
    <message>
        <source>Tilt read</source>
        <comment>accessible name</comment>
        <translation>取得したチルト</translation>
    </message>
    <message>
        <source>The tilt the camera last reported</source>
        <translation>カメラが最後に報告したチルト</translation>
    </message>
    <message>
        <source>Zoom</source>
        <comment>accessible name</comment>
        <translation>ズーム</translation>
    </message>
    <message>
        <source>Drag right to zoom in, left to zoom out; it springs back. Keys: + and -, Page Up and Page Down</source>
        <translation>右へドラッグでズームイン、左でズームアウト。手を離すと戻ります。キー：+ と -、Page Up と Page Down</translation>
    </message>
    <message>
        <source>Store mode</source>
        <comment>accessible name</comment>
        <translation>登録モード</translation>
    </message>
    <message>
        <source>Press, then a preset key, to store the position there (keys: Ctrl+0 to Ctrl+8)</source>
        <translation>押してからプリセットキーを押すと、そこに位置を登録します（キー：Ctrl+0〜Ctrl+8）</translation>
    </message>
    <message>
        <source>Clear mode</source>
        <comment>accessible name</comment>
        <translation>消去モード</translation>
    </message>
    <message>
        <source>Press, then a preset key, to clear that preset</source>
        <translation>押してからプリセットキーを押すと、そのプリセットを消去します</translation>
    </message>
    <message>
        <source>Preset %1</source>
        <translation>プリセット %1</translation>
    </message>
    <message>
        <source>Recalls preset %1; after Store or Clear mode, stores or clears it. Key: %1, with Ctrl stores</source>
        <translation>プリセット %1 を呼び出します。登録／消去モードの後は登録または消去します。キー：%1（Ctrl で登録）</translation>
    </message>
    <message>
        <source>Form</source>
        <translation>フォーム</translation>
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
        <translation>登録</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>消去</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>カメラ</translation>
    </message>
    <message>
        <source>PAN</source>
        <translation>PAN</translation>
    </message>
    <message>
        <source>TILT</source>
        <translation>TILT</translation>
    </message>
    <message>
        <source>SET/PT</source>
        <translation>PT設定</translation>
    </message>
    <message>
        <source>GET/PT</source>
        <translation>PT取得</translation>
    </message>
    <message>
        <source>Preset %1: %2</source>
        <translation>プリセット %1: %2</translation>
    </message>
    <message>
        <source>Stored.</source>
        <translation>登録済み。</translation>
    </message>
    <message>
        <source>Not stored.</source>
        <translation>未登録。</translation>
    </message>
</context>
</TS>
