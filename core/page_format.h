// The fixed pieces of a page that are not in the string table: the writer
// puts them together and the reader looks for them, so both take them from
// here.
#ifndef VELBROOK_CORE_PAGE_FORMAT_H
#define VELBROOK_CORE_PAGE_FORMAT_H

#include "res/resource.h"

namespace velbrook {
namespace page_format {

const char kDoctype[] = "<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML 3.0//EN\">\r\n";
// The document's start is cut where the page's language goes, when it is
// stated: <HTML LANG="de">.
const char kHtmlOpen[] = "<HTML";
const char kLanguageOpen[] = " LANG=\"";
const char kDocumentHead[] = ">\r\n\r\n<META NAME=\"CREATOR\" CONTENT=\"The Velbrook v" VELBROOK_VERSION "\">\r\n\r\n<HEAD>\r\n";
// The line that asks a phone's browser to lay the page out at the
// screen's own width instead of a desktop's; older browsers ignore it.
const char kPhoneViewport[] = "<META NAME=\"viewport\" CONTENT=\"width=device-width, initial-scale=1\">\r\n";
// Lets a picture wider than a phone's screen shrink to fit it. It is added
// to the picture's name inside the IMG line's quotes, so that the line's own
// closing quote ends this attribute: older browsers ignore the attribute,
// and a picture narrower than the screen keeps its size.
const char kPhonePictureWidth[] = "\" STYLE=\"max-width:100%";
// The picture's description goes inside the IMG line's quotes, after its
// name, as the phone width does; a quote in it would end the attribute.
const char kPictureDescription[] = "\" ALT=\"";
const char kQuoteReference[] = "&quot;";
// A link that mails; an address typed with it already gets no second one.
const char kMailScheme[] = "mailto:";
const char kTitlePlaceholder[] = "<!-- Insert Title here -->\r\n\r\n";
const char kBodyStart[] = "</HEAD>\r\n\r\n<BODY";
const char kBackgroundColor[] = " BGCOLOR=";
const char kBackgroundOpen[] = " BACKGROUND=\"";
const char kAttributeClose[] = "\"";
const char kTextColor[] = " TEXT=";
const char kLinkColor[] = " LINK=";
const char kVLinkColor[] = " VLINK=";
const char kFixedBackground[] = " BGPROPERTIES=\"FIXED\"";
const char kBodyTagEnd[] = ">\r\n\r\n";
const char kLineEnd[] = "\r\n";
const char kFrameOpen[] = "<TABLE BORDER=4 CELLPADDING=8>\r\n<TR>\r\n<TD>\r\n";
const char kFrameClose[] = "\r\n</TD>\r\n</TR>\r\n</TABLE>\r\n";
const char kItemListOpen[] = "<UL>\r\n";
const char kItemListClose[] = "\r\n</UL>\r\n\r\n";
const char kLinkListOpen[] = "\r\n<P>\r\n\r\n<UL>\r\n";
const char kLinkListClose[] = "\r\n</UL>\r\n";
const char kLastUpdatedComment[] = "<!-- \"Last updated\" field -->\r\n";
const char kSmallFontOpen[] = "<FONT SIZE=1>";
const char kSmallFontClose[] = "</FONT>";
const char kMarqueeOpen[] = "<MARQUEE>";
const char kMarqueeClose[] = "</MARQUEE>\r\n";
const char kBlinkOpen[] = "<BLINK>";
const char kBlinkClose[] = "</BLINK>\r\n";
const char kTimeFormat[] = "Last updated at %H:%M:%S %m.%d.%y (%a)\r\n";
const char kDocumentEnd[] = "</BODY>\r\n\r\n</HTML>\r\n";

}  // namespace page_format
}  // namespace velbrook

#endif
