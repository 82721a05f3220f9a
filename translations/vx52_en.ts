<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="cs_CZ">
<context>
    <name>ChartPauseHint</name>
    <message>
        <source>Pozastavený pohled</source>
        <translation>Paused view</translation>
    </message>
    <message>
        <source>Živý pohled</source>
        <translation>Live view</translation>
    </message>
    <message>
        <source>Vrátí graf k živému pohledu, který sleduje nové body (klávesa Home nebo dvojklik do grafu)</source>
        <translation>Returns the chart to the live view, which follows new points (the Home key or a double click in the chart)</translation>
    </message>
</context>
<context>
    <name>CodePage</name>
    <message>
        <source>Tato instalace nemá kódování Windows-1250: záznam ani soubor parametrů nelze zapsat</source>
        <translation>This installation lacks the Windows-1250 encoding: neither the record nor a parameter file can be written</translation>
    </message>
</context>
<context>
    <name>Failure</name>
    <message>
        <source>Neočekávaná chyba</source>
        <translation>Unexpected error</translation>
    </message>
</context>
<context>
    <name>LineWorker</name>
    <message>
        <source>Neočekávaná chyba</source>
        <translation>Unexpected error</translation>
    </message>
</context>
<context>
    <name>Link</name>
    <message>
        <source>Chyba, číslo tabulky mimo rozsah.</source>
        <translation>Error: table number out of range.</translation>
    </message>
    <message>
        <source>Sériový Port</source>
        <translation>Serial port</translation>
    </message>
    <message>
        <source>Nepředvídaná chyba, špatně zadaná tabulka</source>
        <translation>Unexpected error: wrong table given</translation>
    </message>
</context>
<context>
    <name>LinkWatch</name>
    <message>
        <source>čeká na odezvu</source>
        <translation>waiting for a reply</translation>
    </message>
    <message>
        <source>spojeno</source>
        <translation>connected</translation>
    </message>
    <message>
        <source>bez odezvy od %1</source>
        <translation>no reply since %1</translation>
    </message>
    <message>
        <source>port nelze otevřít</source>
        <translation>port cannot be opened</translation>
    </message>
    <message>
        <source>%1 | dobrá %2, chybná %3</source>
        <translation>%1 | good %2, failed %3</translation>
    </message>
    <message>
        <source> | poslední %1</source>
        <translation> | last %1</translation>
    </message>
</context>
<context>
    <name>OverviewRecord</name>
    <message>
        <source>Soubor %1 nelze zapsat: %2</source>
        <translation>Cannot write the file %1: %2</translation>
    </message>
</context>
<context>
    <name>ParamFile</name>
    <message>
        <source>INI SOUBOR</source>
        <translation>INI FILE</translation>
    </message>
    <message>
        <source>Uložit jako</source>
        <translation>Save as</translation>
    </message>
    <message>
        <source>Parametry regulátoru[*.ini] (*.ini)</source>
        <translation>Regulator parameters[*.ini] (*.ini)</translation>
    </message>
    <message>
        <source>Otevřít</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Parametry regulátoru [*.ini] (*.ini)</source>
        <translation>Regulator parameters [*.ini] (*.ini)</translation>
    </message>
    <message>
        <source>INI soubor %1 neexistuje</source>
        <translation>The INI file %1 does not exist</translation>
    </message>
    <message>
        <source>INI soubor %1 nelze přečíst (není to běžný soubor, je větší než 64 MB nebo k němu není přístup)</source>
        <translation>The INI file %1 cannot be read (it is not a regular file, it is larger than 64 MB, or access is denied)</translation>
    </message>
    <message>
        <source>INI soubor není typu QDX 72-4xxx [V.1.0]</source>
        <translation>The INI file is not of type QDX 72-4xxx [V.1.0]</translation>
    </message>
    <message>
        <source>INI soubor %1 neobsahuje parametry regulátoru QDX 72-4xxx</source>
        <translation>The INI file %1 holds no QDX 72-4xxx regulator parameters</translation>
    </message>
    <message>
        <source>Tyto položky INI souboru %1 nelze převzít, jejich karty zůstaly beze změny:
%2</source>
        <translation>These entries of the INI file %1 cannot be taken; their cards stay unchanged:
%2</translation>
    </message>
    <message>
        <source>: chybí</source>
        <translation>: missing</translation>
    </message>
    <message>
        <source>není celé číslo</source>
        <translation>not a whole number</translation>
    </message>
</context>
<context>
    <name>ParamReport</name>
    <message>
        <source>(nezjištěno)</source>
        <translation>(not known)</translation>
    </message>
    <message>
        <source>Datum a čas:</source>
        <translation>Date and time:</translation>
    </message>
    <message>
        <source>Typ přístroje:</source>
        <translation>Device type:</translation>
    </message>
    <message>
        <source>Verze přístroje:</source>
        <translation>Device version:</translation>
    </message>
    <message>
        <source>Adresa na sběrnici:</source>
        <translation>Bus address:</translation>
    </message>
    <message>
        <source>Soubor parametrů:</source>
        <translation>Parameter file:</translation>
    </message>
    <message>
        <source>Karta</source>
        <translation>Card</translation>
    </message>
    <message>
        <source>Parametr</source>
        <translation>Parameter</translation>
    </message>
    <message>
        <source>Hodnota</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>Popis</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>Jméno technika:</source>
        <translation>Technician&apos;s name:</translation>
    </message>
    <message>
        <source>Podpis:</source>
        <translation>Signature:</translation>
    </message>
    <message>
        <source>Protokol nastavení regulátoru QDX 72-4xxx</source>
        <translation>QDX 72-4xxx regulator settings report</translation>
    </message>
    <message>
        <source>Strana %1 z %2</source>
        <translation>Page %1 of %2</translation>
    </message>
</context>
<context>
    <name>RecordFile</name>
    <message>
        <source>Nelze zapsat soubor &quot;%1&quot;: %2</source>
        <translation>Cannot write the file &quot;%1&quot;: %2</translation>
    </message>
</context>
<context>
    <name>SerialLine</name>
    <message>
        <source>Není zvolen žádný sériový port. Port se volí v nabídce Nastavení, položka Komunikační port</source>
        <translation>No serial port is chosen. Choose one in the Settings menu, item Communication port</translation>
    </message>
    <message>
        <source>Sériový port %1 nelze otevřít</source>
        <translation>Serial port %1 cannot be opened</translation>
    </message>
    <message>
        <source>Nelze získat konfiguraci na sériovém portu %1</source>
        <translation>Cannot get the configuration of serial port %1</translation>
    </message>
    <message>
        <source>Nepodařila se reinicializace portu %1</source>
        <translation>Port %1 could not be set up again</translation>
    </message>
</context>
<context>
    <name>StationReading</name>
    <message>
        <source>vynechána</source>
        <translation>skipped</translation>
    </message>
    <message>
        <source>bez odpovědi</source>
        <translation>no reply</translation>
    </message>
    <message>
        <source>linka selhala</source>
        <translation>line failed</translation>
    </message>
    <message>
        <source>chybná odpověď</source>
        <translation>bad reply</translation>
    </message>
    <message>
        <source>čas,stanice,OUT 1,OUT 2,OUT 3,OUT 4,relé,stav</source>
        <translation>time,station,OUT 1,OUT 2,OUT 3,OUT 4,relays,state</translation>
    </message>
</context>
<context>
    <name>TAboutBox</name>
    <message>
        <source>O aplikaci</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Název produktu</source>
        <translation>Product name</translation>
    </message>
    <message>
        <source>VX-52</source>
        <translation>VX-52</translation>
    </message>
    <message>
        <source>Název firmy</source>
        <translation>Company name</translation>
    </message>
    <message>
        <source>Projekt VX-52</source>
        <translation>VX-52 project</translation>
    </message>
    <message>
        <source>Verze</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>Minimální systémové požadavky</source>
        <translation>Minimum system requirements</translation>
    </message>
    <message>
        <source>-CPU Pentium 100 MHz nebo vyšší</source>
        <translation>-CPU Pentium 100 MHz or faster</translation>
    </message>
    <message>
        <source>-Microsoft Windows 95/98/ME/2000/ nebo vyšší</source>
        <translation>-Microsoft Windows 95/98/ME/2000/ or later</translation>
    </message>
    <message>
        <source>-3 MB volného místa na pevném disku</source>
        <translation>-3 MB of free hard disk space</translation>
    </message>
    <message>
        <source>-Systémová paměť 64 MB (128 MB doporučeno)</source>
        <translation>-64 MB system memory (128 MB recommended)</translation>
    </message>
    <message>
        <source>-VGA nebo vyšší rozlišení</source>
        <translation>-VGA or higher resolution</translation>
    </message>
    <message>
        <source>Vytvořil tým projektu VX-52</source>
        <translation>Made by the VX-52 project team</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Verze %1</source>
        <translation>Version %1</translation>
    </message>
</context>
<context>
    <name>Tabout_ident</name>
    <message>
        <source>About</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Výrobce:</source>
        <translation>Maker:</translation>
    </message>
    <message>
        <source>Projekt VX-52</source>
        <translation>VX-52 project</translation>
    </message>
    <message>
        <source>Internet:</source>
        <translation>Web:</translation>
    </message>
    <message>
        <source>vx52.example.org</source>
        <translation>vx52.example.org</translation>
    </message>
    <message>
        <source>Načtené parametry z regulátoru:</source>
        <translation>Parameters read from the regulator:</translation>
    </message>
    <message>
        <source>Typ zařízení - neidentifikováno</source>
        <translation>Device type - not identified</translation>
    </message>
    <message>
        <source>Verze zařízení - neidentifikováno</source>
        <translation>Device version - not identified</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Identifikováno zařízení pro které je nutné použít jiný software</source>
        <translation>Identified a device that needs other software</translation>
    </message>
    <message>
        <source>jiné zařízení</source>
        <translation>other device</translation>
    </message>
</context>
<context>
    <name>Telegram</name>
    <message>
        <source>požadavek</source>
        <translation>request</translation>
    </message>
    <message>
        <source>data</source>
        <translation>data reply</translation>
    </message>
    <message>
        <source>potvrzení</source>
        <translation>acknowledgement</translation>
    </message>
    <message>
        <source>odmítnutí</source>
        <translation>refusal</translation>
    </message>
    <message>
        <source>neznámý rámec</source>
        <translation>unknown frame</translation>
    </message>
    <message>
        <source>typ zařízení</source>
        <translation>device type</translation>
    </message>
    <message>
        <source>čtení tabulky</source>
        <translation>table read</translation>
    </message>
    <message>
        <source>zápis tabulky</source>
        <translation>table write</translation>
    </message>
    <message>
        <source>měření</source>
        <translation>measurement</translation>
    </message>
    <message>
        <source>verze firmwaru</source>
        <translation>firmware version</translation>
    </message>
    <message>
        <source>hledání stanice</source>
        <translation>station search</translation>
    </message>
    <message>
        <source>chyba linky</source>
        <translation>line failure</translation>
    </message>
    <message>
        <source>bez odpovědi</source>
        <translation>no reply</translation>
    </message>
    <message>
        <source>krátká odpověď</source>
        <translation>short reply</translation>
    </message>
    <message>
        <source>chybná délka</source>
        <translation>bad length</translation>
    </message>
    <message>
        <source>chybný rámec</source>
        <translation>bad frame</translation>
    </message>
    <message>
        <source>chybný kontrolní součet</source>
        <translation>bad check sum</translation>
    </message>
    <message>
        <source>cizí stanice</source>
        <translation>other station</translation>
    </message>
    <message>
        <source>odmítnuto</source>
        <translation>refused</translation>
    </message>
    <message>
        <source>tabulka mimo rozsah</source>
        <translation>table out of range</translation>
    </message>
    <message>
        <source>pozdní odpověď, %1</source>
        <translation>late reply, %1</translation>
    </message>
    <message>
        <source>pozdní odpověď</source>
        <translation>late reply</translation>
    </message>
    <message>
        <source>bez odpovědi po %1 ms</source>
        <translation>no reply after %1 ms</translation>
    </message>
    <message>
        <source>krátká odpověď: %1 B</source>
        <translation>short reply: %1 B</translation>
    </message>
    <message>
        <source>krátká odpověď: %1 z %2 B</source>
        <translation>short reply: %1 of %2 B</translation>
    </message>
    <message>
        <source>odpověď jinému adresátovi</source>
        <translation>reply to another address</translation>
    </message>
    <message>
        <source>cizí stanice %1</source>
        <translation>other station %1</translation>
    </message>
    <message>
        <source>odmítnuto (FC %1)</source>
        <translation>refused (FC %1)</translation>
    </message>
</context>
<context>
    <name>TelegramExport</name>
    <message>
        <source>čas,směr,stanice,rámec,obsah,délka,výsledek,bajty</source>
        <translation>time,direction,station,frame,content,length,result,bytes</translation>
    </message>
    <message>
        <source>Nelze zapsat soubor &quot;%1&quot;: %2</source>
        <translation>Cannot write the file &quot;%1&quot;: %2</translation>
    </message>
</context>
<context>
    <name>Tform_zaznam</name>
    <message>
        <source>Rychlost záznamu</source>
        <translation>Recording rate</translation>
    </message>
    <message>
        <source>četnost záznamu</source>
        <translation>recording interval</translation>
    </message>
    <message>
        <source>sekundy</source>
        <translation>seconds</translation>
    </message>
    <message>
        <source>minuty</source>
        <translation>minutes</translation>
    </message>
    <message>
        <source>1</source>
        <translation>1</translation>
    </message>
    <message>
        <source>ukládání do souboru</source>
        <translation>saving to the file</translation>
    </message>
    <message>
        <source>15</source>
        <translation>15</translation>
    </message>
    <message>
        <source>min.</source>
        <translation>min.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Storno</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Je nutné zadávat pouze číslice</source>
        <translation>Only digits may be entered</translation>
    </message>
    <message>
        <source>CHYBA</source>
        <translation>ERROR</translation>
    </message>
    <message>
        <source>Je nutné zadávat pouze čísla v rozsahu %1 až %2
</source>
        <translation>Only numbers from %1 to %2 may be entered
</translation>
    </message>
    <message>
        <source>EDIT</source>
        <translation>EDIT</translation>
    </message>
</context>
<context>
    <name>Tload_form</name>
    <message>
        <source>Čtení parametrů</source>
        <translation>Reading parameters</translation>
    </message>
    <message>
        <source>Čekejte prosím</source>
        <translation>Please wait</translation>
    </message>
    <message>
        <source>neidentifikováno</source>
        <translation>not identified</translation>
    </message>
    <message>
        <source>Storno</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>zařízení typu QDX 01</source>
        <translation>a device of type QDX 01</translation>
    </message>
    <message>
        <source>žádné zařízení neodpovědělo</source>
        <translation>no device answered</translation>
    </message>
    <message>
        <source>Komunikace</source>
        <translation>Communication</translation>
    </message>
    <message>
        <source>Chyba při čtení nebo neznámé zařízení</source>
        <translation>Read error or unknown device</translation>
    </message>
    <message>
        <source>Identifikováno zařízení typu QDX 01</source>
        <translation>Identified a device of type QDX 01</translation>
    </message>
    <message>
        <source>Čtení parametrů zastaveno, nenačteny karty: %1</source>
        <translation>Reading the parameters stopped; cards not read: %1</translation>
    </message>
    <message>
        <source>zařízení s verzí firmwaru %1</source>
        <translation>a device with firmware version %1</translation>
    </message>
    <message>
        <source>zařízení jiného typu (%1)</source>
        <translation>a device of another type (%1)</translation>
    </message>
</context>
<context>
    <name>Tmenu_mod</name>
    <message>
        <source>QDX 72-4xxx</source>
        <translation>QDX 72-4xxx</translation>
    </message>
    <message>
        <source>Soubor</source>
        <translation>File</translation>
    </message>
    <message>
        <source>COMP</source>
        <translation>COMP</translation>
    </message>
    <message>
        <source>Nastavení</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>SP</source>
        <translation>SP</translation>
    </message>
    <message>
        <source>0</source>
        <translation>0</translation>
    </message>
    <message>
        <source>žádaná hodnota</source>
        <translation>set point</translation>
    </message>
    <message>
        <source>ALARM 1</source>
        <translation>ALARM 1</translation>
    </message>
    <message>
        <source>ALA1</source>
        <translation>ALA1</translation>
    </message>
    <message>
        <source>hranice alarmu</source>
        <translation>alarm limit</translation>
    </message>
    <message>
        <source>HYST</source>
        <translation>HYST</translation>
    </message>
    <message>
        <source>hystereze</source>
        <translation>hysteresis</translation>
    </message>
    <message>
        <source>OUT3</source>
        <translation>OUT3</translation>
    </message>
    <message>
        <source>IN-1 (přiřadí vstup 1)</source>
        <translation>IN-1 (assigns input 1)</translation>
    </message>
    <message>
        <source>IN-2 (přiřadí vstup 2)</source>
        <translation>IN-2 (assigns input 2)</translation>
    </message>
    <message>
        <source>IN-3 (přiřadí vstup 3)</source>
        <translation>IN-3 (assigns input 3)</translation>
    </message>
    <message>
        <source>IN-4 (přiřadí vstup 4)</source>
        <translation>IN-4 (assigns input 4)</translation>
    </message>
    <message>
        <source>přiřazení vstupního signálu</source>
        <translation>input signal assignment</translation>
    </message>
    <message>
        <source>RELE</source>
        <translation>RELE</translation>
    </message>
    <message>
        <source>HEAT při překročení relé vypne</source>
        <translation>HEAT relay switches off when exceeded</translation>
    </message>
    <message>
        <source>COOL při překročení relé sepne</source>
        <translation>COOL relay switches on when exceeded</translation>
    </message>
    <message>
        <source>stav výstupního relé</source>
        <translation>output relay state</translation>
    </message>
    <message>
        <source>RALA</source>
        <translation>RALA</translation>
    </message>
    <message>
        <source>STAV</source>
        <translation>STAV</translation>
    </message>
    <message>
        <source>POSU</source>
        <translation>POSU</translation>
    </message>
    <message>
        <source>režim alarmu</source>
        <translation>alarm mode</translation>
    </message>
    <message>
        <source>ALARM 2</source>
        <translation>ALARM 2</translation>
    </message>
    <message>
        <source>ALA2</source>
        <translation>ALA2</translation>
    </message>
    <message>
        <source>OUT4</source>
        <translation>OUT4</translation>
    </message>
    <message>
        <source>SENS 1</source>
        <translation>SENS 1</translation>
    </message>
    <message>
        <source>TYPE</source>
        <translation>TYPE</translation>
    </message>
    <message>
        <source>0 až 20 mA</source>
        <translation>0 to 20 mA</translation>
    </message>
    <message>
        <source>4 až 20 mA</source>
        <translation>4 to 20 mA</translation>
    </message>
    <message>
        <source>0 až 5 V</source>
        <translation>0 to 5 V</translation>
    </message>
    <message>
        <source>typ senzoru</source>
        <translation>sensor type</translation>
    </message>
    <message>
        <source>DP</source>
        <translation>DP</translation>
    </message>
    <message>
        <source>0000.</source>
        <translation>0000.</translation>
    </message>
    <message>
        <source>000.0</source>
        <translation>000.0</translation>
    </message>
    <message>
        <source>00.00</source>
        <translation>00.00</translation>
    </message>
    <message>
        <source>desetinná tečka</source>
        <translation>decimal point</translation>
    </message>
    <message>
        <source>STRS</source>
        <translation>STRS</translation>
    </message>
    <message>
        <source>začátek rozsahu senzoru</source>
        <translation>start of the sensor range</translation>
    </message>
    <message>
        <source>ENDS</source>
        <translation>ENDS</translation>
    </message>
    <message>
        <source>Konec rozsahu senzoru</source>
        <translation>End of the sensor range</translation>
    </message>
    <message>
        <source>OBR</source>
        <translation>OBR</translation>
    </message>
    <message>
        <source>COMP žádaná hodnota</source>
        <translation>COMP set point</translation>
    </message>
    <message>
        <source>ODCH odchylka od žádané</source>
        <translation>ODCH deviation from the set point</translation>
    </message>
    <message>
        <source>ALA1 hranice alarmu 1</source>
        <translation>ALA1 alarm limit 1</translation>
    </message>
    <message>
        <source>ALA2 hranice alarmu 2</source>
        <translation>ALA2 alarm limit 2</translation>
    </message>
    <message>
        <source>. . . .  zhasnutý displej</source>
        <translation>. . . .  display off</translation>
    </message>
    <message>
        <source>zobrazení na spodním řádku displeje</source>
        <translation>shown on the display&apos;s lower line</translation>
    </message>
    <message>
        <source>SENS 2</source>
        <translation>SENS 2</translation>
    </message>
    <message>
        <source>SENS 3</source>
        <translation>SENS 3</translation>
    </message>
    <message>
        <source>SENS 4</source>
        <translation>SENS 4</translation>
    </message>
    <message>
        <source>PID</source>
        <translation>PID</translation>
    </message>
    <message>
        <source>PB</source>
        <translation>PB</translation>
    </message>
    <message>
        <source>zesílení PID regulátoru</source>
        <translation>PID controller gain</translation>
    </message>
    <message>
        <source>INT</source>
        <translation>INT</translation>
    </message>
    <message>
        <source>integrační konstanta</source>
        <translation>integral constant</translation>
    </message>
    <message>
        <source>DER</source>
        <translation>DER</translation>
    </message>
    <message>
        <source>derivační konstanta</source>
        <translation>derivative constant</translation>
    </message>
    <message>
        <source>REGO</source>
        <translation>REGO</translation>
    </message>
    <message>
        <source>TYP</source>
        <translation>TYP</translation>
    </message>
    <message>
        <source>PID 2</source>
        <translation>PID 2</translation>
    </message>
    <message>
        <source>PID 3</source>
        <translation>PID 3</translation>
    </message>
    <message>
        <source>typ algoritmu</source>
        <translation>algorithm type</translation>
    </message>
    <message>
        <source>DSER</source>
        <translation>DSER</translation>
    </message>
    <message>
        <source>10</source>
        <translation>10</translation>
    </message>
    <message>
        <source>doba servopohonu</source>
        <translation>actuator travel time</translation>
    </message>
    <message>
        <source>DEAD</source>
        <translation>DEAD</translation>
    </message>
    <message>
        <source>1</source>
        <translation>1</translation>
    </message>
    <message>
        <source>necitlivost regulace [%]</source>
        <translation>control dead band [%]</translation>
    </message>
    <message>
        <source>FEED</source>
        <translation>FEED</translation>
    </message>
    <message>
        <source>_NO_ (bez zpětné vazby)</source>
        <translation>_NO_ (without feedback)</translation>
    </message>
    <message>
        <source>YES_ (se zpětnou vazbou)</source>
        <translation>YES_ (with feedback)</translation>
    </message>
    <message>
        <source>Zpětná vazba</source>
        <translation>Feedback</translation>
    </message>
    <message>
        <source>DACO</source>
        <translation>DACO</translation>
    </message>
    <message>
        <source>A-IN</source>
        <translation>A-IN</translation>
    </message>
    <message>
        <source>ACSI (akční zásah)</source>
        <translation>ACSI (control output)</translation>
    </message>
    <message>
        <source>IN_1 (vstup 1)</source>
        <translation>IN_1 (input 1)</translation>
    </message>
    <message>
        <source>IN_2 (vstup 2)</source>
        <translation>IN_2 (input 2)</translation>
    </message>
    <message>
        <source>IN_3 (vstup 3)</source>
        <translation>IN_3 (input 3)</translation>
    </message>
    <message>
        <source>IN_4 (vstup 4)</source>
        <translation>IN_4 (input 4)</translation>
    </message>
    <message>
        <source>ODCH (odchylka)</source>
        <translation>ODCH (deviation)</translation>
    </message>
    <message>
        <source>přiřazení analogového výstupu</source>
        <translation>analogue output assignment</translation>
    </message>
    <message>
        <source>A-OUT</source>
        <translation>A-OUT</translation>
    </message>
    <message>
        <source>0-20mA</source>
        <translation>0-20mA</translation>
    </message>
    <message>
        <source>4-20mA</source>
        <translation>4-20mA</translation>
    </message>
    <message>
        <source>20-0mA</source>
        <translation>20-0mA</translation>
    </message>
    <message>
        <source>20-4mA</source>
        <translation>20-4mA</translation>
    </message>
    <message>
        <source>směr a velikost analogového výstupu</source>
        <translation>analogue output direction and range</translation>
    </message>
    <message>
        <source>OST_</source>
        <translation>OST_</translation>
    </message>
    <message>
        <source>VER_</source>
        <translation>VER_</translation>
    </message>
    <message>
        <source>Verze 1 (na konstantní hodnotu)</source>
        <translation>Version 1 (to a constant value)</translation>
    </message>
    <message>
        <source>Verze 2 (poměr dvou veličin)</source>
        <translation>Version 2 (ratio of two quantities)</translation>
    </message>
    <message>
        <source>Verze 3 (poměr tří veličin)</source>
        <translation>Version 3 (ratio of three quantities)</translation>
    </message>
    <message>
        <source>Verze 4 (s dálkovým nastavením SP)</source>
        <translation>Version 4 (with remote SP setting)</translation>
    </message>
    <message>
        <source>verze</source>
        <translation>version</translation>
    </message>
    <message>
        <source>HES1</source>
        <translation>HES1</translation>
    </message>
    <message>
        <source>heslo 1</source>
        <translation>password 1</translation>
    </message>
    <message>
        <source>HES2</source>
        <translation>HES2</translation>
    </message>
    <message>
        <source>heslo 2</source>
        <translation>password 2</translation>
    </message>
    <message>
        <source>CON1</source>
        <translation>CON1</translation>
    </message>
    <message>
        <source>konstanta 1 [-4 až +4]</source>
        <translation>constant 1 [-4 to +4]</translation>
    </message>
    <message>
        <source>CON2</source>
        <translation>CON2</translation>
    </message>
    <message>
        <source>konstanta 2  [-4 až +4]</source>
        <translation>constant 2  [-4 to +4]</translation>
    </message>
    <message>
        <source>FILT</source>
        <translation>FILT</translation>
    </message>
    <message>
        <source>0 (bez filtru)</source>
        <translation>0 (no filter)</translation>
    </message>
    <message>
        <source>2</source>
        <translation>2</translation>
    </message>
    <message>
        <source>3</source>
        <translation>3</translation>
    </message>
    <message>
        <source>4</source>
        <translation>4</translation>
    </message>
    <message>
        <source>5</source>
        <translation>5</translation>
    </message>
    <message>
        <source>6</source>
        <translation>6</translation>
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
        <source>9</source>
        <translation>9</translation>
    </message>
    <message>
        <source>11</source>
        <translation>11</translation>
    </message>
    <message>
        <source>12</source>
        <translation>12</translation>
    </message>
    <message>
        <source>13</source>
        <translation>13</translation>
    </message>
    <message>
        <source>14</source>
        <translation>14</translation>
    </message>
    <message>
        <source>15</source>
        <translation>15</translation>
    </message>
    <message>
        <source>vstupní filtr</source>
        <translation>input filter</translation>
    </message>
    <message>
        <source>ADD</source>
        <translation>ADD</translation>
    </message>
    <message>
        <source>adresa regulátoru</source>
        <translation>regulator address</translation>
    </message>
    <message>
        <source>Čtení karty</source>
        <translation>Read card</translation>
    </message>
    <message>
        <source>Čtení dat z regulátoru této karty</source>
        <translation>Reads this card&apos;s data from the regulator</translation>
    </message>
    <message>
        <source>Zápis karty</source>
        <translation>Write card</translation>
    </message>
    <message>
        <source>Zápis dat do regulátoru této karty</source>
        <translation>Writes this card&apos;s data to the regulator</translation>
    </message>
    <message>
        <source>EEPROM</source>
        <translation>EEPROM</translation>
    </message>
    <message>
        <source>Zápis dat do EEPROM v regulátoru</source>
        <translation>Stores the data in the regulator&apos;s EEPROM</translation>
    </message>
    <message>
        <source>Čtení</source>
        <translation>Read</translation>
    </message>
    <message>
        <source>Zápis</source>
        <translation>Write</translation>
    </message>
    <message>
        <source>Zpět</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>Opuštění nastavení regulátoru</source>
        <translation>Leaves the regulator settings</translation>
    </message>
    <message>
        <source>Porovnat s regulátorem</source>
        <translation>Compare with regulator</translation>
    </message>
    <message>
        <source>Porovnání karet s parametry v regulátoru</source>
        <translation>Compares the cards with the parameters in the regulator</translation>
    </message>
    <message>
        <source>Náhled zápisu</source>
        <translation>Preview writes</translation>
    </message>
    <message>
        <source>Zápis nejprve vypíše, co v regulátoru změní, a zeptá se</source>
        <translation>A write first lists what it will change in the regulator and asks</translation>
    </message>
    <message>
        <source>Otevřít...</source>
        <translation>Open...</translation>
    </message>
    <message>
        <source>Načtení uložených dat ze souboru na karty regulátorů</source>
        <translation>Loads saved data from a file onto the cards</translation>
    </message>
    <message>
        <source>Uložit...</source>
        <translation>Save...</translation>
    </message>
    <message>
        <source>Uložení nastavených dat do souboru</source>
        <translation>Saves the cards&apos; data to a file</translation>
    </message>
    <message>
        <source>tl_pom</source>
        <translation>tl_pom</translation>
    </message>
    <message>
        <source>Porovnat se souborem…</source>
        <translation>Compare with file…</translation>
    </message>
    <message>
        <source>Tisk protokolu…</source>
        <translation>Print report…</translation>
    </message>
    <message>
        <source>Uložit protokol jako PDF…</source>
        <translation>Save report as PDF…</translation>
    </message>
    <message>
        <source>Porovnání</source>
        <translation>Comparison</translation>
    </message>
    <message>
        <source>Karta</source>
        <translation>Card</translation>
    </message>
    <message>
        <source>Parametr</source>
        <translation>Parameter</translation>
    </message>
    <message>
        <source>Na kartě</source>
        <translation>On the card</translation>
    </message>
    <message>
        <source>V regulátoru</source>
        <translation>In the regulator</translation>
    </message>
    <message>
        <source>parametr</source>
        <translation>parameter</translation>
    </message>
    <message>
        <source>parametry</source>
        <translation>parameters</translation>
    </message>
    <message>
        <source>parametrů</source>
        <translation>parameters</translation>
    </message>
    <message>
        <source>Porovnat se souborem</source>
        <translation>Compare with file</translation>
    </message>
    <message>
        <source>Uložit protokol jako PDF</source>
        <translation>Save report as PDF</translation>
    </message>
    <message>
        <source>Protokol PDF (*.pdf)</source>
        <translation>PDF report (*.pdf)</translation>
    </message>
    <message>
        <source>Porovnání zastaveno</source>
        <translation>Comparison stopped</translation>
    </message>
    <message>
        <source>Chyba při čtení</source>
        <translation>Read error</translation>
    </message>
    <message>
        <source>Karty se shodují s regulátorem.</source>
        <translation>The cards match the regulator.</translation>
    </message>
    <message>
        <source>V regulátoru se liší %1.</source>
        <translation>%1 differ in the regulator.</translation>
    </message>
    <message>
        <source> Nepřečteno, neporovnáno: %1.</source>
        <translation> Not read, not compared: %1.</translation>
    </message>
    <message>
        <source>V souboru</source>
        <translation>In the file</translation>
    </message>
    <message>
        <source>Karty se shodují se souborem %1.</source>
        <translation>The cards match the file %1.</translation>
    </message>
    <message>
        <source>Se souborem %1 se liší %2.</source>
        <translation>%2 differ from the file %1.</translation>
    </message>
    <message>
        <source>Zápis zastaven, nic nezapsáno</source>
        <translation>Write stopped, nothing written</translation>
    </message>
    <message>
        <source>Zápis by v regulátoru nic nezměnil: karty se s ním shodují. Nic se nezapisuje.</source>
        <translation>A write would change nothing in the regulator: the cards match it. Nothing is written.</translation>
    </message>
    <message>
        <source>Karty se shodují s regulátorem, nic nezapsáno</source>
        <translation>The cards match the regulator, nothing written</translation>
    </message>
    <message>
        <source>V přečtených kartách zápis nic nezmění.</source>
        <translation>The write changes nothing on the cards read.</translation>
    </message>
    <message>
        <source>Zápis změní v regulátoru %1.</source>
        <translation>The write changes %1 in the regulator.</translation>
    </message>
    <message>
        <source> Nepřečteno, zapíše se bez porovnání: %1.</source>
        <translation> Not read, written without comparison: %1.</translation>
    </message>
    <message>
        <source>

Pokračovat v zápisu?</source>
        <translation>

Go on with the write?</translation>
    </message>
    <message>
        <source>Po zápisu</source>
        <translation>After the write</translation>
    </message>
    <message>
        <source>Protokol nelze vytisknout na %1</source>
        <translation>The report cannot be printed on %1</translation>
    </message>
    <message>
        <source>Protokol uložen do %1</source>
        <translation>Report saved to %1</translation>
    </message>
    <message>
        <source>z regulátoru</source>
        <translation>from the regulator</translation>
    </message>
    <message>
        <source>ze souboru</source>
        <translation>from a file</translation>
    </message>
    <message>
        <source>zadáno</source>
        <translation>entered</translation>
    </message>
    <message>
        <source>nenačteno</source>
        <translation>not loaded</translation>
    </message>
    <message>
        <source>Hodnota musí ležet v rozsahu %1</source>
        <translation>The value must lie in the range %1</translation>
    </message>
    <message>
        <source>Je nutné zadávat pouze čísla nebo desetinnou čárku</source>
        <translation>Only digits and the decimal separator may be entered</translation>
    </message>
    <message>
        <source>Je nutné zadávat pouze čísla</source>
        <translation>Only digits may be entered</translation>
    </message>
    <message>
        <source>(mimo seznam: %1)</source>
        <translation>(not in the list: %1)</translation>
    </message>
    <message>
        <source>Storno</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Zastavení přenosu po právě přenášené kartě (Esc)</source>
        <translation>Stops the transfer after the card now being transferred (Esc)</translation>
    </message>
    <message>
        <source>-4 až +4</source>
        <translation>-4 to +4</translation>
    </message>
    <message>
        <source>0 až 126</source>
        <translation>0 to 126</translation>
    </message>
    <message>
        <source>%1 až %2</source>
        <translation>%1 to %2</translation>
    </message>
    <message>
        <source>Komunikace</source>
        <translation>Communication</translation>
    </message>
    <message>
        <source>neidentifikované zařízení</source>
        <translation>an unidentified device</translation>
    </message>
    <message>
        <source>Identifikace nenalezla regulátor QDX 72-4xxx, ale: %1.
Zapsat přesto do tohoto zařízení?</source>
        <translation>The identification found no QDX 72-4xxx regulator but: %1.
Write to this device all the same?</translation>
    </message>
    <message>
        <source>Dotaz</source>
        <translation>Question</translation>
    </message>
    <message>
        <source>Karta %1 načtena z regulátoru</source>
        <translation>Card %1 read from the regulator</translation>
    </message>
    <message>
        <source>Chyba při čtení karty %1</source>
        <translation>Error reading card %1</translation>
    </message>
    <message>
        <source>Chyba při zápisu karty %1</source>
        <translation>Error writing card %1</translation>
    </message>
    <message>
        <source>Karta %1 zapsána do regulátoru</source>
        <translation>Card %1 written to the regulator</translation>
    </message>
    <message>
        <source>Všechny karty načteny z regulátoru</source>
        <translation>All cards read from the regulator</translation>
    </message>
    <message>
        <source>Čtení zastaveno, </source>
        <translation>Reading stopped, </translation>
    </message>
    <message>
        <source>nenačteny karty: %1</source>
        <translation>cards not read: %1</translation>
    </message>
    <message>
        <source>Chyba při čtení karet: %1</source>
        <translation>Error reading cards: %1</translation>
    </message>
    <message>
        <source>Karty %1 obsahují hodnoty, které nebyly načteny z regulátoru ani ze souboru a nebyly zadány.
Zapsat do regulátoru i je?</source>
        <translation>Cards %1 hold values that were neither read from the regulator or a file nor entered.
Write them to the regulator as well?</translation>
    </message>
    <message>
        <source>Karta ADD nastavuje adresu regulátoru %1, regulátor je nyní na adrese %2.
Zápisem karty ADD se regulátor přesune na adresu %1. Zapsat i kartu ADD?</source>
        <translation>Card ADD sets the regulator address %1; the regulator is now at address %2.
Writing card ADD moves the regulator to address %1. Write card ADD as well?</translation>
    </message>
    <message>
        <source>Všechny karty zapsány do regulátoru</source>
        <translation>All cards written to the regulator</translation>
    </message>
    <message>
        <source>Nezapsány karty: %1</source>
        <translation>Cards not written: %1</translation>
    </message>
    <message>
        <source>; zapsány i nenačtené hodnoty karet: %1</source>
        <translation>; values never read were written too on cards: %1</translation>
    </message>
    <message>
        <source>Chyba při zápisu karet: %1</source>
        <translation>Error writing cards: %1</translation>
    </message>
    <message>
        <source>Parametry uloženy do EEPROM regulátoru</source>
        <translation>Parameters stored in the regulator&apos;s EEPROM</translation>
    </message>
    <message>
        <source>Chyba při zápisu do EEPROM</source>
        <translation>Error writing to the EEPROM</translation>
    </message>
    <message>
        <source>QDX72-4xxx-protokol.pdf</source>
        <translation>QDX72-4xxx-report.pdf</translation>
    </message>
    <message>
        <source>
V souboru chybí nebo je chybné, neporovnáno:
</source>
        <translation>
Missing or wrong in the file, not compared:
</translation>
    </message>
    <message>
        <source>Stav</source>
        <translation>State</translation>
    </message>
</context>
<context>
    <name>Tmonitor</name>
    <message>
        <source>Monitor komunikace</source>
        <translation>Communication monitor</translation>
    </message>
    <message>
        <source>Stanice:</source>
        <translation>Station:</translation>
    </message>
    <message>
        <source>Druh:</source>
        <translation>Kind:</translation>
    </message>
    <message>
        <source>Jen chyby</source>
        <translation>Errors only</translation>
    </message>
    <message>
        <source>Pozastavit</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Vymazat</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>Uložit…</source>
        <translation>Save…</translation>
    </message>
    <message>
        <source>všechny</source>
        <translation>all</translation>
    </message>
    <message>
        <source>vše</source>
        <translation>all</translation>
    </message>
    <message>
        <source>Uložit telegramy</source>
        <translation>Save telegrams</translation>
    </message>
    <message>
        <source>Záznam komunikace (*.txt);;CSV (*.csv)</source>
        <translation>Communication trace (*.txt);;CSV (*.csv)</translation>
    </message>
    <message>
        <source>Komunikace.txt</source>
        <translation>Communication.txt</translation>
    </message>
    <message>
        <source>Požadavky: %1   Dobré odpovědi: %2   Chyby: %3</source>
        <translation>Requests: %1   Good replies: %2   Failures: %3</translation>
    </message>
    <message>
        <source>   Pozdní odpovědi: %1</source>
        <translation>   Late replies: %1</translation>
    </message>
    <message>
        <source>   Odezva: průměr %1 ms, nejdelší %2 ms</source>
        <translation>   Response: mean %1 ms, longest %2 ms</translation>
    </message>
    <message>
        <source>stanice %1: %2 → / %3 OK / %4 chyb</source>
        <translation>station %1: %2 → / %3 OK / %4 failed</translation>
    </message>
</context>
<context>
    <name>Tmqtt</name>
    <message>
        <source>Publikování MQTT</source>
        <translation>MQTT publishing</translation>
    </message>
    <message>
        <source>&amp;Publikovat měření na broker MQTT</source>
        <translation>&amp;Publish readings to an MQTT broker</translation>
    </message>
    <message>
        <source>&amp;Broker:</source>
        <translation>&amp;Broker:</translation>
    </message>
    <message>
        <source>název nebo adresa počítače</source>
        <translation>host name or address</translation>
    </message>
    <message>
        <source>P&amp;ort:</source>
        <translation>P&amp;ort:</translation>
    </message>
    <message>
        <source>1883</source>
        <translation>1883</translation>
    </message>
    <message>
        <source>&amp;Identifikace klienta:</source>
        <translation>Client &amp;identifier:</translation>
    </message>
    <message>
        <source>prázdné: vytvoří se z názvu počítače</source>
        <translation>empty: made from the host name</translation>
    </message>
    <message>
        <source>Předpona &amp;témat:</source>
        <translation>&amp;Topic prefix:</translation>
    </message>
    <message>
        <source>&amp;Jméno:</source>
        <translation>User &amp;name:</translation>
    </message>
    <message>
        <source>prázdné: bez přihlášení</source>
        <translation>empty: no login</translation>
    </message>
    <message>
        <source>&amp;Heslo:</source>
        <translation>Pass&amp;word:</translation>
    </message>
    <message>
        <source>Šifrovat spojení (&amp;TLS)</source>
        <translation>Encrypt the connection (&amp;TLS)</translation>
    </message>
    <message>
        <source>&amp;Certifikát CA:</source>
        <translation>&amp;CA certificate:</translation>
    </message>
    <message>
        <source>prázdné: certifikáty systému</source>
        <translation>empty: the system&apos;s certificates</translation>
    </message>
    <message>
        <source>Vybrat...</source>
        <translation>Choose...</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Storno</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Heslo se ukládá jen do nastavení programu tohoto uživatele.</source>
        <translation>The password is kept only in this user&apos;s settings of the program.</translation>
    </message>
    <message>
        <source>Heslo se ukládá jen do souboru nastavení %1, který může číst a měnit jen váš uživatel (práva 0600).</source>
        <translation>The password is kept only in the settings file %1, which only your user can read and change (mode 0600).</translation>
    </message>
    <message>
        <source>Certifikát CA</source>
        <translation>CA certificate</translation>
    </message>
    <message>
        <source>Certifikáty (*.pem *.crt);;Všechny soubory (*)</source>
        <translation>Certificates (*.pem *.crt);;All files (*)</translation>
    </message>
    <message>
        <source>Port musí být celé číslo od 1 do 65535.</source>
        <translation>The port must be a whole number from 1 to 65535.</translation>
    </message>
    <message>
        <source>Zadejte broker: název nebo adresu počítače.</source>
        <translation>Enter the broker: the computer&apos;s name or address.</translation>
    </message>
    <message>
        <source>Předpona témat nesmí obsahovat + ani # a nesmí mít prázdnou úroveň (/ na začátku, na konci nebo dvě za sebou).</source>
        <translation>The topic prefix must not contain + or # and must not have an empty level (/ at the start, at the end or two in a row).</translation>
    </message>
    <message>
        <source>Soubor certifikátu CA nelze číst: %1</source>
        <translation>The CA certificate file cannot be read: %1</translation>
    </message>
    <message>
        <source>Soubor nastavení %1 nelze nastavit tak, aby ho četl jen váš uživatel. Heslo se neuloží.</source>
        <translation>The settings file %1 cannot be made readable by your user only. The password is not saved.</translation>
    </message>
</context>
<context>
    <name>Tport</name>
    <message>
        <source>Komunikační port</source>
        <translation>Communication port</translation>
    </message>
    <message>
        <source>Sériová linka:</source>
        <translation>Serial line:</translation>
    </message>
    <message>
        <source>Nastaví komunikační linku</source>
        <translation>Sets the communication line</translation>
    </message>
    <message>
        <source>žádný port</source>
        <translation>no port</translation>
    </message>
    <message>
        <source>COM 1</source>
        <translation>COM 1</translation>
    </message>
    <message>
        <source>COM 2</source>
        <translation>COM 2</translation>
    </message>
    <message>
        <source>COM 3</source>
        <translation>COM 3</translation>
    </message>
    <message>
        <source>COM 4</source>
        <translation>COM 4</translation>
    </message>
    <message>
        <source>COM 5</source>
        <translation>COM 5</translation>
    </message>
    <message>
        <source>COM 6</source>
        <translation>COM 6</translation>
    </message>
    <message>
        <source>COM 7</source>
        <translation>COM 7</translation>
    </message>
    <message>
        <source>COM 8</source>
        <translation>COM 8</translation>
    </message>
    <message>
        <source>Přenosová rychlost</source>
        <translation>Baud rate</translation>
    </message>
    <message>
        <source>Adresa přístroje:</source>
        <translation>Device address:</translation>
    </message>
    <message>
        <source>Nastaví adresu přístroje</source>
        <translation>Sets the device address</translation>
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
        <source>3</source>
        <translation>3</translation>
    </message>
    <message>
        <source>4</source>
        <translation>4</translation>
    </message>
    <message>
        <source>5</source>
        <translation>5</translation>
    </message>
    <message>
        <source>6</source>
        <translation>6</translation>
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
        <source>9</source>
        <translation>9</translation>
    </message>
    <message>
        <source>10</source>
        <translation>10</translation>
    </message>
    <message>
        <source>11</source>
        <translation>11</translation>
    </message>
    <message>
        <source>12</source>
        <translation>12</translation>
    </message>
    <message>
        <source>13</source>
        <translation>13</translation>
    </message>
    <message>
        <source>14</source>
        <translation>14</translation>
    </message>
    <message>
        <source>15</source>
        <translation>15</translation>
    </message>
    <message>
        <source>16</source>
        <translation>16</translation>
    </message>
    <message>
        <source>17</source>
        <translation>17</translation>
    </message>
    <message>
        <source>18</source>
        <translation>18</translation>
    </message>
    <message>
        <source>19</source>
        <translation>19</translation>
    </message>
    <message>
        <source>20</source>
        <translation>20</translation>
    </message>
    <message>
        <source>21</source>
        <translation>21</translation>
    </message>
    <message>
        <source>22</source>
        <translation>22</translation>
    </message>
    <message>
        <source>23</source>
        <translation>23</translation>
    </message>
    <message>
        <source>24</source>
        <translation>24</translation>
    </message>
    <message>
        <source>25</source>
        <translation>25</translation>
    </message>
    <message>
        <source>26</source>
        <translation>26</translation>
    </message>
    <message>
        <source>27</source>
        <translation>27</translation>
    </message>
    <message>
        <source>28</source>
        <translation>28</translation>
    </message>
    <message>
        <source>29</source>
        <translation>29</translation>
    </message>
    <message>
        <source>30</source>
        <translation>30</translation>
    </message>
    <message>
        <source>31</source>
        <translation>31</translation>
    </message>
    <message>
        <source>32</source>
        <translation>32</translation>
    </message>
    <message>
        <source>33</source>
        <translation>33</translation>
    </message>
    <message>
        <source>34</source>
        <translation>34</translation>
    </message>
    <message>
        <source>35</source>
        <translation>35</translation>
    </message>
    <message>
        <source>36</source>
        <translation>36</translation>
    </message>
    <message>
        <source>37</source>
        <translation>37</translation>
    </message>
    <message>
        <source>38</source>
        <translation>38</translation>
    </message>
    <message>
        <source>39</source>
        <translation>39</translation>
    </message>
    <message>
        <source>40</source>
        <translation>40</translation>
    </message>
    <message>
        <source>41</source>
        <translation>41</translation>
    </message>
    <message>
        <source>42</source>
        <translation>42</translation>
    </message>
    <message>
        <source>43</source>
        <translation>43</translation>
    </message>
    <message>
        <source>44</source>
        <translation>44</translation>
    </message>
    <message>
        <source>45</source>
        <translation>45</translation>
    </message>
    <message>
        <source>46</source>
        <translation>46</translation>
    </message>
    <message>
        <source>47</source>
        <translation>47</translation>
    </message>
    <message>
        <source>48</source>
        <translation>48</translation>
    </message>
    <message>
        <source>49</source>
        <translation>49</translation>
    </message>
    <message>
        <source>50</source>
        <translation>50</translation>
    </message>
    <message>
        <source>51</source>
        <translation>51</translation>
    </message>
    <message>
        <source>52</source>
        <translation>52</translation>
    </message>
    <message>
        <source>53</source>
        <translation>53</translation>
    </message>
    <message>
        <source>54</source>
        <translation>54</translation>
    </message>
    <message>
        <source>55</source>
        <translation>55</translation>
    </message>
    <message>
        <source>56</source>
        <translation>56</translation>
    </message>
    <message>
        <source>57</source>
        <translation>57</translation>
    </message>
    <message>
        <source>58</source>
        <translation>58</translation>
    </message>
    <message>
        <source>59</source>
        <translation>59</translation>
    </message>
    <message>
        <source>60</source>
        <translation>60</translation>
    </message>
    <message>
        <source>61</source>
        <translation>61</translation>
    </message>
    <message>
        <source>62</source>
        <translation>62</translation>
    </message>
    <message>
        <source>63</source>
        <translation>63</translation>
    </message>
    <message>
        <source>64</source>
        <translation>64</translation>
    </message>
    <message>
        <source>65</source>
        <translation>65</translation>
    </message>
    <message>
        <source>66</source>
        <translation>66</translation>
    </message>
    <message>
        <source>67</source>
        <translation>67</translation>
    </message>
    <message>
        <source>68</source>
        <translation>68</translation>
    </message>
    <message>
        <source>69</source>
        <translation>69</translation>
    </message>
    <message>
        <source>70</source>
        <translation>70</translation>
    </message>
    <message>
        <source>71</source>
        <translation>71</translation>
    </message>
    <message>
        <source>72</source>
        <translation>72</translation>
    </message>
    <message>
        <source>73</source>
        <translation>73</translation>
    </message>
    <message>
        <source>74</source>
        <translation>74</translation>
    </message>
    <message>
        <source>75</source>
        <translation>75</translation>
    </message>
    <message>
        <source>76</source>
        <translation>76</translation>
    </message>
    <message>
        <source>77</source>
        <translation>77</translation>
    </message>
    <message>
        <source>78</source>
        <translation>78</translation>
    </message>
    <message>
        <source>79</source>
        <translation>79</translation>
    </message>
    <message>
        <source>80</source>
        <translation>80</translation>
    </message>
    <message>
        <source>81</source>
        <translation>81</translation>
    </message>
    <message>
        <source>82</source>
        <translation>82</translation>
    </message>
    <message>
        <source>83</source>
        <translation>83</translation>
    </message>
    <message>
        <source>84</source>
        <translation>84</translation>
    </message>
    <message>
        <source>85</source>
        <translation>85</translation>
    </message>
    <message>
        <source>86</source>
        <translation>86</translation>
    </message>
    <message>
        <source>87</source>
        <translation>87</translation>
    </message>
    <message>
        <source>88</source>
        <translation>88</translation>
    </message>
    <message>
        <source>89</source>
        <translation>89</translation>
    </message>
    <message>
        <source>90</source>
        <translation>90</translation>
    </message>
    <message>
        <source>91</source>
        <translation>91</translation>
    </message>
    <message>
        <source>92</source>
        <translation>92</translation>
    </message>
    <message>
        <source>93</source>
        <translation>93</translation>
    </message>
    <message>
        <source>94</source>
        <translation>94</translation>
    </message>
    <message>
        <source>95</source>
        <translation>95</translation>
    </message>
    <message>
        <source>96</source>
        <translation>96</translation>
    </message>
    <message>
        <source>97</source>
        <translation>97</translation>
    </message>
    <message>
        <source>98</source>
        <translation>98</translation>
    </message>
    <message>
        <source>99</source>
        <translation>99</translation>
    </message>
    <message>
        <source>100</source>
        <translation>100</translation>
    </message>
    <message>
        <source>101</source>
        <translation>101</translation>
    </message>
    <message>
        <source>102</source>
        <translation>102</translation>
    </message>
    <message>
        <source>103</source>
        <translation>103</translation>
    </message>
    <message>
        <source>104</source>
        <translation>104</translation>
    </message>
    <message>
        <source>105</source>
        <translation>105</translation>
    </message>
    <message>
        <source>106</source>
        <translation>106</translation>
    </message>
    <message>
        <source>107</source>
        <translation>107</translation>
    </message>
    <message>
        <source>108</source>
        <translation>108</translation>
    </message>
    <message>
        <source>109</source>
        <translation>109</translation>
    </message>
    <message>
        <source>110</source>
        <translation>110</translation>
    </message>
    <message>
        <source>111</source>
        <translation>111</translation>
    </message>
    <message>
        <source>112</source>
        <translation>112</translation>
    </message>
    <message>
        <source>113</source>
        <translation>113</translation>
    </message>
    <message>
        <source>114</source>
        <translation>114</translation>
    </message>
    <message>
        <source>115</source>
        <translation>115</translation>
    </message>
    <message>
        <source>116</source>
        <translation>116</translation>
    </message>
    <message>
        <source>117</source>
        <translation>117</translation>
    </message>
    <message>
        <source>118</source>
        <translation>118</translation>
    </message>
    <message>
        <source>119</source>
        <translation>119</translation>
    </message>
    <message>
        <source>120</source>
        <translation>120</translation>
    </message>
    <message>
        <source>121</source>
        <translation>121</translation>
    </message>
    <message>
        <source>122</source>
        <translation>122</translation>
    </message>
    <message>
        <source>123</source>
        <translation>123</translation>
    </message>
    <message>
        <source>124</source>
        <translation>124</translation>
    </message>
    <message>
        <source>125</source>
        <translation>125</translation>
    </message>
    <message>
        <source>126</source>
        <translation>126</translation>
    </message>
    <message>
        <source>Adresa počítače: </source>
        <translation>PC address: </translation>
    </message>
    <message>
        <source>Nastaví adresu počítače</source>
        <translation>Sets the PC address</translation>
    </message>
    <message>
        <source>Zařízení…</source>
        <translation>Device…</translation>
    </message>
    <message>
        <source>Vybere sériový port systému pro zvolenou linku</source>
        <translation>Chooses the system&apos;s serial port for the selected line</translation>
    </message>
    <message>
        <source>Tabulka adres:</source>
        <translation>Address table:</translation>
    </message>
    <message>
        <source>Dvojklik nebo Enter na nalezené adrese ji nastaví jako adresu přístroje</source>
        <translation>A double click or Enter on a found address makes it the device address</translation>
    </message>
    <message>
        <source>Rychlé hledání</source>
        <translation>Fast search</translation>
    </message>
    <message>
        <source>Čeká jen na stanice, které odpoví hned (do 30 znaků)</source>
        <translation>Waits only for stations that answer at once (within 30 characters)</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Návrat a potvrzení změn</source>
        <translation>Return and confirm the changes</translation>
    </message>
    <message>
        <source>Storno</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Najít adresy</source>
        <translation>Find addresses</translation>
    </message>
    <message>
        <source>Spustí vyhledávání adres</source>
        <translation>Starts the address search</translation>
    </message>
    <message>
        <source>Přerušit</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Přeruší vyhledávání adres</source>
        <translation>Stops the address search</translation>
    </message>
    <message>
        <source>Byly provedeny změny v nastavení.
Opravdu se chceš vrátit k původnímu nastavení?</source>
        <translation>The settings have been changed.
Do you really want to return to the previous settings?</translation>
    </message>
    <message>
        <source>Dotaz</source>
        <translation>Question</translation>
    </message>
</context>
<context>
    <name>Tprehled</name>
    <message>
        <source>Přehled sběrnice</source>
        <translation>Bus overview</translation>
    </message>
    <message>
        <source>Stanice:</source>
        <translation>Stations:</translation>
    </message>
    <message>
        <source>Adresy stanic oddělené čárkou, rozsahy pomlčkou, např. 1, 5, 17-20</source>
        <translation>Station addresses separated by commas, ranges with a dash, e.g. 1, 5, 17-20</translation>
    </message>
    <message>
        <source>1, 5, 17-20</source>
        <translation>1, 5, 17-20</translation>
    </message>
    <message>
        <source>&amp;Použít</source>
        <translation>&amp;Apply</translation>
    </message>
    <message>
        <source>Převezme napsaný seznam stanic</source>
        <translation>Takes the list of stations as typed</translation>
    </message>
    <message>
        <source>Z &amp;hledání adres</source>
        <translation>From address &amp;search</translation>
    </message>
    <message>
        <source>Převezme stanice nalezené posledním hledáním adres</source>
        <translation>Takes the stations found by the last address search</translation>
    </message>
    <message>
        <source>Kolo:</source>
        <translation>Round:</translation>
    </message>
    <message>
        <source>Jak často se dotazují všechny stanice</source>
        <translation>How often all stations are asked</translation>
    </message>
    <message>
        <source>&amp;Spustit</source>
        <translation>S&amp;tart</translation>
    </message>
    <message>
        <source>&amp;Zastavit</source>
        <translation>St&amp;op</translation>
    </message>
    <message>
        <source>Zápis do s&amp;ouboru</source>
        <translation>Write to &amp;file</translation>
    </message>
    <message>
        <source>Zapisuje všechny stanice do jednoho souboru CSV</source>
        <translation>Writes all stations to one CSV file</translation>
    </message>
    <message>
        <source>Soubor…</source>
        <translation>File…</translation>
    </message>
    <message>
        <source>Zvolí soubor CSV pro zápis</source>
        <translation>Chooses the CSV file to write to</translation>
    </message>
    <message>
        <source>Dvojklik nebo Enter: stanice hlavního okna a editoru parametrů</source>
        <translation>Double click or Enter: the main window&apos;s and the parameter editor&apos;s station</translation>
    </message>
    <message>
        <source>co nejrychleji</source>
        <translation>as fast as possible</translation>
    </message>
    <message>
        <source>každou %1 min</source>
        <translation>every %1 min</translation>
    </message>
    <message>
        <source>každé %1 s</source>
        <translation>every %1 s</translation>
    </message>
    <message>
        <source>Zadejte aspoň jednu stanici, např. 1, 5, 17-20.</source>
        <translation>Enter at least one station, e.g. 1, 5, 17-20.</translation>
    </message>
    <message>
        <source>„%1“ není adresa ani rozsah adres (např. 17-20).</source>
        <translation>&quot;%1&quot; is neither an address nor a range of addresses (e.g. 17-20).</translation>
    </message>
    <message>
        <source>„%1“: adresy stanic jsou 0 až 126.</source>
        <translation>&quot;%1&quot;: station addresses are 0 to 126.</translation>
    </message>
    <message>
        <source>„%1“: rozsah se píše od nižší adresy k vyšší.</source>
        <translation>&quot;%1&quot;: a range goes from the lower address to the higher.</translation>
    </message>
    <message>
        <source>Hledání adres zatím žádnou stanici nenašlo. Hledá se v okně Komunikační port, tlačítkem Najít adresy.</source>
        <translation>The address search has found no station yet. It is run in the Communication port window, with the Find addresses button.</translation>
    </message>
    <message>
        <source>Sběr stojí.</source>
        <translation>Polling is stopped.</translation>
    </message>
    <message>
        <source>Kolo %1.</source>
        <translation>Round %1.</translation>
    </message>
    <message>
        <source>Linku nelze otevřít: %1</source>
        <translation>The line cannot be opened: %1</translation>
    </message>
    <message>
        <source>Mlčí a dotazují se jen každé %1. kolo: %2</source>
        <translation>Silent and asked only every %1th round: %2</translation>
    </message>
    <message>
        <source>Stanici %1 teď převzít nelze: běží hledání adres.</source>
        <translation>Station %1 cannot be taken now: an address search is running.</translation>
    </message>
    <message>
        <source>Stanice %1 je teď stanicí hlavního okna a editoru.</source>
        <translation>Station %1 is now the main window&apos;s and the editor&apos;s station.</translation>
    </message>
    <message>
        <source>Zápis přehledu do souboru</source>
        <translation>Writing the overview to a file</translation>
    </message>
    <message>
        <source>Soubor CSV (*.csv);;Všechny soubory (*)</source>
        <translation>CSV file (*.csv);;All files (*)</translation>
    </message>
    <message>
        <source>Soubor: %1</source>
        <translation>File: %1</translation>
    </message>
    <message>
        <source>Zapisuje se do %1</source>
        <translation>Writing to %1</translation>
    </message>
    <message>
        <source>Zápis do %1 se nezdařil (%2× za sebou): %3. %4 řádků čeká v paměti a zapíše se, jakmile to půjde.</source>
        <translation>Writing to %1 failed (%2 times in a row): %3. %4 rows wait in memory and are written as soon as possible.</translation>
    </message>
</context>
<context>
    <name>Tqdx01</name>
    <message>
        <source>VX-52</source>
        <translation>VX-52</translation>
    </message>
    <message>
        <source>Naměřené hodnoty</source>
        <translation>Measured values</translation>
    </message>
    <message>
        <source>0,0</source>
        <translation>0,0</translation>
    </message>
    <message>
        <source>OUT 1</source>
        <translation>OUT 1</translation>
    </message>
    <message>
        <source>OUT 2</source>
        <translation>OUT 2</translation>
    </message>
    <message>
        <source>OUT 3</source>
        <translation>OUT 3</translation>
    </message>
    <message>
        <source>OUT 4</source>
        <translation>OUT 4</translation>
    </message>
    <message>
        <source>Automatické čtení</source>
        <translation>Automatic reading</translation>
    </message>
    <message>
        <source>Zápis do souboru</source>
        <translation>Write to file</translation>
    </message>
    <message>
        <source>Přečíst</source>
        <translation>Read</translation>
    </message>
    <message>
        <source>Barva pera 1</source>
        <translation>Pen colour 1</translation>
    </message>
    <message>
        <source>Barva pera 2</source>
        <translation>Pen colour 2</translation>
    </message>
    <message>
        <source>Barva pera 3</source>
        <translation>Pen colour 3</translation>
    </message>
    <message>
        <source>Barva pera 4</source>
        <translation>Pen colour 4</translation>
    </message>
    <message>
        <source>c:</source>
        <translation>c:</translation>
    </message>
    <message>
        <source>Stav spojení s regulátorem, dobrá a chybná čtení od začátku záznamu, čas posledního dobrého čtení</source>
        <translation>Link to the regulator, good and failed reads since the recording began, time of the last good read</translation>
    </message>
    <message>
        <source>15</source>
        <translation>15</translation>
    </message>
    <message>
        <source>Ukazuje četnost zápisu do souboru v minutách</source>
        <translation>Shows how often the file is written, in minutes</translation>
    </message>
    <message>
        <source>min.</source>
        <translation>min.</translation>
    </message>
    <message>
        <source>1</source>
        <translation>1</translation>
    </message>
    <message>
        <source>Ukazuje rychlost zápisu do záznamu</source>
        <translation>Shows the recording rate</translation>
    </message>
    <message>
        <source>&amp;Soubor</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>&amp;Nastavení</source>
        <translation>&amp;Settings</translation>
    </message>
    <message>
        <source>Nápo&amp;věda</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>&amp;Nový soubor</source>
        <translation>&amp;New file</translation>
    </message>
    <message>
        <source>&amp;Uložit...</source>
        <translation>&amp;Save...</translation>
    </message>
    <message>
        <source>Uložit j&amp;ako...</source>
        <translation>Save &amp;as...</translation>
    </message>
    <message>
        <source>Uložit graf jako &amp;obrázek...</source>
        <translation>Save chart as &amp;picture...</translation>
    </message>
    <message>
        <source>Uložit zobrazené body do &amp;CSV...</source>
        <translation>Save shown points as &amp;CSV...</translation>
    </message>
    <message>
        <source>Uložit &amp;všechny body grafu do CSV...</source>
        <translation>Save a&amp;ll chart points as CSV...</translation>
    </message>
    <message>
        <source>&amp;Konec</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>&amp;Komunikační port</source>
        <translation>&amp;Communication port</translation>
    </message>
    <message>
        <source>&amp;Monitor komunikace</source>
        <translation>Communication &amp;monitor</translation>
    </message>
    <message>
        <source>Ctrl+M</source>
        <translation>Ctrl+M</translation>
    </message>
    <message>
        <source>&amp;Parametry regulátoru</source>
        <translation>Regulator &amp;parameters</translation>
    </message>
    <message>
        <source>Nastavení &amp;grafu</source>
        <translation>C&amp;hart settings</translation>
    </message>
    <message>
        <source>&amp;Rychlost záznamu</source>
        <translation>&amp;Recording rate</translation>
    </message>
    <message>
        <source>&amp;O aplikaci</source>
        <translation>&amp;About</translation>
    </message>
    <message>
        <source>&amp;Identifikace</source>
        <translation>&amp;Identification</translation>
    </message>
    <message>
        <source>Uložit graf jako obrázek</source>
        <translation>Save chart as picture</translation>
    </message>
    <message>
        <source>Obrázek PNG (*.png);;Všechny soubory (*)</source>
        <translation>PNG picture (*.png);;All files (*)</translation>
    </message>
    <message>
        <source>graf</source>
        <translation>chart</translation>
    </message>
    <message>
        <source>Uložit zobrazené body grafu do CSV</source>
        <translation>Save shown chart points as CSV</translation>
    </message>
    <message>
        <source>Uložit všechny body grafu do CSV</source>
        <translation>Save all chart points as CSV</translation>
    </message>
    <message>
        <source>Soubor CSV (*.csv);;Všechny soubory (*)</source>
        <translation>CSV file (*.csv);;All files (*)</translation>
    </message>
    <message>
        <source>Neočekávaná chyba</source>
        <translation>Unexpected error</translation>
    </message>
    <message>
        <source>Chceš vymazat naměřená data?</source>
        <translation>Clear the measured data?</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>Textový soubor [*.txt] (*.txt)</source>
        <translation>Text file [*.txt] (*.txt)</translation>
    </message>
    <message>
        <source>Naměřená data nejsou uložena. Ukončit program bez uložení?</source>
        <translation>The measured data are not saved. Exit without saving?</translation>
    </message>
    <message>
        <source>Dotaz</source>
        <translation>Question</translation>
    </message>
    <message>
        <source>Uložit jako</source>
        <translation>Save as</translation>
    </message>
    <message>
        <source>Záznam QDX72_4xxx</source>
        <translation>Record QDX72_4xxx</translation>
    </message>
    <message>
        <source> Automatické čtení to dál zkouší a samo pokračuje, až se port otevře a regulátor odpoví.</source>
        <translation> Automatic reading keeps trying and goes on by itself once the port opens and the regulator answers.</translation>
    </message>
    <message>
        <source>Regulátor neodpovídá od %1. Automatické čtení to dál zkouší a samo pokračuje, až regulátor odpoví.</source>
        <translation>The regulator has not answered since %1. Automatic reading keeps trying and goes on by itself once the regulator answers.</translation>
    </message>
    <message>
        <source>Regulátor opět odpovídá; výpadek trval od %1 do %2.</source>
        <translation>The regulator answers again; the outage lasted from %1 to %2.</translation>
    </message>
    <message>
        <source> Naměřená data zůstávají v paměti (%1 řádků), čtení a záznam pokračují; další pokus o zápis bude za %2 min (nezdařené pokusy: %3).</source>
        <translation> The measured data stay in memory (%1 lines), reading and recording go on; the next write is tried in %2 min (failed attempts: %3).</translation>
    </message>
    <message>
        <source>Soubor &quot;%1&quot; je opět zapsán celý (%2 řádků), po %3 nezdařených pokusech o zápis.</source>
        <translation>The file &quot;%1&quot; is written whole again (%2 lines), after %3 failed write attempts.</translation>
    </message>
    <message>
        <source>Publikování M&amp;QTT...</source>
        <translation>M&amp;QTT publishing...</translation>
    </message>
    <message>
        <source>Přehled &amp;sběrnice</source>
        <translation>&amp;Bus overview</translation>
    </message>
    <message>
        <source>Všechny stanice na sběrnici najednou</source>
        <translation>All stations on the bus at once</translation>
    </message>
    <message>
        <source>připojuje se</source>
        <translation>connecting</translation>
    </message>
    <message>
        <source>spojeno</source>
        <translation>connected</translation>
    </message>
    <message>
        <source>broker nedostupný</source>
        <translation>broker unreachable</translation>
    </message>
    <message>
        <source>broker odmítl jméno nebo heslo</source>
        <translation>broker refused the name or password</translation>
    </message>
    <message>
        <source>šifrované spojení selhalo</source>
        <translation>encrypted connection failed</translation>
    </message>
    <message>
        <source>, čeká %1</source>
        <translation>, %1 waiting</translation>
    </message>
    <message>
        <source>, zahozeno %1</source>
        <translation>, %1 dropped</translation>
    </message>
    <message>
        <source>Broker %1:%2, témata %3/…; doručeno %4</source>
        <translation>Broker %1:%2, topics %3/…; delivered %4</translation>
    </message>
    <message>
        <source>
Poslední chyba: %1</source>
        <translation>
Last failure: %1</translation>
    </message>
    <message>
        <source> | vynechaná čtení: %1</source>
        <translation> | samples skipped: %1</translation>
    </message>
</context>
<context>
    <name>TrendChart</name>
    <message>
        <source>Nelze zapsat soubor &quot;%1&quot;: %2</source>
        <translation>Cannot write the file &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>Čas</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Řada grafu %1 neexistuje</source>
        <translation>Chart series %1 does not exist</translation>
    </message>
    <message>
        <source>Neplatný čas bodu grafu (řada %1)</source>
        <translation>Invalid chart point time (series %1)</translation>
    </message>
    <message>
        <source>Bod %1 řady %2 neexistuje</source>
        <translation>Point %1 of series %2 does not exist</translation>
    </message>
    <message>
        <source>Hloubka 3D grafu %1 % je mimo rozsah 1 až 100</source>
        <translation>3D chart depth %1 % is outside 1 to 100</translation>
    </message>
    <message>
        <source>Živý pohled</source>
        <translation>Live view</translation>
    </message>
</context>
<context>
    <name>Trotace3D</name>
    <message>
        <source>GRAF 3D</source>
        <translation>CHART 3D</translation>
    </message>
    <message>
        <source>Rozměr</source>
        <translation>Dimension</translation>
    </message>
    <message>
        <source>Nastaví zobrazení 3D</source>
        <translation>Sets the 3D view</translation>
    </message>
    <message>
        <source>3D</source>
        <translation>3D</translation>
    </message>
    <message>
        <source>Procento natočení</source>
        <translation>Depth percent</translation>
    </message>
    <message>
        <source>Nastaví natočení 3D grafu</source>
        <translation>Sets the 3D chart&apos;s depth</translation>
    </message>
    <message>
        <source>Nastavení barvy</source>
        <translation>Colours</translation>
    </message>
    <message>
        <source>Nastaví barvu pozadí mřížky</source>
        <translation>Sets the grid background colour</translation>
    </message>
    <message>
        <source>Mřížka</source>
        <translation>Grid</translation>
    </message>
    <message>
        <source>Nastaví barvu okraje grafu</source>
        <translation>Sets the chart border colour</translation>
    </message>
    <message>
        <source>Okraj</source>
        <translation>Border</translation>
    </message>
    <message>
        <source>Počet měření</source>
        <translation>Measurements</translation>
    </message>
    <message>
        <source>Počet zobrazených měření v grafu (10 až 100 000)</source>
        <translation>Number of measurements shown in the chart (10 to 100 000)</translation>
    </message>
    <message>
        <source>200</source>
        <translation>200</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Storno</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Chyba při zadání číselného textu</source>
        <translation>Error in the entered number</translation>
    </message>
    <message>
        <source>CHYBA</source>
        <translation>ERROR</translation>
    </message>
    <message>
        <source>Je nutné zadávat pouze čísla v rozsahu 10 až 100000</source>
        <translation>Only numbers from 10 to 100000 may be entered</translation>
    </message>
    <message>
        <source>EDIT</source>
        <translation>EDIT</translation>
    </message>
</context>
<context>
    <name>Tzarizeni</name>
    <message>
        <source>Zařízení</source>
        <translation>Device</translation>
    </message>
    <message>
        <source>Sériový port pro linku COM 1:</source>
        <translation>Serial port for line COM 1:</translation>
    </message>
    <message>
        <source>Sériové porty systému; připojený adaptér se objeví sám</source>
        <translation>The system&apos;s serial ports; a plugged adapter appears by itself</translation>
    </message>
    <message>
        <source>Popis</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>Výrobce</source>
        <translation>Maker</translation>
    </message>
    <message>
        <source>Sériové číslo</source>
        <translation>Serial number</translation>
    </message>
    <message>
        <source>USB VID:PID</source>
        <translation>USB VID:PID</translation>
    </message>
    <message>
        <source>Jiná cesta:</source>
        <translation>Other path:</translation>
    </message>
    <message>
        <source>Zařízení, které seznam neukazuje: pseudoterminál (/dev/pts/3) nebo odkaz z /dev/serial/by-id/</source>
        <translation>A device the list does not show: a pseudo-terminal (/dev/pts/3) or a link in /dev/serial/by-id/</translation>
    </message>
    <message>
        <source>např. /dev/pts/3</source>
        <translation>e.g. /dev/pts/3</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Přiřadí vybraný port lince</source>
        <translation>Assigns the selected port to the line</translation>
    </message>
    <message>
        <source>Storno</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>%1 (nyní neexistuje)</source>
        <translation>%1 (not there now)</translation>
    </message>
    <message>
        <source>Sériový port pro linku COM %1:</source>
        <translation>Serial port for line COM %1:</translation>
    </message>
    <message>
        <source>COM %1 nyní otevírá %2</source>
        <translation>COM %1 now opens %2</translation>
    </message>
    <message>
        <source>Uloží se: %1</source>
        <translation>To be kept: %1</translation>
    </message>
    <message>
        <source>Zadejte celou cestu, např. /dev/pts/3.</source>
        <translation>Enter a whole path, e.g. /dev/pts/3.</translation>
    </message>
    <message>
        <source>Systém nemá žádný sériový port.</source>
        <translation>The system has no serial port.</translation>
    </message>
    <message>
        <source>Vyberte port ze seznamu.</source>
        <translation>Choose a port from the list.</translation>
    </message>
</context>
<context>
    <name>ValueText</name>
    <message>
        <source>&apos;%1&apos; není platná hodnota s plovoucí čárkou</source>
        <translation>&apos;%1&apos; is not a valid floating-point value</translation>
    </message>
</context>
<context>
    <name>vx52::NoticeStrip</name>
    <message>
        <source>Zavřít oznámení</source>
        <translation>Close the notice</translation>
    </message>
</context>
<context>
    <name>vx52::StationModel</name>
    <message>
        <source>bez odpovědi</source>
        <translation>no reply</translation>
    </message>
    <message>
        <source>linka selhala</source>
        <translation>line failed</translation>
    </message>
    <message>
        <source>chybná odpověď</source>
        <translation>bad reply</translation>
    </message>
    <message>
        <source>čeká na dotaz</source>
        <translation>waiting to be asked</translation>
    </message>
    <message>
        <source>, naposledy %1</source>
        <translation>, last at %1</translation>
    </message>
    <message>
        <source>, dosud neodpověděla</source>
        <translation>, no answer yet</translation>
    </message>
    <message>
        <source>spojeno %1</source>
        <translation>connected %1</translation>
    </message>
    <message>
        <source>, dotaz každé %1. kolo</source>
        <translation>, asked every %1th round</translation>
    </message>
    <message>
        <source>vynechána, dotaz každé %1. kolo</source>
        <translation>skipped, asked every %1th round</translation>
    </message>
    <message>
        <source>dobrá čtení: %1, nezdařená: %2</source>
        <translation>good readings: %1, failed: %2</translation>
    </message>
    <message>
        <source>Stanice</source>
        <translation>Station</translation>
    </message>
    <message>
        <source>Typ</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>Spojení</source>
        <translation>Link</translation>
    </message>
    <message>
        <source>Relé</source>
        <translation>Relays</translation>
    </message>
</context>
<context>
    <name>vx52::TelegramModel</name>
    <message>
        <source>Čas</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Směr</source>
        <translation>Dir.</translation>
    </message>
    <message>
        <source>Stanice</source>
        <translation>Station</translation>
    </message>
    <message>
        <source>Rámec</source>
        <translation>Frame</translation>
    </message>
    <message>
        <source>Obsah</source>
        <translation>Content</translation>
    </message>
    <message>
        <source>Délka</source>
        <translation>Length</translation>
    </message>
    <message>
        <source>Výsledek</source>
        <translation>Result</translation>
    </message>
    <message>
        <source>Bajty</source>
        <translation>Bytes</translation>
    </message>
</context>
</TS>
