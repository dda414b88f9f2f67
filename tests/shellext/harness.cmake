if(TARGET shellext_harness)
  return()
endif()
# The file manager's side of the copy hook (finds the handler through the
# registry, loads it, consults it before folder copies), as a library for
# in-process tests and as a program for tests that need a second process.
add_library(shellext_harness STATIC
  ${CMAKE_CURRENT_LIST_DIR}/harness/file_manager.cpp
  ${CMAKE_CURRENT_LIST_DIR}/harness/shellext_env.cpp)
target_include_directories(shellext_harness PUBLIC ${CMAKE_CURRENT_LIST_DIR}/harness)
target_link_libraries(shellext_harness PUBLIC vexo-compat qm_test_support ${CMAKE_DL_LIBS})

add_executable(qm-shellext-harness ${CMAKE_CURRENT_LIST_DIR}/harness/harness_main.cpp)
target_link_libraries(qm-shellext-harness PRIVATE shellext_harness)
set_target_properties(qm-shellext-harness PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/tests)

# qm_shellext_paths(<test target>): where the test finds the staged extension,
# its test build, the harness program and the program folder.
function(qm_shellext_paths target)
  set(qm_stage_bin ${QM_STAGE_BIN_DIR})
  if(NOT qm_stage_bin)
    set(qm_stage_bin ${PROJECT_BINARY_DIR}/stage/bin)
  endif()
  add_dependencies(${target} VexoDndShellExt VexoDndShellExtTest qm-shellext-harness)
  target_compile_definitions(${target} PRIVATE
    QM_SHELLEXT_LIBRARY="$<TARGET_FILE:VexoDndShellExt>"
    QM_SHELLEXT_TEST_LIBRARY="$<TARGET_FILE:VexoDndShellExtTest>"
    QM_SHELLEXT_HARNESS="$<TARGET_FILE:qm-shellext-harness>"
    QM_STAGE_BIN_DIR="${qm_stage_bin}")
endfunction()
