include(${CMAKE_CURRENT_LIST_DIR}/../tests/support/support.cmake)
qm_add_bench(psocket_stream_bench
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/psocket_stream_bench.cpp
          ${PROJECT_SOURCE_DIR}/tests/protocol/psocket_stream_harness.cpp
  LIBS protocol qm_test_support)
target_include_directories(psocket_stream_bench PRIVATE ${PROJECT_SOURCE_DIR}/tests/protocol)
