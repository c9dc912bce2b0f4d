// A fresh folder under the system's temporary folder, removed with everything in it at the end of a test.
#pragma once

#include <filesystem>
#include <string>

namespace brimvale::test {

class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // The path of name inside the folder; nothing is created.
    std::filesystem::path file(const std::string& name) const { return m_path / name; }
    const std::filesystem::path& path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

} // namespace brimvale::test
