// The six operation pages of Form1 with their controls, initial values, limits and reactions.
// The Rename page's groups sit where the design puts them; the other pages are laid out in rows.
#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "batch/folder_dates.h"
#include "engine/messages.h"
#include "ui/accessibility.h"
#include "ui/form1.h"
#include "ui/key_filters.h"
#include "ui/qt_ui_host.h"
#include "ui/twips.h"
#include "ui/wrapping_check_box.h"

namespace kestro {
namespace {

// Page rectangles in the window, twips. The Rename page's is the design's; the other pages use
// the width of the tab strip's panel, as their longer captions need it.
constexpr int kRenamePage[] = {4032, 396, 3900, 3036};
constexpr int kOtherPage[] = {3624, 396, 4560, 3084};

QWidget* MakePage(const char* name, const int (&rect)[4], QWidget* parent, const Twips& twips) {
  auto* page = new QWidget(parent);
  page->setObjectName(name);
  SetAccessibleRole(*page, QAccessible::PropertyPage);
  page->setGeometry(twips.Rect(rect[0], rect[1], rect[2], rect[3]));
  return page;
}

QGroupBox* MakeGroup(const char* name, const QString& caption, QWidget* parent) {
  auto* group = new QGroupBox(caption, parent);
  group->setObjectName(name);
  return group;
}

QButtonGroup* MakeButtonGroup(QWidget* owner) {
  auto* group = new QButtonGroup(owner);
  group->setExclusive(true);
  return group;
}

// A row of controls inside a captioned group, with little margin: the groups are small.
QHBoxLayout* GroupRow(QGroupBox* group) {
  auto* row = new QHBoxLayout(group);
  row->setContentsMargins(6, 0, 6, 2);
  row->setSpacing(6);
  return row;
}

}  // namespace

template <typename Enum, std::size_t N>
QComboBox* Form1::MakeChoice(const char* name, const char* const (&captions)[N], Enum& value,
                             QWidget* parent) {
  auto* choice = new QComboBox(parent);
  choice->setObjectName(name);
  for (const char* caption : captions) choice->addItem(QString::fromUtf8(caption));
  choice->setCurrentIndex(static_cast<int>(value));
  tab_order_.push_back(choice);
  connect(choice, &QComboBox::currentIndexChanged, this, [this, &value](int index) {
    if (index < 0 || index >= static_cast<int>(N)) return;
    value = static_cast<Enum>(index);
    CheckAllValues();
  });
  return choice;
}

template <typename Value>
void Form1::BindOptions(std::initializer_list<std::pair<QRadioButton*, Value>> options,
                        Value& value) {
  for (const auto& [option, option_value] : options) {
    option->setChecked(option_value == value);
    const Value chosen = option_value;
    connect(option, &QRadioButton::toggled, this, [this, &value, chosen](bool on) {
      if (!on) return;
      value = chosen;
      CheckAllValues();
    });
  }
}

QWidget* Form1::BuildRenamePage(const Twips& twips) {
  QWidget* page = MakePage("rename", kRenamePage, this, twips);
  CommonStyleSettings& style = state_.common_style;
  using S = CommonStyleSettings;

  QGroupBox* left = MakeGroup("Frame8", "Left", page);
  left->setGeometry(twips.Rect(36, 36, 3720, 552));
  QButtonGroup* left_group = MakeButtonGroup(left);
  QHBoxLayout* left_row = GroupRow(left);
  QRadioButton* option1 = MakeOption("Option1", "(", left, left_group);
  QRadioButton* option2 = MakeOption("Option2", "[", left, left_group);
  QRadioButton* option20 = MakeOption("Option20", "<", left, left_group);
  QRadioButton* option21 = MakeOption("Option21", "{", left, left_group);
  QRadioButton* option3 = MakeOption("Option3", "", left, left_group);
  QLineEdit* text2 = MakeField("Text2", left, 5);
  for (QWidget* w : {static_cast<QWidget*>(option1), static_cast<QWidget*>(option2),
                     static_cast<QWidget*>(option20), static_cast<QWidget*>(option21)}) {
    left_row->addWidget(w);
  }
  left_row->addStretch(1);
  left_row->addWidget(option3);
  left_row->addWidget(text2, 2);

  QGroupBox* info = MakeGroup("Frame9", "Info", page);
  info->setGeometry(twips.Rect(36, 612, 3720, 876));
  QButtonGroup* info_group = MakeButtonGroup(info);
  auto* info_grid = new QGridLayout(info);
  info_grid->setContentsMargins(6, 0, 6, 2);
  info_grid->setHorizontalSpacing(6);
  info_grid->setVerticalSpacing(0);
  Option7_ = MakeOption("Option7", "", info, info_group);
  Option8_ = MakeOption("Option8", "", info, info_group);
  Option9_ = MakeOption("Option9", "", info, info_group);
  Option10_ = MakeOption("Option10", "", info, info_group);
  QRadioButton* option11 = MakeOption("Option11", "", info, info_group);
  QLineEdit* text4 = MakeField("Text4", info);
  info_grid->addWidget(Option7_, 0, 0);
  info_grid->addWidget(Option8_, 0, 1);
  info_grid->addWidget(Option9_, 0, 2);
  info_grid->addWidget(Option10_, 0, 3);
  auto* custom_info = new QHBoxLayout;
  custom_info->setSpacing(6);
  custom_info->addWidget(option11);
  custom_info->addWidget(text4, 1);
  // Where the four dates above come from: today, or each entry's date taken or modified.
  QLabel* date_label = MakeLabel("DateChoiceLabel", kDateChoiceLabel, info);
  QComboBox* date_choice = MakeChoice("DateChoice", kDateChoiceCaptions, style.date_choice, info);
  date_label->setBuddy(date_choice);
  custom_info->addWidget(date_label);
  custom_info->addWidget(date_choice);
  info_grid->addLayout(custom_info, 1, 0, 1, 4);

  QGroupBox* right = MakeGroup("Frame4", "Right", page);
  right->setGeometry(twips.Rect(36, 1512, 3720, 552));
  QButtonGroup* right_group = MakeButtonGroup(right);
  QHBoxLayout* right_row = GroupRow(right);
  QRadioButton* option6 = MakeOption("Option6", ")", right, right_group);
  QRadioButton* option5 = MakeOption("Option5", "]", right, right_group);
  QRadioButton* option18 = MakeOption("Option18", ">", right, right_group);
  QRadioButton* option19 = MakeOption("Option19", "}", right, right_group);
  QRadioButton* option4 = MakeOption("Option4", "", right, right_group);
  QLineEdit* text3 = MakeField("Text3", right, 5);
  for (QWidget* w : {static_cast<QWidget*>(option6), static_cast<QWidget*>(option5),
                     static_cast<QWidget*>(option18), static_cast<QWidget*>(option19)}) {
    right_row->addWidget(w);
  }
  right_row->addStretch(1);
  right_row->addWidget(option4);
  right_row->addWidget(text3, 2);

  QGroupBox* seperator = MakeGroup("Frame6", "Seperator", page);
  seperator->setGeometry(twips.Rect(36, 2088, 3720, 588));
  QButtonGroup* seperator_group = MakeButtonGroup(seperator);
  QHBoxLayout* seperator_row = GroupRow(seperator);
  QRadioButton* option12 = MakeOption("Option12", "Hyphen", seperator, seperator_group);
  QRadioButton* option13 = MakeOption("Option13", " Nothing", seperator, seperator_group);
  QRadioButton* option14 = MakeOption("Option14", "", seperator, seperator_group);
  QLineEdit* text5 = MakeField("Text5", seperator, 5);
  seperator_row->addWidget(option12);
  seperator_row->addWidget(option13);
  seperator_row->addStretch(1);
  seperator_row->addWidget(option14);
  seperator_row->addWidget(text5, 2);

  QLabel* legend = MakeLabel("Label3", "<left><info><right> <separater> <name>", page);
  legend->setTextFormat(Qt::PlainText);
  legend->setGeometry(twips.Rect(36, 2736, 3864, 264));

  BindOptions<S::Left>({{option1, S::Left::Option1},
                        {option2, S::Left::Option2},
                        {option20, S::Left::Option20},
                        {option21, S::Left::Option21},
                        {option3, S::Left::Option3}},
                       style.left);
  BindOptions<S::Info>({{Option7_, S::Info::Option7},
                        {Option8_, S::Info::Option8},
                        {Option9_, S::Info::Option9},
                        {Option10_, S::Info::Option10},
                        {option11, S::Info::Option11}},
                       style.info);
  BindOptions<S::Right>({{option6, S::Right::Option6},
                         {option5, S::Right::Option5},
                         {option18, S::Right::Option18},
                         {option19, S::Right::Option19},
                         {option4, S::Right::Option4}},
                        style.right);
  BindOptions<S::Seperator>({{option12, S::Seperator::Option12},
                             {option13, S::Seperator::Option13},
                             {option14, S::Seperator::Option14}},
                            style.seperator);
  text2->setText(QString::fromStdString(style.Text2));
  text4->setText(QString::fromStdString(style.Text4));
  text3->setText(QString::fromStdString(style.Text3));
  text5->setText(QString::fromStdString(style.Text5));
  BindField(text2, style.Text2, false);
  BindField(text4, style.Text4, false);
  BindField(text3, style.Text3, false);
  BindField(text5, style.Text5, false);
  BindCustomField(text2, option3);
  BindCustomField(text4, option11);
  BindCustomField(text3, option4);
  BindCustomField(text5, option14);
  return page;
}

QWidget* Form1::BuildStripPage(const Twips& twips) {
  QWidget* page = MakePage("strip", kOtherPage, this, twips);
  auto* column = new QVBoxLayout(page);
  column->setContentsMargins(6, 6, 6, 6);

  auto* count_row = new QHBoxLayout;
  count_row->addWidget(MakeLabel("Label4", "Strip how many characters?:", page));
  QLineEdit* text6 = MakeField("Text6", page, 2);
  text6->setFixedWidth(text6->fontMetrics().horizontalAdvance(QStringLiteral("000")) + 16);
  // Text6_KeyPress: digits and Backspace only, when typed; a mouse paste is not filtered.
  text6->installEventFilter(new DigitKeyFilter(text6));
  text6->setAttribute(Qt::WA_InputMethodEnabled, false);
  count_row->addWidget(text6);
  count_row->addStretch(1);
  column->addLayout(count_row);

  auto* side_row = new QHBoxLayout;
  side_row->addWidget(MakeLabel("Label6", "Strip from the:", page));
  QButtonGroup* side_group = MakeButtonGroup(page);
  QRadioButton* leftoption = MakeOption("leftoption", "Left", page, side_group);
  QRadioButton* rightoption = MakeOption("rightoption", "Right", page, side_group);
  side_row->addWidget(leftoption);
  side_row->addWidget(rightoption);
  side_row->addStretch(1);
  column->addLayout(side_row);

  SmartCheck_ = MakeCheck("SmartCheck", "Smart File Mode (i.e. Dont strip file Extension)", page);
  column->addWidget(SmartCheck_);
  column->addStretch(1);

  text6->setText(QString::fromStdString(state_.Text6));
  BindField(text6, state_.Text6, true);
  BindOptions<bool>({{leftoption, true}, {rightoption, false}}, state_.leftoption);
  SmartCheck_->setChecked(state_.SmartCheck);
  connect(SmartCheck_, &QCheckBox::toggled, this, [this](bool on) {
    state_.SmartCheck = on;
    // Smart File Mode keeps a file's extension; directories have none to keep.
    if (on && state_.TargetKind) {
      ui_host_->ShowMessage(Message{messages::kSmartFileModeFilesOnly, messages::kErrorTitle,
                                    MessageIcon::Exclamation});
      SmartCheck_->setChecked(false);
    }
    CheckAllValues();
  });
  return page;
}

QWidget* Form1::BuildReplacePage(const Twips& twips) {
  QWidget* page = MakePage("replace", kOtherPage, this, twips);
  auto* column = new QVBoxLayout(page);
  column->setContentsMargins(6, 6, 6, 6);

  QLabel* title =
      MakeLabel("Label10", "Replace Character(s) in field A with those in field B:", page);
  title->setWordWrap(true);
  column->addWidget(title);

  auto* fields = new QGridLayout;
  fields->addWidget(MakeLabel("Label7", "A:", page), 0, 0);
  Text8_ = MakeField("Text8", page);
  fields->addWidget(Text8_, 0, 1);
  fields->addWidget(MakeLabel("Label11", "B:", page), 1, 0);
  Text7_ = MakeField("Text7", page);
  fields->addWidget(Text7_, 1, 1);
  column->addLayout(fields);

  auto* match_row = new QHBoxLayout;
  QCheckBox* regex = MakeCheck("RegexCheck", "Regular expression", page);
  QCheckBox* match_case = MakeCheck("MatchCase", "Match case", page);
  match_row->addWidget(regex);
  match_row->addWidget(match_case);
  match_row->addStretch(1);
  column->addLayout(match_row);
  BindCheck(regex, state_.RegexCheck);
  BindCheck(match_case, state_.MatchCase);

  QGroupBox* presets = MakeGroup("Frame1", "Presets", page);
  auto* preset_column = new QVBoxLayout(presets);
  QPushButton* command11 = MakeButton("Command11", "Space to Underline", presets);
  QPushButton* command12 = MakeButton("Command12", "Underline to Space", presets);
  QPushButton* command13 = MakeButton("Command13", "Remove Spaces", presets);
  preset_column->addWidget(command11);
  preset_column->addWidget(command12);
  preset_column->addWidget(command13);
  column->addWidget(presets);
  column->addStretch(1);

  Text8_->setText(QString::fromStdString(state_.Text8));
  Text7_->setText(QString::fromStdString(state_.Text7));
  BindField(Text8_, state_.Text8, true);
  BindField(Text7_, state_.Text7, true);
  // Field A first, then field B; each change refreshes the example through its field.
  auto preset = [this](const char* a, const char* b) {
    Text8_->setText(QString::fromLatin1(a));
    Text7_->setText(QString::fromLatin1(b));
  };
  connect(command11, &QPushButton::clicked, this, [preset] { preset(" ", "_"); });
  connect(command12, &QPushButton::clicked, this, [preset] { preset("_", " "); });
  connect(command13, &QPushButton::clicked, this, [preset] { preset(" ", ""); });
  return page;
}

QWidget* Form1::BuildCasePage(const Twips& twips) {
  QWidget* page = MakePage("selectcase", kOtherPage, this, twips);
  auto* column = new QVBoxLayout(page);
  column->setContentsMargins(6, 6, 6, 6);
  column->addWidget(MakeLabel("Label1", "Convert to -", page));
  QButtonGroup* group = MakeButtonGroup(page);
  QRadioButton* lowercase = MakeOption("lowercase", "Lowercase", page, group);
  QRadioButton* uppercase = MakeOption("uppercase", "Uppercase", page, group);
  QRadioButton* sentence = MakeOption("sentence", "Sentence Capitalization", page, group);
  column->addWidget(lowercase);
  column->addWidget(uppercase);
  column->addWidget(sentence);
  // The extension alone (the part after the last dot): "IMG_1.JPG" to "IMG_1.jpg".
  QCheckBox* ext_only = MakeCheck("CaseExtOnly", "Change the extension's case only", page);
  column->addWidget(ext_only);
  column->addStretch(1);
  BindCheck(ext_only, state_.CaseExtOnly);
  BindOptions<CaseChoice>({{lowercase, CaseChoice::lowercase},
                           {uppercase, CaseChoice::uppercase},
                           {sentence, CaseChoice::sentence}},
                          state_.case_choice);
  return page;
}

QWidget* Form1::BuildExtensionPage(const Twips& twips) {
  QWidget* page = MakePage("extensionf", kOtherPage, this, twips);
  auto* column = new QVBoxLayout(page);
  column->setContentsMargins(6, 6, 6, 6);
  auto* row = new QHBoxLayout;
  row->addWidget(MakeLabel("Label8", "Add to Extension:", page));
  extad_ = MakeField("extad", page);
  row->addWidget(extad_, 1);
  column->addLayout(row);

  QGroupBox* presets = MakeGroup("Frame3", "Presets", page);
  auto* preset_column = new QVBoxLayout(presets);
  QPushButton* command16 = MakeButton("Command16", ".old", presets);
  QPushButton* command15 = MakeButton("Command15", ".bak", presets);
  preset_column->addWidget(command16);
  preset_column->addWidget(command15);
  column->addWidget(presets);
  column->addStretch(1);

  extad_->setText(QString::fromStdString(state_.extad));
  BindField(extad_, state_.extad, true);
  connect(command15, &QPushButton::clicked, this, [this] {
    extad_->setText(QStringLiteral(".bak"));
    CheckAllValues();
  });
  connect(command16, &QPushButton::clicked, this, [this] {
    extad_->setText(QStringLiteral(".old"));
    CheckAllValues();
  });
  return page;
}

QWidget* Form1::BuildNumberingPage(const Twips& twips) {
  QWidget* page = MakePage("sort", kOtherPage, this, twips);
  NumberingSettings& numbering = state_.numbering;
  auto* column = new QVBoxLayout(page);
  column->setContentsMargins(6, 6, 6, 6);

  QButtonGroup* direction = MakeButtonGroup(page);
  QRadioButton* ascending = MakeOption("sortascending", "Ascending", page, direction);
  QRadioButton* descending = MakeOption("sortdescending", "Descending", page, direction);
  column->addWidget(ascending);
  column->addWidget(descending);

  sortleading_ =
      new WrappingCheckBox("Add leading zeros to smaller numbers to make sizes equal.", page);
  sortleading_->setObjectName("sortleading");
  tab_order_.push_back(sortleading_);
  column->addWidget(sortleading_);

  auto* length_row = new QHBoxLayout;
  length_row->addSpacing(20);
  sortlen_ = MakeCheck("sortlen", "Use digit length of:", page);
  sortlennum_ = MakeField("sortlennum", page, 1);
  sortlennum_->setFixedWidth(sortlennum_->fontMetrics().horizontalAdvance(QStringLiteral("00")) +
                             16);
  length_row->addWidget(sortlen_);
  length_row->addWidget(sortlennum_);
  length_row->addStretch(1);
  column->addLayout(length_row);

  auto* start_row = new QHBoxLayout;
  QCheckBox* startat = MakeCheck("sortstartat", "Start at position:", page);
  QLineEdit* startatnum = MakeField("sortstartatnum", page);
  start_row->addWidget(startat);
  start_row->addWidget(startatnum, 1);
  column->addLayout(start_row);

  auto* order_row = new QHBoxLayout;
  QLabel* order_label = MakeLabel("NumberingOrderLabel", kNumberingOrderLabel, page);
  QComboBox* order = MakeChoice("NumberingOrder", kNumberingOrderCaptions, numbering.order, page);
  order_label->setBuddy(order);
  order_row->addWidget(order_label);
  order_row->addWidget(order);
  order_row->addStretch(1);
  column->addLayout(order_row);
  column->addStretch(1);

  BindOptions<bool>({{ascending, true}, {descending, false}}, numbering.sortascending);
  sortleading_->setChecked(numbering.sortleading);
  sortlen_->setEnabled(numbering.sortleading);
  sortlennum_->setEnabled(numbering.sortleading);
  connect(sortleading_, &QCheckBox::toggled, this, [this](bool on) {
    state_.numbering.sortleading = on;
    // Greyed out, not cleared: their state comes back with the leading zeros.
    sortlen_->setEnabled(on);
    sortlennum_->setEnabled(on);
    CheckAllValues();
  });
  BindCheck(sortlen_, numbering.sortlen);
  BindCheck(startat, numbering.sortstartat);
  sortlennum_->setText(QString::fromStdString(numbering.sortlennum));
  startatnum->setText(QString::fromStdString(numbering.sortstartatnum));
  BindField(sortlennum_, numbering.sortlennum, true);
  BindField(startatnum, numbering.sortstartatnum, true);
  return page;
}

}  // namespace kestro
