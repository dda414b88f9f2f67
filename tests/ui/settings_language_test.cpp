// The language page on a real system database: the stored choice preselected,
// Deutsch stored as "deu" with the restart notice naming the application
// twice, a re-chosen stored language shows nothing, a refused store shows no
// notice, Escape and Cancel store nothing.
#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QMessageBox>
#include <QTest>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include "language-setting-page.h"
#include "language-setting.h"
#include "login_settings_support.h"
#include "str_table.h"
#include "support/temp_dir.h"
#include "system-db.h"
#include "ui_path_manager.h"
#include "vexo_button.h"
#include "vexo_combo_box.h"
#include "vexoqelt_test_support.h"

namespace {

std::string StoredLanguage()
{
    ustring value("none");
    EXPECT_EQ(SystemDB::getConfig(ustring("language"), value), 0);
    return value.c_str_utf8();
}

class LanguagePageTest : public ::testing::Test {
protected:
    LanguagePageTest() : m_dir("qm-language-page")
    {
        lstest::initWidgets();
        EXPECT_EQ(SystemDB::initialize(ustring(m_dir.file("sys-db.sqlite"))), 0);
        EXPECT_EQ(LanguageSetting::getInstance().setLanguage("def"), 0);
    }
    ~LanguagePageTest() override
    {
        SystemDB::destroy();
        EXPECT_TRUE(vexotest::missingNames().isEmpty()) << vexotest::missingNames().join(',').toStdString();
    }
    qm_test::TempDir m_dir;
};

}  // namespace

TEST_F(LanguagePageTest, DeutschIsStoredAndTheNoticeNamesTheAppTwice)
{
    lstest::ScriptedResponder responder;
    LanguageSettingPage page;
    page.show();
    EXPECT_EQ(page.comboBox()->currentText(), StrTable::LoadStr(StrTable::setting_language_default));
    EXPECT_FALSE(page.applyButton()->isEnabled());
    EXPECT_EQ(QApplication::activeModalWidget(), &page);
    page.comboBox()->setCurrentIndex(page.comboBox()->findText("Deutsch"));
    EXPECT_TRUE(page.applyButton()->isEnabled());
    vexotest::saveScreenshot(&page, "settings_language_page");
    page.applyButton()->click();
    EXPECT_EQ(StoredLanguage(), "deu");
    EXPECT_EQ(LanguageSetting::getInstance().getLanguage(), "deu");
    ASSERT_EQ(responder.seen.size(), 1);
    const QString app = StrTable::LoadStr(StrTable::app_name);
    EXPECT_EQ(responder.seen.at(0).text, StrTable::LoadStr(StrTable::setting_language_restart_app).arg(app));
    EXPECT_TRUE(responder.seen.at(0).text.contains(app));
    EXPECT_FALSE(page.isVisible());

    // Opened again: Deutsch preselected; choosing away and back shows nothing.
    LanguageSettingPage again;
    again.show();
    EXPECT_EQ(again.comboBox()->currentText(), "Deutsch");
    again.comboBox()->setCurrentIndex(0);
    again.comboBox()->setCurrentIndex(again.comboBox()->findText("Deutsch"));
    EXPECT_TRUE(again.applyButton()->isEnabled());
    again.applyButton()->click();
    EXPECT_FALSE(again.applyButton()->isEnabled());
    EXPECT_TRUE(again.isVisible());
    EXPECT_EQ(responder.seen.size(), 1);
}

TEST_F(LanguagePageTest, EscapeAndCancelStoreNothing)
{
    lstest::ScriptedResponder responder;
    for (int way = 0; way < 2; ++way) {
        LanguageSettingPage page;
        page.show();
        page.comboBox()->setCurrentIndex(page.comboBox()->findText("Deutsch"));
        if (way == 0)
            QTest::keyClick(&page, Qt::Key_Escape);
        else
            page.cancelButton()->click();
        EXPECT_FALSE(page.isVisible());
    }
    EXPECT_EQ(StoredLanguage(), "def");
    EXPECT_TRUE(responder.seen.isEmpty());
}

TEST_F(LanguagePageTest, RefusedStoreShowsNoNotice)
{
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(m_dir.file("sys-db.sqlite").c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db,
                           "CREATE TRIGGER refuse BEFORE INSERT ON system_table "
                           "BEGIN SELECT RAISE(ABORT, 'read only'); END;",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(db);
    lstest::ScriptedResponder responder;
    LanguageSettingPage page;
    page.show();
    page.comboBox()->setCurrentIndex(page.comboBox()->findText("Deutsch"));
    page.applyButton()->click();
    EXPECT_TRUE(responder.seen.isEmpty());
    EXPECT_TRUE(page.isVisible());
    EXPECT_EQ(StoredLanguage(), "def");
    EXPECT_EQ(LanguageSetting::getInstance().getLanguage(), "def");
}

#ifdef QM_STARTUP_CHILD
// A program starting on the same data folder runs in the stored language.
TEST_F(LanguagePageTest, NextStartOnTheFolderSpeaksGerman)
{
    SystemDB::destroy();
    const std::string data = m_dir.file("data");
    QDir().mkpath(QString::fromStdString(data));
    ASSERT_EQ(SystemDB::initialize(ustring(data + "/sys-db.sqlite")), 0);
    {
        lstest::ScriptedResponder responder;
        LanguageSettingPage page;
        page.show();
        page.comboBox()->setCurrentIndex(page.comboBox()->findText("Deutsch"));
        page.applyButton()->click();
        ASSERT_EQ(responder.seen.size(), 1);
    }
    SystemDB::destroy();

    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", QString::fromStdString(m_dir.path()));
    env.insert("XDG_RUNTIME_DIR", QString::fromStdString(m_dir.path()));
    env.insert("QUILLMAR_DATA_DIR", QString::fromStdString(data));
    env.insert("QUILLMAR_LOG_DIR", QString::fromStdString(m_dir.file("log")));
    env.insert("QT_QPA_PLATFORM", "offscreen");
    child.setProcessEnvironment(env);
    child.start(QStringLiteral(QM_STARTUP_CHILD), {QStringLiteral("startup")});
    ASSERT_TRUE(child.waitForFinished(60000));
    const QString out = QString::fromUtf8(child.readAllStandardOutput());
    EXPECT_TRUE(out.contains("MONTH_JAN=Januar")) << out.toStdString() << child.readAllStandardError().toStdString();
    // Reopened for the fixture's own clean-up.
    ASSERT_EQ(SystemDB::initialize(ustring(m_dir.file("sys-db.sqlite"))), 0);
}
#endif

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    qm_test::TempDir language_dir("qm-language-first");
    UIPathManager::getInstance()->setPath("user_data_path", QString::fromStdString(language_dir.path()));
    LanguageSetting::getInstance();  // before any database is opened, as at start-up
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
