#include "update/ProgramDownload.h"

#include <QDir>
#include <QFileInfo>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QStringList>

#include "storage/SafeWrite.h"
#include "update/ProgramFileCheck.h"

namespace update {
namespace {

// A download that makes no progress for this long is given up.
constexpr int kStallTimeoutMs = 60'000;

constexpr QFileDevice::Permissions kExecutable =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
    QFileDevice::ReadGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::ExeOther;

}  // namespace

ProgramDownload::ProgramDownload(QObject* parent) : QObject(parent) {
    network_.setRedirectPolicy(QNetworkRequest::NoLessSafeRedirectPolicy);
}

ProgramDownload::~ProgramDownload() {
    if (reply_) {
        reply_->disconnect(this);
        reply_->abort();
    }
}

void ProgramDownload::start(const QUrl& url, const QString& targetFile) {
    url_ = url;
    head_.clear();
    received_.clear();
    targetFile_ = targetFile;
    sslErrors_.clear();

    // Code fetched over plain HTTP could come from anyone on the way.
    if (url.scheme() != QLatin1String("https")) {
        const QString problem =
            QStringLiteral("Güvenli olmayan adres: %1 (yalnızca https kabul edilir).")
                .arg(url.toDisplayString());
        QMetaObject::invokeMethod(
            this, [this, problem] { finish(problem); }, Qt::QueuedConnection);
        return;
    }
    // A folder that cannot be made is known before anything is fetched.
    const QString folder = QFileInfo(targetFile).absolutePath();
    if (!QDir().mkpath(folder)) {
        const QString problem = QStringLiteral("Dosya yazılamadı: %1: the folder %2 cannot be made")
                                    .arg(targetFile, folder);
        QMetaObject::invokeMethod(
            this, [this, problem] { finish(problem); }, Qt::QueuedConnection);
        return;
    }

    QNetworkRequest request(url);
    request.setSslConfiguration(tls_);
    request.setTransferTimeout(kStallTimeoutMs);
    // The announced size must be the size of the file itself, not of a compressed form.
    request.setRawHeader("Accept-Encoding", "identity");
    reply_ = network_.get(request);
    connect(reply_, &QNetworkReply::readyRead, this, &ProgramDownload::readAvailable);
    connect(reply_, &QNetworkReply::downloadProgress, this, &ProgramDownload::progress);
    connect(reply_, &QNetworkReply::sslErrors, this,
            [this](const QList<QSslError>& errors) { sslErrors_ = errors; });
    connect(reply_, &QNetworkReply::finished, this, &ProgramDownload::onFinished);
}

void ProgramDownload::readAvailable() {
    const QByteArray data = reply_->readAll();
    if (head_.size() < kElfHeadSize) head_ += data.left(kElfHeadSize - head_.size());
    received_ += data;
}

QString ProgramDownload::networkProblem() const {
    if (!sslErrors_.isEmpty()) {
        QStringList texts;
        for (const QSslError& error : sslErrors_) texts << error.errorString();
        return QStringLiteral("Sunucunun sertifikası doğrulanamadı (%1): %2")
            .arg(url_.host(), texts.join(QStringLiteral("; ")));
    }
    const int status = reply_->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status != 0 && status != 200) {
        return QStringLiteral("Sunucu dosyayı vermedi: %1 %2 (%3)")
            .arg(status)
            .arg(reply_->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString(),
                 url_.toDisplayString());
    }
    if (reply_->error() != QNetworkReply::NoError) {
        return QStringLiteral("İndirme başarısız oldu (%1): %2")
            .arg(url_.toDisplayString(), reply_->errorString());
    }
    return {};
}

void ProgramDownload::onFinished() {
    readAvailable();
    const QVariant length = reply_->header(QNetworkRequest::ContentLengthHeader);
    const qint64 announced = length.isValid() ? length.toLongLong() : -1;
    QString problem;
    // A cut connection shows as its missing bytes; anything else by the network's word.
    if (!(announced > received_.size() && sslErrors_.isEmpty())) {
        problem = networkProblem();
    }
    if (problem.isEmpty()) problem = ProgramFileProblem(head_, received_.size(), announced);
    reply_->deleteLater();
    reply_ = nullptr;
    finish(problem);
}

void ProgramDownload::finish(QString problem) {
    if (problem.isEmpty()) {
        const storage::SafeWriteResult written = storage::WriteFileSafely(targetFile_, received_);
        if (!written.ok) {
            problem = QStringLiteral("Dosya yazılamadı: %1: %2").arg(targetFile_, written.reason);
        } else if (!QFile::setPermissions(targetFile_, kExecutable)) {
            problem = QStringLiteral("Dosya yazılamadı: %1: it cannot be made executable")
                          .arg(targetFile_);
        }
    }
    received_.clear();
    emit finished(problem);
}

}  // namespace update
