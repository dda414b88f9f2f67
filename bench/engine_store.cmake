qm_add_bench(engine_store_bench
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/engine_store_bench.cpp
  LIBS kavelin)
