#pragma once

#include "ui/schedule_table.h"

#include <QMainWindow>
#include <QVector>

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class DesktopServices;
class HelpViewer;
namespace settings {
class SettingsStore;
}

// The tool's one window. Controls carry their design names; each handler
// stores its change at once.
class FrmMain : public QMainWindow {
  Q_OBJECT

 public:
  FrmMain(settings::SettingsStore& store, DesktopServices& services, QWidget* parent = nullptr);
  ~FrmMain() override;

  // --- controls ---
  QPushButton* cmdPause = nullptr;
  QLabel* LabelWWW = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* Label3 = nullptr;
  QLabel* Label4 = nullptr;
  QLabel* Label5 = nullptr;
  QLabel* Label6 = nullptr;
  QLabel* lblCountDown = nullptr;
  QLabel* lblMessage = nullptr;
  QLabel* lblDayOfMonth = nullptr;
  QLabel* Image1 = nullptr;
  QLineEdit* txtStartDelay = nullptr;
  QLineEdit* txtStartKey = nullptr;
  QLineEdit* txtBackupKey = nullptr;
  QLineEdit* txtTitle = nullptr;
  QLineEdit* txtBackupNumber = nullptr;
  QCheckBox* chkDefault = nullptr;
  QCheckBox* chkOnceOnly = nullptr;
  QCheckBox* chkMonday = nullptr;
  QCheckBox* chkTuesday = nullptr;
  QCheckBox* chkwednesday = nullptr;
  QCheckBox* chkThursday = nullptr;
  QCheckBox* chkFriday = nullptr;
  QCheckBox* chkSaturday = nullptr;
  QCheckBox* chkSunday = nullptr;
  QSlider* SliderBackupNumber = nullptr;
  QAction* mPopHelp = nullptr;
  QAction* mPopAbout = nullptr;

  QCheckBox* chkDay(int day) const { return days_[day - 1]; }  // chkDay1..chkDay31
  QCheckBox* scheduleBox(const ScheduleEntry& e) const;

  // --- window-level fields shared with the waits ---
  double sngPauseTime = 0;  // length of the current wait, seconds
  double sngStart = 0;      // timer reading at which it began
  bool blnPause = false;    // Pause/Run
  bool closeRequested = false;

  // --- operations ---
  void SetJobControlsVisible(bool visible);
  QVector<QWidget*> jobControls() const { return jobControls_; }

  // Value changes made by the program. A check box's handler runs when its
  // state changes; the slider's handler never runs for these.
  static int checkState(const QCheckBox* box);
  static void setCheckState(QCheckBox* box, int state);
  void setJobNumber(int value);
  int jobNumber() const;
  int jobNumberMaximum() const;

  // The help file named at load; looked for in the program's folder.
  void setHelpFile(const QString& name) { helpFile_ = name; }
  QString helpFile() const { return helpFile_; }
  void showHelp(int topic);

  // A line under the controls that says what keeps the tool from doing its
  // work (settings that cannot be read or saved, a desktop it cannot type
  // into). Not a message box: nothing may hold back the unattended run.
  void showProblem(const QString& text);
  QLabel* lblProblem = nullptr;  // created on the first problem

  // Twips to pixels for this window (design scale included).
  double pixelsPerTwip() const { return pixelsPerTwip_; }

 public slots:
  void cmdPause_Click();
  void chkDefault_Click();
  void chkOnceOnly_Click();
  void SliderBackupNumber_Change();
  void txtBackupKey_Change();
  void txtStartDelay_Change();
  void txtStartKey_Change();
  void txtTitle_Change();
  void mPopHelp_Click();
  void mPopAbout_Click();
  void scheduleBox_Click(const ScheduleEntry& entry);

#define TALVOR_DAY_HANDLER(n) \
  void chkDay##n##_Click() { scheduleBox_Click(dayEntry(n)); }
  TALVOR_DAY_HANDLER(1) TALVOR_DAY_HANDLER(2) TALVOR_DAY_HANDLER(3) TALVOR_DAY_HANDLER(4)
  TALVOR_DAY_HANDLER(5) TALVOR_DAY_HANDLER(6) TALVOR_DAY_HANDLER(7) TALVOR_DAY_HANDLER(8)
  TALVOR_DAY_HANDLER(9) TALVOR_DAY_HANDLER(10) TALVOR_DAY_HANDLER(11) TALVOR_DAY_HANDLER(12)
  TALVOR_DAY_HANDLER(13) TALVOR_DAY_HANDLER(14) TALVOR_DAY_HANDLER(15) TALVOR_DAY_HANDLER(16)
  TALVOR_DAY_HANDLER(17) TALVOR_DAY_HANDLER(18) TALVOR_DAY_HANDLER(19) TALVOR_DAY_HANDLER(20)
  TALVOR_DAY_HANDLER(21) TALVOR_DAY_HANDLER(22) TALVOR_DAY_HANDLER(23) TALVOR_DAY_HANDLER(24)
  TALVOR_DAY_HANDLER(25) TALVOR_DAY_HANDLER(26) TALVOR_DAY_HANDLER(27) TALVOR_DAY_HANDLER(28)
  TALVOR_DAY_HANDLER(29) TALVOR_DAY_HANDLER(30) TALVOR_DAY_HANDLER(31)
#undef TALVOR_DAY_HANDLER
  void chkMonday_Click() { scheduleBox_Click(weekdayEntry(0)); }
  void chkTuesday_Click() { scheduleBox_Click(weekdayEntry(1)); }
  void chkwednesday_Click() { scheduleBox_Click(weekdayEntry(2)); }
  void chkThursday_Click() { scheduleBox_Click(weekdayEntry(3)); }
  void chkFriday_Click() { scheduleBox_Click(weekdayEntry(4)); }
  void chkSaturday_Click() { scheduleBox_Click(weekdayEntry(5)); }
  void chkSunday_Click() { scheduleBox_Click(weekdayEntry(6)); }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void createControls();
  void connectHandlers();
  void saveText(settings::StartKey key, const QLineEdit* box);

  settings::SettingsStore& store_;
  DesktopServices& services_;
  QVector<QCheckBox*> days_;
  QVector<QCheckBox*> weekdays_;
  QVector<QWidget*> jobControls_;
  QString helpFile_;
  HelpViewer* help_ = nullptr;
  double pixelsPerTwip_ = 1.0 / 15;
};
