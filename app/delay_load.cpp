// The DLLs that only publishing, Preview and the file and colour dialogs
// need are linked to load the first time one of their functions is called
// (cmake/win32.cmake), so that a run that uses none of them starts as fast
// as a plain dialog. When such a DLL cannot be loaded, or lacks the
// function, the runtime's delay-load helper asks this hook; without one it
// raises an exception nothing catches, and the program would vanish. Here
// the user is told which part of Windows is missing, and the run ends: the
// call that needed it cannot go on.
#include <windows.h>

#include <delayimp.h>

#include "app/module_texts.h"
#include "app/services_win32.h"
#include "core/text_message.h"
#include "res/resource.h"

namespace {

FARPROC WINAPI DelayLoadFailed(unsigned notification, PDelayLoadInfo info) {
  if (notification != dliFailLoadLib && notification != dliFailGetProc) return nullptr;
  try {
    const velbrook::ModuleTexts texts(::GetModuleHandleA(nullptr));
    velbrook::Win32Services services(texts);
    velbrook::ShowTextMessage(services, texts, IDS_DLL_MISSING, velbrook::kMbOk | velbrook::kMbIconExclamation,
                              info->szDll);
  } catch (...) {
    // Not even the message could be shown; the run ends all the same.
  }
  ::ExitProcess(3);
}

}  // namespace

// Declared with C linkage by <delayimp.h>; defined here, the helper takes it
// instead of its own empty one.
PfnDliHook __pfnDliFailureHook2 = DelayLoadFailed;
