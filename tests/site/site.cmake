# The site model: site table, folder filter and sort, paths and display texts,
# the local helper on real temporary trees, and the remote helper against the
# test file server over TLS with a real log database.
if(NOT TARGET site-model)
  return()
endif()
include(${CMAKE_CURRENT_LIST_DIR}/../support/support.cmake)

qm_add_test(site_info_manager_test LABEL site
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/site_info_manager_test.cpp ${QM_QT_SANITIZER_SUPPRESSIONS}
  LIBS site-model)
qm_add_test(site_file_filter_test LABEL site
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/site_file_filter_test.cpp ${QM_QT_SANITIZER_SUPPRESSIONS}
  LIBS site-model)
qm_add_test(site_path_display_test LABEL site
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/site_path_display_test.cpp ${QM_QT_SANITIZER_SUPPRESSIONS}
  LIBS site-model)
qm_add_test(local_site_helper_test LABEL site
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/local_site_helper_test.cpp ${QM_QT_SANITIZER_SUPPRESSIONS}
  LIBS site-model qm_test_support)
if(TARGET proto_ui_test_fixture)
  add_library(remote_site_test_fixture STATIC ${CMAKE_CURRENT_LIST_DIR}/remote_site_fixture.cpp)
  target_link_libraries(remote_site_test_fixture PUBLIC proto_ui_test_fixture site-model log-db GTest::gtest)
  target_include_directories(remote_site_test_fixture PUBLIC ${PROJECT_SOURCE_DIR}/tests/protocol)
  qm_add_test(remote_login_test LABEL site
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/remote_login_test.cpp ${QM_QT_SANITIZER_SUPPRESSIONS}
    LIBS remote_site_test_fixture)
endif()
if(TARGET remote_site_test_fixture)
  qm_add_test(remote_site_helper_test LABEL site
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/remote_site_helper_test.cpp ${QM_QT_SANITIZER_SUPPRESSIONS}
    LIBS remote_site_test_fixture)
endif()
qm_add_test(site_texts_icons_test LABEL site
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/site_texts_icons_test.cpp ${QM_QT_SANITIZER_SUPPRESSIONS}
  LIBS site-model qm_test_support)
