if(TARGET updater AND TARGET system-db)
  qm_add_test(client_updater_test LABEL db
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/client_updater_test.cpp
    LIBS updater system-db common qm_test_support SQLite::SQLite3)
endif()
