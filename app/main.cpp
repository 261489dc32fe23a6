// The program's one application object.
#include "app/page_app.h"

CPageApp theApp;
