#include "platform/administrator.h"

#include <grp.h>
#include <unistd.h>

#include <algorithm>
#include <vector>

namespace tidewell {

bool IsAdministrator() {
    if (geteuid() == 0) return true;
    const int count = getgroups(0, nullptr);
    if (count <= 0) return false;
    std::vector<gid_t> groups(static_cast<size_t>(count));
    if (getgroups(count, groups.data()) < 0) return false;
    for (const char* name : {"sudo", "wheel", "admin"}) {
        const group* entry = getgrnam(name);
        if (entry != nullptr && std::find(groups.begin(), groups.end(), entry->gr_gid) != groups.end())
            return true;
    }
    return false;
}

}  // namespace tidewell
