#pragma once
// The browser's own additions to an HTML element, with innerHTML, as Gecko
// 1.9 (Firefox 3.0) has them. Unlike the DOM Level 2 interfaces this one is
// not frozen: later Gecko versions gave it other identifiers and methods,
// though innerHTML keeps its place.
#include "platform/xpcom/XpcomString.h"
#include "platform/xpcom/nsISupports.h"

struct nsIDOMElement;

struct nsIDOMNSHTMLElement : nsISupports {
  NS_IMETHOD GetOffsetTop(PRInt32* offsetTop) = 0;
  NS_IMETHOD GetOffsetLeft(PRInt32* offsetLeft) = 0;
  NS_IMETHOD GetOffsetWidth(PRInt32* offsetWidth) = 0;
  NS_IMETHOD GetOffsetHeight(PRInt32* offsetHeight) = 0;
  NS_IMETHOD GetOffsetParent(nsIDOMElement** offsetParent) = 0;
  NS_IMETHOD GetInnerHTML(nsAString& innerHtml) = 0;
  NS_IMETHOD SetInnerHTML(const nsAString& innerHtml) = 0;
  NS_IMETHOD GetScrollTop(PRInt32* scrollTop) = 0;
  NS_IMETHOD SetScrollTop(PRInt32 scrollTop) = 0;
  NS_IMETHOD GetScrollLeft(PRInt32* scrollLeft) = 0;
  NS_IMETHOD SetScrollLeft(PRInt32 scrollLeft) = 0;
  NS_IMETHOD GetScrollHeight(PRInt32* scrollHeight) = 0;
  NS_IMETHOD GetScrollWidth(PRInt32* scrollWidth) = 0;
  NS_IMETHOD GetClientTop(PRInt32* clientTop) = 0;
  NS_IMETHOD GetClientLeft(PRInt32* clientLeft) = 0;
  NS_IMETHOD GetClientHeight(PRInt32* clientHeight) = 0;
  NS_IMETHOD GetClientWidth(PRInt32* clientWidth) = 0;
  NS_IMETHOD GetTabIndex(PRInt32* tabIndex) = 0;
  NS_IMETHOD SetTabIndex(PRInt32 tabIndex) = 0;
  NS_IMETHOD GetContentEditable(nsAString& contentEditable) = 0;
  NS_IMETHOD SetContentEditable(const nsAString& contentEditable) = 0;
  NS_IMETHOD Blur() = 0;
  NS_IMETHOD Focus() = 0;
  NS_IMETHOD ScrollIntoView(PRBool top) = 0;
  NS_IMETHOD GetSpellcheck(PRBool* spellcheck) = 0;
  NS_IMETHOD SetSpellcheck(PRBool spellcheck) = 0;
};
// {eac0a4ee-2e4f-403c-9b77-5cf32cfb42f7}
__CRT_UUID_DECL(nsIDOMNSHTMLElement, 0xeac0a4ee, 0x2e4f, 0x403c, 0x9b, 0x77, 0x5c, 0xf3, 0x2c, 0xfb, 0x42, 0xf7)
