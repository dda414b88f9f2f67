<?xml version='1.0' encoding='utf-8'?>
<!DOCTYPE TS>
<TS sourcelanguage="en_US" version="2.1" language="de_DE">
    <context>
        <name>CertificateChainDialog</name>
        <message>
            <source>Certificate</source>
            <translation>Zertifikat</translation>
        </message>
        <message>
            <source>Level</source>
            <translation>Ebene</translation>
        </message>
        <message>
            <source>Subject</source>
            <translation>Antragsteller</translation>
        </message>
        <message>
            <source>Issuer</source>
            <translation>Aussteller</translation>
        </message>
        <message>
            <source>Valid</source>
            <translation>Gültig</translation>
        </message>
        <message>
            <source>%1 to %2</source>
            <extracomment>The validity period of a certificate: its first and its last day.</extracomment>
            <translation>%1 bis %2</translation>
        </message>
    </context>
    <context>
        <name>HelpWindow</name>
        <message>
            <source>The help is not installed.</source>
            <translation>Die Hilfe ist nicht installiert.</translation>
        </message>
    </context>
    <context>
        <name>global</name>
        <message>
            <source>Login</source>
            <translation>Anmelden</translation>
        </message>
        <message>
            <source>You don't have enough privilege.</source>
            <translation>Sie haben nicht die erforderliche Berechtigung.</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>Schließen</translation>
        </message>
        <message>
            <source>Disk full. Failed to copy %1 to %2.</source>
            <translation>Datenträger voll. %1 konnte nicht nach %2 kopiert werden.</translation>
        </message>
        <message>
            <source>Back</source>
            <translation>Zurück</translation>
        </message>
        <message>
            <source>Maximum retries reached.</source>
            <translation>Die maximale Anzahl von Versuchen wurde erreicht.</translation>
        </message>
        <message>
            <source>Filter</source>
            <translation>Filtern</translation>
        </message>
        <message>
            <source>Remember password?</source>
            <translation>Kennwort speichern?</translation>
        </message>
        <message>
            <source>Shared folder quota insufficient. Failed to copy %1 to %2.</source>
            <translation>Kontingent des freigegebenen Ordners reicht nicht aus. %1 konnte nicht nach %2 kopiert werden.</translation>
        </message>
        <message>
            <source>Disk full. Failed to move %1 to %2.</source>
            <translation>Datenträger voll. %1 konnte nicht nach %2 verschoben werden.</translation>
        </message>
        <message>
            <source>User quota insufficient. Failed to copy %1 to %2.</source>
            <translation>Benutzerkontingent reicht nicht aus. %1 konnte nicht nach %2 kopiert werden.</translation>
        </message>
        <message>
            <source>Shared folder quota insufficient. Failed to move %1 to %2.</source>
            <translation>Kontingent des freigegebenen Ordners reicht nicht aus. %1 konnte nicht nach %2 verschoben werden.</translation>
        </message>
        <message>
            <source>Insufficient disk space.</source>
            <translation>Nicht genügend Speicherplatz auf dem Datenträger.</translation>
        </message>
        <message>
            <source>File size exceeds destination file system limit.</source>
            <translation>Die Dateigröße überschreitet die Grenze des Zieldateisystems.</translation>
        </message>
        <message>
            <source>File does not exist.</source>
            <translation>Die Datei ist nicht vorhanden.</translation>
        </message>
        <message>
            <source>Cannot access the temporary file.</source>
            <translation>Auf die temporäre Datei kann nicht zugegriffen werden.</translation>
        </message>
        <message>
            <source>Last Page</source>
            <translation>Letzte Seite</translation>
        </message>
        <message>
            <source>Please upgrade your Quillmar File Manager package.</source>
            <translation>Bitte aktualisieren Sie Ihr Quillmar File Manager-Paket.</translation>
        </message>
        <message>
            <source>User quota insufficient. Failed to move %1 to %2.</source>
            <translation>Benutzerkontingent reicht nicht aus. %1 konnte nicht nach %2 verschoben werden.</translation>
        </message>
        <message>
            <source>Shared folder quota full.</source>
            <translation>Das Kontingent des freigegebenen Ordners ist erschöpft.</translation>
        </message>
        <message>
            <source>User quota full.</source>
            <translation>Das Benutzerkontingent ist erschöpft.</translation>
        </message>
        <message>
            <source>A one-time password is required. Please log into your ZRM to set your one-time password.</source>
            <translation>Ein Einmalkennwort ist erforderlich. Bitte melden Sie sich bei Ihrem ZRM an, um Ihr Einmalkennwort einzurichten.</translation>
        </message>
        <message>
            <source>The one-time password you entered is incorrect.</source>
            <translation>Das eingegebene Einmalkennwort ist falsch.</translation>
        </message>
        <message>
            <source>Please enter a 6-digit verification code.</source>
            <translation>Bitte geben Sie einen 6-stelligen Bestätigungscode ein.</translation>
        </message>
        <message>
            <source>Quillmar File Manager will be reconnected in %1 seconds.</source>
            <translation>Quillmar File Manager stellt die Verbindung in %1 Sekunden wieder her.</translation>
        </message>
        <message>
            <source>Display mode </source>
            <translation>Display mode </translation>
        </message>
        <message>
            <source>Failed to update Quillmar File Manager database. Please restart or reinstall Quillmar File Manager.</source>
            <translation>Die Datenbank von Quillmar File Manager konnte nicht aktualisiert werden. Bitte starten Sie Quillmar File Manager neu oder installieren Sie das Programm erneut.</translation>
        </message>
        <message>
            <source>Friday</source>
            <translation>Freitag</translation>
        </message>
        <message>
            <source>Paste</source>
            <translation>Einfügen</translation>
        </message>
        <message>
            <source>Forward</source>
            <translation>Vorwärts</translation>
        </message>
        <message>
            <source>Invalid username/password or insufficient user privilege.</source>
            <translation>Benutzername oder Kennwort ungültig, oder die Benutzerrechte reichen nicht aus.</translation>
        </message>
        <message>
            <source>Closing the application will close all connections and abort all transfer tasks. Are you sure you want to continue?</source>
            <translation>Beim Schließen der Anwendung werden alle Verbindungen getrennt und alle Übertragungen abgebrochen. Möchten Sie wirklich fortfahren?</translation>
        </message>
        <message>
            <source>Copy</source>
            <translation>Kopieren</translation>
        </message>
        <message>
            <source>Create Folder</source>
            <translation>Ordner erstellen</translation>
        </message>
        <message>
            <source>Wednesday</source>
            <translation>Mittwoch</translation>
        </message>
        <message>
            <source>Log</source>
            <translation>Protokoll</translation>
        </message>
        <message>
            <source>Please enter the password to connect.</source>
            <translation>Bitte geben Sie das Kennwort für die Verbindung ein.</translation>
        </message>
        <message>
            <source>First Page</source>
            <translation>Erste Seite</translation>
        </message>
        <message>
            <source>Previous %1 pages</source>
            <translation>Vorherige %1 Seiten</translation>
        </message>
        <message>
            <source>Next %1 pages</source>
            <translation>Nächste %1 Seiten</translation>
        </message>
        <message>
            <source>Help / About </source>
            <translation>Hilfe / Info </translation>
        </message>
        <message>
            <source>Activity logs</source>
            <translation>Aktivitätsprotokolle</translation>
        </message>
        <message>
            <source>Settings</source>
            <translation>Einstellungen</translation>
        </message>
        <message>
            <source>Sort by </source>
            <translation>Sortieren nach </translation>
        </message>
        <message>
            <source>Task Manager</source>
            <translation>Task-Manager</translation>
        </message>
        <message>
            <source>Remote Path</source>
            <translation>Serverpfad</translation>
        </message>
        <message>
            <source>Please enter a valid server address.</source>
            <translation>Bitte geben Sie eine gültige Serveradresse ein.</translation>
        </message>
        <message>
            <source>You do not have permission to rename %1 to %2.</source>
            <translation>Sie sind nicht berechtigt, %1 in %2 umzubenennen.</translation>
        </message>
        <message>
            <source>Login failed.</source>
            <translation>Anmeldung fehlgeschlagen.</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>Löschen</translation>
        </message>
        <message>
            <source>Rename</source>
            <translation>Umbenennen</translation>
        </message>
        <message>
            <source>Server address</source>
            <translation>Serveradresse</translation>
        </message>
        <message>
            <source>Apply</source>
            <translation>Übernehmen</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>Abbrechen</translation>
        </message>
        <message>
            <source>Connect</source>
            <translation>Verbinden</translation>
        </message>
        <message>
            <source>OK</source>
            <translation>OK</translation>
        </message>
        <message>
            <source>Reset</source>
            <translation>Zurücksetzen</translation>
        </message>
        <message>
            <source>Closing the connection will abort all transfer tasks in this connection. Are you sure you want to continue?</source>
            <translation>Beim Schließen der Verbindung werden alle Übertragungen dieser Verbindung abgebrochen. Möchten Sie wirklich fortfahren?</translation>
        </message>
        <message>
            <source>day(s)</source>
            <translation>Tag(e)</translation>
        </message>
        <message>
            <source>Failed to copy %1 to %2.</source>
            <translation>%1 konnte nicht nach %2 kopiert werden.</translation>
        </message>
        <message>
            <source>You do not have permission to copy %1 to %2.</source>
            <translation>Sie sind nicht berechtigt, %1 nach %2 zu kopieren.</translation>
        </message>
        <message>
            <source>Disconnected from the server. Please login again.</source>
            <translation>Die Verbindung zum Server wurde getrennt. Bitte melden Sie sich erneut an.</translation>
        </message>
        <message>
            <source>Failed to load this directory.</source>
            <translation>Dieser Ordner konnte nicht geladen werden.</translation>
        </message>
        <message>
            <source>You do not have permission to load the directory.</source>
            <translation>Sie sind nicht berechtigt, diesen Ordner zu laden.</translation>
        </message>
        <message>
            <source>Failed to connect to server.</source>
            <translation>Verbindung zum Server fehlgeschlagen.</translation>
        </message>
        <message>
            <source>Failed to create directory %1.</source>
            <translation>Der Ordner %1 konnte nicht erstellt werden.</translation>
        </message>
        <message>
            <source>You do not have permission to create %1.</source>
            <translation>Sie sind nicht berechtigt, %1 zu erstellen.</translation>
        </message>
        <message>
            <source>Failed to remove %1.</source>
            <translation>%1 konnte nicht gelöscht werden.</translation>
        </message>
        <message>
            <source>You do not have permission to remove %1.</source>
            <translation>Sie sind nicht berechtigt, %1 zu löschen.</translation>
        </message>
        <message>
            <source>Failed to rename %1 to %2.</source>
            <translation>%1 konnte nicht in %2 umbenannt werden.</translation>
        </message>
        <message>
            <source>Failed to rename %1 to %2 because %2 already exists.</source>
            <translation>%1 konnte nicht in %2 umbenannt werden, da %2 bereits vorhanden ist.</translation>
        </message>
        <message>
            <source>File</source>
            <translation>Datei</translation>
        </message>
        <message>
            <source>File Name</source>
            <translation>Dateiname</translation>
        </message>
        <message>
            <source>File Type</source>
            <translation>Dateityp</translation>
        </message>
        <message>
            <source>From</source>
            <translation>Von</translation>
        </message>
        <message>
            <source>Keyword</source>
            <translation>Stichwort</translation>
        </message>
        <message>
            <source>Size</source>
            <translation>Größe</translation>
        </message>
        <message>
            <source>Any</source>
            <translation>Beliebig</translation>
        </message>
        <message>
            <source>Equal to</source>
            <translation>Gleich</translation>
        </message>
        <message>
            <source>Greater than</source>
            <translation>Größer als</translation>
        </message>
        <message>
            <source>Less than</source>
            <translation>Kleiner als</translation>
        </message>
        <message>
            <source>Ascending</source>
            <translation>Aufsteigend</translation>
        </message>
        <message>
            <source>Descending</source>
            <translation>Absteigend</translation>
        </message>
        <message>
            <source>To</source>
            <translation>Bis</translation>
        </message>
        <message>
            <source>Folder</source>
            <translation>Ordner</translation>
        </message>
        <message>
            <source>Duration</source>
            <translation>Dauer</translation>
        </message>
        <message>
            <source>End</source>
            <translation>Ende</translation>
        </message>
        <message>
            <source>Event</source>
            <translation>Ereignis</translation>
        </message>
        <message>
            <source>Start</source>
            <translation>Beginn</translation>
        </message>
        <message>
            <source>Time</source>
            <translation>Zeit</translation>
        </message>
        <message>
            <source>Type</source>
            <translation>Typ</translation>
        </message>
        <message>
            <source>%1 copied %2 to %3.</source>
            <translation>%1 hat %2 nach %3 kopiert.</translation>
        </message>
        <message>
            <source>%1 downloaded %2.</source>
            <translation>%1 hat %2 heruntergeladen.</translation>
        </message>
        <message>
            <source>%1 logged in to %2.</source>
            <translation>%1 hat sich bei %2 angemeldet.</translation>
        </message>
        <message>
            <source>%1 created folder %2.</source>
            <translation>%1 hat den Ordner %2 erstellt.</translation>
        </message>
        <message>
            <source>%1 deleted %2.</source>
            <translation>%1 hat %2 gelöscht.</translation>
        </message>
        <message>
            <source>July</source>
            <translation>Juli</translation>
        </message>
        <message>
            <source>%1 renamed %2 to %3.</source>
            <translation>%1 hat %2 in %3 umbenannt.</translation>
        </message>
        <message>
            <source>%1 uploaded %2.</source>
            <translation>%1 hat %2 hochgeladen.</translation>
        </message>
        <message>
            <source>All Events</source>
            <translation>Alle Ereignisse</translation>
        </message>
        <message>
            <source>Event logs</source>
            <translation>Ereignisprotokoll</translation>
        </message>
        <message>
            <source>File transfer log</source>
            <translation>Dateiübertragungsprotokoll</translation>
        </message>
        <message>
            <source>Modified Time</source>
            <translation>Änderungsdatum</translation>
        </message>
        <message>
            <source>Monday</source>
            <translation>Montag</translation>
        </message>
        <message>
            <source>April</source>
            <translation>April</translation>
        </message>
        <message>
            <source>August</source>
            <translation>August</translation>
        </message>
        <message>
            <source>December</source>
            <translation>Dezember</translation>
        </message>
        <message>
            <source>February</source>
            <translation>Februar</translation>
        </message>
        <message>
            <source>January</source>
            <translation>Januar</translation>
        </message>
        <message>
            <source>June</source>
            <translation>Juni</translation>
        </message>
        <message>
            <source>March</source>
            <translation>März</translation>
        </message>
        <message>
            <source>May</source>
            <translation>Mai</translation>
        </message>
        <message>
            <source>November</source>
            <translation>November</translation>
        </message>
        <message>
            <source>October</source>
            <translation>Oktober</translation>
        </message>
        <message>
            <source>September</source>
            <translation>September</translation>
        </message>
        <message>
            <source>My Computer</source>
            <translation>Arbeitsplatz</translation>
        </message>
        <message>
            <source>item(s)</source>
            <translation>Element(e)</translation>
        </message>
        <message>
            <source>Password</source>
            <translation>Kennwort</translation>
        </message>
        <message>
            <source>Time Remaining</source>
            <translation>Restzeit</translation>
        </message>
        <message>
            <source>All Transfers</source>
            <translation>Alle Übertragungen</translation>
        </message>
        <message>
            <source>Downloaded</source>
            <translation>Heruntergeladen</translation>
        </message>
        <message>
            <source>Elapsed Time</source>
            <translation>Verstrichen</translation>
        </message>
        <message>
            <source>Local Path</source>
            <translation>Lokaler Pfad</translation>
        </message>
        <message>
            <source>Speed</source>
            <translation>Rate</translation>
        </message>
        <message>
            <source>Status</source>
            <translation>Status</translation>
        </message>
        <message>
            <source>UL/DL</source>
            <translation>Typ</translation>
        </message>
        <message>
            <source>Uploaded</source>
            <translation>Hochgeladen</translation>
        </message>
        <message>
            <source>Remember password</source>
            <translation>Kennwort speichern</translation>
        </message>
        <message>
            <source>Saturday</source>
            <translation>Samstag</translation>
        </message>
        <message>
            <source>Changes are not saved. Are you sure you want to leave?</source>
            <translation>Die Änderungen wurden nicht gespeichert. Möchten Sie die Seite wirklich verlassen?</translation>
        </message>
        <message>
            <source>Enable transfer compression</source>
            <translation>Komprimierte Übertragung aktivieren</translation>
        </message>
        <message>
            <source>Max. concurrent transfers</source>
            <translation>Max. gleichzeitige Übertragungen</translation>
        </message>
        <message>
            <source>Enable transfer encryption</source>
            <translation>Verschlüsselte Übertragung aktivieren</translation>
        </message>
        <message>
            <source>files</source>
            <translation>Dateien</translation>
        </message>
        <message>
            <source>Host Info</source>
            <translation>Host-Informationen</translation>
        </message>
        <message>
            <source>Hostname</source>
            <translation>Hostname</translation>
        </message>
        <message>
            <source>System default</source>
            <translation>Systemstandard</translation>
        </message>
        <message>
            <source>Please restart %1 to apply the new language settings.</source>
            <translation>Bitte starten Sie %1 neu, um die neue Spracheinstellung zu übernehmen.</translation>
        </message>
        <message>
            <source>Language</source>
            <translation>Sprache</translation>
        </message>
        <message>
            <source>Max. download rate</source>
            <translation>Max. Downloadrate</translation>
        </message>
        <message>
            <source>Max. upload rate</source>
            <translation>Max. Uploadrate</translation>
        </message>
        <message>
            <source>New site</source>
            <translation>Neue Verbindung</translation>
        </message>
        <message>
            <source>No limit</source>
            <translation>Unbegrenzt</translation>
        </message>
        <message>
            <source>Optional</source>
            <translation>Optional</translation>
        </message>
        <message>
            <source>Transfer Settings</source>
            <translation>Übertragungseinstellungen</translation>
        </message>
        <message>
            <source>Failed</source>
            <translation>Fehlgeschlagen</translation>
        </message>
        <message>
            <source>Paused</source>
            <translation>Angehalten</translation>
        </message>
        <message>
            <source>Waiting</source>
            <translation>Wartend</translation>
        </message>
        <message>
            <source>Sunday</source>
            <translation>Sonntag</translation>
        </message>
        <message>
            <source>Thursday</source>
            <translation>Donnerstag</translation>
        </message>
        <message>
            <source>Today</source>
            <translation>Heute</translation>
        </message>
        <message>
            <source>Tuesday</source>
            <translation>Dienstag</translation>
        </message>
        <message>
            <source>Username</source>
            <translation>Benutzername</translation>
        </message>
        <message>
            <source>Connecting...</source>
            <translation>Verbindung wird hergestellt...</translation>
        </message>
        <message>
            <source>Please enter a valid IP address.</source>
            <translation>Bitte geben Sie eine gültige IP-Adresse ein.</translation>
        </message>
        <message>
            <source>New Connection</source>
            <translation>Neue Verbindung</translation>
        </message>
        <message>
            <source>Cut</source>
            <translation>Ausschneiden</translation>
        </message>
        <message>
            <source>Download</source>
            <translation>Herunterladen</translation>
        </message>
        <message>
            <source>Upload</source>
            <translation>Hochladen</translation>
        </message>
        <message>
            <source>Cannot load information for %1.</source>
            <translation>Die Informationen zu %1 können nicht geladen werden.</translation>
        </message>
        <message>
            <source>Failed to move %1 to %2.</source>
            <translation>%1 konnte nicht nach %2 verschoben werden.</translation>
        </message>
        <message>
            <source>You do not have permission to move %1 to %2.</source>
            <translation>Sie sind nicht berechtigt, %1 nach %2 zu verschieben.</translation>
        </message>
        <message>
            <source>Failed to move %1 to %2 because %1 already exists.</source>
            <translation>%1 konnte nicht nach %2 verschoben werden, da %1 bereits vorhanden ist.</translation>
        </message>
        <message>
            <source>%1 moved %2 to %3.</source>
            <translation>%1 hat %2 nach %3 verschoben.</translation>
        </message>
        <message>
            <source>Copyright (c) %1 Quillmar. All rights reserved.</source>
            <translation>Copyright (c) %1 Quillmar. Alle Rechte vorbehalten.</translation>
        </message>
        <message>
            <source>Version</source>
            <translation>Version</translation>
        </message>
        <message>
            <source>Help</source>
            <translation>Hilfe</translation>
        </message>
        <message>
            <source>About</source>
            <translation>Info</translation>
        </message>
        <message>
            <source>This setting is enforced by the server.</source>
            <translation>Diese Einstellung wird vom Server vorgegeben.</translation>
        </message>
        <message>
            <source>This connected server does not support minimum bandwidth configuration.</source>
            <translation>Der verbundene Server unterstützt keine Einstellung der Mindestbandbreite.</translation>
        </message>
        <message>
            <source>Untrusted SSL certificate</source>
            <translation>Nicht vertrauenswürdiges SSL-Zertifikat</translation>
        </message>
        <message>
            <source>SSL certificate has been changed.</source>
            <translation>Das SSL-Zertifikat wurde geändert.</translation>
        </message>
        <message>
            <source>Proceed anyway</source>
            <translation>Trotzdem fortfahren</translation>
        </message>
        <message>
            <source>Default download location</source>
            <translation>Standard-Downloadordner</translation>
        </message>
        <message>
            <source>Download Settings</source>
            <translation>Download-Einstellungen</translation>
        </message>
        <message>
            <source>Download to default folder</source>
            <translation>In Standardordner herunterladen</translation>
        </message>
        <message>
            <source>Download to …</source>
            <translation>Herunterladen nach …</translation>
        </message>
        <message>
            <source>Browse</source>
            <translation>Durchsuchen</translation>
        </message>
        <message>
            <source>New tab</source>
            <translation>Neuer Tab</translation>
        </message>
        <message>
            <source>Download rate</source>
            <translation>Downloadrate</translation>
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
            <translation>Uploadrate</translation>
        </message>
        <message>
            <source>Please enter a valid number between 1 and 10.</source>
            <translation>Bitte geben Sie eine gültige Zahl zwischen 1 und 10 ein.</translation>
        </message>
        <message>
            <source>Must be lower than the value of maximum rate</source>
            <translation>Muss kleiner als die maximale Rate sein</translation>
        </message>
        <message>
            <source>Must be higher than the value of minimum rate</source>
            <translation>Muss größer als die minimale Rate sein</translation>
        </message>
        <message>
            <source>Please enter your username.</source>
            <translation>Bitte geben Sie Ihren Benutzernamen ein.</translation>
        </message>
        <message>
            <source>Quillmar File Manager</source>
            <translation>Quillmar File Manager</translation>
        </message>
        <message>
            <source>Please update your Quillmar File Manager on your computer.</source>
            <translation>Bitte aktualisieren Sie Quillmar File Manager auf Ihrem Computer.</translation>
        </message>
        <message>
            <source>Compatibility error. Please upgrade Quillmar File Manager.</source>
            <translation>Kompatibilitätsfehler. Bitte aktualisieren Sie Quillmar File Manager.</translation>
        </message>
        <message>
            <source>Connect to a Quillmar File Manager</source>
            <translation>Mit einem Quillmar File Manager verbinden</translation>
        </message>
        <message>
            <source>The connection cannot be established with wrong port number. Please check the port number and try again. </source>
            <translation>Mit einer falschen Portnummer kann keine Verbindung hergestellt werden. Bitte prüfen Sie die Portnummer und versuchen Sie es erneut. </translation>
        </message>
        <message>
            <source>Connection failed. Please make sure TCP on port %1 is open.</source>
            <translation>Verbindung fehlgeschlagen. Bitte stellen Sie sicher, dass der TCP-Port %1 offen ist.</translation>
        </message>
        <message>
            <source>Failed to connect to this Koralt File Server due to compatibility issues. Please go to Download Center to download Koralt desktop client and connect it to this Koralt File Server.  </source>
            <translation>Wegen Kompatibilitätsproblemen konnte keine Verbindung zu diesem Koralt File Server hergestellt werden. Bitte laden Sie im Download Center den Koralt Desktop-Client herunter und verbinden Sie ihn mit diesem Koralt File Server.  </translation>
        </message>
        <message>
            <source>Please enter a one-time verification code.</source>
            <translation>Bitte geben Sie einen Einmal-Bestätigungscode ein.</translation>
        </message>
        <message>
            <source>The SSL certificate of Quillmar NAS is not trusted. This may mean that it is a self-signed certificate, or someone may be trying to intercept your connection.</source>
            <translation>Das SSL-Zertifikat von Quillmar NAS ist nicht vertrauenswürdig. Möglicherweise ist es selbstsigniert, oder jemand versucht, Ihre Verbindung abzufangen.</translation>
        </message>
        <message>
            <source>The SSL certificate has been changed. This may mean that the Quillmar NAS certificate has been changed, or someone may be trying to intercept your connection.</source>
            <translation>Das SSL-Zertifikat wurde geändert. Möglicherweise wurde das Zertifikat von Quillmar NAS ersetzt, oder jemand versucht, Ihre Verbindung abzufangen.</translation>
        </message>
        <message>
            <source>Sign In</source>
            <translation>Anmeldung</translation>
        </message>
        <message>
            <source>The data folder %1 does not exist and cannot be created.</source>
            <translation>Der Datenordner %1 ist nicht vorhanden und kann nicht erstellt werden.</translation>
        </message>
        <message>
            <source>The data folder %1 cannot be written to (%2).</source>
            <translation>In den Datenordner %1 kann nicht geschrieben werden (%2).</translation>
        </message>
        <message>
            <source>Cannot upload %1: a name on the server cannot contain "\".</source>
            <translation>%1 kann nicht hochgeladen werden: Ein Name auf dem Server darf kein "\" enthalten.</translation>
        </message>
        <message>
            <source>The file could not be read or written.</source>
            <translation>Die Datei konnte nicht gelesen oder geschrieben werden.</translation>
        </message>
        <message>
            <source>The connection was interrupted.</source>
            <translation>Die Verbindung wurde unterbrochen.</translation>
        </message>
        <message>
            <source>The server no longer knows this transfer.</source>
            <translation>Der Server kennt diese Übertragung nicht mehr.</translation>
        </message>
        <message>
            <source>The transfer was paused.</source>
            <translation>Die Übertragung wurde angehalten.</translation>
        </message>
        <message>
            <source>The data received was larger than allowed.</source>
            <translation>Die empfangenen Daten waren größer als erlaubt.</translation>
        </message>
        <message>
            <source>The server said: %1</source>
            <translation>Meldung des Servers: %1</translation>
        </message>
        <message>
            <source>The file changed while it was being sent.</source>
            <translation>Die Datei wurde während des Sendens geändert.</translation>
        </message>
    </context>
</TS>
