if(TARGET log-db)
  qm_add_bench(logdb_bench
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/logdb_bench.cpp
    LIBS log-db SQLite::SQLite3)
endif()
