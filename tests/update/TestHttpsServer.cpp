#include "TestHttpsServer.h"

#include <QFile>
#include <QSslSocket>
#include <stdexcept>

namespace testing_update {
namespace {

QByteArray ReadFixture(const QString& name) {
    QFile file(TestHttpsServer::CertificateFolder() + name);
    if (!file.open(QIODevice::ReadOnly)) throw std::runtime_error("missing test certificate");
    return file.readAll();
}

}  // namespace

QString TestHttpsServer::CertificateFolder() { return QStringLiteral(DEDADED_TEST_CERTS "/"); }

QSslConfiguration TestHttpsServer::TrustingClientConfiguration() {
    QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
    configuration.setCaCertificates(
        QSslCertificate::fromData(ReadFixture(QStringLiteral("authority.pem"))));
    return configuration;
}

TestHttpsServer::TestHttpsServer(Certificate certificate) : certificate_(certificate) {
    if (certificate_ != Certificate::None) {
        const QString name = certificate_ == Certificate::Localhost
                                 ? QStringLiteral("localhost-server")
                                 : QStringLiteral("other-server");
        localCertificate_ = QSslCertificate(ReadFixture(name + QStringLiteral(".pem")));
        privateKey_ = QSslKey(ReadFixture(name + QStringLiteral(".key")), QSsl::Rsa);
    }
    if (!listen(QHostAddress::LocalHost)) throw std::runtime_error("test server cannot listen");
}

QUrl TestHttpsServer::url(const QString& path) const {
    const QString scheme =
        certificate_ == Certificate::None ? QStringLiteral("http") : QStringLiteral("https");
    return QUrl(QStringLiteral("%1://127.0.0.1:%2%3").arg(scheme).arg(serverPort()).arg(path));
}

void TestHttpsServer::incomingConnection(qintptr socketDescriptor) {
    QTcpSocket* socket = nullptr;
    if (certificate_ == Certificate::None) {
        socket = new QTcpSocket(this);
        socket->setSocketDescriptor(socketDescriptor);
    } else {
        auto* tls = new QSslSocket(this);
        tls->setSocketDescriptor(socketDescriptor);
        tls->setLocalCertificate(localCertificate_);
        tls->setPrivateKey(privateKey_);
        tls->startServerEncryption();
        socket = tls;
    }
    auto request = std::make_shared<QByteArray>();
    connect(socket, &QTcpSocket::readyRead, this, [this, socket, request] {
        *request += socket->readAll();
        if (request->contains("\r\n\r\n")) {
            answer(socket, *request);
            request->clear();
        }
    });
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
}

void TestHttpsServer::answer(QTcpSocket* socket, const QByteArray& request) {
    ++requests_;
    const QByteArray path = request.split(' ').value(1);
    TestResponse response;
    if (responses_.contains(path)) {
        response = responses_.value(path);
    } else {
        response.status = 404;
        response.contentType = "text/html";
        response.body = "<html><body>Not Found</body></html>";
    }
    const qint64 length =
        response.announcedLength >= 0 ? response.announcedLength : response.body.size();
    QByteArray head = "HTTP/1.1 " + QByteArray::number(response.status) +
                      (response.status == 200 ? " OK" : " Not Found") + "\r\n";
    head += "Content-Type: " + response.contentType + "\r\n";
    head += "Content-Length: " + QByteArray::number(length) + "\r\n";
    head += "Connection: close\r\n\r\n";
    socket->write(head + response.body);
    if (!response.stallAfterBody) socket->disconnectFromHost();
}

}  // namespace testing_update
