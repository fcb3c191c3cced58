// Typing into the real QLineEdit of each style: completion, forcing onto a
// row, the key events and their by-reference arguments, and a failing
// handler that must not take the window down.
#include "fixture.hpp"
#include "platform/error.hpp"

using namespace cbo;
using namespace cbo::testing;

namespace {

// The events the container hands on, by name, to a host's handler that may
// change their by-reference arguments.
QStringList* Record(Host& h, const std::function<void(int, std::span<Variant>)>& also = {}) {
  auto* seen = new QStringList;
  QObject::connect(h.container, &QObject::destroyed, [seen] { delete seen; });
  h.container->SetEventHandler([seen, also](int number, std::span<Variant> args) {
    *seen << QString::fromStdString(FindEvent(number)->Name);
    if (also) also(number, args);
  });
  return seen;
}

}  // namespace

class TextEntryTest : public QObject {
  Q_OBJECT

private slots:
  void comboBoxCompletesAndSelectsTheRemainder() {
    Host h(ComboBox);
    QStringList& seen = *Record(h);
    QTest::keyClicks(h.Edit(), "ro");
    QCOMPARE(h.Edit()->text(), QString("Roma"));
    QCOMPARE(h.control->Txt_Cbo().SelStart(), 2);
    QCOMPARE(h.control->Txt_Cbo().SelLength(), 2);
    QVERIFY(seen.contains("Change"));
    // Another letter narrows the completion to the next matching row.
    QTest::keyClicks(h.Edit(), "v");
    QCOMPARE(h.Edit()->text(), QString("Rovigo"));
    QCOMPARE(h.control->Txt_Cbo().SelStart(), 3);
    QCOMPARE(h.control->Txt_Cbo().SelLength(), 3);
  }

  void comboBoxKeepsWhatFollowsAKeyTypedInsideTheText() {
    Host h(ComboBox);
    QTest::keyClicks(h.Edit(), "rz");  // no row begins with "Rz": free text
    QCOMPARE(h.Edit()->text(), QString("Rz"));
    // Between R and z: "Roz" neither completed nor selected, the z kept.
    h.Edit()->setCursorPosition(1);
    QTest::keyClicks(h.Edit(), "o");
    QCOMPARE(h.Edit()->text(), QString("Roz"));
    QCOMPARE(h.Edit()->cursorPosition(), 2);
    QVERIFY(!h.Edit()->hasSelectedText());
    QTest::keyClick(h.Edit(), Qt::Key_Backspace);
    QCOMPARE(h.Edit()->text(), QString("Rz"));
    QCOMPARE(h.Edit()->cursorPosition(), 1);
    QVERIFY(!h.Edit()->hasSelectedText());
    h.Edit()->setCursorPosition(0);
    QTest::keyClick(h.Edit(), Qt::Key_Delete);
    QCOMPARE(h.Edit()->text(), QString("z"));
    QCOMPARE(h.Edit()->cursorPosition(), 0);
    QVERIFY(!h.Edit()->hasSelectedText());
  }

  void listComboEmptiedStartsANewSearch() {
    Host h(ListCombo);
    QTest::keyClicks(h.Edit(), "mon");
    h.Edit()->selectAll();
    QTest::keyClick(h.Edit(), Qt::Key_Backspace);
    QCOMPARE(h.Edit()->selectedText(), h.Edit()->text());  // the first row, wholly selected
    QTest::keyClicks(h.Edit(), "mon");
    QCOMPARE(h.Edit()->text(), QString("Monza"));
  }

  void comboBoxCountsAccentedCharactersAsOne() {
    Host h(ComboBox);
    QTest::sendKeyEvent(QTest::Click, h.Edit(), Qt::Key_unknown, QString::fromUtf8("è"), Qt::NoModifier);
    QCOMPARE(h.Edit()->text(), QString::fromUtf8("Èboli"));
    QCOMPARE(h.control->Txt_Cbo().SelStart(), 1);
    QCOMPARE(h.control->Txt_Cbo().SelLength(), 4);
  }

  void listComboForcesTheTextOntoARow() {
    Host h(ListCombo);
    QTest::keyClicks(h.Edit(), "mon");
    QCOMPARE(h.Edit()->text(), QString("Monza"));
    QCOMPARE(QString::fromStdString(h.control->Value()), QString("1004"));
  }

  void keyEventsArriveInOrderAndACancelledKeyIsNotApplied() {
    Host h(TextBox);
    // A handler that clears KeyAscii cancels the character.
    QStringList& seen = *Record(h, [](int number, std::span<Variant> args) {
      if (number == EvKeyPress && args[0] == Variant(int16_t{'x'})) args[0] = Variant(int16_t{0});
    });
    QTest::keyClicks(h.Edit(), "axb");
    QCOMPARE(h.Edit()->text(), QString("ab"));
    QCOMPARE(seen.mid(0, 4), QStringList({"KeyDown", "KeyPress", "Change", "KeyUp"}));
    // The cancelled x made no change.
    QCOMPARE(seen.mid(4, 3), QStringList({"KeyDown", "KeyPress", "KeyUp"}));
  }

  void aLockedBoxRaisesKeysButKeepsItsText() {
    Host h(TextBox);
    h.control->SetText("fisso");
    h.control->SetLocked(true);
    QStringList& seen = *Record(h);
    QTest::keyClicks(h.Edit(), "ab");
    QTest::keyClick(h.Edit(), Qt::Key_Backspace);
    QCOMPARE(h.Edit()->text(), QString("fisso"));
    QCOMPARE(seen.count("KeyPress"), 3);
  }

  void selectionIsCountedInCharactersAndRefusesNegativeValues() {
    Host h(TextBox);
    ITextBox& box = h.control->Txt_Cbo();
    box.SetText(
        "a\xF0\x9F\x98\x80"
        "bc");  // a character outside 16 bits counts once
    box.SetSelStart(2);
    box.SetSelLength(10);
    QCOMPARE(box.SelStart(), 2);
    QCOMPARE(box.SelLength(), 2);
    QCOMPARE(h.Edit()->selectedText(), QString("bc"));
    QVERIFY_THROWS_EXCEPTION(Error, box.SetSelStart(-1));
    QVERIFY_THROWS_EXCEPTION(Error, box.SetSelLength(-1));
  }

  void aFailingHandlerIsReportedAndTheBoxStaysUsable() {
    Host h(TextBox);
    Record(h, [](int number, std::span<Variant> args) {
      if (number == EvKeyPress && args[0] == Variant(int16_t{'q'}))
        throw Error(ErrorKind::Widget, "KeyPress: the host refuses q");
    });
    QStringList errors;
    connect(h.container, &qt::QtContainer::handlerError,
            [&](const QString& member, const QString& message) { errors << member + " " + message; });
    QTest::keyClicks(h.Edit(), "aqb");
    QCOMPARE(errors.size(), 1);
    QVERIFY(errors[0].contains("the host refuses q"));
    QCOMPARE(h.Edit()->text(), QString("ab"));
  }

  void mouseEventsCarryTheButtonAndTwipsAndAClickFollowsTheRelease() {
    Host h(TextBox);
    std::vector<Variant> down;
    QStringList& seen = *Record(h, [&](int number, std::span<Variant> args) {
      if (number == EvMouseDown) down.assign(args.begin(), args.end());
    });
    QTest::mouseClick(h.Edit(), Qt::LeftButton, Qt::NoModifier, QPoint(10, 5));
    QCOMPARE(seen.filter("Mouse").mid(0, 2), QStringList({"MouseDown", "MouseUp"}));
    QVERIFY(seen.contains("Click"));
    QCOMPARE(down.size(), size_t{4});
    QCOMPARE(down[0], Variant(int16_t{1}));
    QCOMPARE(down[2], Variant(150.0f));
    QCOMPARE(down[3], Variant(75.0f));
    seen.clear();
    QTest::mouseClick(h.Edit(), Qt::RightButton, Qt::NoModifier, QPoint(10, 5));
    QVERIFY(!seen.contains("Click"));
    QCOMPARE(down[0], Variant(int16_t{2}));
  }

  void heightIsPinnedAtWholePixels() {
    Host h(ComboBox);
    h.container->SetHeight(1000);
    QCOMPARE(h.container->Height(), 320.0);
    QCOMPARE(h.container->height(), 21);
    QCOMPARE(h.container->width(), 300);
  }
};

QTEST_MAIN(TextEntryTest)
#include "text_entry_test.moc"
