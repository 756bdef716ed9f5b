// The room the disk has for the files this process writes, as tests set it: a disk that fills up
// reached without making one. Only tests include this header.
#pragma once

namespace host {

// From now on the files written through CheckedFile take that many more bytes in all, then every
// write stores what still fits and fails with ERROR_DISK_FULL, as Windows does on a full disk.
void SetDiskRoomForTests(unsigned long long bytes);

}  // namespace host
