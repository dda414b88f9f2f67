if(TARGET channel)
  qm_add_bench(channel_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/channel_bench.cpp LIBS channel)
endif()
