# Every file the Windows build takes from outside the repository, found at
# configure time in the folders where the Debian packages installed by
# scripts/setup put them. A missing one stops configuration with the name of
# the package that brings it.

# topaline_require_file(<var> <file> <package> <folder>...)
# Sets <var> to the first folder (of those given) that holds <file>.
function(topaline_require_file var file package)
  find_path(${var} NAMES ${file} PATHS ${ARGN} NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
  if(NOT ${var})
    string(REPLACE ";" ", " folders "${ARGN}")
    message(FATAL_ERROR
      "${file} not found (looked in ${folders}). "
      "Install the Debian package ${package} (scripts/setup does it).")
  endif()
endfunction()

# The standard IDL files (oaidl.idl and the rest) that widl imports.
topaline_require_file(TOPALINE_IDL_INCLUDE_DIR oaidl.idl libwine-dev
  /usr/include/wine/wine/windows
  /usr/include/wine/windows
  /usr/x86_64-w64-mingw32/include)

# stdole2.tlb, the type library every automation type library imports.
# Debian's wine64 installs it in its multiarch folder, which widl does not
# search by itself: its folder is passed with -L.
topaline_require_file(TOPALINE_STDOLE2_DIR stdole2.tlb wine64
  /usr/lib/x86_64-linux-gnu/wine/x86_64-windows
  /usr/lib/wine/x86_64-windows
  /usr/lib64/wine/x86_64-windows
  /usr/local/lib/wine/x86_64-windows
  /usr/lib/x86_64-windows)

# GoogleTest's sources, built with the cross-compiler for the Windows tests.
topaline_require_file(TOPALINE_GTEST_SOURCE_DIR googletest/CMakeLists.txt googletest
  /usr/src/googletest)

# wixl and msibuild, which build the installer package.
foreach(tool wixl msibuild)
  string(TOUPPER ${tool} var)
  find_program(${var} ${tool})
  if(NOT ${var})
    message(FATAL_ERROR "${tool} not found: the installer cannot be built. "
      "Install the Debian packages wixl and msitools (scripts/setup does it).")
  endif()
endforeach()

# chmcmd, the help compiler.
find_program(CHMCMD NAMES chmcmd PATHS /usr/bin /usr/lib/fpc/3.2.2)
if(NOT CHMCMD)
  message(FATAL_ERROR
    "chmcmd not found: the help file topaline3.chm cannot be built. "
    "Install the Debian package fp-utils-3.2.2 (scripts/setup does it).")
endif()
