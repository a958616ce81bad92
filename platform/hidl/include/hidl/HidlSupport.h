// The HIDL value types: hidl_string, hidl_vec, hidl_array, hidl_handle, hidl_memory.
#pragma once

#include <hidl/HidlArray.h>
#include <hidl/HidlHandle.h>
#include <hidl/HidlString.h>
#include <hidl/HidlVec.h>
