// A stand-in for the program in the end-to-end test of the update, built once as the old
// version and once as the new one. Every start appends a line to "started.log" beside it.
// Started with --update URL AUTHORITY it downloads its new version, trusting only the
// given authority, and hands it to the updater, which ends this process and starts the
// new version through the swap script.
#include <QCoreApplication>
#include <QFile>
#include <QSslCertificate>

#include "update/ProgramDownload.h"
#include "update/Updater.h"

namespace {

void Log(const QString& line) {
    QFile log(QCoreApplication::applicationDirPath() + QStringLiteral("/started.log"));
    if (log.open(QIODevice::Append)) log.write(line.toUtf8() + '\n');
}

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    Log(QStringLiteral(STANDIN_VERSION " started"));
    if (arguments.size() != 4 || arguments[1] != QLatin1String("--update")) return 0;

    QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
    tls.setCaCertificates(QSslCertificate::fromPath(arguments[3]));
    update::ProgramDownload download;
    download.setTlsConfiguration(tls);
    update::Updater updater;
    updater.setUpdateSource(QStringLiteral("Dosya/"));
    QObject::connect(&download, &update::ProgramDownload::finished, [&](const QString& problem) {
        if (!problem.isEmpty()) {
            Log(QStringLiteral(STANDIN_VERSION " refused: ") + problem);
            QCoreApplication::exit(1);
        } else if (updater.performUpdate()) {
            Log(QStringLiteral(STANDIN_VERSION " update prepared"));
        } else {
            Log(QStringLiteral(STANDIN_VERSION " update failed"));
            QCoreApplication::exit(2);
        }
    });
    const QString program = QCoreApplication::applicationFilePath();
    const QString name = program.mid(program.lastIndexOf(QLatin1Char('/')) + 1);
    download.start(QUrl(arguments[2]),
                   QCoreApplication::applicationDirPath() + QStringLiteral("/Dosya/") + name);
    return QCoreApplication::exec();
}
