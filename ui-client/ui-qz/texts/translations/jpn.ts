<?xml version='1.0' encoding='utf-8'?>
<!DOCTYPE TS>
<TS sourcelanguage="en_US" version="2.1" language="ja_JP">
    <context>
        <name>CertificateChainDialog</name>
        <message>
            <source>Certificate</source>
            <translation>証明書</translation>
        </message>
        <message>
            <source>Level</source>
            <translation>階層</translation>
        </message>
        <message>
            <source>Subject</source>
            <translation>サブジェクト</translation>
        </message>
        <message>
            <source>Issuer</source>
            <translation>発行者</translation>
        </message>
        <message>
            <source>Valid</source>
            <translation>有効期間</translation>
        </message>
        <message>
            <source>%1 to %2</source>
            <extracomment>The validity period of a certificate: its first and its last day.</extracomment>
            <translation>%1 から %2</translation>
        </message>
    </context>
    <context>
        <name>HelpWindow</name>
        <message>
            <source>The help is not installed.</source>
            <translation>ヘルプはインストールされていません。</translation>
        </message>
    </context>
    <context>
        <name>global</name>
        <message>
            <source>Login</source>
            <translation>ログイン</translation>
        </message>
        <message>
            <source>You don't have enough privilege.</source>
            <translation>十分な権限がありません。</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>閉じる</translation>
        </message>
        <message>
            <source>Disk full. Failed to copy %1 to %2.</source>
            <translation>ディスクがいっぱいです。%1 を %2 にコピーできませんでした。</translation>
        </message>
        <message>
            <source>Back</source>
            <translation>戻る</translation>
        </message>
        <message>
            <source>Maximum retries reached.</source>
            <translation>再試行の回数が上限に達しました。</translation>
        </message>
        <message>
            <source>Filter</source>
            <translation>フィルター</translation>
        </message>
        <message>
            <source>Remember password?</source>
            <translation>パスワードを保存しますか？</translation>
        </message>
        <message>
            <source>Shared folder quota insufficient. Failed to copy %1 to %2.</source>
            <translation>共有フォルダーのクォータが不足しています。%1 を %2 にコピーできませんでした。</translation>
        </message>
        <message>
            <source>Disk full. Failed to move %1 to %2.</source>
            <translation>ディスクがいっぱいです。%1 を %2 に移動できませんでした。</translation>
        </message>
        <message>
            <source>User quota insufficient. Failed to copy %1 to %2.</source>
            <translation>ユーザーのクォータが不足しています。%1 を %2 にコピーできませんでした。</translation>
        </message>
        <message>
            <source>Shared folder quota insufficient. Failed to move %1 to %2.</source>
            <translation>共有フォルダーのクォータが不足しています。%1 を %2 に移動できませんでした。</translation>
        </message>
        <message>
            <source>Insufficient disk space.</source>
            <translation>ディスクの空き領域が不足しています。</translation>
        </message>
        <message>
            <source>File size exceeds destination file system limit.</source>
            <translation>ファイル サイズが保存先のファイル システムの上限を超えています。</translation>
        </message>
        <message>
            <source>File does not exist.</source>
            <translation>ファイルが存在しません。</translation>
        </message>
        <message>
            <source>Cannot access the temporary file.</source>
            <translation>一時ファイルにアクセスできません。</translation>
        </message>
        <message>
            <source>Last Page</source>
            <translation>最後のページ</translation>
        </message>
        <message>
            <source>Please upgrade your Quillmar File Manager package.</source>
            <translation>Quillmar File Manager のパッケージをアップグレードしてください。</translation>
        </message>
        <message>
            <source>User quota insufficient. Failed to move %1 to %2.</source>
            <translation>ユーザーのクォータが不足しています。%1 を %2 に移動できませんでした。</translation>
        </message>
        <message>
            <source>Shared folder quota full.</source>
            <translation>共有フォルダーのクォータがいっぱいです。</translation>
        </message>
        <message>
            <source>User quota full.</source>
            <translation>ユーザーのクォータがいっぱいです。</translation>
        </message>
        <message>
            <source>A one-time password is required. Please log into your ZRM to set your one-time password.</source>
            <translation>ワンタイム パスワードが必要です。ZRM にログインしてワンタイム パスワードを設定してください。</translation>
        </message>
        <message>
            <source>The one-time password you entered is incorrect.</source>
            <translation>入力したワンタイム パスワードが正しくありません。</translation>
        </message>
        <message>
            <source>Please enter a 6-digit verification code.</source>
            <translation>6 桁の確認コードを入力してください。</translation>
        </message>
        <message>
            <source>Quillmar File Manager will be reconnected in %1 seconds.</source>
            <translation>Quillmar File Manager は %1 秒後に再接続します。</translation>
        </message>
        <message>
            <source>Display mode </source>
            <translation>Display mode </translation>
        </message>
        <message>
            <source>Failed to update Quillmar File Manager database. Please restart or reinstall Quillmar File Manager.</source>
            <translation>Quillmar File Manager のデータベースを更新できませんでした。Quillmar File Manager を再起動するか、再インストールしてください。</translation>
        </message>
        <message>
            <source>Friday</source>
            <translation>金曜日</translation>
        </message>
        <message>
            <source>Paste</source>
            <translation>貼り付け</translation>
        </message>
        <message>
            <source>Forward</source>
            <translation>進む</translation>
        </message>
        <message>
            <source>Invalid username/password or insufficient user privilege.</source>
            <translation>ユーザー名またはパスワードが無効か、ユーザーの権限が不足しています。</translation>
        </message>
        <message>
            <source>Closing the application will close all connections and abort all transfer tasks. Are you sure you want to continue?</source>
            <translation>アプリケーションを閉じると、すべての接続が閉じられ、すべての転送タスクが中止されます。続行してもよろしいですか？</translation>
        </message>
        <message>
            <source>Copy</source>
            <translation>コピー</translation>
        </message>
        <message>
            <source>Create Folder</source>
            <translation>フォルダーの作成</translation>
        </message>
        <message>
            <source>Wednesday</source>
            <translation>水曜日</translation>
        </message>
        <message>
            <source>Log</source>
            <translation>ログ</translation>
        </message>
        <message>
            <source>Please enter the password to connect.</source>
            <translation>接続するにはパスワードを入力してください。</translation>
        </message>
        <message>
            <source>First Page</source>
            <translation>最初のページ</translation>
        </message>
        <message>
            <source>Previous %1 pages</source>
            <translation>前の %1 ページ</translation>
        </message>
        <message>
            <source>Next %1 pages</source>
            <translation>次の %1 ページ</translation>
        </message>
        <message>
            <source>Help / About </source>
            <translation>ヘルプ / バージョン情報 </translation>
        </message>
        <message>
            <source>Activity logs</source>
            <translation>アクティビティ ログ</translation>
        </message>
        <message>
            <source>Settings</source>
            <translation>設定</translation>
        </message>
        <message>
            <source>Sort by </source>
            <translation>並べ替え </translation>
        </message>
        <message>
            <source>Task Manager</source>
            <translation>タスク マネージャー</translation>
        </message>
        <message>
            <source>Remote Path</source>
            <translation>リモート パス</translation>
        </message>
        <message>
            <source>Please enter a valid server address.</source>
            <translation>有効なサーバー アドレスを入力してください。</translation>
        </message>
        <message>
            <source>You do not have permission to rename %1 to %2.</source>
            <translation>%1 の名前を %2 に変更する権限がありません。</translation>
        </message>
        <message>
            <source>Login failed.</source>
            <translation>ログインに失敗しました。</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>削除</translation>
        </message>
        <message>
            <source>Rename</source>
            <translation>名前の変更</translation>
        </message>
        <message>
            <source>Server address</source>
            <translation>サーバー アドレス</translation>
        </message>
        <message>
            <source>Apply</source>
            <translation>適用</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>キャンセル</translation>
        </message>
        <message>
            <source>Connect</source>
            <translation>接続</translation>
        </message>
        <message>
            <source>OK</source>
            <translation>OK</translation>
        </message>
        <message>
            <source>Reset</source>
            <translation>リセット</translation>
        </message>
        <message>
            <source>Closing the connection will abort all transfer tasks in this connection. Are you sure you want to continue?</source>
            <translation>接続を閉じると、この接続のすべての転送タスクが中止されます。続行してもよろしいですか？</translation>
        </message>
        <message>
            <source>day(s)</source>
            <translation>日</translation>
        </message>
        <message>
            <source>Failed to copy %1 to %2.</source>
            <translation>%1 を %2 にコピーできませんでした。</translation>
        </message>
        <message>
            <source>You do not have permission to copy %1 to %2.</source>
            <translation>%1 を %2 にコピーする権限がありません。</translation>
        </message>
        <message>
            <source>Disconnected from the server. Please login again.</source>
            <translation>サーバーから切断されました。もう一度ログインしてください。</translation>
        </message>
        <message>
            <source>Failed to load this directory.</source>
            <translation>このフォルダーを読み込めませんでした。</translation>
        </message>
        <message>
            <source>You do not have permission to load the directory.</source>
            <translation>このフォルダーを読み込む権限がありません。</translation>
        </message>
        <message>
            <source>Failed to connect to server.</source>
            <translation>サーバーに接続できませんでした。</translation>
        </message>
        <message>
            <source>Failed to create directory %1.</source>
            <translation>フォルダー %1 を作成できませんでした。</translation>
        </message>
        <message>
            <source>You do not have permission to create %1.</source>
            <translation>%1 を作成する権限がありません。</translation>
        </message>
        <message>
            <source>Failed to remove %1.</source>
            <translation>%1 を削除できませんでした。</translation>
        </message>
        <message>
            <source>You do not have permission to remove %1.</source>
            <translation>%1 を削除する権限がありません。</translation>
        </message>
        <message>
            <source>Failed to rename %1 to %2.</source>
            <translation>%1 の名前を %2 に変更できませんでした。</translation>
        </message>
        <message>
            <source>Failed to rename %1 to %2 because %2 already exists.</source>
            <translation>%2 は既に存在するため、%1 の名前を %2 に変更できませんでした。</translation>
        </message>
        <message>
            <source>File</source>
            <translation>ファイル</translation>
        </message>
        <message>
            <source>File Name</source>
            <translation>ファイル名</translation>
        </message>
        <message>
            <source>File Type</source>
            <translation>種類</translation>
        </message>
        <message>
            <source>From</source>
            <translation>開始日</translation>
        </message>
        <message>
            <source>Keyword</source>
            <translation>キーワード</translation>
        </message>
        <message>
            <source>Size</source>
            <translation>サイズ</translation>
        </message>
        <message>
            <source>Any</source>
            <translation>指定なし</translation>
        </message>
        <message>
            <source>Equal to</source>
            <translation>等しい</translation>
        </message>
        <message>
            <source>Greater than</source>
            <translation>より大きい</translation>
        </message>
        <message>
            <source>Less than</source>
            <translation>より小さい</translation>
        </message>
        <message>
            <source>Ascending</source>
            <translation>昇順</translation>
        </message>
        <message>
            <source>Descending</source>
            <translation>降順</translation>
        </message>
        <message>
            <source>To</source>
            <translation>終了日</translation>
        </message>
        <message>
            <source>Folder</source>
            <translation>フォルダー</translation>
        </message>
        <message>
            <source>Duration</source>
            <translation>所要時間</translation>
        </message>
        <message>
            <source>End</source>
            <translation>終了</translation>
        </message>
        <message>
            <source>Event</source>
            <translation>イベント</translation>
        </message>
        <message>
            <source>Start</source>
            <translation>開始</translation>
        </message>
        <message>
            <source>Time</source>
            <translation>日時</translation>
        </message>
        <message>
            <source>Type</source>
            <translation>種類</translation>
        </message>
        <message>
            <source>%1 copied %2 to %3.</source>
            <translation>%1 が %2 を %3 にコピーしました。</translation>
        </message>
        <message>
            <source>%1 downloaded %2.</source>
            <translation>%1 が %2 をダウンロードしました。</translation>
        </message>
        <message>
            <source>%1 logged in to %2.</source>
            <translation>%1 が %2 にログインしました。</translation>
        </message>
        <message>
            <source>%1 created folder %2.</source>
            <translation>%1 がフォルダー %2 を作成しました。</translation>
        </message>
        <message>
            <source>%1 deleted %2.</source>
            <translation>%1 が %2 を削除しました。</translation>
        </message>
        <message>
            <source>July</source>
            <translation>7月</translation>
        </message>
        <message>
            <source>%1 renamed %2 to %3.</source>
            <translation>%1 が %2 の名前を %3 に変更しました。</translation>
        </message>
        <message>
            <source>%1 uploaded %2.</source>
            <translation>%1 が %2 をアップロードしました。</translation>
        </message>
        <message>
            <source>All Events</source>
            <translation>すべてのイベント</translation>
        </message>
        <message>
            <source>Event logs</source>
            <translation>イベント ログ</translation>
        </message>
        <message>
            <source>File transfer log</source>
            <translation>ファイル転送ログ</translation>
        </message>
        <message>
            <source>Modified Time</source>
            <translation>更新日時</translation>
        </message>
        <message>
            <source>Monday</source>
            <translation>月曜日</translation>
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
            <translation>マイ コンピューター</translation>
        </message>
        <message>
            <source>item(s)</source>
            <translation>個の項目</translation>
        </message>
        <message>
            <source>Password</source>
            <translation>パスワード</translation>
        </message>
        <message>
            <source>Time Remaining</source>
            <translation>残り時間</translation>
        </message>
        <message>
            <source>All Transfers</source>
            <translation>すべての転送</translation>
        </message>
        <message>
            <source>Downloaded</source>
            <translation>ダウンロード済み</translation>
        </message>
        <message>
            <source>Elapsed Time</source>
            <translation>経過時間</translation>
        </message>
        <message>
            <source>Local Path</source>
            <translation>ローカル パス</translation>
        </message>
        <message>
            <source>Speed</source>
            <translation>速度</translation>
        </message>
        <message>
            <source>Status</source>
            <translation>状態</translation>
        </message>
        <message>
            <source>UL/DL</source>
            <translation>方向</translation>
        </message>
        <message>
            <source>Uploaded</source>
            <translation>アップロード済み</translation>
        </message>
        <message>
            <source>Remember password</source>
            <translation>パスワードを保存する</translation>
        </message>
        <message>
            <source>Saturday</source>
            <translation>土曜日</translation>
        </message>
        <message>
            <source>Changes are not saved. Are you sure you want to leave?</source>
            <translation>変更が保存されていません。このページを離れてもよろしいですか？</translation>
        </message>
        <message>
            <source>Enable transfer compression</source>
            <translation>転送時の圧縮を有効にする</translation>
        </message>
        <message>
            <source>Max. concurrent transfers</source>
            <translation>最大同時転送数</translation>
        </message>
        <message>
            <source>Enable transfer encryption</source>
            <translation>転送時の暗号化を有効にする</translation>
        </message>
        <message>
            <source>files</source>
            <translation>ファイル</translation>
        </message>
        <message>
            <source>Host Info</source>
            <translation>ホスト情報</translation>
        </message>
        <message>
            <source>Hostname</source>
            <translation>ホスト名</translation>
        </message>
        <message>
            <source>System default</source>
            <translation>システムの既定値</translation>
        </message>
        <message>
            <source>Please restart %1 to apply the new language settings.</source>
            <translation>新しい言語設定を適用するには、%1 を再起動してください。</translation>
        </message>
        <message>
            <source>Language</source>
            <translation>言語</translation>
        </message>
        <message>
            <source>Max. download rate</source>
            <translation>最大ダウンロード速度</translation>
        </message>
        <message>
            <source>Max. upload rate</source>
            <translation>最大アップロード速度</translation>
        </message>
        <message>
            <source>New site</source>
            <translation>新しい接続</translation>
        </message>
        <message>
            <source>No limit</source>
            <translation>制限なし</translation>
        </message>
        <message>
            <source>Optional</source>
            <translation>省略可能</translation>
        </message>
        <message>
            <source>Transfer Settings</source>
            <translation>転送の設定</translation>
        </message>
        <message>
            <source>Failed</source>
            <translation>失敗</translation>
        </message>
        <message>
            <source>Paused</source>
            <translation>一時停止</translation>
        </message>
        <message>
            <source>Waiting</source>
            <translation>待機中</translation>
        </message>
        <message>
            <source>Sunday</source>
            <translation>日曜日</translation>
        </message>
        <message>
            <source>Thursday</source>
            <translation>木曜日</translation>
        </message>
        <message>
            <source>Today</source>
            <translation>今日</translation>
        </message>
        <message>
            <source>Tuesday</source>
            <translation>火曜日</translation>
        </message>
        <message>
            <source>Username</source>
            <translation>ユーザー名</translation>
        </message>
        <message>
            <source>Connecting...</source>
            <translation>接続しています...</translation>
        </message>
        <message>
            <source>Please enter a valid IP address.</source>
            <translation>有効な IP アドレスを入力してください。</translation>
        </message>
        <message>
            <source>New Connection</source>
            <translation>新しい接続</translation>
        </message>
        <message>
            <source>Cut</source>
            <translation>切り取り</translation>
        </message>
        <message>
            <source>Download</source>
            <translation>ダウンロード</translation>
        </message>
        <message>
            <source>Upload</source>
            <translation>アップロード</translation>
        </message>
        <message>
            <source>Cannot load information for %1.</source>
            <translation>%1 の情報を読み込めません。</translation>
        </message>
        <message>
            <source>Failed to move %1 to %2.</source>
            <translation>%1 を %2 に移動できませんでした。</translation>
        </message>
        <message>
            <source>You do not have permission to move %1 to %2.</source>
            <translation>%1 を %2 に移動する権限がありません。</translation>
        </message>
        <message>
            <source>Failed to move %1 to %2 because %1 already exists.</source>
            <translation>%1 は既に存在するため、%1 を %2 に移動できませんでした。</translation>
        </message>
        <message>
            <source>%1 moved %2 to %3.</source>
            <translation>%1 が %2 を %3 に移動しました。</translation>
        </message>
        <message>
            <source>Copyright (c) %1 Quillmar. All rights reserved.</source>
            <translation>Copyright (c) %1 Quillmar. 無断転載を禁じます。</translation>
        </message>
        <message>
            <source>Version</source>
            <translation>バージョン</translation>
        </message>
        <message>
            <source>Help</source>
            <translation>ヘルプ</translation>
        </message>
        <message>
            <source>About</source>
            <translation>バージョン情報</translation>
        </message>
        <message>
            <source>This setting is enforced by the server.</source>
            <translation>この設定はサーバーによって指定されています。</translation>
        </message>
        <message>
            <source>This connected server does not support minimum bandwidth configuration.</source>
            <translation>接続先のサーバーは最小帯域幅の設定をサポートしていません。</translation>
        </message>
        <message>
            <source>Untrusted SSL certificate</source>
            <translation>信頼されていない SSL 証明書</translation>
        </message>
        <message>
            <source>SSL certificate has been changed.</source>
            <translation>SSL 証明書が変更されました。</translation>
        </message>
        <message>
            <source>Proceed anyway</source>
            <translation>このまま続行</translation>
        </message>
        <message>
            <source>Default download location</source>
            <translation>既定のダウンロード先</translation>
        </message>
        <message>
            <source>Download Settings</source>
            <translation>ダウンロードの設定</translation>
        </message>
        <message>
            <source>Download to default folder</source>
            <translation>既定のフォルダーにダウンロード</translation>
        </message>
        <message>
            <source>Download to …</source>
            <translation>ダウンロード先を指定 …</translation>
        </message>
        <message>
            <source>Browse</source>
            <translation>参照</translation>
        </message>
        <message>
            <source>New tab</source>
            <translation>新しいタブ</translation>
        </message>
        <message>
            <source>Download rate</source>
            <translation>ダウンロード速度</translation>
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
            <translation>アップロード速度</translation>
        </message>
        <message>
            <source>Please enter a valid number between 1 and 10.</source>
            <translation>1 から 10 までの有効な数値を入力してください。</translation>
        </message>
        <message>
            <source>Must be lower than the value of maximum rate</source>
            <translation>最大速度より小さい値を指定してください</translation>
        </message>
        <message>
            <source>Must be higher than the value of minimum rate</source>
            <translation>最小速度より大きい値を指定してください</translation>
        </message>
        <message>
            <source>Please enter your username.</source>
            <translation>ユーザー名を入力してください。</translation>
        </message>
        <message>
            <source>Quillmar File Manager</source>
            <translation>Quillmar File Manager</translation>
        </message>
        <message>
            <source>Please update your Quillmar File Manager on your computer.</source>
            <translation>お使いのコンピューターの Quillmar File Manager を更新してください。</translation>
        </message>
        <message>
            <source>Compatibility error. Please upgrade Quillmar File Manager.</source>
            <translation>互換性エラーです。Quillmar File Manager をアップグレードしてください。</translation>
        </message>
        <message>
            <source>Connect to a Quillmar File Manager</source>
            <translation>Quillmar File Manager に接続</translation>
        </message>
        <message>
            <source>The connection cannot be established with wrong port number. Please check the port number and try again. </source>
            <translation>ポート番号が正しくないため、接続を確立できません。ポート番号を確認して、もう一度やり直してください。</translation>
        </message>
        <message>
            <source>Connection failed. Please make sure TCP on port %1 is open.</source>
            <translation>接続できませんでした。TCP ポート %1 が開いていることを確認してください。</translation>
        </message>
        <message>
            <source>Failed to connect to this Koralt File Server due to compatibility issues. Please go to Download Center to download Koralt desktop client and connect it to this Koralt File Server.  </source>
            <translation>互換性の問題により、この Koralt File Server に接続できませんでした。Download Center から Koralt デスクトップ クライアントをダウンロードし、この Koralt File Server に接続してください。</translation>
        </message>
        <message>
            <source>Please enter a one-time verification code.</source>
            <translation>ワンタイム確認コードを入力してください。</translation>
        </message>
        <message>
            <source>The SSL certificate of Quillmar NAS is not trusted. This may mean that it is a self-signed certificate, or someone may be trying to intercept your connection.</source>
            <translation>Quillmar NAS の SSL 証明書は信頼されていません。自己署名証明書であるか、第三者が接続を傍受しようとしている可能性があります。</translation>
        </message>
        <message>
            <source>The SSL certificate has been changed. This may mean that the Quillmar NAS certificate has been changed, or someone may be trying to intercept your connection.</source>
            <translation>SSL 証明書が変更されました。Quillmar NAS の証明書が変更されたか、第三者が接続を傍受しようとしている可能性があります。</translation>
        </message>
        <message>
            <source>Sign In</source>
            <translation>ログイン</translation>
        </message>
        <message>
            <source>The data folder %1 does not exist and cannot be created.</source>
            <translation>データ フォルダー %1 が存在せず、作成することもできません。</translation>
        </message>
        <message>
            <source>The data folder %1 cannot be written to (%2).</source>
            <translation>データ フォルダー %1 に書き込めません (%2)。</translation>
        </message>
        <message>
            <source>Cannot upload %1: a name on the server cannot contain "\".</source>
            <translation>%1 をアップロードできません: サーバー上の名前に "\" は使用できません。</translation>
        </message>
        <message>
            <source>The file could not be read or written.</source>
            <translation>ファイルを読み書きできませんでした。</translation>
        </message>
        <message>
            <source>The connection was interrupted.</source>
            <translation>接続が中断されました。</translation>
        </message>
        <message>
            <source>The server no longer knows this transfer.</source>
            <translation>サーバーはこの転送を認識していません。</translation>
        </message>
        <message>
            <source>The transfer was paused.</source>
            <translation>転送は一時停止されました。</translation>
        </message>
        <message>
            <source>The data received was larger than allowed.</source>
            <translation>受信したデータが許容サイズを超えています。</translation>
        </message>
        <message>
            <source>The server said: %1</source>
            <translation>サーバーからの応答: %1</translation>
        </message>
        <message>
            <source>The file changed while it was being sent.</source>
            <translation>送信中にファイルが変更されました。</translation>
        </message>
    </context>
</TS>
