<?xml version='1.0' encoding='utf-8'?>
<!DOCTYPE TS>
<TS sourcelanguage="en_US" version="2.1" language="da_DK">
    <context>
        <name>CertificateChainDialog</name>
        <message>
            <source>Certificate</source>
            <translation>Certifikat</translation>
        </message>
        <message>
            <source>Level</source>
            <translation>Niveau</translation>
        </message>
        <message>
            <source>Subject</source>
            <translation>Emne</translation>
        </message>
        <message>
            <source>Issuer</source>
            <translation>Udsteder</translation>
        </message>
        <message>
            <source>Valid</source>
            <translation>Gyldig</translation>
        </message>
        <message>
            <source>%1 to %2</source>
            <extracomment>The validity period of a certificate: its first and its last day.</extracomment>
            <translation>%1 til %2</translation>
        </message>
    </context>
    <context>
        <name>HelpWindow</name>
        <message>
            <source>The help is not installed.</source>
            <translation>Hjælpen er ikke installeret.</translation>
        </message>
    </context>
    <context>
        <name>global</name>
        <message>
            <source>Login</source>
            <translation>Log på</translation>
        </message>
        <message>
            <source>You don't have enough privilege.</source>
            <translation>Du har ikke tilstrækkelige rettigheder.</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>Luk</translation>
        </message>
        <message>
            <source>Disk full. Failed to copy %1 to %2.</source>
            <translation>Disken er fuld. %1 kunne ikke kopieres til %2.</translation>
        </message>
        <message>
            <source>Back</source>
            <translation>Tilbage</translation>
        </message>
        <message>
            <source>Maximum retries reached.</source>
            <translation>Det maksimale antal forsøg er nået.</translation>
        </message>
        <message>
            <source>Filter</source>
            <translation>Filtrér</translation>
        </message>
        <message>
            <source>Remember password?</source>
            <translation>Husk adgangskoden?</translation>
        </message>
        <message>
            <source>Shared folder quota insufficient. Failed to copy %1 to %2.</source>
            <translation>Den delte mappes kvote er utilstrækkelig. %1 kunne ikke kopieres til %2.</translation>
        </message>
        <message>
            <source>Disk full. Failed to move %1 to %2.</source>
            <translation>Disken er fuld. %1 kunne ikke flyttes til %2.</translation>
        </message>
        <message>
            <source>User quota insufficient. Failed to copy %1 to %2.</source>
            <translation>Brugerkvoten er utilstrækkelig. %1 kunne ikke kopieres til %2.</translation>
        </message>
        <message>
            <source>Shared folder quota insufficient. Failed to move %1 to %2.</source>
            <translation>Den delte mappes kvote er utilstrækkelig. %1 kunne ikke flyttes til %2.</translation>
        </message>
        <message>
            <source>Insufficient disk space.</source>
            <translation>Der er ikke nok diskplads.</translation>
        </message>
        <message>
            <source>File size exceeds destination file system limit.</source>
            <translation>Filstørrelsen overskrider grænsen for destinationens filsystem.</translation>
        </message>
        <message>
            <source>File does not exist.</source>
            <translation>Filen findes ikke.</translation>
        </message>
        <message>
            <source>Cannot access the temporary file.</source>
            <translation>Der er ikke adgang til den midlertidige fil.</translation>
        </message>
        <message>
            <source>Last Page</source>
            <translation>Sidste side</translation>
        </message>
        <message>
            <source>Please upgrade your Quillmar File Manager package.</source>
            <translation>Opgrader din Quillmar File Manager-pakke.</translation>
        </message>
        <message>
            <source>User quota insufficient. Failed to move %1 to %2.</source>
            <translation>Brugerkvoten er utilstrækkelig. %1 kunne ikke flyttes til %2.</translation>
        </message>
        <message>
            <source>Shared folder quota full.</source>
            <translation>Den delte mappes kvote er opbrugt.</translation>
        </message>
        <message>
            <source>User quota full.</source>
            <translation>Brugerkvoten er opbrugt.</translation>
        </message>
        <message>
            <source>A one-time password is required. Please log into your ZRM to set your one-time password.</source>
            <translation>Der kræves en engangsadgangskode. Log på din ZRM for at oprette din engangsadgangskode.</translation>
        </message>
        <message>
            <source>The one-time password you entered is incorrect.</source>
            <translation>Den indtastede engangsadgangskode er forkert.</translation>
        </message>
        <message>
            <source>Please enter a 6-digit verification code.</source>
            <translation>Indtast en bekræftelseskode på 6 cifre.</translation>
        </message>
        <message>
            <source>Quillmar File Manager will be reconnected in %1 seconds.</source>
            <translation>Quillmar File Manager genopretter forbindelsen om %1 sekunder.</translation>
        </message>
        <message>
            <source>Display mode </source>
            <translation>Display mode </translation>
        </message>
        <message>
            <source>Failed to update Quillmar File Manager database. Please restart or reinstall Quillmar File Manager.</source>
            <translation>Quillmar File Manager-databasen kunne ikke opdateres. Genstart eller geninstallér Quillmar File Manager.</translation>
        </message>
        <message>
            <source>Friday</source>
            <translation>Fredag</translation>
        </message>
        <message>
            <source>Paste</source>
            <translation>Sæt ind</translation>
        </message>
        <message>
            <source>Forward</source>
            <translation>Frem</translation>
        </message>
        <message>
            <source>Invalid username/password or insufficient user privilege.</source>
            <translation>Ugyldigt brugernavn/adgangskode eller utilstrækkelige brugerrettigheder.</translation>
        </message>
        <message>
            <source>Closing the application will close all connections and abort all transfer tasks. Are you sure you want to continue?</source>
            <translation>Når programmet lukkes, lukkes alle forbindelser, og alle overførsler afbrydes. Er du sikker på, at du vil fortsætte?</translation>
        </message>
        <message>
            <source>Copy</source>
            <translation>Kopiér</translation>
        </message>
        <message>
            <source>Create Folder</source>
            <translation>Opret mappe</translation>
        </message>
        <message>
            <source>Wednesday</source>
            <translation>Onsdag</translation>
        </message>
        <message>
            <source>Log</source>
            <translation>Log</translation>
        </message>
        <message>
            <source>Please enter the password to connect.</source>
            <translation>Indtast adgangskoden for at oprette forbindelse.</translation>
        </message>
        <message>
            <source>First Page</source>
            <translation>Første side</translation>
        </message>
        <message>
            <source>Previous %1 pages</source>
            <translation>Forrige %1 sider</translation>
        </message>
        <message>
            <source>Next %1 pages</source>
            <translation>Næste %1 sider</translation>
        </message>
        <message>
            <source>Help / About </source>
            <translation>Hjælp / Om </translation>
        </message>
        <message>
            <source>Activity logs</source>
            <translation>Aktivitetslog</translation>
        </message>
        <message>
            <source>Settings</source>
            <translation>Indstillinger</translation>
        </message>
        <message>
            <source>Sort by </source>
            <translation>Sortér efter </translation>
        </message>
        <message>
            <source>Task Manager</source>
            <translation>Opgavestyring</translation>
        </message>
        <message>
            <source>Remote Path</source>
            <translation>Fjernsti</translation>
        </message>
        <message>
            <source>Please enter a valid server address.</source>
            <translation>Indtast en gyldig serveradresse.</translation>
        </message>
        <message>
            <source>You do not have permission to rename %1 to %2.</source>
            <translation>Du har ikke tilladelse til at omdøbe %1 til %2.</translation>
        </message>
        <message>
            <source>Login failed.</source>
            <translation>Det lykkedes ikke at logge på.</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>Slet</translation>
        </message>
        <message>
            <source>Rename</source>
            <translation>Omdøb</translation>
        </message>
        <message>
            <source>Server address</source>
            <translation>Serveradresse</translation>
        </message>
        <message>
            <source>Apply</source>
            <translation>Anvend</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>Annuller</translation>
        </message>
        <message>
            <source>Connect</source>
            <translation>Forbind</translation>
        </message>
        <message>
            <source>OK</source>
            <translation>OK</translation>
        </message>
        <message>
            <source>Reset</source>
            <translation>Nulstil</translation>
        </message>
        <message>
            <source>Closing the connection will abort all transfer tasks in this connection. Are you sure you want to continue?</source>
            <translation>Når forbindelsen lukkes, afbrydes alle overførsler på denne forbindelse. Er du sikker på, at du vil fortsætte?</translation>
        </message>
        <message>
            <source>day(s)</source>
            <translation>dag(e)</translation>
        </message>
        <message>
            <source>Failed to copy %1 to %2.</source>
            <translation>%1 kunne ikke kopieres til %2.</translation>
        </message>
        <message>
            <source>You do not have permission to copy %1 to %2.</source>
            <translation>Du har ikke tilladelse til at kopiere %1 til %2.</translation>
        </message>
        <message>
            <source>Disconnected from the server. Please login again.</source>
            <translation>Forbindelsen til serveren er afbrudt. Log på igen.</translation>
        </message>
        <message>
            <source>Failed to load this directory.</source>
            <translation>Mappen kunne ikke indlæses.</translation>
        </message>
        <message>
            <source>You do not have permission to load the directory.</source>
            <translation>Du har ikke tilladelse til at indlæse mappen.</translation>
        </message>
        <message>
            <source>Failed to connect to server.</source>
            <translation>Der kunne ikke oprettes forbindelse til serveren.</translation>
        </message>
        <message>
            <source>Failed to create directory %1.</source>
            <translation>Mappen %1 kunne ikke oprettes.</translation>
        </message>
        <message>
            <source>You do not have permission to create %1.</source>
            <translation>Du har ikke tilladelse til at oprette %1.</translation>
        </message>
        <message>
            <source>Failed to remove %1.</source>
            <translation>%1 kunne ikke slettes.</translation>
        </message>
        <message>
            <source>You do not have permission to remove %1.</source>
            <translation>Du har ikke tilladelse til at slette %1.</translation>
        </message>
        <message>
            <source>Failed to rename %1 to %2.</source>
            <translation>%1 kunne ikke omdøbes til %2.</translation>
        </message>
        <message>
            <source>Failed to rename %1 to %2 because %2 already exists.</source>
            <translation>%1 kunne ikke omdøbes til %2, fordi %2 allerede findes.</translation>
        </message>
        <message>
            <source>File</source>
            <translation>Fil</translation>
        </message>
        <message>
            <source>File Name</source>
            <translation>Filnavn</translation>
        </message>
        <message>
            <source>File Type</source>
            <translation>Filtype</translation>
        </message>
        <message>
            <source>From</source>
            <translation>Fra</translation>
        </message>
        <message>
            <source>Keyword</source>
            <translation>Søgeord</translation>
        </message>
        <message>
            <source>Size</source>
            <translation>Størrelse</translation>
        </message>
        <message>
            <source>Any</source>
            <translation>Alle</translation>
        </message>
        <message>
            <source>Equal to</source>
            <translation>Lig med</translation>
        </message>
        <message>
            <source>Greater than</source>
            <translation>Større end</translation>
        </message>
        <message>
            <source>Less than</source>
            <translation>Mindre end</translation>
        </message>
        <message>
            <source>Ascending</source>
            <translation>Stigende</translation>
        </message>
        <message>
            <source>Descending</source>
            <translation>Faldende</translation>
        </message>
        <message>
            <source>To</source>
            <translation>Til</translation>
        </message>
        <message>
            <source>Folder</source>
            <translation>Mappe</translation>
        </message>
        <message>
            <source>Duration</source>
            <translation>Varighed</translation>
        </message>
        <message>
            <source>End</source>
            <translation>Slut</translation>
        </message>
        <message>
            <source>Event</source>
            <translation>Hændelse</translation>
        </message>
        <message>
            <source>Start</source>
            <translation>Start</translation>
        </message>
        <message>
            <source>Time</source>
            <translation>Tid</translation>
        </message>
        <message>
            <source>Type</source>
            <translation>Type</translation>
        </message>
        <message>
            <source>%1 copied %2 to %3.</source>
            <translation>%1 kopierede %2 til %3.</translation>
        </message>
        <message>
            <source>%1 downloaded %2.</source>
            <translation>%1 downloadede %2.</translation>
        </message>
        <message>
            <source>%1 logged in to %2.</source>
            <translation>%1 loggede på %2.</translation>
        </message>
        <message>
            <source>%1 created folder %2.</source>
            <translation>%1 oprettede mappen %2.</translation>
        </message>
        <message>
            <source>%1 deleted %2.</source>
            <translation>%1 slettede %2.</translation>
        </message>
        <message>
            <source>July</source>
            <translation>Juli</translation>
        </message>
        <message>
            <source>%1 renamed %2 to %3.</source>
            <translation>%1 omdøbte %2 til %3.</translation>
        </message>
        <message>
            <source>%1 uploaded %2.</source>
            <translation>%1 uploadede %2.</translation>
        </message>
        <message>
            <source>All Events</source>
            <translation>Alle hændelser</translation>
        </message>
        <message>
            <source>Event logs</source>
            <translation>Hændelseslog</translation>
        </message>
        <message>
            <source>File transfer log</source>
            <translation>Log over filoverførsler</translation>
        </message>
        <message>
            <source>Modified Time</source>
            <translation>Ændringsdato</translation>
        </message>
        <message>
            <source>Monday</source>
            <translation>Mandag</translation>
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
            <translation>December</translation>
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
            <translation>Marts</translation>
        </message>
        <message>
            <source>May</source>
            <translation>Maj</translation>
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
            <translation>Denne computer</translation>
        </message>
        <message>
            <source>item(s)</source>
            <translation>element(er)</translation>
        </message>
        <message>
            <source>Password</source>
            <translation>Adgangskode</translation>
        </message>
        <message>
            <source>Time Remaining</source>
            <translation>Tid tilbage</translation>
        </message>
        <message>
            <source>All Transfers</source>
            <translation>Alle overførsler</translation>
        </message>
        <message>
            <source>Downloaded</source>
            <translation>Downloadet</translation>
        </message>
        <message>
            <source>Elapsed Time</source>
            <translation>Forløbet tid</translation>
        </message>
        <message>
            <source>Local Path</source>
            <translation>Lokal sti</translation>
        </message>
        <message>
            <source>Speed</source>
            <translation>Hastighed</translation>
        </message>
        <message>
            <source>Status</source>
            <translation>Status</translation>
        </message>
        <message>
            <source>UL/DL</source>
            <translation>Op/Ned</translation>
        </message>
        <message>
            <source>Uploaded</source>
            <translation>Uploadet</translation>
        </message>
        <message>
            <source>Remember password</source>
            <translation>Husk adgangskode</translation>
        </message>
        <message>
            <source>Saturday</source>
            <translation>Lørdag</translation>
        </message>
        <message>
            <source>Changes are not saved. Are you sure you want to leave?</source>
            <translation>Ændringerne er ikke gemt. Er du sikker på, at du vil forlade siden?</translation>
        </message>
        <message>
            <source>Enable transfer compression</source>
            <translation>Aktivér komprimering af overførsler</translation>
        </message>
        <message>
            <source>Max. concurrent transfers</source>
            <translation>Maks. samtidige overførsler</translation>
        </message>
        <message>
            <source>Enable transfer encryption</source>
            <translation>Aktivér kryptering af overførsler</translation>
        </message>
        <message>
            <source>files</source>
            <translation>filer</translation>
        </message>
        <message>
            <source>Host Info</source>
            <translation>Værtsoplysninger</translation>
        </message>
        <message>
            <source>Hostname</source>
            <translation>Værtsnavn</translation>
        </message>
        <message>
            <source>System default</source>
            <translation>Systemstandard</translation>
        </message>
        <message>
            <source>Please restart %1 to apply the new language settings.</source>
            <translation>Genstart %1 for at anvende de nye sprogindstillinger.</translation>
        </message>
        <message>
            <source>Language</source>
            <translation>Sprog</translation>
        </message>
        <message>
            <source>Max. download rate</source>
            <translation>Maks. downloadhastighed</translation>
        </message>
        <message>
            <source>Max. upload rate</source>
            <translation>Maks. uploadhastighed</translation>
        </message>
        <message>
            <source>New site</source>
            <translation>Ny server</translation>
        </message>
        <message>
            <source>No limit</source>
            <translation>Ingen grænse</translation>
        </message>
        <message>
            <source>Optional</source>
            <translation>Valgfrit</translation>
        </message>
        <message>
            <source>Transfer Settings</source>
            <translation>Overførselsindstillinger</translation>
        </message>
        <message>
            <source>Failed</source>
            <translation>Mislykkedes</translation>
        </message>
        <message>
            <source>Paused</source>
            <translation>Sat på pause</translation>
        </message>
        <message>
            <source>Waiting</source>
            <translation>Venter</translation>
        </message>
        <message>
            <source>Sunday</source>
            <translation>Søndag</translation>
        </message>
        <message>
            <source>Thursday</source>
            <translation>Torsdag</translation>
        </message>
        <message>
            <source>Today</source>
            <translation>I dag</translation>
        </message>
        <message>
            <source>Tuesday</source>
            <translation>Tirsdag</translation>
        </message>
        <message>
            <source>Username</source>
            <translation>Brugernavn</translation>
        </message>
        <message>
            <source>Connecting...</source>
            <translation>Opretter forbindelse...</translation>
        </message>
        <message>
            <source>Please enter a valid IP address.</source>
            <translation>Indtast en gyldig IP-adresse.</translation>
        </message>
        <message>
            <source>New Connection</source>
            <translation>Ny forbindelse</translation>
        </message>
        <message>
            <source>Cut</source>
            <translation>Klip</translation>
        </message>
        <message>
            <source>Download</source>
            <translation>Download</translation>
        </message>
        <message>
            <source>Upload</source>
            <translation>Upload</translation>
        </message>
        <message>
            <source>Cannot load information for %1.</source>
            <translation>Oplysningerne om %1 kunne ikke indlæses.</translation>
        </message>
        <message>
            <source>Failed to move %1 to %2.</source>
            <translation>%1 kunne ikke flyttes til %2.</translation>
        </message>
        <message>
            <source>You do not have permission to move %1 to %2.</source>
            <translation>Du har ikke tilladelse til at flytte %1 til %2.</translation>
        </message>
        <message>
            <source>Failed to move %1 to %2 because %1 already exists.</source>
            <translation>%1 kunne ikke flyttes til %2, fordi %1 allerede findes.</translation>
        </message>
        <message>
            <source>%1 moved %2 to %3.</source>
            <translation>%1 flyttede %2 til %3.</translation>
        </message>
        <message>
            <source>Copyright (c) %1 Quillmar. All rights reserved.</source>
            <translation>Copyright (c) %1 Quillmar. Alle rettigheder forbeholdes.</translation>
        </message>
        <message>
            <source>Version</source>
            <translation>Version</translation>
        </message>
        <message>
            <source>Help</source>
            <translation>Hjælp</translation>
        </message>
        <message>
            <source>About</source>
            <translation>Om</translation>
        </message>
        <message>
            <source>This setting is enforced by the server.</source>
            <translation>Denne indstilling er påtvunget af serveren.</translation>
        </message>
        <message>
            <source>This connected server does not support minimum bandwidth configuration.</source>
            <translation>Den tilsluttede server understøtter ikke indstilling af minimumsbåndbredde.</translation>
        </message>
        <message>
            <source>Untrusted SSL certificate</source>
            <translation>Ikke-betroet SSL-certifikat</translation>
        </message>
        <message>
            <source>SSL certificate has been changed.</source>
            <translation>SSL-certifikatet er ændret.</translation>
        </message>
        <message>
            <source>Proceed anyway</source>
            <translation>Fortsæt alligevel</translation>
        </message>
        <message>
            <source>Default download location</source>
            <translation>Downloadmappe</translation>
        </message>
        <message>
            <source>Download Settings</source>
            <translation>Downloadindstillinger</translation>
        </message>
        <message>
            <source>Download to default folder</source>
            <translation>Download til standardmappen</translation>
        </message>
        <message>
            <source>Download to …</source>
            <translation>Download til …</translation>
        </message>
        <message>
            <source>Browse</source>
            <translation>Gennemse</translation>
        </message>
        <message>
            <source>New tab</source>
            <translation>Ny fane</translation>
        </message>
        <message>
            <source>Download rate</source>
            <translation>Downloadhastighed</translation>
        </message>
        <message>
            <source>Max.</source>
            <translation>Maks.</translation>
        </message>
        <message>
            <source>Min.</source>
            <translation>Min.</translation>
        </message>
        <message>
            <source>Upload rate</source>
            <translation>Uploadhastighed</translation>
        </message>
        <message>
            <source>Please enter a valid number between 1 and 10.</source>
            <translation>Indtast et gyldigt tal mellem 1 og 10.</translation>
        </message>
        <message>
            <source>Must be lower than the value of maximum rate</source>
            <translation>Skal være lavere end den maksimale hastighed</translation>
        </message>
        <message>
            <source>Must be higher than the value of minimum rate</source>
            <translation>Skal være højere end den minimale hastighed</translation>
        </message>
        <message>
            <source>Please enter your username.</source>
            <translation>Indtast dit brugernavn.</translation>
        </message>
        <message>
            <source>Quillmar File Manager</source>
            <translation>Quillmar File Manager</translation>
        </message>
        <message>
            <source>Please update your Quillmar File Manager on your computer.</source>
            <translation>Opdater Quillmar File Manager på din computer.</translation>
        </message>
        <message>
            <source>Compatibility error. Please upgrade Quillmar File Manager.</source>
            <translation>Kompatibilitetsfejl. Opgrader Quillmar File Manager.</translation>
        </message>
        <message>
            <source>Connect to a Quillmar File Manager</source>
            <translation>Opret forbindelse til Quillmar File Manager</translation>
        </message>
        <message>
            <source>The connection cannot be established with wrong port number. Please check the port number and try again. </source>
            <translation>Forbindelsen kan ikke oprettes med et forkert portnummer. Kontrollér portnummeret, og prøv igen. </translation>
        </message>
        <message>
            <source>Connection failed. Please make sure TCP on port %1 is open.</source>
            <translation>Forbindelsen mislykkedes. Kontrollér, at TCP-port %1 er åben.</translation>
        </message>
        <message>
            <source>Failed to connect to this Koralt File Server due to compatibility issues. Please go to Download Center to download Koralt desktop client and connect it to this Koralt File Server.  </source>
            <translation>Der kunne ikke oprettes forbindelse til denne Koralt File Server på grund af kompatibilitetsproblemer. Gå til Downloadcenter for at downloade Koralt-skrivebordsklienten, og opret forbindelse til denne Koralt File Server med den.  </translation>
        </message>
        <message>
            <source>Please enter a one-time verification code.</source>
            <translation>Indtast en engangsbekræftelseskode.</translation>
        </message>
        <message>
            <source>The SSL certificate of Quillmar NAS is not trusted. This may mean that it is a self-signed certificate, or someone may be trying to intercept your connection.</source>
            <translation>SSL-certifikatet for Quillmar NAS er ikke betroet. Det kan betyde, at det er et selvsigneret certifikat, eller at nogen forsøger at opsnappe din forbindelse.</translation>
        </message>
        <message>
            <source>The SSL certificate has been changed. This may mean that the Quillmar NAS certificate has been changed, or someone may be trying to intercept your connection.</source>
            <translation>SSL-certifikatet er ændret. Det kan betyde, at certifikatet for Quillmar NAS er blevet udskiftet, eller at nogen forsøger at opsnappe din forbindelse.</translation>
        </message>
        <message>
            <source>Sign In</source>
            <translation>Log på</translation>
        </message>
        <message>
            <source>The data folder %1 does not exist and cannot be created.</source>
            <translation>Datamappen %1 findes ikke og kan ikke oprettes.</translation>
        </message>
        <message>
            <source>The data folder %1 cannot be written to (%2).</source>
            <translation>Der kan ikke skrives til datamappen %1 (%2).</translation>
        </message>
        <message>
            <source>Cannot upload %1: a name on the server cannot contain "\".</source>
            <translation>Kan ikke uploade %1: et navn på serveren må ikke indeholde "\".</translation>
        </message>
        <message>
            <source>The file could not be read or written.</source>
            <translation>Filen kunne ikke læses eller skrives.</translation>
        </message>
        <message>
            <source>The connection was interrupted.</source>
            <translation>Forbindelsen blev afbrudt.</translation>
        </message>
        <message>
            <source>The server no longer knows this transfer.</source>
            <translation>Serveren kender ikke længere denne overførsel.</translation>
        </message>
        <message>
            <source>The transfer was paused.</source>
            <translation>Overførslen blev sat på pause.</translation>
        </message>
        <message>
            <source>The data received was larger than allowed.</source>
            <translation>De modtagne data var større end tilladt.</translation>
        </message>
        <message>
            <source>The server said: %1</source>
            <translation>Serveren svarede: %1</translation>
        </message>
        <message>
            <source>The file changed while it was being sent.</source>
            <translation>Filen blev ændret, mens den blev sendt.</translation>
        </message>
    </context>
</TS>
