#include "settings/file_trust.h"

#include <cerrno>
#include <grp.h>
#include <pwd.h>
#include <unistd.h>

namespace settings {

std::string userName(uid_t uid) {
  const passwd* pw = ::getpwuid(uid);
  return pw && pw->pw_name ? pw->pw_name : "user " + std::to_string(uid);
}

namespace {
std::string groupName(gid_t gid) {
  const group* gr = ::getgrgid(gid);
  return gr && gr->gr_name ? gr->gr_name : std::to_string(gid);
}

// The user's private group (named as the user, the user's own primary group,
// no other member): where the umask is 002 for such groups, a file the user
// copies is group-writable, yet no one else may write to it.
bool isPrivateGroup(gid_t gid) {
  const passwd* pw = ::getpwuid(::geteuid());
  if (!pw || !pw->pw_name || pw->pw_gid != gid) return false;
  const std::string me = pw->pw_name;
  const group* gr = ::getgrgid(gid);
  if (!gr || !gr->gr_name || me != gr->gr_name) return false;
  for (char** member = gr->gr_mem; member && *member; ++member)
    if (me != *member) return false;
  return true;
}
}  // namespace

std::string othersMayChange(const struct stat& st, const std::string& what, const std::string& path) {
  if (st.st_uid != ::geteuid() && st.st_uid != 0)
    return what + " belongs to " + userName(st.st_uid) + ", who may change it; use one of your own instead";
  // A sticky folder still lets everyone add files to it, so it is no safer.
  std::string who;
  if (st.st_mode & S_IWOTH)
    who = "every user";
  else if ((st.st_mode & S_IWGRP) && !isPrivateGroup(st.st_gid))
    who = "the group " + groupName(st.st_gid);
  if (who.empty()) return {};
  return who + " may change " + what + "; mend it with: chmod go-w " + path;
}

std::string othersMayChange(const std::string& path, const std::string& what) {
  struct stat st{};
  if (::stat(path.c_str(), &st) != 0) return {};
  return othersMayChange(st, what, path);
}

std::string folderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace settings
