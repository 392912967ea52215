#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <memory>

class WorkingFolder;

// The bank's files the program keeps in the working folder, in a folder of their own ("Bank"):
// a copy of every file it wrote for the bank and of every statement it read, byte for byte. A
// kept file is written once, completely or not at all, and never changed afterwards; what was
// sent and what the bank did are read from them.
//
// Names say what a file is and when it was kept, so that they sort in that order:
// "Bank/1c_to_kl_2026-12-08_14-30-12.txt" for an export (with the payer's bank's BIK after the
// time when one export wrote a file per bank: "..._14-30-12_044525225.txt"),
// "Bank/kl_to_1c_2026-12-09_09-05-41.txt" for a statement; "_2", "_3" follow the time when
// several files are kept in one second.
namespace KeptFiles {

inline constexpr char kFolder[] = "Bank";

enum class Kind { Export, Statement };

struct KeptFile {
    Kind kind = Kind::Export;
    QString name;  // in the working folder: "Bank/kl_to_1c_2026-12-09_09-05-41.txt"
    QDateTime kept;
    qint64 size = 0;
    QDateTime modified;  // as the file system has it, to tell whether a copy read before is this
};

struct Outcome {
    bool kept = false;         // the file is kept now
    bool alreadyKept = false;  // the same bytes were kept before, and nothing was written
    QString name;              // the kept file, or the one kept before
    QString error;             // why it could not be kept, in the user's words
};

// Keeps a copy of the bytes. The same bytes of the same kind kept before are not kept again:
// reading one statement twice changes nothing. A tag (a BIK) goes into the name as letters and
// digits.
Outcome Keep(const WorkingFolder& folder, Kind kind, const QByteArray& bytes, const QDateTime& now,
             const QString& tag = QString());

// A copy kept while the file it copies is written, a piece at a time: an export too large to be
// held whole. Nothing is kept until Keep; destroyed before, it leaves the folder as it was. Unlike
// Keep(bytes), it keeps the copy whatever was kept before: an export is dated by its header.
class Keeping {
public:
    Keeping(const WorkingFolder& folder, Kind kind, const QDateTime& now,
            const QString& tag = QString());
    ~Keeping();
    Keeping(const Keeping&) = delete;
    Keeping& operator=(const Keeping&) = delete;

    // Makes the folder and the copy's file; false, with *error in the user's words, when it
    // cannot: then nothing is to be written that would not be kept.
    bool Begin(QString* error);
    bool Write(const QByteArray& bytes, QString* error);
    // Every byte on disk, the copy not named yet.
    bool Finish(QString* error);
    // Gives the copy its name.
    Outcome Keep();

private:
    struct Parts;
    std::unique_ptr<Parts> m;
};

// Every kept file, in the order kept. Files of other names in the folder are not the program's.
QList<KeptFile> List(const WorkingFolder& folder);

// A kept file's bytes; false when it cannot be read any more.
bool Read(const WorkingFolder& folder, const KeptFile& file, QByteArray* bytes);

}  // namespace KeptFiles
