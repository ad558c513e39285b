"""From a catalogue, writes a data file with values and the same table as CSV for a spreadsheet.

usage: tablefiles.py DEFAULT.lng OUT.zrs OUT.csv
"""
import csv
import sys

lines = open(sys.argv[1], 'rb').read().decode('cp1251').split('\r\n')
year, pos = lines[0], 1
rows, pairs = [], []
n = 0
while pos < len(lines) and lines[pos]:
    n += 1
    rows.append([f'{n}.', '', lines[pos], '', '', '', '', ''])
    pos += 1
    m = 0
    while lines[pos] != '===':
        key, name, source, measure, kind, code = lines[pos:pos + 6]
        pos += 6
        m += 1
        value = (n * 37 + m * 11) % 500 + 0.5
        pairs.append((key, value))
        rows.append([f'{n}.{m}.', code, name, 'C' if kind == 'C' else '', '' if kind == 'C' else 'A',
                     source, str(value).replace('.', ','), measure])
    pos += 1

with open(sys.argv[2], 'wb') as out:
    text = [year, 'Середня школа №1']
    for key, value in pairs:
        text += [key, f' {value:.14E}'.replace('E+', 'E+00').replace('E-', 'E-00')]
    out.write(('\r\n'.join(text) + '\r\n').encode('cp1251'))

with open(sys.argv[3], 'w', newline='', encoding='utf-8') as out:
    writer = csv.writer(out)
    writer.writerow(['№ п/п', 'Умовне позначення показника', 'Вхідні дані', 'Статистичний', 'Аналітичний',
                     'Джерело інформації', 'Цифрові дані', 'Одиниці вимірювання'])
    writer.writerows(rows)
