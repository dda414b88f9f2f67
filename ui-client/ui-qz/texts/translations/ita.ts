<?xml version='1.0' encoding='utf-8'?>
<!DOCTYPE TS>
<TS sourcelanguage="en_US" version="2.1" language="it_IT">
    <context>
        <name>CertificateChainDialog</name>
        <message>
            <source>Certificate</source>
            <translation>Certificato</translation>
        </message>
        <message>
            <source>Level</source>
            <translation>Livello</translation>
        </message>
        <message>
            <source>Subject</source>
            <translation>Soggetto</translation>
        </message>
        <message>
            <source>Issuer</source>
            <translation>Emittente</translation>
        </message>
        <message>
            <source>Valid</source>
            <translation>Validità</translation>
        </message>
        <message>
            <source>%1 to %2</source>
            <extracomment>The validity period of a certificate: its first and its last day.</extracomment>
            <translation>dal %1 al %2</translation>
        </message>
    </context>
    <context>
        <name>HelpWindow</name>
        <message>
            <source>The help is not installed.</source>
            <translation>La guida non è installata.</translation>
        </message>
    </context>
    <context>
        <name>global</name>
        <message>
            <source>Login</source>
            <translation>Accedi</translation>
        </message>
        <message>
            <source>You don't have enough privilege.</source>
            <translation>Privilegi insufficienti.</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>Chiudi</translation>
        </message>
        <message>
            <source>Disk full. Failed to copy %1 to %2.</source>
            <translation>Disco pieno. Impossibile copiare %1 in %2.</translation>
        </message>
        <message>
            <source>Back</source>
            <translation>Indietro</translation>
        </message>
        <message>
            <source>Maximum retries reached.</source>
            <translation>È stato raggiunto il numero massimo di tentativi.</translation>
        </message>
        <message>
            <source>Filter</source>
            <translation>Filtra</translation>
        </message>
        <message>
            <source>Remember password?</source>
            <translation>Memorizzare la password?</translation>
        </message>
        <message>
            <source>Shared folder quota insufficient. Failed to copy %1 to %2.</source>
            <translation>Quota della cartella condivisa insufficiente. Impossibile copiare %1 in %2.</translation>
        </message>
        <message>
            <source>Disk full. Failed to move %1 to %2.</source>
            <translation>Disco pieno. Impossibile spostare %1 in %2.</translation>
        </message>
        <message>
            <source>User quota insufficient. Failed to copy %1 to %2.</source>
            <translation>Quota utente insufficiente. Impossibile copiare %1 in %2.</translation>
        </message>
        <message>
            <source>Shared folder quota insufficient. Failed to move %1 to %2.</source>
            <translation>Quota della cartella condivisa insufficiente. Impossibile spostare %1 in %2.</translation>
        </message>
        <message>
            <source>Insufficient disk space.</source>
            <translation>Spazio su disco insufficiente.</translation>
        </message>
        <message>
            <source>File size exceeds destination file system limit.</source>
            <translation>Le dimensioni del file superano il limite del file system di destinazione.</translation>
        </message>
        <message>
            <source>File does not exist.</source>
            <translation>Il file non esiste.</translation>
        </message>
        <message>
            <source>Cannot access the temporary file.</source>
            <translation>Impossibile accedere al file temporaneo.</translation>
        </message>
        <message>
            <source>Last Page</source>
            <translation>Ultima pagina</translation>
        </message>
        <message>
            <source>Please upgrade your Quillmar File Manager package.</source>
            <translation>Aggiornare il pacchetto Quillmar File Manager.</translation>
        </message>
        <message>
            <source>User quota insufficient. Failed to move %1 to %2.</source>
            <translation>Quota utente insufficiente. Impossibile spostare %1 in %2.</translation>
        </message>
        <message>
            <source>Shared folder quota full.</source>
            <translation>Quota della cartella condivisa esaurita.</translation>
        </message>
        <message>
            <source>User quota full.</source>
            <translation>Quota utente esaurita.</translation>
        </message>
        <message>
            <source>A one-time password is required. Please log into your ZRM to set your one-time password.</source>
            <translation>È richiesta una password monouso. Accedere a ZRM per impostare la password monouso.</translation>
        </message>
        <message>
            <source>The one-time password you entered is incorrect.</source>
            <translation>La password monouso immessa non è corretta.</translation>
        </message>
        <message>
            <source>Please enter a 6-digit verification code.</source>
            <translation>Immettere un codice di verifica di 6 cifre.</translation>
        </message>
        <message>
            <source>Quillmar File Manager will be reconnected in %1 seconds.</source>
            <translation>Quillmar File Manager si riconnetterà tra %1 secondi.</translation>
        </message>
        <message>
            <source>Display mode </source>
            <translation>Display mode </translation>
        </message>
        <message>
            <source>Failed to update Quillmar File Manager database. Please restart or reinstall Quillmar File Manager.</source>
            <translation>Impossibile aggiornare il database di Quillmar File Manager. Riavviare o reinstallare Quillmar File Manager.</translation>
        </message>
        <message>
            <source>Friday</source>
            <translation>Venerdì</translation>
        </message>
        <message>
            <source>Paste</source>
            <translation>Incolla</translation>
        </message>
        <message>
            <source>Forward</source>
            <translation>Avanti</translation>
        </message>
        <message>
            <source>Invalid username/password or insufficient user privilege.</source>
            <translation>Nome utente o password non validi, oppure privilegi utente insufficienti.</translation>
        </message>
        <message>
            <source>Closing the application will close all connections and abort all transfer tasks. Are you sure you want to continue?</source>
            <translation>Chiudendo l'applicazione verranno chiuse tutte le connessioni e annullati tutti i trasferimenti. Continuare?</translation>
        </message>
        <message>
            <source>Copy</source>
            <translation>Copia</translation>
        </message>
        <message>
            <source>Create Folder</source>
            <translation>Crea cartella</translation>
        </message>
        <message>
            <source>Wednesday</source>
            <translation>Mercoledì</translation>
        </message>
        <message>
            <source>Log</source>
            <translation>Registro</translation>
        </message>
        <message>
            <source>Please enter the password to connect.</source>
            <translation>Immettere la password per connettersi.</translation>
        </message>
        <message>
            <source>First Page</source>
            <translation>Prima pagina</translation>
        </message>
        <message>
            <source>Previous %1 pages</source>
            <translation>%1 pagine precedenti</translation>
        </message>
        <message>
            <source>Next %1 pages</source>
            <translation>%1 pagine successive</translation>
        </message>
        <message>
            <source>Help / About </source>
            <translation>Guida / Informazioni </translation>
        </message>
        <message>
            <source>Activity logs</source>
            <translation>Registri attività</translation>
        </message>
        <message>
            <source>Settings</source>
            <translation>Impostazioni</translation>
        </message>
        <message>
            <source>Sort by </source>
            <translation>Ordina per </translation>
        </message>
        <message>
            <source>Task Manager</source>
            <translation>Gestione attività</translation>
        </message>
        <message>
            <source>Remote Path</source>
            <translation>Percorso remoto</translation>
        </message>
        <message>
            <source>Please enter a valid server address.</source>
            <translation>Immettere un indirizzo server valido.</translation>
        </message>
        <message>
            <source>You do not have permission to rename %1 to %2.</source>
            <translation>Non si dispone dell'autorizzazione per rinominare %1 in %2.</translation>
        </message>
        <message>
            <source>Login failed.</source>
            <translation>Accesso non riuscito.</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>Elimina</translation>
        </message>
        <message>
            <source>Rename</source>
            <translation>Rinomina</translation>
        </message>
        <message>
            <source>Server address</source>
            <translation>Indirizzo server</translation>
        </message>
        <message>
            <source>Apply</source>
            <translation>Applica</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>Annulla</translation>
        </message>
        <message>
            <source>Connect</source>
            <translation>Connetti</translation>
        </message>
        <message>
            <source>OK</source>
            <translation>OK</translation>
        </message>
        <message>
            <source>Reset</source>
            <translation>Reimposta</translation>
        </message>
        <message>
            <source>Closing the connection will abort all transfer tasks in this connection. Are you sure you want to continue?</source>
            <translation>Chiudendo la connessione verranno annullati tutti i trasferimenti di questa connessione. Continuare?</translation>
        </message>
        <message>
            <source>day(s)</source>
            <translation>g</translation>
        </message>
        <message>
            <source>Failed to copy %1 to %2.</source>
            <translation>Impossibile copiare %1 in %2.</translation>
        </message>
        <message>
            <source>You do not have permission to copy %1 to %2.</source>
            <translation>Non si dispone dell'autorizzazione per copiare %1 in %2.</translation>
        </message>
        <message>
            <source>Disconnected from the server. Please login again.</source>
            <translation>Disconnesso dal server. Eseguire di nuovo l'accesso.</translation>
        </message>
        <message>
            <source>Failed to load this directory.</source>
            <translation>Impossibile aprire questa cartella.</translation>
        </message>
        <message>
            <source>You do not have permission to load the directory.</source>
            <translation>Non si dispone dell'autorizzazione per aprire la cartella.</translation>
        </message>
        <message>
            <source>Failed to connect to server.</source>
            <translation>Impossibile connettersi al server.</translation>
        </message>
        <message>
            <source>Failed to create directory %1.</source>
            <translation>Impossibile creare la cartella %1.</translation>
        </message>
        <message>
            <source>You do not have permission to create %1.</source>
            <translation>Non si dispone dell'autorizzazione per creare %1.</translation>
        </message>
        <message>
            <source>Failed to remove %1.</source>
            <translation>Impossibile eliminare %1.</translation>
        </message>
        <message>
            <source>You do not have permission to remove %1.</source>
            <translation>Non si dispone dell'autorizzazione per eliminare %1.</translation>
        </message>
        <message>
            <source>Failed to rename %1 to %2.</source>
            <translation>Impossibile rinominare %1 in %2.</translation>
        </message>
        <message>
            <source>Failed to rename %1 to %2 because %2 already exists.</source>
            <translation>Impossibile rinominare %1 in %2 perché %2 esiste già.</translation>
        </message>
        <message>
            <source>File</source>
            <translation>File</translation>
        </message>
        <message>
            <source>File Name</source>
            <translation>Nome file</translation>
        </message>
        <message>
            <source>File Type</source>
            <translation>Tipo file</translation>
        </message>
        <message>
            <source>From</source>
            <translation>Da</translation>
        </message>
        <message>
            <source>Keyword</source>
            <translation>Parola chiave</translation>
        </message>
        <message>
            <source>Size</source>
            <translation>Dim.</translation>
        </message>
        <message>
            <source>Any</source>
            <translation>Qualsiasi</translation>
        </message>
        <message>
            <source>Equal to</source>
            <translation>Uguale a</translation>
        </message>
        <message>
            <source>Greater than</source>
            <translation>Maggiore di</translation>
        </message>
        <message>
            <source>Less than</source>
            <translation>Minore di</translation>
        </message>
        <message>
            <source>Ascending</source>
            <translation>Crescente</translation>
        </message>
        <message>
            <source>Descending</source>
            <translation>Decrescente</translation>
        </message>
        <message>
            <source>To</source>
            <translation>A</translation>
        </message>
        <message>
            <source>Folder</source>
            <translation>Cartella</translation>
        </message>
        <message>
            <source>Duration</source>
            <translation>Durata</translation>
        </message>
        <message>
            <source>End</source>
            <translation>Fine</translation>
        </message>
        <message>
            <source>Event</source>
            <translation>Evento</translation>
        </message>
        <message>
            <source>Start</source>
            <translation>Inizio</translation>
        </message>
        <message>
            <source>Time</source>
            <translation>Ora</translation>
        </message>
        <message>
            <source>Type</source>
            <translation>Tipo</translation>
        </message>
        <message>
            <source>%1 copied %2 to %3.</source>
            <translation>%1 ha copiato %2 in %3.</translation>
        </message>
        <message>
            <source>%1 downloaded %2.</source>
            <translation>%1 ha scaricato %2.</translation>
        </message>
        <message>
            <source>%1 logged in to %2.</source>
            <translation>%1 ha eseguito l'accesso a %2.</translation>
        </message>
        <message>
            <source>%1 created folder %2.</source>
            <translation>%1 ha creato la cartella %2.</translation>
        </message>
        <message>
            <source>%1 deleted %2.</source>
            <translation>%1 ha eliminato %2.</translation>
        </message>
        <message>
            <source>July</source>
            <translation>Luglio</translation>
        </message>
        <message>
            <source>%1 renamed %2 to %3.</source>
            <translation>%1 ha rinominato %2 in %3.</translation>
        </message>
        <message>
            <source>%1 uploaded %2.</source>
            <translation>%1 ha caricato %2.</translation>
        </message>
        <message>
            <source>All Events</source>
            <translation>Tutti gli eventi</translation>
        </message>
        <message>
            <source>Event logs</source>
            <translation>Registro eventi</translation>
        </message>
        <message>
            <source>File transfer log</source>
            <translation>Registro trasferimenti</translation>
        </message>
        <message>
            <source>Modified Time</source>
            <translation>Data modifica</translation>
        </message>
        <message>
            <source>Monday</source>
            <translation>Lunedì</translation>
        </message>
        <message>
            <source>April</source>
            <translation>Aprile</translation>
        </message>
        <message>
            <source>August</source>
            <translation>Agosto</translation>
        </message>
        <message>
            <source>December</source>
            <translation>Dicembre</translation>
        </message>
        <message>
            <source>February</source>
            <translation>Febbraio</translation>
        </message>
        <message>
            <source>January</source>
            <translation>Gennaio</translation>
        </message>
        <message>
            <source>June</source>
            <translation>Giugno</translation>
        </message>
        <message>
            <source>March</source>
            <translation>Marzo</translation>
        </message>
        <message>
            <source>May</source>
            <translation>Maggio</translation>
        </message>
        <message>
            <source>November</source>
            <translation>Novembre</translation>
        </message>
        <message>
            <source>October</source>
            <translation>Ottobre</translation>
        </message>
        <message>
            <source>September</source>
            <translation>Settembre</translation>
        </message>
        <message>
            <source>My Computer</source>
            <translation>Risorse del computer</translation>
        </message>
        <message>
            <source>item(s)</source>
            <translation>elemento/i</translation>
        </message>
        <message>
            <source>Password</source>
            <translation>Password</translation>
        </message>
        <message>
            <source>Time Remaining</source>
            <translation>Rimanente</translation>
        </message>
        <message>
            <source>All Transfers</source>
            <translation>Tutti i trasferimenti</translation>
        </message>
        <message>
            <source>Downloaded</source>
            <translation>Scaricato</translation>
        </message>
        <message>
            <source>Elapsed Time</source>
            <translation>Trascorso</translation>
        </message>
        <message>
            <source>Local Path</source>
            <translation>Percorso locale</translation>
        </message>
        <message>
            <source>Speed</source>
            <translation>Velocità</translation>
        </message>
        <message>
            <source>Status</source>
            <translation>Stato</translation>
        </message>
        <message>
            <source>UL/DL</source>
            <translation>Tipo</translation>
        </message>
        <message>
            <source>Uploaded</source>
            <translation>Caricato</translation>
        </message>
        <message>
            <source>Remember password</source>
            <translation>Memorizza password</translation>
        </message>
        <message>
            <source>Saturday</source>
            <translation>Sabato</translation>
        </message>
        <message>
            <source>Changes are not saved. Are you sure you want to leave?</source>
            <translation>Le modifiche non sono state salvate. Uscire comunque?</translation>
        </message>
        <message>
            <source>Enable transfer compression</source>
            <translation>Abilita la compressione dei trasferimenti</translation>
        </message>
        <message>
            <source>Max. concurrent transfers</source>
            <translation>Max. trasferimenti simultanei</translation>
        </message>
        <message>
            <source>Enable transfer encryption</source>
            <translation>Abilita la crittografia dei trasferimenti</translation>
        </message>
        <message>
            <source>files</source>
            <translation>file</translation>
        </message>
        <message>
            <source>Host Info</source>
            <translation>Informazioni host</translation>
        </message>
        <message>
            <source>Hostname</source>
            <translation>Nome host</translation>
        </message>
        <message>
            <source>System default</source>
            <translation>Predefinita di sistema</translation>
        </message>
        <message>
            <source>Please restart %1 to apply the new language settings.</source>
            <translation>Riavviare %1 per applicare le nuove impostazioni della lingua.</translation>
        </message>
        <message>
            <source>Language</source>
            <translation>Lingua</translation>
        </message>
        <message>
            <source>Max. download rate</source>
            <translation>Velocità max. di download</translation>
        </message>
        <message>
            <source>Max. upload rate</source>
            <translation>Velocità max. di upload</translation>
        </message>
        <message>
            <source>New site</source>
            <translation>Nuova connessione</translation>
        </message>
        <message>
            <source>No limit</source>
            <translation>Nessun limite</translation>
        </message>
        <message>
            <source>Optional</source>
            <translation>Facoltativo</translation>
        </message>
        <message>
            <source>Transfer Settings</source>
            <translation>Impostazioni di trasferimento</translation>
        </message>
        <message>
            <source>Failed</source>
            <translation>Non riuscito</translation>
        </message>
        <message>
            <source>Paused</source>
            <translation>In pausa</translation>
        </message>
        <message>
            <source>Waiting</source>
            <translation>In attesa</translation>
        </message>
        <message>
            <source>Sunday</source>
            <translation>Domenica</translation>
        </message>
        <message>
            <source>Thursday</source>
            <translation>Giovedì</translation>
        </message>
        <message>
            <source>Today</source>
            <translation>Oggi</translation>
        </message>
        <message>
            <source>Tuesday</source>
            <translation>Martedì</translation>
        </message>
        <message>
            <source>Username</source>
            <translation>Nome utente</translation>
        </message>
        <message>
            <source>Connecting...</source>
            <translation>Connessione in corso...</translation>
        </message>
        <message>
            <source>Please enter a valid IP address.</source>
            <translation>Immettere un indirizzo IP valido.</translation>
        </message>
        <message>
            <source>New Connection</source>
            <translation>Nuova connessione</translation>
        </message>
        <message>
            <source>Cut</source>
            <translation>Taglia</translation>
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
            <translation>Impossibile leggere le informazioni di %1.</translation>
        </message>
        <message>
            <source>Failed to move %1 to %2.</source>
            <translation>Impossibile spostare %1 in %2.</translation>
        </message>
        <message>
            <source>You do not have permission to move %1 to %2.</source>
            <translation>Non si dispone dell'autorizzazione per spostare %1 in %2.</translation>
        </message>
        <message>
            <source>Failed to move %1 to %2 because %1 already exists.</source>
            <translation>Impossibile spostare %1 in %2 perché %1 esiste già.</translation>
        </message>
        <message>
            <source>%1 moved %2 to %3.</source>
            <translation>%1 ha spostato %2 in %3.</translation>
        </message>
        <message>
            <source>Copyright (c) %1 Quillmar. All rights reserved.</source>
            <translation>Copyright (c) %1 Quillmar. Tutti i diritti riservati.</translation>
        </message>
        <message>
            <source>Version</source>
            <translation>Versione</translation>
        </message>
        <message>
            <source>Help</source>
            <translation>Guida</translation>
        </message>
        <message>
            <source>About</source>
            <translation>Informazioni</translation>
        </message>
        <message>
            <source>This setting is enforced by the server.</source>
            <translation>Questa impostazione è imposta dal server.</translation>
        </message>
        <message>
            <source>This connected server does not support minimum bandwidth configuration.</source>
            <translation>Il server connesso non supporta la configurazione della larghezza di banda minima.</translation>
        </message>
        <message>
            <source>Untrusted SSL certificate</source>
            <translation>Certificato SSL non attendibile</translation>
        </message>
        <message>
            <source>SSL certificate has been changed.</source>
            <translation>Il certificato SSL è cambiato.</translation>
        </message>
        <message>
            <source>Proceed anyway</source>
            <translation>Continua comunque</translation>
        </message>
        <message>
            <source>Default download location</source>
            <translation>Cartella di download</translation>
        </message>
        <message>
            <source>Download Settings</source>
            <translation>Impostazioni di download</translation>
        </message>
        <message>
            <source>Download to default folder</source>
            <translation>Scarica nella cartella predefinita</translation>
        </message>
        <message>
            <source>Download to …</source>
            <translation>Scarica in …</translation>
        </message>
        <message>
            <source>Browse</source>
            <translation>Sfoglia</translation>
        </message>
        <message>
            <source>New tab</source>
            <translation>Nuova scheda</translation>
        </message>
        <message>
            <source>Download rate</source>
            <translation>Velocità di download</translation>
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
            <translation>Velocità di upload</translation>
        </message>
        <message>
            <source>Please enter a valid number between 1 and 10.</source>
            <translation>Immettere un numero valido compreso tra 1 e 10.</translation>
        </message>
        <message>
            <source>Must be lower than the value of maximum rate</source>
            <translation>Deve essere inferiore alla velocità massima</translation>
        </message>
        <message>
            <source>Must be higher than the value of minimum rate</source>
            <translation>Deve essere superiore alla velocità minima</translation>
        </message>
        <message>
            <source>Please enter your username.</source>
            <translation>Immettere il nome utente.</translation>
        </message>
        <message>
            <source>Quillmar File Manager</source>
            <translation>Quillmar File Manager</translation>
        </message>
        <message>
            <source>Please update your Quillmar File Manager on your computer.</source>
            <translation>Aggiornare Quillmar File Manager sul computer.</translation>
        </message>
        <message>
            <source>Compatibility error. Please upgrade Quillmar File Manager.</source>
            <translation>Errore di compatibilità. Aggiornare Quillmar File Manager.</translation>
        </message>
        <message>
            <source>Connect to a Quillmar File Manager</source>
            <translation>Connessione a un Quillmar File Manager</translation>
        </message>
        <message>
            <source>The connection cannot be established with wrong port number. Please check the port number and try again. </source>
            <translation>Impossibile stabilire la connessione con un numero di porta errato. Controllare il numero di porta e riprovare. </translation>
        </message>
        <message>
            <source>Connection failed. Please make sure TCP on port %1 is open.</source>
            <translation>Connessione non riuscita. Verificare che la porta TCP %1 sia aperta.</translation>
        </message>
        <message>
            <source>Failed to connect to this Koralt File Server due to compatibility issues. Please go to Download Center to download Koralt desktop client and connect it to this Koralt File Server.  </source>
            <translation>Impossibile connettersi a questo Koralt File Server a causa di problemi di compatibilità. Scaricare il client desktop Koralt dal Download Center e connetterlo a questo Koralt File Server.  </translation>
        </message>
        <message>
            <source>Please enter a one-time verification code.</source>
            <translation>Immettere un codice di verifica monouso.</translation>
        </message>
        <message>
            <source>The SSL certificate of Quillmar NAS is not trusted. This may mean that it is a self-signed certificate, or someone may be trying to intercept your connection.</source>
            <translation>Il certificato SSL di Quillmar NAS non è attendibile. Potrebbe trattarsi di un certificato autofirmato oppure qualcuno potrebbe tentare di intercettare la connessione.</translation>
        </message>
        <message>
            <source>The SSL certificate has been changed. This may mean that the Quillmar NAS certificate has been changed, or someone may be trying to intercept your connection.</source>
            <translation>Il certificato SSL è cambiato. Il certificato di Quillmar NAS potrebbe essere stato sostituito oppure qualcuno potrebbe tentare di intercettare la connessione.</translation>
        </message>
        <message>
            <source>Sign In</source>
            <translation>Accesso</translation>
        </message>
        <message>
            <source>The data folder %1 does not exist and cannot be created.</source>
            <translation>La cartella dati %1 non esiste e non può essere creata.</translation>
        </message>
        <message>
            <source>The data folder %1 cannot be written to (%2).</source>
            <translation>Impossibile scrivere nella cartella dati %1 (%2).</translation>
        </message>
        <message>
            <source>Cannot upload %1: a name on the server cannot contain "\".</source>
            <translation>Impossibile caricare %1: un nome sul server non può contenere "\".</translation>
        </message>
        <message>
            <source>The file could not be read or written.</source>
            <translation>Impossibile leggere o scrivere il file.</translation>
        </message>
        <message>
            <source>The connection was interrupted.</source>
            <translation>La connessione è stata interrotta.</translation>
        </message>
        <message>
            <source>The server no longer knows this transfer.</source>
            <translation>Il server non riconosce più questo trasferimento.</translation>
        </message>
        <message>
            <source>The transfer was paused.</source>
            <translation>Il trasferimento è stato messo in pausa.</translation>
        </message>
        <message>
            <source>The data received was larger than allowed.</source>
            <translation>I dati ricevuti superano la dimensione consentita.</translation>
        </message>
        <message>
            <source>The server said: %1</source>
            <translation>Risposta del server: %1</translation>
        </message>
        <message>
            <source>The file changed while it was being sent.</source>
            <translation>Il file è stato modificato durante l'invio.</translation>
        </message>
    </context>
</TS>
