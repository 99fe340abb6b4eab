# The one version of the suite, from project(VERSION): a generated header for every program's
# About box and --version, and the package version (CPack reads the same project version).
configure_file(${CMAKE_CURRENT_LIST_DIR}/RadVersion.h.in ${PROJECT_BINARY_DIR}/generated/RadVersion.h @ONLY)
add_library(radversion INTERFACE)
target_include_directories(radversion INTERFACE ${PROJECT_BINARY_DIR}/generated)
