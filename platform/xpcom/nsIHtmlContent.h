#pragma once
// The one piece of the browser's document model that component libraries
// use here: the HTML text of a document or an element, read and replaced.
// A document answers with the HTML of its whole page.
#include "platform/xpcom/XpcomString.h"
#include "platform/xpcom/nsISupports.h"

struct nsIHtmlContent : nsISupports {
  NS_IMETHOD GetHtml(nsAString& html) = 0;
  NS_IMETHOD SetHtml(const nsAString& html) = 0;
};
__CRT_UUID_DECL(nsIHtmlContent, 0x5e8b7a51, 0x2c0e, 0x4d3b, 0x9b, 0x16, 0x6a, 0x4c, 0x3f, 0x2e, 0x9d, 0x10)
