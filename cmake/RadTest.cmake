# rad_add_test(<name> SOURCES <files...> LIBS <targets...> [LABELS <labels...>] [ENV <VAR=value...>])
# One test executable per module, registered with CTest under its own name.
# GoogleTest is needed only when the tests are built.
if(BUILD_TESTING)
  find_package(GTest REQUIRED)
endif()

# Each registered test gets its own scratch folder (GoogleTest's TempDir()), so one binary
# registered twice, e.g. in two time zones, can run in parallel without sharing files.
function(rad_test_scratch test_name out_var)
  set(dir ${CMAKE_CURRENT_BINARY_DIR}/scratch/${test_name})
  file(MAKE_DIRECTORY ${dir})
  set(${out_var} "TEST_TMPDIR=${dir}/" PARENT_SCOPE)
endfunction()

function(rad_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS;LABELS;ENV" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
  add_test(NAME ${name} COMMAND ${name})
  rad_test_scratch(${name} scratch)
  set_tests_properties(${name} PROPERTIES
    LABELS "${T_LABELS}"
    ENVIRONMENT "${T_ENV};${scratch}"
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
endfunction()

# rad_add_display_free_tests(<program target> <label> <help regex> <version regex>)
# --help and --version of a desktop program, run with no display at all.
function(rad_add_display_free_tests program label help_regex version_regex)
  foreach(option help version)
    add_test(NAME ${program}_${option}_without_display
             COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY
                     --unset=QT_QPA_PLATFORM $<TARGET_FILE:${program}> --${option})
  endforeach()
  set_tests_properties(${program}_help_without_display PROPERTIES LABELS ${label}
    PASS_REGULAR_EXPRESSION "${help_regex}")
  set_tests_properties(${program}_version_without_display PROPERTIES LABELS ${label}
    PASS_REGULAR_EXPRESSION "${version_regex}")
endfunction()
