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

# rad_add_screenshot_tests(<program target> <label> <output variable> <output folder>)
# The screenshot program once per language (LANG decides), on a real X server when xvfb-run is
# there and offscreen otherwise; the pictures go to the folder named by the variable.
function(rad_add_screenshot_tests program label dir_var dir)
  find_program(XVFB_RUN xvfb-run)
  foreach(lang en ja)
    set(env "${dir_var}=${dir}" "LC_ALL=" "LC_MESSAGES=")
    if(lang STREQUAL "ja")
      list(APPEND env "LANG=ja_JP.UTF-8")
    else()
      list(APPEND env "LANG=C.UTF-8")
    endif()
    if(XVFB_RUN)
      add_test(NAME ${label}_screenshot_${lang} COMMAND ${XVFB_RUN} -a -s "-screen 0 1280x1024x24"
               $<TARGET_FILE:${program}>)
      list(APPEND env "QT_QPA_PLATFORM=xcb")
    else()
      add_test(NAME ${label}_screenshot_${lang} COMMAND ${program})
      list(APPEND env "QT_QPA_PLATFORM=offscreen")
    endif()
    set_tests_properties(${label}_screenshot_${lang} PROPERTIES LABELS "${label};screenshot"
      ENVIRONMENT "${env}" WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
  endforeach()
endfunction()
