#pragma once

#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QString>
#include <QtGlobal>

// What a test program needs from its surroundings, so that it runs the same under ctest and when
// started by hand from the build tree.

// The editor's executable: the one ctest names, else the one built beside the tests' folder
// (tests in build/tests, the editor in build/).
inline QString VemoExecutable() {
    const QString named = qEnvironmentVariable("VEMO_EXECUTABLE");
    if (!named.isEmpty()) {
        return named;
    }
    return QDir(QCoreApplication::applicationDirPath()).absoluteFilePath(QStringLiteral("../vemo"));
}

// Windows under test need no display: unless a platform is chosen, draw them offscreen. Called
// from a test class's static initMain(), which Qt Test runs before it makes the application.
inline void UseOffscreenPlatformUnlessSet() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
}

// A hang ends the test program instead of the whole run: while the object lives, an alarm is
// set; if it goes off, the program is killed, and the test fails by that.
class Deadline {
public:
    explicit Deadline(unsigned seconds) { alarm(seconds); }
    ~Deadline() { alarm(0); }
    Deadline(const Deadline&) = delete;
    Deadline& operator=(const Deadline&) = delete;
};
