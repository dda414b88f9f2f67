qm_add_test(cross_test LABEL foundation
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/cross_test.cpp
  LIBS common qm_test_support)
