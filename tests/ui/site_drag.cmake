# Tests of dragging and dropping in the site views (label ui): Qt Test
# programs over stand-in panes, offscreen, with real drag and drop events on
# the views' viewports; screenshots go to ${CMAKE_BINARY_DIR}/test-artifacts/.
# The widget tests' helpers come from a fragment read later: the
# registration waits for the end of the directory.
function(sitedrag_add_tests dir)
  if(NOT TARGET qz-site-views OR NOT COMMAND vexoqelt_add_widget_test)
    return()
  endif()
  set(names sitedrag_views_test)
  set(libs_sitedrag_views_test qz-site-views)
  # Drops carried out by the application core against the test file server.
  if(TARGET core_test_fixture)
    list(APPEND names sitedrag_end_to_end_test)
    set(libs_sitedrag_end_to_end_test qz-site-views core_test_fixture)
  endif()
  foreach(name ${names})
    vexoqelt_add_widget_test(${name} SOURCES ${dir}/${name}.cpp ${dir}/siteview_test_pane.h ${dir}/sitedrag_support.h
      LIBS ${libs_${name}})
    target_include_directories(${name} PRIVATE ${dir})
    target_compile_definitions(${name} PRIVATE QM_RESOURCE_SOURCE_DIR="${PROJECT_SOURCE_DIR}/ui-client/resource")
  endforeach()
endfunction()
cmake_language(EVAL CODE "cmake_language(DEFER CALL sitedrag_add_tests [[${CMAKE_CURRENT_LIST_DIR}]])")
