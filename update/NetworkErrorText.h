#pragma once

#include <QNetworkReply>
#include <QSslError>
#include <QString>

namespace update {

// What went wrong on the network, in the user's language (Qt's own texts are English).
QString NetworkErrorText(QNetworkReply::NetworkError error);
QString CertificateErrorText(const QSslError& error);

}  // namespace update
