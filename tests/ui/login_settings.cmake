# The login window, its error prompts, the settings windows and the about box
# (label ui). Each program is one scenario: the hub, the site table and the
# system database are process-wide. This fragment comes before the widget
# library's own, so it builds its helpers itself.
if(NOT TARGET qz-login-settings)
  return()
endif()
include(${CMAKE_CURRENT_LIST_DIR}/../support/support.cmake)
find_package(Qt5 5.15 REQUIRED COMPONENTS Test Widgets)
find_program(QM_XVFB_RUN xvfb-run)

add_library(login_settings_support STATIC
  ${CMAKE_CURRENT_LIST_DIR}/login_settings_support.cpp
  ${CMAKE_CURRENT_LIST_DIR}/vexoqelt_test_support.cpp)
target_link_libraries(login_settings_support PUBLIC qz-login-settings vexoqelt-qt Qt5::Test)
target_include_directories(login_settings_support PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_compile_definitions(login_settings_support PRIVATE
  QM_STAGE_RESOURCE_DIR="${QM_STAGE_RESOURCE_DIR}"
  QM_RESOURCE_SOURCE_DIR="${PROJECT_SOURCE_DIR}/ui-client/resource"
  QM_TEST_ARTIFACTS_DIR="${PROJECT_BINARY_DIR}/test-artifacts")
if(TARGET qm-resources)
  add_dependencies(login_settings_support qm-resources)
endif()

# login_settings_add_test(<name> SOURCES <files...> [LIBS <libs...>] [XVFB])
function(login_settings_add_test name)
  cmake_parse_arguments(T "XVFB" "" "SOURCES;LIBS" ${ARGN})
  # Qt's thread hand-overs are invisible to ThreadSanitizer: suppressed
  # there, so a report is one in our code.
  add_executable(${name} ${T_SOURCES} ${QM_QT_SANITIZER_SUPPRESSIONS})
  set_target_properties(${name} PROPERTIES AUTOMOC ON RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/tests)
  target_link_libraries(${name} PRIVATE login_settings_support ${T_LIBS} Threads::Threads)
  if(T_XVFB AND QM_XVFB_RUN)
    add_test(NAME ui.${name} COMMAND ${QM_XVFB_RUN} -a $<TARGET_FILE:${name}>)
    set(platform xcb)
  else()
    add_test(NAME ui.${name} COMMAND ${name})
    set(platform offscreen)
  endif()
  set_tests_properties(ui.${name} PROPERTIES LABELS ui TIMEOUT 180 ENVIRONMENT "QT_QPA_PLATFORM=${platform}")
endfunction()

login_settings_add_test(login_error_mask_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/login_error_mask_test.cpp)
login_settings_add_test(login_about_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/login_about_test.cpp)
login_settings_add_test(login_form_layout_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/login_form_layout_test.cpp)

# Against the test file server, with the core's end-to-end fixture.
if(TARGET core_test_fixture)
  add_library(login_settings_server STATIC ${CMAKE_CURRENT_LIST_DIR}/login_settings_server.cpp)
  target_link_libraries(login_settings_server PUBLIC login_settings_support core_test_fixture GTest::gtest)
  login_settings_add_test(login_widget_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/login_widget_test.cpp
    LIBS login_settings_server SQLite::SQLite3)
  login_settings_add_test(settings_window_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/settings_window_test.cpp
    LIBS login_settings_server SQLite::SQLite3)
endif()

if(TARGET qm_test_support)
  login_settings_add_test(settings_form_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/settings_form_test.cpp
    LIBS qm_test_support GTest::gtest SQLite::SQLite3)
  login_settings_add_test(settings_language_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/settings_language_test.cpp
    LIBS qm_test_support GTest::gtest SQLite::SQLite3)
  if(TARGET startup_child)
    target_compile_definitions(settings_language_test PRIVATE QM_STARTUP_CHILD="$<TARGET_FILE:startup_child>")
    add_dependencies(settings_language_test startup_child)
  endif()
endif()
