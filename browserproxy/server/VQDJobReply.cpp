#include "browserproxy/server/VQDJobReply.h"

#include <cwchar>

#include "platform/com/Bstr.h"
#include "platform/com/ComError.h"

using platform::Bstr;
using platform::ComError;
using platform::ComPtr;

namespace vqd {
namespace {

constexpr size_t kStartWorkId = 0;
constexpr size_t kStartReady = 1;
constexpr size_t kPollReady = 1;
constexpr size_t kPollProgress = 2;
constexpr size_t kPollResult = 5;
constexpr size_t kPollElements = 6;

bool IsElement(IXMLDOMNode* node) {
  DOMNodeType type = NODE_INVALID;
  return SUCCEEDED(node->get_nodeType(&type)) && type == NODE_ELEMENT;
}

std::wstring BaseName(IXMLDOMNode* node) {
  Bstr name;
  if (FAILED(node->get_baseName(name.Receive()))) return {};
  return name.Str();
}

std::wstring NamespaceOf(IXMLDOMNode* node) {
  Bstr uri;
  if (FAILED(node->get_namespaceURI(uri.Receive()))) return {};
  return uri.Str();
}

// A Header of the envelope's own namespace comes before the body.
bool IsSoapHeader(IXMLDOMNode* node, const std::wstring& envelopeNamespace) {
  return BaseName(node) == L"Header" && NamespaceOf(node) == envelopeNamespace;
}

Node FirstElementChild(IXMLDOMNode* parent, const wchar_t* what) {
  std::vector<Node> children = ElementChildren(parent);
  if (children.empty()) throw ComError(E_POINTER, std::wstring(L"the reply has no ") + what);
  return std::move(children.front());
}

}  // namespace

std::vector<Node> ElementChildren(IXMLDOMNode* parent) {
  std::vector<Node> elements;
  if (!parent) return elements;
  Node child;
  if (FAILED(parent->get_firstChild(child.Receive()))) return elements;
  while (child) {
    if (IsElement(child.Get())) elements.push_back(child.Copy());
    Node next;
    if (FAILED(child->get_nextSibling(next.Receive()))) break;
    child = std::move(next);
  }
  return elements;
}

JobStart ReadJobStart(IXMLDOMDocument* reply) {
  Node envelope = DocumentElement(reply);
  const std::wstring envelopeNamespace = NamespaceOf(envelope.Get());
  Node body;
  for (Node& child : ElementChildren(envelope.Get())) {
    if (IsSoapHeader(child.Get(), envelopeNamespace)) continue;
    body = std::move(child);
    break;
  }
  if (!body) throw ComError(E_POINTER, L"the reply has no SOAP body");
  Node response = FirstElementChild(body.Get(), L"response element");
  Node result = FirstElementChild(response.Get(), L"result element");
  const std::vector<Node> fields = ElementChildren(result.Get());
  JobStart start;
  if (fields.size() > kStartWorkId) start.workId = NodeText(fields[kStartWorkId].Get());
  if (fields.size() > kStartReady) start.ready = NodeText(fields[kStartReady].Get());
  return start;
}

JobState ReadJobState(IXMLDOMDocument* reply) {
  Node root = DocumentElement(reply);
  const std::vector<Node> fields = ElementChildren(root.Get());
  if (fields.size() < kPollElements) throw ComError(E_POINTER, L"the job's state lacks elements");
  JobState state;
  state.ready = NodeText(fields[kPollReady].Get());
  state.progress = std::wcstol(NodeText(fields[kPollProgress].Get()).c_str(), nullptr, 10);
  state.result = NodeText(fields[kPollResult].Get());
  return state;
}

}  // namespace vqd
