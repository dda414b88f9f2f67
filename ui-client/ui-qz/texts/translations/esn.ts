<?xml version='1.0' encoding='utf-8'?>
<!DOCTYPE TS>
<TS sourcelanguage="en_US" version="2.1" language="es_ES">
    <context>
        <name>CertificateChainDialog</name>
        <message>
            <source>Certificate</source>
            <translation>Certificado</translation>
        </message>
        <message>
            <source>Level</source>
            <translation>Nivel</translation>
        </message>
        <message>
            <source>Subject</source>
            <translation>Sujeto</translation>
        </message>
        <message>
            <source>Issuer</source>
            <translation>Emisor</translation>
        </message>
        <message>
            <source>Valid</source>
            <translation>Validez</translation>
        </message>
        <message>
            <source>%1 to %2</source>
            <extracomment>The validity period of a certificate: its first and its last day.</extracomment>
            <translation>del %1 al %2</translation>
        </message>
    </context>
    <context>
        <name>HelpWindow</name>
        <message>
            <source>The help is not installed.</source>
            <translation>La ayuda no está instalada.</translation>
        </message>
    </context>
    <context>
        <name>global</name>
        <message>
            <source>Login</source>
            <translation>Iniciar sesión</translation>
        </message>
        <message>
            <source>You don't have enough privilege.</source>
            <translation>No tiene privilegios suficientes.</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>Cerrar</translation>
        </message>
        <message>
            <source>Disk full. Failed to copy %1 to %2.</source>
            <translation>Disco lleno. No se pudo copiar %1 en %2.</translation>
        </message>
        <message>
            <source>Back</source>
            <translation>Atrás</translation>
        </message>
        <message>
            <source>Maximum retries reached.</source>
            <translation>Se ha alcanzado el número máximo de reintentos.</translation>
        </message>
        <message>
            <source>Filter</source>
            <translation>Filtrar</translation>
        </message>
        <message>
            <source>Remember password?</source>
            <translation>¿Recordar la contraseña?</translation>
        </message>
        <message>
            <source>Shared folder quota insufficient. Failed to copy %1 to %2.</source>
            <translation>Cuota de la carpeta compartida insuficiente. No se pudo copiar %1 en %2.</translation>
        </message>
        <message>
            <source>Disk full. Failed to move %1 to %2.</source>
            <translation>Disco lleno. No se pudo mover %1 a %2.</translation>
        </message>
        <message>
            <source>User quota insufficient. Failed to copy %1 to %2.</source>
            <translation>Cuota de usuario insuficiente. No se pudo copiar %1 en %2.</translation>
        </message>
        <message>
            <source>Shared folder quota insufficient. Failed to move %1 to %2.</source>
            <translation>Cuota de la carpeta compartida insuficiente. No se pudo mover %1 a %2.</translation>
        </message>
        <message>
            <source>Insufficient disk space.</source>
            <translation>Espacio en disco insuficiente.</translation>
        </message>
        <message>
            <source>File size exceeds destination file system limit.</source>
            <translation>El tamaño del archivo supera el límite del sistema de archivos de destino.</translation>
        </message>
        <message>
            <source>File does not exist.</source>
            <translation>El archivo no existe.</translation>
        </message>
        <message>
            <source>Cannot access the temporary file.</source>
            <translation>No se puede acceder al archivo temporal.</translation>
        </message>
        <message>
            <source>Last Page</source>
            <translation>Última página</translation>
        </message>
        <message>
            <source>Please upgrade your Quillmar File Manager package.</source>
            <translation>Actualice el paquete de Quillmar File Manager.</translation>
        </message>
        <message>
            <source>User quota insufficient. Failed to move %1 to %2.</source>
            <translation>Cuota de usuario insuficiente. No se pudo mover %1 a %2.</translation>
        </message>
        <message>
            <source>Shared folder quota full.</source>
            <translation>La cuota de la carpeta compartida está llena.</translation>
        </message>
        <message>
            <source>User quota full.</source>
            <translation>La cuota de usuario está llena.</translation>
        </message>
        <message>
            <source>A one-time password is required. Please log into your ZRM to set your one-time password.</source>
            <translation>Se requiere una contraseña de un solo uso. Inicie sesión en su ZRM para configurar la contraseña de un solo uso.</translation>
        </message>
        <message>
            <source>The one-time password you entered is incorrect.</source>
            <translation>La contraseña de un solo uso introducida no es correcta.</translation>
        </message>
        <message>
            <source>Please enter a 6-digit verification code.</source>
            <translation>Introduzca un código de verificación de 6 dígitos.</translation>
        </message>
        <message>
            <source>Quillmar File Manager will be reconnected in %1 seconds.</source>
            <translation>Quillmar File Manager se volverá a conectar dentro de %1 segundos.</translation>
        </message>
        <message>
            <source>Display mode </source>
            <translation>Display mode </translation>
        </message>
        <message>
            <source>Failed to update Quillmar File Manager database. Please restart or reinstall Quillmar File Manager.</source>
            <translation>No se pudo actualizar la base de datos de Quillmar File Manager. Reinicie o vuelva a instalar Quillmar File Manager.</translation>
        </message>
        <message>
            <source>Friday</source>
            <translation>Viernes</translation>
        </message>
        <message>
            <source>Paste</source>
            <translation>Pegar</translation>
        </message>
        <message>
            <source>Forward</source>
            <translation>Adelante</translation>
        </message>
        <message>
            <source>Invalid username/password or insufficient user privilege.</source>
            <translation>Nombre de usuario o contraseña no válidos, o privilegios de usuario insuficientes.</translation>
        </message>
        <message>
            <source>Closing the application will close all connections and abort all transfer tasks. Are you sure you want to continue?</source>
            <translation>Al cerrar la aplicación se cerrarán todas las conexiones y se cancelarán todas las transferencias. ¿Seguro que desea continuar?</translation>
        </message>
        <message>
            <source>Copy</source>
            <translation>Copiar</translation>
        </message>
        <message>
            <source>Create Folder</source>
            <translation>Crear carpeta</translation>
        </message>
        <message>
            <source>Wednesday</source>
            <translation>Miércoles</translation>
        </message>
        <message>
            <source>Log</source>
            <translation>Registro</translation>
        </message>
        <message>
            <source>Please enter the password to connect.</source>
            <translation>Introduzca la contraseña para conectarse.</translation>
        </message>
        <message>
            <source>First Page</source>
            <translation>Primera página</translation>
        </message>
        <message>
            <source>Previous %1 pages</source>
            <translation>%1 páginas anteriores</translation>
        </message>
        <message>
            <source>Next %1 pages</source>
            <translation>%1 páginas siguientes</translation>
        </message>
        <message>
            <source>Help / About </source>
            <translation>Ayuda / Acerca de </translation>
        </message>
        <message>
            <source>Activity logs</source>
            <translation>Registros de actividad</translation>
        </message>
        <message>
            <source>Settings</source>
            <translation>Configuración</translation>
        </message>
        <message>
            <source>Sort by </source>
            <translation>Ordenar por </translation>
        </message>
        <message>
            <source>Task Manager</source>
            <translation>Administrador de tareas</translation>
        </message>
        <message>
            <source>Remote Path</source>
            <translation>Ruta remota</translation>
        </message>
        <message>
            <source>Please enter a valid server address.</source>
            <translation>Introduzca una dirección de servidor válida.</translation>
        </message>
        <message>
            <source>You do not have permission to rename %1 to %2.</source>
            <translation>No tiene permiso para cambiar el nombre de %1 a %2.</translation>
        </message>
        <message>
            <source>Login failed.</source>
            <translation>Error al iniciar sesión.</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>Eliminar</translation>
        </message>
        <message>
            <source>Rename</source>
            <translation>Cambiar nombre</translation>
        </message>
        <message>
            <source>Server address</source>
            <translation>Dirección del servidor</translation>
        </message>
        <message>
            <source>Apply</source>
            <translation>Aplicar</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>Cancelar</translation>
        </message>
        <message>
            <source>Connect</source>
            <translation>Conectar</translation>
        </message>
        <message>
            <source>OK</source>
            <translation>Aceptar</translation>
        </message>
        <message>
            <source>Reset</source>
            <translation>Restablecer</translation>
        </message>
        <message>
            <source>Closing the connection will abort all transfer tasks in this connection. Are you sure you want to continue?</source>
            <translation>Al cerrar la conexión se cancelarán todas las transferencias de esta conexión. ¿Seguro que desea continuar?</translation>
        </message>
        <message>
            <source>day(s)</source>
            <translation>día(s)</translation>
        </message>
        <message>
            <source>Failed to copy %1 to %2.</source>
            <translation>No se pudo copiar %1 en %2.</translation>
        </message>
        <message>
            <source>You do not have permission to copy %1 to %2.</source>
            <translation>No tiene permiso para copiar %1 en %2.</translation>
        </message>
        <message>
            <source>Disconnected from the server. Please login again.</source>
            <translation>Se ha perdido la conexión con el servidor. Vuelva a iniciar sesión.</translation>
        </message>
        <message>
            <source>Failed to load this directory.</source>
            <translation>No se pudo abrir esta carpeta.</translation>
        </message>
        <message>
            <source>You do not have permission to load the directory.</source>
            <translation>No tiene permiso para abrir la carpeta.</translation>
        </message>
        <message>
            <source>Failed to connect to server.</source>
            <translation>No se pudo conectar con el servidor.</translation>
        </message>
        <message>
            <source>Failed to create directory %1.</source>
            <translation>No se pudo crear la carpeta %1.</translation>
        </message>
        <message>
            <source>You do not have permission to create %1.</source>
            <translation>No tiene permiso para crear %1.</translation>
        </message>
        <message>
            <source>Failed to remove %1.</source>
            <translation>No se pudo eliminar %1.</translation>
        </message>
        <message>
            <source>You do not have permission to remove %1.</source>
            <translation>No tiene permiso para eliminar %1.</translation>
        </message>
        <message>
            <source>Failed to rename %1 to %2.</source>
            <translation>No se pudo cambiar el nombre de %1 a %2.</translation>
        </message>
        <message>
            <source>Failed to rename %1 to %2 because %2 already exists.</source>
            <translation>No se pudo cambiar el nombre de %1 a %2 porque %2 ya existe.</translation>
        </message>
        <message>
            <source>File</source>
            <translation>Archivo</translation>
        </message>
        <message>
            <source>File Name</source>
            <translation>Nombre</translation>
        </message>
        <message>
            <source>File Type</source>
            <translation>Tipo</translation>
        </message>
        <message>
            <source>From</source>
            <translation>Desde</translation>
        </message>
        <message>
            <source>Keyword</source>
            <translation>Palabra clave</translation>
        </message>
        <message>
            <source>Size</source>
            <translation>Tamaño</translation>
        </message>
        <message>
            <source>Any</source>
            <translation>Cualquiera</translation>
        </message>
        <message>
            <source>Equal to</source>
            <translation>Igual a</translation>
        </message>
        <message>
            <source>Greater than</source>
            <translation>Mayor que</translation>
        </message>
        <message>
            <source>Less than</source>
            <translation>Menor que</translation>
        </message>
        <message>
            <source>Ascending</source>
            <translation>Ascendente</translation>
        </message>
        <message>
            <source>Descending</source>
            <translation>Descendente</translation>
        </message>
        <message>
            <source>To</source>
            <translation>Hasta</translation>
        </message>
        <message>
            <source>Folder</source>
            <translation>Carpeta</translation>
        </message>
        <message>
            <source>Duration</source>
            <translation>Duración</translation>
        </message>
        <message>
            <source>End</source>
            <translation>Fin</translation>
        </message>
        <message>
            <source>Event</source>
            <translation>Evento</translation>
        </message>
        <message>
            <source>Start</source>
            <translation>Inicio</translation>
        </message>
        <message>
            <source>Time</source>
            <translation>Hora</translation>
        </message>
        <message>
            <source>Type</source>
            <translation>Tipo</translation>
        </message>
        <message>
            <source>%1 copied %2 to %3.</source>
            <translation>%1 copió %2 en %3.</translation>
        </message>
        <message>
            <source>%1 downloaded %2.</source>
            <translation>%1 descargó %2.</translation>
        </message>
        <message>
            <source>%1 logged in to %2.</source>
            <translation>%1 inició sesión en %2.</translation>
        </message>
        <message>
            <source>%1 created folder %2.</source>
            <translation>%1 creó la carpeta %2.</translation>
        </message>
        <message>
            <source>%1 deleted %2.</source>
            <translation>%1 eliminó %2.</translation>
        </message>
        <message>
            <source>July</source>
            <translation>Julio</translation>
        </message>
        <message>
            <source>%1 renamed %2 to %3.</source>
            <translation>%1 cambió el nombre de %2 a %3.</translation>
        </message>
        <message>
            <source>%1 uploaded %2.</source>
            <translation>%1 cargó %2.</translation>
        </message>
        <message>
            <source>All Events</source>
            <translation>Todos los eventos</translation>
        </message>
        <message>
            <source>Event logs</source>
            <translation>Registro de eventos</translation>
        </message>
        <message>
            <source>File transfer log</source>
            <translation>Registro de transferencias</translation>
        </message>
        <message>
            <source>Modified Time</source>
            <translation>Fecha de modificación</translation>
        </message>
        <message>
            <source>Monday</source>
            <translation>Lunes</translation>
        </message>
        <message>
            <source>April</source>
            <translation>Abril</translation>
        </message>
        <message>
            <source>August</source>
            <translation>Agosto</translation>
        </message>
        <message>
            <source>December</source>
            <translation>Diciembre</translation>
        </message>
        <message>
            <source>February</source>
            <translation>Febrero</translation>
        </message>
        <message>
            <source>January</source>
            <translation>Enero</translation>
        </message>
        <message>
            <source>June</source>
            <translation>Junio</translation>
        </message>
        <message>
            <source>March</source>
            <translation>Marzo</translation>
        </message>
        <message>
            <source>May</source>
            <translation>Mayo</translation>
        </message>
        <message>
            <source>November</source>
            <translation>Noviembre</translation>
        </message>
        <message>
            <source>October</source>
            <translation>Octubre</translation>
        </message>
        <message>
            <source>September</source>
            <translation>Septiembre</translation>
        </message>
        <message>
            <source>My Computer</source>
            <translation>Mi PC</translation>
        </message>
        <message>
            <source>item(s)</source>
            <translation>elemento(s)</translation>
        </message>
        <message>
            <source>Password</source>
            <translation>Contraseña</translation>
        </message>
        <message>
            <source>Time Remaining</source>
            <translation>Restante</translation>
        </message>
        <message>
            <source>All Transfers</source>
            <translation>Todas las transferencias</translation>
        </message>
        <message>
            <source>Downloaded</source>
            <translation>Descargado</translation>
        </message>
        <message>
            <source>Elapsed Time</source>
            <translation>Transcurrido</translation>
        </message>
        <message>
            <source>Local Path</source>
            <translation>Ruta local</translation>
        </message>
        <message>
            <source>Speed</source>
            <translation>Velocidad</translation>
        </message>
        <message>
            <source>Status</source>
            <translation>Estado</translation>
        </message>
        <message>
            <source>UL/DL</source>
            <translation>Tipo</translation>
        </message>
        <message>
            <source>Uploaded</source>
            <translation>Cargado</translation>
        </message>
        <message>
            <source>Remember password</source>
            <translation>Recordar contraseña</translation>
        </message>
        <message>
            <source>Saturday</source>
            <translation>Sábado</translation>
        </message>
        <message>
            <source>Changes are not saved. Are you sure you want to leave?</source>
            <translation>Los cambios no se han guardado. ¿Seguro que desea salir?</translation>
        </message>
        <message>
            <source>Enable transfer compression</source>
            <translation>Habilitar compresión de transferencias</translation>
        </message>
        <message>
            <source>Max. concurrent transfers</source>
            <translation>Máx. de transferencias simultáneas</translation>
        </message>
        <message>
            <source>Enable transfer encryption</source>
            <translation>Habilitar cifrado de transferencias</translation>
        </message>
        <message>
            <source>files</source>
            <translation>archivos</translation>
        </message>
        <message>
            <source>Host Info</source>
            <translation>Información del host</translation>
        </message>
        <message>
            <source>Hostname</source>
            <translation>Nombre de host</translation>
        </message>
        <message>
            <source>System default</source>
            <translation>Predeterminado del sistema</translation>
        </message>
        <message>
            <source>Please restart %1 to apply the new language settings.</source>
            <translation>Reinicie %1 para aplicar la nueva configuración de idioma.</translation>
        </message>
        <message>
            <source>Language</source>
            <translation>Idioma</translation>
        </message>
        <message>
            <source>Max. download rate</source>
            <translation>Velocidad máx. de descarga</translation>
        </message>
        <message>
            <source>Max. upload rate</source>
            <translation>Velocidad máx. de carga</translation>
        </message>
        <message>
            <source>New site</source>
            <translation>Nueva conexión</translation>
        </message>
        <message>
            <source>No limit</source>
            <translation>Sin límite</translation>
        </message>
        <message>
            <source>Optional</source>
            <translation>Opcional</translation>
        </message>
        <message>
            <source>Transfer Settings</source>
            <translation>Configuración de transferencia</translation>
        </message>
        <message>
            <source>Failed</source>
            <translation>Error</translation>
        </message>
        <message>
            <source>Paused</source>
            <translation>En pausa</translation>
        </message>
        <message>
            <source>Waiting</source>
            <translation>En espera</translation>
        </message>
        <message>
            <source>Sunday</source>
            <translation>Domingo</translation>
        </message>
        <message>
            <source>Thursday</source>
            <translation>Jueves</translation>
        </message>
        <message>
            <source>Today</source>
            <translation>Hoy</translation>
        </message>
        <message>
            <source>Tuesday</source>
            <translation>Martes</translation>
        </message>
        <message>
            <source>Username</source>
            <translation>Nombre de usuario</translation>
        </message>
        <message>
            <source>Connecting...</source>
            <translation>Conectando...</translation>
        </message>
        <message>
            <source>Please enter a valid IP address.</source>
            <translation>Introduzca una dirección IP válida.</translation>
        </message>
        <message>
            <source>New Connection</source>
            <translation>Nueva conexión</translation>
        </message>
        <message>
            <source>Cut</source>
            <translation>Cortar</translation>
        </message>
        <message>
            <source>Download</source>
            <translation>Descarga</translation>
        </message>
        <message>
            <source>Upload</source>
            <translation>Carga</translation>
        </message>
        <message>
            <source>Cannot load information for %1.</source>
            <translation>No se puede obtener la información de %1.</translation>
        </message>
        <message>
            <source>Failed to move %1 to %2.</source>
            <translation>No se pudo mover %1 a %2.</translation>
        </message>
        <message>
            <source>You do not have permission to move %1 to %2.</source>
            <translation>No tiene permiso para mover %1 a %2.</translation>
        </message>
        <message>
            <source>Failed to move %1 to %2 because %1 already exists.</source>
            <translation>No se pudo mover %1 a %2 porque %1 ya existe.</translation>
        </message>
        <message>
            <source>%1 moved %2 to %3.</source>
            <translation>%1 movió %2 a %3.</translation>
        </message>
        <message>
            <source>Copyright (c) %1 Quillmar. All rights reserved.</source>
            <translation>Copyright (c) %1 Quillmar. Todos los derechos reservados.</translation>
        </message>
        <message>
            <source>Version</source>
            <translation>Versión</translation>
        </message>
        <message>
            <source>Help</source>
            <translation>Ayuda</translation>
        </message>
        <message>
            <source>About</source>
            <translation>Acerca de</translation>
        </message>
        <message>
            <source>This setting is enforced by the server.</source>
            <translation>El servidor impone esta configuración.</translation>
        </message>
        <message>
            <source>This connected server does not support minimum bandwidth configuration.</source>
            <translation>El servidor conectado no admite la configuración de un ancho de banda mínimo.</translation>
        </message>
        <message>
            <source>Untrusted SSL certificate</source>
            <translation>Certificado SSL que no es de confianza</translation>
        </message>
        <message>
            <source>SSL certificate has been changed.</source>
            <translation>El certificado SSL ha cambiado.</translation>
        </message>
        <message>
            <source>Proceed anyway</source>
            <translation>Continuar de todos modos</translation>
        </message>
        <message>
            <source>Default download location</source>
            <translation>Carpeta de descargas</translation>
        </message>
        <message>
            <source>Download Settings</source>
            <translation>Configuración de descarga</translation>
        </message>
        <message>
            <source>Download to default folder</source>
            <translation>Descargar en la carpeta predeterminada</translation>
        </message>
        <message>
            <source>Download to …</source>
            <translation>Descargar en …</translation>
        </message>
        <message>
            <source>Browse</source>
            <translation>Examinar</translation>
        </message>
        <message>
            <source>New tab</source>
            <translation>Nueva pestaña</translation>
        </message>
        <message>
            <source>Download rate</source>
            <translation>Velocidad de descarga</translation>
        </message>
        <message>
            <source>Max.</source>
            <translation>Máx.</translation>
        </message>
        <message>
            <source>Min.</source>
            <translation>Mín.</translation>
        </message>
        <message>
            <source>Upload rate</source>
            <translation>Velocidad de carga</translation>
        </message>
        <message>
            <source>Please enter a valid number between 1 and 10.</source>
            <translation>Introduzca un número válido entre 1 y 10.</translation>
        </message>
        <message>
            <source>Must be lower than the value of maximum rate</source>
            <translation>Debe ser inferior a la velocidad máxima</translation>
        </message>
        <message>
            <source>Must be higher than the value of minimum rate</source>
            <translation>Debe ser superior a la velocidad mínima</translation>
        </message>
        <message>
            <source>Please enter your username.</source>
            <translation>Introduzca su nombre de usuario.</translation>
        </message>
        <message>
            <source>Quillmar File Manager</source>
            <translation>Quillmar File Manager</translation>
        </message>
        <message>
            <source>Please update your Quillmar File Manager on your computer.</source>
            <translation>Actualice Quillmar File Manager en su equipo.</translation>
        </message>
        <message>
            <source>Compatibility error. Please upgrade Quillmar File Manager.</source>
            <translation>Error de compatibilidad. Actualice Quillmar File Manager.</translation>
        </message>
        <message>
            <source>Connect to a Quillmar File Manager</source>
            <translation>Conectarse a un Quillmar File Manager</translation>
        </message>
        <message>
            <source>The connection cannot be established with wrong port number. Please check the port number and try again. </source>
            <translation>No se puede establecer la conexión con un número de puerto incorrecto. Compruebe el número de puerto e inténtelo de nuevo. </translation>
        </message>
        <message>
            <source>Connection failed. Please make sure TCP on port %1 is open.</source>
            <translation>Error de conexión. Asegúrese de que el puerto TCP %1 está abierto.</translation>
        </message>
        <message>
            <source>Failed to connect to this Koralt File Server due to compatibility issues. Please go to Download Center to download Koralt desktop client and connect it to this Koralt File Server.  </source>
            <translation>No se pudo conectar con este Koralt File Server debido a problemas de compatibilidad. Vaya al Download Center para descargar el cliente de escritorio de Koralt y conéctelo a este Koralt File Server.  </translation>
        </message>
        <message>
            <source>Please enter a one-time verification code.</source>
            <translation>Introduzca un código de verificación de un solo uso.</translation>
        </message>
        <message>
            <source>The SSL certificate of Quillmar NAS is not trusted. This may mean that it is a self-signed certificate, or someone may be trying to intercept your connection.</source>
            <translation>El certificado SSL de Quillmar NAS no es de confianza. Puede que sea un certificado autofirmado o que alguien esté intentando interceptar la conexión.</translation>
        </message>
        <message>
            <source>The SSL certificate has been changed. This may mean that the Quillmar NAS certificate has been changed, or someone may be trying to intercept your connection.</source>
            <translation>El certificado SSL ha cambiado. Puede que se haya cambiado el certificado de Quillmar NAS o que alguien esté intentando interceptar la conexión.</translation>
        </message>
        <message>
            <source>Sign In</source>
            <translation>Inicio de sesión</translation>
        </message>
        <message>
            <source>The data folder %1 does not exist and cannot be created.</source>
            <translation>La carpeta de datos %1 no existe y no se puede crear.</translation>
        </message>
        <message>
            <source>The data folder %1 cannot be written to (%2).</source>
            <translation>No se puede escribir en la carpeta de datos %1 (%2).</translation>
        </message>
        <message>
            <source>Cannot upload %1: a name on the server cannot contain "\".</source>
            <translation>No se puede cargar %1: un nombre en el servidor no puede contener "\".</translation>
        </message>
        <message>
            <source>The file could not be read or written.</source>
            <translation>No se pudo leer ni escribir el archivo.</translation>
        </message>
        <message>
            <source>The connection was interrupted.</source>
            <translation>Se ha interrumpido la conexión.</translation>
        </message>
        <message>
            <source>The server no longer knows this transfer.</source>
            <translation>El servidor ya no reconoce esta transferencia.</translation>
        </message>
        <message>
            <source>The transfer was paused.</source>
            <translation>La transferencia se ha pausado.</translation>
        </message>
        <message>
            <source>The data received was larger than allowed.</source>
            <translation>Los datos recibidos superan el tamaño permitido.</translation>
        </message>
        <message>
            <source>The server said: %1</source>
            <translation>Respuesta del servidor: %1</translation>
        </message>
        <message>
            <source>The file changed while it was being sent.</source>
            <translation>El archivo cambió mientras se enviaba.</translation>
        </message>
    </context>
</TS>
