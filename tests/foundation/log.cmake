qm_add_test(log_test LABEL foundation
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/log_test.cpp
  LIBS common qm_test_support)
