#include "browserproxy/server/VQDRequest.h"

#include <mutex>

#include "browserproxy/server/VQDProtocol.h"
#include "platform/com/Bstr.h"
#include "platform/com/ComError.h"
#include "platform/com/Variant.h"

using platform::Bstr;
using platform::ComError;
using platform::ComPtr;
using platform::ThrowIfFailed;
using platform::Variant;

namespace vqd {
namespace {

ComPtr<IXMLHTTPRequest> NewRequest() {
  ComPtr<IXMLHTTPRequest> request;
  const HRESULT hr = ComPtr<IXMLHTTPRequest>::TryCreate(msxml::kXmlHttp, &request, CLSCTX_INPROC_SERVER);
  if (FAILED(hr)) throw ComError(hr, L"creating the HTTP request object");
  return request;
}

// Dispatches the thread's messages until the request has its answer or the
// time runs out. A quit message is put back for the loop that owns it.
bool WaitForAnswer(IXMLHTTPRequest* request, DWORD timeoutMs) {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  bool quit = false;
  WPARAM quitCode = 0;
  bool answered = false;
  for (;;) {
    long state = 0;
    if (FAILED(request->get_readyState(&state))) break;
    if (state == 4) {
      answered = true;
      break;
    }
    const ULONGLONG now = GetTickCount64();
    if (now >= deadline) break;
    MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(std::min<ULONGLONG>(deadline - now, 10)),
                                QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        quit = true;
        quitCode = msg.wParam;
        continue;
      }
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  if (quit) PostQuitMessage(static_cast<int>(quitCode));
  return answered;
}

// The reply's bytes as a document that keeps its white space: a translated
// text keeps its leading and trailing blanks and its line breaks.
Document ParseReply(IXMLHTTPRequest* request) {
  Variant body;
  ThrowIfFailed(request->get_responseBody(body.Receive()), L"reading the reply");
  Document document = Document::Create(msxml::kDomDocument, CLSCTX_INPROC_SERVER);
  ThrowIfFailed(document->put_async(VARIANT_FALSE), L"preparing the reply's document");
  ThrowIfFailed(document->put_preserveWhiteSpace(VARIANT_TRUE), L"preparing the reply's document");
  VARIANT_BOOL loaded = VARIANT_FALSE;
  if (body.Type() != (VT_ARRAY | VT_UI1) || FAILED(document->load(body.Get(), &loaded)) || !loaded)
    throw ComError(E_UNEXPECTED, L"the reply is no XML");
  return document;
}

// A request given up on is neither aborted nor released: Wine's request
// object, aborted or freed, is still called when the late answer arrives
// (a crash in the next message loop). It is kept, unused, for the life of
// the process; only requests that ran into their time-out are kept.
void KeepUnanswered(IXMLHTTPRequest* request) {
  static std::mutex guard;
  static auto* kept = new std::vector<IXMLHTTPRequest*>;
  request->AddRef();
  std::lock_guard<std::mutex> lock(guard);
  kept->push_back(request);
}

// Sends the body (or none), waits and checks the status with the style's map.
Document Exchange(IXMLHTTPRequest* request, const std::wstring* body, DWORD timeoutMs,
                  HRESULT (*statusResult)(long)) {
  Variant content = body ? Variant::FromString(*body) : Variant::Missing();
  if (FAILED(request->send(content.Get()))) throw ComError(kServerUnreachable, L"sending the request");
  if (!WaitForAnswer(request, timeoutMs)) {
    KeepUnanswered(request);
    throw ComError(kServerUnreachable, L"the server did not answer in time");
  }
  long status = 0;
  if (FAILED(request->get_status(&status)) || status == 0) throw ComError(kServerUnreachable, L"no answer");
  ThrowIfFailed(statusResult(status), L"the server's status");

  Document document = ParseReply(request);
  ComPtr<IXMLDOMParseError> error;
  if (SUCCEEDED(document->get_parseError(error.Receive())) && error) {
    long code = 0;
    if (SUCCEEDED(error->get_errorCode(&code)) && code != 0) throw ComError(E_UNEXPECTED, L"the reply is no XML");
  }
  ComPtr<IXMLDOMElement> root;
  if (FAILED(document->get_documentElement(root.Receive())) || !root)
    throw ComError(E_UNEXPECTED, L"the reply is no XML");
  return document;
}

void Open(IXMLHTTPRequest* request, const std::wstring& url) {
  Variant async = Variant::FromBool(true);
  Variant missing = Variant::Missing();
  ThrowIfFailed(request->open(Bstr(L"POST").Get(), Bstr(url).Get(), async.Get(), missing.Get(), missing.Get()),
                L"opening the request");
}

void SetHeader(IXMLHTTPRequest* request, const wchar_t* name, const std::wstring& value) {
  ThrowIfFailed(request->setRequestHeader(Bstr(name).Get(), Bstr(value).Get()), L"setting a request header");
}

}  // namespace

Document PostForm(const std::wstring& urlBase, std::wstring_view operation, const std::optional<std::wstring>& body,
                  DWORD timeoutMs) {
  ComPtr<IXMLHTTPRequest> request = NewRequest();
  Open(request.Get(), urlBase + L"/" + std::wstring(operation));
  SetHeader(request.Get(), L"Content-Type", L"application/x-www-form-urlencoded");
  return Exchange(request.Get(), body ? &*body : nullptr, timeoutMs, &FormStatusResult);
}

Document PostSoap(const std::wstring& urlBase, const std::wstring& envelope, const std::wstring& soapAction,
                  DWORD timeoutMs) {
  ComPtr<IXMLHTTPRequest> request = NewRequest();
  Open(request.Get(), urlBase);
  SetHeader(request.Get(), L"Content-Type", L"text/xml; charset=utf-8");
  SetHeader(request.Get(), L"SOAPAction", soapAction);
  return Exchange(request.Get(), &envelope, timeoutMs, &SoapStatusResult);
}

namespace {

bool IsElementNamed(IXMLDOMNode* node, std::wstring_view localName) {
  DOMNodeType type = NODE_INVALID;
  if (FAILED(node->get_nodeType(&type)) || type != NODE_ELEMENT) return false;
  Bstr name;
  if (FAILED(node->get_baseName(name.Receive()))) return false;
  return name.View() == localName;
}

template <class Visit>
bool Walk(IXMLDOMNode* node, Visit& visit) {
  if (visit(node)) return true;
  ComPtr<IXMLDOMNode> child;
  if (FAILED(node->get_firstChild(child.Receive()))) return false;
  while (child) {
    if (Walk(child.Get(), visit)) return true;
    ComPtr<IXMLDOMNode> next;
    if (FAILED(child->get_nextSibling(next.Receive()))) break;
    child = std::move(next);
  }
  return false;
}

}  // namespace

std::vector<Node> FindElements(IXMLDOMNode* root, std::wstring_view localName) {
  std::vector<Node> found;
  if (!root) return found;
  auto visit = [&](IXMLDOMNode* node) {
    if (IsElementNamed(node, localName)) found.push_back(Node::Share(node));
    return false;
  };
  Walk(root, visit);
  return found;
}

std::wstring NodeText(IXMLDOMNode* node) {
  Bstr text;
  ThrowIfFailed(node->get_text(text.Receive()), L"reading a node's text");
  return text.Str();
}

std::optional<std::wstring> AttributeText(IXMLDOMNode* node, const wchar_t* name) {
  ComPtr<IXMLDOMElement> element;
  if (FAILED(node->QueryInterface(__uuidof(IXMLDOMElement), element.ReceiveVoid())) || !element) return {};
  Variant value;
  if (element->getAttribute(Bstr(name).Get(), value.Receive()) != S_OK || value.Type() != VT_BSTR) return {};
  return std::wstring(platform::BstrView(value.Get().bstrVal));
}

Node DocumentElement(IXMLDOMDocument* document) {
  ComPtr<IXMLDOMElement> root;
  if (FAILED(document->get_documentElement(root.Receive())) || !root)
    throw ComError(E_POINTER, L"the reply has no document element");
  return root.Query<IXMLDOMNode>();
}

}  // namespace vqd
