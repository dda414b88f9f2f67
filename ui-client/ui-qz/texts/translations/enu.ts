<?xml version='1.0' encoding='utf-8'?>
<!DOCTYPE TS>
<TS language="en_US" version="2.1" sourcelanguage="en_US">
    <context>
        <name>CertificateChainDialog</name>
        <message>
            <source>Certificate</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Level</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Subject</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Issuer</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Valid</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>%1 to %2</source>
            <extracomment>The validity period of a certificate: its first and its last day.</extracomment>
            <translation type="unfinished"/>
        </message>
    </context>
    <context>
        <name>HelpWindow</name>
        <message>
            <source>The help is not installed.</source>
            <translation type="unfinished"/>
        </message>
    </context>
    <context>
        <name>global</name>
        <message>
            <source>Login</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>You don't have enough privilege.</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Close</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Disk full. Failed to copy %1 to %2.</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Back</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Maximum retries reached.</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Filter</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Remember password?</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Shared folder quota insufficient. Failed to copy %1 to %2.</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Disk full. Failed to move %1 to %2.</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>User quota insufficient. Failed to copy %1 to %2.</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Shared folder quota insufficient. Failed to move %1 to %2.</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Insufficient disk space.</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>File size exceeds destination file system limit.</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>File does not exist.</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Cannot access the temporary file.</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Last Page</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Please upgrade your Quillmar File Manager package.</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>User quota insufficient. Failed to move %1 to %2.</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Shared folder quota full.</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>User quota full.</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>A one-time password is required. Please log into your ZRM to set your one-time password.</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>The one-time password you entered is incorrect.</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Please enter a 6-digit verification code.</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Quillmar File Manager will be reconnected in %1 seconds.</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Display mode </source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Failed to update Quillmar File Manager database. Please restart or reinstall Quillmar File Manager.</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Friday</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Paste</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Forward</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Invalid username/password or insufficient user privilege.</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Closing the application will close all connections and abort all transfer tasks. Are you sure you want to continue?</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Copy</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Create Folder</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Wednesday</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Log</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Please enter the password to connect.</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>First Page</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Previous %1 pages</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Next %1 pages</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Help / About </source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Activity logs</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Settings</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Sort by </source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Task Manager</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Remote Path</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Please enter a valid server address.</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>You do not have permission to rename %1 to %2.</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Login failed.</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Delete</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Rename</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Server address</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Apply</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Cancel</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Connect</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>OK</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Reset</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Closing the connection will abort all transfer tasks in this connection. Are you sure you want to continue?</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>day(s)</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Failed to copy %1 to %2.</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>You do not have permission to copy %1 to %2.</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Disconnected from the server. Please login again.</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Failed to load this directory.</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>You do not have permission to load the directory.</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Failed to connect to server.</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Failed to create directory %1.</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>You do not have permission to create %1.</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Failed to remove %1.</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>You do not have permission to remove %1.</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Failed to rename %1 to %2.</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Failed to rename %1 to %2 because %2 already exists.</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>File</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>File Name</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>File Type</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>From</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Keyword</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Size</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Any</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Equal to</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Greater than</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Less than</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Ascending</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Descending</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>To</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Folder</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Duration</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>End</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Event</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Start</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Time</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Type</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>%1 copied %2 to %3.</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>%1 downloaded %2.</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>%1 logged in to %2.</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>%1 created folder %2.</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>%1 deleted %2.</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>July</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>%1 renamed %2 to %3.</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>%1 uploaded %2.</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>All Events</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Event logs</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>File transfer log</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Modified Time</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Monday</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>April</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>August</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>December</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>February</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>January</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>June</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>March</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>May</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>November</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>October</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>September</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>My Computer</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>item(s)</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Password</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Time Remaining</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>All Transfers</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Downloaded</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Elapsed Time</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Local Path</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Speed</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Status</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>UL/DL</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Uploaded</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Remember password</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Saturday</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Changes are not saved. Are you sure you want to leave?</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Enable transfer compression</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Max. concurrent transfers</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Enable transfer encryption</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>files</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Host Info</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Hostname</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>System default</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Please restart %1 to apply the new language settings.</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Language</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Max. download rate</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Max. upload rate</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>New site</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>No limit</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Optional</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Transfer Settings</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Failed</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Paused</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Waiting</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Sunday</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Thursday</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Today</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Tuesday</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Username</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Connecting...</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Please enter a valid IP address.</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>New Connection</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Cut</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Download</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Upload</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Cannot load information for %1.</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Failed to move %1 to %2.</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>You do not have permission to move %1 to %2.</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Failed to move %1 to %2 because %1 already exists.</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>%1 moved %2 to %3.</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Copyright (c) %1 Quillmar. All rights reserved.</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Version</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Help</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>About</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>This setting is enforced by the server.</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>This connected server does not support minimum bandwidth configuration.</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Untrusted SSL certificate</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>SSL certificate has been changed.</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Proceed anyway</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Default download location</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Download Settings</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Download to default folder</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Download to …</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Browse</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>New tab</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Download rate</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Max.</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Min.</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Upload rate</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Please enter a valid number between 1 and 10.</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Must be lower than the value of maximum rate</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Must be higher than the value of minimum rate</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Please enter your username.</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Quillmar File Manager</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Please update your Quillmar File Manager on your computer.</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Compatibility error. Please upgrade Quillmar File Manager.</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Connect to a Quillmar File Manager</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>The connection cannot be established with wrong port number. Please check the port number and try again. </source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Connection failed. Please make sure TCP on port %1 is open.</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Failed to connect to this Koralt File Server due to compatibility issues. Please go to Download Center to download Koralt desktop client and connect it to this Koralt File Server.  </source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Please enter a one-time verification code.</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>The SSL certificate of Quillmar NAS is not trusted. This may mean that it is a self-signed certificate, or someone may be trying to intercept your connection.</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>The SSL certificate has been changed. This may mean that the Quillmar NAS certificate has been changed, or someone may be trying to intercept your connection.</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Sign In</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>Cannot upload %1: a name on the server cannot contain "\".</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>The data folder %1 does not exist and cannot be created.</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>The data folder %1 cannot be written to (%2).</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>The file could not be read or written.</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>The connection was interrupted.</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>The server no longer knows this transfer.</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>The transfer was paused.</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>The data received was larger than allowed.</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>The server said: %1</source>
            <translation type="unfinished"/>
        </message>
        <message>
            <source>The file changed while it was being sent.</source>
            <translation type="unfinished"/>
        </message>
    </context>
</TS>
