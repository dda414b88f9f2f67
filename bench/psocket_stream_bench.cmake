qm_add_bench(psocket_stream_bench
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/psocket_stream_bench.cpp
          ${PROJECT_SOURCE_DIR}/tests/protocol/psocket_stream_harness.cpp
  LIBS protocol)
target_include_directories(psocket_stream_bench PRIVATE ${PROJECT_SOURCE_DIR}/tests/protocol)
