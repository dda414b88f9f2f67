qm_add_test(psocket_stream_test LABEL protocol
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/psocket_stream_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/psocket_stream_harness.cpp
  LIBS protocol qm_test_support)
