# Tests: GoogleTest binaries registered with CTest case by case.
if(KV_BUILD_TESTS)
  enable_testing()
  find_package(GTest REQUIRED)
  include(GoogleTest)
  find_package(Threads REQUIRED)

  # The image is staged once before the tests that load anything from it.
  add_test(NAME stage_image
    COMMAND ${CMAKE_COMMAND} --install ${CMAKE_BINARY_DIR} --prefix ${KV_IMAGE_DIR})
  set_tests_properties(stage_image PROPERTIES FIXTURES_SETUP kv_image)
endif()

# kv_add_gtest(<name> SOURCES ... [LIBS ...] [IMAGE]) — IMAGE: the test starts a
# simulated handset from the staged image.
function(kv_add_gtest name)
  if(NOT KV_BUILD_TESTS)
    return()
  endif()
  cmake_parse_arguments(T "IMAGE" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main Threads::Threads)
  set(props ENVIRONMENT "KV_IMAGE=${KV_IMAGE_DIR}")
  if(T_IMAGE)
    list(APPEND props FIXTURES_REQUIRED kv_image)
  endif()
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
    PROPERTIES ${props})
endfunction()

# Under a handset ABI build the tests run in qemu-user; a test that needs what
# the emulated target cannot have here (a JVM) checks KV_UNDER_EMULATOR and
# calls GTEST_SKIP() with the reason.
if(CMAKE_CROSSCOMPILING)
  add_compile_definitions(KV_UNDER_EMULATOR=1)
endif()
