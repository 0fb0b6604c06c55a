// The string table with its caption loader, and the dialogs' file filters.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

#include "window/dialog_filters.h"
#include "window/string_table.h"

namespace kalvor::test {
namespace {

TEST(StringTable, LoaderReplacesIdentifiersAndLeavesEverythingElse) {
  QWidget form;
  form.setProperty(kTagProperty, 1050);
  auto* tagged = new QPushButton("before", &form);
  tagged->setProperty(kTagProperty, 1052);
  auto* missing = new QLabel("kept", &form);
  missing->setProperty(kTagProperty, 9999);
  auto* untagged = new QLabel("1040", &form);
  auto* tip = new QLabel("tip", &form);
  tip->setToolTip("1038");
  auto* entry = new QAction("1020", &form);

  LoadResStrings(form);
  EXPECT_EQ(form.windowTitle(), "About KALVOR");
  EXPECT_EQ(tagged->text(), "OK");
  EXPECT_EQ(missing->text(), "kept") << "a missing string leaves the caption";
  EXPECT_EQ(untagged->text(), "1040") << "a label's caption comes from its tag only";
  EXPECT_EQ(tip->toolTip(), "Open");
  EXPECT_EQ(entry->text(), "&Toolbar");
}

TEST(DialogFilters, PairsDescriptionsWithTheirPatterns) {
  EXPECT_EQ(qt_name_filters("Text files(*.txt)|*.txt"), QStringList{"Text files(*.txt) (*.txt)"});
  EXPECT_EQ(qt_name_filters("All files(*.*)|*.*|Data(*.dat;*.mas)|*.dat;*.mas|dangling"),
            (QStringList{"All files(*.*) (*)", "Data(*.dat;*.mas) (*.dat *.mas)"}));
  EXPECT_TRUE(qt_name_filters("").isEmpty());
}

}  // namespace
}  // namespace kalvor::test
