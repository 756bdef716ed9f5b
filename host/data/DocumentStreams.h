// The settings streams of a data file's module documents, kept in a file of their own beside the
// recording: what the host saves and loads with the data file.
#pragma once

#include "host/common/HostPtr.h"
#include "host/data/HostDocument.h"
#include "hostapi/CustomDocument.h"

#include <string>
#include <vector>

namespace host {

// File layout (little-endian): "ONDV", the layout's version (1), the document count, then per
// document the length of its class name in UTF-16 units, the name, the stream's byte count and
// the bytes. Files written before the layout had a version begin "ONDS" and the count, and are
// read as version 1.
inline constexpr uint32_t kDocumentStreamsMagic = 0x56444E4Fu;  // "ONDV"
inline constexpr uint32_t kDocumentStreamsVersion = 1;
inline constexpr uint32_t kUnversionedDocumentStreamsMagic = 0x53444E4Fu;  // "ONDS"

// Writes the streams of the documents whose persistence object is registered with hostDocument
// (each saved with its dirty flag cleared), whole: a reader meanwhile finds the file as it was
// before or as it is after. S_OK; the Windows error met writing the file, as an HRESULT; a
// document's failure to save. On a failure the file is left as it was.
HRESULT SaveDocumentStreams(HostDocument& hostDocument, const std::wstring& path);

// Opens, over hostDocument, one document per stream in the file, each loading its stream before
// its data is attached (OpenCustomDocument). STG_E_FILENOTFOUND when there is no such file,
// STG_E_DOCFILECORRUPT for a file of another layout, cut short or naming more than it holds,
// else the first document's failure; the documents opened before it stay open. refusal, when
// given, gets what was wrong in words ("it is of unknown version N" for a layout this build does
// not know).
HRESULT OpenSavedDocuments(HostDocument& hostDocument, const std::wstring& path,
                           std::vector<HostPtr<ICustomDocument2>>& documents, std::wstring* refusal = nullptr);

}  // namespace host
