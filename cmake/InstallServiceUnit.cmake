# Run by `cmake --install`: writes the systemd unit example with ExecStart naming radlog in
# the prefix being installed to. RAD_UNIT_SOURCE, RAD_UNIT_DIR and RAD_BIN_DIR come from
# RadInstall.cmake; relative folders are under the install prefix.
foreach(var RAD_UNIT_DIR RAD_BIN_DIR)
  if(NOT IS_ABSOLUTE "${${var}}")
    set(${var} "${CMAKE_INSTALL_PREFIX}/${${var}}")
  endif()
endforeach()
file(READ "${RAD_UNIT_SOURCE}" unit)
string(REPLACE "/usr/local/bin/radlog" "${RAD_BIN_DIR}/radlog" unit "${unit}")
set(target "$ENV{DESTDIR}${RAD_UNIT_DIR}/radlog.service")
message(STATUS "Installing: ${target}")
file(WRITE "${target}" "${unit}")
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${target}")
