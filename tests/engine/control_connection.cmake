qm_add_test(control_connection_test LABEL engine
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/control_connection_test.cpp
  LIBS kavelin)
