#include "update/NetworkErrorText.h"

namespace update {

QString NetworkErrorText(QNetworkReply::NetworkError error) {
    switch (error) {
        case QNetworkReply::ConnectionRefusedError:
            return QStringLiteral("sunucu bağlantıyı reddetti");
        case QNetworkReply::RemoteHostClosedError:
            return QStringLiteral("sunucu bağlantıyı kapattı");
        case QNetworkReply::HostNotFoundError:
            return QStringLiteral("sunucu bulunamadı");
        case QNetworkReply::TimeoutError:
            return QStringLiteral("sunucu zamanında yanıt vermedi");
        case QNetworkReply::OperationCanceledError:
            return QStringLiteral("bağlantı kesildi");
        case QNetworkReply::SslHandshakeFailedError:
            return QStringLiteral("güvenli bağlantı kurulamadı");
        case QNetworkReply::TemporaryNetworkFailureError:
        case QNetworkReply::NetworkSessionFailedError:
            return QStringLiteral("ağ bağlantısı koptu");
        case QNetworkReply::ProxyConnectionRefusedError:
        case QNetworkReply::ProxyConnectionClosedError:
        case QNetworkReply::ProxyNotFoundError:
        case QNetworkReply::ProxyTimeoutError:
        case QNetworkReply::ProxyAuthenticationRequiredError:
            return QStringLiteral("vekil sunucuya bağlanılamadı");
        case QNetworkReply::ContentNotFoundError:
            return QStringLiteral("dosya sunucuda yok");
        case QNetworkReply::ContentAccessDenied:
        case QNetworkReply::AuthenticationRequiredError:
            return QStringLiteral("sunucu dosyaya erişim izni vermedi");
        default:
            return QStringLiteral("ağ hatası (kod %1)").arg(int(error));
    }
}

QString CertificateErrorText(const QSslError& error) {
    switch (error.error()) {
        case QSslError::HostNameMismatch:
            return QStringLiteral("sertifika bu sunucunun adına değil");
        case QSslError::SelfSignedCertificate:
        case QSslError::SelfSignedCertificateInChain:
            return QStringLiteral("sertifikayı sunucu kendisi imzalamış");
        case QSslError::CertificateExpired:
            return QStringLiteral("sertifikanın süresi dolmuş");
        case QSslError::CertificateNotYetValid:
            return QStringLiteral("sertifika henüz geçerli değil");
        case QSslError::CertificateRevoked:
            return QStringLiteral("sertifika geri çekilmiş");
        case QSslError::UnableToGetLocalIssuerCertificate:
        case QSslError::UnableToGetIssuerCertificate:
        case QSslError::CertificateUntrusted:
            return QStringLiteral("sertifikayı güvenilen bir makam imzalamamış");
        default:
            return QStringLiteral("sertifika hatası (kod %1)").arg(int(error.error()));
    }
}

}  // namespace update
