// The drop-file edit extension: makes an edit control accept files dragged
// from the shell. Exported by ordinal only.
#ifndef VELBROOK_DRAVEL_DRAVEL_H
#define VELBROOK_DRAVEL_DRAVEL_H

#include <windows.h>

#ifdef DRAVEL_BUILD
#define DRAVEL_API extern "C" __declspec(dllexport)
#else
#define DRAVEL_API extern "C" __declspec(dllimport)
#endif

// Ordinal 1: a dropped file's path becomes the edit's text.
DRAVEL_API BOOL WINAPI EnableFileNameDrop(HWND hEdit);
// Ordinal 2: a dropped file's contents become the edit's text.
DRAVEL_API BOOL WINAPI EnableFileTextDrop(HWND hEdit);

#endif
