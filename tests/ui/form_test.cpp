// The main window, headless: its controls as laid out, the file dialog, and
// a report created by a click.

#include <QCheckBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QtTest>

#include "Unit1.h"
#include "message_box.h"
#include "temp_files.h"

namespace {

// Dialogs answered by the test: files to choose in turn (an empty one
// cancels), and every message shown, in order.
struct ScriptedDialogs {
  QStringList filesToChoose;
  QStringList preselected;  // what the dialog had selected each time it opened
  QStringList messages;
  QStringList missingListAtMessage;

  ModalDialogs seam(TForm1*& form) {
    ModalDialogs dialogs;
    dialogs.chooseFile = [this](QFileDialog& dialog) -> std::optional<QString> {
      preselected << dialog.selectedFiles().value(0);
      const QString next = filesToChoose.isEmpty() ? QString() : filesToChoose.takeFirst();
      if (next.isEmpty()) return std::nullopt;
      return next;
    };
    dialogs.showMessage = [this, &form](QWidget*, const QString& text) {
      messages << text;
      missingListAtMessage << form->replist->toPlainText();
    };
    return dialogs;
  }
};

struct Control {
  const char* name;
  const char* className;
  int left, top, width, height;
  const char* text;
};

// The window's design, written out again here so that the two are checked
// against each other.
const Control kControls[] = {
    {"orig", "QLineEdit", 15, 30, 620, 22, ""},
    {"trans", "QLineEdit", 15, 75, 620, 22, ""},
    {"openorig", "QPushButton", 645, 30, 80, 21, "open"},
    {"opentrans", "QPushButton", 645, 75, 80, 21, "open"},
    {"rep", "QPushButton", 15, 115, 711, 25, "create report"},
    {"Label1", "QLabel", 15, 155, 233, 14, "These ones don't exist in your translation:"},
    {"Label2", "QLabel", 375, 150, 269, 14, "These ones were removed from the original file:"},
    {"replist", "QPlainTextEdit", 15, 170, 350, 176, ""},
    {"replist1", "QPlainTextEdit", 375, 170, 350, 176, ""},
    {"offs", "QCheckBox", 15, 353, 146, 17, "Calculate offsets"},
    {"Label8", "QLabel", 166, 355, 561, 14,
     "* The offset shows the variable number counted from the beginning of the corresponding section (forms or "
     "strings)"},
    {"Bevel1", "QFrame", 15, 375, 711, 11, nullptr},
    {"Label7", "QLabel", 15, 390, 89, 14, "File information:"},
    {"cinf", "QLabel", 15, 405, 18, 14, "???"},
    {"Label3", "QLabel", 15, 440, 72, 14, "FORMS to add:"},
    {"Label4", "QLabel", 15, 455, 80, 14, "STRINGS to add:"},
    {"Label5", "QLabel", 15, 470, 90, 14, "FORMS to remove:"},
    {"Label6", "QLabel", 15, 485, 98, 14, "STRINGS to remove:"},
    {"cp1", "QLabel", 190, 440, 18, 14, "???"},
    {"cp2", "QLabel", 190, 455, 18, 14, "???"},
    {"cm1", "QLabel", 190, 470, 18, 14, "???"},
    {"cm2", "QLabel", 190, 485, 18, 14, "???"},
};

QString textOf(QWidget* widget) {
  if (auto* w = qobject_cast<QLineEdit*>(widget)) return w->text();
  if (auto* w = qobject_cast<QPushButton*>(widget)) return w->text();
  if (auto* w = qobject_cast<QCheckBox*>(widget)) return w->text();
  if (auto* w = qobject_cast<QLabel*>(widget)) return w->text();
  if (auto* w = qobject_cast<QPlainTextEdit*>(widget)) return w->toPlainText();
  return {};
}

// The most a label may be wider than Arial would draw its text; Liberation
// Sans draws some texts a few pixels wider at this size.
constexpr int kFontSlack = 8;

const QString kInfo = QStringLiteral(
    "[INFO]\nlanguage=Deutsch\ncompatibility=Notes 2.4\ndeveloper=Jana\ncontacts=jana@example.org\nupdated=today\n");

}  // namespace

class FormTest : public QObject {
  Q_OBJECT

private:
  // The seam needs the form it serves, which is made with the seam.
  std::unique_ptr<TForm1> makeForm(ScriptedDialogs& dialogs) {
    auto form = std::make_unique<TForm1>(dialogs.seam(formUnderTest_));
    formUnderTest_ = form.get();
    return form;
  }
  TForm1* formUnderTest_ = nullptr;

private slots:
  void controlsFollowTheDesign_data() {
    QTest::addColumn<int>("row");
    for (int i = 0; i < static_cast<int>(std::size(kControls)); ++i) QTest::newRow(kControls[i].name) << i;
  }

  void controlsFollowTheDesign() {
    QFETCH(int, row);
    const Control& c = kControls[row];
    ScriptedDialogs dialogs;
    const auto form = makeForm(dialogs);
    auto* widget = form->findChild<QWidget*>(QString::fromLatin1(c.name));
    QVERIFY(widget != nullptr);
    QVERIFY(widget->inherits(c.className));
    QCOMPARE(widget->parentWidget(), form.get());
    if (c.text != nullptr) QCOMPARE(textOf(widget), QString::fromUtf8(c.text));

    auto* label = qobject_cast<QLabel*>(widget);
    QCOMPARE(widget->height(), c.height);
    QCOMPARE(widget->y(), c.top);
    if (label == nullptr) {
      QCOMPARE(widget->geometry(), QRect(c.left, c.top, c.width, c.height));
      return;
    }
    // Labels size themselves to their text: never narrower than the design
    // nor than the text, never much wider.
    QVERIFY2(widget->width() >= c.width, qPrintable(QString::number(widget->width())));
    QVERIFY(widget->width() <= c.width + kFontSlack);
    QVERIFY(QFontMetrics(widget->font()).horizontalAdvance(label->text()) <= widget->width());
    if (QLatin1String(c.name) == QLatin1String("Label8")) {
      QCOMPARE(widget->geometry().right() + 1, 727);
      QVERIFY(label->alignment() & Qt::AlignRight);
    } else {
      QCOMPARE(widget->x(), c.left);
    }
    QCOMPARE(label->textFormat(), Qt::PlainText);
  }

  void labelsAreEmphasisedAsDesigned() {
    ScriptedDialogs dialogs;
    const auto form = makeForm(dialogs);
    for (QLabel* label : form->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
      const QString name = label->objectName();
      const bool bold = name == "Label1" || name == "Label2" || name == "Label7";
      QCOMPARE(label->font().bold(), bold);
      QCOMPARE(label->font().italic(), name == "Label8");
      QCOMPARE(label->font().family(), QStringLiteral("Arial"));
      QCOMPARE(label->font().pixelSize(), 11);
    }
  }

  void windowIsFixedWithCloseButtonOnly() {
    ScriptedDialogs dialogs;
    const auto form = makeForm(dialogs);
    QCOMPARE(form->size(), QSize(742, 515));
    QCOMPARE(form->minimumSize(), QSize(742, 515));
    QCOMPARE(form->maximumSize(), QSize(742, 515));
    QCOMPARE(form->pos(), QPoint(199, 140));
    const Qt::WindowFlags flags = form->windowFlags();
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(flags & Qt::WindowSystemMenuHint);
    QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QCOMPARE(form->windowTitle(), QStringLiteral("ULMAR TRANSLATION TOOL V3 by Ulmar, https://ulmar.org"));
    QCOMPARE(form->font().family(), QStringLiteral("Arial"));
    QCOMPARE(form->font().pixelSize(), 11);
    QCOMPARE(form->palette().color(QPalette::Window), form->palette().color(QPalette::Button));
    QVERIFY(!form->windowIcon().isNull());
    QCOMPARE(form->windowIcon().availableSizes().value(0), QSize(32, 32));
  }

  void pathFieldsCarryTheirLabels() {
    ScriptedDialogs dialogs;
    const auto form = makeForm(dialogs);
    const struct {
      QLineEdit* field;
      const char* text;
    } rows[] = {{form->orig, "The latest sample.lng:"}, {form->trans, "Your language.lng:"}};
    for (const auto& row : rows) {
      QCOMPARE(row.field->accessibleName(), QString::fromLatin1(row.text));
      QLabel* label = nullptr;
      for (QLabel* candidate : form->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
        if (candidate->buddy() == row.field) label = candidate;
      }
      QVERIFY(label != nullptr);
      QCOMPARE(label->text(), QString::fromLatin1(row.text));
      QCOMPARE(label->x(), row.field->x());
      QCOMPARE(label->geometry().bottom() + 1 + 3, row.field->y());
    }
  }

  void focusStartsInOrigAndTabsInOrder() {
    ScriptedDialogs dialogs;
    const auto form = makeForm(dialogs);
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    QCOMPARE(form->focusWidget(), form->orig);
    const QList<QWidget*> expected = {form->orig,    form->trans,   form->openorig, form->opentrans,
                                      form->rep,     form->replist, form->replist1, form->offs};
    QList<QWidget*> order;
    QWidget* widget = form->orig;
    do {
      if (widget->focusPolicy() & Qt::TabFocus) order << widget;
      widget = widget->nextInFocusChain();
    } while (widget != form->orig);
    QCOMPARE(order, expected);
  }

  void enterAndEscapeClickNothing() {
    ScriptedDialogs dialogs;
    const auto form = makeForm(dialogs);
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    for (QPushButton* button : form->findChildren<QPushButton*>(Qt::FindDirectChildrenOnly)) {
      QVERIFY(!button->isDefault());
      QVERIFY(!button->autoDefault());
    }
    form->orig->setFocus();
    QTest::keyClick(form->orig, Qt::Key_Return);
    QTest::keyClick(form->orig, Qt::Key_Escape);
    QTest::keyClick(form->trans, Qt::Key_Enter);
    QVERIFY(dialogs.messages.isEmpty());
    QVERIFY(dialogs.preselected.isEmpty());
    QVERIFY(form->isVisible());
  }

  void listsAreEditableAndWrapWithAScrollBar() {
    ScriptedDialogs dialogs;
    const auto form = makeForm(dialogs);
    QCOMPARE(form->replist->accessibleName(), form->Label1->text());
    QCOMPARE(form->replist1->accessibleName(), form->Label2->text());
    for (QPlainTextEdit* list : {form->replist, form->replist1}) {
      QVERIFY(!list->isReadOnly());
      QCOMPARE(list->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
      QCOMPARE(list->lineWrapMode(), QPlainTextEdit::WidgetWidth);
      QCOMPARE(list->wordWrapMode(), QTextOption::WrapAnywhere);
      QVERIFY(list->toPlainText().isEmpty());
    }
    QVERIFY(form->offs->isChecked());
  }

  // The layout is measured for Arial; Liberation Sans draws with its metrics.
  void arialOrItsMetricTwinIsInstalled() {
    const QString family = QFontInfo(QFont(QStringLiteral("Arial"))).family();
    if (family != QStringLiteral("Arial") && family != QStringLiteral("Liberation Sans")) {
      QFAIL(qPrintable(QStringLiteral("Arial draws as %1 here; install Debian's fonts-liberation").arg(family)));
    }
  }

  void checkBoxDrawsInTheWindowsStyle() {
    ScriptedDialogs dialogs;
    const auto form = makeForm(dialogs);
    auto* proxy = qobject_cast<QProxyStyle*>(form->offs->style());
    QVERIFY(proxy != nullptr);
    QCOMPARE(proxy->baseStyle()->name(), QStringLiteral("fusion"));
  }

  // A click anywhere on its box toggles it, as its whole box is the control.
  void checkBoxTogglesOverItsWholeBox() {
    ScriptedDialogs dialogs;
    const auto form = makeForm(dialogs);
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    QTest::mouseClick(form->offs, Qt::LeftButton, {}, QPoint(form->offs->width() - 3, 8));
    QVERIFY(!form->offs->isChecked());
    QTest::mouseClick(form->offs, Qt::LeftButton, {}, QPoint(5, 8));
    QVERIFY(form->offs->isChecked());
  }

  // ---- The file dialog ------------------------------------------------------

  void dialogIsSetUpForLanguageFiles() {
    ScriptedDialogs dialogs;
    const auto form = makeForm(dialogs);
    QFileDialog* dialog = form->langopen;
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Select a language file"));
    QCOMPARE(dialog->nameFilters(), QStringList{QStringLiteral("languages (*.lng)")});
    QVERIFY(dialog->testOption(QFileDialog::HideNameFilterDetails));
    QCOMPARE(dialog->defaultSuffix(), QStringLiteral("lng"));
    QCOMPARE(dialog->fileMode(), QFileDialog::ExistingFile);
    QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptOpen);
    QVERIFY(dialog->isSizeGripEnabled());
  }

  void cancellingTheDialogChangesNothing_data() {
    QTest::addColumn<QString>("before");
    QTest::newRow("empty field") << QString();
    QTest::newRow("typed path") << QStringLiteral("/some/typed/path.lng");
  }

  void cancellingTheDialogChangesNothing() {
    QFETCH(QString, before);
    ScriptedDialogs dialogs;
    dialogs.filesToChoose = {QString(), QString()};
    const auto form = makeForm(dialogs);
    form->orig->setText(before);
    form->trans->setText(before);
    QTest::mouseClick(form->openorig, Qt::LeftButton);
    QTest::mouseClick(form->opentrans, Qt::LeftButton);
    QCOMPARE(dialogs.preselected.size(), 2);
    QCOMPARE(form->orig->text(), before);
    QCOMPARE(form->trans->text(), before);
  }

  void choosingFillsTheFieldAndPreselectsTheLastChoice() {
    ulmar::testing::TempDir dir;
    const QString reference = QString::fromStdString(dir.write("sample.lng", "[FORMS]\n"));
    const QString translation = QString::fromStdString(dir.write("mine.lng", "[FORMS]\n"));
    ScriptedDialogs dialogs;
    dialogs.filesToChoose = {reference, translation, QString()};
    const auto form = makeForm(dialogs);
    QTest::mouseClick(form->openorig, Qt::LeftButton);
    QTest::mouseClick(form->opentrans, Qt::LeftButton);
    QTest::mouseClick(form->openorig, Qt::LeftButton);
    QCOMPARE(form->orig->text(), reference);
    QCOMPARE(form->trans->text(), translation);
    QCOMPARE(dialogs.preselected.value(1), reference);
    QCOMPARE(dialogs.preselected.value(2), translation);
  }

  // ---- A report, by a click -------------------------------------------------

  void clickingCreateReportShowsTheReport_data() {
    QTest::addColumn<QString>("reference");
    QTest::addColumn<QString>("translation");  // "-" for a path that names no file
    QTest::addColumn<bool>("offsets");
    QTest::addColumn<QString>("missing");
    QTest::addColumn<QString>("removed");
    QTest::addColumn<QString>("information");
    QTest::addColumn<QStringList>("counts");
    QTest::addColumn<QStringList>("messages");

    const QString same = kInfo + "[FORMS]\nA=1\n[STRINGS]\nS=1\n";
    QTest::newRow("same keys") << same << same << true << "[FORMS]\n[STRINGS]" << "[FORMS]\n[STRINGS]"
                               << "Deutsch language for Notes 2.4 by Jana (jana@example.org).\nLast modified on today."
                               << QStringList{"0", "0", "0", "0"} << QStringList{"done"};
    QTest::newRow("keys to add and remove")
        << kInfo + "[FORMS]\nA=1\nB=1\nC=1\n[STRINGS]\nS=1\n" << kInfo + "[FORMS]\nA=1\nC=1\nD=1\n[STRINGS]\nS=1\nT=1\n"
        << true << "[FORMS]\n[  2] B\n[STRINGS]" << "[FORMS]\n[  3] D\n[STRINGS]\n[  2] T"
        << "Deutsch language for Notes 2.4 by Jana (jana@example.org).\nLast modified on today."
        << QStringList{"1", "0", "1", "1"} << QStringList{"done"};
    QTest::newRow("offsets unchecked")
        << kInfo + "[FORMS]\nA=1\nB=1\n[STRINGS]\nS=1\n" << kInfo + "[FORMS]\nA=1\n[STRINGS]\nS=1\n" << false
        << "[FORMS]\nB\n[STRINGS]" << "[FORMS]\n[STRINGS]"
        << "Deutsch language for Notes 2.4 by Jana (jana@example.org).\nLast modified on today."
        << QStringList{"1", "0", "0", "0"} << QStringList{"done"};
    QTest::newRow("no translation file")
        << kInfo + "[FORMS]\nA=1\n[STRINGS]\nS=1\n" << "-" << true << "[FORMS]\n[  1] A\n[STRINGS]\n[  1] S"
        << "[FORMS]" << " language for  by  ().\nLast modified on ." << QStringList{"???", "???", "???", "???"}
        << QStringList{"translated file - [FORMS] is empty"};
    QTest::newRow("reference without INFO nor FORMS")
        << "[STRINGS]\nS=1\n" << same << true << "" << "" << "???" << QStringList{"???", "???", "???", "???"}
        << QStringList{"orig file - [INFO] is empty", "orig file - [FORMS] is empty"};
  }

  void clickingCreateReportShowsTheReport() {
    QFETCH(QString, reference);
    QFETCH(QString, translation);
    QFETCH(bool, offsets);
    QFETCH(QString, missing);
    QFETCH(QString, removed);
    QFETCH(QString, information);
    QFETCH(QStringList, counts);
    QFETCH(QStringList, messages);

    ulmar::testing::TempDir dir;
    ScriptedDialogs dialogs;
    const auto form = makeForm(dialogs);
    QTest::keyClicks(form->orig, QString::fromStdString(dir.write("orig.lng", reference.toStdString())));
    QTest::keyClicks(form->trans, translation == "-" ? QString::fromStdString(dir.path("none.lng"))
                                                     : QString::fromStdString(dir.write("trans.lng", translation.toStdString())));
    if (!offsets) QTest::mouseClick(form->offs, Qt::LeftButton, {}, QPoint(5, 8));
    QCOMPARE(form->offs->isChecked(), offsets);
    QTest::mouseClick(form->rep, Qt::LeftButton);

    QCOMPARE(form->replist->toPlainText(), missing);
    QCOMPARE(form->replist1->toPlainText(), removed);
    QCOMPARE(form->cinf->text(), information);
    QCOMPARE((QStringList{form->cp1->text(), form->cp2->text(), form->cm1->text(), form->cm2->text()}), counts);
    QCOMPARE(dialogs.messages, messages);
    // The lines are in the list by the time a message box shows.
    QCOMPARE(dialogs.missingListAtMessage.last(), missing);
  }

  void aSecondReportReplacesTheFirst() {
    ulmar::testing::TempDir dir;
    ScriptedDialogs dialogs;
    const auto form = makeForm(dialogs);
    form->orig->setText(QString::fromStdString(dir.write("o.lng", (kInfo + "[FORMS]\nA=1\nB=1\n[STRINGS]\nS=1\n").toStdString())));
    form->trans->setText(QString::fromStdString(dir.write("t.lng", "[FORMS]\nA=1\n[STRINGS]\nS=1\n")));
    QTest::mouseClick(form->rep, Qt::LeftButton);
    QCOMPARE(form->replist->toPlainText(), QStringLiteral("[FORMS]\n[  2] B\n[STRINGS]"));
    form->trans->setText(QString::fromStdString(dir.path("gone.lng")));
    QTest::mouseClick(form->rep, Qt::LeftButton);
    QCOMPARE(form->replist->toPlainText(), QStringLiteral("[FORMS]\n[  1] A\n[  2] B\n[STRINGS]\n[  1] S"));
    QCOMPARE(form->replist1->toPlainText(), QStringLiteral("[FORMS]"));
    QCOMPARE(form->cp1->text(), QStringLiteral("1"));  // kept from the run that got that far
  }

  // A very long key is shown cut short, so that the list stays quick.
  void cutsAVeryLongLineShort() {
    ulmar::testing::TempDir dir;
    ScriptedDialogs dialogs;
    const auto form = makeForm(dialogs);
    const std::string longKey(100000, 'k');
    form->orig->setText(QString::fromStdString(dir.write("o.lng", "[FORMS]\n" + longKey + "=1\n[STRINGS]\nS=1\n")));
    form->trans->setText(QString::fromStdString(dir.write("t.lng", "[FORMS]\nA=1\n[STRINGS]\nS=1\n")));
    form->offs->setChecked(false);
    QTest::mouseClick(form->rep, Qt::LeftButton);
    const QStringList lines = form->replist->toPlainText().split(u'\n');
    QCOMPARE(lines.size(), 3);
    QCOMPARE(lines[1], QString(10000, u'k') + QChar(0x2026));
  }

  void showsTextInTheEncodingOfItsFile() {
    ulmar::testing::TempDir dir;
    ScriptedDialogs dialogs;
    const auto form = makeForm(dialogs);
    qputenv("LC_ALL", "ru_RU.UTF-8");
    // A cp1251 translation: Cyrillic in its INFO and in a key to remove.
    form->orig->setText(QString::fromStdString(dir.write("o.lng", (kInfo + "[FORMS]\nA=1\n[STRINGS]\nS=1\n").toStdString())));
    form->trans->setText(QString::fromStdString(
        dir.write("t.lng", "[INFO]\nlanguage=\xD0\xF3\xF1\xF1\xEA\xE8\xE9\n[FORMS]\nA=1\n\xCA\xED\xEE\xEF\xEA\xE0=1\n[STRINGS]\nS=1\n")));
    QTest::mouseClick(form->rep, Qt::LeftButton);
    qunsetenv("LC_ALL");
    QCOMPARE(form->cinf->text(), QStringLiteral("Русский language for  by  ().\nLast modified on ."));
    QCOMPARE(form->replist1->toPlainText(), QStringLiteral("[FORMS]\n[  2] Кнопка\n[STRINGS]"));
    QCOMPARE(form->cinf->height(), 28);  // two lines
  }

  // ---- Dropping files onto the path fields ------------------------------------

  void droppingAFileNamesIt_data() {
    QTest::addColumn<QString>("what");
    QTest::addColumn<bool>("named");
    QTest::newRow("one local file") << QStringLiteral("file") << true;
    QTest::newRow("two files") << QStringLiteral("two") << false;
    QTest::newRow("a folder") << QStringLiteral("folder") << false;
    QTest::newRow("a web address") << QStringLiteral("web") << false;
    QTest::newRow("plain text") << QStringLiteral("text") << false;
  }

  void droppingAFileNamesIt() {
    QFETCH(QString, what);
    QFETCH(bool, named);
    ulmar::testing::TempDir dir;
    const QString file = QString::fromStdString(dir.write("de.lng", "[FORMS]\nA=1\n"));
    const QString other = QString::fromStdString(dir.write("fr.lng", "[FORMS]\nA=1\n"));
    ScriptedDialogs dialogs;
    const auto form = makeForm(dialogs);
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    for (QLineEdit* field : {form->orig, form->trans}) {
      field->setText(QStringLiteral("before"));
      QMimeData data;
      if (what == u"file") data.setUrls({QUrl::fromLocalFile(file)});
      if (what == u"two") data.setUrls({QUrl::fromLocalFile(file), QUrl::fromLocalFile(other)});
      if (what == u"folder") data.setUrls({QUrl::fromLocalFile(QString::fromStdString(dir.path("")))});
      if (what == u"web") data.setUrls({QUrl(QStringLiteral("https://ulmar.org/de.lng"))});
      if (what == u"text") data.setText(QStringLiteral("typed text"));
      const QPoint middle = field->rect().center();
      QDragEnterEvent enter(middle, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(field, &enter);
      QCOMPARE(enter.isAccepted(), named);
      QDropEvent drop(QPointF(middle), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(field, &drop);
      QCOMPARE(field->text(), named ? file : QStringLiteral("before"));
    }
    if (named) QCOMPARE(form->langopen->selectedFiles().value(0), file);
  }

  // ---- Message box and title ------------------------------------------------

  void messageBoxHasOneOkButtonAndNoIcon() {
    ScriptedDialogs dialogs;
    const auto form = makeForm(dialogs);
    const auto box = makeMessageBox(form.get(), QStringLiteral("done"));
    QCOMPARE(box->text(), QStringLiteral("done"));
    QCOMPARE(box->icon(), QMessageBox::NoIcon);
    QCOMPARE(box->buttons().size(), 1);
    QCOMPARE(box->standardButtons(), QMessageBox::Ok);
    QCOMPARE(box->button(QMessageBox::Ok)->text(), QStringLiteral("OK"));
    QVERIFY(box->button(QMessageBox::Ok)->icon().isNull());
    QCOMPARE(box->windowModality(), Qt::ApplicationModal);
    QCOMPARE(box->windowTitle(), applicationTitle(QCoreApplication::applicationFilePath()));
    const QRect screen = form->screen()->geometry();
    QVERIFY(qAbs(box->geometry().center().x() - screen.center().x()) <= 1);
    QVERIFY(qAbs(box->geometry().center().y() - screen.center().y()) <= 1);
  }

  void applicationTitleFollowsTheExecutableName_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("title");
    QTest::newRow("plain") << "/usr/bin/ulmar" << "ulmar";
    QTest::newRow("capitals") << "C:/Tools/ULMAR.EXE" << "Ulmar";
    QTest::newRow("mixed case") << "/opt/UlMaR" << "Ulmar";
    QTest::newRow("cut at the first dot") << "/x/Lng.Tool.v2.bin" << "Lng";
    QTest::newRow("leading dot") << "/x/.hidden" << "";
    QTest::newRow("first letter kept small") << "/x/uLMAR" << "ulmar";
    QTest::newRow("beyond ascii") << "/x/ÜBERSETZER" << "Übersetzer";
  }

  void applicationTitleFollowsTheExecutableName() {
    QFETCH(QString, path);
    QFETCH(QString, title);
    QCOMPARE(applicationTitle(path), title);
  }
};

QTEST_MAIN(FormTest)
#include "form_test.moc"
