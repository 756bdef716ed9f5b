// The texts a drawing writes, read back from an enhanced metafile it drew into: the texts alone,
// or each with where it is written, in which font, and the line drawn before it.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

// A text a drawing writes: where (its reference point, and the rectangle that clips it when
// written with ETO_CLIPPED), in the font selected then, and the line drawn last before it.
struct WrittenText {
  std::wstring text;
  RECT clip;
  bool clipped;
  POINT at;
  LOGFONTW font;
  POINT lineFrom, lineTo;
};

// The fonts a metafile makes and selects, its pen's moves, and the texts written.
struct WrittenTextRecorder {
  std::map<DWORD, LOGFONTW> made;
  LOGFONTW selected{};
  POINT pen{}, lineFrom{}, lineTo{};
  std::vector<WrittenText> texts;
};

inline int CALLBACK CollectWrittenText(HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM out) noexcept {
  auto& recorder = *reinterpret_cast<WrittenTextRecorder*>(out);
  if (record->iType == EMR_EXTCREATEFONTINDIRECTW) {
    const auto* const font = reinterpret_cast<const EMREXTCREATEFONTINDIRECTW*>(record);
    recorder.made[font->ihFont] = font->elfw.elfLogFont;
  } else if (record->iType == EMR_SELECTOBJECT) {
    const auto found = recorder.made.find(reinterpret_cast<const EMRSELECTOBJECT*>(record)->ihObject);
    if (found != recorder.made.end()) recorder.selected = found->second;
  } else if (record->iType == EMR_MOVETOEX || record->iType == EMR_LINETO) {
    // Both records hold one point after their header.
    const POINTL& to = reinterpret_cast<const EMRLINETO*>(record)->ptl;
    if (record->iType == EMR_LINETO) recorder.lineFrom = recorder.pen, recorder.lineTo = POINT{to.x, to.y};
    recorder.pen = POINT{to.x, to.y};
  } else if (record->iType == EMR_EXTTEXTOUTW) {
    const auto* const text = reinterpret_cast<const EMREXTTEXTOUTW*>(record);
    const auto* const units =
        reinterpret_cast<const wchar_t*>(reinterpret_cast<const BYTE*>(record) + text->emrtext.offString);
    const RECTL& clip = text->emrtext.rcl;
    const POINTL& at = text->emrtext.ptlReference;
    recorder.texts.push_back({std::wstring(units, text->emrtext.nChars), RECT{clip.left, clip.top, clip.right, clip.bottom},
                              (text->emrtext.fOptions & ETO_CLIPPED) != 0, POINT{at.x, at.y}, recorder.selected,
                              recorder.lineFrom, recorder.lineTo});
  }
  return 1;
}

// Every text a recorded metafile writes, in order.
inline std::vector<WrittenText> WrittenTextsOf(HENHMETAFILE recorded) {
  WrittenTextRecorder recorder;
  EnumEnhMetaFile(nullptr, recorded, &CollectWrittenText, &recorder, nullptr);
  return recorder.texts;
}

// Every text that draw(dc) writes, in order.
template <typename Draw>
std::vector<WrittenText> DrawnWrittenTexts(Draw draw) {
  HDC const meta = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
  draw(meta);
  HENHMETAFILE const recorded = CloseEnhMetaFile(meta);
  std::vector<WrittenText> texts = WrittenTextsOf(recorded);
  DeleteEnhMetaFile(recorded);
  return texts;
}

// The texts alone.
inline std::vector<std::wstring> TextsOf(std::vector<WrittenText> written) {
  std::vector<std::wstring> texts;
  for (WrittenText& text : written) texts.push_back(std::move(text.text));
  return texts;
}

// The texts that draw(dc) writes, in order.
template <typename Draw>
std::vector<std::wstring> DrawnTexts(Draw draw) {
  return TextsOf(DrawnWrittenTexts(draw));
}

// The texts that draw(dc) writes clipped to a rectangle, in order.
template <typename Draw>
std::vector<WrittenText> DrawnClippedTexts(Draw draw) {
  std::vector<WrittenText> texts = DrawnWrittenTexts(draw);
  std::vector<WrittenText> clipped;
  for (WrittenText& text : texts)
    if (text.clipped) clipped.push_back(std::move(text));
  return clipped;
}

// The size of a text written in its own font, measured on a memory DC.
inline SIZE WrittenTextSize(const WrittenText& written) {
  HDC const dc = CreateCompatibleDC(nullptr);
  HFONT const font = CreateFontIndirectW(&written.font);
  HGDIOBJ const previous = SelectObject(dc, font);
  SIZE extent{};
  GetTextExtentPoint32W(dc, written.text.c_str(), static_cast<int>(written.text.size()), &extent);
  SelectObject(dc, previous);
  DeleteObject(font);
  DeleteDC(dc);
  return extent;
}

inline int WrittenTextWidth(const WrittenText& written) { return WrittenTextSize(written).cx; }
