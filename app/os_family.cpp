#include "app/os_family.h"

std::string GetOSFamily(OsInfo& os) {
    OsVersion v = os.Version();
    if (v.platformId == 1) {
        bool known = v.minor == 0 || v.minor == 10 || v.minor == 90;
        return known ? "W95" : "Failed";
    }
    if (v.platformId == 2) return v.major == 6 ? "Vista" : "NT";
    return "Failed";
}
