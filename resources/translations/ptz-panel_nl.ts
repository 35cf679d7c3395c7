<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="nl">
<context>
    <name>BoardDelegate</name>
    <message>
        <source>Waiting for the camera&apos;s view…</source>
        <translation>Wachten op het beeld van de camera…</translation>
    </message>
    <message>
        <source>No picture</source>
        <translation>Geen beeld</translation>
    </message>
    <message>
        <source>No picture: %1</source>
        <translation>Geen beeld: %1</translation>
    </message>
    <message>
        <source>Empty</source>
        <translation>Leeg</translation>
    </message>
    <message>
        <source>Live</source>
        <translation>Live</translation>
    </message>
    <message>
        <source>speed %1</source>
        <translation>snelheid %1</translation>
    </message>
</context>
<context>
    <name>BoardMenu</name>
    <message>
        <source>Preset board…</source>
        <translation>Presetoverzicht…</translation>
    </message>
    <message>
        <source>Every camera&apos;s presets with their pictures, to recall and keep</source>
        <translation>De presets van alle camera&apos;s met hun beelden, om op te roepen en bij te houden</translation>
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
        <translation>Livebeeld</translation>
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
        <translation>Klik of Enter roept die op; rechtsklik of de menutoets voor meer.</translation>
    </message>
    <message>
        <source>Right-click or the menu key to store here.</source>
        <translation>Rechtsklik of de menutoets om hier op te slaan.</translation>
    </message>
    <message>
        <source>Live view of %1, waiting for the camera&apos;s view</source>
        <translation>Livebeeld van %1, wacht op het beeld van de camera</translation>
    </message>
    <message>
        <source>Live view of %1</source>
        <translation>Livebeeld van %1</translation>
    </message>
    <message>
        <source>Empty</source>
        <translation>Leeg</translation>
    </message>
    <message>
        <source>Stored</source>
        <translation>Opgeslagen</translation>
    </message>
    <message>
        <source>with its picture</source>
        <translation>met beeld</translation>
    </message>
    <message>
        <source>no picture: %1</source>
        <translation>geen beeld: %1</translation>
    </message>
    <message>
        <source>no picture yet</source>
        <translation>nog geen beeld</translation>
    </message>
    <message>
        <source>recalled at speed %1</source>
        <translation>wordt opgeroepen met snelheid %1</translation>
    </message>
</context>
<context>
    <name>CameraSelector</name>
    <message>
        <source>Answering since %1</source>
        <translation>Antwoordt sinds %1</translation>
    </message>
    <message>
        <source>Slow: answers take more than half a second, since %1</source>
        <translation>Traag: antwoorden duren langer dan een halve seconde, sinds %1</translation>
    </message>
    <message>
        <source>Not answering since %1; the panel keeps trying</source>
        <translation>Antwoordt niet sinds %1; het paneel blijft het proberen</translation>
    </message>
    <message>
        <source>Refuses its user name or password since %1</source>
        <translation>Weigert gebruikersnaam of wachtwoord sinds %1</translation>
    </message>
    <message>
        <source>Busy: another program holds it, since %1</source>
        <translation>Bezet: een ander programma gebruikt de camera, sinds %1</translation>
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
        <translation>Presetoverzicht – PTZ Panel</translation>
    </message>
    <message>
        <source>Cameras</source>
        <translation>Camera&apos;s</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Click a preset to recall it at its own speed; right-click it, or press the menu key or Shift+F10, for more.</source>
        <translation>Klik op een preset om die met zijn eigen snelheid op te roepen; klik er met rechts op, of druk op de menutoets of Shift+F10, voor meer.</translation>
    </message>
    <message>
        <source>No camera is attached.</source>
        <translation>Er is geen camera aan het paneel gekoppeld.</translation>
    </message>
    <message>
        <source>Presets of %1</source>
        <translation>Presets van %1</translation>
    </message>
    <message>
        <source>The arrow keys choose a preset, Enter recalls it, the menu key or Shift+F10 offers the rest.</source>
        <translation>De pijltoetsen kiezen een preset, Enter roept die op, de menutoets of Shift+F10 biedt de rest.</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>Recall</source>
        <translation>Oproepen</translation>
    </message>
    <message>
        <source>Store here</source>
        <translation>Hier opslaan</translation>
    </message>
    <message>
        <source>Retake picture</source>
        <translation>Beeld opnieuw maken</translation>
    </message>
    <message>
        <source>Rename…</source>
        <translation>Naam wijzigen…</translation>
    </message>
    <message>
        <source>Speed</source>
        <translation>Snelheid</translation>
    </message>
    <message>
        <source>As the camera recalls it</source>
        <translation>Zoals de camera die oproept</translation>
    </message>
    <message>
        <source>1 (slowest)</source>
        <translation>1 (langzaamst)</translation>
    </message>
    <message>
        <source>%1 (fastest)</source>
        <translation>%1 (snelst)</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Wissen</translation>
    </message>
    <message>
        <source>Store where %1 looks now as preset %2? Its position and picture are replaced.</source>
        <translation>Het huidige beeld van %1 opslaan als preset %2? De positie en het beeld ervan worden vervangen.</translation>
    </message>
    <message>
        <source>Store where %1 looks now as preset %2, %3? Its position and picture are replaced.</source>
        <translation>Het huidige beeld van %1 opslaan als preset %2, %3? De positie en het beeld ervan worden vervangen.</translation>
    </message>
    <message>
        <source>Rename preset</source>
        <translation>Preset hernoemen</translation>
    </message>
    <message>
        <source>Name of preset %1 of %2 (empty: none):</source>
        <translation>Naam van preset %1 van %2 (leeg: geen):</translation>
    </message>
    <message>
        <source>Clear preset %1 of %2? Its position and picture are lost.</source>
        <translation>Preset %1 van %2 wissen? De positie en het beeld ervan gaan verloren.</translation>
    </message>
    <message>
        <source>Clear preset %1, %2, of %3? Its position and picture are lost.</source>
        <translation>Preset %1, %2, van %3 wissen? De positie en het beeld ervan gaan verloren.</translation>
    </message>
    <message>
        <source>%1 is on program. Move it anyway?</source>
        <translation>%1 is in de uitzending. Toch bewegen?</translation>
    </message>
    <message>
        <source>Shots and tours</source>
        <translation>Shots en rondes</translation>
    </message>
    <message>
        <source>%1. Move the cameras on program anyway?</source>
        <translation>%1. De camera&apos;s in de uitzending toch bewegen?</translation>
    </message>
</context>
<context>
    <name>ShotDialog</name>
    <message>
        <source>New shot</source>
        <translation>Nieuwe shot</translation>
    </message>
    <message>
        <source>Change shot %1</source>
        <translation>Shot %1 wijzigen</translation>
    </message>
    <message>
        <source>&amp;Name:</source>
        <translation>&amp;Naam:</translation>
    </message>
    <message>
        <source>Preset of %1</source>
        <translation>Preset van %1</translation>
    </message>
    <message>
        <source>Stays where it is</source>
        <translation>Blijft waar hij is</translation>
    </message>
    <message>
        <source> s</source>
        <translation> s</translation>
    </message>
    <message>
        <source>Each at its own speed</source>
        <translation>Elk op eigen snelheid</translation>
    </message>
    <message>
        <source>Time for the cameras to arrive together</source>
        <translation>Tijd waarin de camera&apos;s samen aankomen</translation>
    </message>
    <message>
        <source>&amp;Together in:</source>
        <translation>&amp;Samen in:</translation>
    </message>
    <message>
        <source>%1 – %2</source>
        <translation>%1 – %2</translation>
    </message>
    <message>
        <source>Give the shot a name.</source>
        <translation>Geef de shot een naam.</translation>
    </message>
    <message>
        <source>Choose a preset for at least one camera.</source>
        <translation>Kies een preset voor ten minste één camera.</translation>
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
        <translation>Klik of Enter roept de shot op: elke camera ervan gaat naar zijn preset.</translation>
    </message>
    <message>
        <source>&amp;Shots</source>
        <translation>&amp;Shots</translation>
    </message>
    <message>
        <source>&amp;New shot…</source>
        <translation>&amp;Nieuwe shot…</translation>
    </message>
    <message>
        <source>C&amp;hange…</source>
        <translation>&amp;Wijzigen…</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Verwijderen</translation>
    </message>
    <message>
        <source>Tours</source>
        <translation>Rondes</translation>
    </message>
    <message>
        <source>Enter or a double-click starts the tour, or stops it while it runs.</source>
        <translation>Enter of dubbelklikken start de ronde, of stopt hem terwijl hij loopt.</translation>
    </message>
    <message>
        <source>&amp;Tours</source>
        <translation>&amp;Rondes</translation>
    </message>
    <message>
        <source>St&amp;art</source>
        <translation>St&amp;arten</translation>
    </message>
    <message>
        <source>De&amp;lete</source>
        <translation>Verw&amp;ijderen</translation>
    </message>
    <message>
        <source>%1, together in %2 s</source>
        <translation>%1, samen in %2 s</translation>
    </message>
    <message>
        <source>%1 for %2 s</source>
        <translation>%1 gedurende %2 s</translation>
    </message>
    <message>
        <source>%1 – %2, running: step %3</source>
        <translation>%1 – %2, loopt: stap %3</translation>
    </message>
    <message>
        <source>%1 – %2</source>
        <translation>%1 – %2</translation>
    </message>
    <message>
        <source>%1, again and again</source>
        <translation>%1, steeds opnieuw</translation>
    </message>
    <message>
        <source>Delete the shot %1? Its cameras&apos; presets stay.</source>
        <translation>De shot %1 verwijderen? De presets van zijn camera&apos;s blijven.</translation>
    </message>
    <message>
        <source>Delete the tour %1? Its camera&apos;s presets stay.</source>
        <translation>De ronde %1 verwijderen? De presets van zijn camera blijven.</translation>
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
        <translation>Helderheid</translation>
    </message>
    <message>
        <source>Brightness of the picture</source>
        <translation>Helderheid van het beeld</translation>
    </message>
    <message>
        <source>Contrast</source>
        <comment>accessible name</comment>
        <translation>Contrast</translation>
    </message>
    <message>
        <source>Contrast of the picture</source>
        <translation>Contrast van het beeld</translation>
    </message>
    <message>
        <source>Hue</source>
        <comment>accessible name</comment>
        <translation>Tint</translation>
    </message>
    <message>
        <source>Shifts the colours</source>
        <translation>Verschuift de kleuren</translation>
    </message>
    <message>
        <source>Saturation</source>
        <comment>accessible name</comment>
        <translation>Verzadiging</translation>
    </message>
    <message>
        <source>Strength of the colours</source>
        <translation>Sterkte van de kleuren</translation>
    </message>
    <message>
        <source>Sharpness</source>
        <comment>accessible name</comment>
        <translation>Scherpte</translation>
    </message>
    <message>
        <source>Sharpness of the picture</source>
        <translation>Scherpte van het beeld</translation>
    </message>
    <message>
        <source>Gamma</source>
        <comment>accessible name</comment>
        <translation>Gamma</translation>
    </message>
    <message>
        <source>Brightens or darkens the mid-tones</source>
        <translation>Maakt de middentonen lichter of donkerder</translation>
    </message>
    <message>
        <source>Backlight compensation</source>
        <comment>accessible name</comment>
        <translation>Tegenlichtcompensatie</translation>
    </message>
    <message>
        <source>Brightens a subject in front of a bright background</source>
        <translation>Maakt een onderwerp voor een lichte achtergrond lichter</translation>
    </message>
    <message>
        <source>Automatic white balance</source>
        <comment>accessible name</comment>
        <translation>Automatische witbalans</translation>
    </message>
    <message>
        <source>The camera sets the white balance itself</source>
        <translation>De camera stelt de witbalans zelf in</translation>
    </message>
    <message>
        <source>White balance</source>
        <comment>accessible name</comment>
        <translation>Witbalans</translation>
    </message>
    <message>
        <source>Colour temperature, while automatic white balance is off</source>
        <translation>Kleurtemperatuur, zolang de automatische witbalans uit staat</translation>
    </message>
    <message>
        <source>Anti-flicker</source>
        <comment>accessible name</comment>
        <translation>Antiflikkering</translation>
    </message>
    <message>
        <source>Matches the mains frequency of the lights: off, 50 Hz or 60 Hz</source>
        <translation>Past zich aan de netfrequentie van de verlichting aan: uit, 50 Hz of 60 Hz</translation>
    </message>
    <message>
        <source>Infrared off</source>
        <comment>accessible name</comment>
        <translation>Infrarood uit</translation>
    </message>
    <message>
        <source>Switches the infrared light on and off</source>
        <translation>Zet het infraroodlicht aan en uit</translation>
    </message>
    <message>
        <source>Day mode</source>
        <comment>accessible name</comment>
        <translation>Dagmodus</translation>
    </message>
    <message>
        <source>Switches between day and night mode</source>
        <translation>Wisselt tussen dag- en nachtmodus</translation>
    </message>
    <message>
        <source>Flip</source>
        <comment>accessible name</comment>
        <translation>Omkeren</translation>
    </message>
    <message>
        <source>Turns the picture upside down, and back</source>
        <translation>Zet het beeld op zijn kop, en weer terug</translation>
    </message>
    <message>
        <source>Mirror</source>
        <comment>accessible name</comment>
        <translation>Spiegelen</translation>
    </message>
    <message>
        <source>Mirrors the picture left to right, and back</source>
        <translation>Spiegelt het beeld van links naar rechts, en weer terug</translation>
    </message>
    <message>
        <source>On-screen menu off</source>
        <comment>accessible name</comment>
        <translation>Schermmenu uit</translation>
    </message>
    <message>
        <source>Shows and hides the camera&apos;s own on-screen menu</source>
        <translation>Toont en verbergt het eigen schermmenu van de camera</translation>
    </message>
    <message>
        <source>Home</source>
        <comment>accessible name</comment>
        <translation>Beginpositie</translation>
    </message>
    <message>
        <source>Moves to the home position (key: Home)</source>
        <translation>Gaat naar de beginpositie (toets: Home)</translation>
    </message>
    <message>
        <source>Automatic framing</source>
        <comment>accessible name</comment>
        <translation>Automatische kadrering</translation>
    </message>
    <message>
        <source>Switches automatic framing of the people in view on and off</source>
        <translation>Zet de automatische kadrering van de mensen in beeld aan en uit</translation>
    </message>
    <message>
        <source>End automatic framing</source>
        <comment>accessible name</comment>
        <translation>Automatische kadrering beëindigen</translation>
    </message>
    <message>
        <source>Ends automatic framing and keeps the view as it is</source>
        <translation>Beëindigt de automatische kadrering en houdt het beeld zoals het is</translation>
    </message>
    <message>
        <source>Reset image</source>
        <comment>accessible name</comment>
        <translation>Beeld herstellen</translation>
    </message>
    <message>
        <source>Sets the image values back to the camera&apos;s defaults</source>
        <translation>Zet de beeldwaarden terug op de standaardwaarden van de camera</translation>
    </message>
    <message>
        <source>Reset pan, tilt and zoom</source>
        <comment>accessible name</comment>
        <translation>Pannen, kantelen en zoom herstellen</translation>
    </message>
    <message>
        <source>Recalibrates pan, tilt and zoom</source>
        <translation>Kalibreert pannen, kantelen en zoom opnieuw</translation>
    </message>
    <message>
        <source>Infrared on</source>
        <comment>accessible name</comment>
        <translation>Infrarood aan</translation>
    </message>
    <message>
        <source>Night mode</source>
        <comment>accessible name</comment>
        <translation>Nachtmodus</translation>
    </message>
    <message>
        <source>On-screen menu on</source>
        <comment>accessible name</comment>
        <translation>Schermmenu aan</translation>
    </message>
    <message>
        <source>Manual framing</source>
        <comment>accessible name</comment>
        <translation>Handmatige kadrering</translation>
    </message>
    <message>
        <source>%1: value</source>
        <translation>%1: waarde</translation>
    </message>
    <message>
        <source>No camera is connected.</source>
        <translation>Er is geen camera verbonden.</translation>
    </message>
    <message>
        <source>Works on %1.</source>
        <translation>Werkt op %1.</translation>
    </message>
    <message>
        <source>Greyed: %1 cannot do this.</source>
        <translation>Grijs: %1 kan dit niet.</translation>
    </message>
    <message>
        <source>Hue</source>
        <translation>Tint</translation>
    </message>
    <message>
        <source>Gamma</source>
        <translation>Gamma</translation>
    </message>
    <message>
        <source>WhiteBalance</source>
        <translation>Witbalans</translation>
    </message>
    <message>
        <source>Contrast</source>
        <translation>Contrast</translation>
    </message>
    <message>
        <source>Brightness</source>
        <translation>Helderheid</translation>
    </message>
    <message>
        <source>Saturation</source>
        <translation>Verzadig.</translation>
    </message>
    <message>
        <source>Sharpness</source>
        <translation>Scherpte</translation>
    </message>
    <message>
        <source>Flicker</source>
        <translation>Flikker</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>Uit</translation>
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
        <translation>Kantel</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>Begin</translation>
    </message>
    <message>
        <source>Menu OFF</source>
        <translation>Menu UIT</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Herst.</translation>
    </message>
    <message>
        <source>Push</source>
        <translation>Vast</translation>
    </message>
    <message>
        <source>Framing</source>
        <translation>Kader</translation>
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
        <translation>Tegenlicht</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>Auto</translation>
    </message>
    <message>
        <source>IR OFF</source>
        <translation>IR UIT</translation>
    </message>
    <message>
        <source>DAY</source>
        <translation>DAG</translation>
    </message>
    <message>
        <source>RST-PTZ</source>
        <translation>Res. PTZ</translation>
    </message>
    <message>
        <source>Menu ON</source>
        <translation>Menu AAN</translation>
    </message>
    <message>
        <source>Manual</source>
        <translation>Hand</translation>
    </message>
    <message>
        <source>IR ON</source>
        <translation>IR AAN</translation>
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
        <translation>Beeldinstellingen</translation>
    </message>
    <message>
        <source>Opens and shuts the image settings</source>
        <translation>Opent en sluit de beeldinstellingen</translation>
    </message>
    <message>
        <source>Stay on top</source>
        <comment>accessible name</comment>
        <translation>Altijd bovenop</translation>
    </message>
    <message>
        <source>Keeps the panel above other windows while pressed in</source>
        <translation>Houdt het paneel boven andere vensters zolang ingedrukt</translation>
    </message>
    <message>
        <source>Close</source>
        <comment>accessible name</comment>
        <translation>Sluiten</translation>
    </message>
    <message>
        <source>Closes the panel</source>
        <translation>Sluit het paneel</translation>
    </message>
    <message>
        <source>Camera</source>
        <comment>accessible name</comment>
        <translation>Camera</translation>
    </message>
    <message>
        <source>The camera the panel controls</source>
        <translation>De camera die het paneel bedient</translation>
    </message>
    <message>
        <source>Joystick</source>
        <comment>accessible name</comment>
        <translation>Joystick</translation>
    </message>
    <message>
        <source>Drag to pan and tilt, faster the farther. Keys: arrows, with Shift faster, with Ctrl slower</source>
        <translation>Sleep om te pannen en te kantelen, sneller naarmate verder. Toetsen: pijlen, met Shift sneller, met Ctrl langzamer</translation>
    </message>
    <message>
        <source>Set position</source>
        <comment>accessible name</comment>
        <translation>Naar positie gaan</translation>
    </message>
    <message>
        <source>Moves the camera to the pan and tilt typed below</source>
        <translation>Zet de camera op de hieronder ingevulde pan en kanteling</translation>
    </message>
    <message>
        <source>Get position</source>
        <comment>accessible name</comment>
        <translation>Positie lezen</translation>
    </message>
    <message>
        <source>Reads the camera&apos;s pan and tilt into the fields below</source>
        <translation>Leest pan en kanteling van de camera in de velden hieronder</translation>
    </message>
    <message>
        <source>Pan to set</source>
        <comment>accessible name</comment>
        <translation>Pan om in te stellen</translation>
    </message>
    <message>
        <source>The pan the Set position key moves to</source>
        <translation>De pan waar de knop Naar positie gaan heen gaat</translation>
    </message>
    <message>
        <source>Tilt to set</source>
        <comment>accessible name</comment>
        <translation>Kanteling om in te stellen</translation>
    </message>
    <message>
        <source>The tilt the Set position key moves to</source>
        <translation>De kanteling waar de knop Naar positie gaan heen gaat</translation>
    </message>
    <message>
        <source>Pan read</source>
        <comment>accessible name</comment>
        <translation>Gelezen pan</translation>
    </message>
    <message>
        <source>The pan the camera last reported</source>
        <translation>De laatst door de camera gemelde pan</translation>
    </message>
    <message>
        <source>Tilt read</source>
        <comment>accessible name</comment>
        <translation>Gelezen kanteling</translation>
    </message>
    <message>
        <source>The tilt the camera last reported</source>
        <translation>De laatst door de camera gemelde kanteling</translation>
    </message>
    <message>
        <source>Zoom</source>
        <comment>accessible name</comment>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>Drag right to zoom in, left to zoom out; it springs back. Keys: + and -, Page Up and Page Down</source>
        <translation>Sleep naar rechts om in te zoomen, naar links om uit te zoomen; veert terug. Toetsen: + en -, Page Up en Page Down</translation>
    </message>
    <message>
        <source>Store mode</source>
        <comment>accessible name</comment>
        <translation>Opslagmodus</translation>
    </message>
    <message>
        <source>Press, then a preset key, to store the position there (keys: Ctrl+0 to Ctrl+8)</source>
        <translation>Druk, daarna een presetknop, om de positie daar op te slaan (toetsen: Ctrl+0 tot Ctrl+8)</translation>
    </message>
    <message>
        <source>Clear mode</source>
        <comment>accessible name</comment>
        <translation>Wismodus</translation>
    </message>
    <message>
        <source>Press, then a preset key, to clear that preset</source>
        <translation>Druk, daarna een presetknop, om die preset te wissen</translation>
    </message>
    <message>
        <source>Preset %1</source>
        <translation>Preset %1</translation>
    </message>
    <message>
        <source>Recalls preset %1; after Store or Clear mode, stores or clears it. Key: %1, with Ctrl stores</source>
        <translation>Roept preset %1 op; na opslag- of wismodus slaat het die op of wist het die. Toets: %1, met Ctrl opslaan</translation>
    </message>
    <message>
        <source>Form</source>
        <translation>Formulier</translation>
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
        <translation>Opslaan</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Wissen</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>Cam.</translation>
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
        <translation>Opgeslagen.</translation>
    </message>
    <message>
        <source>Not stored.</source>
        <translation>Niet opgeslagen.</translation>
    </message>
</context>
</TS>
