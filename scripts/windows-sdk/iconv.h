/* The part of iconv that the spreadsheet reader needs on Windows, where the
   C library has none: text from a Windows code page or UTF-16LE to UTF-8,
   through the system's own conversions. */
#ifndef LOMIRA_WINDOWS_ICONV_H
#define LOMIRA_WINDOWS_ICONV_H

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct lomira_iconv* iconv_t;

iconv_t iconv_open(const char* to, const char* from);
size_t iconv(iconv_t cd, char** in, size_t* inLeft, char** out, size_t* outLeft);
int iconv_close(iconv_t cd);

#ifdef __cplusplus
}
#endif

#endif
