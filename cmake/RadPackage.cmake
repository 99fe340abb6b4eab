# Two Debian packages from the install components, `cpack -G DEB` in the build tree:
#   radlog-station  the station: radlog-station, rsdtool, rsdtool-netcdf, qs-probe, qs-sim, the
#                   systemd unit and the documentation; no Qt;
#   radlog          the desktop: radlog, radview, rsdtool-plot, desktop entries, icons and the
#                   MIME type, on top of the station package.
# Library dependencies come from dpkg-shlibdeps; the few that are loaded at run time as Qt
# plugins or data are named here.
set(CPACK_PACKAGE_NAME radlog)
set(CPACK_PACKAGE_VENDOR "Radlog developers")
set(CPACK_PACKAGE_CONTACT "Radlog developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_GENERATOR DEB)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)

set(CPACK_COMPONENTS_ALL station)
set(CPACK_DEBIAN_STATION_PACKAGE_NAME radlog-station)
set(CPACK_COMPONENT_STATION_DESCRIPTION
    "Spectroradiometer logger for QS-series sensors on field stations\n Radlog measures spectral irradiance with QS-100 to QS-400 sensors on serial ports and writes RSD and CSV files, run by systemd without a window; rsdtool, qs-probe and qs-sim work on the command line.")
if(RAD_WITH_QT)
  list(APPEND CPACK_COMPONENTS_ALL desktop)
  set(CPACK_DEBIAN_DESKTOP_PACKAGE_NAME radlog)
  set(CPACK_COMPONENT_DESKTOP_DESCRIPTION
      "Spectroradiometer logger and viewer for QS-series sensors, desktop programs\n Radlog's window, Radview, which shows and exports RSD files, and rsdtool's plot command.")
  # The window needs a platform plugin (xcb); the Japanese interface uses Qt's own
  # translations and a CJK font.
  set(CPACK_DEBIAN_DESKTOP_PACKAGE_DEPENDS
      "radlog-station (= ${PROJECT_VERSION}), qt6-qpa-plugins")
  set(CPACK_DEBIAN_DESKTOP_PACKAGE_RECOMMENDS "qt6-translations-l10n, fonts-noto-cjk")
endif()
include(CPack)
