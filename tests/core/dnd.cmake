# The drag-and-drop bridge, the copy-hook registration and the platform
# stand-ins under them. The harness plays the file manager.
include(${PROJECT_SOURCE_DIR}/tests/shellext/harness.cmake)

qm_add_test(compat_registry_test LABEL core
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/compat_registry_test.cpp
  LIBS shellext_harness)
qm_add_test(compat_sync_test LABEL core
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/compat_sync_test.cpp
  LIBS shellext_harness)
foreach(module windows_registry dnd_bridge)
  qm_add_test(${module}_test LABEL core
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/${module}_test.cpp
    LIBS dnd shellext_harness)
  qm_shellext_paths(${module}_test)
endforeach()
