qm_add_test(tcp_transfer_test LABEL engine
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tcp_transfer_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/tcp_report_role_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/tcp_transfer_test_support.cpp
  LIBS kavelin qm_test_support)
qm_add_test(tcp_transfer_passes_test LABEL engine
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tcp_transfer_passes_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/tcp_transfer_test_support.cpp
  LIBS kavelin qm_test_support)
