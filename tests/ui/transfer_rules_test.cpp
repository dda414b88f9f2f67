// The Task Manager's decisions without a window: which buttons a selection
// enables, the speed and remaining time of a task, the bar's value, pages.
#include <QtTest>

#include <climits>

#include "action-bar.h"
#include "queue-rules.h"

Q_DECLARE_METATYPE(ResumeInfo::UserAction)
Q_DECLARE_METATYPE(ResumeInfo::State)

namespace {

ResumeInfo task(ResumeInfo::UserAction action, ResumeInfo::State state)
{
    ResumeInfo info;
    info.user_action = action;
    info.local_state = state;
    return info;
}

}  // namespace

class TransferRulesTest : public QObject {
    Q_OBJECT
private slots:
    void buttonsForOneTask_data();
    void buttonsForOneTask();
    void buttonsForSelectionSize();
    void speedAndRemaining_data();
    void speedAndRemaining();
    void simpleSpeed();
    void barValueStaysInRange_data();
    void barValueStaysInRange();
    void pagesAndClamp();
    void splitsAtLastAt();
    void baseNames();
    void pathsShowOnOneLine();
};

void TransferRulesTest::buttonsForOneTask_data()
{
    QTest::addColumn<ResumeInfo::UserAction>("action");
    QTest::addColumn<ResumeInfo::State>("state");
    QTest::addColumn<bool>("start");
    QTest::addColumn<bool>("pause");
    using R = ResumeInfo;
    QTest::newRow("none running") << R::UA_NONE << R::RI_RUNNING << false << true;
    QTest::newRow("none paused") << R::UA_NONE << R::RI_PAUSED << true << false;
    for (R::State state : {R::RI_WAITING, R::RI_ERROR, R::RI_DONE, R::RI_UDP_PENDING, R::RI_FAILED})
        QTest::addRow("none state %d", state) << R::UA_NONE << state << true << true;
    QTest::newRow("start paused") << R::UA_START << R::RI_PAUSED << false << true;
    QTest::newRow("pause running") << R::UA_PAUSE << R::RI_RUNNING << true << false;
    QTest::newRow("abort running") << R::UA_ABORT << R::RI_RUNNING << false << false;
    QTest::newRow("abort waiting") << R::UA_ABORT << R::RI_WAITING << false << false;
}

void TransferRulesTest::buttonsForOneTask()
{
    QFETCH(ResumeInfo::UserAction, action);
    QFETCH(ResumeInfo::State, state);
    QFETCH(bool, start);
    QFETCH(bool, pause);
    const ResumeInfo info = task(action, state);
    const std::map<int, bool> buttons = queue_rules::summarizeButtons({&info}, 1, 5);
    QCOMPARE(buttons.size(), size_t(ActionBar::BA_MAX));
    QCOMPARE(buttons.at(ActionBar::BA_START), start);
    QCOMPARE(buttons.at(ActionBar::BA_PAUSE), pause);
    QCOMPARE(buttons.at(ActionBar::BA_CLEAR), true);
    QCOMPARE(buttons.at(ActionBar::BA_MOVETOTOP), true);
}

void TransferRulesTest::buttonsForSelectionSize()
{
    const ResumeInfo running = task(ResumeInfo::UA_NONE, ResumeInfo::RI_RUNNING);
    const ResumeInfo paused = task(ResumeInfo::UA_NONE, ResumeInfo::RI_PAUSED);
    // Nothing selected: everything off.
    for (const auto& entry : queue_rules::summarizeButtons({}, 0, 3))
        QVERIFY2(!entry.second, qPrintable(QString::number(entry.first)));
    // Every task held is selected: no moves; Start and Pause from either task.
    std::map<int, bool> all = queue_rules::summarizeButtons({&running, &paused}, 2, 2);
    QVERIFY(all[ActionBar::BA_START] && all[ActionBar::BA_PAUSE] && all[ActionBar::BA_CLEAR]);
    for (int move = ActionBar::BA_MOVEUP; move <= ActionBar::BA_MOVETOBOTTOM; ++move)
        QVERIFY(!all[move]);
    // A selected row whose task left the tables still counts as selected.
    std::map<int, bool> stale = queue_rules::summarizeButtons({}, 1, 3);
    QVERIFY(!stale[ActionBar::BA_START] && !stale[ActionBar::BA_PAUSE]);
    QVERIFY(stale[ActionBar::BA_CLEAR] && stale[ActionBar::BA_MOVEUP]);
}

void TransferRulesTest::speedAndRemaining_data()
{
    QTest::addColumn<int>("action");
    QTest::addColumn<int>("state");
    QTest::addColumn<qulonglong>("progress");
    QTest::addColumn<qulonglong>("lastProgress");
    QTest::addColumn<qulonglong>("updateTime");
    QTest::addColumn<qulonglong>("lastUpdateTime");
    QTest::addColumn<qulonglong>("total");
    QTest::addColumn<qulonglong>("speed");
    QTest::addColumn<int>("remaining");
    const int none = ResumeInfo::UA_NONE, running = ResumeInfo::RI_RUNNING;
    QTest::newRow("2 MB/s, 3.5 s truncated") << none << running << 3000000ull << 1000000ull << 10000ull << 9000ull
                                             << 10000000ull << 2000000ull << 3;
    QTest::newRow("equal times count 1 ms") << none << running << 1500ull << 1000ull << 5000ull << 5000ull
                                            << 100000ull << 500000ull << 0;
    QTest::newRow("no second record") << none << running << 3000ull << 1000ull << 10000ull << 0ull << 9000ull
                                      << 0ull << 0;
    QTest::newRow("no progress made") << none << running << 1000ull << 1000ull << 10000ull << 9000ull << 9000ull
                                      << 0ull << 0;
    QTest::newRow("progress went back") << none << running << 500ull << 1000ull << 10000ull << 9000ull << 9000ull
                                        << 0ull << 0;
    QTest::newRow("paused by user") << int(ResumeInfo::UA_PAUSE) << running << 3000ull << 1000ull << 10000ull
                                    << 9000ull << 9000ull << 0ull << 0;
    QTest::newRow("waiting") << none << int(ResumeInfo::RI_WAITING) << 3000ull << 1000ull << 10000ull << 9000ull
                             << 9000ull << 0ull << 0;
    QTest::newRow("failed") << none << int(ResumeInfo::RI_FAILED) << 3000ull << 1000ull << 10000ull << 9000ull
                            << 9000ull << 0ull << 0;
    QTest::newRow("progress past total") << none << running << 3000ull << 1000ull << 10000ull << 9000ull << 2000ull
                                         << 2000ull << 0;
    // 1 byte over 1000 s is 0 B/s: no remaining time.
    QTest::newRow("speed rounds to 0") << none << running << 1001ull << 1000ull << 1001000ull << 1000ull
                                       << 9000ull << 0ull << 0;
    // 1 B/s with 2^40 bytes to go: beyond the int range of seconds.
    QTest::newRow("remaining beyond int") << none << running << 2ull << 1ull << 2000ull << 1000ull
                                          << (1ull << 40) << 1ull << INT_MAX;
}

void TransferRulesTest::speedAndRemaining()
{
    QFETCH(int, action);
    QFETCH(int, state);
    QFETCH(qulonglong, progress);
    QFETCH(qulonglong, lastProgress);
    QFETCH(qulonglong, updateTime);
    QFETCH(qulonglong, lastUpdateTime);
    QFETCH(qulonglong, total);
    QFETCH(qulonglong, speed);
    QFETCH(int, remaining);
    ResumeInfo info = task(static_cast<ResumeInfo::UserAction>(action), static_cast<ResumeInfo::State>(state));
    info.progress = progress;
    info.last_progress = lastProgress;
    info.update_time = updateTime;
    info.last_update_time = lastUpdateTime;
    info.total = total;
    const queue_rules::SpeedEstimate estimate = queue_rules::estimateFullSpeed(info);
    QCOMPARE(estimate.speed, static_cast<uint64_t>(speed));
    QCOMPARE(estimate.remaining, remaining);
}

void TransferRulesTest::simpleSpeed()
{
    ResumeInfo info = task(ResumeInfo::UA_NONE, ResumeInfo::RI_RUNNING);
    uint64_t speed = 7;
    QVERIFY(!queue_rules::estimateSimpleSpeed(info, speed));  // no record yet: no text
    info.update_time = 2000;
    info.last_update_time = 1000;
    info.progress = 5000;
    info.last_progress = 1000;
    QVERIFY(queue_rules::estimateSimpleSpeed(info, speed));
    QCOMPARE(speed, uint64_t(4000));
    info.last_progress = 6000;
    QVERIFY(queue_rules::estimateSimpleSpeed(info, speed));
    QCOMPARE(speed, uint64_t(0));
    info.last_progress = 1000;
    info.last_update_time = 2000;
    QVERIFY(queue_rules::estimateSimpleSpeed(info, speed));
    QCOMPARE(speed, uint64_t(0));
}

void TransferRulesTest::barValueStaysInRange_data()
{
    QTest::addColumn<qulonglong>("progress");
    QTest::addColumn<qulonglong>("total");
    QTest::addColumn<int>("value");
    QTest::newRow("empty file is full") << 0ull << 0ull << 10000;
    QTest::newRow("0 of 99") << 0ull << 99ull << 100;
    QTest::newRow("half") << 499ull << 999ull << 5000;
    QTest::newRow("done") << 1000ull << 1000ull << 10000;
    QTest::newRow("file grew past total") << 5000ull << 1000ull << 10000;
    QTest::newRow("ratio beyond int") << (1ull << 62) << 0ull << 10000;
}

void TransferRulesTest::barValueStaysInRange()
{
    QFETCH(qulonglong, progress);
    QFETCH(qulonglong, total);
    QFETCH(int, value);
    QCOMPARE(queue_rules::progressBarValue(progress, total), value);
}

void TransferRulesTest::pagesAndClamp()
{
    QCOMPARE(queue_rules::pageCount(0, 100), 1);
    QCOMPARE(queue_rules::pageCount(100, 100), 1);
    QCOMPARE(queue_rules::pageCount(250, 100), 3);
    QCOMPARE(queue_rules::clampPage(0, 3), 1);
    QCOMPARE(queue_rules::clampPage(-5, 3), 1);
    QCOMPARE(queue_rules::clampPage(4, 3), 3);
    QCOMPARE(queue_rules::clampPage(2, 3), 2);
    QCOMPARE(queue_rules::elapsedSeconds(3999), 3);
    QCOMPARE(queue_rules::elapsedSeconds(~0ull), INT_MAX);
}

void TransferRulesTest::splitsAtLastAt()
{
    QString user, domain;
    QVERIFY(queue_rules::splitDomainUser("a@b.c@nas.local", user, domain));
    QCOMPARE(user, QString("a@b.c"));
    QCOMPARE(domain, QString("nas.local"));
    QVERIFY(!queue_rules::splitDomainUser("All Transfers", user, domain));
    QVERIFY(user.isEmpty() && domain.isEmpty());
}

void TransferRulesTest::baseNames()
{
    QCOMPARE(queue_rules::baseName("/share/dir/file.txt"), QString("file.txt"));
    QCOMPARE(queue_rules::baseName("C:\\dir\\file.txt"), QString("file.txt"));
    QCOMPARE(queue_rules::baseName("plain"), QString("plain"));
    QCOMPARE(queue_rules::baseName("/share/dir/"), QString());
}

void TransferRulesTest::pathsShowOnOneLine()
{
    const struct {
        const char* path;
        QString shown;
    } cases[] = {
        {"/share/na\u00efve.txt", QString::fromUtf8("/share/na\u00efve.txt")},
        {"/share/two\nlines", QString::fromUtf8("/share/two\u240Alines")},
        {"/share/a\tb\rc\x7f", QString::fromUtf8("/share/a\u2409b\u240Dc\u2421")},
    };
    for (const auto& c : cases)
        QCOMPARE(queue_rules::pathText(ustring(c.path)), c.shown);
}

QTEST_APPLESS_MAIN(TransferRulesTest)
#include "transfer_rules_test.moc"
