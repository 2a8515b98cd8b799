// SPDX-License-Identifier: GPL-3.0-or-later
#include "Capabilities.h"

#include <linux/capability.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>

namespace wake {
namespace {

std::string failed(const char* what)
{
    return std::string(what) + ": " + std::strerror(errno);
}

} // namespace

std::string keepOnlyWakeAlarm()
{
    // The raw calls rather than libcap: the helper links no library beyond the C++ one.
    __user_cap_header_struct header{.version = _LINUX_CAPABILITY_VERSION_3, .pid = 0};
    __user_cap_data_struct sets[_LINUX_CAPABILITY_U32S_3]{};
    if (::syscall(SYS_capget, &header, sets) != 0)
        return failed("capget");
    const std::uint32_t word = CAP_TO_INDEX(CAP_WAKE_ALARM), bit = CAP_TO_MASK(CAP_WAKE_ALARM);
    // Before the sets shrink: dropping from the bounding set needs CAP_SETPCAP.
    for (int cap = 0; cap <= CAP_LAST_CAP; ++cap) {
        if (cap != CAP_WAKE_ALARM && ::prctl(PR_CAPBSET_DROP, cap, 0, 0, 0) != 0 && errno != EPERM &&
            errno != EINVAL)
            return failed("PR_CAPBSET_DROP");
    }
    if (::prctl(PR_CAP_AMBIENT, PR_CAP_AMBIENT_CLEAR_ALL, 0, 0, 0) != 0 && errno != EINVAL)
        return failed("PR_CAP_AMBIENT_CLEAR_ALL");
    const std::uint32_t kept = sets[word].permitted & bit;
    for (std::uint32_t i = 0; i < _LINUX_CAPABILITY_U32S_3; ++i)
        sets[i] = {.effective = i == word ? kept : 0, .permitted = i == word ? kept : 0, .inheritable = 0};
    if (::syscall(SYS_capset, &header, sets) != 0)
        return failed("capset");
    if (::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0)
        return failed("PR_SET_NO_NEW_PRIVS");
    return {};
}

} // namespace wake
