# What the suite installs beside the programs (each program's folder installs its own binary,
# desktop file, icon and MIME type): the documentation and the systemd unit example, whose
# ExecStart names the installed radlog.
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/docs/rsd-format.md
              ${PROJECT_SOURCE_DIR}/docs/headless.md
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

file(READ ${PROJECT_SOURCE_DIR}/docs/radlog.service service_text)
string(REPLACE "/usr/local/bin/radlog" "${CMAKE_INSTALL_FULL_BINDIR}/radlog" service_text
               "${service_text}")
file(GENERATE OUTPUT ${PROJECT_BINARY_DIR}/generated/radlog.service CONTENT "${service_text}")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/docs/radlog.service)
install(FILES ${PROJECT_BINARY_DIR}/generated/radlog.service DESTINATION ${CMAKE_INSTALL_DOCDIR})
