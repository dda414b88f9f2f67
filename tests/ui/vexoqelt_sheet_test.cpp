// Sheets, their mask and the test responder: answers by the responder and by
// real keys and clicks, exec() and non-blocking shows, quit(), deletion at
// awkward moments, two sheets over one window, and screenshots of each type.
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTextDocument>
#include <QTimer>
#include <QVBoxLayout>
#include <QtTest>

#include "component_strings.h"
#include "message_box.h"
#include "sheet_responder.h"
#include "vexo_input_sheet.h"
#include "vexo_mask.h"
#include "vexo_message_sheet.h"
#include "vexoqelt_test_support.h"

namespace {

const QColor kDim(0, 0, 0, 20);

// A window with a white central panel, the way the program's windows hold
// their sheets: the sheet's parent is the panel, the mask lies over the window.
struct TestWindow {
    TestWindow()
    {
        window.reset(new QWidget);
        window->resize(640, 420);
        QPalette white = window->palette();
        white.setColor(QPalette::Window, Qt::white);
        window->setPalette(white);
        window->setAutoFillBackground(true);
        auto* layout = new QVBoxLayout(window.get());
        panel = new QWidget(window.get());
        panel->setAutoFillBackground(true);
        button_under = new QPushButton(QStringLiteral("under"), panel);
        button_under->move(10, 10);
        layout->addWidget(panel);
        window->show();
        exposed = QTest::qWaitForWindowExposed(window.get());
    }
    QList<VexoMask*> visibleMasks() const
    {
        QList<VexoMask*> shown;
        for (VexoMask* mask : window->findChildren<VexoMask*>()) {
            if (mask->isVisible())
                shown << mask;
        }
        return shown;
    }
    QColor pixel(QPoint at) const { return window->grab().toImage().pixelColor(at); }

    std::unique_ptr<QWidget> window;
    QWidget* panel = nullptr;
    QPushButton* button_under = nullptr;
    bool exposed = false;
};

}  // namespace

class SheetTest : public QObject {
    Q_OBJECT
private:
    QList<SheetRequest> m_requests;
    void answerWith(int answer, const QString& fill = QString())
    {
        m_requests.clear();
        installSheetResponder([this, answer, fill](const SheetRequest& request) {
            m_requests << request;
            if (request.input && !fill.isNull())
                request.input->setText(fill);
            return answer;
        });
    }

private slots:
    void initTestCase() { vexotest::initLibrary(1.0); }
    void init() { installSheetResponder(nullptr); }
    void cleanupTestCase()
    {
        installSheetResponder(nullptr);
        QCOMPARE(vexotest::missingNames(), QStringList());
    }

    void responderAnswers_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("blocking");
        QTest::addColumn<QStringList>("buttonTexts");
        const QStringList ok{QStringLiteral("OK")};
        const QStringList both{QStringLiteral("OK"), QStringLiteral("Cancel")};
        for (bool blocking : {true, false}) {
            const char* mode = blocking ? "exec" : "show";
            QTest::addRow("warning ok %s", mode) << int(VexoMessageSheet::Warning) << int(QMessageBox::Ok) << blocking << ok;
            QTest::addRow("confirm ok %s", mode) << int(VexoMessageSheet::Confirming) << int(QMessageBox::Ok) << blocking << both;
            QTest::addRow("confirm discard %s", mode) << int(VexoMessageSheet::Confirming) << int(QMessageBox::Discard) << blocking << both;
            QTest::addRow("error ok %s", mode) << int(VexoMessageSheet::Error) << int(QMessageBox::Ok) << blocking << ok;
            QTest::addRow("processing closed %s", mode) << int(VexoMessageSheet::Processing) << int(QMessageBox::Cancel) << blocking << QStringList();
        }
    }
    void responderAnswers()
    {
        QFETCH(int, type);
        QFETCH(int, answer);
        QFETCH(bool, blocking);
        QFETCH(QStringList, buttonTexts);
        TestWindow w;
        const QString text = QStringLiteral("Delete 3 items?<br>");
        auto* sheet = new VexoMessageSheet(type, text, w.panel);
        VexoMask::createMask(sheet, w.window.get(), kDim);
        QSignalSpy finished(sheet, &VexoSheet::finished);
        int clicked = 0;
        if (QPushButton* b = sheet->button(answer))
            connect(b, &QPushButton::clicked, [&clicked] { ++clicked; });
        answerWith(answer);
        if (blocking) {
            QCOMPARE(sheet->exec(), answer);
        } else {
            sheet->showSheet();
            QVERIFY(sheet->isVisible());
            QVERIFY(finished.wait(5000));
        }
        QCOMPARE(finished.count(), 1);
        QCOMPARE(finished.first().first().toInt(), answer);
        QCOMPARE(m_requests.size(), 1);
        QCOMPARE(m_requests[0].type, type);
        QCOMPARE(m_requests[0].text, text);
        QStringList seen;
        for (const auto& b : m_requests[0].buttons)
            seen << b.second;
        QCOMPARE(seen, buttonTexts);
        QCOMPARE(clicked, sheet->button(answer) && !buttonTexts.isEmpty() ? 1 : 0);
        QVERIFY(!sheet->isVisible());
        QVERIFY(w.visibleMasks().isEmpty());
        QTest::qWait(0);
        QCOMPARE(finished.count(), 1);  // nothing late
        delete sheet;
        QVERIFY(w.window->findChildren<VexoMask*>().isEmpty());
    }

    // A button no user could press (hidden or disabled) is not pressed for
    // the responder either: the sheet stays open with no answer.
    void responderCannotPressAnUnusableButton_data()
    {
        QTest::addColumn<bool>("hide");
        QTest::addRow("hidden") << true;
        QTest::addRow("disabled") << false;
    }
    void responderCannotPressAnUnusableButton()
    {
        QFETCH(bool, hide);
        TestWindow w;
        auto* sheet = new VexoMessageSheet(VexoMessageSheet::Confirming, QStringLiteral("Go on?"), w.panel);
        VexoMask::createMask(sheet, w.window.get(), kDim);
        QPushButton* ok = sheet->button(QMessageBox::Ok);
        QVERIFY(ok);
        if (hide)
            ok->hide();
        else
            ok->setEnabled(false);
        int clicked = 0;
        connect(ok, &QPushButton::clicked, [&clicked] { ++clicked; });
        QSignalSpy finished(sheet, &VexoSheet::finished);
        answerWith(QMessageBox::Ok);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("sheet responder: button 1024 is"));
        sheet->showSheet();
        QTRY_COMPARE(m_requests.size(), 1);
        QVERIFY(!finished.wait(200));
        QCOMPARE(clicked, 0);
        QVERIFY(sheet->isVisible());
        // The other button still answers.
        sheet->done(QMessageBox::Discard);
        QCOMPARE(finished.count(), 1);
        delete sheet;
    }

    void userAnswers_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("expected");  // 0: the sheet stays open
        QTest::newRow("confirm enter") << int(VexoMessageSheet::Confirming) << "enter" << int(QMessageBox::Ok);
        QTest::newRow("confirm keypad enter") << int(VexoMessageSheet::Confirming) << "keypad" << int(QMessageBox::Ok);
        QTest::newRow("confirm escape") << int(VexoMessageSheet::Confirming) << "escape" << int(QMessageBox::Discard);
        QTest::newRow("confirm click ok") << int(VexoMessageSheet::Confirming) << "click ok" << int(QMessageBox::Ok);
        QTest::newRow("confirm click cancel") << int(VexoMessageSheet::Confirming) << "click discard" << int(QMessageBox::Discard);
        QTest::newRow("warning enter") << int(VexoMessageSheet::Warning) << "enter" << int(QMessageBox::Ok);
        QTest::newRow("warning escape") << int(VexoMessageSheet::Warning) << "escape" << int(QMessageBox::Discard);
        QTest::newRow("processing enter") << int(VexoMessageSheet::Processing) << "enter" << 0;
        QTest::newRow("processing escape") << int(VexoMessageSheet::Processing) << "escape" << 0;
    }
    void userAnswers()
    {
        QFETCH(int, type);
        QFETCH(QString, action);
        QFETCH(int, expected);
        TestWindow w;
        VexoMessageSheet sheet(type, QStringLiteral("Question"), w.panel);
        VexoMask::createMask(&sheet, w.window.get(), kDim);
        QSignalSpy finished(&sheet, &VexoSheet::finished);
        int result = -1;
        // Run inside exec(): the keys arrive while the nested loop waits.
        QTimer::singleShot(0, &sheet, [&] {
            if (action == QLatin1String("enter"))
                QTest::keyClick(&sheet, Qt::Key_Return);
            else if (action == QLatin1String("keypad"))
                QTest::keyClick(&sheet, Qt::Key_Enter, Qt::KeypadModifier);
            else if (action == QLatin1String("escape"))
                QTest::keyClick(&sheet, Qt::Key_Escape);
            else if (action == QLatin1String("click ok"))
                QTest::mouseClick(sheet.button(QMessageBox::Ok), Qt::LeftButton);
            else
                QTest::mouseClick(sheet.button(QMessageBox::Discard), Qt::LeftButton);
            if (expected == 0) {
                QVERIFY(sheet.isVisible());  // a sheet of work in progress ignores the keys
                QCOMPARE(finished.count(), 0);
                sheet.quit();
            }
        });
        result = sheet.exec();
        QCOMPARE(result, expected == 0 ? int(QMessageBox::Cancel) : expected);
        QCOMPARE(finished.count(), 1);
        QVERIFY(w.visibleMasks().isEmpty());
    }

    void keysStayInTheSheet()
    {
        // A window that acts on keys, like the main window's file actions.
        struct KeyWindow : QWidget {
            int keys = 0;
            void keyPressEvent(QKeyEvent*) override { ++keys; }
        } window;
        window.resize(500, 300);
        auto* behind = new QPushButton(QStringLiteral("behind"), &window);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        VexoMessageSheet sheet(VexoMessageSheet::Confirming, QStringLiteral("Delete?"), &window);
        VexoMask::createMask(&sheet, &window, kDim);
        sheet.showSheet();
        QTest::keyClick(&sheet, Qt::Key_Delete);
        QTest::keyClick(&sheet, Qt::Key_F5);
        QCOMPARE(window.keys, 0);
        QVERIFY(sheet.isVisible());
        // Tab goes round the sheet's buttons, never to the window's.
        sheet.button(QMessageBox::Ok)->setFocus();
        for (int i = 0; i < 4; ++i) {
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &sheet, Qt::Key_Tab);
            QVERIFY(QApplication::focusWidget() != behind);
            QVERIFY(sheet.isAncestorOf(window.focusWidget()));
        }
        sheet.quit();
    }

    void quitEndsShownOrRunningSheet()
    {
        TestWindow w;
        VexoMessageSheet sheet(VexoMessageSheet::Confirming, QStringLiteral("q"), w.panel);
        QSignalSpy finished(&sheet, &VexoSheet::finished);
        sheet.quit();  // closed: harmless
        QCOMPARE(finished.count(), 0);

        QTimer::singleShot(0, &sheet, &VexoSheet::quit);
        const int answer = sheet.exec();
        QVERIFY(answer != QMessageBox::Ok);
        QCOMPARE(finished.count(), 1);

        sheet.showSheet();  // re-shown after closing
        QVERIFY(sheet.isVisible());
        sheet.quit();
        sheet.quit();
        QCOMPARE(finished.count(), 2);
        QVERIFY(!sheet.isVisible());

        answerWith(QMessageBox::Ok);  // and answered again
        QCOMPARE(sheet.exec(), int(QMessageBox::Ok));
        QCOMPARE(finished.count(), 3);
    }

    void maskDimsWhileShown()
    {
        TestWindow w;
        auto* sheet = new VexoMessageSheet(VexoMessageSheet::Warning, QStringLiteral("w"), w.panel);
        VexoMask* mask = VexoMask::createMask(sheet, w.window.get(), kDim);
        QVERIFY(mask);
        const QPoint corner(w.window->width() - 5, w.window->height() - 5);
        const QColor before = w.pixel(corner);
        QVERIFY(!mask->isVisible());

        sheet->showSheet();
        QVERIFY(mask->isVisible());
        QCOMPARE(mask->geometry(), w.window->rect());
        const QColor dimmed = w.pixel(corner);
        QVERIFY2(dimmed.lightness() < before.lightness(),
                 qPrintable(QStringLiteral("%1 -> %2").arg(before.name(), dimmed.name())));
        // The sheet is above its mask, the panel's button below it.
        QCOMPARE(w.window->childAt(sheet->geometry().center()) != nullptr, true);
        QVERIFY(sheet->isAncestorOf(w.window->childAt(sheet->geometry().center())) ||
                w.window->childAt(sheet->geometry().center()) == sheet);
        QSignalSpy under_clicked(w.button_under, &QPushButton::clicked);
        QTest::mouseClick(w.window.get(), Qt::LeftButton, {}, w.button_under->mapTo(w.window.get(), QPoint(5, 5)));
        QCOMPARE(w.window->childAt(w.button_under->mapTo(w.window.get(), QPoint(5, 5))), mask);
        QCOMPARE(under_clicked.count(), 0);

        w.window->resize(700, 500);  // the mask follows its window
        QCOMPARE(mask->geometry(), w.window->rect());

        sheet->done(QMessageBox::Ok);
        QVERIFY(!mask->isVisible());
        QCOMPARE(w.pixel(corner), before);
        delete sheet;
        QVERIFY(w.window->findChildren<VexoMask*>().isEmpty());
    }

    void deletingOpenSheetLeavesNothing_data()
    {
        QTest::addColumn<bool>("inExec");
        QTest::newRow("shown") << false;
        QTest::newRow("in exec") << true;
    }
    void deletingOpenSheetLeavesNothing()
    {
        QFETCH(bool, inExec);
        TestWindow w;
        QPointer<VexoMessageSheet> sheet = new VexoMessageSheet(VexoMessageSheet::Confirming, QStringLiteral("x"), w.panel);
        VexoMask::createMask(sheet, w.window.get(), kDim);
        int late = 0;
        connect(sheet, &VexoSheet::finished, this, [&late] { ++late; });
        if (inExec) {
            QTimer::singleShot(0, this, [&] { delete sheet.data(); });
            const int answer = sheet->exec();
            QVERIFY(answer != QMessageBox::Ok);
        } else {
            sheet->showSheet();
            delete sheet.data();
        }
        QVERIFY(sheet.isNull());
        QVERIFY(w.window->findChildren<VexoMask*>().isEmpty());
        QTest::qWait(0);
        QCOMPARE(late, 0);
    }

    void deletingFromOwnFinished_data()
    {
        QTest::addColumn<bool>("inExec");
        QTest::newRow("shown") << false;
        QTest::newRow("in exec") << true;
    }
    void deletingFromOwnFinished()
    {
        QFETCH(bool, inExec);
        TestWindow w;
        QPointer<VexoMessageSheet> sheet = new VexoMessageSheet(VexoMessageSheet::Confirming, QStringLiteral("x"), w.panel);
        VexoMask::createMask(sheet, w.window.get(), kDim);
        int finished = 0;
        connect(sheet, &VexoSheet::finished, this, [&](int) {
            ++finished;
            delete sheet.data();
        });
        answerWith(QMessageBox::Ok);
        if (inExec) {
            QCOMPARE(sheet->exec(), int(QMessageBox::Ok));
        } else {
            sheet->showSheet();
            QTRY_VERIFY(sheet.isNull());
        }
        QVERIFY(sheet.isNull());
        QCOMPARE(finished, 1);
        QVERIFY(w.window->findChildren<VexoMask*>().isEmpty());
    }

    void parentDeletedDuringExec_data()
    {
        QTest::addColumn<bool>("wholeWindow");
        QTest::newRow("panel") << false;
        QTest::newRow("window") << true;
    }
    void parentDeletedDuringExec()
    {
        QFETCH(bool, wholeWindow);
        TestWindow w;
        QPointer<VexoMessageSheet> sheet = new VexoMessageSheet(VexoMessageSheet::Confirming, QStringLiteral("x"), w.panel);
        VexoMask::createMask(sheet, w.window.get(), kDim);
        QTimer::singleShot(0, this, [&] {
            if (wholeWindow)
                w.window.reset();
            else
                delete w.panel;
        });
        const int answer = sheet->exec();
        QVERIFY(answer != QMessageBox::Ok);
        QVERIFY(sheet.isNull());
        if (!wholeWindow)
            QVERIFY(w.window->findChildren<VexoMask*>().isEmpty());
    }

    void twoSheetsOverOneWindow_data()
    {
        QTest::addColumn<bool>("firstClosesFirst");
        QTest::newRow("first, then second") << true;
        QTest::newRow("second, then first") << false;
    }
    void twoSheetsOverOneWindow()
    {
        QFETCH(bool, firstClosesFirst);
        TestWindow w;
        auto* a = new VexoMessageSheet(VexoMessageSheet::Processing, QStringLiteral("a"), w.panel);
        auto* b = new VexoMessageSheet(VexoMessageSheet::Warning, QStringLiteral("b"), w.window.get());
        VexoMask::createMask(a, w.window.get(), kDim);
        VexoMask::createMask(b, w.window.get(), kDim);
        a->showSheet();
        b->showSheet();
        QCOMPARE(w.visibleMasks().size(), 2);
        (firstClosesFirst ? a : b)->quit();
        QCOMPARE(w.visibleMasks().size(), 1);
        (firstClosesFirst ? b : a)->quit();
        QVERIFY(w.visibleMasks().isEmpty());
        delete a;
        delete b;
        QVERIFY(w.window->findChildren<VexoMask*>().isEmpty());
    }

    void nestedExec()
    {
        TestWindow w;
        QStringList seen;
        installSheetResponder([&seen](const SheetRequest& r) {
            seen << r.text;
            return r.text == QLatin1String("inner") ? int(QMessageBox::Ok) : 0;
        });
        VexoMessageSheet outer(VexoMessageSheet::Confirming, QStringLiteral("outer"), w.panel);
        int inner_answer = 0;
        QTimer::singleShot(0, &outer, [&] {
            VexoMessageSheet inner(VexoMessageSheet::Confirming, QStringLiteral("inner"), w.window.get());
            inner_answer = inner.exec();
            outer.done(QMessageBox::Discard);
        });
        QCOMPARE(outer.exec(), int(QMessageBox::Discard));
        QCOMPARE(inner_answer, int(QMessageBox::Ok));
        QCOMPARE(seen, (QStringList{QStringLiteral("outer"), QStringLiteral("inner")}));
    }

    void blockWindowButton_data()
    {
        QTest::addColumn<bool>("block");
        QTest::newRow("blocked") << true;
        QTest::newRow("free") << false;
    }
    void blockWindowButton()
    {
        QFETCH(bool, block);
        TestWindow w;
        VexoMessageSheet sheet(VexoMessageSheet::Processing, QStringLiteral("busy"), w.panel);
        sheet.setBlockWindowButton(block);
        sheet.showSheet();
        QCOMPARE(w.window->close(), !block);
        QCOMPARE(w.window->isVisible(), block);
        if (block) {
            sheet.quit();
            QVERIFY(w.window->close());  // closing is allowed again once the sheet is gone
        }
    }

    void inputSheet_data()
    {
        QTest::addColumn<bool>("byResponder");
        QTest::newRow("responder") << true;
        QTest::newRow("typed") << false;
    }
    void inputSheet()
    {
        QFETCH(bool, byResponder);
        TestWindow w;
        VexoInputSheet sheet(QStringLiteral("One-time code"), w.panel);
        VexoMask::createMask(&sheet, w.window.get(), kDim);
        if (byResponder) {
            answerWith(QMessageBox::Ok, QStringLiteral("123456"));
        } else {
            QTimer::singleShot(0, &sheet, [&] {
                QTest::keyClicks(sheet.getLineEdit(), QStringLiteral("123456"));
                QTest::keyClick(sheet.getLineEdit(), Qt::Key_Return);
            });
        }
        QCOMPARE(sheet.exec(), int(QMessageBox::Ok));
        QCOMPARE(sheet.getContent(), QStringLiteral("123456"));
        if (byResponder) {
            QCOMPARE(m_requests.size(), 1);
            QCOMPARE(m_requests[0].type, kInputSheetType);
            QCOMPARE(m_requests[0].input, sheet.getLineEdit());
        }
        QTimer::singleShot(0, &sheet, [&] { QTest::keyClick(sheet.getLineEdit(), Qt::Key_Escape); });
        installSheetResponder(nullptr);
        QCOMPARE(sheet.exec(), int(QMessageBox::Discard));
    }

    void confirmAndInfo_data()
    {
        QTest::addColumn<bool>("withParent");
        QTest::addColumn<bool>("confirm");
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("expected");
        for (bool parent : {true, false}) {
            const char* p = parent ? "parent" : "no parent";
            QTest::addRow("confirm agreed, %s", p) << parent << true << int(QMessageBox::Ok) << 1024;
            QTest::addRow("confirm refused, %s", p) << parent << true << int(QMessageBox::Discard) << int(QMessageBox::Discard);
            QTest::addRow("info, %s", p) << parent << false << int(QMessageBox::Ok) << int(QMessageBox::Ok);
        }
    }
    void confirmAndInfo()
    {
        QFETCH(bool, withParent);
        QFETCH(bool, confirm);
        QFETCH(int, answer);
        QFETCH(int, expected);
        TestWindow w;
        answerWith(answer);
        const QString title = QStringLiteral("Quillmar File Manager");
        const QString text = QStringLiteral("Failed to update the database.");
        QWidget* parent = withParent ? w.panel : nullptr;
        const int result = confirm ? showConfirmMsg(title, text, parent) : showInfoMsg(title, text, parent);
        QCOMPARE(result, expected);
        QCOMPARE(m_requests.size(), 1);
        QCOMPARE(m_requests[0].title, title);
        QCOMPARE(m_requests[0].text, text);
        QCOMPARE(m_requests[0].type, int(confirm ? VexoMessageSheet::Confirming : VexoMessageSheet::Informing));
        QVERIFY(w.window->findChildren<VexoMask*>().isEmpty());
        QVERIFY(w.window->findChildren<VexoSheet*>().isEmpty());
    }

    void buttonTextsFromComponentStrings()
    {
        ComponentStrings::getInstance()->installStrings(
            {{QStringLiteral("ok"), QStringLiteral("Ja")}, {QStringLiteral("cancel"), QStringLiteral("Abbrechen")}});
        VexoMessageSheet sheet(VexoMessageSheet::Confirming, QStringLiteral("?"));
        ComponentStrings::getInstance()->installStrings({});
        QCOMPARE(sheet.button(QMessageBox::Ok)->text(), QStringLiteral("Ja"));
        QCOMPARE(sheet.button(QMessageBox::Discard)->text(), QStringLiteral("Abbrechen"));
        QVERIFY(!sheet.button(QMessageBox::Yes));
    }

    void iconShownOrNone()
    {
        VexoMessageSheet sheet(VexoMessageSheet::Confirming, QStringLiteral("?"));
        auto icon_label = [&sheet]() -> QLabel* {
            for (QLabel* label : sheet.findChildren<QLabel*>()) {
                if (!label->pixmap(Qt::ReturnByValue).isNull())
                    return label;
            }
            return nullptr;
        };
        QVERIFY(icon_label());  // a question mark by default
        QLabel* shown = icon_label();
        sheet.setIcon(QString());
        QVERIFY(shown->isHidden());
        QPixmap own(24, 24);
        own.fill(Qt::red);
        sheet.setIcon(own);
        QVERIFY(!shown->isHidden());
        QCOMPARE(shown->pixmap(Qt::ReturnByValue).toImage().pixelColor(3, 3), QColor(Qt::red));
        sheet.setIcon(QPixmap());
        QVERIFY(shown->isHidden());
    }

    void escapedNameShownAsText()
    {
        // Callers escape what came from a server and append "<br>".
        const QString name = QStringLiteral("<img src=\"x.png\">&<b>");
        VexoMessageSheet sheet(VexoMessageSheet::Warning, name.toHtmlEscaped() + QStringLiteral("<br>"));
        QLabel* shown = nullptr;
        for (QLabel* label : sheet.findChildren<QLabel*>()) {
            if (label->text().startsWith(QStringLiteral("&lt;img")))
                shown = label;
        }
        QVERIFY(shown);
        QCOMPARE(shown->textFormat(), Qt::RichText);
        QTextDocument doc;
        doc.setHtml(shown->text());
        QCOMPARE(doc.toPlainText().trimmed(), name);
    }

    void screenshots_data()
    {
        QTest::addColumn<double>("scale");
        QTest::newRow("scale 1") << 1.0;
        QTest::newRow("scale 2") << 2.0;
    }
    void screenshots()
    {
        QFETCH(double, scale);
        vexotest::initLibrary(scale);
        for (int type = 0; type <= 6; ++type) {
            TestWindow w;
            w.window->resize(int(640 * scale), int(420 * scale));
            auto* label = new QLabel(QStringLiteral("Folder contents behind the sheet"), w.panel);
            label->move(20, 60);
            label->show();
            VexoMessageSheet sheet(type, QStringLiteral("Sheet of type %1: the text of the message.<br>").arg(type), w.panel);
            VexoMask::createMask(&sheet, w.window.get(), kDim);
            sheet.showSheet();
            QVERIFY(sheet.width() >= int(360 * scale) - 1);
            QVERIFY(vexotest::saveScreenshot(w.window.get(),
                                             QStringLiteral("vexo_sheet_type%1_scale%2").arg(type).arg(scale)));
            sheet.quit();
        }
        vexotest::initLibrary(1.0);
    }
};

QTEST_MAIN(SheetTest)
#include "vexoqelt_sheet_test.moc"
