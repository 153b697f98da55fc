#pragma once
#include <windows.h>

namespace ombrel {

// The editor laid over a keyword's label: when it loses the focus it reports
// its whole text to the dialog as the list's end-of-label-edit notification,
// then closes itself. Enter, Escape and F2 give the focus back to the list
// (so Escape also reports the text typed). Made on the heap; it deletes
// itself when its window is destroyed.
class CInplaceEdit {
 public:
  // Creates the editor over the item's label of the list; null on failure.
  static HWND Create(HWND list, int item, int column, const wchar_t* text);

 private:
  CInplaceEdit(int item, int column) : item_(item), column_(column) {}
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR data);
  LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void ReportEnd(HWND window);

  int item_;
  int column_;
  bool reported_ = false;
};

}  // namespace ombrel
