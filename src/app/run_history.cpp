#include "app/run_history.h"

#include <utility>

#include "platform/text_file.h"

namespace {

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> out;
  size_t from = 0;
  for (size_t end; (end = text.find('\n', from)) != std::string::npos; from = end + 1)
    out.push_back(text.substr(from, end - from));
  return out;  // a last line without its end was cut off: not a record
}

std::string folderOf(const std::string& path) {
  const size_t sep = path.find_last_of("/\\");
  return sep == std::string::npos ? std::string() : path.substr(0, sep);
}

}  // namespace

RunHistory::RunHistory(std::string path, std::size_t kept, std::size_t trimAtBytes)
    : path_(std::move(path)), kept_(kept), trimAt_(trimAtBytes) {}

std::string RunHistory::defaultPath() {
  const std::string folder = text_file::stateFolder();
  return folder.empty() ? std::string()
                        : folder + (folder.find('\\') != std::string::npos ? "\\" : "/") + "history.log";
}

bool RunHistory::append(const RunRecord& record, std::string& reason) {
  if (path_.empty()) {
    reason = "There is no folder to keep the run history in";
    return false;
  }
  const std::string folder = folderOf(path_);
  if (!folder.empty() && !text_file::makeFolder(folder, reason)) return false;
  if (!text_file::append(path_, formatRecord(record) + "\n", reason)) return false;
  std::size_t bytes = 0;
  if (!text_file::size(path_, bytes, reason)) return false;
  return bytes <= trimAt_ || trim(reason);
}

bool RunHistory::trim(std::string& reason) {
  std::string text;
  if (!text_file::readTail(path_, trimAt_, text, reason)) return false;
  const std::vector<std::string> all = lines(text);
  std::string kept;
  for (size_t i = all.size() > kept_ ? all.size() - kept_ : 0; i < all.size(); ++i) kept += all[i] + "\n";
  return text_file::replace(path_, kept, reason);
}

std::vector<RunRecord> RunHistory::last(std::size_t count, std::string& reason) const {
  std::vector<RunRecord> out;
  std::string text;
  if (path_.empty() || !text_file::readTail(path_, trimAt_ + 64 * 1024, text, reason)) return out;
  for (const std::string& line : lines(text)) {
    RunRecord r;
    if (parseRecord(line, r)) out.push_back(r);
  }
  if (out.size() > count) out.erase(out.begin(), out.end() - long(count));
  return out;
}

const RunRecord* lastDecisiveRun(const std::vector<RunRecord>& runs) {
  for (auto it = runs.rbegin(); it != runs.rend(); ++it) {
    switch (it->outcome) {
      case Outcome::SkippedOncePerDay:
      case Outcome::ClosedByUser:
      case Outcome::AlreadyRunning:
        continue;
      default:
        return &*it;
    }
  }
  return nullptr;
}
