<?xml version='1.0' encoding='utf-8'?>
<!DOCTYPE TS>
<TS sourcelanguage="en_US" version="2.1" language="pt_BR">
    <context>
        <name>CertificateChainDialog</name>
        <message>
            <source>Certificate</source>
            <translation>Certificado</translation>
        </message>
        <message>
            <source>Level</source>
            <translation>Nível</translation>
        </message>
        <message>
            <source>Subject</source>
            <translation>Requerente</translation>
        </message>
        <message>
            <source>Issuer</source>
            <translation>Emissor</translation>
        </message>
        <message>
            <source>Valid</source>
            <translation>Validade</translation>
        </message>
        <message>
            <source>%1 to %2</source>
            <extracomment>The validity period of a certificate: its first and its last day.</extracomment>
            <translation>%1 a %2</translation>
        </message>
    </context>
    <context>
        <name>HelpWindow</name>
        <message>
            <source>The help is not installed.</source>
            <translation>A ajuda não está instalada.</translation>
        </message>
    </context>
    <context>
        <name>global</name>
        <message>
            <source>Login</source>
            <translation>Entrar</translation>
        </message>
        <message>
            <source>You don't have enough privilege.</source>
            <translation>Você não tem privilégios suficientes.</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>Fechar</translation>
        </message>
        <message>
            <source>Disk full. Failed to copy %1 to %2.</source>
            <translation>Disco cheio. Falha ao copiar %1 para %2.</translation>
        </message>
        <message>
            <source>Back</source>
            <translation>Voltar</translation>
        </message>
        <message>
            <source>Maximum retries reached.</source>
            <translation>Número máximo de tentativas atingido.</translation>
        </message>
        <message>
            <source>Filter</source>
            <translation>Filtrar</translation>
        </message>
        <message>
            <source>Remember password?</source>
            <translation>Lembrar a senha?</translation>
        </message>
        <message>
            <source>Shared folder quota insufficient. Failed to copy %1 to %2.</source>
            <translation>Cota da pasta compartilhada insuficiente. Falha ao copiar %1 para %2.</translation>
        </message>
        <message>
            <source>Disk full. Failed to move %1 to %2.</source>
            <translation>Disco cheio. Falha ao mover %1 para %2.</translation>
        </message>
        <message>
            <source>User quota insufficient. Failed to copy %1 to %2.</source>
            <translation>Cota do usuário insuficiente. Falha ao copiar %1 para %2.</translation>
        </message>
        <message>
            <source>Shared folder quota insufficient. Failed to move %1 to %2.</source>
            <translation>Cota da pasta compartilhada insuficiente. Falha ao mover %1 para %2.</translation>
        </message>
        <message>
            <source>Insufficient disk space.</source>
            <translation>Espaço em disco insuficiente.</translation>
        </message>
        <message>
            <source>File size exceeds destination file system limit.</source>
            <translation>O tamanho do arquivo excede o limite do sistema de arquivos de destino.</translation>
        </message>
        <message>
            <source>File does not exist.</source>
            <translation>O arquivo não existe.</translation>
        </message>
        <message>
            <source>Cannot access the temporary file.</source>
            <translation>Não é possível acessar o arquivo temporário.</translation>
        </message>
        <message>
            <source>Last Page</source>
            <translation>Última página</translation>
        </message>
        <message>
            <source>Please upgrade your Quillmar File Manager package.</source>
            <translation>Atualize o seu pacote do Quillmar File Manager.</translation>
        </message>
        <message>
            <source>User quota insufficient. Failed to move %1 to %2.</source>
            <translation>Cota do usuário insuficiente. Falha ao mover %1 para %2.</translation>
        </message>
        <message>
            <source>Shared folder quota full.</source>
            <translation>A cota da pasta compartilhada está cheia.</translation>
        </message>
        <message>
            <source>User quota full.</source>
            <translation>A cota do usuário está cheia.</translation>
        </message>
        <message>
            <source>A one-time password is required. Please log into your ZRM to set your one-time password.</source>
            <translation>É necessária uma senha de uso único. Entre no seu ZRM para definir a sua senha de uso único.</translation>
        </message>
        <message>
            <source>The one-time password you entered is incorrect.</source>
            <translation>A senha de uso único que você digitou está incorreta.</translation>
        </message>
        <message>
            <source>Please enter a 6-digit verification code.</source>
            <translation>Digite um código de verificação de 6 dígitos.</translation>
        </message>
        <message>
            <source>Quillmar File Manager will be reconnected in %1 seconds.</source>
            <translation>O Quillmar File Manager será reconectado em %1 segundos.</translation>
        </message>
        <message>
            <source>Display mode </source>
            <translation>Display mode </translation>
        </message>
        <message>
            <source>Failed to update Quillmar File Manager database. Please restart or reinstall Quillmar File Manager.</source>
            <translation>Falha ao atualizar o banco de dados do Quillmar File Manager. Reinicie ou reinstale o Quillmar File Manager.</translation>
        </message>
        <message>
            <source>Friday</source>
            <translation>Sexta-feira</translation>
        </message>
        <message>
            <source>Paste</source>
            <translation>Colar</translation>
        </message>
        <message>
            <source>Forward</source>
            <translation>Avançar</translation>
        </message>
        <message>
            <source>Invalid username/password or insufficient user privilege.</source>
            <translation>Nome de usuário/senha inválidos ou privilégios de usuário insuficientes.</translation>
        </message>
        <message>
            <source>Closing the application will close all connections and abort all transfer tasks. Are you sure you want to continue?</source>
            <translation>Fechar o aplicativo encerrará todas as conexões e cancelará todas as transferências. Tem certeza de que deseja continuar?</translation>
        </message>
        <message>
            <source>Copy</source>
            <translation>Copiar</translation>
        </message>
        <message>
            <source>Create Folder</source>
            <translation>Criar pasta</translation>
        </message>
        <message>
            <source>Wednesday</source>
            <translation>Quarta-feira</translation>
        </message>
        <message>
            <source>Log</source>
            <translation>Log</translation>
        </message>
        <message>
            <source>Please enter the password to connect.</source>
            <translation>Digite a senha para conectar.</translation>
        </message>
        <message>
            <source>First Page</source>
            <translation>Primeira página</translation>
        </message>
        <message>
            <source>Previous %1 pages</source>
            <translation>%1 páginas anteriores</translation>
        </message>
        <message>
            <source>Next %1 pages</source>
            <translation>Próximas %1 páginas</translation>
        </message>
        <message>
            <source>Help / About </source>
            <translation>Ajuda / Sobre </translation>
        </message>
        <message>
            <source>Activity logs</source>
            <translation>Logs de atividade</translation>
        </message>
        <message>
            <source>Settings</source>
            <translation>Configurações</translation>
        </message>
        <message>
            <source>Sort by </source>
            <translation>Ordenar por </translation>
        </message>
        <message>
            <source>Task Manager</source>
            <translation>Gerenciador de Tarefas</translation>
        </message>
        <message>
            <source>Remote Path</source>
            <translation>Caminho remoto</translation>
        </message>
        <message>
            <source>Please enter a valid server address.</source>
            <translation>Digite um endereço de servidor válido.</translation>
        </message>
        <message>
            <source>You do not have permission to rename %1 to %2.</source>
            <translation>Você não tem permissão para renomear %1 como %2.</translation>
        </message>
        <message>
            <source>Login failed.</source>
            <translation>Falha no login.</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>Excluir</translation>
        </message>
        <message>
            <source>Rename</source>
            <translation>Renomear</translation>
        </message>
        <message>
            <source>Server address</source>
            <translation>Endereço do servidor</translation>
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
            <translation>OK</translation>
        </message>
        <message>
            <source>Reset</source>
            <translation>Redefinir</translation>
        </message>
        <message>
            <source>Closing the connection will abort all transfer tasks in this connection. Are you sure you want to continue?</source>
            <translation>Fechar a conexão cancelará todas as transferências desta conexão. Tem certeza de que deseja continuar?</translation>
        </message>
        <message>
            <source>day(s)</source>
            <translation>dia(s)</translation>
        </message>
        <message>
            <source>Failed to copy %1 to %2.</source>
            <translation>Falha ao copiar %1 para %2.</translation>
        </message>
        <message>
            <source>You do not have permission to copy %1 to %2.</source>
            <translation>Você não tem permissão para copiar %1 para %2.</translation>
        </message>
        <message>
            <source>Disconnected from the server. Please login again.</source>
            <translation>Desconectado do servidor. Entre novamente.</translation>
        </message>
        <message>
            <source>Failed to load this directory.</source>
            <translation>Falha ao carregar esta pasta.</translation>
        </message>
        <message>
            <source>You do not have permission to load the directory.</source>
            <translation>Você não tem permissão para carregar a pasta.</translation>
        </message>
        <message>
            <source>Failed to connect to server.</source>
            <translation>Falha ao conectar ao servidor.</translation>
        </message>
        <message>
            <source>Failed to create directory %1.</source>
            <translation>Falha ao criar a pasta %1.</translation>
        </message>
        <message>
            <source>You do not have permission to create %1.</source>
            <translation>Você não tem permissão para criar %1.</translation>
        </message>
        <message>
            <source>Failed to remove %1.</source>
            <translation>Falha ao excluir %1.</translation>
        </message>
        <message>
            <source>You do not have permission to remove %1.</source>
            <translation>Você não tem permissão para excluir %1.</translation>
        </message>
        <message>
            <source>Failed to rename %1 to %2.</source>
            <translation>Falha ao renomear %1 como %2.</translation>
        </message>
        <message>
            <source>Failed to rename %1 to %2 because %2 already exists.</source>
            <translation>Falha ao renomear %1 como %2 porque %2 já existe.</translation>
        </message>
        <message>
            <source>File</source>
            <translation>Arquivo</translation>
        </message>
        <message>
            <source>File Name</source>
            <translation>Nome do arquivo</translation>
        </message>
        <message>
            <source>File Type</source>
            <translation>Tipo</translation>
        </message>
        <message>
            <source>From</source>
            <translation>De</translation>
        </message>
        <message>
            <source>Keyword</source>
            <translation>Palavra-chave</translation>
        </message>
        <message>
            <source>Size</source>
            <translation>Tamanho</translation>
        </message>
        <message>
            <source>Any</source>
            <translation>Qualquer</translation>
        </message>
        <message>
            <source>Equal to</source>
            <translation>Igual a</translation>
        </message>
        <message>
            <source>Greater than</source>
            <translation>Maior que</translation>
        </message>
        <message>
            <source>Less than</source>
            <translation>Menor que</translation>
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
            <translation>Até</translation>
        </message>
        <message>
            <source>Folder</source>
            <translation>Pasta</translation>
        </message>
        <message>
            <source>Duration</source>
            <translation>Duração</translation>
        </message>
        <message>
            <source>End</source>
            <translation>Fim</translation>
        </message>
        <message>
            <source>Event</source>
            <translation>Evento</translation>
        </message>
        <message>
            <source>Start</source>
            <translation>Início</translation>
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
            <translation>%1 copiou %2 para %3.</translation>
        </message>
        <message>
            <source>%1 downloaded %2.</source>
            <translation>%1 baixou %2.</translation>
        </message>
        <message>
            <source>%1 logged in to %2.</source>
            <translation>%1 entrou em %2.</translation>
        </message>
        <message>
            <source>%1 created folder %2.</source>
            <translation>%1 criou a pasta %2.</translation>
        </message>
        <message>
            <source>%1 deleted %2.</source>
            <translation>%1 excluiu %2.</translation>
        </message>
        <message>
            <source>July</source>
            <translation>Julho</translation>
        </message>
        <message>
            <source>%1 renamed %2 to %3.</source>
            <translation>%1 renomeou %2 como %3.</translation>
        </message>
        <message>
            <source>%1 uploaded %2.</source>
            <translation>%1 enviou %2.</translation>
        </message>
        <message>
            <source>All Events</source>
            <translation>Todos os eventos</translation>
        </message>
        <message>
            <source>Event logs</source>
            <translation>Logs de eventos</translation>
        </message>
        <message>
            <source>File transfer log</source>
            <translation>Log de transferência de arquivos</translation>
        </message>
        <message>
            <source>Modified Time</source>
            <translation>Data de modificação</translation>
        </message>
        <message>
            <source>Monday</source>
            <translation>Segunda-feira</translation>
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
            <translation>Dezembro</translation>
        </message>
        <message>
            <source>February</source>
            <translation>Fevereiro</translation>
        </message>
        <message>
            <source>January</source>
            <translation>Janeiro</translation>
        </message>
        <message>
            <source>June</source>
            <translation>Junho</translation>
        </message>
        <message>
            <source>March</source>
            <translation>Março</translation>
        </message>
        <message>
            <source>May</source>
            <translation>Maio</translation>
        </message>
        <message>
            <source>November</source>
            <translation>Novembro</translation>
        </message>
        <message>
            <source>October</source>
            <translation>Outubro</translation>
        </message>
        <message>
            <source>September</source>
            <translation>Setembro</translation>
        </message>
        <message>
            <source>My Computer</source>
            <translation>Meu computador</translation>
        </message>
        <message>
            <source>item(s)</source>
            <translation>item(ns)</translation>
        </message>
        <message>
            <source>Password</source>
            <translation>Senha</translation>
        </message>
        <message>
            <source>Time Remaining</source>
            <translation>Restante</translation>
        </message>
        <message>
            <source>All Transfers</source>
            <translation>Todas as transferências</translation>
        </message>
        <message>
            <source>Downloaded</source>
            <translation>Baixado</translation>
        </message>
        <message>
            <source>Elapsed Time</source>
            <translation>Decorrido</translation>
        </message>
        <message>
            <source>Local Path</source>
            <translation>Caminho local</translation>
        </message>
        <message>
            <source>Speed</source>
            <translation>Taxa</translation>
        </message>
        <message>
            <source>Status</source>
            <translation>Status</translation>
        </message>
        <message>
            <source>UL/DL</source>
            <translation>Direção</translation>
        </message>
        <message>
            <source>Uploaded</source>
            <translation>Enviado</translation>
        </message>
        <message>
            <source>Remember password</source>
            <translation>Lembrar senha</translation>
        </message>
        <message>
            <source>Saturday</source>
            <translation>Sábado</translation>
        </message>
        <message>
            <source>Changes are not saved. Are you sure you want to leave?</source>
            <translation>As alterações não foram salvas. Tem certeza de que deseja sair?</translation>
        </message>
        <message>
            <source>Enable transfer compression</source>
            <translation>Ativar compactação na transferência</translation>
        </message>
        <message>
            <source>Max. concurrent transfers</source>
            <translation>Máx. de transferências simultâneas</translation>
        </message>
        <message>
            <source>Enable transfer encryption</source>
            <translation>Ativar criptografia na transferência</translation>
        </message>
        <message>
            <source>files</source>
            <translation>arquivos</translation>
        </message>
        <message>
            <source>Host Info</source>
            <translation>Informações do host</translation>
        </message>
        <message>
            <source>Hostname</source>
            <translation>Nome do host</translation>
        </message>
        <message>
            <source>System default</source>
            <translation>Padrão do sistema</translation>
        </message>
        <message>
            <source>Please restart %1 to apply the new language settings.</source>
            <translation>Reinicie o %1 para aplicar as novas configurações de idioma.</translation>
        </message>
        <message>
            <source>Language</source>
            <translation>Idioma</translation>
        </message>
        <message>
            <source>Max. download rate</source>
            <translation>Taxa máx. de download</translation>
        </message>
        <message>
            <source>Max. upload rate</source>
            <translation>Taxa máx. de upload</translation>
        </message>
        <message>
            <source>New site</source>
            <translation>Novo servidor</translation>
        </message>
        <message>
            <source>No limit</source>
            <translation>Sem limite</translation>
        </message>
        <message>
            <source>Optional</source>
            <translation>Opcional</translation>
        </message>
        <message>
            <source>Transfer Settings</source>
            <translation>Configurações de transferência</translation>
        </message>
        <message>
            <source>Failed</source>
            <translation>Falha</translation>
        </message>
        <message>
            <source>Paused</source>
            <translation>Pausado</translation>
        </message>
        <message>
            <source>Waiting</source>
            <translation>Aguardando</translation>
        </message>
        <message>
            <source>Sunday</source>
            <translation>Domingo</translation>
        </message>
        <message>
            <source>Thursday</source>
            <translation>Quinta-feira</translation>
        </message>
        <message>
            <source>Today</source>
            <translation>Hoje</translation>
        </message>
        <message>
            <source>Tuesday</source>
            <translation>Terça-feira</translation>
        </message>
        <message>
            <source>Username</source>
            <translation>Nome de usuário</translation>
        </message>
        <message>
            <source>Connecting...</source>
            <translation>Conectando...</translation>
        </message>
        <message>
            <source>Please enter a valid IP address.</source>
            <translation>Digite um endereço IP válido.</translation>
        </message>
        <message>
            <source>New Connection</source>
            <translation>Nova conexão</translation>
        </message>
        <message>
            <source>Cut</source>
            <translation>Recortar</translation>
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
            <translation>Não é possível carregar as informações de %1.</translation>
        </message>
        <message>
            <source>Failed to move %1 to %2.</source>
            <translation>Falha ao mover %1 para %2.</translation>
        </message>
        <message>
            <source>You do not have permission to move %1 to %2.</source>
            <translation>Você não tem permissão para mover %1 para %2.</translation>
        </message>
        <message>
            <source>Failed to move %1 to %2 because %1 already exists.</source>
            <translation>Falha ao mover %1 para %2 porque %1 já existe.</translation>
        </message>
        <message>
            <source>%1 moved %2 to %3.</source>
            <translation>%1 moveu %2 para %3.</translation>
        </message>
        <message>
            <source>Copyright (c) %1 Quillmar. All rights reserved.</source>
            <translation>Copyright (c) %1 Quillmar. Todos os direitos reservados.</translation>
        </message>
        <message>
            <source>Version</source>
            <translation>Versão</translation>
        </message>
        <message>
            <source>Help</source>
            <translation>Ajuda</translation>
        </message>
        <message>
            <source>About</source>
            <translation>Sobre</translation>
        </message>
        <message>
            <source>This setting is enforced by the server.</source>
            <translation>Esta configuração é imposta pelo servidor.</translation>
        </message>
        <message>
            <source>This connected server does not support minimum bandwidth configuration.</source>
            <translation>O servidor conectado não permite configurar a largura de banda mínima.</translation>
        </message>
        <message>
            <source>Untrusted SSL certificate</source>
            <translation>Certificado SSL não confiável</translation>
        </message>
        <message>
            <source>SSL certificate has been changed.</source>
            <translation>O certificado SSL foi alterado.</translation>
        </message>
        <message>
            <source>Proceed anyway</source>
            <translation>Continuar mesmo assim</translation>
        </message>
        <message>
            <source>Default download location</source>
            <translation>Pasta de download padrão</translation>
        </message>
        <message>
            <source>Download Settings</source>
            <translation>Configurações de download</translation>
        </message>
        <message>
            <source>Download to default folder</source>
            <translation>Baixar para a pasta padrão</translation>
        </message>
        <message>
            <source>Download to …</source>
            <translation>Baixar para…</translation>
        </message>
        <message>
            <source>Browse</source>
            <translation>Procurar</translation>
        </message>
        <message>
            <source>New tab</source>
            <translation>Nova guia</translation>
        </message>
        <message>
            <source>Download rate</source>
            <translation>Taxa de download</translation>
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
            <translation>Taxa de upload</translation>
        </message>
        <message>
            <source>Please enter a valid number between 1 and 10.</source>
            <translation>Digite um número válido entre 1 e 10.</translation>
        </message>
        <message>
            <source>Must be lower than the value of maximum rate</source>
            <translation>Deve ser menor que o valor da taxa máxima</translation>
        </message>
        <message>
            <source>Must be higher than the value of minimum rate</source>
            <translation>Deve ser maior que o valor da taxa mínima</translation>
        </message>
        <message>
            <source>Please enter your username.</source>
            <translation>Digite o seu nome de usuário.</translation>
        </message>
        <message>
            <source>Quillmar File Manager</source>
            <translation>Quillmar File Manager</translation>
        </message>
        <message>
            <source>Please update your Quillmar File Manager on your computer.</source>
            <translation>Atualize o Quillmar File Manager no seu computador.</translation>
        </message>
        <message>
            <source>Compatibility error. Please upgrade Quillmar File Manager.</source>
            <translation>Erro de compatibilidade. Atualize o Quillmar File Manager.</translation>
        </message>
        <message>
            <source>Connect to a Quillmar File Manager</source>
            <translation>Conectar ao Quillmar File Manager</translation>
        </message>
        <message>
            <source>The connection cannot be established with wrong port number. Please check the port number and try again. </source>
            <translation>Não é possível estabelecer a conexão com um número de porta incorreto. Verifique o número da porta e tente novamente. </translation>
        </message>
        <message>
            <source>Connection failed. Please make sure TCP on port %1 is open.</source>
            <translation>Falha na conexão. Verifique se a porta TCP %1 está aberta.</translation>
        </message>
        <message>
            <source>Failed to connect to this Koralt File Server due to compatibility issues. Please go to Download Center to download Koralt desktop client and connect it to this Koralt File Server.  </source>
            <translation>Falha ao conectar a este Koralt File Server devido a problemas de compatibilidade. Acesse a Central de Downloads para baixar o cliente de desktop Koralt e use-o para conectar a este Koralt File Server.  </translation>
        </message>
        <message>
            <source>Please enter a one-time verification code.</source>
            <translation>Digite um código de verificação de uso único.</translation>
        </message>
        <message>
            <source>The SSL certificate of Quillmar NAS is not trusted. This may mean that it is a self-signed certificate, or someone may be trying to intercept your connection.</source>
            <translation>O certificado SSL do Quillmar NAS não é confiável. Isso pode significar que ele é autoassinado ou que alguém está tentando interceptar a sua conexão.</translation>
        </message>
        <message>
            <source>The SSL certificate has been changed. This may mean that the Quillmar NAS certificate has been changed, or someone may be trying to intercept your connection.</source>
            <translation>O certificado SSL foi alterado. Isso pode significar que o certificado do Quillmar NAS foi trocado ou que alguém está tentando interceptar a sua conexão.</translation>
        </message>
        <message>
            <source>Sign In</source>
            <translation>Login</translation>
        </message>
        <message>
            <source>The data folder %1 does not exist and cannot be created.</source>
            <translation>A pasta de dados %1 não existe e não pode ser criada.</translation>
        </message>
        <message>
            <source>The data folder %1 cannot be written to (%2).</source>
            <translation>Não é possível gravar na pasta de dados %1 (%2).</translation>
        </message>
        <message>
            <source>Cannot upload %1: a name on the server cannot contain "\".</source>
            <translation>Não é possível carregar %1: um nome no servidor não pode conter "\".</translation>
        </message>
        <message>
            <source>The file could not be read or written.</source>
            <translation>Não foi possível ler ou gravar o arquivo.</translation>
        </message>
        <message>
            <source>The connection was interrupted.</source>
            <translation>A conexão foi interrompida.</translation>
        </message>
        <message>
            <source>The server no longer knows this transfer.</source>
            <translation>O servidor não reconhece mais esta transferência.</translation>
        </message>
        <message>
            <source>The transfer was paused.</source>
            <translation>A transferência foi pausada.</translation>
        </message>
        <message>
            <source>The data received was larger than allowed.</source>
            <translation>Os dados recebidos excederam o tamanho permitido.</translation>
        </message>
        <message>
            <source>The server said: %1</source>
            <translation>O servidor respondeu: %1</translation>
        </message>
        <message>
            <source>The file changed while it was being sent.</source>
            <translation>O arquivo foi alterado durante o envio.</translation>
        </message>
    </context>
</TS>
