#pragma once

#include <QByteArray>
#include <QString>
#include <memory>

// Writing whole files so that a save either reaches the disk completely or fails with a reason.
// On failure *error says why in the user's words, the system's reason in Russian ("нет места на
// диске").
namespace SafeSave {

// What a save does with a symbolic link at its path.
enum class AtLink {
    Follow,   // replaces the file the link leads to, as a user who pointed an output there means;
              // a link planted by another user (RefusedPlantedLink) is refused
    Replace,  // the link itself gives way to the new file: for data files, never written through
};

// Replaces the file at path with the bytes in one step: they go to a temporary file beside it,
// every byte is written out and checked, and only then is it renamed over the file's name. The
// folder is held open from the first look at the name to the rename, and a rename replaces a
// name, never what a link there points to: a link swapped in meanwhile is never written through.
// On failure the old file (or its absence) stays as it was and no temporary file is left behind.
// The temporary files are named after the file (".NAME.vemo-save"), so that one left by a save
// that was killed before its rename is removed by the next save of the same file; one a save
// still under way holds (locked) is left alone.
bool ReplaceFile(const QString& path, const QByteArray& bytes, QString* error,
                 AtLink atLink = AtLink::Follow);

// The same for the name in a folder the caller holds open (a descriptor), which it has found to be
// its own: the name itself is replaced, whatever stands there.
bool ReplaceFileIn(int folder, const QByteArray& name, const QByteArray& bytes, QString* error);

// Writes the bytes straight into the pipe or the device at path, which a temporary file and a
// rename would turn into a regular file. What is opened there is checked: a regular file that
// took the name meanwhile is replaced as ReplaceFile does, never written into.
bool WriteInPlace(const QString& path, const QByteArray& bytes, QString* error);

// Writes the bytes to the process's standard output.
bool WriteToStandardOutput(const QByteArray& bytes, QString* error);

// Where a command line's output goes: "-" is standard output, a pipe or a device is written into
// as it stands, and anything else is replaced in one step.
bool WriteOutput(const QString& path, const QByteArray& bytes, QString* error);

// Why no file may be written at path: it is a symbolic link that another user made in a folder
// where everyone may create files but only the owner may remove them (such as /tmp), the trap
// by which that user would have this program replace a file of ours. The kernel refuses to
// follow such a link for an open; a save that renames a new file over its target never opens
// it, so it is refused here. Empty when the path may be written.
QString RefusedPlantedLink(const QString& path);

// A file written a piece at a time, for a file too large to be made whole in memory first: written
// as ReplaceFile writes it, beside its name, and given the name by Commit once Finish has put every
// byte on disk. Destroyed before that, it leaves the file at the name as it was and no temporary
// file behind. Opened by OpenOutput on standard output, a pipe or a device, it writes into it as
// it goes (IsStream), and what went there cannot be taken back.
class PendingFile {
public:
    PendingFile();
    ~PendingFile();
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    // The file at path, found as ReplaceFile finds it.
    bool Open(const QString& path, QString* error, AtLink atLink = AtLink::Follow);
    // The pipe or the device at path, as WriteInPlace writes into it.
    bool OpenInPlace(const QString& path, QString* error);
    // Where a command line's output goes, as WriteOutput writes it.
    bool OpenOutput(const QString& path, QString* error);

    bool Write(const QByteArray& bytes, QString* error);
    bool Finish(QString* error);
    bool Commit(QString* error);
    bool IsStream() const;

private:
    struct Parts;
    std::unique_ptr<Parts> m;
};

// Where tests step in once a save has checked what stands at its name and written the new bytes
// beside it, before they take the name (given as a path); nullptr in the program.
extern void (*g_pBeforeReplacing)(const QString& path);

}  // namespace SafeSave
