# The main window (label ui): its parts without a server, and whole sessions
# against the test file server through the real login window.
if(NOT TARGET qz-main-window OR NOT COMMAND login_settings_add_test)
  return()
endif()

login_settings_add_test(mainwindow_widgets_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/mainwindow_widgets_test.cpp
  LIBS qz-main-window)

# Whole sessions against the test file server.
if(TARGET login_settings_server)
  login_settings_add_test(mainwindow_session_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/mainwindow_session_test.cpp
    LIBS qz-main-window login_settings_server shellext_harness)
  # A drag out ends in the bridge's harness, which loads the staged copy hook.
  qm_shellext_paths(mainwindow_session_test)
  # Closing ends the event loop for good: a program of its own.
  login_settings_add_test(mainwindow_close_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/mainwindow_close_test.cpp
    LIBS qz-main-window login_settings_server)
endif()
