#include "batch/session_settings.h"

#include <gtest/gtest.h>

namespace kestro {
namespace {

TEST(SessionSettingsTest, EveryFieldComesBackAsItWasSaved) {
  WindowState saved;
  saved.TargetKind = false;
  saved.active_operation = ActiveOperation::Case;
  saved.common_style.left = CommonStyleSettings::Left::Option21;
  saved.common_style.seperator = CommonStyleSettings::Seperator::Option14;
  saved.common_style.Text5 = "é_";
  saved.Text6 = "3";
  saved.leftoption = false;
  saved.SmartCheck = true;
  saved.Text8 = " ";
  saved.case_choice = CaseChoice::sentence;
  saved.CaseExtOnly = true;
  saved.numbering.sortleading = true;
  saved.numbering.sortstartatnum = "7";
  MemorySettingsStore settings;
  SaveSession(saved, settings);
  WindowState restored;
  RestoreSession(restored, settings);
  EXPECT_FALSE(restored.TargetKind);
  EXPECT_EQ(restored.active_operation, ActiveOperation::Case);
  EXPECT_EQ(restored.common_style.left, CommonStyleSettings::Left::Option21);
  EXPECT_EQ(restored.common_style.seperator, CommonStyleSettings::Seperator::Option14);
  EXPECT_EQ(restored.common_style.Text5, "é_");
  EXPECT_EQ(restored.Text6, "3");
  EXPECT_FALSE(restored.leftoption);
  EXPECT_TRUE(restored.SmartCheck);
  EXPECT_EQ(restored.Text8, " ");
  EXPECT_EQ(restored.case_choice, CaseChoice::sentence);
  EXPECT_TRUE(restored.CaseExtOnly);
  EXPECT_TRUE(restored.numbering.sortleading);
  EXPECT_EQ(restored.numbering.sortstartatnum, "7");
}

TEST(SessionSettingsTest, ValuesNoControlCanShowLeaveTheDesignValues) {
  MemorySettingsStore settings;
  const auto set = [&](const char* key, const char* value) {
    settings.Set(kSettingsApplication, kSettingsSection, key, value);
  };
  set(kPageKey, "Elsewhere");
  set(kOperationKey, "Juggle");
  set("Case", "");           // "none chosen" is never brought back
  set("SmartCheck", "yes");  // only "1" and "0"
  set("Text2", "abcdefgh");  // five at most
  set("Text6", "\xff");      // not UTF-8
  set(kWindowSizeKey, "800x-1");
  WindowState state;
  RestoreSession(state, settings);
  EXPECT_TRUE(state.TargetKind);
  EXPECT_EQ(state.active_operation, ActiveOperation::Rename);
  EXPECT_EQ(state.case_choice, CaseChoice::lowercase);
  EXPECT_FALSE(state.SmartCheck);
  EXPECT_EQ(state.common_style.Text2, "abcde");
  EXPECT_EQ(state.Text6, "");
  EXPECT_EQ(RestoreWindowPlacement(settings).width, 0);
  // Smart File Mode is for files: a session on the Directories page never brings it back.
  set("SmartCheck", "1");
  RestoreSession(state, settings);
  EXPECT_FALSE(state.SmartCheck);
  SaveWindowPlacement({900, 600, true}, settings);
  const SavedWindow placement = RestoreWindowPlacement(settings);
  EXPECT_EQ(placement.width, 900);
  EXPECT_EQ(placement.height, 600);
  EXPECT_TRUE(placement.preview);
}

}  // namespace
}  // namespace kestro
