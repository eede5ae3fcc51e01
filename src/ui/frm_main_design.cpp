// The window's design: every control at its place in twips.
#include "ui/frm_main.h"
#include "ui/artwork.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QStyle>

#include <algorithm>

namespace {

constexpr int kClientWidth = 5136;
constexpr int kClientHeight = 4080;
const QString kContactLine = QStringLiteral("www.talvorstart.example  support@talvorstart.example");

struct Placement {
  QWidget* widget;
  int left, top, width, height;
  int tabIndex;  // -1: takes no place in the tab order
};

// How much the design must grow so that the default font fits in it.
double fitFactor(const QVector<Placement>& placed, double pxPerTwip) {
  double factor = 1.0;
  for (const Placement& p : placed) {
    const QSize hint = p.widget->sizeHint();
    const double w = p.width * pxPerTwip, h = p.height * pxPerTwip;
    if (auto* label = qobject_cast<QLabel*>(p.widget)) {
      if (label->wordWrap() || !label->pixmap().isNull()) continue;
      factor = std::max(factor, hint.width() / w);
    } else if (qobject_cast<QCheckBox*>(p.widget) || qobject_cast<QPushButton*>(p.widget)) {
      factor = std::max(factor, hint.width() / w);
    }
    if (!qobject_cast<QSlider*>(p.widget) && !qobject_cast<QPushButton*>(p.widget))
      factor = std::max(factor, p.widget->fontMetrics().height() / h);
  }
  return std::min(factor, 2.0);
}

}  // namespace

void FrmMain::createControls() {
  setWindowTitle(QStringLiteral("Talvor Start"));
  setWindowIcon(padlockIcon());
  setObjectName(QStringLiteral("FrmMain"));

  mPopHelp = menuBar()->addAction(QStringLiteral("&Help"));
  mPopHelp->setObjectName(QStringLiteral("mPopHelp"));
  mPopAbout = menuBar()->addAction(QStringLiteral("&About"));
  mPopAbout->setObjectName(QStringLiteral("mPopAbout"));

  auto* client = new QWidget(this);
  setCentralWidget(client);
  QVector<Placement> placed;

  auto name = [](QWidget* w, const char* objectName, const QString& tip, int helpTopic) {
    w->setObjectName(QLatin1String(objectName));
    if (!tip.isEmpty()) w->setToolTip(tip);
    if (helpTopic > 0) w->setProperty("helpTopic", helpTopic);
  };
  auto label = [&](const char* n, const QString& text, const QString& tip, int l, int t, int w, int h, int tab,
                   Qt::Alignment align = Qt::AlignLeft | Qt::AlignTop) {
    auto* x = new QLabel(text, client);
    name(x, n, tip, 0);
    x->setAlignment(align);
    placed.push_back({x, l, t, w, h, tab});
    return x;
  };
  auto edit = [&](const char* n, const QString& text, const QString& tip, int l, int t, int w, int h, int tab,
                  int help, Qt::Alignment align) {
    auto* x = new QLineEdit(text, client);
    name(x, n, tip, help);
    x->setAlignment(align | Qt::AlignVCenter);
    x->setTextMargins(0, 0, 0, 0);
    placed.push_back({x, l, t, w, h, tab});
    return x;
  };
  auto check = [&](const char* n, const QString& text, const QString& tip, int l, int t, int w, int h, int tab,
                   int help) {
    auto* x = new QCheckBox(text, client);
    name(x, n, tip, help);
    x->setTristate(false);
    placed.push_back({x, l, t, w, h, tab});
    return x;
  };
  const Qt::Alignment centre = Qt::AlignHCenter;

  cmdPause = new QPushButton(QStringLiteral("Pause"), client);
  name(cmdPause, "cmdPause", QStringLiteral("Resets and pauses the timer"), 0);
  placed.push_back({cmdPause, 4200, 0, 852, 252, 0});
  LabelWWW = label("LabelWWW", kContactLine, QStringLiteral("Contact details"), 1560, 0, 2532, 492, 12, Qt::AlignHCenter | Qt::AlignTop);
  LabelWWW->setWordWrap(true);
  LabelWWW->setStyleSheet(QStringLiteral("color: rgb(0, 0, 255);"));
  Label6 = label("Label6", QStringLiteral("Delay"), {}, 120, 360, 732, 252, 17);
  txtStartDelay = edit("txtStartDelay", QStringLiteral("10"), QStringLiteral("Pause to allow backup program to start"), 960, 360, 612, 288, 16, 9, centre);
  lblCountDown = label("lblCountDown", QStringLiteral("5"), QStringLiteral("Count down"), 4440, 360, 252, 252, 15);
  lblMessage = label("lblMessage", QStringLiteral("Pausing to allow user configuration changes"), {}, 3960, 600, 1092, 852, 14);
  lblMessage->setWordWrap(true);
  Label2 = label("Label2", QStringLiteral("Start Key"), {}, 120, 720, 852, 252, 2);
  txtStartKey = edit("txtStartKey", QStringLiteral("S"), QStringLiteral("Underscored letter in the backup program that starts the backup ie S"), 960, 720, 612, 288, 1, 10, centre);
  Label5 = label("Label5", QStringLiteral("Backup Job"), {}, 1800, 720, 1212, 252, 11, Qt::AlignRight | Qt::AlignTop);
  txtBackupKey = edit("txtBackupKey", QStringLiteral("B"), QStringLiteral("Underscored key to change backup jobs ie B"), 3120, 720, 612, 288, 10, 12, centre);
  Label3 = label("Label3", QStringLiteral("Start Title"), {}, 120, 1080, 732, 252, 3);
  txtTitle = edit("txtTitle", QStringLiteral("Microsoft Backup"), QStringLiteral("Backup application's name"), 960, 1080, 2772, 288, 4, 11, Qt::AlignLeft);
  Image1 = label("Image1", QString(), {}, 2160, 1440, 588, 564, -1);
  Image1->setPixmap(logoPixmap());
  chkDefault = check("chkDefault", QStringLiteral("Last Backup"), QStringLiteral("Run the backup type that was run last"), 120, 1560, 1212, 252, 5, 4);
  chkOnceOnly = check("chkOnceOnly", QStringLiteral("Once Per Day"), QStringLiteral("Only run 1 backup each day"), 3600, 1560, 1452, 252, 13, 0);

  SliderBackupNumber = new QSlider(Qt::Horizontal, client);
  name(SliderBackupNumber, "SliderBackupNumber",
       QStringLiteral("Select a backup (number refers to list of saved backups in drop down on backup program)"), 5);
  SliderBackupNumber->setRange(1, 20);
  SliderBackupNumber->setValue(1);
  SliderBackupNumber->setSingleStep(1);
  SliderBackupNumber->setPageStep(5);
  SliderBackupNumber->setTickPosition(QSlider::TicksBelow);
  SliderBackupNumber->setTickInterval(1);
  SliderBackupNumber->setFocusPolicy(Qt::StrongFocus);
  placed.push_back({SliderBackupNumber, 120, 2040, 4932, 372, 6});
  Label1 = label("Label1", QStringLiteral("1"), {}, 240, 2400, 132, 252, 7);
  txtBackupNumber = edit("txtBackupNumber", QString(), QStringLiteral("Selected backup (from list in backup program)"), 2280, 2400, 372, 288, 9, 5, centre);
  Label4 = label("Label4", QStringLiteral("20"), {}, 4680, 2400, 252, 252, 8);

  for (int w = 0; w < settings::kWeekdays; ++w) {
    const ScheduleEntry& e = weekdayEntry(w);
    QCheckBox* box = check(e.boxName.toLatin1().constData(), e.caption, kScheduleDesignTooltip,
                           120 + 720 * w, 2760, 612, 252, 18 + w, 6);
    box->setVisible(false);
    weekdays_.push_back(box);
  }
  chkMonday = weekdays_[0]; chkTuesday = weekdays_[1]; chkwednesday = weekdays_[2];
  chkThursday = weekdays_[3]; chkFriday = weekdays_[4]; chkSaturday = weekdays_[5]; chkSunday = weekdays_[6];

  lblDayOfMonth = label("lblDayOfMonth", QStringLiteral("Day of the month"), {}, 720, 3840, 1692, 252, 26);
  for (int d = 1; d <= settings::kDaysInMonth; ++d) {
    const ScheduleEntry& e = dayEntry(d);
    const int column = (d - 1) % 10, row = (d - 1) / 10;
    const int tab = d == 1 ? 25 : d == 31 ? 27 : 26 + d;
    days_.push_back(check(e.boxName.toLatin1().constData(), e.caption, kScheduleDesignTooltip,
                          120 + 480 * column, 3120 + 240 * row, 492, 252, tab, 0));
  }

  jobControls_ = {SliderBackupNumber, txtBackupNumber, txtBackupKey, Label1, Label4, Label5};
  for (QCheckBox* b : weekdays_) jobControls_.push_back(b);
  jobControls_.push_back(lblDayOfMonth);
  for (QCheckBox* b : days_) jobControls_.push_back(b);

  // Twips to pixels at the screen's logical resolution, grown by one factor
  // for the whole window when the default font does not fit the design.
  const double dpi = screen() ? screen()->logicalDotsPerInch() : 96.0;
  const double base = dpi / 1440.0;
  pixelsPerTwip_ = base * fitFactor(placed, base);
  auto px = [this](int twips) { return int(twips * pixelsPerTwip_ + 0.5); };
  for (const Placement& p : placed) p.widget->setGeometry(px(p.left), px(p.top), px(p.width), px(p.height));
  client->setFixedSize(px(kClientWidth), px(kClientHeight));
  Image1->setAlignment(Qt::AlignCenter);

  // Tab order follows the design's tab indexes; labels never take the focus.
  std::sort(placed.begin(), placed.end(), [](const Placement& a, const Placement& b) { return a.tabIndex < b.tabIndex; });
  QWidget* previous = nullptr;
  for (const Placement& p : placed) {
    if (p.tabIndex < 0 || p.widget->focusPolicy() == Qt::NoFocus) continue;
    if (previous) setTabOrder(previous, p.widget);
    previous = p.widget;
  }
  setFixedSize(sizeHint());
}
