#include "tests/support/RunProcess.h"

#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonParseError>
#include <QProcess>
#include <QProcessEnvironment>

namespace testsupport {

QJsonObject ProcessResult::json() const {
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(out, &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << out.toStdString();
    EXPECT_TRUE(doc.isObject()) << out.toStdString();
    return doc.object();
}

ProcessResult RunProcess(const QString& program, const QStringList& arguments,
                         const ProcessOptions& options) {
    QProcess process;
    if (!options.workingFolder.isEmpty()) process.setWorkingDirectory(options.workingFolder);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LANG"), QStringLiteral("C"));
    env.remove(QStringLiteral("LC_ALL"));
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    for (const auto& [name, value] : options.environment) env.insert(name, value);
    process.setProcessEnvironment(env);
    if (!options.standardOutputFile.isEmpty())
        process.setStandardOutputFile(options.standardOutputFile);
    process.start(program, arguments);
    const bool finished = process.waitForFinished(options.timeoutMs);
    EXPECT_TRUE(finished) << program.toStdString() << ' '
                          << arguments.join(QLatin1Char(' ')).toStdString();
    ProcessResult result;
    if (finished && process.exitStatus() == QProcess::NormalExit)
        result.status = process.exitCode();
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

}  // namespace testsupport
