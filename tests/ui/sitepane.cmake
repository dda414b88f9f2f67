# The site pane (label ui): its context menu and cache helpers on their own,
# then the pane end to end with the real application core logged in to the
# test file server over TLS, and its connection states. Screenshots go to
# ${CMAKE_BINARY_DIR}/test-artifacts/. Builds on the login tests' helpers,
# whose fragment is read before this one.
if(NOT TARGET qz-site-pane OR NOT COMMAND login_settings_add_test)
  return()
endif()

login_settings_add_test(sitepane_unit_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/sitepane_unit_test.cpp
  LIBS qz-site-pane)

if(TARGET login_settings_server)
  add_library(sitepane_host STATIC ${CMAKE_CURRENT_LIST_DIR}/sitepane_host.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sitepane_fixture.cpp ${CMAKE_CURRENT_LIST_DIR}/sitepane_gtest_main.cpp)
  set_target_properties(sitepane_host PROPERTIES AUTOMOC ON)
  target_include_directories(sitepane_host PUBLIC ${CMAKE_CURRENT_LIST_DIR})
  target_link_libraries(sitepane_host PUBLIC qz-site-pane login_settings_server SQLite::SQLite3)
  foreach(name sitepane_listing_test sitepane_actions_test sitepane_reconnect_test)
    login_settings_add_test(${name} SOURCES ${CMAKE_CURRENT_LIST_DIR}/${name}.cpp LIBS sitepane_host)
  endforeach()
endif()

# The site views over the test file server through the real pane.
if(TARGET sitepane_host)
  login_settings_add_test(siteview_server_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/siteview_server_test.cpp
    LIBS sitepane_host)
endif()
