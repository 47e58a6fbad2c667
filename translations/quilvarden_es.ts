<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES" sourcelanguage="gl_ES">
<context>
    <name>Calc</name>
    <message>
        <source>O resultado non cabe nun número: revisa os tempos.</source>
        <translation>El resultado no cabe en un número: revisa los tiempos.</translation>
    </message>
    <message>
        <source>O tempo %1 é demasiado longo.</source>
        <translation>El tiempo %1 es demasiado largo.</translation>
    </message>
    <message>
        <source>base</source>
        <translation>base</translation>
    </message>
    <message>
        <source>da marca</source>
        <translation>de la marca</translation>
    </message>
    <message>
        <source>O tempo da marca non pode ser cero.</source>
        <translation>El tiempo de la marca no puede ser cero.</translation>
    </message>
    <message>
        <source>Os puntos «%1» menos o paso «%2» non caben nun número de coma flotante.</source>
        <translation>Los puntos «%1» menos el paso «%2» no caben en un número de coma flotante.</translation>
    </message>
</context>
<context>
    <name>Data</name>
    <message>
        <source>Os puntos «%1» do resultado %2 (proba %3, club %4) non son un número: corríxeos na base de datos.</source>
        <translation>Los puntos «%1» del resultado %2 (prueba %3, club %4) no son un número: corrígelos en la base de datos.</translation>
    </message>
    <message>
        <source>Non se pode chegar ao rexistro en %1: o servidor non responde ou a rede está cortada. Non se gardou nada máis; os campos quedan como estaban, e a seguinte acción volve conectar.
%2</source>
        <translation>No se puede llegar al registro en %1: el servidor no responde o la red está cortada. No se ha guardado nada más; los campos quedan como estaban, y la siguiente acción vuelve a conectar.
%2</translation>
    </message>
    <message>
        <source>Non se pode chegar ao rexistro en %1: o servidor non responde ou a rede está cortada. Non se gardou nada; os campos quedan como estaban.
%2</source>
        <translation>No se puede llegar al registro en %1: el servidor no responde o la red está cortada. No se ha guardado nada; los campos quedan como estaban.
%2</translation>
    </message>
    <message>
        <source>Falta a táboa %1.</source>
        <translation>Falta la tabla %1.</translation>
    </message>
    <message>
        <source>Falta a columna %1 na táboa %2.</source>
        <translation>Falta la columna %1 en la tabla %2.</translation>
    </message>
    <message>
        <source>Os puntos do club «%1» na proba %2 pasan do maior número que se pode sumar.</source>
        <translation>Los puntos del club «%1» en la prueba %2 superan el mayor número que se puede sumar.</translation>
    </message>
    <message>
        <source>O URI do servidor non é válido: %1</source>
        <translation>El URI del servidor no es válido: %1</translation>
    </message>
    <message>
        <source>libpq non o pode ler: %1</source>
        <translation>libpq no lo puede leer: %1</translation>
    </message>
    <message>
        <source>Falta o controlador de PostgreSQL de Qt (o paquete libqt6sql6-psql): non se pode chegar ao servidor.</source>
        <translation>Falta el controlador de PostgreSQL de Qt (el paquete libqt6sql6-psql): no se puede llegar al servidor.</translation>
    </message>
    <message>
        <source>A base de datos xa ten un rexistro e non se sobrescribe.</source>
        <translation>La base de datos ya tiene un registro y no se sobrescribe.</translation>
    </message>
    <message>
        <source>Comproba o usuario e o contrasinal do URI, de ~/.pgpass ou de PGPASSWORD, e que o pg_hba.conf do servidor deixe entrar a ese usuario desde este ordenador.
</source>
        <translation>Comprueba el usuario y la contraseña del URI, de ~/.pgpass o de PGPASSWORD, y que el pg_hba.conf del servidor deje entrar a ese usuario desde este ordenador.
</translation>
    </message>
    <message>
        <source>É un ficheiro de Access (Jet). Esta versión do programa só abre bases de datos SQLite: convérteo primeiro.</source>
        <translation>Es un archivo de Access (Jet). Esta versión del programa solo abre bases de datos SQLite: conviértelo primero.</translation>
    </message>
    <message>
        <source>O ficheiro non é unha base de datos SQLite.</source>
        <translation>El archivo no es una base de datos SQLite.</translation>
    </message>
    <message>
        <source>O ficheiro non existe.</source>
        <translation>El archivo no existe.</translation>
    </message>
    <message>
        <source>É un cartafol, non un ficheiro.</source>
        <translation>Es una carpeta, no un archivo.</translation>
    </message>
    <message>
        <source>Non é un ficheiro normal (é un dispositivo, unha tubería ou un socket): non pode ser unha base de datos.</source>
        <translation>No es un archivo normal (es un dispositivo, una tubería o un socket): no puede ser una base de datos.</translation>
    </message>
    <message>
        <source>O ficheiro ou o seu cartafol só se poden ler: non se poderían gardar os resultados.</source>
        <translation>El archivo o su carpeta son de solo lectura: no se podrían guardar los resultados.</translation>
    </message>
    <message>
        <source>O ficheiro xa existe e non se sobrescribe.</source>
        <translation>El archivo ya existe y no se sobrescribe.</translation>
    </message>
    <message>
        <source>Non existe o cartafol %1.</source>
        <translation>No existe la carpeta %1.</translation>
    </message>
    <message>
        <source>O nome do ficheiro é longo de máis (%1 bytes): a base de datos escribe ao seu carón outro co mesmo nome e «-journal», e o sistema non admite nomes de máis de %2 bytes. Usa un nome de %3 bytes como moito.</source>
        <translation>El nombre del archivo es demasiado largo (%1 bytes): la base de datos escribe a su lado otro con el mismo nombre y «-journal», y el sistema no admite nombres de más de %2 bytes. Usa un nombre de %3 bytes como mucho.</translation>
    </message>
    <message>
        <source>Non se puido gardar o ficheiro.</source>
        <translation>No se ha podido guardar el archivo.</translation>
    </message>
    <message>
        <source>O total do club «%1» pasa do maior número que se pode sumar.</source>
        <translation>El total del club «%1» supera el mayor número que se puede sumar.</translation>
    </message>
    <message>
        <source>ten unha «@» que non separa o usuario e o contrasinal do servidor, e parte deles lerase como outra cousa. Se o usuario ou o contrasinal levan «@», «/» ou «?», escríbeos %1, %2 e %3.</source>
        <translation>tiene una «@» que no separa el usuario y la contraseña del servidor, y parte de ellos se leerá como otra cosa. Si el usuario o la contraseña llevan «@», «/» o «?», escríbelos %1, %2 y %3.</translation>
    </message>
    <message>
        <source>As regras do campionato gardadas no rexistro non se len: %1</source>
        <translation>Las reglas del campeonato guardadas en el registro no se pueden leer: %1</translation>
    </message>
    <message>
        <source>Non se puido facer a táboa das regras no rexistro: o rexistro ábrese só para ler, ou o usuario non pode crear táboas.</source>
        <translation>No se ha podido crear la tabla de las reglas en el registro: el registro se abre solo para leer, o el usuario no puede crear tablas.</translation>
    </message>
    <message>
        <source>Categoría %1 («%2»): %3</source>
        <translation>Categoría %1 («%2»): %3</translation>
    </message>
    <message>
        <source>a idade «%1» non é un número de anos.</source>
        <translation>la edad «%1» no es un número de años.</translation>
    </message>
    <message>
        <source>a idade mínima pasa da máxima.</source>
        <translation>la edad mínima pasa de la máxima.</translation>
    </message>
    <message>
        <source>as probas «%1» non se len: escríbense as ordes como «1, 3, 5-9».</source>
        <translation>las pruebas «%1» no se leen: se escriben los órdenes como «1, 3, 5-9».</translation>
    </message>
    <message>
        <source>«%1» da categoría «%2» ha de ser unha idade de 0 a %3, ou null.</source>
        <translation>«%1» de la categoría «%2» ha de ser una edad de 0 a %3, o null.</translation>
    </message>
    <message>
        <source>«%1» da categoría «%2» ha de ser un texto.</source>
        <translation>«%1» de la categoría «%2» ha de ser un texto.</translation>
    </message>
    <message>
        <source>«events» da categoría «%1» ha de ser unha lista de números de orde (1, 2, …).</source>
        <translation>«events» de la categoría «%1» ha de ser una lista de números de orden (1, 2, …).</translation>
    </message>
    <message>
        <source>Cada categoría ha de ser un obxecto cun «name».</source>
        <translation>Cada categoría ha de ser un objeto con un «name».</translation>
    </message>
    <message>
        <source>Non se coñece a clave «%1» da categoría «%2»: as claves son %3.</source>
        <translation>No se conoce la clave «%1» de la categoría «%2»: las claves son %3.</translation>
    </message>
    <message>
        <source>Non é JSON: %1 (carácter %2).</source>
        <translation>No es JSON: %1 (carácter %2).</translation>
    </message>
    <message>
        <source>As categorías han de ser {&quot;categories&quot;: [{&quot;name&quot;: …, &quot;events&quot;: [1, 2, …]}, …]}.</source>
        <translation>Las categorías han de ser {&quot;categories&quot;: [{&quot;name&quot;: …, &quot;events&quot;: [1, 2, …]}, …]}.</translation>
    </message>
    <message>
        <source>Non se puido facer a táboa das categorías no rexistro: o rexistro ábrese só para ler, ou o usuario non pode crear táboas.</source>
        <translation>No se pudo crear la tabla de las categorías en el registro: el registro se abre solo para leer, o el usuario no puede crear tablas.</translation>
    </message>
    <message>
        <source>Cada categoría ha de ter un nome, e distinto do das outras: «%1».</source>
        <translation>Cada categoría ha de tener un nombre, y distinto del de las otras: «%1».</translation>
    </message>
    <message>
        <source>ningunha</source>
        <translation>ninguna</translation>
    </message>
    <message>
        <source>O campionato non ten a categoría «%1». Ten: %2.</source>
        <translation>El campeonato no tiene la categoría «%1». Tiene: %2.</translation>
    </message>
</context>
<context>
    <name>Import</name>
    <message>
        <source>mdb-export non rematou ao ler a táboa %1.</source>
        <translation>mdb-export no terminó al leer la tabla %1.</translation>
    </message>
    <message>
        <source>%1: falta a táboa %2.</source>
        <translation>%1: falta la tabla %2.</translation>
    </message>
    <message>
        <source>non se pode ler a táboa %1: %2</source>
        <translation>no se puede leer la tabla %1: %2</translation>
    </message>
    <message>
        <source>a táboa %1 non se puido ler enteira.</source>
        <translation>la tabla %1 no se ha podido leer entera.</translation>
    </message>
    <message>
        <source>falta a columna %1 na táboa %2.</source>
        <translation>falta la columna %1 en la tabla %2.</translation>
    </message>
    <message>
        <source>unha fila da táboa %1 non ten %2 columnas.</source>
        <translation>una fila de la tabla %1 no tiene %2 columnas.</translation>
    </message>
    <message>
        <source>non é un ficheiro de Access.</source>
        <translation>no es un archivo de Access.</translation>
    </message>
    <message>
        <source>Non se atopa mdb-export: instala o paquete mdbtools.</source>
        <translation>No se encuentra mdb-export: instala el paquete mdbtools.</translation>
    </message>
    <message>
        <source>Unha descrición de club sen código en CLUBDESC: queda fóra.</source>
        <translation>Una descripción de club sin código en CLUBDESC: queda fuera.</translation>
    </message>
    <message>
        <source>Club %1: descrito máis dunha vez en CLUBDESC; queda a primeira descrición.</source>
        <translation>Club %1: descrito más de una vez en CLUBDESC; queda la primera descripción.</translation>
    </message>
    <message>
        <source>Un club de CLUBCHAMP sen código: queda fóra.</source>
        <translation>Un club de CLUBCHAMP sin código: queda fuera.</translation>
    </message>
    <message>
        <source>Club %1: aparece máis dunha vez en CLUBCHAMP; é un só club.</source>
        <translation>Club %1: aparece más de una vez en CLUBCHAMP; es un solo club.</translation>
    </message>
    <message>
        <source>Club %1: toma parte pero non ten descrición en CLUBDESC; o nome curto sae do seu código.</source>
        <translation>Club %1: participa pero no tiene descripción en CLUBDESC; el nombre corto sale de su código.</translation>
    </message>
    <message>
        <source>é o que xa ten no rexistro</source>
        <translation>es el que ya tiene en el registro</translation>
    </message>
    <message>
        <source>o nome curto «%1» do rexistro non se pode conservar (%2); agora é «%3»</source>
        <translation>el nombre corto «%1» del registro no se puede conservar (%2); ahora es «%3»</translation>
    </message>
    <message>
        <source>xa o ten outro club</source>
        <translation>ya lo tiene otro club</translation>
    </message>
    <message>
        <source>ha ter de 1 a 8 caracteres, sen brancos nos extremos</source>
        <translation>ha de tener de 1 a 8 caracteres, sin espacios en los extremos</translation>
    </message>
    <message>
        <source>ten máis de 8 caracteres</source>
        <translation>tiene más de 8 caracteres</translation>
    </message>
    <message>
        <source>%1 clubs do ficheiro teñen o código «%2»</source>
        <translation>%1 clubes del archivo tienen el código «%2»</translation>
    </message>
    <message>
        <source>o código «%1» xa o ten outro club</source>
        <translation>el código «%1» ya lo tiene otro club</translation>
    </message>
    <message>
        <source>Club «%1»: sen código no ficheiro; o seu código é «%2».</source>
        <translation>Club «%1»: sin código en el archivo; su código es «%2».</translation>
    </message>
    <message>
        <source>Club «%1»: código «%2» en vez de «%3»: %4.</source>
        <translation>Club «%1»: código «%2» en vez de «%3»: %4.</translation>
    </message>
    <message>
        <source>Club «%1»: nome curto «%2» en vez de «%3»: %4.</source>
        <translation>Club «%1»: nombre corto «%2» en vez de «%3»: %4.</translation>
    </message>
    <message>
        <source>Club «%1» («%2»): xa non está no ficheiro, pero ten puntos gardados; consérvase a súa descrición, fóra da lista de clubs.</source>
        <translation>Club «%1» («%2»): ya no está en el archivo, pero tiene puntos guardados; se conserva su descripción, fuera de la lista de clubes.</translation>
    </message>
    <message>
        <source>as %1 probas</source>
        <translation>las %1 pruebas</translation>
    </message>
    <message>
        <source>os %1 clubs participantes</source>
        <translation>los %1 clubes participantes</translation>
    </message>
    <message>
        <source>non trae %1, e importalo quitaríalle ao rexistro %2.</source>
        <translation>no trae %1, e importarlo le quitaría al registro %2.</translation>
    </message>
    <message>
        <source>ningunha proba</source>
        <translation>ninguna prueba</translation>
    </message>
    <message>
        <source>ningún club</source>
        <translation>ningún club</translation>
    </message>
    <message>
        <source> e </source>
        <translation> y </translation>
    </message>
    <message>
        <source>Aínda non hai probas: o ficheiro non trae ningunha.</source>
        <translation>Aún no hay pruebas: el archivo no trae ninguna.</translation>
    </message>
    <message>
        <source>Aínda non hai clubs: o ficheiro non trae ningún (un programa ou unha convocatoria de antes das inscricións). Importa máis tarde o ficheiro coas inscricións, e con el chegarán os clubs.</source>
        <translation>Aún no hay clubes: el archivo no trae ninguno (un programa o una convocatoria de antes de las inscripciones). Importa más tarde el archivo con las inscripciones, y con él llegarán los clubes.</translation>
    </message>
    <message>
        <source>Non existe o ficheiro que se ía importar: %1</source>
        <translation>No existe el archivo que se iba a importar: %1</translation>
    </message>
    <message>
        <source>non é un ficheiro normal (é un cartafol, un dispositivo, unha tubería ou un socket).</source>
        <translation>no es un archivo normal (es una carpeta, un dispositivo, una tubería o un socket).</translation>
    </message>
    <message>
        <source>non é XML válido, ou está cortado (liña %1, columna %2): %3</source>
        <translation>no es XML válido, o está cortado (línea %1, columna %2): %3</translation>
    </message>
    <message>
        <source>non é un ficheiro Lenex (falta o elemento LENEX).</source>
        <translation>no es un archivo Lenex (falta el elemento LENEX).</translation>
    </message>
    <message>
        <source>non ten ningún campionato (MEET): %1</source>
        <translation>no tiene ningún campeonato (MEET): %1</translation>
    </message>
    <message>
        <source>só ten listas de récords ou de marcas mínimas.</source>
        <translation>solo tiene listas de récords o de marcas mínimas.</translation>
    </message>
    <message>
        <source>non hai nada que importar.</source>
        <translation>no hay nada que importar.</translation>
    </message>
    <message>
        <source>Club «%1»: aparece %2 veces no ficheiro; é un só club.</source>
        <translation>Club «%1»: aparece %2 veces en el archivo; es un solo club.</translation>
    </message>
    <message>
        <source>O ficheiro ten %1 campionatos (%2): impórtase só o primeiro.</source>
        <translation>El archivo tiene %1 campeonatos (%2): se importa solo el primero.</translation>
    </message>
    <message>
        <source>As listas de récords e de marcas mínimas do ficheiro non se importan: os seus clubs non son clubs do campionato.</source>
        <translation>Las listas de récords y de marcas mínimas del archivo no se importan: sus clubes no son clubes del campeonato.</translation>
    </message>
    <message>
        <source>, remuda</source>
        <translation>, relevo</translation>
    </message>
    <message>
        <source>Proba número %1: %2; queda fóra.</source>
        <translation>Prueba número %1: %2; queda fuera.</translation>
    </message>
    <message>
        <source>Proba %1 sen número: omitida.</source>
        <translation>Prueba %1 sin número: omitida.</translation>
    </message>
    <message>
        <source>non ten número</source>
        <translation>no tiene número</translation>
    </message>
    <message>
        <source>o número de proba só pode ir de 0 a 999</source>
        <translation>el número de prueba solo puede ir de 0 a 999</translation>
    </message>
    <message>
        <source>a distancia «%1» non é unha distancia de natación</source>
        <translation>la distancia «%1» no es una distancia de natación</translation>
    </message>
    <message>
        <source>unha remuda de «%1» nadadores non é posible</source>
        <translation>un relevo de «%1» nadadores no es posible</translation>
    </message>
    <message>
        <source>o sexo «%1» non é M, F, X nin A</source>
        <translation>el sexo «%1» no es M, F, X ni A</translation>
    </message>
    <message>
        <source>Proba número %1, rolda %2: o número xa o ten outra rolda; queda a primeira.</source>
        <translation>Prueba número %1, ronda %2: el número ya lo tiene otra ronda; queda la primera.</translation>
    </message>
    <message>
        <source>Club «%1» de tipo UNATTACHED (deportistas sen club, %2 deportistas): non puntúa para ningún club e queda fóra.</source>
        <translation>Club «%1» de tipo UNATTACHED (deportistas sin club, %2 deportistas): no puntúa para ningún club y queda fuera.</translation>
    </message>
    <message>
        <source>Un club sen nome nin código e sen ningún deportista: queda fóra.</source>
        <translation>Un club sin nombre ni código y sin ningún deportista: queda fuera.</translation>
    </message>
    <message>
        <source> (nome lido en %1)</source>
        <translation> (nombre leído en %1)</translation>
    </message>
    <message>
        <source>e %1 máis</source>
        <translation>y %1 más</translation>
    </message>
    <message>
        <source>o .lxf está baleiro (0 bytes).</source>
        <translation>el .lxf está vacío (0 bytes).</translation>
    </message>
    <message>
        <source>o .lxf está cortado: a copia non rematou (fáltalle o final do zip, onde está o seu índice). Cópiao de novo enteiro.</source>
        <translation>el .lxf está cortado: la copia no terminó (le falta el final del zip, donde está su índice). Cópialo de nuevo entero.</translation>
    </message>
    <message>
        <source>é unha parte dun zip partido en varios ficheiros; o .lxf ha ser un só zip.</source>
        <translation>es una parte de un zip dividido en varios archivos; el .lxf ha de ser un solo zip.</translation>
    </message>
    <message>
        <source>o índice do zip (o seu directorio central) está danado.</source>
        <translation>el índice del zip (su directorio central) está dañado.</translation>
    </message>
    <message>
        <source>é un ficheiro Lenex sen comprimir (XML), non un zip como ha ser un .lxf: cámbialle o nome a .lef.</source>
        <translation>es un archivo Lenex sin comprimir (XML), no un zip como ha de ser un .lxf: cámbiale el nombre a .lef.</translation>
    </message>
    <message>
        <source>non é un ficheiro zip, como ha ser un .lxf (Lenex comprimido).</source>
        <translation>no es un archivo zip, como ha de ser un .lxf (Lenex comprimido).</translation>
    </message>
    <message>
        <source>o .lef %1 que leva dentro</source>
        <translation>el .lef %1 que lleva dentro</translation>
    </message>
    <message>
        <source> está protexido con contrasinal, e este programa non le ficheiros cifrados: exporta o .lxf de novo sen contrasinal.</source>
        <translation> está protegido con contraseña, y este programa no lee archivos cifrados: exporta el .lxf de nuevo sin contraseña.</translation>
    </message>
    <message>
        <source> está comprimido %1, que este programa non sabe ler: comprímeo de novo como zip normal (Deflate), ou exporta o .lxf de novo.</source>
        <translation> está comprimido %1, que este programa no sabe leer: comprímelo de nuevo como zip normal (Deflate), o exporta el .lxf de nuevo.</translation>
    </message>
    <message>
        <source>co método %1 do zip</source>
        <translation>con el método %1 del zip</translation>
    </message>
    <message>
        <source>con %1 (método %2 do zip)</source>
        <translation>con %1 (método %2 del zip)</translation>
    </message>
    <message>
        <source> é de máis de 100 MB.</source>
        <translation> es de más de 100 MB.</translation>
    </message>
    <message>
        <source> está danado ou cortado: non se descomprime enteiro.</source>
        <translation> está dañado o cortado: no se descomprime entero.</translation>
    </message>
    <message>
        <source>o .lxf está baleiro: é un zip sen ningún ficheiro dentro.</source>
        <translation>el .lxf está vacío: es un zip sin ningún archivo dentro.</translation>
    </message>
    <message>
        <source>o .lxf non leva dentro ningún ficheiro .lef: %1 é un cartafol.</source>
        <translation>el .lxf no lleva dentro ningún archivo .lef: %1 es una carpeta.</translation>
    </message>
    <message>
        <source>o .lxf non leva dentro ningún ficheiro .lef (leva %1).</source>
        <translation>el .lxf no lleva dentro ningún archivo .lef (lleva %1).</translation>
    </message>
    <message>
        <source>O .lxf leva %1 ficheiros .lef (%2): lese só o primeiro, %3.</source>
        <translation>El .lxf lleva %1 archivos .lef (%2): se lee solo el primero, %3.</translation>
    </message>
    <message>
        <source>O ficheiro non está en UTF-8: lese como Windows-1252.</source>
        <translation>El archivo no está en UTF-8: se lee como Windows-1252.</translation>
    </message>
    <message>
        <source>é de máis de 100 MB; ningún ficheiro Lenex dun campionato o é.</source>
        <translation>es de más de 100 MB; ningún archivo Lenex de un campeonato lo es.</translation>
    </message>
    <message>
        <source>é un ficheiro zip (un Lenex comprimido), non XML como ha ser un .lef: cámbialle o nome a .lxf.</source>
        <translation>es un archivo zip (un Lenex comprimido), no XML como ha de ser un .lef: cámbiale el nombre a .lxf.</translation>
    </message>
    <message>
        <source>Club «%1»: %2.</source>
        <translation>Club «%1»: %2.</translation>
    </message>
</context>
<context>
    <name>Language</name>
    <message>
        <source>LINGUA</source>
        <translation>IDIOMA</translation>
    </message>
    <message>
        <source>a lingua das mensaxes: gl (galego) ou es (castelán); sen ela, a do sistema</source>
        <translation>el idioma de los mensajes: gl (gallego) o es (castellano); sin él, el del sistema</translation>
    </message>
    <message>
        <source>falta o valor de --lang: gl (galego) ou es (castelán)</source>
        <translation>falta el valor de --lang: gl (gallego) o es (castellano)</translation>
    </message>
    <message>
        <source>--lang quere gl (galego) ou es (castelán), non «%1»</source>
        <translation>--lang admite gl (gallego) o es (castellano), no «%1»</translation>
    </message>
</context>
<context>
    <name>League</name>
    <message>
        <source>A liga non ten a xornada «%1» (en «%2»).</source>
        <translation>La liga no tiene la jornada «%1» (en «%2»).</translation>
    </message>
    <message>
        <source>A xornada «%1» non ten o club «%2» (en «%3»).</source>
        <translation>La jornada «%1» no tiene el club «%2» (en «%3»).</translation>
    </message>
    <message>
        <source>Non se coñece a clave «%1»%2: as claves son %3.</source>
        <translation>No se conoce la clave «%1»%2: las claves son %3.</translation>
    </message>
    <message>
        <source>Falta «%1»%2.</source>
        <translation>Falta «%1»%2.</translation>
    </message>
    <message>
        <source>«%1»%2 ha de ser un texto non baleiro.</source>
        <translation>«%1»%2 ha de ser un texto no vacío.</translation>
    </message>
    <message>
        <source> na xornada %1</source>
        <translation> en la jornada %1</translation>
    </message>
    <message>
        <source>A xornada %1 ha de ser un obxecto: {&quot;name&quot;: …, &quot;register&quot;: …}.</source>
        <translation>La jornada %1 ha de ser un objeto: {&quot;name&quot;: …, &quot;register&quot;: …}.</translation>
    </message>
    <message>
        <source>«matchdays» ha de ser unha lista de xornadas, polo menos unha.</source>
        <translation>«matchdays» ha de ser una lista de jornadas, por lo menos una.</translation>
    </message>
    <message>
        <source>Dúas xornadas chámanse «%1».</source>
        <translation>Dos jornadas se llaman «%1».</translation>
    </message>
    <message>
        <source>«%1» ha de ser unha lista de listas de dous ou máis clubs &quot;XORNADA:CLUB&quot;.</source>
        <translation>«%1» ha de ser una lista de listas de dos o más clubs &quot;JORNADA:CLUB&quot;.</translation>
    </message>
    <message>
        <source>«equal_totals» ha de ser &quot;consecutive&quot; ou &quot;shared&quot;.</source>
        <translation>«equal_totals» ha de ser &quot;consecutive&quot; o &quot;shared&quot;.</translation>
    </message>
    <message>
        <source>Non é JSON: %1 (carácter %2).</source>
        <translation>No es JSON: %1 (carácter %2).</translation>
    </message>
    <message>
        <source>A liga ha de ser un obxecto JSON: {&quot;name&quot;: …, &quot;matchdays&quot;: [ … ]}.</source>
        <translation>La liga ha de ser un objeto JSON: {&quot;name&quot;: …, &quot;matchdays&quot;: [ … ]}.</translation>
    </message>
    <message>
        <source>Falta «matchdays», a lista das xornadas.</source>
        <translation>Falta «matchdays», la lista de las jornadas.</translation>
    </message>
    <message>
        <source>Non hai ficheiro da liga en %1.</source>
        <translation>No hay fichero de la liga en %1.</translation>
    </message>
    <message>
        <source>Pos</source>
        <translation>Pos</translation>
    </message>
    <message>
        <source>Club</source>
        <translation>Club</translation>
    </message>
    <message>
        <source>X%1</source>
        <translation>J%1</translation>
    </message>
    <message>
        <source>Total</source>
        <translation>Total</translation>
    </message>
    <message>
        <source>X%1: %2</source>
        <translation>J%1: %2</translation>
    </message>
    <message>
        <source>X%1: %2 (sen disputar)</source>
        <translation>J%1: %2 (sin disputar)</translation>
    </message>
    <message>
        <source>Clubs xuntados só polo nome, para comprobar:</source>
        <translation>Clubs unidos solo por el nombre, para comprobar:</translation>
    </message>
    <message>
        <source>Clubs que só están nunha xornada:</source>
        <translation>Clubs que solo están en una jornada:</translation>
    </message>
    <message>
        <source>Xornada «%1», rexistro %2: %3</source>
        <translation>Jornada «%1», registro %2: %3</translation>
    </message>
    <message>
        <source>Cada grupo%1 ha de ser {&quot;name&quot;: …} con un só de «first» (un número), «positions» (unha lista de postos desde 1) ou «rest»: true.</source>
        <translation>Cada grupo%1 ha de ser {&quot;name&quot;: …} con solo uno de «first» (un número), «positions» (una lista de puestos desde 1) o «rest»: true.</translation>
    </message>
    <message>
        <source>Dous grupos%1 chámanse «%2».</source>
        <translation>Dos grupos%1 se llaman «%2».</translation>
    </message>
    <message>
        <source>O posto %1 está en dous grupos%2.</source>
        <translation>El puesto %1 está en dos grupos%2.</translation>
    </message>
    <message>
        <source>Só un grupo%1 pode levar «rest».</source>
        <translation>Solo un grupo%1 puede llevar «rest».</translation>
    </message>
    <message>
        <source>«standing»%1 ha de ser &quot;combined&quot;, &quot;men&quot; ou &quot;women&quot;.</source>
        <translation>«standing»%1 ha de ser &quot;combined&quot;, &quot;men&quot; o &quot;women&quot;.</translation>
    </message>
    <message>
        <source>Falta «after»%1: a xornada tras a que se divide.</source>
        <translation>Falta «after»%1: la jornada tras la que se divide.</translation>
    </message>
    <message>
        <source>A liga non ten a xornada «%1» (en «after»%2).</source>
        <translation>La liga no tiene la jornada «%1» (en «after»%2).</translation>
    </message>
    <message>
        <source> na fase %1</source>
        <translation> en la fase %1</translation>
    </message>
    <message>
        <source>A fase %1 ha de ser un obxecto: {&quot;after&quot;: …, &quot;groups&quot;: [ … ]}.</source>
        <translation>La fase %1 ha de ser un objeto: {&quot;after&quot;: …, &quot;groups&quot;: [ … ]}.</translation>
    </message>
    <message>
        <source>«carry»%1 ha de ser true ou false.</source>
        <translation>«carry»%1 ha de ser true o false.</translation>
    </message>
    <message>
        <source>«groups»%1 ha de ser unha lista de grupos, polo menos un.</source>
        <translation>«groups»%1 ha de ser una lista de grupos, por lo menos uno.</translation>
    </message>
    <message>
        <source>«phases» ha de ser unha lista de fases.</source>
        <translation>«phases» ha de ser una lista de fases.</translation>
    </message>
    <message>
        <source>A fase %1 ha de ir tras unha xornada posterior á da fase anterior.</source>
        <translation>La fase %1 ha de ir tras una jornada posterior a la de la fase anterior.</translation>
    </message>
    <message>
        <source>%1 — %2</source>
        <translation>%1 — %2</translation>
    </message>
    <message>
        <source>Grupos feitos tras «%1».</source>
        <translation>Grupos hechos tras «%1».</translation>
    </message>
    <message>
        <source>Grupos feitos tras «%1»: o total conta só as xornadas despois dela.</source>
        <translation>Grupos hechos tras «%1»: el total cuenta solo las jornadas después de ella.</translation>
    </message>
    <message>
        <source>A división en grupos agarda pola xornada «%1».</source>
        <translation>La división en grupos espera por la jornada «%1».</translation>
    </message>
    <message>
        <source>Sen puntos.</source>
        <translation>Sin puntos.</translation>
    </message>
    <message>
        <source>Pos.</source>
        <translation>Pos.</translation>
    </message>
    <message>
        <source>Ningunha xornada da liga ten a categoría «%1». Teñen: %2.</source>
        <translation>Ninguna jornada de la liga tiene la categoría «%1». Tienen: %2.</translation>
    </message>
    <message>
        <source>ningunha</source>
        <translation>ninguna</translation>
    </message>
    <message>
        <source>Tras «%1», o club «%2» non cabe en ningún grupo: falta un grupo con «rest».</source>
        <translation>Tras «%1», el club «%2» no cabe en ningún grupo: falta un grupo con «rest».</translation>
    </message>
</context>
<context>
    <name>Live</name>
    <message>
        <source>↑ Volver ao principio</source>
        <translation>↑ Volver al principio</translation>
    </message>
    <message>
        <source>Sen puntos.</source>
        <translation>Sin puntos.</translation>
    </message>
    <message>
        <source>Pos.</source>
        <translation>Pos.</translation>
    </message>
    <message>
        <source>Club</source>
        <translation>Club</translation>
    </message>
    <message>
        <source>Puntos</source>
        <translation>Puntos</translation>
    </message>
    <message>
        <source>Últimos puntos</source>
        <translation>Últimos puntos</translation>
    </message>
    <message>
        <source>Aínda non hai puntos.</source>
        <translation>Todavía no hay puntos.</translation>
    </message>
    <message>
        <source>Actualizado ás %1</source>
        <translation>Actualizado a las %1</translation>
    </message>
    <message>
        <source>Clasificacións en directo</source>
        <translation>Clasificaciones en directo</translation>
    </message>
    <message>
        <source>páxina %1 de %2</source>
        <translation>página %1 de %2</translation>
    </message>
    <message>
        <source>Reconectando…</source>
        <translation>Reconectando…</translation>
    </message>
    <message>
        <source>Últimos</source>
        <translation>Últimos</translation>
    </message>
    <message>
        <source>Masculina</source>
        <translation>Masculina</translation>
    </message>
    <message>
        <source>Feminina</source>
        <translation>Femenina</translation>
    </message>
    <message>
        <source>Conxunta</source>
        <translation>Conjunta</translation>
    </message>
    <message>
        <source>gl</source>
        <comment>the language code of the page</comment>
        <translation>es</translation>
    </message>
    <message>
        <source>Descargar:</source>
        <translation>Descargar:</translation>
    </message>
    <message>
        <source>Pantalla grande</source>
        <translation>Pantalla grande</translation>
    </message>
    <message>
        <source>Desde as %1 non se poden poñer ao día as clasificacións. Estas son as das %2.</source>
        <translation>Desde las %1 no se pueden actualizar las clasificaciones. Estas son las de las %2.</translation>
    </message>
    <message>
        <source>Esta páxina só se pode ler.</source>
        <translation>Esta página solo se puede leer.</translation>
    </message>
    <message>
        <source>A petición é demasiado longa.</source>
        <translation>La petición es demasiado larga.</translation>
    </message>
    <message>
        <source>A petición ten demasiadas cabeceiras.</source>
        <translation>La petición tiene demasiadas cabeceras.</translation>
    </message>
    <message>
        <source>Este servidor só fala HTTP/1.1.</source>
        <translation>Este servidor solo habla HTTP/1.1.</translation>
    </message>
    <message>
        <source>A petición está mal formada.</source>
        <translation>La petición está mal formada.</translation>
    </message>
    <message>
        <source>Outro programa xa está a escoitar no porto %1 (%2).</source>
        <translation>Otro programa ya está escuchando en el puerto %1 (%2).</translation>
    </message>
    <message>
        <source>Non hai permiso para escoitar en %1: os portos por debaixo do 1024 son do sistema.</source>
        <translation>No hay permiso para escuchar en %1: los puertos por debajo del 1024 son del sistema.</translation>
    </message>
    <message>
        <source>Este ordenador non ten o enderezo %1.</source>
        <translation>Este ordenador no tiene la dirección %1.</translation>
    </message>
    <message>
        <source>Non se pode escoitar en %1.</source>
        <translation>No se puede escuchar en %1.</translation>
    </message>
    <message>
        <source>Hai demasiadas conexións abertas desde este aparello. Peche algunha lapela e ténteo de novo nuns segundos.</source>
        <translation>Hay demasiadas conexiones abiertas desde este aparato. Cierre alguna pestaña e inténtelo de nuevo en unos segundos.</translation>
    </message>
    <message>
        <source>Hai demasiadas persoas conectadas agora mesmo. Ténteo de novo nuns segundos.</source>
        <translation>Hay demasiadas personas conectadas ahora mismo. Inténtelo de nuevo en unos segundos.</translation>
    </message>
    <message>
        <source>Non hai nada neste enderezo.</source>
        <translation>No hay nada en esta dirección.</translation>
    </message>
    <message>
        <source>A petición tardou demasiado.</source>
        <translation>La petición tardó demasiado.</translation>
    </message>
    <message>
        <source>Clasificación:</source>
        <translation>Clasificación:</translation>
    </message>
    <message>
        <source>Xeral</source>
        <translation>General</translation>
    </message>
    <message>
        <source>X%1</source>
        <translation>J%1</translation>
    </message>
    <message>
        <source>Total</source>
        <translation>Total</translation>
    </message>
    <message>
        <source>X%1 %2 (hoxe)</source>
        <translation>J%1 %2 (hoy)</translation>
    </message>
    <message>
        <source>X%1 %2</source>
        <translation>J%1 %2</translation>
    </message>
    <message>
        <source>Clasificación da liga</source>
        <translation>Clasificación de la liga</translation>
    </message>
    <message>
        <source>%1, en curso</source>
        <translation>%1, en curso</translation>
    </message>
    <message>
        <source>Xornada en curso: %1</source>
        <translation>Jornada en curso: %1</translation>
    </message>
    <message>
        <source>Liga</source>
        <translation>Liga</translation>
    </message>
    <message>
        <source>Xornada</source>
        <translation>Jornada</translation>
    </message>
    <message>
        <source>Páxina da xornada</source>
        <translation>Página de la jornada</translation>
    </message>
    <message>
        <source>Ningunha xornada da liga «%1» ten o rexistro %2: escríbao na xornada que se está a nadar no ficheiro da liga.</source>
        <translation>Ninguna jornada de la liga «%1» tiene el registro %2: escríbalo en la jornada que se está nadando en el fichero de la liga.</translation>
    </message>
</context>
<context>
    <name>Publish</name>
    <message>
        <source>xaneiro</source>
        <translation>enero</translation>
    </message>
    <message>
        <source>febreiro</source>
        <translation>febrero</translation>
    </message>
    <message>
        <source>marzo</source>
        <translation>marzo</translation>
    </message>
    <message>
        <source>abril</source>
        <translation>abril</translation>
    </message>
    <message>
        <source>maio</source>
        <translation>mayo</translation>
    </message>
    <message>
        <source>xuño</source>
        <translation>junio</translation>
    </message>
    <message>
        <source>xullo</source>
        <translation>julio</translation>
    </message>
    <message>
        <source>agosto</source>
        <translation>agosto</translation>
    </message>
    <message>
        <source>setembro</source>
        <translation>septiembre</translation>
    </message>
    <message>
        <source>outubro</source>
        <translation>octubre</translation>
    </message>
    <message>
        <source>novembro</source>
        <translation>noviembre</translation>
    </message>
    <message>
        <source>decembro</source>
        <translation>diciembre</translation>
    </message>
    <message>
        <source>%1 de %2</source>
        <translation>%1 de %2</translation>
    </message>
    <message>
        <source>%1 (continuación)</source>
        <translation>%1 (continuación)</translation>
    </message>
    <message>
        <source>Pos.</source>
        <translation>Pos.</translation>
    </message>
    <message>
        <source>Club</source>
        <translation>Club</translation>
    </message>
    <message>
        <source>Puntos</source>
        <translation>Puntos</translation>
    </message>
    <message>
        <source>Sen puntos.</source>
        <translation>Sin puntos.</translation>
    </message>
    <message>
        <source>páxina %1 de %2</source>
        <translation>página %1 de %2</translation>
    </message>
    <message>
        <source>Impreso o %1 ás %2</source>
        <translation>Impreso el %1 a las %2</translation>
    </message>
    <message>
        <source>Aínda non se puntuou ningunha proba</source>
        <translation>Todavía no se ha puntuado ninguna prueba</translation>
    </message>
    <message>
        <source>Última proba puntuada: %1</source>
        <translation>Última prueba puntuada: %1</translation>
    </message>
    <message>
        <source>Puntos por proba</source>
        <translation>Puntos por prueba</translation>
    </message>
    <message>
        <source>Clasificacións</source>
        <translation>Clasificaciones</translation>
    </message>
    <message>
        <source>%1: clasificacións</source>
        <translation>%1: clasificaciones</translation>
    </message>
    <message>
        <source>gl</source>
        <comment>the language code of the page</comment>
        <translation>es</translation>
    </message>
    <message>
        <source>Non se puido debuxar o PDF.</source>
        <translation>No se pudo dibujar el PDF.</translation>
    </message>
    <message>
        <source>Non se garda en %1: %2</source>
        <translation>No se guarda en %1: %2</translation>
    </message>
    <message>
        <source>non é un ficheiro normal (é un cartafol, un dispositivo ou unha tubería).</source>
        <translation>no es un archivo normal (es una carpeta, un dispositivo o una tubería).</translation>
    </message>
    <message>
        <source>é a base de datos dos resultados.</source>
        <translation>es la base de datos de los resultados.</translation>
    </message>
    <message>
        <source>é parte da base de datos dos resultados.</source>
        <translation>es parte de la base de datos de los resultados.</translation>
    </message>
    <message>
        <source>Non se puido escribir %1 (%2 de %3 bytes): %4</source>
        <translation>No se pudo escribir %1 (%2 de %3 bytes): %4</translation>
    </message>
    <message>
        <source>Non se puido escribir %1: %2</source>
        <translation>No se pudo escribir %1: %2</translation>
    </message>
    <message>
        <source>Os puntos por proba só se gardan como texto ou CSV.</source>
        <translation>Los puntos por prueba solo se guardan como texto o CSV.</translation>
    </message>
    <message>
        <source>Puntuación: %1</source>
        <translation>Puntuación: %1</translation>
    </message>
    <message>
        <source>(convidado)</source>
        <translation>(invitado)</translation>
    </message>
</context>
<context>
    <name>Results</name>
    <message>
        <source>final</source>
        <translation>final</translation>
    </message>
    <message>
        <source>final directa</source>
        <translation>final directa</translation>
    </message>
    <message>
        <source>semifinal</source>
        <translation>semifinal</translation>
    </message>
    <message>
        <source>cuartos de final</source>
        <translation>cuartos de final</translation>
    </message>
    <message>
        <source>eliminatorias, a única rolda</source>
        <translation>eliminatorias, la única ronda</translation>
    </message>
    <message>
        <source>eliminatorias</source>
        <translation>eliminatorias</translation>
    </message>
    <message>
        <source>desempate</source>
        <translation>desempate</translation>
    </message>
    <message>
        <source>rolda única</source>
        <translation>ronda única</translation>
    </message>
    <message>
        <source>é un desempate, que non puntúa</source>
        <translation>es un desempate, que no puntúa</translation>
    </message>
    <message>
        <source>é unha rolda previa ou un desempate da proba %1, que se puntúa pola súa %2</source>
        <translation>es una ronda previa o un desempate de la prueba %1, que se puntúa por su %2</translation>
    </message>
    <message>
        <source>o programa é do %1 e os resultados do %2</source>
        <translation>el programa es del %1 y los resultados del %2</translation>
    </message>
    <message>
        <source>ningunha das súas probas ten o identificador que ten no programa</source>
        <translation>ninguna de sus pruebas tiene el identificador que tiene en el programa</translation>
    </message>
    <message>
        <source>o programa é de «%1» e os resultados de «%2»</source>
        <translation>el programa es de «%1» y los resultados de «%2»</translation>
    </message>
    <message>
        <source>na clasificación, o resultado %1 é de máis dunha nadada e non se sabe de cal é o posto</source>
        <translation>en la clasificación, el resultado %1 es de más de una nadada y no se sabe de cuál es el puesto</translation>
    </message>
    <message>
        <source>%1 aparece máis dunha vez na clasificación: conta só o primeiro posto</source>
        <translation>%1 aparece más de una vez en la clasificación: cuenta solo el primer puesto</translation>
    </message>
    <message>
        <source>o posto «%1» de %2 na clasificación non é un número</source>
        <translation>el puesto «%1» de %2 en la clasificación no es un número</translation>
    </message>
    <message>
        <source>%1 ten unha marca válida (%2), pero a clasificación non lle dá posto («%3»): non puntúa</source>
        <translation>%1 tiene una marca válida (%2), pero la clasificación no le da puesto («%3»): no puntúa</translation>
    </message>
    <message>
        <source>Proba %1: %2.</source>
        <translation>Prueba %1: %2.</translation>
    </message>
    <message>
        <source>%1 non está no programa do rexistro; non se puntúa%2</source>
        <translation>%1 no está en el programa del registro; no se puntúa%2</translation>
    </message>
    <message>
        <source> (se o programa se importou antes de que se aceptasen os números de proba de 100 en diante, impórtao de novo)</source>
        <translation> (si el programa se importó antes de que se aceptaran los números de prueba de 100 en adelante, impórtalo de nuevo)</translation>
    </message>
    <message>
        <source>no ficheiro é %1 e no programa do rexistro %2 %3; non se puntúa</source>
        <translation>en el archivo es %1 y en el programa del registro %2 %3; no se puntúa</translation>
    </message>
    <message>
        <source>%1 nada sen club: non puntúa</source>
        <translation>%1 nada sin club: no puntúa</translation>
    </message>
    <message>
        <source>%1 é de «%2», que non participa no campionato: non puntúa</source>
        <translation>%1 es de «%2», que no participa en el campeonato: no puntúa</translation>
    </message>
    <message>
        <source>a súa %1 aínda non ten resultados: queda para máis tarde (nunca se puntúa polas roldas previas)</source>
        <translation>su %1 aún no tiene resultados: queda para más tarde (nunca se puntúa por las rondas previas)</translation>
    </message>
    <message>
        <source>; non se puntúa: corrixe o ficheiro</source>
        <translation>; no se puntúa: corrige el archivo</translation>
    </message>
    <message>
        <source>aínda sen ningún resultado válido no ficheiro; non se puntúa</source>
        <translation>aún sin ningún resultado válido en el archivo; no se puntúa</translation>
    </message>
    <message>
        <source>Proba %1: %2; a importación déixaa fóra e non se puntúa.</source>
        <translation>Prueba %1: %2; la importación la deja fuera y no se puntúa.</translation>
    </message>
    <message>
        <source>sen número</source>
        <translation>sin número</translation>
    </message>
    <message>
        <source>non está no ficheiro de resultados</source>
        <translation>no está en el archivo de resultados</translation>
    </message>
    <message>
        <source>O ficheiro de resultados non é deste campionato: ningunha das súas probas é a do mesmo número no programa do rexistro (%1).</source>
        <translation>El archivo de resultados no es de este campeonato: ninguna de sus pruebas es la del mismo número en el programa del registro (%1).</translation>
    </message>
    <message>
        <source>Resultados de «%1» (%2)</source>
        <translation>Resultados de «%1» (%2)</translation>
    </message>
    <message>
        <source>Proba %1 %2%3 (%4): %5, %6</source>
        <translation>Prueba %1 %2%3 (%4): %5, %6</translation>
    </message>
    <message>
        <source>marca</source>
        <translation>marca</translation>
    </message>
    <message>
        <source>marcas</source>
        <translation>marcas</translation>
    </message>
    <message>
        <source> punto</source>
        <translation> punto</translation>
    </message>
    <message>
        <source> puntos</source>
        <translation> puntos</translation>
    </message>
    <message>
        <source>Xa teñen puntos no rexistro, que quedarían como están%1: %2.</source>
        <translation>Ya tienen puntos en el registro, que quedarían como están%1: %2.</translation>
    </message>
    <message>
        <source>Quedan como estaban, porque xa teñen puntos%1: %2.</source>
        <translation>Quedan como estaban, porque ya tienen puntos%1: %2.</translation>
    </message>
    <message>
        <source>Substituiríanse os puntos que tiñan: %1.</source>
        <translation>Se sustituirían los puntos que tenían: %1.</translation>
    </message>
    <message>
        <source>Substituídos os puntos que tiñan: %1.</source>
        <translation>Sustituidos los puntos que tenían: %1.</translation>
    </message>
    <message>
        <source>Proba %1: os seus puntos viñan dunha exportación anterior destes resultados, e o ficheiro ten agora máis ou outras marcas: %2.</source>
        <translation>Prueba %1: sus puntos venían de una exportación anterior de estos resultados, y el archivo tiene ahora más u otras marcas: %2.</translation>
    </message>
    <message>
        <source>actualizaríase</source>
        <translation>se actualizaría</translation>
    </message>
    <message>
        <source>actualizada</source>
        <translation>actualizada</translation>
    </message>
    <message>
        <source>Sen cambios desde a exportación anterior: %1.</source>
        <translation>Sin cambios desde la exportación anterior: %1.</translation>
    </message>
    <message>
        <source>%1 %2 (%3 puntos) de %4%5.</source>
        <translation>%1 %2 (%3 puntos) de %4%5.</translation>
    </message>
    <message>
        <source>Gardaríanse</source>
        <translation>Se guardarían</translation>
    </message>
    <message>
        <source>Gardadas</source>
        <translation>Guardadas</translation>
    </message>
    <message>
        <source>proba</source>
        <translation>prueba</translation>
    </message>
    <message>
        <source>probas</source>
        <translation>pruebas</translation>
    </message>
    <message>
        <source> en </source>
        <translation> en </translation>
    </message>
    <message>
        <source>%1 é de «%2», un club convidado: non puntúa, e o posto pasa ao seguinte</source>
        <translation>%1 es de «%2», un club invitado: no puntúa, y el puesto pasa al siguiente</translation>
    </message>
    <message>
        <source>Puntuación: %1</source>
        <translation>Puntuación: %1</translation>
    </message>
    <message>
        <source>puntúa a clasificación absoluta polas regras</source>
        <translation>puntúa la clasificación absoluta por las reglas</translation>
    </message>
    <message>
        <source>ningunha categoría puntúa: %1</source>
        <translation>ninguna categoría puntúa: %1</translation>
    </message>
    <message>
        <source>non pedida</source>
        <translation>no pedida</translation>
    </message>
    <message>
        <source>non se pode saber quen nada nela: o ficheiro non ten clasificación nin idades ou clases abondo</source>
        <translation>no se puede saber quién nada en ella: el fichero no tiene clasificación ni edades o clases suficientes</translation>
    </message>
    <message>
        <source>sen resultados</source>
        <translation>sin resultados</translation>
    </message>
    <message>
        <source>  Categoría %1: %2, %3</source>
        <translation>  Categoría %1: %2, %3</translation>
    </message>
    <message>
        <source>  Categorías sen puntuar: %1</source>
        <translation>  Categorías sin puntuar: %1</translation>
    </message>
</context>
<context>
    <name>Rules</name>
    <message>
        <source>%1 non ten ningún posto.</source>
        <translation>%1 no tiene ningún puesto.</translation>
    </message>
    <message>
        <source>%1 ten máis de %2 postos.</source>
        <translation>%1 tiene más de %2 puestos.</translation>
    </message>
    <message>
        <source>%1 dá ao posto %2 uns puntos que non valen: han de estar entre 0 e %3.</source>
        <translation>%1 da al puesto %2 unos puntos que no valen: han de estar entre 0 y %3.</translation>
    </message>
    <message>
        <source>%1 sobe no posto %2: ningún posto dá máis puntos ca o anterior.</source>
        <translation>%1 sube en el puesto %2: ningún puesto da más puntos que el anterior.</translation>
    </message>
    <message>
        <source>«%1» non é un número de puntos.</source>
        <translation>«%1» no es un número de puntos.</translation>
    </message>
    <message>
        <source>«%1» ha de ser unha lista de puntos.</source>
        <translation>«%1» ha de ser una lista de puntos.</translation>
    </message>
    <message>
        <source>«%1» ha de ser unha lista de números.</source>
        <translation>«%1» ha de ser una lista de números.</translation>
    </message>
    <message>
        <source>«%1» ha de ser %2.</source>
        <translation>«%1» ha de ser %2.</translation>
    </message>
    <message>
        <source>«scorers.%1» ha de ser un número enteiro de 0 (sen límite) a %2.</source>
        <translation>«scorers.%1» ha de ser un número entero de 0 (sin límite) a %2.</translation>
    </message>
    <message>
        <source>Non se coñece a clave «%1%2»: as claves son %3.</source>
        <translation>No se conoce la clave «%1%2»: las claves son %3.</translation>
    </message>
    <message>
        <source>«scorers» ha de ser un obxecto: {&quot;individual&quot;: N, &quot;relay&quot;: N}.</source>
        <translation>«scorers» ha de ser un objeto: {&quot;individual&quot;: N, &quot;relay&quot;: N}.</translation>
    </message>
    <message>
        <source>«relay» ha de ser &quot;double&quot; ou unha lista de puntos.</source>
        <translation>«relay» ha de ser &quot;double&quot; o una lista de puntos.</translation>
    </message>
    <message>
        <source>A táboa das remudas</source>
        <translation>La tabla de los relevos</translation>
    </message>
    <message>
        <source>«guests» ha de ser unha lista de códigos de club.</source>
        <translation>«guests» ha de ser una lista de códigos de club.</translation>
    </message>
    <message>
        <source>«guests» ha de ser unha lista de códigos de club, sen ningún baleiro.</source>
        <translation>«guests» ha de ser una lista de códigos de club, sin ninguno vacío.</translation>
    </message>
    <message>
        <source>«name» ha de ser un texto.</source>
        <translation>«name» ha de ser un texto.</translation>
    </message>
    <message>
        <source>Non é JSON: %1 (carácter %2).</source>
        <translation>No es JSON: %1 (carácter %2).</translation>
    </message>
    <message>
        <source>As regras han de ser un obxecto JSON: {&quot;individual&quot;: [9, 7, 6, …], …}.</source>
        <translation>Las reglas han de ser un objeto JSON: {&quot;individual&quot;: [9, 7, 6, …], …}.</translation>
    </message>
    <message>
        <source>Falta «individual», a táboa de puntos das probas individuais.</source>
        <translation>Falta «individual», la tabla de puntos de las pruebas individuales.</translation>
    </message>
    <message>
        <source>A táboa das probas individuais</source>
        <translation>La tabla de las pruebas individuales</translation>
    </message>
    <message>
        <source> ou </source>
        <translation> o </translation>
    </message>
</context>
<context>
    <name>Setup</name>
    <message>
        <source>Importadas de %1 en %2: %3 probas, %4 clubs participantes, %5 descricións de clubs.</source>
        <translation>Importadas de %1 en %2: %3 pruebas, %4 clubs participantes, %5 descripciones de clubs.</translation>
    </message>
    <message>
        <source>Creada a base de datos baleira %1</source>
        <translation>Creada la base de datos vacía %1</translation>
    </message>
    <message>
        <source>Creada a base de datos %1 cun campionato de exemplo: %2 probas, %3 clubs</source>
        <translation>Creada la base de datos %1 con un campeonato de ejemplo: %2 pruebas, %3 clubs</translation>
    </message>
    <message>
        <source>Categorías (%1): %2</source>
        <translation>Categorías (%1): %2</translation>
    </message>
</context>
<context>
    <name>Text</name>
    <message>
        <source>Non existe o ficheiro ou o cartafol</source>
        <translation>No existe el archivo o la carpeta</translation>
    </message>
    <message>
        <source>Permiso denegado</source>
        <translation>Permiso denegado</translation>
    </message>
    <message>
        <source>Non queda espazo no dispositivo</source>
        <translation>No queda espacio en el dispositivo</translation>
    </message>
    <message>
        <source>O sistema de ficheiros só se pode ler</source>
        <translation>El sistema de archivos es de solo lectura</translation>
    </message>
    <message>
        <source>É un cartafol</source>
        <translation>Es una carpeta</translation>
    </message>
    <message>
        <source>O ficheiro xa existe</source>
        <translation>El archivo ya existe</translation>
    </message>
    <message>
        <source>O nome do ficheiro é longo de máis</source>
        <translation>El nombre del archivo es demasiado largo</translation>
    </message>
    <message>
        <source>Superouse a cota do disco</source>
        <translation>Se ha superado la cuota de disco</translation>
    </message>
    <message>
        <source>O ficheiro é grande de máis</source>
        <translation>El archivo es demasiado grande</translation>
    </message>
    <message>
        <source>Erro de entrada ou saída</source>
        <translation>Error de entrada o salida</translation>
    </message>
    <message>
        <source>Demasiados niveis de ligazóns simbólicas</source>
        <translation>Demasiados niveles de enlaces simbólicos</translation>
    </message>
    <message>
        <source>Non é un cartafol</source>
        <translation>No es una carpeta</translation>
    </message>
    <message>
        <source>O cartafol non está baleiro</source>
        <translation>La carpeta no está vacía</translation>
    </message>
    <message>
        <source>O dispositivo ou o recurso está ocupado</source>
        <translation>El dispositivo o el recurso está ocupado</translation>
    </message>
    <message>
        <source>Hai demasiados ficheiros abertos</source>
        <translation>Hay demasiados archivos abiertos</translation>
    </message>
    <message>
        <source>Operación non permitida</source>
        <translation>Operación no permitida</translation>
    </message>
    <message>
        <source>O ficheiro está en uso</source>
        <translation>El archivo está en uso</translation>
    </message>
    <message>
        <source>Rompeu a conexión entre os programas</source>
        <translation>Se ha roto la conexión entre los programas</translation>
    </message>
    <message>
        <source>Conexión rexeitada</source>
        <translation>Conexión rechazada</translation>
    </message>
    <message>
        <source>O outro extremo cortou a conexión</source>
        <translation>El otro extremo ha cortado la conexión</translation>
    </message>
    <message>
        <source>Non se pode chegar á rede</source>
        <translation>No se puede llegar a la red</translation>
    </message>
    <message>
        <source>Non hai camiño ata o servidor</source>
        <translation>No hay camino hasta el servidor</translation>
    </message>
    <message>
        <source>Esgotouse o tempo da conexión</source>
        <translation>Se ha agotado el tiempo de la conexión</translation>
    </message>
    <message>
        <source>O enderezo xa está en uso</source>
        <translation>La dirección ya está en uso</translation>
    </message>
    <message>
        <source>Non se pode asignar o enderezo pedido</source>
        <translation>No se puede asignar la dirección pedida</translation>
    </message>
    <message>
        <source>O importe «%1» sae fóra do rango.</source>
        <translation>El importe «%1» se sale del rango.</translation>
    </message>
    <message>
        <source>Desbordamento</source>
        <translation>Desbordamiento</translation>
    </message>
    <message>
        <source>División por cero</source>
        <translation>División por cero</translation>
    </message>
    <message>
        <source>Non coinciden os tipos</source>
        <translation>No coinciden los tipos</translation>
    </message>
    <message>
        <source>Uso non válido de Null</source>
        <translation>Uso no válido de Null</translation>
    </message>
    <message>
        <source>Argumento non válido</source>
        <translation>Argumento no válido</translation>
    </message>
    <message>
        <source>Non se atopa o ficheiro</source>
        <translation>No se encuentra el archivo</translation>
    </message>
    <message>
        <source>Non hai espazo no disco</source>
        <translation>No hay espacio en el disco</translation>
    </message>
    <message>
        <source>A base de datos só se pode ler</source>
        <translation>La base de datos es de solo lectura</translation>
    </message>
    <message>
        <source>O servidor rexeitou o usuario ou o contrasinal</source>
        <translation>El servidor ha rechazado el usuario o la contraseña</translation>
    </message>
    <message>
        <source>Erro ao ler ou escribir no disco</source>
        <translation>Error al leer o escribir en el disco</translation>
    </message>
    <message>
        <source>Non se pode abrir o ficheiro</source>
        <translation>No se puede abrir el archivo</translation>
    </message>
    <message>
        <source>Non se pode chegar á base de datos</source>
        <translation>No se puede llegar a la base de datos</translation>
    </message>
    <message>
        <source>Non se atopa a táboa</source>
        <translation>No se encuentra la tabla</translation>
    </message>
    <message>
        <source>A base de datos está bloqueada por outro programa</source>
        <translation>La base de datos está bloqueada por otro programa</translation>
    </message>
    <message>
        <source>Non se atopa a columna</source>
        <translation>No se encuentra la columna</translation>
    </message>
    <message>
        <source>O ficheiro que se importa non ten o formato esperado</source>
        <translation>El archivo que se importa no tiene el formato esperado</translation>
    </message>
    <message>
        <source>Formato de base de datos non recoñecido</source>
        <translation>Formato de base de datos no reconocido</translation>
    </message>
    <message>
        <source>O porto xa o está a usar outro programa</source>
        <translation>El puerto ya lo está usando otro programa</translation>
    </message>
    <message>
        <source>Non se pode escoitar nese enderezo</source>
        <translation>No se puede escuchar en esa dirección</translation>
    </message>
    <message>
        <source>Erro da base de datos</source>
        <translation>Error de la base de datos</translation>
    </message>
    <message>
        <source>O texto «%1» non é un número.</source>
        <translation>El texto «%1» no es un número.</translation>
    </message>
    <message>
        <source>Erro %1: %2</source>
        <translation>Error %1: %2</translation>
    </message>
    <message>
        <source>O número «%1» non cabe nun número de coma flotante.</source>
        <translation>El número «%1» no cabe en un número de coma flotante.</translation>
    </message>
    <message>
        <source>Clasificación Masculina</source>
        <translation>Clasificación Masculina</translation>
    </message>
    <message>
        <source>Clasificación Feminina</source>
        <translation>Clasificación Femenina</translation>
    </message>
    <message>
        <source>Clasificación Conxunta</source>
        <translation>Clasificación Conjunta</translation>
    </message>
    <message>
        <source>(convidado)</source>
        <translation>(invitado)</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
</context>
<context>
    <name>Tool</name>
    <message>
        <source>O nome non está en UTF-8, a codificación dos nomes de ficheiro deste sistema (aquí lese como Windows-1252), e o programa non pode abrir un ficheiro así. Cámbialle o nome, por exemplo con: convmv -f cp1252 -t utf8 --notest NOME</source>
        <translation>El nombre no está en UTF-8, la codificación de los nombres de archivo de este sistema (aquí se lee como Windows-1252), y el programa no puede abrir un archivo así. Cámbiale el nombre, por ejemplo con: convmv -f cp1252 -t utf8 --notest NOMBRE</translation>
    </message>
    <message>
        <source>--%1 non leva valor: «%2»</source>
        <translation>--%1 no lleva valor: «%2»</translation>
    </message>
    <message>
        <source>Para máis axuda: %1 --help</source>
        <translation>Para más ayuda: %1 --help</translation>
    </message>
    <message>
        <source>opción descoñecida: %1%2</source>
        <translation>opción desconocida: %1%2</translation>
    </message>
    <message>
        <source>opcións descoñecidas: %1%2</source>
        <translation>opciones desconocidas: %1%2</translation>
    </message>
    <message>
        <source> (se é un ficheiro, escribe -- antes del: -- %1)</source>
        <translation> (si es un archivo, escribe -- antes de él: -- %1)</translation>
    </message>
    <message>
        <source>FICHEIRO</source>
        <translation>ARCHIVO</translation>
    </message>
    <message>
        <source>o ficheiro da base de datos</source>
        <translation>el archivo de la base de datos</translation>
    </message>
    <message>
        <source>a base de datos: un ficheiro SQLite, ou o URI dun servidor PostgreSQL (postgresql://usuario@servidor/base)</source>
        <translation>la base de datos: un archivo SQLite, o el URI de un servidor PostgreSQL (postgresql://usuario@servidor/base)</translation>
    </message>
    <message>
        <source>--%1 quere un número enteiro de %2 en diante, non «%3»</source>
        <translation>--%1 admite un número entero de %2 en adelante, no «%3»</translation>
    </message>
    <message>
        <source>amosa esta axuda e remata</source>
        <translation>muestra esta ayuda y termina</translation>
    </message>
    <message>
        <source>Uso: %1 [opcións] %2

</source>
        <translation>Uso: %1 [opciones] %2

</translation>
    </message>
    <message>
        <source>

Argumentos:
</source>
        <translation>

Argumentos:
</translation>
    </message>
    <message>
        <source>
Opcións:
</source>
        <translation>
Opciones:
</translation>
    </message>
    <message>
        <source>argumentos non válidos (%1)</source>
        <translation>argumentos no válidos (%1)</translation>
    </message>
    <message>
        <source>falta %1</source>
        <translation>falta %1</translation>
    </message>
    <message>
        <source>sobra o argumento «%1»</source>
        <translation>sobra el argumento «%1»</translation>
    </message>
    <message>
        <source>falta o valor de %1</source>
        <translation>falta el valor de %1</translation>
    </message>
    <message>
        <source>%1 dáse %2 veces; dá só un valor</source>
        <translation>%1 se da %2 veces; da solo un valor</translation>
    </message>
    <message>
        <source>--events quere números de proba de 0 a 999, como 1,3,5-8,101-125, non «%1»</source>
        <translation>--events admite números de prueba de 0 a 999, como 1,3,5-8,101-125, no «%1»</translation>
    </message>
    <message>
        <source>parece doutro campionato que o programa do rexistro: %1. Non se gardou nada; se son os resultados deste campionato, engade --other-meet.</source>
        <translation>parece de otro campeonato que el programa del registro: %1. No se ha guardado nada; si son los resultados de este campeonato, añade --other-meet.</translation>
    </message>
    <message>
        <source>Puntúase aínda que parece doutro campionato (--other-meet): %1.</source>
        <translation>Se puntúa aunque parece de otro campeonato (--other-meet): %1.</translation>
    </message>
    <message>
        <source>Non hai ningunha proba que puntuar.</source>
        <translation>No hay ninguna prueba que puntuar.</translation>
    </message>
    <message>
        <source> (--replace para substituílos)</source>
        <translation> (--replace para sustituirlos)</translation>
    </message>
    <message>
        <source>Non se gardou nada (--dry-run).</source>
        <translation>No se ha guardado nada (--dry-run).</translation>
    </message>
    <message>
        <source>RESULTADOS</source>
        <translation>RESULTADOS</translation>
    </message>
    <message>
        <source>o ficheiro de resultados</source>
        <translation>el archivo de resultados</translation>
    </message>
    <message>
        <source>os resultados do programa de xestión, en Lenex (.lxf ou .lef)</source>
        <translation>los resultados del programa de gestión, en Lenex (.lxf o .lef)</translation>
    </message>
    <message>
        <source>LISTA</source>
        <translation>LISTA</translation>
    </message>
    <message>
        <source>só estas probas, polo seu número: 1,3,5-8,101-125</source>
        <translation>solo estas pruebas, por su número: 1,3,5-8,101-125</translation>
    </message>
    <message>
        <source>substitúe os puntos das probas que xa os teñen, tamén os tecleados na xanela (senón quedan como están; os dunha exportación anterior destes resultados póñense ao día)</source>
        <translation>sustituye los puntos de las pruebas que ya los tienen, también los tecleados en la ventana (si no, quedan como están; los de una exportación anterior de estos resultados se ponen al día)</translation>
    </message>
    <message>
        <source>amosa os puntos que se gardarían e non garda nada</source>
        <translation>muestra los puntos que se guardarían y no guarda nada</translation>
    </message>
    <message>
        <source>puntúa aínda que os resultados parezan doutro campionato que o programa</source>
        <translation>puntúa aunque los resultados parezcan de otro campeonato que el programa</translation>
    </message>
    <message>
        <source>Puntúa as probas do ficheiro que están no programa do rexistro, cos puntos que propón a xanela, nunha soa transacción; de cada proba, a rolda que a decide (a final, unha final directa ou a única rolda).</source>
        <translation>Puntúa las pruebas del archivo que están en el programa del registro, con los puntos que propone la ventana, en una sola transacción; de cada prueba, la ronda que la decide (la final, una final directa o la única ronda).</translation>
    </message>
    <message>
        <source>puntúa as probas desde os resultados do programa de xestión (Lenex)</source>
        <translation>puntúa las pruebas desde los resultados del programa de gestión (Lenex)</translation>
    </message>
    <message>
        <source>por exemplo 0.0.0.0:8080 ou localhost:8080</source>
        <translation>por ejemplo 0.0.0.0:8080 o localhost:8080</translation>
    </message>
    <message>
        <source>Escolla outro porto, por exemplo: --listen %1</source>
        <translation>Elija otro puerto, por ejemplo: --listen %1</translation>
    </message>
    <message>
        <source>%1 Non se pode ler o rexistro; as páxinas mostran as últimas clasificacións lidas.
%2</source>
        <translation>%1 No se puede leer el registro; las páginas muestran las últimas clasificaciones leídas.
%2</translation>
    </message>
    <message>
        <source>%1 O rexistro xa se pode ler de novo.</source>
        <translation>%1 El registro ya se puede leer de nuevo.</translation>
    </message>
    <message>
        <source>Clasificacións de %1 en directo:</source>
        <translation>Clasificaciones de %1 en directo:</translation>
    </message>
    <message>
        <source>  %1  (teléfonos)   %1board  (pantalla grande)</source>
        <translation>  %1  (teléfonos)   %1board  (pantalla grande)</translation>
    </message>
    <message>
        <source>Ctrl+C para deter.</source>
        <translation>Ctrl+C para detener.</translation>
    </message>
    <message>
        <source>Detido.</source>
        <translation>Detenido.</translation>
    </message>
    <message>
        <source>ENDEREZO:PORTO</source>
        <translation>DIRECCIÓN:PUERTO</translation>
    </message>
    <message>
        <source>onde escoitar: un nome (localhost, o nome deste ordenador), un enderezo IPv4 ou un IPv6 entre corchetes ([::1]), e o porto (0: un libre). Por omisión só neste ordenador, 127.0.0.1:8080; para a rede da piscina, 0.0.0.0:8080 ([::]:8080 tamén por IPv6).</source>
        <translation>dónde escuchar: un nombre (localhost, el nombre de este ordenador), una dirección IPv4 o una IPv6 entre corchetes ([::1]), y el puerto (0: uno libre). Por omisión solo en este ordenador, 127.0.0.1:8080; para la red de la piscina, 0.0.0.0:8080 ([::]:8080 también por IPv6).</translation>
    </message>
    <message>
        <source>Serve as clasificacións para os teléfonos (/) e para unha pantalla grande (/board), e os ficheiros /standings.csv, .pdf e .json; só le o rexistro. Ctrl+C deténo.</source>
        <translation>Sirve las clasificaciones para los teléfonos (/) y para una pantalla grande (/board), y los archivos /standings.csv, .pdf y .json; solo lee el registro. Ctrl+C lo detiene.</translation>
    </message>
    <message>
        <source>--listen quere ENDEREZO:PORTO (%1), non «%2»</source>
        <translation>--listen admite DIRECCIÓN:PUERTO (%1), no «%2»</translation>
    </message>
    <message>
        <source>o porto de --listen ha ser un número de 0 a 65535, non «%1»</source>
        <translation>el puerto de --listen ha de ser un número de 0 a 65535, no «%1»</translation>
    </message>
    <message>
        <source>un enderezo IPv6 vai enteiro entre corchetes, como --listen [::1]:8080, non «%1»</source>
        <translation>una dirección IPv6 va entera entre corchetes, como --listen [::1]:8080, no «%1»</translation>
    </message>
    <message>
        <source>un enderezo IPv6 vai entre corchetes: --listen [%1]:%2</source>
        <translation>una dirección IPv6 va entre corchetes: --listen [%1]:%2</translation>
    </message>
    <message>
        <source>falta o ordenador antes do porto en --listen «%1» (%2)</source>
        <translation>falta el ordenador antes del puerto en --listen «%1» (%2)</translation>
    </message>
    <message>
        <source>«[%1]» non é un enderezo IPv6 (--listen)</source>
        <translation>«[%1]» no es una dirección IPv6 (--listen)</translation>
    </message>
    <message>
        <source>non se atopa o ordenador «%1» (--listen %2): comproba o nome, ou dá un enderezo, %3</source>
        <translation>no se encuentra el ordenador «%1» (--listen %2): comprueba el nombre, o da una dirección, %3</translation>
    </message>
    <message>
        <source>serve as clasificacións en directo na web</source>
        <translation>sirve las clasificaciones en directo en la web</translation>
    </message>
    <message>
        <source>Non se puido escribir toda a saída: %1</source>
        <translation>No se ha podido escribir toda la salida: %1</translation>
    </message>
    <message>
        <source>FORMATO</source>
        <translation>FORMATO</translation>
    </message>
    <message>
        <source>text, csv, html, pdf ou json (hai que dalo)</source>
        <translation>text, csv, html, pdf o json (hay que darlo)</translation>
    </message>
    <message>
        <source>--format ha ser text, csv, html, pdf ou json, non «%1»</source>
        <translation>--format ha de ser text, csv, html, pdf o json, no «%1»</translation>
    </message>
    <message>
        <source>SAÍDA</source>
        <translation>SALIDA</translation>
    </message>
    <message>
        <source>gárdaas neste ficheiro en vez de escribilas na saída (o PDF, sempre)</source>
        <translation>las guarda en este archivo en vez de escribirlas en la salida (el PDF, siempre)</translation>
    </message>
    <message>
        <source>os puntos de cada club en cada proba, para cotexalos coas actas (só text e csv)</source>
        <translation>los puntos de cada club en cada prueba, para cotejarlos con las actas (solo text y csv)</translation>
    </message>
    <message>
        <source>Só le o rexistro: ábreo só para ler e non cambia nada nel.</source>
        <translation>Solo lee el registro: lo abre solo para leer y no cambia nada en él.</translation>
    </message>
    <message>
        <source>falta --format: text, csv, html, pdf ou json</source>
        <translation>falta --format: text, csv, html, pdf o json</translation>
    </message>
    <message>
        <source>--by-event só se pode usar con --format text ou --format csv: os puntos por proba non se publican en HTML, PDF nin JSON.</source>
        <translation>--by-event solo se puede usar con --format text o --format csv: los puntos por prueba no se publican en HTML, PDF ni JSON.</translation>
    </message>
    <message>
        <source>o PDF necesita --output FICHEIRO.pdf</source>
        <translation>el PDF necesita --output ARCHIVO.pdf</translation>
    </message>
    <message>
        <source>publica as clasificacións, ou os puntos de cada club en cada proba</source>
        <translation>publica las clasificaciones, o los puntos de cada club en cada prueba</translation>
    </message>
    <message>
        <source>Nunca sobrescribe un ficheiro que xa exista, nin un rexistro que xa estea nun servidor; nun servidor fai tamén a base de datos, se non a hai.</source>
        <translation>Nunca sobrescribe un archivo que ya exista, ni un registro que ya esté en un servidor; en un servidor crea también la base de datos, si no la hay.</translation>
    </message>
    <message>
        <source>crea unha base de datos baleira</source>
        <translation>crea una base de datos vacía</translation>
    </message>
    <message>
        <source> Nada cambiou; se é o que queres, engade --allow-empty.</source>
        <translation> Nada ha cambiado; si es lo que quieres, añade --allow-empty.</translation>
    </message>
    <message>
        <source>o ficheiro do campionato</source>
        <translation>el archivo del campeonato</translation>
    </message>
    <message>
        <source>o ficheiro de Access do programa de xestión do campionato</source>
        <translation>el archivo de Access del programa de gestión del campeonato</translation>
    </message>
    <message>
        <source>o ficheiro Lenex 3 do programa de xestión, simple ou comprimido</source>
        <translation>el archivo Lenex 3 del programa de gestión, simple o comprimido</translation>
    </message>
    <message>
        <source>importa tamén un ficheiro sen probas ou sen clubs cando o rexistro xa ten probas ou clubs, que perdería (un programa sen clubs aínda entra sen isto nun rexistro que non ten ningún)</source>
        <translation>importa también un archivo sin pruebas o sin clubs cuando el registro ya tiene pruebas o clubs, que perdería (un programa sin clubs entra igualmente sin esto en un registro que no tiene ninguno)</translation>
    </message>
    <message>
        <source>Fai a base de datos se non a hai. Substitúe as probas e os clubs (EVENT, CLUBCHAMP, CLUBDESC) nunha transacción e nunca toca os resultados gardados; os clubs que xa estaban conservan o seu código e o seu nome curto.</source>
        <translation>Crea la base de datos si no la hay. Sustituye las pruebas y los clubs (EVENT, CLUBCHAMP, CLUBDESC) en una transacción y nunca toca los resultados guardados; los clubs que ya estaban conservan su código y su nombre corto.</translation>
    </message>
    <message>
        <source> ou </source>
        <translation> o </translation>
    </message>
    <message>
        <source>Uso: quilvarden-db ORDE [opcións] ARGUMENTOS

Fai, enche e publica os rexistros de resultados de Quilvarden: un ficheiro
SQLite, ou unha base de datos dun servidor PostgreSQL
(postgresql://usuario@servidor/base).

Ordes:
</source>
        <translation>Uso: quilvarden-db ORDEN [opciones] ARGUMENTOS

Crea, llena y publica los registros de resultados de Quilvarden: un archivo
SQLite, o una base de datos de un servidor PostgreSQL
(postgresql://usuario@servidor/base).

Órdenes:
</translation>
    </message>
    <message>
        <source>amosa a versión e remata</source>
        <translation>muestra la versión y termina</translation>
    </message>
    <message>
        <source>
«quilvarden-db ORDE --help» explica os argumentos e as opcións de cada orde.
Estado de saída: 0 se todo foi ben, 1 se a operación fallou, 2 se os
argumentos están mal.
</source>
        <translation>
«quilvarden-db ORDEN --help» explica los argumentos y las opciones de cada orden.
Estado de salida: 0 si todo fue bien, 1 si la operación falló, 2 si los
argumentos están mal.
</translation>
    </message>
    <message>
        <source>trae o programa do campionato dun ficheiro de Access</source>
        <translation>trae el programa del campeonato de un archivo de Access</translation>
    </message>
    <message>
        <source>trae o programa do campionato dun ficheiro Lenex</source>
        <translation>trae el programa del campeonato de un archivo Lenex</translation>
    </message>
    <message>
        <source>argumentos non válidos: %1</source>
        <translation>argumentos no válidos: %1</translation>
    </message>
    <message>
        <source>falta a orde: %1</source>
        <translation>falta la orden: %1</translation>
    </message>
    <message>
        <source>orde descoñecida: «%1»</source>
        <translation>orden desconocida: «%1»</translation>
    </message>
    <message>
        <source>O campionato ten 40 probas (remudas entre elas) e 12 clubs. Nunca sobrescribe un ficheiro que xa exista, nin un rexistro que xa estea nun servidor.</source>
        <translation>El campeonato tiene 40 pruebas (relevos entre ellas) y 12 clubs. Nunca sobrescribe un archivo que ya exista, ni un registro que ya esté en un servidor.</translation>
    </message>
    <message>
        <source>crea unha base de datos cun campionato de exemplo</source>
        <translation>crea una base de datos con un campeonato de ejemplo</translation>
    </message>
    <message>
        <source>despois do posto %1, ningún punto</source>
        <translation>después del puesto %1, ningún punto</translation>
    </message>
    <message>
        <source>despois do posto %1, os mesmos %2 puntos</source>
        <translation>después del puesto %1, los mismos %2 puntos</translation>
    </message>
    <message>
        <source>despois do posto %1, %2 menos por posto, sen baixar de 0</source>
        <translation>después del puesto %1, %2 menos por puesto, sin bajar de 0</translation>
    </message>
    <message>
        <source>todas</source>
        <translation>todas</translation>
    </message>
    <message>
        <source>Nome: %1</source>
        <translation>Nombre: %1</translation>
    </message>
    <message>
        <source>Probas individuais: %1; %2</source>
        <translation>Pruebas individuales: %1; %2</translation>
    </message>
    <message>
        <source>Remudas: %1; %2</source>
        <translation>Relevos: %1; %2</translation>
    </message>
    <message>
        <source>Remudas: o dobre dos puntos das probas individuais</source>
        <translation>Relevos: el doble de los puntos de las pruebas individuales</translation>
    </message>
    <message>
        <source>Puntúan de cada club en cada proba: nas individuais, %1; nas remudas, %2</source>
        <translation>Puntúan de cada club en cada prueba: en las individuales, %1; en los relevos, %2</translation>
    </message>
    <message>
        <source>Empates nunha proba: repártense entre eles os puntos dos postos que ocupan</source>
        <translation>Empates en una prueba: se reparten entre ellos los puntos de los puestos que ocupan</translation>
    </message>
    <message>
        <source>Empates nunha proba: cada un leva os puntos do mellor dos postos que ocupan</source>
        <translation>Empates en una prueba: cada uno se lleva los puntos del mejor de los puestos que ocupan</translation>
    </message>
    <message>
        <source>Totais iguais na clasificación: postos consecutivos, na orde da clasificación</source>
        <translation>Totales iguales en la clasificación: puestos consecutivos, en el orden de la clasificación</translation>
    </message>
    <message>
        <source>Totais iguais na clasificación: o mesmo posto, e o seguinte salta tantos como eles</source>
        <translation>Totales iguales en la clasificación: el mismo puesto, y el siguiente salta tantos como ellos</translation>
    </message>
    <message>
        <source>Clubs convidados, que nadan sen puntuar: %1</source>
        <translation>Clubs invitados, que nadan sin puntuar: %1</translation>
    </message>
    <message>
        <source>ningún</source>
        <translation>ninguno</translation>
    </message>
    <message>
        <source>O ficheiro pasa de %1 bytes: non é un de regras.</source>
        <translation>El archivo supera los %1 bytes: no es un archivo de reglas.</translation>
    </message>
    <message>
        <source>O rexistro non ten regras propias: puntúa coa escala da liga, as regras por omisión (score-lenex puntúa un nadador ou remuda de cada club por proba, se non se lle di --per-club).</source>
        <translation>El registro no tiene reglas propias: puntúa con la escala de la liga, las reglas por omisión (score-lenex puntúa un nadador o relevo de cada club por prueba, si no se le indica --per-club).</translation>
    </message>
    <message>
        <source>As regras do rexistro son as por omisión, a escala da liga.</source>
        <translation>Las reglas del registro son las reglas por omisión, la escala de la liga.</translation>
    </message>
    <message>
        <source>Gardáronse no rexistro as regras «%1».</source>
        <translation>Se han guardado en el registro las reglas «%1».</translation>
    </message>
    <message>
        <source>Os puntos xa gardados quedan como están; estas regras valen para os que se dean de agora en diante.</source>
        <translation>Los puntos ya guardados quedan como están; estas reglas valen para los que se den de ahora en adelante.</translation>
    </message>
    <message>
        <source>text (por omisión) ou json</source>
        <translation>text (por omisión) o json</translation>
    </message>
    <message>
        <source>--format ha ser text ou json, non «%1»</source>
        <translation>--format ha de ser text o json, no «%1»</translation>
    </message>
    <message>
        <source>NOME</source>
        <translation>NOMBRE</translation>
    </message>
    <message>
        <source>garda no rexistro unhas regras feitas: %1</source>
        <translation>guarda en el registro unas reglas predefinidas: %1</translation>
    </message>
    <message>
        <source>--preset ha ser un destes: %1; non «%2»</source>
        <translation>--preset ha de ser uno de estos: %1; no «%2»</translation>
    </message>
    <message>
        <source>REGRAS.json</source>
        <translation>REGLAS.json</translation>
    </message>
    <message>
        <source>garda no rexistro as regras deste ficheiro JSON (as que dá --format json)</source>
        <translation>guarda en el registro las reglas de este archivo JSON (las que da --format json)</translation>
    </message>
    <message>
        <source>Sen --preset nin --from, amosa as regras do rexistro e non cambia nada nel; un rexistro sen regras puntúa coa escala da liga. Cambiar as regras non cambia os puntos xa gardados.</source>
        <translation>Sin --preset ni --from, muestra las reglas del registro y no cambia nada en él; un registro sin reglas puntúa con la escala de la liga. Cambiar las reglas no cambia los puntos ya guardados.</translation>
    </message>
    <message>
        <source>--preset e --from non van xuntos: dá só un dos dous</source>
        <translation>--preset y --from no van juntos: da solo uno de los dos</translation>
    </message>
    <message>
        <source>--format só vale para amosar as regras, non con --preset nin con --from</source>
        <translation>--format solo vale para mostrar las reglas, no con --preset ni con --from</translation>
    </message>
    <message>
        <source>amosa ou cambia as regras de puntuación do campionato</source>
        <translation>muestra o cambia las reglas de puntuación del campeonato</translation>
    </message>
    <message>
        <source>cantos nadadores de cada club puntúan en cada proba, individual ou de remudas (por omisión, os que din as regras do campionato; sen regras, 1)</source>
        <translation>cuántos nadadores de cada club puntúan en cada prueba, individual o de relevos (por omisión, los que dicen las reglas del campeonato; sin reglas, 1)</translation>
    </message>
    <message>
        <source>ata %1</source>
        <translation>hasta %1</translation>
    </message>
    <message>
        <source>desde %1</source>
        <translation>desde %1</translation>
    </message>
    <message>
        <source>calquera</source>
        <translation>cualquiera</translation>
    </message>
    <message>
        <source>ningunha</source>
        <translation>ninguna</translation>
    </message>
    <message>
        <source>%1: idades %2; sexo %3; clase %4; probas %5</source>
        <translation>%1: edades %2; sexo %3; clase %4; pruebas %5</translation>
    </message>
    <message>
        <source>O rexistro non ten categorías.</source>
        <translation>El registro no tiene categorías.</translation>
    </message>
    <message>
        <source>amosa as categorías do campionato e as súas probas</source>
        <translation>muestra las categorías del campeonato y sus pruebas</translation>
    </message>
    <message>
        <source>Categorías gardadas no rexistro: %1.</source>
        <translation>Categorías guardadas en el registro: %1.</translation>
    </message>
    <message>
        <source>FICHEIRO.json</source>
        <translation>FICHERO.json</translation>
    </message>
    <message>
        <source>garda as categorías deste ficheiro en vez das que ten o rexistro (para un programa que non trae ningunha): {&quot;categories&quot;: [{&quot;name&quot;: &quot;Infantil&quot;, &quot;events&quot;: [1, 2]}]}</source>
        <translation>guarda las categorías de este fichero en vez de las que tiene el registro (para un programa que no trae ninguna): {&quot;categories&quot;: [{&quot;name&quot;: &quot;Infantil&quot;, &quot;events&quot;: [1, 2]}]}</translation>
    </message>
    <message>
        <source>Amosa as categorías que trouxo a última importación do programa, coas probas que as clasifican. Sen --from só le o rexistro: ábreo só para ler e non cambia nada nel.</source>
        <translation>Muestra las categorías que trajo la última importación del programa, con las pruebas que las clasifican. Sin --from solo lee el registro: lo abre solo para leer y no cambia nada en él.</translation>
    </message>
    <message>
        <source>Probas con clasificación absoluta e por categorías: puntúan as categorías</source>
        <translation>Pruebas con clasificación absoluta y por categorías: puntúan las categorías</translation>
    </message>
    <message>
        <source>Probas con clasificación absoluta e por categorías: puntúa a absoluta</source>
        <translation>Pruebas con clasificación absoluta y por categorías: puntúa la absoluta</translation>
    </message>
    <message>
        <source>--category quere os nomes das categorías, como 10-11,12-13</source>
        <translation>--category quiere los nombres de las categorías, como 10-11,12-13</translation>
    </message>
    <message>
        <source>--category: non hai ningunha categoría «%1»; os resultados non teñen ningunha</source>
        <translation>--category: no hay ninguna categoría «%1»; los resultados no tienen ninguna</translation>
    </message>
    <message>
        <source>--category: non hai ningunha categoría «%1»; hai: %2</source>
        <translation>--category: no hay ninguna categoría «%1»; hay: %2</translation>
    </message>
    <message>
        <source>o grupo de idade ou clase que puntúa só, sen as categorías, nas probas que o teñen (pódese repetir)</source>
        <translation>el grupo de edad o clase que puntúa solo, sin las categorías, en las pruebas que lo tienen (se puede repetir)</translation>
    </message>
    <message>
        <source>NOMES</source>
        <translation>NOMBRES</translation>
    </message>
    <message>
        <source>nas probas que puntúan por categorías, só estas, polo seu nome separado por comas: Alevín,Infantil (as demais quedan como estaban)</source>
        <translation>en las pruebas que puntúan por categorías, solo estas, por su nombre separado por comas: Alevín,Infantil (las demás quedan como estaban)</translation>
    </message>
    <message>
        <source>só as clasificacións (ou os puntos) desa categoría; all: as do campionato e logo as de cada categoría</source>
        <translation>solo las clasificaciones (o los puntos) de esa categoría; all: las del campeonato y luego las de cada categoría</translation>
    </message>
    <message>
        <source>LIGA.json</source>
        <translation>LIGA.json</translation>
    </message>
    <message>
        <source>o ficheiro da liga</source>
        <translation>el fichero de la liga</translation>
    </message>
    <message>
        <source>Só le os rexistros das xornadas: ábreos só para ler e non cambia nada neles. Lista tamén os clubs xuntados só polo nome e os que só están nunha xornada, para comprobalos.</source>
        <translation>Solo lee los registros de las jornadas: los abre solo para leer y no cambia nada en ellos. Lista también los clubs unidos solo por el nombre y los que solo están en una jornada, para comprobarlos.</translation>
    </message>
    <message>
        <source>suma a clasificación dunha liga de varias xornadas</source>
        <translation>suma la clasificación de una liga de varias jornadas</translation>
    </message>
    <message>
        <source>a liga: o seu nome, as súas xornadas co rexistro de cada unha (un ficheiro a carón deste, ou o URI dun servidor), os clubs que xuntar ou separar e as fases</source>
        <translation>la liga: su nombre, sus jornadas con el registro de cada una (un fichero junto a este, o el URI de un servidor), los clubs que unir o separar y las fases</translation>
    </message>
    <message>
        <source>text (se non se dá), csv, json, html ou pdf</source>
        <translation>text (si no se da), csv, json, html o pdf</translation>
    </message>
    <message>
        <source>--format ha ser text, csv, json, html ou pdf, non «%1»</source>
        <translation>--format ha de ser text, csv, json, html o pdf, no «%1»</translation>
    </message>
    <message>
        <source>gárdaa neste ficheiro en vez de escribila na saída (o PDF, sempre)</source>
        <translation>la guarda en este fichero en vez de escribirla en la salida (el PDF, siempre)</translation>
    </message>
    <message>
        <source>só as clasificacións desa categoría; all: as da liga e logo as de cada categoría</source>
        <translation>solo las clasificaciones de esa categoría; all: las de la liga y luego las de cada categoría</translation>
    </message>
    <message>
        <source>  %1liga  (a liga)</source>
        <translation>  %1liga  (la liga)</translation>
    </message>
    <message>
        <source>serve tamén a clasificación da liga (/liga e /liga.json) xunto á da xornada que se está a nadar, que é a do rexistro dado: o ficheiro da liga ha de ter ese rexistro nunha das súas xornadas</source>
        <translation>sirve también la clasificación de la liga (/liga y /liga.json) junto a la de la jornada que se está nadando, que es la del registro dado: el fichero de la liga ha de tener ese registro en una de sus jornadas</translation>
    </message>
</context>
<context>
    <name>Window</name>
    <message>
        <source>Programas do campionato (*.lef *.lxf *.mdb);;Lenex (*.lef *.lxf);;Access (*.mdb);;Todos os ficheiros (*)</source>
        <translation>Programas del campeonato (*.lef *.lxf *.mdb);;Lenex (*.lef *.lxf);;Access (*.mdb);;Todos los archivos (*)</translation>
    </message>
    <message>
        <source>Rexistros (*.MDB *.sqlite *.db)</source>
        <translation>Registros (*.MDB *.sqlite *.db)</translation>
    </message>
    <message>
        <source>Onde gardar o rexistro novo</source>
        <translation>Dónde guardar el registro nuevo</translation>
    </message>
    <message>
        <source>Todos os ficheiros (*)</source>
        <translation>Todos los archivos (*)</translation>
    </message>
    <message>
        <source>Non se puido crear o rexistro
%1

%2</source>
        <translation>No se pudo crear el registro
%1

%2</translation>
    </message>
    <message>
        <source>%1

Importar igualmente?</source>
        <translation>%1

¿Importar igualmente?</translation>
    </message>
    <message>
        <source>Non se puido importar o programa en
%1

%2</source>
        <translation>No se pudo importar el programa en
%1

%2</translation>
    </message>
    <message>
        <source>Programa do campionato</source>
        <translation>Programa del campeonato</translation>
    </message>
    <message>
        <source>Xa hai un ficheiro en
%1

Escolle outro nome: o rexistro novo nunca se fai enriba doutro.</source>
        <translation>Ya hay un archivo en
%1

Elige otro nombre: el registro nuevo nunca se crea encima de otro.</translation>
    </message>
    <message>
        <source>Abrir nun servidor</source>
        <translation>Abrir en un servidor</translation>
    </message>
    <message>
        <source>Enderezo do rexistro no servidor PostgreSQL
(o contrasinal vai en ~/.pgpass ou en PGPASSWORD):</source>
        <translation>Dirección del registro en el servidor PostgreSQL
(la contraseña va en ~/.pgpass o en PGPASSWORD):</translation>
    </message>
    <message>
        <source>«%1» non é o enderezo dun servidor: comeza por postgresql://.</source>
        <translation>«%1» no es la dirección de un servidor: empieza por postgresql://.</translation>
    </message>
    <message>
        <source>Abrir un rexistro</source>
        <translation>Abrir un registro</translation>
    </message>
    <message>
        <source>Rexistros (*.MDB *.mdb *.sqlite *.db);;Todos os ficheiros (*)</source>
        <translation>Registros (*.MDB *.mdb *.sqlite *.db);;Todos los archivos (*)</translation>
    </message>
    <message>
        <source>Importar o programa do campionato</source>
        <translation>Importar el programa del campeonato</translation>
    </message>
    <message>
        <source>Introducción de Resultados</source>
        <translation>Introducción de Resultados</translation>
    </message>
    <message>
        <source>Abre esta base de datos en vez de quilvarden.MDB.</source>
        <translation>Abre esta base de datos en lugar de quilvarden.MDB.</translation>
    </message>
    <message>
        <source>FICHEIRO</source>
        <translation>ARCHIVO</translation>
    </message>
    <message>
        <source>Garda a imaxe da xanela neste ficheiro PNG e remata.</source>
        <translation>Guarda la imagen de la ventana en este archivo PNG y termina.</translation>
    </message>
    <message>
        <source>Remata en canto a xanela se amosa (para medir o arranque).</source>
        <translation>Termina en cuanto se muestra la ventana (para medir el arranque).</translation>
    </message>
    <message>
        <source>Amosa estas opcións e remata.</source>
        <translation>Muestra estas opciones y termina.</translation>
    </message>
    <message>
        <source>Amosa a versión e remata.</source>
        <translation>Muestra la versión y termina.</translation>
    </message>
    <message>
        <source>Uso:</source>
        <translation>Uso:</translation>
    </message>
    <message>
        <source>Opcións:</source>
        <translation>Opciones:</translation>
    </message>
    <message>
        <source>Argumento descoñecido: %1</source>
        <translation>Argumento desconocido: %1</translation>
    </message>
    <message>
        <source>Non se pode abrir a base de datos
%1

%2</source>
        <translation>No se puede abrir la base de datos
%1

%2</translation>
    </message>
    <message>
        <source>Uso: quilvarden [--database FICHEIRO] [--screenshot FICHEIRO.png]</source>
        <translation>Uso: quilvarden [--database ARCHIVO] [--screenshot ARCHIVO.png]</translation>
    </message>
    <message>
        <source>Non hai rexistro que abrir: indica --database.</source>
        <translation>No hay registro que abrir: indica --database.</translation>
    </message>
    <message>
        <source>Non se puido gardar a imaxe en %1</source>
        <translation>No se pudo guardar la imagen en %1</translation>
    </message>
</context>
<context>
    <name>frmIntroRes</name>
    <message>
        <source>Introducción de Resultados</source>
        <translation>Introducción de Resultados</translation>
    </message>
    <message>
        <source>Club</source>
        <translation>Club</translation>
    </message>
    <message>
        <source>Orde</source>
        <translation>Orden</translation>
    </message>
    <message>
        <source>Proba</source>
        <translation>Prueba</translation>
    </message>
    <message>
        <source>Sexo</source>
        <translation>Sexo</translation>
    </message>
    <message>
        <source>Puntos</source>
        <translation>Puntos</translation>
    </message>
    <message>
        <source>Actualizar Lista</source>
        <translation>Actualizar Lista</translation>
    </message>
    <message>
        <source>Engadir</source>
        <translation>Añadir</translation>
    </message>
    <message>
        <source>Clasificacions</source>
        <translation>Clasificaciones</translation>
    </message>
    <message>
        <source>1</source>
        <translation>1</translation>
    </message>
    <message>
        <source>Paso</source>
        <translation>Paso</translation>
    </message>
    <message>
        <source>X</source>
        <translation>X</translation>
    </message>
    <message>
        <source>38</source>
        <translation>38</translation>
    </message>
    <message>
        <source>30</source>
        <translation>30</translation>
    </message>
    <message>
        <source>24</source>
        <translation>24</translation>
    </message>
    <message>
        <source>27</source>
        <translation>27</translation>
    </message>
    <message>
        <source>Puntos FINA</source>
        <translation>Puntos FINA</translation>
    </message>
    <message>
        <source>Marca Centesimas</source>
        <translation>Marca Centésimas</translation>
    </message>
    <message>
        <source>+</source>
        <translation>+</translation>
    </message>
    <message>
        <source>-</source>
        <translation>-</translation>
    </message>
    <message>
        <source>- 0,5</source>
        <translation>- 0,5</translation>
    </message>
    <message>
        <source>+ 0,5</source>
        <translation>+ 0,5</translation>
    </message>
    <message>
        <source>Desfacer Último</source>
        <translation>Deshacer Último</translation>
    </message>
</context>
<context>
    <name>quilvarden::app::CategoriesDialog</name>
    <message>
        <source>Categorías do campionato</source>
        <translation>Categorías del campeonato</translation>
    </message>
    <message>
        <source>Unha categoría por fila. As probas van polas súas ordes: «1, 3, 5-9». Sen idade mínima ou máxima, a categoría non ten ese límite.</source>
        <translation>Una categoría por fila. Las pruebas van por sus órdenes: «1, 3, 5-9». Sin edad mínima o máxima, la categoría no tiene ese límite.</translation>
    </message>
    <message>
        <source>Nome</source>
        <translation>Nombre</translation>
    </message>
    <message>
        <source>Idade mínima</source>
        <translation>Edad mínima</translation>
    </message>
    <message>
        <source>Idade máxima</source>
        <translation>Edad máxima</translation>
    </message>
    <message>
        <source>Clase</source>
        <translation>Clase</translation>
    </message>
    <message>
        <source>Probas (orde)</source>
        <translation>Pruebas (orden)</translation>
    </message>
    <message>
        <source>&amp;Engadir categoría</source>
        <translation>&amp;Añadir categoría</translation>
    </message>
    <message>
        <source>E&amp;liminar categoría</source>
        <translation>E&amp;liminar categoría</translation>
    </message>
    <message>
        <source>Gardar</source>
        <translation>Guardar</translation>
    </message>
    <message>
        <source>Cancelar</source>
        <translation>Cancelar</translation>
    </message>
</context>
<context>
    <name>quilvarden::app::FrmIntroRes</name>
    <message>
        <source>Gardar clasificacións…</source>
        <translation>Guardar clasificaciones…</translation>
    </message>
    <message>
        <source>Imprimir…</source>
        <translation>Imprimir…</translation>
    </message>
    <message>
        <source>Publicar en directo…</source>
        <translation>Publicar en directo…</translation>
    </message>
    <message>
        <source>Puntuar desde resultados…</source>
        <translation>Puntuar desde resultados…</translation>
    </message>
    <message>
        <source>Clasificación masculina</source>
        <translation>Clasificación masculina</translation>
    </message>
    <message>
        <source>Clasificación feminina</source>
        <translation>Clasificación femenina</translation>
    </message>
    <message>
        <source>Clasificación conxunta</source>
        <translation>Clasificación conjunta</translation>
    </message>
    <message>
        <source>Orde da proba (Ctrl+L)</source>
        <translation>Orden de la prueba (Ctrl+L)</translation>
    </message>
    <message>
        <source>Marca en centésimas</source>
        <translation>Marca en centésimas</translation>
    </message>
    <message>
        <source>Puntos FINA da marca</source>
        <translation>Puntos FINA de la marca</translation>
    </message>
    <message>
        <source>centésimas</source>
        <translation>centésimas</translation>
    </message>
    <message>
        <source>puntos FINA</source>
        <translation>puntos FINA</translation>
    </message>
    <message>
        <source>Marca: minutos</source>
        <translation>Marca: minutos</translation>
    </message>
    <message>
        <source>m</source>
        <translation>m</translation>
    </message>
    <message>
        <source>Marca: segundos</source>
        <translation>Marca: segundos</translation>
    </message>
    <message>
        <source>s</source>
        <translation>s</translation>
    </message>
    <message>
        <source>Marca: centésimas</source>
        <translation>Marca: centésimas</translation>
    </message>
    <message>
        <source>c</source>
        <translation>c</translation>
    </message>
    <message>
        <source>Marca nadada: minutos</source>
        <translation>Marca nadada: minutos</translation>
    </message>
    <message>
        <source>Marca nadada: segundos</source>
        <translation>Marca nadada: segundos</translation>
    </message>
    <message>
        <source>Marca nadada: centésimas</source>
        <translation>Marca nadada: centésimas</translation>
    </message>
    <message>
        <source>Marca base: minutos</source>
        <translation>Marca base: minutos</translation>
    </message>
    <message>
        <source>Marca base: segundos</source>
        <translation>Marca base: segundos</translation>
    </message>
    <message>
        <source>Marca base: centésimas</source>
        <translation>Marca base: centésimas</translation>
    </message>
    <message>
        <source>Pasa a marca a centésimas</source>
        <translation>Pasa la marca a centésimas</translation>
    </message>
    <message>
        <source>Calcula os puntos FINA da marca nadada fronte á marca base</source>
        <translation>Calcula los puntos FINA de la marca nadada frente a la marca base</translation>
    </message>
    <message>
        <source>A proba da orde %1 non ten código (EVENTCODE baleiro).</source>
        <translation>La prueba del orden %1 no tiene código (EVENTCODE vacío).</translation>
    </message>
    <message>
        <source>A proba da orde %1 non ten sexo (GENDERCODE baleiro).</source>
        <translation>La prueba del orden %1 no tiene sexo (GENDERCODE vacío).</translation>
    </message>
    <message>
        <source>Os puntos «%1» non son un número válido. Non se gardou nada.</source>
        <translation>Los puntos «%1» no son un número válido. No se ha guardado nada.</translation>
    </message>
    <message>
        <source>
Non se gardou a marca.</source>
        <translation>
No se ha guardado la marca.</translation>
    </message>
    <message>
        <source>A marca gardouse e está na lista: non a volvas engadir.
Só fallou a proposta dos puntos seguintes: %1</source>
        <translation>La marca se ha guardado y está en la lista: no la vuelvas a añadir.
Solo ha fallado la propuesta de los puntos siguientes: %1</translation>
    </message>
    <message>
        <source>Desfíxose a marca:
%1</source>
        <translation>Se ha deshecho la marca:
%1</translation>
    </message>
    <message>
        <source>Puntuar desde resultados</source>
        <translation>Puntuar desde resultados</translation>
    </message>
    <message>
        <source>Resultados Lenex (*.lxf *.lef);;Todos os ficheiros (*)</source>
        <translation>Resultados Lenex (*.lxf *.lef);;Todos los archivos (*)</translation>
    </message>
    <message>
        <source>Estes resultados parecen doutro campionato que o programa: %1.

Son de verdade os resultados deste campionato?</source>
        <translation>Estos resultados parecen de otro campeonato que el programa: %1.

¿Son de verdad los resultados de este campeonato?</translation>
    </message>
    <message>
        <source>Para substituír os puntos das probas que xa os teñen, marca «Substituír os puntos das probas que xa os teñen».</source>
        <translation>Para sustituir los puntos de las pruebas que ya los tienen, marca «Sustituir los puntos de las pruebas que ya los tienen».</translation>
    </message>
    <message>
        <source>Texto (*.txt)</source>
        <translation>Texto (*.txt)</translation>
    </message>
    <message>
        <source>Páxina web (*.html)</source>
        <translation>Página web (*.html)</translation>
    </message>
    <message>
        <source>Gardar clasificacións</source>
        <translation>Guardar clasificaciones</translation>
    </message>
    <message>
        <source>Clasificacións</source>
        <translation>Clasificaciones</translation>
    </message>
    <message>
        <source>Non se puido imprimir.</source>
        <translation>No se pudo imprimir.</translation>
    </message>
    <message>
        <source>«%1» é un club convidado: non puntúa.</source>
        <translation>«%1» es un club invitado: no puntúa.</translation>
    </message>
    <message>
        <source>«%1» xa leva nesta proba as marcas que puntúan por club (%2).</source>
        <translation>«%1» ya tiene en esta prueba las marcas que puntúan por club (%2).</translation>
    </message>
    <message>
        <source>Gardar a marca igualmente?</source>
        <translation>¿Guardar la marca igualmente?</translation>
    </message>
    <message>
        <source>Categoría das marcas que se engaden (Ctrl+K)</source>
        <translation>Categoría de las marcas que se añaden (Ctrl+K)</translation>
    </message>
    <message>
        <source>Ctrl+K</source>
        <translation>Ctrl+K</translation>
    </message>
    <message>
        <source>Categoría</source>
        <translation>Categoría</translation>
    </message>
    <message>
        <source>Absoluta</source>
        <translation>Absoluta</translation>
    </message>
    <message>
        <source>Proba sen categorías</source>
        <translation>Prueba sin categorías</translation>
    </message>
    <message>
        <source>«%1» xa leva nesta proba, en «%3», as marcas que puntúan por club (%2).</source>
        <translation>«%1» ya lleva en esta prueba, en «%3», las marcas que puntúan por club (%2).</translation>
    </message>
    <message>
        <source>Non hai ningunha categoría marcada: marca polo menos unha para puntuar.</source>
        <translation>No hay ninguna categoría marcada: marca por lo menos una para puntuar.</translation>
    </message>
</context>
<context>
    <name>quilvarden::app::LeagueDialog</name>
    <message>
        <source>Non se pode sumar a liga de %1:
%2</source>
        <translation>No se puede sumar la liga de %1:
%2</translation>
    </message>
    <message>
        <source>Liga</source>
        <translation>Liga</translation>
    </message>
    <message>
        <source>Gardar en &amp;CSV…</source>
        <translation>Guardar en &amp;CSV…</translation>
    </message>
    <message>
        <source>Gardar en &amp;JSON…</source>
        <translation>Guardar en &amp;JSON…</translation>
    </message>
    <message>
        <source>&amp;Recargar</source>
        <translation>&amp;Recargar</translation>
    </message>
    <message>
        <source>Pechar</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <source>Liga: %1</source>
        <translation>Liga: %1</translation>
    </message>
    <message>
        <source>Gardar a liga</source>
        <translation>Guardar la liga</translation>
    </message>
</context>
<context>
    <name>quilvarden::app::LiveDialog</name>
    <message>
        <source>Clasificacións en directo</source>
        <translation>Clasificaciones en directo</translation>
    </message>
    <message>
        <source>Este ordenador non está en ningunha rede: as clasificacións só se ven nel mesmo, neste enderezo:</source>
        <translation>Este ordenador no está en ninguna red: las clasificaciones solo se ven en él mismo, en esta dirección:</translation>
    </message>
    <message>
        <source>Dálles este enderezo ás persoas da piscina (na mesma rede ca este ordenador):</source>
        <translation>Dales esta dirección a las personas de la piscina (en la misma red que este ordenador):</translation>
    </message>
    <message>
        <source>Pantalla grande (proxector): %1board</source>
        <translation>Pantalla grande (proyector): %1board</translation>
    </message>
    <message>
        <source>Tamén: %1</source>
        <translation>También: %1</translation>
    </message>
    <message>
        <source>Deter a publicación</source>
        <translation>Detener la publicación</translation>
    </message>
    <message>
        <source>Pechar</source>
        <translation>Cerrar</translation>
    </message>
</context>
<context>
    <name>quilvarden::app::MainWindow</name>
    <message>
        <source>Introducción de Resultados</source>
        <translation>Introducción de Resultados</translation>
    </message>
    <message>
        <source>&amp;Rexistro</source>
        <translation>&amp;Registro</translation>
    </message>
    <message>
        <source>&amp;Novo co programa do campionato…</source>
        <translation>&amp;Nuevo con el programa del campeonato…</translation>
    </message>
    <message>
        <source>Novo &amp;baleiro…</source>
        <translation>Nuevo &amp;vacío…</translation>
    </message>
    <message>
        <source>Novo co campionato de &amp;exemplo…</source>
        <translation>Nuevo con el campeonato de &amp;ejemplo…</translation>
    </message>
    <message>
        <source>&amp;Abrir…</source>
        <translation>&amp;Abrir…</translation>
    </message>
    <message>
        <source>Ctrl+O</source>
        <translation>Ctrl+O</translation>
    </message>
    <message>
        <source>Abrir nun &amp;servidor…</source>
        <translation>Abrir en un &amp;servidor…</translation>
    </message>
    <message>
        <source>&amp;Importar o programa do campionato…</source>
        <translation>&amp;Importar el programa del campeonato…</translation>
    </message>
    <message>
        <source>Re&amp;gras do campionato…</source>
        <translation>Re&amp;glas del campeonato…</translation>
    </message>
    <message>
        <source>Saí&amp;r</source>
        <translation>Sali&amp;r</translation>
    </message>
    <message>
        <source>Ctrl+Q</source>
        <translation>Ctrl+Q</translation>
    </message>
    <message>
        <source>R&amp;esultados</source>
        <translation>R&amp;esultados</translation>
    </message>
    <message>
        <source>Ir a &amp;Orde</source>
        <translation>Ir a &amp;Orden</translation>
    </message>
    <message>
        <source>Ctrl+L</source>
        <translation>Ctrl+L</translation>
    </message>
    <message>
        <source>&amp;Puntuar desde resultados…</source>
        <translation>&amp;Puntuar desde resultados…</translation>
    </message>
    <message>
        <source>&amp;Clasificacións</source>
        <translation>&amp;Clasificaciones</translation>
    </message>
    <message>
        <source>&amp;Gardar…</source>
        <translation>&amp;Guardar…</translation>
    </message>
    <message>
        <source>Ctrl+S</source>
        <translation>Ctrl+S</translation>
    </message>
    <message>
        <source>&amp;Imprimir…</source>
        <translation>&amp;Imprimir…</translation>
    </message>
    <message>
        <source>Ctrl+P</source>
        <translation>Ctrl+P</translation>
    </message>
    <message>
        <source>&amp;Publicar en directo…</source>
        <translation>&amp;Publicar en directo…</translation>
    </message>
    <message>
        <source>A&amp;xuda</source>
        <translation>A&amp;yuda</translation>
    </message>
    <message>
        <source>&amp;Guía de uso</source>
        <translation>&amp;Guía de uso</translation>
    </message>
    <message>
        <source>&amp;Acerca de Quilvarden</source>
        <translation>&amp;Acerca de Quilvarden</translation>
    </message>
    <message>
        <source>Acerca de &amp;Qt</source>
        <translation>Acerca de &amp;Qt</translation>
    </message>
    <message>
        <source>Guía de uso de Quilvarden</source>
        <translation>Guía de uso de Quilvarden</translation>
    </message>
    <message>
        <source>Acerca de Quilvarden</source>
        <translation>Acerca de Quilvarden</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Quilvarden %1&lt;/h3&gt;&lt;p&gt;A mesa de puntuación dun campionato de natación entre clubs.&lt;/p&gt;&lt;p&gt;Software libre baixo a licenza GPL-3.0 ou posterior: &lt;a href=&quot;https://www.gnu.org/licenses/gpl-3.0.html&quot;&gt;https://www.gnu.org/licenses/gpl-3.0.html&lt;/a&gt;&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Quilvarden %1&lt;/h3&gt;&lt;p&gt;La mesa de puntuación de un campeonato de natación entre clubs.&lt;/p&gt;&lt;p&gt;Software libre bajo la licencia GPL-3.0 o posterior: &lt;a href=&quot;https://www.gnu.org/licenses/gpl-3.0.html&quot;&gt;https://www.gnu.org/licenses/gpl-3.0.html&lt;/a&gt;&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&amp;Categorías do campionato…</source>
        <translation>&amp;Categorías del campeonato…</translation>
    </message>
    <message>
        <source>Abrir &amp;liga…</source>
        <translation>Abrir &amp;liga…</translation>
    </message>
    <message>
        <source>Abrir liga</source>
        <translation>Abrir liga</translation>
    </message>
    <message>
        <source>Liga (*.json)</source>
        <translation>Liga (*.json)</translation>
    </message>
</context>
<context>
    <name>quilvarden::app::RulesDialog</name>
    <message>
        <source>Regras do campionato</source>
        <translation>Reglas del campeonato</translation>
    </message>
    <message>
        <source>&amp;Regras predefinidas:</source>
        <translation>&amp;Reglas predefinidas:</translation>
    </message>
    <message>
        <source>19 16 14 13</source>
        <translation>19 16 14 13</translation>
    </message>
    <message>
        <source>Táboa &amp;individual:</source>
        <translation>Tabla &amp;individual:</translation>
    </message>
    <message>
        <source>Segue baixando polo último salto, ata 0</source>
        <translation>Sigue bajando por el último salto, hasta 0</translation>
    </message>
    <message>
        <source>0 puntos</source>
        <translation>0 puntos</translation>
    </message>
    <message>
        <source>&amp;Despois da táboa:</source>
        <translation>&amp;Después de la tabla:</translation>
    </message>
    <message>
        <source>O dobre da individual</source>
        <translation>El doble de la individual</translation>
    </message>
    <message>
        <source>Táboa propia</source>
        <translation>Tabla propia</translation>
    </message>
    <message>
        <source>Re&amp;mudas:</source>
        <translation>Rele&amp;vos:</translation>
    </message>
    <message>
        <source>38 32 28 26</source>
        <translation>38 32 28 26</translation>
    </message>
    <message>
        <source>&amp;Táboa das remudas:</source>
        <translation>&amp;Tabla de los relevos:</translation>
    </message>
    <message>
        <source>todas</source>
        <translation>todas</translation>
    </message>
    <message>
        <source>Puntúan por club nunha &amp;proba individual:</source>
        <translation>Puntúan por club en una &amp;prueba individual:</translation>
    </message>
    <message>
        <source>Puntúan por club nunha rem&amp;uda:</source>
        <translation>Puntúan por club en un relev&amp;o:</translation>
    </message>
    <message>
        <source>Repártense os puntos dos postos que ocupan</source>
        <translation>Se reparten los puntos de los puestos que ocupan</translation>
    </message>
    <message>
        <source>Cada un leva os puntos do mellor posto</source>
        <translation>Cada uno se lleva los puntos del mejor puesto</translation>
    </message>
    <message>
        <source>&amp;Empates nunha proba:</source>
        <translation>&amp;Empates en una prueba:</translation>
    </message>
    <message>
        <source>Postos consecutivos</source>
        <translation>Puestos consecutivos</translation>
    </message>
    <message>
        <source>O mesmo posto</source>
        <translation>El mismo puesto</translation>
    </message>
    <message>
        <source>Igua&amp;ldade de puntos na clasificación:</source>
        <translation>Igua&amp;ldad de puntos en la clasificación:</translation>
    </message>
    <message>
        <source>Clubs &amp;convidados (non puntúan):</source>
        <translation>&amp;Clubs invitados (no puntúan):</translation>
    </message>
    <message>
        <source>As marcas xa gardadas conservan os seus puntos: as regras novas valen para as que se engadan despois.</source>
        <translation>Las marcas ya guardadas conservan sus puntos: las reglas nuevas valen para las que se añadan después.</translation>
    </message>
    <message>
        <source>Gardar</source>
        <translation>Guardar</translation>
    </message>
    <message>
        <source>Cancelar</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>A táboa individual</source>
        <translation>La tabla individual</translation>
    </message>
    <message>
        <source>A táboa das remudas</source>
        <translation>La tabla de los relevos</translation>
    </message>
    <message>
        <source>%1
Non se gardou nada.</source>
        <translation>%1
No se ha guardado nada.</translation>
    </message>
    <message>
        <source>As das categorías (idades, clases)</source>
        <translation>Las de las categorías (edades, clases)</translation>
    </message>
    <message>
        <source>A absoluta</source>
        <translation>La absoluta</translation>
    </message>
    <message>
        <source>Probas con clasificación absoluta e por categorías: puntúan &amp;as</source>
        <translation>Pruebas con clasificación absoluta y por categorías: puntúan l&amp;as</translation>
    </message>
</context>
<context>
    <name>quilvarden::app::ScoreDialog</name>
    <message>
        <source>Puntuar desde resultados</source>
        <translation>Puntuar desde resultados</translation>
    </message>
    <message>
        <source>Estes son os puntos que se gardarán desde %1:</source>
        <translation>Estos son los puntos que se guardarán desde %1:</translation>
    </message>
    <message>
        <source>Non hai nada que puntuar en %1:</source>
        <translation>No hay nada que puntuar en %1:</translation>
    </message>
    <message>
        <source>Substituír os puntos das probas que xa os teñen</source>
        <translation>Sustituir los puntos de las pruebas que ya los tienen</translation>
    </message>
    <message>
        <source>Gardar</source>
        <translation>Guardar</translation>
    </message>
    <message>
        <source>Cancelar</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Categorías que se puntúan:</source>
        <translation>Categorías que se puntúan:</translation>
    </message>
</context>
<context>
    <name>quilvarden::app::WelcomeDialog</name>
    <message>
        <source>Benvida a Quilvarden</source>
        <translation>Bienvenida a Quilvarden</translation>
    </message>
    <message>
        <source>Para levar os puntos dun campionato cómpre un rexistro: un ficheiro neste ordenador ou unha base de datos nun servidor. Que queres facer?</source>
        <translation>Para llevar los puntos de un campeonato hace falta un registro: un archivo en este ordenador o una base de datos en un servidor. ¿Qué quieres hacer?</translation>
    </message>
    <message>
        <source>Crear un rexistro co &amp;programa do campionato (Lenex ou Access)…</source>
        <translation>Crear un registro con el &amp;programa del campeonato (Lenex o Access)…</translation>
    </message>
    <message>
        <source>Crear un rexistro &amp;baleiro…</source>
        <translation>Crear un registro &amp;vacío…</translation>
    </message>
    <message>
        <source>Crear un rexistro co campionato de &amp;exemplo…</source>
        <translation>Crear un registro con el campeonato de &amp;ejemplo…</translation>
    </message>
    <message>
        <source>&amp;Abrir un rexistro que xa existe…</source>
        <translation>&amp;Abrir un registro que ya existe…</translation>
    </message>
    <message>
        <source>Abrir un rexistro nun &amp;servidor…</source>
        <translation>Abrir un registro en un &amp;servidor…</translation>
    </message>
    <message>
        <source>Saír</source>
        <translation>Salir</translation>
    </message>
</context>
</TS>
