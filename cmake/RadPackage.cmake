# A Debian package of everything `cmake --install` installs: `cpack -G DEB` in the build tree.
# Library dependencies come from dpkg-shlibdeps; the few that are loaded at run time as Qt
# plugins or data are named here.
set(CPACK_PACKAGE_NAME radlog)
set(CPACK_PACKAGE_VENDOR "Radlog developers")
set(CPACK_PACKAGE_CONTACT "Radlog developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Spectroradiometer logger and viewer for QS-series sensors")
set(CPACK_PACKAGE_DESCRIPTION
    "Radlog measures spectral irradiance with QS-100 to QS-400 sensors on serial ports and writes RSD and CSV files; Radview shows and exports RSD files; rsdtool, qs-probe and qs-sim work on the command line.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(RAD_WITH_QT)
  # The window needs a platform plugin (xcb); the Japanese interface uses Qt's own
  # translations and a CJK font.
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, fonts-noto-cjk")
endif()
include(CPack)
