qm_add_test(rate_control_test LABEL engine
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/rate_control_test.cpp
  LIBS kavelin)
