qm_add_test(peer_connection_test LABEL engine
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/peer_connection_test.cpp
  LIBS kavelin)
qm_add_test(peer_connect_retry_test LABEL engine
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/peer_connect_retry_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/tcp_transfer_test_support.cpp
  LIBS kavelin qm_test_support)
if(TARGET quillmar_test_server_lib OR EXISTS ${CMAKE_CURRENT_LIST_DIR}/../server/data_server.cpp)
  qm_add_test(peer_connection_paced_test LABEL engine
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/peer_connection_paced_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/transfer_e2e_support.cpp
    LIBS quillmar_test_server_lib kavelin qm_test_support)
endif()
