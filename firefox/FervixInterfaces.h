#pragma once
// The XPCOM interfaces of the Firefox plug-in: the component the extension
// script calls (IFervix9, extended by IFervix9_2) and the observer the
// script implements. Shared with programs that play the browser.
#include "platform/xpcom/XpcomString.h"
#include "platform/xpcom/nsISupports.h"

struct IFervix9Observer;

// {3264f69f-7875-45e4-b315-eb409a5f5625}
inline constexpr nsCID kFervixComponentCid = {
    0x3264f69f, 0x7875, 0x45e4, {0xb3, 0x15, 0xeb, 0x40, 0x9a, 0x5f, 0x56, 0x25}};
inline constexpr char kFervixContractId[] = "@norvasoft.test/norva9/fervix9;1";
inline constexpr char kFervixCategory[] = "norva-category";
inline constexpr char kFervixCategoryEntry[] = "norva-key";

struct IFervix9 : nsISupports {
  NS_IMETHOD Init(IFervix9Observer* observer, PRBool* ok) = 0;
  NS_IMETHOD GetDirsCount(PRInt32* count) = 0;
  NS_IMETHOD GetDir(PRInt16 index, nsAString& name, PRInt32* id) = 0;
  NS_IMETHOD SetActiveDir(PRInt32 id, PRInt32* templateCount) = 0;
  NS_IMETHOD GetTemplateName(PRInt16 index, nsAString& name) = 0;
  NS_IMETHOD TranslateDocument(nsISupports* document, nsISupports* unused, const nsAString& url, PRInt32 dirId,
                               const nsAString& templateId) = 0;
  NS_IMETHOD TranslateSelection(const nsAString& text, PRInt32 dirId, const nsAString& templateId) = 0;
  NS_IMETHOD TranslateElement(nsISupports* source, nsISupports* target, PRInt32 dirId,
                              const nsAString& templateId) = 0;
  NS_IMETHOD TranslateFrame(nsISupports* document, const nsAString& url, nsAString& text, PRInt32 dirId,
                            const nsAString& templateId, PRBool* ok) = 0;
  NS_IMETHOD ShowWebSearch(const nsAString& text, nsAString& result, PRBool* ok) = 0;
  NS_IMETHOD ShowSettings() = 0;
  NS_IMETHOD ShowAbout() = 0;
  NS_IMETHOD RememberForegroundWindow() = 0;
  NS_IMETHOD ShowMessage(const nsAString& text) = 0;
  NS_IMETHOD DisableBrowserWindow() = 0;
  NS_IMETHOD DoNothing() = 0;
  NS_IMETHOD ShowHelp() = 0;
  NS_IMETHOD SetTemplateId(const nsAString& templateId) = 0;
  NS_IMETHOD HasHandOff(PRBool* present) = 0;
  NS_IMETHOD GetHandOffD(PRInt32* d) = 0;
  NS_IMETHOD GetHandOffT(nsAString& t) = 0;
  NS_IMETHOD GetHandOffU(nsAString& u) = 0;
  NS_IMETHOD ClearHandOffD() = 0;
  NS_IMETHOD ShowAot(const nsAString& text) = 0;
  NS_IMETHOD HasAotFolder(PRBool* present) = 0;
  NS_IMETHOD IsPageTranslateModeZero(PRBool* zero) = 0;
  NS_IMETHOD IsWebSearchMode(PRBool* on) = 0;
  NS_IMETHOD GetActiveDirIndex(PRInt32* index) = 0;
  NS_IMETHOD GetActiveTemplateIndex(PRInt32* index) = 0;
  NS_IMETHOD IsEnabled(PRBool* enabled) = 0;
  NS_IMETHOD DetectPage(const nsAString& url, const nsAString& source) = 0;
};
__CRT_UUID_DECL(IFervix9, 0x9f9f1031, 0xbe2a, 0x4e29, 0x9d, 0x00, 0x89, 0x96, 0xc9, 0xc5, 0xbe, 0xc7)

struct IFervix9_2 : IFervix9 {
  NS_IMETHOD GetPageTranslateMode(PRInt32* mode) = 0;
  NS_IMETHOD GetPageTranslateSyncScroll(PRInt32* value) = 0;
  NS_IMETHOD DetectPage2(const nsAString& url, const nsAString& fullSource, const nsAString& source) = 0;
};
__CRT_UUID_DECL(IFervix9_2, 0x069d4bd8, 0x377d, 0x4477, 0x98, 0x15, 0x54, 0x64, 0x0e, 0xf8, 0xc5, 0x32)

// Implemented by the extension script: what the plug-in tells it and asks of it.
struct IFervix9Observer : nsISupports {
  NS_IMETHOD OnPageTranslated(const nsAString& page) = 0;
  NS_IMETHOD OnFramesTranslated() = 0;  // never called by the plug-in
  NS_IMETHOD OnActiveDirIndexChanged(PRInt32 index) = 0;
  NS_IMETHOD OnActiveTemplateIndexChanged(PRInt32 index) = 0;
  NS_IMETHOD OnListsChanged() = 0;
  NS_IMETHOD OnTextTranslated(const nsAString& text) = 0;
  NS_IMETHOD OnDisable(PRInt32 value) = 0;
  NS_IMETHOD GetSelectedText(nsAString& text) = 0;
  NS_IMETHOD GetSelectionRect(nsAString& rect) = 0;
  NS_IMETHOD GetScreenOffsetX(PRInt32* x) = 0;
  NS_IMETHOD GetScreenOffsetY(PRInt32* y) = 0;
};
__CRT_UUID_DECL(IFervix9Observer, 0x8a0f3c52, 0x6d1e, 0x4b7a, 0x9e, 0x25, 0x1c, 0x4d, 0x7b, 0x3e, 0x6f, 0x90)
