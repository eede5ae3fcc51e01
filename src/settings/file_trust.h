#pragma once

#include <string>
#include <sys/stat.h>

// Whether anyone but this user (and root) could change a file or folder.
// What such a file holds, or what runs from it, is never trusted: another
// local user could have written it.
namespace settings {

// Empty when only this user or root can change it; else why others can and
// how to mend it, e.g. "every user may change it; mend it with: chmod go-w
// /x/y". what names it in the words, path in the command.
std::string othersMayChange(const struct stat& st, const std::string& what, const std::string& path);

// The same for a path that is looked up (links followed). Empty also when it
// does not exist.
std::string othersMayChange(const std::string& path, const std::string& what);

// The folder that holds a path ("." for a bare name).
std::string folderOf(const std::string& path);

// The user's name, or the number when the account has no name.
std::string userName(uid_t uid);

}  // namespace settings
