#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

// What a copy of the data holds, as the user sees it before it is restored.
struct BackupSummary {
    struct Part {
        QString caption;  // as KeptData names it
        bool present = false;
        qsizetype files = 0;    // of a folder
        qsizetype records = 0;  // of an address book
    };
    QDateTime made;
    QString folder;     // the working folder it was made of
    QList<Part> parts;  // in the order of KeptData::All()

    // "Копия данных от 07.12.2026 17:28 из папки …", then a line per part: "реквизиты
    // плательщиков: 2 записи", "платежные поручения: 12 файлов", "шаблоны: нет".
    QString Text() const;

    // Counts what a copy holds, folder by folder and file by file.
    class Counter {
    public:
        Counter();
        void Folder(const QString& name);
        void File(const QString& name, const QByteArray& bytes);
        BackupSummary Summary(const QDateTime& made, const QString& folder) const;

    private:
        QList<Part> m_parts;
    };
};
