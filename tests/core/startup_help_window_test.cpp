// The help window the client manager shows: its context, title, flags and
// scaled size, under the offscreen platform.
#include <QApplication>
#include <QtTest>

#include <cstdlib>

#include "client-manager-help.h"
#include "dpi_info.h"
#include "support/temp_dir.h"
#include "system-db.h"
#include "ui_path_manager.h"

class StartupHelpWindowTest : public QObject {
    Q_OBJECT
private slots:
    void contextFollowsTheSystemLanguageAndWindowIsScaled()
    {
        qm_test::TempDir dir("qm-help");
        UIPathManager::getInstance()->setPath("user_data_path", QString::fromStdString(dir.path()));
        UIPathManager::getInstance()->setPath("resource_path", "/opt/quillmar/resource");
        unsetenv("LC_ALL");
        unsetenv("LC_MESSAGES");
        setenv("LANG", "fr_FR.UTF-8", 1);
        // A fresh folder stores "def": the help follows the system.
        const HelpContext context = clientHelpContext();
        QCOMPARE(context.language, QStringLiteral("fra"));
        QCOMPARE(context.offline_help_prefix, QStringLiteral("/opt/quillmar/resource/help"));
        QCOMPARE(context.html_name, QStringLiteral("zuzevazozuruvirezirederir.iraz"));
        QCOMPARE(context.section, QStringLiteral("QuillmarFileManager"));
        QCOMPARE(context.version, QStringLiteral("1.0"));

        DPIinfo::getInstance()->setScaleForTest(1.5, 1.0);
        QScopedPointer<HelpWindow> window(createClientHelpWindow());
        QCOMPARE(window->size(), QSize(1050, 750));
        QCOMPARE(window->windowTitle(), QStringLiteral("Quillmar File Manager"));
        QCOMPARE(window->windowFlags(),
                 Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
        QVERIFY(!window->isVisible());
        DPIinfo::getInstance()->setScaleForTest(0, 0);
    }
};

QTEST_MAIN(StartupHelpWindowTest)
#include "startup_help_window_test.moc"
