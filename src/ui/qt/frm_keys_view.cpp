// The keys dialog drawn with Qt widgets at its design places in twips.
#include "ui/qt/frm_keys_view.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <algorithm>
#include <vector>

#include "ui/frm_keys.h"
#include "ui/qt/artwork.h"
#include "ui/qt/design_fit.h"
#include "ui/qt/qt_key_stroke.h"

namespace {

QString q(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

FrmKeysView::FrmKeysView(FrmKeys& model, QWidget* parent) : QDialog(parent), model_(model) {
  createWidgets();
  model_.viewVisibility = [this](bool visible) {
    if (!visible) return hide();
    QDialog::show();
    raise();
    activateWindow();
  };
  model_.viewFocus = [this](const Control& c) {
    if (QWidget* w = widget(c.name())) w->setFocus(Qt::OtherFocusReason);
  };
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
    const auto c = controlOf_.find(now);
    model_.focusChanged(c == controlOf_.end() ? nullptr : c->second);
  });
  if (model_.visible()) model_.viewVisibility(true);
}

FrmKeysView::~FrmKeysView() {
  model_.viewVisibility = nullptr;
  model_.viewFocus = nullptr;
  for (Control* c : model_.controls()) c->viewUpdate = nullptr;
}

QWidget* FrmKeysView::widget(const std::string& name) const {
  const auto w = widgets_.find(name);
  return w == widgets_.end() ? nullptr : w->second;
}

void FrmKeysView::createWidgets() {
  const WindowDesign& window = frmKeysWindow();
  setWindowTitle(q(window.caption));
  setWindowIcon(padlockIcon());
  setObjectName(QStringLiteral("FrmKeys"));
  setModal(false);
  setWindowFlag(Qt::WindowMaximizeButtonHint, false);
  setWindowFlag(Qt::WindowMinimizeButtonHint, false);

  std::vector<std::pair<QWidget*, const ControlDesign*>> placed;
  for (Control* c : model_.controls()) {
    const ControlDesign& d = c->design();
    QWidget* w = nullptr;
    switch (d.kind) {
      case ControlKind::TextBox: {
        auto* edit = new QLineEdit(this);
        auto* box = static_cast<TextBox*>(c);
        connect(edit, &QLineEdit::textEdited, this, [box](const QString& text) { box->setText(text.toStdString()); });
        edit->installEventFilter(this);  // the recorder hears the keys first
        w = edit;
        break;
      }
      case ControlKind::CommandButton: {
        auto* button = new QPushButton(this);
        button->setAutoDefault(false);  // Enter in a field is no click
        auto* command = static_cast<CommandButton*>(c);
        connect(button, &QPushButton::clicked, this, [command] { command->click(); });
        w = button;
        break;
      }
      case ControlKind::ComboBox: {
        auto* combo = new QComboBox(this);
        for (const std::string& item : d.items) combo->addItem(q(item));
        auto* box = static_cast<ComboBox*>(c);
        connect(combo, &QComboBox::activated, this, [box](int index) { box->setIndex(index); });
        w = combo;
        break;
      }
      default: {
        auto* label = new QLabel(this);
        label->setWordWrap(d.wordWrap);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        w = label;
        break;
      }
    }
    w->setObjectName(q(d.name));
    if (d.helpTopic > 0) w->setProperty("helpTopic", d.helpTopic);
    widgets_[d.name] = w;
    controlOf_[w] = c;
    c->viewUpdate = [this](const Control& changed) { show(changed); };
    placed.emplace_back(w, &d);
    show(*c);
  }

  // Screen readers name each field after the caption before it.
  for (const auto& [w, d] : placed) {
    if (d->kind != ControlKind::TextBox && d->kind != ControlKind::ComboBox) continue;
    for (const auto& [other, od] : placed)
      if (od->kind == ControlKind::Label && od->tabIndex == d->tabIndex - 1) {
        w->setAccessibleName(static_cast<QLabel*>(other)->text());
        static_cast<QLabel*>(other)->setBuddy(w);
      }
  }

  const double dpi = screen() ? screen()->logicalDotsPerInch() : 96.0;
  const double base = dpi / kTwipsPerInch;
  pixelsPerTwip_ = base * fitFactor(placed, base);
  auto px = [this](int twips) { return int(twips * pixelsPerTwip_ + 0.5); };
  for (const auto& [w, d] : placed) w->setGeometry(px(d->left), px(d->top), px(d->width), px(d->height));
  setFixedSize(px(window.clientWidth), px(window.clientHeight));

  std::sort(placed.begin(), placed.end(),
            [](const auto& a, const auto& b) { return a.second->tabIndex < b.second->tabIndex; });
  QWidget* previous = nullptr;
  for (const auto& [w, d] : placed) {
    if (d->tabIndex < 0 || d->kind == ControlKind::Label) continue;
    if (previous) setTabOrder(previous, w);
    previous = w;
  }
}

void FrmKeysView::show(const Control& c) {
  QWidget* w = widget(c.name());
  if (!w) return;
  const QSignalBlocker quiet(w);
  const QString caption = q(c.caption());
  switch (c.design().kind) {
    case ControlKind::TextBox: {
      auto* edit = static_cast<QLineEdit*>(w);
      if (edit->text() != caption) edit->setText(caption);
      break;
    }
    case ControlKind::CommandButton:
      static_cast<QPushButton*>(w)->setText(caption);
      break;
    case ControlKind::ComboBox:
      static_cast<QComboBox*>(w)->setCurrentIndex(static_cast<const ComboBox&>(c).index());
      break;
    default:
      static_cast<QLabel*>(w)->setText(caption);
      break;
  }
  w->setToolTip(q(c.tooltip()));
  w->setVisible(c.visible());
}

// While a field records, every key pressed in it (Tab and Esc too) is the
// model's; shortcuts are held back so that Alt+letter reaches it.
bool FrmKeysView::eventFilter(QObject* watched, QEvent* event) {
  const auto c = controlOf_.find(static_cast<QWidget*>(watched));
  if (c == controlOf_.end() || model_.recording() != c->second) return QDialog::eventFilter(watched, event);
  if (event->type() == QEvent::ShortcutOverride) {
    event->accept();
    return true;
  }
  if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
  KeyStroke stroke;
  if (!keyStrokeOf(*static_cast<QKeyEvent*>(event), stroke)) return true;  // a modifier alone: wait for the key
  model_.keyPressed(*c->second, stroke);
  return true;
}

void FrmKeysView::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_F1) {
    model_.helpRequested();
    return;
  }
  if (event->key() == Qt::Key_Escape) {
    model_.close();
    return;
  }
  QDialog::keyPressEvent(event);
}

void FrmKeysView::closeEvent(QCloseEvent* event) {
  model_.close();
  event->accept();
}
