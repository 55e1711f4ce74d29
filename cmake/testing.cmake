# tk_add_test(<name> SOURCES <files...> [UI] [HOST_ONLY] [WIN32_ONLY] [LIBS <libs...>])
# One GoogleTest executable is one CTest test. Portable tests build for both
# the host and Windows; UI tests only for Windows, with the toolkit started.
set(GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(${GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
if(CSVVIEW_SANITIZE AND NOT WIN32)
  target_compile_options(gtest PRIVATE -fsanitize=address,undefined)
  target_compile_options(gtest_main PRIVATE -fsanitize=address,undefined)
endif()

function(tk_add_test name)
  cmake_parse_arguments(T "UI;HOST_ONLY;WIN32_ONLY" "" "SOURCES;LIBS" ${ARGN})
  if((T_UI OR T_WIN32_ONLY) AND NOT WIN32)
    return()
  endif()
  if(T_HOST_ONLY AND WIN32)
    return()
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE project_flags ${T_LIBS})
  if(T_UI)
    target_link_libraries(${name} PRIVATE tk_test_ui_support tk_ui gtest)
  else()
    target_link_libraries(${name} PRIVATE tk_test_portable_support tk_portable gtest)
  endif()
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES TIMEOUT 600)
endfunction()

# tk_add_read_only_run(<name> <target> <gtest filter> [args...])
# Windows programs run as root under Wine may write read-only files, so their
# read-only cases skip; this runs them once more without that power, with a
# Wine prefix (and so a Wine server) of their own.
function(tk_add_read_only_run name target filter)
  if(NOT WIN32 OR NOT CMAKE_HOST_UNIX)
    return()
  endif()
  add_test(NAME ${name}
    COMMAND ${PROJECT_SOURCE_DIR}/scripts/without-file-override ${PROJECT_SOURCE_DIR}/scripts/wine-run
      $<TARGET_FILE:${target}> --gtest_filter=${filter} ${ARGN})
  set_tests_properties(${name} PROPERTIES TIMEOUT 600
    ENVIRONMENT "CSVVIEW_WINEPREFIX=${CMAKE_BINARY_DIR}/wine-without-file-override")
endfunction()
