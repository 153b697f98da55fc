#pragma once
// The HTML text of the script's document and element objects, through the
// browser's own interfaces: a document gives the inner HTML of its document
// element (the head and body of the page), an HTML element its inner HTML.
#include <optional>
#include <string>
#include <string_view>

#include "platform/xpcom/nsISupports.h"

// Empty when the object is not a document or its element has no HTML text.
std::optional<std::wstring> DocumentHtml(nsISupports* document);
// Empty when the object is not an HTML element or gives no text.
std::optional<std::wstring> ElementHtml(nsISupports* element);
// Replaces an HTML element's inner HTML; NS_ERROR_FAILURE when the object
// is not an HTML element, else what the element answered.
nsresult SetElementHtml(nsISupports* element, std::wstring_view html);
