#include "zp/AtomicFile.h"

#include "platform/Platform.h"

#include <utility>

namespace zp {

AtomicFile::AtomicFile(std::string new_target_path)
    : target_path(std::move(new_target_path)), temporary_path(target_path + ".tmp")
{
}

AtomicFile::~AtomicFile()
{
    discard();
}

int AtomicFile::open()
{
    discard();
    failed = false;
    p_file = std::fopen(temporary_path.c_str(), "wb");
    return p_file ? 0 : -1;
}

bool AtomicFile::isOpen() const
{
    return p_file != nullptr;
}

int AtomicFile::write(const std::string& text)
{
    if (!p_file || failed)
        return -1;
    if (!text.empty() && std::fwrite(text.data(), 1, text.size(), p_file) != text.size())
        failed = true;
    return failed ? -1 : 0;
}

int AtomicFile::flush()
{
    if (!p_file || failed)
        return -1;
    if (std::fflush(p_file) != 0)
        failed = true;
    return failed ? -1 : 0;
}

int AtomicFile::commit()
{
    if (!p_file)
        return -1;
    // Data first on the disk, then the rename: otherwise a power cut can
    // leave the new name pointing at an empty file.
    if (flush() != 0 || platform::syncFile(p_file) != 0)
        failed = true;
    if (std::fclose(p_file) != 0)
        failed = true;
    p_file = nullptr;
    if (failed || platform::replaceFile(temporary_path, target_path) != 0) {
        std::remove(temporary_path.c_str());
        return -1;
    }
    return 0;
}

void AtomicFile::discard()
{
    if (!p_file)
        return;
    std::fclose(p_file);
    p_file = nullptr;
    std::remove(temporary_path.c_str());
}

const std::string& AtomicFile::getTargetPath() const
{
    return target_path;
}

const std::string& AtomicFile::getTemporaryPath() const
{
    return temporary_path;
}

int writeFileAtomically(const std::string& path, const std::string& text)
{
    AtomicFile file(path);
    if (file.open() != 0)
        return -1;
    file.write(text);
    return file.commit();
}

} // namespace zp
