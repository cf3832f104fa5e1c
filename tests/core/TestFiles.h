#pragma once
// Temporary files for core tests: each test gets its own directory, removed afterwards.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

namespace kelmora::test {

class TempDir {
public:
    TempDir()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "kelmora-test-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
    }
    ~TempDir()
    {
        Unlock(path_);
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    std::string File(std::string_view name) const { return (path_ / name).string(); }
    const std::filesystem::path& Path() const { return path_; }

private:
    // Tests lock directories; an unprivileged user could not remove what is inside them.
    static void Unlock(const std::filesystem::path& dir)
    {
        std::error_code ec;
        std::filesystem::permissions(dir, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
        for (const auto& entry : std::filesystem::directory_iterator(dir, ec))
            if (entry.is_directory(ec) && !entry.is_symlink(ec))
                Unlock(entry.path());
    }

    std::filesystem::path path_;
};

inline void WriteBytes(const std::string& path, std::string_view bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace kelmora::test
