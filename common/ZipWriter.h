#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

struct archive;

// Writing a zip archive in memory, its files deflated and their names in UTF-8, by the zip library
// that reads them (libarchive).
class ZipWriter {
public:
    ZipWriter();
    ~ZipWriter();
    ZipWriter(const ZipWriter&) = delete;
    ZipWriter& operator=(const ZipWriter&) = delete;

    // A file or a folder at the name ("Vemo/vemo.7", "Vemo"), modified at the time given. False
    // once anything failed; Finish then says why.
    bool AddFile(const QString& name, const QByteArray& bytes, const QDateTime& modified);
    bool AddFolder(const QString& name, const QDateTime& modified);

    // Ends the archive: its bytes, or false with the reason in *error.
    bool Finish(QByteArray* bytes, QString* error);

private:
    bool Add(const QString& name, unsigned int type, const QByteArray& bytes,
             const QDateTime& modified);
    bool Fail();

    friend struct ZipWriterSink;

    archive* m_writer;
    QByteArray m_bytes;
    QString m_error;
};
