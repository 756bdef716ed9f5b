// The module's version text: the version resource read by hand, the reporting rule, the host call.
#include "enumerators/framework/ModuleVersionText.h"

#include "hostclient/FrameworkAccess.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace ExtLib {
namespace {

constexpr size_t kMinVersionBlock = 1024;
constexpr size_t kMaxVersionText = 256;

// One node of a version resource: length, value length, type, key, value, children.
struct VersionNode {
  const uint8_t* value = nullptr;
  size_t valueBytes = 0;
  const uint8_t* children = nullptr;
  const uint8_t* end = nullptr;
  std::wstring key;
};

const uint8_t* AlignTo4(const uint8_t* base, const uint8_t* p) {
  const size_t offset = static_cast<size_t>(p - base);
  return base + ((offset + 3) & ~static_cast<size_t>(3));
}

uint16_t ReadWord(const uint8_t* p) {
  uint16_t w = 0;
  std::memcpy(&w, p, sizeof w);
  return w;
}

// Parses the node at p (offsets aligned relative to base); false when it does not fit in limit.
bool ParseNode(const uint8_t* base, const uint8_t* p, const uint8_t* limit, VersionNode* node) {
  if (limit - p < 6) return false;
  const uint16_t length = ReadWord(p);
  const uint16_t valueLength = ReadWord(p + 2);
  const uint16_t type = ReadWord(p + 4);
  if (length < 6 || length > limit - p) return false;
  node->end = p + length;
  node->key.clear();
  const uint8_t* q = p + 6;
  for (;; q += 2) {
    if (node->end - q < 2) return false;
    const wchar_t c = static_cast<wchar_t>(ReadWord(q));
    if (c == L'\0') break;
    node->key += c;
  }
  node->value = AlignTo4(base, q + 2);
  if (node->value > node->end) node->value = node->end;
  const size_t declared = type == 1 ? static_cast<size_t>(valueLength) * 2 : valueLength;
  node->valueBytes = std::min(declared, static_cast<size_t>(node->end - node->value));
  node->children = AlignTo4(base, node->value + node->valueBytes);
  if (node->children > node->end) node->children = node->end;
  return true;
}

std::wstring NodeText(const VersionNode& node) {
  std::wstring text;
  for (size_t i = 0; i + 1 < node.valueBytes; i += 2) {
    const wchar_t c = static_cast<wchar_t>(ReadWord(node.value + i));
    if (c == L'\0') break;
    text += c;
  }
  return text;
}

bool Contains(const std::wstring& text, const wchar_t* part) {
  return text.find(part) != std::wstring::npos;
}

}  // namespace

bool ReadVersionStrings(const void* block, size_t bytes, std::wstring* version,
                        std::wstring* description) {
  const auto* const base = static_cast<const uint8_t*>(block);
  VersionNode root;
  if (!base || !ParseNode(base, base, base + bytes, &root) || root.key != L"VS_VERSION_INFO")
    return false;
  *version = L"N/A";
  description->clear();
  VersionNode info;
  for (const uint8_t* p = root.children; ParseNode(base, p, root.end, &info);
       p = AlignTo4(base, info.end)) {
    if (info.key != L"StringFileInfo") continue;
    VersionNode table;
    if (!ParseNode(base, info.children, info.end, &table)) break;
    VersionNode entry;
    for (const uint8_t* e = table.children; ParseNode(base, e, table.end, &entry);
         e = AlignTo4(base, entry.end)) {
      if (entry.key == L"FileVersion") *version = NodeText(entry);
      if (entry.key == L"FileDescription") *description = NodeText(entry);
      if (entry.end >= table.end) break;
    }
    break;
  }
  return true;
}

bool VersionWorthReporting(const std::wstring& version) {
  if (Contains(version, L"N/A")) return false;
  return Contains(version, L"lpha") || Contains(version, L"eta") ||
         (Contains(version, L"inal") && !Contains(version, L"ev"));
}

std::wstring ComposeVersionText(const std::wstring& description, const std::wstring& version) {
  std::wstring text = description + L" " + version;
  if (text.size() > kMaxVersionText) text.resize(kMaxVersionText);
  return text;
}

void ModuleVersionText(HMODULE module) noexcept {
  try {
    IHostApplication* const host = GetHostApplication();
    if (!host) return;
    int32_t current = 0;
    if (FAILED(host->GetFieldValue(0, &current)) || current != 0) return;
    HRSRC const resource = FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(16));
    if (!resource) return;
    const DWORD size = SizeofResource(module, resource);
    HGLOBAL const loaded = LoadResource(module, resource);
    const void* const block = loaded ? LockResource(loaded) : nullptr;
    if (!block || size < kMinVersionBlock) return;
    std::wstring version;
    std::wstring description;
    if (!ReadVersionStrings(block, size, &version, &description)) return;
    if (!VersionWorthReporting(version)) return;
    host->ReportVersionText(ComposeVersionText(description, version).c_str(), 0);
  } catch (...) {
    // Reporting the version is a courtesy to the host; a failure leaves it unreported.
  }
}

}  // namespace ExtLib
