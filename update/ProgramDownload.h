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
#include <memory>

class QSaveFile;

namespace update {

// Downloads a new program over HTTPS into a file, without blocking the event loop. The
// file is replaced only by a download that passed every check (the server's certificate,
// the size the server announced, a program for this machine); any other outcome leaves
// an earlier file as it was.
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
    std::unique_ptr<QSaveFile> file_;
    QUrl url_;
    QByteArray head_;
    qint64 received_ = 0;
    QString writeProblem_;
    QList<QSslError> sslErrors_;
};

}  // namespace update
