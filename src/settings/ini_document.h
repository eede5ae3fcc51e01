#pragma once

#include <optional>
#include <string>
#include <vector>

namespace settings {

// The bytes of an INI file and where its keys stand in them. Changing a key
// rewrites only that key's value; every other byte (a byte-order mark,
// comments, malformed lines, other sections and keys, bytes that are not
// UTF-8, line ends) stays exactly as it was.
class IniDocument {
 public:
  IniDocument() = default;
  explicit IniDocument(std::string bytes);

  const std::string& bytes() const { return bytes_; }

  // The key's text; a key written more than once reads as its last copy.
  // None when absent (or stored as "@Invalid()").
  std::optional<std::string> value(const std::string& section, const std::string& key) const;

  void set(const std::string& section, const std::string& key, const std::string& value);

 private:
  struct Entry {
    std::string section;
    std::string key;
    size_t valueBegin;
    size_t valueEnd;
  };
  struct Section {
    std::string name;
    size_t lastLineEnd;  // end of its last logical line, header included
  };

  void index();
  const Entry* find(const std::string& section, const std::string& key) const;
  size_t afterPhysicalLine(size_t pos) const;
  std::string lineEnd() const;
  bool endsWithLineEnd() const;

  std::string bytes_;
  std::vector<Entry> entries_;
  std::vector<Section> sections_;
};

}  // namespace settings
