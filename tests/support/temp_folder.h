//===- tests/support/temp_folder.h - A scratch folder per test --*- C++ -*-===//
#ifndef FILECRYPTER_TESTS_SUPPORT_TEMP_FOLDER_H
#define FILECRYPTER_TESTS_SUPPORT_TEMP_FOLDER_H

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace filecrypter::testing {

// A new, empty folder below the system's temporary folder, removed with all
// its content when the object goes.
class TempFolder {
public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "fc-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
      throw std::runtime_error("mkdtemp failed");
    root_ = pattern;
  }
  TempFolder(const TempFolder &) = delete;
  TempFolder &operator=(const TempFolder &) = delete;
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }

  // The full path of `relative` inside the folder, as a native string.
  std::string Path(std::string_view relative = {}) const {
    return relative.empty() ? root_.string() : (root_ / relative).string();
  }

  // Creates the file `relative` (and its folders) holding `content`.
  std::string Write(std::string_view relative, std::string_view content) const {
    const std::filesystem::path path = root_ / relative;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary).write(content.data(),
                                                static_cast<std::streamsize>(content.size()));
    return path.string();
  }

  std::string MakeFolder(std::string_view relative) const {
    std::filesystem::create_directories(root_ / relative);
    return Path(relative);
  }

  static std::string Read(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
      throw std::runtime_error("cannot read " + path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  // The names in the folder `relative`, sorted.
  std::vector<std::string> Names(std::string_view relative = {}) const {
    std::vector<std::string> names;
    for (const auto &entry : std::filesystem::directory_iterator(root_ / relative))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

private:
  std::filesystem::path root_;
};

} // namespace filecrypter::testing

#endif // FILECRYPTER_TESTS_SUPPORT_TEMP_FOLDER_H
