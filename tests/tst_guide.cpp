// The guide for the accountant as the program shows it: every link leads to a section of it and
// every picture is there.
#include <QtTest>

#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>

#include "TestEnvironment.h"

class TestGuide : public QObject {
    Q_OBJECT
public:
    static void initMain() { UseOffscreenPlatformUnlessSet(); }

private slots:
    void linksAndPictures();
};

void TestGuide::linksAndPictures() {
    QTextBrowser browser;
    browser.setSource(QUrl(QStringLiteral("qrc:/guide/guide.html")));
    const QTextDocument* document = browser.document();
    QVERIFY(document->toPlainText().contains(QStringLiteral("Первые шаги")));
    QStringList anchors;
    QStringList links;
    QStringList pictures;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            anchors += format.anchorNames();
            if (format.isAnchor() && !format.anchorHref().isEmpty()) {
                links.append(format.anchorHref());
            }
            if (format.isImageFormat()) {
                pictures.append(format.toImageFormat().name());
            }
        }
    }
    QVERIFY(links.size() > 10);
    for (const QString& link : links) {
        QVERIFY2(link.startsWith(u'#') && anchors.contains(link.mid(1)), qPrintable(link));
    }
    QVERIFY(!pictures.isEmpty());
    for (const QString& picture : pictures) {
        const QVariant image = document->resource(QTextDocument::ImageResource, QUrl(picture));
        QVERIFY2(!image.isNull(), qPrintable(picture));
    }
}

QTEST_MAIN(TestGuide)
#include "tst_guide.moc"
