<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="gl_ES" sourcelanguage="en">
<context>
    <name>QPlatformTheme</name>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;Non</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;Si</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Axuda</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Abrir</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Gardar</translation>
    </message>
    <message>
        <source>Abort</source>
        <translation>Interromper</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Aplicar</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Pechar</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Reiniciar</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>Tentar de novo</translation>
    </message>
    <message>
        <source>Restore Defaults</source>
        <translation>Repor as predefinicións</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Ignore</source>
        <translation>Ignorar</translation>
    </message>
    <message>
        <source>N&amp;o to All</source>
        <translation>Non a to&amp;do</translation>
    </message>
    <message>
        <source>Save All</source>
        <translation>Gardar todo</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>Descartar</translation>
    </message>
    <message>
        <source>Yes to &amp;All</source>
        <translation>Si a &amp;todo</translation>
    </message>
    <message>
        <source>Don&apos;t Save</source>
        <translation>Non gardar</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;Aceptar</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Gardar</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Pechar</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Cancelar</translation>
    </message>
    <message>
        <source>Close without Saving</source>
        <translation>Pechar sen gardar</translation>
    </message>
    <message>
        <source>Save &amp;All</source>
        <translation>Gardar &amp;todo</translation>
    </message>
    <message>
        <source>&amp;No to All</source>
        <translation>&amp;Non a todo</translation>
    </message>
    <message>
        <source>&amp;Yes to All</source>
        <translation>&amp;Si a todo</translation>
    </message>
</context>
<context>
    <name>QGnomeTheme</name>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;Aceptar</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Gardar</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Pechar</translation>
    </message>
    <message>
        <source>Close without Saving</source>
        <translation>Pechar sen gardar</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Cancelar</translation>
    </message>
</context>
<context>
    <name>QWidgetTextControl</name>
    <message>
        <source>Cu&amp;t</source>
        <translation>Cor&amp;tar</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Copiar</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Refacer</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Desfacer</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>A&amp;pegar</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Borrar</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Escoller todo</translation>
    </message>
    <message>
        <source>Copy &amp;Link Location</source>
        <translation>Copiar o enderezo da &amp;ligazón</translation>
    </message>
</context>
<context>
    <name>QCommandLineParser</name>
    <message>
        <source>Unknown options: %1.</source>
        <translation>Opcións descoñecidas: %1.</translation>
    </message>
    <message>
        <source>Unknown option &apos;%1&apos;.</source>
        <translation>Opción descoñecida «%1».</translation>
    </message>
    <message>
        <source>[options]</source>
        <translation>[opcións]</translation>
    </message>
    <message>
        <source>Options:</source>
        <translation>Opcións:</translation>
    </message>
    <message>
        <source>Usage: %1</source>
        <translation>Uso: %1</translation>
    </message>
    <message>
        <source>Unexpected value after &apos;%1&apos;.</source>
        <translation>Valor inesperado despois de «%1».</translation>
    </message>
    <message>
        <source>Displays version information.</source>
        <translation>Amosa a información da versión.</translation>
    </message>
    <message>
        <source>Arguments:</source>
        <translation>Argumentos:</translation>
    </message>
    <message>
        <source>Displays this help.</source>
        <translation>Amosa esta axuda.</translation>
    </message>
    <message>
        <source>Missing value after &apos;%1&apos;.</source>
        <translation>Falta o valor despois de «%1».</translation>
    </message>
    <message>
        <source>Displays help on commandline options.</source>
        <translation>Amosa a axuda das opcións da liña de ordes.</translation>
    </message>
    <message>
        <source>Displays help including Qt specific options.</source>
        <translation>Amosa a axuda, coas opcións propias de Qt.</translation>
    </message>
</context>
<context>
    <name>QXmlStream</name>
    <message>
        <source>Attribute &apos;%1&apos; redefined.</source>
        <translation>O atributo «%1» está redefinido.</translation>
    </message>
</context>
<context>
    <name>QFile</name>
    <message>
        <source>Destination file is the same file.</source>
        <translation>O ficheiro de destino é o mesmo ficheiro.</translation>
    </message>
    <message>
        <source>Error while renaming.</source>
        <translation>Erro ao mudar o nome.</translation>
    </message>
    <message>
        <source>Source file does not exist.</source>
        <translation>O ficheiro de orixe non existe.</translation>
    </message>
    <message>
        <source>Unable to restore from %1: %2</source>
        <translation>Non se pode restaurar desde %1: %2</translation>
    </message>
</context>
<context>
    <name>QIODevice</name>
    <message>
        <source>file to open is a directory</source>
        <translation>o ficheiro que se abre é un cartafol</translation>
    </message>
</context>
<context>
    <name>QFileDialog</name>
    <message>
        <source>Files</source>
        <translation>Ficheiros</translation>
    </message>
    <message>
        <source>Are you sure you want to delete &apos;%1&apos;?</source>
        <translation>Seguro que queres borrar «%1»?</translation>
    </message>
    <message>
        <source>List of places and bookmarks</source>
        <translation>Lista de lugares e marcadores</translation>
    </message>
    <message>
        <source>Alt+Left</source>
        <translation>Alt+Left</translation>
    </message>
    <message>
        <source>Alt+Up</source>
        <translation>Alt+Up</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Borrar</translation>
    </message>
    <message>
        <source>Alt+Right</source>
        <translation>Alt+Right</translation>
    </message>
    <message>
        <source>%1 File</source>
        <translation>Ficheiro %1</translation>
    </message>
    <message>
        <source>Sidebar</source>
        <translation>Barra lateral</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Todos os ficheiros (*)</translation>
    </message>
</context>
<context>
    <name>QPrintDialog</name>
    <message>
        <source>Even Pages</source>
        <translation>Páxinas pares</translation>
    </message>
    <message>
        <source>Odd Pages</source>
        <translation>Páxinas impares</translation>
    </message>
    <message>
        <source>All Pages</source>
        <translation>Todas as páxinas</translation>
    </message>
    <message>
        <source>Automatic</source>
        <translation>Automático</translation>
    </message>
    <message>
        <source>Write PDF file</source>
        <translation>Escribir un ficheiro PDF</translation>
    </message>
    <message>
        <source>1 (1x1)</source>
        <translation>1 (1x1)</translation>
    </message>
    <message>
        <source>2 (2x1)</source>
        <translation>2 (2x1)</translation>
    </message>
    <message>
        <source>4 (2x2)</source>
        <translation>4 (2x2)</translation>
    </message>
    <message>
        <source>6 (2x3)</source>
        <translation>6 (2x3)</translation>
    </message>
    <message>
        <source>9 (3x3)</source>
        <translation>9 (3x3)</translation>
    </message>
    <message>
        <source>16 (4x4)</source>
        <translation>16 (4x4)</translation>
    </message>
    <message>
        <source>Options &apos;Pages Per Sheet&apos; and &apos;Page Set&apos; cannot be used together.
Please turn one of those options off.</source>
        <translation>As opcións «Páxinas por folla» e «Conxunto de páxinas» non se poden usar xuntas.
Desactiva unha delas.</translation>
    </message>
    <message>
        <source>Left to Right, Top to Bottom</source>
        <translation>De esquerda a dereita, de arriba a abaixo</translation>
    </message>
    <message>
        <source>Left to Right, Bottom to Top</source>
        <translation>De esquerda a dereita, de abaixo a arriba</translation>
    </message>
    <message>
        <source>Right to Left, Top to Bottom</source>
        <translation>De dereita a esquerda, de arriba a abaixo</translation>
    </message>
    <message>
        <source>Right to Left, Bottom to Top</source>
        <translation>De dereita a esquerda, de abaixo a arriba</translation>
    </message>
    <message>
        <source>Top to Bottom, Left to Right</source>
        <translation>De arriba a abaixo, de esquerda a dereita</translation>
    </message>
    <message>
        <source>Top to Bottom, Right to Left</source>
        <translation>De arriba a abaixo, de dereita a esquerda</translation>
    </message>
    <message>
        <source>Bottom to Top, Left to Right</source>
        <translation>De abaixo a arriba, de esquerda a dereita</translation>
    </message>
    <message>
        <source>Bottom to Top, Right to Left</source>
        <translation>De abaixo a arriba, de dereita a esquerda</translation>
    </message>
</context>
<context>
    <name>QPrintSettingsOutput</name>
    <message>
        <source>Page Set:</source>
        <translation>Conxunto de páxinas:</translation>
    </message>
</context>
<context>
    <name>QPageSetupWidget</name>
    <message>
        <source>CC</source>
        <translation>CC</translation>
    </message>
    <message>
        <source>DD</source>
        <translation>DD</translation>
    </message>
    <message>
        <source>in</source>
        <translation>in</translation>
    </message>
    <message>
        <source>mm</source>
        <translation>mm</translation>
    </message>
    <message>
        <source>pt</source>
        <translation>pt</translation>
    </message>
    <message>
        <source>P̸</source>
        <translation>P̸</translation>
    </message>
    <message>
        <source>Pica (P̸)</source>
        <translation>Pica (P̸)</translation>
    </message>
    <message>
        <source>Custom</source>
        <translation>Personalizado</translation>
    </message>
    <message>
        <source>Page Layout</source>
        <translation>Disposición da páxina</translation>
    </message>
    <message>
        <source>Didot (DD)</source>
        <translation>Didot (DD)</translation>
    </message>
    <message>
        <source>Page order:</source>
        <translation>Orde das páxinas:</translation>
    </message>
    <message>
        <source>Cicero (CC)</source>
        <translation>Cícero (CC)</translation>
    </message>
    <message>
        <source>Pages per sheet:</source>
        <translation>Páxinas por folla:</translation>
    </message>
</context>
</TS>
