#include "StandInDesktop.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include "ui/desktop/DesktopHandOff.h"

namespace testing_ui {
namespace {

void restore(const char* name, const QByteArray& old) {
    if (old.isEmpty()) {
        qunsetenv(name);
    } else {
        qputenv(name, old);
    }
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush()) {
        qFatal("cannot write %s", qPrintable(path));
    }
}

QStringList linesOf(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

}  // namespace

StandInDesktop::StandInDesktop()
    : oldPath_(qgetenv("PATH")),
      oldTmp_(qgetenv("TMPDIR")),
      oldHome_(qgetenv("HOME")),
      oldConfig_(qgetenv("XDG_CONFIG_HOME")) {
    qputenv("PATH", QFile::encodeName(bin_.path()));
    qputenv("TMPDIR", QFile::encodeName(tmp_.path()));
    qputenv("HOME", QFile::encodeName(home_.path()));
    qunsetenv("XDG_CONFIG_HOME");
    ui::SetDetachedStart([this](const QString& program, const QStringList& arguments) {
        // The spreadsheet program is started by a shell that notes how it ended.
        const bool watched = program == QStringLiteral("/bin/sh") && arguments.size() > 4;
        started_ << QFileInfo(watched ? arguments[4] : program).fileName();
        return ui::StartDetachedBySystem(program, arguments);
    });
}

StandInDesktop::~StandInDesktop() {
    ui::SetDetachedStart({});
    qputenv("PATH", oldPath_);
    restore("TMPDIR", oldTmp_);
    restore("HOME", oldHome_);
    restore("XDG_CONFIG_HOME", oldConfig_);
}

void StandInDesktop::defaultApplications(const QString& xlsx, const QString& mailto) {
    script(QStringLiteral("xdg-mime"),
           QStringLiteral("case \"$3\" in\n"
                          "  %1) echo '%2';;\n"
                          "  %3) echo '%4';;\n"
                          "esac\n")
               .arg(ui::kXlsxMimeType, xlsx, ui::kMailtoHandlerType, mailto));
}

void StandInDesktop::changingDefaults() {
    // PATH holds the stand-ins only: the shell's helpers are named in full.
    script(QStringLiteral("xdg-mime"),
           QStringLiteral("dir='%1'\n"
                          "key=\"${3%%/*}_${3#*/}\"\n"
                          "echo \"$3\" >> \"$dir/queries\"\n"
                          "/bin/mkdir \"$dir/$key.running\" 2>/dev/null || "
                          "echo \"overlap $3\" >> \"$dir/queries\"\n"
                          "while [ -e \"$dir/gate-shut\" ]; do /bin/sleep 0.01; done\n"
                          "/bin/rmdir \"$dir/$key.running\"\n"
                          "[ -f \"$dir/$key\" ] || exit 1\n"
                          "/bin/cat \"$dir/$key\"\n")
               .arg(queries_.path()));
}

QString StandInDesktop::answerFile(const QString& type) const {
    return queries_.filePath(QString(type).replace(QLatin1Char('/'), QLatin1Char('_')));
}

void StandInDesktop::setDefault(const QString& type, const std::optional<QString>& application) {
    if (application) {
        writeFile(answerFile(type), application->toUtf8() + '\n');
    } else {
        QFile::remove(answerFile(type));
    }
}

void StandInDesktop::shutGate() { writeFile(queries_.filePath(QStringLiteral("gate-shut")), {}); }

void StandInDesktop::openGate() { QFile::remove(queries_.filePath(QStringLiteral("gate-shut"))); }

QStringList StandInDesktop::queries() const {
    return linesOf(queries_.filePath(QStringLiteral("queries")));
}

void StandInDesktop::recorder(const QString& name) {
    script(name, QStringLiteral("prev=\n"
                                "for a in \"$@\"; do\n"
                                "  printf '%s\\n' \"$a\" >> '%1'\n"
                                "  if [ \"$prev\" = --attach ] && [ -f \"$a\" ]; then "
                                "echo present > '%1.attachment'; fi\n"
                                "  prev=$a\n"
                                "done\n"
                                ": > '%1.done'\n")
                     .arg(log(name)));
}

void StandInDesktop::script(const QString& name, const QString& body, const QString& shell) {
    const QString path = bin_.filePath(name);
    writeFile(path, ("#!" + shell + "\n" + body).toUtf8());
    QFile::setPermissions(path,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

void StandInDesktop::removeProgram(const QString& name) { QFile::remove(bin_.filePath(name)); }

QString StandInDesktop::log(const QString& name) const {
    return bin_.filePath(name + QStringLiteral(".log"));
}

QStringList StandInDesktop::calls(const QString& name) const {
    if (!QTest::qWaitFor([&] { return QFile::exists(log(name) + ".done"); }, 5000)) return {};
    return linesOf(log(name));
}

bool StandInDesktop::attachmentWasThere(const QString& name) const {
    return QFile::exists(log(name) + ".attachment");
}

QStringList StandInDesktop::temporaryFiles() const {
    return QDir(tmp_.path()).entryList(QDir::Files);
}

QStringList StandInDesktop::documentFiles() const {
    return QDir(documents()).entryList(QDir::Files);
}

}  // namespace testing_ui
