// The program speaks Turkish under an English environment: what Qt formats by the system's
// locale (the file dialogs' sizes, types and dates) included, while the programs it starts
// keep the user's environment.
#include <QApplication>
#include <QDateTime>
#include <QFile>
#include <QFileDialog>
#include <QMimeDatabase>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <clocale>

#include "ui/common/QtTranslations.h"

class LocaleTest : public QObject {
    Q_OBJECT
  private slots:
    void qtsSystemLocaleIsTurkish() {
        const QLocale turkish = ui::TurkishLocale();
        QCOMPARE(QLocale::system().formattedDataSize(1235), turkish.formattedDataSize(1235));
        const QDateTime moment(QDate(2026, 12, 10), QTime(21, 5));
        QCOMPARE(QLocale::system().toString(moment, QLocale::ShortFormat),
                 turkish.toString(moment, QLocale::ShortFormat));
        QCOMPARE(QLocale().name(), QStringLiteral("tr_TR"));
        QCOMPARE(QMimeDatabase().mimeTypeForName(QStringLiteral("text/plain")).comment(),
                 QStringLiteral("düz metin belgesi"));
    }

    void programsStartedLaterGetTheUsersEnvironment() {
        QCOMPARE(qgetenv("LANG"), QByteArray("en_US.UTF-8"));
        QCOMPARE(qgetenv("LANGUAGE"), QByteArray("en_US:en"));
        QVERIFY(!qEnvironmentVariableIsSet("LC_ALL"));
    }

    void fileDialogColumnsAreTurkish() {
        QTemporaryDir folder;
        QFile file(folder.filePath(QStringLiteral("not.txt")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(1235, 'x'));
        file.close();
        QFileDialog dialog(nullptr, QStringLiteral("Aç"), folder.path());
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setViewMode(QFileDialog::Detail);
        dialog.show();
        auto* view = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
        QVERIFY(view);
        QTRY_COMPARE(view->model()->rowCount(view->rootIndex()), 1);
        const auto column = [&](int c) {
            return view->model()->index(0, c, view->rootIndex()).data().toString();
        };
        QCOMPARE(column(1), ui::TurkishLocale().formattedDataSize(1235));
        QCOMPARE(column(2), QStringLiteral("düz metin belgesi"));
        const QDateTime written = QFileInfo(file).lastModified();
        QCOMPARE(column(3), ui::TurkishLocale().toString(written, QLocale::ShortFormat));
    }
};

int main(int argc, char* argv[]) {
    // A user whose desktop speaks English.
    qputenv("LANG", "en_US.UTF-8");
    qputenv("LANGUAGE", "en_US:en");
    qunsetenv("LC_ALL");
    ui::TurkishSystemLocale turkish;
    QApplication app(argc, argv);
    turkish.settle();
    LocaleTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ui_locale_test.moc"
