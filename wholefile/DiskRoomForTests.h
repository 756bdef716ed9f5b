// The room the disk has for the files this process writes, as tests set it: a disk that fills up,
// reached without making one. Only tests include this header.
#pragma once

namespace WholeFile {

// From now on the files written through ReplacingFile take that many more bytes in all, then
// every write stores what still fits and fails with ERROR_DISK_FULL, as Windows does on a full
// disk. ~0ull: all the disk has.
void SetDiskRoomForTests(unsigned long long bytes);

}  // namespace WholeFile
