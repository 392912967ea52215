#include "bank/PaymentMatch.h"

#include "bank/ExchangeFile.h"
#include "orders/OrderAmount.h"
#include "orders/OrderRow.h"
#include "orders/OrderTexts.h"
#include "requisites/RequisiteChecks.h"

namespace PaymentMatch {
namespace {

using RequisiteChecks::WithoutBlanks;

// What an order needs of a party: the ids of its own account, as the export writes it, and of
// its INN; 0 for none.
struct Party {
    qint32 accountId = 0;
    qint32 innId = 0;
};

}  // namespace

QSet<QString> OwnAccounts(const ExchangeFile& file) {
    QSet<QString> accounts(file.Accounts().begin(), file.Accounts().end());
    for (const ExchangeBalance& section : file.Balances()) {
        if (!section.account.isEmpty()) {
            accounts.insert(section.account);
        }
    }
    return accounts;
}

Direction DirectionOf(const ExchangeDocument& document, const QSet<QString>& ownAccounts) {
    const bool fromOwn = ownAccounts.contains(document.payerAccount);
    const bool toOwn = ownAccounts.contains(document.recipientAccount);
    if (fromOwn || toOwn) {
        return fromOwn && toOwn ? Direction::Transfer
                                : (fromOwn ? Direction::Outgoing : Direction::Incoming);
    }
    const bool debited = document.debited.isValid();
    const bool credited = document.credited.isValid();
    if (debited != credited) {
        return debited ? Direction::Outgoing : Direction::Incoming;
    }
    return Direction::Unknown;
}

bool MayAnswer(const ExchangeDocument& document, Direction direction) {
    return LeavesAccount(direction) && document.kind == kPaymentOrder;
}

Number Number::Of(QStringView text) {
    constexpr int kMostDigits = 18;  // within the range of the count
    Number number;
    qint64 value = 0;
    int digits = 0;
    for (QChar c : text) {
        if (c >= u'0' && c <= u'9' && digits < kMostDigits) {
            value = value * 10 + (c.unicode() - u'0');
            ++digits;
        } else if (!c.isSpace()) {
            number.text = WithoutBlanks(text);
            return number;
        }
    }
    number.value = digits > 0 ? value : -1;
    return number;
}

bool Key::operator==(const Key& other) const {
    return day == other.day && kopecks == other.kopecks && number == other.number &&
           payerAccount == other.payerAccount && recipientAccount == other.recipientAccount &&
           numberText == other.numberText;
}

size_t qHash(const Key& key, size_t salt) {
    return qHashMulti(salt, key.payerAccount, key.recipientAccount, key.number, key.numberText,
                      key.day, key.kopecks);
}

qint32 OrderIndex::Intern(const QString& text) {
    if (text.isEmpty()) {
        return 0;
    }
    const auto found = m_ids.constFind(TextView{text});
    if (found != m_ids.cend()) {
        return *found;
    }
    m_textOf.append(text);  // the key views the copy kept here, whose characters never move
    return *m_ids.insert(TextView{m_textOf.last()}, qint32(m_textOf.size() - 1));
}

OrderIndex::OrderIndex(const QList<OrderRow>& orders, const CRequisiteArray& payers,
                       const CRequisiteArray& recipients) {
    // The first record of each name, as FindRecord finds it, looked at once for all orders.
    QHash<TextView, Party> parties[2];  // by the names in the books given
    for (int nKind : {kPayersKind, kRecipientsKind}) {
        for (const CRequisite& record : nKind == kPayersKind ? payers : recipients) {
            if (!parties[nKind].contains(TextView{record.m_strName})) {
                parties[nKind].insert(TextView{record.m_strName},
                                      {Intern(WithoutBlanks(AccountsOf(record, nKind).own)),
                                       Intern(SplitInnKpp(record.m_strInnKpp).inn)});
            }
        }
    }
    m_chains.reserve(orders.size());
    m_next.resize(orders.size(), -1);
    m_recipientInns.resize(orders.size());
    m_payerAccounts.resize(orders.size());  // the empty text's id, 0, for an order without a key
    for (qsizetype i = 0; i < orders.size(); ++i) {
        const OrderRow& row = orders[i];
        const auto payer = parties[kPayersKind].constFind(TextView{row[kColumnPayer]});
        const auto recipient = parties[kRecipientsKind].constFind(TextView{row[kColumnRecipient]});
        if (payer == parties[kPayersKind].cend() || recipient == parties[kRecipientsKind].cend() ||
            payer->accountId == 0 || recipient->accountId == 0) {
            continue;
        }
        const QDate date = OrderTexts::DateFromText(row[kColumnDate]);
        Key key;
        if (!date.isValid() || !OrderAmount::ParseKopecks(row[kColumnAmount], &key.kopecks)) {
            continue;
        }
        const Number number = Number::Of(row[kColumnNumber]);
        key.payerAccount = payer->accountId;
        key.recipientAccount = recipient->accountId;
        key.number = number.value;
        key.numberText = Intern(number.text);
        key.day = date.toJulianDay();
        // Orders of one key stay in the order given: each new one goes to the end of the chain.
        const auto chain = m_chains.find(key);
        if (chain == m_chains.end()) {
            m_chains.insert(key, {i, i});
        } else {
            m_next[chain->second] = i;
            chain->second = i;
        }
        m_recipientInns[i] = recipient->innId;
        m_payerAccounts[i] = payer->accountId;
    }
}

Key OrderIndex::KeyOf(const QString& payerAccount, const QString& recipientAccount,
                      const Number& number, qint64 day, qint64 kopecks) const {
    Key key;
    key.payerAccount = TextId(payerAccount);
    key.recipientAccount = TextId(recipientAccount);
    key.number = number.value;
    key.numberText = TextId(number.text);
    key.day = day;
    key.kopecks = kopecks;
    return key;
}

QList<qsizetype> OrderIndex::Answered(const ExchangeDocument& document, Direction direction) const {
    QList<qsizetype> found;
    if (MayAnswer(document, direction)) {
        Answered(KeyOf(document.payerAccount, document.recipientAccount,
                       Number::Of(document.number), document.date.toJulianDay(), document.kopecks),
                 TextId(document.recipientInn), &found);
    }
    return found;
}

void OrderIndex::Answered(const Key& key, qint32 recipientInn, QList<qsizetype>* found) const {
    found->clear();
    if (key.payerAccount <= 0 || key.recipientAccount <= 0 || key.numberText < 0) {
        return;  // a text no order holds
    }
    const auto chain = m_chains.constFind(key);
    for (qsizetype order = chain == m_chains.cend() ? -1 : chain->first; order >= 0;
         order = m_next[order]) {
        const qint32 inn = m_recipientInns[order];
        // The recipient's INN confirms the account where both give one.
        if (recipientInn == 0 || inn == 0 || inn == recipientInn) {
            found->append(order);
        }
    }
}

}  // namespace PaymentMatch
