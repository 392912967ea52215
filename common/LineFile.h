#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>

// Text files of lines in code page 1251, the form of every data file of the program.
// A line ends at LF, and a CR right before the LF is dropped, so LF and CRLF files read alike;
// a last line without a line end is a line too. Writing ends every line with CRLF.
namespace LineFile {

enum class ReadResult {
    Ok,          // the file was read; the lines are filled
    Missing,     // there is no such file; the lines are empty
    Unreadable,  // the file is there but could not be read; the lines are empty
};

// With digest, also gives a hash of the file's bytes (empty unless Ok), by which a later Digest
// tells whether the file changed since.
ReadResult Read(const QString& path, QStringList* lines, QByteArray* digest = nullptr);

// The hash of the file's bytes as Read gives it; empty when the file is missing or unreadable.
QByteArray Digest(const QString& path);

// Replaces the file with the lines in one step: the new content takes the file's place only once
// every byte of it is on disk. Returns false when anything failed, or when a line would not read
// back as it stands (it holds an LF, or a character outside code page 1251); the old file is then
// untouched. Whatever Read gave, a lone CR included, writes back byte for byte.
bool Write(const QString& path, const QStringList& lines);

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
