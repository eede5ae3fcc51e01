#pragma once

// Failure codes shared by every back end; free of Qt for the native ones.
namespace failure_code {
constexpr int kInvalidArgument = 5;  // no window with that title, keys that cannot be sent
constexpr int kTypeMismatch = 13;    // a stored number that is not a number
constexpr int kFileNotFound = 53;
constexpr int kPermissionDenied = 70;
constexpr int kPathFileAccess = 75;  // a setting that could not be written
constexpr int kNotAvailable = 51;    // no desktop automation on this platform
}  // namespace failure_code
