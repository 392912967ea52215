#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <memory>

struct archive;

// Reading a zip archive's entries one after another, as they stand in it, by the zip library
// (libarchive). The archive's bytes must outlive the reader.
class ZipReader {
public:
    enum class Type { File, Folder, Link, Other };
    struct Entry {
        QString name;
        Type type = Type::Other;
        bool hardLink = false;  // a second name of another entry
        QDateTime modified;     // invalid when it has none
    };
    enum class ReadResult { Ok, Damaged, TooLarge };

    explicit ZipReader(const QByteArray& bytes);
    ~ZipReader();
    ZipReader(const ZipReader&) = delete;
    ZipReader& operator=(const ZipReader&) = delete;

    // The next entry; false at the end of the archive, or when it is damaged (Damaged() then).
    bool Next(Entry* entry);
    bool Damaged() const { return m_damaged; }

    // The current entry's contents, at most maxSize bytes: TooLarge as soon as there are more.
    ReadResult Read(qint64 maxSize, QByteArray* contents);

    // "архив zip поврежден (причина)", the library's reason in it.
    QString DamagedText() const;

private:
    struct Free {
        void operator()(archive* reader) const;
    };
    std::unique_ptr<archive, Free> m_reader;
    bool m_damaged = false;
};
