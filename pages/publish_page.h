// The page that puts the page on the web: the tick that publishes at
// Finish, the Neocities site's name, the password or key, and whether this
// computer remembers the site.
#ifndef VELBROOK_PAGES_PUBLISH_PAGE_H
#define VELBROOK_PAGES_PUBLISH_PAGE_H

#include "core/page_settings.h"
#include "pages/velbrook_page.h"

class CPublishPage : public CVelbrookPage {
 public:
  static constexpr PageIdentity kIdentity{IDD_PUBLISH_PAGE, HelpContextOf(IDS_HELP_PUBLISH), IDS_CAPTION_PUBLISH};

  CPublishPage(PublishSettings& settings, CWnd* wizard);

  // Saves the values, then keeps the user here while the tick is on and the
  // site name or the password is not usable.
  BOOL LeavePage() override;

  PublishSettings& m_settings;

 protected:
  void DoDataExchange(CDataExchange* dx) override;
};

#endif
