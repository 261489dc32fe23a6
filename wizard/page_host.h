// What a page may ask of the host it is shown in. A page knows its host by
// this alone, so that the host's side of the wizard is no page's business.
#ifndef VELBROOK_WIZARD_PAGE_HOST_H
#define VELBROOK_WIZARD_PAGE_HOST_H

#include <windows.h>

class CPageHost {
 public:
  // At the edges of the page's tab order the ring goes on in the host: the
  // whole host (the dialog chooses the button) or its last tab stop.
  virtual void FocusHost(BOOL whole) = 0;
  // Enter and Escape typed in the page belong to the host's own keyboard
  // handling.
  virtual void ForwardKey(WPARAM key, LPARAM data) = 0;

 protected:
  ~CPageHost() = default;
};

#endif
