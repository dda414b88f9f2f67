qm_add_test(transfer_service_test LABEL engine
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/transfer_service_test.cpp
  LIBS kavelin)
