qm_add_test(tmp_name_gen_test LABEL foundation
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tmp_name_gen_test.cpp
  LIBS common)
