# The Log window's page turns over a million log rows beside the bare queries.
if(TARGET qz-log-window)
  qm_add_bench(log_window_bench
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/log_window_bench.cpp
    LIBS qz-log-window)
  target_compile_definitions(log_window_bench PRIVATE QM_RESOURCE_SOURCE_DIR="${PROJECT_SOURCE_DIR}/ui-client/resource")
endif()
