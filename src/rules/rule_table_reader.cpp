#include "rules/rule_table_reader.h"

#include "platform/file_access.h"
#include "platform/utf16_text_file.h"

namespace kestrova {

int RuleTableReader::Open(const std::u16string& path, int mode, size_t /*lineLength*/) {
  Close();
  if (mode != kModeRead) {
    return -1;
  }
  const auto resolved = ResolvePathIgnoringCase(ToFsPath(path));
  auto text = resolved ? ReadUtf16TextFile(*resolved) : std::nullopt;
  if (!text) {
    return -1;
  }
  text_ = std::move(*text);
  open_ = true;
  return 0;
}

int RuleTableReader::SetOption(int option) {
  if (!open_) return -1;
  if (option == kOptionUnquote) unquote_ = true;
  if (option == kOptionLastFieldOpen) lastFieldOpen_ = true;
  return 0;
}

int RuleTableReader::SetChar(int kind, char16_t c) {
  if (!open_) return -1;
  if (kind == kCharSeparator) separator_ = c;
  if (kind == kCharQuote) quote_ = c;
  return 0;
}

int RuleTableReader::FirstLine() {
  if (!open_) return -1;
  textPos_ = 0;
  return NextLine();
}

int RuleTableReader::NextLine() {
  if (!open_) return -1;
  line_.clear();
  atEnd_ = false;
  pastLineEnd_ = false;
  fieldPos_ = fieldStart_ = fieldLength_ = 0;
  column_ = 0;
  if (textPos_ >= text_.size()) {
    atEnd_ = true;
    return 0;
  }
  const size_t lineFeed = text_.find(u'\n', textPos_);
  const size_t end = lineFeed == std::u16string::npos ? text_.size() : lineFeed;
  line_.assign(text_, textPos_, end - textPos_);
  textPos_ = end + 1;
  return 0;
}

bool RuleTableReader::AtEnd() const { return !open_ || atEnd_; }

void RuleTableReader::FindNextField() {
  if (pastLineEnd_ || column_ == -1) {
    column_ = -1;
    return;
  }
  const size_t p = fieldPos_;
  size_t q = p;
  if (q < line_.size() && line_[q] == quote_) {
    for (++q; q < line_.size(); ++q) {
      if (line_[q] != quote_) continue;
      if (q + 1 < line_.size() && line_[q + 1] == quote_) {
        ++q;
        continue;
      }
      ++q;
      break;
    }
  }
  const size_t s = line_.find(separator_, q);
  if (s != std::u16string::npos) {
    fieldStart_ = p;
    fieldLength_ = s - p;
    fieldPos_ = s + 1;
    ++column_;
  } else if (lastFieldOpen_) {
    fieldStart_ = p;
    fieldLength_ = line_.size() - p;
    pastLineEnd_ = true;
    ++column_;
  } else {
    column_ = -1;
  }
}

int RuleTableReader::GetColumn(int n, std::u16string& buffer, size_t size) {
  buffer.clear();
  if (!open_ || n <= 0) return -1;
  if (n != column_) {
    if (n < column_ || column_ == -1) {
      fieldPos_ = 0;
      pastLineEnd_ = false;
      column_ = 0;
    }
    while (column_ != n) {
      FindNextField();
      if (column_ == -1) return -1;
    }
  }
  const std::u16string_view raw(line_.data() + fieldStart_, fieldLength_);
  std::u16string field;
  if (unquote_ && !raw.empty() && raw[0] == quote_) {
    for (size_t i = 1; i < raw.size(); ++i) {
      if (raw[i] != quote_) {
        field.push_back(raw[i]);
      } else if (i + 1 < raw.size() && raw[i + 1] == quote_) {
        field.push_back(quote_);
        ++i;
      } else {
        field.append(raw.substr(i + 1));
        break;
      }
    }
  } else {
    field.assign(raw);
  }
  if (size == 0) return -1;
  if (field.size() > size - 1) {
    buffer.assign(field, 0, size - 1);
    return -1;
  }
  buffer = std::move(field);
  return 0;
}

int RuleTableReader::Close() {
  open_ = false;
  text_.clear();
  text_.shrink_to_fit();
  line_.clear();
  textPos_ = 0;
  atEnd_ = true;
  separator_ = u',';
  quote_ = u'"';
  unquote_ = lastFieldOpen_ = pastLineEnd_ = false;
  column_ = 0;
  return 0;
}

int RuleTableReader::OpenForLoader(const std::u16string& path) {
  if (Open(path, kModeRead, 0) != 0 || SetOption(kOptionLastFieldOpen) != 0 ||
      SetOption(kOptionUnquote) != 0 || SetChar(kCharQuote, u'"') != 0) {
    Close();
    return -1;
  }
  return 0;
}

std::u16string RuleTableReader::Field(int n) {
  std::u16string buffer;
  GetColumn(n, buffer, kLoaderFieldSize);
  return buffer;
}

}  // namespace kestrova
