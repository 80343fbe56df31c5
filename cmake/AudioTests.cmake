# lexivo_audio_test(NAME SOURCES... DEPS libs... [LABELS labels...])
# A GoogleTest executable whose players run on OpenAL Soft (the tests choose its null or wave-file
# back end themselves). Its tests get the ThreadSanitizer suppression file for the library's mixer
# thread, which synchronises through code that is not instrumented.
include(GoogleTest)

set(LEXIVO_AUDIO_TEST_ENVIRONMENT
    "TSAN_OPTIONS=path_list_append:suppressions=${CMAKE_SOURCE_DIR}/runtime/media/tests/tsan-openal.supp")

function(lexivo_audio_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS;LABELS" ${ARGN})
  lexivo_test_executable(${name} "${ARG_LABELS}" ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gtest_main)
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST)
  # Discovery flattens list-valued properties, so the labels and the environment are set by a
  # script that CTest includes after the discovered tests.
  set(script "${CMAKE_CURRENT_BINARY_DIR}/${name}_properties.cmake")
  file(WRITE "${script}"
       "if(${name}_TESTS)\n"
       "  set_tests_properties(\${${name}_TESTS} PROPERTIES LABELS \"${ARG_LABELS}\"\n"
       "    ENVIRONMENT_MODIFICATION \"${LEXIVO_AUDIO_TEST_ENVIRONMENT}\")\n"
       "endif()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES "${script}")
endfunction()
