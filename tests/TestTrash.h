#pragma once

#include <QByteArray>
#include <QDir>
#include <QDirIterator>
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
    // Whether the home holds the desktop's data folder, in which the trash is made when needed.
    enum class DataFolder { Made, Missing };

    explicit TestTrash(DataFolder data = DataFolder::Made)
        : m_home(HomeBeside()),
          m_oldHome(qgetenv("HOME")),
          m_oldDataHome(qgetenv("XDG_DATA_HOME")),
          m_hadHome(qEnvironmentVariableIsSet("HOME")),
          m_hadDataHome(qEnvironmentVariableIsSet("XDG_DATA_HOME")) {
        qputenv("HOME", QFile::encodeName(m_home.path()));
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_home.filePath(".local/share")));
        if (data == DataFolder::Made) {
            QDir().mkpath(DataPath());  // as on a desktop; the trash itself is made when needed
        }
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

    // Whether the trash the program uses now is this one, under the test's home: never the user's.
    bool IsInUse() const { return Folder().startsWith(m_home.path() + QLatin1Char('/')); }

    // The names of the files in the trash.
    QStringList Files() const {
        return QDir(Folder() + QStringLiteral("/files")).entryList(QDir::Files | QDir::Hidden);
    }
    // Everything in the trash's info folder, each file's NAME.trashinfo.
    QStringList InfoFiles() const {
        return QDir(Folder() + QStringLiteral("/info"))
            .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
    }
    QByteArray Info(const QString& name) const {
        QFile info(Folder() + QStringLiteral("/info/") + name + QStringLiteral(".trashinfo"));
        return info.open(QIODevice::ReadOnly) ? info.readAll() : QByteArray("<none>");
    }
    // Everything under the home, to see that nothing was made where no trash may be.
    QStringList HomeEntries() const {
        QStringList entries;
        QDirIterator it(m_home.path(), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            entries.append(QDir(m_home.path()).relativeFilePath(it.next()));
        }
        entries.sort();
        return entries;
    }
    static QString Folder() { return DataPath() + QStringLiteral("/Trash"); }

    // Leaves the system without a trash: a plain file stands where its folder would be.
    bool Block() const {
        QFile blocker(Folder());
        return blocker.open(QIODevice::WriteOnly);
    }

private:
    static QString HomeBeside() { return QDir::tempPath() + QStringLiteral("/vemo-home-XXXXXX"); }
    // Where the desktop keeps the trash: the generic data folder (which Qt's test mode moves
    // under the home as well).
    static QString DataPath() {
        return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    }
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
