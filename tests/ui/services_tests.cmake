# Tests of the widget library's services, the string table, its translations
# and the staged resources (label ui). Each program runs on the offscreen
# platform with its own main (services_gui_main.cpp).
find_package(Qt5 5.15 REQUIRED COMPONENTS Core Gui LinguistTools)

qm_add_test(ui_services_test LABEL ui
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/services_gui_main.cpp
          ${CMAKE_CURRENT_LIST_DIR}/services_image_manager_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/services_style_manager_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/services_vexo_locale_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/services_file_type_map_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/services_component_strings_test.cpp
  LIBS vexoqelt-services)

# A translation with "\n" and "\t" escapes, compiled for the string-table test.
qt5_add_translation(QM_ESCAPES_QM ${CMAKE_CURRENT_LIST_DIR}/services_fixtures/escapes.ts OPTIONS -silent)
qm_add_test(ui_str_table_test LABEL ui
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/services_gui_main.cpp
          ${CMAKE_CURRENT_LIST_DIR}/services_str_table_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/translations_test.cpp
          ${QM_ESCAPES_QM}
  LIBS qz-texts Qt5::Gui)
target_compile_definitions(ui_str_table_test PRIVATE
  QM_ESCAPES_QM="${QM_ESCAPES_QM}"
  QM_TRANSLATIONS_DIR="${PROJECT_SOURCE_DIR}/ui-client/ui-qz/texts/translations")

qm_add_test(ui_staged_resources_test LABEL ui
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/services_gui_main.cpp
          ${CMAKE_CURRENT_LIST_DIR}/services_resources_test.cpp
  LIBS vexoqelt-services common)
target_compile_definitions(ui_staged_resources_test PRIVATE QM_STAGE_RESOURCE_DIR="${QM_STAGE_RESOURCE_DIR}")
add_dependencies(ui_staged_resources_test qm-resources)
