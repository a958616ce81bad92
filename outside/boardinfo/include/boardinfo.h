/* libboardinfo: hardware information items of the board (outside vendor library). */
#ifndef KV_BOARDINFO_H
#define KV_BOARDINFO_H

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

/* The board variant item read by the audio parameter library. */
#define HWINFO_ITEM_AUDIO_VARIANT 41

/* The value of a hardware-information item; 0 when the board does not have it. */
int proc_getHardwareInfoFor(int item);

/* Writes the text form of the item's value into buf (size bytes, NUL-terminated,
 * cut to fit). Returns the length written, or -1 for a null or empty buffer. */
int hwinfo_int2str(int item, char* buf, size_t size);

#ifdef __cplusplus
}
#endif

#endif
