#pragma once

namespace update {

// Whether the machine is online: the system's network information when it knows, else
// whether some network interface other than the loopback is up with an address.
bool HasInternetConnection();

}  // namespace update
