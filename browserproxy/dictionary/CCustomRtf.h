#pragma once
#include <windows.h>
#include <richedit.h>
#include <textserv.h>
#include <tom.h>

#include <memory>

#include "browserproxy/dictionary/CTextHost.h"
#include "platform/com/ComPtr.h"

// An off-screen rich-text object: the RichEdit text services over a
// windowless host, with their text interface and text document.
class CCustomRtf {
 public:
  CCustomRtf() = default;
  virtual ~CCustomRtf();
  CCustomRtf(const CCustomRtf&) = delete;
  CCustomRtf& operator=(const CCustomRtf&) = delete;

  // Loads "Riched20.dll" (the product's "Common" folder first, then the
  // system's) and creates the text services over a new host. Never throws;
  // on failure the interfaces stay as far as they got (possibly empty).
  HRESULT Create();

  ITextServices* TextServices() const { return textServices_.Get(); }
  ITextDocument* TextDocument() const { return textDocument_.Get(); }
  CTextHost* Host() const { return host_.get(); }
  HMODULE Library() const { return library_; }

 private:
  platform::ComPtr<ITextServices> textServices_;
  platform::ComPtr<ITextDocument> textDocument_;
  std::unique_ptr<CTextHost> host_;
  PCreateTextServices createTextServices_ = nullptr;
  // Stays loaded until the process ends, as every library bound at run time.
  HMODULE library_ = nullptr;
};
