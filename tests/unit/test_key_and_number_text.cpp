// The pieces every desktop back end shares: the key-string notation, the
// numeric value of a text and the display form of a number.
#include "platform/calendar.h"
#include "platform/key_string.h"
#include "platform/number_text.h"

#include <QLocale>
#include <QtTest>
#include <cfloat>
#include <cmath>

Q_DECLARE_METATYPE(KeyStroke)

namespace {

KeyStroke ch(char32_t c, bool alt = false) { return {KeyStroke::Key::Character, c, alt}; }
KeyStroke named(KeyStroke::Key k, bool alt = false) { return {k, 0, alt}; }

}  // namespace

class TestKeyAndNumberText : public QObject {
  Q_OBJECT

 private slots:
  void parsesTheRunsKeyStrings() {
    using K = KeyStroke::Key;
    struct Case {
      QString keys;
      std::vector<KeyStroke> strokes;
    };
    const Case cases[] = {
        {"%B", {ch('B', true)}},
        {"{UP}", {named(K::Up)}},
        {"{DOWN}", {named(K::Down)}},
        {"{ENTER}", {named(K::Enter)}},
        {"{F1}", {named(K::F1)}},
        {"{up}", {named(K::Up)}},
        {"%AB", {ch('A', true), ch('B')}},
        {"%{{}", {ch('{', true)}},
        {"%{}}", {ch('}', true)}},
        {"%{%}", {ch('%', true)}},
        {"%{UP}", {named(K::Up, true)}},
        {QString::fromUtf8("%ü"), {ch(U'ü', true)}},
        {"", {}},
    };
    for (const Case& c : cases) {
      const ParsedKeys p = parseKeyString(c.keys);
      QVERIFY2(p.status.ok(), qPrintable(c.keys + ": " + p.status.description));
      QVERIFY2(p.strokes == c.strokes, qPrintable(c.keys));
    }
  }

  void refusesWhatCannotBeSent_data() {
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("why");
    QTest::newRow("lone alt") << "%" << "not followed";
    QTest::newRow("alt at the end") << "B%" << "not followed";
    QTest::newRow("alt for alt") << "%%B" << "another Alt";
    QTest::newRow("unclosed") << "%{" << "closing";
    QTest::newRow("unknown name") << "{HOME}" << "unknown";
    QTest::newRow("empty group") << "{}" << "unknown";
  }
  void refusesWhatCannotBeSent() {
    QFETCH(QString, keys);
    QFETCH(QString, why);
    const ParsedKeys p = parseKeyString(keys);
    QCOMPARE(p.status.code, 5);
    QVERIFY2(p.status.description.contains(why), qPrintable(p.status.description));
    QVERIFY(p.strokes.empty());
  }

  void escapedTextTypesItself() {
    for (const QString& text : {QString("{"), QString("}"), QString("%"), QString("a{b}%c"), QString("B")}) {
      const ParsedKeys p = parseKeyString(escapeKeys(text));
      QVERIFY(p.status.ok());
      QString typed;
      for (const KeyStroke& s : p.strokes) {
        QCOMPARE(s.key, KeyStroke::Key::Character);
        typed += QChar(char16_t(s.character));
      }
      QCOMPARE(typed, text);
    }
  }

  void numericValue_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("plain") << "10" << 10.0;
    QTest::newRow("blanks anywhere") << " 1 0\t\n" << 10.0;
    QTest::newRow("fraction") << "2.5" << 2.5;
    QTest::newRow("leading point") << ".5" << 0.5;
    QTest::newRow("negative") << "-3" << -3.0;
    QTest::newRow("sign then blank") << "- 3" << -3.0;
    QTest::newRow("letters") << "abc" << 0.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("trailing text") << "12 seconds" << 12.0;
    QTest::newRow("two points") << "1.2.3" << 1.2;
    QTest::newRow("exponent") << "1e3" << 1000.0;
    QTest::newRow("negative exponent") << "25E-1" << 2.5;
    QTest::newRow("dangling exponent") << "7e" << 7.0;
    QTest::newRow("comma is not a point") << "2,5" << 2.0;
    QTest::newRow("sign only") << "+" << 0.0;
    QTest::newRow("underflow") << "1e-400" << 0.0;
  }
  void numericValue() {
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(::numericValue(text), value);
  }

  void hugeNumbersSaturate() {
    QVERIFY(std::isinf(::numericValue("1e400")) && ::numericValue("1e400") > 0);
    QVERIFY(std::isinf(::numericValue("-1e400")) && ::numericValue("-1e400") < 0);
    QCOMPARE(toSingle(::numericValue("1e39")), FLT_MAX);
    QCOMPARE(toSingle(::numericValue("1e400")), FLT_MAX);
    QCOMPARE(toSingle(-1e300), -FLT_MAX);
    QCOMPARE(toSingle(1e30), 1e30f);
  }

  void displayForm_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("positive") << 5.0 << " 5";
    QTest::newRow("ten") << 10.0 << " 10";
    QTest::newRow("negative") << -7.0 << "-7";
    QTest::newRow("zero") << 0.0 << " 0";
    QTest::newRow("negative zero") << -0.0 << " 0";
    QTest::newRow("fraction") << 2.5 << " 2.5";
    QTest::newRow("large") << 1e30 << " 1E+30";
  }
  void displayForm() {
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(displayNumber(value), text);
  }

  void displayFormIgnoresTheLocale() {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QCOMPARE(displayNumber(2.5), QString(" 2.5"));
    QCOMPARE(::numericValue("2.5"), 2.5);
    QLocale::setDefault(QLocale::c());
  }

  void weekdayNumbersRunFromSunday() {
    QCOMPARE(weekdayNumber(QDate(2026, 8, 9)), 1);   // Sunday
    QCOMPARE(weekdayNumber(QDate(2026, 8, 12)), 4);  // Wednesday
    QCOMPARE(weekdayNumber(QDate(2026, 8, 15)), 7);  // Saturday
    QVERIFY(shortDateText(QDate(2026, 8, 12)) != shortDateText(QDate(2026, 8, 13)));
  }
};

QTEST_GUILESS_MAIN(TestKeyAndNumberText)
#include "test_key_and_number_text.moc"
