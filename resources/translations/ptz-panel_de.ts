<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>BoardDelegate</name>
    <message>
        <source>Waiting for the camera&apos;s view…</source>
        <translation>Warte auf das Bild der Kamera…</translation>
    </message>
    <message>
        <source>No picture</source>
        <translation>Kein Bild</translation>
    </message>
    <message>
        <source>No picture: %1</source>
        <translation>Kein Bild: %1</translation>
    </message>
    <message>
        <source>Empty</source>
        <translation>Leer</translation>
    </message>
    <message>
        <source>Live</source>
        <translation>Live</translation>
    </message>
    <message>
        <source>speed %1</source>
        <translation>Geschw. %1</translation>
    </message>
</context>
<context>
    <name>BoardMenu</name>
    <message>
        <source>Preset board…</source>
        <translation>Preset-Übersicht…</translation>
    </message>
    <message>
        <source>Every camera&apos;s presets with their pictures, to recall and keep</source>
        <translation>Die Presets aller Kameras mit ihren Bildern, zum Abrufen und Pflegen</translation>
    </message>
</context>
<context>
    <name>BoardModel</name>
    <message>
        <source>Live</source>
        <translation>Live</translation>
    </message>
    <message>
        <source>Live view</source>
        <translation>Live-Ansicht</translation>
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
        <translation>Klick oder Eingabetaste ruft es ab; Rechtsklick oder Menütaste für mehr.</translation>
    </message>
    <message>
        <source>Right-click or the menu key to store here.</source>
        <translation>Rechtsklick oder Menütaste, um hier zu speichern.</translation>
    </message>
    <message>
        <source>Live view of %1, waiting for the camera&apos;s view</source>
        <translation>Live-Ansicht von %1, wartet auf das Bild der Kamera</translation>
    </message>
    <message>
        <source>Live view of %1</source>
        <translation>Live-Ansicht von %1</translation>
    </message>
    <message>
        <source>Empty</source>
        <translation>Leer</translation>
    </message>
    <message>
        <source>Stored</source>
        <translation>Gespeichert</translation>
    </message>
    <message>
        <source>with its picture</source>
        <translation>mit Bild</translation>
    </message>
    <message>
        <source>no picture: %1</source>
        <translation>kein Bild: %1</translation>
    </message>
    <message>
        <source>no picture yet</source>
        <translation>noch kein Bild</translation>
    </message>
    <message>
        <source>recalled at speed %1</source>
        <translation>wird mit Geschwindigkeit %1 abgerufen</translation>
    </message>
</context>
<context>
    <name>CameraSelector</name>
    <message>
        <source>Answering since %1</source>
        <translation>Antwortet seit %1</translation>
    </message>
    <message>
        <source>Slow: answers take more than half a second, since %1</source>
        <translation>Langsam: Antworten brauchen mehr als eine halbe Sekunde, seit %1</translation>
    </message>
    <message>
        <source>Not answering since %1; the panel keeps trying</source>
        <translation>Antwortet nicht seit %1; das Panel versucht es weiter</translation>
    </message>
    <message>
        <source>Refuses its user name or password since %1</source>
        <translation>Lehnt seit %1 Benutzernamen oder Passwort ab</translation>
    </message>
    <message>
        <source>Busy: another program holds it, since %1</source>
        <translation>Belegt: ein anderes Programm nutzt die Kamera, seit %1</translation>
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
        <translation>Preset-Übersicht – PTZ Panel</translation>
    </message>
    <message>
        <source>Cameras</source>
        <translation>Kameras</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Click a preset to recall it at its own speed; right-click it, or press the menu key or Shift+F10, for more.</source>
        <translation>Ein Preset anklicken, um es mit seiner eigenen Geschwindigkeit abzurufen; für mehr mit rechts darauf klicken oder die Menütaste bzw. Umschalt+F10 drücken.</translation>
    </message>
    <message>
        <source>No camera is attached.</source>
        <translation>Am Bedienfeld ist keine Kamera angeschlossen.</translation>
    </message>
    <message>
        <source>Presets of %1</source>
        <translation>Presets von %1</translation>
    </message>
    <message>
        <source>The arrow keys choose a preset, Enter recalls it, the menu key or Shift+F10 offers the rest.</source>
        <translation>Die Pfeiltasten wählen ein Preset, die Eingabetaste ruft es ab, die Menütaste oder Umschalt+F10 bietet den Rest.</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>Recall</source>
        <translation>Abrufen</translation>
    </message>
    <message>
        <source>Store here</source>
        <translation>Hier speichern</translation>
    </message>
    <message>
        <source>Retake picture</source>
        <translation>Bild neu aufnehmen</translation>
    </message>
    <message>
        <source>Rename…</source>
        <translation>Umbenennen…</translation>
    </message>
    <message>
        <source>Speed</source>
        <translation>Geschwindigkeit</translation>
    </message>
    <message>
        <source>As the camera recalls it</source>
        <translation>Wie die Kamera es abruft</translation>
    </message>
    <message>
        <source>1 (slowest)</source>
        <translation>1 (am langsamsten)</translation>
    </message>
    <message>
        <source>%1 (fastest)</source>
        <translation>%1 (am schnellsten)</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Store where %1 looks now as preset %2? Its position and picture are replaced.</source>
        <translation>Die aktuelle Blickrichtung von %1 als Preset %2 speichern? Seine Position und sein Bild werden ersetzt.</translation>
    </message>
    <message>
        <source>Store where %1 looks now as preset %2, %3? Its position and picture are replaced.</source>
        <translation>Die aktuelle Blickrichtung von %1 als Preset %2, %3, speichern? Seine Position und sein Bild werden ersetzt.</translation>
    </message>
    <message>
        <source>Rename preset</source>
        <translation>Preset umbenennen</translation>
    </message>
    <message>
        <source>Name of preset %1 of %2 (empty: none):</source>
        <translation>Name von Preset %1 von %2 (leer: ohne Namen):</translation>
    </message>
    <message>
        <source>Clear preset %1 of %2? Its position and picture are lost.</source>
        <translation>Preset %1 von %2 löschen? Seine Position und sein Bild gehen verloren.</translation>
    </message>
    <message>
        <source>Clear preset %1, %2, of %3? Its position and picture are lost.</source>
        <translation>Preset %1, %2, von %3 löschen? Seine Position und sein Bild gehen verloren.</translation>
    </message>
    <message>
        <source>%1 is on program. Move it anyway?</source>
        <translation>%1 ist auf Sendung. Trotzdem bewegen?</translation>
    </message>
    <message>
        <source>Shots and tours</source>
        <translation>Shots und Touren</translation>
    </message>
    <message>
        <source>%1. Move the cameras on program anyway?</source>
        <translation>%1. Die Kameras auf Sendung trotzdem bewegen?</translation>
    </message>
</context>
<context>
    <name>ShotDialog</name>
    <message>
        <source>New shot</source>
        <translation>Neuer Shot</translation>
    </message>
    <message>
        <source>Change shot %1</source>
        <translation>Shot %1 ändern</translation>
    </message>
    <message>
        <source>&amp;Name:</source>
        <translation>&amp;Name:</translation>
    </message>
    <message>
        <source>Preset of %1</source>
        <translation>Preset von %1</translation>
    </message>
    <message>
        <source>Stays where it is</source>
        <translation>Bleibt, wo sie ist</translation>
    </message>
    <message>
        <source> s</source>
        <translation> s</translation>
    </message>
    <message>
        <source>Each at its own speed</source>
        <translation>Jede mit eigener Geschwindigkeit</translation>
    </message>
    <message>
        <source>Time for the cameras to arrive together</source>
        <translation>Zeit, in der die Kameras gemeinsam ankommen</translation>
    </message>
    <message>
        <source>&amp;Together in:</source>
        <translation>&amp;Gemeinsam in:</translation>
    </message>
    <message>
        <source>%1 – %2</source>
        <translation>%1 – %2</translation>
    </message>
    <message>
        <source>Give the shot a name.</source>
        <translation>Dem Shot einen Namen geben.</translation>
    </message>
    <message>
        <source>Choose a preset for at least one camera.</source>
        <translation>Für mindestens eine Kamera ein Preset wählen.</translation>
    </message>
</context>
<context>
    <name>ShowsPage</name>
    <message>
        <source>Shots</source>
        <translation>Shots</translation>
    </message>
    <message>
        <source>Enter or a click recalls the shot: each of its cameras to its preset.</source>
        <translation>Klick oder Eingabetaste ruft den Shot ab: jede seiner Kameras fährt zu ihrem Preset.</translation>
    </message>
    <message>
        <source>&amp;Shots</source>
        <translation>&amp;Shots</translation>
    </message>
    <message>
        <source>&amp;New shot…</source>
        <translation>&amp;Neuer Shot…</translation>
    </message>
    <message>
        <source>C&amp;hange…</source>
        <translation>Än&amp;dern…</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <source>Tours</source>
        <translation>Touren</translation>
    </message>
    <message>
        <source>Enter or a double-click starts the tour, or stops it while it runs.</source>
        <translation>Eingabetaste oder Doppelklick startet die Tour, oder hält sie an, während sie läuft.</translation>
    </message>
    <message>
        <source>&amp;Tours</source>
        <translation>&amp;Touren</translation>
    </message>
    <message>
        <source>St&amp;art</source>
        <translation>St&amp;arten</translation>
    </message>
    <message>
        <source>De&amp;lete</source>
        <translation>Lösch&amp;en</translation>
    </message>
    <message>
        <source>%1, together in %2 s</source>
        <translation>%1, gemeinsam in %2 s</translation>
    </message>
    <message>
        <source>%1 for %2 s</source>
        <translation>%1 für %2 s</translation>
    </message>
    <message>
        <source>%1 – %2, running: step %3</source>
        <translation>%1 – %2, läuft: Schritt %3</translation>
    </message>
    <message>
        <source>%1 – %2</source>
        <translation>%1 – %2</translation>
    </message>
    <message>
        <source>%1, again and again</source>
        <translation>%1, immer wieder</translation>
    </message>
    <message>
        <source>Delete the shot %1? Its cameras&apos; presets stay.</source>
        <translation>Den Shot %1 löschen? Die Presets seiner Kameras bleiben.</translation>
    </message>
    <message>
        <source>Delete the tour %1? Its camera&apos;s presets stay.</source>
        <translation>Die Tour %1 löschen? Die Presets ihrer Kamera bleiben.</translation>
    </message>
    <message>
        <source>St&amp;op</source>
        <translation>St&amp;oppen</translation>
    </message>
</context>
<context>
    <name>WinLeft</name>
    <message>
        <source>Brightness</source>
        <comment>accessible name</comment>
        <translation>Helligkeit</translation>
    </message>
    <message>
        <source>Brightness of the picture</source>
        <translation>Helligkeit des Bildes</translation>
    </message>
    <message>
        <source>Contrast</source>
        <comment>accessible name</comment>
        <translation>Kontrast</translation>
    </message>
    <message>
        <source>Contrast of the picture</source>
        <translation>Kontrast des Bildes</translation>
    </message>
    <message>
        <source>Hue</source>
        <comment>accessible name</comment>
        <translation>Farbton</translation>
    </message>
    <message>
        <source>Shifts the colours</source>
        <translation>Verschiebt die Farben</translation>
    </message>
    <message>
        <source>Saturation</source>
        <comment>accessible name</comment>
        <translation>Sättigung</translation>
    </message>
    <message>
        <source>Strength of the colours</source>
        <translation>Stärke der Farben</translation>
    </message>
    <message>
        <source>Sharpness</source>
        <comment>accessible name</comment>
        <translation>Schärfe</translation>
    </message>
    <message>
        <source>Sharpness of the picture</source>
        <translation>Schärfe des Bildes</translation>
    </message>
    <message>
        <source>Gamma</source>
        <comment>accessible name</comment>
        <translation>Gamma</translation>
    </message>
    <message>
        <source>Brightens or darkens the mid-tones</source>
        <translation>Hellt die Mitteltöne auf oder dunkelt sie ab</translation>
    </message>
    <message>
        <source>Backlight compensation</source>
        <comment>accessible name</comment>
        <translation>Gegenlichtkorrektur</translation>
    </message>
    <message>
        <source>Brightens a subject in front of a bright background</source>
        <translation>Hellt ein Motiv vor hellem Hintergrund auf</translation>
    </message>
    <message>
        <source>Automatic white balance</source>
        <comment>accessible name</comment>
        <translation>Automatischer Weißabgleich</translation>
    </message>
    <message>
        <source>The camera sets the white balance itself</source>
        <translation>Die Kamera stellt den Weißabgleich selbst ein</translation>
    </message>
    <message>
        <source>White balance</source>
        <comment>accessible name</comment>
        <translation>Weißabgleich</translation>
    </message>
    <message>
        <source>Colour temperature, while automatic white balance is off</source>
        <translation>Farbtemperatur, solange der automatische Weißabgleich aus ist</translation>
    </message>
    <message>
        <source>Anti-flicker</source>
        <comment>accessible name</comment>
        <translation>Flimmerschutz</translation>
    </message>
    <message>
        <source>Matches the mains frequency of the lights: off, 50 Hz or 60 Hz</source>
        <translation>Passt sich der Netzfrequenz der Beleuchtung an: aus, 50 Hz oder 60 Hz</translation>
    </message>
    <message>
        <source>Infrared off</source>
        <comment>accessible name</comment>
        <translation>Infrarot aus</translation>
    </message>
    <message>
        <source>Switches the infrared light on and off</source>
        <translation>Schaltet das Infrarotlicht ein und aus</translation>
    </message>
    <message>
        <source>Day mode</source>
        <comment>accessible name</comment>
        <translation>Tagmodus</translation>
    </message>
    <message>
        <source>Switches between day and night mode</source>
        <translation>Wechselt zwischen Tag- und Nachtmodus</translation>
    </message>
    <message>
        <source>Flip</source>
        <comment>accessible name</comment>
        <translation>Kippen</translation>
    </message>
    <message>
        <source>Turns the picture upside down, and back</source>
        <translation>Stellt das Bild auf den Kopf und wieder zurück</translation>
    </message>
    <message>
        <source>Mirror</source>
        <comment>accessible name</comment>
        <translation>Spiegeln</translation>
    </message>
    <message>
        <source>Mirrors the picture left to right, and back</source>
        <translation>Spiegelt das Bild seitenverkehrt und wieder zurück</translation>
    </message>
    <message>
        <source>On-screen menu off</source>
        <comment>accessible name</comment>
        <translation>Bildschirmmenü aus</translation>
    </message>
    <message>
        <source>Shows and hides the camera&apos;s own on-screen menu</source>
        <translation>Zeigt und verbirgt das kameraeigene Bildschirmmenü</translation>
    </message>
    <message>
        <source>Home</source>
        <comment>accessible name</comment>
        <translation>Grundstellung</translation>
    </message>
    <message>
        <source>Moves to the home position (key: Home)</source>
        <translation>Fährt in die Grundstellung (Taste: Pos1)</translation>
    </message>
    <message>
        <source>Automatic framing</source>
        <comment>accessible name</comment>
        <translation>Automatischer Bildausschnitt</translation>
    </message>
    <message>
        <source>Switches automatic framing of the people in view on and off</source>
        <translation>Schaltet den automatischen Bildausschnitt auf die Personen im Bild ein und aus</translation>
    </message>
    <message>
        <source>End automatic framing</source>
        <comment>accessible name</comment>
        <translation>Automatischen Bildausschnitt beenden</translation>
    </message>
    <message>
        <source>Ends automatic framing and keeps the view as it is</source>
        <translation>Beendet den automatischen Bildausschnitt und behält die Ansicht bei</translation>
    </message>
    <message>
        <source>Reset image</source>
        <comment>accessible name</comment>
        <translation>Bild zurücksetzen</translation>
    </message>
    <message>
        <source>Sets the image values back to the camera&apos;s defaults</source>
        <translation>Setzt die Bildwerte auf die Vorgaben der Kamera zurück</translation>
    </message>
    <message>
        <source>Reset pan, tilt and zoom</source>
        <comment>accessible name</comment>
        <translation>Schwenken, Neigen und Zoom zurücksetzen</translation>
    </message>
    <message>
        <source>Recalibrates pan, tilt and zoom</source>
        <translation>Kalibriert Schwenken, Neigen und Zoom neu</translation>
    </message>
    <message>
        <source>Infrared on</source>
        <comment>accessible name</comment>
        <translation>Infrarot an</translation>
    </message>
    <message>
        <source>Night mode</source>
        <comment>accessible name</comment>
        <translation>Nachtmodus</translation>
    </message>
    <message>
        <source>On-screen menu on</source>
        <comment>accessible name</comment>
        <translation>Bildschirmmenü an</translation>
    </message>
    <message>
        <source>Manual framing</source>
        <comment>accessible name</comment>
        <translation>Manueller Bildausschnitt</translation>
    </message>
    <message>
        <source>%1: value</source>
        <translation>%1: Wert</translation>
    </message>
    <message>
        <source>No camera is connected.</source>
        <translation>Keine Kamera verbunden.</translation>
    </message>
    <message>
        <source>Works on %1.</source>
        <translation>Wirkt auf %1.</translation>
    </message>
    <message>
        <source>Greyed: %1 cannot do this.</source>
        <translation>Ausgegraut: %1 kann das nicht.</translation>
    </message>
    <message>
        <source>Hue</source>
        <translation>Farbton</translation>
    </message>
    <message>
        <source>Gamma</source>
        <translation>Gamma</translation>
    </message>
    <message>
        <source>WhiteBalance</source>
        <translation>Weißabgleich</translation>
    </message>
    <message>
        <source>Contrast</source>
        <translation>Kontrast</translation>
    </message>
    <message>
        <source>Brightness</source>
        <translation>Helligkeit</translation>
    </message>
    <message>
        <source>Saturation</source>
        <translation>Sättigung</translation>
    </message>
    <message>
        <source>Sharpness</source>
        <translation>Schärfe</translation>
    </message>
    <message>
        <source>Flicker</source>
        <translation>Flimm.</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>Aus</translation>
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
        <translation>Spiegel</translation>
    </message>
    <message>
        <source>Flip</source>
        <translation>Kippen</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Menu OFF</source>
        <translation>Menü AUS</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Rücks.</translation>
    </message>
    <message>
        <source>Push</source>
        <translation>Halten</translation>
    </message>
    <message>
        <source>Framing</source>
        <translation>Framing</translation>
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
        <translation>Gegenlicht</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>Auto</translation>
    </message>
    <message>
        <source>IR OFF</source>
        <translation>IR AUS</translation>
    </message>
    <message>
        <source>DAY</source>
        <translation>TAG</translation>
    </message>
    <message>
        <source>RST-PTZ</source>
        <translation>PTZ-Rst</translation>
    </message>
    <message>
        <source>Menu ON</source>
        <translation>Menü AN</translation>
    </message>
    <message>
        <source>Manual</source>
        <translation>Manuell</translation>
    </message>
    <message>
        <source>IR ON</source>
        <translation>IR AN</translation>
    </message>
    <message>
        <source>NIGHT</source>
        <translation>NACHT</translation>
    </message>
</context>
<context>
    <name>WinRight</name>
    <message>
        <source>Image settings</source>
        <comment>accessible name</comment>
        <translation>Bildeinstellungen</translation>
    </message>
    <message>
        <source>Opens and shuts the image settings</source>
        <translation>Öffnet und schließt die Bildeinstellungen</translation>
    </message>
    <message>
        <source>Stay on top</source>
        <comment>accessible name</comment>
        <translation>Immer im Vordergrund</translation>
    </message>
    <message>
        <source>Keeps the panel above other windows while pressed in</source>
        <translation>Hält das Bedienfeld über anderen Fenstern, solange gedrückt</translation>
    </message>
    <message>
        <source>Close</source>
        <comment>accessible name</comment>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Closes the panel</source>
        <translation>Schließt das Bedienfeld</translation>
    </message>
    <message>
        <source>Camera</source>
        <comment>accessible name</comment>
        <translation>Kamera</translation>
    </message>
    <message>
        <source>The camera the panel controls</source>
        <translation>Die Kamera, die das Bedienfeld steuert</translation>
    </message>
    <message>
        <source>Joystick</source>
        <comment>accessible name</comment>
        <translation>Joystick</translation>
    </message>
    <message>
        <source>Drag to pan and tilt, faster the farther. Keys: arrows, with Shift faster, with Ctrl slower</source>
        <translation>Ziehen zum Schwenken und Neigen, je weiter, desto schneller. Tasten: Pfeile, mit Umschalt schneller, mit Strg langsamer</translation>
    </message>
    <message>
        <source>Set position</source>
        <comment>accessible name</comment>
        <translation>Position anfahren</translation>
    </message>
    <message>
        <source>Moves the camera to the pan and tilt typed below</source>
        <translation>Fährt die Kamera auf die unten eingegebenen Schwenk- und Neigewerte</translation>
    </message>
    <message>
        <source>Get position</source>
        <comment>accessible name</comment>
        <translation>Position lesen</translation>
    </message>
    <message>
        <source>Reads the camera&apos;s pan and tilt into the fields below</source>
        <translation>Liest Schwenk- und Neigewert der Kamera in die Felder darunter</translation>
    </message>
    <message>
        <source>Pan to set</source>
        <comment>accessible name</comment>
        <translation>Schwenkwert zum Anfahren</translation>
    </message>
    <message>
        <source>The pan the Set position key moves to</source>
        <translation>Der Schwenkwert, den die Taste Position anfahren anfährt</translation>
    </message>
    <message>
        <source>Tilt to set</source>
        <comment>accessible name</comment>
        <translation>Neigewert zum Anfahren</translation>
    </message>
    <message>
        <source>The tilt the Set position key moves to</source>
        <translation>Der Neigewert, den die Taste Position anfahren anfährt</translation>
    </message>
    <message>
        <source>Pan read</source>
        <comment>accessible name</comment>
        <translation>Gelesener Schwenkwert</translation>
    </message>
    <message>
        <source>The pan the camera last reported</source>
        <translation>Der zuletzt von der Kamera gemeldete Schwenkwert</translation>
    </message>
    <message>
        <source>Tilt read</source>
        <comment>accessible name</comment>
        <translation>Gelesener Neigewert</translation>
    </message>
    <message>
        <source>The tilt the camera last reported</source>
        <translation>Der zuletzt von der Kamera gemeldete Neigewert</translation>
    </message>
    <message>
        <source>Zoom</source>
        <comment>accessible name</comment>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>Drag right to zoom in, left to zoom out; it springs back. Keys: + and -, Page Up and Page Down</source>
        <translation>Nach rechts ziehen zum Hineinzoomen, nach links zum Herauszoomen; springt zurück. Tasten: + und -, Bild auf und Bild ab</translation>
    </message>
    <message>
        <source>Store mode</source>
        <comment>accessible name</comment>
        <translation>Speichermodus</translation>
    </message>
    <message>
        <source>Press, then a preset key, to store the position there (keys: Ctrl+0 to Ctrl+8)</source>
        <translation>Drücken, dann eine Presettaste, um die Position dort zu speichern (Tasten: Strg+0 bis Strg+8)</translation>
    </message>
    <message>
        <source>Clear mode</source>
        <comment>accessible name</comment>
        <translation>Löschmodus</translation>
    </message>
    <message>
        <source>Press, then a preset key, to clear that preset</source>
        <translation>Drücken, dann eine Presettaste, um dieses Preset zu löschen</translation>
    </message>
    <message>
        <source>Preset %1</source>
        <translation>Preset %1</translation>
    </message>
    <message>
        <source>Recalls preset %1; after Store or Clear mode, stores or clears it. Key: %1, with Ctrl stores</source>
        <translation>Ruft Preset %1 ab; nach Speicher- oder Löschmodus speichert oder löscht es ihn. Taste: %1, mit Strg speichern</translation>
    </message>
    <message>
        <source>Form</source>
        <translation>Formular</translation>
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
        <translation>Speich.</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>Gerät</translation>
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
        <translation>Gespeichert.</translation>
    </message>
    <message>
        <source>Not stored.</source>
        <translation>Nicht gespeichert.</translation>
    </message>
</context>
</TS>
