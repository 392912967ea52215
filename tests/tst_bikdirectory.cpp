// The Bank of Russia's directory of BIKs: reading its ED807 file, plain or zipped, keeping it whole
// or not at all, and holding records against it; and the same from the command line.
#include <QtTest>

#include <sys/stat.h>
#include <QProcess>
#include <memory>

#include "FileSizeLimit.h"
#include "TestEnvironment.h"
#include "TestFolder.h"
#include "TestZip.h"
#include "common/Cp1251.h"
#include "requisites/BikChecks.h"
#include "requisites/BikImport.h"
#include "requisites/Ed807Reader.h"

Q_DECLARE_METATYPE(CRequisite)

namespace {

using Field = RequisiteChecks::Field;

// Three banks, a Bank of Russia division, a treasury body with its single treasury account and a
// participant taken off the directory, as the Bank of Russia writes them: code page 1251, CRLF.
QByteArray TestDirectory() {
    return ReadBytes(QStringLiteral(VEMO_TESTS_SOURCE_DIR "/data/ed807.xml"));
}

// A directory of the entries given, in the form the Bank of Russia publishes, for cases the
// checked-in file does not hold.
QByteArray Document(const QString& entries,
                    const QString& rootAttributes =
                        QStringLiteral("InfoTypeCode=\"FIRR\" BusinessDay=\"2026-12-08\"")) {
    return Cp1251::Encode(
        QStringLiteral("<?xml version=\"1.0\" encoding=\"WINDOWS-1251\"?>\r\n"
                       "<ED807 xmlns=\"urn:cbr-ru:ed:v2.0\" EDNo=\"1\" EDDate=\"2026-12-07\" %1>"
                       "%2</ED807>\r\n")
            .arg(rootAttributes, entries));
}

QString Entry(const QString& bik, const QString& accounts = QString()) {
    return QStringLiteral(
               "<BICDirectoryEntry BIC=\"%1\"><ParticipantInfo NameP=\"АО Банк\" "
               "Tnp=\"г\" Nnp=\"Тверь\" PtType=\"20\" ParticipantStatus=\"PSAC\"/>%2"
               "</BICDirectoryEntry>")
        .arg(bik, accounts);
}

QString FieldName(Field field) {
    // Accounts, both accounts at once, is named by no field.
    static const char* const kNames[] = {"Наименование", "Банк",  "ИНН/КПП", "БИК",
                                         "Счет1",        "Счет2", ""};
    return QString::fromUtf8(kNames[static_cast<int>(field)]);
}

// Each problem as "field | text", so a table shows which field is at fault.
QStringList Described(const QList<RequisiteChecks::Problem>& problems) {
    QStringList lines;
    for (const RequisiteChecks::Problem& problem : problems) {
        lines.append(FieldName(problem.field) + QStringLiteral(" | ") + problem.text);
    }
    return lines;
}

CRequisite Record(const QString& bik, const QString& account1, const QString& account2,
                  const QString& bank = QString()) {
    CRequisite record;
    record.m_strName = QStringLiteral("ООО Ромашка");
    record.m_strBank = bank;
    record.m_strBik = bik;
    record.m_strAccount1 = account1;
    record.m_strAccount2 = account2;
    return record;
}

QByteArray KeptBytes() {
    return ReadBytes(BikDirectory::KeptFilePath());
}

BikDirectory ReadTestDirectory() {
    BikDirectory directory;
    QString error;
    if (!Ed807Reader::Read(TestDirectory(), &directory, &error)) {
        qWarning("%s", qPrintable(error));
    }
    return directory;
}

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

// The editor started in the folder, with its own data folder under dataHome.
Run RunVemo(const QStringList& arguments, const QString& folder, const QString& dataHome) {
    QProcess vemo;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_DATA_HOME"), dataHome);
    vemo.setProcessEnvironment(environment);
    vemo.setWorkingDirectory(folder);
    vemo.start(VemoExecutable(), arguments);
    Run run;
    if (vemo.waitForFinished(60000) && vemo.exitStatus() == QProcess::NormalExit) {
        run.exitCode = vemo.exitCode();
        run.out = QString::fromLocal8Bit(vemo.readAllStandardOutput());
        run.err = QString::fromLocal8Bit(vemo.readAllStandardError());
    }
    return run;
}

}  // namespace

class TestBikDirectory : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void importsEveryParticipant_data();
    void importsEveryParticipant();
    void paymentAccountsOfEitherSpelling_data();
    void paymentAccountsOfEitherSpelling();
    void refusesWhatIsNotAWholeDirectory_data();
    void refusesWhatIsNotAWholeDirectory();
    void failedSaveKeepsTheKeptDirectory();
    void refusesWhatWouldNotReadBack_data();
    void refusesWhatWouldNotReadBack();
    void damagedKeptDirectoryIsNone_data();
    void damagedKeptDirectoryIsNone();
    void checksAgainstTheDirectory_data();
    void checksAgainstTheDirectory();
    void checksAllInFieldOrder_data();
    void checksAllInFieldOrder();
    void suggestsFromTheBik_data();
    void suggestsFromTheBik();
    void commandLineImportsAndChecks();

private:
    std::unique_ptr<TestFolder> m_folder;
};

void TestBikDirectory::initTestCase() {
    QStandardPaths::setTestModeEnabled(true);
}

void TestBikDirectory::init() {
    QFile::remove(BikDirectory::KeptFilePath());
    m_folder = std::make_unique<TestFolder>();
    QVERIFY(m_folder->isValid());
}

void TestBikDirectory::cleanup() {
    m_folder.reset();
    QFile::remove(BikDirectory::KeptFilePath());
}

void TestBikDirectory::importsEveryParticipant_data() {
    QTest::addColumn<bool>("zipped");
    QTest::addColumn<QString>("bik");
    QTest::addColumn<QString>("bank");
    QTest::addColumn<QString>("account");
    QTest::addColumn<QString>("obstacles");
    struct Row {
        const char* name;
        const char* bik;
        const char* bank;
        const char* account;
        const char* obstacles;
    };
    const Row rows[] = {
        {"bank", "044525225", "ПАО Сбербанк, г Москва", "30101810400000000225", ""},
        {"branch with a closed account", "046577674", "Уральский банк ПАО Сбербанк, г Екатеринбург",
         "30101810500000000674", ""},
        {"branch with a restricted account", "044030653",
         "Северо-Западный банк ПАО Сбербанк, г Санкт-Петербург", "30101810500000000653", ""},
        {"Bank of Russia division", "047003001", "ОКЦ № 7 ГУ Банка России по ЦФО, г Тула", "", ""},
        {"treasury body", "017003983",
         "ОКЦ № 7 ГУ Банка России по ЦФО//УФК по Тульской области, г Тула", "40102810445370000059",
         ""},
        {"closed participant", "044525987", "АО КБ \"Северный кредит\", г Москва", "",
         "исключен из справочника с 30.11.2026; отозвана лицензия с 02.11.2026"},
    };
    for (bool zipped : {false, true}) {
        for (const Row& row : rows) {
            QTest::addRow("%s%s", row.name, zipped ? ", zipped" : "")
                << zipped << row.bik << QString::fromUtf8(row.bank)
                << QString::fromUtf8(row.account) << QString::fromUtf8(row.obstacles);
        }
    }
}

// Read, kept and read back from the kept file, as the record dialog and the checks find it.
void TestBikDirectory::importsEveryParticipant() {
    QFETCH(bool, zipped);
    QFETCH(QString, bik);
    QFETCH(QString, bank);
    QFETCH(QString, account);
    QFETCH(QString, obstacles);
    const QString file =
        zipped ? QStringLiteral("20261208ED01OSBR.zip") : QStringLiteral("20261208_ED807_full.xml");
    QVERIFY(m_folder->Write(
        file, zipped ? ZipOf({{"20261208_ED807_full.xml", TestDirectory()}}) : TestDirectory()));
    const BikImport::Result result = BikImport::ImportFile(m_folder->FilePath(file));
    QCOMPARE(result.message,
             QStringLiteral("Справочник БИК от 08.12.2026 загружен: банков в нем 6."));
    QVERIFY(result.imported);

    BikDirectory kept;
    QCOMPARE(BikDirectory::LoadKept(&kept), BikDirectory::KeptOutcome::Loaded);
    QCOMPARE(kept.Date(), QDate(2026, 12, 8));
    QCOMPARE(kept.Count(), 6);
    const BikDirectory::Participant* participant = kept.Find(bik);
    QVERIFY(participant);
    QCOMPARE(BikDirectory::BankText(*participant), bank);
    QCOMPARE(BikDirectory::CorrespondentAccount(*participant), account);
    QCOMPARE(BikDirectory::PaymentObstacles(*participant).join(QStringLiteral("; ")), obstacles);
    QCOMPARE(kept.ToKeptBytes(), ReadTestDirectory().ToKeptBytes());
}

void TestBikDirectory::paymentAccountsOfEitherSpelling_data() {
    QTest::addColumn<QString>("account");
    QTest::addColumn<QString>("kept");
    const QString number = QStringLiteral("30101810400000000225");
    const QString treasury = QStringLiteral("40102810445370000059");
    auto account = [](const QString& attributes) {
        return QStringLiteral("<Accounts %1 CK=\"00\" DateIn=\"2021-01-01\"/>").arg(attributes);
    };
    QTest::newRow("correspondent") << account("Account=\"" + number +
                                              "\" RegulationAccountType=\"CRSA\" "
                                              "AccountStatus=\"ACAC\"")
                                   << number;
    QTest::newRow("no status given")
        << account("Account=\"" + number + "\" RegulationAccountType=\"CRSA\"") << number;
    QTest::newRow("closed") << account("Account=\"" + number +
                                       "\" RegulationAccountType=\"CRSA\" AccountStatus=\"ACDL\"")
                            << QString();
    QTest::newRow("closed by date")
        << account(
               "Account=\"" + number +
               "\" RegulationAccountType=\"CRSA\" DateOut=\"2026-01-01\" AccountStatus=\"ACAC\"")
        << QString();
    QTest::newRow("single treasury UTRA")
        << account("Account=\"" + treasury + "\" RegulationAccountType=\"UTRA\"") << treasury;
    QTest::newRow("single treasury EKSA")
        << account("Account=\"" + treasury + "\" RegulationAccountType=\"EKSA\"") << treasury;
    QTest::newRow("single treasury as a bank account")
        << account("Account=\"" + treasury + "\" RegulationAccountType=\"BANA\"") << treasury;
    QTest::newRow("another bank account")
        << account("Account=\"40702810900000012345\" RegulationAccountType=\"BANA\"") << QString();
    QTest::newRow("treasury's own account")
        << account("Account=\"40116810900000010001\" RegulationAccountType=\"TRSA\"") << QString();
    QTest::newRow("closed first, open second")
        << account(
               "Account=\"30101810000000000225\" RegulationAccountType=\"CRSA\" "
               "AccountStatus=\"ACDL\"") +
               account("Account=\"" + number + "\" RegulationAccountType=\"CRSA\"")
        << number;
}

void TestBikDirectory::paymentAccountsOfEitherSpelling() {
    QFETCH(QString, account);
    QFETCH(QString, kept);
    BikDirectory directory;
    QString error;
    QVERIFY2(Ed807Reader::Read(Document(Entry("044525225", account)), &directory, &error),
             qPrintable(error));
    QCOMPARE(BikDirectory::CorrespondentAccount(*directory.Find(u"044525225")), kept);
}

void TestBikDirectory::refusesWhatIsNotAWholeDirectory_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("why");
    const QByteArray good = TestDirectory();
    QByteArray broken = good;
    broken.replace("</BICDirectoryEntry>", "</BICDirectoryEntr>");
    const QByteArray zip = ZipOf({{"20261208_ED807_full.xml", good}});
    QTest::newRow("malformed") << "a.xml" << broken
                               << "файл поврежден: ошибка разметки XML в строке 7, столбце 19";
    QTest::newRow("cut short") << "a.xml" << good.left(good.size() / 2)
                               << "файл оборван: справочник не дописан до конца";
    QTest::newRow("zip cut short") << "a.zip" << zip.left(zip.size() / 2) << "архив zip поврежден";
    QTest::newRow("empty") << "a.xml" << QByteArray() << "файл пуст";
    QTest::newRow("not XML") << "a.xml" << QByteArray("%PDF-1.4\n%\xe2\xe3\xcf\xd3\n")
                             << "файл поврежден: ошибка разметки XML в строке 1";
    QTest::newRow("another document")
        << "a.xml" << QByteArray("<?xml version=\"1.0\"?><ED101 xmlns=\"urn:cbr-ru:ed:v2.0\"/>")
        << "это не справочник БИК Банка России (ED807), а документ «ED101»";
    QTest::newRow("another namespace")
        << "a.xml"
        << QByteArray(
               "<?xml version=\"1.0\"?><ED807 xmlns=\"urn:example\" EDDate=\"2026-12-07\">"
               "</ED807>")
        << "это не справочник БИК Банка России (ED807), а документ «ED807»";
    QTest::newRow("list of changes")
        << "a.xml"
        << Document(Entry("044525225"), "InfoTypeCode=\"SIRR\" BusinessDay=\"2026-12-08\"")
        << "это не полный справочник БИК, а его изменения (InfoTypeCode «SIRR»)";
    QTest::newRow("no date") << "a.xml"
                             << QByteArray(
                                    "<ED807 xmlns=\"urn:cbr-ru:ed:v2.0\"><BICDirectoryEntry "
                                    "BIC=\"044525225\"/></ED807>")
                             << "у справочника нет даты (BusinessDay или EDDate)";
    QTest::newRow("short BIK") << "a.xml" << Document(Entry("044525225") + Entry("04452522"))
                               << "запись 2: БИК «04452522» не из 9 цифр";
    QTest::newRow("BIK twice") << "a.xml" << Document(Entry("044525225") + Entry("044525225"))
                               << "БИК 044525225 встречается в справочнике дважды";
    QTest::newRow("no name")
        << "a.xml"
        << Document(
               "<BICDirectoryEntry BIC=\"044525225\"><ParticipantInfo NameP=\" \"/>"
               "</BICDirectoryEntry>")
        << "БИК 044525225: нет наименования участника (NameP)";
    QTest::newRow("no participant") << "a.xml" << Document("<BICDirectoryEntry BIC=\"044525225\"/>")
                                    << "БИК 044525225: нет сведений об участнике (ParticipantInfo)";
    QTest::newRow("no entry") << "a.xml" << Document(QString())
                              << "в справочнике нет ни одного БИК";
    QTest::newRow("zip without XML")
        << "a.zip" << ZipOf({{"readme.txt", "text"}}) << "в архиве нет файла .xml";
    QTest::newRow("zip with two") << "a.zip" << ZipOf({{"1.xml", good}, {"2.XML", good}})
                                  << "в архиве несколько файлов .xml: 1.xml, 2.XML";
    QTest::newRow("a folder") << "folder/" << QByteArray() << "это папка, а не файл";
    // Read as it stands, a FIFO would hang the program until another one wrote into it.
    QTest::newRow("a FIFO") << "fifo" << QByteArray() << "это не обычный файл";
}

// The directory kept before stays byte for byte, and nothing is left beside it.
void TestBikDirectory::refusesWhatIsNotAWholeDirectory() {
    QFETCH(QString, file);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, why);
    QVERIFY(m_folder->Write(QStringLiteral("good.xml"), TestDirectory()));
    QVERIFY(BikImport::ImportFile(m_folder->FilePath(QStringLiteral("good.xml"))).imported);
    const QByteArray kept = KeptBytes();
    QVERIFY(file == QLatin1String("fifo")
                ? mkfifo(QFile::encodeName(m_folder->FilePath(file)).constData(), 0600) == 0
                : m_folder->Write(file, bytes));

    const QString path = m_folder->FilePath(file);
    const BikImport::Result result = BikImport::ImportFile(path);
    QVERIFY(!result.imported);
    const QString start = QStringLiteral("Файл %1 не принят: ").arg(QDir::toNativeSeparators(path));
    QVERIFY2(result.message.startsWith(start + why), qPrintable(result.message));
    QVERIFY(result.message.endsWith(QStringLiteral(". Справочник БИК не изменился.")));
    QCOMPARE(KeptBytes(), kept);
    QCOMPARE(FolderEntries(QFileInfo(BikDirectory::KeptFilePath()).path()),
             QStringList{QFileInfo(BikDirectory::KeptFilePath()).fileName()});
}

// A full disk, made real: the new directory does not fit, the old one stays.
void TestBikDirectory::failedSaveKeepsTheKeptDirectory() {
    QVERIFY(m_folder->Write(QStringLiteral("small.xml"), Document(Entry("044525225"))));
    QVERIFY(BikImport::ImportFile(m_folder->FilePath(QStringLiteral("small.xml"))).imported);
    const QByteArray kept = KeptBytes();
    QVERIFY(m_folder->Write(QStringLiteral("full.xml"), TestDirectory()));
    QVERIFY(ReadTestDirectory().ToKeptBytes().size() > kept.size() + 100);

    const QString path = m_folder->FilePath(QStringLiteral("full.xml"));
    QCOMPARE(SaveUnderFileSizeLimit(kept.size() + 100,
                                    [&path] {
                                        const BikImport::Result result =
                                            BikImport::ImportFile(path);
                                        return result.imported ||
                                               !result.message.startsWith(
                                                   QStringLiteral("Справочник БИК не сохранен в "));
                                    }),
             ChildSave::Failed);
    QCOMPARE(KeptBytes(), kept);
    QCOMPARE(FolderEntries(QFileInfo(BikDirectory::KeptFilePath()).path()),
             QStringList{QFileInfo(BikDirectory::KeptFilePath()).fileName()});
}

// A directory that the kept form cannot hold as it stands, as the Bank of Russia's file may give
// it: a restriction code that is empty or holds "," or ":". It is refused before the kept
// directory is replaced, which stays as it was and still reads.
void TestBikDirectory::refusesWhatWouldNotReadBack_data() {
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("why");
    const auto participant = [](const QString& code) {
        return QStringLiteral(
                   "<BICDirectoryEntry BIC=\"044525225\"><ParticipantInfo NameP=\"АО Банк\" "
                   "PtType=\"20\"><RstrList Rstr=\"%1\" RstrDate=\"2026-12-01\"/>"
                   "</ParticipantInfo></BICDirectoryEntry>")
            .arg(code);
    };
    const QString codes =
        QStringLiteral(" не читаются: код ограничения пуст или содержит «,» или «:»");
    QTest::newRow("a comma in a code")
        << participant("URRS,LWRS") << "БИК 044525225: ограничения «URRS,LWRS:2026-12-01»" + codes;
    QTest::newRow("a colon in a code")
        << participant("URRS:1") << "БИК 044525225: ограничения «URRS:1:2026-12-01»" + codes;
    QTest::newRow("an empty code")
        << participant("") << "БИК 044525225: ограничения «:2026-12-01»" + codes;
    QTest::newRow("a comma in an account's code")
        << Entry("044525225",
                 "<Accounts Account=\"30101810400000000225\" RegulationAccountType=\"CRSA\">"
                 "<AccRstrList AccRstr=\"A,B\" AccRstrDate=\"2026-12-01\"/></Accounts>")
        << "БИК 044525225: счет 30101810400000000225: ограничения «A,B:2026-12-01»" + codes;
}

void TestBikDirectory::refusesWhatWouldNotReadBack() {
    QFETCH(QString, entry);
    QFETCH(QString, why);
    QVERIFY(m_folder->Write(QStringLiteral("good.xml"), TestDirectory()));
    QVERIFY(BikImport::ImportFile(m_folder->FilePath(QStringLiteral("good.xml"))).imported);
    const QByteArray kept = KeptBytes();
    QVERIFY(m_folder->Write(QStringLiteral("codes.xml"), Document(entry)));

    const QString path = m_folder->FilePath(QStringLiteral("codes.xml"));
    const BikImport::Result result = BikImport::ImportFile(path);
    QCOMPARE(result.message, QStringLiteral("Файл %1 не принят: справочник в нем нельзя сохранить "
                                            "так, чтобы потом прочитать: %2. Справочник БИК не "
                                            "изменился.")
                                 .arg(QDir::toNativeSeparators(path), why));
    QVERIFY(!result.imported);
    QCOMPARE(KeptBytes(), kept);
    BikDirectory directory;
    QCOMPARE(BikDirectory::LoadKept(&directory), BikDirectory::KeptOutcome::Loaded);
}

void TestBikDirectory::damagedKeptDirectoryIsNone_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("problem");
    const QByteArray whole = ReadTestDirectory().ToKeptBytes();
    QTest::newRow("last line cut off") << whole.left(whole.lastIndexOf('\n', whole.size() - 2) + 1)
                                       << "участников в файле 5, а в заголовке «6»";
    QTest::newRow("cut in a line")
        << whole.left(whole.size() - 5) << "файл оборван: последняя строка не дописана";
    QTest::newRow("one participant less")
        << QByteArray(whole).replace("\t2026-12-08\t6\n", "\t2026-12-08\t7\n")
        << "участников в файле 6, а в заголовке «7»";
    // As an import that took a comma in a restriction code once kept it.
    QTest::newRow("a comma in a restriction code")
        << QByteArray(whole).replace("LWRS:2026-11-02", "LW,RS:2026-11-02")
        << "БИК 044525987: ограничения «LW,RS:2026-11-02» не читаются: код ограничения пуст или "
           "содержит «,» или «:»";
    QTest::newRow("an account without its participant")
        << QByteArray(whole).insert(whole.indexOf('\n') + 1, "A\t30101810400000000225\tCRSA\t\n")
        << "строка 2: строка не участника и не его счета";
    QTest::newRow("another program's file")
        << QByteArray("pltRecv.dat\r\n") << "это не справочник БИК, сохраненный программой";
    QTest::newRow("empty") << QByteArray() << "файл пуст";
}

// A kept directory that does not read is none: no BIK is held against it, and the windows are
// given what to tell, with where the reading stumbled.
void TestBikDirectory::damagedKeptDirectoryIsNone() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, problem);
    QVERIFY(QDir().mkpath(QFileInfo(BikDirectory::KeptFilePath()).path()));
    WriteBytes(BikDirectory::KeptFilePath(), bytes);
    BikDirectory directory;
    QString found;
    QCOMPARE(BikDirectory::LoadKept(&directory, &found), BikDirectory::KeptOutcome::Damaged);
    QCOMPARE(found, problem);
    QVERIFY(directory.IsEmpty());
    QVERIFY(BikChecks::Check(Record("046577303", "", ""), kPayersKind, directory).isEmpty());
    const QString message = BikDirectory::DamagedKeptMessage(found);
    QVERIFY2(message.contains(QDir::toNativeSeparators(BikDirectory::KeptFilePath())) &&
                 message.contains(problem) && message.contains(QStringLiteral("загружен заново")),
             qPrintable(message));
}

void TestBikDirectory::checksAgainstTheDirectory_data() {
    QTest::addColumn<bool>("withDirectory");
    QTest::addColumn<int>("kind");
    QTest::addColumn<CRequisite>("record");
    QTest::addColumn<QStringList>("problems");
    const QString sber = QStringLiteral("30101810400000000225");
    const QString own = QStringLiteral("40702810938000012345");
    QTest::newRow("payer as the directory has it")
        << true << kPayersKind << Record("044525225", own, sber) << QStringList();
    QTest::newRow("recipient as the directory has it")
        << true << kRecipientsKind << Record("044525225", sber, own) << QStringList();
    QTest::newRow("BIK in groups")
        << true << kPayersKind << Record("04 4525 225", own, sber) << QStringList();
    QTest::newRow("account in groups")
        << true << kPayersKind << Record("044525225", own, "3010 1810 4000 0000 0225")
        << QStringList();
    QTest::newRow("BIK not in the directory")
        << true << kPayersKind << Record("046577303", "", "")
        << QStringList{"БИК | БИК 046577303 нет в справочнике БИК от 08.12.2026"};
    QTest::newRow("no directory") << false << kPayersKind << Record("046577303", "", "")
                                  << QStringList();
    QTest::newRow("BIK of eight digits")
        << true << kPayersKind << Record("04452522", "", "") << QStringList();
    QTest::newRow("closed correspondent account")
        << true << kPayersKind << Record("046577674", own, "30101810665770000674")
        << QStringList{
               "Счет2 | Счет2: по справочнику БИК от 08.12.2026 у БИК 046577674 счет "
               "30101810500000000674"};
    // Swapping the accounts comes first: the directory does not call the party's own account
    // a wrong correspondent account.
    QTest::newRow("accounts swapped")
        << true << kPayersKind << Record("044525225", sber, own) << QStringList();
    QTest::newRow("recipient's account checked in Счет1")
        << true << kRecipientsKind << Record("044525225", "30101810500000000653", own)
        << QStringList{
               "Счет1 | Счет1: по справочнику БИК от 08.12.2026 у БИК 044525225 счет "
               "30101810400000000225"};
    QTest::newRow("participant taken off")
        << true << kPayersKind << Record("044525987", own, "30101810145250000987")
        << QStringList{
               "БИК | БИК 044525987 не принимает платежи по справочнику БИК от "
               "08.12.2026: исключен из справочника с 30.11.2026; отозвана лицензия с "
               "02.11.2026",
               "Счет2 | Счет2: у БИК 044525987 нет корреспондентского счета в "
               "справочнике БИК от 08.12.2026"};
    QTest::newRow("restricted account")
        << true << kPayersKind << Record("044030653", own, "30101810500000000653")
        << QStringList{
               "Счет2 | Счет2: по справочнику БИК от 08.12.2026 по счету "
               "30101810500000000653 ограничено участие в переводах с 01.12.2026"};
    QTest::newRow("treasury body as recipient")
        << true << kRecipientsKind
        << Record("017003983", "40102810445370000059", "03100643000000018500") << QStringList();
    QTest::newRow("treasury body with another single account")
        << true << kRecipientsKind
        << Record("017003983", "40102810545370000003", "03100643000000018500")
        << QStringList{
               "Счет1 | Счет1: по справочнику БИК от 08.12.2026 у БИК 017003983 счет "
               "40102810445370000059"};
    QTest::newRow("Bank of Russia division, no account given")
        << true << kRecipientsKind << Record("047003001", "", "40101810100000010001")
        << QStringList();
}

void TestBikDirectory::checksAgainstTheDirectory() {
    QFETCH(bool, withDirectory);
    QFETCH(int, kind);
    QFETCH(CRequisite, record);
    QFETCH(QStringList, problems);
    const BikDirectory directory = withDirectory ? ReadTestDirectory() : BikDirectory();
    QCOMPARE(Described(BikChecks::Check(record, kind, directory)), problems);
}

// What the user is told: the bank rules' problems and the directory's, in the order of the
// fields, the swap before the accounts.
void TestBikDirectory::checksAllInFieldOrder_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<CRequisite>("record");
    QTest::addColumn<QStringList>("fields");
    const QString own = QStringLiteral("40702810938000012345");
    QTest::newRow("recipient: Счет1 before Счет2")
        << kRecipientsKind << Record("044525225", "30101810500000000653", "40702810000000000001")
        << QStringList{"Счет1", "Счет1", "Счет2"};
    QTest::newRow("swapped payer: the swap alone")
        << kPayersKind << Record("044525225", "30101810400000000225", own) << QStringList{""};
    QTest::newRow("BIK taken off before the accounts")
        << kPayersKind << Record("044525987", "40702810000000000001", "")
        << QStringList{"БИК", "Счет1"};
}

void TestBikDirectory::checksAllInFieldOrder() {
    QFETCH(int, kind);
    QFETCH(CRequisite, record);
    QFETCH(QStringList, fields);
    QStringList got;
    for (const QString& line : Described(BikChecks::CheckAll(record, kind, ReadTestDirectory()))) {
        got.append(line.section(QStringLiteral(" | "), 0, 0));
    }
    QCOMPARE(got, fields);
}

void TestBikDirectory::suggestsFromTheBik_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<CRequisite>("record");
    QTest::addColumn<QStringList>("fills");
    QTest::addColumn<QStringList>("corrections");
    const QString sber = QStringLiteral("30101810400000000225");
    QTest::newRow("payer, nothing filled")
        << kPayersKind << Record("044525225", "", "")
        << QStringList{"Банк: ПАО Сбербанк, г Москва", "Счет2: 30101810400000000225"}
        << QStringList();
    QTest::newRow("recipient, nothing filled")
        << kRecipientsKind << Record("044525225", "", "")
        << QStringList{"Банк: ПАО Сбербанк, г Москва", "Счет1: 30101810400000000225"}
        << QStringList();
    QTest::newRow("the same in other words")
        << kPayersKind << Record("044525225", "", sber, "ПАО СБЕРБАНК г. Москва") << QStringList()
        << QStringList();
    QTest::newRow("other bank, other account")
        << kPayersKind << Record("044525225", "", "30101810400000000226", "Сбербанк")
        << QStringList()
        << QStringList{"Банк: ПАО Сбербанк, г Москва", "Счет2: 30101810400000000225"};
    // A correction would write the bank's account over the party's own.
    QTest::newRow("recipient's accounts swapped")
        << kRecipientsKind
        << Record("044525225", "40702810938000012345", sber, "ПАО Сбербанк, г Москва")
        << QStringList() << QStringList();
    QTest::newRow("no account to give")
        << kRecipientsKind << Record("047003001", "", "")
        << QStringList{"Банк: ОКЦ № 7 ГУ Банка России по ЦФО, г Тула"} << QStringList();
    QTest::newRow("BIK not in the directory")
        << kPayersKind << Record("046577303", "", "") << QStringList() << QStringList();
}

void TestBikDirectory::suggestsFromTheBik() {
    QFETCH(int, kind);
    QFETCH(CRequisite, record);
    QFETCH(QStringList, fills);
    QFETCH(QStringList, corrections);
    auto texts = [](const QList<BikChecks::FieldValue>& values) {
        QStringList lines;
        for (const BikChecks::FieldValue& value : values) {
            lines.append(value.caption + QStringLiteral(": ") + value.directory);
        }
        return lines;
    };
    const BikChecks::Suggestions suggestions =
        BikChecks::Suggest(record, kind, ReadTestDirectory());
    QCOMPARE(texts(suggestions.fills), fills);
    QCOMPARE(texts(suggestions.corrections), corrections);
}

// The user's road on the command line: a check with no directory says nothing of BIKs; the
// zipped directory is imported; the check names the BIK it does not hold; a broken file is
// refused and the kept directory stays.
void TestBikDirectory::commandLineImportsAndChecks() {
    const QTemporaryDir dataHome;
    QVERIFY(dataHome.isValid());
    QVERIFY(m_folder->Write(
        QStringLiteral("pltRecv.dat"),
        Cp1251::Encode(QStringLiteral("ООО Ромашка\r\nАО Банк г. Пермь\r\n046577303\r\n"
                                      "7707083893/773601001\r\n40702810900000012345\r\n"
                                      "30101810800000000303\r\n"))));
    QVERIFY(m_folder->Write(QStringLiteral("bik.zip"),
                            ZipOf({{"20261208_ED807_full.xml", TestDirectory()}})));
    QVERIFY(m_folder->Write(QStringLiteral("cut.xml"), TestDirectory().left(1000)));
    const QString folder = m_folder->Path();

    Run run = RunVemo({"--check"}, folder, dataHome.path());
    QCOMPARE(run.out, QString());
    QCOMPARE(run.exitCode, 0);

    run = RunVemo({"--import-bik", "bik.zip"}, folder, dataHome.path());
    QCOMPARE(run.out, QStringLiteral("Справочник БИК от 08.12.2026 загружен: банков в нем 6.\n"));
    QCOMPARE(run.exitCode, 0);
    const QStringList kept = QDir(dataHome.path()).entryList(QDir::NoDotAndDotDot | QDir::Dirs);
    QCOMPARE(kept, QStringList{"Local AppWizard-Generated Applications"});
    const QString keptFile = dataHome.filePath(
        QStringLiteral("Local AppWizard-Generated Applications/Vemo/bik-directory.txt"));
    const QByteArray keptBytes = ReadBytes(keptFile);
    QVERIFY(keptBytes.startsWith("Vemo BIK directory\t1\t2026-12-08\t6\n"));

    run = RunVemo({"--check"}, folder, dataHome.path());
    QCOMPARE(run.out, QStringLiteral("pltRecv.dat: запись 1 «ООО Ромашка»: БИК 046577303 нет в "
                                     "справочнике БИК от 08.12.2026\n"));
    QCOMPARE(run.exitCode, 1);

    run = RunVemo({"--import-bik", "cut.xml"}, folder, dataHome.path());
    QCOMPARE(run.err, QStringLiteral("vemo: Файл cut.xml не принят: файл оборван: справочник не "
                                     "дописан до конца. Справочник БИК не изменился.\n"));
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(ReadBytes(keptFile), keptBytes);

    run = RunVemo({"--import-bik"}, folder, dataHome.path());
    QCOMPARE(run.exitCode, 2);
    QCOMPARE(ReadBytes(keptFile), keptBytes);
}

QTEST_GUILESS_MAIN(TestBikDirectory)
#include "tst_bikdirectory.moc"
