qm_add_test(file_op_test LABEL foundation
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/file_op_test.cpp
  LIBS common qm_test_support)
