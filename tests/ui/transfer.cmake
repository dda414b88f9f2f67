# Tests of the Task Manager window (label ui): Qt Test programs on the
# offscreen platform over the process-wide task store, and an end-to-end run
# against the test file server. Screenshots go to ${CMAKE_BINARY_DIR}/test-artifacts/.
if(NOT TARGET qz-transfer)
  return()
endif()
find_package(Qt5 5.15 REQUIRED COMPONENTS Test Widgets)

add_library(transfer_test_support STATIC ${CMAKE_CURRENT_LIST_DIR}/transfer_test_support.cpp)
set_target_properties(transfer_test_support PROPERTIES AUTOMOC ON)
target_include_directories(transfer_test_support PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(transfer_test_support PUBLIC qz-transfer)

# transfer_add_test(<name> SOURCES <files...> [LIBS <libs...>])
function(transfer_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  set_target_properties(${name} PROPERTIES AUTOMOC ON RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/tests)
  target_link_libraries(${name} PRIVATE transfer_test_support vexoqelt_test_support Qt5::Test ${T_LIBS}
    Threads::Threads)
  if(TARGET qm-resources)
    # The widgets' images come from the staged resources.
    target_compile_definitions(${name} PRIVATE QM_STAGE_RESOURCE_DIR="${QM_STAGE_RESOURCE_DIR}")
    add_dependencies(${name} qm-resources)
  endif()
  add_test(NAME ui.${name} COMMAND ${name})
  set_tests_properties(ui.${name} PROPERTIES LABELS ui TIMEOUT 300 ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

transfer_add_test(transfer_rules_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/transfer_rules_test.cpp)
transfer_add_test(transfer_views_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/transfer_views_test.cpp)
transfer_add_test(transfer_window_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/transfer_window_test.cpp)

# End to end through the application core, the engine and the test file
# server; the core tests' fixture library comes from their fragment.
if(TARGET qz-core AND EXISTS ${PROJECT_SOURCE_DIR}/tests/server/CMakeLists.txt
   AND EXISTS ${CMAKE_CURRENT_LIST_DIR}/transfer_end_to_end_test.cpp)
  add_executable(transfer_end_to_end_test ${CMAKE_CURRENT_LIST_DIR}/transfer_end_to_end_test.cpp)
  set_target_properties(transfer_end_to_end_test PROPERTIES AUTOMOC ON
                        RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/tests)
  target_link_libraries(transfer_end_to_end_test PRIVATE transfer_test_support core_test_fixture
    vexoqelt_test_support GTest::gtest Threads::Threads)
  # The Task Manager opens from the main window's own tab row.
  target_link_libraries(transfer_end_to_end_test PRIVATE qz-main-window)
  if(TARGET qm-resources)
    target_compile_definitions(transfer_end_to_end_test PRIVATE QM_STAGE_RESOURCE_DIR="${QM_STAGE_RESOURCE_DIR}")
    add_dependencies(transfer_end_to_end_test qm-resources)
  endif()
  add_test(NAME ui.transfer_end_to_end_test COMMAND transfer_end_to_end_test)
  set_tests_properties(ui.transfer_end_to_end_test PROPERTIES LABELS ui TIMEOUT 300
                       ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endif()
