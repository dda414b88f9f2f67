# Tests of the site views (label ui): Qt Test programs over a stand-in pane
# and the real site model, offscreen; screenshots go to
# ${CMAKE_BINARY_DIR}/test-artifacts/. They use the widget tests' helpers,
# whose fragment is read after this one: the registration waits for the end
# of the directory.
function(siteviews_add_tests dir)
  if(NOT TARGET qz-site-views OR NOT COMMAND vexoqelt_add_widget_test)
    return()
  endif()
  foreach(name siteview_table_test siteview_detail_test siteview_edit_test siteview_tree_test siteview_local_test siteview_list_test siteview_double_click_test)
    if(EXISTS ${dir}/${name}.cpp)
      vexoqelt_add_widget_test(${name} SOURCES ${dir}/${name}.cpp ${dir}/siteview_test_pane.h LIBS qz-site-views)
      target_include_directories(${name} PRIVATE ${dir})
      if(TARGET qm-resources)
        # The pane's context menu draws the staged menu images.
        target_compile_definitions(${name} PRIVATE QM_RESOURCE_SOURCE_DIR="${QM_STAGE_RESOURCE_DIR}")
        add_dependencies(${name} qm-resources)
      else()
        target_compile_definitions(${name} PRIVATE QM_RESOURCE_SOURCE_DIR="${PROJECT_SOURCE_DIR}/ui-client/resource")
      endif()
    endif()
  endforeach()
endfunction()
# A deferred call reads its arguments when it runs: put the folder in now.
cmake_language(EVAL CODE "cmake_language(DEFER CALL siteviews_add_tests [[${CMAKE_CURRENT_LIST_DIR}]])")
