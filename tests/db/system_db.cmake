if(TARGET system-db)
  qm_add_test(system_db_test LABEL db
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/system_db_test.cpp
    LIBS system-db qm_test_support SQLite::SQLite3)
endif()
