<?xml version='1.0' encoding='utf-8'?>
<!DOCTYPE TS>
<TS sourcelanguage="en_US" version="2.1" language="ko_KR">
    <context>
        <name>CertificateChainDialog</name>
        <message>
            <source>Certificate</source>
            <translation>인증서</translation>
        </message>
        <message>
            <source>Level</source>
            <translation>수준</translation>
        </message>
        <message>
            <source>Subject</source>
            <translation>주체</translation>
        </message>
        <message>
            <source>Issuer</source>
            <translation>발급자</translation>
        </message>
        <message>
            <source>Valid</source>
            <translation>유효 기간</translation>
        </message>
        <message>
            <source>%1 to %2</source>
            <extracomment>The validity period of a certificate: its first and its last day.</extracomment>
            <translation>%1 ~ %2</translation>
        </message>
    </context>
    <context>
        <name>HelpWindow</name>
        <message>
            <source>The help is not installed.</source>
            <translation>도움말이 설치되어 있지 않습니다.</translation>
        </message>
    </context>
    <context>
        <name>global</name>
        <message>
            <source>Login</source>
            <translation>로그인</translation>
        </message>
        <message>
            <source>You don't have enough privilege.</source>
            <translation>권한이 부족합니다.</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>닫기</translation>
        </message>
        <message>
            <source>Disk full. Failed to copy %1 to %2.</source>
            <translation>디스크가 가득 찼습니다. %1을(를) %2(으)로 복사하지 못했습니다.</translation>
        </message>
        <message>
            <source>Back</source>
            <translation>뒤로</translation>
        </message>
        <message>
            <source>Maximum retries reached.</source>
            <translation>최대 재시도 횟수에 도달했습니다.</translation>
        </message>
        <message>
            <source>Filter</source>
            <translation>필터</translation>
        </message>
        <message>
            <source>Remember password?</source>
            <translation>비밀번호를 저장하시겠습니까?</translation>
        </message>
        <message>
            <source>Shared folder quota insufficient. Failed to copy %1 to %2.</source>
            <translation>공유 폴더 할당량이 부족합니다. %1을(를) %2(으)로 복사하지 못했습니다.</translation>
        </message>
        <message>
            <source>Disk full. Failed to move %1 to %2.</source>
            <translation>디스크가 가득 찼습니다. %1을(를) %2(으)로 이동하지 못했습니다.</translation>
        </message>
        <message>
            <source>User quota insufficient. Failed to copy %1 to %2.</source>
            <translation>사용자 할당량이 부족합니다. %1을(를) %2(으)로 복사하지 못했습니다.</translation>
        </message>
        <message>
            <source>Shared folder quota insufficient. Failed to move %1 to %2.</source>
            <translation>공유 폴더 할당량이 부족합니다. %1을(를) %2(으)로 이동하지 못했습니다.</translation>
        </message>
        <message>
            <source>Insufficient disk space.</source>
            <translation>디스크 공간이 부족합니다.</translation>
        </message>
        <message>
            <source>File size exceeds destination file system limit.</source>
            <translation>파일 크기가 대상 파일 시스템의 제한을 초과합니다.</translation>
        </message>
        <message>
            <source>File does not exist.</source>
            <translation>파일이 없습니다.</translation>
        </message>
        <message>
            <source>Cannot access the temporary file.</source>
            <translation>임시 파일에 액세스할 수 없습니다.</translation>
        </message>
        <message>
            <source>Last Page</source>
            <translation>마지막 페이지</translation>
        </message>
        <message>
            <source>Please upgrade your Quillmar File Manager package.</source>
            <translation>Quillmar File Manager 패키지를 업그레이드하십시오.</translation>
        </message>
        <message>
            <source>User quota insufficient. Failed to move %1 to %2.</source>
            <translation>사용자 할당량이 부족합니다. %1을(를) %2(으)로 이동하지 못했습니다.</translation>
        </message>
        <message>
            <source>Shared folder quota full.</source>
            <translation>공유 폴더 할당량이 가득 찼습니다.</translation>
        </message>
        <message>
            <source>User quota full.</source>
            <translation>사용자 할당량이 가득 찼습니다.</translation>
        </message>
        <message>
            <source>A one-time password is required. Please log into your ZRM to set your one-time password.</source>
            <translation>일회용 비밀번호가 필요합니다. ZRM에 로그인하여 일회용 비밀번호를 설정하십시오.</translation>
        </message>
        <message>
            <source>The one-time password you entered is incorrect.</source>
            <translation>입력한 일회용 비밀번호가 올바르지 않습니다.</translation>
        </message>
        <message>
            <source>Please enter a 6-digit verification code.</source>
            <translation>6자리 인증 코드를 입력하십시오.</translation>
        </message>
        <message>
            <source>Quillmar File Manager will be reconnected in %1 seconds.</source>
            <translation>Quillmar File Manager가 %1초 후에 다시 연결됩니다.</translation>
        </message>
        <message>
            <source>Display mode </source>
            <translation>Display mode </translation>
        </message>
        <message>
            <source>Failed to update Quillmar File Manager database. Please restart or reinstall Quillmar File Manager.</source>
            <translation>Quillmar File Manager 데이터베이스를 업데이트하지 못했습니다. Quillmar File Manager를 다시 시작하거나 다시 설치하십시오.</translation>
        </message>
        <message>
            <source>Friday</source>
            <translation>금요일</translation>
        </message>
        <message>
            <source>Paste</source>
            <translation>붙여넣기</translation>
        </message>
        <message>
            <source>Forward</source>
            <translation>앞으로</translation>
        </message>
        <message>
            <source>Invalid username/password or insufficient user privilege.</source>
            <translation>사용자 이름 또는 비밀번호가 잘못되었거나 사용자 권한이 부족합니다.</translation>
        </message>
        <message>
            <source>Closing the application will close all connections and abort all transfer tasks. Are you sure you want to continue?</source>
            <translation>응용 프로그램을 닫으면 모든 연결이 닫히고 모든 전송 작업이 중단됩니다. 계속하시겠습니까?</translation>
        </message>
        <message>
            <source>Copy</source>
            <translation>복사</translation>
        </message>
        <message>
            <source>Create Folder</source>
            <translation>폴더 만들기</translation>
        </message>
        <message>
            <source>Wednesday</source>
            <translation>수요일</translation>
        </message>
        <message>
            <source>Log</source>
            <translation>로그</translation>
        </message>
        <message>
            <source>Please enter the password to connect.</source>
            <translation>연결하려면 비밀번호를 입력하십시오.</translation>
        </message>
        <message>
            <source>First Page</source>
            <translation>첫 페이지</translation>
        </message>
        <message>
            <source>Previous %1 pages</source>
            <translation>이전 %1페이지</translation>
        </message>
        <message>
            <source>Next %1 pages</source>
            <translation>다음 %1페이지</translation>
        </message>
        <message>
            <source>Help / About </source>
            <translation>도움말 / 정보 </translation>
        </message>
        <message>
            <source>Activity logs</source>
            <translation>활동 로그</translation>
        </message>
        <message>
            <source>Settings</source>
            <translation>설정</translation>
        </message>
        <message>
            <source>Sort by </source>
            <translation>정렬 기준 </translation>
        </message>
        <message>
            <source>Task Manager</source>
            <translation>작업 관리자</translation>
        </message>
        <message>
            <source>Remote Path</source>
            <translation>원격 경로</translation>
        </message>
        <message>
            <source>Please enter a valid server address.</source>
            <translation>올바른 서버 주소를 입력하십시오.</translation>
        </message>
        <message>
            <source>You do not have permission to rename %1 to %2.</source>
            <translation>%1의 이름을 %2(으)로 바꿀 권한이 없습니다.</translation>
        </message>
        <message>
            <source>Login failed.</source>
            <translation>로그인하지 못했습니다.</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>삭제</translation>
        </message>
        <message>
            <source>Rename</source>
            <translation>이름 바꾸기</translation>
        </message>
        <message>
            <source>Server address</source>
            <translation>서버 주소</translation>
        </message>
        <message>
            <source>Apply</source>
            <translation>적용</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>취소</translation>
        </message>
        <message>
            <source>Connect</source>
            <translation>연결</translation>
        </message>
        <message>
            <source>OK</source>
            <translation>확인</translation>
        </message>
        <message>
            <source>Reset</source>
            <translation>초기화</translation>
        </message>
        <message>
            <source>Closing the connection will abort all transfer tasks in this connection. Are you sure you want to continue?</source>
            <translation>연결을 닫으면 이 연결의 모든 전송 작업이 중단됩니다. 계속하시겠습니까?</translation>
        </message>
        <message>
            <source>day(s)</source>
            <translation>일</translation>
        </message>
        <message>
            <source>Failed to copy %1 to %2.</source>
            <translation>%1을(를) %2(으)로 복사하지 못했습니다.</translation>
        </message>
        <message>
            <source>You do not have permission to copy %1 to %2.</source>
            <translation>%1을(를) %2(으)로 복사할 권한이 없습니다.</translation>
        </message>
        <message>
            <source>Disconnected from the server. Please login again.</source>
            <translation>서버와의 연결이 끊어졌습니다. 다시 로그인하십시오.</translation>
        </message>
        <message>
            <source>Failed to load this directory.</source>
            <translation>이 폴더를 불러오지 못했습니다.</translation>
        </message>
        <message>
            <source>You do not have permission to load the directory.</source>
            <translation>이 폴더를 불러올 권한이 없습니다.</translation>
        </message>
        <message>
            <source>Failed to connect to server.</source>
            <translation>서버에 연결하지 못했습니다.</translation>
        </message>
        <message>
            <source>Failed to create directory %1.</source>
            <translation>%1 폴더를 만들지 못했습니다.</translation>
        </message>
        <message>
            <source>You do not have permission to create %1.</source>
            <translation>%1을(를) 만들 권한이 없습니다.</translation>
        </message>
        <message>
            <source>Failed to remove %1.</source>
            <translation>%1을(를) 삭제하지 못했습니다.</translation>
        </message>
        <message>
            <source>You do not have permission to remove %1.</source>
            <translation>%1을(를) 삭제할 권한이 없습니다.</translation>
        </message>
        <message>
            <source>Failed to rename %1 to %2.</source>
            <translation>%1의 이름을 %2(으)로 바꾸지 못했습니다.</translation>
        </message>
        <message>
            <source>Failed to rename %1 to %2 because %2 already exists.</source>
            <translation>%2이(가) 이미 있으므로 %1의 이름을 %2(으)로 바꾸지 못했습니다.</translation>
        </message>
        <message>
            <source>File</source>
            <translation>파일</translation>
        </message>
        <message>
            <source>File Name</source>
            <translation>파일 이름</translation>
        </message>
        <message>
            <source>File Type</source>
            <translation>파일 형식</translation>
        </message>
        <message>
            <source>From</source>
            <translation>시작일</translation>
        </message>
        <message>
            <source>Keyword</source>
            <translation>키워드</translation>
        </message>
        <message>
            <source>Size</source>
            <translation>크기</translation>
        </message>
        <message>
            <source>Any</source>
            <translation>전체</translation>
        </message>
        <message>
            <source>Equal to</source>
            <translation>같음</translation>
        </message>
        <message>
            <source>Greater than</source>
            <translation>보다 큼</translation>
        </message>
        <message>
            <source>Less than</source>
            <translation>보다 작음</translation>
        </message>
        <message>
            <source>Ascending</source>
            <translation>오름차순</translation>
        </message>
        <message>
            <source>Descending</source>
            <translation>내림차순</translation>
        </message>
        <message>
            <source>To</source>
            <translation>종료일</translation>
        </message>
        <message>
            <source>Folder</source>
            <translation>폴더</translation>
        </message>
        <message>
            <source>Duration</source>
            <translation>소요 시간</translation>
        </message>
        <message>
            <source>End</source>
            <translation>종료</translation>
        </message>
        <message>
            <source>Event</source>
            <translation>이벤트</translation>
        </message>
        <message>
            <source>Start</source>
            <translation>시작</translation>
        </message>
        <message>
            <source>Time</source>
            <translation>시간</translation>
        </message>
        <message>
            <source>Type</source>
            <translation>유형</translation>
        </message>
        <message>
            <source>%1 copied %2 to %3.</source>
            <translation>%1이(가) %2을(를) %3(으)로 복사했습니다.</translation>
        </message>
        <message>
            <source>%1 downloaded %2.</source>
            <translation>%1이(가) %2을(를) 다운로드했습니다.</translation>
        </message>
        <message>
            <source>%1 logged in to %2.</source>
            <translation>%1이(가) %2에 로그인했습니다.</translation>
        </message>
        <message>
            <source>%1 created folder %2.</source>
            <translation>%1이(가) %2 폴더를 만들었습니다.</translation>
        </message>
        <message>
            <source>%1 deleted %2.</source>
            <translation>%1이(가) %2을(를) 삭제했습니다.</translation>
        </message>
        <message>
            <source>July</source>
            <translation>7월</translation>
        </message>
        <message>
            <source>%1 renamed %2 to %3.</source>
            <translation>%1이(가) %2의 이름을 %3(으)로 바꿨습니다.</translation>
        </message>
        <message>
            <source>%1 uploaded %2.</source>
            <translation>%1이(가) %2을(를) 업로드했습니다.</translation>
        </message>
        <message>
            <source>All Events</source>
            <translation>모든 이벤트</translation>
        </message>
        <message>
            <source>Event logs</source>
            <translation>이벤트 로그</translation>
        </message>
        <message>
            <source>File transfer log</source>
            <translation>파일 전송 로그</translation>
        </message>
        <message>
            <source>Modified Time</source>
            <translation>수정한 시간</translation>
        </message>
        <message>
            <source>Monday</source>
            <translation>월요일</translation>
        </message>
        <message>
            <source>April</source>
            <translation>4월</translation>
        </message>
        <message>
            <source>August</source>
            <translation>8월</translation>
        </message>
        <message>
            <source>December</source>
            <translation>12월</translation>
        </message>
        <message>
            <source>February</source>
            <translation>2월</translation>
        </message>
        <message>
            <source>January</source>
            <translation>1월</translation>
        </message>
        <message>
            <source>June</source>
            <translation>6월</translation>
        </message>
        <message>
            <source>March</source>
            <translation>3월</translation>
        </message>
        <message>
            <source>May</source>
            <translation>5월</translation>
        </message>
        <message>
            <source>November</source>
            <translation>11월</translation>
        </message>
        <message>
            <source>October</source>
            <translation>10월</translation>
        </message>
        <message>
            <source>September</source>
            <translation>9월</translation>
        </message>
        <message>
            <source>My Computer</source>
            <translation>내 컴퓨터</translation>
        </message>
        <message>
            <source>item(s)</source>
            <translation>개 항목</translation>
        </message>
        <message>
            <source>Password</source>
            <translation>비밀번호</translation>
        </message>
        <message>
            <source>Time Remaining</source>
            <translation>남은 시간</translation>
        </message>
        <message>
            <source>All Transfers</source>
            <translation>모든 전송</translation>
        </message>
        <message>
            <source>Downloaded</source>
            <translation>다운로드됨</translation>
        </message>
        <message>
            <source>Elapsed Time</source>
            <translation>경과 시간</translation>
        </message>
        <message>
            <source>Local Path</source>
            <translation>로컬 경로</translation>
        </message>
        <message>
            <source>Speed</source>
            <translation>속도</translation>
        </message>
        <message>
            <source>Status</source>
            <translation>상태</translation>
        </message>
        <message>
            <source>UL/DL</source>
            <translation>방향</translation>
        </message>
        <message>
            <source>Uploaded</source>
            <translation>업로드됨</translation>
        </message>
        <message>
            <source>Remember password</source>
            <translation>비밀번호 저장</translation>
        </message>
        <message>
            <source>Saturday</source>
            <translation>토요일</translation>
        </message>
        <message>
            <source>Changes are not saved. Are you sure you want to leave?</source>
            <translation>변경 내용이 저장되지 않았습니다. 나가시겠습니까?</translation>
        </message>
        <message>
            <source>Enable transfer compression</source>
            <translation>전송 압축 사용</translation>
        </message>
        <message>
            <source>Max. concurrent transfers</source>
            <translation>최대 동시 전송 수</translation>
        </message>
        <message>
            <source>Enable transfer encryption</source>
            <translation>전송 암호화 사용</translation>
        </message>
        <message>
            <source>files</source>
            <translation>개</translation>
        </message>
        <message>
            <source>Host Info</source>
            <translation>호스트 정보</translation>
        </message>
        <message>
            <source>Hostname</source>
            <translation>호스트 이름</translation>
        </message>
        <message>
            <source>System default</source>
            <translation>시스템 기본값</translation>
        </message>
        <message>
            <source>Please restart %1 to apply the new language settings.</source>
            <translation>새 언어 설정을 적용하려면 %1을(를) 다시 시작하십시오.</translation>
        </message>
        <message>
            <source>Language</source>
            <translation>언어</translation>
        </message>
        <message>
            <source>Max. download rate</source>
            <translation>최대 다운로드 속도</translation>
        </message>
        <message>
            <source>Max. upload rate</source>
            <translation>최대 업로드 속도</translation>
        </message>
        <message>
            <source>New site</source>
            <translation>새 사이트</translation>
        </message>
        <message>
            <source>No limit</source>
            <translation>제한 없음</translation>
        </message>
        <message>
            <source>Optional</source>
            <translation>선택 사항</translation>
        </message>
        <message>
            <source>Transfer Settings</source>
            <translation>전송 설정</translation>
        </message>
        <message>
            <source>Failed</source>
            <translation>실패</translation>
        </message>
        <message>
            <source>Paused</source>
            <translation>일시 중지됨</translation>
        </message>
        <message>
            <source>Waiting</source>
            <translation>대기 중</translation>
        </message>
        <message>
            <source>Sunday</source>
            <translation>일요일</translation>
        </message>
        <message>
            <source>Thursday</source>
            <translation>목요일</translation>
        </message>
        <message>
            <source>Today</source>
            <translation>오늘</translation>
        </message>
        <message>
            <source>Tuesday</source>
            <translation>화요일</translation>
        </message>
        <message>
            <source>Username</source>
            <translation>사용자 이름</translation>
        </message>
        <message>
            <source>Connecting...</source>
            <translation>연결 중...</translation>
        </message>
        <message>
            <source>Please enter a valid IP address.</source>
            <translation>올바른 IP 주소를 입력하십시오.</translation>
        </message>
        <message>
            <source>New Connection</source>
            <translation>새 연결</translation>
        </message>
        <message>
            <source>Cut</source>
            <translation>잘라내기</translation>
        </message>
        <message>
            <source>Download</source>
            <translation>다운로드</translation>
        </message>
        <message>
            <source>Upload</source>
            <translation>업로드</translation>
        </message>
        <message>
            <source>Cannot load information for %1.</source>
            <translation>%1의 정보를 불러올 수 없습니다.</translation>
        </message>
        <message>
            <source>Failed to move %1 to %2.</source>
            <translation>%1을(를) %2(으)로 이동하지 못했습니다.</translation>
        </message>
        <message>
            <source>You do not have permission to move %1 to %2.</source>
            <translation>%1을(를) %2(으)로 이동할 권한이 없습니다.</translation>
        </message>
        <message>
            <source>Failed to move %1 to %2 because %1 already exists.</source>
            <translation>%1이(가) 이미 있으므로 %1을(를) %2(으)로 이동하지 못했습니다.</translation>
        </message>
        <message>
            <source>%1 moved %2 to %3.</source>
            <translation>%1이(가) %2을(를) %3(으)로 이동했습니다.</translation>
        </message>
        <message>
            <source>Copyright (c) %1 Quillmar. All rights reserved.</source>
            <translation>Copyright (c) %1 Quillmar. 모든 권리 보유.</translation>
        </message>
        <message>
            <source>Version</source>
            <translation>버전</translation>
        </message>
        <message>
            <source>Help</source>
            <translation>도움말</translation>
        </message>
        <message>
            <source>About</source>
            <translation>정보</translation>
        </message>
        <message>
            <source>This setting is enforced by the server.</source>
            <translation>이 설정은 서버에서 적용한 것입니다.</translation>
        </message>
        <message>
            <source>This connected server does not support minimum bandwidth configuration.</source>
            <translation>연결된 서버가 최소 대역폭 설정을 지원하지 않습니다.</translation>
        </message>
        <message>
            <source>Untrusted SSL certificate</source>
            <translation>신뢰할 수 없는 SSL 인증서</translation>
        </message>
        <message>
            <source>SSL certificate has been changed.</source>
            <translation>SSL 인증서가 변경되었습니다.</translation>
        </message>
        <message>
            <source>Proceed anyway</source>
            <translation>계속 진행</translation>
        </message>
        <message>
            <source>Default download location</source>
            <translation>기본 다운로드 위치</translation>
        </message>
        <message>
            <source>Download Settings</source>
            <translation>다운로드 설정</translation>
        </message>
        <message>
            <source>Download to default folder</source>
            <translation>기본 폴더로 다운로드</translation>
        </message>
        <message>
            <source>Download to …</source>
            <translation>다운로드할 위치…</translation>
        </message>
        <message>
            <source>Browse</source>
            <translation>찾아보기</translation>
        </message>
        <message>
            <source>New tab</source>
            <translation>새 탭</translation>
        </message>
        <message>
            <source>Download rate</source>
            <translation>다운로드 속도</translation>
        </message>
        <message>
            <source>Max.</source>
            <translation>최대</translation>
        </message>
        <message>
            <source>Min.</source>
            <translation>최소</translation>
        </message>
        <message>
            <source>Upload rate</source>
            <translation>업로드 속도</translation>
        </message>
        <message>
            <source>Please enter a valid number between 1 and 10.</source>
            <translation>1에서 10 사이의 올바른 숫자를 입력하십시오.</translation>
        </message>
        <message>
            <source>Must be lower than the value of maximum rate</source>
            <translation>최대 속도 값보다 작아야 합니다</translation>
        </message>
        <message>
            <source>Must be higher than the value of minimum rate</source>
            <translation>최소 속도 값보다 커야 합니다</translation>
        </message>
        <message>
            <source>Please enter your username.</source>
            <translation>사용자 이름을 입력하십시오.</translation>
        </message>
        <message>
            <source>Quillmar File Manager</source>
            <translation>Quillmar File Manager</translation>
        </message>
        <message>
            <source>Please update your Quillmar File Manager on your computer.</source>
            <translation>컴퓨터의 Quillmar File Manager를 업데이트하십시오.</translation>
        </message>
        <message>
            <source>Compatibility error. Please upgrade Quillmar File Manager.</source>
            <translation>호환성 오류입니다. Quillmar File Manager를 업그레이드하십시오.</translation>
        </message>
        <message>
            <source>Connect to a Quillmar File Manager</source>
            <translation>Quillmar File Manager에 연결</translation>
        </message>
        <message>
            <source>The connection cannot be established with wrong port number. Please check the port number and try again. </source>
            <translation>포트 번호가 잘못되어 연결할 수 없습니다. 포트 번호를 확인한 후 다시 시도하십시오. </translation>
        </message>
        <message>
            <source>Connection failed. Please make sure TCP on port %1 is open.</source>
            <translation>연결하지 못했습니다. TCP 포트 %1이(가) 열려 있는지 확인하십시오.</translation>
        </message>
        <message>
            <source>Failed to connect to this Koralt File Server due to compatibility issues. Please go to Download Center to download Koralt desktop client and connect it to this Koralt File Server.  </source>
            <translation>호환성 문제로 이 Koralt File Server에 연결하지 못했습니다. 다운로드 센터에서 Koralt 데스크톱 클라이언트를 다운로드하여 이 Koralt File Server에 연결하십시오.  </translation>
        </message>
        <message>
            <source>Please enter a one-time verification code.</source>
            <translation>일회용 인증 코드를 입력하십시오.</translation>
        </message>
        <message>
            <source>The SSL certificate of Quillmar NAS is not trusted. This may mean that it is a self-signed certificate, or someone may be trying to intercept your connection.</source>
            <translation>Quillmar NAS의 SSL 인증서를 신뢰할 수 없습니다. 자체 서명된 인증서이거나 누군가 연결을 가로채려고 하는 것일 수 있습니다.</translation>
        </message>
        <message>
            <source>The SSL certificate has been changed. This may mean that the Quillmar NAS certificate has been changed, or someone may be trying to intercept your connection.</source>
            <translation>SSL 인증서가 변경되었습니다. Quillmar NAS의 인증서가 바뀌었거나 누군가 연결을 가로채려고 하는 것일 수 있습니다.</translation>
        </message>
        <message>
            <source>Sign In</source>
            <translation>로그인</translation>
        </message>
        <message>
            <source>The data folder %1 does not exist and cannot be created.</source>
            <translation>데이터 폴더 %1이(가) 없으며 만들 수 없습니다.</translation>
        </message>
        <message>
            <source>The data folder %1 cannot be written to (%2).</source>
            <translation>데이터 폴더 %1에 쓸 수 없습니다(%2).</translation>
        </message>
        <message>
            <source>Cannot upload %1: a name on the server cannot contain "\".</source>
            <translation>%1을(를) 업로드할 수 없습니다: 서버의 이름에는 "\"를 포함할 수 없습니다.</translation>
        </message>
        <message>
            <source>The file could not be read or written.</source>
            <translation>파일을 읽거나 쓸 수 없습니다.</translation>
        </message>
        <message>
            <source>The connection was interrupted.</source>
            <translation>연결이 끊어졌습니다.</translation>
        </message>
        <message>
            <source>The server no longer knows this transfer.</source>
            <translation>서버에서 이 전송을 더 이상 인식하지 못합니다.</translation>
        </message>
        <message>
            <source>The transfer was paused.</source>
            <translation>전송이 일시 중지되었습니다.</translation>
        </message>
        <message>
            <source>The data received was larger than allowed.</source>
            <translation>받은 데이터가 허용된 크기보다 큽니다.</translation>
        </message>
        <message>
            <source>The server said: %1</source>
            <translation>서버 응답: %1</translation>
        </message>
        <message>
            <source>The file changed while it was being sent.</source>
            <translation>파일을 보내는 동안 파일이 변경되었습니다.</translation>
        </message>
    </context>
</TS>
