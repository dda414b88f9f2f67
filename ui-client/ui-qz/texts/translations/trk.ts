<?xml version='1.0' encoding='utf-8'?>
<!DOCTYPE TS>
<TS sourcelanguage="en_US" version="2.1" language="tr_TR">
    <context>
        <name>CertificateChainDialog</name>
        <message>
            <source>Certificate</source>
            <translation>Sertifika</translation>
        </message>
        <message>
            <source>Level</source>
            <translation>Düzey</translation>
        </message>
        <message>
            <source>Subject</source>
            <translation>Konu</translation>
        </message>
        <message>
            <source>Issuer</source>
            <translation>Veren</translation>
        </message>
        <message>
            <source>Valid</source>
            <translation>Geçerlilik</translation>
        </message>
        <message>
            <source>%1 to %2</source>
            <extracomment>The validity period of a certificate: its first and its last day.</extracomment>
            <translation>%1 - %2</translation>
        </message>
    </context>
    <context>
        <name>HelpWindow</name>
        <message>
            <source>The help is not installed.</source>
            <translation>Yardım yüklü değil.</translation>
        </message>
    </context>
    <context>
        <name>global</name>
        <message>
            <source>Login</source>
            <translation>Oturum aç</translation>
        </message>
        <message>
            <source>You don't have enough privilege.</source>
            <translation>Yeterli yetkiniz yok.</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>Kapat</translation>
        </message>
        <message>
            <source>Disk full. Failed to copy %1 to %2.</source>
            <translation>Disk dolu. %1 öğesi %2 konumuna kopyalanamadı.</translation>
        </message>
        <message>
            <source>Back</source>
            <translation>Geri</translation>
        </message>
        <message>
            <source>Maximum retries reached.</source>
            <translation>En fazla deneme sayısına ulaşıldı.</translation>
        </message>
        <message>
            <source>Filter</source>
            <translation>Filtrele</translation>
        </message>
        <message>
            <source>Remember password?</source>
            <translation>Parola hatırlansın mı?</translation>
        </message>
        <message>
            <source>Shared folder quota insufficient. Failed to copy %1 to %2.</source>
            <translation>Paylaşılan klasör kotası yetersiz. %1 öğesi %2 konumuna kopyalanamadı.</translation>
        </message>
        <message>
            <source>Disk full. Failed to move %1 to %2.</source>
            <translation>Disk dolu. %1 öğesi %2 konumuna taşınamadı.</translation>
        </message>
        <message>
            <source>User quota insufficient. Failed to copy %1 to %2.</source>
            <translation>Kullanıcı kotası yetersiz. %1 öğesi %2 konumuna kopyalanamadı.</translation>
        </message>
        <message>
            <source>Shared folder quota insufficient. Failed to move %1 to %2.</source>
            <translation>Paylaşılan klasör kotası yetersiz. %1 öğesi %2 konumuna taşınamadı.</translation>
        </message>
        <message>
            <source>Insufficient disk space.</source>
            <translation>Yetersiz disk alanı.</translation>
        </message>
        <message>
            <source>File size exceeds destination file system limit.</source>
            <translation>Dosya boyutu hedef dosya sisteminin sınırını aşıyor.</translation>
        </message>
        <message>
            <source>File does not exist.</source>
            <translation>Dosya mevcut değil.</translation>
        </message>
        <message>
            <source>Cannot access the temporary file.</source>
            <translation>Geçici dosyaya erişilemiyor.</translation>
        </message>
        <message>
            <source>Last Page</source>
            <translation>Son sayfa</translation>
        </message>
        <message>
            <source>Please upgrade your Quillmar File Manager package.</source>
            <translation>Lütfen Quillmar File Manager paketinizi yükseltin.</translation>
        </message>
        <message>
            <source>User quota insufficient. Failed to move %1 to %2.</source>
            <translation>Kullanıcı kotası yetersiz. %1 öğesi %2 konumuna taşınamadı.</translation>
        </message>
        <message>
            <source>Shared folder quota full.</source>
            <translation>Paylaşılan klasör kotası dolu.</translation>
        </message>
        <message>
            <source>User quota full.</source>
            <translation>Kullanıcı kotası dolu.</translation>
        </message>
        <message>
            <source>A one-time password is required. Please log into your ZRM to set your one-time password.</source>
            <translation>Tek kullanımlık parola gerekiyor. Tek kullanımlık parolanızı ayarlamak için lütfen ZRM hesabınızda oturum açın.</translation>
        </message>
        <message>
            <source>The one-time password you entered is incorrect.</source>
            <translation>Girdiğiniz tek kullanımlık parola yanlış.</translation>
        </message>
        <message>
            <source>Please enter a 6-digit verification code.</source>
            <translation>Lütfen 6 haneli doğrulama kodunu girin.</translation>
        </message>
        <message>
            <source>Quillmar File Manager will be reconnected in %1 seconds.</source>
            <translation>Quillmar File Manager %1 saniye içinde yeniden bağlanacak.</translation>
        </message>
        <message>
            <source>Display mode </source>
            <translation>Display mode </translation>
        </message>
        <message>
            <source>Failed to update Quillmar File Manager database. Please restart or reinstall Quillmar File Manager.</source>
            <translation>Quillmar File Manager veritabanı güncellenemedi. Lütfen Quillmar File Manager uygulamasını yeniden başlatın veya yeniden yükleyin.</translation>
        </message>
        <message>
            <source>Friday</source>
            <translation>Cuma</translation>
        </message>
        <message>
            <source>Paste</source>
            <translation>Yapıştır</translation>
        </message>
        <message>
            <source>Forward</source>
            <translation>İleri</translation>
        </message>
        <message>
            <source>Invalid username/password or insufficient user privilege.</source>
            <translation>Geçersiz kullanıcı adı/parola veya yetersiz kullanıcı yetkisi.</translation>
        </message>
        <message>
            <source>Closing the application will close all connections and abort all transfer tasks. Are you sure you want to continue?</source>
            <translation>Uygulama kapatılırsa tüm bağlantılar kapanır ve tüm aktarım görevleri iptal edilir. Devam etmek istediğinizden emin misiniz?</translation>
        </message>
        <message>
            <source>Copy</source>
            <translation>Kopyala</translation>
        </message>
        <message>
            <source>Create Folder</source>
            <translation>Klasör oluştur</translation>
        </message>
        <message>
            <source>Wednesday</source>
            <translation>Çarşamba</translation>
        </message>
        <message>
            <source>Log</source>
            <translation>Günlük</translation>
        </message>
        <message>
            <source>Please enter the password to connect.</source>
            <translation>Bağlanmak için lütfen parolayı girin.</translation>
        </message>
        <message>
            <source>First Page</source>
            <translation>İlk sayfa</translation>
        </message>
        <message>
            <source>Previous %1 pages</source>
            <translation>Önceki %1 sayfa</translation>
        </message>
        <message>
            <source>Next %1 pages</source>
            <translation>Sonraki %1 sayfa</translation>
        </message>
        <message>
            <source>Help / About </source>
            <translation>Yardım / Hakkında </translation>
        </message>
        <message>
            <source>Activity logs</source>
            <translation>Etkinlik günlükleri</translation>
        </message>
        <message>
            <source>Settings</source>
            <translation>Ayarlar</translation>
        </message>
        <message>
            <source>Sort by </source>
            <translation>Sıralama ölçütü </translation>
        </message>
        <message>
            <source>Task Manager</source>
            <translation>Görev Yöneticisi</translation>
        </message>
        <message>
            <source>Remote Path</source>
            <translation>Uzak yol</translation>
        </message>
        <message>
            <source>Please enter a valid server address.</source>
            <translation>Lütfen geçerli bir sunucu adresi girin.</translation>
        </message>
        <message>
            <source>You do not have permission to rename %1 to %2.</source>
            <translation>%1 öğesini %2 olarak yeniden adlandırma izniniz yok.</translation>
        </message>
        <message>
            <source>Login failed.</source>
            <translation>Oturum açılamadı.</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>Sil</translation>
        </message>
        <message>
            <source>Rename</source>
            <translation>Yeniden adlandır</translation>
        </message>
        <message>
            <source>Server address</source>
            <translation>Sunucu adresi</translation>
        </message>
        <message>
            <source>Apply</source>
            <translation>Uygula</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>İptal</translation>
        </message>
        <message>
            <source>Connect</source>
            <translation>Bağlan</translation>
        </message>
        <message>
            <source>OK</source>
            <translation>Tamam</translation>
        </message>
        <message>
            <source>Reset</source>
            <translation>Sıfırla</translation>
        </message>
        <message>
            <source>Closing the connection will abort all transfer tasks in this connection. Are you sure you want to continue?</source>
            <translation>Bağlantı kapatılırsa bu bağlantıdaki tüm aktarım görevleri iptal edilir. Devam etmek istediğinizden emin misiniz?</translation>
        </message>
        <message>
            <source>day(s)</source>
            <translation>gün</translation>
        </message>
        <message>
            <source>Failed to copy %1 to %2.</source>
            <translation>%1 öğesi %2 konumuna kopyalanamadı.</translation>
        </message>
        <message>
            <source>You do not have permission to copy %1 to %2.</source>
            <translation>%1 öğesini %2 konumuna kopyalama izniniz yok.</translation>
        </message>
        <message>
            <source>Disconnected from the server. Please login again.</source>
            <translation>Sunucu bağlantısı kesildi. Lütfen yeniden oturum açın.</translation>
        </message>
        <message>
            <source>Failed to load this directory.</source>
            <translation>Bu klasör yüklenemedi.</translation>
        </message>
        <message>
            <source>You do not have permission to load the directory.</source>
            <translation>Bu klasörü yükleme izniniz yok.</translation>
        </message>
        <message>
            <source>Failed to connect to server.</source>
            <translation>Sunucuya bağlanılamadı.</translation>
        </message>
        <message>
            <source>Failed to create directory %1.</source>
            <translation>%1 klasörü oluşturulamadı.</translation>
        </message>
        <message>
            <source>You do not have permission to create %1.</source>
            <translation>%1 öğesini oluşturma izniniz yok.</translation>
        </message>
        <message>
            <source>Failed to remove %1.</source>
            <translation>%1 öğesi silinemedi.</translation>
        </message>
        <message>
            <source>You do not have permission to remove %1.</source>
            <translation>%1 öğesini silme izniniz yok.</translation>
        </message>
        <message>
            <source>Failed to rename %1 to %2.</source>
            <translation>%1 öğesi %2 olarak yeniden adlandırılamadı.</translation>
        </message>
        <message>
            <source>Failed to rename %1 to %2 because %2 already exists.</source>
            <translation>%2 zaten mevcut olduğundan %1 öğesi %2 olarak yeniden adlandırılamadı.</translation>
        </message>
        <message>
            <source>File</source>
            <translation>Dosya</translation>
        </message>
        <message>
            <source>File Name</source>
            <translation>Dosya adı</translation>
        </message>
        <message>
            <source>File Type</source>
            <translation>Dosya türü</translation>
        </message>
        <message>
            <source>From</source>
            <translation>Başlangıç</translation>
        </message>
        <message>
            <source>Keyword</source>
            <translation>Anahtar sözcük</translation>
        </message>
        <message>
            <source>Size</source>
            <translation>Boyut</translation>
        </message>
        <message>
            <source>Any</source>
            <translation>Tümü</translation>
        </message>
        <message>
            <source>Equal to</source>
            <translation>Eşittir</translation>
        </message>
        <message>
            <source>Greater than</source>
            <translation>Büyüktür</translation>
        </message>
        <message>
            <source>Less than</source>
            <translation>Küçüktür</translation>
        </message>
        <message>
            <source>Ascending</source>
            <translation>Artan</translation>
        </message>
        <message>
            <source>Descending</source>
            <translation>Azalan</translation>
        </message>
        <message>
            <source>To</source>
            <translation>Bitiş</translation>
        </message>
        <message>
            <source>Folder</source>
            <translation>Klasör</translation>
        </message>
        <message>
            <source>Duration</source>
            <translation>Süre</translation>
        </message>
        <message>
            <source>End</source>
            <translation>Bitiş</translation>
        </message>
        <message>
            <source>Event</source>
            <translation>Olay</translation>
        </message>
        <message>
            <source>Start</source>
            <translation>Başlangıç</translation>
        </message>
        <message>
            <source>Time</source>
            <translation>Zaman</translation>
        </message>
        <message>
            <source>Type</source>
            <translation>Tür</translation>
        </message>
        <message>
            <source>%1 copied %2 to %3.</source>
            <translation>%1, %2 öğesini %3 konumuna kopyaladı.</translation>
        </message>
        <message>
            <source>%1 downloaded %2.</source>
            <translation>%1, %2 öğesini indirdi.</translation>
        </message>
        <message>
            <source>%1 logged in to %2.</source>
            <translation>%1, %2 üzerinde oturum açtı.</translation>
        </message>
        <message>
            <source>%1 created folder %2.</source>
            <translation>%1, %2 klasörünü oluşturdu.</translation>
        </message>
        <message>
            <source>%1 deleted %2.</source>
            <translation>%1, %2 öğesini sildi.</translation>
        </message>
        <message>
            <source>July</source>
            <translation>Temmuz</translation>
        </message>
        <message>
            <source>%1 renamed %2 to %3.</source>
            <translation>%1, %2 öğesini %3 olarak yeniden adlandırdı.</translation>
        </message>
        <message>
            <source>%1 uploaded %2.</source>
            <translation>%1, %2 öğesini karşıya yükledi.</translation>
        </message>
        <message>
            <source>All Events</source>
            <translation>Tüm olaylar</translation>
        </message>
        <message>
            <source>Event logs</source>
            <translation>Olay günlükleri</translation>
        </message>
        <message>
            <source>File transfer log</source>
            <translation>Dosya aktarım günlüğü</translation>
        </message>
        <message>
            <source>Modified Time</source>
            <translation>Değiştirilme zamanı</translation>
        </message>
        <message>
            <source>Monday</source>
            <translation>Pazartesi</translation>
        </message>
        <message>
            <source>April</source>
            <translation>Nisan</translation>
        </message>
        <message>
            <source>August</source>
            <translation>Ağustos</translation>
        </message>
        <message>
            <source>December</source>
            <translation>Aralık</translation>
        </message>
        <message>
            <source>February</source>
            <translation>Şubat</translation>
        </message>
        <message>
            <source>January</source>
            <translation>Ocak</translation>
        </message>
        <message>
            <source>June</source>
            <translation>Haziran</translation>
        </message>
        <message>
            <source>March</source>
            <translation>Mart</translation>
        </message>
        <message>
            <source>May</source>
            <translation>Mayıs</translation>
        </message>
        <message>
            <source>November</source>
            <translation>Kasım</translation>
        </message>
        <message>
            <source>October</source>
            <translation>Ekim</translation>
        </message>
        <message>
            <source>September</source>
            <translation>Eylül</translation>
        </message>
        <message>
            <source>My Computer</source>
            <translation>Bilgisayarım</translation>
        </message>
        <message>
            <source>item(s)</source>
            <translation>öğe</translation>
        </message>
        <message>
            <source>Password</source>
            <translation>Parola</translation>
        </message>
        <message>
            <source>Time Remaining</source>
            <translation>Kalan süre</translation>
        </message>
        <message>
            <source>All Transfers</source>
            <translation>Tüm aktarımlar</translation>
        </message>
        <message>
            <source>Downloaded</source>
            <translation>İndirilen</translation>
        </message>
        <message>
            <source>Elapsed Time</source>
            <translation>Geçen süre</translation>
        </message>
        <message>
            <source>Local Path</source>
            <translation>Yerel yol</translation>
        </message>
        <message>
            <source>Speed</source>
            <translation>Hız</translation>
        </message>
        <message>
            <source>Status</source>
            <translation>Durum</translation>
        </message>
        <message>
            <source>UL/DL</source>
            <translation>Yön</translation>
        </message>
        <message>
            <source>Uploaded</source>
            <translation>Karşıya yüklenen</translation>
        </message>
        <message>
            <source>Remember password</source>
            <translation>Parolayı hatırla</translation>
        </message>
        <message>
            <source>Saturday</source>
            <translation>Cumartesi</translation>
        </message>
        <message>
            <source>Changes are not saved. Are you sure you want to leave?</source>
            <translation>Değişiklikler kaydedilmedi. Çıkmak istediğinizden emin misiniz?</translation>
        </message>
        <message>
            <source>Enable transfer compression</source>
            <translation>Aktarım sıkıştırmayı etkinleştir</translation>
        </message>
        <message>
            <source>Max. concurrent transfers</source>
            <translation>En fazla eş zamanlı aktarım</translation>
        </message>
        <message>
            <source>Enable transfer encryption</source>
            <translation>Aktarım şifrelemeyi etkinleştir</translation>
        </message>
        <message>
            <source>files</source>
            <translation>dosya</translation>
        </message>
        <message>
            <source>Host Info</source>
            <translation>Ana bilgisayar bilgileri</translation>
        </message>
        <message>
            <source>Hostname</source>
            <translation>Ana bilgisayar adı</translation>
        </message>
        <message>
            <source>System default</source>
            <translation>Sistem varsayılanı</translation>
        </message>
        <message>
            <source>Please restart %1 to apply the new language settings.</source>
            <translation>Yeni dil ayarlarını uygulamak için lütfen %1 uygulamasını yeniden başlatın.</translation>
        </message>
        <message>
            <source>Language</source>
            <translation>Dil</translation>
        </message>
        <message>
            <source>Max. download rate</source>
            <translation>En fazla indirme hızı</translation>
        </message>
        <message>
            <source>Max. upload rate</source>
            <translation>En fazla karşıya yükleme hızı</translation>
        </message>
        <message>
            <source>New site</source>
            <translation>Yeni sunucu</translation>
        </message>
        <message>
            <source>No limit</source>
            <translation>Sınırsız</translation>
        </message>
        <message>
            <source>Optional</source>
            <translation>İsteğe bağlı</translation>
        </message>
        <message>
            <source>Transfer Settings</source>
            <translation>Aktarım Ayarları</translation>
        </message>
        <message>
            <source>Failed</source>
            <translation>Başarısız</translation>
        </message>
        <message>
            <source>Paused</source>
            <translation>Duraklatıldı</translation>
        </message>
        <message>
            <source>Waiting</source>
            <translation>Bekliyor</translation>
        </message>
        <message>
            <source>Sunday</source>
            <translation>Pazar</translation>
        </message>
        <message>
            <source>Thursday</source>
            <translation>Perşembe</translation>
        </message>
        <message>
            <source>Today</source>
            <translation>Bugün</translation>
        </message>
        <message>
            <source>Tuesday</source>
            <translation>Salı</translation>
        </message>
        <message>
            <source>Username</source>
            <translation>Kullanıcı adı</translation>
        </message>
        <message>
            <source>Connecting...</source>
            <translation>Bağlanıyor...</translation>
        </message>
        <message>
            <source>Please enter a valid IP address.</source>
            <translation>Lütfen geçerli bir IP adresi girin.</translation>
        </message>
        <message>
            <source>New Connection</source>
            <translation>Yeni Bağlantı</translation>
        </message>
        <message>
            <source>Cut</source>
            <translation>Kes</translation>
        </message>
        <message>
            <source>Download</source>
            <translation>İndirme</translation>
        </message>
        <message>
            <source>Upload</source>
            <translation>Karşıya yükleme</translation>
        </message>
        <message>
            <source>Cannot load information for %1.</source>
            <translation>%1 için bilgiler yüklenemiyor.</translation>
        </message>
        <message>
            <source>Failed to move %1 to %2.</source>
            <translation>%1 öğesi %2 konumuna taşınamadı.</translation>
        </message>
        <message>
            <source>You do not have permission to move %1 to %2.</source>
            <translation>%1 öğesini %2 konumuna taşıma izniniz yok.</translation>
        </message>
        <message>
            <source>Failed to move %1 to %2 because %1 already exists.</source>
            <translation>%1 zaten mevcut olduğundan %1 öğesi %2 konumuna taşınamadı.</translation>
        </message>
        <message>
            <source>%1 moved %2 to %3.</source>
            <translation>%1, %2 öğesini %3 konumuna taşıdı.</translation>
        </message>
        <message>
            <source>Copyright (c) %1 Quillmar. All rights reserved.</source>
            <translation>Telif hakkı (c) %1 Quillmar. Tüm hakları saklıdır.</translation>
        </message>
        <message>
            <source>Version</source>
            <translation>Sürüm</translation>
        </message>
        <message>
            <source>Help</source>
            <translation>Yardım</translation>
        </message>
        <message>
            <source>About</source>
            <translation>Hakkında</translation>
        </message>
        <message>
            <source>This setting is enforced by the server.</source>
            <translation>Bu ayar sunucu tarafından zorunlu tutulur.</translation>
        </message>
        <message>
            <source>This connected server does not support minimum bandwidth configuration.</source>
            <translation>Bağlı sunucu en düşük bant genişliği yapılandırmasını desteklemiyor.</translation>
        </message>
        <message>
            <source>Untrusted SSL certificate</source>
            <translation>Güvenilmeyen SSL sertifikası</translation>
        </message>
        <message>
            <source>SSL certificate has been changed.</source>
            <translation>SSL sertifikası değişti.</translation>
        </message>
        <message>
            <source>Proceed anyway</source>
            <translation>Yine de devam et</translation>
        </message>
        <message>
            <source>Default download location</source>
            <translation>İndirme klasörü</translation>
        </message>
        <message>
            <source>Download Settings</source>
            <translation>İndirme Ayarları</translation>
        </message>
        <message>
            <source>Download to default folder</source>
            <translation>Varsayılan klasöre indir</translation>
        </message>
        <message>
            <source>Download to …</source>
            <translation>Şuraya indir…</translation>
        </message>
        <message>
            <source>Browse</source>
            <translation>Gözat</translation>
        </message>
        <message>
            <source>New tab</source>
            <translation>Yeni sekme</translation>
        </message>
        <message>
            <source>Download rate</source>
            <translation>İndirme hızı</translation>
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
            <translation>Karşıya yükleme hızı</translation>
        </message>
        <message>
            <source>Please enter a valid number between 1 and 10.</source>
            <translation>Lütfen 1 ile 10 arasında geçerli bir sayı girin.</translation>
        </message>
        <message>
            <source>Must be lower than the value of maximum rate</source>
            <translation>En yüksek hız değerinden düşük olmalıdır</translation>
        </message>
        <message>
            <source>Must be higher than the value of minimum rate</source>
            <translation>En düşük hız değerinden yüksek olmalıdır</translation>
        </message>
        <message>
            <source>Please enter your username.</source>
            <translation>Lütfen kullanıcı adınızı girin.</translation>
        </message>
        <message>
            <source>Quillmar File Manager</source>
            <translation>Quillmar File Manager</translation>
        </message>
        <message>
            <source>Please update your Quillmar File Manager on your computer.</source>
            <translation>Lütfen bilgisayarınızdaki Quillmar File Manager uygulamasını güncelleyin.</translation>
        </message>
        <message>
            <source>Compatibility error. Please upgrade Quillmar File Manager.</source>
            <translation>Uyumluluk hatası. Lütfen Quillmar File Manager uygulamasını yükseltin.</translation>
        </message>
        <message>
            <source>Connect to a Quillmar File Manager</source>
            <translation>Quillmar File Manager'a bağlanın</translation>
        </message>
        <message>
            <source>The connection cannot be established with wrong port number. Please check the port number and try again. </source>
            <translation>Yanlış bağlantı noktası numarasıyla bağlantı kurulamaz. Lütfen bağlantı noktası numarasını denetleyip yeniden deneyin. </translation>
        </message>
        <message>
            <source>Connection failed. Please make sure TCP on port %1 is open.</source>
            <translation>Bağlantı başarısız oldu. Lütfen TCP %1 bağlantı noktasının açık olduğundan emin olun.</translation>
        </message>
        <message>
            <source>Failed to connect to this Koralt File Server due to compatibility issues. Please go to Download Center to download Koralt desktop client and connect it to this Koralt File Server.  </source>
            <translation>Uyumluluk sorunları nedeniyle bu Koralt File Server sunucusuna bağlanılamadı. Lütfen İndirme Merkezi'ne giderek Koralt masaüstü istemcisini indirin ve bu Koralt File Server sunucusuna onunla bağlanın.  </translation>
        </message>
        <message>
            <source>Please enter a one-time verification code.</source>
            <translation>Lütfen tek kullanımlık doğrulama kodunu girin.</translation>
        </message>
        <message>
            <source>The SSL certificate of Quillmar NAS is not trusted. This may mean that it is a self-signed certificate, or someone may be trying to intercept your connection.</source>
            <translation>Quillmar NAS cihazının SSL sertifikası güvenilir değil. Bu, sertifikanın kendinden imzalı olduğu ya da birinin bağlantınızı ele geçirmeye çalıştığı anlamına gelebilir.</translation>
        </message>
        <message>
            <source>The SSL certificate has been changed. This may mean that the Quillmar NAS certificate has been changed, or someone may be trying to intercept your connection.</source>
            <translation>SSL sertifikası değişti. Bu, Quillmar NAS sertifikasının değiştirildiği ya da birinin bağlantınızı ele geçirmeye çalıştığı anlamına gelebilir.</translation>
        </message>
        <message>
            <source>Sign In</source>
            <translation>Oturum açma</translation>
        </message>
        <message>
            <source>The data folder %1 does not exist and cannot be created.</source>
            <translation>%1 veri klasörü mevcut değil ve oluşturulamıyor.</translation>
        </message>
        <message>
            <source>The data folder %1 cannot be written to (%2).</source>
            <translation>%1 veri klasörüne yazılamıyor (%2).</translation>
        </message>
        <message>
            <source>Cannot upload %1: a name on the server cannot contain "\".</source>
            <translation>%1 karşıya yüklenemiyor: sunucudaki bir ad "\" içeremez.</translation>
        </message>
        <message>
            <source>The file could not be read or written.</source>
            <translation>Dosya okunamadı veya yazılamadı.</translation>
        </message>
        <message>
            <source>The connection was interrupted.</source>
            <translation>Bağlantı kesildi.</translation>
        </message>
        <message>
            <source>The server no longer knows this transfer.</source>
            <translation>Sunucu bu aktarımı artık tanımıyor.</translation>
        </message>
        <message>
            <source>The transfer was paused.</source>
            <translation>Aktarım duraklatıldı.</translation>
        </message>
        <message>
            <source>The data received was larger than allowed.</source>
            <translation>Alınan veri izin verilenden büyüktü.</translation>
        </message>
        <message>
            <source>The server said: %1</source>
            <translation>Sunucu yanıtı: %1</translation>
        </message>
        <message>
            <source>The file changed while it was being sent.</source>
            <translation>Dosya gönderilirken değişti.</translation>
        </message>
    </context>
</TS>
