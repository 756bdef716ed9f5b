// The texts a drawing writes, read back from an enhanced metafile it drew into: the texts alone,
// or each with the rectangle that clips it and the font it is written in.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

inline int CALLBACK CollectDrawnText(HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM out) noexcept {
  if (record->iType != EMR_EXTTEXTOUTW) return 1;
  const auto* const text = reinterpret_cast<const EMREXTTEXTOUTW*>(record);
  const auto* const units =
      reinterpret_cast<const wchar_t*>(reinterpret_cast<const BYTE*>(record) + text->emrtext.offString);
  reinterpret_cast<std::vector<std::wstring>*>(out)->emplace_back(units, text->emrtext.nChars);
  return 1;
}

// The texts that draw(dc) writes, in order, recorded through an enhanced metafile.
template <typename Draw>
std::vector<std::wstring> DrawnTexts(Draw draw) {
  HDC const meta = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
  draw(meta);
  HENHMETAFILE const recorded = CloseEnhMetaFile(meta);
  std::vector<std::wstring> texts;
  EnumEnhMetaFile(nullptr, recorded, &CollectDrawnText, &texts, nullptr);
  DeleteEnhMetaFile(recorded);
  return texts;
}

// A text written clipped to a rectangle (ExtTextOut with ETO_CLIPPED), in the font selected then.
struct ClippedText {
  std::wstring text;
  RECT clip;
  LOGFONTW font;
};

// The fonts a metafile makes and selects, and the clipped texts written in them.
struct ClippedTextRecorder {
  std::map<DWORD, LOGFONTW> made;
  LOGFONTW selected{};
  std::vector<ClippedText> texts;
};

inline int CALLBACK CollectClippedText(HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM out) noexcept {
  auto& recorder = *reinterpret_cast<ClippedTextRecorder*>(out);
  if (record->iType == EMR_EXTCREATEFONTINDIRECTW) {
    const auto* const font = reinterpret_cast<const EMREXTCREATEFONTINDIRECTW*>(record);
    recorder.made[font->ihFont] = font->elfw.elfLogFont;
  } else if (record->iType == EMR_SELECTOBJECT) {
    const auto found = recorder.made.find(reinterpret_cast<const EMRSELECTOBJECT*>(record)->ihObject);
    if (found != recorder.made.end()) recorder.selected = found->second;
  } else if (record->iType == EMR_EXTTEXTOUTW) {
    const auto* const text = reinterpret_cast<const EMREXTTEXTOUTW*>(record);
    if (!(text->emrtext.fOptions & ETO_CLIPPED)) return 1;
    const auto* const units =
        reinterpret_cast<const wchar_t*>(reinterpret_cast<const BYTE*>(record) + text->emrtext.offString);
    const RECTL& clip = text->emrtext.rcl;
    recorder.texts.push_back({std::wstring(units, text->emrtext.nChars), RECT{clip.left, clip.top, clip.right, clip.bottom},
                              recorder.selected});
  }
  return 1;
}

// The clipped texts that draw(dc) writes, in order.
template <typename Draw>
std::vector<ClippedText> DrawnClippedTexts(Draw draw) {
  HDC const meta = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
  draw(meta);
  HENHMETAFILE const recorded = CloseEnhMetaFile(meta);
  ClippedTextRecorder recorder;
  EnumEnhMetaFile(nullptr, recorded, &CollectClippedText, &recorder, nullptr);
  DeleteEnhMetaFile(recorded);
  return recorder.texts;
}

// The width of a clipped text written in its own font, measured on a memory DC.
inline int ClippedTextWidth(const ClippedText& written) {
  HDC const dc = CreateCompatibleDC(nullptr);
  HFONT const font = CreateFontIndirectW(&written.font);
  HGDIOBJ const previous = SelectObject(dc, font);
  SIZE extent{};
  GetTextExtentPoint32W(dc, written.text.c_str(), static_cast<int>(written.text.size()), &extent);
  SelectObject(dc, previous);
  DeleteObject(font);
  DeleteDC(dc);
  return extent.cx;
}
