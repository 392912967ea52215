#pragma once

#include <QByteArray>
#include <QString>

#include "common/CRequisiteArray.h"

// One address book: the records of one requisites file, changed in memory and written back only
// when they changed. It remembers what the file held when it was read, so that a save can tell
// whether another window or program has changed the file since.
class AddressBook {
public:
    enum class Outcome {
        NotLoaded,   // Load has not run
        Missing,     // there was no file: an empty book
        Read,        // the file's records are in the book
        Unreadable,  // the file is there but could not be read: the book lacks its records
    };

    explicit AddressBook(const QString& path = QString());

    // Replaces the records with the file's.
    Outcome Load();
    Outcome LoadOutcome() const { return m_outcome; }
    const QString& Path() const { return m_path; }

    const CRequisiteArray& Records() const { return m_records; }
    int Count() const { return int(m_records.size()); }
    const CRequisite& At(int index) const { return m_records.at(index); }

    void Add(const CRequisite& record);
    void Change(int index, const CRequisite& record);
    void Remove(int index);

    // Whether the records differ from what the file held when it was read or last saved.
    bool IsChanged() const;
    // Whether the file on disk is no longer what this book read or last saved.
    bool ChangedOnDisk() const;

    // Writes the records over the file, whatever it holds now; the file replaced goes to the
    // desktop's trash first, where there is one. Refuses, writing nothing, when the
    // file could not be read: the records would replace ones the book never saw. False, with the
    // file as it was, when it could not be written; *error then says why, when there is more to
    // say than that (a link at the path is never written through, a full disk).
    bool Save(QString* error = nullptr);

private:
    QString m_path;
    Outcome m_outcome = Outcome::NotLoaded;
    CRequisiteArray m_records;
    CRequisiteArray m_stored;  // what the file holds, as far as this book knows
    QByteArray m_digest;       // of the file's bytes as read or written; empty for no file
};
