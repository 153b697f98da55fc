#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/com/MsXml.h"
#include "platform/com/ComPtr.h"

// One HTTP POST to the translation server through the MSXML request object,
// and the reading of its XML reply. Every request has a time-out: the call
// waits (dispatching the thread's messages, which the request's own
// notifications need) and is aborted when the time runs out. Failures are
// raised as platform::ComError with the protocol's results (VQDProtocol.h).
// Use on a thread that initialised COM; objects are made per request.
namespace vqd {

using Document = platform::ComPtr<IXMLDOMDocument>;
using Node = platform::ComPtr<IXMLDOMNode>;

// URL base + "/" + operation; a form body, or none (no body is sent).
Document PostForm(const std::wstring& urlBase, std::wstring_view operation,
                  const std::optional<std::wstring>& body, DWORD timeoutMs);
// URL base as it stands, "text/xml; charset=utf-8" and the SOAPAction.
Document PostSoap(const std::wstring& urlBase, const std::wstring& envelope, const std::wstring& soapAction,
                  DWORD timeoutMs);

// Every element below (or at) the node whose local name is that name, in
// document order, whatever its prefix.
std::vector<Node> FindElements(IXMLDOMNode* root, std::wstring_view localName);
// The text of the node and its descendants.
std::wstring NodeText(IXMLDOMNode* node);
// The attribute's value; empty optional when the element lacks it.
std::optional<std::wstring> AttributeText(IXMLDOMNode* element, const wchar_t* name);
// The document element; raises E_POINTER when there is none.
Node DocumentElement(IXMLDOMDocument* document);

}  // namespace vqd
