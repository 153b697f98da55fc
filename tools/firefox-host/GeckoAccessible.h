#pragma once
// The accessible DOM node and text interfaces of Firefox 3 as the programs
// that play the browser declare them for their accessible objects: whole
// and in their order, written from the browser's public interface
// definitions. COM interfaces (IUnknown first, __stdcall).
#include <windows.h>
#include <oaidl.h>

namespace gecko {

struct ISimpleDOMNode : IUnknown {
  static constexpr GUID kIID = {0x1814ceeb, 0x49e2, 0x407f, {0xaf, 0x99, 0xfa, 0x75, 0x5a, 0x7d, 0x26, 0x07}};
  virtual HRESULT STDMETHODCALLTYPE get_nodeInfo(BSTR* nodeName, short* nameSpaceId, BSTR* nodeValue,
                                                 unsigned int* numChildren, unsigned int* uniqueId,
                                                 unsigned short* nodeType) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_attributes(unsigned short maxAttribs, BSTR* attribNames,
                                                   short* nameSpaceIds, BSTR* attribValues,
                                                   unsigned short* numAttribs) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_attributesForNames(unsigned short numAttribs, BSTR* attribNames,
                                                           short* nameSpaceIds, BSTR* attribValues) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_computedStyle(unsigned short maxStyleProperties, boolean useAlternateView,
                                                      BSTR* styleProperties, BSTR* styleValues,
                                                      unsigned short* numStyleProperties) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_computedStyleForProperties(unsigned short numStyleProperties,
                                                                   boolean useAlternateView, BSTR* styleProperties,
                                                                   BSTR* styleValues) = 0;
  virtual HRESULT STDMETHODCALLTYPE scrollTo(boolean placeTopLeft) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_parentNode(ISimpleDOMNode** node) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_firstChild(ISimpleDOMNode** node) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_lastChild(ISimpleDOMNode** node) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_previousSibling(ISimpleDOMNode** node) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_nextSibling(ISimpleDOMNode** node) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_childAt(unsigned int childIndex, ISimpleDOMNode** node) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_innerHTML(BSTR* innerHtml) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_localInterface(void** localInterface) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_language(BSTR* language) = 0;
};

struct ISimpleDOMText : IUnknown {
  static constexpr GUID kIID = {0x4e747be5, 0x2052, 0x4265, {0x8a, 0xf0, 0x8e, 0xca, 0xd7, 0xaa, 0xd1, 0xc0}};
  virtual HRESULT STDMETHODCALLTYPE get_domText(BSTR* domText) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_clippedSubstringBounds(unsigned int startIndex, unsigned int endIndex,
                                                               int* x, int* y, int* width, int* height) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_unclippedSubstringBounds(unsigned int startIndex, unsigned int endIndex,
                                                                 int* x, int* y, int* width, int* height) = 0;
  virtual HRESULT STDMETHODCALLTYPE scrollToSubstring(unsigned int startIndex, unsigned int endIndex) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_fontFamily(BSTR* fontFamily) = 0;
};

}  // namespace gecko
