qm_add_bench(fs_copy_bench
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/fs_copy_bench.cpp
  LIBS common)
