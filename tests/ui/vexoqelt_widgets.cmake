# Tests of the widget library's widgets and sheets (label ui): Qt Test
# programs with _data tables, one per widget group. They run offscreen, or
# under xvfb-run where pop-ups and keyboard focus matter. Screenshots go to
# ${CMAKE_BINARY_DIR}/test-artifacts/.
if(NOT TARGET vexoqelt-qt)
  return()
endif()
find_package(Qt5 5.15 REQUIRED COMPONENTS Test Widgets)
find_program(QM_XVFB_RUN xvfb-run)

# An object library: every test program gets all of it, the sanitizer
# settings included, whether or not it calls the helpers.
include(${CMAKE_CURRENT_LIST_DIR}/../support/support.cmake)
add_library(vexoqelt_test_support OBJECT ${CMAKE_CURRENT_LIST_DIR}/vexoqelt_test_support.cpp
  ${QM_QT_SANITIZER_SUPPRESSIONS})
target_link_libraries(vexoqelt_test_support PUBLIC vexoqelt-qt Qt5::Test)
target_include_directories(vexoqelt_test_support PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_compile_definitions(vexoqelt_test_support PRIVATE
  QM_RESOURCE_SOURCE_DIR="${PROJECT_SOURCE_DIR}/ui-client/resource"
  QM_TEST_ARTIFACTS_DIR="${PROJECT_BINARY_DIR}/test-artifacts")

# vexoqelt_add_widget_test(<name> SOURCES <files...> [XVFB])
# One Qt Test program, registered as ui.<name>. XVFB runs it on a virtual X
# server (when xvfb-run is there), otherwise it runs on the offscreen platform.
function(vexoqelt_add_widget_test name)
  cmake_parse_arguments(T "XVFB" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  set_target_properties(${name} PROPERTIES AUTOMOC ON
                        RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/tests)
  target_link_libraries(${name} PRIVATE vexoqelt_test_support ${T_LIBS} Threads::Threads)
  if(T_XVFB AND QM_XVFB_RUN)
    add_test(NAME ui.${name} COMMAND ${QM_XVFB_RUN} -a $<TARGET_FILE:${name}>)
    set(platform xcb)
  else()
    add_test(NAME ui.${name} COMMAND ${name})
    set(platform offscreen)
  endif()
  set_tests_properties(ui.${name} PROPERTIES LABELS ui TIMEOUT 180
                       ENVIRONMENT "QT_QPA_PLATFORM=${platform}")
endfunction()

vexoqelt_add_widget_test(vexoqelt_sheet_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/vexoqelt_sheet_test.cpp)
vexoqelt_add_widget_test(vexoqelt_paging_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/vexoqelt_paging_test.cpp)
vexoqelt_add_widget_test(vexoqelt_button_path_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/vexoqelt_button_path_test.cpp)
vexoqelt_add_widget_test(vexoqelt_widgets_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/vexoqelt_widgets_test.cpp)
if(TARGET qm-resources)
  # The help window is also tried on the help pages the program ships.
  target_compile_definitions(vexoqelt_widgets_test PRIVATE QM_STAGE_RESOURCE_DIR="${QM_STAGE_RESOURCE_DIR}")
  add_dependencies(vexoqelt_widgets_test qm-resources)
endif()
vexoqelt_add_widget_test(vexoqelt_popup_test XVFB SOURCES ${CMAKE_CURRENT_LIST_DIR}/vexoqelt_popup_test.cpp)
vexoqelt_add_widget_test(vexoqelt_single_app_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/vexoqelt_single_app_test.cpp)
