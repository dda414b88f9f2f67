qm_add_test(list_node_util_test LABEL engine
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/list_node_util_test.cpp
  LIBS kavelin)
