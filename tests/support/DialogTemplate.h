// DialogTemplate: builds an in-memory dialog template (DLGTEMPLATE and its items) for tests.
#pragma once

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <vector>

class DialogTemplate {
 public:
  // Predefined class atoms of dialog items.
  enum : uint16_t { kButton = 0x80, kEdit = 0x81, kStatic = 0x82, kComboBox = 0x85 };

  // A dialog of cx x cy dialog units with a caption, in "MS Shell Dlg" 8 points.
  DialogTemplate(const wchar_t* caption, int cx, int cy, DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME) {
    DLGTEMPLATE head{};
    head.style = style | DS_SETFONT;
    head.cx = static_cast<short>(cx);
    head.cy = static_cast<short>(cy);
    Append(&head, sizeof head);
    Word(0);  // no menu
    Word(0);  // the dialog class
    Text(caption);
    Word(8);
    Text(L"MS Shell Dlg");
  }

  // An item of a predefined class; WS_CHILD | WS_VISIBLE are added to style.
  DialogTemplate& Item(uint16_t atom, int id, const wchar_t* text, int x, int y, int cx, int cy, DWORD style) {
    return Add(id, text, x, y, cx, cy, style, [&] { Word(0xFFFF); Word(atom); });
  }
  // An item of a registered class given by name.
  DialogTemplate& Item(const wchar_t* className, int id, const wchar_t* text, int x, int y, int cx, int cy, DWORD style) {
    return Add(id, text, x, y, cx, cy, style, [&] { Text(className); });
  }

  const std::vector<uint8_t>& Bytes() const { return mBytes; }

 private:
  template <typename ClassWriter>
  DialogTemplate& Add(int id, const wchar_t* text, int x, int y, int cx, int cy, DWORD style, ClassWriter writeClass) {
    while (mBytes.size() % 4) mBytes.push_back(0);
    DLGITEMTEMPLATE item{};
    item.style = style | WS_CHILD | WS_VISIBLE;
    item.x = static_cast<short>(x);
    item.y = static_cast<short>(y);
    item.cx = static_cast<short>(cx);
    item.cy = static_cast<short>(cy);
    item.id = static_cast<WORD>(id);
    Append(&item, sizeof item);
    writeClass();
    Text(text ? text : L"");
    Word(0);  // no creation data
    ++reinterpret_cast<DLGTEMPLATE*>(mBytes.data())->cdit;
    return *this;
  }
  void Append(const void* data, size_t size) {
    auto const* p = static_cast<const uint8_t*>(data);
    mBytes.insert(mBytes.end(), p, p + size);
  }
  void Word(uint16_t w) { Append(&w, sizeof w); }
  void Text(const wchar_t* text) { Append(text, (wcslen(text) + 1) * sizeof(wchar_t)); }

  std::vector<uint8_t> mBytes;
};
