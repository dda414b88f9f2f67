if(TARGET quillmar_test_server_lib OR EXISTS ${CMAKE_CURRENT_LIST_DIR}/../server/data_server.cpp)
  qm_add_test(command_port_test LABEL engine
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/command_port_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/transfer_e2e_support.cpp
    LIBS quillmar_test_server_lib kavelin qm_test_support)
endif()
