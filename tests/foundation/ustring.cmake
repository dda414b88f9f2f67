qm_add_test(ustring_test LABEL foundation
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/ustring_test.cpp
  LIBS ustring)
