/// \file
/// A file replaced whole or not at all. What is written goes to a temporary
/// file beside the target; commit() puts it on the disk and renames it over
/// the target, so a crash, a full disk or a failed write leaves the old file
/// or the new one, never half of either. For recordings, settings, records
/// and saves: anything a player would be sorry to lose.
#pragma once

#include <cstdio>
#include <string>

namespace zp {

class AtomicFile {
public:
    /// Nothing is touched until open().
    explicit AtomicFile(std::string target_path);
    /// An open file that was never committed is discarded: the target keeps
    /// what it held.
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    /// Creates (or empties) the temporary file; -1 when it cannot be made.
    int open();
    bool isOpen() const;
    /// Appends to the temporary file. A failure is kept: every later write,
    /// flush and the commit then fail too, so one check at the end is enough.
    int write(const std::string& text);
    /// Hands what was written so far to the operating system, so that it is
    /// in the temporary file even if the program dies before commit().
    int flush();
    /// Flushes to the disk, closes, and renames the temporary file over the
    /// target. -1 (the temporary file removed, the target untouched) when
    /// anything written since open() failed or the rename fails.
    int commit();
    /// Closes and removes the temporary file; the target is untouched.
    void discard();

    const std::string& getTargetPath() const;
    /// The target's path with ".tmp" after it, in the same folder, so the
    /// rename never crosses file systems.
    const std::string& getTemporaryPath() const;

private:
    std::string target_path;
    std::string temporary_path;
    std::FILE* p_file = nullptr;
    bool failed = false;
};

/// Replaces the file at `path` with `text` through an AtomicFile: 0, or -1
/// with the old file (if any) untouched.
int writeFileAtomically(const std::string& path, const std::string& text);

} // namespace zp
