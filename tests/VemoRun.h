#pragma once

#include <QByteArray>
#include <QDir>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include "FileSizeLimit.h"
#include "TestEnvironment.h"

// The program itself run as a user runs it from a shell.

// A runtime folder of its own, or the toolkit says on standard error that it made one up; with
// ownSettings, settings of its own too: nothing chosen in the editor.
inline QProcessEnvironment RunEnvironment(const QTemporaryDir& runtime, bool ownSettings = false) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_RUNTIME_DIR", runtime.path());
    if (ownSettings) {
        environment.insert("XDG_CONFIG_HOME", QDir(runtime.path()).filePath("config"));
    }
    return environment;
}

struct VemoRun {
    bool finished = false;  // false: still running at the deadline, and killed
    int exitCode = -1;
    QByteArray outBytes;
    QString out;
    QString err;
};

// Runs the program in the current folder, its files no larger than diskBytes where that is
// given; a run that has not ended within the deadline is killed.
inline VemoRun RunVemo(const QStringList& arguments, int deadlineMs = 30000,
                       bool ownSettings = false, int diskBytes = 0) {
    QTemporaryDir runtime;
    QProcess vemo;
    vemo.setProcessEnvironment(RunEnvironment(runtime, ownSettings));
    if (diskBytes > 0) {
        LimitFileSize(vemo, diskBytes);
    }
    vemo.start(VemoExecutable(), arguments);
    VemoRun run;
    run.finished = vemo.waitForFinished(deadlineMs) && vemo.exitStatus() == QProcess::NormalExit;
    if (!run.finished) {
        vemo.kill();
        vemo.waitForFinished();
    }
    run.exitCode = vemo.exitCode();
    run.outBytes = vemo.readAllStandardOutput();
    run.out = QString::fromLocal8Bit(run.outBytes);
    run.err = QString::fromLocal8Bit(vemo.readAllStandardError());
    return run;
}
