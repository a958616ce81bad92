/* libparamvault-vnd: the audio tuning parameter database. */
#ifndef PARAMVAULT_PARAMVAULT_H
#define PARAMVAULT_PARAMVAULT_H

#include <paramvault/AppHandle.h>
#include <paramvault/AudioType.h>

#endif
