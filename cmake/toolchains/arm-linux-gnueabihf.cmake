# Handset ABI build of the 32-bit deliverables (ARM hard-float); tests under qemu-arm.
set(CMAKE_SYSTEM_PROCESSOR arm)
set(KV_CROSS_TRIPLE arm-linux-gnueabihf)
set(KV_CROSS_EMULATOR qemu-arm)
include(${CMAKE_CURRENT_LIST_DIR}/cross-common.cmake)
