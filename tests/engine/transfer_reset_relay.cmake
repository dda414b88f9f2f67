if(TARGET quillmar_test_server_lib OR EXISTS ${CMAKE_CURRENT_LIST_DIR}/../server/data_server.cpp)
  qm_add_test(transfer_reset_relay_test LABEL engine
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/transfer_reset_relay_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/transfer_reset_relay.cpp
            ${CMAKE_CURRENT_LIST_DIR}/transfer_e2e_support.cpp
    LIBS quillmar_test_server_lib kavelin qm_test_support)
endif()
qm_add_test(pacing_relay_test LABEL engine
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/pacing_relay_test.cpp
  LIBS qm_test_support)
