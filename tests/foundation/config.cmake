qm_add_test(config_test LABEL foundation
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/config_test.cpp
  LIBS qm_headers qm_test_support)
