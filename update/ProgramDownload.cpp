#include "update/ProgramDownload.h"

#include <QDir>
#include <QFileInfo>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QStringList>

#include "files/FileMessages.h"
#include "update/NetworkErrorText.h"
#include "update/ProgramFileCheck.h"

namespace update {
namespace {

// A download that makes no progress for this long is given up, and so is one that has not
// ended in this time however slowly the bytes come.
constexpr int kStallTimeoutMs = 30'000;
constexpr int kOverallTimeoutMs = 30 * 60'000;

constexpr unsigned kExecutable = 0755;

// "30 saniye", "30 dakika", "0,3 saniye".
QString DurationText(int ms) {
    if (ms >= 60'000 && ms % 60'000 == 0) return QStringLiteral("%1 dakika").arg(ms / 60'000);
    return QString::number(ms / 1000.0).replace(QLatin1Char('.'), QLatin1Char(',')) +
           QStringLiteral(" saniye");
}

}  // namespace

const QString ProgramDownload::kCancelled = QStringLiteral("İndirme iptal edildi.");

ProgramDownload::ProgramDownload(QObject* parent) : QObject(parent) {
    network_.setRedirectPolicy(QNetworkRequest::NoLessSafeRedirectPolicy);
    stallTimer_.setSingleShot(true);
    overallTimer_.setSingleShot(true);
    setDeadlines(kStallTimeoutMs, kOverallTimeoutMs);
    connect(&stallTimer_, &QTimer::timeout, this, [this] {
        stop(QStringLiteral("İndirme durdu: sunucudan %1 boyunca hiç veri gelmedi (%2).")
                 .arg(DurationText(stallTimer_.interval()), url_.toDisplayString()));
    });
    connect(&overallTimer_, &QTimer::timeout, this, [this] {
        stop(QStringLiteral("İndirme %1 içinde tamamlanamadı (%2).")
                 .arg(DurationText(overallTimer_.interval()), url_.toDisplayString()));
    });
}

void ProgramDownload::setDeadlines(int stallMs, int overallMs) {
    stallTimer_.setInterval(stallMs);
    overallTimer_.setInterval(overallMs);
}

void ProgramDownload::cancel() {
    if (!reply_) return;
    cancelled_ = true;
    stop(kCancelled);
}

// Ends a running download with `problem`: the reply is dropped and the temporary file goes.
void ProgramDownload::stop(const QString& problem) {
    if (!reply_) return;
    reply_->disconnect(this);
    reply_->abort();
    reply_->deleteLater();
    reply_ = nullptr;
    finish(problem);
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
    file_.reset();
    targetFile_ = targetFile;
    sslErrors_.clear();
    cancelled_ = false;

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
        const QString problem = files::CannotSaveMessage(
            targetFile, QStringLiteral("%1 klasörü oluşturulamadı.").arg(folder));
        QMetaObject::invokeMethod(
            this, [this, problem] { finish(problem); }, Qt::QueuedConnection);
        return;
    }
    file_ =
        std::make_unique<files::SafeWriteStream>(targetFile, files::NewFileOptions{kExecutable});
    if (!file_->ok()) {
        const QString problem = files::CannotSaveMessage(targetFile, file_->problem());
        file_.reset();
        QMetaObject::invokeMethod(
            this, [this, problem] { finish(problem); }, Qt::QueuedConnection);
        return;
    }

    QNetworkRequest request(url);
    request.setSslConfiguration(tls_);
    // The announced size must be the size of the file itself, not of a compressed form.
    request.setRawHeader("Accept-Encoding", "identity");
    reply_ = network_.get(request);
    connect(reply_, &QNetworkReply::readyRead, this, &ProgramDownload::readAvailable);
    connect(reply_, &QNetworkReply::downloadProgress, this, &ProgramDownload::progress);
    connect(reply_, &QNetworkReply::sslErrors, this,
            [this](const QList<QSslError>& errors) { sslErrors_ = errors; });
    connect(reply_, &QNetworkReply::finished, this, &ProgramDownload::onFinished);
    stallTimer_.start();
    overallTimer_.start();
}

void ProgramDownload::readAvailable() {
    const QByteArray data = reply_->readAll();
    if (data.isEmpty()) return;
    stallTimer_.start();
    if (head_.size() < kElfHeadSize) head_ += data.left(kElfHeadSize - head_.size());
    file_->append(data);
    // A disk that fails now fails the whole download: no point in fetching the rest.
    if (!file_->ok()) {
        stop(files::CannotSaveMessage(targetFile_, file_->problem()));
    }
}

QString ProgramDownload::networkProblem() const {
    if (!sslErrors_.isEmpty()) {
        QStringList texts;
        for (const QSslError& error : sslErrors_) texts << CertificateErrorText(error);
        return QStringLiteral("Sunucunun sertifikası doğrulanamadı (%1): %2")
            .arg(url_.host(), texts.join(QStringLiteral("; ")));
    }
    const int status = reply_->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status != 0 && status != 200) {
        return QStringLiteral("Sunucu dosyayı vermedi: %1 (%2)")
            .arg(status)
            .arg(url_.toDisplayString());
    }
    if (reply_->error() != QNetworkReply::NoError) {
        return QStringLiteral("İndirme başarısız oldu (%1): %2")
            .arg(url_.toDisplayString(), NetworkErrorText(reply_->error()));
    }
    return {};
}

void ProgramDownload::onFinished() {
    readAvailable();
    if (!reply_) return;  // stopped by a failing disk
    const QVariant length = reply_->header(QNetworkRequest::ContentLengthHeader);
    const qint64 announced = length.isValid() ? length.toLongLong() : -1;
    const qint64 received = file_->written();
    QString problem;
    // A cut connection shows as its missing bytes; anything else by the network's word.
    if (!(announced > received && sslErrors_.isEmpty())) {
        problem = networkProblem();
    }
    if (problem.isEmpty()) problem = ProgramFileProblem(head_, received, announced);
    reply_->deleteLater();
    reply_ = nullptr;
    finish(problem);
}

void ProgramDownload::finish(QString problem) {
    stallTimer_.stop();
    overallTimer_.stop();
    if (problem.isEmpty() && file_) {
        const files::SafeWriteResult written = file_->commit();
        if (!written.ok) {
            problem = files::CannotSaveMessage(targetFile_, written.reason);
        }
    }
    file_.reset();  // an uncommitted file leaves no trace
    emit finished(problem);
}

}  // namespace update
