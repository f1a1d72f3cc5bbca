#pragma once

#include <QByteArray>
#include <QList>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QObject>
#include <QPointer>
#include <QSslConfiguration>
#include <QSslError>
#include <QUrl>

namespace update {

// Downloads a new program over HTTPS into a file, without blocking the event loop. The
// file is replaced only by a download that passed every check (the server's certificate,
// the size the server announced, a program for this machine); any other outcome leaves
// an earlier file as it was. The program is gathered in memory and written once, through the
// program's one safe write, so a full disk is a refusal too.
class ProgramDownload : public QObject {
    Q_OBJECT
  public:
    explicit ProgramDownload(QObject* parent = nullptr);
    ~ProgramDownload() override;

    // The certificates trusted, among others; the default is the system's.
    void setTlsConfiguration(const QSslConfiguration& configuration) { tls_ = configuration; }

    // Starts the download; finished() follows once, also when it cannot start.
    void start(const QUrl& url, const QString& targetFile);
    bool running() const { return reply_ != nullptr; }

  signals:
    void progress(qint64 received, qint64 total);
    // An empty problem: the file is in place, executable.
    void finished(const QString& problem);

  private:
    void readAvailable();
    void onFinished();
    void finish(QString problem);
    QString networkProblem() const;

    QNetworkAccessManager network_;
    QSslConfiguration tls_ = QSslConfiguration::defaultConfiguration();
    QPointer<QNetworkReply> reply_;
    QString targetFile_;
    QByteArray received_;
    QUrl url_;
    QByteArray head_;
    QList<QSslError> sslErrors_;
};

}  // namespace update
