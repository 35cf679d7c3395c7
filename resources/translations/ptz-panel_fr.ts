<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>BoardDelegate</name>
    <message>
        <source>Waiting for the camera&apos;s view…</source>
        <translation>En attente de l&apos;image de la caméra…</translation>
    </message>
    <message>
        <source>No picture</source>
        <translation>Pas d&apos;image</translation>
    </message>
    <message>
        <source>No picture: %1</source>
        <translation>Pas d&apos;image : %1</translation>
    </message>
    <message>
        <source>Empty</source>
        <translation>Vide</translation>
    </message>
    <message>
        <source>Live</source>
        <translation>Direct</translation>
    </message>
    <message>
        <source>speed %1</source>
        <translation>vitesse %1</translation>
    </message>
</context>
<context>
    <name>BoardMenu</name>
    <message>
        <source>Preset board…</source>
        <translation>Tableau des préréglages…</translation>
    </message>
    <message>
        <source>Every camera&apos;s presets with their pictures, to recall and keep</source>
        <translation>Les préréglages de toutes les caméras avec leurs images, pour les rappeler et les entretenir</translation>
    </message>
</context>
<context>
    <name>BoardModel</name>
    <message>
        <source>Live</source>
        <translation>Direct</translation>
    </message>
    <message>
        <source>Live view</source>
        <translation>Vue en direct</translation>
    </message>
    <message>
        <source>Preset %1, %2</source>
        <translation>Préréglage %1, %2</translation>
    </message>
    <message>
        <source>Preset %1</source>
        <translation>Préréglage %1</translation>
    </message>
    <message>
        <source>Click or Enter recalls it; right-click or the menu key for more.</source>
        <translation>Un clic ou Entrée le rappelle ; clic droit ou la touche Menu pour plus d&apos;options.</translation>
    </message>
    <message>
        <source>Right-click or the menu key to store here.</source>
        <translation>Clic droit ou la touche Menu pour mémoriser ici.</translation>
    </message>
    <message>
        <source>Live view of %1, waiting for the camera&apos;s view</source>
        <translation>Vue en direct de %1, en attente de l&apos;image de la caméra</translation>
    </message>
    <message>
        <source>Live view of %1</source>
        <translation>Vue en direct de %1</translation>
    </message>
    <message>
        <source>Empty</source>
        <translation>Vide</translation>
    </message>
    <message>
        <source>Stored</source>
        <translation>Mémorisé</translation>
    </message>
    <message>
        <source>with its picture</source>
        <translation>avec son image</translation>
    </message>
    <message>
        <source>no picture: %1</source>
        <translation>pas d&apos;image : %1</translation>
    </message>
    <message>
        <source>no picture yet</source>
        <translation>pas encore d&apos;image</translation>
    </message>
    <message>
        <source>recalled at speed %1</source>
        <translation>rappelé à la vitesse %1</translation>
    </message>
</context>
<context>
    <name>CameraSelector</name>
    <message>
        <source>Answering since %1</source>
        <translation>Répond depuis %1</translation>
    </message>
    <message>
        <source>Slow: answers take more than half a second, since %1</source>
        <translation>Lente : les réponses prennent plus d&apos;une demi-seconde, depuis %1</translation>
    </message>
    <message>
        <source>Not answering since %1; the panel keeps trying</source>
        <translation>Ne répond plus depuis %1 ; le panneau réessaie</translation>
    </message>
    <message>
        <source>Refuses its user name or password since %1</source>
        <translation>Refuse son nom d&apos;utilisateur ou son mot de passe depuis %1</translation>
    </message>
    <message>
        <source>Busy: another program holds it, since %1</source>
        <translation>Occupée : un autre programme l&apos;utilise, depuis %1</translation>
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
        <translation>Tableau des préréglages – PTZ Panel</translation>
    </message>
    <message>
        <source>Cameras</source>
        <translation>Caméras</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>État</translation>
    </message>
    <message>
        <source>Click a preset to recall it at its own speed; right-click it, or press the menu key or Shift+F10, for more.</source>
        <translation>Cliquez sur un préréglage pour le rappeler à sa propre vitesse ; pour plus d&apos;options, faites un clic droit dessus ou appuyez sur la touche Menu ou Maj+F10.</translation>
    </message>
    <message>
        <source>No camera is attached.</source>
        <translation>Aucune caméra n&apos;est reliée au panneau.</translation>
    </message>
    <message>
        <source>Presets of %1</source>
        <translation>Préréglages de %1</translation>
    </message>
    <message>
        <source>The arrow keys choose a preset, Enter recalls it, the menu key or Shift+F10 offers the rest.</source>
        <translation>Les touches fléchées choisissent un préréglage, Entrée le rappelle, la touche Menu ou Maj+F10 propose le reste.</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1 : %2</translation>
    </message>
    <message>
        <source>Recall</source>
        <translation>Rappeler</translation>
    </message>
    <message>
        <source>Store here</source>
        <translation>Mémoriser ici</translation>
    </message>
    <message>
        <source>Retake picture</source>
        <translation>Reprendre l&apos;image</translation>
    </message>
    <message>
        <source>Rename…</source>
        <translation>Renommer…</translation>
    </message>
    <message>
        <source>Speed</source>
        <translation>Vitesse</translation>
    </message>
    <message>
        <source>As the camera recalls it</source>
        <translation>Comme la caméra le rappelle</translation>
    </message>
    <message>
        <source>1 (slowest)</source>
        <translation>1 (la plus lente)</translation>
    </message>
    <message>
        <source>%1 (fastest)</source>
        <translation>%1 (la plus rapide)</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Effacer</translation>
    </message>
    <message>
        <source>Store where %1 looks now as preset %2? Its position and picture are replaced.</source>
        <translation>Mémoriser la vue actuelle de %1 comme préréglage %2 ? Sa position et son image sont remplacées.</translation>
    </message>
    <message>
        <source>Store where %1 looks now as preset %2, %3? Its position and picture are replaced.</source>
        <translation>Mémoriser la vue actuelle de %1 comme préréglage %2, %3 ? Sa position et son image sont remplacées.</translation>
    </message>
    <message>
        <source>Rename preset</source>
        <translation>Renommer le préréglage</translation>
    </message>
    <message>
        <source>Name of preset %1 of %2 (empty: none):</source>
        <translation>Nom du préréglage %1 de %2 (vide : aucun) :</translation>
    </message>
    <message>
        <source>Clear preset %1 of %2? Its position and picture are lost.</source>
        <translation>Effacer le préréglage %1 de %2 ? Sa position et son image sont perdues.</translation>
    </message>
    <message>
        <source>Clear preset %1, %2, of %3? Its position and picture are lost.</source>
        <translation>Effacer le préréglage %1, %2, de %3 ? Sa position et son image sont perdues.</translation>
    </message>
    <message>
        <source>%1 is on program. Move it anyway?</source>
        <translation>%1 est à l&apos;antenne. La déplacer quand même ?</translation>
    </message>
    <message>
        <source>Shots and tours</source>
        <translation>Plans et parcours</translation>
    </message>
    <message>
        <source>%1. Move the cameras on program anyway?</source>
        <translation>%1. Déplacer quand même les caméras à l&apos;antenne ?</translation>
    </message>
</context>
<context>
    <name>ShotDialog</name>
    <message>
        <source>New shot</source>
        <translation>Nouveau plan</translation>
    </message>
    <message>
        <source>Change shot %1</source>
        <translation>Modifier le plan %1</translation>
    </message>
    <message>
        <source>&amp;Name:</source>
        <translation>&amp;Nom :</translation>
    </message>
    <message>
        <source>Preset of %1</source>
        <translation>Préréglage de %1</translation>
    </message>
    <message>
        <source>Stays where it is</source>
        <translation>Reste où elle est</translation>
    </message>
    <message>
        <source> s</source>
        <translation> s</translation>
    </message>
    <message>
        <source>Each at its own speed</source>
        <translation>Chacune à sa vitesse</translation>
    </message>
    <message>
        <source>Time for the cameras to arrive together</source>
        <translation>Temps pour que les caméras arrivent ensemble</translation>
    </message>
    <message>
        <source>&amp;Together in:</source>
        <translation>&amp;Ensemble en :</translation>
    </message>
    <message>
        <source>%1 – %2</source>
        <translation>%1 – %2</translation>
    </message>
    <message>
        <source>Give the shot a name.</source>
        <translation>Donnez un nom au plan.</translation>
    </message>
    <message>
        <source>Choose a preset for at least one camera.</source>
        <translation>Choisissez un préréglage pour au moins une caméra.</translation>
    </message>
</context>
<context>
    <name>ShowsPage</name>
    <message>
        <source>Shots</source>
        <translation>Plans</translation>
    </message>
    <message>
        <source>Enter or a click recalls the shot: each of its cameras to its preset.</source>
        <translation>Un clic ou Entrée rappelle le plan : chacune de ses caméras va à son préréglage.</translation>
    </message>
    <message>
        <source>&amp;Shots</source>
        <translation>&amp;Plans</translation>
    </message>
    <message>
        <source>&amp;New shot…</source>
        <translation>&amp;Nouveau plan…</translation>
    </message>
    <message>
        <source>C&amp;hange…</source>
        <translation>&amp;Modifier…</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Supprimer</translation>
    </message>
    <message>
        <source>Tours</source>
        <translation>Parcours</translation>
    </message>
    <message>
        <source>Enter or a double-click starts the tour, or stops it while it runs.</source>
        <translation>Entrée ou un double-clic lance le parcours, ou l&apos;arrête pendant qu&apos;il se déroule.</translation>
    </message>
    <message>
        <source>&amp;Tours</source>
        <translation>P&amp;arcours</translation>
    </message>
    <message>
        <source>St&amp;art</source>
        <translation>&amp;Démarrer</translation>
    </message>
    <message>
        <source>De&amp;lete</source>
        <translation>Supp&amp;rimer</translation>
    </message>
    <message>
        <source>%1, together in %2 s</source>
        <translation>%1, ensemble en %2 s</translation>
    </message>
    <message>
        <source>%1 for %2 s</source>
        <translation>%1 pendant %2 s</translation>
    </message>
    <message>
        <source>%1 – %2, running: step %3</source>
        <translation>%1 – %2, en cours : étape %3</translation>
    </message>
    <message>
        <source>%1 – %2</source>
        <translation>%1 – %2</translation>
    </message>
    <message>
        <source>%1, again and again</source>
        <translation>%1, encore et encore</translation>
    </message>
    <message>
        <source>Delete the shot %1? Its cameras&apos; presets stay.</source>
        <translation>Supprimer le plan %1 ? Les préréglages de ses caméras restent.</translation>
    </message>
    <message>
        <source>Delete the tour %1? Its camera&apos;s presets stay.</source>
        <translation>Supprimer le parcours %1 ? Les préréglages de sa caméra restent.</translation>
    </message>
    <message>
        <source>St&amp;op</source>
        <translation>Arrê&amp;ter</translation>
    </message>
</context>
<context>
    <name>WinLeft</name>
    <message>
        <source>Brightness</source>
        <comment>accessible name</comment>
        <translation>Luminosité</translation>
    </message>
    <message>
        <source>Brightness of the picture</source>
        <translation>Luminosité de l&apos;image</translation>
    </message>
    <message>
        <source>Contrast</source>
        <comment>accessible name</comment>
        <translation>Contraste</translation>
    </message>
    <message>
        <source>Contrast of the picture</source>
        <translation>Contraste de l&apos;image</translation>
    </message>
    <message>
        <source>Hue</source>
        <comment>accessible name</comment>
        <translation>Teinte</translation>
    </message>
    <message>
        <source>Shifts the colours</source>
        <translation>Décale les couleurs</translation>
    </message>
    <message>
        <source>Saturation</source>
        <comment>accessible name</comment>
        <translation>Saturation</translation>
    </message>
    <message>
        <source>Strength of the colours</source>
        <translation>Intensité des couleurs</translation>
    </message>
    <message>
        <source>Sharpness</source>
        <comment>accessible name</comment>
        <translation>Netteté</translation>
    </message>
    <message>
        <source>Sharpness of the picture</source>
        <translation>Netteté de l&apos;image</translation>
    </message>
    <message>
        <source>Gamma</source>
        <comment>accessible name</comment>
        <translation>Gamma</translation>
    </message>
    <message>
        <source>Brightens or darkens the mid-tones</source>
        <translation>Éclaircit ou assombrit les tons moyens</translation>
    </message>
    <message>
        <source>Backlight compensation</source>
        <comment>accessible name</comment>
        <translation>Compensation du contre-jour</translation>
    </message>
    <message>
        <source>Brightens a subject in front of a bright background</source>
        <translation>Éclaircit un sujet devant un fond lumineux</translation>
    </message>
    <message>
        <source>Automatic white balance</source>
        <comment>accessible name</comment>
        <translation>Balance des blancs automatique</translation>
    </message>
    <message>
        <source>The camera sets the white balance itself</source>
        <translation>La caméra règle elle-même la balance des blancs</translation>
    </message>
    <message>
        <source>White balance</source>
        <comment>accessible name</comment>
        <translation>Balance des blancs</translation>
    </message>
    <message>
        <source>Colour temperature, while automatic white balance is off</source>
        <translation>Température de couleur, tant que la balance des blancs automatique est désactivée</translation>
    </message>
    <message>
        <source>Anti-flicker</source>
        <comment>accessible name</comment>
        <translation>Anti-scintillement</translation>
    </message>
    <message>
        <source>Matches the mains frequency of the lights: off, 50 Hz or 60 Hz</source>
        <translation>S&apos;accorde à la fréquence secteur de l&apos;éclairage : arrêt, 50 Hz ou 60 Hz</translation>
    </message>
    <message>
        <source>Infrared off</source>
        <comment>accessible name</comment>
        <translation>Infrarouge désactivé</translation>
    </message>
    <message>
        <source>Switches the infrared light on and off</source>
        <translation>Allume et éteint l&apos;éclairage infrarouge</translation>
    </message>
    <message>
        <source>Day mode</source>
        <comment>accessible name</comment>
        <translation>Mode jour</translation>
    </message>
    <message>
        <source>Switches between day and night mode</source>
        <translation>Bascule entre les modes jour et nuit</translation>
    </message>
    <message>
        <source>Flip</source>
        <comment>accessible name</comment>
        <translation>Retourner</translation>
    </message>
    <message>
        <source>Turns the picture upside down, and back</source>
        <translation>Retourne l&apos;image tête en bas, puis la remet</translation>
    </message>
    <message>
        <source>Mirror</source>
        <comment>accessible name</comment>
        <translation>Miroir</translation>
    </message>
    <message>
        <source>Mirrors the picture left to right, and back</source>
        <translation>Inverse l&apos;image de gauche à droite, puis la remet</translation>
    </message>
    <message>
        <source>On-screen menu off</source>
        <comment>accessible name</comment>
        <translation>Menu à l&apos;écran masqué</translation>
    </message>
    <message>
        <source>Shows and hides the camera&apos;s own on-screen menu</source>
        <translation>Affiche et masque le menu à l&apos;écran de la caméra</translation>
    </message>
    <message>
        <source>Home</source>
        <comment>accessible name</comment>
        <translation>Position d&apos;origine</translation>
    </message>
    <message>
        <source>Moves to the home position (key: Home)</source>
        <translation>Va à la position d&apos;origine (touche : Origine)</translation>
    </message>
    <message>
        <source>Automatic framing</source>
        <comment>accessible name</comment>
        <translation>Cadrage automatique</translation>
    </message>
    <message>
        <source>Switches automatic framing of the people in view on and off</source>
        <translation>Active et désactive le cadrage automatique des personnes visibles</translation>
    </message>
    <message>
        <source>End automatic framing</source>
        <comment>accessible name</comment>
        <translation>Arrêter le cadrage automatique</translation>
    </message>
    <message>
        <source>Ends automatic framing and keeps the view as it is</source>
        <translation>Arrête le cadrage automatique et garde la vue telle quelle</translation>
    </message>
    <message>
        <source>Reset image</source>
        <comment>accessible name</comment>
        <translation>Réinitialiser l&apos;image</translation>
    </message>
    <message>
        <source>Sets the image values back to the camera&apos;s defaults</source>
        <translation>Remet les réglages d&apos;image aux valeurs par défaut de la caméra</translation>
    </message>
    <message>
        <source>Reset pan, tilt and zoom</source>
        <comment>accessible name</comment>
        <translation>Réinitialiser panoramique, inclinaison et zoom</translation>
    </message>
    <message>
        <source>Recalibrates pan, tilt and zoom</source>
        <translation>Recalibre le panoramique, l&apos;inclinaison et le zoom</translation>
    </message>
    <message>
        <source>Infrared on</source>
        <comment>accessible name</comment>
        <translation>Infrarouge activé</translation>
    </message>
    <message>
        <source>Night mode</source>
        <comment>accessible name</comment>
        <translation>Mode nuit</translation>
    </message>
    <message>
        <source>On-screen menu on</source>
        <comment>accessible name</comment>
        <translation>Menu à l&apos;écran affiché</translation>
    </message>
    <message>
        <source>Manual framing</source>
        <comment>accessible name</comment>
        <translation>Cadrage manuel</translation>
    </message>
    <message>
        <source>%1: value</source>
        <translation>%1 : valeur</translation>
    </message>
    <message>
        <source>No camera is connected.</source>
        <translation>Aucune caméra n&apos;est connectée.</translation>
    </message>
    <message>
        <source>Works on %1.</source>
        <translation>Agit sur %1.</translation>
    </message>
    <message>
        <source>Greyed: %1 cannot do this.</source>
        <translation>Grisé : %1 ne sait pas le faire.</translation>
    </message>
    <message>
        <source>Hue</source>
        <translation>Teinte</translation>
    </message>
    <message>
        <source>Gamma</source>
        <translation>Gamma</translation>
    </message>
    <message>
        <source>WhiteBalance</source>
        <translation>Bal. des blancs</translation>
    </message>
    <message>
        <source>Contrast</source>
        <translation>Contraste</translation>
    </message>
    <message>
        <source>Brightness</source>
        <translation>Luminosité</translation>
    </message>
    <message>
        <source>Saturation</source>
        <translation>Saturation</translation>
    </message>
    <message>
        <source>Sharpness</source>
        <translation>Netteté</translation>
    </message>
    <message>
        <source>Flicker</source>
        <translation>Scintill.</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>Arrêt</translation>
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
        <translation>Miroir</translation>
    </message>
    <message>
        <source>Flip</source>
        <translation>Renv.</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>Origine</translation>
    </message>
    <message>
        <source>Menu OFF</source>
        <translation>Menu NON</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Réinit.</translation>
    </message>
    <message>
        <source>Push</source>
        <translation>Figer</translation>
    </message>
    <message>
        <source>Framing</source>
        <translation>Cadr.</translation>
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
        <translation>Contre-jour</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>Auto</translation>
    </message>
    <message>
        <source>IR OFF</source>
        <translation>IR NON</translation>
    </message>
    <message>
        <source>DAY</source>
        <translation>JOUR</translation>
    </message>
    <message>
        <source>RST-PTZ</source>
        <translation>RàZ PTZ</translation>
    </message>
    <message>
        <source>Menu ON</source>
        <translation>Menu OUI</translation>
    </message>
    <message>
        <source>Manual</source>
        <translation>Manuel</translation>
    </message>
    <message>
        <source>IR ON</source>
        <translation>IR OUI</translation>
    </message>
    <message>
        <source>NIGHT</source>
        <translation>NUIT</translation>
    </message>
</context>
<context>
    <name>WinRight</name>
    <message>
        <source>Image settings</source>
        <comment>accessible name</comment>
        <translation>Réglages de l&apos;image</translation>
    </message>
    <message>
        <source>Opens and shuts the image settings</source>
        <translation>Ouvre et ferme les réglages de l&apos;image</translation>
    </message>
    <message>
        <source>Stay on top</source>
        <comment>accessible name</comment>
        <translation>Toujours au premier plan</translation>
    </message>
    <message>
        <source>Keeps the panel above other windows while pressed in</source>
        <translation>Garde le panneau au-dessus des autres fenêtres tant qu&apos;enfoncé</translation>
    </message>
    <message>
        <source>Close</source>
        <comment>accessible name</comment>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Closes the panel</source>
        <translation>Ferme le panneau</translation>
    </message>
    <message>
        <source>Camera</source>
        <comment>accessible name</comment>
        <translation>Caméra</translation>
    </message>
    <message>
        <source>The camera the panel controls</source>
        <translation>La caméra que le panneau commande</translation>
    </message>
    <message>
        <source>Joystick</source>
        <comment>accessible name</comment>
        <translation>Joystick</translation>
    </message>
    <message>
        <source>Drag to pan and tilt, faster the farther. Keys: arrows, with Shift faster, with Ctrl slower</source>
        <translation>Faites glisser pour le panoramique et l&apos;inclinaison, plus vite en allant plus loin. Touches : flèches, avec Maj plus vite, avec Ctrl plus lentement</translation>
    </message>
    <message>
        <source>Set position</source>
        <comment>accessible name</comment>
        <translation>Aller à la position</translation>
    </message>
    <message>
        <source>Moves the camera to the pan and tilt typed below</source>
        <translation>Amène la caméra au panoramique et à l&apos;inclinaison saisis dessous</translation>
    </message>
    <message>
        <source>Get position</source>
        <comment>accessible name</comment>
        <translation>Lire la position</translation>
    </message>
    <message>
        <source>Reads the camera&apos;s pan and tilt into the fields below</source>
        <translation>Lit le panoramique et l&apos;inclinaison de la caméra dans les champs dessous</translation>
    </message>
    <message>
        <source>Pan to set</source>
        <comment>accessible name</comment>
        <translation>Panoramique à atteindre</translation>
    </message>
    <message>
        <source>The pan the Set position key moves to</source>
        <translation>Le panoramique que la touche Aller à la position atteint</translation>
    </message>
    <message>
        <source>Tilt to set</source>
        <comment>accessible name</comment>
        <translation>Inclinaison à atteindre</translation>
    </message>
    <message>
        <source>The tilt the Set position key moves to</source>
        <translation>L&apos;inclinaison que la touche Aller à la position atteint</translation>
    </message>
    <message>
        <source>Pan read</source>
        <comment>accessible name</comment>
        <translation>Panoramique lu</translation>
    </message>
    <message>
        <source>The pan the camera last reported</source>
        <translation>Le dernier panoramique signalé par la caméra</translation>
    </message>
    <message>
        <source>Tilt read</source>
        <comment>accessible name</comment>
        <translation>Inclinaison lue</translation>
    </message>
    <message>
        <source>The tilt the camera last reported</source>
        <translation>La dernière inclinaison signalée par la caméra</translation>
    </message>
    <message>
        <source>Zoom</source>
        <comment>accessible name</comment>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>Drag right to zoom in, left to zoom out; it springs back. Keys: + and -, Page Up and Page Down</source>
        <translation>Faites glisser à droite pour zoomer, à gauche pour dézoomer ; il revient seul. Touches : + et -, Page préc. et Page suiv.</translation>
    </message>
    <message>
        <source>Store mode</source>
        <comment>accessible name</comment>
        <translation>Mode mémorisation</translation>
    </message>
    <message>
        <source>Press, then a preset key, to store the position there (keys: Ctrl+0 to Ctrl+8)</source>
        <translation>Appuyez, puis sur une touche de préréglage, pour y mémoriser la position (touches : Ctrl+0 à Ctrl+8)</translation>
    </message>
    <message>
        <source>Clear mode</source>
        <comment>accessible name</comment>
        <translation>Mode effacement</translation>
    </message>
    <message>
        <source>Press, then a preset key, to clear that preset</source>
        <translation>Appuyez, puis sur une touche de préréglage, pour effacer ce préréglage</translation>
    </message>
    <message>
        <source>Preset %1</source>
        <translation>Préréglage %1</translation>
    </message>
    <message>
        <source>Recalls preset %1; after Store or Clear mode, stores or clears it. Key: %1, with Ctrl stores</source>
        <translation>Rappelle le préréglage %1 ; après le mode mémorisation ou effacement, le mémorise ou l&apos;efface. Touche : %1, avec Ctrl mémorise</translation>
    </message>
    <message>
        <source>Form</source>
        <translation>Formulaire</translation>
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
        <translation>Mémo.</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Effacer</translation>
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
        <translation>VA/PT</translation>
    </message>
    <message>
        <source>GET/PT</source>
        <translation>LIT/PT</translation>
    </message>
    <message>
        <source>Preset %1: %2</source>
        <translation>Préréglage %1 : %2</translation>
    </message>
    <message>
        <source>Stored.</source>
        <translation>Mémorisé.</translation>
    </message>
    <message>
        <source>Not stored.</source>
        <translation>Non mémorisé.</translation>
    </message>
</context>
</TS>
