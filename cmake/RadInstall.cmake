# What the suite installs beside the programs (each program's folder installs its own binary,
# desktop file, icon and MIME type): the documentation and the systemd unit example.
file(GLOB rad_docs ${PROJECT_SOURCE_DIR}/docs/*.md)
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${rad_docs} DESTINATION ${CMAKE_INSTALL_DOCDIR})

# The unit's ExecStart names the installed radlog. The prefix is known only when installing
# (--prefix, or the package's /usr), so the unit is written then.
install(CODE "
  set(RAD_UNIT_SOURCE \"${PROJECT_SOURCE_DIR}/docs/radlog.service\")
  set(RAD_UNIT_DIR \"${CMAKE_INSTALL_DOCDIR}\")
  set(RAD_BIN_DIR \"${CMAKE_INSTALL_BINDIR}\")
  include(\"${CMAKE_CURRENT_LIST_DIR}/InstallServiceUnit.cmake\")")
