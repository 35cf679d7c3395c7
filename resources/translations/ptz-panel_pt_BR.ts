<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pt_BR">
<context>
    <name>BoardDelegate</name>
    <message>
        <source>Waiting for the camera&apos;s view…</source>
        <translation>Aguardando a imagem da câmera…</translation>
    </message>
    <message>
        <source>No picture</source>
        <translation>Sem imagem</translation>
    </message>
    <message>
        <source>No picture: %1</source>
        <translation>Sem imagem: %1</translation>
    </message>
    <message>
        <source>Empty</source>
        <translation>Vazia</translation>
    </message>
    <message>
        <source>Live</source>
        <translation>Ao vivo</translation>
    </message>
    <message>
        <source>speed %1</source>
        <translation>velocidade %1</translation>
    </message>
</context>
<context>
    <name>BoardMenu</name>
    <message>
        <source>Preset board…</source>
        <translation>Quadro de predefinições…</translation>
    </message>
    <message>
        <source>Every camera&apos;s presets with their pictures, to recall and keep</source>
        <translation>As predefinições de todas as câmeras com suas imagens, para chamar e manter</translation>
    </message>
</context>
<context>
    <name>BoardModel</name>
    <message>
        <source>Live</source>
        <translation>Ao vivo</translation>
    </message>
    <message>
        <source>Live view</source>
        <translation>Visualização ao vivo</translation>
    </message>
    <message>
        <source>Preset %1, %2</source>
        <translation>Predefinição %1, %2</translation>
    </message>
    <message>
        <source>Preset %1</source>
        <translation>Predefinição %1</translation>
    </message>
    <message>
        <source>Click or Enter recalls it; right-click or the menu key for more.</source>
        <translation>Clique ou Enter a chama; clique com o botão direito ou a tecla de menu para mais opções.</translation>
    </message>
    <message>
        <source>Right-click or the menu key to store here.</source>
        <translation>Clique com o botão direito ou a tecla de menu para gravar aqui.</translation>
    </message>
    <message>
        <source>Live view of %1, waiting for the camera&apos;s view</source>
        <translation>Visualização ao vivo de %1, aguardando a imagem da câmera</translation>
    </message>
    <message>
        <source>Live view of %1</source>
        <translation>Visualização ao vivo de %1</translation>
    </message>
    <message>
        <source>Empty</source>
        <translation>Vazia</translation>
    </message>
    <message>
        <source>Stored</source>
        <translation>Gravada</translation>
    </message>
    <message>
        <source>with its picture</source>
        <translation>com sua imagem</translation>
    </message>
    <message>
        <source>no picture: %1</source>
        <translation>sem imagem: %1</translation>
    </message>
    <message>
        <source>no picture yet</source>
        <translation>ainda sem imagem</translation>
    </message>
    <message>
        <source>recalled at speed %1</source>
        <translation>chamada na velocidade %1</translation>
    </message>
</context>
<context>
    <name>CameraSelector</name>
    <message>
        <source>Answering since %1</source>
        <translation>Respondendo desde %1</translation>
    </message>
    <message>
        <source>Slow: answers take more than half a second, since %1</source>
        <translation>Lenta: as respostas levam mais de meio segundo, desde %1</translation>
    </message>
    <message>
        <source>Not answering since %1; the panel keeps trying</source>
        <translation>Sem resposta desde %1; o painel continua tentando</translation>
    </message>
    <message>
        <source>Refuses its user name or password since %1</source>
        <translation>Recusa o usuário ou a senha desde %1</translation>
    </message>
    <message>
        <source>Busy: another program holds it, since %1</source>
        <translation>Ocupada: outro programa a está usando, desde %1</translation>
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
        <translation>Quadro de predefinições – PTZ Panel</translation>
    </message>
    <message>
        <source>Cameras</source>
        <translation>Câmeras</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Click a preset to recall it at its own speed; right-click it, or press the menu key or Shift+F10, for more.</source>
        <translation>Clique em uma predefinição para chamá-la na velocidade dela; clique nela com o botão direito, ou pressione a tecla de menu ou Shift+F10, para mais opções.</translation>
    </message>
    <message>
        <source>No camera is attached.</source>
        <translation>Nenhuma câmera ligada ao painel.</translation>
    </message>
    <message>
        <source>Presets of %1</source>
        <translation>Predefinições de %1</translation>
    </message>
    <message>
        <source>The arrow keys choose a preset, Enter recalls it, the menu key or Shift+F10 offers the rest.</source>
        <translation>As teclas de seta escolhem uma predefinição, Enter a chama, a tecla de menu ou Shift+F10 oferece o resto.</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>Recall</source>
        <translation>Chamar</translation>
    </message>
    <message>
        <source>Store here</source>
        <translation>Gravar aqui</translation>
    </message>
    <message>
        <source>Retake picture</source>
        <translation>Capturar a imagem de novo</translation>
    </message>
    <message>
        <source>Rename…</source>
        <translation>Renomear…</translation>
    </message>
    <message>
        <source>Speed</source>
        <translation>Velocidade</translation>
    </message>
    <message>
        <source>As the camera recalls it</source>
        <translation>Como a câmera a chama</translation>
    </message>
    <message>
        <source>1 (slowest)</source>
        <translation>1 (a mais lenta)</translation>
    </message>
    <message>
        <source>%1 (fastest)</source>
        <translation>%1 (a mais rápida)</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Apagar</translation>
    </message>
    <message>
        <source>Store where %1 looks now as preset %2? Its position and picture are replaced.</source>
        <translation>Gravar a vista atual de %1 como predefinição %2? A posição e a imagem dela são substituídas.</translation>
    </message>
    <message>
        <source>Store where %1 looks now as preset %2, %3? Its position and picture are replaced.</source>
        <translation>Gravar a vista atual de %1 como predefinição %2, %3? A posição e a imagem dela são substituídas.</translation>
    </message>
    <message>
        <source>Rename preset</source>
        <translation>Renomear predefinição</translation>
    </message>
    <message>
        <source>Name of preset %1 of %2 (empty: none):</source>
        <translation>Nome da predefinição %1 de %2 (vazio: nenhum):</translation>
    </message>
    <message>
        <source>Clear preset %1 of %2? Its position and picture are lost.</source>
        <translation>Apagar a predefinição %1 de %2? A posição e a imagem dela são perdidas.</translation>
    </message>
    <message>
        <source>Clear preset %1, %2, of %3? Its position and picture are lost.</source>
        <translation>Apagar a predefinição %1, %2, de %3? A posição e a imagem dela são perdidas.</translation>
    </message>
    <message>
        <source>%1 is on program. Move it anyway?</source>
        <translation>%1 está no ar. Mover mesmo assim?</translation>
    </message>
    <message>
        <source>Shots and tours</source>
        <translation>Tomadas e rondas</translation>
    </message>
    <message>
        <source>%1. Move the cameras on program anyway?</source>
        <translation>%1. Mover mesmo assim as câmeras no ar?</translation>
    </message>
</context>
<context>
    <name>ShotDialog</name>
    <message>
        <source>New shot</source>
        <translation>Nova tomada</translation>
    </message>
    <message>
        <source>Change shot %1</source>
        <translation>Alterar a tomada %1</translation>
    </message>
    <message>
        <source>&amp;Name:</source>
        <translation>&amp;Nome:</translation>
    </message>
    <message>
        <source>Preset of %1</source>
        <translation>Predefinição de %1</translation>
    </message>
    <message>
        <source>Stays where it is</source>
        <translation>Fica onde está</translation>
    </message>
    <message>
        <source> s</source>
        <translation> s</translation>
    </message>
    <message>
        <source>Each at its own speed</source>
        <translation>Cada uma na sua velocidade</translation>
    </message>
    <message>
        <source>Time for the cameras to arrive together</source>
        <translation>Tempo para as câmeras chegarem juntas</translation>
    </message>
    <message>
        <source>&amp;Together in:</source>
        <translation>&amp;Juntas em:</translation>
    </message>
    <message>
        <source>%1 – %2</source>
        <translation>%1 – %2</translation>
    </message>
    <message>
        <source>Give the shot a name.</source>
        <translation>Dê um nome à tomada.</translation>
    </message>
    <message>
        <source>Choose a preset for at least one camera.</source>
        <translation>Escolha uma predefinição para pelo menos uma câmera.</translation>
    </message>
</context>
<context>
    <name>ShowsPage</name>
    <message>
        <source>Shots</source>
        <translation>Tomadas</translation>
    </message>
    <message>
        <source>Enter or a click recalls the shot: each of its cameras to its preset.</source>
        <translation>Clique ou Enter chama a tomada: cada uma de suas câmeras vai para sua predefinição.</translation>
    </message>
    <message>
        <source>&amp;Shots</source>
        <translation>&amp;Tomadas</translation>
    </message>
    <message>
        <source>&amp;New shot…</source>
        <translation>&amp;Nova tomada…</translation>
    </message>
    <message>
        <source>C&amp;hange…</source>
        <translation>&amp;Alterar…</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Excluir</translation>
    </message>
    <message>
        <source>Tours</source>
        <translation>Rondas</translation>
    </message>
    <message>
        <source>Enter or a double-click starts the tour, or stops it while it runs.</source>
        <translation>Enter ou um clique duplo inicia a ronda, ou a para enquanto está em andamento.</translation>
    </message>
    <message>
        <source>&amp;Tours</source>
        <translation>&amp;Rondas</translation>
    </message>
    <message>
        <source>St&amp;art</source>
        <translation>&amp;Iniciar</translation>
    </message>
    <message>
        <source>De&amp;lete</source>
        <translation>E&amp;xcluir</translation>
    </message>
    <message>
        <source>%1, together in %2 s</source>
        <translation>%1, juntas em %2 s</translation>
    </message>
    <message>
        <source>%1 for %2 s</source>
        <translation>%1 por %2 s</translation>
    </message>
    <message>
        <source>%1 – %2, running: step %3</source>
        <translation>%1 – %2, em andamento: passo %3</translation>
    </message>
    <message>
        <source>%1 – %2</source>
        <translation>%1 – %2</translation>
    </message>
    <message>
        <source>%1, again and again</source>
        <translation>%1, de novo e de novo</translation>
    </message>
    <message>
        <source>Delete the shot %1? Its cameras&apos; presets stay.</source>
        <translation>Excluir a tomada %1? As predefinições das câmeras permanecem.</translation>
    </message>
    <message>
        <source>Delete the tour %1? Its camera&apos;s presets stay.</source>
        <translation>Excluir a ronda %1? As predefinições da câmera permanecem.</translation>
    </message>
    <message>
        <source>St&amp;op</source>
        <translation>&amp;Parar</translation>
    </message>
</context>
<context>
    <name>WinLeft</name>
    <message>
        <source>Brightness</source>
        <comment>accessible name</comment>
        <translation>Brilho</translation>
    </message>
    <message>
        <source>Brightness of the picture</source>
        <translation>Brilho da imagem</translation>
    </message>
    <message>
        <source>Contrast</source>
        <comment>accessible name</comment>
        <translation>Contraste</translation>
    </message>
    <message>
        <source>Contrast of the picture</source>
        <translation>Contraste da imagem</translation>
    </message>
    <message>
        <source>Hue</source>
        <comment>accessible name</comment>
        <translation>Matiz</translation>
    </message>
    <message>
        <source>Shifts the colours</source>
        <translation>Desloca as cores</translation>
    </message>
    <message>
        <source>Saturation</source>
        <comment>accessible name</comment>
        <translation>Saturação</translation>
    </message>
    <message>
        <source>Strength of the colours</source>
        <translation>Intensidade das cores</translation>
    </message>
    <message>
        <source>Sharpness</source>
        <comment>accessible name</comment>
        <translation>Nitidez</translation>
    </message>
    <message>
        <source>Sharpness of the picture</source>
        <translation>Nitidez da imagem</translation>
    </message>
    <message>
        <source>Gamma</source>
        <comment>accessible name</comment>
        <translation>Gama</translation>
    </message>
    <message>
        <source>Brightens or darkens the mid-tones</source>
        <translation>Clareia ou escurece os tons médios</translation>
    </message>
    <message>
        <source>Backlight compensation</source>
        <comment>accessible name</comment>
        <translation>Compensação de contraluz</translation>
    </message>
    <message>
        <source>Brightens a subject in front of a bright background</source>
        <translation>Clareia um objeto diante de um fundo claro</translation>
    </message>
    <message>
        <source>Automatic white balance</source>
        <comment>accessible name</comment>
        <translation>Balanço de branco automático</translation>
    </message>
    <message>
        <source>The camera sets the white balance itself</source>
        <translation>A câmera ajusta o balanço de branco sozinha</translation>
    </message>
    <message>
        <source>White balance</source>
        <comment>accessible name</comment>
        <translation>Balanço de branco</translation>
    </message>
    <message>
        <source>Colour temperature, while automatic white balance is off</source>
        <translation>Temperatura de cor, enquanto o balanço de branco automático está desligado</translation>
    </message>
    <message>
        <source>Anti-flicker</source>
        <comment>accessible name</comment>
        <translation>Antioscilação</translation>
    </message>
    <message>
        <source>Matches the mains frequency of the lights: off, 50 Hz or 60 Hz</source>
        <translation>Ajusta à frequência da rede da iluminação: desligado, 50 Hz ou 60 Hz</translation>
    </message>
    <message>
        <source>Infrared off</source>
        <comment>accessible name</comment>
        <translation>Infravermelho desligado</translation>
    </message>
    <message>
        <source>Switches the infrared light on and off</source>
        <translation>Liga e desliga a luz infravermelha</translation>
    </message>
    <message>
        <source>Day mode</source>
        <comment>accessible name</comment>
        <translation>Modo dia</translation>
    </message>
    <message>
        <source>Switches between day and night mode</source>
        <translation>Alterna entre os modos dia e noite</translation>
    </message>
    <message>
        <source>Flip</source>
        <comment>accessible name</comment>
        <translation>Inverter</translation>
    </message>
    <message>
        <source>Turns the picture upside down, and back</source>
        <translation>Vira a imagem de cabeça para baixo, e de volta</translation>
    </message>
    <message>
        <source>Mirror</source>
        <comment>accessible name</comment>
        <translation>Espelhar</translation>
    </message>
    <message>
        <source>Mirrors the picture left to right, and back</source>
        <translation>Espelha a imagem da esquerda para a direita, e de volta</translation>
    </message>
    <message>
        <source>On-screen menu off</source>
        <comment>accessible name</comment>
        <translation>Menu na tela desligado</translation>
    </message>
    <message>
        <source>Shows and hides the camera&apos;s own on-screen menu</source>
        <translation>Mostra e oculta o menu na tela da própria câmera</translation>
    </message>
    <message>
        <source>Home</source>
        <comment>accessible name</comment>
        <translation>Posição inicial</translation>
    </message>
    <message>
        <source>Moves to the home position (key: Home)</source>
        <translation>Vai para a posição inicial (tecla: Home)</translation>
    </message>
    <message>
        <source>Automatic framing</source>
        <comment>accessible name</comment>
        <translation>Enquadramento automático</translation>
    </message>
    <message>
        <source>Switches automatic framing of the people in view on and off</source>
        <translation>Liga e desliga o enquadramento automático das pessoas à vista</translation>
    </message>
    <message>
        <source>End automatic framing</source>
        <comment>accessible name</comment>
        <translation>Encerrar o enquadramento automático</translation>
    </message>
    <message>
        <source>Ends automatic framing and keeps the view as it is</source>
        <translation>Encerra o enquadramento automático e mantém a vista como está</translation>
    </message>
    <message>
        <source>Reset image</source>
        <comment>accessible name</comment>
        <translation>Redefinir a imagem</translation>
    </message>
    <message>
        <source>Sets the image values back to the camera&apos;s defaults</source>
        <translation>Volta os valores de imagem aos padrões da câmera</translation>
    </message>
    <message>
        <source>Reset pan, tilt and zoom</source>
        <comment>accessible name</comment>
        <translation>Redefinir pan, inclinação e zoom</translation>
    </message>
    <message>
        <source>Recalibrates pan, tilt and zoom</source>
        <translation>Recalibra pan, inclinação e zoom</translation>
    </message>
    <message>
        <source>Infrared on</source>
        <comment>accessible name</comment>
        <translation>Infravermelho ligado</translation>
    </message>
    <message>
        <source>Night mode</source>
        <comment>accessible name</comment>
        <translation>Modo noite</translation>
    </message>
    <message>
        <source>On-screen menu on</source>
        <comment>accessible name</comment>
        <translation>Menu na tela ligado</translation>
    </message>
    <message>
        <source>Manual framing</source>
        <comment>accessible name</comment>
        <translation>Enquadramento manual</translation>
    </message>
    <message>
        <source>%1: value</source>
        <translation>%1: valor</translation>
    </message>
    <message>
        <source>No camera is connected.</source>
        <translation>Nenhuma câmera conectada.</translation>
    </message>
    <message>
        <source>Works on %1.</source>
        <translation>Atua em %1.</translation>
    </message>
    <message>
        <source>Greyed: %1 cannot do this.</source>
        <translation>Esmaecido: %1 não pode fazer isto.</translation>
    </message>
    <message>
        <source>Hue</source>
        <translation>Matiz</translation>
    </message>
    <message>
        <source>Gamma</source>
        <translation>Gama</translation>
    </message>
    <message>
        <source>WhiteBalance</source>
        <translation>Bal. de branco</translation>
    </message>
    <message>
        <source>Contrast</source>
        <translation>Contraste</translation>
    </message>
    <message>
        <source>Brightness</source>
        <translation>Brilho</translation>
    </message>
    <message>
        <source>Saturation</source>
        <translation>Saturação</translation>
    </message>
    <message>
        <source>Sharpness</source>
        <translation>Nitidez</translation>
    </message>
    <message>
        <source>Flicker</source>
        <translation>Oscil.</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>Desl.</translation>
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
        <translation>Espelho</translation>
    </message>
    <message>
        <source>Flip</source>
        <translation>Inverter</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>Início</translation>
    </message>
    <message>
        <source>Menu OFF</source>
        <translation>Menu desl</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Redef.</translation>
    </message>
    <message>
        <source>Push</source>
        <translation>Fixar</translation>
    </message>
    <message>
        <source>Framing</source>
        <translation>Enquad.</translation>
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
        <translation>IR desl</translation>
    </message>
    <message>
        <source>DAY</source>
        <translation>DIA</translation>
    </message>
    <message>
        <source>RST-PTZ</source>
        <translation>Red. PTZ</translation>
    </message>
    <message>
        <source>Menu ON</source>
        <translation>Menu lig</translation>
    </message>
    <message>
        <source>Manual</source>
        <translation>Manual</translation>
    </message>
    <message>
        <source>IR ON</source>
        <translation>IR lig</translation>
    </message>
    <message>
        <source>NIGHT</source>
        <translation>NOITE</translation>
    </message>
</context>
<context>
    <name>WinRight</name>
    <message>
        <source>Image settings</source>
        <comment>accessible name</comment>
        <translation>Ajustes de imagem</translation>
    </message>
    <message>
        <source>Opens and shuts the image settings</source>
        <translation>Abre e fecha os ajustes de imagem</translation>
    </message>
    <message>
        <source>Stay on top</source>
        <comment>accessible name</comment>
        <translation>Sempre visível</translation>
    </message>
    <message>
        <source>Keeps the panel above other windows while pressed in</source>
        <translation>Mantém o painel acima das outras janelas enquanto pressionado</translation>
    </message>
    <message>
        <source>Close</source>
        <comment>accessible name</comment>
        <translation>Fechar</translation>
    </message>
    <message>
        <source>Closes the panel</source>
        <translation>Fecha o painel</translation>
    </message>
    <message>
        <source>Camera</source>
        <comment>accessible name</comment>
        <translation>Câmera</translation>
    </message>
    <message>
        <source>The camera the panel controls</source>
        <translation>A câmera que o painel controla</translation>
    </message>
    <message>
        <source>Joystick</source>
        <comment>accessible name</comment>
        <translation>Joystick</translation>
    </message>
    <message>
        <source>Drag to pan and tilt, faster the farther. Keys: arrows, with Shift faster, with Ctrl slower</source>
        <translation>Arraste para girar e inclinar, mais rápido quanto mais longe. Teclas: setas, com Shift mais rápido, com Ctrl mais devagar</translation>
    </message>
    <message>
        <source>Set position</source>
        <comment>accessible name</comment>
        <translation>Ir para a posição</translation>
    </message>
    <message>
        <source>Moves the camera to the pan and tilt typed below</source>
        <translation>Move a câmera para o pan e a inclinação digitados abaixo</translation>
    </message>
    <message>
        <source>Get position</source>
        <comment>accessible name</comment>
        <translation>Ler a posição</translation>
    </message>
    <message>
        <source>Reads the camera&apos;s pan and tilt into the fields below</source>
        <translation>Lê o pan e a inclinação da câmera nos campos abaixo</translation>
    </message>
    <message>
        <source>Pan to set</source>
        <comment>accessible name</comment>
        <translation>Pan a definir</translation>
    </message>
    <message>
        <source>The pan the Set position key moves to</source>
        <translation>O pan para o qual a tecla Ir para a posição vai</translation>
    </message>
    <message>
        <source>Tilt to set</source>
        <comment>accessible name</comment>
        <translation>Inclinação a definir</translation>
    </message>
    <message>
        <source>The tilt the Set position key moves to</source>
        <translation>A inclinação para a qual a tecla Ir para a posição vai</translation>
    </message>
    <message>
        <source>Pan read</source>
        <comment>accessible name</comment>
        <translation>Pan lido</translation>
    </message>
    <message>
        <source>The pan the camera last reported</source>
        <translation>O último pan informado pela câmera</translation>
    </message>
    <message>
        <source>Tilt read</source>
        <comment>accessible name</comment>
        <translation>Inclinação lida</translation>
    </message>
    <message>
        <source>The tilt the camera last reported</source>
        <translation>A última inclinação informada pela câmera</translation>
    </message>
    <message>
        <source>Zoom</source>
        <comment>accessible name</comment>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>Drag right to zoom in, left to zoom out; it springs back. Keys: + and -, Page Up and Page Down</source>
        <translation>Arraste para a direita para aproximar, para a esquerda para afastar; volta sozinho. Teclas: + e -, Page Up e Page Down</translation>
    </message>
    <message>
        <source>Store mode</source>
        <comment>accessible name</comment>
        <translation>Modo gravar</translation>
    </message>
    <message>
        <source>Press, then a preset key, to store the position there (keys: Ctrl+0 to Ctrl+8)</source>
        <translation>Pressione, depois uma tecla de predefinição, para gravar a posição nela (teclas: Ctrl+0 a Ctrl+8)</translation>
    </message>
    <message>
        <source>Clear mode</source>
        <comment>accessible name</comment>
        <translation>Modo apagar</translation>
    </message>
    <message>
        <source>Press, then a preset key, to clear that preset</source>
        <translation>Pressione, depois uma tecla de predefinição, para apagar essa predefinição</translation>
    </message>
    <message>
        <source>Preset %1</source>
        <translation>Predefinição %1</translation>
    </message>
    <message>
        <source>Recalls preset %1; after Store or Clear mode, stores or clears it. Key: %1, with Ctrl stores</source>
        <translation>Chama a predefinição %1; após o modo gravar ou apagar, grava ou apaga. Tecla: %1, com Ctrl grava</translation>
    </message>
    <message>
        <source>Form</source>
        <translation>Formulário</translation>
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
        <translation>Gravar</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Apagar</translation>
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
        <translation>IR/PT</translation>
    </message>
    <message>
        <source>GET/PT</source>
        <translation>LER/PT</translation>
    </message>
    <message>
        <source>Preset %1: %2</source>
        <translation>Predefinição %1: %2</translation>
    </message>
    <message>
        <source>Stored.</source>
        <translation>Gravada.</translation>
    </message>
    <message>
        <source>Not stored.</source>
        <translation>Não gravada.</translation>
    </message>
</context>
</TS>
