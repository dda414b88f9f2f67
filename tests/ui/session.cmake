# The whole program in a user's session (label ui, on a virtual X server):
# qMain in-process against the in-process test file server, and the program
# itself as a separate process. Both are staged beside the program's
# resources, as start-up looks for them beside the running program.
if(NOT TARGET qm-program OR NOT TARGET protocol)
  return()
endif()
include(${CMAKE_CURRENT_LIST_DIR}/../support/support.cmake)
find_package(Qt5 5.15 REQUIRED COMPONENTS Test Widgets)
find_package(SQLite3 REQUIRED)
find_program(QM_XVFB_RUN xvfb-run)

add_library(session_support STATIC ${CMAKE_CURRENT_LIST_DIR}/session_support.cpp)
target_include_directories(session_support PUBLIC ${CMAKE_CURRENT_LIST_DIR} ${PROJECT_SOURCE_DIR}/tests)
target_link_libraries(session_support PUBLIC quillmar_test_server_lib qm_test_support)

# session_add_test(<name> SOURCES <files...> LIBS <libs...>)
function(session_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES} ${QM_QT_SANITIZER_SUPPRESSIONS})
  set_target_properties(${name} PROPERTIES AUTOMOC ON)
  qm_stage_program(${name})
  target_link_libraries(${name} PRIVATE session_support ${T_LIBS} GTest::gtest Threads::Threads)
  target_compile_definitions(${name} PRIVATE
    QM_TEST_ARTIFACTS_DIR="${PROJECT_BINARY_DIR}/test-artifacts"
    QM_DOCS_DIR="${PROJECT_SOURCE_DIR}/docs")
  if(QM_XVFB_RUN)
    add_test(NAME ui.${name} COMMAND ${QM_XVFB_RUN} -a -s "-screen 0 1400x1000x24" $<TARGET_FILE:${name}>)
    set(platform xcb)
  else()
    add_test(NAME ui.${name} COMMAND ${name})
    set(platform offscreen)
  endif()
  set_tests_properties(ui.${name} PROPERTIES LABELS ui TIMEOUT 300 ENVIRONMENT "QT_QPA_PLATFORM=${platform}")
endfunction()

session_add_test(session_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/session_test.cpp
  LIBS qm-program Qt5::Test SQLite::SQLite3)
# The same program on the computer's own disks: My Computer, selection, copy and paste.
session_add_test(session_local_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/session_local_test.cpp
  LIBS qm-program Qt5::Test)

# The windows in German, Japanese and Russian at 100 % and 150 %: one test
# per language, each running the program at both scales.
add_executable(language_screens_test ${CMAKE_CURRENT_LIST_DIR}/language_screens_test.cpp
  ${QM_QT_SANITIZER_SUPPRESSIONS})
set_target_properties(language_screens_test PROPERTIES AUTOMOC ON)
qm_stage_program(language_screens_test)
target_link_libraries(language_screens_test PRIVATE session_support qm-program Qt5::Test GTest::gtest Threads::Threads)
target_compile_definitions(language_screens_test PRIVATE QM_TEST_ARTIFACTS_DIR="${PROJECT_BINARY_DIR}/test-artifacts")
foreach(language deu jpn rus)
  set(filter --gtest_filter=*/${language}_*)
  if(QM_XVFB_RUN)
    add_test(NAME ui.language_screens.${language} COMMAND ${QM_XVFB_RUN} -a -s "-screen 0 1400x1000x24"
             $<TARGET_FILE:language_screens_test> ${filter})
    set(platform xcb)
  else()
    add_test(NAME ui.language_screens.${language} COMMAND language_screens_test ${filter})
    set(platform offscreen)
  endif()
  set_tests_properties(ui.language_screens.${language} PROPERTIES LABELS ui TIMEOUT 300
    ENVIRONMENT "QT_QPA_PLATFORM=${platform}")
endforeach()

find_package(X11)
if(X11_FOUND AND TARGET QuillmarFileManager)
  session_add_test(session_process_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/session_process_test.cpp
    LIBS Qt5::Core Qt5::Test ${X11_LIBRARIES})
  target_include_directories(session_process_test PRIVATE ${X11_INCLUDE_DIR})
  target_compile_definitions(session_process_test PRIVATE QM_PROGRAM="$<TARGET_FILE:QuillmarFileManager>")
  add_dependencies(session_process_test QuillmarFileManager)
endif()
