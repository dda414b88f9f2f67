qm_add_test(file_finisher_test LABEL engine
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/file_finisher_test.cpp
  LIBS kavelin qm_test_support)
