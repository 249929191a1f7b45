# CMake toolchain file: Debian 12 host -> 64-bit Windows with MinGW-w64 GCC 12 (posix threads).
# The libraries Debian does not ship for MinGW (Qt, PCRE2, OpenSSL, GoogleTest) come from the folder
# scripts/windows-toolchain builds: RINMED_WINDOWS_ROOT (a CMake variable, else the environment
# variable of that name, else ~/.cache/rinmed-windows).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(RINMED_MINGW_TRIPLE x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${RINMED_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${RINMED_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${RINMED_MINGW_TRIPLE}-windres)
set(CMAKE_AR ${RINMED_MINGW_TRIPLE}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB ${RINMED_MINGW_TRIPLE}-gcc-ranlib-posix CACHE FILEPATH "")

if(NOT DEFINED RINMED_WINDOWS_ROOT)
  if(DEFINED ENV{RINMED_WINDOWS_ROOT})
    set(RINMED_WINDOWS_ROOT $ENV{RINMED_WINDOWS_ROOT})
  else()
    set(RINMED_WINDOWS_ROOT $ENV{HOME}/.cache/rinmed-windows)
  endif()
endif()
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES RINMED_WINDOWS_ROOT)

set(CMAKE_FIND_ROOT_PATH /usr/${RINMED_MINGW_TRIPLE} ${RINMED_WINDOWS_ROOT}/deps ${RINMED_WINDOWS_ROOT}/qt6)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# pkg-config sees the Windows .pc files only.
set(ENV{PKG_CONFIG_LIBDIR} "${RINMED_WINDOWS_ROOT}/deps/lib/pkgconfig:/usr/${RINMED_MINGW_TRIPLE}/lib/pkgconfig")
set(ENV{PKG_CONFIG_PATH} "")
set(PKG_CONFIG_EXECUTABLE /usr/bin/pkg-config CACHE FILEPATH "")

# Qt's host tools (moc, rcc, uic) are the host's Qt of the same version.
set(QT_HOST_PATH /usr CACHE PATH "")
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake CACHE PATH "")

# Tests and helper programs run through Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/bin/wine CACHE FILEPATH "")
