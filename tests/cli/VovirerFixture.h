#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "tests/support/RunProcess.h"
#include "tests/support/TestFolder.h"

namespace clitest {

using testsupport::ProcessOptions;
using Result = testsupport::ProcessResult;

// A test that runs the built tool as a process, in a temporary folder of its own where it
// writes and reads its files.
class VovirerFixture : public ::testing::Test {
  protected:
    // Runs the tool in the folder.
    Result run(const QStringList& args, const ProcessOptions& options = {}) const {
        return runProgram(QStringLiteral(VOVIRER_PATH), args, options);
    }
    // Runs another program in the folder.
    Result runProgram(const QString& program, const QStringList& args,
                      ProcessOptions options = {}) const {
        options.workingFolder = dir.path();
        return testsupport::RunProcess(program, args, options);
    }
    // Runs a shell command line in the folder with the tool as $V: for arguments the tool must
    // get as bytes.
    Result shell(const QString& script, ProcessOptions options = {}) const {
        options.environment.emplace_back(QStringLiteral("V"), QStringLiteral(VOVIRER_PATH));
        return runProgram(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), script}, options);
    }
    QString write(const QString& name, const QByteArray& bytes) const {
        return dir.write(name, bytes);
    }
    QByteArray read(const QString& name) const { return dir.read(name); }
    QString path(const QString& name) const { return dir.path(name); }

    testsupport::TestFolder dir;
};

}  // namespace clitest
