qm_add_test(vardo_core_manager_test LABEL engine
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/vardo_core_manager_test.cpp
  LIBS kavelin)
