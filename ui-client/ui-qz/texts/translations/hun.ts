<?xml version='1.0' encoding='utf-8'?>
<!DOCTYPE TS>
<TS sourcelanguage="en_US" version="2.1" language="hu_HU">
    <context>
        <name>CertificateChainDialog</name>
        <message>
            <source>Certificate</source>
            <translation>Tanúsítvány</translation>
        </message>
        <message>
            <source>Level</source>
            <translation>Szint</translation>
        </message>
        <message>
            <source>Subject</source>
            <translation>Tulajdonos</translation>
        </message>
        <message>
            <source>Issuer</source>
            <translation>Kiállító</translation>
        </message>
        <message>
            <source>Valid</source>
            <translation>Érvényesség</translation>
        </message>
        <message>
            <source>%1 to %2</source>
            <extracomment>The validity period of a certificate: its first and its last day.</extracomment>
            <translation>%1 – %2</translation>
        </message>
    </context>
    <context>
        <name>HelpWindow</name>
        <message>
            <source>The help is not installed.</source>
            <translation>A súgó nincs telepítve.</translation>
        </message>
    </context>
    <context>
        <name>global</name>
        <message>
            <source>Login</source>
            <translation>Bejelentkezés</translation>
        </message>
        <message>
            <source>You don't have enough privilege.</source>
            <translation>Nincs elegendő jogosultsága.</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>Bezárás</translation>
        </message>
        <message>
            <source>Disk full. Failed to copy %1 to %2.</source>
            <translation>A lemez megtelt. Nem sikerült a(z) %1 másolása ide: %2.</translation>
        </message>
        <message>
            <source>Back</source>
            <translation>Vissza</translation>
        </message>
        <message>
            <source>Maximum retries reached.</source>
            <translation>Elérte a próbálkozások maximális számát.</translation>
        </message>
        <message>
            <source>Filter</source>
            <translation>Szűrés</translation>
        </message>
        <message>
            <source>Remember password?</source>
            <translation>Megjegyzi a jelszót?</translation>
        </message>
        <message>
            <source>Shared folder quota insufficient. Failed to copy %1 to %2.</source>
            <translation>A megosztott mappa kvótája nem elegendő. Nem sikerült a(z) %1 másolása ide: %2.</translation>
        </message>
        <message>
            <source>Disk full. Failed to move %1 to %2.</source>
            <translation>A lemez megtelt. Nem sikerült a(z) %1 áthelyezése ide: %2.</translation>
        </message>
        <message>
            <source>User quota insufficient. Failed to copy %1 to %2.</source>
            <translation>A felhasználói kvóta nem elegendő. Nem sikerült a(z) %1 másolása ide: %2.</translation>
        </message>
        <message>
            <source>Shared folder quota insufficient. Failed to move %1 to %2.</source>
            <translation>A megosztott mappa kvótája nem elegendő. Nem sikerült a(z) %1 áthelyezése ide: %2.</translation>
        </message>
        <message>
            <source>Insufficient disk space.</source>
            <translation>Nincs elég szabad hely a lemezen.</translation>
        </message>
        <message>
            <source>File size exceeds destination file system limit.</source>
            <translation>A fájl mérete meghaladja a célfájlrendszer korlátját.</translation>
        </message>
        <message>
            <source>File does not exist.</source>
            <translation>A fájl nem létezik.</translation>
        </message>
        <message>
            <source>Cannot access the temporary file.</source>
            <translation>Az ideiglenes fájl nem érhető el.</translation>
        </message>
        <message>
            <source>Last Page</source>
            <translation>Utolsó oldal</translation>
        </message>
        <message>
            <source>Please upgrade your Quillmar File Manager package.</source>
            <translation>Frissítse a Quillmar File Manager csomagot.</translation>
        </message>
        <message>
            <source>User quota insufficient. Failed to move %1 to %2.</source>
            <translation>A felhasználói kvóta nem elegendő. Nem sikerült a(z) %1 áthelyezése ide: %2.</translation>
        </message>
        <message>
            <source>Shared folder quota full.</source>
            <translation>A megosztott mappa kvótája megtelt.</translation>
        </message>
        <message>
            <source>User quota full.</source>
            <translation>A felhasználói kvóta megtelt.</translation>
        </message>
        <message>
            <source>A one-time password is required. Please log into your ZRM to set your one-time password.</source>
            <translation>Egyszeri jelszó szükséges. Jelentkezzen be a ZRM felületére, és állítsa be az egyszeri jelszavát.</translation>
        </message>
        <message>
            <source>The one-time password you entered is incorrect.</source>
            <translation>A megadott egyszeri jelszó helytelen.</translation>
        </message>
        <message>
            <source>Please enter a 6-digit verification code.</source>
            <translation>Adja meg a 6 számjegyű ellenőrző kódot.</translation>
        </message>
        <message>
            <source>Quillmar File Manager will be reconnected in %1 seconds.</source>
            <translation>A Quillmar File Manager %1 másodperc múlva újra csatlakozik.</translation>
        </message>
        <message>
            <source>Display mode </source>
            <translation>Display mode </translation>
        </message>
        <message>
            <source>Failed to update Quillmar File Manager database. Please restart or reinstall Quillmar File Manager.</source>
            <translation>Nem sikerült frissíteni a Quillmar File Manager adatbázisát. Indítsa újra vagy telepítse újra a Quillmar File Manager programot.</translation>
        </message>
        <message>
            <source>Friday</source>
            <translation>Péntek</translation>
        </message>
        <message>
            <source>Paste</source>
            <translation>Beillesztés</translation>
        </message>
        <message>
            <source>Forward</source>
            <translation>Előre</translation>
        </message>
        <message>
            <source>Invalid username/password or insufficient user privilege.</source>
            <translation>Érvénytelen felhasználónév/jelszó vagy elégtelen felhasználói jogosultság.</translation>
        </message>
        <message>
            <source>Closing the application will close all connections and abort all transfer tasks. Are you sure you want to continue?</source>
            <translation>Az alkalmazás bezárásakor minden kapcsolat bezárul, és minden átviteli feladat megszakad. Biztosan folytatja?</translation>
        </message>
        <message>
            <source>Copy</source>
            <translation>Másolás</translation>
        </message>
        <message>
            <source>Create Folder</source>
            <translation>Mappa létrehozása</translation>
        </message>
        <message>
            <source>Wednesday</source>
            <translation>Szerda</translation>
        </message>
        <message>
            <source>Log</source>
            <translation>Napló</translation>
        </message>
        <message>
            <source>Please enter the password to connect.</source>
            <translation>A csatlakozáshoz adja meg a jelszót.</translation>
        </message>
        <message>
            <source>First Page</source>
            <translation>Első oldal</translation>
        </message>
        <message>
            <source>Previous %1 pages</source>
            <translation>Előző %1 oldal</translation>
        </message>
        <message>
            <source>Next %1 pages</source>
            <translation>Következő %1 oldal</translation>
        </message>
        <message>
            <source>Help / About </source>
            <translation>Súgó / Névjegy </translation>
        </message>
        <message>
            <source>Activity logs</source>
            <translation>Tevékenységnapló</translation>
        </message>
        <message>
            <source>Settings</source>
            <translation>Beállítások</translation>
        </message>
        <message>
            <source>Sort by </source>
            <translation>Rendezés </translation>
        </message>
        <message>
            <source>Task Manager</source>
            <translation>Feladatkezelő</translation>
        </message>
        <message>
            <source>Remote Path</source>
            <translation>Távoli útvonal</translation>
        </message>
        <message>
            <source>Please enter a valid server address.</source>
            <translation>Adjon meg érvényes kiszolgálócímet.</translation>
        </message>
        <message>
            <source>You do not have permission to rename %1 to %2.</source>
            <translation>Nincs jogosultsága a(z) %1 átnevezéséhez erre: %2.</translation>
        </message>
        <message>
            <source>Login failed.</source>
            <translation>A bejelentkezés nem sikerült.</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>Törlés</translation>
        </message>
        <message>
            <source>Rename</source>
            <translation>Átnevezés</translation>
        </message>
        <message>
            <source>Server address</source>
            <translation>Kiszolgáló címe</translation>
        </message>
        <message>
            <source>Apply</source>
            <translation>Alkalmaz</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>Mégse</translation>
        </message>
        <message>
            <source>Connect</source>
            <translation>Csatlakozás</translation>
        </message>
        <message>
            <source>OK</source>
            <translation>OK</translation>
        </message>
        <message>
            <source>Reset</source>
            <translation>Visszaállítás</translation>
        </message>
        <message>
            <source>Closing the connection will abort all transfer tasks in this connection. Are you sure you want to continue?</source>
            <translation>A kapcsolat bezárásakor a kapcsolat minden átviteli feladata megszakad. Biztosan folytatja?</translation>
        </message>
        <message>
            <source>day(s)</source>
            <translation>nap</translation>
        </message>
        <message>
            <source>Failed to copy %1 to %2.</source>
            <translation>Nem sikerült a(z) %1 másolása ide: %2.</translation>
        </message>
        <message>
            <source>You do not have permission to copy %1 to %2.</source>
            <translation>Nincs jogosultsága a(z) %1 másolásához ide: %2.</translation>
        </message>
        <message>
            <source>Disconnected from the server. Please login again.</source>
            <translation>Megszakadt a kapcsolat a kiszolgálóval. Jelentkezzen be újra.</translation>
        </message>
        <message>
            <source>Failed to load this directory.</source>
            <translation>Nem sikerült betölteni ezt a mappát.</translation>
        </message>
        <message>
            <source>You do not have permission to load the directory.</source>
            <translation>Nincs jogosultsága a mappa betöltéséhez.</translation>
        </message>
        <message>
            <source>Failed to connect to server.</source>
            <translation>Nem sikerült csatlakozni a kiszolgálóhoz.</translation>
        </message>
        <message>
            <source>Failed to create directory %1.</source>
            <translation>Nem sikerült létrehozni a mappát: %1.</translation>
        </message>
        <message>
            <source>You do not have permission to create %1.</source>
            <translation>Nincs jogosultsága a következő létrehozásához: %1.</translation>
        </message>
        <message>
            <source>Failed to remove %1.</source>
            <translation>Nem sikerült törölni: %1.</translation>
        </message>
        <message>
            <source>You do not have permission to remove %1.</source>
            <translation>Nincs jogosultsága a következő törléséhez: %1.</translation>
        </message>
        <message>
            <source>Failed to rename %1 to %2.</source>
            <translation>Nem sikerült a(z) %1 átnevezése erre: %2.</translation>
        </message>
        <message>
            <source>Failed to rename %1 to %2 because %2 already exists.</source>
            <translation>Nem sikerült a(z) %1 átnevezése erre: %2, mert %2 már létezik.</translation>
        </message>
        <message>
            <source>File</source>
            <translation>Fájl</translation>
        </message>
        <message>
            <source>File Name</source>
            <translation>Fájlnév</translation>
        </message>
        <message>
            <source>File Type</source>
            <translation>Fájltípus</translation>
        </message>
        <message>
            <source>From</source>
            <translation>Ettől</translation>
        </message>
        <message>
            <source>Keyword</source>
            <translation>Kulcsszó</translation>
        </message>
        <message>
            <source>Size</source>
            <translation>Méret</translation>
        </message>
        <message>
            <source>Any</source>
            <translation>Bármely</translation>
        </message>
        <message>
            <source>Equal to</source>
            <translation>Egyenlő</translation>
        </message>
        <message>
            <source>Greater than</source>
            <translation>Nagyobb mint</translation>
        </message>
        <message>
            <source>Less than</source>
            <translation>Kisebb mint</translation>
        </message>
        <message>
            <source>Ascending</source>
            <translation>Növekvő</translation>
        </message>
        <message>
            <source>Descending</source>
            <translation>Csökkenő</translation>
        </message>
        <message>
            <source>To</source>
            <translation>Eddig</translation>
        </message>
        <message>
            <source>Folder</source>
            <translation>Mappa</translation>
        </message>
        <message>
            <source>Duration</source>
            <translation>Időtartam</translation>
        </message>
        <message>
            <source>End</source>
            <translation>Vége</translation>
        </message>
        <message>
            <source>Event</source>
            <translation>Esemény</translation>
        </message>
        <message>
            <source>Start</source>
            <translation>Kezdete</translation>
        </message>
        <message>
            <source>Time</source>
            <translation>Idő</translation>
        </message>
        <message>
            <source>Type</source>
            <translation>Típus</translation>
        </message>
        <message>
            <source>%1 copied %2 to %3.</source>
            <translation>%1 átmásolta: %2 → %3.</translation>
        </message>
        <message>
            <source>%1 downloaded %2.</source>
            <translation>%1 letöltötte: %2.</translation>
        </message>
        <message>
            <source>%1 logged in to %2.</source>
            <translation>%1 bejelentkezett ide: %2.</translation>
        </message>
        <message>
            <source>%1 created folder %2.</source>
            <translation>%1 létrehozta a mappát: %2.</translation>
        </message>
        <message>
            <source>%1 deleted %2.</source>
            <translation>%1 törölte: %2.</translation>
        </message>
        <message>
            <source>July</source>
            <translation>Július</translation>
        </message>
        <message>
            <source>%1 renamed %2 to %3.</source>
            <translation>%1 átnevezte: %2 → %3.</translation>
        </message>
        <message>
            <source>%1 uploaded %2.</source>
            <translation>%1 feltöltötte: %2.</translation>
        </message>
        <message>
            <source>All Events</source>
            <translation>Minden esemény</translation>
        </message>
        <message>
            <source>Event logs</source>
            <translation>Eseménynapló</translation>
        </message>
        <message>
            <source>File transfer log</source>
            <translation>Fájlátviteli napló</translation>
        </message>
        <message>
            <source>Modified Time</source>
            <translation>Módosítás ideje</translation>
        </message>
        <message>
            <source>Monday</source>
            <translation>Hétfő</translation>
        </message>
        <message>
            <source>April</source>
            <translation>Április</translation>
        </message>
        <message>
            <source>August</source>
            <translation>Augusztus</translation>
        </message>
        <message>
            <source>December</source>
            <translation>December</translation>
        </message>
        <message>
            <source>February</source>
            <translation>Február</translation>
        </message>
        <message>
            <source>January</source>
            <translation>Január</translation>
        </message>
        <message>
            <source>June</source>
            <translation>Június</translation>
        </message>
        <message>
            <source>March</source>
            <translation>Március</translation>
        </message>
        <message>
            <source>May</source>
            <translation>Május</translation>
        </message>
        <message>
            <source>November</source>
            <translation>November</translation>
        </message>
        <message>
            <source>October</source>
            <translation>Október</translation>
        </message>
        <message>
            <source>September</source>
            <translation>Szeptember</translation>
        </message>
        <message>
            <source>My Computer</source>
            <translation>Sajátgép</translation>
        </message>
        <message>
            <source>item(s)</source>
            <translation>elem</translation>
        </message>
        <message>
            <source>Password</source>
            <translation>Jelszó</translation>
        </message>
        <message>
            <source>Time Remaining</source>
            <translation>Hátralévő</translation>
        </message>
        <message>
            <source>All Transfers</source>
            <translation>Minden átvitel</translation>
        </message>
        <message>
            <source>Downloaded</source>
            <translation>Letöltve</translation>
        </message>
        <message>
            <source>Elapsed Time</source>
            <translation>Eltelt idő</translation>
        </message>
        <message>
            <source>Local Path</source>
            <translation>Helyi útvonal</translation>
        </message>
        <message>
            <source>Speed</source>
            <translation>Sebesség</translation>
        </message>
        <message>
            <source>Status</source>
            <translation>Állapot</translation>
        </message>
        <message>
            <source>UL/DL</source>
            <translation>Fel/Le</translation>
        </message>
        <message>
            <source>Uploaded</source>
            <translation>Feltöltve</translation>
        </message>
        <message>
            <source>Remember password</source>
            <translation>Jelszó megjegyzése</translation>
        </message>
        <message>
            <source>Saturday</source>
            <translation>Szombat</translation>
        </message>
        <message>
            <source>Changes are not saved. Are you sure you want to leave?</source>
            <translation>A módosítások nincsenek mentve. Biztosan kilép?</translation>
        </message>
        <message>
            <source>Enable transfer compression</source>
            <translation>Tömörített átvitel</translation>
        </message>
        <message>
            <source>Max. concurrent transfers</source>
            <translation>Max. egyidejű átvitel</translation>
        </message>
        <message>
            <source>Enable transfer encryption</source>
            <translation>Titkosított átvitel</translation>
        </message>
        <message>
            <source>files</source>
            <translation>fájl</translation>
        </message>
        <message>
            <source>Host Info</source>
            <translation>Gazdagép adatai</translation>
        </message>
        <message>
            <source>Hostname</source>
            <translation>Gazdagépnév</translation>
        </message>
        <message>
            <source>System default</source>
            <translation>Rendszer alapértelmezése</translation>
        </message>
        <message>
            <source>Please restart %1 to apply the new language settings.</source>
            <translation>Az új nyelvi beállítások alkalmazásához indítsa újra: %1.</translation>
        </message>
        <message>
            <source>Language</source>
            <translation>Nyelv</translation>
        </message>
        <message>
            <source>Max. download rate</source>
            <translation>Max. letöltési sebesség</translation>
        </message>
        <message>
            <source>Max. upload rate</source>
            <translation>Max. feltöltési sebesség</translation>
        </message>
        <message>
            <source>New site</source>
            <translation>Új kiszolgáló</translation>
        </message>
        <message>
            <source>No limit</source>
            <translation>Nincs korlát</translation>
        </message>
        <message>
            <source>Optional</source>
            <translation>Nem kötelező</translation>
        </message>
        <message>
            <source>Transfer Settings</source>
            <translation>Átviteli beállítások</translation>
        </message>
        <message>
            <source>Failed</source>
            <translation>Sikertelen</translation>
        </message>
        <message>
            <source>Paused</source>
            <translation>Szüneteltetve</translation>
        </message>
        <message>
            <source>Waiting</source>
            <translation>Várakozik</translation>
        </message>
        <message>
            <source>Sunday</source>
            <translation>Vasárnap</translation>
        </message>
        <message>
            <source>Thursday</source>
            <translation>Csütörtök</translation>
        </message>
        <message>
            <source>Today</source>
            <translation>Ma</translation>
        </message>
        <message>
            <source>Tuesday</source>
            <translation>Kedd</translation>
        </message>
        <message>
            <source>Username</source>
            <translation>Felhasználónév</translation>
        </message>
        <message>
            <source>Connecting...</source>
            <translation>Csatlakozás...</translation>
        </message>
        <message>
            <source>Please enter a valid IP address.</source>
            <translation>Adjon meg érvényes IP-címet.</translation>
        </message>
        <message>
            <source>New Connection</source>
            <translation>Új kapcsolat</translation>
        </message>
        <message>
            <source>Cut</source>
            <translation>Kivágás</translation>
        </message>
        <message>
            <source>Download</source>
            <translation>Letöltés</translation>
        </message>
        <message>
            <source>Upload</source>
            <translation>Feltöltés</translation>
        </message>
        <message>
            <source>Cannot load information for %1.</source>
            <translation>Nem sikerült betölteni az adatokat: %1.</translation>
        </message>
        <message>
            <source>Failed to move %1 to %2.</source>
            <translation>Nem sikerült a(z) %1 áthelyezése ide: %2.</translation>
        </message>
        <message>
            <source>You do not have permission to move %1 to %2.</source>
            <translation>Nincs jogosultsága a(z) %1 áthelyezéséhez ide: %2.</translation>
        </message>
        <message>
            <source>Failed to move %1 to %2 because %1 already exists.</source>
            <translation>Nem sikerült a(z) %1 áthelyezése ide: %2, mert %1 már létezik.</translation>
        </message>
        <message>
            <source>%1 moved %2 to %3.</source>
            <translation>%1 áthelyezte: %2 → %3.</translation>
        </message>
        <message>
            <source>Copyright (c) %1 Quillmar. All rights reserved.</source>
            <translation>Copyright (c) %1 Quillmar. Minden jog fenntartva.</translation>
        </message>
        <message>
            <source>Version</source>
            <translation>Verzió</translation>
        </message>
        <message>
            <source>Help</source>
            <translation>Súgó</translation>
        </message>
        <message>
            <source>About</source>
            <translation>Névjegy</translation>
        </message>
        <message>
            <source>This setting is enforced by the server.</source>
            <translation>Ezt a beállítást a kiszolgáló kényszeríti ki.</translation>
        </message>
        <message>
            <source>This connected server does not support minimum bandwidth configuration.</source>
            <translation>A csatlakoztatott kiszolgáló nem támogatja a minimális sávszélesség beállítását.</translation>
        </message>
        <message>
            <source>Untrusted SSL certificate</source>
            <translation>Nem megbízható SSL-tanúsítvány</translation>
        </message>
        <message>
            <source>SSL certificate has been changed.</source>
            <translation>Az SSL-tanúsítvány megváltozott.</translation>
        </message>
        <message>
            <source>Proceed anyway</source>
            <translation>Folytatás mégis</translation>
        </message>
        <message>
            <source>Default download location</source>
            <translation>Letöltési mappa</translation>
        </message>
        <message>
            <source>Download Settings</source>
            <translation>Letöltési beállítások</translation>
        </message>
        <message>
            <source>Download to default folder</source>
            <translation>Letöltés az alapértelmezett mappába</translation>
        </message>
        <message>
            <source>Download to …</source>
            <translation>Letöltés ide…</translation>
        </message>
        <message>
            <source>Browse</source>
            <translation>Tallózás</translation>
        </message>
        <message>
            <source>New tab</source>
            <translation>Új lap</translation>
        </message>
        <message>
            <source>Download rate</source>
            <translation>Letöltési sebesség</translation>
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
            <translation>Feltöltési sebesség</translation>
        </message>
        <message>
            <source>Please enter a valid number between 1 and 10.</source>
            <translation>Adjon meg egy érvényes számot 1 és 10 között.</translation>
        </message>
        <message>
            <source>Must be lower than the value of maximum rate</source>
            <translation>Kisebbnek kell lennie a maximális sebességnél</translation>
        </message>
        <message>
            <source>Must be higher than the value of minimum rate</source>
            <translation>Nagyobbnak kell lennie a minimális sebességnél</translation>
        </message>
        <message>
            <source>Please enter your username.</source>
            <translation>Adja meg a felhasználónevét.</translation>
        </message>
        <message>
            <source>Quillmar File Manager</source>
            <translation>Quillmar File Manager</translation>
        </message>
        <message>
            <source>Please update your Quillmar File Manager on your computer.</source>
            <translation>Frissítse a számítógépén a Quillmar File Manager programot.</translation>
        </message>
        <message>
            <source>Compatibility error. Please upgrade Quillmar File Manager.</source>
            <translation>Kompatibilitási hiba. Frissítse a Quillmar File Manager programot.</translation>
        </message>
        <message>
            <source>Connect to a Quillmar File Manager</source>
            <translation>Csatlakozás a Quillmar File Managerhez</translation>
        </message>
        <message>
            <source>The connection cannot be established with wrong port number. Please check the port number and try again. </source>
            <translation>Hibás portszámmal a kapcsolat nem hozható létre. Ellenőrizze a portszámot, és próbálja újra. </translation>
        </message>
        <message>
            <source>Connection failed. Please make sure TCP on port %1 is open.</source>
            <translation>A csatlakozás nem sikerült. Győződjön meg arról, hogy a(z) %1 TCP-port nyitva van.</translation>
        </message>
        <message>
            <source>Failed to connect to this Koralt File Server due to compatibility issues. Please go to Download Center to download Koralt desktop client and connect it to this Koralt File Server.  </source>
            <translation>Kompatibilitási problémák miatt nem sikerült csatlakozni ehhez a Koralt File Serverhez. A Letöltőközpontban töltse le a Koralt asztali ügyfelet, és azzal csatlakozzon ehhez a Koralt File Serverhez.  </translation>
        </message>
        <message>
            <source>Please enter a one-time verification code.</source>
            <translation>Adjon meg egy egyszeri ellenőrző kódot.</translation>
        </message>
        <message>
            <source>The SSL certificate of Quillmar NAS is not trusted. This may mean that it is a self-signed certificate, or someone may be trying to intercept your connection.</source>
            <translation>A Quillmar NAS SSL-tanúsítványa nem megbízható. Lehet, hogy önaláírt tanúsítványról van szó, vagy valaki megpróbálja lehallgatni a kapcsolatot.</translation>
        </message>
        <message>
            <source>The SSL certificate has been changed. This may mean that the Quillmar NAS certificate has been changed, or someone may be trying to intercept your connection.</source>
            <translation>Az SSL-tanúsítvány megváltozott. Lehet, hogy a Quillmar NAS tanúsítványát lecserélték, vagy valaki megpróbálja lehallgatni a kapcsolatot.</translation>
        </message>
        <message>
            <source>Sign In</source>
            <translation>Bejelentkezés</translation>
        </message>
        <message>
            <source>The data folder %1 does not exist and cannot be created.</source>
            <translation>A(z) %1 adatmappa nem létezik, és nem hozható létre.</translation>
        </message>
        <message>
            <source>The data folder %1 cannot be written to (%2).</source>
            <translation>A(z) %1 adatmappa nem írható (%2).</translation>
        </message>
        <message>
            <source>Cannot upload %1: a name on the server cannot contain "\".</source>
            <translation>%1 nem tölthető fel: a kiszolgálón egy név nem tartalmazhat "\" karaktert.</translation>
        </message>
        <message>
            <source>The file could not be read or written.</source>
            <translation>A fájl nem olvasható vagy írható.</translation>
        </message>
        <message>
            <source>The connection was interrupted.</source>
            <translation>A kapcsolat megszakadt.</translation>
        </message>
        <message>
            <source>The server no longer knows this transfer.</source>
            <translation>A kiszolgáló már nem ismeri ezt az átvitelt.</translation>
        </message>
        <message>
            <source>The transfer was paused.</source>
            <translation>Az átvitel szüneteltetve lett.</translation>
        </message>
        <message>
            <source>The data received was larger than allowed.</source>
            <translation>A fogadott adat nagyobb volt a megengedettnél.</translation>
        </message>
        <message>
            <source>The server said: %1</source>
            <translation>A kiszolgáló válasza: %1</translation>
        </message>
        <message>
            <source>The file changed while it was being sent.</source>
            <translation>A fájl küldés közben megváltozott.</translation>
        </message>
    </context>
</TS>
