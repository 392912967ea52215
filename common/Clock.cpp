#include "common/Clock.h"

Clock Clock::FixedAt(const QDate& day) {
    Clock clock;
    clock.m_fixedDay = day;
    return clock;
}

QDate Clock::Today() const {
    return m_fixedDay.isValid() ? m_fixedDay : QDate::currentDate();
}

QDateTime Clock::Now() const {
    const QDateTime now = QDateTime::currentDateTime();
    return m_fixedDay.isValid() ? QDateTime(m_fixedDay, now.time()) : now;
}
