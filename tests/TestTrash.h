#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QStorageInfo>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A desktop trash of the test's own. While the object lives, HOME and XDG_DATA_HOME point into a
// temporary folder, so that files the program moves to the trash never reach the real user's.
class TestTrash {
public:
    TestTrash()
        : m_home(HomeBeside()),
          m_oldHome(qgetenv("HOME")),
          m_oldDataHome(qgetenv("XDG_DATA_HOME")),
          m_hadHome(qEnvironmentVariableIsSet("HOME")),
          m_hadDataHome(qEnvironmentVariableIsSet("XDG_DATA_HOME")) {
        qputenv("HOME", QFile::encodeName(m_home.path()));
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_home.filePath(".local/share")));
        QDir().mkpath(DataFolder());  // as on a desktop; the trash itself is made when needed
    }
    ~TestTrash() {
        Restore("HOME", m_hadHome, m_oldHome);
        Restore("XDG_DATA_HOME", m_hadDataHome, m_oldDataHome);
    }
    TestTrash(const TestTrash&) = delete;
    TestTrash& operator=(const TestTrash&) = delete;

    // The trash is used only for files on the home's volume; a file elsewhere would make the
    // toolkit make a trash at that volume's root, outside the test. So a test trashes only files
    // for which this holds.
    bool SharesVolumeWith(const QString& path) const {
        return m_home.isValid() && QStorageInfo(m_home.path()) == QStorageInfo(path);
    }

    // The names of the files in the trash.
    QStringList Files() const {
        return QDir(Folder() + QStringLiteral("/files")).entryList(QDir::Files | QDir::Hidden);
    }

    // Leaves the system without a trash: a plain file stands where its folder would be.
    bool Block() const {
        QFile blocker(Folder());
        return blocker.open(QIODevice::WriteOnly);
    }

private:
    static QString HomeBeside() { return QDir::tempPath() + QStringLiteral("/vemo-home-XXXXXX"); }
    // Where the toolkit keeps the trash: the generic data folder (which Qt's test mode moves
    // under the home as well).
    static QString DataFolder() {
        return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    }
    static QString Folder() { return DataFolder() + QStringLiteral("/Trash"); }
    static void Restore(const char* name, bool had, const QByteArray& value) {
        if (had) {
            qputenv(name, value);
        } else {
            qunsetenv(name);
        }
    }

    QTemporaryDir m_home;
    QByteArray m_oldHome;
    QByteArray m_oldDataHome;
    bool m_hadHome;
    bool m_hadDataHome;
};
