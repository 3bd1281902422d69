// A file mapped read-only into memory, so that a reader can look at any part of it through a
// byte span without reading the whole file: only the pages a reader touches are ever loaded,
// which keeps a 2 GB program as cheap to examine as a small one. Should the file shrink while it
// is mapped, the part that is gone reads as zeros instead of raising a bus error.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace pelorin {

class MappedFile {
 public:
  // Maps a regular file; nullopt when it does not exist, is not a regular file or cannot be read.
  // An empty file gives an empty span.
  static std::optional<MappedFile> Open(const std::string& path);

  MappedFile(MappedFile&& other) noexcept;
  MappedFile& operator=(MappedFile&& other) noexcept;
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;
  ~MappedFile();

  std::span<const std::uint8_t> bytes() const { return {data_, size_}; }

 private:
  MappedFile(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  void Unmap();

  const std::uint8_t* data_ = nullptr;
  std::size_t size_ = 0;
};

}  // namespace pelorin
