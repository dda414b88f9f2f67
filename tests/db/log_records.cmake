if(TARGET log-db)
  qm_add_test(misc_log_test LABEL db
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/misc_log_test.cpp
    LIBS log-db)
  qm_add_test(transfer_log_test LABEL db
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/transfer_log_test.cpp
    LIBS log-db)
endif()
