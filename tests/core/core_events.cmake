# The application core: events and their table, the generator, the hub, the
# user action cache and the login utilities; end to end, the workers, control
# channels, peer and task monitors against the test file server (control and
# data sides) with the real client engine. Each test runs in its own process:
# the hub, the tables and the engine are process-wide.
if(NOT TARGET qz-core)
  return()
endif()
include(${CMAKE_CURRENT_LIST_DIR}/../support/support.cmake)
find_package(Qt5 5.15 REQUIRED COMPONENTS Core Network Test)

set(CORE_TEST_MAIN ${CMAKE_CURRENT_LIST_DIR}/core_test_main.cpp)
qm_add_test(core_events_test LABEL core
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/core_events_test.cpp ${CORE_TEST_MAIN}
  LIBS qz-core)
qm_add_test(core_login_utils_test LABEL core
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/core_login_utils_test.cpp ${CORE_TEST_MAIN}
  LIBS qz-core)
qm_add_test(core_user_action_cache_test LABEL core
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/core_user_action_cache_test.cpp ${CORE_TEST_MAIN}
  LIBS qz-core)
qm_add_test(core_hub_test LABEL core
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/core_hub_test.cpp ${CORE_TEST_MAIN}
  LIBS qz-core Qt5::Test)
set_target_properties(core_hub_test PROPERTIES AUTOMOC ON)

# End to end against the test file server.
# The server library is added after the fragments; its name resolves at generation.
if(EXISTS ${PROJECT_SOURCE_DIR}/tests/server/CMakeLists.txt AND TARGET protocol AND TARGET channel AND TARGET kavelin)
  add_library(core_test_fixture STATIC ${CMAKE_CURRENT_LIST_DIR}/core_fixture.cpp)
  set_target_properties(core_test_fixture PROPERTIES AUTOMOC ON)
  target_include_directories(core_test_fixture PUBLIC ${CMAKE_CURRENT_LIST_DIR} ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(core_test_fixture PUBLIC qz-core quillmar_test_server_lib qm_test_support
    Qt5::Test GTest::gtest)
  foreach(scenario login event_types transfers pool close faults reconnect hostile)
    qm_add_test(core_${scenario}_test LABEL core
      SOURCES ${CMAKE_CURRENT_LIST_DIR}/core_${scenario}_test.cpp ${CORE_TEST_MAIN}
      LIBS core_test_fixture)
  endforeach()
endif()
