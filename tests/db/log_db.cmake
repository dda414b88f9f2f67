if(TARGET log-db)
  qm_add_test(log_db_test LABEL db
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/log_db_test.cpp
    LIBS log-db qm_test_support SQLite::SQLite3)
endif()
