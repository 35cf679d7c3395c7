<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it">
<context>
    <name>BoardDelegate</name>
    <message>
        <source>Waiting for the camera&apos;s view…</source>
        <translation>In attesa dell&apos;immagine della telecamera…</translation>
    </message>
    <message>
        <source>No picture</source>
        <translation>Nessuna immagine</translation>
    </message>
    <message>
        <source>No picture: %1</source>
        <translation>Nessuna immagine: %1</translation>
    </message>
    <message>
        <source>Empty</source>
        <translation>Vuoto</translation>
    </message>
    <message>
        <source>Live</source>
        <translation>Live</translation>
    </message>
    <message>
        <source>speed %1</source>
        <translation>velocità %1</translation>
    </message>
</context>
<context>
    <name>BoardMenu</name>
    <message>
        <source>Preset board…</source>
        <translation>Quadro dei preset…</translation>
    </message>
    <message>
        <source>Every camera&apos;s presets with their pictures, to recall and keep</source>
        <translation>I preset di tutte le telecamere con le loro immagini, da richiamare e curare</translation>
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
        <translation>Visualizzazione live</translation>
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
        <translation>Clic o Invio lo richiama; clic destro o il tasto menu per altre opzioni.</translation>
    </message>
    <message>
        <source>Right-click or the menu key to store here.</source>
        <translation>Clic destro o il tasto menu per memorizzare qui.</translation>
    </message>
    <message>
        <source>Live view of %1, waiting for the camera&apos;s view</source>
        <translation>Visualizzazione live di %1, in attesa dell&apos;immagine della telecamera</translation>
    </message>
    <message>
        <source>Live view of %1</source>
        <translation>Visualizzazione live di %1</translation>
    </message>
    <message>
        <source>Empty</source>
        <translation>Vuoto</translation>
    </message>
    <message>
        <source>Stored</source>
        <translation>Memorizzato</translation>
    </message>
    <message>
        <source>with its picture</source>
        <translation>con la sua immagine</translation>
    </message>
    <message>
        <source>no picture: %1</source>
        <translation>nessuna immagine: %1</translation>
    </message>
    <message>
        <source>no picture yet</source>
        <translation>ancora nessuna immagine</translation>
    </message>
    <message>
        <source>recalled at speed %1</source>
        <translation>richiamato a velocità %1</translation>
    </message>
</context>
<context>
    <name>CameraSelector</name>
    <message>
        <source>Answering since %1</source>
        <translation>Risponde da %1</translation>
    </message>
    <message>
        <source>Slow: answers take more than half a second, since %1</source>
        <translation>Lenta: le risposte richiedono più di mezzo secondo, da %1</translation>
    </message>
    <message>
        <source>Not answering since %1; the panel keeps trying</source>
        <translation>Non risponde da %1; il pannello continua a riprovare</translation>
    </message>
    <message>
        <source>Refuses its user name or password since %1</source>
        <translation>Rifiuta nome utente o password da %1</translation>
    </message>
    <message>
        <source>Busy: another program holds it, since %1</source>
        <translation>Occupata: un altro programma la sta usando, da %1</translation>
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
        <translation>Quadro dei preset – PTZ Panel</translation>
    </message>
    <message>
        <source>Cameras</source>
        <translation>Telecamere</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Stato</translation>
    </message>
    <message>
        <source>Click a preset to recall it at its own speed; right-click it, or press the menu key or Shift+F10, for more.</source>
        <translation>Fai clic su un preset per richiamarlo alla sua velocità; per altre opzioni, fai clic destro su di esso o premi il tasto menu o Maiusc+F10.</translation>
    </message>
    <message>
        <source>No camera is attached.</source>
        <translation>Nessuna telecamera collegata al pannello.</translation>
    </message>
    <message>
        <source>Presets of %1</source>
        <translation>Preset di %1</translation>
    </message>
    <message>
        <source>The arrow keys choose a preset, Enter recalls it, the menu key or Shift+F10 offers the rest.</source>
        <translation>I tasti freccia scelgono un preset, Invio lo richiama, il tasto menu o Maiusc+F10 offre il resto.</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>Recall</source>
        <translation>Richiama</translation>
    </message>
    <message>
        <source>Store here</source>
        <translation>Memorizza qui</translation>
    </message>
    <message>
        <source>Retake picture</source>
        <translation>Riacquisisci l&apos;immagine</translation>
    </message>
    <message>
        <source>Rename…</source>
        <translation>Rinomina…</translation>
    </message>
    <message>
        <source>Speed</source>
        <translation>Velocità</translation>
    </message>
    <message>
        <source>As the camera recalls it</source>
        <translation>Come lo richiama la telecamera</translation>
    </message>
    <message>
        <source>1 (slowest)</source>
        <translation>1 (la più lenta)</translation>
    </message>
    <message>
        <source>%1 (fastest)</source>
        <translation>%1 (la più veloce)</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Cancella</translation>
    </message>
    <message>
        <source>Store where %1 looks now as preset %2? Its position and picture are replaced.</source>
        <translation>Memorizzare la vista attuale di %1 come preset %2? La sua posizione e la sua immagine vengono sostituite.</translation>
    </message>
    <message>
        <source>Store where %1 looks now as preset %2, %3? Its position and picture are replaced.</source>
        <translation>Memorizzare la vista attuale di %1 come preset %2, %3? La sua posizione e la sua immagine vengono sostituite.</translation>
    </message>
    <message>
        <source>Rename preset</source>
        <translation>Rinomina preset</translation>
    </message>
    <message>
        <source>Name of preset %1 of %2 (empty: none):</source>
        <translation>Nome del preset %1 di %2 (vuoto: nessuno):</translation>
    </message>
    <message>
        <source>Clear preset %1 of %2? Its position and picture are lost.</source>
        <translation>Cancellare il preset %1 di %2? La sua posizione e la sua immagine vanno perse.</translation>
    </message>
    <message>
        <source>Clear preset %1, %2, of %3? Its position and picture are lost.</source>
        <translation>Cancellare il preset %1, %2, di %3? La sua posizione e la sua immagine vanno perse.</translation>
    </message>
    <message>
        <source>%1 is on program. Move it anyway?</source>
        <translation>%1 è in onda. Muoverla comunque?</translation>
    </message>
    <message>
        <source>Shots and tours</source>
        <translation>Inquadrature e percorsi</translation>
    </message>
    <message>
        <source>%1. Move the cameras on program anyway?</source>
        <translation>%1. Muovere comunque le telecamere in onda?</translation>
    </message>
</context>
<context>
    <name>ShotDialog</name>
    <message>
        <source>New shot</source>
        <translation>Nuova inquadratura</translation>
    </message>
    <message>
        <source>Change shot %1</source>
        <translation>Modifica l&apos;inquadratura %1</translation>
    </message>
    <message>
        <source>&amp;Name:</source>
        <translation>&amp;Nome:</translation>
    </message>
    <message>
        <source>Preset of %1</source>
        <translation>Preset di %1</translation>
    </message>
    <message>
        <source>Stays where it is</source>
        <translation>Resta dov&apos;è</translation>
    </message>
    <message>
        <source> s</source>
        <translation> s</translation>
    </message>
    <message>
        <source>Each at its own speed</source>
        <translation>Ognuna alla sua velocità</translation>
    </message>
    <message>
        <source>Time for the cameras to arrive together</source>
        <translation>Tempo perché le telecamere arrivino insieme</translation>
    </message>
    <message>
        <source>&amp;Together in:</source>
        <translation>Insieme &amp;in:</translation>
    </message>
    <message>
        <source>%1 – %2</source>
        <translation>%1 – %2</translation>
    </message>
    <message>
        <source>Give the shot a name.</source>
        <translation>Dai un nome all&apos;inquadratura.</translation>
    </message>
    <message>
        <source>Choose a preset for at least one camera.</source>
        <translation>Scegli un preset per almeno una telecamera.</translation>
    </message>
</context>
<context>
    <name>ShowsPage</name>
    <message>
        <source>Shots</source>
        <translation>Inquadrature</translation>
    </message>
    <message>
        <source>Enter or a click recalls the shot: each of its cameras to its preset.</source>
        <translation>Clic o Invio richiama l&apos;inquadratura: ognuna delle sue telecamere va al suo preset.</translation>
    </message>
    <message>
        <source>&amp;Shots</source>
        <translation>&amp;Inquadrature</translation>
    </message>
    <message>
        <source>&amp;New shot…</source>
        <translation>&amp;Nuova inquadratura…</translation>
    </message>
    <message>
        <source>C&amp;hange…</source>
        <translation>&amp;Modifica…</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Elimina</translation>
    </message>
    <message>
        <source>Tours</source>
        <translation>Percorsi</translation>
    </message>
    <message>
        <source>Enter or a double-click starts the tour, or stops it while it runs.</source>
        <translation>Invio o un doppio clic avvia il percorso, o lo ferma mentre è in corso.</translation>
    </message>
    <message>
        <source>&amp;Tours</source>
        <translation>&amp;Percorsi</translation>
    </message>
    <message>
        <source>St&amp;art</source>
        <translation>&amp;Avvia</translation>
    </message>
    <message>
        <source>De&amp;lete</source>
        <translation>E&amp;limina</translation>
    </message>
    <message>
        <source>%1, together in %2 s</source>
        <translation>%1, insieme in %2 s</translation>
    </message>
    <message>
        <source>%1 for %2 s</source>
        <translation>%1 per %2 s</translation>
    </message>
    <message>
        <source>%1 – %2, running: step %3</source>
        <translation>%1 – %2, in corso: passo %3</translation>
    </message>
    <message>
        <source>%1 – %2</source>
        <translation>%1 – %2</translation>
    </message>
    <message>
        <source>%1, again and again</source>
        <translation>%1, ancora e ancora</translation>
    </message>
    <message>
        <source>Delete the shot %1? Its cameras&apos; presets stay.</source>
        <translation>Eliminare l&apos;inquadratura %1? I preset delle sue telecamere restano.</translation>
    </message>
    <message>
        <source>Delete the tour %1? Its camera&apos;s presets stay.</source>
        <translation>Eliminare il percorso %1? I preset della sua telecamera restano.</translation>
    </message>
    <message>
        <source>St&amp;op</source>
        <translation>&amp;Ferma</translation>
    </message>
</context>
<context>
    <name>WinLeft</name>
    <message>
        <source>Brightness</source>
        <comment>accessible name</comment>
        <translation>Luminosità</translation>
    </message>
    <message>
        <source>Brightness of the picture</source>
        <translation>Luminosità dell&apos;immagine</translation>
    </message>
    <message>
        <source>Contrast</source>
        <comment>accessible name</comment>
        <translation>Contrasto</translation>
    </message>
    <message>
        <source>Contrast of the picture</source>
        <translation>Contrasto dell&apos;immagine</translation>
    </message>
    <message>
        <source>Hue</source>
        <comment>accessible name</comment>
        <translation>Tonalità</translation>
    </message>
    <message>
        <source>Shifts the colours</source>
        <translation>Sposta i colori</translation>
    </message>
    <message>
        <source>Saturation</source>
        <comment>accessible name</comment>
        <translation>Saturazione</translation>
    </message>
    <message>
        <source>Strength of the colours</source>
        <translation>Intensità dei colori</translation>
    </message>
    <message>
        <source>Sharpness</source>
        <comment>accessible name</comment>
        <translation>Nitidezza</translation>
    </message>
    <message>
        <source>Sharpness of the picture</source>
        <translation>Nitidezza dell&apos;immagine</translation>
    </message>
    <message>
        <source>Gamma</source>
        <comment>accessible name</comment>
        <translation>Gamma</translation>
    </message>
    <message>
        <source>Brightens or darkens the mid-tones</source>
        <translation>Schiarisce o scurisce i toni medi</translation>
    </message>
    <message>
        <source>Backlight compensation</source>
        <comment>accessible name</comment>
        <translation>Compensazione del controluce</translation>
    </message>
    <message>
        <source>Brightens a subject in front of a bright background</source>
        <translation>Schiarisce un soggetto davanti a uno sfondo luminoso</translation>
    </message>
    <message>
        <source>Automatic white balance</source>
        <comment>accessible name</comment>
        <translation>Bilanciamento del bianco automatico</translation>
    </message>
    <message>
        <source>The camera sets the white balance itself</source>
        <translation>La telecamera regola da sé il bilanciamento del bianco</translation>
    </message>
    <message>
        <source>White balance</source>
        <comment>accessible name</comment>
        <translation>Bilanciamento del bianco</translation>
    </message>
    <message>
        <source>Colour temperature, while automatic white balance is off</source>
        <translation>Temperatura di colore, finché il bilanciamento automatico è spento</translation>
    </message>
    <message>
        <source>Anti-flicker</source>
        <comment>accessible name</comment>
        <translation>Antisfarfallio</translation>
    </message>
    <message>
        <source>Matches the mains frequency of the lights: off, 50 Hz or 60 Hz</source>
        <translation>Si adatta alla frequenza di rete delle luci: spento, 50 Hz o 60 Hz</translation>
    </message>
    <message>
        <source>Infrared off</source>
        <comment>accessible name</comment>
        <translation>Infrarosso spento</translation>
    </message>
    <message>
        <source>Switches the infrared light on and off</source>
        <translation>Accende e spegne la luce infrarossa</translation>
    </message>
    <message>
        <source>Day mode</source>
        <comment>accessible name</comment>
        <translation>Modalità giorno</translation>
    </message>
    <message>
        <source>Switches between day and night mode</source>
        <translation>Passa dalla modalità giorno alla notte e viceversa</translation>
    </message>
    <message>
        <source>Flip</source>
        <comment>accessible name</comment>
        <translation>Capovolgi</translation>
    </message>
    <message>
        <source>Turns the picture upside down, and back</source>
        <translation>Capovolge l&apos;immagine, e la raddrizza</translation>
    </message>
    <message>
        <source>Mirror</source>
        <comment>accessible name</comment>
        <translation>Specchio</translation>
    </message>
    <message>
        <source>Mirrors the picture left to right, and back</source>
        <translation>Specchia l&apos;immagine da sinistra a destra, e la ripristina</translation>
    </message>
    <message>
        <source>On-screen menu off</source>
        <comment>accessible name</comment>
        <translation>Menu a schermo spento</translation>
    </message>
    <message>
        <source>Shows and hides the camera&apos;s own on-screen menu</source>
        <translation>Mostra e nasconde il menu a schermo della telecamera</translation>
    </message>
    <message>
        <source>Home</source>
        <comment>accessible name</comment>
        <translation>Posizione iniziale</translation>
    </message>
    <message>
        <source>Moves to the home position (key: Home)</source>
        <translation>Va alla posizione iniziale (tasto: Home)</translation>
    </message>
    <message>
        <source>Automatic framing</source>
        <comment>accessible name</comment>
        <translation>Inquadratura automatica</translation>
    </message>
    <message>
        <source>Switches automatic framing of the people in view on and off</source>
        <translation>Attiva e disattiva l&apos;inquadratura automatica delle persone visibili</translation>
    </message>
    <message>
        <source>End automatic framing</source>
        <comment>accessible name</comment>
        <translation>Termina l&apos;inquadratura automatica</translation>
    </message>
    <message>
        <source>Ends automatic framing and keeps the view as it is</source>
        <translation>Termina l&apos;inquadratura automatica e mantiene la vista com&apos;è</translation>
    </message>
    <message>
        <source>Reset image</source>
        <comment>accessible name</comment>
        <translation>Ripristina l&apos;immagine</translation>
    </message>
    <message>
        <source>Sets the image values back to the camera&apos;s defaults</source>
        <translation>Riporta i valori dell&apos;immagine a quelli predefiniti della telecamera</translation>
    </message>
    <message>
        <source>Reset pan, tilt and zoom</source>
        <comment>accessible name</comment>
        <translation>Ripristina panoramica, inclinazione e zoom</translation>
    </message>
    <message>
        <source>Recalibrates pan, tilt and zoom</source>
        <translation>Ricalibra panoramica, inclinazione e zoom</translation>
    </message>
    <message>
        <source>Infrared on</source>
        <comment>accessible name</comment>
        <translation>Infrarosso acceso</translation>
    </message>
    <message>
        <source>Night mode</source>
        <comment>accessible name</comment>
        <translation>Modalità notte</translation>
    </message>
    <message>
        <source>On-screen menu on</source>
        <comment>accessible name</comment>
        <translation>Menu a schermo acceso</translation>
    </message>
    <message>
        <source>Manual framing</source>
        <comment>accessible name</comment>
        <translation>Inquadratura manuale</translation>
    </message>
    <message>
        <source>%1: value</source>
        <translation>%1: valore</translation>
    </message>
    <message>
        <source>No camera is connected.</source>
        <translation>Nessuna telecamera collegata.</translation>
    </message>
    <message>
        <source>Works on %1.</source>
        <translation>Agisce su %1.</translation>
    </message>
    <message>
        <source>Greyed: %1 cannot do this.</source>
        <translation>In grigio: %1 non può farlo.</translation>
    </message>
    <message>
        <source>Hue</source>
        <translation>Tonalità</translation>
    </message>
    <message>
        <source>Gamma</source>
        <translation>Gamma</translation>
    </message>
    <message>
        <source>WhiteBalance</source>
        <translation>Bil. del bianco</translation>
    </message>
    <message>
        <source>Contrast</source>
        <translation>Contrasto</translation>
    </message>
    <message>
        <source>Brightness</source>
        <translation>Luminosità</translation>
    </message>
    <message>
        <source>Saturation</source>
        <translation>Saturaz.</translation>
    </message>
    <message>
        <source>Sharpness</source>
        <translation>Nitidezza</translation>
    </message>
    <message>
        <source>Flicker</source>
        <translation>Flicker</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>No</translation>
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
        <translation>Rifl.</translation>
    </message>
    <message>
        <source>Flip</source>
        <translation>Capov.</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>Inizio</translation>
    </message>
    <message>
        <source>Menu OFF</source>
        <translation>Menu NO</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Riprist.</translation>
    </message>
    <message>
        <source>Push</source>
        <translation>Fissa</translation>
    </message>
    <message>
        <source>Framing</source>
        <translation>Inquadr.</translation>
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
        <translation>Controluce</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>Auto</translation>
    </message>
    <message>
        <source>IR OFF</source>
        <translation>IR NO</translation>
    </message>
    <message>
        <source>DAY</source>
        <translation>Giorno</translation>
    </message>
    <message>
        <source>RST-PTZ</source>
        <translation>Ripr.PTZ</translation>
    </message>
    <message>
        <source>Menu ON</source>
        <translation>Menu SÌ</translation>
    </message>
    <message>
        <source>Manual</source>
        <translation>A mano</translation>
    </message>
    <message>
        <source>IR ON</source>
        <translation>IR SÌ</translation>
    </message>
    <message>
        <source>NIGHT</source>
        <translation>Notte</translation>
    </message>
</context>
<context>
    <name>WinRight</name>
    <message>
        <source>Image settings</source>
        <comment>accessible name</comment>
        <translation>Impostazioni immagine</translation>
    </message>
    <message>
        <source>Opens and shuts the image settings</source>
        <translation>Apre e chiude le impostazioni dell&apos;immagine</translation>
    </message>
    <message>
        <source>Stay on top</source>
        <comment>accessible name</comment>
        <translation>Sempre in primo piano</translation>
    </message>
    <message>
        <source>Keeps the panel above other windows while pressed in</source>
        <translation>Tiene il pannello sopra le altre finestre finché è premuto</translation>
    </message>
    <message>
        <source>Close</source>
        <comment>accessible name</comment>
        <translation>Chiudi</translation>
    </message>
    <message>
        <source>Closes the panel</source>
        <translation>Chiude il pannello</translation>
    </message>
    <message>
        <source>Camera</source>
        <comment>accessible name</comment>
        <translation>Telecamera</translation>
    </message>
    <message>
        <source>The camera the panel controls</source>
        <translation>La telecamera che il pannello comanda</translation>
    </message>
    <message>
        <source>Joystick</source>
        <comment>accessible name</comment>
        <translation>Joystick</translation>
    </message>
    <message>
        <source>Drag to pan and tilt, faster the farther. Keys: arrows, with Shift faster, with Ctrl slower</source>
        <translation>Trascina per panoramica e inclinazione, più veloce quanto più lontano. Tasti: frecce, con Maiusc più veloce, con Ctrl più lento</translation>
    </message>
    <message>
        <source>Set position</source>
        <comment>accessible name</comment>
        <translation>Vai alla posizione</translation>
    </message>
    <message>
        <source>Moves the camera to the pan and tilt typed below</source>
        <translation>Porta la telecamera a panoramica e inclinazione scritte sotto</translation>
    </message>
    <message>
        <source>Get position</source>
        <comment>accessible name</comment>
        <translation>Leggi la posizione</translation>
    </message>
    <message>
        <source>Reads the camera&apos;s pan and tilt into the fields below</source>
        <translation>Legge panoramica e inclinazione della telecamera nei campi sotto</translation>
    </message>
    <message>
        <source>Pan to set</source>
        <comment>accessible name</comment>
        <translation>Panoramica da impostare</translation>
    </message>
    <message>
        <source>The pan the Set position key moves to</source>
        <translation>La panoramica a cui va il tasto Vai alla posizione</translation>
    </message>
    <message>
        <source>Tilt to set</source>
        <comment>accessible name</comment>
        <translation>Inclinazione da impostare</translation>
    </message>
    <message>
        <source>The tilt the Set position key moves to</source>
        <translation>L&apos;inclinazione a cui va il tasto Vai alla posizione</translation>
    </message>
    <message>
        <source>Pan read</source>
        <comment>accessible name</comment>
        <translation>Panoramica letta</translation>
    </message>
    <message>
        <source>The pan the camera last reported</source>
        <translation>L&apos;ultima panoramica riportata dalla telecamera</translation>
    </message>
    <message>
        <source>Tilt read</source>
        <comment>accessible name</comment>
        <translation>Inclinazione letta</translation>
    </message>
    <message>
        <source>The tilt the camera last reported</source>
        <translation>L&apos;ultima inclinazione riportata dalla telecamera</translation>
    </message>
    <message>
        <source>Zoom</source>
        <comment>accessible name</comment>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>Drag right to zoom in, left to zoom out; it springs back. Keys: + and -, Page Up and Page Down</source>
        <translation>Trascina a destra per ingrandire, a sinistra per ridurre; torna da sé. Tasti: + e -, Pag su e Pag giù</translation>
    </message>
    <message>
        <source>Store mode</source>
        <comment>accessible name</comment>
        <translation>Modalità memorizza</translation>
    </message>
    <message>
        <source>Press, then a preset key, to store the position there (keys: Ctrl+0 to Ctrl+8)</source>
        <translation>Premi, poi un tasto di preset, per memorizzarvi la posizione (tasti: Ctrl+0 a Ctrl+8)</translation>
    </message>
    <message>
        <source>Clear mode</source>
        <comment>accessible name</comment>
        <translation>Modalità cancella</translation>
    </message>
    <message>
        <source>Press, then a preset key, to clear that preset</source>
        <translation>Premi, poi un tasto di preset, per cancellare quel preset</translation>
    </message>
    <message>
        <source>Preset %1</source>
        <translation>Preset %1</translation>
    </message>
    <message>
        <source>Recalls preset %1; after Store or Clear mode, stores or clears it. Key: %1, with Ctrl stores</source>
        <translation>Richiama il preset %1; dopo la modalità memorizza o cancella, lo memorizza o lo cancella. Tasto: %1, con Ctrl memorizza</translation>
    </message>
    <message>
        <source>Form</source>
        <translation>Modulo</translation>
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
        <translation>Salva</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Cancella</translation>
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
        <translation>INC.</translation>
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
        <translation>Memorizzato.</translation>
    </message>
    <message>
        <source>Not stored.</source>
        <translation>Non memorizzato.</translation>
    </message>
</context>
</TS>
