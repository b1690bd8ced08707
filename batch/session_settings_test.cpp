#include "batch/session_settings.h"

#include <gtest/gtest.h>

#include <array>

namespace kestro {
namespace {

TEST(SessionSettingsTest, FieldsComeBackAsSavedAndValuesNoControlCanShowAreLeftOut) {
  WindowState saved;
  saved.TargetKind = false;
  saved.active_operation = ActiveOperation::Case;
  saved.common_style.left = CommonStyleSettings::Left::Option21;
  saved.common_style.Text5 = "é_";
  saved.SmartCheck = true;
  saved.leftoption = false;
  saved.numbering.sortlen = true;
  saved.Text8 = " ";
  saved.case_choice = CaseChoice::sentence;
  saved.CaseExtOnly = true;
  saved.MatchCase = true;
  saved.numbering.sortstartatnum = "7";
  saved.common_style.date_choice = DateChoice::Taken;
  saved.numbering.order = NumberingOrder::Modified;
  saved.numbering.sortascending = false;
  MemorySettingsStore settings;
  SaveSession(saved, settings);
  WindowState restored;
  RestoreSession(restored, settings);
  EXPECT_FALSE(restored.TargetKind);
  EXPECT_EQ(restored.active_operation, ActiveOperation::Case);
  EXPECT_EQ(restored.common_style.left, CommonStyleSettings::Left::Option21);
  EXPECT_EQ(restored.common_style.Text5, "é_");
  EXPECT_TRUE(restored.SmartCheck && !restored.leftoption && restored.numbering.sortlen);
  EXPECT_EQ(restored.Text8, " ");
  EXPECT_EQ(restored.case_choice, CaseChoice::sentence);
  EXPECT_TRUE(restored.CaseExtOnly && !restored.numbering.sortleading);
  EXPECT_TRUE(restored.MatchCase && !restored.RegexCheck);
  EXPECT_EQ(restored.numbering.sortstartatnum, "7");
  EXPECT_EQ(restored.common_style.date_choice, DateChoice::Taken);
  EXPECT_EQ(restored.numbering.order, NumberingOrder::Modified);
  EXPECT_FALSE(restored.numbering.sortascending);

  const auto set = [&](const char* key, const char* value) {
    settings.Set(kSettingsApplication, kSettingsSection, key, value);
  };
  set(kPageKey, "Directories");
  set(kOperationKey, "Juggle");
  set("Case", "");            // "none chosen" is never brought back
  set("CaseExtOnly", "yes");  // only "1" and "0"
  set("RegexCheck", "1");
  set("Text2", "abcdefgh");  // five at most
  set("Text6", "\xff");      // not UTF-8
  set(kWindowSizeKey, "800x0");
  set(kDateChoiceKey, "taken");  // names match exactly
  set(kNumberingOrderKey, "");
  WindowState fresh;
  RestoreSession(fresh, settings);
  EXPECT_EQ(fresh.active_operation, ActiveOperation::Rename);
  EXPECT_EQ(fresh.case_choice, CaseChoice::lowercase);
  EXPECT_FALSE(fresh.CaseExtOnly || fresh.SmartCheck);  // Smart File Mode is for files only
  EXPECT_TRUE(fresh.RegexCheck && fresh.MatchCase);
  EXPECT_EQ(fresh.common_style.Text2, "abcde");
  EXPECT_EQ(fresh.Text6, "");
  EXPECT_EQ(fresh.common_style.date_choice, DateChoice::Today);
  EXPECT_EQ(fresh.numbering.order, NumberingOrder::Name);
  EXPECT_EQ(RestoreWindowPlacement(settings).width, 0);
}

TEST(SessionSettingsTest, SettingsThatCannotBeKeptAreSaid) {
  class Unkept : public MemorySettingsStore {
   public:
    [[nodiscard]] Status KeepStatus() const override {
      return Status::Error(Status::Code::kIoError, "'k.conf' is not a regular file");
    }
  };
  EXPECT_EQ(SettingsNotKept(MemorySettingsStore()), "");
  EXPECT_EQ(SettingsNotKept(Unkept()),
            "The settings cannot be kept: 'k.conf' is not a regular file.");
}

TEST(SessionSettingsTest, ASavedSizeIsCutToTheScreen) {
  struct Case {
    SavedWindow saved;
    int screen_width, screen_height;
    int width, height;
  };
  const Case cases[] = {
      {{100000, 100000, true}, 1920, 1040, 1920, 1040},
      {{2000, 700, false}, 1920, 1040, 1920, 700},
      {{800, 600, false}, 1920, 1040, 800, 600},
      {{0, 0, false}, 1920, 1040, 0, 0},          // the design size stays
      {{100000, 900, false}, 0, 0, 100000, 900},  // no screen known
  };
  for (const Case& c : cases) {
    const SavedWindow fitted = FitToScreen(c.saved, c.screen_width, c.screen_height);
    EXPECT_EQ(fitted.width, c.width) << c.saved.width;
    EXPECT_EQ(fitted.height, c.height) << c.saved.height;
    EXPECT_EQ(fitted.preview, c.saved.preview);
  }
}

TEST(SessionSettingsTest, APlacementComesBackAndAWindowOffEveryScreenComesBackWholeOnOne) {
  MemorySettingsStore settings;
  SaveWindowPlacement({900, 500, true, true, true, -40, 2000}, settings);
  const SavedWindow back = RestoreWindowPlacement(settings);
  EXPECT_EQ((std::array{back.width, back.height, back.left, back.top}),
            (std::array{900, 500, -40, 2000}));
  EXPECT_TRUE(back.preview && back.maximized && back.positioned);
  settings.Set(kSettingsApplication, kSettingsSection, kWindowPositionKey, "12,x");
  EXPECT_FALSE(RestoreWindowPlacement(settings).positioned);

  const PixelRect screen{1920, 0, 1280, 1000};
  struct Case {
    PixelRect window, kept;
  } const cases[] = {
      {{2000, 100, 600, 400}, {2000, 100, 600, 400}},  // on the screen: stays
      {{-900, 50, 600, 400}, {1920, 50, 600, 400}},    // left of it
      {{3100, 900, 600, 400}, {2600, 600, 600, 400}},  // past its far corner
      {{0, -30, 3000, 1400}, {1920, 0, 3000, 1400}},   // larger than it: from its corner
  };
  // No screen known: left alone.
  EXPECT_EQ(KeepOnScreen({-900, 50, 600, 400}, {}).x, -900);
  EXPECT_EQ(KeepOnScreen({-900, 50, 600, 400}, {0, 0, 1280, 0}).x, -900);
  for (const Case& c : cases) {
    const PixelRect r = KeepOnScreen(c.window, screen);
    EXPECT_EQ((std::array{r.x, r.y, r.width, r.height}),
              (std::array{c.kept.x, c.kept.y, c.kept.width, c.kept.height}))
        << c.window.x << "," << c.window.y;
  }
}

}  // namespace
}  // namespace kestro
