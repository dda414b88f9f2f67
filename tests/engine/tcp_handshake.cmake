qm_add_test(tcp_handshake_test LABEL engine
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tcp_handshake_wait_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/tcp_stream_end_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/tcp_transfer_test_support.cpp
  LIBS kavelin qm_test_support)
