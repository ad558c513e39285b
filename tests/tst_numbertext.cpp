#include "indicators/numbertext.h"
#include "core/errors.h"

#include <QtTest>

#include <cmath>
#include <limits>

class tst_NumberText : public QObject
{
    Q_OBJECT

private slots:
    void shown_data();
    void shown();
    void readsBack_data();
    void readsBack();
    void refused_data();
    void refused();
    void dataForm_data();
    void dataForm();
    void dataRun_data();
    void dataRun();
    void keyFilter_data();
    void keyFilter();
};

void tst_NumberText::shown_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << 0.0 << "0";
    QTest::newRow("negative zero") << -0.0 << "0";
    QTest::newRow("whole") << 12.0 << "12";
    QTest::newRow("two and a half") << 2.5 << "2,5";
    QTest::newRow("twelve and a half") << 12.5 << "12,5";
    QTest::newRow("negative") << -1234.5 << "-1234,5";
    QTest::newRow("exponent large") << 1.5e20 << "1,5E20";
    QTest::newRow("exponent small") << 1e-5 << "1E-5";
    QTest::newRow("smallest fixed") << 0.0001 << "0,0001";
    QTest::newRow("fifteen digits stay fixed") << 123456789012345.0 << "123456789012345";
    QTest::newRow("sixteen digits go exponent") << 1234567890123456.0 << "1,23456789012346E15";
    QTest::newRow("one third") << 1.0 / 3.0 << "0,333333333333333";
    QTest::newRow("0.1") << 0.1 << "0,1";
    QTest::newRow("rounding to 15 digits") << 0.1 + 0.2 << "0,3";
    QTest::newRow("negative exponent") << -2.5e-7 << "-2,5E-7";
}

void tst_NumberText::shown()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(numberText(value), text);
}

void tst_NumberText::readsBack_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("digits") << "12" << 12.0;
    QTest::newRow("comma") << "12,5" << 12.5;
    QTest::newRow("trailing comma") << "12," << 12.0;
    QTest::newRow("leading comma") << ",5" << 0.5;
    QTest::newRow("lone comma") << "," << 0.0;
    QTest::newRow("blanks around") << "  7,25  " << 7.25;
    QTest::newRow("plus sign") << "+3" << 3.0;
    QTest::newRow("minus sign") << "-3" << -3.0;
    QTest::newRow("exponent") << "1,5E20" << 1.5e20;
    QTest::newRow("small exponent") << "1E-5" << 1e-5;
    QTest::newRow("lower-case e with sign") << "2e+3" << 2000.0;
    QTest::newRow("underflow reads as zero") << "1E-400" << 0.0;
    QTest::newRow("zero") << "0" << 0.0;
}

void tst_NumberText::readsBack()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(numberFromText(text), value);
}

void tst_NumberText::refused_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << "";
    QTest::newRow("blanks only") << "   ";
    QTest::newRow("letters") << "abc";
    QTest::newRow("full stop") << "2.5";
    QTest::newRow("two commas") << "1,2,3";
    QTest::newRow("exponent without digits") << "1E";
    QTest::newRow("lone sign") << "-";
    QTest::newRow("text after number") << "12 kg";
    QTest::newRow("overflow") << "1E400";
    QTest::newRow("infinity word") << "inf";
    QTest::newRow("tab") << "\t1";
}

void tst_NumberText::refused()
{
    QFETCH(QString, text);
    double value = 42;
    QVERIFY(!tryNumberFromText(text, value));
    QCOMPARE(value, 42.0);
    try {
        numberFromText(text);
        QFAIL("no error raised");
    } catch (const ConversionError &error) {
        QCOMPARE(error.message(), QStringLiteral("'%1' is not a valid floating point value").arg(text));
    }
}

void tst_NumberText::dataForm_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("25") << 25.0 << QByteArray(" 2.50000000000000E+0001");
    QTest::newRow("0.5") << 0.5 << QByteArray(" 5.00000000000000E-0001");
    QTest::newRow("-1234.5") << -1234.5 << QByteArray("-1.23450000000000E+0003");
    QTest::newRow("0") << 0.0 << QByteArray(" 0.00000000000000E+0000");
    QTest::newRow("0.1") << 0.1 << QByteArray(" 1.00000000000000E-0001");
    QTest::newRow("1/3") << 1.0 / 3.0 << QByteArray(" 3.33333333333333E-0001");
    QTest::newRow("2/3 rounds up") << 2.0 / 3.0 << QByteArray(" 6.66666666666667E-0001");
    QTest::newRow("large") << 1.5e300 << QByteArray(" 1.50000000000000E+0300");
    QTest::newRow("tiny") << 1e-300 << QByteArray(" 1.00000000000000E-0300");
    QTest::newRow("carry to next power") << 9.999999999999999 << QByteArray(" 1.00000000000000E+0001");
    // A 16th digit of 5 rounds up, also where the value lies exactly halfway; just below
    // halfway it rounds down, whatever its shortest digits say.
    QTest::newRow("exact tie") << 100000000000000.5 << QByteArray(" 1.00000000000001E+0014");
    QTest::newRow("exact tie, even digit") << 1234567890123.125 << QByteArray(" 1.23456789012313E+0012");
    QTest::newRow("negative exact tie") << -100000000000000.5 << QByteArray("-1.00000000000001E+0014");
    QTest::newRow("exact tie carrying") << 999999999999999.5 << QByteArray(" 1.00000000000000E+0015");
    QTest::newRow("just below halfway") << 8.626903632435095 << QByteArray(" 8.62690363243509E+0000");
    QTest::newRow("smallest denormal") << 4.9406564584124654e-324 << QByteArray(" 4.94065645841247E-0324");
}

void tst_NumberText::dataForm()
{
    QFETCH(double, value);
    QFETCH(QByteArray, text);
    QCOMPARE(dataNumberText(value), text);
    QCOMPARE(dataNumberText(value).size(), 23);
}

void tst_NumberText::dataRun_data()
{
    QTest::addColumn<QByteArray>("run");
    QTest::addColumn<bool>("reads");
    QTest::addColumn<double>("value");
    QTest::newRow("written form") << QByteArray("2.50000000000000E+0001") << true << 25.0;
    QTest::newRow("negative") << QByteArray("-1.23450000000000E+0003") << true << -1234.5;
    QTest::newRow("plain") << QByteArray("17") << true << 17.0;
    QTest::newRow("fraction") << QByteArray("0.25") << true << 0.25;
    QTest::newRow("lower e") << QByteArray("1e3") << true << 1000.0;
    QTest::newRow("comma") << QByteArray("2,5") << false << 0.0;
    QTest::newRow("letters") << QByteArray("abc") << false << 0.0;
    QTest::newRow("sign only") << QByteArray("+") << false << 0.0;
    QTest::newRow("exponent without digits") << QByteArray("1E+") << false << 0.0;
    QTest::newRow("overflow") << QByteArray("1E+9999") << false << 0.0;
}

void tst_NumberText::dataRun()
{
    QFETCH(QByteArray, run);
    QFETCH(bool, reads);
    QFETCH(double, value);
    double result = -1;
    QCOMPARE(parseDataNumber(run, result), reads);
    if (reads)
        QCOMPARE(result, value);
}

void tst_NumberText::keyFilter_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("current");
    QTest::addColumn<QString>("result"); // empty: discarded
    QTest::newRow("digit") << "7" << "" << "7";
    QTest::newRow("backspace") << "\b" << "1,5" << "\b";
    QTest::newRow("first comma") << "," << "12" << ",";
    QTest::newRow("full stop becomes comma") << "." << "12" << ",";
    QTest::newRow("second comma") << "," << "1,2" << "";
    QTest::newRow("full stop after comma") << "." << "1," << "";
    QTest::newRow("letter") << "a" << "" << "";
    QTest::newRow("minus") << "-" << "" << "";
    QTest::newRow("plus") << "+" << "" << "";
    QTest::newRow("blank") << " " << "" << "";
    QTest::newRow("Ctrl+V") << "\x16" << "" << "";
    QTest::newRow("Escape") << "\x1b" << "" << "";
    QTest::newRow("cyrillic") << "ж" << "" << "";
}

void tst_NumberText::keyFilter()
{
    QFETCH(QString, key);
    QFETCH(QString, current);
    QFETCH(QString, result);
    const char16_t filtered = filterNumberKey(key.at(0).unicode(), current);
    QCOMPARE(filtered == 0 ? QString() : QString(QChar(filtered)), result);
}

QTEST_APPLESS_MAIN(tst_NumberText)
#include "tst_numbertext.moc"
