<?xml version='1.0' encoding='utf-8'?>
<!DOCTYPE TS>
<TS sourcelanguage="en_US" version="2.1" language="nl_NL">
    <context>
        <name>CertificateChainDialog</name>
        <message>
            <source>Certificate</source>
            <translation>Certificaat</translation>
        </message>
        <message>
            <source>Level</source>
            <translation>Niveau</translation>
        </message>
        <message>
            <source>Subject</source>
            <translation>Onderwerp</translation>
        </message>
        <message>
            <source>Issuer</source>
            <translation>Verlener</translation>
        </message>
        <message>
            <source>Valid</source>
            <translation>Geldig</translation>
        </message>
        <message>
            <source>%1 to %2</source>
            <extracomment>The validity period of a certificate: its first and its last day.</extracomment>
            <translation>%1 t/m %2</translation>
        </message>
    </context>
    <context>
        <name>HelpWindow</name>
        <message>
            <source>The help is not installed.</source>
            <translation>De Help is niet geïnstalleerd.</translation>
        </message>
    </context>
    <context>
        <name>global</name>
        <message>
            <source>Login</source>
            <translation>Aanmelden</translation>
        </message>
        <message>
            <source>You don't have enough privilege.</source>
            <translation>U hebt onvoldoende rechten.</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>Sluiten</translation>
        </message>
        <message>
            <source>Disk full. Failed to copy %1 to %2.</source>
            <translation>Schijf vol. Kan %1 niet naar %2 kopiëren.</translation>
        </message>
        <message>
            <source>Back</source>
            <translation>Terug</translation>
        </message>
        <message>
            <source>Maximum retries reached.</source>
            <translation>Maximumaantal pogingen bereikt.</translation>
        </message>
        <message>
            <source>Filter</source>
            <translation>Filteren</translation>
        </message>
        <message>
            <source>Remember password?</source>
            <translation>Wachtwoord onthouden?</translation>
        </message>
        <message>
            <source>Shared folder quota insufficient. Failed to copy %1 to %2.</source>
            <translation>Onvoldoende quotum voor de gedeelde map. Kan %1 niet naar %2 kopiëren.</translation>
        </message>
        <message>
            <source>Disk full. Failed to move %1 to %2.</source>
            <translation>Schijf vol. Kan %1 niet naar %2 verplaatsen.</translation>
        </message>
        <message>
            <source>User quota insufficient. Failed to copy %1 to %2.</source>
            <translation>Onvoldoende gebruikersquotum. Kan %1 niet naar %2 kopiëren.</translation>
        </message>
        <message>
            <source>Shared folder quota insufficient. Failed to move %1 to %2.</source>
            <translation>Onvoldoende quotum voor de gedeelde map. Kan %1 niet naar %2 verplaatsen.</translation>
        </message>
        <message>
            <source>Insufficient disk space.</source>
            <translation>Onvoldoende schijfruimte.</translation>
        </message>
        <message>
            <source>File size exceeds destination file system limit.</source>
            <translation>De bestandsgrootte overschrijdt de limiet van het doelbestandssysteem.</translation>
        </message>
        <message>
            <source>File does not exist.</source>
            <translation>Het bestand bestaat niet.</translation>
        </message>
        <message>
            <source>Cannot access the temporary file.</source>
            <translation>Geen toegang tot het tijdelijke bestand.</translation>
        </message>
        <message>
            <source>Last Page</source>
            <translation>Laatste pagina</translation>
        </message>
        <message>
            <source>Please upgrade your Quillmar File Manager package.</source>
            <translation>Upgrade uw Quillmar File Manager-pakket.</translation>
        </message>
        <message>
            <source>User quota insufficient. Failed to move %1 to %2.</source>
            <translation>Onvoldoende gebruikersquotum. Kan %1 niet naar %2 verplaatsen.</translation>
        </message>
        <message>
            <source>Shared folder quota full.</source>
            <translation>Het quotum van de gedeelde map is vol.</translation>
        </message>
        <message>
            <source>User quota full.</source>
            <translation>Het gebruikersquotum is vol.</translation>
        </message>
        <message>
            <source>A one-time password is required. Please log into your ZRM to set your one-time password.</source>
            <translation>Er is een eenmalig wachtwoord vereist. Meld u aan bij uw ZRM om uw eenmalige wachtwoord in te stellen.</translation>
        </message>
        <message>
            <source>The one-time password you entered is incorrect.</source>
            <translation>Het ingevoerde eenmalige wachtwoord is onjuist.</translation>
        </message>
        <message>
            <source>Please enter a 6-digit verification code.</source>
            <translation>Voer een verificatiecode van 6 cijfers in.</translation>
        </message>
        <message>
            <source>Quillmar File Manager will be reconnected in %1 seconds.</source>
            <translation>Quillmar File Manager maakt over %1 seconden opnieuw verbinding.</translation>
        </message>
        <message>
            <source>Display mode </source>
            <translation>Display mode </translation>
        </message>
        <message>
            <source>Failed to update Quillmar File Manager database. Please restart or reinstall Quillmar File Manager.</source>
            <translation>Kan de database van Quillmar File Manager niet bijwerken. Start Quillmar File Manager opnieuw of installeer het programma opnieuw.</translation>
        </message>
        <message>
            <source>Friday</source>
            <translation>Vrijdag</translation>
        </message>
        <message>
            <source>Paste</source>
            <translation>Plakken</translation>
        </message>
        <message>
            <source>Forward</source>
            <translation>Vooruit</translation>
        </message>
        <message>
            <source>Invalid username/password or insufficient user privilege.</source>
            <translation>Ongeldige gebruikersnaam of wachtwoord, of onvoldoende gebruikersrechten.</translation>
        </message>
        <message>
            <source>Closing the application will close all connections and abort all transfer tasks. Are you sure you want to continue?</source>
            <translation>Als u de toepassing sluit, worden alle verbindingen gesloten en alle overdrachten afgebroken. Weet u zeker dat u wilt doorgaan?</translation>
        </message>
        <message>
            <source>Copy</source>
            <translation>Kopiëren</translation>
        </message>
        <message>
            <source>Create Folder</source>
            <translation>Map maken</translation>
        </message>
        <message>
            <source>Wednesday</source>
            <translation>Woensdag</translation>
        </message>
        <message>
            <source>Log</source>
            <translation>Logboek</translation>
        </message>
        <message>
            <source>Please enter the password to connect.</source>
            <translation>Voer het wachtwoord in om verbinding te maken.</translation>
        </message>
        <message>
            <source>First Page</source>
            <translation>Eerste pagina</translation>
        </message>
        <message>
            <source>Previous %1 pages</source>
            <translation>Vorige %1 pagina's</translation>
        </message>
        <message>
            <source>Next %1 pages</source>
            <translation>Volgende %1 pagina's</translation>
        </message>
        <message>
            <source>Help / About </source>
            <translation>Help / Info </translation>
        </message>
        <message>
            <source>Activity logs</source>
            <translation>Activiteitenlogboeken</translation>
        </message>
        <message>
            <source>Settings</source>
            <translation>Instellingen</translation>
        </message>
        <message>
            <source>Sort by </source>
            <translation>Sorteren op </translation>
        </message>
        <message>
            <source>Task Manager</source>
            <translation>Taakbeheer</translation>
        </message>
        <message>
            <source>Remote Path</source>
            <translation>Extern pad</translation>
        </message>
        <message>
            <source>Please enter a valid server address.</source>
            <translation>Voer een geldig serveradres in.</translation>
        </message>
        <message>
            <source>You do not have permission to rename %1 to %2.</source>
            <translation>U bent niet gemachtigd om de naam van %1 te wijzigen in %2.</translation>
        </message>
        <message>
            <source>Login failed.</source>
            <translation>Aanmelden mislukt.</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>Verwijderen</translation>
        </message>
        <message>
            <source>Rename</source>
            <translation>Naam wijzigen</translation>
        </message>
        <message>
            <source>Server address</source>
            <translation>Serveradres</translation>
        </message>
        <message>
            <source>Apply</source>
            <translation>Toepassen</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>Annuleren</translation>
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
            <translation>Herstellen</translation>
        </message>
        <message>
            <source>Closing the connection will abort all transfer tasks in this connection. Are you sure you want to continue?</source>
            <translation>Als u de verbinding sluit, worden alle overdrachten van deze verbinding afgebroken. Weet u zeker dat u wilt doorgaan?</translation>
        </message>
        <message>
            <source>day(s)</source>
            <translation>dag(en)</translation>
        </message>
        <message>
            <source>Failed to copy %1 to %2.</source>
            <translation>Kan %1 niet naar %2 kopiëren.</translation>
        </message>
        <message>
            <source>You do not have permission to copy %1 to %2.</source>
            <translation>U bent niet gemachtigd om %1 naar %2 te kopiëren.</translation>
        </message>
        <message>
            <source>Disconnected from the server. Please login again.</source>
            <translation>De verbinding met de server is verbroken. Meld u opnieuw aan.</translation>
        </message>
        <message>
            <source>Failed to load this directory.</source>
            <translation>Kan deze map niet openen.</translation>
        </message>
        <message>
            <source>You do not have permission to load the directory.</source>
            <translation>U bent niet gemachtigd om deze map te openen.</translation>
        </message>
        <message>
            <source>Failed to connect to server.</source>
            <translation>Kan geen verbinding maken met de server.</translation>
        </message>
        <message>
            <source>Failed to create directory %1.</source>
            <translation>Kan map %1 niet maken.</translation>
        </message>
        <message>
            <source>You do not have permission to create %1.</source>
            <translation>U bent niet gemachtigd om %1 te maken.</translation>
        </message>
        <message>
            <source>Failed to remove %1.</source>
            <translation>Kan %1 niet verwijderen.</translation>
        </message>
        <message>
            <source>You do not have permission to remove %1.</source>
            <translation>U bent niet gemachtigd om %1 te verwijderen.</translation>
        </message>
        <message>
            <source>Failed to rename %1 to %2.</source>
            <translation>Kan de naam van %1 niet wijzigen in %2.</translation>
        </message>
        <message>
            <source>Failed to rename %1 to %2 because %2 already exists.</source>
            <translation>Kan de naam van %1 niet wijzigen in %2, omdat %2 al bestaat.</translation>
        </message>
        <message>
            <source>File</source>
            <translation>Bestand</translation>
        </message>
        <message>
            <source>File Name</source>
            <translation>Bestandsnaam</translation>
        </message>
        <message>
            <source>File Type</source>
            <translation>Bestandstype</translation>
        </message>
        <message>
            <source>From</source>
            <translation>Van</translation>
        </message>
        <message>
            <source>Keyword</source>
            <translation>Trefwoord</translation>
        </message>
        <message>
            <source>Size</source>
            <translation>Grootte</translation>
        </message>
        <message>
            <source>Any</source>
            <translation>Alle</translation>
        </message>
        <message>
            <source>Equal to</source>
            <translation>Gelijk aan</translation>
        </message>
        <message>
            <source>Greater than</source>
            <translation>Groter dan</translation>
        </message>
        <message>
            <source>Less than</source>
            <translation>Kleiner dan</translation>
        </message>
        <message>
            <source>Ascending</source>
            <translation>Oplopend</translation>
        </message>
        <message>
            <source>Descending</source>
            <translation>Aflopend</translation>
        </message>
        <message>
            <source>To</source>
            <translation>Tot</translation>
        </message>
        <message>
            <source>Folder</source>
            <translation>Map</translation>
        </message>
        <message>
            <source>Duration</source>
            <translation>Duur</translation>
        </message>
        <message>
            <source>End</source>
            <translation>Einde</translation>
        </message>
        <message>
            <source>Event</source>
            <translation>Gebeurtenis</translation>
        </message>
        <message>
            <source>Start</source>
            <translation>Begin</translation>
        </message>
        <message>
            <source>Time</source>
            <translation>Tijd</translation>
        </message>
        <message>
            <source>Type</source>
            <translation>Type</translation>
        </message>
        <message>
            <source>%1 copied %2 to %3.</source>
            <translation>%1 heeft %2 naar %3 gekopieerd.</translation>
        </message>
        <message>
            <source>%1 downloaded %2.</source>
            <translation>%1 heeft %2 gedownload.</translation>
        </message>
        <message>
            <source>%1 logged in to %2.</source>
            <translation>%1 heeft zich aangemeld bij %2.</translation>
        </message>
        <message>
            <source>%1 created folder %2.</source>
            <translation>%1 heeft map %2 gemaakt.</translation>
        </message>
        <message>
            <source>%1 deleted %2.</source>
            <translation>%1 heeft %2 verwijderd.</translation>
        </message>
        <message>
            <source>July</source>
            <translation>Juli</translation>
        </message>
        <message>
            <source>%1 renamed %2 to %3.</source>
            <translation>%1 heeft de naam van %2 gewijzigd in %3.</translation>
        </message>
        <message>
            <source>%1 uploaded %2.</source>
            <translation>%1 heeft %2 geüpload.</translation>
        </message>
        <message>
            <source>All Events</source>
            <translation>Alle gebeurtenissen</translation>
        </message>
        <message>
            <source>Event logs</source>
            <translation>Gebeurtenislogboek</translation>
        </message>
        <message>
            <source>File transfer log</source>
            <translation>Logboek bestandsoverdracht</translation>
        </message>
        <message>
            <source>Modified Time</source>
            <translation>Gewijzigd op</translation>
        </message>
        <message>
            <source>Monday</source>
            <translation>Maandag</translation>
        </message>
        <message>
            <source>April</source>
            <translation>April</translation>
        </message>
        <message>
            <source>August</source>
            <translation>Augustus</translation>
        </message>
        <message>
            <source>December</source>
            <translation>December</translation>
        </message>
        <message>
            <source>February</source>
            <translation>Februari</translation>
        </message>
        <message>
            <source>January</source>
            <translation>Januari</translation>
        </message>
        <message>
            <source>June</source>
            <translation>Juni</translation>
        </message>
        <message>
            <source>March</source>
            <translation>Maart</translation>
        </message>
        <message>
            <source>May</source>
            <translation>Mei</translation>
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
            <translation>Deze computer</translation>
        </message>
        <message>
            <source>item(s)</source>
            <translation>item(s)</translation>
        </message>
        <message>
            <source>Password</source>
            <translation>Wachtwoord</translation>
        </message>
        <message>
            <source>Time Remaining</source>
            <translation>Resterend</translation>
        </message>
        <message>
            <source>All Transfers</source>
            <translation>Alle overdrachten</translation>
        </message>
        <message>
            <source>Downloaded</source>
            <translation>Gedownload</translation>
        </message>
        <message>
            <source>Elapsed Time</source>
            <translation>Verstreken</translation>
        </message>
        <message>
            <source>Local Path</source>
            <translation>Lokaal pad</translation>
        </message>
        <message>
            <source>Speed</source>
            <translation>Snelheid</translation>
        </message>
        <message>
            <source>Status</source>
            <translation>Status</translation>
        </message>
        <message>
            <source>UL/DL</source>
            <translation>Type</translation>
        </message>
        <message>
            <source>Uploaded</source>
            <translation>Geüpload</translation>
        </message>
        <message>
            <source>Remember password</source>
            <translation>Wachtwoord onthouden</translation>
        </message>
        <message>
            <source>Saturday</source>
            <translation>Zaterdag</translation>
        </message>
        <message>
            <source>Changes are not saved. Are you sure you want to leave?</source>
            <translation>De wijzigingen zijn niet opgeslagen. Weet u zeker dat u deze pagina wilt verlaten?</translation>
        </message>
        <message>
            <source>Enable transfer compression</source>
            <translation>Compressie bij overdracht inschakelen</translation>
        </message>
        <message>
            <source>Max. concurrent transfers</source>
            <translation>Max. gelijktijdige overdrachten</translation>
        </message>
        <message>
            <source>Enable transfer encryption</source>
            <translation>Versleuteling bij overdracht inschakelen</translation>
        </message>
        <message>
            <source>files</source>
            <translation>bestanden</translation>
        </message>
        <message>
            <source>Host Info</source>
            <translation>Hostgegevens</translation>
        </message>
        <message>
            <source>Hostname</source>
            <translation>Hostnaam</translation>
        </message>
        <message>
            <source>System default</source>
            <translation>Systeemstandaard</translation>
        </message>
        <message>
            <source>Please restart %1 to apply the new language settings.</source>
            <translation>Start %1 opnieuw om de nieuwe taalinstelling toe te passen.</translation>
        </message>
        <message>
            <source>Language</source>
            <translation>Taal</translation>
        </message>
        <message>
            <source>Max. download rate</source>
            <translation>Max. downloadsnelheid</translation>
        </message>
        <message>
            <source>Max. upload rate</source>
            <translation>Max. uploadsnelheid</translation>
        </message>
        <message>
            <source>New site</source>
            <translation>Nieuwe verbinding</translation>
        </message>
        <message>
            <source>No limit</source>
            <translation>Geen limiet</translation>
        </message>
        <message>
            <source>Optional</source>
            <translation>Optioneel</translation>
        </message>
        <message>
            <source>Transfer Settings</source>
            <translation>Overdrachtsinstellingen</translation>
        </message>
        <message>
            <source>Failed</source>
            <translation>Mislukt</translation>
        </message>
        <message>
            <source>Paused</source>
            <translation>Onderbroken</translation>
        </message>
        <message>
            <source>Waiting</source>
            <translation>Wachten</translation>
        </message>
        <message>
            <source>Sunday</source>
            <translation>Zondag</translation>
        </message>
        <message>
            <source>Thursday</source>
            <translation>Donderdag</translation>
        </message>
        <message>
            <source>Today</source>
            <translation>Vandaag</translation>
        </message>
        <message>
            <source>Tuesday</source>
            <translation>Dinsdag</translation>
        </message>
        <message>
            <source>Username</source>
            <translation>Gebruikersnaam</translation>
        </message>
        <message>
            <source>Connecting...</source>
            <translation>Verbinding maken...</translation>
        </message>
        <message>
            <source>Please enter a valid IP address.</source>
            <translation>Voer een geldig IP-adres in.</translation>
        </message>
        <message>
            <source>New Connection</source>
            <translation>Nieuwe verbinding</translation>
        </message>
        <message>
            <source>Cut</source>
            <translation>Knippen</translation>
        </message>
        <message>
            <source>Download</source>
            <translation>Downloaden</translation>
        </message>
        <message>
            <source>Upload</source>
            <translation>Uploaden</translation>
        </message>
        <message>
            <source>Cannot load information for %1.</source>
            <translation>Kan de gegevens van %1 niet laden.</translation>
        </message>
        <message>
            <source>Failed to move %1 to %2.</source>
            <translation>Kan %1 niet naar %2 verplaatsen.</translation>
        </message>
        <message>
            <source>You do not have permission to move %1 to %2.</source>
            <translation>U bent niet gemachtigd om %1 naar %2 te verplaatsen.</translation>
        </message>
        <message>
            <source>Failed to move %1 to %2 because %1 already exists.</source>
            <translation>Kan %1 niet naar %2 verplaatsen, omdat %1 al bestaat.</translation>
        </message>
        <message>
            <source>%1 moved %2 to %3.</source>
            <translation>%1 heeft %2 naar %3 verplaatst.</translation>
        </message>
        <message>
            <source>Copyright (c) %1 Quillmar. All rights reserved.</source>
            <translation>Copyright (c) %1 Quillmar. Alle rechten voorbehouden.</translation>
        </message>
        <message>
            <source>Version</source>
            <translation>Versie</translation>
        </message>
        <message>
            <source>Help</source>
            <translation>Help</translation>
        </message>
        <message>
            <source>About</source>
            <translation>Info</translation>
        </message>
        <message>
            <source>This setting is enforced by the server.</source>
            <translation>Deze instelling wordt door de server afgedwongen.</translation>
        </message>
        <message>
            <source>This connected server does not support minimum bandwidth configuration.</source>
            <translation>De verbonden server ondersteunt geen instelling voor minimale bandbreedte.</translation>
        </message>
        <message>
            <source>Untrusted SSL certificate</source>
            <translation>Niet-vertrouwd SSL-certificaat</translation>
        </message>
        <message>
            <source>SSL certificate has been changed.</source>
            <translation>Het SSL-certificaat is gewijzigd.</translation>
        </message>
        <message>
            <source>Proceed anyway</source>
            <translation>Toch doorgaan</translation>
        </message>
        <message>
            <source>Default download location</source>
            <translation>Standaarddownloadmap</translation>
        </message>
        <message>
            <source>Download Settings</source>
            <translation>Downloadinstellingen</translation>
        </message>
        <message>
            <source>Download to default folder</source>
            <translation>Downloaden naar standaardmap</translation>
        </message>
        <message>
            <source>Download to …</source>
            <translation>Downloaden naar …</translation>
        </message>
        <message>
            <source>Browse</source>
            <translation>Bladeren</translation>
        </message>
        <message>
            <source>New tab</source>
            <translation>Nieuw tabblad</translation>
        </message>
        <message>
            <source>Download rate</source>
            <translation>Downloadsnelheid</translation>
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
            <translation>Uploadsnelheid</translation>
        </message>
        <message>
            <source>Please enter a valid number between 1 and 10.</source>
            <translation>Voer een geldig getal tussen 1 en 10 in.</translation>
        </message>
        <message>
            <source>Must be lower than the value of maximum rate</source>
            <translation>Moet lager zijn dan de maximale snelheid</translation>
        </message>
        <message>
            <source>Must be higher than the value of minimum rate</source>
            <translation>Moet hoger zijn dan de minimale snelheid</translation>
        </message>
        <message>
            <source>Please enter your username.</source>
            <translation>Voer uw gebruikersnaam in.</translation>
        </message>
        <message>
            <source>Quillmar File Manager</source>
            <translation>Quillmar File Manager</translation>
        </message>
        <message>
            <source>Please update your Quillmar File Manager on your computer.</source>
            <translation>Werk Quillmar File Manager op uw computer bij.</translation>
        </message>
        <message>
            <source>Compatibility error. Please upgrade Quillmar File Manager.</source>
            <translation>Compatibiliteitsfout. Upgrade Quillmar File Manager.</translation>
        </message>
        <message>
            <source>Connect to a Quillmar File Manager</source>
            <translation>Verbinding maken met een Quillmar File Manager</translation>
        </message>
        <message>
            <source>The connection cannot be established with wrong port number. Please check the port number and try again. </source>
            <translation>Met een onjuist poortnummer kan geen verbinding worden gemaakt. Controleer het poortnummer en probeer het opnieuw. </translation>
        </message>
        <message>
            <source>Connection failed. Please make sure TCP on port %1 is open.</source>
            <translation>Verbinding mislukt. Controleer of TCP-poort %1 open is.</translation>
        </message>
        <message>
            <source>Failed to connect to this Koralt File Server due to compatibility issues. Please go to Download Center to download Koralt desktop client and connect it to this Koralt File Server.  </source>
            <translation>Kan vanwege compatibiliteitsproblemen geen verbinding maken met deze Koralt File Server. Download de Koralt-desktopclient in het Download Center en maak daarmee verbinding met deze Koralt File Server.  </translation>
        </message>
        <message>
            <source>Please enter a one-time verification code.</source>
            <translation>Voer een eenmalige verificatiecode in.</translation>
        </message>
        <message>
            <source>The SSL certificate of Quillmar NAS is not trusted. This may mean that it is a self-signed certificate, or someone may be trying to intercept your connection.</source>
            <translation>Het SSL-certificaat van Quillmar NAS wordt niet vertrouwd. Mogelijk is het een zelfondertekend certificaat, of probeert iemand uw verbinding te onderscheppen.</translation>
        </message>
        <message>
            <source>The SSL certificate has been changed. This may mean that the Quillmar NAS certificate has been changed, or someone may be trying to intercept your connection.</source>
            <translation>Het SSL-certificaat is gewijzigd. Mogelijk is het certificaat van Quillmar NAS vervangen, of probeert iemand uw verbinding te onderscheppen.</translation>
        </message>
        <message>
            <source>Sign In</source>
            <translation>Aanmelding</translation>
        </message>
        <message>
            <source>The data folder %1 does not exist and cannot be created.</source>
            <translation>De gegevensmap %1 bestaat niet en kan niet worden gemaakt.</translation>
        </message>
        <message>
            <source>The data folder %1 cannot be written to (%2).</source>
            <translation>Kan niet schrijven naar de gegevensmap %1 (%2).</translation>
        </message>
        <message>
            <source>Cannot upload %1: a name on the server cannot contain "\".</source>
            <translation>Kan %1 niet uploaden: een naam op de server mag geen "\" bevatten.</translation>
        </message>
        <message>
            <source>The file could not be read or written.</source>
            <translation>Het bestand kan niet worden gelezen of geschreven.</translation>
        </message>
        <message>
            <source>The connection was interrupted.</source>
            <translation>De verbinding is onderbroken.</translation>
        </message>
        <message>
            <source>The server no longer knows this transfer.</source>
            <translation>De server kent deze overdracht niet meer.</translation>
        </message>
        <message>
            <source>The transfer was paused.</source>
            <translation>De overdracht is onderbroken.</translation>
        </message>
        <message>
            <source>The data received was larger than allowed.</source>
            <translation>De ontvangen gegevens zijn groter dan toegestaan.</translation>
        </message>
        <message>
            <source>The server said: %1</source>
            <translation>Melding van de server: %1</translation>
        </message>
        <message>
            <source>The file changed while it was being sent.</source>
            <translation>Het bestand is gewijzigd tijdens het verzenden.</translation>
        </message>
    </context>
</TS>
