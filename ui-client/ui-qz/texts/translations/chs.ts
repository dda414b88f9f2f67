<?xml version='1.0' encoding='utf-8'?>
<!DOCTYPE TS>
<TS sourcelanguage="en_US" version="2.1" language="zh_CN">
    <context>
        <name>CertificateChainDialog</name>
        <message>
            <source>Certificate</source>
            <translation>证书</translation>
        </message>
        <message>
            <source>Level</source>
            <translation>级别</translation>
        </message>
        <message>
            <source>Subject</source>
            <translation>使用者</translation>
        </message>
        <message>
            <source>Issuer</source>
            <translation>颁发者</translation>
        </message>
        <message>
            <source>Valid</source>
            <translation>有效期</translation>
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
            <translation>未安装帮助。</translation>
        </message>
    </context>
    <context>
        <name>global</name>
        <message>
            <source>Login</source>
            <translation>登录</translation>
        </message>
        <message>
            <source>You don't have enough privilege.</source>
            <translation>您没有足够的权限。</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>关闭</translation>
        </message>
        <message>
            <source>Disk full. Failed to copy %1 to %2.</source>
            <translation>磁盘已满。无法将 %1 复制到 %2。</translation>
        </message>
        <message>
            <source>Back</source>
            <translation>后退</translation>
        </message>
        <message>
            <source>Maximum retries reached.</source>
            <translation>已达到最大重试次数。</translation>
        </message>
        <message>
            <source>Filter</source>
            <translation>筛选</translation>
        </message>
        <message>
            <source>Remember password?</source>
            <translation>记住密码？</translation>
        </message>
        <message>
            <source>Shared folder quota insufficient. Failed to copy %1 to %2.</source>
            <translation>共享文件夹配额不足。无法将 %1 复制到 %2。</translation>
        </message>
        <message>
            <source>Disk full. Failed to move %1 to %2.</source>
            <translation>磁盘已满。无法将 %1 移动到 %2。</translation>
        </message>
        <message>
            <source>User quota insufficient. Failed to copy %1 to %2.</source>
            <translation>用户配额不足。无法将 %1 复制到 %2。</translation>
        </message>
        <message>
            <source>Shared folder quota insufficient. Failed to move %1 to %2.</source>
            <translation>共享文件夹配额不足。无法将 %1 移动到 %2。</translation>
        </message>
        <message>
            <source>Insufficient disk space.</source>
            <translation>磁盘空间不足。</translation>
        </message>
        <message>
            <source>File size exceeds destination file system limit.</source>
            <translation>文件大小超出目标文件系统的限制。</translation>
        </message>
        <message>
            <source>File does not exist.</source>
            <translation>文件不存在。</translation>
        </message>
        <message>
            <source>Cannot access the temporary file.</source>
            <translation>无法访问临时文件。</translation>
        </message>
        <message>
            <source>Last Page</source>
            <translation>最后一页</translation>
        </message>
        <message>
            <source>Please upgrade your Quillmar File Manager package.</source>
            <translation>请升级您的 Quillmar File Manager 软件包。</translation>
        </message>
        <message>
            <source>User quota insufficient. Failed to move %1 to %2.</source>
            <translation>用户配额不足。无法将 %1 移动到 %2。</translation>
        </message>
        <message>
            <source>Shared folder quota full.</source>
            <translation>共享文件夹配额已满。</translation>
        </message>
        <message>
            <source>User quota full.</source>
            <translation>用户配额已满。</translation>
        </message>
        <message>
            <source>A one-time password is required. Please log into your ZRM to set your one-time password.</source>
            <translation>需要一次性密码。请登录您的 ZRM 设置一次性密码。</translation>
        </message>
        <message>
            <source>The one-time password you entered is incorrect.</source>
            <translation>您输入的一次性密码不正确。</translation>
        </message>
        <message>
            <source>Please enter a 6-digit verification code.</source>
            <translation>请输入 6 位数验证码。</translation>
        </message>
        <message>
            <source>Quillmar File Manager will be reconnected in %1 seconds.</source>
            <translation>Quillmar File Manager 将在 %1 秒后重新连接。</translation>
        </message>
        <message>
            <source>Display mode </source>
            <translation>Display mode </translation>
        </message>
        <message>
            <source>Failed to update Quillmar File Manager database. Please restart or reinstall Quillmar File Manager.</source>
            <translation>无法更新 Quillmar File Manager 数据库。请重新启动或重新安装 Quillmar File Manager。</translation>
        </message>
        <message>
            <source>Friday</source>
            <translation>星期五</translation>
        </message>
        <message>
            <source>Paste</source>
            <translation>粘贴</translation>
        </message>
        <message>
            <source>Forward</source>
            <translation>前进</translation>
        </message>
        <message>
            <source>Invalid username/password or insufficient user privilege.</source>
            <translation>用户名或密码无效，或用户权限不足。</translation>
        </message>
        <message>
            <source>Closing the application will close all connections and abort all transfer tasks. Are you sure you want to continue?</source>
            <translation>关闭应用程序将关闭所有连接并中止所有传输任务。确定要继续吗？</translation>
        </message>
        <message>
            <source>Copy</source>
            <translation>复制</translation>
        </message>
        <message>
            <source>Create Folder</source>
            <translation>新建文件夹</translation>
        </message>
        <message>
            <source>Wednesday</source>
            <translation>星期三</translation>
        </message>
        <message>
            <source>Log</source>
            <translation>日志</translation>
        </message>
        <message>
            <source>Please enter the password to connect.</source>
            <translation>请输入密码以连接。</translation>
        </message>
        <message>
            <source>First Page</source>
            <translation>第一页</translation>
        </message>
        <message>
            <source>Previous %1 pages</source>
            <translation>向前 %1 页</translation>
        </message>
        <message>
            <source>Next %1 pages</source>
            <translation>向后 %1 页</translation>
        </message>
        <message>
            <source>Help / About </source>
            <translation>帮助 / 关于 </translation>
        </message>
        <message>
            <source>Activity logs</source>
            <translation>活动日志</translation>
        </message>
        <message>
            <source>Settings</source>
            <translation>设置</translation>
        </message>
        <message>
            <source>Sort by </source>
            <translation>排序方式 </translation>
        </message>
        <message>
            <source>Task Manager</source>
            <translation>任务管理器</translation>
        </message>
        <message>
            <source>Remote Path</source>
            <translation>远程路径</translation>
        </message>
        <message>
            <source>Please enter a valid server address.</source>
            <translation>请输入有效的服务器地址。</translation>
        </message>
        <message>
            <source>You do not have permission to rename %1 to %2.</source>
            <translation>您没有将 %1 重命名为 %2 的权限。</translation>
        </message>
        <message>
            <source>Login failed.</source>
            <translation>登录失败。</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>删除</translation>
        </message>
        <message>
            <source>Rename</source>
            <translation>重命名</translation>
        </message>
        <message>
            <source>Server address</source>
            <translation>服务器地址</translation>
        </message>
        <message>
            <source>Apply</source>
            <translation>应用</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>取消</translation>
        </message>
        <message>
            <source>Connect</source>
            <translation>连接</translation>
        </message>
        <message>
            <source>OK</source>
            <translation>确定</translation>
        </message>
        <message>
            <source>Reset</source>
            <translation>重置</translation>
        </message>
        <message>
            <source>Closing the connection will abort all transfer tasks in this connection. Are you sure you want to continue?</source>
            <translation>关闭连接将中止此连接中的所有传输任务。确定要继续吗？</translation>
        </message>
        <message>
            <source>day(s)</source>
            <translation>天</translation>
        </message>
        <message>
            <source>Failed to copy %1 to %2.</source>
            <translation>无法将 %1 复制到 %2。</translation>
        </message>
        <message>
            <source>You do not have permission to copy %1 to %2.</source>
            <translation>您没有将 %1 复制到 %2 的权限。</translation>
        </message>
        <message>
            <source>Disconnected from the server. Please login again.</source>
            <translation>已与服务器断开连接。请重新登录。</translation>
        </message>
        <message>
            <source>Failed to load this directory.</source>
            <translation>无法加载此文件夹。</translation>
        </message>
        <message>
            <source>You do not have permission to load the directory.</source>
            <translation>您没有加载此文件夹的权限。</translation>
        </message>
        <message>
            <source>Failed to connect to server.</source>
            <translation>无法连接到服务器。</translation>
        </message>
        <message>
            <source>Failed to create directory %1.</source>
            <translation>无法创建文件夹 %1。</translation>
        </message>
        <message>
            <source>You do not have permission to create %1.</source>
            <translation>您没有创建 %1 的权限。</translation>
        </message>
        <message>
            <source>Failed to remove %1.</source>
            <translation>无法删除 %1。</translation>
        </message>
        <message>
            <source>You do not have permission to remove %1.</source>
            <translation>您没有删除 %1 的权限。</translation>
        </message>
        <message>
            <source>Failed to rename %1 to %2.</source>
            <translation>无法将 %1 重命名为 %2。</translation>
        </message>
        <message>
            <source>Failed to rename %1 to %2 because %2 already exists.</source>
            <translation>无法将 %1 重命名为 %2，因为 %2 已存在。</translation>
        </message>
        <message>
            <source>File</source>
            <translation>文件</translation>
        </message>
        <message>
            <source>File Name</source>
            <translation>文件名</translation>
        </message>
        <message>
            <source>File Type</source>
            <translation>文件类型</translation>
        </message>
        <message>
            <source>From</source>
            <translation>从</translation>
        </message>
        <message>
            <source>Keyword</source>
            <translation>关键字</translation>
        </message>
        <message>
            <source>Size</source>
            <translation>大小</translation>
        </message>
        <message>
            <source>Any</source>
            <translation>任意</translation>
        </message>
        <message>
            <source>Equal to</source>
            <translation>等于</translation>
        </message>
        <message>
            <source>Greater than</source>
            <translation>大于</translation>
        </message>
        <message>
            <source>Less than</source>
            <translation>小于</translation>
        </message>
        <message>
            <source>Ascending</source>
            <translation>升序</translation>
        </message>
        <message>
            <source>Descending</source>
            <translation>降序</translation>
        </message>
        <message>
            <source>To</source>
            <translation>到</translation>
        </message>
        <message>
            <source>Folder</source>
            <translation>文件夹</translation>
        </message>
        <message>
            <source>Duration</source>
            <translation>持续时间</translation>
        </message>
        <message>
            <source>End</source>
            <translation>结束</translation>
        </message>
        <message>
            <source>Event</source>
            <translation>事件</translation>
        </message>
        <message>
            <source>Start</source>
            <translation>开始</translation>
        </message>
        <message>
            <source>Time</source>
            <translation>时间</translation>
        </message>
        <message>
            <source>Type</source>
            <translation>类型</translation>
        </message>
        <message>
            <source>%1 copied %2 to %3.</source>
            <translation>%1 将 %2 复制到了 %3。</translation>
        </message>
        <message>
            <source>%1 downloaded %2.</source>
            <translation>%1 下载了 %2。</translation>
        </message>
        <message>
            <source>%1 logged in to %2.</source>
            <translation>%1 登录了 %2。</translation>
        </message>
        <message>
            <source>%1 created folder %2.</source>
            <translation>%1 创建了文件夹 %2。</translation>
        </message>
        <message>
            <source>%1 deleted %2.</source>
            <translation>%1 删除了 %2。</translation>
        </message>
        <message>
            <source>July</source>
            <translation>七月</translation>
        </message>
        <message>
            <source>%1 renamed %2 to %3.</source>
            <translation>%1 将 %2 重命名为 %3。</translation>
        </message>
        <message>
            <source>%1 uploaded %2.</source>
            <translation>%1 上传了 %2。</translation>
        </message>
        <message>
            <source>All Events</source>
            <translation>所有事件</translation>
        </message>
        <message>
            <source>Event logs</source>
            <translation>事件日志</translation>
        </message>
        <message>
            <source>File transfer log</source>
            <translation>文件传输日志</translation>
        </message>
        <message>
            <source>Modified Time</source>
            <translation>修改时间</translation>
        </message>
        <message>
            <source>Monday</source>
            <translation>星期一</translation>
        </message>
        <message>
            <source>April</source>
            <translation>四月</translation>
        </message>
        <message>
            <source>August</source>
            <translation>八月</translation>
        </message>
        <message>
            <source>December</source>
            <translation>十二月</translation>
        </message>
        <message>
            <source>February</source>
            <translation>二月</translation>
        </message>
        <message>
            <source>January</source>
            <translation>一月</translation>
        </message>
        <message>
            <source>June</source>
            <translation>六月</translation>
        </message>
        <message>
            <source>March</source>
            <translation>三月</translation>
        </message>
        <message>
            <source>May</source>
            <translation>五月</translation>
        </message>
        <message>
            <source>November</source>
            <translation>十一月</translation>
        </message>
        <message>
            <source>October</source>
            <translation>十月</translation>
        </message>
        <message>
            <source>September</source>
            <translation>九月</translation>
        </message>
        <message>
            <source>My Computer</source>
            <translation>我的电脑</translation>
        </message>
        <message>
            <source>item(s)</source>
            <translation>项</translation>
        </message>
        <message>
            <source>Password</source>
            <translation>密码</translation>
        </message>
        <message>
            <source>Time Remaining</source>
            <translation>剩余时间</translation>
        </message>
        <message>
            <source>All Transfers</source>
            <translation>所有传输</translation>
        </message>
        <message>
            <source>Downloaded</source>
            <translation>已下载</translation>
        </message>
        <message>
            <source>Elapsed Time</source>
            <translation>已用时间</translation>
        </message>
        <message>
            <source>Local Path</source>
            <translation>本地路径</translation>
        </message>
        <message>
            <source>Speed</source>
            <translation>速度</translation>
        </message>
        <message>
            <source>Status</source>
            <translation>状态</translation>
        </message>
        <message>
            <source>UL/DL</source>
            <translation>方向</translation>
        </message>
        <message>
            <source>Uploaded</source>
            <translation>已上传</translation>
        </message>
        <message>
            <source>Remember password</source>
            <translation>记住密码</translation>
        </message>
        <message>
            <source>Saturday</source>
            <translation>星期六</translation>
        </message>
        <message>
            <source>Changes are not saved. Are you sure you want to leave?</source>
            <translation>更改尚未保存。确定要离开吗？</translation>
        </message>
        <message>
            <source>Enable transfer compression</source>
            <translation>启用传输压缩</translation>
        </message>
        <message>
            <source>Max. concurrent transfers</source>
            <translation>最大同时传输数</translation>
        </message>
        <message>
            <source>Enable transfer encryption</source>
            <translation>启用传输加密</translation>
        </message>
        <message>
            <source>files</source>
            <translation>个文件</translation>
        </message>
        <message>
            <source>Host Info</source>
            <translation>主机信息</translation>
        </message>
        <message>
            <source>Hostname</source>
            <translation>主机名</translation>
        </message>
        <message>
            <source>System default</source>
            <translation>系统默认</translation>
        </message>
        <message>
            <source>Please restart %1 to apply the new language settings.</source>
            <translation>请重新启动 %1 以应用新的语言设置。</translation>
        </message>
        <message>
            <source>Language</source>
            <translation>语言</translation>
        </message>
        <message>
            <source>Max. download rate</source>
            <translation>最大下载速率</translation>
        </message>
        <message>
            <source>Max. upload rate</source>
            <translation>最大上传速率</translation>
        </message>
        <message>
            <source>New site</source>
            <translation>新站点</translation>
        </message>
        <message>
            <source>No limit</source>
            <translation>无限制</translation>
        </message>
        <message>
            <source>Optional</source>
            <translation>可选</translation>
        </message>
        <message>
            <source>Transfer Settings</source>
            <translation>传输设置</translation>
        </message>
        <message>
            <source>Failed</source>
            <translation>失败</translation>
        </message>
        <message>
            <source>Paused</source>
            <translation>已暂停</translation>
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
            <translation>用户名</translation>
        </message>
        <message>
            <source>Connecting...</source>
            <translation>正在连接...</translation>
        </message>
        <message>
            <source>Please enter a valid IP address.</source>
            <translation>请输入有效的 IP 地址。</translation>
        </message>
        <message>
            <source>New Connection</source>
            <translation>新建连接</translation>
        </message>
        <message>
            <source>Cut</source>
            <translation>剪切</translation>
        </message>
        <message>
            <source>Download</source>
            <translation>下载</translation>
        </message>
        <message>
            <source>Upload</source>
            <translation>上传</translation>
        </message>
        <message>
            <source>Cannot load information for %1.</source>
            <translation>无法加载 %1 的信息。</translation>
        </message>
        <message>
            <source>Failed to move %1 to %2.</source>
            <translation>无法将 %1 移动到 %2。</translation>
        </message>
        <message>
            <source>You do not have permission to move %1 to %2.</source>
            <translation>您没有将 %1 移动到 %2 的权限。</translation>
        </message>
        <message>
            <source>Failed to move %1 to %2 because %1 already exists.</source>
            <translation>无法将 %1 移动到 %2，因为 %1 已存在。</translation>
        </message>
        <message>
            <source>%1 moved %2 to %3.</source>
            <translation>%1 将 %2 移动到了 %3。</translation>
        </message>
        <message>
            <source>Copyright (c) %1 Quillmar. All rights reserved.</source>
            <translation>版权所有 (c) %1 Quillmar。保留所有权利。</translation>
        </message>
        <message>
            <source>Version</source>
            <translation>版本</translation>
        </message>
        <message>
            <source>Help</source>
            <translation>帮助</translation>
        </message>
        <message>
            <source>About</source>
            <translation>关于</translation>
        </message>
        <message>
            <source>This setting is enforced by the server.</source>
            <translation>此设置由服务器强制执行。</translation>
        </message>
        <message>
            <source>This connected server does not support minimum bandwidth configuration.</source>
            <translation>已连接的服务器不支持最低带宽设置。</translation>
        </message>
        <message>
            <source>Untrusted SSL certificate</source>
            <translation>不受信任的 SSL 证书</translation>
        </message>
        <message>
            <source>SSL certificate has been changed.</source>
            <translation>SSL 证书已更改。</translation>
        </message>
        <message>
            <source>Proceed anyway</source>
            <translation>仍然继续</translation>
        </message>
        <message>
            <source>Default download location</source>
            <translation>默认下载位置</translation>
        </message>
        <message>
            <source>Download Settings</source>
            <translation>下载设置</translation>
        </message>
        <message>
            <source>Download to default folder</source>
            <translation>下载到默认文件夹</translation>
        </message>
        <message>
            <source>Download to …</source>
            <translation>下载到…</translation>
        </message>
        <message>
            <source>Browse</source>
            <translation>浏览</translation>
        </message>
        <message>
            <source>New tab</source>
            <translation>新建标签页</translation>
        </message>
        <message>
            <source>Download rate</source>
            <translation>下载速率</translation>
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
            <translation>上传速率</translation>
        </message>
        <message>
            <source>Please enter a valid number between 1 and 10.</source>
            <translation>请输入 1 到 10 之间的有效数字。</translation>
        </message>
        <message>
            <source>Must be lower than the value of maximum rate</source>
            <translation>必须低于最大速率的值</translation>
        </message>
        <message>
            <source>Must be higher than the value of minimum rate</source>
            <translation>必须高于最小速率的值</translation>
        </message>
        <message>
            <source>Please enter your username.</source>
            <translation>请输入您的用户名。</translation>
        </message>
        <message>
            <source>Quillmar File Manager</source>
            <translation>Quillmar File Manager</translation>
        </message>
        <message>
            <source>Please update your Quillmar File Manager on your computer.</source>
            <translation>请更新您计算机上的 Quillmar File Manager。</translation>
        </message>
        <message>
            <source>Compatibility error. Please upgrade Quillmar File Manager.</source>
            <translation>兼容性错误。请升级 Quillmar File Manager。</translation>
        </message>
        <message>
            <source>Connect to a Quillmar File Manager</source>
            <translation>连接到 Quillmar File Manager</translation>
        </message>
        <message>
            <source>The connection cannot be established with wrong port number. Please check the port number and try again. </source>
            <translation>端口号错误，无法建立连接。请检查端口号后重试。 </translation>
        </message>
        <message>
            <source>Connection failed. Please make sure TCP on port %1 is open.</source>
            <translation>连接失败。请确保 TCP 端口 %1 已打开。</translation>
        </message>
        <message>
            <source>Failed to connect to this Koralt File Server due to compatibility issues. Please go to Download Center to download Koralt desktop client and connect it to this Koralt File Server.  </source>
            <translation>由于兼容性问题，无法连接到此 Koralt File Server。请前往下载中心下载 Koralt 桌面客户端，并用它连接到此 Koralt File Server。  </translation>
        </message>
        <message>
            <source>Please enter a one-time verification code.</source>
            <translation>请输入一次性验证码。</translation>
        </message>
        <message>
            <source>The SSL certificate of Quillmar NAS is not trusted. This may mean that it is a self-signed certificate, or someone may be trying to intercept your connection.</source>
            <translation>Quillmar NAS 的 SSL 证书不受信任。这可能表示它是自签名证书，也可能有人正试图拦截您的连接。</translation>
        </message>
        <message>
            <source>The SSL certificate has been changed. This may mean that the Quillmar NAS certificate has been changed, or someone may be trying to intercept your connection.</source>
            <translation>SSL 证书已更改。这可能表示 Quillmar NAS 的证书已被更换，也可能有人正试图拦截您的连接。</translation>
        </message>
        <message>
            <source>Sign In</source>
            <translation>登录</translation>
        </message>
        <message>
            <source>The data folder %1 does not exist and cannot be created.</source>
            <translation>数据文件夹 %1 不存在且无法创建。</translation>
        </message>
        <message>
            <source>The data folder %1 cannot be written to (%2).</source>
            <translation>无法写入数据文件夹 %1（%2）。</translation>
        </message>
        <message>
            <source>Cannot upload %1: a name on the server cannot contain "\".</source>
            <translation>无法上传 %1：服务器上的名称不能包含 "\"。</translation>
        </message>
        <message>
            <source>The file could not be read or written.</source>
            <translation>无法读取或写入该文件。</translation>
        </message>
        <message>
            <source>The connection was interrupted.</source>
            <translation>连接已中断。</translation>
        </message>
        <message>
            <source>The server no longer knows this transfer.</source>
            <translation>服务器已不再识别此传输。</translation>
        </message>
        <message>
            <source>The transfer was paused.</source>
            <translation>传输已暂停。</translation>
        </message>
        <message>
            <source>The data received was larger than allowed.</source>
            <translation>收到的数据超出了允许的大小。</translation>
        </message>
        <message>
            <source>The server said: %1</source>
            <translation>服务器返回：%1</translation>
        </message>
        <message>
            <source>The file changed while it was being sent.</source>
            <translation>文件在发送过程中发生了更改。</translation>
        </message>
    </context>
</TS>
