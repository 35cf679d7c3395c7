<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pt_BR">
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
