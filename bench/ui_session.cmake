# The program in a user's session, offscreen, in one run: qMain in-process
# on fresh folders against the in-process test file server (the session
# tests' support), timing the start to the login window, the login to the
# first listing, a 100,000-entry folder to its first page and re-sorted by
# size, and the idle CPU with the Task Manager over 10,000 queued tasks,
# each beside the bare library call it wraps. Staged beside the program's
# resources, as start-up looks for them beside the running program.
if(TARGET session_support AND TARGET qm-program AND TARGET protocol)
  find_package(Qt5 5.15 REQUIRED COMPONENTS Test Widgets)
  qm_add_bench(ui_session_bench
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/ui_session_bench.cpp
    LIBS session_support qm-program protocol Qt5::Test Qt5::Widgets)
  qm_stage_program(ui_session_bench)
endif()
