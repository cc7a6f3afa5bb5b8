#include "check/result_file.h"

#include <unistd.h>

#include <fstream>

namespace kestrova {
namespace {

void AppendUnit(std::string& bytes, char16_t unit) {
  bytes.push_back(static_cast<char>(unit & 0xFF));
  bytes.push_back(static_cast<char>(unit >> 8));
}

}  // namespace

std::string ResultFileBytes(std::u16string_view logText) {
  std::string bytes;
  bytes.reserve(2 + logText.size() * 2 + 64);
  AppendUnit(bytes, 0xFEFF);
  for (const char16_t unit : logText) {
    if (unit == u'\n') {
      AppendUnit(bytes, u'\r');
    }
    AppendUnit(bytes, unit);
  }
  return bytes;
}

bool WriteResultFile(const std::filesystem::path& path, std::u16string_view logText) {
  const std::string bytes = ResultFileBytes(logText);
  std::filesystem::path temporary = path;
  temporary += ".tmp" + std::to_string(::getpid());
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) {
      return false;
    }
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    if (!out) {
      out.close();
      std::error_code ignored;
      std::filesystem::remove(temporary, ignored);
      return false;
    }
  }
  std::error_code error;
  std::filesystem::rename(temporary, path, error);
  if (error) {
    std::filesystem::remove(temporary, error);
    return false;
  }
  return true;
}

}  // namespace kestrova
