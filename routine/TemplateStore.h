#pragma once

#include <QDate>
#include <QDir>
#include <QList>
#include <QString>
#include <functional>

#include "orders/OrderRow.h"
#include "routine/OrderTemplate.h"

// A template file that could not be read, and why.
struct DamagedTemplate {
    QString file;  // "Templates/template.3"
    QString reason;
};

// The templates of a working folder, as they were read at one moment.
struct TemplateList {
    QList<OrderTemplate> templates;  // in the order of their ids
    QList<DamagedTemplate> damaged;  // never left out in silence: the user is told of each

    // "Не могу прочитать шаблоны:" and a line per damaged file; empty when there is none.
    QString DamagedMessage() const;
    const OrderTemplate* Find(int id) const;
};

// The templates of a working folder, one file each in its folder "Templates" (Templates/template.N,
// see TemplateFile), and the day the payments due were last looked at (Templates/last-check).
// Every change reads the file again and writes it whole by the safe save, so that a change made
// meanwhile by another editor on the same folder is kept.
class TemplateStore {
public:
    explicit TemplateStore(const QDir& workingFolder = QDir());

    static QString FolderName();
    static QString FileName(int id);

    TemplateList ReadAll() const;

    // Keeps the order as a new template of the name. Refused, with the reason in *error, when the
    // name is empty, is another template's (letter case ignored) or holds what a file cannot keep,
    // when the recurrence makes no sense, or when the file cannot be written. The template's month
    // is that of the order's date (of today when the order's date is not a date).
    bool Add(const QString& name, const OrderRow& order, const Recurrence& recurrence,
             const QDate& today, OrderTemplate* added, QString* error) const;
    // Writes a changed template (its name, its recurrence) over its file, by the same rules.
    bool Replace(const OrderTemplate& changed, QString* error) const;
    // Moves the template's file to the desktop's trash where it can go, else removes it.
    bool Remove(int id, QString* error) const;

    // Records that order number was made for the payment of the key, or that the payment is
    // skipped; the template's other payments stay as they were.
    bool MarkMade(int id, const QString& key, int number, QString* error) const;
    bool Skip(int id, const QString& key, QString* error) const;

    // The day the payments due were last looked at; invalid when never. Recorded only in a folder
    // that has templates: the folder "Templates" is not made for it alone.
    QDate LastCheck() const;
    bool RecordCheck(const QDate& day, QString* error) const;

private:
    QString PathOf(const QString& name) const;
    bool Read(int id, OrderTemplate* orderTemplate, QString* error) const;
    bool Write(const OrderTemplate& orderTemplate, QString* error) const;
    // Refuses what Add and Replace refuse; other is the template the name may stay with.
    QString Refusal(const QString& name, const Recurrence& recurrence, int other) const;
    bool Update(int id, const std::function<void(OrderTemplate*)>& change, QString* error) const;
    QList<int> Ids() const;

    QDir m_folder;
};
