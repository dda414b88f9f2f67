qm_add_test(fragment_manager_test LABEL engine
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/fragment_manager_test.cpp
  LIBS kavelin)
