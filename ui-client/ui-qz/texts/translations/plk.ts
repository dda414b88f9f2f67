<?xml version='1.0' encoding='utf-8'?>
<!DOCTYPE TS>
<TS sourcelanguage="en_US" version="2.1" language="pl_PL">
    <context>
        <name>CertificateChainDialog</name>
        <message>
            <source>Certificate</source>
            <translation>Certyfikat</translation>
        </message>
        <message>
            <source>Level</source>
            <translation>Poziom</translation>
        </message>
        <message>
            <source>Subject</source>
            <translation>Podmiot</translation>
        </message>
        <message>
            <source>Issuer</source>
            <translation>Wystawca</translation>
        </message>
        <message>
            <source>Valid</source>
            <translation>Ważność</translation>
        </message>
        <message>
            <source>%1 to %2</source>
            <extracomment>The validity period of a certificate: its first and its last day.</extracomment>
            <translation>od %1 do %2</translation>
        </message>
    </context>
    <context>
        <name>HelpWindow</name>
        <message>
            <source>The help is not installed.</source>
            <translation>Pomoc nie jest zainstalowana.</translation>
        </message>
    </context>
    <context>
        <name>global</name>
        <message>
            <source>Login</source>
            <translation>Zaloguj</translation>
        </message>
        <message>
            <source>You don't have enough privilege.</source>
            <translation>Nie masz wystarczających uprawnień.</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>Zamknij</translation>
        </message>
        <message>
            <source>Disk full. Failed to copy %1 to %2.</source>
            <translation>Dysk jest pełny. Nie udało się skopiować %1 do %2.</translation>
        </message>
        <message>
            <source>Back</source>
            <translation>Wstecz</translation>
        </message>
        <message>
            <source>Maximum retries reached.</source>
            <translation>Osiągnięto maksymalną liczbę prób.</translation>
        </message>
        <message>
            <source>Filter</source>
            <translation>Filtruj</translation>
        </message>
        <message>
            <source>Remember password?</source>
            <translation>Zapamiętać hasło?</translation>
        </message>
        <message>
            <source>Shared folder quota insufficient. Failed to copy %1 to %2.</source>
            <translation>Niewystarczający limit folderu udostępnionego. Nie udało się skopiować %1 do %2.</translation>
        </message>
        <message>
            <source>Disk full. Failed to move %1 to %2.</source>
            <translation>Dysk jest pełny. Nie udało się przenieść %1 do %2.</translation>
        </message>
        <message>
            <source>User quota insufficient. Failed to copy %1 to %2.</source>
            <translation>Niewystarczający limit użytkownika. Nie udało się skopiować %1 do %2.</translation>
        </message>
        <message>
            <source>Shared folder quota insufficient. Failed to move %1 to %2.</source>
            <translation>Niewystarczający limit folderu udostępnionego. Nie udało się przenieść %1 do %2.</translation>
        </message>
        <message>
            <source>Insufficient disk space.</source>
            <translation>Za mało miejsca na dysku.</translation>
        </message>
        <message>
            <source>File size exceeds destination file system limit.</source>
            <translation>Rozmiar pliku przekracza limit docelowego systemu plików.</translation>
        </message>
        <message>
            <source>File does not exist.</source>
            <translation>Plik nie istnieje.</translation>
        </message>
        <message>
            <source>Cannot access the temporary file.</source>
            <translation>Brak dostępu do pliku tymczasowego.</translation>
        </message>
        <message>
            <source>Last Page</source>
            <translation>Ostatnia strona</translation>
        </message>
        <message>
            <source>Please upgrade your Quillmar File Manager package.</source>
            <translation>Uaktualnij pakiet Quillmar File Manager.</translation>
        </message>
        <message>
            <source>User quota insufficient. Failed to move %1 to %2.</source>
            <translation>Niewystarczający limit użytkownika. Nie udało się przenieść %1 do %2.</translation>
        </message>
        <message>
            <source>Shared folder quota full.</source>
            <translation>Limit folderu udostępnionego został wyczerpany.</translation>
        </message>
        <message>
            <source>User quota full.</source>
            <translation>Limit użytkownika został wyczerpany.</translation>
        </message>
        <message>
            <source>A one-time password is required. Please log into your ZRM to set your one-time password.</source>
            <translation>Wymagane jest hasło jednorazowe. Zaloguj się do ZRM, aby ustawić hasło jednorazowe.</translation>
        </message>
        <message>
            <source>The one-time password you entered is incorrect.</source>
            <translation>Wprowadzone hasło jednorazowe jest nieprawidłowe.</translation>
        </message>
        <message>
            <source>Please enter a 6-digit verification code.</source>
            <translation>Wprowadź 6-cyfrowy kod weryfikacyjny.</translation>
        </message>
        <message>
            <source>Quillmar File Manager will be reconnected in %1 seconds.</source>
            <translation>Quillmar File Manager połączy się ponownie za %1 s.</translation>
        </message>
        <message>
            <source>Display mode </source>
            <translation>Display mode </translation>
        </message>
        <message>
            <source>Failed to update Quillmar File Manager database. Please restart or reinstall Quillmar File Manager.</source>
            <translation>Nie udało się zaktualizować bazy danych Quillmar File Manager. Uruchom ponownie lub zainstaluj ponownie Quillmar File Manager.</translation>
        </message>
        <message>
            <source>Friday</source>
            <translation>Piątek</translation>
        </message>
        <message>
            <source>Paste</source>
            <translation>Wklej</translation>
        </message>
        <message>
            <source>Forward</source>
            <translation>Dalej</translation>
        </message>
        <message>
            <source>Invalid username/password or insufficient user privilege.</source>
            <translation>Nieprawidłowa nazwa użytkownika lub hasło albo niewystarczające uprawnienia użytkownika.</translation>
        </message>
        <message>
            <source>Closing the application will close all connections and abort all transfer tasks. Are you sure you want to continue?</source>
            <translation>Zamknięcie aplikacji spowoduje zamknięcie wszystkich połączeń i przerwanie wszystkich transferów. Czy na pewno chcesz kontynuować?</translation>
        </message>
        <message>
            <source>Copy</source>
            <translation>Kopiuj</translation>
        </message>
        <message>
            <source>Create Folder</source>
            <translation>Utwórz folder</translation>
        </message>
        <message>
            <source>Wednesday</source>
            <translation>Środa</translation>
        </message>
        <message>
            <source>Log</source>
            <translation>Dziennik</translation>
        </message>
        <message>
            <source>Please enter the password to connect.</source>
            <translation>Wprowadź hasło, aby się połączyć.</translation>
        </message>
        <message>
            <source>First Page</source>
            <translation>Pierwsza strona</translation>
        </message>
        <message>
            <source>Previous %1 pages</source>
            <translation>Poprzednie strony (%1)</translation>
        </message>
        <message>
            <source>Next %1 pages</source>
            <translation>Następne strony (%1)</translation>
        </message>
        <message>
            <source>Help / About </source>
            <translation>Pomoc / Informacje </translation>
        </message>
        <message>
            <source>Activity logs</source>
            <translation>Dzienniki aktywności</translation>
        </message>
        <message>
            <source>Settings</source>
            <translation>Ustawienia</translation>
        </message>
        <message>
            <source>Sort by </source>
            <translation>Sortuj według </translation>
        </message>
        <message>
            <source>Task Manager</source>
            <translation>Menedżer zadań</translation>
        </message>
        <message>
            <source>Remote Path</source>
            <translation>Ścieżka zdalna</translation>
        </message>
        <message>
            <source>Please enter a valid server address.</source>
            <translation>Wprowadź prawidłowy adres serwera.</translation>
        </message>
        <message>
            <source>You do not have permission to rename %1 to %2.</source>
            <translation>Nie masz uprawnień do zmiany nazwy %1 na %2.</translation>
        </message>
        <message>
            <source>Login failed.</source>
            <translation>Logowanie nie powiodło się.</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>Usuń</translation>
        </message>
        <message>
            <source>Rename</source>
            <translation>Zmień nazwę</translation>
        </message>
        <message>
            <source>Server address</source>
            <translation>Adres serwera</translation>
        </message>
        <message>
            <source>Apply</source>
            <translation>Zastosuj</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>Anuluj</translation>
        </message>
        <message>
            <source>Connect</source>
            <translation>Połącz</translation>
        </message>
        <message>
            <source>OK</source>
            <translation>OK</translation>
        </message>
        <message>
            <source>Reset</source>
            <translation>Resetuj</translation>
        </message>
        <message>
            <source>Closing the connection will abort all transfer tasks in this connection. Are you sure you want to continue?</source>
            <translation>Zamknięcie połączenia spowoduje przerwanie wszystkich transferów tego połączenia. Czy na pewno chcesz kontynuować?</translation>
        </message>
        <message>
            <source>day(s)</source>
            <translation>d.</translation>
        </message>
        <message>
            <source>Failed to copy %1 to %2.</source>
            <translation>Nie udało się skopiować %1 do %2.</translation>
        </message>
        <message>
            <source>You do not have permission to copy %1 to %2.</source>
            <translation>Nie masz uprawnień do skopiowania %1 do %2.</translation>
        </message>
        <message>
            <source>Disconnected from the server. Please login again.</source>
            <translation>Rozłączono z serwerem. Zaloguj się ponownie.</translation>
        </message>
        <message>
            <source>Failed to load this directory.</source>
            <translation>Nie udało się otworzyć tego folderu.</translation>
        </message>
        <message>
            <source>You do not have permission to load the directory.</source>
            <translation>Nie masz uprawnień do otwarcia tego folderu.</translation>
        </message>
        <message>
            <source>Failed to connect to server.</source>
            <translation>Nie udało się połączyć z serwerem.</translation>
        </message>
        <message>
            <source>Failed to create directory %1.</source>
            <translation>Nie udało się utworzyć folderu %1.</translation>
        </message>
        <message>
            <source>You do not have permission to create %1.</source>
            <translation>Nie masz uprawnień do utworzenia %1.</translation>
        </message>
        <message>
            <source>Failed to remove %1.</source>
            <translation>Nie udało się usunąć %1.</translation>
        </message>
        <message>
            <source>You do not have permission to remove %1.</source>
            <translation>Nie masz uprawnień do usunięcia %1.</translation>
        </message>
        <message>
            <source>Failed to rename %1 to %2.</source>
            <translation>Nie udało się zmienić nazwy %1 na %2.</translation>
        </message>
        <message>
            <source>Failed to rename %1 to %2 because %2 already exists.</source>
            <translation>Nie udało się zmienić nazwy %1 na %2, ponieważ %2 już istnieje.</translation>
        </message>
        <message>
            <source>File</source>
            <translation>Plik</translation>
        </message>
        <message>
            <source>File Name</source>
            <translation>Nazwa pliku</translation>
        </message>
        <message>
            <source>File Type</source>
            <translation>Typ pliku</translation>
        </message>
        <message>
            <source>From</source>
            <translation>Od</translation>
        </message>
        <message>
            <source>Keyword</source>
            <translation>Słowo kluczowe</translation>
        </message>
        <message>
            <source>Size</source>
            <translation>Rozmiar</translation>
        </message>
        <message>
            <source>Any</source>
            <translation>Dowolny</translation>
        </message>
        <message>
            <source>Equal to</source>
            <translation>Równy</translation>
        </message>
        <message>
            <source>Greater than</source>
            <translation>Większy niż</translation>
        </message>
        <message>
            <source>Less than</source>
            <translation>Mniejszy niż</translation>
        </message>
        <message>
            <source>Ascending</source>
            <translation>Rosnąco</translation>
        </message>
        <message>
            <source>Descending</source>
            <translation>Malejąco</translation>
        </message>
        <message>
            <source>To</source>
            <translation>Do</translation>
        </message>
        <message>
            <source>Folder</source>
            <translation>Folder</translation>
        </message>
        <message>
            <source>Duration</source>
            <translation>Czas trwania</translation>
        </message>
        <message>
            <source>End</source>
            <translation>Koniec</translation>
        </message>
        <message>
            <source>Event</source>
            <translation>Zdarzenie</translation>
        </message>
        <message>
            <source>Start</source>
            <translation>Początek</translation>
        </message>
        <message>
            <source>Time</source>
            <translation>Czas</translation>
        </message>
        <message>
            <source>Type</source>
            <translation>Typ</translation>
        </message>
        <message>
            <source>%1 copied %2 to %3.</source>
            <translation>Użytkownik %1 skopiował %2 do %3.</translation>
        </message>
        <message>
            <source>%1 downloaded %2.</source>
            <translation>Użytkownik %1 pobrał %2.</translation>
        </message>
        <message>
            <source>%1 logged in to %2.</source>
            <translation>Użytkownik %1 zalogował się do %2.</translation>
        </message>
        <message>
            <source>%1 created folder %2.</source>
            <translation>Użytkownik %1 utworzył folder %2.</translation>
        </message>
        <message>
            <source>%1 deleted %2.</source>
            <translation>Użytkownik %1 usunął %2.</translation>
        </message>
        <message>
            <source>July</source>
            <translation>Lipiec</translation>
        </message>
        <message>
            <source>%1 renamed %2 to %3.</source>
            <translation>Użytkownik %1 zmienił nazwę %2 na %3.</translation>
        </message>
        <message>
            <source>%1 uploaded %2.</source>
            <translation>Użytkownik %1 wysłał %2.</translation>
        </message>
        <message>
            <source>All Events</source>
            <translation>Wszystkie zdarzenia</translation>
        </message>
        <message>
            <source>Event logs</source>
            <translation>Dziennik zdarzeń</translation>
        </message>
        <message>
            <source>File transfer log</source>
            <translation>Dziennik transferu plików</translation>
        </message>
        <message>
            <source>Modified Time</source>
            <translation>Data modyfikacji</translation>
        </message>
        <message>
            <source>Monday</source>
            <translation>Poniedziałek</translation>
        </message>
        <message>
            <source>April</source>
            <translation>Kwiecień</translation>
        </message>
        <message>
            <source>August</source>
            <translation>Sierpień</translation>
        </message>
        <message>
            <source>December</source>
            <translation>Grudzień</translation>
        </message>
        <message>
            <source>February</source>
            <translation>Luty</translation>
        </message>
        <message>
            <source>January</source>
            <translation>Styczeń</translation>
        </message>
        <message>
            <source>June</source>
            <translation>Czerwiec</translation>
        </message>
        <message>
            <source>March</source>
            <translation>Marzec</translation>
        </message>
        <message>
            <source>May</source>
            <translation>Maj</translation>
        </message>
        <message>
            <source>November</source>
            <translation>Listopad</translation>
        </message>
        <message>
            <source>October</source>
            <translation>Październik</translation>
        </message>
        <message>
            <source>September</source>
            <translation>Wrzesień</translation>
        </message>
        <message>
            <source>My Computer</source>
            <translation>Mój komputer</translation>
        </message>
        <message>
            <source>item(s)</source>
            <translation>elem.</translation>
        </message>
        <message>
            <source>Password</source>
            <translation>Hasło</translation>
        </message>
        <message>
            <source>Time Remaining</source>
            <translation>Pozostało</translation>
        </message>
        <message>
            <source>All Transfers</source>
            <translation>Wszystkie transfery</translation>
        </message>
        <message>
            <source>Downloaded</source>
            <translation>Pobrano</translation>
        </message>
        <message>
            <source>Elapsed Time</source>
            <translation>Upłynęło</translation>
        </message>
        <message>
            <source>Local Path</source>
            <translation>Ścieżka lokalna</translation>
        </message>
        <message>
            <source>Speed</source>
            <translation>Szybkość</translation>
        </message>
        <message>
            <source>Status</source>
            <translation>Stan</translation>
        </message>
        <message>
            <source>UL/DL</source>
            <translation>Typ</translation>
        </message>
        <message>
            <source>Uploaded</source>
            <translation>Wysłano</translation>
        </message>
        <message>
            <source>Remember password</source>
            <translation>Zapamiętaj hasło</translation>
        </message>
        <message>
            <source>Saturday</source>
            <translation>Sobota</translation>
        </message>
        <message>
            <source>Changes are not saved. Are you sure you want to leave?</source>
            <translation>Zmiany nie zostały zapisane. Czy na pewno chcesz wyjść?</translation>
        </message>
        <message>
            <source>Enable transfer compression</source>
            <translation>Włącz kompresję transferu</translation>
        </message>
        <message>
            <source>Max. concurrent transfers</source>
            <translation>Maks. liczba jednoczesnych transferów</translation>
        </message>
        <message>
            <source>Enable transfer encryption</source>
            <translation>Włącz szyfrowanie transferu</translation>
        </message>
        <message>
            <source>files</source>
            <translation>szt.</translation>
        </message>
        <message>
            <source>Host Info</source>
            <translation>Informacje o hoście</translation>
        </message>
        <message>
            <source>Hostname</source>
            <translation>Nazwa hosta</translation>
        </message>
        <message>
            <source>System default</source>
            <translation>Domyślny systemu</translation>
        </message>
        <message>
            <source>Please restart %1 to apply the new language settings.</source>
            <translation>Uruchom ponownie %1, aby zastosować nowe ustawienia języka.</translation>
        </message>
        <message>
            <source>Language</source>
            <translation>Język</translation>
        </message>
        <message>
            <source>Max. download rate</source>
            <translation>Maks. szybkość pobierania</translation>
        </message>
        <message>
            <source>Max. upload rate</source>
            <translation>Maks. szybkość wysyłania</translation>
        </message>
        <message>
            <source>New site</source>
            <translation>Nowe połączenie</translation>
        </message>
        <message>
            <source>No limit</source>
            <translation>Bez limitu</translation>
        </message>
        <message>
            <source>Optional</source>
            <translation>Opcjonalnie</translation>
        </message>
        <message>
            <source>Transfer Settings</source>
            <translation>Ustawienia transferu</translation>
        </message>
        <message>
            <source>Failed</source>
            <translation>Niepowodzenie</translation>
        </message>
        <message>
            <source>Paused</source>
            <translation>Wstrzymano</translation>
        </message>
        <message>
            <source>Waiting</source>
            <translation>Oczekiwanie</translation>
        </message>
        <message>
            <source>Sunday</source>
            <translation>Niedziela</translation>
        </message>
        <message>
            <source>Thursday</source>
            <translation>Czwartek</translation>
        </message>
        <message>
            <source>Today</source>
            <translation>Dzisiaj</translation>
        </message>
        <message>
            <source>Tuesday</source>
            <translation>Wtorek</translation>
        </message>
        <message>
            <source>Username</source>
            <translation>Nazwa użytkownika</translation>
        </message>
        <message>
            <source>Connecting...</source>
            <translation>Łączenie...</translation>
        </message>
        <message>
            <source>Please enter a valid IP address.</source>
            <translation>Wprowadź prawidłowy adres IP.</translation>
        </message>
        <message>
            <source>New Connection</source>
            <translation>Nowe połączenie</translation>
        </message>
        <message>
            <source>Cut</source>
            <translation>Wytnij</translation>
        </message>
        <message>
            <source>Download</source>
            <translation>Pobieranie</translation>
        </message>
        <message>
            <source>Upload</source>
            <translation>Wysyłanie</translation>
        </message>
        <message>
            <source>Cannot load information for %1.</source>
            <translation>Nie można odczytać informacji o %1.</translation>
        </message>
        <message>
            <source>Failed to move %1 to %2.</source>
            <translation>Nie udało się przenieść %1 do %2.</translation>
        </message>
        <message>
            <source>You do not have permission to move %1 to %2.</source>
            <translation>Nie masz uprawnień do przeniesienia %1 do %2.</translation>
        </message>
        <message>
            <source>Failed to move %1 to %2 because %1 already exists.</source>
            <translation>Nie udało się przenieść %1 do %2, ponieważ %1 już istnieje.</translation>
        </message>
        <message>
            <source>%1 moved %2 to %3.</source>
            <translation>Użytkownik %1 przeniósł %2 do %3.</translation>
        </message>
        <message>
            <source>Copyright (c) %1 Quillmar. All rights reserved.</source>
            <translation>Copyright (c) %1 Quillmar. Wszelkie prawa zastrzeżone.</translation>
        </message>
        <message>
            <source>Version</source>
            <translation>Wersja</translation>
        </message>
        <message>
            <source>Help</source>
            <translation>Pomoc</translation>
        </message>
        <message>
            <source>About</source>
            <translation>Informacje</translation>
        </message>
        <message>
            <source>This setting is enforced by the server.</source>
            <translation>To ustawienie jest wymuszone przez serwer.</translation>
        </message>
        <message>
            <source>This connected server does not support minimum bandwidth configuration.</source>
            <translation>Połączony serwer nie obsługuje ustawienia minimalnej przepustowości.</translation>
        </message>
        <message>
            <source>Untrusted SSL certificate</source>
            <translation>Niezaufany certyfikat SSL</translation>
        </message>
        <message>
            <source>SSL certificate has been changed.</source>
            <translation>Certyfikat SSL został zmieniony.</translation>
        </message>
        <message>
            <source>Proceed anyway</source>
            <translation>Kontynuuj mimo to</translation>
        </message>
        <message>
            <source>Default download location</source>
            <translation>Domyślny folder pobierania</translation>
        </message>
        <message>
            <source>Download Settings</source>
            <translation>Ustawienia pobierania</translation>
        </message>
        <message>
            <source>Download to default folder</source>
            <translation>Pobierz do folderu domyślnego</translation>
        </message>
        <message>
            <source>Download to …</source>
            <translation>Pobierz do …</translation>
        </message>
        <message>
            <source>Browse</source>
            <translation>Przeglądaj</translation>
        </message>
        <message>
            <source>New tab</source>
            <translation>Nowa karta</translation>
        </message>
        <message>
            <source>Download rate</source>
            <translation>Szybkość pobierania</translation>
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
            <translation>Szybkość wysyłania</translation>
        </message>
        <message>
            <source>Please enter a valid number between 1 and 10.</source>
            <translation>Wprowadź prawidłową liczbę od 1 do 10.</translation>
        </message>
        <message>
            <source>Must be lower than the value of maximum rate</source>
            <translation>Musi być mniejsza niż szybkość maksymalna</translation>
        </message>
        <message>
            <source>Must be higher than the value of minimum rate</source>
            <translation>Musi być większa niż szybkość minimalna</translation>
        </message>
        <message>
            <source>Please enter your username.</source>
            <translation>Wprowadź nazwę użytkownika.</translation>
        </message>
        <message>
            <source>Quillmar File Manager</source>
            <translation>Quillmar File Manager</translation>
        </message>
        <message>
            <source>Please update your Quillmar File Manager on your computer.</source>
            <translation>Zaktualizuj Quillmar File Manager na swoim komputerze.</translation>
        </message>
        <message>
            <source>Compatibility error. Please upgrade Quillmar File Manager.</source>
            <translation>Błąd zgodności. Uaktualnij Quillmar File Manager.</translation>
        </message>
        <message>
            <source>Connect to a Quillmar File Manager</source>
            <translation>Połącz z Quillmar File Manager</translation>
        </message>
        <message>
            <source>The connection cannot be established with wrong port number. Please check the port number and try again. </source>
            <translation>Nie można nawiązać połączenia z nieprawidłowym numerem portu. Sprawdź numer portu i spróbuj ponownie. </translation>
        </message>
        <message>
            <source>Connection failed. Please make sure TCP on port %1 is open.</source>
            <translation>Połączenie nie powiodło się. Upewnij się, że port TCP %1 jest otwarty.</translation>
        </message>
        <message>
            <source>Failed to connect to this Koralt File Server due to compatibility issues. Please go to Download Center to download Koralt desktop client and connect it to this Koralt File Server.  </source>
            <translation>Nie udało się połączyć z tym serwerem Koralt File Server z powodu problemów ze zgodnością. Pobierz klienta Koralt na komputer z Download Center i połącz go z tym serwerem Koralt File Server.  </translation>
        </message>
        <message>
            <source>Please enter a one-time verification code.</source>
            <translation>Wprowadź jednorazowy kod weryfikacyjny.</translation>
        </message>
        <message>
            <source>The SSL certificate of Quillmar NAS is not trusted. This may mean that it is a self-signed certificate, or someone may be trying to intercept your connection.</source>
            <translation>Certyfikat SSL urządzenia Quillmar NAS nie jest zaufany. Może to oznaczać, że jest to certyfikat z podpisem własnym lub że ktoś próbuje przechwycić połączenie.</translation>
        </message>
        <message>
            <source>The SSL certificate has been changed. This may mean that the Quillmar NAS certificate has been changed, or someone may be trying to intercept your connection.</source>
            <translation>Certyfikat SSL został zmieniony. Może to oznaczać, że certyfikat Quillmar NAS został zmieniony lub że ktoś próbuje przechwycić połączenie.</translation>
        </message>
        <message>
            <source>Sign In</source>
            <translation>Logowanie</translation>
        </message>
        <message>
            <source>The data folder %1 does not exist and cannot be created.</source>
            <translation>Folder danych %1 nie istnieje i nie można go utworzyć.</translation>
        </message>
        <message>
            <source>The data folder %1 cannot be written to (%2).</source>
            <translation>Nie można zapisywać w folderze danych %1 (%2).</translation>
        </message>
        <message>
            <source>Cannot upload %1: a name on the server cannot contain "\".</source>
            <translation>Nie można przekazać %1: nazwa na serwerze nie może zawierać "\".</translation>
        </message>
        <message>
            <source>The file could not be read or written.</source>
            <translation>Nie udało się odczytać ani zapisać pliku.</translation>
        </message>
        <message>
            <source>The connection was interrupted.</source>
            <translation>Połączenie zostało przerwane.</translation>
        </message>
        <message>
            <source>The server no longer knows this transfer.</source>
            <translation>Serwer nie rozpoznaje już tego transferu.</translation>
        </message>
        <message>
            <source>The transfer was paused.</source>
            <translation>Transfer został wstrzymany.</translation>
        </message>
        <message>
            <source>The data received was larger than allowed.</source>
            <translation>Odebrane dane przekraczają dozwolony rozmiar.</translation>
        </message>
        <message>
            <source>The server said: %1</source>
            <translation>Odpowiedź serwera: %1</translation>
        </message>
        <message>
            <source>The file changed while it was being sent.</source>
            <translation>Plik zmienił się podczas wysyłania.</translation>
        </message>
    </context>
</TS>
