<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pl">
<context>
    <name>BoardDelegate</name>
    <message>
        <source>Waiting for the camera&apos;s view…</source>
        <translation>Oczekiwanie na obraz z kamery…</translation>
    </message>
    <message>
        <source>No picture</source>
        <translation>Brak obrazu</translation>
    </message>
    <message>
        <source>No picture: %1</source>
        <translation>Brak obrazu: %1</translation>
    </message>
    <message>
        <source>Empty</source>
        <translation>Pusty</translation>
    </message>
    <message>
        <source>Live</source>
        <translation>Na żywo</translation>
    </message>
    <message>
        <source>speed %1</source>
        <translation>prędkość %1</translation>
    </message>
</context>
<context>
    <name>BoardMenu</name>
    <message>
        <source>Preset board…</source>
        <translation>Tablica presetów…</translation>
    </message>
    <message>
        <source>Every camera&apos;s presets with their pictures, to recall and keep</source>
        <translation>Presety wszystkich kamer z ich obrazami, do przywoływania i utrzymywania</translation>
    </message>
</context>
<context>
    <name>BoardModel</name>
    <message>
        <source>Live</source>
        <translation>Na żywo</translation>
    </message>
    <message>
        <source>Live view</source>
        <translation>Podgląd na żywo</translation>
    </message>
    <message>
        <source>Preset %1, %2</source>
        <translation>Preset %1, %2</translation>
    </message>
    <message>
        <source>Preset %1</source>
        <translation>Preset %1</translation>
    </message>
    <message>
        <source>Click or Enter recalls it; right-click or the menu key for more.</source>
        <translation>Kliknięcie lub Enter go przywołuje; prawy przycisk myszy lub klawisz menu daje więcej opcji.</translation>
    </message>
    <message>
        <source>Right-click or the menu key to store here.</source>
        <translation>Prawy przycisk myszy lub klawisz menu, by zapisać tutaj.</translation>
    </message>
    <message>
        <source>Live view of %1, waiting for the camera&apos;s view</source>
        <translation>Podgląd na żywo z kamery %1, oczekiwanie na obraz</translation>
    </message>
    <message>
        <source>Live view of %1</source>
        <translation>Podgląd na żywo z kamery %1</translation>
    </message>
    <message>
        <source>Empty</source>
        <translation>Pusty</translation>
    </message>
    <message>
        <source>Stored</source>
        <translation>Zapisany</translation>
    </message>
    <message>
        <source>with its picture</source>
        <translation>z obrazem</translation>
    </message>
    <message>
        <source>no picture: %1</source>
        <translation>brak obrazu: %1</translation>
    </message>
    <message>
        <source>no picture yet</source>
        <translation>jeszcze bez obrazu</translation>
    </message>
    <message>
        <source>recalled at speed %1</source>
        <translation>przywoływany z prędkością %1</translation>
    </message>
</context>
<context>
    <name>CameraSelector</name>
    <message>
        <source>Answering since %1</source>
        <translation>Odpowiada od %1</translation>
    </message>
    <message>
        <source>Slow: answers take more than half a second, since %1</source>
        <translation>Wolna: odpowiedzi trwają dłużej niż pół sekundy, od %1</translation>
    </message>
    <message>
        <source>Not answering since %1; the panel keeps trying</source>
        <translation>Nie odpowiada od %1; panel próbuje dalej</translation>
    </message>
    <message>
        <source>Refuses its user name or password since %1</source>
        <translation>Odrzuca nazwę użytkownika lub hasło od %1</translation>
    </message>
    <message>
        <source>Busy: another program holds it, since %1</source>
        <translation>Zajęta: używa jej inny program, od %1</translation>
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
        <translation>Tablica presetów – PTZ Panel</translation>
    </message>
    <message>
        <source>Cameras</source>
        <translation>Kamery</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Stan</translation>
    </message>
    <message>
        <source>Click a preset to recall it at its own speed; right-click it, or press the menu key or Shift+F10, for more.</source>
        <translation>Kliknij preset, by przywołać go z jego własną prędkością; kliknij go prawym przyciskiem albo naciśnij klawisz menu lub Shift+F10, by zobaczyć więcej.</translation>
    </message>
    <message>
        <source>No camera is attached.</source>
        <translation>Do panelu nie podłączono kamery.</translation>
    </message>
    <message>
        <source>Presets of %1</source>
        <translation>Presety kamery %1</translation>
    </message>
    <message>
        <source>The arrow keys choose a preset, Enter recalls it, the menu key or Shift+F10 offers the rest.</source>
        <translation>Klawisze strzałek wybierają preset, Enter go przywołuje, klawisz menu lub Shift+F10 oferuje resztę.</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>Recall</source>
        <translation>Przywołaj</translation>
    </message>
    <message>
        <source>Store here</source>
        <translation>Zapisz tutaj</translation>
    </message>
    <message>
        <source>Retake picture</source>
        <translation>Przechwyć obraz ponownie</translation>
    </message>
    <message>
        <source>Rename…</source>
        <translation>Zmień nazwę…</translation>
    </message>
    <message>
        <source>Speed</source>
        <translation>Prędkość</translation>
    </message>
    <message>
        <source>As the camera recalls it</source>
        <translation>Tak, jak przywołuje go kamera</translation>
    </message>
    <message>
        <source>1 (slowest)</source>
        <translation>1 (najwolniej)</translation>
    </message>
    <message>
        <source>%1 (fastest)</source>
        <translation>%1 (najszybciej)</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Usuń</translation>
    </message>
    <message>
        <source>Store where %1 looks now as preset %2? Its position and picture are replaced.</source>
        <translation>Zapisać bieżący widok kamery %1 jako preset %2? Jego pozycja i obraz zostaną zastąpione.</translation>
    </message>
    <message>
        <source>Store where %1 looks now as preset %2, %3? Its position and picture are replaced.</source>
        <translation>Zapisać bieżący widok kamery %1 jako preset %2, %3? Jego pozycja i obraz zostaną zastąpione.</translation>
    </message>
    <message>
        <source>Rename preset</source>
        <translation>Zmień nazwę presetu</translation>
    </message>
    <message>
        <source>Name of preset %1 of %2 (empty: none):</source>
        <translation>Nazwa presetu %1 kamery %2 (puste: brak):</translation>
    </message>
    <message>
        <source>Clear preset %1 of %2? Its position and picture are lost.</source>
        <translation>Usunąć preset %1 kamery %2? Jego pozycja i obraz zostaną utracone.</translation>
    </message>
    <message>
        <source>Clear preset %1, %2, of %3? Its position and picture are lost.</source>
        <translation>Usunąć preset %1, %2, kamery %3? Jego pozycja i obraz zostaną utracone.</translation>
    </message>
    <message>
        <source>%1 is on program. Move it anyway?</source>
        <translation>Kamera %1 jest na antenie. Mimo to ją poruszyć?</translation>
    </message>
    <message>
        <source>Shots and tours</source>
        <translation>Ujęcia i trasy</translation>
    </message>
    <message>
        <source>%1. Move the cameras on program anyway?</source>
        <translation>%1. Mimo to poruszyć kamery na wizji?</translation>
    </message>
</context>
<context>
    <name>ShotDialog</name>
    <message>
        <source>New shot</source>
        <translation>Nowe ujęcie</translation>
    </message>
    <message>
        <source>Change shot %1</source>
        <translation>Zmień ujęcie %1</translation>
    </message>
    <message>
        <source>&amp;Name:</source>
        <translation>&amp;Nazwa:</translation>
    </message>
    <message>
        <source>Preset of %1</source>
        <translation>Preset kamery %1</translation>
    </message>
    <message>
        <source>Stays where it is</source>
        <translation>Zostaje na miejscu</translation>
    </message>
    <message>
        <source> s</source>
        <translation> s</translation>
    </message>
    <message>
        <source>Each at its own speed</source>
        <translation>Każda z własną prędkością</translation>
    </message>
    <message>
        <source>Time for the cameras to arrive together</source>
        <translation>Czas, w którym kamery docierają razem</translation>
    </message>
    <message>
        <source>&amp;Together in:</source>
        <translation>&amp;Razem w:</translation>
    </message>
    <message>
        <source>%1 – %2</source>
        <translation>%1 – %2</translation>
    </message>
    <message>
        <source>Give the shot a name.</source>
        <translation>Nadaj ujęciu nazwę.</translation>
    </message>
    <message>
        <source>Choose a preset for at least one camera.</source>
        <translation>Wybierz preset dla co najmniej jednej kamery.</translation>
    </message>
</context>
<context>
    <name>ShowsPage</name>
    <message>
        <source>Shots</source>
        <translation>Ujęcia</translation>
    </message>
    <message>
        <source>Enter or a click recalls the shot: each of its cameras to its preset.</source>
        <translation>Kliknięcie lub Enter przywołuje ujęcie: każda z jego kamer przechodzi do swojego presetu.</translation>
    </message>
    <message>
        <source>&amp;Shots</source>
        <translation>&amp;Ujęcia</translation>
    </message>
    <message>
        <source>&amp;New shot…</source>
        <translation>&amp;Nowe ujęcie…</translation>
    </message>
    <message>
        <source>C&amp;hange…</source>
        <translation>&amp;Zmień…</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>U&amp;suń</translation>
    </message>
    <message>
        <source>Tours</source>
        <translation>Trasy</translation>
    </message>
    <message>
        <source>Enter or a double-click starts the tour, or stops it while it runs.</source>
        <translation>Enter lub dwuklik uruchamia trasę albo zatrzymuje ją, gdy trwa.</translation>
    </message>
    <message>
        <source>&amp;Tours</source>
        <translation>&amp;Trasy</translation>
    </message>
    <message>
        <source>St&amp;art</source>
        <translation>Urucho&amp;m</translation>
    </message>
    <message>
        <source>De&amp;lete</source>
        <translation>Usuń t&amp;rasę</translation>
    </message>
    <message>
        <source>%1, together in %2 s</source>
        <translation>%1, razem w %2 s</translation>
    </message>
    <message>
        <source>%1 for %2 s</source>
        <translation>%1 przez %2 s</translation>
    </message>
    <message>
        <source>%1 – %2, running: step %3</source>
        <translation>%1 – %2, trwa: krok %3</translation>
    </message>
    <message>
        <source>%1 – %2</source>
        <translation>%1 – %2</translation>
    </message>
    <message>
        <source>%1, again and again</source>
        <translation>%1, w kółko</translation>
    </message>
    <message>
        <source>Delete the shot %1? Its cameras&apos; presets stay.</source>
        <translation>Usunąć ujęcie %1? Presety jego kamer pozostaną.</translation>
    </message>
    <message>
        <source>Delete the tour %1? Its camera&apos;s presets stay.</source>
        <translation>Usunąć trasę %1? Presety jej kamery pozostaną.</translation>
    </message>
    <message>
        <source>St&amp;op</source>
        <translation>Zatrzym&amp;aj</translation>
    </message>
</context>
<context>
    <name>WinLeft</name>
    <message>
        <source>Brightness</source>
        <comment>accessible name</comment>
        <translation>Jasność</translation>
    </message>
    <message>
        <source>Brightness of the picture</source>
        <translation>Jasność obrazu</translation>
    </message>
    <message>
        <source>Contrast</source>
        <comment>accessible name</comment>
        <translation>Kontrast</translation>
    </message>
    <message>
        <source>Contrast of the picture</source>
        <translation>Kontrast obrazu</translation>
    </message>
    <message>
        <source>Hue</source>
        <comment>accessible name</comment>
        <translation>Odcień</translation>
    </message>
    <message>
        <source>Shifts the colours</source>
        <translation>Przesuwa kolory</translation>
    </message>
    <message>
        <source>Saturation</source>
        <comment>accessible name</comment>
        <translation>Nasycenie</translation>
    </message>
    <message>
        <source>Strength of the colours</source>
        <translation>Intensywność kolorów</translation>
    </message>
    <message>
        <source>Sharpness</source>
        <comment>accessible name</comment>
        <translation>Ostrość</translation>
    </message>
    <message>
        <source>Sharpness of the picture</source>
        <translation>Ostrość obrazu</translation>
    </message>
    <message>
        <source>Gamma</source>
        <comment>accessible name</comment>
        <translation>Gamma</translation>
    </message>
    <message>
        <source>Brightens or darkens the mid-tones</source>
        <translation>Rozjaśnia lub przyciemnia półtony</translation>
    </message>
    <message>
        <source>Backlight compensation</source>
        <comment>accessible name</comment>
        <translation>Kompensacja podświetlenia</translation>
    </message>
    <message>
        <source>Brightens a subject in front of a bright background</source>
        <translation>Rozjaśnia obiekt na jasnym tle</translation>
    </message>
    <message>
        <source>Automatic white balance</source>
        <comment>accessible name</comment>
        <translation>Automatyczny balans bieli</translation>
    </message>
    <message>
        <source>The camera sets the white balance itself</source>
        <translation>Kamera sama ustawia balans bieli</translation>
    </message>
    <message>
        <source>White balance</source>
        <comment>accessible name</comment>
        <translation>Balans bieli</translation>
    </message>
    <message>
        <source>Colour temperature, while automatic white balance is off</source>
        <translation>Temperatura barwowa, gdy automatyczny balans bieli jest wyłączony</translation>
    </message>
    <message>
        <source>Anti-flicker</source>
        <comment>accessible name</comment>
        <translation>Redukcja migotania</translation>
    </message>
    <message>
        <source>Matches the mains frequency of the lights: off, 50 Hz or 60 Hz</source>
        <translation>Dopasowuje do częstotliwości sieci oświetlenia: wył., 50 Hz lub 60 Hz</translation>
    </message>
    <message>
        <source>Infrared off</source>
        <comment>accessible name</comment>
        <translation>Podczerwień wyłączona</translation>
    </message>
    <message>
        <source>Switches the infrared light on and off</source>
        <translation>Włącza i wyłącza oświetlenie podczerwone</translation>
    </message>
    <message>
        <source>Day mode</source>
        <comment>accessible name</comment>
        <translation>Tryb dzienny</translation>
    </message>
    <message>
        <source>Switches between day and night mode</source>
        <translation>Przełącza między trybem dziennym i nocnym</translation>
    </message>
    <message>
        <source>Flip</source>
        <comment>accessible name</comment>
        <translation>Odwróć</translation>
    </message>
    <message>
        <source>Turns the picture upside down, and back</source>
        <translation>Odwraca obraz do góry nogami i z powrotem</translation>
    </message>
    <message>
        <source>Mirror</source>
        <comment>accessible name</comment>
        <translation>Lustro</translation>
    </message>
    <message>
        <source>Mirrors the picture left to right, and back</source>
        <translation>Odbija obraz w poziomie i z powrotem</translation>
    </message>
    <message>
        <source>On-screen menu off</source>
        <comment>accessible name</comment>
        <translation>Menu ekranowe wyłączone</translation>
    </message>
    <message>
        <source>Shows and hides the camera&apos;s own on-screen menu</source>
        <translation>Pokazuje i ukrywa menu ekranowe kamery</translation>
    </message>
    <message>
        <source>Home</source>
        <comment>accessible name</comment>
        <translation>Pozycja domowa</translation>
    </message>
    <message>
        <source>Moves to the home position (key: Home)</source>
        <translation>Przechodzi do pozycji domowej (klawisz: Home)</translation>
    </message>
    <message>
        <source>Automatic framing</source>
        <comment>accessible name</comment>
        <translation>Automatyczne kadrowanie</translation>
    </message>
    <message>
        <source>Switches automatic framing of the people in view on and off</source>
        <translation>Włącza i wyłącza automatyczne kadrowanie osób w kadrze</translation>
    </message>
    <message>
        <source>End automatic framing</source>
        <comment>accessible name</comment>
        <translation>Zakończ automatyczne kadrowanie</translation>
    </message>
    <message>
        <source>Ends automatic framing and keeps the view as it is</source>
        <translation>Kończy automatyczne kadrowanie i zachowuje bieżący widok</translation>
    </message>
    <message>
        <source>Reset image</source>
        <comment>accessible name</comment>
        <translation>Resetuj obraz</translation>
    </message>
    <message>
        <source>Sets the image values back to the camera&apos;s defaults</source>
        <translation>Przywraca domyślne wartości obrazu kamery</translation>
    </message>
    <message>
        <source>Reset pan, tilt and zoom</source>
        <comment>accessible name</comment>
        <translation>Resetuj obrót, pochylenie i zoom</translation>
    </message>
    <message>
        <source>Recalibrates pan, tilt and zoom</source>
        <translation>Ponownie kalibruje obrót, pochylenie i zoom</translation>
    </message>
    <message>
        <source>Infrared on</source>
        <comment>accessible name</comment>
        <translation>Podczerwień włączona</translation>
    </message>
    <message>
        <source>Night mode</source>
        <comment>accessible name</comment>
        <translation>Tryb nocny</translation>
    </message>
    <message>
        <source>On-screen menu on</source>
        <comment>accessible name</comment>
        <translation>Menu ekranowe włączone</translation>
    </message>
    <message>
        <source>Manual framing</source>
        <comment>accessible name</comment>
        <translation>Ręczne kadrowanie</translation>
    </message>
    <message>
        <source>%1: value</source>
        <translation>%1: wartość</translation>
    </message>
    <message>
        <source>No camera is connected.</source>
        <translation>Nie podłączono kamery.</translation>
    </message>
    <message>
        <source>Works on %1.</source>
        <translation>Działa na %1.</translation>
    </message>
    <message>
        <source>Greyed: %1 cannot do this.</source>
        <translation>Wyszarzone: %1 tego nie potrafi.</translation>
    </message>
    <message>
        <source>Hue</source>
        <translation>Odcień</translation>
    </message>
    <message>
        <source>Gamma</source>
        <translation>Gamma</translation>
    </message>
    <message>
        <source>WhiteBalance</source>
        <translation>Balans bieli</translation>
    </message>
    <message>
        <source>Contrast</source>
        <translation>Kontrast</translation>
    </message>
    <message>
        <source>Brightness</source>
        <translation>Jasność</translation>
    </message>
    <message>
        <source>Saturation</source>
        <translation>Nasycenie</translation>
    </message>
    <message>
        <source>Sharpness</source>
        <translation>Ostrość</translation>
    </message>
    <message>
        <source>Flicker</source>
        <translation>Migot.</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>Wył.</translation>
    </message>
    <message>
        <source>50Hz</source>
        <translation>50 Hz</translation>
    </message>
    <message>
        <source>60Hz</source>
        <translation>60 Hz</translation>
    </message>
    <message>
        <source>Mirror</source>
        <translation>Lustro</translation>
    </message>
    <message>
        <source>Flip</source>
        <translation>Odwróć</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>Dom</translation>
    </message>
    <message>
        <source>Menu OFF</source>
        <translation>Menu WYŁ</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Resetuj</translation>
    </message>
    <message>
        <source>Push</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Framing</source>
        <translation>Kadr.</translation>
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
        <translation>Podświetl.</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>Auto</translation>
    </message>
    <message>
        <source>IR OFF</source>
        <translation>IR WYŁ</translation>
    </message>
    <message>
        <source>DAY</source>
        <translation>DZIEŃ</translation>
    </message>
    <message>
        <source>RST-PTZ</source>
        <translation>Res. PTZ</translation>
    </message>
    <message>
        <source>Menu ON</source>
        <translation>Menu WŁ</translation>
    </message>
    <message>
        <source>Manual</source>
        <translation>Ręczne</translation>
    </message>
    <message>
        <source>IR ON</source>
        <translation>IR WŁ</translation>
    </message>
    <message>
        <source>NIGHT</source>
        <translation>NOC</translation>
    </message>
</context>
<context>
    <name>WinRight</name>
    <message>
        <source>Image settings</source>
        <comment>accessible name</comment>
        <translation>Ustawienia obrazu</translation>
    </message>
    <message>
        <source>Opens and shuts the image settings</source>
        <translation>Otwiera i zamyka ustawienia obrazu</translation>
    </message>
    <message>
        <source>Stay on top</source>
        <comment>accessible name</comment>
        <translation>Zawsze na wierzchu</translation>
    </message>
    <message>
        <source>Keeps the panel above other windows while pressed in</source>
        <translation>Utrzymuje panel nad innymi oknami, gdy jest wciśnięty</translation>
    </message>
    <message>
        <source>Close</source>
        <comment>accessible name</comment>
        <translation>Zamknij</translation>
    </message>
    <message>
        <source>Closes the panel</source>
        <translation>Zamyka panel</translation>
    </message>
    <message>
        <source>Camera</source>
        <comment>accessible name</comment>
        <translation>Kamera</translation>
    </message>
    <message>
        <source>The camera the panel controls</source>
        <translation>Kamera sterowana przez panel</translation>
    </message>
    <message>
        <source>Joystick</source>
        <comment>accessible name</comment>
        <translation>Joystick</translation>
    </message>
    <message>
        <source>Drag to pan and tilt, faster the farther. Keys: arrows, with Shift faster, with Ctrl slower</source>
        <translation>Przeciągnij, by obracać i pochylać, im dalej, tym szybciej. Klawisze: strzałki, z Shift szybciej, z Ctrl wolniej</translation>
    </message>
    <message>
        <source>Set position</source>
        <comment>accessible name</comment>
        <translation>Ustaw pozycję</translation>
    </message>
    <message>
        <source>Moves the camera to the pan and tilt typed below</source>
        <translation>Ustawia kamerę na obrót i pochylenie wpisane poniżej</translation>
    </message>
    <message>
        <source>Get position</source>
        <comment>accessible name</comment>
        <translation>Odczytaj pozycję</translation>
    </message>
    <message>
        <source>Reads the camera&apos;s pan and tilt into the fields below</source>
        <translation>Odczytuje obrót i pochylenie kamery do pól poniżej</translation>
    </message>
    <message>
        <source>Pan to set</source>
        <comment>accessible name</comment>
        <translation>Obrót do ustawienia</translation>
    </message>
    <message>
        <source>The pan the Set position key moves to</source>
        <translation>Obrót, do którego przechodzi klawisz Ustaw pozycję</translation>
    </message>
    <message>
        <source>Tilt to set</source>
        <comment>accessible name</comment>
        <translation>Pochylenie do ustawienia</translation>
    </message>
    <message>
        <source>The tilt the Set position key moves to</source>
        <translation>Pochylenie, do którego przechodzi klawisz Ustaw pozycję</translation>
    </message>
    <message>
        <source>Pan read</source>
        <comment>accessible name</comment>
        <translation>Odczytany obrót</translation>
    </message>
    <message>
        <source>The pan the camera last reported</source>
        <translation>Ostatni obrót zgłoszony przez kamerę</translation>
    </message>
    <message>
        <source>Tilt read</source>
        <comment>accessible name</comment>
        <translation>Odczytane pochylenie</translation>
    </message>
    <message>
        <source>The tilt the camera last reported</source>
        <translation>Ostatnie pochylenie zgłoszone przez kamerę</translation>
    </message>
    <message>
        <source>Zoom</source>
        <comment>accessible name</comment>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>Drag right to zoom in, left to zoom out; it springs back. Keys: + and -, Page Up and Page Down</source>
        <translation>Przeciągnij w prawo, by przybliżyć, w lewo, by oddalić; wraca sam. Klawisze: + i -, Page Up i Page Down</translation>
    </message>
    <message>
        <source>Store mode</source>
        <comment>accessible name</comment>
        <translation>Tryb zapisu</translation>
    </message>
    <message>
        <source>Press, then a preset key, to store the position there (keys: Ctrl+0 to Ctrl+8)</source>
        <translation>Naciśnij, potem klawisz presetu, by zapisać w nim pozycję (klawisze: Ctrl+0 do Ctrl+8)</translation>
    </message>
    <message>
        <source>Clear mode</source>
        <comment>accessible name</comment>
        <translation>Tryb usuwania</translation>
    </message>
    <message>
        <source>Press, then a preset key, to clear that preset</source>
        <translation>Naciśnij, potem klawisz presetu, by usunąć ten preset</translation>
    </message>
    <message>
        <source>Preset %1</source>
        <translation>Preset %1</translation>
    </message>
    <message>
        <source>Recalls preset %1; after Store or Clear mode, stores or clears it. Key: %1, with Ctrl stores</source>
        <translation>Przywołuje preset %1; po trybie zapisu lub usuwania zapisuje go lub usuwa. Klawisz: %1, z Ctrl zapisuje</translation>
    </message>
    <message>
        <source>Form</source>
        <translation>Formularz</translation>
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
        <translation>Zapisz</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Usuń</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>Kam.</translation>
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
        <translation>SET/PT</translation>
    </message>
    <message>
        <source>GET/PT</source>
        <translation>GET/PT</translation>
    </message>
    <message>
        <source>Preset %1: %2</source>
        <translation>Preset %1: %2</translation>
    </message>
    <message>
        <source>Stored.</source>
        <translation>Zapisany.</translation>
    </message>
    <message>
        <source>Not stored.</source>
        <translation>Niezapisany.</translation>
    </message>
</context>
</TS>
