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
