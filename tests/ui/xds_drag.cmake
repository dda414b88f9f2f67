# Drags out of the client onto a file manager that speaks the X direct-save
# protocol (label ui), on a virtual X server: the bridge against a fake drop
# target, and the main window against a real file manager (Thunar).
if(NOT TARGET dnd)
  return()
endif()
find_package(Qt5 5.15 REQUIRED COMPONENTS Test Widgets)
find_program(QM_XVFB_RUN xvfb-run)
if(NOT QM_XVFB_RUN)
  return()
endif()

add_executable(dnd_xds_test ${CMAKE_CURRENT_LIST_DIR}/dnd_xds_test.cpp)
set_target_properties(dnd_xds_test PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/tests)
target_include_directories(dnd_xds_test PRIVATE ${PROJECT_SOURCE_DIR}/tests)
target_link_libraries(dnd_xds_test PRIVATE dnd qm_test_support Qt5::Widgets Qt5::Test xcb GTest::gtest Threads::Threads)
add_test(NAME ui.dnd_xds_test COMMAND ${QM_XVFB_RUN} -a $<TARGET_FILE:dnd_xds_test>)
set_tests_properties(ui.dnd_xds_test PROPERTIES LABELS ui TIMEOUT 120 ENVIRONMENT "QT_QPA_PLATFORM=xcb")

# The main window against Thunar: a screen large enough for both windows side by side.
if(TARGET qz-main-window AND TARGET login_settings_server)
  add_executable(mainwindow_file_manager_drag_test ${CMAKE_CURRENT_LIST_DIR}/mainwindow_file_manager_drag_test.cpp
    ${QM_QT_SANITIZER_SUPPRESSIONS})
  set_target_properties(mainwindow_file_manager_drag_test PROPERTIES AUTOMOC ON
    RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/tests)
  target_link_libraries(mainwindow_file_manager_drag_test PRIVATE login_settings_support qz-main-window
    login_settings_server Threads::Threads)
  add_test(NAME ui.mainwindow_file_manager_drag_test
    COMMAND ${QM_XVFB_RUN} -a -s "-screen 0 1600x1000x24" $<TARGET_FILE:mainwindow_file_manager_drag_test>)
  set_tests_properties(ui.mainwindow_file_manager_drag_test PROPERTIES LABELS ui TIMEOUT 180
    ENVIRONMENT "QT_QPA_PLATFORM=xcb")
endif()
