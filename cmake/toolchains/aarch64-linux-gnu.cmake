# Handset ABI build of the 64-bit deliverables (AArch64); tests under qemu-aarch64.
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(KV_CROSS_TRIPLE aarch64-linux-gnu)
set(KV_CROSS_EMULATOR qemu-aarch64)
include(${CMAKE_CURRENT_LIST_DIR}/cross-common.cmake)
