<?xml version='1.0' encoding='utf-8'?>
<!DOCTYPE TS>
<TS sourcelanguage="en_US" version="2.1" language="zh_TW">
    <context>
        <name>CertificateChainDialog</name>
        <message>
            <source>Certificate</source>
            <translation>憑證</translation>
        </message>
        <message>
            <source>Level</source>
            <translation>層級</translation>
        </message>
        <message>
            <source>Subject</source>
            <translation>主體</translation>
        </message>
        <message>
            <source>Issuer</source>
            <translation>簽發者</translation>
        </message>
        <message>
            <source>Valid</source>
            <translation>有效期間</translation>
        </message>
        <message>
            <source>%1 to %2</source>
            <extracomment>The validity period of a certificate: its first and its last day.</extracomment>
            <translation>%1 至 %2</translation>
        </message>
    </context>
    <context>
        <name>HelpWindow</name>
        <message>
            <source>The help is not installed.</source>
            <translation>未安裝說明。</translation>
        </message>
    </context>
    <context>
        <name>global</name>
        <message>
            <source>Login</source>
            <translation>登入</translation>
        </message>
        <message>
            <source>You don't have enough privilege.</source>
            <translation>您沒有足夠的權限。</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>關閉</translation>
        </message>
        <message>
            <source>Disk full. Failed to copy %1 to %2.</source>
            <translation>磁碟已滿。無法將 %1 複製到 %2。</translation>
        </message>
        <message>
            <source>Back</source>
            <translation>上一頁</translation>
        </message>
        <message>
            <source>Maximum retries reached.</source>
            <translation>已達到重試次數上限。</translation>
        </message>
        <message>
            <source>Filter</source>
            <translation>篩選</translation>
        </message>
        <message>
            <source>Remember password?</source>
            <translation>記住密碼？</translation>
        </message>
        <message>
            <source>Shared folder quota insufficient. Failed to copy %1 to %2.</source>
            <translation>共用資料夾配額不足。無法將 %1 複製到 %2。</translation>
        </message>
        <message>
            <source>Disk full. Failed to move %1 to %2.</source>
            <translation>磁碟已滿。無法將 %1 移動到 %2。</translation>
        </message>
        <message>
            <source>User quota insufficient. Failed to copy %1 to %2.</source>
            <translation>使用者配額不足。無法將 %1 複製到 %2。</translation>
        </message>
        <message>
            <source>Shared folder quota insufficient. Failed to move %1 to %2.</source>
            <translation>共用資料夾配額不足。無法將 %1 移動到 %2。</translation>
        </message>
        <message>
            <source>Insufficient disk space.</source>
            <translation>磁碟空間不足。</translation>
        </message>
        <message>
            <source>File size exceeds destination file system limit.</source>
            <translation>檔案大小超過目的地檔案系統的限制。</translation>
        </message>
        <message>
            <source>File does not exist.</source>
            <translation>檔案不存在。</translation>
        </message>
        <message>
            <source>Cannot access the temporary file.</source>
            <translation>無法存取暫存檔。</translation>
        </message>
        <message>
            <source>Last Page</source>
            <translation>最末頁</translation>
        </message>
        <message>
            <source>Please upgrade your Quillmar File Manager package.</source>
            <translation>請升級您的 Quillmar File Manager 套件。</translation>
        </message>
        <message>
            <source>User quota insufficient. Failed to move %1 to %2.</source>
            <translation>使用者配額不足。無法將 %1 移動到 %2。</translation>
        </message>
        <message>
            <source>Shared folder quota full.</source>
            <translation>共用資料夾配額已滿。</translation>
        </message>
        <message>
            <source>User quota full.</source>
            <translation>使用者配額已滿。</translation>
        </message>
        <message>
            <source>A one-time password is required. Please log into your ZRM to set your one-time password.</source>
            <translation>需要一次性密碼。請登入您的 ZRM 設定一次性密碼。</translation>
        </message>
        <message>
            <source>The one-time password you entered is incorrect.</source>
            <translation>您輸入的一次性密碼不正確。</translation>
        </message>
        <message>
            <source>Please enter a 6-digit verification code.</source>
            <translation>請輸入 6 位數驗證碼。</translation>
        </message>
        <message>
            <source>Quillmar File Manager will be reconnected in %1 seconds.</source>
            <translation>Quillmar File Manager 將於 %1 秒後重新連線。</translation>
        </message>
        <message>
            <source>Display mode </source>
            <translation>Display mode </translation>
        </message>
        <message>
            <source>Failed to update Quillmar File Manager database. Please restart or reinstall Quillmar File Manager.</source>
            <translation>無法更新 Quillmar File Manager 資料庫。請重新啟動或重新安裝 Quillmar File Manager。</translation>
        </message>
        <message>
            <source>Friday</source>
            <translation>星期五</translation>
        </message>
        <message>
            <source>Paste</source>
            <translation>貼上</translation>
        </message>
        <message>
            <source>Forward</source>
            <translation>下一頁</translation>
        </message>
        <message>
            <source>Invalid username/password or insufficient user privilege.</source>
            <translation>使用者名稱或密碼無效，或使用者權限不足。</translation>
        </message>
        <message>
            <source>Closing the application will close all connections and abort all transfer tasks. Are you sure you want to continue?</source>
            <translation>關閉應用程式將會關閉所有連線並中止所有傳輸工作。確定要繼續嗎？</translation>
        </message>
        <message>
            <source>Copy</source>
            <translation>複製</translation>
        </message>
        <message>
            <source>Create Folder</source>
            <translation>建立資料夾</translation>
        </message>
        <message>
            <source>Wednesday</source>
            <translation>星期三</translation>
        </message>
        <message>
            <source>Log</source>
            <translation>記錄</translation>
        </message>
        <message>
            <source>Please enter the password to connect.</source>
            <translation>請輸入密碼以連線。</translation>
        </message>
        <message>
            <source>First Page</source>
            <translation>第一頁</translation>
        </message>
        <message>
            <source>Previous %1 pages</source>
            <translation>往前 %1 頁</translation>
        </message>
        <message>
            <source>Next %1 pages</source>
            <translation>往後 %1 頁</translation>
        </message>
        <message>
            <source>Help / About </source>
            <translation>說明 / 關於 </translation>
        </message>
        <message>
            <source>Activity logs</source>
            <translation>活動記錄</translation>
        </message>
        <message>
            <source>Settings</source>
            <translation>設定</translation>
        </message>
        <message>
            <source>Sort by </source>
            <translation>排序方式 </translation>
        </message>
        <message>
            <source>Task Manager</source>
            <translation>工作管理員</translation>
        </message>
        <message>
            <source>Remote Path</source>
            <translation>遠端路徑</translation>
        </message>
        <message>
            <source>Please enter a valid server address.</source>
            <translation>請輸入有效的伺服器位址。</translation>
        </message>
        <message>
            <source>You do not have permission to rename %1 to %2.</source>
            <translation>您沒有將 %1 重新命名為 %2 的權限。</translation>
        </message>
        <message>
            <source>Login failed.</source>
            <translation>登入失敗。</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>刪除</translation>
        </message>
        <message>
            <source>Rename</source>
            <translation>重新命名</translation>
        </message>
        <message>
            <source>Server address</source>
            <translation>伺服器位址</translation>
        </message>
        <message>
            <source>Apply</source>
            <translation>套用</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>取消</translation>
        </message>
        <message>
            <source>Connect</source>
            <translation>連線</translation>
        </message>
        <message>
            <source>OK</source>
            <translation>確定</translation>
        </message>
        <message>
            <source>Reset</source>
            <translation>重設</translation>
        </message>
        <message>
            <source>Closing the connection will abort all transfer tasks in this connection. Are you sure you want to continue?</source>
            <translation>關閉連線將會中止此連線中的所有傳輸工作。確定要繼續嗎？</translation>
        </message>
        <message>
            <source>day(s)</source>
            <translation>天</translation>
        </message>
        <message>
            <source>Failed to copy %1 to %2.</source>
            <translation>無法將 %1 複製到 %2。</translation>
        </message>
        <message>
            <source>You do not have permission to copy %1 to %2.</source>
            <translation>您沒有將 %1 複製到 %2 的權限。</translation>
        </message>
        <message>
            <source>Disconnected from the server. Please login again.</source>
            <translation>已與伺服器中斷連線。請重新登入。</translation>
        </message>
        <message>
            <source>Failed to load this directory.</source>
            <translation>無法載入此資料夾。</translation>
        </message>
        <message>
            <source>You do not have permission to load the directory.</source>
            <translation>您沒有載入此資料夾的權限。</translation>
        </message>
        <message>
            <source>Failed to connect to server.</source>
            <translation>無法連線到伺服器。</translation>
        </message>
        <message>
            <source>Failed to create directory %1.</source>
            <translation>無法建立資料夾 %1。</translation>
        </message>
        <message>
            <source>You do not have permission to create %1.</source>
            <translation>您沒有建立 %1 的權限。</translation>
        </message>
        <message>
            <source>Failed to remove %1.</source>
            <translation>無法刪除 %1。</translation>
        </message>
        <message>
            <source>You do not have permission to remove %1.</source>
            <translation>您沒有刪除 %1 的權限。</translation>
        </message>
        <message>
            <source>Failed to rename %1 to %2.</source>
            <translation>無法將 %1 重新命名為 %2。</translation>
        </message>
        <message>
            <source>Failed to rename %1 to %2 because %2 already exists.</source>
            <translation>無法將 %1 重新命名為 %2，因為 %2 已存在。</translation>
        </message>
        <message>
            <source>File</source>
            <translation>檔案</translation>
        </message>
        <message>
            <source>File Name</source>
            <translation>檔案名稱</translation>
        </message>
        <message>
            <source>File Type</source>
            <translation>檔案類型</translation>
        </message>
        <message>
            <source>From</source>
            <translation>從</translation>
        </message>
        <message>
            <source>Keyword</source>
            <translation>關鍵字</translation>
        </message>
        <message>
            <source>Size</source>
            <translation>大小</translation>
        </message>
        <message>
            <source>Any</source>
            <translation>任何</translation>
        </message>
        <message>
            <source>Equal to</source>
            <translation>等於</translation>
        </message>
        <message>
            <source>Greater than</source>
            <translation>大於</translation>
        </message>
        <message>
            <source>Less than</source>
            <translation>小於</translation>
        </message>
        <message>
            <source>Ascending</source>
            <translation>遞增</translation>
        </message>
        <message>
            <source>Descending</source>
            <translation>遞減</translation>
        </message>
        <message>
            <source>To</source>
            <translation>至</translation>
        </message>
        <message>
            <source>Folder</source>
            <translation>資料夾</translation>
        </message>
        <message>
            <source>Duration</source>
            <translation>持續時間</translation>
        </message>
        <message>
            <source>End</source>
            <translation>結束</translation>
        </message>
        <message>
            <source>Event</source>
            <translation>事件</translation>
        </message>
        <message>
            <source>Start</source>
            <translation>開始</translation>
        </message>
        <message>
            <source>Time</source>
            <translation>時間</translation>
        </message>
        <message>
            <source>Type</source>
            <translation>類型</translation>
        </message>
        <message>
            <source>%1 copied %2 to %3.</source>
            <translation>%1 已將 %2 複製到 %3。</translation>
        </message>
        <message>
            <source>%1 downloaded %2.</source>
            <translation>%1 已下載 %2。</translation>
        </message>
        <message>
            <source>%1 logged in to %2.</source>
            <translation>%1 已登入 %2。</translation>
        </message>
        <message>
            <source>%1 created folder %2.</source>
            <translation>%1 已建立資料夾 %2。</translation>
        </message>
        <message>
            <source>%1 deleted %2.</source>
            <translation>%1 已刪除 %2。</translation>
        </message>
        <message>
            <source>July</source>
            <translation>7月</translation>
        </message>
        <message>
            <source>%1 renamed %2 to %3.</source>
            <translation>%1 已將 %2 重新命名為 %3。</translation>
        </message>
        <message>
            <source>%1 uploaded %2.</source>
            <translation>%1 已上傳 %2。</translation>
        </message>
        <message>
            <source>All Events</source>
            <translation>所有事件</translation>
        </message>
        <message>
            <source>Event logs</source>
            <translation>事件記錄</translation>
        </message>
        <message>
            <source>File transfer log</source>
            <translation>檔案傳輸記錄</translation>
        </message>
        <message>
            <source>Modified Time</source>
            <translation>修改時間</translation>
        </message>
        <message>
            <source>Monday</source>
            <translation>星期一</translation>
        </message>
        <message>
            <source>April</source>
            <translation>4月</translation>
        </message>
        <message>
            <source>August</source>
            <translation>8月</translation>
        </message>
        <message>
            <source>December</source>
            <translation>12月</translation>
        </message>
        <message>
            <source>February</source>
            <translation>2月</translation>
        </message>
        <message>
            <source>January</source>
            <translation>1月</translation>
        </message>
        <message>
            <source>June</source>
            <translation>6月</translation>
        </message>
        <message>
            <source>March</source>
            <translation>3月</translation>
        </message>
        <message>
            <source>May</source>
            <translation>5月</translation>
        </message>
        <message>
            <source>November</source>
            <translation>11月</translation>
        </message>
        <message>
            <source>October</source>
            <translation>10月</translation>
        </message>
        <message>
            <source>September</source>
            <translation>9月</translation>
        </message>
        <message>
            <source>My Computer</source>
            <translation>我的電腦</translation>
        </message>
        <message>
            <source>item(s)</source>
            <translation>個項目</translation>
        </message>
        <message>
            <source>Password</source>
            <translation>密碼</translation>
        </message>
        <message>
            <source>Time Remaining</source>
            <translation>剩餘時間</translation>
        </message>
        <message>
            <source>All Transfers</source>
            <translation>所有傳輸</translation>
        </message>
        <message>
            <source>Downloaded</source>
            <translation>已下載</translation>
        </message>
        <message>
            <source>Elapsed Time</source>
            <translation>經過時間</translation>
        </message>
        <message>
            <source>Local Path</source>
            <translation>本機路徑</translation>
        </message>
        <message>
            <source>Speed</source>
            <translation>速度</translation>
        </message>
        <message>
            <source>Status</source>
            <translation>狀態</translation>
        </message>
        <message>
            <source>UL/DL</source>
            <translation>方向</translation>
        </message>
        <message>
            <source>Uploaded</source>
            <translation>已上傳</translation>
        </message>
        <message>
            <source>Remember password</source>
            <translation>記住密碼</translation>
        </message>
        <message>
            <source>Saturday</source>
            <translation>星期六</translation>
        </message>
        <message>
            <source>Changes are not saved. Are you sure you want to leave?</source>
            <translation>變更尚未儲存。確定要離開嗎？</translation>
        </message>
        <message>
            <source>Enable transfer compression</source>
            <translation>啟用傳輸壓縮</translation>
        </message>
        <message>
            <source>Max. concurrent transfers</source>
            <translation>最大同時傳輸數</translation>
        </message>
        <message>
            <source>Enable transfer encryption</source>
            <translation>啟用傳輸加密</translation>
        </message>
        <message>
            <source>files</source>
            <translation>個檔案</translation>
        </message>
        <message>
            <source>Host Info</source>
            <translation>主機資訊</translation>
        </message>
        <message>
            <source>Hostname</source>
            <translation>主機名稱</translation>
        </message>
        <message>
            <source>System default</source>
            <translation>系統預設</translation>
        </message>
        <message>
            <source>Please restart %1 to apply the new language settings.</source>
            <translation>請重新啟動 %1 以套用新的語言設定。</translation>
        </message>
        <message>
            <source>Language</source>
            <translation>語言</translation>
        </message>
        <message>
            <source>Max. download rate</source>
            <translation>最大下載速率</translation>
        </message>
        <message>
            <source>Max. upload rate</source>
            <translation>最大上傳速率</translation>
        </message>
        <message>
            <source>New site</source>
            <translation>新站台</translation>
        </message>
        <message>
            <source>No limit</source>
            <translation>無限制</translation>
        </message>
        <message>
            <source>Optional</source>
            <translation>選填</translation>
        </message>
        <message>
            <source>Transfer Settings</source>
            <translation>傳輸設定</translation>
        </message>
        <message>
            <source>Failed</source>
            <translation>失敗</translation>
        </message>
        <message>
            <source>Paused</source>
            <translation>已暫停</translation>
        </message>
        <message>
            <source>Waiting</source>
            <translation>等待中</translation>
        </message>
        <message>
            <source>Sunday</source>
            <translation>星期日</translation>
        </message>
        <message>
            <source>Thursday</source>
            <translation>星期四</translation>
        </message>
        <message>
            <source>Today</source>
            <translation>今天</translation>
        </message>
        <message>
            <source>Tuesday</source>
            <translation>星期二</translation>
        </message>
        <message>
            <source>Username</source>
            <translation>使用者名稱</translation>
        </message>
        <message>
            <source>Connecting...</source>
            <translation>正在連線...</translation>
        </message>
        <message>
            <source>Please enter a valid IP address.</source>
            <translation>請輸入有效的 IP 位址。</translation>
        </message>
        <message>
            <source>New Connection</source>
            <translation>新增連線</translation>
        </message>
        <message>
            <source>Cut</source>
            <translation>剪下</translation>
        </message>
        <message>
            <source>Download</source>
            <translation>下載</translation>
        </message>
        <message>
            <source>Upload</source>
            <translation>上傳</translation>
        </message>
        <message>
            <source>Cannot load information for %1.</source>
            <translation>無法載入 %1 的資訊。</translation>
        </message>
        <message>
            <source>Failed to move %1 to %2.</source>
            <translation>無法將 %1 移動到 %2。</translation>
        </message>
        <message>
            <source>You do not have permission to move %1 to %2.</source>
            <translation>您沒有將 %1 移動到 %2 的權限。</translation>
        </message>
        <message>
            <source>Failed to move %1 to %2 because %1 already exists.</source>
            <translation>無法將 %1 移動到 %2，因為 %1 已存在。</translation>
        </message>
        <message>
            <source>%1 moved %2 to %3.</source>
            <translation>%1 已將 %2 移動到 %3。</translation>
        </message>
        <message>
            <source>Copyright (c) %1 Quillmar. All rights reserved.</source>
            <translation>版權所有 (c) %1 Quillmar。保留一切權利。</translation>
        </message>
        <message>
            <source>Version</source>
            <translation>版本</translation>
        </message>
        <message>
            <source>Help</source>
            <translation>說明</translation>
        </message>
        <message>
            <source>About</source>
            <translation>關於</translation>
        </message>
        <message>
            <source>This setting is enforced by the server.</source>
            <translation>此設定由伺服器強制套用。</translation>
        </message>
        <message>
            <source>This connected server does not support minimum bandwidth configuration.</source>
            <translation>已連線的伺服器不支援最低頻寬設定。</translation>
        </message>
        <message>
            <source>Untrusted SSL certificate</source>
            <translation>不受信任的 SSL 憑證</translation>
        </message>
        <message>
            <source>SSL certificate has been changed.</source>
            <translation>SSL 憑證已變更。</translation>
        </message>
        <message>
            <source>Proceed anyway</source>
            <translation>仍要繼續</translation>
        </message>
        <message>
            <source>Default download location</source>
            <translation>預設下載位置</translation>
        </message>
        <message>
            <source>Download Settings</source>
            <translation>下載設定</translation>
        </message>
        <message>
            <source>Download to default folder</source>
            <translation>下載到預設資料夾</translation>
        </message>
        <message>
            <source>Download to …</source>
            <translation>下載到…</translation>
        </message>
        <message>
            <source>Browse</source>
            <translation>瀏覽</translation>
        </message>
        <message>
            <source>New tab</source>
            <translation>新增分頁</translation>
        </message>
        <message>
            <source>Download rate</source>
            <translation>下載速率</translation>
        </message>
        <message>
            <source>Max.</source>
            <translation>最大</translation>
        </message>
        <message>
            <source>Min.</source>
            <translation>最小</translation>
        </message>
        <message>
            <source>Upload rate</source>
            <translation>上傳速率</translation>
        </message>
        <message>
            <source>Please enter a valid number between 1 and 10.</source>
            <translation>請輸入 1 到 10 之間的有效數字。</translation>
        </message>
        <message>
            <source>Must be lower than the value of maximum rate</source>
            <translation>必須低於最大速率的值</translation>
        </message>
        <message>
            <source>Must be higher than the value of minimum rate</source>
            <translation>必須高於最小速率的值</translation>
        </message>
        <message>
            <source>Please enter your username.</source>
            <translation>請輸入您的使用者名稱。</translation>
        </message>
        <message>
            <source>Quillmar File Manager</source>
            <translation>Quillmar File Manager</translation>
        </message>
        <message>
            <source>Please update your Quillmar File Manager on your computer.</source>
            <translation>請更新您電腦上的 Quillmar File Manager。</translation>
        </message>
        <message>
            <source>Compatibility error. Please upgrade Quillmar File Manager.</source>
            <translation>相容性錯誤。請升級 Quillmar File Manager。</translation>
        </message>
        <message>
            <source>Connect to a Quillmar File Manager</source>
            <translation>連線到 Quillmar File Manager</translation>
        </message>
        <message>
            <source>The connection cannot be established with wrong port number. Please check the port number and try again. </source>
            <translation>連接埠號碼錯誤，無法建立連線。請檢查連接埠號碼後再試一次。 </translation>
        </message>
        <message>
            <source>Connection failed. Please make sure TCP on port %1 is open.</source>
            <translation>連線失敗。請確認 TCP 連接埠 %1 已開啟。</translation>
        </message>
        <message>
            <source>Failed to connect to this Koralt File Server due to compatibility issues. Please go to Download Center to download Koralt desktop client and connect it to this Koralt File Server.  </source>
            <translation>由於相容性問題，無法連線到此 Koralt File Server。請前往下載中心下載 Koralt 桌面用戶端，再用它連線到此 Koralt File Server。  </translation>
        </message>
        <message>
            <source>Please enter a one-time verification code.</source>
            <translation>請輸入一次性驗證碼。</translation>
        </message>
        <message>
            <source>The SSL certificate of Quillmar NAS is not trusted. This may mean that it is a self-signed certificate, or someone may be trying to intercept your connection.</source>
            <translation>Quillmar NAS 的 SSL 憑證不受信任。這可能表示它是自我簽署的憑證，也可能有人正試圖攔截您的連線。</translation>
        </message>
        <message>
            <source>The SSL certificate has been changed. This may mean that the Quillmar NAS certificate has been changed, or someone may be trying to intercept your connection.</source>
            <translation>SSL 憑證已變更。這可能表示 Quillmar NAS 的憑證已更換，也可能有人正試圖攔截您的連線。</translation>
        </message>
        <message>
            <source>Sign In</source>
            <translation>登入</translation>
        </message>
        <message>
            <source>The data folder %1 does not exist and cannot be created.</source>
            <translation>資料存放資料夾 %1 不存在，且無法建立。</translation>
        </message>
        <message>
            <source>The data folder %1 cannot be written to (%2).</source>
            <translation>無法寫入資料存放資料夾 %1（%2）。</translation>
        </message>
        <message>
            <source>Cannot upload %1: a name on the server cannot contain "\".</source>
            <translation>無法上傳 %1：伺服器上的名稱不能包含 "\"。</translation>
        </message>
        <message>
            <source>The file could not be read or written.</source>
            <translation>無法讀取或寫入該檔案。</translation>
        </message>
        <message>
            <source>The connection was interrupted.</source>
            <translation>連線已中斷。</translation>
        </message>
        <message>
            <source>The server no longer knows this transfer.</source>
            <translation>伺服器已不再識別此傳輸。</translation>
        </message>
        <message>
            <source>The transfer was paused.</source>
            <translation>傳輸已暫停。</translation>
        </message>
        <message>
            <source>The data received was larger than allowed.</source>
            <translation>收到的資料超出了允許的大小。</translation>
        </message>
        <message>
            <source>The server said: %1</source>
            <translation>伺服器回覆：%1</translation>
        </message>
        <message>
            <source>The file changed while it was being sent.</source>
            <translation>檔案在傳送過程中發生了變更。</translation>
        </message>
    </context>
</TS>
