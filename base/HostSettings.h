// The host's settings file, "Essential Files\Ofig.qorini" beside the host executable, which
// names the installation's product, hardware and maker.
#pragma once

#include <string>

namespace QOR {

// The value of key in the first section of the host's settings file that has it; empty when
// the file or the key is missing.
std::wstring ReadHostSetting(const wchar_t* key);
// The same from the settings file at path.
std::wstring ReadHostSetting(const std::wstring& path, const wchar_t* key);

// The hardware's name ("HardwareName"), the product word for the hardware when none is set.
std::wstring HostHardwareWord();

}  // namespace QOR
