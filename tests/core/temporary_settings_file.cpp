#include "temporary_settings_file.h"

#include "core/settings/profile_file.h"

#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>
#include <system_error>

TemporarySettingsFile::TemporarySettingsFile()
{
    std::random_device random;
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    for (int attempt = 0; attempt < 100 && m_folder.path.empty(); ++attempt) {
        const std::filesystem::path folder = base / ("ruler-test-" + std::to_string(random()));
        if (std::filesystem::create_directory(folder)) {
            std::filesystem::permissions(folder, std::filesystem::perms::owner_all);
            m_folder.path = folder;
        }
    }
    if (m_folder.path.empty())
        throw std::runtime_error("cannot make a folder for the test's settings file");
    m_file = m_folder.path / "ruler.ini";
    const std::u8string path = m_file.u8string();
    m_path.assign(path.begin(), path.end());
}

TemporarySettingsFile::Folder::~Folder()
{
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
}

std::string TemporarySettingsFile::text() const
{
    std::ifstream file(m_file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

void TemporarySettingsFile::setText(std::string_view text) const
{
    std::ofstream file(m_file, std::ios::binary | std::ios::trunc);
    if (!file.write(text.data(), std::streamsize(text.size())).flush())
        throw std::runtime_error("cannot write the test's settings file");
}

bool TemporarySettingsFile::exists() const
{
    std::error_code ignored;
    return std::filesystem::exists(m_file, ignored);
}

std::string TemporarySettingsFile::read(std::string_view key) const
{
    return ReadIniValue(m_files, m_path, "General", key);
}

bool TemporarySettingsFile::write(std::string_view key, std::string_view value) const
{
    return WriteIniValue(m_files, m_path, "General", key, value);
}

std::string newFileLines(std::string_view lines)
{
#ifdef _WIN32
    std::string text;
    for (const char c : lines) {
        if (c == '\n')
            text += '\r';
        text += c;
    }
    return text;
#else
    return std::string(lines);
#endif
}
