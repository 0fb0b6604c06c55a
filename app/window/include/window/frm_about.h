// The About box: program title, version, description and a way to the
// desktop's system information.
#pragma once

#include <QDialog>
#include <array>

class QLabel;

namespace kalvor {

class frmAbout : public QDialog {
  Q_OBJECT

 public:
  explicit frmAbout(QWidget* owner);

  // Programs that show the system's information, tried in this order.
  static constexpr std::array<const char*, 4> kSystemInfoPrograms = {"kinfocenter", "hardinfo2",
                                                                     "hardinfo", "xfce4-about"};

 private:
  void Form_Load();
  void StartSysInfo();

  QLabel* lblVersion_ = nullptr;
  QLabel* lblTitle_ = nullptr;
};

}  // namespace kalvor
