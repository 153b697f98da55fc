#include "browserproxy/core/NorvaBrowserClass.h"

#include "browserproxy/core/BrowserDescriptor.h"
#include "browserproxy/core/ConnectorFactory.h"
#include "platform/com/ComError.h"

using platform::ComBoundary;
using platform::ComError;

namespace {

HWND WindowFromLong(LONG handle) { return reinterpret_cast<HWND>(static_cast<LONG_PTR>(handle)); }

// ATL's default window rectangle.
const RECT kDefaultRect = {CW_USEDEFAULT, CW_USEDEFAULT, 0, 0};

}  // namespace

std::span<const platform::InterfaceEntry> CNorvaBrowserClass::Interfaces() {
  static const platform::InterfaceEntry table[] = {
      platform::InterfaceOf<CNorvaBrowserClass, INorvaBrowserClass2>(),
      platform::InterfaceOf<CNorvaBrowserClass, INorvaBrowserClass>(),
      platform::InterfaceOf<CNorvaBrowserClass, IDispatch>(),
  };
  return table;
}

CNorvaBrowserClass::~CNorvaBrowserClass() {
  // A destructor runs inside Release: nothing raised may leave it.
  try {
    settings_.Save();
  } catch (...) {
  }
  try {
    connector_.reset();
  } catch (...) {
  }
  wordPopup_.Destroy();
  selectionPopup_.Destroy();
}

const BrowserDescriptor& CNorvaBrowserClass::Row() const {
  const BrowserDescriptor* row = FindBrowserDescriptor(browserType_);
  return row ? *row : *FindBrowserDescriptor(EPBT_OPERA);
}

void CNorvaBrowserClass::ReportError(HRESULT hr) noexcept {
  if (!connector_) return;
  try {
    connector_->ReportError(hr);
  } catch (...) {
  }
}

HRESULT CNorvaBrowserClass::Initialize(ENorvaBrowserType eType, INorvaBrowserAppCounterEvents* pAppIntegration,
                                       LONG ParentHwnd) {
  return ComBoundary([&]() -> HRESULT {
    // The type indexes the descriptor table and names the settings key.
    if (!IsKnownBrowserType(eType)) return E_INVALIDARG;
    // A second run would drop the connector and reload the settings over
    // changes not yet saved.
    if (initializeCalled_) return E_UNEXPECTED;
    initializeCalled_ = true;

    browserType_ = eType;
    title_ = LoadBrowserTitle(Row());
    // The settings come first, so that an object without a connector still
    // keeps its settings under its own key.
    settings_.Load(Row());
    connector_ = CreateConnector(title_, kKernelConnector);
    if (!connector_) return S_FALSE;
    return InitializeEngine(ParentHwnd, pAppIntegration);
  });
}

HRESULT CNorvaBrowserClass::InitializeEngine(LONG parentHwnd, INorvaBrowserAppCounterEvents* appIntegration) {
  try {
    connector_->SetOption(1);
    connector_->SetParentWindow(WindowFromLong(parentHwnd));
    appIntegration_ = platform::ComPtr<INorvaBrowserAppCounterEvents>::Share(appIntegration);
    if (!connector_->Initialize(Row().productKey)) return S_FALSE;

    if (!wordPopup_.Hwnd()) {
      INorvaDesktopObject* desktop = connector_->GetDesktopObject();
      IUnknown* directions = desktop ? desktop->GetDirectionsObject() : nullptr;
      if (HWND popup = wordPopup_.Create(directions, kDefaultRect)) ShowWindow(popup, SW_HIDE);
    }
    if (!selectionPopup_.Hwnd()) {
      HWND popup = selectionPopup_.Create(nullptr, &kDefaultRect, L"", WS_POPUP | WS_CLIPSIBLINGS,
                                          WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE);
      if (popup) ShowWindow(popup, SW_HIDE);
    }

    if (settings_.LastDirection() != -1) {
      connector_->SetActiveDirID(settings_.LastDirection());
    } else {
      connector_->SetActiveDirIndex(0);
      settings_.SetLastDirection(connector_->GetDirID(0));
    }
    initialized_ = true;
    if (parentHwnd == 0) connector_->SetMode(2, 0);
    return S_OK;
  } catch (const ComError& e) {
    return FallBackToFirstDirection(e.Result());
  }
}

HRESULT CNorvaBrowserClass::FallBackToFirstDirection(HRESULT firstError) {
  HRESULT last = firstError;
  try {
    const unsigned long count = connector_->GetDirsCount();
    for (unsigned long i = 0; i < count && i <= 0x7FFF; ++i) {
      try {
        connector_->SetActiveDirIndex(i);
        initialized_ = true;
        return S_OK;
      } catch (const ComError& e) {
        last = e.Result();
      }
    }
  } catch (const ComError& e) {
    last = e.Result();
  }
  ReportError(last);
  return S_FALSE;
}

template <class Body>
HRESULT CNorvaBrowserClass::WithConnector(Body&& body) noexcept {
  if (!connector_) return E_FAIL;
  return ComBoundary([&]() -> HRESULT {
    try {
      return body(*connector_);
    } catch (const ComError& e) {
      ReportError(e.Result());
      return e.Result();
    }
  });
}

HRESULT CNorvaBrowserClass::get_DirsCount(ULONG* pVal) {
  return WithConnector([&](INorvaConnector& c) -> HRESULT {
    if (!pVal) return E_INVALIDARG;
    *pVal = c.GetDirsCount();
    return S_OK;
  });
}

HRESULT CNorvaBrowserClass::get_DirName(LONG Idx, BSTR* pVal) {
  return WithConnector([&](INorvaConnector& c) -> HRESULT {
    if (!pVal) return E_INVALIDARG;
    const unsigned long index = static_cast<unsigned long>(Idx);
    if (index >= c.GetDirsCount()) return E_INVALIDARG;
    *pVal = platform::Bstr(c.GetDirName(index)).Detach();
    return S_OK;
  });
}

HRESULT CNorvaBrowserClass::get_DirID(ULONG Idx, LONG* pVal) {
  return WithConnector([&](INorvaConnector& c) -> HRESULT {
    if (!pVal) return E_INVALIDARG;
    if (Idx >= c.GetDirsCount()) return E_INVALIDARG;
    *pVal = c.GetDirID(Idx);
    return S_OK;
  });
}

HRESULT CNorvaBrowserClass::get_TmplCount(ULONG* pVal) {
  return WithConnector([&](INorvaConnector& c) -> HRESULT {
    if (!pVal) return E_INVALIDARG;
    *pVal = c.GetTmplCount();
    return S_OK;
  });
}

HRESULT CNorvaBrowserClass::get_TmplName(ULONG Idx, BSTR* pVal) {
  return WithConnector([&](INorvaConnector& c) -> HRESULT {
    if (!pVal) return E_INVALIDARG;
    if (Idx >= c.GetTmplCount()) return E_INVALIDARG;
    *pVal = platform::Bstr(c.GetTmplName(Idx)).Detach();
    return S_OK;
  });
}

HRESULT CNorvaBrowserClass::get_TmplCountByDirIdx(ULONG DirIDIdx, ULONG* pVal) {
  return WithConnector([&](INorvaConnector& c) -> HRESULT {
    if (!pVal) return E_INVALIDARG;
    *pVal = c.GetTmplCountByDirIdx(DirIDIdx);
    return S_OK;
  });
}

HRESULT CNorvaBrowserClass::get_TmplNameByDirIdx(ULONG Idx, ULONG DirIDIdx, BSTR* pVal) {
  return WithConnector([&](INorvaConnector& c) -> HRESULT {
    if (!pVal) return E_INVALIDARG;
    if (Idx >= c.GetTmplCountByDirIdx(DirIDIdx)) return E_INVALIDARG;
    *pVal = platform::Bstr(c.GetTmplNameByDirIdx(Idx, DirIDIdx)).Detach();
    return S_OK;
  });
}

HRESULT CNorvaBrowserClass::get_ActiveDirID(LONG* pVal) {
  return WithConnector([&](INorvaConnector& c) -> HRESULT {
    if (!pVal) return E_INVALIDARG;
    *pVal = c.GetActiveDirID();
    return S_OK;
  });
}

HRESULT CNorvaBrowserClass::put_ActiveDirID(LONG newVal) {
  return WithConnector([&](INorvaConnector& c) -> HRESULT {
    c.SetActiveDirID(newVal);
    settings_.SetLastDirection(newVal);
    return S_OK;
  });
}

HRESULT CNorvaBrowserClass::get_ActiveDirIndex(ULONG* pVal) {
  return WithConnector([&](INorvaConnector& c) -> HRESULT {
    if (!pVal) return E_INVALIDARG;
    *pVal = c.GetActiveDirIndex();
    return S_OK;
  });
}

HRESULT CNorvaBrowserClass::put_ActiveDirIndex(ULONG newVal) {
  return WithConnector([&](INorvaConnector& c) -> HRESULT {
    // Checked here: the kernel takes the index as 16 bits and would select
    // another direction.
    if (newVal >= c.GetDirsCount()) return E_INVALIDARG;
    c.SetActiveDirIndex(newVal);
    return S_OK;
  });
}

HRESULT CNorvaBrowserClass::get_ActiveTplId(BSTR* pVal) {
  return WithConnector([&](INorvaConnector& c) -> HRESULT {
    if (!pVal) return E_INVALIDARG;
    *pVal = platform::Bstr(c.GetActiveTplId()).Detach();
    return S_OK;
  });
}

HRESULT CNorvaBrowserClass::put_ActiveTplId(BSTR newVal) {
  return WithConnector([&](INorvaConnector& c) -> HRESULT {
    // A template the connector refuses leaves the active one as it was.
    HRESULT hr = c.SetActiveTplId(std::wstring(platform::BstrView(newVal)));
    return FAILED(hr) ? hr : S_OK;
  });
}

HRESULT CNorvaBrowserClass::get_ActiveTplIndex(ULONG* pVal) {
  return WithConnector([&](INorvaConnector& c) -> HRESULT {
    if (!pVal) return E_INVALIDARG;
    *pVal = c.GetActiveTplIndex();
    return S_OK;
  });
}

HRESULT CNorvaBrowserClass::get_IsDisable(LONG* pVal) {
  if (!connector_ || !pVal) return E_POINTER;
  return ComBoundary([&]() -> HRESULT {
    *pVal = initialized_ ? (connector_->IsDisable() ? 1 : 0) : 1;
    return S_OK;
  });
}

HRESULT CNorvaBrowserClass::get_BrowserType(ENorvaBrowserType* pVal) {
  if (!pVal) return E_INVALIDARG;
  *pVal = browserType_;
  return S_OK;
}

HRESULT CNorvaBrowserClass::get_PluginTitle(BSTR* pVal) {
  if (!pVal) return E_INVALIDARG;
  return ComBoundary([&] {
    *pVal = platform::Bstr(title_.empty() ? LoadBrowserTitle(Row()) : title_).Detach();
  });
}
