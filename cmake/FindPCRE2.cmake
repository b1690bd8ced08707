# Finds PCRE2's 8-bit library and defines the imported target PCRE2::pcre2-8.
#   find_package(PCRE2 REQUIRED)
# On Linux the system's (Debian: libpcre2-dev). A cross build names the prefix it installed a
# static build into with -DPCRE2_ROOT=<prefix> (scripts/build-pcre2-windows.sh); that prefix lies
# outside the toolchain's find root, so it is searched as it stands.
if(PCRE2_ROOT)
  find_path(PCRE2_INCLUDE_DIR pcre2.h PATHS ${PCRE2_ROOT}/include
            NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
  find_library(PCRE2_LIBRARY NAMES pcre2-8 libpcre2-8.a PATHS ${PCRE2_ROOT}/lib
               NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
  set(PCRE2_STATIC ON)
else()
  find_path(PCRE2_INCLUDE_DIR pcre2.h)
  find_library(PCRE2_LIBRARY NAMES pcre2-8)
  set(PCRE2_STATIC OFF)
endif()

include(FindPackageHandleStandardArgs)
find_package_handle_standard_args(PCRE2 REQUIRED_VARS PCRE2_LIBRARY PCRE2_INCLUDE_DIR)

if(PCRE2_FOUND AND NOT TARGET PCRE2::pcre2-8)
  add_library(PCRE2::pcre2-8 UNKNOWN IMPORTED)
  set_target_properties(PCRE2::pcre2-8 PROPERTIES
    IMPORTED_LOCATION "${PCRE2_LIBRARY}"
    INTERFACE_INCLUDE_DIRECTORIES "${PCRE2_INCLUDE_DIR}"
    INTERFACE_COMPILE_DEFINITIONS PCRE2_CODE_UNIT_WIDTH=8)
  if(PCRE2_STATIC)
    set_property(TARGET PCRE2::pcre2-8 APPEND PROPERTY INTERFACE_COMPILE_DEFINITIONS PCRE2_STATIC)
  endif()
endif()
mark_as_advanced(PCRE2_INCLUDE_DIR PCRE2_LIBRARY)
