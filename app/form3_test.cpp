#include "app/form3.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <functional>
#include <memory>

#include "app/help_texts.h"
#include "app/test_doubles.h"
#include "app/twip_scale.h"
#include "batch/recording_ui_host.h"

namespace kestro {
namespace {

class Form3Test : public ::testing::Test {
 protected:
  void SetUp() override {
    form_ = std::make_unique<Form3>(opener_, ui_);
    form_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form_.get()));
  }

  QPushButton* Button(const char* name) {
    return form_->findChild<QPushButton*>(QString::fromLatin1(name));
  }

  RecordingOpener opener_;
  RecordingUiHost ui_;
  std::unique_ptr<Form3> form_;
};

TEST_F(Form3Test, HoldsEveryTextVerbatimWithTheSyntaxColumnBold) {
  const auto* frame = form_->findChild<QGroupBox*>("Frame2");
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->title().toStdString(), "Commandline Parameters ");
  for (const HelpLabel& text : HelpLabels()) {
    SCOPED_TRACE(text.name);
    const auto* label = frame->findChild<QLabel*>(QString::fromLatin1(text.name));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text().toStdString(), text.text);
    EXPECT_EQ(label->font().bold(), text.bold);
    EXPECT_EQ(label->wordWrap(), text.wraps);
    EXPECT_EQ(label->textFormat(), Qt::PlainText);
    EXPECT_TRUE(label->isVisible());
  }
  EXPECT_EQ(form_->findChild<QPushButton*>("Command1")->text().toStdString(), "OK");
  EXPECT_EQ(form_->findChild<QPushButton*>("Command2")->text().toStdString(), "Userguide");
  EXPECT_TRUE(form_->windowTitle().isEmpty());
  EXPECT_NE(frame->findChild<QFrame*>("Frame6"), nullptr);
  EXPECT_NE(frame->findChild<QFrame*>("Frame4"), nullptr);
}

TEST_F(Form3Test, PlacesFollowTheTwipsAtTheScreensScale) {
  const TwipScale twips = TwipScale::OfPrimaryScreen();
  EXPECT_EQ(Button("Command1")->geometry(), twips.Rect(kCommand1Place));
  EXPECT_EQ(Button("Command2")->geometry(), twips.Rect(kCommand2Place));
  EXPECT_EQ(form_->size(), twips.Rect(kForm3Client).size());
  for (const HelpLabel& text : HelpLabels()) {
    SCOPED_TRACE(text.name);
    const auto* label = form_->findChild<QLabel*>(QString::fromLatin1(text.name));
    const QRect place = twips.Rect(text.place);
    EXPECT_EQ(label->pos(), place.topLeft());
    EXPECT_EQ(label->height(), place.height());
    // A one-line text may take free room to its right, never less than its place.
    if (text.wraps) {
      EXPECT_EQ(label->width(), place.width());
    } else {
      EXPECT_GE(label->width(), place.width());
    }
  }
}

TEST_F(Form3Test, EveryTextFitsItsPlaceWithoutRunningIntoItsNeighbour) {
  const QList<QLabel*> labels = form_->findChildren<QLabel*>();
  for (const HelpLabel& text : HelpLabels()) {
    SCOPED_TRACE(text.name);
    const auto* label = form_->findChild<QLabel*>(QString::fromLatin1(text.name));
    const QFontMetrics metrics(label->font());
    if (text.wraps) {
      EXPECT_LE(label->heightForWidth(label->width()), label->height() + 1);
    } else {
      EXPECT_LE(metrics.horizontalAdvance(label->text()), label->width());
    }
    for (const QLabel* other : labels) {
      if (other->y() == label->y() && other->x() > label->x() && !label->text().isEmpty()) {
        EXPECT_LE(label->x() + metrics.horizontalAdvance(label->text()), other->x())
            << "runs into " << other->objectName().toStdString();
      }
    }
  }
  EXPECT_GE(labels.first()->font().pointSizeF(), 6.0);
}

TEST_F(Form3Test, OkHasTheFocusAndEnterEndsTheWindow) {
  EXPECT_EQ(form_->focusWidget(), Button("Command1"));
  EXPECT_TRUE(Button("Command1")->isDefault());
  QSignalSpy finished(form_.get(), &QDialog::finished);
  QTest::keyClick(form_->focusWidget(), Qt::Key_Return);
  EXPECT_EQ(finished.count(), 1);
  EXPECT_FALSE(form_->isVisible());
  EXPECT_TRUE(opener_.opened.empty());
}

TEST_F(Form3Test, EveryWayOfClosingEndsTheWindow) {
  struct Way {
    const char* label;
    std::function<void(Form3&)> close;
  };
  const Way ways[] = {
      {"OK clicked",
       [](Form3& form) {
         QTest::mouseClick(form.findChild<QPushButton*>("Command1"), Qt::LeftButton);
       }},
      {"Escape", [](Form3& form) { QTest::keyClick(&form, Qt::Key_Escape); }},
      {"close box", [](Form3& form) { form.close(); }},
  };
  for (const Way& way : ways) {
    SCOPED_TRACE(way.label);
    Form3 form(opener_, ui_);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    QSignalSpy finished(&form, &QDialog::finished);
    way.close(form);
    EXPECT_EQ(finished.count(), 1);
    EXPECT_FALSE(form.isVisible());
  }
}

TEST_F(Form3Test, UserguideOpensTheGuideEachTimeAndStaysOpen) {
  QSignalSpy finished(form_.get(), &QDialog::finished);
  QTest::mouseClick(Button("Command2"), Qt::LeftButton);
  QTest::mouseClick(Button("Command2"), Qt::LeftButton);
  ASSERT_EQ(opener_.opened.size(), 2u);
  EXPECT_TRUE(QString::fromStdString(opener_.opened[0]).endsWith("/manual.htm"));
  EXPECT_EQ(opener_.opened[1], opener_.opened[0]);
  EXPECT_TRUE(form_->isVisible());
  EXPECT_EQ(finished.count(), 0);
  EXPECT_TRUE(ui_.messages.empty());
}

TEST_F(Form3Test, AGuideThatCannotBeOpenedIsReportedAndTheWindowStays) {
  opener_.answer = Status::Error(Status::Code::kNotFound, "'/x/manual.htm': no such file");
  QTest::mouseClick(Button("Command2"), Qt::LeftButton);
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_NE(ui_.messages[0].text.find("'/x/manual.htm': no such file"), std::string::npos);
  EXPECT_EQ(ui_.messages[0].icon, MessageIcon::Exclamation);
  EXPECT_TRUE(form_->isVisible());
}

}  // namespace
}  // namespace kestro
