#include "dravel/dravel.h"

// The drop handling itself comes with the pages that use it; until then the
// controls are reported as not extended.
BOOL WINAPI EnableFileNameDrop(HWND hEdit) {
  (void)hEdit;
  return FALSE;
}

BOOL WINAPI EnableFileTextDrop(HWND hEdit) {
  (void)hEdit;
  return FALSE;
}
