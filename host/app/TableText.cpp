// The module document's table printed from its text export.
#include "host/app/TableText.h"

#include "host/common/HostPtr.h"
#include "host/common/MessageText.h"
#include "host/common/TemporaryFile.h"
#include "hostapi/DocumentTableScript.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

namespace ondara_host {

namespace {

// The export writes one byte per character (Latin-1).
std::string Utf8FromLatin1(const std::string& bytes) {
  std::string text;
  text.reserve(bytes.size());
  for (const char c : bytes) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 0x80) {
      text += c;
    } else {
      text += static_cast<char>(0xC0 | (u >> 6));
      text += static_cast<char>(0x80 | (u & 0x3F));
    }
  }
  return text;
}

// The export's text: UTF-16 little-endian after FF FE when its heading needs it, else Latin-1.
std::string Utf8FromExport(const std::string& bytes) {
  if (bytes.size() < 2 || bytes[0] != '\xFF' || bytes[1] != '\xFE') return Utf8FromLatin1(bytes);
  std::wstring text((bytes.size() - 2) / 2, L'\0');
  if (!text.empty()) std::memcpy(&text[0], bytes.data() + 2, text.size() * sizeof(wchar_t));
  return host::Utf8FromWide(text);
}

// The lines between the heading and the empty line that comes before the summary.
int32_t EventRows(const std::string& text) {
  int32_t rows = 0;
  size_t line = text.find('\n');
  while (line != std::string::npos && line + 1 < text.size() && text[line + 1] != '\r' && text[line + 1] != '\n') {
    ++rows;
    line = text.find('\n', line + 1);
  }
  return rows;
}

}  // namespace

int PrintTableText(IUnknown* document, int32_t* rows) {
  host::HostPtr<IDocumentTableScript> table;
  if (!document || FAILED(document->QueryInterface(IID_IDocumentTableScript, reinterpret_cast<void**>(table.Out())))) {
    host::PrintMessageLine("the document has no table to export");
    return 1;
  }
  const host::TemporaryFile file;
  if (file.Name().empty()) {
    host::PrintMessageLine("no temporary file can be made for the table");
    return 1;
  }
  const HRESULT hr = table->ExportTableFile(file.Name().c_str());
  if (hr == S_FALSE) {
    host::PrintMessageLine("the table export was cancelled");
    return 1;
  }
  if (hr != S_OK) {
    host::PrintMessageLine("the table was not exported: " + host::HexCode(static_cast<unsigned long>(hr)));
    return 1;
  }
  std::ifstream in(file.Name().c_str(), std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const std::string text = Utf8FromExport(bytes);
  *rows = EventRows(text);
  // The export's own CR LF line ends, unchanged by the text mode of stdout.
  std::fflush(stdout);
  const int mode = _setmode(_fileno(stdout), _O_BINARY);
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fflush(stdout);
  if (mode != -1) _setmode(_fileno(stdout), mode);
  return 0;
}

}  // namespace ondara_host
