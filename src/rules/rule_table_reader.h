// The reader that every rule table but the default settings shares: a UTF-16 text file delivered
// line by line, each line as comma-separated fields with double-quote quoting.
#pragma once

#include <string>

namespace kestrova {

class RuleTableReader {
 public:
  static constexpr int kModeRead = 1;
  static constexpr int kOptionUnquote = 1;
  static constexpr int kOptionLastFieldOpen = 2;  // the text after the last comma is a field too
  static constexpr int kCharSeparator = 1;
  static constexpr int kCharQuote = 4;
  // Loaders take fields into buffers of this many characters, the terminator included.
  static constexpr size_t kLoaderFieldSize = 1024;

  // Opens the file (found ignoring letter case); mode must be kModeRead. The line length is
  // accepted for the call's form only: lines are never cut.
  int Open(const std::u16string& path, int mode, size_t lineLength);
  int SetOption(int option);
  int SetChar(int kind, char16_t c);
  int FirstLine();
  int NextLine();
  bool AtEnd() const;
  // Clears buffer and copies field n (from 1) of the current line into it, cut to size-1
  // characters; -1 when there is no field n or the field was cut.
  int GetColumn(int n, std::u16string& buffer, size_t size);
  int Close();

  // Opens a rule table as every loader does: unquoting on, last field open, quote '"'.
  int OpenForLoader(const std::u16string& path);
  // Field n as a loader takes it: cut to 1023 characters, empty when missing.
  std::u16string Field(int n);

 private:
  void FindNextField();

  bool open_ = false;
  std::u16string text_;
  size_t textPos_ = 0;
  std::u16string line_;
  bool atEnd_ = true;
  char16_t separator_ = u',';
  char16_t quote_ = u'"';
  bool unquote_ = false;
  bool lastFieldOpen_ = false;
  bool pastLineEnd_ = false;  // no further field starts in this line
  size_t fieldPos_ = 0;
  size_t fieldStart_ = 0;
  size_t fieldLength_ = 0;
  int column_ = 0;  // 0 before the first field, n after field n, -1 when no field is left
};

}  // namespace kestrova
