# The certificate chain viewer: Qt Test under the offscreen platform.
if(NOT TARGET qz-certificate-viewer)
  return()
endif()
include(${CMAKE_CURRENT_LIST_DIR}/../support/support.cmake)
find_package(Qt5 5.15 REQUIRED COMPONENTS Widgets Test)

# Qt code the sanitizers cannot see into is named in the suppressions.
add_executable(certificate_viewer_test ${CMAKE_CURRENT_LIST_DIR}/certificate_viewer_test.cpp
  ${QM_QT_SANITIZER_SUPPRESSIONS})
set_target_properties(certificate_viewer_test PROPERTIES AUTOMOC ON
  RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/tests)
target_include_directories(certificate_viewer_test PRIVATE ${PROJECT_SOURCE_DIR}/tests)
target_link_libraries(certificate_viewer_test PRIVATE qz-certificate-viewer qm_test_support Qt5::Test)
add_test(NAME core.certificate_viewer COMMAND certificate_viewer_test)
set_tests_properties(core.certificate_viewer PROPERTIES LABELS core TIMEOUT 120
  ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
