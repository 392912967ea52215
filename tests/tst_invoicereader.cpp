// The payment code found where an invoice brings it: pictures of pages, turned and small, PDF
// pages, the clipboard; and what the user is told when there is none.
#include <QtTest>

#include <QDir>
#include <QMimeData>
#include <QTemporaryDir>

#include "InvoiceExamples.h"
#include "InvoicePages.h"
#include "invoice/InvoiceReader.h"

using InvoicePages::Placement;

Q_DECLARE_METATYPE(Placement)

namespace {

Placement At(double xMm, double yMm, double widthMm, double degrees = 0) {
    Placement placement;
    placement.xMm = xMm;
    placement.yMm = yMm;
    placement.widthMm = widthMm;
    placement.degrees = degrees;
    return placement;
}

QImage Code(const QString& text) {
    return InvoicePages::CodeImage(InvoiceExamples::Bytes(text));
}

bool WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QString Refusal(const PaymentCode::Reading& reading) {
    return reading.isPaymentCode ? QStringLiteral("(a payment code)") : reading.refusal;
}

}  // namespace

class InvoiceReaderTest : public QObject {
    Q_OBJECT

private slots:
    void readsPictures_data();
    void readsPictures();
    void readsPdf_data();
    void readsPdf();
    void refuses_data();
    void refuses();
    void readsClipboard_data();
    void readsClipboard();

private:
    QTemporaryDir m_dir;
};

void InvoiceReaderTest::readsPictures_data() {
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("dpi");
    QTest::addColumn<Placement>("placement");
    QTest::addColumn<QString>("format");  // of the file; empty: a picture with a transparent
                                          // background, handed over as it is
    QTest::addColumn<QStringList>("expected");

    using namespace InvoiceExamples;
    QTest::newRow("membership fee, UTF-8, top right")
        << MembershipFee() << 150 << At(170, 40, 25) << "png"
        << QStringList{"Name=ООО «Три сосны»", "Sum=100000"};
    QTest::newRow("gas bill, windows-1251, 300 dpi, small")
        << GasBill() << 300 << At(170, 40, 18) << "png"
        << QStringList{"Name=ООО «Газовая компания Тулы»", "Sum=14212"};
    QTest::newRow("gas bill, windows-1251, a JPEG photo of the page")
        << GasBill() << 150 << At(40, 230, 25) << "jpg"
        << QStringList{
               "BankName=ТУЛЬСКОЕ ОТДЕЛЕНИЕ N8604 ПАО СБЕРБАНК Г. ТУЛА (ДОПОЛНИТЕЛЬНЫЙ "
               "ОФИС)"};
    QTest::newRow("bare minimum, KOI8-R, page turned a quarter")
        << BareMinimum() << 150 << At(40, 240, 22, 90) << "png"
        << QStringList{"Name=ИП Соколова Анна Петровна"};
    QTest::newRow("budget keys, windows-1251, upside down")
        << BudgetKeys() << 150 << At(170, 240, 25, 180) << "png"
        << QStringList{"Name=УФК по г. Москве (ИФНС России № 1 по г. Москве)",
                       "TaxPeriod=МС.01.2014"};
    QTest::newRow("sloppy code, UTF-8, a crooked scan")
        << Sloppy() << 300 << At(170, 40, 20, 7) << "png"
        << QStringList{"Name=ООО «Вектор»", "Sum=250050", "Purpose="};
    QTest::newRow("separator '#', KOI8-R, turned 30 degrees")
        << OtherSeparator() << 150 << At(160, 230, 25, 30) << "png"
        << QStringList{"Name=ООО \"Альфа | Бета\""};
    QTest::newRow("a screenshot with a transparent background")
        << MembershipFee() << 150 << At(105, 150, 40) << "" << QStringList{"Name=ООО «Три сосны»"};
}

void InvoiceReaderTest::readsPictures() {
    QFETCH(QString, code);
    QFETCH(int, dpi);
    QFETCH(Placement, placement);
    QFETCH(QString, format);
    QFETCH(QStringList, expected);
    PaymentCode::Reading reading;
    if (format.isEmpty()) {
        // Black modules on nothing, as a code copied from a site.
        QImage picture = Code(code).scaled(Code(code).size() * 4);
        QImage alpha = picture;
        alpha.invertPixels();
        picture = picture.convertToFormat(QImage::Format_ARGB32);
        picture.setAlphaChannel(alpha);
        reading = InvoiceReader::FromImage(picture);
    } else {
        const QString path = m_dir.filePath(QStringLiteral("invoice.") + format);
        QVERIFY(InvoicePages::PageImage(Code(code), dpi, placement).save(path));
        reading = InvoiceReader::FromFile(path);
    }
    QVERIFY2(reading.isPaymentCode, qPrintable(reading.refusal));
    for (const QString& pair : expected) {
        const QString key = pair.section(u'=', 0, 0);
        QCOMPARE(key + u'=' + reading.code.Value(key), pair);
    }
}

void InvoiceReaderTest::readsPdf_data() {
    QTest::addColumn<Placement>("placement");
    QTest::addColumn<int>("pages");
    QTest::addColumn<int>("codePage");
    QTest::addColumn<QString>("otherCode");  // on the other pages

    QTest::newRow("one page") << At(170, 40, 25) << 1 << 1 << "";
    QTest::newRow("the code on the second page, a site's code on the first")
        << At(170, 250, 25) << 2 << 2 << "https://example.ru/invoice/118";
    QTest::newRow("a code too small for 150 dpi") << At(170, 40, 12) << 1 << 1 << "";
}

// An order from a PDF invoice: the gas bill, and the book that knows none of its recipients.
void InvoiceReaderTest::readsPdf() {
    QFETCH(Placement, placement);
    QFETCH(int, pages);
    QFETCH(int, codePage);
    QFETCH(QString, otherCode);
    const QString path = m_dir.filePath(QStringLiteral("invoice.pdf"));
    QVERIFY(InvoicePages::WritePdf(
        path, Code(InvoiceExamples::GasBill()), placement, pages, codePage,
        otherCode.isEmpty() ? QImage() : InvoicePages::CodeImage(otherCode.toUtf8())));
    const InvoiceReader::Result result =
        InvoiceReader::OrderFromFile(path, CRequisiteArray(), BikDirectory());
    QVERIFY2(result.ok, qPrintable(result.refusal));
    QCOMPARE(result.order.order[kColumnRecipient], QStringLiteral("ООО «Газовая компания Тулы»"));
    QCOMPARE(result.order.order[kColumnAmount], QStringLiteral("142,12"));
}

void InvoiceReaderTest::refuses_data() {
    QTest::addColumn<QString>("kind");        // what stands at the path
    QTest::addColumn<QByteArray>("content");  // the code's bytes, or the file's
    QTest::addColumn<QString>("refusal");

    const QByteArray fee = InvoiceExamples::Bytes(InvoiceExamples::MembershipFee());
    QTest::newRow("a page without a code")
        << "page" << QByteArray() << "На картинке «invoice.png» нет QR-кода.";
    QTest::newRow("a site's code")
        << "page" << QByteArray("https://example.ru/invoice/118")
        << "На картинке «invoice.png» найден QR-код, но по нему не заполнить платежное "
           "поручение. Это не платежный QR-код, а ссылка на сайт «https://example.ru/invoice/118».";
    QTest::newRow("a cut code")
        << "page" << fee.left(fee.indexOf("BIC="))
        << "нет обязательных реквизитов BIC (БИК), CorrespAcc (корр. счет).";
    QTest::newRow("a PDF without a code") << "pdf" << QByteArray()
                                          << "В PDF «invoice.pdf» нет QR-кода ни на одной странице "
                                             "(страниц: 2).";
    QTest::newRow("a damaged PDF")
        << "bytes" << QByteArray("%PDF-1.4\n1 0 obj <<") << "не открыть: файл поврежден";
    QTest::newRow("a damaged PNG") << "bytes" << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR", 16)
                                   << "не прочитать: файл поврежден или слишком велик";
    QTest::newRow("a text file") << "bytes" << QByteArray("Счет № 118")
                                 << "— не картинка (PNG, JPEG) и не PDF.";
    QTest::newRow("no file") << "missing" << QByteArray() << "нет.";
    QTest::newRow("a folder at the path") << "folder" << QByteArray() << "не обычный файл";
}

void InvoiceReaderTest::refuses() {
    QFETCH(QString, kind);
    QFETCH(QByteArray, content);
    QFETCH(QString, refusal);
    const QString path =
        m_dir.filePath(kind == QLatin1String("pdf") ? QStringLiteral("invoice.pdf")
                                                    : QStringLiteral("invoice.png"));
    QFile::remove(path);
    QDir(path).removeRecursively();
    if (kind == QLatin1String("page")) {
        const QImage code = content.isEmpty() ? QImage() : InvoicePages::CodeImage(content);
        QVERIFY(InvoicePages::PageImage(code, 150).save(path));
    } else if (kind == QLatin1String("pdf")) {
        QVERIFY(InvoicePages::WritePdf(path, QImage(), Placement(), 2));
    } else if (kind == QLatin1String("bytes")) {
        QVERIFY(WriteBytes(path, content));
    } else if (kind == QLatin1String("folder")) {
        QVERIFY(QDir().mkpath(path));
    }
    const InvoiceReader::Result result =
        InvoiceReader::OrderFromFile(path, CRequisiteArray(), BikDirectory());
    QVERIFY(!result.ok);
    QVERIFY2(result.refusal.contains(refusal), qPrintable(result.refusal));
}

void InvoiceReaderTest::readsClipboard_data() {
    QTest::addColumn<QString>("kind");  // what the clipboard holds
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");  // the recipient's name, or part of the refusal

    const QString gas = InvoiceExamples::GasBill();
    QTest::newRow("a screenshot") << "image" << gas << "Name=ООО «Газовая компания Тулы»";
    QTest::newRow("a file copied in a file manager")
        << "file" << gas << "Name=ООО «Газовая компания Тулы»";
    QTest::newRow("the code's text") << "text" << gas << "Name=ООО «Газовая компания Тулы»";
    QTest::newRow("a link") << "text"
                            << "https://example.ru/pay"
                            << "ссылка на сайт";
    QTest::newRow("nothing of use") << ""
                                    << ""
                                    << "В буфере обмена нет ни картинки";
}

void InvoiceReaderTest::readsClipboard() {
    QFETCH(QString, kind);
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QMimeData data;
    const QImage page = text.isEmpty() ? QImage() : InvoicePages::PageImage(Code(text), 150);
    if (kind == QLatin1String("image")) {
        data.setImageData(page);
    } else if (kind == QLatin1String("file")) {
        const QString path = m_dir.filePath(QStringLiteral("copied.png"));
        QVERIFY(page.save(path));
        data.setUrls({QUrl::fromLocalFile(path)});
    } else if (kind == QLatin1String("text")) {
        data.setText(text);
    } else {
        data.setHtml(QStringLiteral("<p>Счет</p>"));
    }
    const PaymentCode::Reading reading = InvoiceReader::FromClipboard(data);
    if (expected.startsWith(QLatin1String("Name="))) {
        QVERIFY2(reading.isPaymentCode, qPrintable(reading.refusal));
        QCOMPARE(QStringLiteral("Name=") + reading.code.Value(QStringLiteral("Name")), expected);
    } else {
        QVERIFY2(Refusal(reading).contains(expected), qPrintable(Refusal(reading)));
    }
}

QTEST_MAIN(InvoiceReaderTest)
#include "tst_invoicereader.moc"
