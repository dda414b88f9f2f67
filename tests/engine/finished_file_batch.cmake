qm_add_test(finished_file_batch_test LABEL engine
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/finished_file_batch_test.cpp
  LIBS kavelin qm_test_support)
