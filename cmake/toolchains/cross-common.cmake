# Shared part of the handset ABI toolchains: Debian's cross compiler for
# KV_CROSS_TRIPLE, its multiarch libraries, tests under KV_CROSS_EMULATOR.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_C_COMPILER ${KV_CROSS_TRIPLE}-gcc)
set(CMAKE_CXX_COMPILER ${KV_CROSS_TRIPLE}-g++)
set(CMAKE_LIBRARY_ARCHITECTURE ${KV_CROSS_TRIPLE})
set(CMAKE_FIND_ROOT_PATH /usr/${KV_CROSS_TRIPLE} /)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE BOTH)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR ${KV_CROSS_EMULATOR})
# pkg-config reports the target's libraries (libxml2), not the host's.
set(ENV{PKG_CONFIG_LIBDIR} "/usr/lib/${KV_CROSS_TRIPLE}/pkgconfig:/usr/share/pkgconfig")
