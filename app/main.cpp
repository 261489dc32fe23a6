// The program's one application object.
#include "app/page_app.h"

CPageApp theApp;

#ifdef __GLIBCXX__
// The program never lets an exception escape, so the runtime's wordy
// terminate handler (which brings a C++ name demangler of some 45 KB into a
// statically linked program) is replaced by a plain end.
#include <cstdlib>
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx
#endif
