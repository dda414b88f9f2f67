qm_add_test(peer_connection_test LABEL engine
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/peer_connection_test.cpp
  LIBS kavelin)
