# Tests of the Log window (label ui): Qt Test programs on the offscreen
# platform over a real log database in a temporary folder. Screenshots go to
# ${CMAKE_BINARY_DIR}/test-artifacts/.
if(NOT TARGET qz-log-window)
  return()
endif()
find_package(Qt5 5.15 REQUIRED COMPONENTS Test Widgets)

# log_window_add_test(<name> SOURCES <files...> [LIBS <libs...>] [ENV <vars...>])
function(log_window_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS;ENV" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  set_target_properties(${name} PROPERTIES AUTOMOC ON
                        RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/tests)
  # vexoqelt_test_support comes from the widget tests' fragment; link names
  # resolve when the build is generated.
  target_link_libraries(${name} PRIVATE qz-log-window vexoqelt_test_support Qt5::Test ${T_LIBS} Threads::Threads)
  add_test(NAME ui.${name} COMMAND ${name})
  set_tests_properties(ui.${name} PROPERTIES LABELS ui TIMEOUT 300
                       ENVIRONMENT "QT_QPA_PLATFORM=offscreen;${T_ENV}")
endfunction()

log_window_add_test(log_text_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/log_text_test.cpp)
# Berlin keeps daylight saving: the whole-day bounds are checked across it.
log_window_add_test(log_views_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/log_views_test.cpp ${CMAKE_CURRENT_LIST_DIR}/log_test_db.cpp
  ENV "TZ=Europe/Berlin")
log_window_add_test(log_page_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/log_page_test.cpp ${CMAKE_CURRENT_LIST_DIR}/log_test_db.cpp
  ENV "TZ=Europe/Berlin")
if(TARGET qm-resources)
  # The window's icon and the widgets' images come from the staged resources.
  target_compile_definitions(log_page_test PRIVATE QM_STAGE_RESOURCE_DIR="${QM_STAGE_RESOURCE_DIR}")
  add_dependencies(log_page_test qm-resources)
endif()

# End to end through the application core and the test file server; the core
# tests' fixture library comes from their fragment.
if(TARGET qz-core AND EXISTS ${PROJECT_SOURCE_DIR}/tests/server/CMakeLists.txt)
  add_executable(log_end_to_end_test ${CMAKE_CURRENT_LIST_DIR}/log_end_to_end_test.cpp)
  set_target_properties(log_end_to_end_test PROPERTIES AUTOMOC ON
                        RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/tests)
  target_link_libraries(log_end_to_end_test PRIVATE qz-log-window core_test_fixture vexoqelt_test_support
    GTest::gtest Threads::Threads)
  add_test(NAME ui.log_end_to_end_test COMMAND log_end_to_end_test)
  set_tests_properties(ui.log_end_to_end_test PROPERTIES LABELS ui TIMEOUT 300
                       ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endif()
