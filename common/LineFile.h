#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include "common/RegularFile.h"

// Text files of lines in code page 1251, the form of every data file of the program.
// A line ends at LF, and a CR right before the LF is dropped, so LF and CRLF files read alike;
// a last line without a line end is a line too. Writing ends every line with CRLF.
namespace LineFile {

// Ok: the lines are filled. Missing, Unreadable (anything but a regular file, a FIFO or a device
// included): the lines are empty.
using ReadResult = RegularFile::ReadResult;

// With digest, also gives a hash of the file's bytes (empty unless Ok), by which a later Digest
// tells whether the file changed since.
ReadResult Read(const QString& path, QStringList* lines, QByteArray* digest = nullptr);

// The hash of the file's bytes as Read gives it; empty when the file is missing or unreadable.
QByteArray Digest(const QString& path);

// Replaces the file with the lines in one step: the new content takes the file's place only once
// every byte of it is on disk. Returns false when anything failed, or when a line would not read
// back as it stands (it holds an LF, or a character outside code page 1251); the old file is then
// untouched, and *error says why in the user's words (empty for a line that cannot be stored).
// Whatever Read gave, a lone CR included, writes back byte for byte.
// A data file is written only where a regular file or nothing stands: a symbolic link is never
// written through (that would replace a file outside the working folder), and a FIFO, a device
// or a folder is never replaced.
bool Write(const QString& path, const QStringList& lines, QString* error = nullptr);

// Why the data file at path may not be replaced, as Write tells it; empty when it may.
QString RefusedReplacement(const QString& path);

// The lines of a file's bytes, one at a time, by the rule above: a line ends at LF with a CR right
// before it dropped, and a last line without a line end is a line too. The one line splitter of
// every data file; the bytes must outlive it.
class Scanner {
public:
    explicit Scanner(QByteArrayView bytes) : m_bytes(bytes) {}

    // The next line, without its line end; false when there is none left.
    bool Next(QByteArrayView* line);

private:
    QByteArrayView m_bytes;
    qsizetype m_pos = 0;
};

// Where tests make writing fail at a chosen point; nullptr in the program.
extern bool (*g_pWriteFault)(const QString& path);

}  // namespace LineFile
