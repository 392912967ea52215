#pragma once

#include <QDate>
#include <QDateTime>

// The program's today: the system's, or a day fixed at start (vemo --today=ГГГГ-ММ-ДД), so that
// a test or a demonstration can see the payments due a month from now. Handed down to whatever
// asks what day it is, as the working folder is.
class Clock {
public:
    // The system's clock.
    Clock() = default;
    // A clock that stands at the day; the time of day still runs. An invalid day is the system's.
    static Clock FixedAt(const QDate& day);

    QDate Today() const;
    QDateTime Now() const;

private:
    QDate m_fixedDay;
};
