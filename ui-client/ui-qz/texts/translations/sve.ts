<?xml version='1.0' encoding='utf-8'?>
<!DOCTYPE TS>
<TS sourcelanguage="en_US" version="2.1" language="sv_SE">
    <context>
        <name>CertificateChainDialog</name>
        <message>
            <source>Certificate</source>
            <translation>Certifikat</translation>
        </message>
        <message>
            <source>Level</source>
            <translation>Nivå</translation>
        </message>
        <message>
            <source>Subject</source>
            <translation>Ämne</translation>
        </message>
        <message>
            <source>Issuer</source>
            <translation>Utfärdare</translation>
        </message>
        <message>
            <source>Valid</source>
            <translation>Giltigt</translation>
        </message>
        <message>
            <source>%1 to %2</source>
            <extracomment>The validity period of a certificate: its first and its last day.</extracomment>
            <translation>%1 till %2</translation>
        </message>
    </context>
    <context>
        <name>HelpWindow</name>
        <message>
            <source>The help is not installed.</source>
            <translation>Hjälpen är inte installerad.</translation>
        </message>
    </context>
    <context>
        <name>global</name>
        <message>
            <source>Login</source>
            <translation>Logga in</translation>
        </message>
        <message>
            <source>You don't have enough privilege.</source>
            <translation>Du har inte tillräcklig behörighet.</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>Stäng</translation>
        </message>
        <message>
            <source>Disk full. Failed to copy %1 to %2.</source>
            <translation>Disken är full. Det gick inte att kopiera %1 till %2.</translation>
        </message>
        <message>
            <source>Back</source>
            <translation>Bakåt</translation>
        </message>
        <message>
            <source>Maximum retries reached.</source>
            <translation>Det maximala antalet försök har nåtts.</translation>
        </message>
        <message>
            <source>Filter</source>
            <translation>Filtrera</translation>
        </message>
        <message>
            <source>Remember password?</source>
            <translation>Vill du spara lösenordet?</translation>
        </message>
        <message>
            <source>Shared folder quota insufficient. Failed to copy %1 to %2.</source>
            <translation>Den delade mappens kvot räcker inte. Det gick inte att kopiera %1 till %2.</translation>
        </message>
        <message>
            <source>Disk full. Failed to move %1 to %2.</source>
            <translation>Disken är full. Det gick inte att flytta %1 till %2.</translation>
        </message>
        <message>
            <source>User quota insufficient. Failed to copy %1 to %2.</source>
            <translation>Användarkvoten räcker inte. Det gick inte att kopiera %1 till %2.</translation>
        </message>
        <message>
            <source>Shared folder quota insufficient. Failed to move %1 to %2.</source>
            <translation>Den delade mappens kvot räcker inte. Det gick inte att flytta %1 till %2.</translation>
        </message>
        <message>
            <source>Insufficient disk space.</source>
            <translation>Det finns inte tillräckligt med diskutrymme.</translation>
        </message>
        <message>
            <source>File size exceeds destination file system limit.</source>
            <translation>Filstorleken överskrider målfilsystemets gräns.</translation>
        </message>
        <message>
            <source>File does not exist.</source>
            <translation>Filen finns inte.</translation>
        </message>
        <message>
            <source>Cannot access the temporary file.</source>
            <translation>Det går inte att komma åt den tillfälliga filen.</translation>
        </message>
        <message>
            <source>Last Page</source>
            <translation>Sista sidan</translation>
        </message>
        <message>
            <source>Please upgrade your Quillmar File Manager package.</source>
            <translation>Uppgradera ditt Quillmar File Manager-paket.</translation>
        </message>
        <message>
            <source>User quota insufficient. Failed to move %1 to %2.</source>
            <translation>Användarkvoten räcker inte. Det gick inte att flytta %1 till %2.</translation>
        </message>
        <message>
            <source>Shared folder quota full.</source>
            <translation>Den delade mappens kvot är full.</translation>
        </message>
        <message>
            <source>User quota full.</source>
            <translation>Användarkvoten är full.</translation>
        </message>
        <message>
            <source>A one-time password is required. Please log into your ZRM to set your one-time password.</source>
            <translation>Ett engångslösenord krävs. Logga in på ZRM för att ställa in ditt engångslösenord.</translation>
        </message>
        <message>
            <source>The one-time password you entered is incorrect.</source>
            <translation>Engångslösenordet som du angav är felaktigt.</translation>
        </message>
        <message>
            <source>Please enter a 6-digit verification code.</source>
            <translation>Ange en sexsiffrig verifieringskod.</translation>
        </message>
        <message>
            <source>Quillmar File Manager will be reconnected in %1 seconds.</source>
            <translation>Quillmar File Manager ansluter igen om %1 sekunder.</translation>
        </message>
        <message>
            <source>Display mode </source>
            <translation>Display mode </translation>
        </message>
        <message>
            <source>Failed to update Quillmar File Manager database. Please restart or reinstall Quillmar File Manager.</source>
            <translation>Det gick inte att uppdatera databasen för Quillmar File Manager. Starta om eller installera om Quillmar File Manager.</translation>
        </message>
        <message>
            <source>Friday</source>
            <translation>Fredag</translation>
        </message>
        <message>
            <source>Paste</source>
            <translation>Klistra in</translation>
        </message>
        <message>
            <source>Forward</source>
            <translation>Framåt</translation>
        </message>
        <message>
            <source>Invalid username/password or insufficient user privilege.</source>
            <translation>Ogiltigt användarnamn/lösenord eller otillräcklig användarbehörighet.</translation>
        </message>
        <message>
            <source>Closing the application will close all connections and abort all transfer tasks. Are you sure you want to continue?</source>
            <translation>Om du stänger programmet stängs alla anslutningar och alla överföringar avbryts. Vill du fortsätta?</translation>
        </message>
        <message>
            <source>Copy</source>
            <translation>Kopiera</translation>
        </message>
        <message>
            <source>Create Folder</source>
            <translation>Skapa mapp</translation>
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
            <translation>Ange lösenordet för att ansluta.</translation>
        </message>
        <message>
            <source>First Page</source>
            <translation>Första sidan</translation>
        </message>
        <message>
            <source>Previous %1 pages</source>
            <translation>Föregående %1 sidor</translation>
        </message>
        <message>
            <source>Next %1 pages</source>
            <translation>Nästa %1 sidor</translation>
        </message>
        <message>
            <source>Help / About </source>
            <translation>Hjälp / Om </translation>
        </message>
        <message>
            <source>Activity logs</source>
            <translation>Aktivitetsloggar</translation>
        </message>
        <message>
            <source>Settings</source>
            <translation>Inställningar</translation>
        </message>
        <message>
            <source>Sort by </source>
            <translation>Sortera efter </translation>
        </message>
        <message>
            <source>Task Manager</source>
            <translation>Aktivitetshanteraren</translation>
        </message>
        <message>
            <source>Remote Path</source>
            <translation>Fjärrsökväg</translation>
        </message>
        <message>
            <source>Please enter a valid server address.</source>
            <translation>Ange en giltig serveradress.</translation>
        </message>
        <message>
            <source>You do not have permission to rename %1 to %2.</source>
            <translation>Du har inte behörighet att byta namn på %1 till %2.</translation>
        </message>
        <message>
            <source>Login failed.</source>
            <translation>Inloggningen misslyckades.</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>Ta bort</translation>
        </message>
        <message>
            <source>Rename</source>
            <translation>Byt namn</translation>
        </message>
        <message>
            <source>Server address</source>
            <translation>Serveradress</translation>
        </message>
        <message>
            <source>Apply</source>
            <translation>Verkställ</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>Avbryt</translation>
        </message>
        <message>
            <source>Connect</source>
            <translation>Anslut</translation>
        </message>
        <message>
            <source>OK</source>
            <translation>OK</translation>
        </message>
        <message>
            <source>Reset</source>
            <translation>Återställ</translation>
        </message>
        <message>
            <source>Closing the connection will abort all transfer tasks in this connection. Are you sure you want to continue?</source>
            <translation>Om du stänger anslutningen avbryts alla överföringar i den här anslutningen. Vill du fortsätta?</translation>
        </message>
        <message>
            <source>day(s)</source>
            <translation>dag(ar)</translation>
        </message>
        <message>
            <source>Failed to copy %1 to %2.</source>
            <translation>Det gick inte att kopiera %1 till %2.</translation>
        </message>
        <message>
            <source>You do not have permission to copy %1 to %2.</source>
            <translation>Du har inte behörighet att kopiera %1 till %2.</translation>
        </message>
        <message>
            <source>Disconnected from the server. Please login again.</source>
            <translation>Anslutningen till servern har brutits. Logga in igen.</translation>
        </message>
        <message>
            <source>Failed to load this directory.</source>
            <translation>Det gick inte att läsa in mappen.</translation>
        </message>
        <message>
            <source>You do not have permission to load the directory.</source>
            <translation>Du har inte behörighet att läsa in mappen.</translation>
        </message>
        <message>
            <source>Failed to connect to server.</source>
            <translation>Det gick inte att ansluta till servern.</translation>
        </message>
        <message>
            <source>Failed to create directory %1.</source>
            <translation>Det gick inte att skapa mappen %1.</translation>
        </message>
        <message>
            <source>You do not have permission to create %1.</source>
            <translation>Du har inte behörighet att skapa %1.</translation>
        </message>
        <message>
            <source>Failed to remove %1.</source>
            <translation>Det gick inte att ta bort %1.</translation>
        </message>
        <message>
            <source>You do not have permission to remove %1.</source>
            <translation>Du har inte behörighet att ta bort %1.</translation>
        </message>
        <message>
            <source>Failed to rename %1 to %2.</source>
            <translation>Det gick inte att byta namn på %1 till %2.</translation>
        </message>
        <message>
            <source>Failed to rename %1 to %2 because %2 already exists.</source>
            <translation>Det gick inte att byta namn på %1 till %2 eftersom %2 redan finns.</translation>
        </message>
        <message>
            <source>File</source>
            <translation>Fil</translation>
        </message>
        <message>
            <source>File Name</source>
            <translation>Filnamn</translation>
        </message>
        <message>
            <source>File Type</source>
            <translation>Filtyp</translation>
        </message>
        <message>
            <source>From</source>
            <translation>Från</translation>
        </message>
        <message>
            <source>Keyword</source>
            <translation>Nyckelord</translation>
        </message>
        <message>
            <source>Size</source>
            <translation>Storlek</translation>
        </message>
        <message>
            <source>Any</source>
            <translation>Alla</translation>
        </message>
        <message>
            <source>Equal to</source>
            <translation>Lika med</translation>
        </message>
        <message>
            <source>Greater than</source>
            <translation>Större än</translation>
        </message>
        <message>
            <source>Less than</source>
            <translation>Mindre än</translation>
        </message>
        <message>
            <source>Ascending</source>
            <translation>Stigande</translation>
        </message>
        <message>
            <source>Descending</source>
            <translation>Fallande</translation>
        </message>
        <message>
            <source>To</source>
            <translation>Till</translation>
        </message>
        <message>
            <source>Folder</source>
            <translation>Mapp</translation>
        </message>
        <message>
            <source>Duration</source>
            <translation>Varaktighet</translation>
        </message>
        <message>
            <source>End</source>
            <translation>Slut</translation>
        </message>
        <message>
            <source>Event</source>
            <translation>Händelse</translation>
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
            <translation>Typ</translation>
        </message>
        <message>
            <source>%1 copied %2 to %3.</source>
            <translation>%1 kopierade %2 till %3.</translation>
        </message>
        <message>
            <source>%1 downloaded %2.</source>
            <translation>%1 laddade ned %2.</translation>
        </message>
        <message>
            <source>%1 logged in to %2.</source>
            <translation>%1 loggade in på %2.</translation>
        </message>
        <message>
            <source>%1 created folder %2.</source>
            <translation>%1 skapade mappen %2.</translation>
        </message>
        <message>
            <source>%1 deleted %2.</source>
            <translation>%1 tog bort %2.</translation>
        </message>
        <message>
            <source>July</source>
            <translation>Juli</translation>
        </message>
        <message>
            <source>%1 renamed %2 to %3.</source>
            <translation>%1 bytte namn på %2 till %3.</translation>
        </message>
        <message>
            <source>%1 uploaded %2.</source>
            <translation>%1 laddade upp %2.</translation>
        </message>
        <message>
            <source>All Events</source>
            <translation>Alla händelser</translation>
        </message>
        <message>
            <source>Event logs</source>
            <translation>Händelseloggar</translation>
        </message>
        <message>
            <source>File transfer log</source>
            <translation>Filöverföringslogg</translation>
        </message>
        <message>
            <source>Modified Time</source>
            <translation>Ändringsdatum</translation>
        </message>
        <message>
            <source>Monday</source>
            <translation>Måndag</translation>
        </message>
        <message>
            <source>April</source>
            <translation>April</translation>
        </message>
        <message>
            <source>August</source>
            <translation>Augusti</translation>
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
            <translation>Mars</translation>
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
            <translation>Den här datorn</translation>
        </message>
        <message>
            <source>item(s)</source>
            <translation>objekt</translation>
        </message>
        <message>
            <source>Password</source>
            <translation>Lösenord</translation>
        </message>
        <message>
            <source>Time Remaining</source>
            <translation>Tid kvar</translation>
        </message>
        <message>
            <source>All Transfers</source>
            <translation>Alla överföringar</translation>
        </message>
        <message>
            <source>Downloaded</source>
            <translation>Nedladdat</translation>
        </message>
        <message>
            <source>Elapsed Time</source>
            <translation>Förfluten tid</translation>
        </message>
        <message>
            <source>Local Path</source>
            <translation>Lokal sökväg</translation>
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
            <translation>Typ</translation>
        </message>
        <message>
            <source>Uploaded</source>
            <translation>Uppladdat</translation>
        </message>
        <message>
            <source>Remember password</source>
            <translation>Spara lösenord</translation>
        </message>
        <message>
            <source>Saturday</source>
            <translation>Lördag</translation>
        </message>
        <message>
            <source>Changes are not saved. Are you sure you want to leave?</source>
            <translation>Ändringarna har inte sparats. Vill du lämna sidan ändå?</translation>
        </message>
        <message>
            <source>Enable transfer compression</source>
            <translation>Aktivera komprimerad överföring</translation>
        </message>
        <message>
            <source>Max. concurrent transfers</source>
            <translation>Max. samtidiga överföringar</translation>
        </message>
        <message>
            <source>Enable transfer encryption</source>
            <translation>Aktivera krypterad överföring</translation>
        </message>
        <message>
            <source>files</source>
            <translation>filer</translation>
        </message>
        <message>
            <source>Host Info</source>
            <translation>Värdinformation</translation>
        </message>
        <message>
            <source>Hostname</source>
            <translation>Värdnamn</translation>
        </message>
        <message>
            <source>System default</source>
            <translation>Systemstandard</translation>
        </message>
        <message>
            <source>Please restart %1 to apply the new language settings.</source>
            <translation>Starta om %1 för att använda de nya språkinställningarna.</translation>
        </message>
        <message>
            <source>Language</source>
            <translation>Språk</translation>
        </message>
        <message>
            <source>Max. download rate</source>
            <translation>Max. nedladdningshastighet</translation>
        </message>
        <message>
            <source>Max. upload rate</source>
            <translation>Max. uppladdningshastighet</translation>
        </message>
        <message>
            <source>New site</source>
            <translation>Ny server</translation>
        </message>
        <message>
            <source>No limit</source>
            <translation>Ingen gräns</translation>
        </message>
        <message>
            <source>Optional</source>
            <translation>Valfritt</translation>
        </message>
        <message>
            <source>Transfer Settings</source>
            <translation>Överföringsinställningar</translation>
        </message>
        <message>
            <source>Failed</source>
            <translation>Misslyckades</translation>
        </message>
        <message>
            <source>Paused</source>
            <translation>Pausad</translation>
        </message>
        <message>
            <source>Waiting</source>
            <translation>Väntar</translation>
        </message>
        <message>
            <source>Sunday</source>
            <translation>Söndag</translation>
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
            <translation>Tisdag</translation>
        </message>
        <message>
            <source>Username</source>
            <translation>Användarnamn</translation>
        </message>
        <message>
            <source>Connecting...</source>
            <translation>Ansluter...</translation>
        </message>
        <message>
            <source>Please enter a valid IP address.</source>
            <translation>Ange en giltig IP-adress.</translation>
        </message>
        <message>
            <source>New Connection</source>
            <translation>Ny anslutning</translation>
        </message>
        <message>
            <source>Cut</source>
            <translation>Klipp ut</translation>
        </message>
        <message>
            <source>Download</source>
            <translation>Nedladdning</translation>
        </message>
        <message>
            <source>Upload</source>
            <translation>Uppladdning</translation>
        </message>
        <message>
            <source>Cannot load information for %1.</source>
            <translation>Det går inte att läsa in information om %1.</translation>
        </message>
        <message>
            <source>Failed to move %1 to %2.</source>
            <translation>Det gick inte att flytta %1 till %2.</translation>
        </message>
        <message>
            <source>You do not have permission to move %1 to %2.</source>
            <translation>Du har inte behörighet att flytta %1 till %2.</translation>
        </message>
        <message>
            <source>Failed to move %1 to %2 because %1 already exists.</source>
            <translation>Det gick inte att flytta %1 till %2 eftersom %1 redan finns.</translation>
        </message>
        <message>
            <source>%1 moved %2 to %3.</source>
            <translation>%1 flyttade %2 till %3.</translation>
        </message>
        <message>
            <source>Copyright (c) %1 Quillmar. All rights reserved.</source>
            <translation>Copyright (c) %1 Quillmar. Med ensamrätt.</translation>
        </message>
        <message>
            <source>Version</source>
            <translation>Version</translation>
        </message>
        <message>
            <source>Help</source>
            <translation>Hjälp</translation>
        </message>
        <message>
            <source>About</source>
            <translation>Om</translation>
        </message>
        <message>
            <source>This setting is enforced by the server.</source>
            <translation>Den här inställningen styrs av servern.</translation>
        </message>
        <message>
            <source>This connected server does not support minimum bandwidth configuration.</source>
            <translation>Den anslutna servern har inte stöd för inställning av minsta bandbredd.</translation>
        </message>
        <message>
            <source>Untrusted SSL certificate</source>
            <translation>Ej betrott SSL-certifikat</translation>
        </message>
        <message>
            <source>SSL certificate has been changed.</source>
            <translation>SSL-certifikatet har ändrats.</translation>
        </message>
        <message>
            <source>Proceed anyway</source>
            <translation>Fortsätt ändå</translation>
        </message>
        <message>
            <source>Default download location</source>
            <translation>Mapp för nedladdningar</translation>
        </message>
        <message>
            <source>Download Settings</source>
            <translation>Nedladdningsinställningar</translation>
        </message>
        <message>
            <source>Download to default folder</source>
            <translation>Ladda ned till standardmappen</translation>
        </message>
        <message>
            <source>Download to …</source>
            <translation>Ladda ned till …</translation>
        </message>
        <message>
            <source>Browse</source>
            <translation>Bläddra</translation>
        </message>
        <message>
            <source>New tab</source>
            <translation>Ny flik</translation>
        </message>
        <message>
            <source>Download rate</source>
            <translation>Nedladdningshastighet</translation>
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
            <translation>Uppladdningshastighet</translation>
        </message>
        <message>
            <source>Please enter a valid number between 1 and 10.</source>
            <translation>Ange ett giltigt tal mellan 1 och 10.</translation>
        </message>
        <message>
            <source>Must be lower than the value of maximum rate</source>
            <translation>Måste vara lägre än maxhastigheten</translation>
        </message>
        <message>
            <source>Must be higher than the value of minimum rate</source>
            <translation>Måste vara högre än minimihastigheten</translation>
        </message>
        <message>
            <source>Please enter your username.</source>
            <translation>Ange ditt användarnamn.</translation>
        </message>
        <message>
            <source>Quillmar File Manager</source>
            <translation>Quillmar File Manager</translation>
        </message>
        <message>
            <source>Please update your Quillmar File Manager on your computer.</source>
            <translation>Uppdatera Quillmar File Manager på datorn.</translation>
        </message>
        <message>
            <source>Compatibility error. Please upgrade Quillmar File Manager.</source>
            <translation>Kompatibilitetsfel. Uppgradera Quillmar File Manager.</translation>
        </message>
        <message>
            <source>Connect to a Quillmar File Manager</source>
            <translation>Anslut till Quillmar File Manager</translation>
        </message>
        <message>
            <source>The connection cannot be established with wrong port number. Please check the port number and try again. </source>
            <translation>Det går inte att upprätta anslutningen med fel portnummer. Kontrollera portnumret och försök igen. </translation>
        </message>
        <message>
            <source>Connection failed. Please make sure TCP on port %1 is open.</source>
            <translation>Anslutningen misslyckades. Kontrollera att TCP-port %1 är öppen.</translation>
        </message>
        <message>
            <source>Failed to connect to this Koralt File Server due to compatibility issues. Please go to Download Center to download Koralt desktop client and connect it to this Koralt File Server.  </source>
            <translation>Det gick inte att ansluta till den här Koralt File Server på grund av kompatibilitetsproblem. Gå till Nedladdningscenter, ladda ned Koralt-skrivbordsklienten och anslut den till den här Koralt File Server.  </translation>
        </message>
        <message>
            <source>Please enter a one-time verification code.</source>
            <translation>Ange en engångskod för verifiering.</translation>
        </message>
        <message>
            <source>The SSL certificate of Quillmar NAS is not trusted. This may mean that it is a self-signed certificate, or someone may be trying to intercept your connection.</source>
            <translation>SSL-certifikatet för Quillmar NAS är inte betrott. Det kan betyda att det är ett självsignerat certifikat eller att någon försöker avlyssna din anslutning.</translation>
        </message>
        <message>
            <source>The SSL certificate has been changed. This may mean that the Quillmar NAS certificate has been changed, or someone may be trying to intercept your connection.</source>
            <translation>SSL-certifikatet har ändrats. Det kan betyda att certifikatet för Quillmar NAS har bytts ut eller att någon försöker avlyssna din anslutning.</translation>
        </message>
        <message>
            <source>Sign In</source>
            <translation>Inloggning</translation>
        </message>
        <message>
            <source>The data folder %1 does not exist and cannot be created.</source>
            <translation>Datamappen %1 finns inte och kan inte skapas.</translation>
        </message>
        <message>
            <source>The data folder %1 cannot be written to (%2).</source>
            <translation>Det går inte att skriva till datamappen %1 (%2).</translation>
        </message>
        <message>
            <source>Cannot upload %1: a name on the server cannot contain "\".</source>
            <translation>Det går inte att ladda upp %1: ett namn på servern får inte innehålla "\".</translation>
        </message>
        <message>
            <source>The file could not be read or written.</source>
            <translation>Filen kunde inte läsas eller skrivas.</translation>
        </message>
        <message>
            <source>The connection was interrupted.</source>
            <translation>Anslutningen avbröts.</translation>
        </message>
        <message>
            <source>The server no longer knows this transfer.</source>
            <translation>Servern känner inte längre till den här överföringen.</translation>
        </message>
        <message>
            <source>The transfer was paused.</source>
            <translation>Överföringen pausades.</translation>
        </message>
        <message>
            <source>The data received was larger than allowed.</source>
            <translation>Mottagna data var större än tillåtet.</translation>
        </message>
        <message>
            <source>The server said: %1</source>
            <translation>Servern svarade: %1</translation>
        </message>
        <message>
            <source>The file changed while it was being sent.</source>
            <translation>Filen ändrades medan den skickades.</translation>
        </message>
    </context>
</TS>
