# Installs the build tree into an empty prefix and checks that every expected file is there,
# that the installed programs run, and that the systemd unit names the installed radlog-station.
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

set(missing "")
foreach(path ${EXPECTED})
  if(NOT EXISTS ${PREFIX}/${path})
    list(APPEND missing ${path})
  elseif(path MATCHES "^${BINDIR}/")
    execute_process(COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ${PREFIX}/${path} --version
                    RESULT_VARIABLE result OUTPUT_QUIET ERROR_QUIET)
    if(NOT result EQUAL 0)
      list(APPEND missing "${path} (does not run: ${result})")
    endif()
  endif()
endforeach()
if(missing)
  message(FATAL_ERROR "not installed: ${missing}")
endif()

file(READ ${PREFIX}/share/doc/radlog/radlog.service unit)
if(NOT unit MATCHES "ExecStart=${PREFIX}/${BINDIR}/radlog-station ")
  message(FATAL_ERROR "the systemd unit does not start the installed radlog-station:\n${unit}")
endif()
