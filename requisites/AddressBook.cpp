#include "requisites/AddressBook.h"

#include "common/DesktopTrash.h"
#include "common/LineFile.h"
#include "requisites/RequisitesFile.h"

AddressBook::AddressBook(const QString& path) : m_path(path) {}

AddressBook::Outcome AddressBook::Load() {
    QStringList lines;
    switch (LineFile::Read(m_path, &lines, &m_digest)) {
        case LineFile::ReadResult::Ok:
            m_outcome = Outcome::Read;
            break;
        case LineFile::ReadResult::Missing:
            m_outcome = Outcome::Missing;
            break;
        case LineFile::ReadResult::Unreadable:
            m_outcome = Outcome::Unreadable;
            break;
    }
    m_records = RequisitesFile::FromLines(lines);
    m_stored = m_records;
    return m_outcome;
}

void AddressBook::Add(const CRequisite& record) {
    m_records.append(record);
}

void AddressBook::Change(int index, const CRequisite& record) {
    if (!(m_records.at(index) == record)) {
        m_records[index] = record;  // only a real change parts the list from the stored one
    }
}

void AddressBook::Remove(int index) {
    m_records.removeAt(index);
}

bool AddressBook::IsChanged() const {
    return m_records != m_stored;
}

bool AddressBook::ChangedOnDisk() const {
    return LineFile::Digest(m_path) != m_digest;
}

bool AddressBook::Save(QString* error) {
    if (m_outcome == Outcome::Unreadable) {
        return false;
    }
    // The file replaced waits in the desktop's trash, where there is one, so that a record
    // deleted by mistake can be brought back; without a trash the save goes on all the same.
    DesktopTrash::KeepInTrash(m_path);
    if (!RequisitesFile::Write(m_path, m_records, error)) {
        return false;
    }
    m_stored = m_records;
    m_digest = LineFile::Digest(m_path);
    return true;
}
