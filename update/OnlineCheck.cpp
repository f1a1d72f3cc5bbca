#include "update/OnlineCheck.h"

#include <QNetworkInformation>
#include <QNetworkInterface>

namespace update {
namespace {

bool SomeInterfaceIsUp() {
    const auto interfaces = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface& interface : interfaces) {
        const auto flags = interface.flags();
        if (flags.testFlag(QNetworkInterface::IsLoopBack)) continue;
        if (!flags.testFlag(QNetworkInterface::IsUp) ||
            !flags.testFlag(QNetworkInterface::IsRunning)) {
            continue;
        }
        if (!interface.addressEntries().isEmpty()) return true;
    }
    return false;
}

}  // namespace

bool HasInternetConnection() {
    if (QNetworkInformation::loadBackendByFeatures(QNetworkInformation::Feature::Reachability)) {
        switch (QNetworkInformation::instance()->reachability()) {
            case QNetworkInformation::Reachability::Online:
                return true;
            case QNetworkInformation::Reachability::Unknown:
                break;
            default:
                return false;
        }
    }
    return SomeInterfaceIsUp();
}

}  // namespace update
