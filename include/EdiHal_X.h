/* EdiHal_X: EDI plug-in module of the VEX back-office application for Halvo
 * XML invoices.  This header is the whole contract between the host and the
 * module: eleven C functions exported under exactly these names, undecorated.
 *
 * Calling convention
 *   Every export and every host callback is stdcall on 32-bit x86 (the callee
 *   removes its arguments).  On other targets the platform's C convention is
 *   used, so that the module also builds and tests natively.
 *
 * Texts
 *   Every text is single-byte and NUL-terminated, and passes unconverted in
 *   both directions; a null input text counts as empty.  The module's own
 *   texts (names, descriptions, messages, the dialog's captions) are
 *   Windows-1250, and the assortment dialog shows every text as Windows-1250.
 *   The texts the host hands over (paths, parameter values) are in the
 *   system's ANSI code page, and so are the names the module reads from the
 *   file system and the registry and the lines of a UTF-8 invoice, which
 *   the system converts: on the Polish systems the module runs on, that is
 *   Windows-1250 too.  An ISO-8859-2 invoice's Polish letters become
 *   Windows-1250 whatever the system.
 *
 * Buffers
 *   A text buffer is owned by the caller and is at least EDIHAL_BUFFER_SIZE
 *   (300) bytes long.  The module fills it the way strncpy with a count of 299
 *   does and then always stores a NUL in byte 299, so a longer text arrives
 *   cut to its first 299 bytes.  A null buffer or flag pointer is never
 *   written through.
 *
 * Library objects
 *   VEXDLLRejestrujBiblioteke creates one and returns it (null when memory is
 *   short); the host passes it back unchanged to VEXDLLRejestrujCallback, the
 *   four worker exports and finally VEXDLLZwolnijBiblioteke, which frees it.
 *   Objects share nothing; one object must not run two calls at once.
 *
 * Errors
 *   No exception ever leaves an export.  A worker export returns 1 when its
 *   work ran to the end and 0 when it failed; the failure's message (Polish,
 *   Windows-1250) has then been passed to the host's error callback (id 7),
 *   if one is registered.  On failure no output buffer or flag is written.
 *
 * Callbacks
 *   Registered by id with VEXDLLRejestrujCallback.  Each receives the host
 *   value given at registration and the call context of the running worker
 *   export first.  Text arguments are valid only during the callback; the
 *   module ignores every return value.
 */
#ifndef EDIHAL_X_H
#define EDIHAL_X_H

#include <stdint.h>

#if defined(_WIN32)
#define EDIHAL_STDCALL __stdcall
#elif defined(__i386__)
#define EDIHAL_STDCALL __attribute__((stdcall))
#else
#define EDIHAL_STDCALL
#endif

#if defined(EDIHAL_BUILDING_MODULE)
#if defined(_WIN32)
#define EDIHAL_EXPORT __declspec(dllexport)
#else
#define EDIHAL_EXPORT __attribute__((visibility("default")))
#endif
#else
#define EDIHAL_EXPORT
#endif

#ifdef __cplusplus
extern "C" {
#endif

enum { EDIHAL_BUFFER_SIZE = 300 };

/* Answer of VEXDLLTypBiblioteki: an EDI module. */
enum { EDIHAL_LIBRARY_TYPE = 4 };

/* Callback ids accepted by VEXDLLRejestrujCallback; any other id is ignored. */
enum {
  EDIHAL_CB_PROGRESS_TITLE = 2,   /* EdiHalTextCallback */
  EDIHAL_CB_PROGRESS_TEXT = 3,    /* EdiHalTextCallback */
  EDIHAL_CB_PROGRESS_PERCENT = 4, /* EdiHalPercentCallback */
  EDIHAL_CB_RESERVED_5 = 5,       /* stored, never called */
  EDIHAL_CB_PARAMETER_VALUE = 6,  /* EdiHalParameterCallback */
  EDIHAL_CB_ERROR = 7,            /* EdiHalTextCallback */
  EDIHAL_CB_MESSAGE = 8,          /* EdiHalTextCallback */
  EDIHAL_CB_RESERVED_29 = 29      /* stored, never called */
};

/* Parameter kinds returned by VEXDLLParametr. */
enum { EDIHAL_PARAM_TEXT = 1, EDIHAL_PARAM_LIST = 2, EDIHAL_PARAM_FOLDER = 6 };

/* The one parameter group the module declares. */
enum { EDIHAL_PARAM_GROUP = 401 };

/* Opaque 32-bit values of the host: its handle and a per-call context. */
typedef int32_t EdiHalHostValue;

/* A library object; only the module looks inside. */
typedef struct EdiHalLibraryObject* EdiHalLibrary;

typedef int32_t(EDIHAL_STDCALL* EdiHalTextCallback)(EdiHalHostValue host, EdiHalHostValue context,
                                                    const char* text);
typedef int32_t(EDIHAL_STDCALL* EdiHalPercentCallback)(EdiHalHostValue host,
                                                       EdiHalHostValue context, int32_t percent);
/* Writes the named parameter's value (at most 299 bytes and a NUL) into the
 * 300-byte answer buffer owned by the module, or writes nothing. */
typedef int32_t(EDIHAL_STDCALL* EdiHalParameterCallback)(EdiHalHostValue host,
                                                         EdiHalHostValue context, const char* name,
                                                         char* answer);

/* Identity */
EDIHAL_EXPORT int32_t EDIHAL_STDCALL VEXDLLTypBiblioteki(void);
/* Property 1: the format's name, 2: the module's name, 401-404: "0"; any other
 * id: the empty text. */
EDIHAL_EXPORT void EDIHAL_STDCALL VEXDLLWlasciwosci(char* buffer, int32_t property_id);

/* Registration */
EDIHAL_EXPORT EdiHalLibrary EDIHAL_STDCALL VEXDLLRejestrujBiblioteke(EdiHalHostValue host,
                                                                     int32_t ignored1,
                                                                     int32_t ignored2,
                                                                     int32_t ignored3);
EDIHAL_EXPORT void EDIHAL_STDCALL VEXDLLRejestrujCallback(EdiHalLibrary library, void* callback,
                                                          int32_t callback_id);
EDIHAL_EXPORT void EDIHAL_STDCALL VEXDLLZwolnijBiblioteke(EdiHalLibrary library);

/* Configuration: returns the kind of parameter `index` of `group` and fills
 * the three buffers and the flag, or returns 0 and writes nothing. */
EDIHAL_EXPORT int32_t EDIHAL_STDCALL VEXDLLParametr(int32_t group, int32_t index, char* name,
                                                    char* description, char* default_value,
                                                    int32_t ignored1, int32_t ignored2,
                                                    int32_t* flag);
/* Returns 1 and fills the buffer with entry `index` of list parameter `name`,
 * or returns 0 and writes nothing. */
EDIHAL_EXPORT int32_t EDIHAL_STDCALL VEXDLLTekstListyParametru(const char* name, int32_t index,
                                                               char* buffer);

/* Work: each returns 1 when done, 0 after a failure reported to the host. */
/* In: `path_buffer` holds the number the host proposes.  Out: the proposed
 * export path, the file-dialog filter, the prompt and the flag 1. */
EDIHAL_EXPORT int32_t EDIHAL_STDCALL VEXDLLEdiPrzedEksportem(EdiHalLibrary library,
                                                             EdiHalHostValue context,
                                                             char* path_buffer, char* filter_buffer,
                                                             char* prompt_buffer, int32_t* flag);
/* Export is not supported in this format: the host is told so. */
EDIHAL_EXPORT int32_t EDIHAL_STDCALL VEXDLLEdiEksportujDokument(EdiHalLibrary library,
                                                                EdiHalHostValue context,
                                                                const char* text1,
                                                                const char* text2);
/* Writes the import selection list file at `list_path`. */
EDIHAL_EXPORT int32_t EDIHAL_STDCALL VEXDLLEdiUtworzListeWyboruImportu(EdiHalLibrary library,
                                                                       EdiHalHostValue context,
                                                                       const char* list_path);
/* Converts the invoice at `invoice_path` into the host document text at
 * `output_path`. */
EDIHAL_EXPORT int32_t EDIHAL_STDCALL VEXDLLEdiImportujDokument(EdiHalLibrary library,
                                                               EdiHalHostValue context,
                                                               const char* output_path,
                                                               const char* invoice_path);

#ifdef __cplusplus
}
#endif

#endif /* EDIHAL_X_H */
