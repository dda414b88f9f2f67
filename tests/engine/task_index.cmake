qm_add_test(task_index_test LABEL engine
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/task_index_test.cpp
  LIBS kavelin)
