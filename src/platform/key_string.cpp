#include "platform/key_string.h"

#include <QList>

namespace {

Status invalid(const QString& why) { return Status::failure(failure_code::kInvalidArgument, why); }

}  // namespace

ParsedKeys parseKeyString(const QString& keys) {
  ParsedKeys out;
  const QList<uint> chars = keys.toUcs4();
  bool altPending = false;
  for (qsizetype i = 0; i < chars.size(); ++i) {
    const char32_t c = chars[i];
    if (c == U'%') {
      if (altPending) return {invalid(QStringLiteral("Alt (%) cannot be held for another Alt in \"%1\"").arg(keys)), {}};
      altPending = true;
      continue;
    }
    KeyStroke stroke;
    if (c == U'{') {
      // A group is "{x}" for one character x, or "{NAME}".
      qsizetype close = -1;
      if (i + 2 < chars.size() && chars[i + 2] == U'}') {
        close = i + 2;
      } else {
        for (qsizetype j = i + 1; j < chars.size(); ++j)
          if (chars[j] == U'}') { close = j; break; }
      }
      if (close < 0) return {invalid(QStringLiteral("\"{\" without a closing \"}\" in \"%1\"").arg(keys)), {}};
      const QList<uint> inner = chars.mid(i + 1, close - i - 1);
      const QString name = QString::fromUcs4(reinterpret_cast<const char32_t*>(inner.constData()), inner.size());
      const QString upper = name.toUpper();
      if (inner.size() == 1) {
        stroke.character = inner[0];
      } else if (upper == QLatin1String("UP")) {
        stroke.key = KeyStroke::Key::Up;
      } else if (upper == QLatin1String("DOWN")) {
        stroke.key = KeyStroke::Key::Down;
      } else if (upper == QLatin1String("ENTER")) {
        stroke.key = KeyStroke::Key::Enter;
      } else if (upper == QLatin1String("F1")) {
        stroke.key = KeyStroke::Key::F1;
      } else {
        return {invalid(QStringLiteral("unknown key {%1} in \"%2\"").arg(name, keys)), {}};
      }
      i = close;
    } else {
      stroke.character = c;
    }
    stroke.alt = altPending;
    altPending = false;
    out.strokes.push_back(stroke);
  }
  if (altPending) return {invalid(QStringLiteral("Alt (%) is not followed by a key in \"%1\"").arg(keys)), {}};
  return out;
}

QString escapeKeys(const QString& text) {
  QString out;
  for (const QChar c : text) {
    if (c == QLatin1Char('{') || c == QLatin1Char('}') || c == QLatin1Char('%'))
      out += QLatin1Char('{') + c + QLatin1Char('}');
    else
      out += c;
  }
  return out;
}
