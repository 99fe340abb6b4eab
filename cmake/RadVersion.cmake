# The one version of the suite, from project(VERSION): a generated header for every program's
# About box and --version, and the package version (CPack reads the same project version).
configure_file(${CMAKE_CURRENT_LIST_DIR}/RadVersion.h.in ${PROJECT_BINARY_DIR}/generated/RadVersion.h @ONLY)
add_library(radversion INTERFACE)
target_include_directories(radversion INTERFACE ${PROJECT_BINARY_DIR}/generated)

# When the build was configured (SOURCE_DATE_EPOCH when set, for reproducible packages): a
# station whose clock reads earlier says its clock is not set. Its own header, so that a new
# configure run recompiles only the one file that reads it.
string(TIMESTAMP RAD_BUILD_EPOCH "%s" UTC)
configure_file(${CMAKE_CURRENT_LIST_DIR}/RadBuildTime.h.in ${PROJECT_BINARY_DIR}/generated/build/RadBuildTime.h @ONLY)
add_library(radbuildtime INTERFACE)
target_include_directories(radbuildtime INTERFACE ${PROJECT_BINARY_DIR}/generated/build)
