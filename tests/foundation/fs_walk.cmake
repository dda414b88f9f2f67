qm_add_test(fs_walk_test LABEL foundation
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/fs_walk_test.cpp
  LIBS common qm_test_support)
