// Readiness check, locking and the convert command's sequence, driven
// through a stand-in window.
#include "command/convert_command.h"

#include <gtest/gtest.h>

#include "fake_job.h"

using namespace kalvor;
using test::FakeJob;

namespace {

class Command : public ::testing::Test {
 protected:
  void fill() {
    window.fill_project_details();
    window.set_text(control::InputPath, "/tmp/in.dat");
    window.set_text(control::OutputPath, "/tmp/out.txt");
  }
  bool convert_enabled() const { return window.enabled(control::ConvertButton); }
  bool menu_enabled() const { return window.enabled(control::ConvertMenu); }

  FakeJob window;
  ConvertCommand command{window};
};

TEST(WindowTitle, NamesTheVersion) {
  EXPECT_EQ(compose_window_title({2, 6, 0}), "KALVOR (ver. 2.6.0)");
}

TEST_F(Command, IsReadyOnlyWhenEveryDetailIsFilledAndAFormatChosen) {
  fill();
  command.CheckConvertReady();
  EXPECT_FALSE(convert_enabled());  // no format yet
  window.select_format("roadnoise");
  command.CheckConvertReady();
  EXPECT_TRUE(convert_enabled());
  EXPECT_TRUE(menu_enabled());
  for (auto c : {control::InputPath, control::OutputPath, control::Consultant, control::Phone,
                 control::Fax, control::Email, control::Coordinate, control::YearTrafficFlow}) {
    std::string kept = window.text(c);
    window.set_text(c, "   ");
    command.CheckConvertReady();
    EXPECT_FALSE(convert_enabled()) << c;
    EXPECT_FALSE(menu_enabled()) << c;
    window.set_text(c, kept);
  }
}

TEST_F(Command, TheLayoutBarrierSwitchMattersForHfaNoiseOnly) {
  fill();
  window.select_format("hfanoise");
  window.set_check_value(control::LayoutBarrierSwitch, 1);
  window.set_text(control::LayoutBarrierFile, "  ");
  command.CheckConvertReady();
  EXPECT_FALSE(convert_enabled());
  window.set_text(control::LayoutBarrierFile, "/tmp/lb.txt");
  command.CheckConvertReady();
  EXPECT_TRUE(convert_enabled());
  window.set_check_value(control::LayoutBarrierSwitch, 0);
  command.CheckConvertReady();
  EXPECT_TRUE(convert_enabled());

  window.set_check_value(control::LayoutBarrierSwitch, 2);  // grey counts as checked
  command.CheckConvertReady();
  EXPECT_FALSE(convert_enabled());
  window.select_format("hfcnoise");
  command.CheckConvertReady();
  EXPECT_TRUE(convert_enabled());
}

TEST_F(Command, ReadinessIsNotCheckedWhileControlsAreLocked) {
  fill();
  window.select_format("hfcnoise");
  command.CheckConvertReady();
  command.DisableControls();
  EXPECT_FALSE(command.ControlsEnabled());
  EXPECT_FALSE(convert_enabled());
  window.set_text(control::Email, "");
  command.CheckConvertReady();
  EXPECT_FALSE(convert_enabled());
  command.EnableControls();
  EXPECT_TRUE(convert_enabled());  // the command enables it after every conversion
  EXPECT_FALSE(window.enabled(control::LayoutBarrierSwitch));
}

TEST_F(Command, EnablingControlsReleasesTheLayoutBarrierControlsAsTheyWere) {
  window.select_format("hfanoise");
  command.DisableControls();
  command.EnableControls();
  EXPECT_TRUE(window.enabled(control::LayoutBarrierSwitch));
  EXPECT_FALSE(window.enabled(control::LayoutBarrierFile));
  window.set_check_value(control::LayoutBarrierSwitch, 1);
  command.DisableControls();
  EXPECT_FALSE(window.enabled(control::LayoutBarrierFile));
  command.EnableControls();
  EXPECT_TRUE(window.enabled(control::LayoutBarrierFile));
  EXPECT_TRUE(window.enabled(control::LayoutBarrierBrowse));
}

TEST_F(Command, ABlankInputPathPassesTheCommandsOwnTestButNeverEnablesTheButton) {
  fill();
  window.select_format("hfcnoise");
  window.set_text(control::InputPath, "   ");
  command.CheckConvertReady();
  EXPECT_FALSE(convert_enabled());
  command.cmdConvert2KALVOR_Click();
  ASSERT_FALSE(window.messages.empty());
  EXPECT_NE(window.messages.front().text, "Missing Input file Name");
}

TEST_F(Command, RefusesAnEmptyInputPathOrAMissingFormat) {
  fill();
  window.set_text(control::InputPath, "");
  window.select_format("hfcnoise");
  command.cmdConvert2KALVOR_Click();
  ASSERT_EQ(window.messages.size(), 1u);
  EXPECT_EQ(window.messages[0].text, "Missing Input file Name");
  EXPECT_EQ(window.messages[0].icon, MessageIcon::Exclamation);
  EXPECT_EQ(window.messages[0].title, command.WindowTitle());
  EXPECT_TRUE(window.window_enabled());
  EXPECT_TRUE(window.progress_values.empty());

  fill();
  window.select("");
  command.cmdConvert2KALVOR_Click();
  ASSERT_EQ(window.messages.size(), 2u);
  EXPECT_EQ(window.messages[1].text, "Missing Input file Format");
  EXPECT_TRUE(window.window_enabled());
}

TEST_F(Command, AFailedConversionShowsTheErrorInsteadOfDoneAndUnlocksTheWindow) {
  fill();
  window.set_text(control::InputPath, "/nonexistent/folder/in.dat");
  window.select_format("hfcnoise");
  command.cmdConvert2KALVOR_Click();
  ASSERT_EQ(window.messages.size(), 1u);
  EXPECT_NE(window.messages[0].text, "Done");
  EXPECT_EQ(window.messages[0].icon, MessageIcon::Critical);
  EXPECT_EQ(window.messages[0].title, command.WindowTitle());
  EXPECT_FALSE(command.last_conversion_succeeded());
  EXPECT_TRUE(command.ControlsEnabled());
  EXPECT_TRUE(window.enabled("cmdBrowseInput"));
  EXPECT_EQ(window.progress(), 0);
  EXPECT_EQ(window.text(control::Status), "");
  EXPECT_TRUE(window.window_enabled());
}

TEST_F(Command, KeepsOneConverterObjectPerFormat) {
  fill();
  window.set_text(control::InputPath, "/nonexistent/in.dat");
  window.select_format("hfcnoise");
  const InputFormat& hfc = *format_named("hfcnoise");
  EXPECT_EQ(command.converter_of(hfc), nullptr);
  command.cmdConvert2KALVOR_Click();
  const Converter* first = command.converter_of(hfc);
  ASSERT_NE(first, nullptr);
  command.cmdConvert2KALVOR_Click();
  EXPECT_EQ(command.converter_of(hfc), first);
  EXPECT_EQ(command.converter_of(*format_named("hfanoise")), nullptr);
}

}  // namespace
