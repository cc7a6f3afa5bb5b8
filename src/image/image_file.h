// Read-only access to an image file on a medium by bounded reads at given positions: the readers
// of photo and drawing files never copy a whole file into memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace kestrova {

class ImageFile {
 public:
  // Opens the file that the path names (letter case ignored as on a medium). Only a regular file
  // is opened: a folder, a named pipe or a device stays closed, and opening never blocks.
  explicit ImageFile(const std::u16string& path);
  // The same for a file already found: the path is taken as it is.
  explicit ImageFile(const std::filesystem::path& file);
  ~ImageFile();
  ImageFile(const ImageFile&) = delete;
  ImageFile& operator=(const ImageFile&) = delete;

  bool IsOpen() const { return m_fd >= 0; }
  // The size the file had when it was opened; 0 when it is not open.
  std::uint64_t Size() const { return m_size; }
  // Copies the n bytes at the position into out. False when they do not lie wholly within the
  // file or cannot be read; a read that fails for another reason than the end of the file also
  // sets ReadFailed.
  bool ReadAt(std::uint64_t position, std::size_t n, std::uint8_t* out);
  bool ReadFailed() const { return m_readFailed; }

  // The position of the first byte at or after the position that is not zero; the size when
  // there is none. Holes of a sparse file are passed over without reading them.
  std::uint64_t FindNonZero(std::uint64_t position);

  // For walks that may cross a huge file: true once the run was cancelled, after which every
  // read fails, so that the walk ends at once.
  bool PollCancel();
  bool Cancelled() const { return m_cancelled; }

 private:
  bool FillWindow(std::uint64_t position);

  int m_fd = -1;
  std::uint64_t m_size = 0;
  bool m_readFailed = false;
  bool m_cancelled = false;
  // A window of the file kept from the last read, so that the many small reads of one IFD or
  // segment walk cost one system call.
  std::vector<std::uint8_t> m_window;
  std::uint64_t m_windowStart = 0;
};

// Asks the system to bring the first length bytes of the file (the whole file for 0) into the
// file cache ahead of their use, without waiting for them, so that a slow medium is kept busy.
void ReadAhead(const std::filesystem::path& file, std::uint64_t length);

}  // namespace kestrova
