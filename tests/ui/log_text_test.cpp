// The event log's sentences: base names, coloured names and one table of
// records with their sentence and tooltip, hostile server text included.
#include <QLabel>
#include <QTextDocument>
#include <QtTest>

#include "misc-log-text.h"
#include "misc-log.h"

namespace {

QString anchor(const QString& escaped)
{
    return QStringLiteral("<a style=\"color:#2A588C\">") + escaped + QStringLiteral("</a>");
}

MiscLog makeRecord(int type, const QString& user, const QString& ip, const QString& s0, const QString& s1)
{
    MiscLog log;
    log.type = static_cast<uint32_t>(type);
    log.username = user.toStdString();
    log.ip = ip.toStdString();
    log.pushArg(s0.toStdString(), true);
    log.pushArg(s1.toStdString(), true);
    for (int i = 2; i < 5; ++i)
        log.pushArg(std::string(), true);
    return log;
}

// What a rich-text label shows of the sentence.
QString shownText(const QString& rich)
{
    QTextDocument document;
    document.setHtml(rich);
    return document.toPlainText();
}

}  // namespace

class LogTextTest : public QObject {
    Q_OBJECT
private slots:
    void baseName_data();
    void baseName();
    void colouredNameIsEscaped();
    void sentences_data();
    void sentences();
    void typesWithoutSentenceKeepCallerTexts();
    void hostileRowsShowLiterally_data();
    void hostileRowsShowLiterally();
};

void LogTextTest::baseName_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("base");
    QTest::newRow("backslashes") << "C:\\Users\\me\\a.txt" << "a.txt";
    QTest::newRow("slashes") << "/share/dir/b.doc" << "b.doc";
    QTest::newRow("trailing separator") << "/share/dir/" << "";
    QTest::newRow("no separator") << "plain.txt" << "plain.txt";
    QTest::newRow("mixed, slash last") << "C:\\a\\b/c.txt" << "c.txt";
    QTest::newRow("mixed, backslash last") << "/a/b\\c.txt" << "c.txt";
    QTest::newRow("empty") << "" << "";
}

void LogTextTest::baseName()
{
    QFETCH(QString, path);
    QFETCH(QString, base);
    QCOMPARE(getBaseName(path), base);
}

void LogTextTest::colouredNameIsEscaped()
{
    QCOMPARE(getColoredString(QStringLiteral("a<b"), QStringLiteral("2A588C")), anchor(QStringLiteral("a&lt;b")));
    QCOMPARE(getColoredString(QStringLiteral("\"&>"), QStringLiteral("2A588C")),
             anchor(QStringLiteral("&quot;&amp;&gt;")));
}

void LogTextTest::sentences_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("ip");
    QTest::addColumn<QString>("s0");
    QTest::addColumn<QString>("s1");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("tooltip");

    QTest::newRow("login") << 1 << "admin" << "10.0.0.5" << "" << ""
                           << "admin logged in to 10.0.0.5." << "";
    QTest::newRow("rename") << 2 << "u" << "" << "/s/a.txt" << "/s/b.txt"
                            << "u renamed " + anchor("a.txt") + " to " + anchor("b.txt") + "."
                            << "/s/a.txt -> /s/b.txt";
    QTest::newRow("move keeps the name") << 2 << "u" << "" << "/s/x/a.txt" << "/s/y/a.txt"
                                         << "u moved " + anchor("a.txt") + " to " + anchor("/s/y/a.txt") + "."
                                         << "/s/x/a.txt -> /s/y/a.txt";
    QTest::newRow("case change is a rename") << 2 << "u" << "" << "/s/a.txt" << "/s/A.txt"
                                             << "u renamed " + anchor("a.txt") + " to " + anchor("A.txt") + "."
                                             << "/s/a.txt -> /s/A.txt";
    QTest::newRow("copy names the whole destination")
        << 3 << "u" << "" << "/s/a/f.bin" << "/s/b" << "u copied " + anchor("f.bin") + " to " + anchor("/s/b") + "."
        << "/s/a/f.bin -> /s/b";
    QTest::newRow("remove") << 4 << "u" << "" << "/s/old" << "" << "u deleted " + anchor("old") + "." << "/s/old";
    QTest::newRow("mkdir") << 5 << "u" << "" << "/s/new" << "" << "u created folder " + anchor("new") + "."
                           << "/s/new";
    QTest::newRow("upload") << 6 << "u" << "" << "C:\\up\\f.txt" << "/s/f.txt" << "u uploaded " + anchor("f.txt") + "."
                            << "C:\\up\\f.txt -> /s/f.txt";
    QTest::newRow("download") << 7 << "u" << "" << "/s/d.txt" << "C:\\dl\\d.txt"
                              << "u downloaded " + anchor("d.txt") + "." << "/s/d.txt -> C:\\dl\\d.txt";
    // Faults mended: the user and the address come from outside and are
    // escaped; a "%N" in a name stays text instead of taking a later argument.
    QTest::newRow("user name escaped") << 1 << "<b>x & y" << "10.0.0.1" << "" << ""
                                       << "&lt;b&gt;x &amp; y logged in to 10.0.0.1." << "";
    QTest::newRow("address escaped") << 1 << "u" << "<i>h</i>" << "" << ""
                                     << "u logged in to &lt;i&gt;h&lt;/i&gt;." << "";
    QTest::newRow("placeholder in the source name")
        << 2 << "u" << "" << "/s/%3 report" << "/s/final" << "u renamed " + anchor("%3 report") + " to " + anchor("final") + "."
        << "/s/%3 report -> /s/final";
    QTest::newRow("placeholder in the user name") << 4 << "%2" << "" << "/s/gone" << ""
                                                  << "%2 deleted " + anchor("gone") + "." << "/s/gone";
    QTest::newRow("every placeholder") << 3 << "u" << "" << "/s/%1%2%9" << "/d/%1"
                                       << "u copied " + anchor("%1%2%9") + " to " + anchor("/d/%1") + "."
                                       << "/s/%1%2%9 -> /d/%1";
}

void LogTextTest::sentences()
{
    QFETCH(int, type);
    QFETCH(QString, user);
    QFETCH(QString, ip);
    QFETCH(QString, s0);
    QFETCH(QString, s1);
    QFETCH(QString, text);
    QFETCH(QString, tooltip);
    QString got_text;
    QString got_tooltip = QStringLiteral("stale");
    getLogString(makeRecord(type, user, ip, s0, s1), got_text, got_tooltip);
    QCOMPARE(got_text, text);
    QCOMPARE(got_tooltip, tooltip);
}

void LogTextTest::typesWithoutSentenceKeepCallerTexts()
{
    for (int type : {0, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 1000}) {
        QString text = QStringLiteral("t");
        QString tooltip = QStringLiteral("tt");
        getLogString(makeRecord(type, "u", "1.2.3.4", "/a", "/b"), text, tooltip);
        QCOMPARE(text, QStringLiteral("t"));
        QCOMPARE(tooltip, QStringLiteral("tt"));
    }
}

void LogTextTest::hostileRowsShowLiterally_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("markup") << "<img src=x>";
    QTest::newRow("entity") << "&amp;";
    QTest::newRow("double quote") << "say \"hi\"";
    QTest::newRow("placeholder") << "%2";
    QTest::newRow("5000 characters") << QString(5000, QLatin1Char('n'));
}

void LogTextTest::hostileRowsShowLiterally()
{
    QFETCH(QString, name);
    const QString path = QStringLiteral("/share/") + name;
    const QString user = QStringLiteral("<b>x");
    for (int type : {2, 3, 4, 5, 6, 7}) {
        QString text;
        QString tooltip;
        getLogString(makeRecord(type, user, "10.0.0.9", path, "/d/" + name), text, tooltip);
        const QString shown = shownText(text);
        QVERIFY2(shown.startsWith(user + QLatin1Char(' ')), qPrintable(shown));
        QVERIFY2(shown.contains(name), qPrintable(QString::number(type)));
        // Nothing became markup: the only tag is the anchor around each name.
        QVERIFY(!text.contains(QStringLiteral("<img")));
        QVERIFY(!text.contains(QStringLiteral("<b>")));
        QVERIFY(tooltip.startsWith(path));
        // A label shows the sentence without taking anything from it as markup.
        QLabel label;
        label.setTextFormat(Qt::RichText);
        label.setText(text);
        QCOMPARE(shownText(label.text()), shown);
    }
}

QTEST_MAIN(LogTextTest)
#include "log_text_test.moc"
