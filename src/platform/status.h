#pragma once

#include <QString>

// The outcome of a desktop operation: code 0 is success, anything else a
// failure with a description for the user.
struct Status {
  int code = 0;
  QString description;
  bool ownWindow = false;  // keys refused because only the tool's own window could get them

  bool ok() const { return code == 0; }
  static Status success() { return {}; }
  static Status failure(int code, const QString& description) { return {code, description, false}; }
};

namespace failure_code {
constexpr int kInvalidArgument = 5;  // no window with that title, keys that cannot be sent
constexpr int kTypeMismatch = 13;    // a stored number that is not a number
constexpr int kFileNotFound = 53;
constexpr int kPermissionDenied = 70;
constexpr int kPathFileAccess = 75;  // a setting that could not be written
constexpr int kNotAvailable = 51;    // no desktop automation on this platform
}  // namespace failure_code
