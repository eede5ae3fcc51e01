// The window drawn with Qt widgets: every control at its design place in
// twips, in step with the model both ways.
#include "ui/qt/frm_main_view.h"

#include "ui/frm_main.h"
#include "ui/qt/artwork.h"
#include "ui/qt/design_fit.h"
#include "ui/qt/frm_keys_view.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QSlider>
#include <QStatusBar>

#include <algorithm>
#include <vector>

namespace {

QString q(const std::string& text) { return QString::fromStdString(text); }

Qt::Alignment alignmentOf(const ControlDesign& d) {
  switch (d.alignment) {
    case Alignment::Centre: return Qt::AlignHCenter;
    case Alignment::Right: return Qt::AlignRight;
    case Alignment::Left: break;
  }
  return Qt::AlignLeft;
}

QString colour(unsigned rgb) {
  return QStringLiteral("color: rgb(%1, %2, %3);").arg(rgb >> 16).arg((rgb >> 8) & 0xFF).arg(rgb & 0xFF);
}

}  // namespace

FrmMainView::FrmMainView(FrmMain& model, QWidget* parent) : QMainWindow(parent), model_(model) {
  createWidgets();
  keys_ = new FrmKeysView(model_.frmKeys(), this);
  model_.viewVisibility = [this](bool visible) {
    if (visible) QMainWindow::show();
    else hide();
  };
  // F1 and the Help menu open the topic of the control with the focus.
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
    const auto c = controlOf_.find(now);
    model_.focused = c == controlOf_.end() ? nullptr : c->second;
  });
}

FrmMainView::~FrmMainView() {
  model_.viewVisibility = nullptr;
  model_.focused = nullptr;
  for (Control* c : model_.controls()) c->viewUpdate = nullptr;
  model_.lblProblem.viewUpdate = nullptr;
}

QWidget* FrmMainView::widget(const std::string& name) const {
  const auto w = widgets_.find(name);
  return w == widgets_.end() ? nullptr : w->second;
}

QAction* FrmMainView::action(const std::string& name) const {
  const auto a = actions_.find(name);
  return a == actions_.end() ? nullptr : a->second;
}

void FrmMainView::createWidgets() {
  const WindowDesign& window = frmMainWindow();
  setWindowTitle(q(window.caption));
  setWindowIcon(padlockIcon());
  setObjectName(QStringLiteral("FrmMain"));
  client_ = new QWidget(this);
  setCentralWidget(client_);

  std::vector<std::pair<QWidget*, const ControlDesign*>> placed;
  for (Control* c : model_.controls()) {
    const ControlDesign& d = c->design();
    QWidget* w = nullptr;
    switch (d.kind) {
      case ControlKind::MenuItem: {
        QAction* a = menuBar()->addAction(q(d.caption));
        a->setObjectName(q(d.name));
        connect(a, &QAction::triggered, this, [c] { static_cast<MenuItem*>(c)->click(); });
        actions_[d.name] = a;
        continue;
      }
      case ControlKind::Label: {
        auto* label = new QLabel(client_);
        label->setAlignment(alignmentOf(d) | Qt::AlignTop);
        label->setWordWrap(d.wordWrap);
        if (d.textColour) label->setStyleSheet(colour(d.textColour));
        w = label;
        break;
      }
      case ControlKind::Image: {
        auto* image = new QLabel(client_);
        image->setPixmap(logoPixmap());
        image->setAlignment(Qt::AlignCenter);
        w = image;
        break;
      }
      case ControlKind::TextBox: {
        auto* edit = new QLineEdit(client_);
        edit->setAlignment(alignmentOf(d) | Qt::AlignVCenter);
        edit->setTextMargins(0, 0, 0, 0);
        auto* box = static_cast<TextBox*>(c);
        connect(edit, &QLineEdit::textChanged, this, [box](const QString& text) { box->setText(text.toStdString()); });
        w = edit;
        break;
      }
      case ControlKind::ComboBox: {
        auto* combo = new QComboBox(client_);
        for (const std::string& item : d.items) combo->addItem(q(item));
        auto* box = static_cast<ComboBox*>(c);
        connect(combo, &QComboBox::activated, this, [box](int index) { box->setIndex(index); });
        w = combo;
        break;
      }
      case ControlKind::CheckBox: {
        auto* check = new QCheckBox(client_);
        check->setTristate(false);
        auto* box = static_cast<CheckBox*>(c);
        connect(check, &QCheckBox::toggled, this, [box](bool on) { box->setValue(on ? 1 : 0); });
        w = check;
        break;
      }
      case ControlKind::CommandButton: {
        auto* button = new QPushButton(client_);
        auto* command = static_cast<CommandButton*>(c);
        connect(button, &QPushButton::clicked, this, [command] { command->click(); });
        w = button;
        break;
      }
      case ControlKind::Slider: {
        auto* slider = new QSlider(Qt::Horizontal, client_);
        slider->setRange(d.sliderMin, d.sliderMax);
        slider->setSingleStep(d.sliderSmallStep);
        slider->setPageStep(d.sliderPageStep);
        slider->setTickPosition(QSlider::TicksBelow);
        slider->setTickInterval(1);
        slider->setFocusPolicy(Qt::StrongFocus);
        auto* model = static_cast<Slider*>(c);
        // The handler runs for the user's moves once they come to rest:
        // while dragging, at the release.
        connect(slider, &QSlider::valueChanged, this, [model, slider](int value) {
          if (slider->isSliderDown()) model->setValue(value);
          else model->userMoved(value);
        });
        connect(slider, &QSlider::sliderReleased, this, [model, slider] { model->userMoved(slider->value()); });
        w = slider;
        break;
      }
    }
    w->setObjectName(q(d.name));
    if (d.helpTopic > 0) w->setProperty("helpTopic", d.helpTopic);
    bind(*c, w);
    placed.emplace_back(w, &d);
  }

  for (Control* c : model_.controls()) show(*c);  // the texts decide the fit

  // Screen readers name each edit box after the caption beside it.
  for (const auto& [w, d] : placed) {
    const ControlDesign* caption = captionOf(*d);
    auto* label = caption ? qobject_cast<QLabel*>(widget(caption->name)) : nullptr;
    if (!label) continue;
    w->setAccessibleName(label->text());
    label->setBuddy(w);
  }

  // Twips to pixels at the screen's logical resolution, grown by one factor
  // for the whole window when the default font does not fit the design.
  const double dpi = screen() ? screen()->logicalDotsPerInch() : 96.0;
  const double base = dpi / kTwipsPerInch;
  pixelsPerTwip_ = base * fitFactor(placed, base);
  auto px = [this](int twips) { return int(twips * pixelsPerTwip_ + 0.5); };
  for (const auto& [w, d] : placed) w->setGeometry(px(d->left), px(d->top), px(d->width), px(d->height));
  client_->setFixedSize(px(window.clientWidth), px(window.clientHeight));
  for (Control* c : model_.controls()) show(*c);

  // Tab order follows the design's tab indexes; labels never take the focus.
  std::sort(placed.begin(), placed.end(), [](const auto& a, const auto& b) { return a.second->tabIndex < b.second->tabIndex; });
  QWidget* previous = nullptr;
  for (const auto& [w, d] : placed) {
    if (d->tabIndex < 0 || w->focusPolicy() == Qt::NoFocus) continue;
    if (previous) setTabOrder(previous, w);
    previous = w;
  }
  setFixedSize(sizeHint());

  model_.lblProblem.viewUpdate = [this](const Control& line) { showProblem(line); };
  if (model_.lblProblem.visible()) showProblem(model_.lblProblem);
}

void FrmMainView::bind(Control& control, QWidget* widget) {
  widgets_[control.name()] = widget;
  controlOf_[widget] = &control;
  control.viewUpdate = [this](const Control& c) { show(c); };
}

// Shows the control's values; the widget's own signals stay quiet, since
// the model has run whatever the change sets off.
void FrmMainView::show(const Control& c) {
  QWidget* w = widget(c.name());
  if (!w) return;
  const QSignalBlocker quiet(w);
  const QString caption = q(c.caption());
  switch (c.design().kind) {
    case ControlKind::Label: {
      auto* label = static_cast<QLabel*>(w);
      if (label->text() != caption) label->setText(caption);
      fitLabel(label, c);
      break;
    }
    case ControlKind::TextBox: {
      auto* edit = static_cast<QLineEdit*>(w);
      if (edit->text() != caption) edit->setText(caption);
      break;
    }
    case ControlKind::CheckBox: {
      auto* check = static_cast<QCheckBox*>(w);
      check->setText(caption);
      check->setChecked(static_cast<const CheckBox&>(c).value() == 1);
      break;
    }
    case ControlKind::CommandButton: static_cast<QPushButton*>(w)->setText(caption); break;
    case ControlKind::Slider: static_cast<QSlider*>(w)->setValue(static_cast<const Slider&>(c).value()); break;
    case ControlKind::ComboBox:
      static_cast<QComboBox*>(w)->setCurrentIndex(static_cast<const ComboBox&>(c).index());
      break;
    case ControlKind::Image:
    case ControlKind::MenuItem: break;
  }
  w->setToolTip(q(c.tooltip()));
  w->setVisible(c.visible());
}

// A label keeps its design place; a text longer than its design width
// (a count-down of three digits) widens it to the right, within the window.
void FrmMainView::fitLabel(QLabel* label, const Control& c) {
  const ControlDesign& d = c.design();
  if (d.wordWrap || d.kind != ControlKind::Label || !client_) return;
  const int designWidth = int(d.width * pixelsPerTwip_ + 0.5);
  const int needed = label->fontMetrics().horizontalAdvance(label->text()) + 2 * label->margin() + 2;
  const int room = client_->width() > 0 ? client_->width() - label->x() : needed;
  const int width = std::max(designWidth, std::min(needed, room));
  if (width != label->width()) label->resize(width, label->height());
}

void FrmMainView::showProblem(const Control& line) {
  if (!line.visible()) return;
  if (!problem_) {
    problem_ = new QLabel(this);
    problem_->setObjectName(q(line.name()));
    problem_->setWordWrap(true);
    problem_->setStyleSheet(colour(line.design().textColour));
    problem_->setFixedWidth(client_->width() - 8);
    statusBar()->setSizeGripEnabled(false);
    statusBar()->addWidget(problem_, 1);
  }
  problem_->setText(q(line.caption()));
  problem_->setFixedHeight(problem_->heightForWidth(problem_->width()));
  // The window is of fixed size: grow it so that the line goes below the
  // controls rather than over them.
  statusBar()->setFixedHeight(problem_->height() + 6);
  statusBar()->show();
  setFixedSize(width(), menuBar()->sizeHint().height() + client_->height() + statusBar()->height());
}

void FrmMainView::closeEvent(QCloseEvent* event) {
  // The waits see this and end the program; nothing else is undone.
  model_.close();
  event->accept();
}

void FrmMainView::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_F1) {
    model_.mPopHelp_Click();
    return;
  }
  QMainWindow::keyPressEvent(event);
}
