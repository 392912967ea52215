#!/usr/bin/env bash
# Prepares the demo working folder that `make run` opens the editor in: on first use it gets a
# few fictional payers, recipients and orders, so that a newcomer sees a filled form at once.
# The files are in the program's own format: code page 1251, CRLF line ends.
set -euo pipefail
dir=$1
[[ -e "$dir" ]] && exit 0
mkdir -p "$dir/Vemo"

# Writes the lines given on standard input to file $1 in code page 1251 with CRLF.
write_lines() {
    sed 's/$/\r/' | iconv -f UTF-8 -t CP1251 > "$1"
}

# Requisites: name, bank, BIK, INN/KPP, account 1, account 2. A payer's account 1 is its own
# account and account 2 its bank's correspondent account; a recipient's are the other way round,
# as the form prints them. The details are fictional (but for the tax service's) and pass the
# banks' checks: each account's control digit (its ninth) agrees with the BIK (the
# settlement account with the BIK's last three digits, the correspondent account with "0" and
# the BIK's fifth and sixth digits, weights 7, 1, 3 repeated, sum ending in 0), and each INN's
# last digit is its check digit.
write_lines "$dir/pltRecv.dat" <<'LINES'
ООО "Ромашка"
ПАО "Северный банк" г. Москва
044525999
7701234560/770101001
40702810600000012345
30101810600000000999
АО "Волжская мебельная фабрика"
АО "Волжский кредит" г. Самара
043601888
6316123458/631601001
40702810400000004321
30101810100000000888
LINES

write_lines "$dir/polRecv.dat" <<'LINES'
ООО "Альфа-Снаб"
ПАО "Уральский банк" г. Екатеринбург
046577777
6659876545/665901001
30101810300000000777
40702810500000067890
ООО "Типография Печатный двор"
АО "Невский торговый банк" г. Санкт-Петербург
044030999
7805123456/780501001
30101810400000000999
40702810300000055123
Казначейство России (ФНС России)
ОКЦ № 7 ГУ Банка России по ЦФО//УФК по Тульской области, г Тула
017003983
7727406020/770701001
40102810445370000059
03100643000000018500
LINES

# Orders: number, date, payer, recipient, amount, basis, kind, term, priority, type. Orders of
# today: no term and no type of payment, VAT at the rate in force.
write_lines "$dir/Vemo/vemo.1" <<'LINES'
   1
 5. 3.2026
ООО "Ромашка"
ООО "Альфа-Снаб"
15750,00
Оплата по счету № 118 от 02.03.2026 за канцелярские товары. В т.ч. НДС 22 % — 2840,16 руб.
01

5

LINES

write_lines "$dir/Vemo/vemo.2" <<'LINES'
   2
12. 3.2026
ООО "Ромашка"
ООО "Типография Печатный двор"
48 300,00
Оплата по договору № 45-П от 10.02.2026 за печать рекламных буклетов. В т.ч. НДС 22 % — 8709,84 руб.
01

5

LINES

write_lines "$dir/Vemo/vemo.3" <<'LINES'
   3
20. 3.2026
АО "Волжская мебельная фабрика"
ООО "Альфа-Снаб"
1017,05
Предоплата по договору поставки № 7 от 15.03.2026. Без налога (НДС)
01

5

LINES
# The single tax payment: lines 11 to 20 hold the budget fields (status, КБК, ОКТМО, basis,
# period, document number and date, 110, the payment's code, the income-type code).
write_lines "$dir/Vemo/vemo.4" <<'LINES'
   4
25. 3.2026
ООО "Ромашка"
Казначейство России (ФНС России)
84 120,00
Единый налоговый платеж
01

5

01
18201061201010000510
0
0
0
0
0

0

LINES
echo "Demo data written to $dir"
