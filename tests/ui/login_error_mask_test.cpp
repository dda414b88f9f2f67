// The login error prompts alone: one table of failures (site error, protocol
// error, reconnect flag) and answers, checked for the sheets shown, their
// texts, the final sigMaskDone and the amended request. Then the two modal
// helpers.
#include <QLineEdit>
#include <QMessageBox>
#include <QSignalSpy>
#include <QtTest>

#include "login-error-mask.h"
#include "login_settings_support.h"
#include "str_table.h"
#include "vexo_message_sheet.h"
#include "vexoqelt_test_support.h"

Q_DECLARE_METATYPE(SiteError)

class LoginErrorMaskTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { lstest::initWidgets(); }
    void reactions_data();
    void reactions();
    void invalidSeedTwiceShowsLoginFailed();
    void secondFailureDropsOpenQuestion();
    void passwordPromptAndRememberQuestion();
    void cleanupTestCase() { QVERIFY2(vexotest::missingNames().isEmpty(), qPrintable(vexotest::missingNames().join(','))); }
};

namespace {
const int kOk = QMessageBox::Ok;
const int kNo = QMessageBox::Discard;
QString T(int id) { return StrTable::LoadStr(id); }
}  // namespace

void LoginErrorMaskTest::reactions_data()
{
    QTest::addColumn<int>("site_error");
    QTest::addColumn<int>("protocol_error");
    QTest::addColumn<bool>("reconnect");
    QTest::addColumn<int>("answer");      // to the first sheet
    QTest::addColumn<QString>("typed");   // into an input sheet
    QTest::addColumn<QStringList>("texts");  // sheets shown, in order
    QTest::addColumn<bool>("done");       // sigMaskDone's argument

    using P = ProtoUI::Error;
    QTest::newRow("seed on reconnect: silent retry") << int(SITE_ERROR_PROTOCOL) << int(P::ERROR_USER_INVALID_SEED) << true << kOk << QString() << QStringList{} << true;
    QTest::newRow("seed first login") << int(SITE_ERROR_PROTOCOL) << int(P::ERROR_USER_INVALID_SEED) << false << kOk << QString() << QStringList{T(49)} << false;
    QTest::newRow("otp given") << int(SITE_ERROR_PROTOCOL) << int(P::ERROR_USER_OTP_REQUIRED) << false << kOk << "123456" << QStringList{T(23)} << true;
    QTest::newRow("otp any text") << int(SITE_ERROR_PROTOCOL) << int(P::ERROR_USER_OTP_REQUIRED) << false << kOk << "<b>x</b> 1" << QStringList{T(23)} << true;
    QTest::newRow("otp empty") << int(SITE_ERROR_PROTOCOL) << int(P::ERROR_USER_OTP_REQUIRED) << false << kOk << QString() << QStringList{T(23), T(197)} << false;
    QTest::newRow("otp cancelled") << int(SITE_ERROR_PROTOCOL) << int(P::ERROR_USER_OTP_REQUIRED) << false << kNo << "123456" << QStringList{T(23), T(197)} << false;
    QTest::newRow("untrusted accepted") << int(SITE_ERROR_PROTOCOL) << int(P::ERROR_CHANNEL_SSL_VERIFY) << false << kOk << QString() << QStringList{T(198)} << true;
    QTest::newRow("untrusted declined") << int(SITE_ERROR_PROTOCOL) << int(P::ERROR_CHANNEL_SSL_VERIFY) << false << kNo << QString() << QStringList{T(198), T(172)} << false;
    QTest::newRow("changed accepted") << int(SITE_ERROR_PROTOCOL) << int(P::ERROR_CHANNEL_SSL_CHANGE) << false << kOk << QString() << QStringList{T(199)} << true;
    QTest::newRow("changed declined") << int(SITE_ERROR_PROTOCOL) << int(P::ERROR_CHANNEL_SSL_CHANGE) << false << kNo << QString() << QStringList{T(199), T(173)} << false;
    QTest::newRow("changed, system error: prompt all the same") << int(SITE_ERROR_SYSTEM) << int(P::ERROR_CHANNEL_SSL_CHANGE) << false << kNo << QString() << QStringList{T(199), T(49)} << false;
    QTest::newRow("io") << int(SITE_ERROR_PROTOCOL) << int(P::ERROR_CHANNEL_IO) << false << kOk << QString() << QStringList{T(65)} << false;
    QTest::newRow("ip not allowed") << int(SITE_ERROR_PROTOCOL) << int(P::ERROR_CHANNEL_IP_NOT_ALLOWED) << false << kOk << QString() << QStringList{T(65)} << false;
    QTest::newRow("protocol") << int(SITE_ERROR_PROTOCOL) << int(P::ERROR_PROTOCOL) << false << kOk << QString() << QStringList{T(192)} << false;
    QTest::newRow("mismatch") << int(SITE_ERROR_PROTOCOL) << int(P::ERROR_PROTOCOL_MISMATCH) << false << kOk << QString() << QStringList{T(192)} << false;
    QTest::newRow("too low") << int(SITE_ERROR_PROTOCOL) << int(P::ERROR_PROTOCOL_VERSION_TOO_LOW) << false << kOk << QString() << QStringList{T(191)} << false;
    QTest::newRow("too high") << int(SITE_ERROR_PROTOCOL) << int(P::ERROR_PROTOCOL_VERSION_TOO_HIGH) << false << kOk << QString() << QStringList{T(17)} << false;
    QTest::newRow("wrong port") << int(SITE_ERROR_PROTOCOL) << int(P::ERROR_PROTOCOL_WRONG_PORT) << false << kOk << QString() << QStringList{T(194)} << false;
    QTest::newRow("user") << int(SITE_ERROR_PROTOCOL) << int(P::ERROR_USER) << false << kOk << QString() << QStringList{T(31)} << false;
    QTest::newRow("disabled") << int(SITE_ERROR_PROTOCOL) << int(P::ERROR_USER_DISABLED) << false << kOk << QString() << QStringList{T(31)} << false;
    QTest::newRow("password") << int(SITE_ERROR_PROTOCOL) << int(P::ERROR_USER_PASSWORD) << false << kOk << QString() << QStringList{T(31)} << false;
    QTest::newRow("max tries") << int(SITE_ERROR_PROTOCOL) << int(P::ERROR_USER_MAX_TRIES) << false << kOk << QString() << QStringList{T(5)} << false;
    QTest::newRow("otp invalid") << int(SITE_ERROR_PROTOCOL) << int(P::ERROR_USER_OTP_INVALID) << false << kOk << QString() << QStringList{T(22)} << false;
    QTest::newRow("otp enforced") << int(SITE_ERROR_PROTOCOL) << int(P::ERROR_USER_OTP_ENFORCED) << false << kOk << QString() << QStringList{T(21)} << false;
    QTest::newRow("server") << int(SITE_ERROR_PROTOCOL) << int(P::ERROR_SERVER) << false << kOk << QString() << QStringList{T(49)} << false;
    QTest::newRow("expired") << int(SITE_ERROR_PROTOCOL) << int(P::ERROR_USER_EXPIRED) << false << kOk << QString() << QStringList{T(49)} << false;
    QTest::newRow("unknown code") << int(SITE_ERROR_PROTOCOL) << 99999 << false << kOk << QString() << QStringList{T(49)} << false;
    QTest::newRow("system error hides the code") << int(SITE_ERROR_SYSTEM) << int(P::ERROR_USER_PASSWORD) << false << kOk << QString() << QStringList{T(49)} << false;
    QTest::newRow("data channel") << int(SITE_ERROR_DATA_CHANNEL) << int(P::ERROR_CHANNEL_IO) << false << kOk << QString() << QStringList{T(195).arg(3363)} << false;
}

void LoginErrorMaskTest::reactions()
{
    QFETCH(int, site_error);
    QFETCH(int, protocol_error);
    QFETCH(bool, reconnect);
    QFETCH(int, answer);
    QFETCH(QString, typed);
    QFETCH(QStringList, texts);
    QFETCH(bool, done);

    QWidget window;
    window.resize(440, 338);
    window.show();
    LoginErrorMask mask(&window);
    QSignalSpy spy(&mask, &LoginErrorMask::sigMaskDone);
    lstest::ScriptedResponder responder;
    responder.input_text = typed;
    responder.answer = [&](const SheetRequest&) { return responder.seen.size() == 1 ? answer : kOk; };

    SiteInfo info;
    info.site_error = SiteError(site_error);
    info.protocol_error = ProtoUI::Error(protocol_error);
    info.is_reconnect = reconnect;
    info.peer_seed = 77;
    info.transfer_port = 3363;
    info.ssl_signature = "AB:CD";
    mask.handleLoginError(info);
    QTRY_COMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toBool(), done);
    QStringList shown;
    for (const auto& sheet : responder.seen)
        shown << sheet.text;
    QCOMPARE(shown, texts);

    const SiteInfo amended = mask.getNewInfo();
    if (protocol_error == ProtoUI::ERROR_CHANNEL_SSL_VERIFY || protocol_error == ProtoUI::ERROR_CHANNEL_SSL_CHANGE)
        QCOMPARE(responder.seen.at(0).ok_text, T(174));
    if (done && protocol_error == ProtoUI::ERROR_USER_OTP_REQUIRED)
        QCOMPARE(amended.otp, typed);
    if (done && protocol_error == ProtoUI::ERROR_CHANNEL_SSL_VERIFY) {
        QVERIFY(amended.ssl_allow_untrust);
        QCOMPARE(amended.ssl_signature, QString("AB:CD"));
    }
    if (done && protocol_error == ProtoUI::ERROR_CHANNEL_SSL_CHANGE) {
        QVERIFY(!amended.ssl_allow_untrust);
        QVERIFY(amended.ssl_signature.isEmpty());
    }
    if (done && protocol_error == ProtoUI::ERROR_USER_INVALID_SEED) {
        QCOMPARE(amended.peer_seed, uint64_t(0));
        QVERIFY(!amended.is_reconnect);
    }
    if (!done)
        QCOMPARE(responder.seen.last().type, int(VexoMessageSheet::Warning));
}

void LoginErrorMaskTest::invalidSeedTwiceShowsLoginFailed()
{
    QWidget window;
    window.show();
    LoginErrorMask mask(&window);
    QSignalSpy spy(&mask, &LoginErrorMask::sigMaskDone);
    lstest::ScriptedResponder responder;
    SiteInfo info;
    info.site_error = SITE_ERROR_PROTOCOL;
    info.protocol_error = ProtoUI::ERROR_USER_INVALID_SEED;
    info.is_reconnect = true;
    mask.handleLoginError(info);
    QCOMPARE(spy.count(), 1);  // emitted before handleLoginError returns
    QVERIFY(spy.at(0).at(0).toBool());
    mask.handleLoginError(mask.getNewInfo());
    QTRY_COMPARE(spy.count(), 2);
    QVERIFY(!spy.at(1).at(0).toBool());
    QCOMPARE(responder.seen.size(), 1);
    QCOMPARE(responder.seen.at(0).text, T(49));
}

void LoginErrorMaskTest::secondFailureDropsOpenQuestion()
{
    QWidget window;
    window.resize(440, 338);
    window.show();
    LoginErrorMask mask(&window);
    QSignalSpy spy(&mask, &LoginErrorMask::sigMaskDone);
    lstest::ScriptedResponder responder;
    responder.answer = [](const SheetRequest&) { return 0; };  // leave it open
    SiteInfo info;
    info.site_error = SITE_ERROR_PROTOCOL;
    info.protocol_error = ProtoUI::ERROR_USER_OTP_REQUIRED;
    mask.handleLoginError(info);
    QTRY_COMPARE(responder.seen.size(), 1);
    vexotest::saveScreenshot(&window, QStringLiteral("login_mask_otp_prompt"));
    info.protocol_error = ProtoUI::ERROR_CHANNEL_SSL_VERIFY;
    responder.answer = [](const SheetRequest&) { return kOk; };
    mask.handleLoginError(info);
    QTRY_COMPARE(spy.count(), 1);
    QVERIFY(spy.at(0).at(0).toBool());
    QVERIFY(mask.getNewInfo().otp.isEmpty());
    QVERIFY(mask.getNewInfo().ssl_allow_untrust);
    QCOMPARE(responder.seen.size(), 2);
    QCOMPARE(window.findChildren<QLineEdit*>().size(), 0);  // the code prompt is gone
}

void LoginErrorMaskTest::passwordPromptAndRememberQuestion()
{
    QWidget window;
    window.show();
    lstest::ScriptedResponder responder;
    QString password = "untouched";
    responder.input_text = "";
    QVERIFY(getUserInputPassword(password, &window));
    QCOMPARE(password, QString());  // accepted empty
    QCOMPARE(responder.seen.last().text, T(37));
    QCOMPARE(responder.seen.last().ok_text, T(55));
    responder.input_text = "s3cret";
    responder.answer = [](const SheetRequest&) { return kNo; };
    password = "kept";
    QVERIFY(!getUserInputPassword(password, &window));
    QCOMPARE(password, QString("kept"));
    QVERIFY(!needRememberPassword(&window));
    QCOMPARE(responder.seen.last().text, T(7));
    responder.answer = [](const SheetRequest&) { return kOk; };
    QVERIFY(needRememberPassword(&window));
}

QTEST_MAIN(LoginErrorMaskTest)
#include "login_error_mask_test.moc"
