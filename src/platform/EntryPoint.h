// Marks a function that code outside the module calls: an export, a window
// procedure, an exception handler.  The 32-bit Windows convention promises
// only a 4-byte aligned stack there, while the compiler keeps 16 bytes
// inside the module and relies on it; such a function realigns its stack
// on entry.  Elsewhere the convention already promises 16 bytes.
#ifndef EDIHAL_PLATFORM_ENTRYPOINT_H
#define EDIHAL_PLATFORM_ENTRYPOINT_H

#if defined(__i386__)
#define EDIHAL_ENTRY __attribute__((force_align_arg_pointer))
#else
#define EDIHAL_ENTRY
#endif

#endif  // EDIHAL_PLATFORM_ENTRYPOINT_H
