qm_add_test(socket_buffer_test LABEL protocol
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/socket_buffer_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/psocket_stream_harness.cpp
  LIBS protocol qm_test_support)
