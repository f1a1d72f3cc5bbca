// Builds the user guide: takes pictures of the program's windows on the offscreen platform
// and lays the guide's Markdown out as a PDF.
//
//   user_guide_builder GUIDE.md HELP_FOLDER OUT.pdf
#include <QApplication>
#include <QFile>
#include <cstdio>
#include <exception>

#include "GuidePdf.h"
#include "GuidePictures.h"
#include "ui/common/QtTranslations.h"

namespace {

// The offscreen platform notes what it cannot do for windows (raise them, grab the keyboard);
// none of it matters to pictures, so only other messages are passed on.
void quietOffscreenNotes(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtWarningMsg && (message.startsWith(QLatin1String("This plugin does not")) ||
                                 message.startsWith(QLatin1String("QStandardPaths:")))) {
        return;
    }
    std::fprintf(stderr, "%s\n", qPrintable(message));
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s GUIDE.md HELP_FOLDER OUT.pdf\n", argv[0]);
        return 2;
    }
    // No display is needed; the pictures are taken at twice the pixels so they stay sharp
    // on paper.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_SCALE_FACTOR", "2");
    qInstallMessageHandler(quietOffscreenNotes);
    QApplication app(argc, argv);
    ui::InstallQtTurkishTranslations();  // the buttons of the pictured question, as users see them
    const QString guidePath = QString::fromLocal8Bit(argv[1]);
    QFile source(guidePath);
    if (!source.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    const QString markdown = QString::fromUtf8(source.readAll());
    try {
        const guide::Pictures pictures = guide::TakeGuidePictures(QString::fromLocal8Bit(argv[2]));
        const int pages = guide::WriteGuidePdf(markdown, pictures, QString::fromLocal8Bit(argv[3]));
        std::printf("%s: %d pages\n", argv[3], pages);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
