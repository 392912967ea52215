#include <QtTest>
class TestBikFill : public QObject { Q_OBJECT };
QTEST_MAIN(TestBikFill)
#include "tst_bikfill.moc"
