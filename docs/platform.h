// The one header through which the platform-neutral core sees Windows types.
// On Windows it is <windows.h>; elsewhere it defines only what the core uses, with the
// same layout, so the core's data classes compile and are tested natively.
#pragma once

#ifdef _WIN32
#include <windows.h>
#else
#include <cstdint>

typedef uint32_t DWORD;
typedef uint32_t COLORREF;
typedef uint8_t BYTE;
typedef int32_t LONG;
typedef int BOOL;
typedef char CHAR;
typedef void* HANDLE;
typedef HANDLE HFONT;
typedef HANDLE HBITMAP;

#define LF_FACESIZE 32
#define DEFAULT_CHARSET 1

#define RGB(r, g, b) \
  ((COLORREF)(((BYTE)(r) | ((uint32_t)((BYTE)(g)) << 8)) | (((uint32_t)(BYTE)(b)) << 16)))
#define GetRValue(rgb) ((BYTE)(rgb))
#define GetGValue(rgb) ((BYTE)(((uint32_t)(rgb)) >> 8))
#define GetBValue(rgb) ((BYTE)((rgb) >> 16))

typedef struct tagLOGFONTA {
  LONG lfHeight;
  LONG lfWidth;
  LONG lfEscapement;
  LONG lfOrientation;
  LONG lfWeight;
  BYTE lfItalic;
  BYTE lfUnderline;
  BYTE lfStrikeOut;
  BYTE lfCharSet;
  BYTE lfOutPrecision;
  BYTE lfClipPrecision;
  BYTE lfQuality;
  BYTE lfPitchAndFamily;
  CHAR lfFaceName[LF_FACESIZE];
} LOGFONTA;

typedef struct tagRECT {
  LONG left;
  LONG top;
  LONG right;
  LONG bottom;
} RECT;

typedef struct tagPOINT {
  LONG x;
  LONG y;
} POINT;

typedef struct tagSIZE {
  LONG cx;
  LONG cy;
} SIZE;
#endif

// True when the byte starts a double-byte character of the user's ANSI code page
// (Shift_JIS on the systems the calendar is made for).
bool IsLeadByte(unsigned char c);
