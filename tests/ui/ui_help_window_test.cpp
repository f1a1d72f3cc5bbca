// The help window, the help buttons and the user guide button.
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QToolButton>
#include <memory>

#include "core/RecordingDialogs.h"
#include "ui/help/HelpFiles.h"
#include "ui/help/HelpText.h"
#include "ui/help/HelpWindow.h"
#include "ui/mainwindow/MainWindow.h"

namespace {

const QByteArray kCalculationText = "# Hesaplama\n\nFaiz **basit** faizdir.\n";
const QByteArray kImportText = "# Aktarım\n\nİlk sayfa okunur.\n";

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

class NoFiles : public ui::FileChooser {
  public:
    std::optional<QString> chooseSavePath(const QString&) override { return std::nullopt; }
    std::optional<QString> chooseOpenPath() override { return std::nullopt; }
};

// A program folder with the two help texts, the main window over it and the help window
// beside it, as the program creates them. Documents handed to the desktop are recorded;
// `desktopFails` makes the desktop report that it found no application.
struct ProgramFixture {
    QTemporaryDir folder;
    core::RecordingDialogs dialogs;
    NoFiles files;
    QStringList openedDocuments;
    bool desktopFails = false;
    std::unique_ptr<ui::MainWindow> window;
    ui::HelpWindow* help = nullptr;

    ProgramFixture() {
        writeFile(path(ui::kCalculationHelpFile), kCalculationText);
        writeFile(path(ui::kImportHelpFile), kImportText);
        ui::MainWindowServices services;
        services.dialogs = &dialogs;
        services.files = &files;
        services.defaultPrinterName = [] { return QStringLiteral("PDF"); };
        services.openDocument = [this](const QString& document, std::function<void()> failed) {
            openedDocuments.push_back(document);
            if (desktopFails) failed();
        };
        services.programFolder = programFolder();
        window = std::make_unique<ui::MainWindow>(services);
        window->setAskBeforeClose(false);
        help = new ui::HelpWindow(window.get(), programFolder(), dialogs);
        window->show();
    }

    QString programFolder() const { return folder.path() + QLatin1Char('/'); }
    QString path(const QString& name) const { return folder.filePath(name); }
    QString shown() const { return help->viewer().toPlainText(); }
    void chooseTopic(int index) {
        help->topicList().setCurrentIndex(index);
        emit help->topicList().activated(index);
    }
    template <typename Button>
    void click(const char* name) {
        auto* button = window->findChild<Button*>(QString::fromLatin1(name));
        QVERIFY(button);
        QTest::mouseClick(button, Qt::LeftButton);
    }
};

bool hasBoldText(const QTextDocument& document, const QString& word) {
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.text().contains(word) &&
                fragment.charFormat().fontWeight() >= QFont::Bold) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace

class HelpWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void startsHiddenWithFirstTopicAndVersion() {
        ProgramFixture f;
        QVERIFY(!f.help->isVisible());
        QCOMPARE(f.help->windowTitle(), QStringLiteral("Durvex Vovirer Dorud Zizevarev Yardım"));
        QCOMPARE(f.help->size(), QSize(870, 500));
        QCOMPARE(f.help->topicList().count(), 2);
        QCOMPARE(f.help->topicList().itemText(0),
                 QStringLiteral("Vovirer Dorud Zizevarev İşlemleri"));
        QCOMPARE(f.help->topicList().itemText(1), QStringLiteral("Excel'den Aktarım İşlemleri"));
        QCOMPARE(f.help->topicList().currentIndex(), 0);
        QVERIFY(f.help->viewer().isReadOnly());
        QVERIFY(f.shown().isEmpty());
        auto* version = f.help->findChild<QLabel*>(QStringLiteral("versionPanel"));
        QVERIFY(version);
        QCOMPARE(version->text(), QStringLiteral("Version 2.0 Güncelleme:0"));
    }

    void topicListLoadsTheChosenTopic() {
        ProgramFixture f;
        f.help->show();
        f.chooseTopic(1);
        QVERIFY(f.shown().contains(QStringLiteral("İlk sayfa okunur.")));
        f.chooseTopic(0);
        QVERIFY(f.shown().contains(QStringLiteral("Faiz basit faizdir.")));
    }

    // The help button of the import window shows its text under whatever the list names.
    void helpButtonsLeaveTheTopicListAlone() {
        ProgramFixture f;
        ui::ShowHelp(f.window.get(), ui::HelpTopic::Import);
        QVERIFY(f.help->isVisible());
        QCOMPARE(f.help->topicList().currentIndex(), 0);
        QVERIFY(f.shown().contains(QStringLiteral("İlk sayfa okunur.")));
        f.chooseTopic(1);
        f.chooseTopic(0);
        QVERIFY(f.shown().contains(QStringLiteral("Faiz basit faizdir.")));
    }

    void mainWindowHelpButtonShowsTheCalculationText() {
        ProgramFixture f;
        f.chooseTopic(1);
        f.help->hide();
        f.click<QToolButton>("tfXPButton2");
        QVERIFY(f.help->isVisible());
        QCOMPARE(f.help->topicList().currentIndex(), 1);
        QVERIFY(f.shown().contains(QStringLiteral("Faiz basit faizdir.")));
    }

    void missingFileLeavesTheViewerAsItWas() {
        ProgramFixture f;
        f.help->showTopic(ui::HelpTopic::Calculation);
        QVERIFY(QFile::remove(f.path(ui::kImportHelpFile)));
        f.chooseTopic(1);
        f.help->showTopic(ui::HelpTopic::Import);
        QVERIFY(f.shown().contains(QStringLiteral("Faiz basit faizdir.")));
        QVERIFY(f.dialogs.texts().isEmpty());
    }

    void unreadableFileIsReportedByName() {
        ProgramFixture f;
        f.help->showTopic(ui::HelpTopic::Calculation);
        QVERIFY(QFile::remove(f.path(ui::kImportHelpFile)));
        QVERIFY(QDir(f.folder.path()).mkdir(ui::kImportHelpFile));
        f.help->showTopic(ui::HelpTopic::Import);
        QCOMPARE(f.dialogs.texts().size(), 1);
        QVERIFY(f.dialogs.texts()[0].contains(f.path(ui::kImportHelpFile)));
        QVERIFY(f.shown().contains(QStringLiteral("Faiz basit faizdir.")));
        QVERIFY(f.help->isVisible());
    }

    void textsAreFoundInTheProgramFolderFromAnyCurrentFolder() {
        ProgramFixture f;
        QTemporaryDir elsewhere;
        const QString previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(elsewhere.path()));
        f.help->showTopic(ui::HelpTopic::Calculation);
        QDir::setCurrent(previous);
        QVERIFY(f.shown().contains(QStringLiteral("Faiz basit faizdir.")));
    }

    void markdownIsFormattedAndAnyOtherTextShownAsItIs_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("boldShown");
        QTest::addColumn<QString>("expected");
        QTest::newRow("markdown") << QByteArray("# Başlık\n\nFaiz **basit** faizdir.\n") << true
                                  << QStringLiteral("Faiz basit faizdir.");
        QTest::newRow("rtf") << QByteArray(
                                    "{\\rtf1\\ansi\\ansicpg1254{\\fonttbl{\\f0 Tahoma;}}"
                                    "\\f0 Faiz {\\b basit} faizdir.\\par "
                                    "\\'d6deme\\u351?\\tab son}")
                             << true << QStringLiteral("Faiz basit faizdir.\nÖdemeş\tson");
        QTest::newRow("plain") << QByteArray("Başlık\n**basit**\n  girintili\n") << false
                               << QStringLiteral("Başlık\n**basit**\n  girintili\n");
        QTest::newRow("plain, CR LF")
            << QByteArray("Bir\r\nİki\r\n") << false << QStringLiteral("Bir\nİki\n");
        QTest::newRow("plain, Windows-1254") << QByteArray("Faiz \xd6\x64\x65me \xfe\xdd") << false
                                             << QStringLiteral("Faiz Ödeme şİ");
    }
    void markdownIsFormattedAndAnyOtherTextShownAsItIs() {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, boldShown);
        QFETCH(QString, expected);
        ProgramFixture f;
        writeFile(f.path(ui::kCalculationHelpFile), bytes);
        f.help->showTopic(ui::HelpTopic::Calculation);
        QVERIFY2(f.shown().contains(expected), qPrintable(f.shown()));
        QCOMPARE(hasBoldText(*f.help->viewer().document(), QStringLiteral("basit")), boldShown);
    }

    void guideButtonOpensTheGuideBesideTheProgram() {
        ProgramFixture f;
        writeFile(f.path(ui::kUserGuideFile), "%PDF-1.4\n");
        f.click<QPushButton>("JvXPButton2");
        QCOMPARE(f.openedDocuments, QStringList{f.path(ui::kUserGuideFile)});
        QVERIFY(f.dialogs.texts().isEmpty());
    }

    void guideThatCannotBeOpenedIsReportedByName_data() {
        QTest::addColumn<bool>("present");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing") << false << QStringLiteral("Kullanım kılavuzu bulunamadı:");
        QTest::newRow("no viewer") << true << QStringLiteral("Kullanım kılavuzu açılamadı:");
    }
    void guideThatCannotBeOpenedIsReportedByName() {
        QFETCH(bool, present);
        QFETCH(QString, message);
        ProgramFixture f;
        if (present) writeFile(f.path(ui::kUserGuideFile), "%PDF-1.4\n");
        f.desktopFails = true;
        f.click<QPushButton>("JvXPButton2");
        QCOMPARE(f.dialogs.texts().size(), 1);
        QVERIFY(f.dialogs.texts()[0].startsWith(message));
        QVERIFY(f.dialogs.texts()[0].contains(f.path(ui::kUserGuideFile)));
    }
};

QTEST_MAIN(HelpWindowTest)
#include "ui_help_window_test.moc"
