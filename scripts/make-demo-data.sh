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

# Requisites: name, bank, BIK, INN/KPP, account 1, account 2.
write_lines "$dir/pltRecv.dat" <<'LINES'
ООО "Ромашка"
ПАО "Северный банк" г. Москва
044525999
7701234567/770101001
40702810900000012345
30101810400000000999
ИП Соколова Анна Петровна
АО "Волжский кредит" г. Самара
043601888
631234567890/
40802810500000004321
30101810200000000888
LINES

write_lines "$dir/polRecv.dat" <<'LINES'
ООО "Альфа-Снаб"
ПАО "Уральский банк" г. Екатеринбург
046577777
6659876543/665901001
40702810100000067890
30101810500000000777
УФК по г. Москве (ИФНС России № 1)
ГУ Банка России по ЦФО г. Москва
044525000
7701000001/770101001
40101810800000010041
03100643000000017300
LINES

# Orders: number, date, payer, recipient, amount, basis, kind, term, priority, type.
write_lines "$dir/Vemo/vemo.1" <<'LINES'
   1
 5. 3.2026
ООО "Ромашка"
ООО "Альфа-Снаб"
15750,00
Оплата по счету № 118 от 02.03.2026 за канцелярские товары, в т.ч. НДС 20% 2625-00
01
05.03.2026
5
электронно
LINES

write_lines "$dir/Vemo/vemo.2" <<'LINES'
   2
12. 3.2026
ООО "Ромашка"
УФК по г. Москве (ИФНС России № 1)
48 300,00
Налог на доходы физических лиц за февраль 2026 г. НДС не облагается
01
12.03.2026
3
электронно
LINES

write_lines "$dir/Vemo/vemo.3" <<'LINES'
   3
20. 3.2026
ИП Соколова Анна Петровна
ООО "Альфа-Снаб"
1017,05
Предоплата по договору поставки № 7 от 15.03.2026, без НДС
01
20.03.2026
5
почтой
LINES
echo "Demo data written to $dir"
