#pragma once

namespace tidewell {

// Whether the user may administer this machine: effective user id 0, or a member of one of
// the groups that grant it (sudo, wheel, admin).
bool IsAdministrator();

}  // namespace tidewell
