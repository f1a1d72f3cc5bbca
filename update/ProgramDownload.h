#pragma once

#include <QByteArray>
#include <QList>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QObject>
#include <QPointer>
#include <QSslConfiguration>
#include <QSslError>
#include <QTimer>
#include <QUrl>
#include <memory>

#include "files/SafeWrite.h"

namespace update {

// Downloads a new program over HTTPS into a file, without blocking the event loop. The
// file is replaced only by a download that passed every check (the server's certificate,
// the size the server announced, a program for this machine); any other outcome leaves
// an earlier file as it was. The bytes stream into a new temporary file beside the target (a
// link planted at the target is refused, never followed), so a full disk is a refusal too and
// memory stays small whatever the size. A server that stalls or drags on past the deadlines
// ends the download with its own message; so does the user's cancel.
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
    // Stops a running download; finished() follows with kCancelled and nothing is written.
    void cancel();
    // No byte for `stallMs`, or no end within `overallMs`, ends the download.
    void setDeadlines(int stallMs, int overallMs);
    bool cancelled() const { return cancelled_; }

    static const QString kCancelled;

  signals:
    void progress(qint64 received, qint64 total);
    // An empty problem: the file is in place, executable.
    void finished(const QString& problem);

  private:
    void readAvailable();
    void onFinished();
    void finish(QString problem);
    void stop(const QString& problem);
    QString networkProblem() const;

    QNetworkAccessManager network_;
    QSslConfiguration tls_ = QSslConfiguration::defaultConfiguration();
    QPointer<QNetworkReply> reply_;
    QString targetFile_;
    std::unique_ptr<files::SafeWriteStream> file_;
    QTimer stallTimer_;
    QTimer overallTimer_;
    bool cancelled_ = false;
    QUrl url_;
    QByteArray head_;
    QList<QSslError> sslErrors_;
};

}  // namespace update
