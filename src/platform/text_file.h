#pragma once

// The run history's file: appended to a line at a time, read from its end,
// now and then replaced by a shorter copy. Paths are UTF-8. Each call
// returns false with a reason the user can act on.
#include <cstddef>
#include <string>

namespace text_file {

// Where the tool keeps what it records about its runs, made on demand:
// $XDG_STATE_HOME/TalvorStart (~/.local/state/TalvorStart when that is not
// an absolute folder) on Linux, %LOCALAPPDATA%\TalvorStart on Windows.
std::string stateFolder();
// Makes the folder (and those above it) for the user alone, if missing.
bool makeFolder(const std::string& folder, std::string& reason);
// Appends the text in one write, so that a run killed meanwhile cannot
// leave half a line in another's record. The file is made for the user
// alone; one that someone else owns or can write is not used.
bool append(const std::string& path, const std::string& text, std::string& reason);
// The file's size in bytes; 0 when it does not exist.
bool size(const std::string& path, std::size_t& bytes, std::string& reason);
// At most the last maxBytes of the file; a missing file reads as empty.
bool readTail(const std::string& path, std::size_t maxBytes, std::string& out, std::string& reason);
// Puts the text in place of the file through a new file renamed over it.
bool replace(const std::string& path, const std::string& text, std::string& reason);

}  // namespace text_file
