qm_add_bench(lz4_bench
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/lz4_bench.cpp
  LIBS common)
