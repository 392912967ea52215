// The directory of BIKs in the windows: imported from the Archive menu through the file dialog,
// and filling a record's bank from its BIK as the user leaves the BIK field.
#include <QtTest>

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QSettings>
#include <memory>

#include "DialogDriver.h"
#include "TestEnvironment.h"
#include "TestFolder.h"
#include "app/CMainFrame.h"
#include "app/CVemoApp.h"
#include "requisites/BikImport.h"
#include "requisites/CRequisitesArchiveDlg.h"
#include "requisites/CRequisitesDlg.h"
#include "requisites/Ed807Reader.h"
#include "widgets/MessageBoxes.h"

namespace {

const QString kTestDirectory = QStringLiteral(VEMO_TESTS_SOURCE_DIR "/data/ed807.xml");

BikDirectory TestDirectory() {
    BikDirectory directory;
    QString error;
    if (!BikImport::ReadFile(kTestDirectory, &directory, &error)) {
        qWarning("%s", qPrintable(error));
    }
    return directory;
}

QLineEdit* Edit(QWidget* dialog, const char* name) {
    return dialog->findChild<QLineEdit*>(QLatin1String(name));
}

// Clicks into the BIK field, types the BIK and leaves the field: with Tab for the next field, or
// by clicking OK.
void TypeBikAndLeave(CRequisitesDlg* dlg, const QString& bik, const QString& leave) {
    QVERIFY(QTest::qWaitForWindowActive(dlg));
    QLineEdit* edit = Edit(dlg, "editBik");
    QTest::mouseClick(edit, Qt::LeftButton);
    QVERIFY(edit->hasFocus());
    edit->selectAll();
    QTest::keyClicks(edit, bik);
    if (leave == QLatin1String("Tab")) {
        QTest::keyClick(edit, Qt::Key_Tab);
    } else {
        ClickButton(dlg, leave);
    }
}

}  // namespace

class TestBikFill : public QObject {
    Q_OBJECT
public:
    static void initMain() { UseOffscreenPlatformUnlessSet(); }

private slots:
    void initTestCase();
    void cleanup();
    void leavingTheBikFieldFillsTheBank_data();
    void leavingTheBikFieldFillsTheBank();
    void importFromTheMenuThenFillARecord();

private:
    TestFolder m_settings{TestFolder::Files{}, TestFolder::Enter::No};
};

void TestBikFill::initTestCase() {
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(m_settings.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settings.Path());
}

void TestBikFill::cleanup() {
    MessageBoxes::SetTestLog(nullptr);
    QFile::remove(BikDirectory::KeptFilePath());
}

void TestBikFill::leavingTheBikFieldFillsTheBank_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QStringList>("before");  // bank, Счет1, Счет2
    QTest::addColumn<QString>("bik");
    QTest::addColumn<QString>("leave");     // "Tab" or the button clicked
    QTest::addColumn<QString>("question");  // empty when none is asked
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QStringList>("after");
    const QString sberbank = QStringLiteral("ПАО Сбербанк, г Москва");
    const QString sber = QStringLiteral("30101810400000000225");
    const QString ural = QStringLiteral("Уральский банк ПАО Сбербанк, г Екатеринбург");
    const QString uralAccount = QStringLiteral("30101810500000000674");
    const QString oldUralAccount = QStringLiteral("30101810665770000674");
    const QString own = QStringLiteral("40702810938000012345");
    const QString both = QStringLiteral(
        "В справочнике БИК от 08.12.2026 у БИК 046577674 другие реквизиты банка:\n\n"
        "Банк: «Уральский банк ПАО Сбербанк, г Екатеринбург» (в записи «Сбербанк Урал»)\n"
        "Счет2: «30101810500000000674» (в записи «30101810665770000674»)\n\n"
        "Исправить их по справочнику?");

    QTest::newRow("payer, nothing filled") << kPayersKind << QStringList{"", "", ""} << "044525225"
                                           << "Tab"
                                           << ""
                                           << "" << QStringList{sberbank, "", sber};
    QTest::newRow("recipient, nothing filled")
        << kRecipientsKind << QStringList{"", "", own} << "044525225"
        << "Tab"
        << ""
        << "" << QStringList{sberbank, sber, own};
    QTest::newRow("treasury body as recipient")
        << kRecipientsKind << QStringList{"", "", "03100643000000018500"} << "017003983"
        << "Tab"
        << ""
        << ""
        << QStringList{"ОКЦ № 7 ГУ Банка России по ЦФО//УФК по Тульской области, г Тула",
                       "40102810445370000059", "03100643000000018500"};
    QTest::newRow("differs, corrected")
        << kPayersKind << QStringList{"Сбербанк Урал", own, oldUralAccount} << "046577674"
        << "Tab" << both << "Исправить" << QStringList{ural, own, uralAccount};
    QTest::newRow("differs, kept")
        << kPayersKind << QStringList{"Сбербанк Урал", own, oldUralAccount} << "046577674"
        << "Tab" << both << "Оставить как есть"
        << QStringList{"Сбербанк Урал", own, oldUralAccount};
    QTest::newRow("bank filled, account differs")
        << kPayersKind << QStringList{"", own, oldUralAccount} << "046577674"
        << "Tab"
        << "В справочнике БИК от 08.12.2026 у БИК 046577674 другие реквизиты банка:\n\n"
           "Счет2: «30101810500000000674» (в записи «30101810665770000674»)\n\n"
           "Исправить их по справочнику?"
        << "Оставить как есть" << QStringList{ural, own, oldUralAccount};
    QTest::newRow("the same in other words")
        << kPayersKind
        << QStringList{"УРАЛЬСКИЙ БАНК ПАО СБЕРБАНК г. Екатеринбург", "", uralAccount}
        << "046577674"
        << "Tab"
        << ""
        << "" << QStringList{"УРАЛЬСКИЙ БАНК ПАО СБЕРБАНК г. Екатеринбург", "", uralAccount};
    QTest::newRow("BIK not in the directory")
        << kPayersKind << QStringList{"", "", ""} << "046577303"
        << "Tab"
        << ""
        << "" << QStringList{"", "", ""};
    QTest::newRow("left for OK") << kPayersKind << QStringList{"", own, ""} << "044525225"
                                 << "OK"
                                 << ""
                                 << "" << QStringList{sberbank, own, sber};
}

void TestBikFill::leavingTheBikFieldFillsTheBank() {
    QFETCH(int, kind);
    QFETCH(QStringList, before);
    QFETCH(QString, bik);
    QFETCH(QString, leave);
    QFETCH(QString, question);
    QFETCH(QString, answer);
    QFETCH(QStringList, after);
    CRequisitesDlg dlg;
    dlg.SetKind(kind);
    dlg.SetBikDirectory(TestDirectory());
    dlg.m_strBank = before.at(0);
    dlg.m_strAccount1 = before.at(1);
    dlg.m_strAccount2 = before.at(2);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowActive(&dlg));

    bool asked = false;
    QString asking;
    WhenModalShows<QMessageBox>(&dlg, &asked, [&](QMessageBox* box) {
        asking = box->text();
        ClickButton(box, answer);
    });
    TypeBikAndLeave(&dlg, bik, leave);
    if (question.isEmpty()) {
        QTest::qWait(100);
    } else {
        QTRY_VERIFY(asked);
    }
    QCOMPARE(asking, question);
    QCOMPARE(asked, !question.isEmpty());
    QCOMPARE((QStringList{Edit(&dlg, "editBank")->text(), Edit(&dlg, "editAccount1")->text(),
                          Edit(&dlg, "editAccount2")->text()}),
             after);
    if (leave == QLatin1String("OK")) {
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE((QStringList{dlg.m_strBank, dlg.m_strAccount1, dlg.m_strAccount2}), after);
    }
}

// The user's road: Архив → Справочник БИК…, the downloaded file chosen in the file dialog, the
// result told; then a new payer whose bank comes from the BIK typed.
void TestBikFill::importFromTheMenuThenFillARecord() {
    TestFolder folder;
    QVERIFY(folder.isValid());
    MessageBoxes::Log log;
    MessageBoxes::SetTestLog(&log);
    CVemoApp app;
    QVERIFY(app.InitInstance());
    QAction* action = MenuAction(app.MainFrame()->menuBar(), QStringLiteral("&Архив"),
                                 QStringLiteral("&Справочник БИК…"));
    QVERIFY(action);

    bool chosen = false;
    WhenModalShows<QFileDialog>(app.MainFrame(), &chosen, [](QFileDialog* dialog) {
        dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(kTestDirectory);
        auto* box = dialog->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
        QTest::mouseClick(box->button(QDialogButtonBox::Open), Qt::LeftButton);
    });
    action->trigger();
    QVERIFY(chosen);
    QCOMPARE(log.Texts(), QStringList{"Справочник БИК от 08.12.2026 загружен: банков в нем 6."});
    BikDirectory kept;
    QCOMPARE(BikDirectory::LoadKept(&kept), BikDirectory::KeptOutcome::Loaded);
    QCOMPARE(kept.Count(), 6);
    MessageBoxes::SetTestLog(nullptr);

    // The main window hands the directory it has just taken to the address book it opens.
    bool opened = false;
    bool edited = false;
    WhenModalShows<CRequisitesArchiveDlg>(
        app.MainFrame(), &opened, [&](CRequisitesArchiveDlg* archive) {
            WhenModalShows<CRequisitesDlg>(archive, &edited, [](CRequisitesDlg* dlg) {
                TypeBikAndLeave(dlg, QStringLiteral("044525225"), QStringLiteral("Tab"));
                QCOMPARE(Edit(dlg, "editBank")->text(), QStringLiteral("ПАО Сбербанк, г Москва"));
                ClickButton(dlg, QStringLiteral("OK"));
            });
            ClickButton(archive, QStringLiteral("Добавить"));
            QCOMPARE(archive->m_requisites.At(0).m_strAccount2,
                     QStringLiteral("30101810400000000225"));
        });
    MenuAction(app.MainFrame()->menuBar(), QStringLiteral("&Архив"),
               QStringLiteral("Р&еквизиты плательщика"))
        ->trigger();
    QVERIFY(edited);
}

QTEST_MAIN(TestBikFill)
#include "tst_bikfill.moc"
