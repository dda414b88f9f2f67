# The shell extension through its exports, as the file manager drives it.
foreach(module exports com hook registration log)
  qm_add_test(shellext_${module}_test LABEL shellext
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/shellext_${module}_test.cpp
    LIBS shellext_harness)
  qm_shellext_paths(shellext_${module}_test)
endforeach()
