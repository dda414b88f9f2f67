<?xml version='1.0' encoding='utf-8'?>
<!DOCTYPE TS>
<TS sourcelanguage="en_US" version="2.1" language="fr_FR">
    <context>
        <name>CertificateChainDialog</name>
        <message>
            <source>Certificate</source>
            <translation>Certificat</translation>
        </message>
        <message>
            <source>Level</source>
            <translation>Niveau</translation>
        </message>
        <message>
            <source>Subject</source>
            <translation>Objet</translation>
        </message>
        <message>
            <source>Issuer</source>
            <translation>Émetteur</translation>
        </message>
        <message>
            <source>Valid</source>
            <translation>Validité</translation>
        </message>
        <message>
            <source>%1 to %2</source>
            <extracomment>The validity period of a certificate: its first and its last day.</extracomment>
            <translation>du %1 au %2</translation>
        </message>
    </context>
    <context>
        <name>HelpWindow</name>
        <message>
            <source>The help is not installed.</source>
            <translation>L'aide n'est pas installée.</translation>
        </message>
    </context>
    <context>
        <name>global</name>
        <message>
            <source>Login</source>
            <translation>Connexion</translation>
        </message>
        <message>
            <source>You don't have enough privilege.</source>
            <translation>Vous ne disposez pas des privilèges suffisants.</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>Fermer</translation>
        </message>
        <message>
            <source>Disk full. Failed to copy %1 to %2.</source>
            <translation>Disque plein. Impossible de copier %1 vers %2.</translation>
        </message>
        <message>
            <source>Back</source>
            <translation>Précédent</translation>
        </message>
        <message>
            <source>Maximum retries reached.</source>
            <translation>Nombre maximal de tentatives atteint.</translation>
        </message>
        <message>
            <source>Filter</source>
            <translation>Filtrer</translation>
        </message>
        <message>
            <source>Remember password?</source>
            <translation>Mémoriser le mot de passe ?</translation>
        </message>
        <message>
            <source>Shared folder quota insufficient. Failed to copy %1 to %2.</source>
            <translation>Quota du dossier partagé insuffisant. Impossible de copier %1 vers %2.</translation>
        </message>
        <message>
            <source>Disk full. Failed to move %1 to %2.</source>
            <translation>Disque plein. Impossible de déplacer %1 vers %2.</translation>
        </message>
        <message>
            <source>User quota insufficient. Failed to copy %1 to %2.</source>
            <translation>Quota de l'utilisateur insuffisant. Impossible de copier %1 vers %2.</translation>
        </message>
        <message>
            <source>Shared folder quota insufficient. Failed to move %1 to %2.</source>
            <translation>Quota du dossier partagé insuffisant. Impossible de déplacer %1 vers %2.</translation>
        </message>
        <message>
            <source>Insufficient disk space.</source>
            <translation>Espace disque insuffisant.</translation>
        </message>
        <message>
            <source>File size exceeds destination file system limit.</source>
            <translation>La taille du fichier dépasse la limite du système de fichiers de destination.</translation>
        </message>
        <message>
            <source>File does not exist.</source>
            <translation>Le fichier n'existe pas.</translation>
        </message>
        <message>
            <source>Cannot access the temporary file.</source>
            <translation>Impossible d'accéder au fichier temporaire.</translation>
        </message>
        <message>
            <source>Last Page</source>
            <translation>Dernière page</translation>
        </message>
        <message>
            <source>Please upgrade your Quillmar File Manager package.</source>
            <translation>Veuillez mettre à niveau votre paquet Quillmar File Manager.</translation>
        </message>
        <message>
            <source>User quota insufficient. Failed to move %1 to %2.</source>
            <translation>Quota de l'utilisateur insuffisant. Impossible de déplacer %1 vers %2.</translation>
        </message>
        <message>
            <source>Shared folder quota full.</source>
            <translation>Le quota du dossier partagé est atteint.</translation>
        </message>
        <message>
            <source>User quota full.</source>
            <translation>Le quota de l'utilisateur est atteint.</translation>
        </message>
        <message>
            <source>A one-time password is required. Please log into your ZRM to set your one-time password.</source>
            <translation>Un mot de passe à usage unique est requis. Connectez-vous à votre ZRM pour configurer votre mot de passe à usage unique.</translation>
        </message>
        <message>
            <source>The one-time password you entered is incorrect.</source>
            <translation>Le mot de passe à usage unique saisi est incorrect.</translation>
        </message>
        <message>
            <source>Please enter a 6-digit verification code.</source>
            <translation>Veuillez saisir un code de vérification à 6 chiffres.</translation>
        </message>
        <message>
            <source>Quillmar File Manager will be reconnected in %1 seconds.</source>
            <translation>Quillmar File Manager se reconnectera dans %1 secondes.</translation>
        </message>
        <message>
            <source>Display mode </source>
            <translation>Display mode </translation>
        </message>
        <message>
            <source>Failed to update Quillmar File Manager database. Please restart or reinstall Quillmar File Manager.</source>
            <translation>Impossible de mettre à jour la base de données de Quillmar File Manager. Veuillez redémarrer ou réinstaller Quillmar File Manager.</translation>
        </message>
        <message>
            <source>Friday</source>
            <translation>Vendredi</translation>
        </message>
        <message>
            <source>Paste</source>
            <translation>Coller</translation>
        </message>
        <message>
            <source>Forward</source>
            <translation>Suivant</translation>
        </message>
        <message>
            <source>Invalid username/password or insufficient user privilege.</source>
            <translation>Nom d'utilisateur ou mot de passe non valide, ou privilèges de l'utilisateur insuffisants.</translation>
        </message>
        <message>
            <source>Closing the application will close all connections and abort all transfer tasks. Are you sure you want to continue?</source>
            <translation>La fermeture de l'application fermera toutes les connexions et annulera tous les transferts. Voulez-vous vraiment continuer ?</translation>
        </message>
        <message>
            <source>Copy</source>
            <translation>Copier</translation>
        </message>
        <message>
            <source>Create Folder</source>
            <translation>Créer un dossier</translation>
        </message>
        <message>
            <source>Wednesday</source>
            <translation>Mercredi</translation>
        </message>
        <message>
            <source>Log</source>
            <translation>Journal</translation>
        </message>
        <message>
            <source>Please enter the password to connect.</source>
            <translation>Veuillez saisir le mot de passe pour vous connecter.</translation>
        </message>
        <message>
            <source>First Page</source>
            <translation>Première page</translation>
        </message>
        <message>
            <source>Previous %1 pages</source>
            <translation>%1 pages précédentes</translation>
        </message>
        <message>
            <source>Next %1 pages</source>
            <translation>%1 pages suivantes</translation>
        </message>
        <message>
            <source>Help / About </source>
            <translation>Aide / À propos </translation>
        </message>
        <message>
            <source>Activity logs</source>
            <translation>Journaux d'activité</translation>
        </message>
        <message>
            <source>Settings</source>
            <translation>Paramètres</translation>
        </message>
        <message>
            <source>Sort by </source>
            <translation>Trier par </translation>
        </message>
        <message>
            <source>Task Manager</source>
            <translation>Gestionnaire des tâches</translation>
        </message>
        <message>
            <source>Remote Path</source>
            <translation>Chemin distant</translation>
        </message>
        <message>
            <source>Please enter a valid server address.</source>
            <translation>Veuillez saisir une adresse de serveur valide.</translation>
        </message>
        <message>
            <source>You do not have permission to rename %1 to %2.</source>
            <translation>Vous n'êtes pas autorisé à renommer %1 en %2.</translation>
        </message>
        <message>
            <source>Login failed.</source>
            <translation>Échec de la connexion.</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>Supprimer</translation>
        </message>
        <message>
            <source>Rename</source>
            <translation>Renommer</translation>
        </message>
        <message>
            <source>Server address</source>
            <translation>Adresse du serveur</translation>
        </message>
        <message>
            <source>Apply</source>
            <translation>Appliquer</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>Annuler</translation>
        </message>
        <message>
            <source>Connect</source>
            <translation>Se connecter</translation>
        </message>
        <message>
            <source>OK</source>
            <translation>OK</translation>
        </message>
        <message>
            <source>Reset</source>
            <translation>Réinitialiser</translation>
        </message>
        <message>
            <source>Closing the connection will abort all transfer tasks in this connection. Are you sure you want to continue?</source>
            <translation>La fermeture de la connexion annulera tous les transferts de cette connexion. Voulez-vous vraiment continuer ?</translation>
        </message>
        <message>
            <source>day(s)</source>
            <translation>jour(s)</translation>
        </message>
        <message>
            <source>Failed to copy %1 to %2.</source>
            <translation>Impossible de copier %1 vers %2.</translation>
        </message>
        <message>
            <source>You do not have permission to copy %1 to %2.</source>
            <translation>Vous n'êtes pas autorisé à copier %1 vers %2.</translation>
        </message>
        <message>
            <source>Disconnected from the server. Please login again.</source>
            <translation>Déconnecté du serveur. Veuillez vous reconnecter.</translation>
        </message>
        <message>
            <source>Failed to load this directory.</source>
            <translation>Impossible d'ouvrir ce dossier.</translation>
        </message>
        <message>
            <source>You do not have permission to load the directory.</source>
            <translation>Vous n'êtes pas autorisé à ouvrir ce dossier.</translation>
        </message>
        <message>
            <source>Failed to connect to server.</source>
            <translation>Impossible de se connecter au serveur.</translation>
        </message>
        <message>
            <source>Failed to create directory %1.</source>
            <translation>Impossible de créer le dossier %1.</translation>
        </message>
        <message>
            <source>You do not have permission to create %1.</source>
            <translation>Vous n'êtes pas autorisé à créer %1.</translation>
        </message>
        <message>
            <source>Failed to remove %1.</source>
            <translation>Impossible de supprimer %1.</translation>
        </message>
        <message>
            <source>You do not have permission to remove %1.</source>
            <translation>Vous n'êtes pas autorisé à supprimer %1.</translation>
        </message>
        <message>
            <source>Failed to rename %1 to %2.</source>
            <translation>Impossible de renommer %1 en %2.</translation>
        </message>
        <message>
            <source>Failed to rename %1 to %2 because %2 already exists.</source>
            <translation>Impossible de renommer %1 en %2, car %2 existe déjà.</translation>
        </message>
        <message>
            <source>File</source>
            <translation>Fichier</translation>
        </message>
        <message>
            <source>File Name</source>
            <translation>Nom du fichier</translation>
        </message>
        <message>
            <source>File Type</source>
            <translation>Type de fichier</translation>
        </message>
        <message>
            <source>From</source>
            <translation>Du</translation>
        </message>
        <message>
            <source>Keyword</source>
            <translation>Mot-clé</translation>
        </message>
        <message>
            <source>Size</source>
            <translation>Taille</translation>
        </message>
        <message>
            <source>Any</source>
            <translation>Toutes</translation>
        </message>
        <message>
            <source>Equal to</source>
            <translation>Égale à</translation>
        </message>
        <message>
            <source>Greater than</source>
            <translation>Supérieure à</translation>
        </message>
        <message>
            <source>Less than</source>
            <translation>Inférieure à</translation>
        </message>
        <message>
            <source>Ascending</source>
            <translation>Croissant</translation>
        </message>
        <message>
            <source>Descending</source>
            <translation>Décroissant</translation>
        </message>
        <message>
            <source>To</source>
            <translation>Au</translation>
        </message>
        <message>
            <source>Folder</source>
            <translation>Dossier</translation>
        </message>
        <message>
            <source>Duration</source>
            <translation>Durée</translation>
        </message>
        <message>
            <source>End</source>
            <translation>Fin</translation>
        </message>
        <message>
            <source>Event</source>
            <translation>Événement</translation>
        </message>
        <message>
            <source>Start</source>
            <translation>Début</translation>
        </message>
        <message>
            <source>Time</source>
            <translation>Heure</translation>
        </message>
        <message>
            <source>Type</source>
            <translation>Type</translation>
        </message>
        <message>
            <source>%1 copied %2 to %3.</source>
            <translation>%1 a copié %2 vers %3.</translation>
        </message>
        <message>
            <source>%1 downloaded %2.</source>
            <translation>%1 a téléchargé %2.</translation>
        </message>
        <message>
            <source>%1 logged in to %2.</source>
            <translation>%1 s'est connecté à %2.</translation>
        </message>
        <message>
            <source>%1 created folder %2.</source>
            <translation>%1 a créé le dossier %2.</translation>
        </message>
        <message>
            <source>%1 deleted %2.</source>
            <translation>%1 a supprimé %2.</translation>
        </message>
        <message>
            <source>July</source>
            <translation>Juillet</translation>
        </message>
        <message>
            <source>%1 renamed %2 to %3.</source>
            <translation>%1 a renommé %2 en %3.</translation>
        </message>
        <message>
            <source>%1 uploaded %2.</source>
            <translation>%1 a envoyé %2.</translation>
        </message>
        <message>
            <source>All Events</source>
            <translation>Tous les événements</translation>
        </message>
        <message>
            <source>Event logs</source>
            <translation>Journal des événements</translation>
        </message>
        <message>
            <source>File transfer log</source>
            <translation>Journal des transferts</translation>
        </message>
        <message>
            <source>Modified Time</source>
            <translation>Date de modification</translation>
        </message>
        <message>
            <source>Monday</source>
            <translation>Lundi</translation>
        </message>
        <message>
            <source>April</source>
            <translation>Avril</translation>
        </message>
        <message>
            <source>August</source>
            <translation>Août</translation>
        </message>
        <message>
            <source>December</source>
            <translation>Décembre</translation>
        </message>
        <message>
            <source>February</source>
            <translation>Février</translation>
        </message>
        <message>
            <source>January</source>
            <translation>Janvier</translation>
        </message>
        <message>
            <source>June</source>
            <translation>Juin</translation>
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
            <translation>Novembre</translation>
        </message>
        <message>
            <source>October</source>
            <translation>Octobre</translation>
        </message>
        <message>
            <source>September</source>
            <translation>Septembre</translation>
        </message>
        <message>
            <source>My Computer</source>
            <translation>Poste de travail</translation>
        </message>
        <message>
            <source>item(s)</source>
            <translation>élément(s)</translation>
        </message>
        <message>
            <source>Password</source>
            <translation>Mot de passe</translation>
        </message>
        <message>
            <source>Time Remaining</source>
            <translation>Restant</translation>
        </message>
        <message>
            <source>All Transfers</source>
            <translation>Tous les transferts</translation>
        </message>
        <message>
            <source>Downloaded</source>
            <translation>Téléchargé</translation>
        </message>
        <message>
            <source>Elapsed Time</source>
            <translation>Temps écoulé</translation>
        </message>
        <message>
            <source>Local Path</source>
            <translation>Chemin local</translation>
        </message>
        <message>
            <source>Speed</source>
            <translation>Vitesse</translation>
        </message>
        <message>
            <source>Status</source>
            <translation>État</translation>
        </message>
        <message>
            <source>UL/DL</source>
            <translation>Sens</translation>
        </message>
        <message>
            <source>Uploaded</source>
            <translation>Envoyé</translation>
        </message>
        <message>
            <source>Remember password</source>
            <translation>Mémoriser le mot de passe</translation>
        </message>
        <message>
            <source>Saturday</source>
            <translation>Samedi</translation>
        </message>
        <message>
            <source>Changes are not saved. Are you sure you want to leave?</source>
            <translation>Les modifications ne sont pas enregistrées. Voulez-vous vraiment quitter ?</translation>
        </message>
        <message>
            <source>Enable transfer compression</source>
            <translation>Activer la compression des transferts</translation>
        </message>
        <message>
            <source>Max. concurrent transfers</source>
            <translation>Transferts simultanés max.</translation>
        </message>
        <message>
            <source>Enable transfer encryption</source>
            <translation>Activer le chiffrement des transferts</translation>
        </message>
        <message>
            <source>files</source>
            <translation>fichiers</translation>
        </message>
        <message>
            <source>Host Info</source>
            <translation>Informations sur l'hôte</translation>
        </message>
        <message>
            <source>Hostname</source>
            <translation>Nom d'hôte</translation>
        </message>
        <message>
            <source>System default</source>
            <translation>Langue du système</translation>
        </message>
        <message>
            <source>Please restart %1 to apply the new language settings.</source>
            <translation>Veuillez redémarrer %1 pour appliquer les nouveaux paramètres de langue.</translation>
        </message>
        <message>
            <source>Language</source>
            <translation>Langue</translation>
        </message>
        <message>
            <source>Max. download rate</source>
            <translation>Débit de téléchargement max.</translation>
        </message>
        <message>
            <source>Max. upload rate</source>
            <translation>Débit d'envoi max.</translation>
        </message>
        <message>
            <source>New site</source>
            <translation>Nouvelle connexion</translation>
        </message>
        <message>
            <source>No limit</source>
            <translation>Illimité</translation>
        </message>
        <message>
            <source>Optional</source>
            <translation>Facultatif</translation>
        </message>
        <message>
            <source>Transfer Settings</source>
            <translation>Paramètres de transfert</translation>
        </message>
        <message>
            <source>Failed</source>
            <translation>Échec</translation>
        </message>
        <message>
            <source>Paused</source>
            <translation>En pause</translation>
        </message>
        <message>
            <source>Waiting</source>
            <translation>En attente</translation>
        </message>
        <message>
            <source>Sunday</source>
            <translation>Dimanche</translation>
        </message>
        <message>
            <source>Thursday</source>
            <translation>Jeudi</translation>
        </message>
        <message>
            <source>Today</source>
            <translation>Aujourd'hui</translation>
        </message>
        <message>
            <source>Tuesday</source>
            <translation>Mardi</translation>
        </message>
        <message>
            <source>Username</source>
            <translation>Nom d'utilisateur</translation>
        </message>
        <message>
            <source>Connecting...</source>
            <translation>Connexion en cours...</translation>
        </message>
        <message>
            <source>Please enter a valid IP address.</source>
            <translation>Veuillez saisir une adresse IP valide.</translation>
        </message>
        <message>
            <source>New Connection</source>
            <translation>Nouvelle connexion</translation>
        </message>
        <message>
            <source>Cut</source>
            <translation>Couper</translation>
        </message>
        <message>
            <source>Download</source>
            <translation>Téléchargement</translation>
        </message>
        <message>
            <source>Upload</source>
            <translation>Envoi</translation>
        </message>
        <message>
            <source>Cannot load information for %1.</source>
            <translation>Impossible de lire les informations de %1.</translation>
        </message>
        <message>
            <source>Failed to move %1 to %2.</source>
            <translation>Impossible de déplacer %1 vers %2.</translation>
        </message>
        <message>
            <source>You do not have permission to move %1 to %2.</source>
            <translation>Vous n'êtes pas autorisé à déplacer %1 vers %2.</translation>
        </message>
        <message>
            <source>Failed to move %1 to %2 because %1 already exists.</source>
            <translation>Impossible de déplacer %1 vers %2, car %1 existe déjà.</translation>
        </message>
        <message>
            <source>%1 moved %2 to %3.</source>
            <translation>%1 a déplacé %2 vers %3.</translation>
        </message>
        <message>
            <source>Copyright (c) %1 Quillmar. All rights reserved.</source>
            <translation>Copyright (c) %1 Quillmar. Tous droits réservés.</translation>
        </message>
        <message>
            <source>Version</source>
            <translation>Version</translation>
        </message>
        <message>
            <source>Help</source>
            <translation>Aide</translation>
        </message>
        <message>
            <source>About</source>
            <translation>À propos</translation>
        </message>
        <message>
            <source>This setting is enforced by the server.</source>
            <translation>Ce paramètre est imposé par le serveur.</translation>
        </message>
        <message>
            <source>This connected server does not support minimum bandwidth configuration.</source>
            <translation>Le serveur connecté ne prend pas en charge la configuration d'une bande passante minimale.</translation>
        </message>
        <message>
            <source>Untrusted SSL certificate</source>
            <translation>Certificat SSL non approuvé</translation>
        </message>
        <message>
            <source>SSL certificate has been changed.</source>
            <translation>Le certificat SSL a été modifié.</translation>
        </message>
        <message>
            <source>Proceed anyway</source>
            <translation>Continuer quand même</translation>
        </message>
        <message>
            <source>Default download location</source>
            <translation>Dossier de téléchargement</translation>
        </message>
        <message>
            <source>Download Settings</source>
            <translation>Paramètres de téléchargement</translation>
        </message>
        <message>
            <source>Download to default folder</source>
            <translation>Télécharger dans le dossier par défaut</translation>
        </message>
        <message>
            <source>Download to …</source>
            <translation>Télécharger vers …</translation>
        </message>
        <message>
            <source>Browse</source>
            <translation>Parcourir</translation>
        </message>
        <message>
            <source>New tab</source>
            <translation>Nouvel onglet</translation>
        </message>
        <message>
            <source>Download rate</source>
            <translation>Débit de téléchargement</translation>
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
            <translation>Débit d'envoi</translation>
        </message>
        <message>
            <source>Please enter a valid number between 1 and 10.</source>
            <translation>Veuillez saisir un nombre valide entre 1 et 10.</translation>
        </message>
        <message>
            <source>Must be lower than the value of maximum rate</source>
            <translation>Doit être inférieur au débit maximal</translation>
        </message>
        <message>
            <source>Must be higher than the value of minimum rate</source>
            <translation>Doit être supérieur au débit minimal</translation>
        </message>
        <message>
            <source>Please enter your username.</source>
            <translation>Veuillez saisir votre nom d'utilisateur.</translation>
        </message>
        <message>
            <source>Quillmar File Manager</source>
            <translation>Quillmar File Manager</translation>
        </message>
        <message>
            <source>Please update your Quillmar File Manager on your computer.</source>
            <translation>Veuillez mettre à jour Quillmar File Manager sur votre ordinateur.</translation>
        </message>
        <message>
            <source>Compatibility error. Please upgrade Quillmar File Manager.</source>
            <translation>Erreur de compatibilité. Veuillez mettre à niveau Quillmar File Manager.</translation>
        </message>
        <message>
            <source>Connect to a Quillmar File Manager</source>
            <translation>Se connecter à un Quillmar File Manager</translation>
        </message>
        <message>
            <source>The connection cannot be established with wrong port number. Please check the port number and try again. </source>
            <translation>Impossible d'établir la connexion avec un numéro de port incorrect. Vérifiez le numéro de port et réessayez. </translation>
        </message>
        <message>
            <source>Connection failed. Please make sure TCP on port %1 is open.</source>
            <translation>Échec de la connexion. Vérifiez que le port TCP %1 est ouvert.</translation>
        </message>
        <message>
            <source>Failed to connect to this Koralt File Server due to compatibility issues. Please go to Download Center to download Koralt desktop client and connect it to this Koralt File Server.  </source>
            <translation>Impossible de se connecter à ce Koralt File Server en raison de problèmes de compatibilité. Rendez-vous dans le Download Center pour télécharger le client de bureau Koralt, puis connectez-le à ce Koralt File Server.  </translation>
        </message>
        <message>
            <source>Please enter a one-time verification code.</source>
            <translation>Veuillez saisir un code de vérification à usage unique.</translation>
        </message>
        <message>
            <source>The SSL certificate of Quillmar NAS is not trusted. This may mean that it is a self-signed certificate, or someone may be trying to intercept your connection.</source>
            <translation>Le certificat SSL de Quillmar NAS n'est pas approuvé. Il s'agit peut-être d'un certificat auto-signé, ou quelqu'un tente peut-être d'intercepter votre connexion.</translation>
        </message>
        <message>
            <source>The SSL certificate has been changed. This may mean that the Quillmar NAS certificate has been changed, or someone may be trying to intercept your connection.</source>
            <translation>Le certificat SSL a été modifié. Le certificat de Quillmar NAS a peut-être été remplacé, ou quelqu'un tente peut-être d'intercepter votre connexion.</translation>
        </message>
        <message>
            <source>Sign In</source>
            <translation>Connexion</translation>
        </message>
        <message>
            <source>The data folder %1 does not exist and cannot be created.</source>
            <translation>Le dossier de données %1 n'existe pas et ne peut pas être créé.</translation>
        </message>
        <message>
            <source>The data folder %1 cannot be written to (%2).</source>
            <translation>Impossible d'écrire dans le dossier de données %1 (%2).</translation>
        </message>
        <message>
            <source>Cannot upload %1: a name on the server cannot contain "\".</source>
            <translation>Impossible de charger %1 : un nom sur le serveur ne peut pas contenir "\".</translation>
        </message>
        <message>
            <source>The file could not be read or written.</source>
            <translation>Impossible de lire ou d'écrire le fichier.</translation>
        </message>
        <message>
            <source>The connection was interrupted.</source>
            <translation>La connexion a été interrompue.</translation>
        </message>
        <message>
            <source>The server no longer knows this transfer.</source>
            <translation>Le serveur ne connaît plus ce transfert.</translation>
        </message>
        <message>
            <source>The transfer was paused.</source>
            <translation>Le transfert a été mis en pause.</translation>
        </message>
        <message>
            <source>The data received was larger than allowed.</source>
            <translation>Les données reçues dépassent la taille autorisée.</translation>
        </message>
        <message>
            <source>The server said: %1</source>
            <translation>Réponse du serveur : %1</translation>
        </message>
        <message>
            <source>The file changed while it was being sent.</source>
            <translation>Le fichier a été modifié pendant son envoi.</translation>
        </message>
    </context>
</TS>
