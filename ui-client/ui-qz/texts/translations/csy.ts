<?xml version='1.0' encoding='utf-8'?>
<!DOCTYPE TS>
<TS sourcelanguage="en_US" version="2.1" language="cs_CZ">
    <context>
        <name>CertificateChainDialog</name>
        <message>
            <source>Certificate</source>
            <translation>Certifikát</translation>
        </message>
        <message>
            <source>Level</source>
            <translation>Úroveň</translation>
        </message>
        <message>
            <source>Subject</source>
            <translation>Subjekt</translation>
        </message>
        <message>
            <source>Issuer</source>
            <translation>Vystavitel</translation>
        </message>
        <message>
            <source>Valid</source>
            <translation>Platnost</translation>
        </message>
        <message>
            <source>%1 to %2</source>
            <extracomment>The validity period of a certificate: its first and its last day.</extracomment>
            <translation>%1 až %2</translation>
        </message>
    </context>
    <context>
        <name>HelpWindow</name>
        <message>
            <source>The help is not installed.</source>
            <translation>Nápověda není nainstalována.</translation>
        </message>
    </context>
    <context>
        <name>global</name>
        <message>
            <source>Login</source>
            <translation>Přihlásit</translation>
        </message>
        <message>
            <source>You don't have enough privilege.</source>
            <translation>Nemáte dostatečná oprávnění.</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>Zavřít</translation>
        </message>
        <message>
            <source>Disk full. Failed to copy %1 to %2.</source>
            <translation>Disk je plný. %1 se nepodařilo zkopírovat do %2.</translation>
        </message>
        <message>
            <source>Back</source>
            <translation>Zpět</translation>
        </message>
        <message>
            <source>Maximum retries reached.</source>
            <translation>Byl dosažen maximální počet pokusů.</translation>
        </message>
        <message>
            <source>Filter</source>
            <translation>Filtrovat</translation>
        </message>
        <message>
            <source>Remember password?</source>
            <translation>Zapamatovat heslo?</translation>
        </message>
        <message>
            <source>Shared folder quota insufficient. Failed to copy %1 to %2.</source>
            <translation>Nedostatečná kvóta sdílené složky. %1 se nepodařilo zkopírovat do %2.</translation>
        </message>
        <message>
            <source>Disk full. Failed to move %1 to %2.</source>
            <translation>Disk je plný. %1 se nepodařilo přesunout do %2.</translation>
        </message>
        <message>
            <source>User quota insufficient. Failed to copy %1 to %2.</source>
            <translation>Nedostatečná kvóta uživatele. %1 se nepodařilo zkopírovat do %2.</translation>
        </message>
        <message>
            <source>Shared folder quota insufficient. Failed to move %1 to %2.</source>
            <translation>Nedostatečná kvóta sdílené složky. %1 se nepodařilo přesunout do %2.</translation>
        </message>
        <message>
            <source>Insufficient disk space.</source>
            <translation>Na disku není dost místa.</translation>
        </message>
        <message>
            <source>File size exceeds destination file system limit.</source>
            <translation>Velikost souboru překračuje limit cílového systému souborů.</translation>
        </message>
        <message>
            <source>File does not exist.</source>
            <translation>Soubor neexistuje.</translation>
        </message>
        <message>
            <source>Cannot access the temporary file.</source>
            <translation>Nelze získat přístup k dočasnému souboru.</translation>
        </message>
        <message>
            <source>Last Page</source>
            <translation>Poslední stránka</translation>
        </message>
        <message>
            <source>Please upgrade your Quillmar File Manager package.</source>
            <translation>Aktualizujte balíček Quillmar File Manager.</translation>
        </message>
        <message>
            <source>User quota insufficient. Failed to move %1 to %2.</source>
            <translation>Nedostatečná kvóta uživatele. %1 se nepodařilo přesunout do %2.</translation>
        </message>
        <message>
            <source>Shared folder quota full.</source>
            <translation>Kvóta sdílené složky je vyčerpána.</translation>
        </message>
        <message>
            <source>User quota full.</source>
            <translation>Kvóta uživatele je vyčerpána.</translation>
        </message>
        <message>
            <source>A one-time password is required. Please log into your ZRM to set your one-time password.</source>
            <translation>Je vyžadováno jednorázové heslo. Přihlaste se do ZRM a nastavte si jednorázové heslo.</translation>
        </message>
        <message>
            <source>The one-time password you entered is incorrect.</source>
            <translation>Zadané jednorázové heslo není správné.</translation>
        </message>
        <message>
            <source>Please enter a 6-digit verification code.</source>
            <translation>Zadejte 6místný ověřovací kód.</translation>
        </message>
        <message>
            <source>Quillmar File Manager will be reconnected in %1 seconds.</source>
            <translation>Quillmar File Manager se znovu připojí za %1 s.</translation>
        </message>
        <message>
            <source>Display mode </source>
            <translation>Display mode </translation>
        </message>
        <message>
            <source>Failed to update Quillmar File Manager database. Please restart or reinstall Quillmar File Manager.</source>
            <translation>Databázi Quillmar File Manager se nepodařilo aktualizovat. Restartujte nebo přeinstalujte Quillmar File Manager.</translation>
        </message>
        <message>
            <source>Friday</source>
            <translation>Pátek</translation>
        </message>
        <message>
            <source>Paste</source>
            <translation>Vložit</translation>
        </message>
        <message>
            <source>Forward</source>
            <translation>Vpřed</translation>
        </message>
        <message>
            <source>Invalid username/password or insufficient user privilege.</source>
            <translation>Neplatné uživatelské jméno nebo heslo, nebo nedostatečná oprávnění uživatele.</translation>
        </message>
        <message>
            <source>Closing the application will close all connections and abort all transfer tasks. Are you sure you want to continue?</source>
            <translation>Zavřením aplikace se zavřou všechna připojení a přeruší všechny přenosy. Opravdu chcete pokračovat?</translation>
        </message>
        <message>
            <source>Copy</source>
            <translation>Kopírovat</translation>
        </message>
        <message>
            <source>Create Folder</source>
            <translation>Vytvořit složku</translation>
        </message>
        <message>
            <source>Wednesday</source>
            <translation>Středa</translation>
        </message>
        <message>
            <source>Log</source>
            <translation>Protokol</translation>
        </message>
        <message>
            <source>Please enter the password to connect.</source>
            <translation>Zadejte heslo pro připojení.</translation>
        </message>
        <message>
            <source>First Page</source>
            <translation>První stránka</translation>
        </message>
        <message>
            <source>Previous %1 pages</source>
            <translation>Předchozí stránky (%1)</translation>
        </message>
        <message>
            <source>Next %1 pages</source>
            <translation>Další stránky (%1)</translation>
        </message>
        <message>
            <source>Help / About </source>
            <translation>Nápověda / O aplikaci </translation>
        </message>
        <message>
            <source>Activity logs</source>
            <translation>Protokoly činnosti</translation>
        </message>
        <message>
            <source>Settings</source>
            <translation>Nastavení</translation>
        </message>
        <message>
            <source>Sort by </source>
            <translation>Seřadit podle </translation>
        </message>
        <message>
            <source>Task Manager</source>
            <translation>Správce úloh</translation>
        </message>
        <message>
            <source>Remote Path</source>
            <translation>Vzdálená cesta</translation>
        </message>
        <message>
            <source>Please enter a valid server address.</source>
            <translation>Zadejte platnou adresu serveru.</translation>
        </message>
        <message>
            <source>You do not have permission to rename %1 to %2.</source>
            <translation>Nemáte oprávnění přejmenovat %1 na %2.</translation>
        </message>
        <message>
            <source>Login failed.</source>
            <translation>Přihlášení se nezdařilo.</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>Odstranit</translation>
        </message>
        <message>
            <source>Rename</source>
            <translation>Přejmenovat</translation>
        </message>
        <message>
            <source>Server address</source>
            <translation>Adresa serveru</translation>
        </message>
        <message>
            <source>Apply</source>
            <translation>Použít</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>Zrušit</translation>
        </message>
        <message>
            <source>Connect</source>
            <translation>Připojit</translation>
        </message>
        <message>
            <source>OK</source>
            <translation>OK</translation>
        </message>
        <message>
            <source>Reset</source>
            <translation>Obnovit</translation>
        </message>
        <message>
            <source>Closing the connection will abort all transfer tasks in this connection. Are you sure you want to continue?</source>
            <translation>Zavřením připojení se přeruší všechny přenosy tohoto připojení. Opravdu chcete pokračovat?</translation>
        </message>
        <message>
            <source>day(s)</source>
            <translation>d</translation>
        </message>
        <message>
            <source>Failed to copy %1 to %2.</source>
            <translation>%1 se nepodařilo zkopírovat do %2.</translation>
        </message>
        <message>
            <source>You do not have permission to copy %1 to %2.</source>
            <translation>Nemáte oprávnění kopírovat %1 do %2.</translation>
        </message>
        <message>
            <source>Disconnected from the server. Please login again.</source>
            <translation>Připojení k serveru bylo přerušeno. Přihlaste se znovu.</translation>
        </message>
        <message>
            <source>Failed to load this directory.</source>
            <translation>Tuto složku se nepodařilo otevřít.</translation>
        </message>
        <message>
            <source>You do not have permission to load the directory.</source>
            <translation>Nemáte oprávnění otevřít tuto složku.</translation>
        </message>
        <message>
            <source>Failed to connect to server.</source>
            <translation>K serveru se nepodařilo připojit.</translation>
        </message>
        <message>
            <source>Failed to create directory %1.</source>
            <translation>Složku %1 se nepodařilo vytvořit.</translation>
        </message>
        <message>
            <source>You do not have permission to create %1.</source>
            <translation>Nemáte oprávnění vytvořit %1.</translation>
        </message>
        <message>
            <source>Failed to remove %1.</source>
            <translation>%1 se nepodařilo odstranit.</translation>
        </message>
        <message>
            <source>You do not have permission to remove %1.</source>
            <translation>Nemáte oprávnění odstranit %1.</translation>
        </message>
        <message>
            <source>Failed to rename %1 to %2.</source>
            <translation>%1 se nepodařilo přejmenovat na %2.</translation>
        </message>
        <message>
            <source>Failed to rename %1 to %2 because %2 already exists.</source>
            <translation>%1 se nepodařilo přejmenovat na %2, protože %2 již existuje.</translation>
        </message>
        <message>
            <source>File</source>
            <translation>Soubor</translation>
        </message>
        <message>
            <source>File Name</source>
            <translation>Název souboru</translation>
        </message>
        <message>
            <source>File Type</source>
            <translation>Typ souboru</translation>
        </message>
        <message>
            <source>From</source>
            <translation>Od</translation>
        </message>
        <message>
            <source>Keyword</source>
            <translation>Klíčové slovo</translation>
        </message>
        <message>
            <source>Size</source>
            <translation>Velikost</translation>
        </message>
        <message>
            <source>Any</source>
            <translation>Libovolná</translation>
        </message>
        <message>
            <source>Equal to</source>
            <translation>Rovno</translation>
        </message>
        <message>
            <source>Greater than</source>
            <translation>Větší než</translation>
        </message>
        <message>
            <source>Less than</source>
            <translation>Menší než</translation>
        </message>
        <message>
            <source>Ascending</source>
            <translation>Vzestupně</translation>
        </message>
        <message>
            <source>Descending</source>
            <translation>Sestupně</translation>
        </message>
        <message>
            <source>To</source>
            <translation>Do</translation>
        </message>
        <message>
            <source>Folder</source>
            <translation>Složka</translation>
        </message>
        <message>
            <source>Duration</source>
            <translation>Doba trvání</translation>
        </message>
        <message>
            <source>End</source>
            <translation>Konec</translation>
        </message>
        <message>
            <source>Event</source>
            <translation>Událost</translation>
        </message>
        <message>
            <source>Start</source>
            <translation>Začátek</translation>
        </message>
        <message>
            <source>Time</source>
            <translation>Čas</translation>
        </message>
        <message>
            <source>Type</source>
            <translation>Typ</translation>
        </message>
        <message>
            <source>%1 copied %2 to %3.</source>
            <translation>Uživatel %1 zkopíroval %2 do %3.</translation>
        </message>
        <message>
            <source>%1 downloaded %2.</source>
            <translation>Uživatel %1 stáhl %2.</translation>
        </message>
        <message>
            <source>%1 logged in to %2.</source>
            <translation>Uživatel %1 se přihlásil k %2.</translation>
        </message>
        <message>
            <source>%1 created folder %2.</source>
            <translation>Uživatel %1 vytvořil složku %2.</translation>
        </message>
        <message>
            <source>%1 deleted %2.</source>
            <translation>Uživatel %1 odstranil %2.</translation>
        </message>
        <message>
            <source>July</source>
            <translation>Červenec</translation>
        </message>
        <message>
            <source>%1 renamed %2 to %3.</source>
            <translation>Uživatel %1 přejmenoval %2 na %3.</translation>
        </message>
        <message>
            <source>%1 uploaded %2.</source>
            <translation>Uživatel %1 nahrál %2.</translation>
        </message>
        <message>
            <source>All Events</source>
            <translation>Všechny události</translation>
        </message>
        <message>
            <source>Event logs</source>
            <translation>Protokol událostí</translation>
        </message>
        <message>
            <source>File transfer log</source>
            <translation>Protokol přenosu souborů</translation>
        </message>
        <message>
            <source>Modified Time</source>
            <translation>Datum změny</translation>
        </message>
        <message>
            <source>Monday</source>
            <translation>Pondělí</translation>
        </message>
        <message>
            <source>April</source>
            <translation>Duben</translation>
        </message>
        <message>
            <source>August</source>
            <translation>Srpen</translation>
        </message>
        <message>
            <source>December</source>
            <translation>Prosinec</translation>
        </message>
        <message>
            <source>February</source>
            <translation>Únor</translation>
        </message>
        <message>
            <source>January</source>
            <translation>Leden</translation>
        </message>
        <message>
            <source>June</source>
            <translation>Červen</translation>
        </message>
        <message>
            <source>March</source>
            <translation>Březen</translation>
        </message>
        <message>
            <source>May</source>
            <translation>Květen</translation>
        </message>
        <message>
            <source>November</source>
            <translation>Listopad</translation>
        </message>
        <message>
            <source>October</source>
            <translation>Říjen</translation>
        </message>
        <message>
            <source>September</source>
            <translation>Září</translation>
        </message>
        <message>
            <source>My Computer</source>
            <translation>Tento počítač</translation>
        </message>
        <message>
            <source>item(s)</source>
            <translation>položek</translation>
        </message>
        <message>
            <source>Password</source>
            <translation>Heslo</translation>
        </message>
        <message>
            <source>Time Remaining</source>
            <translation>Zbývá</translation>
        </message>
        <message>
            <source>All Transfers</source>
            <translation>Všechny přenosy</translation>
        </message>
        <message>
            <source>Downloaded</source>
            <translation>Staženo</translation>
        </message>
        <message>
            <source>Elapsed Time</source>
            <translation>Uplynulo</translation>
        </message>
        <message>
            <source>Local Path</source>
            <translation>Místní cesta</translation>
        </message>
        <message>
            <source>Speed</source>
            <translation>Rychlost</translation>
        </message>
        <message>
            <source>Status</source>
            <translation>Stav</translation>
        </message>
        <message>
            <source>UL/DL</source>
            <translation>Směr</translation>
        </message>
        <message>
            <source>Uploaded</source>
            <translation>Nahráno</translation>
        </message>
        <message>
            <source>Remember password</source>
            <translation>Zapamatovat heslo</translation>
        </message>
        <message>
            <source>Saturday</source>
            <translation>Sobota</translation>
        </message>
        <message>
            <source>Changes are not saved. Are you sure you want to leave?</source>
            <translation>Změny nejsou uloženy. Opravdu chcete odejít?</translation>
        </message>
        <message>
            <source>Enable transfer compression</source>
            <translation>Zapnout kompresi přenosů</translation>
        </message>
        <message>
            <source>Max. concurrent transfers</source>
            <translation>Max. souběžných přenosů</translation>
        </message>
        <message>
            <source>Enable transfer encryption</source>
            <translation>Zapnout šifrování přenosů</translation>
        </message>
        <message>
            <source>files</source>
            <translation>souborů</translation>
        </message>
        <message>
            <source>Host Info</source>
            <translation>Informace o hostiteli</translation>
        </message>
        <message>
            <source>Hostname</source>
            <translation>Název hostitele</translation>
        </message>
        <message>
            <source>System default</source>
            <translation>Podle systému</translation>
        </message>
        <message>
            <source>Please restart %1 to apply the new language settings.</source>
            <translation>Restartujte %1, aby se použilo nové nastavení jazyka.</translation>
        </message>
        <message>
            <source>Language</source>
            <translation>Jazyk</translation>
        </message>
        <message>
            <source>Max. download rate</source>
            <translation>Max. rychlost stahování</translation>
        </message>
        <message>
            <source>Max. upload rate</source>
            <translation>Max. rychlost nahrávání</translation>
        </message>
        <message>
            <source>New site</source>
            <translation>Nové připojení</translation>
        </message>
        <message>
            <source>No limit</source>
            <translation>Bez omezení</translation>
        </message>
        <message>
            <source>Optional</source>
            <translation>Volitelné</translation>
        </message>
        <message>
            <source>Transfer Settings</source>
            <translation>Nastavení přenosu</translation>
        </message>
        <message>
            <source>Failed</source>
            <translation>Nezdařilo se</translation>
        </message>
        <message>
            <source>Paused</source>
            <translation>Pozastaveno</translation>
        </message>
        <message>
            <source>Waiting</source>
            <translation>Čeká</translation>
        </message>
        <message>
            <source>Sunday</source>
            <translation>Neděle</translation>
        </message>
        <message>
            <source>Thursday</source>
            <translation>Čtvrtek</translation>
        </message>
        <message>
            <source>Today</source>
            <translation>Dnes</translation>
        </message>
        <message>
            <source>Tuesday</source>
            <translation>Úterý</translation>
        </message>
        <message>
            <source>Username</source>
            <translation>Uživatelské jméno</translation>
        </message>
        <message>
            <source>Connecting...</source>
            <translation>Připojování...</translation>
        </message>
        <message>
            <source>Please enter a valid IP address.</source>
            <translation>Zadejte platnou IP adresu.</translation>
        </message>
        <message>
            <source>New Connection</source>
            <translation>Nové připojení</translation>
        </message>
        <message>
            <source>Cut</source>
            <translation>Vyjmout</translation>
        </message>
        <message>
            <source>Download</source>
            <translation>Stahování</translation>
        </message>
        <message>
            <source>Upload</source>
            <translation>Nahrávání</translation>
        </message>
        <message>
            <source>Cannot load information for %1.</source>
            <translation>Informace o %1 nelze načíst.</translation>
        </message>
        <message>
            <source>Failed to move %1 to %2.</source>
            <translation>%1 se nepodařilo přesunout do %2.</translation>
        </message>
        <message>
            <source>You do not have permission to move %1 to %2.</source>
            <translation>Nemáte oprávnění přesunout %1 do %2.</translation>
        </message>
        <message>
            <source>Failed to move %1 to %2 because %1 already exists.</source>
            <translation>%1 se nepodařilo přesunout do %2, protože %1 již existuje.</translation>
        </message>
        <message>
            <source>%1 moved %2 to %3.</source>
            <translation>Uživatel %1 přesunul %2 do %3.</translation>
        </message>
        <message>
            <source>Copyright (c) %1 Quillmar. All rights reserved.</source>
            <translation>Copyright (c) %1 Quillmar. Všechna práva vyhrazena.</translation>
        </message>
        <message>
            <source>Version</source>
            <translation>Verze</translation>
        </message>
        <message>
            <source>Help</source>
            <translation>Nápověda</translation>
        </message>
        <message>
            <source>About</source>
            <translation>O aplikaci</translation>
        </message>
        <message>
            <source>This setting is enforced by the server.</source>
            <translation>Toto nastavení je vynuceno serverem.</translation>
        </message>
        <message>
            <source>This connected server does not support minimum bandwidth configuration.</source>
            <translation>Připojený server nepodporuje nastavení minimální šířky pásma.</translation>
        </message>
        <message>
            <source>Untrusted SSL certificate</source>
            <translation>Nedůvěryhodný certifikát SSL</translation>
        </message>
        <message>
            <source>SSL certificate has been changed.</source>
            <translation>Certifikát SSL byl změněn.</translation>
        </message>
        <message>
            <source>Proceed anyway</source>
            <translation>Přesto pokračovat</translation>
        </message>
        <message>
            <source>Default download location</source>
            <translation>Složka pro stahování</translation>
        </message>
        <message>
            <source>Download Settings</source>
            <translation>Nastavení stahování</translation>
        </message>
        <message>
            <source>Download to default folder</source>
            <translation>Stáhnout do výchozí složky</translation>
        </message>
        <message>
            <source>Download to …</source>
            <translation>Stáhnout do …</translation>
        </message>
        <message>
            <source>Browse</source>
            <translation>Procházet</translation>
        </message>
        <message>
            <source>New tab</source>
            <translation>Nová karta</translation>
        </message>
        <message>
            <source>Download rate</source>
            <translation>Rychlost stahování</translation>
        </message>
        <message>
            <source>Max.</source>
            <translation>Max.</translation>
        </message>
        <message>
            <source>Min.</source>
            <translation>Min.</translation>
        </message>
        <message>
            <source>Upload rate</source>
            <translation>Rychlost nahrávání</translation>
        </message>
        <message>
            <source>Please enter a valid number between 1 and 10.</source>
            <translation>Zadejte platné číslo od 1 do 10.</translation>
        </message>
        <message>
            <source>Must be lower than the value of maximum rate</source>
            <translation>Musí být nižší než maximální rychlost</translation>
        </message>
        <message>
            <source>Must be higher than the value of minimum rate</source>
            <translation>Musí být vyšší než minimální rychlost</translation>
        </message>
        <message>
            <source>Please enter your username.</source>
            <translation>Zadejte své uživatelské jméno.</translation>
        </message>
        <message>
            <source>Quillmar File Manager</source>
            <translation>Quillmar File Manager</translation>
        </message>
        <message>
            <source>Please update your Quillmar File Manager on your computer.</source>
            <translation>Aktualizujte Quillmar File Manager ve svém počítači.</translation>
        </message>
        <message>
            <source>Compatibility error. Please upgrade Quillmar File Manager.</source>
            <translation>Chyba kompatibility. Aktualizujte Quillmar File Manager.</translation>
        </message>
        <message>
            <source>Connect to a Quillmar File Manager</source>
            <translation>Připojení k Quillmar File Manager</translation>
        </message>
        <message>
            <source>The connection cannot be established with wrong port number. Please check the port number and try again. </source>
            <translation>Se špatným číslem portu nelze navázat připojení. Zkontrolujte číslo portu a zkuste to znovu. </translation>
        </message>
        <message>
            <source>Connection failed. Please make sure TCP on port %1 is open.</source>
            <translation>Připojení se nezdařilo. Ujistěte se, že je port TCP %1 otevřený.</translation>
        </message>
        <message>
            <source>Failed to connect to this Koralt File Server due to compatibility issues. Please go to Download Center to download Koralt desktop client and connect it to this Koralt File Server.  </source>
            <translation>K tomuto serveru Koralt File Server se kvůli problémům s kompatibilitou nepodařilo připojit. V Download Center si stáhněte desktopového klienta Koralt a připojte jej k tomuto serveru Koralt File Server.  </translation>
        </message>
        <message>
            <source>Please enter a one-time verification code.</source>
            <translation>Zadejte jednorázový ověřovací kód.</translation>
        </message>
        <message>
            <source>The SSL certificate of Quillmar NAS is not trusted. This may mean that it is a self-signed certificate, or someone may be trying to intercept your connection.</source>
            <translation>Certifikát SSL zařízení Quillmar NAS není důvěryhodný. Může jít o certifikát podepsaný sám sebou, nebo se někdo pokouší zachytit vaše připojení.</translation>
        </message>
        <message>
            <source>The SSL certificate has been changed. This may mean that the Quillmar NAS certificate has been changed, or someone may be trying to intercept your connection.</source>
            <translation>Certifikát SSL byl změněn. Certifikát Quillmar NAS mohl být vyměněn, nebo se někdo pokouší zachytit vaše připojení.</translation>
        </message>
        <message>
            <source>Sign In</source>
            <translation>Přihlášení</translation>
        </message>
        <message>
            <source>The data folder %1 does not exist and cannot be created.</source>
            <translation>Datová složka %1 neexistuje a nelze ji vytvořit.</translation>
        </message>
        <message>
            <source>The data folder %1 cannot be written to (%2).</source>
            <translation>Do datové složky %1 nelze zapisovat (%2).</translation>
        </message>
        <message>
            <source>Cannot upload %1: a name on the server cannot contain "\".</source>
            <translation>Nelze nahrát %1: název na serveru nesmí obsahovat "\".</translation>
        </message>
        <message>
            <source>The file could not be read or written.</source>
            <translation>Soubor se nepodařilo přečíst ani zapsat.</translation>
        </message>
        <message>
            <source>The connection was interrupted.</source>
            <translation>Připojení bylo přerušeno.</translation>
        </message>
        <message>
            <source>The server no longer knows this transfer.</source>
            <translation>Server již tento přenos nezná.</translation>
        </message>
        <message>
            <source>The transfer was paused.</source>
            <translation>Přenos byl pozastaven.</translation>
        </message>
        <message>
            <source>The data received was larger than allowed.</source>
            <translation>Přijatá data jsou větší, než je povoleno.</translation>
        </message>
        <message>
            <source>The server said: %1</source>
            <translation>Odpověď serveru: %1</translation>
        </message>
        <message>
            <source>The file changed while it was being sent.</source>
            <translation>Soubor se během odesílání změnil.</translation>
        </message>
    </context>
</TS>
