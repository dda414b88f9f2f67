// Pop-ups and keyboard focus: the filter bar and its menu, a menu holding a
// line edit (keys reach it, Enter keeps the menu open, a click inside keeps
// it, Escape closes it), and the date selector with its calendar. Runs on a
// real (virtual) X server, where pop-ups grab the keyboard as they do for users.
#include <QLabel>
#include <QMenu>
#include <QTimer>
#include <QLineEdit>
#include <QSignalSpy>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtTest>

#include "component_strings.h"
#include "vexo_date_selector.h"
#include "vexo_filter_bar.h"
#include "vexo_icon_button.h"
#include "vexo_line_edit.h"
#include "vexo_menu.h"
#include "vexoqelt_test_support.h"

using StringMap = QMap<QString, QString>;

namespace {

// A panel like the site filter: a label and a line edit in a VexoMenu.
struct Panel {
    Panel()
    {
        menu = new VexoMenu;
        label = new QLabel(QStringLiteral("Keyword:"), menu);
        edit = new VexoLineEdit(menu);
        auto* layout = new QVBoxLayout(menu);
        layout->setContentsMargins(20, 12, 20, 20);
        layout->addWidget(label);
        layout->addWidget(edit);
        menu->setFixedSize(368, 120);
        menu->installEventFilter(new MouseReleaseFilter(menu));
    }
    VexoMenu* menu;
    QLabel* label;
    VexoLineEdit* edit;
};

// Keys as a user types them: through the window system to whatever has focus.
void typeInto(QWidget* popup, const QString& text)
{
    for (QChar c : text)
        QTest::keyClick(popup->windowHandle(), c.toLatin1());
}

}  // namespace

class PopupTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { vexotest::initLibrary(1.0); }
    void cleanupTestCase() { QCOMPARE(vexotest::missingNames(), QStringList()); }

    void filterBarSignalsUserEditsOnly()
    {
        QWidget window;
        auto* bar = new VexoFilterBar(&window);
        bar->setFixedWidth(212);
        window.resize(300, 80);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));  // no window manager: exposed, not active
        QSignalSpy changed(bar, &VexoFilterBar::sigKeywordChanged);
        QTest::keyClicks(bar->lineEdit(), QStringLiteral("ab"));
        QCOMPARE(changed.count(), 2);
        QCOMPARE(changed.last().first().toString(), QStringLiteral("ab"));
        bar->setText(QStringLiteral("from the program"));
        QCOMPARE(changed.count(), 2);
        QCOMPARE(bar->text(), QStringLiteral("from the program"));
        QTest::keyClick(bar->lineEdit(), Qt::Key_Backspace);
        QCOMPARE(changed.count(), 3);
        QCOMPARE(changed.last().first().toString(), QStringLiteral("from the progra"));

        // The button pops the menu below the bar; the bar owns the menu.
        QVERIFY(!bar->menuButton()->isEnabled());
        Panel panel;
        QPointer<VexoMenu> menu = panel.menu;
        bar->setMenu(panel.menu);
        QVERIFY(bar->menuButton()->isEnabled());
        QTest::mouseClick(bar->menuButton(), Qt::LeftButton);
        QTRY_VERIFY(panel.menu->isVisible());
        QCOMPARE(panel.menu->geometry().top(), bar->mapToGlobal(QPoint(0, bar->height())).y());
        panel.menu->close();
        delete bar;
        QVERIFY(menu.isNull());
    }

    void iconButtonMenuPopsAtOnce()
    {
        QWidget window;
        auto* button = new VexoIconButton(QPixmap(16, 16), &window);
        button->setFixedSize(32, 28);
        QMenu menu;
        menu.addAction(QStringLiteral("Help"));
        button->setMenu(&menu);
        window.resize(100, 60);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTimer::singleShot(0, &menu, [&menu] {
            QTRY_VERIFY(menu.isVisible());  // on the press, with no hold or arrow
            menu.close();
        });
        QTest::mousePress(button, Qt::LeftButton);  // the menu's own loop runs here
        QVERIFY(!menu.isVisible());
    }

    void menuKeepsKeysAndStaysOpen()
    {
        Panel panel;
        QSignalSpy returned(panel.edit->getLineEdit(), &QLineEdit::returnPressed);
        panel.menu->popup(QPoint(100, 100));
        QVERIFY(QTest::qWaitForWindowExposed(panel.menu));
        QTRY_COMPARE(QApplication::activePopupWidget(), static_cast<QWidget*>(panel.menu));
        QTRY_COMPARE(panel.menu->focusWidget(), static_cast<QWidget*>(panel.edit->getLineEdit()));

        typeInto(panel.menu, QStringLiteral("report"));
        QCOMPARE(panel.edit->getEditText(), QStringLiteral("report"));
        QTest::keyClick(panel.menu->windowHandle(), Qt::Key_Return);
        QCOMPARE(returned.count(), 1);
        QVERIFY(panel.menu->isVisible());

        // A click on the label, inside the panel, keeps it open.
        const QPoint on_label = panel.label->mapTo(panel.menu, panel.label->rect().center());
        QTest::mouseClick(panel.menu->windowHandle(), Qt::LeftButton, {}, on_label);
        QTest::qWait(50);
        QVERIFY(panel.menu->isVisible());

        QTest::keyClick(panel.menu->windowHandle(), Qt::Key_Escape);
        QTRY_VERIFY(!panel.menu->isVisible());
    }

    void dateSelector_data()
    {
        QTest::addColumn<StringMap>("strings");
        QTest::addColumn<QString>("may");
        QTest::addColumn<QStringList>("weekdays");
        QTest::newRow("english by default") << StringMap() << "May 2019"
            << QStringList{"Su", "Mo", "Tu", "We", "Th", "Fr", "Sa"};
        StringMap german{{"month_may", "Mai"}, {"sunday", "Sonntag"}, {"monday", "Montag"},
                                      {"tuesday", "Dienstag"}, {"wednesday", "Mittwoch"}, {"thursday", "Donnerstag"},
                                      {"friday", "Freitag"}, {"saturday", "Samstag"}, {"today", "Heute"}};
        QTest::newRow("installed german") << german << "Mai 2019"
            << QStringList{"So", "Mo", "Di", "Mi", "Do", "Fr", "Sa"};
        StringMap chinese{{"month_may", QStringLiteral("五月")}, {"sunday", QStringLiteral("星期日")},
                                       {"monday", QStringLiteral("星期一")}, {"tuesday", QStringLiteral("星期二")},
                                       {"wednesday", QStringLiteral("星期三")}, {"thursday", QStringLiteral("星期四")},
                                       {"friday", QStringLiteral("星期五")}, {"saturday", QStringLiteral("星期六")}};
        QTest::newRow("installed chinese") << chinese << QStringLiteral("五月 2019")
            << QStringList{QStringLiteral("日"), QStringLiteral("一"), QStringLiteral("二"), QStringLiteral("三"),
                           QStringLiteral("四"), QStringLiteral("五"), QStringLiteral("六")};
    }
    void dateSelector()
    {
        QFETCH(StringMap, strings);
        QFETCH(QString, may);
        QFETCH(QStringList, weekdays);
        ComponentStrings::getInstance()->installStrings(strings);
        QWidget window;
        auto* selector = new VexoDateSelector(QStringLiteral("From"), &window);
        window.resize(240, 60);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));  // no window manager: exposed, not active

        QCOMPARE(selector->currentText(), QStringLiteral("From"));
        QVERIFY(!selector->currentData(Qt::UserRole).toDate().isValid());
        selector->dateSelect(QDate(2019, 5, 17));
        QCOMPARE(selector->currentData(Qt::UserRole).toDate(), QDate(2019, 5, 17));
        QCOMPARE(selector->currentText(), QStringLiteral("2019-05-17"));

        selector->showPopup();
        DateSelectorPopup* popup = selector->popup();
        QVERIFY(popup);
        QTRY_VERIFY(popup->isVisible());
        QCOMPARE(popup->monthTitle(), may);
        QCOMPARE(popup->weekdayTitles(), weekdays);
        if (strings.contains(QStringLiteral("today")))
            QCOMPARE(popup->todayButton()->text(), strings.value(QStringLiteral("today")));
        QSignalSpy picked(selector, &VexoDateSelector::sigDateSelected);
        QTest::mouseClick(popup->dayButton(20), Qt::LeftButton);
        QCOMPARE(picked.count(), 1);
        QCOMPARE(selector->currentData(Qt::UserRole).toDate(), QDate(2019, 5, 20));
        QTRY_VERIFY(!selector->popup());

        selector->showPopup();
        QVERIFY(selector->popup());
        QTest::mouseClick(selector->popup()->todayButton(), Qt::LeftButton);
        QCOMPARE(selector->selectedDate(), QDate::currentDate());

        selector->clearDate();
        QCOMPARE(selector->currentText(), QStringLiteral("From"));
        QVERIFY(!selector->currentData(Qt::UserRole).toDate().isValid());
        ComponentStrings::getInstance()->installStrings({});
    }
};

QTEST_MAIN(PopupTest)
#include "vexoqelt_popup_test.moc"
