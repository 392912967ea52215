#pragma once

#include <QByteArray>
#include <QString>
#include <QStringEncoder>

// Payment codes like those on real invoices and bills, made up for the tests with bank details
// whose control keys and check digits agree: a membership fee, a gas bill without a purpose, the
// bare minimum, budget keys, a sloppy writer's code and one whose values hold "|".
namespace InvoiceExamples {

// A company's membership fee in UTF-8, naming the paying person (which an order ignores).
inline QString MembershipFee() {
    return QStringLiteral(
        "ST00012|Name=ООО «Три сосны»|PersonalAcc=40702810438000077123|BankName=ПАО Сбербанк|"
        "BIC=044525225|CorrespAcc=30101810400000000225|PayeeINN=7704123450|Sum=100000|"
        "Purpose=Членский взнос за 2026 год|LastName=Иванов|FirstName=Иван|"
        "MiddleName=Иванович|PayerAddress=г. Москва, ул. Лесная, д. 1");
}

// A gas bill in windows-1251: a branch's name longer than the form's 45 characters, the payer's
// account with the supplier and the month it pays for instead of a purpose.
inline QString GasBill() {
    return QStringLiteral(
        "ST00011|Name=ООО «Газовая компания Тулы»|PersonalAcc=40702810566020101234|"
        "BankName=ТУЛЬСКОЕ ОТДЕЛЕНИЕ N8604 ПАО СБЕРБАНК Г. ТУЛА (ДОПОЛНИТЕЛЬНЫЙ ОФИС)|"
        "BIC=047003608|CorrespAcc=30101810300000000608|PayeeINN=7105000120|KPP=710501001|"
        "PersAcc=1234567890|PaymPeriod=0120|Sum=14212");
}

// Only the five mandatory keys, of a sole proprietor, in KOI8-R (which has no «» and no №).
inline QString BareMinimum() {
    return QStringLiteral(
        "ST00013|Name=ИП Соколова Анна Петровна|PersonalAcc=40802810900001234567|"
        "BankName=АО \"Банк Развития\"|BIC=044525974|CorrespAcc=30101810145250000974");
}

// A tax paid to the budget before 2015, every budget key filled, the correspondent account left
// for the payer's bank to find.
inline QString BudgetKeys() {
    return QStringLiteral(
        "ST00011|Name=УФК по г. Москве (ИФНС России № 1 по г. Москве)|"
        "PersonalAcc=40101810800000010041|BankName=Отделение 1 Москва|BIC=044583001|"
        "CorrespAcc=0|PayeeINN=7701107259|KPP=770101001|DrawerStatus=01|"
        "CBC=18210301000011000110|OKTMO=45382000|PaytReason=ТП|TaxPeriod=МС.01.2014|DocNo=0|"
        "DocDate=0|TaxPaytKind=НС|PayerINN=7728123459|Sum=1500000|Purpose=НДС за январь 2014");
}

// A careless writer: keys in any case, Null and empty values, a pair without "=", a key no one
// asked for, and a trailing separator.
inline QString Sloppy() {
    return QStringLiteral(
        "ST00012|nAmE=ООО «Вектор»|personalACC=40702810600000011111|BANKNAME=ПАО Сбербанк|"
        "bic=044525225|correspAcc=30101810400000000225|payeeinn=7730123456|без ключа|kpp= |"
        "sUM=250050|Purpose=Null|Contract=|KaznPersonalAcc=03100643000000017300|UIN=null|");
}

// Values that hold "|", so the writer chose "#" as the separator; in KOI8-R.
inline QString OtherSeparator() {
    return QStringLiteral(
        "ST00013#Name=ООО \"Альфа | Бета\"#PersonalAcc=40702810800000054321#BankName=ПАО "
        "Сбербанк#BIC=044525225#CorrespAcc=30101810400000000225#PayeeINN=5029123452#Sum=50000#"
        "Purpose=Оплата по счету N 7 | без НДС#");
}

// The code's text in the encoding its header names, as the code holds it.
inline QByteArray Bytes(const QString& text) {
    const char* encoding = "UTF-8";
    if (text.size() > 6 && text[6] == u'1') {
        encoding = "windows-1251";
    } else if (text.size() > 6 && text[6] == u'3') {
        encoding = "KOI8-R";
    }
    QStringEncoder encoder(encoding);
    return encoder.encode(text);
}

}  // namespace InvoiceExamples
