#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

// Files as the tests see them: raw bytes, as another program would write or read them.

inline QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

inline void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
    QCOMPARE(file.write(bytes), bytes.size());
}

// A temporary working folder holding the given data files, as the program finds its data in the
// process's working directory. While the object lives the folder is the working directory (unless
// asked otherwise); on destruction the previous one is restored and the folder removed.
class TestFolder {
public:
    enum class Enter { Yes, No };
    // Relative path → bytes; a path ending in "/" is an empty folder. Folders are made as needed.
    using Files = QMap<QString, QByteArray>;

    explicit TestFolder(const Files& files = {}, Enter enter = Enter::Yes)
        : m_previous(QDir::currentPath()) {
        m_valid = m_dir.isValid();
        for (auto it = files.begin(); it != files.end() && m_valid; ++it) {
            m_valid = Write(it.key(), it.value());
        }
        if (m_valid && enter == Enter::Yes) {
            m_valid = QDir::setCurrent(m_dir.path());
            m_entered = m_valid;
        }
    }
    ~TestFolder() {
        if (m_entered) {
            QDir::setCurrent(m_previous);
        }
    }
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    // False when the folder or one of its files could not be made.
    bool isValid() const { return m_valid; }
    QString Path() const { return m_dir.path(); }
    QString FilePath(const QString& name) const { return m_dir.filePath(name); }

    bool Write(const QString& name, const QByteArray& bytes) const {
        const QString path = FilePath(name);
        if (name.endsWith(QLatin1Char('/'))) {
            return QDir().mkpath(path);
        }
        if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
            return false;
        }
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }
    QByteArray Read(const QString& name) const { return ReadBytes(FilePath(name)); }

    // What a folder inside holds, by name, hidden entries included.
    QStringList Entries(const QString& folder = QStringLiteral(".")) const {
        return QDir(FilePath(folder))
            .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
    }

private:
    QString m_previous;
    QTemporaryDir m_dir;
    bool m_valid = false;
    bool m_entered = false;
};
