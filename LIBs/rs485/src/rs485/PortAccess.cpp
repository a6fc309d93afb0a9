#include "rs485/PortAccess.h"

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace rs485 {

namespace {

std::string modeText(mode_t mode)
{
    std::string text = S_ISCHR(mode) ? "c" : S_ISDIR(mode) ? "d" : S_ISBLK(mode) ? "b" : "-";
    const mode_t bits[] = {S_IRUSR, S_IWUSR, S_IXUSR, S_IRGRP, S_IWGRP, S_IXGRP, S_IROTH, S_IWOTH, S_IXOTH};
    const char letters[] = {'r', 'w', 'x'};
    for (int i = 0; i < 9; ++i) {
        text += (mode & bits[i]) != 0 ? letters[i % 3] : '-';
    }
    return text;
}

std::string ownerName(uid_t id)
{
    const passwd* entry = getpwuid(id);
    return entry != nullptr ? entry->pw_name : std::to_string(id);
}

std::string groupName(gid_t id)
{
    const group* entry = getgrgid(id);
    return entry != nullptr ? entry->gr_name : std::to_string(id);
}

bool userBelongsTo(gid_t id)
{
    if (getegid() == id) {
        return true;
    }
    const int count = getgroups(0, nullptr);
    std::vector<gid_t> groups(count > 0 ? static_cast<std::size_t>(count) : 0);
    if (count <= 0 || getgroups(count, groups.data()) < 0) {
        return false;
    }
    for (const gid_t member : groups) {
        if (member == id) {
            return true;
        }
    }
    return false;
}

} // namespace

PortAccess PortAccess::of(const std::string& path)
{
    PortAccess result;
    struct stat status
    {
    };
    if (stat(path.c_str(), &status) != 0) {
        return result;
    }
    result.exists = true;
    result.characterDevice = S_ISCHR(status.st_mode);
    result.mayOpen = access(path.c_str(), R_OK | W_OK) == 0;
    result.owner = ownerName(status.st_uid);
    result.group = groupName(status.st_gid);
    result.mode = modeText(status.st_mode);
    result.userInGroup = userBelongsTo(status.st_gid);
    return result;
}

std::string PortAccess::userName()
{
    const passwd* entry = getpwuid(getuid());
    return entry != nullptr ? entry->pw_name : std::string();
}

} // namespace rs485
