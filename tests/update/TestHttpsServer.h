#pragma once

#include <QByteArray>
#include <QHash>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslKey>
#include <QTcpServer>
#include <QUrl>

namespace testing_update {

// What the server answers for one path.
struct TestResponse {
    int status = 200;
    QByteArray contentType = "application/octet-stream";
    QByteArray body;
    qint64 announcedLength = -1;  // the Content-Length sent; -1: the body's size
    bool stallAfterBody = false;  // keep the connection open and silent after the body
};

// A small HTTP server on 127.0.0.1 for the tests, over TLS with a certificate of the tests'
// own authority (or plain, to show that a plain address is never asked). One request per
// connection; the connection closes after the answer, so an announced length larger than
// the body makes a cut download.
class TestHttpsServer : public QTcpServer {
    Q_OBJECT
  public:
    enum class Certificate { Localhost, OtherHost, None };

    explicit TestHttpsServer(Certificate certificate = Certificate::Localhost);

    void serve(const QByteArray& path, TestResponse response) {
        responses_.insert(path, std::move(response));
    }
    QUrl url(const QString& path) const;
    int requestCount() const { return requests_; }

    // A client configuration that trusts the tests' authority and nothing else.
    static QSslConfiguration TrustingClientConfiguration();
    static QString CertificateFolder();

  protected:
    void incomingConnection(qintptr socketDescriptor) override;

  private:
    void answer(QTcpSocket* socket, const QByteArray& request);

    Certificate certificate_;
    QSslCertificate localCertificate_;
    QSslKey privateKey_;
    QHash<QByteArray, TestResponse> responses_;
    int requests_ = 0;
};

}  // namespace testing_update
