#pragma once

#include <QByteArrayView>
#include <QString>

// Number text as the user sees and types it: general format with 15 significant digits and a
// comma as decimal separator, whatever the machine's locale ("0", "2,5", "1,5E20", "1E-5").
QString numberText(double value);

// The number of an indicator's row in tables and on paper: "2.3." for the third indicator of
// the second section, both counted from 1.
QString indicatorNumber(qsizetype section, qsizetype item);

// Reads number text: optional blanks, optional sign, digits, optionally "," and any digits,
// optionally an exponent, optional blanks; a lone "," reads 0, an empty text fails.
bool tryNumberFromText(QStringView text, double &value);
// As above; throws ConversionError with the text when it does not read.
double numberFromText(const QString &text);

// The 23-character number form of data files: " 2.50000000000000E+0001".
QByteArray dataNumberText(double value);
// Reads one data-file number run: optional sign, digits with optional "." fraction, optional
// exponent. Values beyond the double range do not read.
bool parseDataNumber(QByteArrayView run, double &value);

// The key filter of the value edits: digits, backspace and "," pass, "." becomes ",", anything
// else, and a second "," when currentText already holds one, gives 0 (discard and beep).
char16_t filterNumberKey(char16_t key, QStringView currentText);
// Shown beside the edit when the filter discards a key.
inline constexpr QStringView RefusedKeyNotice = u"Можна вводити лише цифри і кому";
