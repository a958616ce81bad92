// libutils' log header: the ALOGx macros of liblog.
#pragma once

#include <log/log.h>
