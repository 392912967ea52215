#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "TestEnvironment.h"
#include "TestFolder.h"
#include "app/CAboutDlg.h"
#include "app/CMainFrame.h"
#include "app/CVemoApp.h"
#include "widgets/DialogUnits.h"

namespace {

const QString kLine1 = QStringLiteral("Отзывы,  предложения,  информация о  дальней-");
const QString kLine2Start = QStringLiteral("ших версиях программы по адресу ");

// The dialog's own widgets in the order they were made (the tab order).
QList<QWidget*> Controls(const QDialog& dlg) {
    QList<QWidget*> controls;
    for (QObject* child : dlg.children()) {
        if (auto* widget = qobject_cast<QWidget*>(child)) {
            controls.append(widget);
        }
    }
    return controls;
}

QString TextOf(const QWidget* widget) {
    if (auto* label = qobject_cast<const QLabel*>(widget)) {
        return label->text();
    }
    if (auto* button = qobject_cast<const QAbstractButton*>(widget)) {
        return button->text();
    }
    return QString();
}

// The two strip lines are the labels that come after the template's five controls.
QList<QLabel*> InformationLines(const QDialog& dlg) {
    QList<QLabel*> lines;
    for (QWidget* widget : Controls(dlg).mid(5)) {
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            lines.append(label);
        }
    }
    return lines;
}

QPushButton* InformationButton(const QDialog& dlg) {
    for (QPushButton* button : dlg.findChildren<QPushButton*>()) {
        if (button->text() == QStringLiteral("Информация")) {
            return button;
        }
    }
    return nullptr;
}

void CheckCollapsed(const CAboutDlg& dlg) {
    QVERIFY(!dlg.m_bExpanded);
    QCOMPARE(dlg.size(), DialogUnits(dlg.font()).Size(235, 54));
    const QList<QLabel*> lines = InformationLines(dlg);
    QCOMPARE(lines.size(), 2);
    QVERIFY(!lines[0]->isVisibleTo(&dlg));
    QVERIFY(!lines[1]->isVisibleTo(&dlg));
}

void CheckExpanded(const CAboutDlg& dlg, const QSize& collapsed) {
    QVERIFY(dlg.m_bExpanded);
    QCOMPARE(dlg.size(), QSize(collapsed.width(), collapsed.height() + 70));
    const QList<QLabel*> lines = InformationLines(dlg);
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines[0]->text(), kLine1);
    QVERIFY(lines[1]->text().startsWith(kLine2Start));
    QVERIFY(lines[1]->text().endsWith(QStringLiteral("@example.org")));
    QCOMPARE(lines[0]->pos(), QPoint(10, 100));
    QCOMPARE(lines[1]->pos(), QPoint(10, 120));
    for (QLabel* line : lines) {
        QVERIFY(line->isVisible());
        // Wholly inside the grown box, so nothing of the text is cut off.
        QVERIFY2(dlg.rect().contains(line->geometry()), qPrintable(line->text()));
    }
}

// Runs the check on the About box once its modal loop runs, then closes the box.
void WhenAboutBoxOpens(const std::function<void(CAboutDlg&)>& check) {
    QTimer::singleShot(0, [check] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* dlg = qobject_cast<CAboutDlg*>(modal)) {
            check(*dlg);
            dlg->accept();
        } else if (modal != nullptr) {
            modal->close();
        }
    });
}

}  // namespace

class TestAbout : public QObject {
    Q_OBJECT
public:
    // Run by hand, the program still needs no display.
    static void initMain() { UseOffscreenPlatformUnlessSet(); }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void controlsFollowTheTemplate_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("className");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QRect>("unitsRect");

        QTest::newRow("icon") << 0 << "QLabel" << QString() << QRect(11, 17, 21, 20);
        QTest::newRow("name and version")
            << 1 << "QLabel"
            << QStringLiteral("Редактор платежных поручений\n") + QString(36, QLatin1Char(' ')) +
                   QStringLiteral("Версия 1.0")
            << QRect(40, 10, 119, 16);
        QTest::newRow("release date")
            << 2 << "QLabel" << QStringLiteral("Дата релиза февраль 2001г.")
            << QRect(39, 33, 119, 8);
        QTest::newRow("OK") << 3 << "QPushButton" << QStringLiteral("OK") << QRect(178, 7, 50, 14);
        QTest::newRow("information")
            << 4 << "QPushButton" << QStringLiteral("Информация") << QRect(179, 38, 50, 9);
    }

    void controlsFollowTheTemplate() {
        QFETCH(int, index);
        QFETCH(QString, className);
        QFETCH(QString, text);
        QFETCH(QRect, unitsRect);

        CAboutDlg dlg;
        const QList<QWidget*> controls = Controls(dlg);
        QVERIFY(controls.size() > index);
        QWidget* control = controls[index];
        QCOMPARE(QString::fromLatin1(control->metaObject()->className()), className);
        QCOMPARE(TextOf(control), text);
        const DialogUnits units(dlg.font());
        QCOMPARE(control->geometry(),
                 units.Rect(unitsRect.x(), unitsRect.y(), unitsRect.width(), unitsRect.height()));
    }

    void boxStartsCollapsed() {
        CAboutDlg dlg;
        QCOMPARE(dlg.windowTitle(), QStringLiteral("О программе"));
        QVERIFY(dlg.parentWidget() == nullptr);
        CheckCollapsed(dlg);

        auto* icon = qobject_cast<QLabel*>(Controls(dlg).value(0));
        QVERIFY(icon != nullptr);
        QVERIFY(!icon->pixmap().isNull());  // the image came from the resources

        auto* ok = qobject_cast<QPushButton*>(Controls(dlg).value(3));
        QVERIFY(ok != nullptr);
        QVERIFY(ok->isDefault());
        QVERIFY(!InformationButton(dlg)->isDefault());
    }

    void informationPressesOpenAndCloseTheStrip() {
        CAboutDlg dlg;
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        const QSize collapsed = dlg.size();
        const QPoint place = dlg.pos();
        QPushButton* information = InformationButton(dlg);
        QVERIFY(information != nullptr);

        QTest::mouseClick(information, Qt::LeftButton);
        CheckExpanded(dlg, collapsed);
        QCOMPARE(dlg.pos(), place);

        QTest::mouseClick(information, Qt::LeftButton);
        CheckCollapsed(dlg);
        QCOMPARE(dlg.size(), collapsed);
        QCOMPARE(dlg.pos(), place);

        QTest::mouseClick(information, Qt::LeftButton);
        CheckExpanded(dlg, collapsed);
        QCOMPARE(dlg.pos(), place);
    }

    void okClosesTheBoxExpanded() {
        CAboutDlg dlg;
        WhenAboutBoxOpens([](CAboutDlg& box) {
            box.OnInformation();
            QTest::mouseClick(qobject_cast<QPushButton*>(Controls(box).value(3)), Qt::LeftButton);
            QVERIFY(!box.isVisible());
        });
        QCOMPARE(dlg.exec(), int(QDialog::Accepted));
    }

    void aboutCommandOpensACollapsedBoxEachTime() {
        const TestFolder folder;
        QVERIFY(folder.isValid());

        CVemoApp vemo;
        QVERIFY(vemo.InitInstance());
        QAction* about = nullptr;
        for (QAction* action : vemo.MainFrame()->menuBar()->findChildren<QAction*>()) {
            if (action->text() == QStringLiteral("&О программе")) {
                about = action;
            }
        }
        QVERIFY(about != nullptr);

        int shown = 0;
        for (int i = 0; i < 2; ++i) {
            WhenAboutBoxOpens([&shown](CAboutDlg& box) {
                ++shown;
                QVERIFY(box.parentWidget() == nullptr);
                CheckCollapsed(box);
                box.OnInformation();  // closed expanded: the next showing must not inherit it
                QVERIFY(box.m_bExpanded);
            });
            about->trigger();
        }
        QCOMPARE(shown, 2);
    }
};

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
