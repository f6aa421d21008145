#include "settings/files.h"

#include <unistd.h>

#include <cstdio>
#include <memory>

namespace {
struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;
}  // namespace

bool FILES_ReadAll(const std::string& path, std::string* pText) {
  FilePtr f(std::fopen(path.c_str(), "rb"));
  if (!f) return false;
  pText->clear();
  char buf[65536];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof(buf), f.get())) > 0) pText->append(buf, n);
  return !std::ferror(f.get());
}

std::string FILES_TempNameFor(const std::string& path) {
  return path + ".tmp" + std::to_string(getpid());
}

bool FILES_WriteAtomic(const std::string& path, const std::string& data) {
  std::string temp = FILES_TempNameFor(path);
  FilePtr f(std::fopen(temp.c_str(), "wb"));
  if (!f) return false;
  bool ok = std::fwrite(data.data(), 1, data.size(), f.get()) == data.size();
  ok = (std::fflush(f.get()) == 0) && ok;
  ok = (fsync(fileno(f.get())) == 0) && ok;
  ok = (std::fclose(f.release()) == 0) && ok;
  if (ok && std::rename(temp.c_str(), path.c_str()) == 0) return true;
  std::remove(temp.c_str());
  return false;
}
