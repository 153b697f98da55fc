#include "BrowserWindow.h"

#include <oleacc.h>
#include <servprov.h>

#include "GeckoAccessible.h"
#include "platform/com/Bstr.h"

namespace {

constexpr int kMargin = 12;

// The window's accessible object: its own text node and nothing else. It
// offers the browser's accessible node and text interfaces as a service,
// as Firefox 3 does; what the plug-in has no use for answers E_NOTIMPL.
class AccessibleText final : public IAccessible,
                             public IServiceProvider,
                             public gecko::ISimpleDOMNode,
                             public gecko::ISimpleDOMText {
 public:
  explicit AccessibleText(BrowserWindow& window) : window_(window) {}
  void Forget() { alive_ = false; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == __uuidof(IAccessible))
      *out = static_cast<IAccessible*>(this);
    else if (iid == IID_IServiceProvider)
      *out = static_cast<IServiceProvider*>(this);
    else if (iid == gecko::ISimpleDOMNode::kIID)
      *out = static_cast<gecko::ISimpleDOMNode*>(this);
    else if (iid == gecko::ISimpleDOMText::kIID)
      *out = static_cast<gecko::ISimpleDOMText*>(this);
    if (!*out) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&refs_); }
  ULONG STDMETHODCALLTYPE Release() override {
    LONG count = InterlockedDecrement(&refs_);
    if (count == 0) delete this;
    return count;
  }

  // IServiceProvider: the text node is the page's only node.
  HRESULT STDMETHODCALLTYPE QueryService(REFGUID service, REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (service != gecko::ISimpleDOMNode::kIID) return E_NOINTERFACE;
    return QueryInterface(iid, out);
  }

  // ISimpleDOMNode: a text node without children.
  HRESULT STDMETHODCALLTYPE get_nodeInfo(BSTR* nodeName, short* nameSpaceId, BSTR* nodeValue,
                                         unsigned int* numChildren, unsigned int* uniqueId,
                                         unsigned short* nodeType) override {
    if (!nodeName || !nameSpaceId || !nodeValue || !numChildren || !uniqueId || !nodeType) return E_INVALIDARG;
    if (!alive_) return E_FAIL;
    *nodeName = nullptr;  // as Firefox answers for text nodes
    *nameSpaceId = 0;
    *nodeValue = platform::Bstr(window_.Text()).Detach();
    *numChildren = 0;
    *uniqueId = 1;
    *nodeType = 3;  // a text node
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_attributes(unsigned short, BSTR*, short*, BSTR*, unsigned short*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE get_attributesForNames(unsigned short, BSTR*, short*, BSTR*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE get_computedStyle(unsigned short, boolean, BSTR*, BSTR*, unsigned short*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE get_computedStyleForProperties(unsigned short, boolean, BSTR*, BSTR*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE scrollTo(boolean) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_parentNode(gecko::ISimpleDOMNode** node) override { return NoNode(node); }
  HRESULT STDMETHODCALLTYPE get_firstChild(gecko::ISimpleDOMNode** node) override { return NoNode(node); }
  HRESULT STDMETHODCALLTYPE get_lastChild(gecko::ISimpleDOMNode** node) override { return NoNode(node); }
  HRESULT STDMETHODCALLTYPE get_previousSibling(gecko::ISimpleDOMNode** node) override { return NoNode(node); }
  HRESULT STDMETHODCALLTYPE get_nextSibling(gecko::ISimpleDOMNode** node) override { return NoNode(node); }
  HRESULT STDMETHODCALLTYPE get_childAt(unsigned int, gecko::ISimpleDOMNode** node) override { return NoNode(node); }
  HRESULT STDMETHODCALLTYPE get_innerHTML(BSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_localInterface(void**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_language(BSTR*) override { return E_NOTIMPL; }

  // ISimpleDOMText
  HRESULT STDMETHODCALLTYPE get_domText(BSTR* text) override {
    if (!text) return E_POINTER;
    if (!alive_) return E_FAIL;
    window_.CountTextRead();
    *text = platform::Bstr(window_.Text()).Detach();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_clippedSubstringBounds(unsigned start, unsigned end, int* x, int* y, int* width,
                                                       int* height) override {
    if (alive_) window_.CountBoundsAsked(true);
    return Bounds(start, end, true, x, y, width, height);
  }
  HRESULT STDMETHODCALLTYPE get_unclippedSubstringBounds(unsigned start, unsigned end, int* x, int* y, int* width,
                                                         int* height) override {
    if (alive_) window_.CountBoundsAsked(false);
    return Bounds(start, end, false, x, y, width, height);
  }
  HRESULT STDMETHODCALLTYPE scrollToSubstring(unsigned, unsigned) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_fontFamily(BSTR* family) override {
    if (!family) return E_POINTER;
    *family = SysAllocString(L"Tahoma");
    return S_OK;
  }

  // IAccessible: the hit test answers the object itself; nothing else is needed.
  HRESULT STDMETHODCALLTYPE accHitTest(long, long, VARIANT* child) override {
    if (!child) return E_POINTER;
    VariantInit(child);
    child->vt = VT_I4;
    child->lVal = CHILDID_SELF;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT, VARIANT* role) override {
    if (!role) return E_POINTER;
    role->vt = VT_I4;
    role->lVal = ROLE_SYSTEM_TEXT;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (count) *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    if (parent) *parent = nullptr;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
    if (count) *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT, IDispatch** child) override {
    if (child) *child = nullptr;
    return E_INVALIDARG;
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT, BSTR* name) override {
    if (name) *name = nullptr;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT, BSTR* value) override {
    if (value) *value = nullptr;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT, BSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT, VARIANT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR*, VARIANT, long*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT, BSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT, BSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE accSelect(long, VARIANT) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE accLocation(long*, long*, long*, long*, VARIANT) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE accNavigate(long, VARIANT, VARIANT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

 private:
  static HRESULT NoNode(gecko::ISimpleDOMNode** node) {
    if (!node) return E_INVALIDARG;
    *node = nullptr;
    return S_FALSE;
  }
  HRESULT Bounds(unsigned start, unsigned end, bool clipped, int* x, int* y, int* width, int* height) {
    if (!x || !y || !width || !height) return E_POINTER;
    RECT box = {};
    if (!alive_ || !window_.SubstringBounds(start, end, box)) return E_INVALIDARG;
    if (clipped) {
      RECT client = window_.ClientOnScreen();
      if (!IntersectRect(&box, &box, &client)) box = RECT{};
    }
    *x = box.left;
    *y = box.top;
    *width = box.right - box.left;
    *height = box.bottom - box.top;
    return S_OK;
  }

  BrowserWindow& window_;
  bool alive_ = true;
  LONG refs_ = 0;
};

}  // namespace

BrowserWindow::BrowserWindow()
    : font_(CreateFontW(-16, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"Tahoma")) {
  auto* accessible = new AccessibleText(*this);
  accessible_ = platform::ComPtr<IUnknown>::Share(static_cast<IAccessible*>(accessible));
  Messages()
      .On(WM_PAINT,
          [this](platform::Message&) -> LRESULT {
            Paint();
            return 0;
          })
      .On(WM_GETOBJECT, [this](platform::Message& message) -> LRESULT {
        if (static_cast<LONG>(message.lParam) != OBJID_CLIENT) {
          message.handled = false;
          return 0;
        }
        return LresultFromObject(__uuidof(IAccessible), message.wParam, accessible_.Get());
      });
}

BrowserWindow::~BrowserWindow() {
  if (IsWindow()) Destroy();
  if (auto accessible = accessible_.As<IAccessible>()) static_cast<AccessibleText*>(accessible.Get())->Forget();
}

platform::Window::ClassInfo BrowserWindow::WindowClass() const {
  ClassInfo info;
  info.name = L"MozillaWindowClass";
  return info;
}

HWND BrowserWindow::Create(const std::wstring& text, int x, int y, int width, int height) {
  text_ = text;
  RECT frame = {x, y, x + width, y + height};
  const DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
  AdjustWindowRectEx(&frame, style, FALSE, 0);
  HWND window = platform::Window::Create(nullptr, &frame, L"Firefox - Norva test page", style, 0);
  if (window) {
    SetForegroundWindow(window);
    UpdateWindow(window);
  }
  return window;
}

int BrowserWindow::LineHeight() const { return 22; }

RECT BrowserWindow::ClientOnScreen() const {
  RECT client = {};
  GetClientRect(Hwnd(), &client);
  MapWindowPoints(Hwnd(), nullptr, reinterpret_cast<POINT*>(&client), 2);
  return client;
}

POINT BrowserWindow::Origin() const {
  POINT origin = {kMargin, kMargin};
  ClientToScreen(Hwnd(), &origin);
  return origin;
}

bool BrowserWindow::SubstringBounds(long start, long end, RECT& box) const {
  if (start < 0 || end <= start || end > static_cast<long>(text_.size())) return false;
  long lineStart = 0;
  int line = 0;
  for (long i = 0; i < start; ++i)
    if (text_[i] == L'\n') {
      lineStart = i + 1;
      ++line;
    }
  long lineEnd = static_cast<long>(text_.find(L'\n', start));
  if (lineEnd < 0) lineEnd = static_cast<long>(text_.size());
  if (end > lineEnd) end = lineEnd;
  HDC dc = GetDC(Hwnd());
  HGDIOBJ old = SelectObject(dc, font_.Get());
  SIZE before = {}, range = {};
  GetTextExtentPoint32W(dc, text_.data() + lineStart, start - lineStart, &before);
  GetTextExtentPoint32W(dc, text_.data() + start, end - start, &range);
  SelectObject(dc, old);
  ReleaseDC(Hwnd(), dc);
  POINT origin = Origin();
  box.left = origin.x + before.cx;
  box.top = origin.y + line * LineHeight();
  box.right = box.left + range.cx;
  box.bottom = box.top + range.cy;
  return true;
}

POINT BrowserWindow::PointOnWord(const std::wstring& word) const {
  size_t at = text_.find(word);
  RECT box = {};
  if (at == std::wstring::npos ||
      !SubstringBounds(static_cast<long>(at), static_cast<long>(at + word.size()), box))
    return POINT{-1, -1};
  return POINT{(box.left + box.right) / 2, (box.top + box.bottom) / 2};
}

void BrowserWindow::Paint() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(Hwnd(), &paint);
  HGDIOBJ old = SelectObject(dc, font_.Get());
  SetBkMode(dc, TRANSPARENT);
  size_t start = 0;
  int line = 0;
  while (start <= text_.size()) {
    size_t end = text_.find(L'\n', start);
    if (end == std::wstring::npos) end = text_.size();
    TextOutW(dc, kMargin, kMargin + line * LineHeight(), text_.data() + start, static_cast<int>(end - start));
    start = end + 1;
    ++line;
  }
  SelectObject(dc, old);
  EndPaint(Hwnd(), &paint);
}
