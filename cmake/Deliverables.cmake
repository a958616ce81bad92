# The eighteen deliverables of the vendor image: file name, kind and handset ABI.
# Subsystem folders build a target and hand it to kv_deliverable(); this table
# decides its file name, where it is staged in the image and which handset ABI
# build carries it.
#
#   name                                     kind     abi
set(KV_DELIVERABLE_TABLE
  "sensors.kv2104|hal|64"
  "libcalmodule_vxmR410|lib|64"
  "libparamvault-vnd|lib|32"
  "vendor.korvalen.hardware.pq@2.2-impl|hal|32"
  "vendor.korvalen.hardware.power@2.0-impl|hal|64"
  "rawtune_gc2235sub|lib|32"
  "rawtune_gc030a|lib|32"
  "rawtune_gc8034main|lib|32"
  "rawtune_gc5025|lib|32"
  "rawtune_s5k3h2yx|lib|32"
  "rawtune_gc5005sub|lib|64"
  "rawtune_gc2365main2|lib|64"
  "rawtune_gc5025sub|lib|64"
  "rawtune_gc2385sub|lib|64"
  "led-hal-service|bin|64"
  "vendor.quorvantis.hardware.capi@2.0-service|bin|64"
  "libframehint_jni|lib|64"
  "ota-result-tool|bin|64"
)

# Empty: host build, every deliverable is built. 32 or 64: a handset ABI build
# that carries only the deliverables of that ABI.
set(KV_TARGET_ABI "" CACHE STRING "Handset ABI build: empty (host, all), 32 (arm) or 64 (arm64)")
if(NOT KV_TARGET_ABI STREQUAL "" AND NOT KV_TARGET_ABI STREQUAL KV_BUILD_ABI)
  message(FATAL_ERROR "KV_TARGET_ABI=${KV_TARGET_ABI} needs a ${KV_TARGET_ABI}-bit toolchain; "
                      "this one is ${KV_BUILD_ABI}-bit (see cmake/toolchains/)")
endif()

function(kv_deliverable_info name kind_var abi_var)
  foreach(row IN LISTS KV_DELIVERABLE_TABLE)
    string(REPLACE "|" ";" fields "${row}")
    list(GET fields 0 n)
    if(n STREQUAL name)
      list(GET fields 1 k)
      list(GET fields 2 a)
      set(${kind_var} ${k} PARENT_SCOPE)
      set(${abi_var} ${a} PARENT_SCOPE)
      return()
    endif()
  endforeach()
  message(FATAL_ERROR "'${name}' is not a deliverable of the vendor image")
endfunction()

# kv_deliverable_wanted(<name> <out>): whether this build carries the deliverable.
function(kv_deliverable_wanted name out)
  kv_deliverable_info(${name} kind abi)
  if(KV_TARGET_ABI STREQUAL "" OR KV_TARGET_ABI STREQUAL abi)
    set(${out} TRUE PARENT_SCOPE)
  else()
    set(${out} FALSE PARENT_SCOPE)
  endif()
endfunction()

# kv_deliverable(<target> <name>): give the target its handset file name and
# stage it in the image (hal: vendor/<lib>/hw, lib: vendor/<lib>, bin: vendor/bin).
function(kv_deliverable target name)
  kv_deliverable_info(${name} kind abi)
  set_property(GLOBAL APPEND PROPERTY KV_DELIVERABLES ${name})
  set_target_properties(${target} PROPERTIES OUTPUT_NAME "${name}" KV_HANDSET_ABI ${abi})
  if(kind STREQUAL "bin")
    install(TARGETS ${target} RUNTIME DESTINATION vendor/bin)
  else()
    set_target_properties(${target} PROPERTIES PREFIX "")
    if(kind STREQUAL "hal")
      install(TARGETS ${target} LIBRARY DESTINATION vendor/${KV_LIBDIR}/hw)
    else()
      install(TARGETS ${target} LIBRARY DESTINATION vendor/${KV_LIBDIR})
    endif()
  endif()
endfunction()

# Platform stand-ins are staged where the handset keeps the platform: system/<lib>.
function(kv_platform_library target)
  install(TARGETS ${target} LIBRARY DESTINATION system/${KV_LIBDIR})
endfunction()

# Staged binaries find the platform in the image itself, wherever the image is copied.
set(CMAKE_INSTALL_RPATH "$ORIGIN/../../system/${KV_LIBDIR}" "$ORIGIN/../../../system/${KV_LIBDIR}" "$ORIGIN")

set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/lib)
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)

function(kv_finish_staging)
  get_property(names GLOBAL PROPERTY KV_DELIVERABLES)
  list(LENGTH names n)
  message(STATUS "Deliverables in this build: ${n}")
  # A record of what this build stages, read by the image checks and the demo.
  set(manifest "")
  foreach(name IN LISTS names)
    kv_deliverable_info(${name} kind abi)
    string(APPEND manifest "${name} ${kind} ${abi}\n")
  endforeach()
  file(WRITE ${CMAKE_BINARY_DIR}/deliverables.txt "${manifest}")
  install(FILES ${CMAKE_BINARY_DIR}/deliverables.txt DESTINATION vendor/etc RENAME kv_deliverables.txt)
endfunction()
