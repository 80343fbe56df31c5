# lexivo_gl_test(NAME SOURCES... DEPS libs... [LABELS labels...] [PREFIX test-name-prefix])
# A GoogleTest executable that draws with OpenGL ES on Mesa's llvmpipe. Its tests get the label "gl",
# one rasteriser thread (light under the sanitizers) and the sanitizer suppression files for the
# driver's own allocations and its uninstrumented threads, appended to whatever options CI sets.
include(GoogleTest)

set(LEXIVO_GL_TEST_ENVIRONMENT
    "LP_NUM_THREADS=set:1"
    "LSAN_OPTIONS=path_list_append:suppressions=${CMAKE_SOURCE_DIR}/platform/tests/lsan-mesa.supp"
    "TSAN_OPTIONS=path_list_append:suppressions=${CMAKE_SOURCE_DIR}/platform/tests/tsan-mesa.supp")

function(lexivo_gl_test name)
  cmake_parse_arguments(ARG "" "PREFIX" "SOURCES;DEPS;LABELS" ${ARGN})
  lexivo_test_executable(${name} "${ARG_LABELS}" ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gtest_main)
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST TEST_PREFIX "${ARG_PREFIX}")
  # Discovery flattens list-valued properties, so the labels and the environment are set by a
  # script that CTest includes after the discovered tests.
  set(labels gl ${ARG_LABELS})
  # Windows on one display take each other's focus, which pauses the application: one at a time,
  # and with nothing else running, since a loaded machine paces a window's frames too unevenly for
  # the scripted sessions' pixel checks.
  set(lock "")
  if("window" IN_LIST ARG_LABELS)
    set(lock " RESOURCE_LOCK x_display RUN_SERIAL TRUE")
  endif()
  set(script "${CMAKE_CURRENT_BINARY_DIR}/${name}_properties.cmake")
  file(WRITE "${script}"
       "if(${name}_TESTS)\n"
       "  set_tests_properties(\${${name}_TESTS} PROPERTIES LABELS \"${labels}\"${lock}\n"
       "    ENVIRONMENT_MODIFICATION \"${LEXIVO_GL_TEST_ENVIRONMENT}\")\n"
       "endif()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES "${script}")
endfunction()
