// Small file systems of a test's own, for folders that take no files (a
// read-only mount) or are full (a tiny tmpfs). They live in a mount
// namespace of the calling process alone, so they vanish with it and no
// other process ever sees them: call enterPrivateMounts() first, in a
// process made for the test (FreshProcess.h). Needs root (or
// CAP_SYS_ADMIN); canMountPrivately() tells beforehand.
#pragma once

#include <string>

namespace zp::test {

// Whether this machine lets a process make mounts of its own; the reason
// when not. Asked of a child process, so the caller's mounts stay as they are.
bool canMountPrivately(std::string& reason);
// This process gets mounts of its own. 0, or -1 with the reason.
int enterPrivateMounts(std::string& error);
// A tmpfs of `kilobytes` on `folder` (made if need be). 0 or -1.
int mountSmallFolder(const std::string& folder, int kilobytes, std::string& error);
// The folder's file system takes no more writes, not even root's.
int makeReadOnly(const std::string& folder, std::string& error);
// Fills the folder's file system up to the last block.
void fillUp(const std::string& folder);

} // namespace zp::test
