<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name>BoardDelegate</name>
    <message>
        <source>Waiting for the camera&apos;s view…</source>
        <translation>Esperando la imagen de la cámara…</translation>
    </message>
    <message>
        <source>No picture</source>
        <translation>Sin imagen</translation>
    </message>
    <message>
        <source>No picture: %1</source>
        <translation>Sin imagen: %1</translation>
    </message>
    <message>
        <source>Empty</source>
        <translation>Vacío</translation>
    </message>
    <message>
        <source>Live</source>
        <translation>En vivo</translation>
    </message>
    <message>
        <source>speed %1</source>
        <translation>velocidad %1</translation>
    </message>
</context>
<context>
    <name>BoardMenu</name>
    <message>
        <source>Preset board…</source>
        <translation>Tablero de preajustes…</translation>
    </message>
    <message>
        <source>Every camera&apos;s presets with their pictures, to recall and keep</source>
        <translation>Los preajustes de todas las cámaras con sus imágenes, para recuperarlos y mantenerlos</translation>
    </message>
</context>
<context>
    <name>BoardModel</name>
    <message>
        <source>Live</source>
        <translation>En vivo</translation>
    </message>
    <message>
        <source>Live view</source>
        <translation>Vista en vivo</translation>
    </message>
    <message>
        <source>Preset %1, %2</source>
        <translation>Preajuste %1, %2</translation>
    </message>
    <message>
        <source>Preset %1</source>
        <translation>Preajuste %1</translation>
    </message>
    <message>
        <source>Click or Enter recalls it; right-click or the menu key for more.</source>
        <translation>Clic o Intro lo recupera; clic derecho o la tecla de menú para más opciones.</translation>
    </message>
    <message>
        <source>Right-click or the menu key to store here.</source>
        <translation>Clic derecho o la tecla de menú para guardar aquí.</translation>
    </message>
    <message>
        <source>Live view of %1, waiting for the camera&apos;s view</source>
        <translation>Vista en vivo de %1, esperando la imagen de la cámara</translation>
    </message>
    <message>
        <source>Live view of %1</source>
        <translation>Vista en vivo de %1</translation>
    </message>
    <message>
        <source>Empty</source>
        <translation>Vacío</translation>
    </message>
    <message>
        <source>Stored</source>
        <translation>Guardado</translation>
    </message>
    <message>
        <source>with its picture</source>
        <translation>con su imagen</translation>
    </message>
    <message>
        <source>no picture: %1</source>
        <translation>sin imagen: %1</translation>
    </message>
    <message>
        <source>no picture yet</source>
        <translation>aún sin imagen</translation>
    </message>
    <message>
        <source>recalled at speed %1</source>
        <translation>se recupera a velocidad %1</translation>
    </message>
</context>
<context>
    <name>CameraSelector</name>
    <message>
        <source>Answering since %1</source>
        <translation>Responde desde %1</translation>
    </message>
    <message>
        <source>Slow: answers take more than half a second, since %1</source>
        <translation>Lenta: las respuestas tardan más de medio segundo, desde %1</translation>
    </message>
    <message>
        <source>Not answering since %1; the panel keeps trying</source>
        <translation>No responde desde %1; el panel sigue intentándolo</translation>
    </message>
    <message>
        <source>Refuses its user name or password since %1</source>
        <translation>Rechaza su usuario o contraseña desde %1</translation>
    </message>
    <message>
        <source>Busy: another program holds it, since %1</source>
        <translation>Ocupada: otro programa la está usando, desde %1</translation>
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
        <translation>Tablero de preajustes – PTZ Panel</translation>
    </message>
    <message>
        <source>Cameras</source>
        <translation>Cámaras</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Estado</translation>
    </message>
    <message>
        <source>Click a preset to recall it at its own speed; right-click it, or press the menu key or Shift+F10, for more.</source>
        <translation>Haga clic en un preajuste para recuperarlo a su propia velocidad; para más opciones, haga clic derecho en él o pulse la tecla de menú o Mayús+F10.</translation>
    </message>
    <message>
        <source>No camera is attached.</source>
        <translation>No hay ninguna cámara conectada al panel.</translation>
    </message>
    <message>
        <source>Presets of %1</source>
        <translation>Preajustes de %1</translation>
    </message>
    <message>
        <source>The arrow keys choose a preset, Enter recalls it, the menu key or Shift+F10 offers the rest.</source>
        <translation>Las teclas de flecha eligen un preajuste, Intro lo recupera, la tecla de menú o Mayús+F10 ofrece el resto.</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>Recall</source>
        <translation>Recuperar</translation>
    </message>
    <message>
        <source>Store here</source>
        <translation>Guardar aquí</translation>
    </message>
    <message>
        <source>Retake picture</source>
        <translation>Volver a tomar la imagen</translation>
    </message>
    <message>
        <source>Rename…</source>
        <translation>Renombrar…</translation>
    </message>
    <message>
        <source>Speed</source>
        <translation>Velocidad</translation>
    </message>
    <message>
        <source>As the camera recalls it</source>
        <translation>Como lo recupera la cámara</translation>
    </message>
    <message>
        <source>1 (slowest)</source>
        <translation>1 (la más lenta)</translation>
    </message>
    <message>
        <source>%1 (fastest)</source>
        <translation>%1 (la más rápida)</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Borrar</translation>
    </message>
    <message>
        <source>Store where %1 looks now as preset %2? Its position and picture are replaced.</source>
        <translation>¿Guardar la vista actual de %1 como preajuste %2? Se reemplazan su posición y su imagen.</translation>
    </message>
    <message>
        <source>Store where %1 looks now as preset %2, %3? Its position and picture are replaced.</source>
        <translation>¿Guardar la vista actual de %1 como preajuste %2, %3? Se reemplazan su posición y su imagen.</translation>
    </message>
    <message>
        <source>Rename preset</source>
        <translation>Renombrar preajuste</translation>
    </message>
    <message>
        <source>Name of preset %1 of %2 (empty: none):</source>
        <translation>Nombre del preajuste %1 de %2 (vacío: ninguno):</translation>
    </message>
    <message>
        <source>Clear preset %1 of %2? Its position and picture are lost.</source>
        <translation>¿Borrar el preajuste %1 de %2? Se pierden su posición y su imagen.</translation>
    </message>
    <message>
        <source>Clear preset %1, %2, of %3? Its position and picture are lost.</source>
        <translation>¿Borrar el preajuste %1, %2, de %3? Se pierden su posición y su imagen.</translation>
    </message>
    <message>
        <source>%1 is on program. Move it anyway?</source>
        <translation>%1 está al aire. ¿Moverla de todos modos?</translation>
    </message>
    <message>
        <source>Shots and tours</source>
        <translation>Tomas y recorridos</translation>
    </message>
    <message>
        <source>%1. Move the cameras on program anyway?</source>
        <translation>%1. ¿Mover de todos modos las cámaras en el aire?</translation>
    </message>
</context>
<context>
    <name>ShotDialog</name>
    <message>
        <source>New shot</source>
        <translation>Nueva toma</translation>
    </message>
    <message>
        <source>Change shot %1</source>
        <translation>Cambiar la toma %1</translation>
    </message>
    <message>
        <source>&amp;Name:</source>
        <translation>&amp;Nombre:</translation>
    </message>
    <message>
        <source>Preset of %1</source>
        <translation>Preajuste de %1</translation>
    </message>
    <message>
        <source>Stays where it is</source>
        <translation>Se queda donde está</translation>
    </message>
    <message>
        <source> s</source>
        <translation> s</translation>
    </message>
    <message>
        <source>Each at its own speed</source>
        <translation>Cada una a su velocidad</translation>
    </message>
    <message>
        <source>Time for the cameras to arrive together</source>
        <translation>Tiempo para que las cámaras lleguen juntas</translation>
    </message>
    <message>
        <source>&amp;Together in:</source>
        <translation>&amp;Juntas en:</translation>
    </message>
    <message>
        <source>%1 – %2</source>
        <translation>%1 – %2</translation>
    </message>
    <message>
        <source>Give the shot a name.</source>
        <translation>Dé un nombre a la toma.</translation>
    </message>
    <message>
        <source>Choose a preset for at least one camera.</source>
        <translation>Elija un preajuste para al menos una cámara.</translation>
    </message>
</context>
<context>
    <name>ShowsPage</name>
    <message>
        <source>Shots</source>
        <translation>Tomas</translation>
    </message>
    <message>
        <source>Enter or a click recalls the shot: each of its cameras to its preset.</source>
        <translation>Clic o Intro recupera la toma: cada una de sus cámaras va a su preajuste.</translation>
    </message>
    <message>
        <source>&amp;Shots</source>
        <translation>&amp;Tomas</translation>
    </message>
    <message>
        <source>&amp;New shot…</source>
        <translation>&amp;Nueva toma…</translation>
    </message>
    <message>
        <source>C&amp;hange…</source>
        <translation>Ca&amp;mbiar…</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Borrar</translation>
    </message>
    <message>
        <source>Tours</source>
        <translation>Recorridos</translation>
    </message>
    <message>
        <source>Enter or a double-click starts the tour, or stops it while it runs.</source>
        <translation>Intro o un doble clic inicia el recorrido, o lo detiene mientras está en marcha.</translation>
    </message>
    <message>
        <source>&amp;Tours</source>
        <translation>&amp;Recorridos</translation>
    </message>
    <message>
        <source>St&amp;art</source>
        <translation>&amp;Iniciar</translation>
    </message>
    <message>
        <source>De&amp;lete</source>
        <translation>Borr&amp;ar</translation>
    </message>
    <message>
        <source>%1, together in %2 s</source>
        <translation>%1, juntas en %2 s</translation>
    </message>
    <message>
        <source>%1 for %2 s</source>
        <translation>%1 durante %2 s</translation>
    </message>
    <message>
        <source>%1 – %2, running: step %3</source>
        <translation>%1 – %2, en marcha: paso %3</translation>
    </message>
    <message>
        <source>%1 – %2</source>
        <translation>%1 – %2</translation>
    </message>
    <message>
        <source>%1, again and again</source>
        <translation>%1, una y otra vez</translation>
    </message>
    <message>
        <source>Delete the shot %1? Its cameras&apos; presets stay.</source>
        <translation>¿Borrar la toma %1? Los preajustes de sus cámaras se conservan.</translation>
    </message>
    <message>
        <source>Delete the tour %1? Its camera&apos;s presets stay.</source>
        <translation>¿Borrar el recorrido %1? Los preajustes de su cámara se conservan.</translation>
    </message>
    <message>
        <source>St&amp;op</source>
        <translation>&amp;Detener</translation>
    </message>
</context>
<context>
    <name>WinLeft</name>
    <message>
        <source>Brightness</source>
        <comment>accessible name</comment>
        <translation>Brillo</translation>
    </message>
    <message>
        <source>Brightness of the picture</source>
        <translation>Brillo de la imagen</translation>
    </message>
    <message>
        <source>Contrast</source>
        <comment>accessible name</comment>
        <translation>Contraste</translation>
    </message>
    <message>
        <source>Contrast of the picture</source>
        <translation>Contraste de la imagen</translation>
    </message>
    <message>
        <source>Hue</source>
        <comment>accessible name</comment>
        <translation>Tono</translation>
    </message>
    <message>
        <source>Shifts the colours</source>
        <translation>Desplaza los colores</translation>
    </message>
    <message>
        <source>Saturation</source>
        <comment>accessible name</comment>
        <translation>Saturación</translation>
    </message>
    <message>
        <source>Strength of the colours</source>
        <translation>Intensidad de los colores</translation>
    </message>
    <message>
        <source>Sharpness</source>
        <comment>accessible name</comment>
        <translation>Nitidez</translation>
    </message>
    <message>
        <source>Sharpness of the picture</source>
        <translation>Nitidez de la imagen</translation>
    </message>
    <message>
        <source>Gamma</source>
        <comment>accessible name</comment>
        <translation>Gamma</translation>
    </message>
    <message>
        <source>Brightens or darkens the mid-tones</source>
        <translation>Aclara u oscurece los tonos medios</translation>
    </message>
    <message>
        <source>Backlight compensation</source>
        <comment>accessible name</comment>
        <translation>Compensación de contraluz</translation>
    </message>
    <message>
        <source>Brightens a subject in front of a bright background</source>
        <translation>Aclara un sujeto delante de un fondo luminoso</translation>
    </message>
    <message>
        <source>Automatic white balance</source>
        <comment>accessible name</comment>
        <translation>Balance de blancos automático</translation>
    </message>
    <message>
        <source>The camera sets the white balance itself</source>
        <translation>La cámara ajusta el balance de blancos por sí misma</translation>
    </message>
    <message>
        <source>White balance</source>
        <comment>accessible name</comment>
        <translation>Balance de blancos</translation>
    </message>
    <message>
        <source>Colour temperature, while automatic white balance is off</source>
        <translation>Temperatura de color, mientras el balance de blancos automático está desactivado</translation>
    </message>
    <message>
        <source>Anti-flicker</source>
        <comment>accessible name</comment>
        <translation>Antiparpadeo</translation>
    </message>
    <message>
        <source>Matches the mains frequency of the lights: off, 50 Hz or 60 Hz</source>
        <translation>Se ajusta a la frecuencia de red de la iluminación: apagado, 50 Hz o 60 Hz</translation>
    </message>
    <message>
        <source>Infrared off</source>
        <comment>accessible name</comment>
        <translation>Infrarrojo apagado</translation>
    </message>
    <message>
        <source>Switches the infrared light on and off</source>
        <translation>Enciende y apaga la luz infrarroja</translation>
    </message>
    <message>
        <source>Day mode</source>
        <comment>accessible name</comment>
        <translation>Modo día</translation>
    </message>
    <message>
        <source>Switches between day and night mode</source>
        <translation>Cambia entre el modo día y el modo noche</translation>
    </message>
    <message>
        <source>Flip</source>
        <comment>accessible name</comment>
        <translation>Voltear</translation>
    </message>
    <message>
        <source>Turns the picture upside down, and back</source>
        <translation>Pone la imagen boca abajo, y al revés</translation>
    </message>
    <message>
        <source>Mirror</source>
        <comment>accessible name</comment>
        <translation>Espejo</translation>
    </message>
    <message>
        <source>Mirrors the picture left to right, and back</source>
        <translation>Invierte la imagen de izquierda a derecha, y al revés</translation>
    </message>
    <message>
        <source>On-screen menu off</source>
        <comment>accessible name</comment>
        <translation>Menú en pantalla apagado</translation>
    </message>
    <message>
        <source>Shows and hides the camera&apos;s own on-screen menu</source>
        <translation>Muestra y oculta el menú en pantalla de la cámara</translation>
    </message>
    <message>
        <source>Home</source>
        <comment>accessible name</comment>
        <translation>Posición inicial</translation>
    </message>
    <message>
        <source>Moves to the home position (key: Home)</source>
        <translation>Va a la posición inicial (tecla: Inicio)</translation>
    </message>
    <message>
        <source>Automatic framing</source>
        <comment>accessible name</comment>
        <translation>Encuadre automático</translation>
    </message>
    <message>
        <source>Switches automatic framing of the people in view on and off</source>
        <translation>Activa y desactiva el encuadre automático de las personas a la vista</translation>
    </message>
    <message>
        <source>End automatic framing</source>
        <comment>accessible name</comment>
        <translation>Terminar el encuadre automático</translation>
    </message>
    <message>
        <source>Ends automatic framing and keeps the view as it is</source>
        <translation>Termina el encuadre automático y mantiene la vista como está</translation>
    </message>
    <message>
        <source>Reset image</source>
        <comment>accessible name</comment>
        <translation>Restablecer la imagen</translation>
    </message>
    <message>
        <source>Sets the image values back to the camera&apos;s defaults</source>
        <translation>Devuelve los valores de imagen a los predeterminados de la cámara</translation>
    </message>
    <message>
        <source>Reset pan, tilt and zoom</source>
        <comment>accessible name</comment>
        <translation>Restablecer giro, inclinación y zoom</translation>
    </message>
    <message>
        <source>Recalibrates pan, tilt and zoom</source>
        <translation>Recalibra el giro, la inclinación y el zoom</translation>
    </message>
    <message>
        <source>Infrared on</source>
        <comment>accessible name</comment>
        <translation>Infrarrojo encendido</translation>
    </message>
    <message>
        <source>Night mode</source>
        <comment>accessible name</comment>
        <translation>Modo noche</translation>
    </message>
    <message>
        <source>On-screen menu on</source>
        <comment>accessible name</comment>
        <translation>Menú en pantalla encendido</translation>
    </message>
    <message>
        <source>Manual framing</source>
        <comment>accessible name</comment>
        <translation>Encuadre manual</translation>
    </message>
    <message>
        <source>%1: value</source>
        <translation>%1: valor</translation>
    </message>
    <message>
        <source>No camera is connected.</source>
        <translation>No hay ninguna cámara conectada.</translation>
    </message>
    <message>
        <source>Works on %1.</source>
        <translation>Actúa sobre %1.</translation>
    </message>
    <message>
        <source>Greyed: %1 cannot do this.</source>
        <translation>Atenuado: %1 no puede hacerlo.</translation>
    </message>
    <message>
        <source>Hue</source>
        <translation>Tono</translation>
    </message>
    <message>
        <source>Gamma</source>
        <translation>Gamma</translation>
    </message>
    <message>
        <source>WhiteBalance</source>
        <translation>Bal. de blancos</translation>
    </message>
    <message>
        <source>Contrast</source>
        <translation>Contraste</translation>
    </message>
    <message>
        <source>Brightness</source>
        <translation>Brillo</translation>
    </message>
    <message>
        <source>Saturation</source>
        <translation>Saturación</translation>
    </message>
    <message>
        <source>Sharpness</source>
        <translation>Nitidez</translation>
    </message>
    <message>
        <source>Flicker</source>
        <translation>Parpad.</translation>
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
        <translation>Espejo</translation>
    </message>
    <message>
        <source>Flip</source>
        <translation>Voltear</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>Inicio</translation>
    </message>
    <message>
        <source>Menu OFF</source>
        <translation>Menú NO</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Restab.</translation>
    </message>
    <message>
        <source>Push</source>
        <translation>Fijar</translation>
    </message>
    <message>
        <source>Framing</source>
        <translation>Encuad.</translation>
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
        <translation>Contraluz</translation>
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
        <translation>DÍA</translation>
    </message>
    <message>
        <source>RST-PTZ</source>
        <translation>Rest.PTZ</translation>
    </message>
    <message>
        <source>Menu ON</source>
        <translation>Menú SÍ</translation>
    </message>
    <message>
        <source>Manual</source>
        <translation>Manual</translation>
    </message>
    <message>
        <source>IR ON</source>
        <translation>IR SÍ</translation>
    </message>
    <message>
        <source>NIGHT</source>
        <translation>NOCHE</translation>
    </message>
</context>
<context>
    <name>WinRight</name>
    <message>
        <source>Image settings</source>
        <comment>accessible name</comment>
        <translation>Ajustes de imagen</translation>
    </message>
    <message>
        <source>Opens and shuts the image settings</source>
        <translation>Abre y cierra los ajustes de imagen</translation>
    </message>
    <message>
        <source>Stay on top</source>
        <comment>accessible name</comment>
        <translation>Siempre visible</translation>
    </message>
    <message>
        <source>Keeps the panel above other windows while pressed in</source>
        <translation>Mantiene el panel sobre las demás ventanas mientras está pulsado</translation>
    </message>
    <message>
        <source>Close</source>
        <comment>accessible name</comment>
        <translation>Cerrar</translation>
    </message>
    <message>
        <source>Closes the panel</source>
        <translation>Cierra el panel</translation>
    </message>
    <message>
        <source>Camera</source>
        <comment>accessible name</comment>
        <translation>Cámara</translation>
    </message>
    <message>
        <source>The camera the panel controls</source>
        <translation>La cámara que controla el panel</translation>
    </message>
    <message>
        <source>Joystick</source>
        <comment>accessible name</comment>
        <translation>Joystick</translation>
    </message>
    <message>
        <source>Drag to pan and tilt, faster the farther. Keys: arrows, with Shift faster, with Ctrl slower</source>
        <translation>Arrastre para girar e inclinar, más rápido cuanto más lejos. Teclas: flechas, con Mayús más rápido, con Ctrl más lento</translation>
    </message>
    <message>
        <source>Set position</source>
        <comment>accessible name</comment>
        <translation>Ir a la posición</translation>
    </message>
    <message>
        <source>Moves the camera to the pan and tilt typed below</source>
        <translation>Mueve la cámara al giro y la inclinación escritos abajo</translation>
    </message>
    <message>
        <source>Get position</source>
        <comment>accessible name</comment>
        <translation>Leer la posición</translation>
    </message>
    <message>
        <source>Reads the camera&apos;s pan and tilt into the fields below</source>
        <translation>Lee el giro y la inclinación de la cámara en los campos de abajo</translation>
    </message>
    <message>
        <source>Pan to set</source>
        <comment>accessible name</comment>
        <translation>Giro a fijar</translation>
    </message>
    <message>
        <source>The pan the Set position key moves to</source>
        <translation>El giro al que va la tecla Ir a la posición</translation>
    </message>
    <message>
        <source>Tilt to set</source>
        <comment>accessible name</comment>
        <translation>Inclinación a fijar</translation>
    </message>
    <message>
        <source>The tilt the Set position key moves to</source>
        <translation>La inclinación a la que va la tecla Ir a la posición</translation>
    </message>
    <message>
        <source>Pan read</source>
        <comment>accessible name</comment>
        <translation>Giro leído</translation>
    </message>
    <message>
        <source>The pan the camera last reported</source>
        <translation>El último giro que informó la cámara</translation>
    </message>
    <message>
        <source>Tilt read</source>
        <comment>accessible name</comment>
        <translation>Inclinación leída</translation>
    </message>
    <message>
        <source>The tilt the camera last reported</source>
        <translation>La última inclinación que informó la cámara</translation>
    </message>
    <message>
        <source>Zoom</source>
        <comment>accessible name</comment>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>Drag right to zoom in, left to zoom out; it springs back. Keys: + and -, Page Up and Page Down</source>
        <translation>Arrastre a la derecha para acercar, a la izquierda para alejar; vuelve solo. Teclas: + y -, RePág y AvPág</translation>
    </message>
    <message>
        <source>Store mode</source>
        <comment>accessible name</comment>
        <translation>Modo guardar</translation>
    </message>
    <message>
        <source>Press, then a preset key, to store the position there (keys: Ctrl+0 to Ctrl+8)</source>
        <translation>Pulse, luego una tecla de preajuste, para guardar allí la posición (teclas: Ctrl+0 a Ctrl+8)</translation>
    </message>
    <message>
        <source>Clear mode</source>
        <comment>accessible name</comment>
        <translation>Modo borrar</translation>
    </message>
    <message>
        <source>Press, then a preset key, to clear that preset</source>
        <translation>Pulse, luego una tecla de preajuste, para borrar ese preajuste</translation>
    </message>
    <message>
        <source>Preset %1</source>
        <translation>Preajuste %1</translation>
    </message>
    <message>
        <source>Recalls preset %1; after Store or Clear mode, stores or clears it. Key: %1, with Ctrl stores</source>
        <translation>Recupera el preajuste %1; tras el modo guardar o borrar, lo guarda o lo borra. Tecla: %1, con Ctrl guarda</translation>
    </message>
    <message>
        <source>Form</source>
        <translation>Formulario</translation>
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
        <translation>Guardar</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Borrar</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>Cám.</translation>
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
        <translation>IR/PT</translation>
    </message>
    <message>
        <source>GET/PT</source>
        <translation>LEE/PT</translation>
    </message>
    <message>
        <source>Preset %1: %2</source>
        <translation>Preajuste %1: %2</translation>
    </message>
    <message>
        <source>Stored.</source>
        <translation>Guardado.</translation>
    </message>
    <message>
        <source>Not stored.</source>
        <translation>No guardado.</translation>
    </message>
</context>
</TS>
