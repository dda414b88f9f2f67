# Start-up and shut-down without windows, the settings file, the certificate
# authorities file and the language setting. Start-up runs in a child program
# staged beside the client's program, so that it finds the program's
# resource folder; every run is a process of its own on fresh folders.
if(NOT TARGET qz-core)
  return()
endif()
include(${CMAKE_CURRENT_LIST_DIR}/../support/support.cmake)
find_package(Qt5 5.15 REQUIRED COMPONENTS Core Network)
find_package(SQLite3 REQUIRED)

set(STARTUP_TEST_MAIN ${CMAKE_CURRENT_LIST_DIR}/core_test_main.cpp)

add_executable(startup_child ${CMAKE_CURRENT_LIST_DIR}/startup_child_main.cpp
  ${QM_QT_SANITIZER_SUPPRESSIONS})
target_link_libraries(startup_child PRIVATE qz-core Qt5::Network)
qm_stage_program(startup_child)

qm_add_test(startup_test LABEL core
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/startup_test.cpp ${STARTUP_TEST_MAIN}
  LIBS qm_test_support SQLite::SQLite3 Qt5::Core)
target_compile_definitions(startup_test PRIVATE QM_STARTUP_CHILD="$<TARGET_FILE:startup_child>")
add_dependencies(startup_test startup_child)

qm_add_test(config_manager_test LABEL core
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/config_manager_test.cpp ${STARTUP_TEST_MAIN}
  LIBS qz-core qm_test_support)
qm_add_test(language_setting_test LABEL core
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/language_setting_test.cpp ${STARTUP_TEST_MAIN}
  LIBS qz-core qm_test_support)
qm_add_test(certificate_loader_test LABEL core
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/certificate_loader_test.cpp ${STARTUP_TEST_MAIN}
  LIBS qz-core qm_test_support)

# Start-up in this process, then a login against the test file server.
if(TARGET core_test_fixture)
  qm_add_test(startup_login_test LABEL core
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/startup_login_test.cpp ${CMAKE_CURRENT_LIST_DIR}/startup_login_main.cpp
    LIBS qz-core quillmar_test_server_lib qm_test_support Qt5::Test)
  set_target_properties(startup_login_test PROPERTIES AUTOMOC ON)
endif()

# qMain itself, with stand-in windows: one instance per user data folder.
if(TARGET qz-startup-gui)
  add_executable(startup_gui_child ${CMAKE_CURRENT_LIST_DIR}/startup_gui_child_main.cpp
    ${QM_QT_SANITIZER_SUPPRESSIONS})
  target_link_libraries(startup_gui_child PRIVATE qz-startup-gui)
  qm_stage_program(startup_gui_child)
  target_compile_definitions(startup_test PRIVATE QM_STARTUP_GUI_CHILD="$<TARGET_FILE:startup_gui_child>")
  add_dependencies(startup_test startup_gui_child)
endif()

if(TARGET qz-startup-gui)
  add_executable(startup_help_window_test ${CMAKE_CURRENT_LIST_DIR}/startup_help_window_test.cpp
    ${QM_QT_SANITIZER_SUPPRESSIONS})
  set_target_properties(startup_help_window_test PROPERTIES AUTOMOC ON
    RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/tests)
  target_include_directories(startup_help_window_test PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(startup_help_window_test PRIVATE qz-startup-gui qm_test_support Qt5::Test)
  add_test(NAME core.startup_help_window COMMAND startup_help_window_test)
  set_tests_properties(core.startup_help_window PROPERTIES LABELS core TIMEOUT 120
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endif()
