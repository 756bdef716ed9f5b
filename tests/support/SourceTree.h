// Files of the source tree as the test programs open them: the build names the tree's folder, and
// the path is turned into the one Wine shows its programs when a test asks for it.
#pragma once

#include <string>

namespace testsupport {

// `relative` (from the repository's top folder, with forward slashes) as a Windows path.
std::string SourcePath(const std::string& relative);
std::wstring SourcePathW(const std::string& relative);

// A committed test recording, tests/data/recordings/NAME (tests/data/recordings/README.md).
std::string RecordingPath(const std::string& name);
std::wstring RecordingPathW(const std::string& name);

}  // namespace testsupport
