# The Log window's page turns over a million log rows beside the bare queries.
if(TARGET qz-log-window)
  qm_add_bench(log_window_bench
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/log_window_bench.cpp
    LIBS qz-log-window)
endif()
