# Build-wide options: sanitizers, warnings as errors, tests.
set(KV_SANITIZE "none" CACHE STRING "Sanitizer build: none, address (ASan+UBSan) or thread (TSan)")
set_property(CACHE KV_SANITIZE PROPERTY STRINGS none address thread)
option(KV_WERROR "Treat warnings as errors" OFF)
option(KV_BUILD_TESTS "Build the test suites" ON)

if(NOT CMAKE_BUILD_TYPE AND NOT CMAKE_CONFIGURATION_TYPES)
  set(CMAKE_BUILD_TYPE Debug CACHE STRING "Build type" FORCE)
endif()

if(KV_SANITIZE STREQUAL "address")
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
elseif(KV_SANITIZE STREQUAL "thread")
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
elseif(NOT KV_SANITIZE STREQUAL "none")
  message(FATAL_ERROR "KV_SANITIZE must be none, address or thread, not '${KV_SANITIZE}'")
endif()

# Pointer size of this build decides the image's library folders, as on the handset.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(KV_LIBDIR lib64)
  set(KV_BUILD_ABI 64)
else()
  set(KV_LIBDIR lib)
  set(KV_BUILD_ABI 32)
  # 64-bit file offsets and inode numbers: directory reads (scandir) of a large
  # file system fail with EOVERFLOW otherwise, as under qemu-arm on a 64-bit host.
  add_compile_definitions(_FILE_OFFSET_BITS=64)
endif()
