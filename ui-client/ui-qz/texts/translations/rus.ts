<?xml version='1.0' encoding='utf-8'?>
<!DOCTYPE TS>
<TS sourcelanguage="en_US" version="2.1" language="ru_RU">
    <context>
        <name>CertificateChainDialog</name>
        <message>
            <source>Certificate</source>
            <translation>Сертификат</translation>
        </message>
        <message>
            <source>Level</source>
            <translation>Уровень</translation>
        </message>
        <message>
            <source>Subject</source>
            <translation>Субъект</translation>
        </message>
        <message>
            <source>Issuer</source>
            <translation>Издатель</translation>
        </message>
        <message>
            <source>Valid</source>
            <translation>Срок действия</translation>
        </message>
        <message>
            <source>%1 to %2</source>
            <extracomment>The validity period of a certificate: its first and its last day.</extracomment>
            <translation>с %1 по %2</translation>
        </message>
    </context>
    <context>
        <name>HelpWindow</name>
        <message>
            <source>The help is not installed.</source>
            <translation>Справка не установлена.</translation>
        </message>
    </context>
    <context>
        <name>global</name>
        <message>
            <source>Login</source>
            <translation>Войти</translation>
        </message>
        <message>
            <source>You don't have enough privilege.</source>
            <translation>Недостаточно прав.</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>Закрыть</translation>
        </message>
        <message>
            <source>Disk full. Failed to copy %1 to %2.</source>
            <translation>Диск заполнен. Не удалось скопировать %1 в %2.</translation>
        </message>
        <message>
            <source>Back</source>
            <translation>Назад</translation>
        </message>
        <message>
            <source>Maximum retries reached.</source>
            <translation>Достигнуто максимальное число попыток.</translation>
        </message>
        <message>
            <source>Filter</source>
            <translation>Фильтр</translation>
        </message>
        <message>
            <source>Remember password?</source>
            <translation>Запомнить пароль?</translation>
        </message>
        <message>
            <source>Shared folder quota insufficient. Failed to copy %1 to %2.</source>
            <translation>Недостаточно квоты общей папки. Не удалось скопировать %1 в %2.</translation>
        </message>
        <message>
            <source>Disk full. Failed to move %1 to %2.</source>
            <translation>Диск заполнен. Не удалось переместить %1 в %2.</translation>
        </message>
        <message>
            <source>User quota insufficient. Failed to copy %1 to %2.</source>
            <translation>Недостаточно квоты пользователя. Не удалось скопировать %1 в %2.</translation>
        </message>
        <message>
            <source>Shared folder quota insufficient. Failed to move %1 to %2.</source>
            <translation>Недостаточно квоты общей папки. Не удалось переместить %1 в %2.</translation>
        </message>
        <message>
            <source>Insufficient disk space.</source>
            <translation>Недостаточно места на диске.</translation>
        </message>
        <message>
            <source>File size exceeds destination file system limit.</source>
            <translation>Размер файла превышает ограничение файловой системы назначения.</translation>
        </message>
        <message>
            <source>File does not exist.</source>
            <translation>Файл не существует.</translation>
        </message>
        <message>
            <source>Cannot access the temporary file.</source>
            <translation>Нет доступа к временному файлу.</translation>
        </message>
        <message>
            <source>Last Page</source>
            <translation>Последняя страница</translation>
        </message>
        <message>
            <source>Please upgrade your Quillmar File Manager package.</source>
            <translation>Обновите пакет Quillmar File Manager.</translation>
        </message>
        <message>
            <source>User quota insufficient. Failed to move %1 to %2.</source>
            <translation>Недостаточно квоты пользователя. Не удалось переместить %1 в %2.</translation>
        </message>
        <message>
            <source>Shared folder quota full.</source>
            <translation>Квота общей папки исчерпана.</translation>
        </message>
        <message>
            <source>User quota full.</source>
            <translation>Квота пользователя исчерпана.</translation>
        </message>
        <message>
            <source>A one-time password is required. Please log into your ZRM to set your one-time password.</source>
            <translation>Требуется одноразовый пароль. Войдите в ZRM и настройте одноразовый пароль.</translation>
        </message>
        <message>
            <source>The one-time password you entered is incorrect.</source>
            <translation>Введён неверный одноразовый пароль.</translation>
        </message>
        <message>
            <source>Please enter a 6-digit verification code.</source>
            <translation>Введите 6-значный код подтверждения.</translation>
        </message>
        <message>
            <source>Quillmar File Manager will be reconnected in %1 seconds.</source>
            <translation>Quillmar File Manager повторно подключится через %1 с.</translation>
        </message>
        <message>
            <source>Display mode </source>
            <translation>Display mode </translation>
        </message>
        <message>
            <source>Failed to update Quillmar File Manager database. Please restart or reinstall Quillmar File Manager.</source>
            <translation>Не удалось обновить базу данных Quillmar File Manager. Перезапустите или переустановите Quillmar File Manager.</translation>
        </message>
        <message>
            <source>Friday</source>
            <translation>Пятница</translation>
        </message>
        <message>
            <source>Paste</source>
            <translation>Вставить</translation>
        </message>
        <message>
            <source>Forward</source>
            <translation>Вперёд</translation>
        </message>
        <message>
            <source>Invalid username/password or insufficient user privilege.</source>
            <translation>Неверное имя пользователя или пароль либо недостаточно прав пользователя.</translation>
        </message>
        <message>
            <source>Closing the application will close all connections and abort all transfer tasks. Are you sure you want to continue?</source>
            <translation>При закрытии приложения будут закрыты все подключения и прерваны все задачи передачи. Продолжить?</translation>
        </message>
        <message>
            <source>Copy</source>
            <translation>Копировать</translation>
        </message>
        <message>
            <source>Create Folder</source>
            <translation>Создать папку</translation>
        </message>
        <message>
            <source>Wednesday</source>
            <translation>Среда</translation>
        </message>
        <message>
            <source>Log</source>
            <translation>Журнал</translation>
        </message>
        <message>
            <source>Please enter the password to connect.</source>
            <translation>Введите пароль для подключения.</translation>
        </message>
        <message>
            <source>First Page</source>
            <translation>Первая страница</translation>
        </message>
        <message>
            <source>Previous %1 pages</source>
            <translation>Предыдущие %1 стр.</translation>
        </message>
        <message>
            <source>Next %1 pages</source>
            <translation>Следующие %1 стр.</translation>
        </message>
        <message>
            <source>Help / About </source>
            <translation>Справка / О программе </translation>
        </message>
        <message>
            <source>Activity logs</source>
            <translation>Журналы действий</translation>
        </message>
        <message>
            <source>Settings</source>
            <translation>Настройки</translation>
        </message>
        <message>
            <source>Sort by </source>
            <translation>Сортировка </translation>
        </message>
        <message>
            <source>Task Manager</source>
            <translation>Диспетчер задач</translation>
        </message>
        <message>
            <source>Remote Path</source>
            <translation>Путь на сервере</translation>
        </message>
        <message>
            <source>Please enter a valid server address.</source>
            <translation>Введите правильный адрес сервера.</translation>
        </message>
        <message>
            <source>You do not have permission to rename %1 to %2.</source>
            <translation>Нет прав на переименование %1 в %2.</translation>
        </message>
        <message>
            <source>Login failed.</source>
            <translation>Не удалось войти.</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>Удалить</translation>
        </message>
        <message>
            <source>Rename</source>
            <translation>Переименовать</translation>
        </message>
        <message>
            <source>Server address</source>
            <translation>Адрес сервера</translation>
        </message>
        <message>
            <source>Apply</source>
            <translation>Применить</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>Отмена</translation>
        </message>
        <message>
            <source>Connect</source>
            <translation>Подключиться</translation>
        </message>
        <message>
            <source>OK</source>
            <translation>ОК</translation>
        </message>
        <message>
            <source>Reset</source>
            <translation>Сбросить</translation>
        </message>
        <message>
            <source>Closing the connection will abort all transfer tasks in this connection. Are you sure you want to continue?</source>
            <translation>При закрытии подключения будут прерваны все задачи передачи в этом подключении. Продолжить?</translation>
        </message>
        <message>
            <source>day(s)</source>
            <translation>дн.</translation>
        </message>
        <message>
            <source>Failed to copy %1 to %2.</source>
            <translation>Не удалось скопировать %1 в %2.</translation>
        </message>
        <message>
            <source>You do not have permission to copy %1 to %2.</source>
            <translation>Нет прав на копирование %1 в %2.</translation>
        </message>
        <message>
            <source>Disconnected from the server. Please login again.</source>
            <translation>Подключение к серверу разорвано. Войдите снова.</translation>
        </message>
        <message>
            <source>Failed to load this directory.</source>
            <translation>Не удалось открыть эту папку.</translation>
        </message>
        <message>
            <source>You do not have permission to load the directory.</source>
            <translation>Нет прав на открытие этой папки.</translation>
        </message>
        <message>
            <source>Failed to connect to server.</source>
            <translation>Не удалось подключиться к серверу.</translation>
        </message>
        <message>
            <source>Failed to create directory %1.</source>
            <translation>Не удалось создать папку %1.</translation>
        </message>
        <message>
            <source>You do not have permission to create %1.</source>
            <translation>Нет прав на создание %1.</translation>
        </message>
        <message>
            <source>Failed to remove %1.</source>
            <translation>Не удалось удалить %1.</translation>
        </message>
        <message>
            <source>You do not have permission to remove %1.</source>
            <translation>Нет прав на удаление %1.</translation>
        </message>
        <message>
            <source>Failed to rename %1 to %2.</source>
            <translation>Не удалось переименовать %1 в %2.</translation>
        </message>
        <message>
            <source>Failed to rename %1 to %2 because %2 already exists.</source>
            <translation>Не удалось переименовать %1 в %2: %2 уже существует.</translation>
        </message>
        <message>
            <source>File</source>
            <translation>Файл</translation>
        </message>
        <message>
            <source>File Name</source>
            <translation>Имя файла</translation>
        </message>
        <message>
            <source>File Type</source>
            <translation>Тип файла</translation>
        </message>
        <message>
            <source>From</source>
            <translation>С</translation>
        </message>
        <message>
            <source>Keyword</source>
            <translation>Ключевое слово</translation>
        </message>
        <message>
            <source>Size</source>
            <translation>Размер</translation>
        </message>
        <message>
            <source>Any</source>
            <translation>Любой</translation>
        </message>
        <message>
            <source>Equal to</source>
            <translation>Равен</translation>
        </message>
        <message>
            <source>Greater than</source>
            <translation>Больше</translation>
        </message>
        <message>
            <source>Less than</source>
            <translation>Меньше</translation>
        </message>
        <message>
            <source>Ascending</source>
            <translation>По возрастанию</translation>
        </message>
        <message>
            <source>Descending</source>
            <translation>По убыванию</translation>
        </message>
        <message>
            <source>To</source>
            <translation>По</translation>
        </message>
        <message>
            <source>Folder</source>
            <translation>Папка</translation>
        </message>
        <message>
            <source>Duration</source>
            <translation>Длительность</translation>
        </message>
        <message>
            <source>End</source>
            <translation>Окончание</translation>
        </message>
        <message>
            <source>Event</source>
            <translation>Событие</translation>
        </message>
        <message>
            <source>Start</source>
            <translation>Начало</translation>
        </message>
        <message>
            <source>Time</source>
            <translation>Время</translation>
        </message>
        <message>
            <source>Type</source>
            <translation>Тип</translation>
        </message>
        <message>
            <source>%1 copied %2 to %3.</source>
            <translation>Пользователь %1 скопировал %2 в %3.</translation>
        </message>
        <message>
            <source>%1 downloaded %2.</source>
            <translation>Пользователь %1 скачал %2.</translation>
        </message>
        <message>
            <source>%1 logged in to %2.</source>
            <translation>Пользователь %1 вошёл на %2.</translation>
        </message>
        <message>
            <source>%1 created folder %2.</source>
            <translation>Пользователь %1 создал папку %2.</translation>
        </message>
        <message>
            <source>%1 deleted %2.</source>
            <translation>Пользователь %1 удалил %2.</translation>
        </message>
        <message>
            <source>July</source>
            <translation>Июль</translation>
        </message>
        <message>
            <source>%1 renamed %2 to %3.</source>
            <translation>Пользователь %1 переименовал %2 в %3.</translation>
        </message>
        <message>
            <source>%1 uploaded %2.</source>
            <translation>Пользователь %1 загрузил %2.</translation>
        </message>
        <message>
            <source>All Events</source>
            <translation>Все события</translation>
        </message>
        <message>
            <source>Event logs</source>
            <translation>Журнал событий</translation>
        </message>
        <message>
            <source>File transfer log</source>
            <translation>Журнал передачи файлов</translation>
        </message>
        <message>
            <source>Modified Time</source>
            <translation>Дата изменения</translation>
        </message>
        <message>
            <source>Monday</source>
            <translation>Понедельник</translation>
        </message>
        <message>
            <source>April</source>
            <translation>Апрель</translation>
        </message>
        <message>
            <source>August</source>
            <translation>Август</translation>
        </message>
        <message>
            <source>December</source>
            <translation>Декабрь</translation>
        </message>
        <message>
            <source>February</source>
            <translation>Февраль</translation>
        </message>
        <message>
            <source>January</source>
            <translation>Январь</translation>
        </message>
        <message>
            <source>June</source>
            <translation>Июнь</translation>
        </message>
        <message>
            <source>March</source>
            <translation>Март</translation>
        </message>
        <message>
            <source>May</source>
            <translation>Май</translation>
        </message>
        <message>
            <source>November</source>
            <translation>Ноябрь</translation>
        </message>
        <message>
            <source>October</source>
            <translation>Октябрь</translation>
        </message>
        <message>
            <source>September</source>
            <translation>Сентябрь</translation>
        </message>
        <message>
            <source>My Computer</source>
            <translation>Мой компьютер</translation>
        </message>
        <message>
            <source>item(s)</source>
            <translation>эл.</translation>
        </message>
        <message>
            <source>Password</source>
            <translation>Пароль</translation>
        </message>
        <message>
            <source>Time Remaining</source>
            <translation>Осталось</translation>
        </message>
        <message>
            <source>All Transfers</source>
            <translation>Все передачи</translation>
        </message>
        <message>
            <source>Downloaded</source>
            <translation>Скачано</translation>
        </message>
        <message>
            <source>Elapsed Time</source>
            <translation>Прошло</translation>
        </message>
        <message>
            <source>Local Path</source>
            <translation>Локальный путь</translation>
        </message>
        <message>
            <source>Speed</source>
            <translation>Скорость</translation>
        </message>
        <message>
            <source>Status</source>
            <translation>Состояние</translation>
        </message>
        <message>
            <source>UL/DL</source>
            <translation>Тип</translation>
        </message>
        <message>
            <source>Uploaded</source>
            <translation>Загружено</translation>
        </message>
        <message>
            <source>Remember password</source>
            <translation>Запомнить пароль</translation>
        </message>
        <message>
            <source>Saturday</source>
            <translation>Суббота</translation>
        </message>
        <message>
            <source>Changes are not saved. Are you sure you want to leave?</source>
            <translation>Изменения не сохранены. Вы действительно хотите уйти?</translation>
        </message>
        <message>
            <source>Enable transfer compression</source>
            <translation>Включить сжатие при передаче</translation>
        </message>
        <message>
            <source>Max. concurrent transfers</source>
            <translation>Макс. одновременных передач</translation>
        </message>
        <message>
            <source>Enable transfer encryption</source>
            <translation>Включить шифрование при передаче</translation>
        </message>
        <message>
            <source>files</source>
            <translation>шт.</translation>
        </message>
        <message>
            <source>Host Info</source>
            <translation>Сведения о хосте</translation>
        </message>
        <message>
            <source>Hostname</source>
            <translation>Имя хоста</translation>
        </message>
        <message>
            <source>System default</source>
            <translation>Как в системе</translation>
        </message>
        <message>
            <source>Please restart %1 to apply the new language settings.</source>
            <translation>Перезапустите %1, чтобы применить новые языковые настройки.</translation>
        </message>
        <message>
            <source>Language</source>
            <translation>Язык</translation>
        </message>
        <message>
            <source>Max. download rate</source>
            <translation>Макс. скорость скачивания</translation>
        </message>
        <message>
            <source>Max. upload rate</source>
            <translation>Макс. скорость загрузки</translation>
        </message>
        <message>
            <source>New site</source>
            <translation>Новое подключение</translation>
        </message>
        <message>
            <source>No limit</source>
            <translation>Без ограничений</translation>
        </message>
        <message>
            <source>Optional</source>
            <translation>Необязательно</translation>
        </message>
        <message>
            <source>Transfer Settings</source>
            <translation>Параметры передачи</translation>
        </message>
        <message>
            <source>Failed</source>
            <translation>Ошибка</translation>
        </message>
        <message>
            <source>Paused</source>
            <translation>Приостановлено</translation>
        </message>
        <message>
            <source>Waiting</source>
            <translation>Ожидание</translation>
        </message>
        <message>
            <source>Sunday</source>
            <translation>Воскресенье</translation>
        </message>
        <message>
            <source>Thursday</source>
            <translation>Четверг</translation>
        </message>
        <message>
            <source>Today</source>
            <translation>Сегодня</translation>
        </message>
        <message>
            <source>Tuesday</source>
            <translation>Вторник</translation>
        </message>
        <message>
            <source>Username</source>
            <translation>Имя пользователя</translation>
        </message>
        <message>
            <source>Connecting...</source>
            <translation>Подключение...</translation>
        </message>
        <message>
            <source>Please enter a valid IP address.</source>
            <translation>Введите правильный IP-адрес.</translation>
        </message>
        <message>
            <source>New Connection</source>
            <translation>Новое подключение</translation>
        </message>
        <message>
            <source>Cut</source>
            <translation>Вырезать</translation>
        </message>
        <message>
            <source>Download</source>
            <translation>Скачивание</translation>
        </message>
        <message>
            <source>Upload</source>
            <translation>Загрузка</translation>
        </message>
        <message>
            <source>Cannot load information for %1.</source>
            <translation>Не удалось получить сведения о %1.</translation>
        </message>
        <message>
            <source>Failed to move %1 to %2.</source>
            <translation>Не удалось переместить %1 в %2.</translation>
        </message>
        <message>
            <source>You do not have permission to move %1 to %2.</source>
            <translation>Нет прав на перемещение %1 в %2.</translation>
        </message>
        <message>
            <source>Failed to move %1 to %2 because %1 already exists.</source>
            <translation>Не удалось переместить %1 в %2: %1 уже существует.</translation>
        </message>
        <message>
            <source>%1 moved %2 to %3.</source>
            <translation>Пользователь %1 переместил %2 в %3.</translation>
        </message>
        <message>
            <source>Copyright (c) %1 Quillmar. All rights reserved.</source>
            <translation>Copyright (c) %1 Quillmar. Все права защищены.</translation>
        </message>
        <message>
            <source>Version</source>
            <translation>Версия</translation>
        </message>
        <message>
            <source>Help</source>
            <translation>Справка</translation>
        </message>
        <message>
            <source>About</source>
            <translation>О программе</translation>
        </message>
        <message>
            <source>This setting is enforced by the server.</source>
            <translation>Этот параметр задан сервером.</translation>
        </message>
        <message>
            <source>This connected server does not support minimum bandwidth configuration.</source>
            <translation>Подключённый сервер не поддерживает настройку минимальной пропускной способности.</translation>
        </message>
        <message>
            <source>Untrusted SSL certificate</source>
            <translation>Недоверенный SSL-сертификат</translation>
        </message>
        <message>
            <source>SSL certificate has been changed.</source>
            <translation>SSL-сертификат изменён.</translation>
        </message>
        <message>
            <source>Proceed anyway</source>
            <translation>Всё равно продолжить</translation>
        </message>
        <message>
            <source>Default download location</source>
            <translation>Папка для скачивания</translation>
        </message>
        <message>
            <source>Download Settings</source>
            <translation>Параметры скачивания</translation>
        </message>
        <message>
            <source>Download to default folder</source>
            <translation>Скачать в папку по умолчанию</translation>
        </message>
        <message>
            <source>Download to …</source>
            <translation>Скачать в …</translation>
        </message>
        <message>
            <source>Browse</source>
            <translation>Обзор</translation>
        </message>
        <message>
            <source>New tab</source>
            <translation>Новая вкладка</translation>
        </message>
        <message>
            <source>Download rate</source>
            <translation>Скорость скачивания</translation>
        </message>
        <message>
            <source>Max.</source>
            <translation>Макс.</translation>
        </message>
        <message>
            <source>Min.</source>
            <translation>Мин.</translation>
        </message>
        <message>
            <source>Upload rate</source>
            <translation>Скорость загрузки</translation>
        </message>
        <message>
            <source>Please enter a valid number between 1 and 10.</source>
            <translation>Введите число от 1 до 10.</translation>
        </message>
        <message>
            <source>Must be lower than the value of maximum rate</source>
            <translation>Должно быть меньше максимальной скорости</translation>
        </message>
        <message>
            <source>Must be higher than the value of minimum rate</source>
            <translation>Должно быть больше минимальной скорости</translation>
        </message>
        <message>
            <source>Please enter your username.</source>
            <translation>Введите имя пользователя.</translation>
        </message>
        <message>
            <source>Quillmar File Manager</source>
            <translation>Quillmar File Manager</translation>
        </message>
        <message>
            <source>Please update your Quillmar File Manager on your computer.</source>
            <translation>Обновите Quillmar File Manager на своём компьютере.</translation>
        </message>
        <message>
            <source>Compatibility error. Please upgrade Quillmar File Manager.</source>
            <translation>Ошибка совместимости. Обновите Quillmar File Manager.</translation>
        </message>
        <message>
            <source>Connect to a Quillmar File Manager</source>
            <translation>Подключение к Quillmar File Manager</translation>
        </message>
        <message>
            <source>The connection cannot be established with wrong port number. Please check the port number and try again. </source>
            <translation>Не удалось установить подключение: неверный номер порта. Проверьте номер порта и повторите попытку. </translation>
        </message>
        <message>
            <source>Connection failed. Please make sure TCP on port %1 is open.</source>
            <translation>Не удалось подключиться. Убедитесь, что TCP-порт %1 открыт.</translation>
        </message>
        <message>
            <source>Failed to connect to this Koralt File Server due to compatibility issues. Please go to Download Center to download Koralt desktop client and connect it to this Koralt File Server.  </source>
            <translation>Не удалось подключиться к этому Koralt File Server из-за проблем совместимости. Скачайте настольный клиент Koralt в Download Center и подключитесь с его помощью к этому Koralt File Server.  </translation>
        </message>
        <message>
            <source>Please enter a one-time verification code.</source>
            <translation>Введите одноразовый код подтверждения.</translation>
        </message>
        <message>
            <source>The SSL certificate of Quillmar NAS is not trusted. This may mean that it is a self-signed certificate, or someone may be trying to intercept your connection.</source>
            <translation>SSL-сертификат Quillmar NAS не является доверенным. Возможно, это самозаверенный сертификат или кто-то пытается перехватить ваше подключение.</translation>
        </message>
        <message>
            <source>The SSL certificate has been changed. This may mean that the Quillmar NAS certificate has been changed, or someone may be trying to intercept your connection.</source>
            <translation>SSL-сертификат изменён. Возможно, сертификат Quillmar NAS был заменён или кто-то пытается перехватить ваше подключение.</translation>
        </message>
        <message>
            <source>Sign In</source>
            <translation>Вход</translation>
        </message>
        <message>
            <source>The data folder %1 does not exist and cannot be created.</source>
            <translation>Папка данных %1 не существует и не может быть создана.</translation>
        </message>
        <message>
            <source>The data folder %1 cannot be written to (%2).</source>
            <translation>Нет доступа на запись в папку данных %1 (%2).</translation>
        </message>
        <message>
            <source>Cannot upload %1: a name on the server cannot contain "\".</source>
            <translation>Не удалось загрузить %1: имя на сервере не может содержать "\".</translation>
        </message>
        <message>
            <source>The file could not be read or written.</source>
            <translation>Не удалось прочитать или записать файл.</translation>
        </message>
        <message>
            <source>The connection was interrupted.</source>
            <translation>Подключение прервано.</translation>
        </message>
        <message>
            <source>The server no longer knows this transfer.</source>
            <translation>Сервер больше не знает об этой передаче.</translation>
        </message>
        <message>
            <source>The transfer was paused.</source>
            <translation>Передача приостановлена.</translation>
        </message>
        <message>
            <source>The data received was larger than allowed.</source>
            <translation>Полученные данные превышают допустимый размер.</translation>
        </message>
        <message>
            <source>The server said: %1</source>
            <translation>Ответ сервера: %1</translation>
        </message>
        <message>
            <source>The file changed while it was being sent.</source>
            <translation>Файл изменился во время отправки.</translation>
        </message>
    </context>
</TS>
