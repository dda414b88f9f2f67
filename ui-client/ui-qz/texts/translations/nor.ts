<?xml version='1.0' encoding='utf-8'?>
<!DOCTYPE TS>
<TS sourcelanguage="en_US" version="2.1" language="nb_NO">
    <context>
        <name>CertificateChainDialog</name>
        <message>
            <source>Certificate</source>
            <translation>Sertifikat</translation>
        </message>
        <message>
            <source>Level</source>
            <translation>Nivå</translation>
        </message>
        <message>
            <source>Subject</source>
            <translation>Emne</translation>
        </message>
        <message>
            <source>Issuer</source>
            <translation>Utsteder</translation>
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
            <translation>Hjelpen er ikke installert.</translation>
        </message>
    </context>
    <context>
        <name>global</name>
        <message>
            <source>Login</source>
            <translation>Logg på</translation>
        </message>
        <message>
            <source>You don't have enough privilege.</source>
            <translation>Du har ikke tilstrekkelige rettigheter.</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>Lukk</translation>
        </message>
        <message>
            <source>Disk full. Failed to copy %1 to %2.</source>
            <translation>Disken er full. Kan ikke kopiere %1 til %2.</translation>
        </message>
        <message>
            <source>Back</source>
            <translation>Tilbake</translation>
        </message>
        <message>
            <source>Maximum retries reached.</source>
            <translation>Maksimalt antall forsøk er nådd.</translation>
        </message>
        <message>
            <source>Filter</source>
            <translation>Filtrer</translation>
        </message>
        <message>
            <source>Remember password?</source>
            <translation>Vil du huske passordet?</translation>
        </message>
        <message>
            <source>Shared folder quota insufficient. Failed to copy %1 to %2.</source>
            <translation>Kvoten for den delte mappen er ikke tilstrekkelig. Kan ikke kopiere %1 til %2.</translation>
        </message>
        <message>
            <source>Disk full. Failed to move %1 to %2.</source>
            <translation>Disken er full. Kan ikke flytte %1 til %2.</translation>
        </message>
        <message>
            <source>User quota insufficient. Failed to copy %1 to %2.</source>
            <translation>Brukerkvoten er ikke tilstrekkelig. Kan ikke kopiere %1 til %2.</translation>
        </message>
        <message>
            <source>Shared folder quota insufficient. Failed to move %1 to %2.</source>
            <translation>Kvoten for den delte mappen er ikke tilstrekkelig. Kan ikke flytte %1 til %2.</translation>
        </message>
        <message>
            <source>Insufficient disk space.</source>
            <translation>Ikke nok diskplass.</translation>
        </message>
        <message>
            <source>File size exceeds destination file system limit.</source>
            <translation>Filstørrelsen overskrider grensen for målfilsystemet.</translation>
        </message>
        <message>
            <source>File does not exist.</source>
            <translation>Filen finnes ikke.</translation>
        </message>
        <message>
            <source>Cannot access the temporary file.</source>
            <translation>Får ikke tilgang til den midlertidige filen.</translation>
        </message>
        <message>
            <source>Last Page</source>
            <translation>Siste side</translation>
        </message>
        <message>
            <source>Please upgrade your Quillmar File Manager package.</source>
            <translation>Oppgrader Quillmar File Manager-pakken.</translation>
        </message>
        <message>
            <source>User quota insufficient. Failed to move %1 to %2.</source>
            <translation>Brukerkvoten er ikke tilstrekkelig. Kan ikke flytte %1 til %2.</translation>
        </message>
        <message>
            <source>Shared folder quota full.</source>
            <translation>Kvoten for den delte mappen er full.</translation>
        </message>
        <message>
            <source>User quota full.</source>
            <translation>Brukerkvoten er full.</translation>
        </message>
        <message>
            <source>A one-time password is required. Please log into your ZRM to set your one-time password.</source>
            <translation>Et engangspassord kreves. Logg på ZRM for å angi engangspassordet ditt.</translation>
        </message>
        <message>
            <source>The one-time password you entered is incorrect.</source>
            <translation>Engangspassordet du skrev inn, er feil.</translation>
        </message>
        <message>
            <source>Please enter a 6-digit verification code.</source>
            <translation>Skriv inn en sekssifret bekreftelseskode.</translation>
        </message>
        <message>
            <source>Quillmar File Manager will be reconnected in %1 seconds.</source>
            <translation>Quillmar File Manager kobler til på nytt om %1 sekunder.</translation>
        </message>
        <message>
            <source>Display mode </source>
            <translation>Display mode </translation>
        </message>
        <message>
            <source>Failed to update Quillmar File Manager database. Please restart or reinstall Quillmar File Manager.</source>
            <translation>Kan ikke oppdatere databasen til Quillmar File Manager. Start Quillmar File Manager på nytt, eller installer den på nytt.</translation>
        </message>
        <message>
            <source>Friday</source>
            <translation>Fredag</translation>
        </message>
        <message>
            <source>Paste</source>
            <translation>Lim inn</translation>
        </message>
        <message>
            <source>Forward</source>
            <translation>Fremover</translation>
        </message>
        <message>
            <source>Invalid username/password or insufficient user privilege.</source>
            <translation>Ugyldig brukernavn/passord eller utilstrekkelige brukerrettigheter.</translation>
        </message>
        <message>
            <source>Closing the application will close all connections and abort all transfer tasks. Are you sure you want to continue?</source>
            <translation>Hvis du lukker programmet, lukkes alle tilkoblinger og alle overføringer avbrytes. Er du sikker på at du vil fortsette?</translation>
        </message>
        <message>
            <source>Copy</source>
            <translation>Kopier</translation>
        </message>
        <message>
            <source>Create Folder</source>
            <translation>Opprett mappe</translation>
        </message>
        <message>
            <source>Wednesday</source>
            <translation>Onsdag</translation>
        </message>
        <message>
            <source>Log</source>
            <translation>Logg</translation>
        </message>
        <message>
            <source>Please enter the password to connect.</source>
            <translation>Skriv inn passordet for å koble til.</translation>
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
            <translation>Neste %1 sider</translation>
        </message>
        <message>
            <source>Help / About </source>
            <translation>Hjelp / Om </translation>
        </message>
        <message>
            <source>Activity logs</source>
            <translation>Aktivitetslogger</translation>
        </message>
        <message>
            <source>Settings</source>
            <translation>Innstillinger</translation>
        </message>
        <message>
            <source>Sort by </source>
            <translation>Sorter etter </translation>
        </message>
        <message>
            <source>Task Manager</source>
            <translation>Oppgavebehandling</translation>
        </message>
        <message>
            <source>Remote Path</source>
            <translation>Ekstern bane</translation>
        </message>
        <message>
            <source>Please enter a valid server address.</source>
            <translation>Skriv inn en gyldig serveradresse.</translation>
        </message>
        <message>
            <source>You do not have permission to rename %1 to %2.</source>
            <translation>Du har ikke tillatelse til å gi %1 det nye navnet %2.</translation>
        </message>
        <message>
            <source>Login failed.</source>
            <translation>Pålogging mislyktes.</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>Slett</translation>
        </message>
        <message>
            <source>Rename</source>
            <translation>Gi nytt navn</translation>
        </message>
        <message>
            <source>Server address</source>
            <translation>Serveradresse</translation>
        </message>
        <message>
            <source>Apply</source>
            <translation>Bruk</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>Avbryt</translation>
        </message>
        <message>
            <source>Connect</source>
            <translation>Koble til</translation>
        </message>
        <message>
            <source>OK</source>
            <translation>OK</translation>
        </message>
        <message>
            <source>Reset</source>
            <translation>Tilbakestill</translation>
        </message>
        <message>
            <source>Closing the connection will abort all transfer tasks in this connection. Are you sure you want to continue?</source>
            <translation>Hvis du lukker tilkoblingen, avbrytes alle overføringer i denne tilkoblingen. Er du sikker på at du vil fortsette?</translation>
        </message>
        <message>
            <source>day(s)</source>
            <translation>dag(er)</translation>
        </message>
        <message>
            <source>Failed to copy %1 to %2.</source>
            <translation>Kan ikke kopiere %1 til %2.</translation>
        </message>
        <message>
            <source>You do not have permission to copy %1 to %2.</source>
            <translation>Du har ikke tillatelse til å kopiere %1 til %2.</translation>
        </message>
        <message>
            <source>Disconnected from the server. Please login again.</source>
            <translation>Forbindelsen til serveren er brutt. Logg på igjen.</translation>
        </message>
        <message>
            <source>Failed to load this directory.</source>
            <translation>Kan ikke laste inn denne mappen.</translation>
        </message>
        <message>
            <source>You do not have permission to load the directory.</source>
            <translation>Du har ikke tillatelse til å laste inn mappen.</translation>
        </message>
        <message>
            <source>Failed to connect to server.</source>
            <translation>Kan ikke koble til serveren.</translation>
        </message>
        <message>
            <source>Failed to create directory %1.</source>
            <translation>Kan ikke opprette mappen %1.</translation>
        </message>
        <message>
            <source>You do not have permission to create %1.</source>
            <translation>Du har ikke tillatelse til å opprette %1.</translation>
        </message>
        <message>
            <source>Failed to remove %1.</source>
            <translation>Kan ikke slette %1.</translation>
        </message>
        <message>
            <source>You do not have permission to remove %1.</source>
            <translation>Du har ikke tillatelse til å slette %1.</translation>
        </message>
        <message>
            <source>Failed to rename %1 to %2.</source>
            <translation>Kan ikke gi %1 det nye navnet %2.</translation>
        </message>
        <message>
            <source>Failed to rename %1 to %2 because %2 already exists.</source>
            <translation>Kan ikke gi %1 det nye navnet %2 fordi %2 finnes allerede.</translation>
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
            <translation>Søkeord</translation>
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
            <translation>Lik</translation>
        </message>
        <message>
            <source>Greater than</source>
            <translation>Større enn</translation>
        </message>
        <message>
            <source>Less than</source>
            <translation>Mindre enn</translation>
        </message>
        <message>
            <source>Ascending</source>
            <translation>Stigende</translation>
        </message>
        <message>
            <source>Descending</source>
            <translation>Synkende</translation>
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
            <translation>Varighet</translation>
        </message>
        <message>
            <source>End</source>
            <translation>Slutt</translation>
        </message>
        <message>
            <source>Event</source>
            <translation>Hendelse</translation>
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
            <translation>%1 kopierte %2 til %3.</translation>
        </message>
        <message>
            <source>%1 downloaded %2.</source>
            <translation>%1 lastet ned %2.</translation>
        </message>
        <message>
            <source>%1 logged in to %2.</source>
            <translation>%1 logget på %2.</translation>
        </message>
        <message>
            <source>%1 created folder %2.</source>
            <translation>%1 opprettet mappen %2.</translation>
        </message>
        <message>
            <source>%1 deleted %2.</source>
            <translation>%1 slettet %2.</translation>
        </message>
        <message>
            <source>July</source>
            <translation>Juli</translation>
        </message>
        <message>
            <source>%1 renamed %2 to %3.</source>
            <translation>%1 ga %2 det nye navnet %3.</translation>
        </message>
        <message>
            <source>%1 uploaded %2.</source>
            <translation>%1 lastet opp %2.</translation>
        </message>
        <message>
            <source>All Events</source>
            <translation>Alle hendelser</translation>
        </message>
        <message>
            <source>Event logs</source>
            <translation>Hendelseslogger</translation>
        </message>
        <message>
            <source>File transfer log</source>
            <translation>Filoverføringslogg</translation>
        </message>
        <message>
            <source>Modified Time</source>
            <translation>Endringsdato</translation>
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
            <translation>Desember</translation>
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
            <translation>Mars</translation>
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
            <translation>Min datamaskin</translation>
        </message>
        <message>
            <source>item(s)</source>
            <translation>element(er)</translation>
        </message>
        <message>
            <source>Password</source>
            <translation>Passord</translation>
        </message>
        <message>
            <source>Time Remaining</source>
            <translation>Tid igjen</translation>
        </message>
        <message>
            <source>All Transfers</source>
            <translation>Alle overføringer</translation>
        </message>
        <message>
            <source>Downloaded</source>
            <translation>Lastet ned</translation>
        </message>
        <message>
            <source>Elapsed Time</source>
            <translation>Tid brukt</translation>
        </message>
        <message>
            <source>Local Path</source>
            <translation>Lokal bane</translation>
        </message>
        <message>
            <source>Speed</source>
            <translation>Hastighet</translation>
        </message>
        <message>
            <source>Status</source>
            <translation>Status</translation>
        </message>
        <message>
            <source>UL/DL</source>
            <translation>Retning</translation>
        </message>
        <message>
            <source>Uploaded</source>
            <translation>Lastet opp</translation>
        </message>
        <message>
            <source>Remember password</source>
            <translation>Husk passord</translation>
        </message>
        <message>
            <source>Saturday</source>
            <translation>Lørdag</translation>
        </message>
        <message>
            <source>Changes are not saved. Are you sure you want to leave?</source>
            <translation>Endringene er ikke lagret. Er du sikker på at du vil gå ut?</translation>
        </message>
        <message>
            <source>Enable transfer compression</source>
            <translation>Aktiver komprimering av overføringer</translation>
        </message>
        <message>
            <source>Max. concurrent transfers</source>
            <translation>Maks. samtidige overføringer</translation>
        </message>
        <message>
            <source>Enable transfer encryption</source>
            <translation>Aktiver kryptering av overføringer</translation>
        </message>
        <message>
            <source>files</source>
            <translation>filer</translation>
        </message>
        <message>
            <source>Host Info</source>
            <translation>Vertsinformasjon</translation>
        </message>
        <message>
            <source>Hostname</source>
            <translation>Vertsnavn</translation>
        </message>
        <message>
            <source>System default</source>
            <translation>Systemstandard</translation>
        </message>
        <message>
            <source>Please restart %1 to apply the new language settings.</source>
            <translation>Start %1 på nytt for å ta i bruk de nye språkinnstillingene.</translation>
        </message>
        <message>
            <source>Language</source>
            <translation>Språk</translation>
        </message>
        <message>
            <source>Max. download rate</source>
            <translation>Maks. nedlastingshastighet</translation>
        </message>
        <message>
            <source>Max. upload rate</source>
            <translation>Maks. opplastingshastighet</translation>
        </message>
        <message>
            <source>New site</source>
            <translation>Ny server</translation>
        </message>
        <message>
            <source>No limit</source>
            <translation>Ingen grense</translation>
        </message>
        <message>
            <source>Optional</source>
            <translation>Valgfritt</translation>
        </message>
        <message>
            <source>Transfer Settings</source>
            <translation>Overføringsinnstillinger</translation>
        </message>
        <message>
            <source>Failed</source>
            <translation>Mislyktes</translation>
        </message>
        <message>
            <source>Paused</source>
            <translation>Satt på pause</translation>
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
            <translation>Brukernavn</translation>
        </message>
        <message>
            <source>Connecting...</source>
            <translation>Kobler til ...</translation>
        </message>
        <message>
            <source>Please enter a valid IP address.</source>
            <translation>Skriv inn en gyldig IP-adresse.</translation>
        </message>
        <message>
            <source>New Connection</source>
            <translation>Ny tilkobling</translation>
        </message>
        <message>
            <source>Cut</source>
            <translation>Klipp ut</translation>
        </message>
        <message>
            <source>Download</source>
            <translation>Nedlasting</translation>
        </message>
        <message>
            <source>Upload</source>
            <translation>Opplasting</translation>
        </message>
        <message>
            <source>Cannot load information for %1.</source>
            <translation>Kan ikke laste inn informasjon om %1.</translation>
        </message>
        <message>
            <source>Failed to move %1 to %2.</source>
            <translation>Kan ikke flytte %1 til %2.</translation>
        </message>
        <message>
            <source>You do not have permission to move %1 to %2.</source>
            <translation>Du har ikke tillatelse til å flytte %1 til %2.</translation>
        </message>
        <message>
            <source>Failed to move %1 to %2 because %1 already exists.</source>
            <translation>Kan ikke flytte %1 til %2 fordi %1 finnes allerede.</translation>
        </message>
        <message>
            <source>%1 moved %2 to %3.</source>
            <translation>%1 flyttet %2 til %3.</translation>
        </message>
        <message>
            <source>Copyright (c) %1 Quillmar. All rights reserved.</source>
            <translation>Copyright (c) %1 Quillmar. Med enerett.</translation>
        </message>
        <message>
            <source>Version</source>
            <translation>Versjon</translation>
        </message>
        <message>
            <source>Help</source>
            <translation>Hjelp</translation>
        </message>
        <message>
            <source>About</source>
            <translation>Om</translation>
        </message>
        <message>
            <source>This setting is enforced by the server.</source>
            <translation>Denne innstillingen er påtvunget av serveren.</translation>
        </message>
        <message>
            <source>This connected server does not support minimum bandwidth configuration.</source>
            <translation>Den tilkoblede serveren støtter ikke innstilling av minste båndbredde.</translation>
        </message>
        <message>
            <source>Untrusted SSL certificate</source>
            <translation>Ikke-klarert SSL-sertifikat</translation>
        </message>
        <message>
            <source>SSL certificate has been changed.</source>
            <translation>SSL-sertifikatet er endret.</translation>
        </message>
        <message>
            <source>Proceed anyway</source>
            <translation>Fortsett likevel</translation>
        </message>
        <message>
            <source>Default download location</source>
            <translation>Nedlastingsmappe</translation>
        </message>
        <message>
            <source>Download Settings</source>
            <translation>Nedlastingsinnstillinger</translation>
        </message>
        <message>
            <source>Download to default folder</source>
            <translation>Last ned til standardmappen</translation>
        </message>
        <message>
            <source>Download to …</source>
            <translation>Last ned til …</translation>
        </message>
        <message>
            <source>Browse</source>
            <translation>Bla gjennom</translation>
        </message>
        <message>
            <source>New tab</source>
            <translation>Ny fane</translation>
        </message>
        <message>
            <source>Download rate</source>
            <translation>Nedlastingshastighet</translation>
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
            <translation>Opplastingshastighet</translation>
        </message>
        <message>
            <source>Please enter a valid number between 1 and 10.</source>
            <translation>Skriv inn et gyldig tall mellom 1 og 10.</translation>
        </message>
        <message>
            <source>Must be lower than the value of maximum rate</source>
            <translation>Må være lavere enn maksimumshastigheten</translation>
        </message>
        <message>
            <source>Must be higher than the value of minimum rate</source>
            <translation>Må være høyere enn minimumshastigheten</translation>
        </message>
        <message>
            <source>Please enter your username.</source>
            <translation>Skriv inn brukernavnet ditt.</translation>
        </message>
        <message>
            <source>Quillmar File Manager</source>
            <translation>Quillmar File Manager</translation>
        </message>
        <message>
            <source>Please update your Quillmar File Manager on your computer.</source>
            <translation>Oppdater Quillmar File Manager på datamaskinen.</translation>
        </message>
        <message>
            <source>Compatibility error. Please upgrade Quillmar File Manager.</source>
            <translation>Kompatibilitetsfeil. Oppgrader Quillmar File Manager.</translation>
        </message>
        <message>
            <source>Connect to a Quillmar File Manager</source>
            <translation>Koble til Quillmar File Manager</translation>
        </message>
        <message>
            <source>The connection cannot be established with wrong port number. Please check the port number and try again. </source>
            <translation>Kan ikke opprette tilkoblingen med feil portnummer. Kontroller portnummeret og prøv igjen. </translation>
        </message>
        <message>
            <source>Connection failed. Please make sure TCP on port %1 is open.</source>
            <translation>Tilkoblingen mislyktes. Kontroller at TCP-port %1 er åpen.</translation>
        </message>
        <message>
            <source>Failed to connect to this Koralt File Server due to compatibility issues. Please go to Download Center to download Koralt desktop client and connect it to this Koralt File Server.  </source>
            <translation>Kan ikke koble til denne Koralt File Server på grunn av kompatibilitetsproblemer. Gå til Nedlastingssenter for å laste ned Koralt-skrivebordsklienten, og koble den til denne Koralt File Server.  </translation>
        </message>
        <message>
            <source>Please enter a one-time verification code.</source>
            <translation>Skriv inn en bekreftelseskode for engangsbruk.</translation>
        </message>
        <message>
            <source>The SSL certificate of Quillmar NAS is not trusted. This may mean that it is a self-signed certificate, or someone may be trying to intercept your connection.</source>
            <translation>SSL-sertifikatet til Quillmar NAS er ikke klarert. Dette kan bety at det er et selvsignert sertifikat, eller at noen prøver å avskjære tilkoblingen din.</translation>
        </message>
        <message>
            <source>The SSL certificate has been changed. This may mean that the Quillmar NAS certificate has been changed, or someone may be trying to intercept your connection.</source>
            <translation>SSL-sertifikatet er endret. Dette kan bety at sertifikatet til Quillmar NAS er byttet ut, eller at noen prøver å avskjære tilkoblingen din.</translation>
        </message>
        <message>
            <source>Sign In</source>
            <translation>Pålogging</translation>
        </message>
        <message>
            <source>The data folder %1 does not exist and cannot be created.</source>
            <translation>Datamappen %1 finnes ikke og kan ikke opprettes.</translation>
        </message>
        <message>
            <source>The data folder %1 cannot be written to (%2).</source>
            <translation>Kan ikke skrive til datamappen %1 (%2).</translation>
        </message>
        <message>
            <source>Cannot upload %1: a name on the server cannot contain "\".</source>
            <translation>Kan ikke laste opp %1: et navn på serveren kan ikke inneholde "\".</translation>
        </message>
        <message>
            <source>The file could not be read or written.</source>
            <translation>Filen kunne ikke leses eller skrives.</translation>
        </message>
        <message>
            <source>The connection was interrupted.</source>
            <translation>Tilkoblingen ble brutt.</translation>
        </message>
        <message>
            <source>The server no longer knows this transfer.</source>
            <translation>Serveren kjenner ikke lenger denne overføringen.</translation>
        </message>
        <message>
            <source>The transfer was paused.</source>
            <translation>Overføringen ble satt på pause.</translation>
        </message>
        <message>
            <source>The data received was larger than allowed.</source>
            <translation>De mottatte dataene var større enn tillatt.</translation>
        </message>
        <message>
            <source>The server said: %1</source>
            <translation>Serveren svarte: %1</translation>
        </message>
        <message>
            <source>The file changed while it was being sent.</source>
            <translation>Filen ble endret mens den ble sendt.</translation>
        </message>
    </context>
</TS>
