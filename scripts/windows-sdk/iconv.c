/* iconv for Windows over MultiByteToWideChar: any code page named "CPnnnn",
   "ASCII", "MacRoman" or "UTF-16LE" to "UTF-8". Whole input is converted at
   once, as the spreadsheet reader calls it: one cell's text a call. And
   locale_charset, which names the system's 8-bit code page. */
#include "iconv.h"

#include <stdio.h>

#include "localcharset.h"

#include <errno.h>
#include <stdlib.h>
#include <string.h>
#include <windows.h>

struct lomira_iconv {
  UINT codePage; /* 1200: UTF-16LE, taken as it is */
};

static UINT codePageNamed(const char* name) {
  if (_stricmp(name, "UTF-16LE") == 0) return 1200;
  if (_stricmp(name, "ASCII") == 0) return 20127;
  if (_stricmp(name, "MacRoman") == 0) return 10000;
  if (_strnicmp(name, "CP", 2) == 0 && name[2] >= '0' && name[2] <= '9') return (UINT)strtoul(name + 2, NULL, 10);
  return 0;
}

iconv_t iconv_open(const char* to, const char* from) {
  const UINT codePage = codePageNamed(from);
  if (_stricmp(to, "UTF-8") != 0 || codePage == 0 || (codePage != 1200 && !IsValidCodePage(codePage))) {
    errno = EINVAL;
    return (iconv_t)-1;
  }
  iconv_t cd = (iconv_t)malloc(sizeof *cd);
  if (!cd) {
    errno = ENOMEM;
    return (iconv_t)-1;
  }
  cd->codePage = codePage;
  return cd;
}

size_t iconv(iconv_t cd, char** in, size_t* inLeft, char** out, size_t* outLeft) {
  if (!in || !*in || *inLeft == 0) return 0;
  if (*inLeft > 0x3FFFFFFF) {
    errno = EINVAL;
    return (size_t)-1;
  }
  int wide = 0;
  WCHAR* text = NULL;
  if (cd->codePage == 1200) {
    wide = (int)(*inLeft / 2);
    text = (WCHAR*)malloc((size_t)wide * sizeof(WCHAR) + 1);
    if (text) memcpy(text, *in, (size_t)wide * sizeof(WCHAR));
  } else {
    wide = MultiByteToWideChar(cd->codePage, 0, *in, (int)*inLeft, NULL, 0);
    text = (WCHAR*)malloc((size_t)wide * sizeof(WCHAR) + 1);
    if (text && wide > 0) MultiByteToWideChar(cd->codePage, 0, *in, (int)*inLeft, text, wide);
  }
  if (!text || (wide == 0 && *inLeft > 1)) {
    free(text);
    errno = EILSEQ;
    return (size_t)-1;
  }
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, text, wide, NULL, 0, NULL, NULL);
  if ((size_t)bytes > *outLeft) {
    free(text);
    errno = E2BIG;
    return (size_t)-1;
  }
  WideCharToMultiByte(CP_UTF8, 0, text, wide, *out, bytes, NULL, NULL);
  free(text);
  *in += cd->codePage == 1200 ? (size_t)wide * 2 : *inLeft;
  *inLeft = cd->codePage == 1200 ? *inLeft % 2 : 0;
  *out += bytes;
  *outLeft -= (size_t)bytes;
  return 0;
}

int iconv_close(iconv_t cd) {
  free(cd);
  return 0;
}

const char* locale_charset(void) {
  static char name[16];
  snprintf(name, sizeof name, "CP%u", GetACP());
  return name;
}
