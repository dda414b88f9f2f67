// The staged resource folder holds every image and style sheet the windows
// ask for by name, the debug level file changes nothing, and the help page
// is there.
#include "dpi_info.h"
#include "file_type_map.h"
#include "image_manager.h"
#include "log.h"
#include "style_manager.h"
#include "ui_path_manager.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString kResources = QStringLiteral(QM_STAGE_RESOURCE_DIR);

// Every image name the windows pass.
const char* const kImageNames[] = {
    "app_img",        "icon_quillmarfilemanager", "wizard_bkg_h",     "tab_add",          "tab_close",
    "bt_queue",       "bt_log",                   "bt_settings",      "bt_help",          "bt_st_add",
    "bt_st_remove",   "bt_st_settings",           "icon_ssl",         "icon_ssl_warning", "icon_disconnected",
    "bt_back",        "bt_next",                  "bt_listview",      "bt_gridview",      "bt_sort",
    "bt_mode_full",   "bt_mode_simple",           "bt_q_play",        "bt_q_pause",       "bt_q_clear",
    "bt_q_moveup",    "bt_q_movedown",            "bt_q_movetotop",   "bt_q_movetobottom", "icon_download",
    "icon_upload",    "menu_download",            "menu_mkdir",       "menu_cut",         "menu_copy",
    "menu_paste",     "menu_remove",              "menu_rename",
};

// The context menu shows these with an image of their own on hover.
const char* const kMenuImages[] = {"menu_download", "menu_mkdir",  "menu_cut",   "menu_copy",
                                   "menu_paste",    "menu_remove", "menu_rename"};

// Every style sheet name the windows pass.
const char* const kSheetNames[] = {
    "about_app_name",          "about_version",         "add_tab",              "combobox_input",
    "component.menu",          "component.scrollbar",   "component.lineedit",   "component.table_header",
    "component.cancel_button", "nonselected_tab",       "other_tab",            "selected_tab",
    "selected_tab_label",      "footer_shadow",         "side_shadow",          "setting_dashed_line",
    "setting_item_username",   "setting_item_xr",       "setting_title",        "setting_xr_list_widget",
    "wizard_desc_label",       "wizard_title_label",    "xr_button",            "border_icon_button",
    "filter_menu",             "site_list_widget",      "site_sort_menu",       "site_table_widget",
    "site_detail_widget",      "site_tree_widget",      "text_editor",          "misc_log_text_label",
    "full_queue_status",       "full_queue_table",      "full_queue_table_header", "progress_bar",
    "simple_queue_entry",      "simple_queue_entry_status", "simple_queue_footer", "simple_queue_list",
    "transfer_action_separator", "transfer_top_tool_bar", "qz_menu",
};

class StagedResourcesTest : public ::testing::Test {
protected:
  void SetUp() override {
    UIPathManager::getInstance()->setPath("resource_path", kResources);
    ASSERT_EQ(ImageManager::getInstance()->initialize(0), 0) << kResources.toStdString();
    ImageManager::getInstance()->clearMissingNames();
    StyleManager::getInstance()->clearMissingNames();
  }
  void TearDown() override { DPIinfo::getInstance()->setScaleForTest(0, 0); }
};

TEST_F(StagedResourcesTest, EveryImageLoadsInFourStatesAtPixelRatioOneAndTwo) {
  for (double dpr : {1.0, 2.0}) {
    DPIinfo::getInstance()->setScaleForTest(1.0, dpr);
    for (const char* name : kImageNames) {
      for (int type = ImageManager::IT_NORMAL; type <= ImageManager::IT_DISABLE; ++type) {
        const QPixmap pm = getGlobalImage(name, type);
        EXPECT_FALSE(pm.isNull()) << name << " state " << type << " dpr " << dpr;
        EXPECT_EQ(pm.devicePixelRatio(), dpr) << name << " state " << type;
      }
    }
  }
  EXPECT_EQ(getGlobalImage("icon_quillmarfilemanager", 0).size(), QSize(144, 144));  // still at ratio 2
  DPIinfo::getInstance()->setScaleForTest(1.0, 1.0);
  EXPECT_EQ(getGlobalImage("icon_quillmarfilemanager", 0).size(), QSize(72, 72));
  EXPECT_EQ(getGlobalImage("bt_queue", 0).size(), QSize(34, 28));
  EXPECT_TRUE(ImageManager::getInstance()->missingNames().isEmpty())
      << ImageManager::getInstance()->missingNames().join(", ").toStdString();
}

TEST_F(StagedResourcesTest, MenuImagesHaveHoverImagesOfTheirOwn) {
  const QString folder = ImageManager::getInstance()->getImageFolder();
  for (const char* name : kMenuImages) {
    EXPECT_TRUE(QFileInfo::exists(folder + "/" + name + "_hover.png")) << name;
    EXPECT_TRUE(QFileInfo::exists(folder + "/" + name + "_hover@2x.png")) << name;
  }
}

TEST_F(StagedResourcesTest, EveryFileTypeIconExistsInBothSizes) {
  const QString folder = ImageManager::getInstance()->getImageFolder();
  for (const QString& icon : FileTypeMap::getInstance()->iconNames()) {
    for (int edge : {64, 256}) {
      const QImage img(folder + QStringLiteral("/filetype/%1/").arg(edge) + icon);
      EXPECT_EQ(img.size(), QSize(edge, edge)) << icon.toStdString() << " " << edge;
    }
  }
  EXPECT_FALSE(QImage(folder + "/files.png").isNull());
}

TEST_F(StagedResourcesTest, TaskManagerAnimationIsAnAnimatedGif) {
  QImageReader reader(kResources + "/images/bt_queue_ani.gif");
  ASSERT_TRUE(reader.canRead()) << reader.errorString().toStdString();
  EXPECT_EQ(reader.format(), "gif");
  EXPECT_TRUE(reader.supportsAnimation());
  EXPECT_GT(reader.imageCount(), 1);
  int frames = 0;
  QImage frame;
  while (reader.read(&frame)) {
    EXPECT_EQ(frame.size(), QSize(34, 28));
    ++frames;
  }
  EXPECT_EQ(frames, reader.imageCount());
}

TEST_F(StagedResourcesTest, EveryStyleSheetIsThere) {
  const int count = StyleManager::getInstance()->initialize(
      {kResources + "/qz.stylesheet", kResources + "/component.business.stylesheet"});
  ASSERT_GT(count, 0);
  for (const char* name : kSheetNames) {
    EXPECT_FALSE(getStyleSheet(name, false).trimmed().isEmpty()) << name;
  }
  EXPECT_TRUE(StyleManager::getInstance()->missingNames().isEmpty())
      << StyleManager::getInstance()->missingNames().join(", ").toStdString();
  // Sheets that callers fill with QString::arg.
  for (const char* name : {"other_tab", "setting_item_xr", "setting_item_username"}) {
    EXPECT_TRUE(getStyleSheet(name).contains("%1")) << name;
    EXPECT_FALSE(getStyleSheet(name).contains("%2")) << name;
  }
  // Every sheet closes what it opens.
  for (const QString& name : StyleManager::getInstance()->sheetNames()) {
    const QString sheet = getStyleSheet(name);
    const int braces = sheet.count('{') - sheet.count('}');
    EXPECT_EQ(braces, 0) << name.toStdString();
  }
}

TEST(StagedDebugFileTest, TheShippedFileLeavesEveryComponentAtWarning) {
  const QString debug = kResources + "/quillmarfilemanager.debug";
  QFile file(debug);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text));
  int line_no = 0;
  while (!file.atEnd()) {
    ++line_no;
    const QString line = QString::fromUtf8(file.readLine()).trimmed();
    EXPECT_TRUE(line.isEmpty() || line.startsWith('#')) << "line " << line_no << ": " << line.toStdString();
  }

  QTemporaryDir logs;
  ASSERT_TRUE(logs.isValid());
  ASSERT_EQ(Logger::Initialize(Logger::FILE_LOGGER, (logs.path() + "/ui.log").toStdString(),
                               debug.toStdString(), 1),
            0);
  for (const char* component :
       {"default_component", "stream", "channel_debug", "socket_stream_debug", "file_op_debug", "system_db_debug",
        "client_updater_core", "client_updater_util", "transfer_service_impl_debug", "_transfer_service_impl_debug",
        "control_channel_debug", "bandwidth_debug", "vcm_impl_default_debug", "proto_ui_debug", "cert_debug"}) {
    EXPECT_TRUE(Logger::IsNeedToLog(Logger::L_WARNING, component)) << component;
    EXPECT_FALSE(Logger::IsNeedToLog(Logger::L_NOTICE, component)) << component;
  }
  Logger::Destroy();
}

TEST(StagedHelpTest, TheEnglishPageIsThereAndOtherLanguagesFallBackToIt) {
  const QString page = kResources + "/help/enu/zuzevazozuruvirezirederir.iraz";
  QFile file(page);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QString html = QString::fromUtf8(file.readAll());
  for (const char* part : {"<title>", "Logging in", "Browsing", "Transferring files", "Task Manager", "Log",
                           "Dragging files out"}) {
    EXPECT_TRUE(html.contains(part)) << part;
  }
  EXPECT_FALSE(QFileInfo::exists(kResources + "/help/deu"));
}

}  // namespace
