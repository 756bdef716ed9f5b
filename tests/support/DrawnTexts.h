// The texts a drawing writes, read back from an enhanced metafile it drew into.
#pragma once

#include <windows.h>

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
