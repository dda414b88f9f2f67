qm_add_test(tcp_small_files_test LABEL engine
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tcp_small_files_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/tcp_transfer_test_support.cpp
  LIBS kavelin qm_test_support)
qm_add_test(tcp_tls_cipher_test LABEL engine
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tcp_tls_cipher_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/tcp_transfer_test_support.cpp
  LIBS kavelin qm_test_support)
