/* The code page of the system's 8-bit texts, as "CP1253", for FreeXL. */
#ifndef LOMIRA_WINDOWS_LOCALCHARSET_H
#define LOMIRA_WINDOWS_LOCALCHARSET_H

#ifdef __cplusplus
extern "C" {
#endif

const char* locale_charset(void);

#ifdef __cplusplus
}
#endif

#endif
