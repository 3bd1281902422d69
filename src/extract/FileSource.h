// Reading icon files from disk at offsets: the directory and the chosen image are all that is
// read, so opening an icon padded to many megabytes costs what opening a small one does.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "extract/IconDecoder.h"

namespace pelorin {

// A regular file opened for reading, read with pread. Not copyable; closes the file when it goes.
class FileSource final : public ByteSource {
 public:
  // nullopt when the file cannot be opened or is not a regular file (a folder, a pipe, a device:
  // nothing is read from those, and opening a pipe does not wait for a writer).
  static std::optional<FileSource> Open(const std::string& path);

  FileSource(FileSource&& other) noexcept;
  FileSource& operator=(FileSource&&) = delete;
  ~FileSource() override;

  std::uint64_t size() const override { return size_; }
  bool ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) const override;

 private:
  FileSource(int fd, std::uint64_t size) : fd_(fd), size_(size) {}

  int fd_;
  std::uint64_t size_;
};

// Opens and decodes the .ico or .cur file at `path` (DecodeIconFile); nullopt when it cannot be
// read or is not a usable icon.
std::optional<IconPicture> ReadIconFile(const std::string& path, int screen_bits);

}  // namespace pelorin
