#include "Unit1.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyleFactory>

#include "etched_rule.h"
#include "messages.h"
#include "path_drop.h"
#include "form_layout.h"
#include "report.h"
#include "ulmar.xpm"
#include "whole_box_check_style.h"
#include "window_report_view.h"

TForm1* Form1 = nullptr;

namespace text = ulmar::text;

namespace {

QString uiText(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

constexpr char kAuthor[] = "Ulmar";
constexpr char kWebAddress[] = "https://ulmar.org";
constexpr int kLabelLineHeight = 14;
constexpr int kLabel8RightEdge = 727;

enum class Emphasis { None, Bold, Italic };

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, Emphasis emphasis = Emphasis::None) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setTextFormat(Qt::PlainText);
  QFont font = label->font();
  font.setBold(emphasis == Emphasis::Bold);
  font.setItalic(emphasis == Emphasis::Italic);
  label->setFont(font);
  return label;
}

QLineEdit* makePathField(QWidget* parent, const char* name, const char* labelName, const QString& labelText) {
  auto* field = new QLineEdit(parent);
  field->setObjectName(QString::fromLatin1(name));
  field->setAccessibleName(labelText);
  QLabel* label = makeLabel(parent, labelName, labelText);
  label->setBuddy(field);
  return field;
}

QPushButton* makeButton(QWidget* parent, const char* name, const QString& text) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(QString::fromLatin1(name));
  // Enter and Escape click nothing.
  button->setAutoDefault(false);
  button->setDefault(false);
  return button;
}

QPlainTextEdit* makeList(QWidget* parent, const char* name) {
  auto* list = new QPlainTextEdit(parent);
  list->setObjectName(QString::fromLatin1(name));
  list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  list->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  // Wrapping anywhere, not at word boundaries: a key name has no spaces, and
  // looking for word boundaries in a megabyte-long one takes the widget minutes.
  list->setWordWrapMode(QTextOption::WrapAnywhere);
  list->setTabChangesFocus(true);
  return list;
}

QFileDialog* makeLanguageDialog(QWidget* parent) {
  auto* dialog = new QFileDialog(parent, uiText(text::kFileDialogTitle));
  dialog->setObjectName(QStringLiteral("langopen"));
  dialog->setOption(QFileDialog::DontUseNativeDialog);
  dialog->setOption(QFileDialog::HideNameFilterDetails);
  dialog->setNameFilter(QStringLiteral("languages (*.lng)"));
  dialog->setDefaultSuffix(QStringLiteral("lng"));
  dialog->setFileMode(QFileDialog::ExistingFile);
  dialog->setAcceptMode(QFileDialog::AcceptOpen);
  dialog->setSizeGripEnabled(true);
  return dialog;
}

}  // namespace

QString formCaption() {
  return QStringLiteral("%1 by %2, %3").arg(uiText(text::kWindowTitle), QLatin1String(kAuthor), QLatin1String(kWebAddress));
}

void TXPManifest::useVisualStyle() { QApplication::setStyle(QStyleFactory::create(QLatin1String(kStyle))); }

TForm1::TForm1(ModalDialogs modalDialogs, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      dialogs(std::move(modalDialogs)) {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(formCaption());
  setWindowIcon(QIcon(QPixmap(ulmar_xpm)));
  QFont arial(QStringLiteral("Arial"));
  arial.setPixelSize(11);
  setFont(arial);
  QPalette buttonFace = palette();
  buttonFace.setColor(QPalette::Window, buttonFace.color(QPalette::Button));
  setPalette(buttonFace);
  setAutoFillBackground(true);

  orig = makePathField(this, "orig", "origLabel", uiText(text::kReferenceFieldLabel));
  trans = makePathField(this, "trans", "transLabel", uiText(text::kTranslationFieldLabel));
  langopen = makeLanguageDialog(this);
  openorig = makeButton(this, "openorig", uiText(text::kOpenButton));
  opentrans = makeButton(this, "opentrans", uiText(text::kOpenButton));
  rep = makeButton(this, "rep", uiText(text::kCreateReportButton));
  replist = makeList(this, "replist");
  Label1 = makeLabel(this, "Label1", uiText(text::kMissingTitle), Emphasis::Bold);
  Label2 = makeLabel(this, "Label2", uiText(text::kRemovedTitle), Emphasis::Bold);
  replist1 = makeList(this, "replist1");
  Label3 = makeLabel(this, "Label3", uiText(text::kFormsToAdd));
  Label4 = makeLabel(this, "Label4", uiText(text::kStringsToAdd));
  Label5 = makeLabel(this, "Label5", uiText(text::kFormsToRemove));
  Label6 = makeLabel(this, "Label6", uiText(text::kStringsToRemove));
  cp1 = makeLabel(this, "cp1", uiText(text::kNotYetSet));
  cp2 = makeLabel(this, "cp2", uiText(text::kNotYetSet));
  cm1 = makeLabel(this, "cm1", uiText(text::kNotYetSet));
  cm2 = makeLabel(this, "cm2", uiText(text::kNotYetSet));
  Label7 = makeLabel(this, "Label7", uiText(text::kFileInformationTitle), Emphasis::Bold);
  cinf = makeLabel(this, "cinf", uiText(text::kNotYetSet));
  Label8 = makeLabel(this, "Label8",
                     uiText(text::kOffsetNote),
                     Emphasis::Italic);
  Label8->setAlignment(Qt::AlignRight | Qt::AlignTop);
  // Screen readers name each list by its heading.
  replist->setAccessibleName(Label1->text());
  replist1->setAccessibleName(Label2->text());
  Bevel1 = new EtchedRule(this);
  Bevel1->setObjectName(QStringLiteral("Bevel1"));
  offs = new QCheckBox(uiText(text::kOffsetsCheckBox), this);
  offs->setObjectName(QStringLiteral("offs"));
  offs->setChecked(true);
  auto* wholeBox = new WholeBoxCheckStyle(QLatin1String(TXPManifest::kStyle));
  wholeBox->setParent(this);
  offs->setStyle(wholeBox);

  // A file dropped onto a path field names it, as the dialog would.
  new PathDrop(orig, langopen);
  new PathDrop(trans, langopen);

  connect(openorig, &QPushButton::clicked, this, &TForm1::openorigClick);
  connect(opentrans, &QPushButton::clicked, this, &TForm1::opentransClick);
  connect(rep, &QPushButton::clicked, this, &TForm1::repClick);

  applyFormLayout(*this);
  // Labels take the size of their text, but no less than the layout gives
  // them: the font here may draw a little narrower or wider than Arial does.
  for (QLabel* label : findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) fitLabel(label, label->width());
  setTabOrder(orig, trans);
  setTabOrder(trans, openorig);
  setTabOrder(openorig, opentrans);
  setTabOrder(opentrans, rep);
  setTabOrder(rep, replist);
  setTabOrder(replist, replist1);
  setTabOrder(replist1, offs);

  setFixedSize(kFormClientWidth, kFormClientHeight);
  move(kFormLeft, kFormTop);
  orig->setFocus();
}

void TForm1::fitLabel(QLabel* label, int minimumWidth) {
  const QFontMetrics metrics(label->font());
  const QStringList lines = label->text().split(u'\n');
  int width = minimumWidth;
  for (const QString& line : lines) width = std::max(width, metrics.horizontalAdvance(line));
  const int height = kLabelLineHeight * static_cast<int>(lines.size());
  if (label == Label8) {
    label->setGeometry(kLabel8RightEdge - width, label->y(), width, height);
  } else {
    label->resize(width, height);
  }
}

void TForm1::chooseInto(QLineEdit* field) {
  // The one dialog serves both buttons and opens on the file chosen last.
  if (const std::optional<QString> chosen = dialogs.chooseFile(*langopen)) {
    field->setText(*chosen);
    langopen->selectFile(*chosen);
  }
}

void TForm1::openorigClick() { chooseInto(orig); }

void TForm1::opentransClick() { chooseInto(trans); }

void TForm1::repClick() {
  WindowReportView view(*this);
  ulmar::createReport(view);
}
