#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <optional>

namespace testing_ui {

// What the window says when the desktop names no program for a workbook or a mail.
inline const QString kNoSpreadsheet = QStringLiteral(
    "Excel dökümü alabilmek için bilgisayarınızda LibreOffice Calc gibi bir hesap tablosu "
    "programı kurulu olmalıdır!");
inline const QString kNoMailProgram = QStringLiteral(
    "Mail gönderebilmek için, bilgisayarınızda Thunderbird gibi bir mail programı kurulu ve "
    "varsayılan mail programı olarak seçili olmalıdır.");

// A PATH of stand-ins for the desktop's tools only, and a temporary folder and home of the
// test's own; all restored after. Every program the window starts is noted, then started as
// the program starts it.
class StandInDesktop {
  public:
    StandInDesktop();
    ~StandInDesktop();
    StandInDesktop(const StandInDesktop&) = delete;
    StandInDesktop& operator=(const StandInDesktop&) = delete;

    // xdg-mime answering `query default TYPE` with the application for the types given.
    void defaultApplications(const QString& xlsx, const QString& mailto);

    // xdg-mime answering `query default TYPE` with what setDefault last set for the type,
    // noting each query and whether another one for the same type ran at the same time; it
    // holds its answer while the gate is shut.
    void changingDefaults();
    // No application: xdg-mime fails, as for an unknown type.
    void setDefault(const QString& type, const std::optional<QString>& application);
    void shutGate();
    void openGate();
    // The types asked, in order; "overlap TYPE" where a query started while one ran.
    QStringList queries() const;

    // A program that writes its arguments, one a line, and whether the file after
    // --attach exists, then leaves a marker.
    void recorder(const QString& name);
    void script(const QString& name, const QString& body,
                const QString& shell = QStringLiteral("/bin/sh"));
    void removeProgram(const QString& name);

    QString log(const QString& name) const;
    // The recorded arguments, once the program has run.
    QStringList calls(const QString& name) const;
    // Whether the program asked for any program to be started; known at once, as the start
    // is requested while the command runs.
    bool startedAnyProgram() const { return !started_.isEmpty(); }
    // The names of the programs started, in order; the spreadsheet program rather than the
    // shell that watches it.
    const QStringList& programsStarted() const { return started_; }
    bool attachmentWasThere(const QString& name) const;
    QStringList temporaryFiles() const;
    QString temporaryFolder() const { return tmp_.path(); }
    QString documents() const { return home_.filePath(QStringLiteral("Documents")); }
    QStringList documentFiles() const;

  private:
    QString answerFile(const QString& type) const;

    QByteArray oldPath_;
    QByteArray oldTmp_;
    QByteArray oldHome_;
    QByteArray oldConfig_;
    QStringList started_;
    QTemporaryDir bin_;
    QTemporaryDir tmp_;
    QTemporaryDir home_;
    QTemporaryDir queries_;
};

}  // namespace testing_ui
